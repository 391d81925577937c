// The workers and the GUI thread together: the test is the GUI thread and
// polls as the page does while the fake clock holds a worker at a chosen
// sleep. Run under ThreadSanitizer these show the shared records guarded.
#include <algorithm>
#include <chrono>
#include <thread>
#include <string>
#include <vector>

#include "wifi/wifi_scanner_internal.h"
#include "wifi_fixture.h"

namespace wifi_test {
namespace {

using namespace std::chrono_literals;

class WifiThreads : public WifiTest {
protected:
    void SetUp() override
    {
        WifiTest::SetUp();
        scenario(kConnWorld);
    }

    const wifi_conn_info_t &info() { return *wifi_scanner_get_conn_info(); }

    bool called(const std::string &prefix)
    {
        for (const std::string &line : call_lines()) {
            if (line.rfind(prefix, 0) == 0) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(WifiThreads, ScanWhileConnecting)
{
    FakeClock::get().hold(1000, 1);  // the second status poll
    wifi_scanner_connect("Home", "correct-horse");
    ASSERT_TRUE(FakeClock::get().wait_held());
    wifi_scanner_trigger_scan();
    wait_scan();
    int32_t count = 0;
    const wifi_ap_t *aps = wifi_scanner_get_ap_list(&count);
    // Every access point of the world has a name of its own.
    std::vector<std::string> world = lines_of(kConnWorld);
    auto is_ap = [](const std::string &line) { return line.rfind("ap ", 0) == 0; };
    ASSERT_EQ(count, std::count_if(world.begin(), world.end(), is_ap));
    EXPECT_STREQ(aps[0].ssid, "Home");
    EXPECT_EQ(wifi_scanner_is_conn_done(), 0);
    EXPECT_STREQ(info().status, "Connecting...");

    FakeClock::get().release();
    wait_conn();
    EXPECT_STREQ(info().status, "Connected");
}

TEST_F(WifiThreads, SwitchingOffMidConnectionStopsTheWorker)
{
    FakeClock::get().hold(1000, 2);  // the third status poll
    wifi_scanner_connect("Home", "correct-horse");
    ASSERT_TRUE(FakeClock::get().wait_held());
    wifi_scanner_disconnect();
    FakeClock::get().release();
    wait_conn();

    EXPECT_STREQ(info().status, "Disconnected");
    EXPECT_EQ(info().connected, 0);
    EXPECT_EQ(wifi_scanner_get_conn_result(nullptr, nullptr, nullptr, nullptr), 0);
    // The untried entry goes again; nothing is saved, no address asked for.
    EXPECT_TRUE(in_order(call_lines(), {"wpa_cli -i wlan0 add_network", "wpa_cli -i wlan0 disconnect",
                                        "wpa_cli -i wlan0 remove_network 0"}));
    EXPECT_FALSE(called("wpa_cli -i wlan0 save_config"));
    EXPECT_FALSE(called("udhcpc"));
    std::string out = log();
    EXPECT_NE(out.find("[WiFi-CONN] stopped: disconnected while connecting to \"Home\"\n"), std::string::npos);
    EXPECT_EQ(out.find("SUCCESS"), std::string::npos);
}

TEST_F(WifiThreads, SwitchingOffDuringDhcpReportsNoConnection)
{
    FakeClock::get().hold(1000, 4);  // after the first DHCP client run
    wifi_scanner_connect("Home", "correct-horse");
    ASSERT_TRUE(FakeClock::get().wait_held());
    ASSERT_TRUE(called("udhcpc"));
    wifi_scanner_disconnect();
    FakeClock::get().release();
    wait_conn();

    EXPECT_STREQ(info().status, "Disconnected");
    EXPECT_EQ(info().connected, 0);
    EXPECT_STREQ(info().ip, "");
    std::string out = log();
    EXPECT_EQ(out.find("[WiFi-CONN] IP="), std::string::npos);
    EXPECT_NE(out.find("[WiFi-CONN] stopped: disconnected while connecting"), std::string::npos);
}

// The client would wait ten minutes; switching off stops the one this
// module started, so the worker ends well before the DHCP limit.
TEST_F(WifiThreads, SwitchingOffStopsAWaitingDhcpClient)
{
    scenario(std::string(kConnWorld) + "dhcp-hang\n");
    auto start = std::chrono::steady_clock::now();
    wifi_scanner_connect("Home", "correct-horse");
    auto limit = start + 60s;
    while (!called("udhcpc") && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_TRUE(called("udhcpc"));
    wifi_scanner_disconnect();
    wait_conn();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(WIFI_DHCP_TIMEOUT_MS));
    EXPECT_STREQ(info().status, "Disconnected");
    EXPECT_EQ(info().connected, 0);
}

// shell_getline serves the GUI thread (disconnect, forget) and the worker at
// once: each must get its own command's line.
TEST_F(WifiThreads, TheGuiThreadAndTheWorkerEachGetTheirOwnLine)
{
    wifi_scanner_connect("Far", "whatever");
    int rounds = 0;
    while (wifi_scanner_is_conn_done() == 0) {
        const char *line = shell_getline("echo gui-thread");
        EXPECT_STREQ(line, "gui-thread");
        rounds++;
    }
    EXPECT_GT(rounds, 0);
    EXPECT_STREQ(info().status, "Connection timeout");
}

TEST_F(WifiThreads, TwoConnectsInARow)
{
    FakeClock::get().hold(1000);
    wifi_scanner_connect("Home", "correct-horse");
    ASSERT_TRUE(FakeClock::get().wait_held());
    wifi_scanner_connect("Cafe", nullptr);  // one runs already: nothing
    wifi_scanner_connect_saved("Cafe");
    EXPECT_STREQ(info().ssid, "Home");
    EXPECT_STREQ(info().status, "Connecting...");
    FakeClock::get().release();
    wait_conn();
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_STREQ(info().ssid, "Home");

    wifi_scanner_connect("Cafe", nullptr);
    wait_conn();
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_STREQ(info().ssid, "Cafe");
    EXPECT_STREQ(info().bssid, "10:fe:ed:50:60:01");

    int adds = 0;
    for (const std::string &line : call_lines()) {
        adds += line == "wpa_cli -i wlan0 add_network";
    }
    EXPECT_EQ(adds, 2);
}

}  // namespace
}  // namespace wifi_test
