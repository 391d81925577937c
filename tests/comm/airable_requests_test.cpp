// The Airable controller's requests: every message byte for byte, and the
// single pending request with its 200 ms timer, driven by a test clock.
#include <gtest/gtest.h>

#include <string>

#include "airable_data_exchange_internal.h"
#include "fake_comm.h"
#include "lv_fixture.h"
#include "msg_builder.h"
#include "stdout_capture.hpp"
#include "ui/ui_data_update.h"

namespace {

class AirableRequests : public LvFixture {
protected:
    void SetUp() override
    {
        LvFixture::SetUp();
        fake_comm::set_result(FW_ERR_NO_CLIENT);
        fake_comm::take();
    }

    void TearDown() override
    {
        get_title_play_okey();
        LvFixture::TearDown();
    }

    static SentFrame only(const std::vector<SentFrame> &sent)
    {
        EXPECT_EQ(sent.size(), 1u);
        return sent.empty() ? SentFrame{} : sent[0];
    }

    // Runs `ticks` request-timer periods and counts the frames sent.
    static size_t tick(int ticks)
    {
        size_t n = 0;
        for (int i = 0; i < ticks; i++) {
            advance(AIRABLE_REQ_PERIOD_MS);
            n += fake_comm::take().size();
        }
        return n;
    }
};

TEST_F(AirableRequests, EncodesEveryRequest)
{
    const std::string t255(255, 'T');
    Bytes title255 = {1, 0, 0x20, 0x01, 0x01, 0x00, 0xFF};
    put_str(title255, t255);
    struct Case {
        const char *what;
        int (*send)(void);
        uint8_t cmd2;
        Bytes bytes;
    };
    const Case cases[] = {
        {"MAIN_PAGE", [] { return airable_send_main_page(); }, 0x02, {1, 0, 0x20}},
        {"TITLE_DATA NULL", [] { return airable_get_title_data(nullptr); }, 0x03, {1, 0, 0x20, 0, 2, 0, 0}},
        {"TITLE_DATA 255", [] { return airable_get_title_data(std::string(255, 'T').c_str()); }, 0x03, title255},
        {"TITLE_DATA 300 is cut", [] { return airable_get_title_data(std::string(300, 'T').c_str()); }, 0x03,
         title255},
        {"TITLE_PLAY", [] { return airable_title_play_send("ab"); }, 0x04, {1, 0, 0x20, 0, 4, 0, 2, 'a', 'b'}},
        {"MSG_CTRL", [] { return airable_msg_ctrl(0x207); }, 0x05, {1, 0, 0x20, 7}},
        {"ID_DATA little-endian", [] { return airable_get_id_data(0x0102030405060708ull); }, 0x06,
         {8, 7, 6, 5, 4, 3, 2, 1}},
        {"ID_PLAY little-endian", [] { return airable_id_play_send(0x0102030405060708ull); }, 0x08,
         {1, 0, 0x25, 8, 7, 6, 5, 4, 3, 2, 1}},
        {"SET_MODE radio", [] { return airable_set_mode(1); }, 0x09, {1, 0, 0x20, 1}},
        {"SET_MODE podcast", [] { return airable_set_mode(2); }, 0x09, {1, 0, 0x20, 2}},
        {"transport", [] { return airable_media_ctrl(MEDIA_CTRL_PLAY_PAUSE); }, 0xF7, {1, 0, 0x25, 3}},
        {"play-info query", [] { return airable_play_check_info(); }, 0xF7, {1, 0, 0x25, 20}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.send(), FW_ERR_NO_CLIENT);
        SentFrame f = only(fake_comm::take());
        EXPECT_EQ(f.app_id, 5);
        EXPECT_EQ(f.cmd1, 5);
        EXPECT_EQ(f.cmd2, c.cmd2);
        EXPECT_EQ(f.payload, c.bytes);
    }
    EXPECT_EQ(title255.size(), 262u);
}

TEST_F(AirableRequests, EncodesInitMessages)
{
    uint8_t out[900];
    EXPECT_EQ(airable_build_init(out, sizeof(out), "", "", ""), 6);
    EXPECT_EQ(Bytes(out, out + 6), Bytes(6, 0));

    int n = airable_build_init(out, sizeof(out), "dev", "s3", "https://h/radio");
    Bytes expect = {0, 3, 0, 2, 0, 15};
    put_str(expect, "devs3https://h/radio");
    EXPECT_EQ(Bytes(out, out + n), expect);

    EXPECT_EQ(airable_build_init(out, 10, "dev", "s3", "https://h/radio"), FW_ERR_SIZE);
}

TEST_F(AirableRequests, ListWindowComesFromTheRunState)
{
    struct Window {
        int32_t start, end;
        Bytes bytes;
    };
    const Window windows[] = {
        {0, 20, {1, 0, 0x22, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0x14}},
        {21, 40, {1, 0, 0x22, 0, 8, 0, 0, 0, 0x15, 0, 0, 0, 0x28}},
        {-1, 0x01020304, {1, 0, 0x22, 0, 8, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4}},
    };
    for (const Window &w : windows) {
        ui_run_page.list_start = w.start;
        ui_run_page.list_end = w.end;
        fake_comm::set_result(0);
        EXPECT_EQ(get_page_data_ready(), 0); // nothing pending: only the list request
        SentFrame f = only(fake_comm::take());
        EXPECT_EQ(f.cmd2, 0xF0);
        EXPECT_EQ(f.payload, w.bytes);
        EXPECT_EQ(g_main_state.timer, nullptr);
    }
}

TEST_F(AirableRequests, UnansweredRequestResendsFiftyTimesThenTimesOut)
{
    ASSERT_EQ(get_main_page_data(), 0);
    EXPECT_EQ(fake_comm::take().size(), 1u); // sent at once
    EXPECT_EQ(tick(50), 50u);                // ticks 1 to 50 resend
    StdoutCapture before;
    EXPECT_EQ(tick(100), 0u); // ticks 51 to 150 only count
    std::string quiet = before.text();
    EXPECT_EQ(quiet.find("airable request timeout"), std::string::npos);
    EXPECT_NE(g_main_state.timer, nullptr);

    StdoutCapture at_timeout;
    tick(1); // tick 151
    std::string log = at_timeout.text();
    EXPECT_NE(log.find("[WRN]"), std::string::npos);
    EXPECT_NE(log.find("[airable_req_timer_cb:"), std::string::npos);
    EXPECT_NE(log.find("] airable request timeout\n"), std::string::npos);
    EXPECT_EQ(g_main_state.timer, nullptr);
    EXPECT_EQ(tick(200), 0u);
}

// The resend period is 200 ms, counted in milliseconds rather than through
// the constant, so that a change of the period shows.
TEST_F(AirableRequests, ResendsEvery200Milliseconds)
{
    ASSERT_EQ(get_main_page_data(), 0);
    ASSERT_EQ(fake_comm::take().size(), 1u);
    for (int resend = 1; resend <= 3; resend++) {
        SCOPED_TRACE(resend);
        advance(199);
        EXPECT_TRUE(fake_comm::take().empty()) << "resent before 200 ms";
        advance(1);
        EXPECT_EQ(fake_comm::take().size(), 1u);
    }
}

TEST_F(AirableRequests, WaitingAnswersDoNotEndARequest)
{
    get_id_page_data(77);
    size_t sent = fake_comm::take().size();
    const Bytes waiting = {2, 1, 0x20};
    for (int i = 0; i < 150; i++) {
        airable_uds_cb(5, 5, APP_CMD2_AIRABLE_ID_DATA, waiting.data(), (uint16_t)waiting.size());
        sent += tick(1);
    }
    EXPECT_EQ(sent, 51u);
    EXPECT_NE(g_main_state.timer, nullptr);
    tick(1);
    EXPECT_EQ(g_main_state.timer, nullptr);
}

TEST_F(AirableRequests, ANewRequestReplacesThePendingOne)
{
    airable_play_title("Aurora FM");
    tick(3);
    fake_comm::take();
    get_id_page_data(0x0102030405060708ull);
    SentFrame first = only(fake_comm::take());
    EXPECT_EQ(first.cmd2, 0x06);
    for (int i = 0; i < 50; i++) {
        advance(AIRABLE_REQ_PERIOD_MS);
        SentFrame f = only(fake_comm::take());
        EXPECT_EQ(f.cmd2, 0x06);
        EXPECT_EQ(f.payload, (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
    }
    StdoutCapture captured;
    tick(101);
    std::string log = captured.text();
    size_t first_timeout = log.find("airable request timeout");
    ASSERT_NE(first_timeout, std::string::npos);
    EXPECT_EQ(log.find("airable request timeout", first_timeout + 1), std::string::npos);
}

TEST_F(AirableRequests, StoppersEndTheRequest)
{
    static int then_calls;
    then_calls = 0;
    struct Stop {
        const char *what;
        void (*stop)(void);
        size_t sends; // what the stopper itself sends
    };
    const Stop stops[] = {
        {"play okay", [] { get_title_play_okey(); }, 0},
        {"list window", [] { get_page_data_ready(); }, 1},
        {"set ready", [] { airable_request_set_ready([] { then_calls++; }); }, 0},
        {"set ready without a call", [] { airable_request_set_ready(nullptr); }, 0},
        {"ID error", [] {
             const Bytes err = {2, 9, 0x25};
             airable_uds_cb(5, 5, APP_CMD2_AIRABLE_ID_PLAY, err.data(), 3);
         }, 0},
    };
    for (const Stop &s : stops) {
        SCOPED_TRACE(s.what);
        airable_play_id(9);
        tick(2);
        fake_comm::take();
        s.stop();
        EXPECT_EQ(fake_comm::take().size(), s.sends);
        EXPECT_EQ(g_main_state.timer, nullptr);
        EXPECT_EQ(tick(200), 0u);
    }
    EXPECT_EQ(then_calls, 1);
}

// What the main page asks before it raises the busy overlay: pending from a
// start until a stopper, an error reply or the timeout ends the request.
TEST_F(AirableRequests, PendingFollowsTheRequest)
{
    EXPECT_FALSE(airable_request_pending());
    get_main_page_data();
    EXPECT_TRUE(airable_request_pending());
    get_page_data_ready();
    EXPECT_FALSE(airable_request_pending());

    get_id_page_data(5);
    const Bytes err = {2, 2, 0x20};
    airable_uds_cb(5, 5, APP_CMD2_AIRABLE_ID_DATA, err.data(), (uint16_t)err.size());
    EXPECT_FALSE(airable_request_pending());

    airable_play_title("Aurora FM");
    tick(150);
    EXPECT_TRUE(airable_request_pending());
    tick(1);
    EXPECT_FALSE(airable_request_pending()) << "timed out";
}

TEST_F(AirableRequests, ResendsRebuildFromTheStoredRequest)
{
    std::string title(300, 'Q');
    get_title_page_data(title.c_str());
    title.assign(300, 'Z'); // the caller's buffer may change or go
    SentFrame f = only(fake_comm::take());
    EXPECT_EQ(f.cmd2, 0x03);
    EXPECT_EQ(f.payload.size(), 262u);
    airable_get_title_data("other"); // a single send reuses the buffer
    fake_comm::take();
    advance(AIRABLE_REQ_PERIOD_MS);
    SentFrame again = only(fake_comm::take());
    EXPECT_EQ(again.payload, f.payload);

    airable_title_list(nullptr);
    EXPECT_EQ(only(fake_comm::take()).payload, (Bytes{1, 0, 0x20, 0, 2, 0, 0}));
}

TEST_F(AirableRequests, StartRequestTakesItsOwnValues)
{
    static int calls;
    calls = 0;
    airable_start_request([] { return ++calls; }, 7, 2, 100);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(g_main_state.ready, 7);
    for (int i = 0; i < 4; i++)
        advance(100);
    EXPECT_EQ(calls, 3);
    airable_start_request(nullptr, 0, 3, 100); // no function: the timer only counts
    for (int i = 0; i < 103; i++)
        advance(100);
    EXPECT_NE(g_main_state.timer, nullptr);
    advance(100);
    EXPECT_EQ(g_main_state.timer, nullptr);
}

} // namespace
