// Hostile network names (from the air) and passwords (from the keyboard):
// each reaches wpa_cli whole, as one argument, and nothing else; no shell
// ever reads it, so no file that a payload names is ever created, and no
// password reaches the console.
#include <unistd.h>

#include <string>
#include <vector>

#include "wifi/wifi_scanner_internal.h"
#include "wifi_fixture.h"

namespace wifi_test {
namespace {

struct Hostile {
    std::string ssid;      // at most 32 bytes
    std::string password;  // at most 63 bytes
};

// Each payload, were it run, would create a file pN or qN in the sandbox
// (the test's working directory).
const std::vector<Hostile> kHostile = {
    {"$(touch p1)", "$(touch q1)"},
    {"`touch p2`", "`touch q2`"},
    {"'; touch p3; echo '", "'\"; touch q3; echo \"'"},
    {"\"; touch p4; echo \"", "x' && touch q4 || '"},
    {"a\ntouch p5\n", "pass\ntouch q5\n"},
    {"${IFS}touch${IFS}p6;", "; touch q6 #"},
    {"-x;touch p7|touch p8&", "%s%n%x -- touch q7 >q8"},
    {"\\\" \\x41 \\", " lead and trail "},
    {"中文'$(touch p9)", "密码`touch q9`"},
};

// The scenario word for a value: every byte outside plain ASCII printing
// characters as \xNN.
std::string word(const std::string &value)
{
    std::string out;
    for (unsigned char c : value) {
        char hex[5];
        snprintf(hex, sizeof(hex), "\\x%02x", c);
        out += hex;
    }
    return out;
}

std::vector<std::string> payload_files()
{
    std::vector<std::string> files;
    for (int i = 1; i <= 9; i++) {
        files.push_back("p" + std::to_string(i));
        files.push_back("q" + std::to_string(i));
    }
    return files;
}

class WifiInjection : public WifiTest {
protected:
    void SetUp() override
    {
        WifiTest::SetUp();
        std::string world = "dhcp lease 192.168.1.23 24 192.168.1.1 192.168.1.1\n";
        for (size_t i = 0; i < kHostile.size(); i++) {
            char bssid[32];
            snprintf(bssid, sizeof(bssid), "02:00:00:00:00:%02x", (unsigned)(i & 0xFF));
            world += "ap " + std::string(bssid) + " 2412 -" + std::to_string(40 + i) + " wpa2 " +
                     word(kHostile[i].ssid) + "\n";
            world += "key " + word(kHostile[i].ssid) + " " + word(kHostile[i].password) + "\n";
        }
        scenario(world);
    }

    // The name as the scan shows it to the page.
    std::string scanned_name(size_t i)
    {
        int32_t count = 0;
        const wifi_ap_t *aps = wifi_scanner_get_ap_list(&count);
        return i < (size_t)count ? aps[i].ssid : "";
    }

    void expect_no_payload_ran()
    {
        for (const std::string &file : payload_files()) {
            EXPECT_NE(access(path(file).c_str(), F_OK), 0) << file;
        }
    }
};

bool contains(const Call &call, const std::string &text)
{
    for (const std::string &w : call) {
        if (w.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

class WifiInjectionEach : public WifiInjection, public ::testing::WithParamInterface<size_t> {};

TEST_P(WifiInjectionEach, NameAndPasswordReachTheToolWholeAndNothingElse)
{
    const size_t i = GetParam();
    const Hostile &h = kHostile[i];
    wifi_scanner_trigger_scan();
    wait_scan();
    ASSERT_EQ(scanned_name(i), h.ssid);
    restart();

    wifi_scanner_connect(h.ssid.c_str(), h.password.c_str());
    wait_conn();
    EXPECT_STREQ(wifi_scanner_get_conn_info()->status, "Connected");
    EXPECT_EQ(wifi_scanner_get_conn_info()->ssid, h.ssid);

    int ssid_calls = 0;
    int psk_calls = 0;
    for (const Call &call : calls()) {
        if (call.size() == 7 && call[0] == "wpa_cli" && call[5] == "ssid") {
            EXPECT_EQ(call[6], "\"" + h.ssid + "\"");
            ssid_calls++;
        } else if (call.size() == 7 && call[0] == "wpa_cli" && call[5] == "psk") {
            EXPECT_EQ(call[6], "\"" + h.password + "\"");
            psk_calls++;
        } else {
            EXPECT_FALSE(contains(call, h.ssid) || contains(call, h.password)) << call[0];
        }
    }
    EXPECT_EQ(ssid_calls, 1);
    EXPECT_EQ(psk_calls, 1);

    std::string out = log();
    EXPECT_EQ(out.find(h.password), std::string::npos) << out;
    for (const std::string &line : lines_of(out)) {
        EXPECT_EQ(line.rfind("[WiFi", 0), 0u) << line;  // a name never breaks a log line
    }
    expect_no_payload_ran();
}

INSTANTIATE_TEST_SUITE_P(Hostile, WifiInjectionEach, ::testing::Range<size_t>(0, kHostile.size()));

TEST_F(WifiInjection, KeptNetworksAreFoundAndForgottenByIdOnly)
{
    std::string saved;
    for (const Hostile &h : kHostile) {
        saved += "saved " + word(h.ssid) + " " + word(h.password) + "\n";
    }
    scenario(saved + "dhcp lease 192.168.1.23 24 192.168.1.1 192.168.1.1\n");

    int32_t count = 0;
    const wifi_saved_net_t *nets = wifi_scanner_get_saved_networks(&count);
    ASSERT_EQ(count, (int32_t)kHostile.size());
    for (size_t i = 0; i < kHostile.size(); i++) {
        EXPECT_EQ(nets[i].ssid, kHostile[i].ssid) << i;
    }

    wifi_scanner_connect_saved(kHostile[0].ssid.c_str());
    wait_conn();
    EXPECT_TRUE(in_order(call_lines(), {"wpa_cli -i wlan0 select_network 0", "wpa_cli -i wlan0 reassociate"}));

    for (size_t i = 0; i < kHostile.size(); i++) {
        EXPECT_EQ(wifi_scanner_forget_network(kHostile[i].ssid.c_str()), 1) << i;
    }
    for (const Call &call : calls()) {
        for (const Hostile &h : kHostile) {
            EXPECT_FALSE(contains(call, h.ssid) || contains(call, h.password)) << call[0];
        }
    }
    wifi_scanner_get_saved_networks(&count);
    EXPECT_EQ(count, 0);
    expect_no_payload_ran();
}

TEST_F(WifiInjection, AWrongPasswordCannotPoseAsSuccessThroughTheName)
{
    // The supplicant prints "ssid=<name>" in its status: a name that reads
    // like the state line must not count as one.
    scenario("ap 02:00:00:00:00:01 2412 -40 wpa2 wpa_state=COMPLETED\nkey wpa_state=COMPLETED right\n"
             "ap 02:00:00:00:00:02 2412 -41 wpa2 x\\x0awpa_state=COMPLETED\nkey x\\x0awpa_state=COMPLETED right\n");
    for (const char *name : {"wpa_state=COMPLETED", "x\nwpa_state=COMPLETED"}) {
        SCOPED_TRACE(name);
        restart();
        wifi_scanner_connect(name, "wrong");
        wait_conn();
        EXPECT_STREQ(wifi_scanner_get_conn_info()->status, "Wrong password");
    }
}

}  // namespace
}  // namespace wifi_test
