// Every thread of the interface at once, for ThreadSanitizer: the test is
// the GUI thread, which polls the framework server, sends to the services,
// restarts the Airable handshakes and starts WiFi scans; beside it run the
// heartbeat monitor's thread (its clock moved ahead, so that a silent
// service is timed out within seconds), both Airable watchdogs resending as
// fast as they poll, the WiFi scan worker in the wireless sandbox, and a
// thread per service on raw framework connections.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "airable_data_exchange_internal.h"
#include "comm_mgr_lvgl.h"
#include "fw_heartbeat.h"
#include "fw_heartbeat_internal.h"
#include "fw_proto.h"
#include "fw_uds.h"
#include "lv_fixture.h"
#include "temp_dir.hpp"
#include "wifi/wifi_scanner_lvgl.h"
#include "wifi_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

uint64_t real_ms()
{
    return (uint64_t)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

// The monitor's clock: the real one, ahead by what the test adds.
std::atomic<uint64_t> g_ahead_ms{0};
uint64_t monitor_clock()
{
    return real_ms() + g_ahead_ms;
}

uint32_t tick_ms()
{
    return (uint32_t)real_ms();
}

std::atomic<int> g_timeouts_of_silent{0};
std::atomic<int> g_other_disconnects{0};
constexpr uint8_t kSilent = 3;

void on_disconnect(uint8_t id)
{
    if (id == kSilent)
        g_timeouts_of_silent++;
    else
        g_other_disconnects++;
}

void send_frame(int fd, uint8_t cmd1, uint8_t cmd2, const std::vector<uint8_t> & payload = {})
{
    uint8_t buf[FW_MSG_MAX];
    int n = fw_frame_encode(cmd1, cmd2, payload.data(), (uint16_t)payload.size(), buf, sizeof buf);
    if (n > 0) uds_send_msg(fd, buf, (uint32_t)n);
}

int connect_registered(const std::string & socket, uint8_t id)
{
    int fd = uds_client_connect(socket.c_str(), 5000);
    if (fd >= 0) send_frame(fd, FW_CMD1_CTRL, FW_CMD2_REGISTER, {id, 's'});
    return fd;
}

// A service that reads everything it is sent and sends a frame every 20 ms;
// counts the frames it receives by command (256 counters).
void talking_service(const std::string & socket, uint8_t id, const std::atomic<bool> & stop,
                     std::atomic<int> * received)
{
    int fd = connect_registered(socket, id);
    auto next_send = Clock::now();
    while (fd >= 0 && !stop) {
        uint8_t buf[FW_MSG_MAX];
        int n = uds_recv_msg(fd, buf, sizeof buf, 5);
        fw_frame_t frame;
        if (n > 0 && fw_frame_decode(buf, (uint16_t)n, &frame) >= 0) received[frame.cmd2]++;
        if (n == FW_ERR_IO) break;
        if (Clock::now() >= next_send) {
            send_frame(fd, id, 0xF7, {2, 5, 0x25});
            next_send += 20ms;
        }
    }
    uds_close(fd, nullptr);
}

// A service that registers and then says nothing; it registers again each
// time it is dropped.
void silent_service(const std::string & socket, const std::atomic<bool> & stop)
{
    while (!stop) {
        int fd = connect_registered(socket, kSilent);
        uint8_t buf[FW_MSG_MAX];
        while (fd >= 0 && !stop && uds_recv_msg(fd, buf, sizeof buf, 5) != FW_ERR_IO) {}
        uds_close(fd, nullptr);
    }
}

class EveryThread : public wifi_test::WifiTest {
protected:
    void SetUp() override
    {
        WifiTest::SetUp();
        scenario(wifi_test::kConnWorld);
        lv_init_once();
        lv_tick_set_cb(tick_ms);
        uds_set_socket_path(dir_.file("fw.sock").c_str());
        hb_set_clock(monitor_clock);
        airable_set_watchdog_sleep([](int, unsigned) { std::this_thread::sleep_for(1ms); });
        airable_data_exchange_init();
        comm_mgr_set_disconn_cb(on_disconnect);
        ASSERT_EQ(comm_mgr_init(), 0);
    }

    void TearDown() override
    {
        comm_mgr_deinit();
        comm_mgr_set_disconn_cb(nullptr);
        comm_mgr_set_app_msg_cb(APP_ID_AIRABLE, nullptr);
        hb_set_clock(nullptr);
        uds_set_socket_path(nullptr);
        lv_tick_set_cb(nullptr);
        WifiTest::TearDown();
    }

    TempDir dir_{"comm-threads"};
};

TEST_F(EveryThread, ScanningPollingWatchdogsAndHeartbeatsRunTogether)
{
    const std::string socket = uds_socket_path();
    std::atomic<bool> stop{false};
    std::atomic<int> to_airable[256] = {}, to_airplay[256] = {};
    std::vector<std::thread> services;
    services.emplace_back(talking_service, socket, APP_ID_AIRABLE, std::cref(stop), to_airable);
    services.emplace_back(talking_service, socket, APP_ID_AIRPLAY, std::cref(stop), to_airplay);
    services.emplace_back(silent_service, socket, std::cref(stop));

    int scans = 0;
    bool ahead = false;
    const auto limit = Clock::now() + 60s;  // far beyond what a loaded machine needs
    auto next_round = Clock::now();
    auto done = [&] { return g_timeouts_of_silent >= 1 && scans >= 3 && to_airable[APP_CMD2_AIRABLE_INIT] >= 20; };
    while (!done() && Clock::now() < limit) {
        lv_timer_handler();
        if (Clock::now() >= next_round) {
            next_round += 20ms;
            if (!ahead && comm_mgr_get_client_count() == 3) {
                g_ahead_ms += HB_SILENCE_MS;  // the silent one is timed out three checks later
                ahead = true;
            }
            comm_mgr_send(APP_ID_AIRPLAY, APP_ID_AIRPLAY, 0xF7, (const uint8_t *)"\x01\x00\x25\x14", 4);
            airable_init_data("https://partner.example/radio", "marlowen", "s");
            airable_set_mode_async(AIRABLE_MODE_RADIO);
            int32_t count = 0;
            wifi_scanner_get_ap_list(&count);
            if (wifi_scanner_is_scan_done()) {
                scans += count > 0;
                wifi_scanner_trigger_scan();
            }
        }
        std::this_thread::sleep_for(1ms);
    }
    stop = true;
    for (std::thread & s : services) s.join();

    EXPECT_GE(g_timeouts_of_silent, 1);
    EXPECT_EQ(g_other_disconnects, 0) << "a talking service was dropped";
    EXPECT_GE(scans, 3);
    EXPECT_GE(to_airable[APP_CMD2_AIRABLE_INIT], 20);
    EXPECT_GE(to_airable[APP_CMD2_AIRABLE_SET_MODE], 20);
    EXPECT_GT(to_airplay[0xF7], 0);
}

}  // namespace
