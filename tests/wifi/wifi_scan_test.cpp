// Scanning with the iw stand-in, and the supplicant's kept networks through
// the wpa_cli stand-in.
#include <unistd.h>

#include <string>
#include <vector>

#include "wifi/wifi_scanner_internal.h"
#include "hostile_text.hpp"
#include "wifi_fixture.h"

namespace wifi_test {
namespace {

const char *const kWorld =
    "ap 3c:84:6a:10:20:01 2437 -42 wpa2 Living-Room\n"
    "ap 3c:84:6a:10:20:02 5180 -58 wpa-wpa2 Living-Room\n"
    "ap 60:a4:4c:30:40:01 2412 -51 wpa2 我的网络\n"
    "ap 10:fe:ed:50:60:01 2462 -63 open Cafe\\x20Guest\n"
    "ap 10:fe:ed:50:60:02 2412 -76 wpa Old-Router\n"
    "ap 00:11:22:33:44:55 5240 -69 wpa2 Lab hidden\n"
    "ap 00:11:22:33:44:56 5260 -80 wpa2 Lab2 hidden\n"
    "ap 02:66:66:66:66:66 2472 -85 wpa2 $(touch\\x20p1)'`;\\x0aid\n";

struct Row {
    std::string ssid;
    int signal;
    int channel;
    std::string enc;
};

std::vector<Row> ap_rows()
{
    int32_t count = -1;
    const wifi_ap_t *aps = wifi_scanner_get_ap_list(&count);
    std::vector<Row> rows;
    for (int32_t i = 0; i < count; i++) {
        rows.push_back({aps[i].ssid, aps[i].signal, aps[i].channel, aps[i].enc});
    }
    return rows;
}

bool operator==(const Row &a, const Row &b)
{
    return a.ssid == b.ssid && a.signal == b.signal && a.channel == b.channel && a.enc == b.enc;
}

std::ostream &operator<<(std::ostream &out, const Row &r)
{
    return out << "{\"" << r.ssid << "\" " << r.signal << " ch" << r.channel << " " << r.enc << "}";
}

const std::vector<Row> kWorldRows = {
    {"Living-Room", -42, 6, "WPA2"},
    {"我的网络", -51, 1, "WPA2"},
    {"Cafe Guest", -63, 11, "Open"},
    {"<hidden>", -69, 48, "WPA2"},
    {"Old-Router", -76, 1, "WPA"},
    {"$(touch p1)'`;\nid", -85, 13, "WPA2"},
};

class WifiScan : public WifiTest {
protected:
    void scan()
    {
        wifi_scanner_trigger_scan();
        wait_scan();
    }
};

TEST_F(WifiScan, PublishesStrongestFirstOneRecordPerName)
{
    scenario(kWorld);
    FakeClock::get().hold(5000);
    wifi_scanner_trigger_scan();
    ASSERT_TRUE(FakeClock::get().wait_held());
    EXPECT_EQ(wifi_scanner_is_scan_done(), 0);
    wifi_scanner_trigger_scan();  // runs already: starts nothing
    FakeClock::get().release();
    wait_scan();

    EXPECT_EQ(ap_rows(), kWorldRows);
    EXPECT_EQ(wifi_scanner_get_ap_list(nullptr)[0].signal, -42);
    EXPECT_STREQ(wifi_scanner_get_ap_list(nullptr)[0].bssid, "3c:84:6a:10:20:01");
    EXPECT_EQ(call_lines(), (std::vector<std::string>{"iw dev wlan0 scan trigger", "iw dev wlan0 scan dump"}));
    EXPECT_EQ(FakeClock::get().sleeps(), std::vector<uint32_t>{5000});
    EXPECT_FALSE(access(path("p1").c_str(), F_OK) == 0);

    std::vector<std::string> out = lines_of(log());
    EXPECT_TRUE(in_order(out, {
        "[WiFi] scan start on wlan0",
        "cmd ---> iw dev wlan0 scan trigger 2>/dev/null && sleep 5 && iw dev wlan0 scan dump 2>/dev/null \r",
        "[WiFi] AP[0]: SSID=\"Living-Room\" BSSID=3c:84:6a:10:20:01 CH=6 SIG=-42 ENC=WPA2 (encrypted)  FREQ=2437",
        "[WiFi] AP[7]: SSID=\"$(touch p1)'`;\\x0aid\" BSSID=02:66:66:66:66:66 CH=13 SIG=-85 ENC=WPA2 (encrypted)",
        "[WiFi] dedup: 8 -> 6 unique SSIDs",
        "[WiFi] scan done: 8 APs found (6 unique)",
    })) << log();
}

TEST_F(WifiScan, AFailedScanKeepsTheLastList)
{
    scenario(kWorld);
    scan();
    ASSERT_EQ(ap_rows(), kWorldRows);

    scenario(std::string(kWorld) + "fail scan-trigger\n");
    scan();
    EXPECT_EQ(ap_rows(), kWorldRows);
    tools({"wpa_cli"});  // no iw at all
    scan();
    EXPECT_EQ(ap_rows(), kWorldRows);

    EXPECT_EQ(call_lines(), (std::vector<std::string>{"iw dev wlan0 scan trigger", "iw dev wlan0 scan dump",
                                                      "iw dev wlan0 scan trigger"}));
    std::string out = log();
    EXPECT_NE(out.find("[WiFi] scan trigger failed, keeping the last list\n"), std::string::npos);
}

// WiFi off: nothing found before comes back, neither from a scan that was
// running then nor as the list a failed scan falls back on.
TEST_F(WifiScan, AfterWifiWentOffOnlyANewScanFillsTheList)
{
    scenario(kWorld);
    scan();
    ASSERT_EQ(ap_rows(), kWorldRows);

    FakeClock::get().hold(5000);
    wifi_scanner_trigger_scan();
    ASSERT_TRUE(FakeClock::get().wait_held());
    wifi_scanner_forget_scans();
    EXPECT_TRUE(ap_rows().empty());
    FakeClock::get().release();
    wait_scan();
    EXPECT_TRUE(ap_rows().empty()) << "the scan ended after WiFi went off";

    scenario(std::string(kWorld) + "fail scan-trigger\n");
    scan();
    EXPECT_TRUE(ap_rows().empty());
    EXPECT_NE(log().find("[WiFi] scan done after WiFi went off: 8 APs dropped\n"), std::string::npos);

    // Off and on again during one scan: a new one follows it, and only
    // then is the scan done.
    scenario(kWorld);
    restart();
    FakeClock::get().hold(5000);
    wifi_scanner_trigger_scan();
    ASSERT_TRUE(FakeClock::get().wait_held());
    wifi_scanner_forget_scans();
    wifi_scanner_trigger_scan();
    wifi_scanner_trigger_scan();
    FakeClock::get().release();
    wait_scan();
    EXPECT_EQ(ap_rows(), kWorldRows);
    EXPECT_EQ(call_lines(), (std::vector<std::string>{"iw dev wlan0 scan trigger", "iw dev wlan0 scan dump",
                                                      "iw dev wlan0 scan trigger", "iw dev wlan0 scan dump"}));
    EXPECT_TRUE(in_order(lines_of(log()), {"[WiFi] scan done after WiFi went off: 8 APs dropped",
                                           "[WiFi] scan start on wlan0", "[WiFi] scan done: 8 APs found (6 unique)"}));
}

TEST_F(WifiScan, AScanThatFindsNothingEmptiesTheList)
{
    scenario(kWorld);
    scan();
    scenario("");
    scan();
    int32_t count = -1;
    wifi_scanner_get_ap_list(&count);
    EXPECT_EQ(count, 0);
    EXPECT_NE(log().find("[WiFi] scan done: 0 APs found (0 unique)\n"), std::string::npos);
}

TEST_F(WifiScan, AnInterfaceNameThatIsNotPlainRunsNothing)
{
    scenario(kWorld);
    scan();
    wifi_scanner_set_interface("wlan0;touch p2");
    scan();
    int32_t count = -1;
    wifi_scanner_get_saved_networks(&count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(wifi_scanner_forget_network("Living-Room"), 0);
    wifi_scanner_set_interface("wlan0");

    EXPECT_EQ(ap_rows(), kWorldRows);
    EXPECT_EQ(call_lines().size(), 2u);
    EXPECT_FALSE(access(path("p2").c_str(), F_OK) == 0);
    EXPECT_NE(log().find("[WiFi] scan refused: the interface name is not a plain name\n"), std::string::npos);
}

/* --- Kept networks ---------------------------------------------------------- */

class WifiSaved : public WifiTest {};

std::vector<std::pair<std::string, int>> saved_rows()
{
    int32_t count = -1;
    const wifi_saved_net_t *nets = wifi_scanner_get_saved_networks(&count);
    std::vector<std::pair<std::string, int>> rows;
    for (int32_t i = 0; i < count; i++) {
        rows.emplace_back(nets[i].ssid, nets[i].net_id);
    }
    return rows;
}

TEST_F(WifiSaved, ListedInTheSupplicantsOrderWithTheirNames)
{
    scenario("saved Living-Room pw1\nsaved 我的网络 pw2\nsaved Cafe\\x20Guest\nsaved a\"b\\x0ac\\x5cd pw3\n");
    EXPECT_EQ(saved_rows(), (std::vector<std::pair<std::string, int>>{
                                {"Living-Room", 0}, {"我的网络", 1}, {"Cafe Guest", 2}, {"a\"b\nc\\d", 3}}));
    EXPECT_EQ(call_lines(), std::vector<std::string>{"wpa_cli -i wlan0 list_networks"});
    EXPECT_EQ(wifi_scanner_get_saved_networks(nullptr)[1].net_id, 1);
}

TEST_F(WifiSaved, AtMostThirtyTwo)
{
    std::string lines;
    for (int i = 0; i < 33; i++) {
        lines += "saved net" + std::to_string(i) + "\n";
    }
    scenario(lines);
    auto rows = saved_rows();
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(rows.back(), std::make_pair(std::string("net31"), 31));
}

TEST_F(WifiSaved, NoneWhenTheToolCannotRun)
{
    scenario("saved Home pw\n");
    tools({"iw"});
    EXPECT_TRUE(saved_rows().empty());
    scenario("saved Home pw\nsupplicant stopped\n");
    tools({});
    EXPECT_TRUE(saved_rows().empty());
}

TEST_F(WifiSaved, ForgetRemovesEveryEntryOfTheNameAndSavesOnce)
{
    scenario("saved Home old\nsaved Other pw\nsaved Home new\n");
    EXPECT_EQ(wifi_scanner_forget_network("Home"), 2);
    EXPECT_EQ(call_lines(), (std::vector<std::string>{
                                "wpa_cli -i wlan0 list_networks", "wpa_cli -i wlan0 remove_network 0",
                                "wpa_cli -i wlan0 remove_network 2", "wpa_cli -i wlan0 save_config"}));
    EXPECT_EQ(saved_rows(), (std::vector<std::pair<std::string, int>>{{"Other", 1}}));
    EXPECT_TRUE(in_order(lines_of(log()), {"[WiFi] forgetting network 0 (\"Home\")",
                                           "[WiFi] forgetting network 2 (\"Home\")",
                                           "[WiFi] forget_network: removed 2 entries for \"Home\""}));
    EXPECT_NE(read("state/saved").find("Other"), std::string::npos);
    EXPECT_EQ(read("state/saved").find("Home"), std::string::npos);
}

// A kept network's name is the supplicant's text: logged escaped.
TEST_F(WifiSaved, ForgetLogsTheNameEscaped)
{
    scenario("saved " + test_support::kHostileNameHex + " pw\n");
    EXPECT_EQ(wifi_scanner_forget_network(test_support::kHostileName.c_str()), 1);
    const std::string out = log();
    EXPECT_EQ(out.find(test_support::kHostileName), std::string::npos) << out;
    EXPECT_TRUE(in_order(lines_of(out), {"[WiFi] forgetting network 0 (\"" + test_support::kHostileShown + "\")",
                                         "[WiFi] forget_network: removed 1 entries for \"" +
                                             test_support::kHostileShown + "\""}))
        << out;
}

TEST_F(WifiSaved, ForgetOfAnUnknownOrEmptyNameChangesNothing)
{
    scenario("saved Home pw\n");
    EXPECT_EQ(wifi_scanner_forget_network("Nope"), 0);
    EXPECT_EQ(wifi_scanner_forget_network("Hom"), 0);
    EXPECT_EQ(wifi_scanner_forget_network(""), 0);
    EXPECT_EQ(wifi_scanner_forget_network(nullptr), 0);
    EXPECT_EQ(call_lines(), (std::vector<std::string>{"wpa_cli -i wlan0 list_networks",
                                                      "wpa_cli -i wlan0 list_networks"}));
}

}  // namespace
}  // namespace wifi_test
