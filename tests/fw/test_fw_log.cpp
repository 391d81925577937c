// Framework log: line format and threshold.
#include <gtest/gtest.h>

#include <string>

#include "fw_common.h"
#include "fw_test_util.h"

namespace {

class LogTest : public testing::Test {
protected:
    void TearDown() override { fw_log_set_level(FW_LOG_INF); }
};

TEST_F(LogTest, LineCarriesLevelTimeAndMessage)
{
    StdoutCapture log;
    fw_log(FW_LOG_ERR, "value %d and %s", 42, "text");
    fw_log(FW_LOG_WRN, "w");
    fw_log(FW_LOG_INF, "i");
    std::string text = log.text();
    EXPECT_TRUE(is_log(text, {{"ERR", "value 42 and text"}, {"WRN", "w"}, {"INF", "i"}})) << text;
}

TEST_F(LogTest, PrefixMacroNamesFunctionAndLine)
{
    StdoutCapture log;
    const int line = __LINE__ + 1;
    FW_LOG(FW_LOG_INF, "App %u connected", 5u);
    std::string expected = "[TestBody:" + std::to_string(line) + "] App 5 connected\n";
    std::string text = log.text();
    EXPECT_EQ(text.substr(text.size() - expected.size()), expected) << text;
}

TEST_F(LogTest, ThresholdDropsMoreVerboseLevels)
{
    {
        StdoutCapture log;
        fw_log(FW_LOG_DBG, "hidden");
        fw_log(-1, "negative counts as huge");
        EXPECT_EQ(log.text(), "");
    }
    fw_log_set_level(FW_LOG_DBG);
    {
        StdoutCapture log;
        fw_log(FW_LOG_DBG, "shown");
        EXPECT_TRUE(is_log(log.text(), {{"DBG", "shown"}}));
    }
    fw_log_set_level(FW_LOG_ERR);
    {
        StdoutCapture log;
        fw_log(FW_LOG_WRN, "dropped");
        fw_log(FW_LOG_ERR, "kept");
        EXPECT_TRUE(is_log(log.text(), {{"ERR", "kept"}}));
    }
}

} // namespace
