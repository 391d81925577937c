// The GUI thread as the framework server's only owner: the heartbeat
// monitor's timeouts and the Airable watchdogs' resends come from their own
// threads and reach the server through the GUI thread's poll timer. The
// monitor runs no thread of its own here: the test runs its check passes on
// a clock it sets, each on a thread of its own, as the heartbeat thread
// would; the watchdogs' sleeps are the test's too (watchdog_clock.h).
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "airable_data_exchange_internal.h"
#include "comm_mgr_internal.h"
#include "comm_mgr_lvgl.h"
#include "fw_heartbeat_internal.h"
#include "fw_proto.h"
#include "fw_uds.h"
#include "socket_fixture.h"
#include "stdout_capture.hpp"
#include "watchdog_clock.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::atomic<uint64_t> g_now_ms{1000000};
std::atomic<int> g_clock_reads{0};

uint64_t monitor_clock()
{
    g_clock_reads++;
    return g_now_ms;
}

std::vector<uint8_t> g_disconnects;

struct Frame {
    int rc;  // uds_recv_msg's result
    uint8_t cmd1, cmd2;
    Bytes payload;
};

Frame read_frame(int fd, int timeout_ms)
{
    uint8_t buf[FW_MSG_MAX];
    Frame f = {uds_recv_msg(fd, buf, sizeof buf, timeout_ms), 0, 0, {}};
    fw_frame_t frame;
    if (f.rc > 0 && fw_frame_decode(buf, (uint16_t)f.rc, &frame) >= 0) {
        f.cmd1 = frame.cmd1;
        f.cmd2 = frame.cmd2;
        f.payload.assign(frame.payload, frame.payload + frame.payload_len);
    }
    return f;
}

void send_frame(int fd, uint8_t cmd1, uint8_t cmd2, const Bytes & payload = {})
{
    uint8_t buf[FW_MSG_MAX];
    int n = fw_frame_encode(cmd1, cmd2, payload.data(), (uint16_t)payload.size(), buf, sizeof buf);
    ASSERT_GT(n, 0);
    ASSERT_EQ(uds_send_msg(fd, buf, (uint32_t)n), 0);
}

// One check pass of the monitor on a thread of its own.
void check_on_heartbeat_thread()
{
    std::thread([] { hb_monitor_check(comm_mgr_monitor()); }).join();
}

class CommOwner : public SocketFixture {
protected:
    void SetUp() override
    {
        SocketFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        g_disconnects.clear();
        hb_set_clock(monitor_clock);
        hb_set_manual_checks(true);
        airable_set_watchdog_sleep(WatchdogClock::sleep_fn);
        airable_data_exchange_init();
        comm_mgr_set_disconn_cb([](uint8_t id) { g_disconnects.push_back(id); });
        StdoutCapture quiet;
        ASSERT_EQ(comm_mgr_init(), 0);
    }

    void TearDown() override
    {
        for (int fd : fds_) close(fd);
        {
            StdoutCapture quiet;
            comm_mgr_deinit();
        }
        hb_set_manual_checks(false);
        hb_set_clock(nullptr);
        for (uint8_t id = 0; id < FW_APP_SLOTS; id++) comm_mgr_set_app_msg_cb(id, nullptr);
        comm_mgr_set_disconn_cb(nullptr);
        SocketFixture::TearDown();
    }

    // Runs the GUI loop for a few poll periods.
    static void pump()
    {
        for (int i = 0; i < 4 * COMM_MGR_POLL_PERIOD_MS; i++) {
            lv_timer_handler();
            usleep(1000);
        }
    }

    int connected()
    {
        int fd = uds_client_connect(socket_.c_str(), 1000);
        EXPECT_GE(fd, 0);
        fds_.push_back(fd);
        pump();
        return fd;
    }

    // A connection registered as `id`, its acknowledgement read.
    int registered(uint8_t id)
    {
        int fd = connected();
        send_frame(fd, FW_CMD1_CTRL, FW_CMD2_REGISTER, {id, 't'});
        pump();
        EXPECT_EQ(read_frame(fd, 1000).cmd2, FW_CMD2_REGISTER_ACK);
        return fd;
    }

    static WatchdogClock & watchdogs() { return WatchdogClock::get(); }

    std::vector<int> fds_;
};

