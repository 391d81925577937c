// The INIT and SET_MODE handshakes and their watchdog threads, with the
// watchdogs' sleeps under the test's control (watchdog_clock.h).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "airable_data_exchange_internal.h"
#include "fake_comm.h"
#include "msg_builder.h"
#include "stdout_capture.hpp"
#include "ui/ui_data_update.h"
#include "watchdog_clock.h"

namespace {

const char kTag[] = "\033[1;33m[Controller Airable][";

size_t count_of(const std::string & log, const std::string & text)
{
    size_t n = 0;
    for (size_t pos = log.find(text); pos != std::string::npos; pos = log.find(text, pos + 1)) n++;
    return n;
}

void reply(uint8_t cmd2, uint8_t status)
{
    const Bytes msg = {2, status, 0x20};
    airable_uds_cb(5, 5, cmd2, msg.data(), (uint16_t)msg.size());
}

class Handshake : public ::testing::Test {
protected:
    void SetUp() override
    {
        airable_set_watchdog_sleep(WatchdogClock::sleep_fn);
        fake_comm::set_result(FW_ERR_NO_CLIENT);
        // A handshake left waiting by an earlier test in this process ends.
        if (g_ex.init_in_progress.load()) {
            reply(APP_CMD2_AIRABLE_INIT, CMD_STATUS_OKAY);
            clock().step(kInit);
        }
        if (g_ex.mode_in_progress.load()) {
            reply(APP_CMD2_AIRABLE_SET_MODE, CMD_STATUS_OKAY);
            clock().step(kMode);
        }
        fake_comm::take();
    }

    // A test that let the watchdogs run free gives them back.
    void TearDown() override { clock().run_stepped(); }

    static WatchdogClock & clock() { return WatchdogClock::get(); }
};

TEST_F(Handshake, UnansweredInitIsSent101TimesThenGivenUp)
{
    StdoutCapture captured;
    EXPECT_EQ(airable_init_data("https://partner.example/radio", "marlowen", "s3cr3t-value"), FW_ERR_NO_CLIENT);
    std::vector<SentFrame> sent = fake_comm::take();
    for (int i = 0; i < 100; i++) {
        clock().step(kInit, 10);
        std::vector<SentFrame> more = fake_comm::take();
        ASSERT_EQ(more.size(), 1u) << "resend " << i;
        sent.insert(sent.end(), more.begin(), more.end());
    }
    clock().step(kInit, 10);
    std::string log = captured.text();

    ASSERT_EQ(sent.size(), 101u);
    Bytes expect = {0, 8, 0, 12, 0, 29};
    put_str(expect, "marlowens3cr3t-valuehttps://partner.example/radio");
    for (const SentFrame & f : sent) {
        EXPECT_EQ(f.cmd1, 5);
        EXPECT_EQ(f.cmd2, 0);
        EXPECT_EQ(f.payload, expect);
    }
    EXPECT_NE(log.find(std::string(kTag) + "airable_init_data:"), std::string::npos);
    EXPECT_NE(log.find("enter: url=https://partner.example/radio udid=marlowen"), std::string::npos);
    EXPECT_NE(log.find("lens: udid=8 secret=12 url=29\n"), std::string::npos);
    EXPECT_NE(log.find("send APP_CMD2_AIRABLE_INIT ret=-6, waiting OKAY...\n"), std::string::npos);
    EXPECT_NE(log.find("init no ack, resend (99 left)\n"), std::string::npos);
    EXPECT_NE(log.find("init no ack, resend (0 left)\n"), std::string::npos);
    EXPECT_EQ(count_of(log, "init no ack, resend"), 100u);
    EXPECT_EQ(count_of(log, "init failed: no OKAY after retries\n"), 1u);
    EXPECT_EQ(log.find("s3cr3t"), std::string::npos) << "the secret must not be logged";
    EXPECT_EQ(g_ex.init_in_progress.load(), 0);

    // Idle now: the watchdog only sleeps.
    clock().step(kInit, 30);
    EXPECT_TRUE(fake_comm::take().empty());
}

TEST_F(Handshake, InitWhileInProgressIsSkipped)
{
    airable_init_data("https://a/radio", "marlowen", "one");
    fake_comm::take();
    StdoutCapture captured;
    EXPECT_EQ(airable_init_data("https://b/radio", "other", "two"), 0);
    std::string log = captured.text();
    EXPECT_NE(log.find("init already in progress, skip\n"), std::string::npos);
    EXPECT_TRUE(fake_comm::take().empty());
    EXPECT_STREQ(g_ex.url, "https://a/radio");
    EXPECT_STREQ(g_ex.udid, "marlowen");
    EXPECT_STREQ(g_ex.secret, "one");
}

TEST_F(Handshake, OkayBeforeTheFirstPollEndsItWithoutAResend)
{
    airable_init_data(nullptr, nullptr, nullptr);
    SentFrame f = fake_comm::take().at(0);
    EXPECT_EQ(f.payload, Bytes(6, 0));
    reply(APP_CMD2_AIRABLE_INIT, CMD_STATUS_OKAY);
    StdoutCapture captured;
    clock().step(kInit);
    std::string log = captured.text();
    EXPECT_NE(log.find("init success: backend replied CMD_STATUS_OKAY\n"), std::string::npos);
    EXPECT_EQ(g_ex.init_in_progress.load(), 0);
    clock().step(kInit, 50);
    EXPECT_TRUE(fake_comm::take().empty());

    // Another status is only logged; the handshake goes on.
    airable_init_data("u", "d", "s");
    fake_comm::take();
    reply(APP_CMD2_AIRABLE_INIT, 2);
    clock().step(kInit, 10);
    EXPECT_EQ(fake_comm::take().size(), 1u);
}

TEST_F(Handshake, LongUrlIsCutTo511)
{
    std::string url(600, 'h');
    airable_init_data(url.c_str(), "marlowen", std::string(300, 's').c_str());
    SentFrame f = fake_comm::take().at(0);
    ASSERT_GE(f.payload.size(), 6u);
    EXPECT_EQ(f.payload[0] << 8 | f.payload[1], 8);
    EXPECT_EQ(f.payload[2] << 8 | f.payload[3], 255);
    EXPECT_EQ(f.payload[4] << 8 | f.payload[5], 511);
    EXPECT_EQ(f.payload.size(), 6u + 8 + 255 + 511);
    EXPECT_EQ(std::string(f.payload.end() - 511, f.payload.end()), std::string(511, 'h'));
}

TEST_F(Handshake, SetModeRestartsWithTheNewMode)
{
    ui_run_page.airable_mode = 0;
    StdoutCapture captured;
    airable_set_mode_async(AIRABLE_MODE_RADIO);
    EXPECT_EQ(ui_run_page.airable_mode, 1);
    EXPECT_EQ(fake_comm::take().at(0).payload, (Bytes{1, 0, 0x20, 1}));
    clock().step(kMode, 20);
    std::vector<SentFrame> radio = fake_comm::take();
    ASSERT_EQ(radio.size(), 2u);
    EXPECT_EQ(radio[1].payload, (Bytes{1, 0, 0x20, 1}));

    airable_set_mode_async(AIRABLE_MODE_PODCAST);
    EXPECT_EQ(ui_run_page.airable_mode, 2);
    EXPECT_EQ(fake_comm::take().at(0).payload, (Bytes{1, 0, 0x20, 2}));
    for (int i = 0; i < 100; i++) {
        clock().step(kMode, 10);
        std::vector<SentFrame> sent = fake_comm::take();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].cmd2, 9);
        EXPECT_EQ(sent[0].payload, (Bytes{1, 0, 0x20, 2}));
    }
    clock().step(kMode, 10);
    std::string log = captured.text();
    EXPECT_NE(log.find("enter: mode=2\n"), std::string::npos);
    EXPECT_NE(log.find("send SET_MODE mode=2 ret=-6, waiting OKAY...\n"), std::string::npos);
    EXPECT_NE(log.find("set_mode no ack, resend mode=1 (98 left)\n"), std::string::npos);
    EXPECT_NE(log.find("set_mode no ack, resend mode=2 (99 left)\n"), std::string::npos);
    EXPECT_NE(log.find("set_mode no ack, resend mode=2 (0 left)\n"), std::string::npos);
    EXPECT_EQ(count_of(log, "set_mode failed: no OKAY after retries\n"), 1u);
    EXPECT_TRUE(fake_comm::take().empty());
}

