// The connection engine through its poll rules against the stand-in
// supplicant: every outcome with its status text, log and the calls the
// stand-ins logged. Sleeps are recorded, not waited.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "wifi/wifi_scanner_internal.h"
#include "hostile_text.hpp"
#include "wifi_fixture.h"

namespace wifi_test {
namespace {

std::vector<uint32_t> polls(int n, std::vector<uint32_t> after = {})
{
    std::vector<uint32_t> sleeps(n, 1000);
    sleeps.insert(sleeps.end(), after.begin(), after.end());
    return sleeps;
}

// Sleeps of a DHCP phase that succeeds at once.
const std::vector<uint32_t> kDhcpOnce = {1000, 1000};

class WifiConn : public WifiTest {
protected:
    void SetUp() override
    {
        WifiTest::SetUp();
        scenario(kConnWorld);
    }

    void connect(const char *ssid, const char *password)
    {
        wifi_scanner_connect(ssid, password);
        wait_conn();
    }

    void connect_ex(const wifi_conn_params_t &req)
    {
        wifi_scanner_connect_ex(&req);
        wait_conn();
    }

    wifi_conn_info_t info() { return *wifi_scanner_get_conn_info(); }

    // The record holds the connection to Home with the scenario's lease.
    static void expect_on_home(const wifi_conn_info_t &rec)
    {
        EXPECT_EQ(rec.connected, 1);
        EXPECT_STREQ(rec.ssid, "Home");
        EXPECT_STREQ(rec.bssid, "3c:84:6a:10:20:01");
        EXPECT_STREQ(rec.ip, "192.168.1.23");
        EXPECT_STREQ(rec.gateway, "192.168.1.1");
        EXPECT_STREQ(rec.netmask, "255.255.255.0");
        EXPECT_STREQ(rec.dns, "192.168.1.1");
    }