// Checks come once a second; a service is timed out at the third that finds
// it silent for more than 6 s, 8 to 9 s after its last frame, and the GUI
// thread, not the monitor's, drops it at its next poll.
TEST_F(CommOwner, TimeoutIsTakenEightToNineSecondsAfterTheLastFrame)
{
    struct Case {
        uint64_t last_frame_after_ms;  // after the registration
        uint64_t silent_ms;            // at the check that times it out
    };
    const Case cases[] = {{0, 9000}, {300, 8700}, {999, 8001}};
    for (const Case & c : cases) {
        SCOPED_TRACE(c.last_frame_after_ms);
        const uint64_t registered_at = g_now_ms;
        int fd = registered(2);
        if (c.last_frame_after_ms > 0) {
            g_now_ms += c.last_frame_after_ms;
            send_frame(fd, 2, 0x01);
            pump();
        }
        StdoutCapture log;
        uint64_t silent = 0;
        for (int check = 1; check <= 10 && comm_mgr_get_client_count() == 1; check++) {
            g_now_ms = registered_at + 1000u * check;
            silent = g_now_ms - registered_at - c.last_frame_after_ms;
            check_on_heartbeat_thread();
            EXPECT_EQ(comm_mgr_get_client_count(), 1) << "removed off the GUI thread";
            pump();
        }
        const std::string text = log.text();
        EXPECT_EQ(silent, c.silent_ms);
        EXPECT_TRUE(lines_in_order(text, {"App 2 missed heartbeat (1/3)\n", "App 2 missed heartbeat (2/3)\n",
                                          "App 2 missed heartbeat (3/3)\n", "App 2 timeout, triggering cleanup\n",
                                          "[on_app_timeout:", "] Timeout app 2\n", "Client disconnected: app_id=2\n",
                                          "App 2 disconnected\n"}));
        EXPECT_EQ(comm_mgr_send(2, 2, 1, nullptr, 0), FW_ERR_NO_CLIENT);
        EXPECT_EQ(read_frame(fd, 1000).rc, FW_ERR_IO) << "its socket is closed";
    }
    EXPECT_EQ(g_disconnects, (Bytes{2, 2, 2}));
}

// What the GUI thread reads after the monitor timed an id out and before it
// takes the removal decides which connection goes: the silent one only.
enum class Meanwhile {
    nothing,
    it_speaks,
    it_leaves_and_another_registers
};

struct RaceCase {
    const char * name;
    Meanwhile meanwhile;
    bool timed_out;  // "Timeout app 2" and the silent connection dropped
};

void PrintTo(const RaceCase & c, std::ostream * os)
{
    *os << c.name;
}

class CommOwnerRace : public CommOwner, public ::testing::WithParamInterface<RaceCase> {};

std::atomic<bool> g_decide_armed{false};
std::thread g_heartbeat;

// Route of the bystander's frames: once armed, runs the deciding check pass
// on another thread while the GUI thread is inside its poll, and returns as
// soon as that pass has decided (it reads the clock holding the monitor's
// lock; once the GUI thread gets the lock, the decision is made). The rest
// of the poll then reads what the other connections did meanwhile.
void decide_during_poll(uint8_t, uint8_t, uint8_t, const uint8_t *, uint16_t)
{
    if (!g_decide_armed.exchange(false)) return;
    const int reads = g_clock_reads;
    g_heartbeat = std::thread([] { hb_monitor_check(comm_mgr_monitor()); });
    while (g_clock_reads == reads) std::this_thread::yield();
    hb_monitor_remove(comm_mgr_monitor(), FW_APP_SLOTS - 1);  // takes the lock; that id is not watched
}