TEST_F(Handshake, SetModeOkayAndOtherStatuses)
{
    airable_set_mode_async(AIRABLE_MODE_PODCAST);
    fake_comm::take();
    StdoutCapture captured;
    reply(APP_CMD2_AIRABLE_SET_MODE, CMD_STATUS_READY);  // not an acknowledgement
    clock().step(kMode, 10);
    EXPECT_EQ(fake_comm::take().size(), 1u);
    reply(APP_CMD2_AIRABLE_SET_MODE, CMD_STATUS_OKAY);
    clock().step(kMode);
    std::string log = captured.text();
    EXPECT_NE(log.find("set_mode OKAY from backend\n"), std::string::npos);
    EXPECT_NE(log.find("set_mode success: backend replied CMD_STATUS_OKAY\n"), std::string::npos);
    EXPECT_EQ(g_ex.mode_in_progress.load(), 0);

    // The okay operation acknowledges like a reply.
    airable_set_mode_async(AIRABLE_MODE_RADIO);
    airable_set_mode_okay();
    clock().step(kMode);
    EXPECT_EQ(g_ex.mode_in_progress.load(), 0);
}

TEST_F(Handshake, EachWatchdogIsCreatedOnce)
{
    for (int round = 0; round < 3; round++) {
        airable_init_data("u", "d", "s");
        airable_set_mode_async(AIRABLE_MODE_RADIO);
        reply(APP_CMD2_AIRABLE_INIT, CMD_STATUS_OKAY);
        reply(APP_CMD2_AIRABLE_SET_MODE, CMD_STATUS_OKAY);
        clock().step(kInit);
        clock().step(kMode);
        EXPECT_EQ(g_ex.init_in_progress.load(), 0);
    }
    EXPECT_EQ(clock().threads(kInit), 1u);
    EXPECT_EQ(clock().threads(kMode), 1u);
}

// The watchdogs resend from their own threads while the GUI thread starts
// handshakes and acknowledges them: the shared words must stay consistent.
TEST_F(Handshake, StartsAndAcknowledgementsRaceTheWatchdogs)
{
    clock().run_free();
    for (int i = 0; i < 30; i++) {
        airable_set_mode_async(1 + i % 2);
        if (i % 3 == 0) reply(APP_CMD2_AIRABLE_SET_MODE, CMD_STATUS_OKAY);
        if (airable_init_data("u", "d", "s") == 0 && i % 2) reply(APP_CMD2_AIRABLE_INIT, CMD_STATUS_OKAY);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    reply(APP_CMD2_AIRABLE_SET_MODE, CMD_STATUS_OKAY);
    reply(APP_CMD2_AIRABLE_INIT, CMD_STATUS_OKAY);
    for (int i = 0; i < 500 && (g_ex.mode_in_progress.load() || g_ex.init_in_progress.load()); i++)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(g_ex.mode_in_progress.load(), 0);
    EXPECT_EQ(g_ex.init_in_progress.load(), 0);
}

}  // namespace