    // The calls from add_network up to enable_network.
    std::vector<std::string> configuration_calls()
    {
        std::vector<std::string> out;
        bool inside = false;
        for (const std::string &line : call_lines()) {
            inside = inside || line.find(" add_network") != std::string::npos;
            if (line.find(" enable_network") != std::string::npos) {
                break;
            }
            if (inside) {
                out.push_back(line);
            }
        }
        return out;
    }
};

wifi_conn_params_t request(const char *ssid, const char *password, int32_t sec, int32_t timeout = 30)
{
    wifi_conn_params_t req = {};
    snprintf(req.ssid, sizeof(req.ssid), "%s", ssid);
    snprintf(req.password, sizeof(req.password), "%s", password);
    req.sec = sec;
    req.timeout = timeout;
    return req;
}

TEST_F(WifiConn, Wpa2JoinsGetsAnAddressAndKeepsTheNetwork)
{
    connect("Home", "correct-horse");

    wifi_conn_info_t rec = info();
    EXPECT_STREQ(rec.status, "Connected");
    expect_on_home(rec);
    char ip[16], gw[16], mask[16], dns[16];
    ASSERT_EQ(wifi_scanner_get_conn_result(ip, gw, mask, dns), 1);
    EXPECT_STREQ(ip, "192.168.1.23");
    EXPECT_STREQ(mask, "255.255.255.0");
    EXPECT_EQ(wifi_scanner_get_conn_result(nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(wifi_scanner_is_connected(), 1);

    const std::string script = path("tmp/udhcpc.script");
    EXPECT_EQ(call_lines(), (std::vector<std::string>{
                                "pidof wpa_supplicant",
                                "wpa_cli -i wlan0 ping",
                                "wpa_cli -i wlan0 list_networks",
                                "wpa_cli -i wlan0 disconnect",
                                "wpa_cli -i wlan0 add_network",
                                "wpa_cli -i wlan0 set_network 0 ssid \"Home\"",
                                "wpa_cli -i wlan0 set_network 0 key_mgmt WPA-PSK",
                                "wpa_cli -i wlan0 set_network 0 proto WPA RSN",
                                "wpa_cli -i wlan0 set_network 0 pairwise TKIP CCMP",
                                "wpa_cli -i wlan0 set_network 0 psk \"correct-horse\"",
                                "wpa_cli -i wlan0 enable_network 0",
                                "wpa_cli -i wlan0 select_network 0",
                                "wpa_cli -i wlan0 reassociate",
                                "wpa_cli -i wlan0 status",
                                "wpa_cli -i wlan0 status",
                                "wpa_cli -i wlan0 status",
                                "wpa_cli -i wlan0 status",
                                "wpa_cli -i wlan0 list_networks",
                                "wpa_cli -i wlan0 save_config",
                                "ip addr flush dev wlan0",
                                "udhcpc -i wlan0 -s " + script + " -t 5 -A 3 -n -q",
                                "ip addr flush dev wlan0",
                                "ip addr replace 192.168.1.23/24 dev wlan0",
                                "ip link set wlan0 up",
                                "ip route replace default via 192.168.1.1 dev wlan0",
                                "ip -4 addr show dev wlan0",
                                "ip addr show wlan0",
                                "ip route show default",
                            }));
    EXPECT_EQ(FakeClock::get().sleeps(), polls(4, kDhcpOnce));
    EXPECT_EQ(log(),
              "[WiFi-CONN] connect_ex: SSID=\"Home\" sec=0 hidden=0 bssid=(any) static_ip=(DHCP) timeout=30\n"
              "[WiFi-CONN] trigger_connect: SSID=\"Home\" pwd_len=13 sec=0\n"
              "[WiFi-CONN] connecting to SSID=\"Home\" sec=0 hidden=0 timeout=30s reconnect=0\n"
              "[WiFi-CONN] wpa_cli -i wlan0 OK\n"
              "[WiFi-CONN] step1: disconnect any existing\n"
              "[WiFi-CONN] step2: add_network\n"
              "[WiFi-CONN]   net_id=0\n"
              "[WiFi-CONN] step3: set_network ssid=\"Home\"\n"
              "[WiFi-CONN] step4a: wpa_cli -i wlan0 set_network 0 key_mgmt WPA-PSK\n"
              "[WiFi-CONN] step4b: wpa_cli -i wlan0 set_network 0 proto WPA RSN\n"
              "[WiFi-CONN] step4c: wpa_cli -i wlan0 set_network 0 pairwise TKIP CCMP\n"
              "[WiFi-CONN] step4f: set_network psk=**** (len=13)\n"
              "[WiFi-CONN] step5: enable_network + select_network\n"
              "[WiFi-CONN] step6: reassociate\n"
              "[WiFi-CONN] step7: polling wpa_cli status (timeout=30s)...\n"
              "[WiFi-CONN]   t=1s wpa_state=SCANNING\n"
              "[WiFi-CONN]   t=2s wpa_state=ASSOCIATING\n"
              "[WiFi-CONN]   t=3s wpa_state=4WAY_HANDSHAKE (handshake seen)\n"
              "[WiFi-CONN]   t=4s wpa_state=COMPLETED (handshake seen)\n"
              "[WiFi-CONN] SUCCESS: wpa_state=COMPLETED at t=4s\n"
              "[WiFi-CONN] config saved for auto-connect\n"
              "[WiFi-CONN] step8: running DHCP...\n"
              "[WiFi-CONN] DHCP attempt 1/3: udhcpc -i wlan0 -s " + script + " -t 5 -A 3 -n -q 2>/dev/null\n"
              "[WiFi-CONN] DHCP OK on attempt 1\n"
              "[WiFi-CONN] IP=192.168.1.23 GW=192.168.1.1 DNS=192.168.1.1\n");
    EXPECT_EQ(read("etc/resolv.conf"), "nameserver 192.168.1.1\nnameserver 8.8.8.8\n");
    EXPECT_NE(read("state/saved").find("correct-horse"), std::string::npos);
}

struct Outcome {
    const char *ssid;
    const char *password;
    const char *status;
    int polls;
    const char *last_line;
};

// Every way an association can end, with its status text, the polls it took
// and the line that tells why.
const Outcome kOutcomes[] = {
    {"Cafe", nullptr, "Connected", 4, "[WiFi-CONN] SUCCESS: wpa_state=COMPLETED at t=4s"},
    {"Home", "wrong-horse", "Wrong password", 4,
     "[WiFi-CONN] FAIL: Wrong password (wpa_state=DISCONNECTED, handshake=1)"},
    {"Gate", "whatever", "Auth failed", 7, "[WiFi-CONN] FAIL: Auth failed (wpa_state=DISCONNECTED, handshake=0)"},
    {"Rejecting", "whatever", "Auth failed", 2, "[WiFi-CONN] FAIL: Auth failed (wpa_state=AUTH_FAILED, handshake=0)"},
    {"Flaky", "whatever", "Wrong password", 4, "[WiFi-CONN] FAIL: Wrong password (wpa_state=SCANNING, handshake=1)"},
    {"Strict", "whatever", "Auth failed", 2, "[WiFi-CONN] FAIL: Auth failed (wpa_state=WRONG_KEY, handshake=0)"},
    {"Picky", "whatever", "Wrong password", 3, "[WiFi-CONN] FAIL: Wrong password (wpa_state=WRONG_KEY, handshake=1)"},
    {"Far", "whatever", "Connection timeout", 30, "[WiFi-CONN] TIMEOUT after 30s, last_state=ASSOCIATING"},
    {"Nowhere", "whatever", "Connection timeout", 30, "[WiFi-CONN] TIMEOUT after 30s, last_state=SCANNING"},
    {"Dropped", "whatever", "Wrong password", 3, "[WiFi-CONN] FAIL: Wrong password (wpa_state=INACTIVE, handshake=1)"},
    {"Disabled", "whatever", "Wrong password", 2,
     "[WiFi-CONN] FAIL: Wrong password (wpa_state=INTERFACE_DISABLED, handshake=1)"},
    {"Idle", "whatever", "Connection timeout", 30, "[WiFi-CONN] TIMEOUT after 30s, last_state=INACTIVE"},
};

void PrintTo(const Outcome &c, std::ostream *out)
{
    *out << c.ssid;
}

class WifiOutcome : public WifiConn, public ::testing::WithParamInterface<Outcome> {};

TEST_P(WifiOutcome, StatusPollsAndReason)
{
    const Outcome &c = GetParam();
    connect(c.ssid, c.password);
    wifi_conn_info_t rec = info();
    EXPECT_STREQ(rec.status, c.status);
    EXPECT_EQ(rec.connected, std::string(c.status) == "Connected" ? 1 : 0);
    EXPECT_EQ(wifi_scanner_get_conn_result(nullptr, nullptr, nullptr, nullptr), rec.connected);
    EXPECT_EQ(FakeClock::get().sleeps(), rec.connected ? polls(c.polls, kDhcpOnce) : polls(c.polls));
    std::string out = log();
    EXPECT_NE(out.find(std::string(c.last_line) + "\n"), std::string::npos) << out;
    if (!rec.connected) {
        // The entry of this run goes again; no address is asked for.
        std::vector<std::string> calls = call_lines();
        EXPECT_TRUE(in_order(calls, {"wpa_cli -i wlan0 remove_network 0", "wpa_cli -i wlan0 save_config"}));
        for (const std::string &line : calls) {
            EXPECT_EQ(line.rfind("udhcpc", 0), std::string::npos);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PollRules, WifiOutcome, ::testing::ValuesIn(kOutcomes),
                         [](const ::testing::TestParamInfo<Outcome> &info) { return std::string(info.param.ssid); });

TEST_F(WifiConn, AStateIsLoggedOnlyWhenItChanges)
{
    connect("Far", "whatever");
    std::string out = log();
    EXPECT_NE(out.find("[WiFi-CONN]   t=1s wpa_state=SCANNING\n[WiFi-CONN]   t=2s wpa_state=ASSOCIATING\n"
                       "[WiFi-CONN] TIMEOUT after 30s, last_state=ASSOCIATING\n"
                       "[WiFi-CONN] removing failed network 0\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(FakeClock::get().sleeps(), polls(30));
}

TEST_F(WifiConn, RequestTimeoutCountsPolls)
{
    connect_ex(request("Far", "whatever", WIFI_SEC_WPA2, 5));
    EXPECT_EQ(FakeClock::get().sleeps(), polls(5));
    EXPECT_NE(log().find("[WiFi-CONN] TIMEOUT after 5s, last_state=ASSOCIATING\n"), std::string::npos);
    SetUp();
    connect_ex(request("Far", "whatever", WIFI_SEC_WPA2, 0));
    EXPECT_EQ(FakeClock::get().sleeps(), polls(30));
    EXPECT_NE(log().find("timeout=30\n"), std::string::npos);
}

// Home completes at the fourth poll: a request of four polls joins, one of
// three times out.
TEST_F(WifiConn, ACompletionAtTheLastPollIsASuccess)
{
    const struct {
        int32_t timeout;
        const char *status;
        std::vector<uint32_t> sleeps;
    } cases[] = {
        {4, "Connected", polls(4, kDhcpOnce)},
        {3, "Connection timeout", polls(3)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.timeout);
        SetUp();
        connect_ex(request("Home", "correct-horse", WIFI_SEC_WPA2, c.timeout));
        EXPECT_STREQ(info().status, c.status);
        EXPECT_EQ(FakeClock::get().sleeps(), c.sleeps);
    }
}

struct SecCase {
    const char *name;
    int32_t sec;
    const char *password;
    std::vector<std::string> settings;  // set_network calls after the name
};

const std::string kSet = "wpa_cli -i wlan0 set_network 0 ";
const std::string kPsk = kSet + "psk \"secret-pass\"";
const std::vector<std::string> kAutoSettings = {kSet + "key_mgmt WPA-PSK", kSet + "proto WPA RSN",
                                                kSet + "pairwise TKIP CCMP", kPsk};

const SecCase kSecCases[] = {
    {"Auto", WIFI_SEC_AUTO, "secret-pass", kAutoSettings},
    {"WpaWpa2", WIFI_SEC_WPA_WPA2, "secret-pass", kAutoSettings},
    {"Unknown9", 9, "secret-pass", kAutoSettings},
    {"Negative", -1, "secret-pass", kAutoSettings},
    {"OpenWithPassword", WIFI_SEC_OPEN, "secret-pass", {kSet + "key_mgmt NONE", kPsk}},
    {"Wpa", WIFI_SEC_WPA, "secret-pass", {kSet + "key_mgmt WPA-PSK", kSet + "proto WPA", kSet + "pairwise TKIP", kPsk}},
    {"Wpa2",
     WIFI_SEC_WPA2,
     "secret-pass",
     {kSet + "key_mgmt WPA-PSK", kSet + "proto RSN", kSet + "pairwise CCMP", kPsk}},
    {"Wpa3",
     WIFI_SEC_WPA3,
     "secret-pass",
     {kSet + "key_mgmt SAE", kSet + "proto RSN", kSet + "pairwise CCMP", kSet + "ieee80211w 2", kPsk}},
    {"Wpa2Wpa3",
     WIFI_SEC_WPA2_WPA3,
     "secret-pass",
     {kSet + "key_mgmt WPA-PSK SAE", kSet + "proto RSN", kSet + "pairwise CCMP", kPsk}},
    {"Wep",
     WIFI_SEC_WEP,
     "secret",
     {kSet + "auth_alg OPEN", kSet + "key_mgmt NONE", kSet + "wep_key0 \"secret\"", kSet + "wep_tx_keyidx 0"}},
    {"Wpa2WithoutPassword", WIFI_SEC_WPA2, "", {kSet + "key_mgmt NONE"}},
    {"WepWithoutPassword", WIFI_SEC_WEP, "", {kSet + "key_mgmt NONE"}},
};

void PrintTo(const SecCase &c, std::ostream *out)
{
    *out << c.name;
}

class WifiSecurity : public WifiConn, public ::testing::WithParamInterface<SecCase> {};

TEST_P(WifiSecurity, SettingsInOrderPasswordNeverLogged)
{
    const SecCase &c = GetParam();
    connect_ex(request("Far", c.password, c.sec, 1));
    std::vector<std::string> expected = {"wpa_cli -i wlan0 add_network", kSet + "ssid \"Far\""};
    expected.insert(expected.end(), c.settings.begin(), c.settings.end());
    EXPECT_EQ(configuration_calls(), expected);
    std::string out = log();
    EXPECT_EQ(out.find("secret"), std::string::npos) << out;
    if (c.sec == WIFI_SEC_WEP && c.password[0] != '\0') {
        EXPECT_TRUE(in_order(lines_of(out), {"[WiFi-CONN] step4: WEP key (len=6)",
                                             "[WiFi-CONN]   " + kSet + "auth_alg OPEN",
                                             "[WiFi-CONN]   " + kSet + "key_mgmt NONE"}));
    }
    if (c.sec == WIFI_SEC_WPA3) {
        EXPECT_TRUE(in_order(lines_of(out), {"[WiFi-CONN] step4c: " + kSet + "pairwise CCMP",
                                             "[WiFi-CONN] step4e: ieee80211w=2 (PMF required for WPA3)",
                                             "[WiFi-CONN] step4f: set_network psk=**** (len=11)"}));
    }
    if (c.password[0] == '\0') {
        EXPECT_NE(out.find("[WiFi-CONN] step4: key_mgmt=NONE (open network)\n"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Types, WifiSecurity, ::testing::ValuesIn(kSecCases),
                         [](const ::testing::TestParamInfo<SecCase> &info) { return std::string(info.param.name); });

TEST_F(WifiConn, WepAndHiddenNetworksJoin)
{
    connect_ex(request("Legacy", "abcde", WIFI_SEC_WEP));
    EXPECT_STREQ(info().status, "Connected");

    SetUp();
    wifi_conn_params_t req = request("Lab", "lab-secret", WIFI_SEC_WPA2, 5);
    connect_ex(req);
    EXPECT_STREQ(info().status, "Connection timeout");  // not probed by name: not found

    SetUp();
    req.hidden = 1;
    snprintf(req.bssid, sizeof(req.bssid), "00:11:22:33:44:55");
    connect_ex(req);
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_TRUE(in_order(call_lines(), {"wpa_cli -i wlan0 set_network 0 ssid \"Lab\"",
                                        "wpa_cli -i wlan0 set_network 0 scan_ssid 1",
                                        "wpa_cli -i wlan0 set_network 0 bssid 00:11:22:33:44:55"}));
    EXPECT_TRUE(in_order(lines_of(log()),
                         {"[WiFi-CONN] connect_ex: SSID=\"Lab\" sec=4 hidden=1 bssid=00:11:22:33:44:55 "
                          "static_ip=(DHCP) timeout=5",
                          "[WiFi-CONN] step3b: scan_ssid=1 (hidden network)",
                          "[WiFi-CONN] step3c: bssid=00:11:22:33:44:55"}));
}

TEST_F(WifiConn, LongNamesAndPasswordsAreCut)
{
    const std::string name(32, 'N');
    const std::string password(63, 'p');
    scenario(std::string(kConnWorld) + "ap 30:00:00:00:00:01 2412 -50 wpa2 " + name + "\nkey " + name + " " +
             password + "\n");
    connect((name + "-and-more").c_str(), (password + "-and-more").c_str());
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_STREQ(info().ssid, name.c_str());
    EXPECT_TRUE(in_order(call_lines(), {"wpa_cli -i wlan0 set_network 0 ssid \"" + name + "\"",
                                        "wpa_cli -i wlan0 set_network 0 psk \"" + password + "\""}));
}

TEST_F(WifiConn, RequestsThatStartNothing)
{
    wifi_conn_info_t before = info();
    wifi_scanner_connect(nullptr, "x");
    wifi_scanner_connect("", "x");
    wifi_scanner_connect_ex(nullptr);
    wifi_conn_params_t empty = request("", "x", 0);
    wifi_scanner_connect_ex(&empty);
    wifi_scanner_connect_saved(nullptr);
    wifi_scanner_connect_saved("");
    EXPECT_EQ(wifi_scanner_is_conn_done(), 1);
    EXPECT_EQ(memcmp(&before, wifi_scanner_get_conn_info(), sizeof(before)), 0);
    EXPECT_TRUE(call_lines().empty());
    EXPECT_EQ(log(), "");
}

TEST_F(WifiConn, ValuesNotInPlainFormAreRefused)
{
    const struct {
        void (*set)(wifi_conn_params_t *);
        const char *status;
    } cases[] = {
        {[](wifi_conn_params_t *r) { snprintf(r->bssid, sizeof(r->bssid), "aa:bb:cc:dd:ee;id"); },
         "Error: invalid BSSID"},
        {[](wifi_conn_params_t *r) { snprintf(r->static_ip, sizeof(r->static_ip), "1.2.3.4;touch r"); },
         "Error: invalid static IP settings"},
        {[](wifi_conn_params_t *r) {
             snprintf(r->static_ip, sizeof(r->static_ip), "1.2.3.4");
             snprintf(r->netmask, sizeof(r->netmask), "24 dev lo");
         },
         "Error: invalid static IP settings"},
        {[](wifi_conn_params_t *r) {
             snprintf(r->static_ip, sizeof(r->static_ip), "1.2.3.4");
             snprintf(r->gateway, sizeof(r->gateway), "$(id)");
         },
         "Error: invalid static IP settings"},
        {[](wifi_conn_params_t *r) {
             snprintf(r->static_ip, sizeof(r->static_ip), "1.2.3.4");
             snprintf(r->dns, sizeof(r->dns), "8.8.8.8'");
         },
         "Error: invalid static IP settings"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        wifi_conn_params_t req = request("Home", "correct-horse", WIFI_SEC_WPA2);
        c.set(&req);
        wifi_scanner_connect_ex(&req);
        EXPECT_EQ(wifi_scanner_is_conn_done(), 1);
        EXPECT_STREQ(info().status, c.status);
        EXPECT_STREQ(info().ssid, "Home");
        EXPECT_EQ(wifi_scanner_get_conn_result(nullptr, nullptr, nullptr, nullptr), 0);
    }
    EXPECT_TRUE(call_lines().empty());
    EXPECT_NE(log().find("[WiFi-CONN] connect_ex: refused: Error: invalid BSSID\n"), std::string::npos);
}

// What is refused may hold anything: a line break in it must not forge a
// log line, nor an escape sequence reach the terminal.
TEST_F(WifiConn, ARefusedBssidOrAddressIsLoggedEscaped)
{
    const struct {
        void (*set)(wifi_conn_params_t *);
        const char *field;
        const char *forged;
    } cases[] = {
        {[](wifi_conn_params_t *r) { snprintf(r->bssid, sizeof(r->bssid), "aa:bb\n[WiFi-CONN] X"); }, "bssid=aa:bb",
         "[WiFi-CONN] X"},
        {[](wifi_conn_params_t *r) { snprintf(r->static_ip, sizeof(r->static_ip), "1.2\n[WiFi] Y\033"); },
         "static_ip=1.2", "[WiFi] Y"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.forged);
        restart();
        wifi_conn_params_t req = request("Home", "correct-horse", WIFI_SEC_WPA2);
        c.set(&req);
        wifi_scanner_connect_ex(&req);
        const std::string out = log();
        EXPECT_EQ(out.find('\033'), std::string::npos) << out;
        bool shown = false;
        for (const std::string &line : lines_of(out)) {
            EXPECT_NE(line.rfind(c.forged, 0), 0u) << out;
            shown |= line.find(c.field) != std::string::npos && line.find(c.forged) != std::string::npos;
        }
        EXPECT_TRUE(shown) << "the value stands escaped in its own line: " << out;
    }
}

/* --- Kept networks and old entries ------------------------------------------ */

TEST_F(WifiConn, ASavedNetworkIsSelectedNotAdded)
{
    scenario(std::string(kConnWorld) + "saved Cafe\nsaved Home correct-horse\nsaved Home other\n");
    wifi_scanner_connect_saved("Home");
    wait_conn();
    EXPECT_STREQ(info().status, "Connected");
    std::vector<std::string> calls = call_lines();
    EXPECT_TRUE(in_order(calls, {"wpa_cli -i wlan0 list_networks", "pidof wpa_supplicant", "wpa_cli -i wlan0 ping",
                                 "wpa_cli -i wlan0 disconnect", "wpa_cli -i wlan0 select_network 1",
                                 "wpa_cli -i wlan0 reassociate", "wpa_cli -i wlan0 status",
                                 "wpa_cli -i wlan0 save_config", "ip addr flush dev wlan0"}));
    for (const std::string &line : calls) {
        EXPECT_EQ(line.find("add_network"), std::string::npos);
        EXPECT_EQ(line.find("remove_network"), std::string::npos);
    }
    EXPECT_TRUE(in_order(lines_of(log()), {
                                              "[WiFi-CONN] connect_saved: SSID=\"Home\" net_id=1 (select existing)",
                                              "[WiFi-CONN] trigger_connect: SSID=\"Home\" pwd_len=0 sec=0",
                                              "[WiFi-CONN] connecting to SSID=\"Home\" sec=0 hidden=0 timeout=30s "
                                              "reconnect=1",
                                              "[WiFi-CONN] reconnect: select_network 1 (saved)",
                                              "[WiFi-CONN] step7: polling wpa_cli status (timeout=30s)...",
                                          }));

    // The network connected now: nothing to do.
    restart();
    wifi_scanner_connect_saved("Home");
    EXPECT_EQ(wifi_scanner_is_conn_done(), 1);
    EXPECT_TRUE(call_lines().empty());
    EXPECT_EQ(log(), "[WiFi-CONN] connect_saved: already connected to \"Home\", skip\n");
}

TEST_F(WifiConn, ASavedNetworkThatFailsIsKept)
{
    scenario(std::string(kConnWorld) + "saved Home stale-horse\n");
    wifi_scanner_connect_saved("Home");
    wait_conn();
    EXPECT_STREQ(info().status, "Wrong password");
    for (const std::string &line : call_lines()) {
        EXPECT_EQ(line.find("remove_network"), std::string::npos);
    }
}

TEST_F(WifiConn, AnUnknownSavedNameChangesNothing)
{
    scenario(std::string(kConnWorld) + "saved Home correct-horse\n");
    wifi_conn_info_t before = info();
    wifi_scanner_connect_saved("Cafe");
    EXPECT_EQ(wifi_scanner_is_conn_done(), 1);
    EXPECT_EQ(memcmp(&before, wifi_scanner_get_conn_info(), sizeof(before)), 0);
    EXPECT_EQ(call_lines(), std::vector<std::string>{"wpa_cli -i wlan0 list_networks"});
    EXPECT_EQ(log(), "[WiFi-CONN] connect_saved: \"Cafe\" not found in saved networks\n");
}

// A mistyped password must not cost the entry that works.
// A network name may come from a scan: every line that shows it shows it
// escaped.
TEST_F(WifiConn, NamesAreLoggedEscaped)
{
    const std::string &name = test_support::kHostileName;
    const std::string &shown = test_support::kHostileShown;
    connect(name.c_str(), "password");
    wifi_scanner_connect_saved(name.c_str());
    const std::string out = log();
    EXPECT_EQ(out.find(name), std::string::npos) << out;
    for (const std::string &line : {"trigger_connect: SSID=\"" + shown + "\" pwd_len=8",
                                    "connecting to SSID=\"" + shown + "\" sec=", "step3: set_network ssid=\"" + shown + "\"\n",
                                    "connect_saved: \"" + shown + "\" not found in saved networks\n"}) {
        EXPECT_NE(out.find(line), std::string::npos) << line << " in:\n" << out;
    }
}

TEST_F(WifiConn, OldEntriesGoOnlyOnceTheNewOneHasJoined)
{
    scenario(std::string(kConnWorld) + "saved Home correct-horse\nsaved Cafe\n");
    connect("Home", "typo-horse");
    EXPECT_STREQ(info().status, "Wrong password");
    EXPECT_TRUE(in_order(call_lines(), {"wpa_cli -i wlan0 add_network", "wpa_cli -i wlan0 remove_network 2",
                                        "wpa_cli -i wlan0 save_config"}));
    for (const std::string &line : call_lines()) {
        EXPECT_NE(line, "wpa_cli -i wlan0 remove_network 0");
    }
    std::string saved = read("state/saved");
    EXPECT_NE(saved.find("correct-horse"), std::string::npos);
    EXPECT_EQ(saved.find("typo-horse"), std::string::npos);

    SetUp();
    scenario(std::string(kConnWorld) + "saved Home stale-horse\nsaved Cafe\nsaved Home older-horse\n");
    connect("Home", "correct-horse");
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_TRUE(in_order(call_lines(), {"wpa_cli -i wlan0 status", "wpa_cli -i wlan0 list_networks",
                                        "wpa_cli -i wlan0 remove_network 0", "wpa_cli -i wlan0 remove_network 2",
                                        "wpa_cli -i wlan0 save_config"}));
    EXPECT_TRUE(in_order(lines_of(log()), {"[WiFi-CONN] SUCCESS: wpa_state=COMPLETED at t=4s",
                                           "[WiFi-CONN] removing old network 0 (\"Home\")",
                                           "[WiFi-CONN] removing old network 2 (\"Home\")",
                                           "[WiFi-CONN] config saved for auto-connect"}));
    saved = read("state/saved");
    EXPECT_EQ(saved.find("stale-horse"), std::string::npos);
    EXPECT_EQ(saved.find("older-horse"), std::string::npos);
    EXPECT_NE(saved.find("correct-horse"), std::string::npos);
    EXPECT_NE(saved.find("Cafe"), std::string::npos);
}

// Selecting a network disables the others in the supplicant: a join gives
// the kept networks back enabled, and one that fails also returns to the
// network it left. Once the supplicant is on it again, the record says so
// (with its address), while the failure stays the run's result.
TEST_F(WifiConn, AFailedJoinKeepsTheWorkingConnectionAndTheKeptNetworks)
{
    scenario(std::string(kConnWorld) + "saved Cafe\nsaved Strict whatever\n");
    connect("Home", "correct-horse");
    ASSERT_STREQ(info().status, "Connected");
    EXPECT_EQ(sandbox_saved_networks(), (std::vector<std::string>{"Cafe", "Strict", "Home"}));
    ASSERT_EQ(sandbox_joined_network(), "Home");

    const struct {
        const char *ssid;
        bool kept;
        int32_t timeout;
        const char *status;
    } cases[] = {
        {"Picky", false, 30, "Wrong password"},
        {"Far", false, 3, "Connection timeout"},
        {"Strict", true, 30, "Auth failed"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ssid);
        restart();
        if (c.kept) {
            wifi_scanner_connect_saved(c.ssid);
            wait_conn();
        } else {
            connect_ex(request(c.ssid, "whatever", WIFI_SEC_WPA2, c.timeout));
        }
        const wifi_conn_info_t rec = info();
        EXPECT_STREQ(rec.status, c.status);
        expect_on_home(rec);
        EXPECT_EQ(wifi_scanner_is_connected(), 1);
        EXPECT_EQ(wifi_scanner_get_conn_result(nullptr, nullptr, nullptr, nullptr), 0) << "the run failed";
        EXPECT_TRUE(in_order(call_lines(), {"wpa_cli -i wlan0 select_network 2", "wpa_cli -i wlan0 enable_network 0",
                                            "wpa_cli -i wlan0 enable_network 1", "wpa_cli -i wlan0 save_config"}));
        const std::string out = log();
        EXPECT_NE(out.find("[WiFi-CONN] back to network 2\n"), std::string::npos);
        EXPECT_NE(out.find("[WiFi-CONN] back on \"Home\" at t=4s\n"), std::string::npos);
        EXPECT_EQ(sandbox_saved_networks(), (std::vector<std::string>{"Cafe", "Strict", "Home"}));
        EXPECT_EQ(sandbox_joined_network(), "Home");
    }

    // Asking for the network that is up again is met by it.
    restart();
    wifi_scanner_connect_saved("Home");
    wait_conn();
    EXPECT_NE(log().find("[WiFi-CONN] connect_saved: already connected to \"Home\", skip\n"), std::string::npos);
    EXPECT_EQ(wifi_scanner_get_conn_result(nullptr, nullptr, nullptr, nullptr), 1);
}

// A run that fails before it configures anything (the supplicant refuses a
// new entry) has disconnected all the same: it goes back as a failed join does.
TEST_F(WifiConn, AJoinThatCannotAddItsNetworkGoesBackToTheWorkingOne)
{
    scenario(std::string(kConnWorld) + "saved Cafe\n");
    connect("Home", "correct-horse");
    ASSERT_STREQ(info().status, "Connected");
    scenario(std::string(kConnWorld) + "saved Cafe\nfail add-network\n");
    restart();
    connect_ex(request("Picky", "whatever", WIFI_SEC_WPA2));

    const wifi_conn_info_t rec = info();
    EXPECT_STREQ(rec.status, "Error: add_network failed");
    expect_on_home(rec);
    EXPECT_EQ(wifi_scanner_is_connected(), 1);
    EXPECT_TRUE(in_order(call_lines(), {"wpa_cli -i wlan0 disconnect", "wpa_cli -i wlan0 add_network",
                                        "wpa_cli -i wlan0 select_network 1", "wpa_cli -i wlan0 enable_network 0",
                                        "wpa_cli -i wlan0 save_config"}));
    EXPECT_NE(log().find("[WiFi-CONN] back on \"Home\""), std::string::npos);
    EXPECT_EQ(sandbox_saved_networks(), (std::vector<std::string>{"Cafe", "Home"}));
    EXPECT_EQ(sandbox_joined_network(), "Home");
}

// When the supplicant does not get back to the network the run left (gone
// out of range, or its key no longer works), the record stays disconnected,
// and the worker gives up on it after a few polls.
TEST_F(WifiConn, AFailedJoinWhoseEarlierNetworkDoesNotComeBackLeavesTheRecordDisconnected)
{
    const std::string world = kConnWorld;
    const std::string home_ap = "ap 3c:84:6a:10:20:01 2437 -42 wpa2 Home\n";
    std::string gone = world;
    gone.erase(gone.find(home_ap), home_ap.size());
    const struct {
        const char *name;
        std::string after;
    } cases[] = {
        {"out of range", gone},
        {"key changed", world + "key Home new-horse\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        connect("Home", "correct-horse");
        ASSERT_EQ(info().connected, 1);
        scenario(c.after);
        restart();
        connect_ex(request("Picky", "whatever", WIFI_SEC_WPA2));

        const wifi_conn_info_t rec = info();
        EXPECT_STREQ(rec.status, "Wrong password");
        EXPECT_EQ(rec.connected, 0);
        EXPECT_STREQ(rec.ssid, "Picky");
        EXPECT_STREQ(rec.ip, "");
        EXPECT_EQ(wifi_scanner_is_connected(), 0);
        EXPECT_EQ(wifi_scanner_get_conn_result(nullptr, nullptr, nullptr, nullptr), 0);
        EXPECT_TRUE(in_order(call_lines(), {"wpa_cli -i wlan0 select_network 0"}));
        EXPECT_EQ(sandbox_joined_network(), "");
    }
}

/* --- The supplicant --------------------------------------------------------- */

TEST_F(WifiConn, ASupplicantThatIsNotRunningIsStarted)
{
    scenario(std::string(kConnWorld) + "supplicant stopped\n");
    connect("Home", "correct-horse");
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_TRUE(in_order(call_lines(), {"pidof wpa_supplicant",
                                        "wpa_supplicant -B -i wlan0 -c " + path("etc/wpa_supplicant.conf"),
                                        "wpa_cli -i wlan0 ping"}));
    EXPECT_EQ(FakeClock::get().sleeps(), polls(1 + 4, kDhcpOnce));
    EXPECT_NE(log().find("[WiFi-CONN] wpa_supplicant not running, starting...\n[WiFi-CONN] wpa_cli -i wlan0 OK\n"),
              std::string::npos);
}

TEST_F(WifiConn, ASupplicantThatDoesNotAnswerIsRestarted)
{
    scenario(std::string(kConnWorld) + "supplicant hung\n");
    const std::string conf = read("etc/wpa_supplicant.conf");
    connect("Home", "correct-horse");
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_TRUE(in_order(call_lines(), {"pidof wpa_supplicant", "wpa_cli -i wlan0 ping", "killall wpa_supplicant",
                                        "ip link set wlan0 up",
                                        "wpa_supplicant -B -i wlan0 -c " + path("etc/wpa_supplicant.conf"),
                                        "wpa_cli -i wlan0 ping", "wpa_cli -i wlan0 disconnect"}));
    EXPECT_EQ(FakeClock::get().sleeps(), (std::vector<uint32_t>{1000, 2000, 1000, 1000, 1000, 1000, 1000, 1000}));
    EXPECT_EQ(read("etc/wpa_supplicant.conf"), conf);
    EXPECT_NE(log().find("[WiFi-CONN] wpa_cli -i wlan0 not responding, restarting wpa_supplicant...\n"
                         "[WiFi-CONN] wpa_supplicant restarted OK\n"),
              std::string::npos);

    // Without its configuration file it gets a new one first.
    SetUp();
    scenario(std::string(kConnWorld) + "supplicant hung\n");
    std::remove(path("etc/wpa_supplicant.conf").c_str());
    connect("Home", "correct-horse");
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_EQ(read("etc/wpa_supplicant.conf"), "ctrl_interface=/var/run/wpa_supplicant\nupdate_config=1\n");
}

TEST_F(WifiConn, ErrorsBeforeTheAssociation)
{
    const struct {
        const char *extra;
        std::vector<std::string> tools;
        const char *status;
        const char *line;
    } cases[] = {
        {"supplicant dead\n", {}, "Error: wpa_supplicant not available",
         "[WiFi-CONN] ERROR: wpa_supplicant still not responding"},
        {"", {"iw", "wpa_supplicant", "udhcpc", "ip", "pidof", "killall"}, "Error: wpa_cli not found",
         "[WiFi-CONN] ERROR: wpa_cli not found"},
        {"fail add-network\n", {}, "Error: add_network failed", "[WiFi-CONN] ERROR: add_network failed"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        SetUp();
        scenario(std::string(kConnWorld) + c.extra);
        if (!c.tools.empty()) {
            tools(c.tools);
        }
        connect("Home", "correct-horse");
        EXPECT_STREQ(info().status, c.status);
        EXPECT_EQ(info().connected, 0);
        EXPECT_NE(log().find(std::string(c.line) + "\n"), std::string::npos);
        for (const std::string &line : call_lines()) {
            EXPECT_EQ(line.find("set_network"), std::string::npos);
        }
        TearDown();
    }
}

TEST_F(WifiConn, DisconnectKeepsNetmaskAndDns)
{
    connect("Home", "correct-horse");
    ASSERT_STREQ(info().status, "Connected");
    restart();
    wifi_scanner_disconnect();
    EXPECT_EQ(call_lines(), std::vector<std::string>{"wpa_cli -i wlan0 disconnect"});
    EXPECT_EQ(log(), "[WiFi-CONN] disconnect\n");
    EXPECT_EQ(wifi_scanner_is_connected(), 0);
    wifi_conn_info_t rec = info();
    EXPECT_STREQ(rec.status, "Disconnected");
    EXPECT_STREQ(rec.ip, "");
    EXPECT_STREQ(rec.gateway, "");
    EXPECT_STREQ(rec.ssid, "");
    EXPECT_STREQ(rec.bssid, "");
    EXPECT_STREQ(rec.netmask, "255.255.255.0");
    EXPECT_STREQ(rec.dns, "192.168.1.1");
    EXPECT_EQ(wifi_scanner_get_conn_result(nullptr, nullptr, nullptr, nullptr), 0);
}

}  // namespace
}  // namespace wifi_test
