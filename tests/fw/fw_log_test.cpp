// Framework log: line format and threshold.
#include <gtest/gtest.h>

#include <string>

#include "fw_common.h"
#include "fw_test_util.h"
#include "hostile_text.hpp"

namespace {

class Log : public testing::Test {
protected:
    void TearDown() override { fw_log_set_level(FW_LOG_INF); }
};

TEST_F(Log, LineCarriesLevelTimeAndMessage)
{
    StdoutCapture log;
    fw_log(FW_LOG_ERR, "value %d and %s", 42, "text");
    fw_log(FW_LOG_WRN, "w");
    fw_log(FW_LOG_INF, "i");
    std::string text = log.text();
    EXPECT_TRUE(is_log(text, {{"ERR", "value 42 and text"}, {"WRN", "w"}, {"INF", "i"}})) << text;
}

TEST_F(Log, PrefixMacroNamesFunctionAndLine)
{
    StdoutCapture log;
    const int line = __LINE__ + 1;
    FW_LOG(FW_LOG_INF, "App %u connected", 5u);
    std::string expected = "[TestBody:" + std::to_string(line) + "] App 5 connected\n";
    std::string text = log.text();
    EXPECT_EQ(text.substr(text.size() - expected.size()), expected) << text;
}

TEST_F(Log, ThresholdDropsMoreVerboseLevels)
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

TEST(LogEscape, OutsideTextCannotBreakTheLine)
{
    struct Case {
        const char *what;
        std::string in;
        size_t out_size;
        std::string out;
    };
    const Case cases[] = {
        {"plain", "airplay", 64, "airplay"},
        {"line breaks and tabs", "a\nb\rc\td", 64, "a\\x0ab\\x0dc\\x09d"},
        {"other controls", std::string("\x01\x1b[m\x7f", 5), 64, "\\x01\\x1b[m\\x7f"},
        {"backslash", "C:\\x41", 64, "C:\\x5cx41"},
        {"hostile name", test_support::kHostileName, 256, test_support::kHostileShown},
        {"valid UTF-8 of every length", "\xc2\xa0\xc3\xa9\xe4\xbf\xa1\xef\xbf\xbd\xf0\x9f\x8e\xb5\xf4\x8f\xbf\xbf", 64,
         "\xc2\xa0\xc3\xa9\xe4\xbf\xa1\xef\xbf\xbd\xf0\x9f\x8e\xb5\xf4\x8f\xbf\xbf"},
        {"C1 controls as UTF-8", "\xc2\x80\xc2\x9f", 64, "\\xc2\\x80\\xc2\\x9f"},
        {"overlong forms", "\xc1\xbf\xe0\x9f\xbf\xf0\x8f\xbf\xbf", 64,
         "\\xc1\\xbf\\xe0\\x9f\\xbf\\xf0\\x8f\\xbf\\xbf"},
        {"lead bytes that start nothing", "\xf5\x80\xfe\xff", 64, "\\xf5\\x80\\xfe\\xff"},
        {"a character cut by the end", "ab\xe4\xbf", 64, "ab\\xe4\\xbf"},
        {"stops at NUL", std::string("ab\0cd", 5), 64, "ab"},
        {"cut with a mark", "abcdefghij", 8, "abcd..."},
        {"exact fit is not cut", "abcdefg", 8, "abcdefg"},
        {"escape not split", "ab\ncd", 6, "ab..."},
        {"character not split", "ab\xe4\xbf\xa1" "cd", 7, "ab..."},
        {"escaped text that fits", "abcd\n", 9, "abcd\\x0a"},
        {"room for less than the mark", "abcdefgh", 3, ".."},
        {"empty", "", 8, ""},
    };
    for (const Case &c : cases) {
        std::string out(c.out_size, '#');
        EXPECT_EQ(fw_escape(c.in.data(), c.in.size(), out.data(), out.size()), out.data());
        EXPECT_EQ(std::string(out.c_str()), c.out) << c.what;
    }
    char worst[FW_ESCAPE_MAX(3)];
    EXPECT_STREQ(fw_escape("\x01\x02\x03", 3, worst, sizeof worst), "\\x01\\x02\\x03")
        << "FW_ESCAPE_MAX is room enough";
}

// A condition that repeats is logged at most once a period; the next line
// that gets through carries the count of those left out.
TEST_F(Log, RepeatedConditionIsLoggedOncePerPeriodWithACount)
{
    fw_log_limit_t limit = {};
    StdoutCapture log;
    const uint64_t t0 = 5000;
    for (uint64_t at : {t0, t0 + 1, t0 + 999, t0 + 999}) {
        fw_log_limited(&limit, at, FW_LOG_WRN, "fn", 7, "Max clients reached");
    }
    fw_log_limited(&limit, t0 + 1000, FW_LOG_WRN, "fn", 7, "Max clients %s", "reached");
    fw_log_limited(&limit, t0 + 1500, FW_LOG_WRN, "fn", 7, "Max clients reached");
    fw_log_limited(&limit, t0 + 9000, FW_LOG_WRN, "fn", 7, "Max clients reached");
    std::string text = log.text();
    EXPECT_TRUE(is_log(text, {{"WRN", "[fn:7] Max clients reached"},
                              {"WRN", "[fn:7] Max clients reached (repeated 3 times)"},
                              {"WRN", "[fn:7] Max clients reached (repeated 1 times)"}}))
        << text;
    EXPECT_EQ(limit.left_out, 0u);
}

} // namespace