TEST_P(CommOwnerRace, OnlyTheSilentConnectionIsDropped)
{
    const RaceCase & c = GetParam();
    comm_mgr_set_app_msg_cb(3, decide_during_poll);
    int bystander = registered(3);
    const uint64_t registered_at = g_now_ms;
    int silent = registered(2);
    int newcomer = c.meanwhile == Meanwhile::it_leaves_and_another_registers ? connected() : -1;
    StdoutCapture log;
    for (int check = 7; check <= 8; check++) {  // two misses
        g_now_ms = registered_at + 1000u * check;
        send_frame(bystander, FW_CMD1_CTRL, FW_CMD2_HEARTBEAT);  // keeps it watched
        pump();
        check_on_heartbeat_thread();
    }
    g_now_ms = registered_at + 9000;
    g_decide_armed = true;
    // One poll reads these in this order: the bystander's frame (the
    // decision), then what the silent connection's peers did meanwhile.
    send_frame(bystander, 3, 0x01);
    if (c.meanwhile == Meanwhile::it_speaks) send_frame(silent, 2, 0x01);
    if (c.meanwhile == Meanwhile::it_leaves_and_another_registers) {
        close(silent);
        send_frame(newcomer, FW_CMD1_CTRL, FW_CMD2_REGISTER, {2, 'n'});
    }
    pump();
    g_heartbeat.join();
    pump();
    const std::string text = log.text();

    EXPECT_FALSE(g_decide_armed) << "the bystander's frame was not read";
    EXPECT_NE(text.find("App 2 timeout, triggering cleanup\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Timeout app 2\n") != std::string::npos, c.timed_out) << text;
    const int holder = c.meanwhile == Meanwhile::it_leaves_and_another_registers ? newcomer : silent;
    if (c.meanwhile == Meanwhile::it_leaves_and_another_registers) {
        EXPECT_EQ(read_frame(newcomer, 1000).cmd2, FW_CMD2_REGISTER_ACK);
        EXPECT_EQ(g_disconnects, Bytes{2}) << "the one that left, once";
    }
    if (c.timed_out) {
        EXPECT_EQ(comm_mgr_get_client_count(), 1);
        EXPECT_EQ(read_frame(holder, 1000).rc, FW_ERR_IO) << "its socket is closed";
        return;
    }
    EXPECT_EQ(comm_mgr_get_client_count(), 2);
    EXPECT_EQ(hb_monitor_watching(comm_mgr_monitor(), 2), 1) << "its watch goes on";
    ASSERT_EQ(comm_mgr_send(2, 2, 0x42, nullptr, 0), 0);
    EXPECT_EQ(read_frame(holder, 1000).cmd2, 0x42);
}

const RaceCase kRaces[] = {
    {"nothing", Meanwhile::nothing, true},
    {"it_speaks", Meanwhile::it_speaks, false},
    {"it_leaves_and_another_registers", Meanwhile::it_leaves_and_another_registers, false},
};

INSTANTIATE_TEST_SUITE_P(Meanwhile, CommOwnerRace, ::testing::ValuesIn(kRaces),
                         [](const auto & info) { return std::string(info.param.name); });

// The watchdogs decide their resends on their own threads, once a second of
// their polls; each goes out at the GUI thread's next poll, never before
// the tenth watchdog poll and never without the GUI thread.
TEST_F(CommOwner, WatchdogResendsGoOutAtTheirMomentsThroughTheGuiThread)
{
    int fd = registered(5);
    StdoutCapture quiet;
    // Started on the GUI thread: written at once, no poll in between.
    EXPECT_EQ(airable_init_data("https://partner.example/radio", "marlowen", "s"), 0);
    EXPECT_EQ(read_frame(fd, 0).cmd2, APP_CMD2_AIRABLE_INIT);
    EXPECT_EQ(airable_set_mode_async(AIRABLE_MODE_RADIO), 0);
    EXPECT_EQ(read_frame(fd, 0).cmd2, APP_CMD2_AIRABLE_SET_MODE);

    const int polls_per_resend = AIRABLE_HS_RESEND_MS / AIRABLE_HS_POLL_MS;
    for (int resend = 0; resend < 3; resend++) {
        SCOPED_TRACE(resend);
        for (int w : {kInit, kMode}) watchdogs().step(w, polls_per_resend - 1);
        pump();
        EXPECT_EQ(read_frame(fd, 0).rc, FW_ERR_TIMEOUT) << "resent early";
        for (int w : {kInit, kMode}) watchdogs().step(w);
        EXPECT_EQ(read_frame(fd, 0).rc, FW_ERR_TIMEOUT) << "written off the GUI thread";
        pump();
        Frame init = read_frame(fd, 1000);
        EXPECT_EQ(init.cmd2, APP_CMD2_AIRABLE_INIT);
        EXPECT_EQ(init.payload.size(), 6u + 8 + 1 + 29);
        Frame mode = read_frame(fd, 1000);
        EXPECT_EQ(mode.cmd2, APP_CMD2_AIRABLE_SET_MODE);
        EXPECT_EQ(mode.payload, (Bytes{1, 0, 0x20, AIRABLE_MODE_RADIO}));
    }

    // Acknowledged through the GUI thread's poll, the watchdogs go quiet.
    send_frame(fd, 5, APP_CMD2_AIRABLE_INIT, {2, CMD_STATUS_OKAY, 0x20});
    send_frame(fd, 5, APP_CMD2_AIRABLE_SET_MODE, {2, CMD_STATUS_OKAY, 0x20});
    pump();
    for (int w : {kInit, kMode}) watchdogs().step(w, 3 * polls_per_resend);
    pump();
    EXPECT_EQ(read_frame(fd, 0).rc, FW_ERR_TIMEOUT);
    EXPECT_EQ(g_ex.init_in_progress.load(), 0);
    EXPECT_EQ(g_ex.mode_in_progress.load(), 0);
}

}  // namespace
