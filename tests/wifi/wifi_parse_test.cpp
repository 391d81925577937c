// The readers of the tools' output, fed with output recorded here, and the
// checks that decide what may stand in a command.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <sstream>
#include <string>
#include <vector>

#include "hostile_text.hpp"
#include "stdout_capture.hpp"
#include "wifi/wifi_scanner_internal.h"

namespace {

/* --- iw scan dump --------------------------------------------------------- */

// One access point as the page sees it.
struct Ap {
    std::string ssid;
    std::string bssid;
    int signal;
    int channel;
    int freq;
    int encrypted;
    std::string enc;
};

bool operator==(const Ap &a, const Ap &b)
{
    return a.ssid == b.ssid && a.bssid == b.bssid && a.signal == b.signal && a.channel == b.channel &&
           a.freq == b.freq && a.encrypted == b.encrypted && a.enc == b.enc;
}

std::ostream &operator<<(std::ostream &out, const Ap &a)
{
    return out << "{\"" << a.ssid << "\" " << a.bssid << " sig " << a.signal << " ch " << a.channel << " freq "
               << a.freq << " " << a.encrypted << " " << a.enc << "}";
}

struct Parsed {
    int stored;
    std::vector<Ap> kept;
};

// As the scan worker reads a dump: line by line until the table is full,
// then strongest first with one record per name.
Parsed parse_dump(const std::string &dump)
{
    std::vector<wifi_ap_t> records(WIFI_MAX_APS);
    wifi_scan_parse_t parse;
    wifi_scan_parse_init(&parse, records.data());
    std::istringstream in(dump);
    std::string line;
    bool full = false;
    while (!full && std::getline(in, line)) {
        full = !wifi_scan_parse_line(&parse, (line + "\n").c_str());
    }
    if (!full) {
        wifi_scan_parse_end(&parse);
    }
    Parsed out{parse.count, {}};
    int32_t kept = wifi_scan_sort_dedup(records.data(), parse.count);
    for (int32_t i = 0; i < kept; i++) {
        const wifi_ap_t &r = records[i];
        out.kept.push_back({r.ssid, r.bssid, r.signal, r.channel, r.freq, r.encrypted, r.enc});
    }
    return out;
}

// A block as iw 5.x prints it, with the elements that matter given.
std::string block(const std::string &bssid, int freq, const std::string &signal, const std::string &ssid_line,
                  const std::string &security = "")
{
    return "BSS " + bssid + "(on wlan0)\n"
           "\tlast seen: 1204.572s [boottime]\n"
           "\tTSF: 2741912345 usec (0d, 00:45:41)\n"
           "\tfreq: " + std::to_string(freq) + "\n"
           "\tbeacon interval: 100 TUs\n"
           "\tcapability: ESS Privacy ShortSlotTime (0x0411)\n"
           "\tsignal: " + signal + " dBm\n"
           "\tlast seen: 20 ms ago\n"
           "\tInformation elements from Probe Response frame:\n" +
           ssid_line +
           "\tSupported rates: 1.0* 2.0* 5.5* 11.0* 9.0 18.0 36.0 54.0 \n"
           "\tDS Parameter set: channel 6\n" +
           security;
}

const std::string kRsn = "\tRSN:\t * Version: 1\n"
                         "\t\t * Group cipher: CCMP\n"
                         "\t\t * Pairwise ciphers: CCMP\n"
                         "\t\t * Authentication suites: PSK\n"
                         "\t\t * Capabilities: 16-PTKSA-RC 1-GTKSA-RC (0x000c)\n";
const std::string kWpa = "\tWPA:\t * Version: 1\n"
                         "\t\t * Group cipher: TKIP\n"
                         "\t\t * Pairwise ciphers: TKIP\n"
                         "\t\t * Authentication suites: PSK\n";

std::string ssid_line(const std::string &text)
{
    return "\tSSID: " + text + "\n";
}

struct DumpCase {
    const char *name;
    std::string dump;
    int stored;
    std::vector<Ap> kept;
};

// Lines that hold a field's name later in the line (an interworking HESSID,
// WPS texts): none of them is a field.
const std::string kDecoys = "\tHT capabilities:\n"
                            "\t\tCapabilities: 0x1ad\n"
                            "\tInterworking:\n"
                            "\t\tNetwork Type: 0 (Private)\n"
                            "\t\tHESSID: 3c:84:6a:10:20:ff\n"
                            "\tWPS:\t * Version: 1.0\n"
                            "\t\t * Device name: signal: -1 SSID: fake RSN: x\n"
                            "\t\t * Model: freq: 9999\n";

std::vector<DumpCase> dump_cases()
{
    const std::string a = "aa:bb:cc:dd:ee:01";
    const std::string b = "aa:bb:cc:dd:ee:02";
    const std::string c = "aa:bb:cc:dd:ee:03";
    return {
        {"two networks, strongest first",
         block(a, 2412, "-70.00", ssid_line("Cafe")) + block(b, 5180, "-40.00", ssid_line("Home"), kRsn),
         2,
         {{"Home", b, -40, 36, 5180, 1, "WPA2"}, {"Cafe", a, -70, 1, 2412, 0, "Open"}}},
        {"one name twice keeps the stronger",
         block(a, 2437, "-70.00", ssid_line("Home"), kRsn) + block(b, 5200, "-40.00", ssid_line("Home"), kRsn),
         2,
         {{"Home", b, -40, 40, 5200, 1, "WPA2"}}},
        {"no name or zero bytes read as hidden, all in one record",
         block(a, 2412, "-50.00", ssid_line("")) + block(b, 2412, "-60.00", ssid_line("\\x00\\x00\\x00")) +
             block(c, 2412, "-55.00", "\tSSID:\n"),
         3,
         {{"<hidden>", a, -50, 1, 2412, 0, "Open"}}},
        {"RSN after WPA, WPA after RSN, WPA alone",
         block(a, 2412, "-50", ssid_line("Both1"), kWpa + kRsn) +
             block(b, 2412, "-51", ssid_line("Both2"), kRsn + kWpa) +
             block(c, 2412, "-52", ssid_line("Old"), kWpa),
         3,
         {{"Both1", a, -50, 1, 2412, 1, "WPA2"},
          {"Both2", b, -51, 1, 2412, 1, "WPA2"},
          {"Old", c, -52, 1, 2412, 1, "WPA"}}},
        {"fields named later in a line are not fields",
         block(a, 2462, "-45.00", ssid_line("Real"), kDecoys),
         1,
         {{"Real", a, -45, 11, 2462, 0, "Open"}}},
        {"blanks after the colon skipped, at the end kept, CR LF dropped",
         block(a, 2412, "-45.00", "\tSSID:  \tname  \r\n"),
         1,
         {{"name  ", a, -45, 1, 2412, 0, "Open"}}},
        {"escaped bytes decoded: UTF-8, backslash, blanks at the ends",
         block(a, 2412, "-40", ssid_line("\\xe6\\x88\\x91\\xe7\\x9a\\x84\\xe7\\xbd\\x91")) +
             block(b, 2412, "-41", ssid_line("a\\x5cb\\x22")) + block(c, 2412, "-42", ssid_line("\\x20pad\\x20")),
         3,
         {{"我的网", a, -40, 1, 2412, 0, "Open"},
          {"a\\b\"", b, -41, 1, 2412, 0, "Open"},
          {" pad ", c, -42, 1, 2412, 0, "Open"}}},
        {"a name of more than 32 bytes is cut to 32",
         block(a, 2412, "-40", ssid_line(std::string(40, 'x'))) + block(b, 2412, "-41", ssid_line([] {
             std::string s;
             for (int i = 0; i < 40; i++) {
                 s += "\\x41";
             }
             return s;
         }())),
         2,
         {{std::string(32, 'x'), a, -40, 1, 2412, 0, "Open"}, {std::string(32, 'A'), b, -41, 1, 2412, 0, "Open"}}},
        {"address noted with the interface, lines before the first block ignored",
         "\tSSID: ghost\n\tsignal: -1.00 dBm\nBSS 11:22:33:44:55:66(on wlan0) -- associated\n\tSSID: x\n",
         1,
         {{"x", "11:22:33:44:55:66", 0, 0, 0, 0, "Open"}}},
        {"a block without fields",
         "BSS 11:22:33:44:55:66(on wlan0)\n",
         1,
         {{"<hidden>", "11:22:33:44:55:66", 0, 0, 0, 0, "Open"}}},
        {"frequencies to channels",
         block(a, 2484, "-40", ssid_line("c14")) + block(b, 2472, "-41", ssid_line("c13")) +
             block(c, 5955, "-42", ssid_line("6ghz")) +
             "BSS 11:22:33:44:55:66\n\tfreq: 5180.0\n\tsignal: -1.00 dBm\n\tSSID: frac\n" +
             "BSS 11:22:33:44:55:67\n\tfreq: 2411\n\tsignal: -2.00 dBm\n\tSSID: below\n",
         5,
         {{"frac", "11:22:33:44:55:66", -1, 36, 5180, 0, "Open"},
          {"below", "11:22:33:44:55:67", -2, 0, 2411, 0, "Open"},
          {"c14", a, -40, 14, 2484, 0, "Open"},
          {"c13", b, -41, 13, 2472, 0, "Open"},
          {"6ghz", c, -42, 0, 5955, 0, "Open"}}},
        {"signals far out of range are clamped, not overflowed",
         block(a, 2412, "-99999999999", ssid_line("low")) + block(b, 2412, "99999999999", ssid_line("high")) +
             block(c, 2412, "-", ssid_line("none")),
         3,
         {{"high", b, INT32_MAX, 1, 2412, 0, "Open"},
          {"none", c, 0, 1, 2412, 0, "Open"},
          {"low", a, INT32_MIN, 1, 2412, 0, "Open"}}},
    };
}

TEST(WifiScanParse, RecordedDumps)
{
    for (const DumpCase &c : dump_cases()) {
        SCOPED_TRACE(c.name);
        Parsed parsed = parse_dump(c.dump);
        EXPECT_EQ(parsed.stored, c.stored);
        EXPECT_EQ(parsed.kept, c.kept);
    }
}

TEST(WifiScanParse, AFullTableStopsTheReading)
{
    std::string dump;
    for (int i = 0; i < 130; i++) {
        char bssid[18];
        snprintf(bssid, sizeof(bssid), "02:00:00:00:%02x:%02x", i / 256, i % 256);
        dump += block(bssid, 2412, std::to_string(-30 - i % 60), ssid_line("net" + std::to_string(i)), kRsn);
    }
    Parsed parsed = parse_dump(dump);
    EXPECT_EQ(parsed.stored, WIFI_MAX_APS);
    ASSERT_EQ(parsed.kept.size(), (size_t)WIFI_MAX_APS);
    for (size_t i = 1; i < parsed.kept.size(); i++) {
        EXPECT_GE(parsed.kept[i - 1].signal, parsed.kept[i].signal);
    }
    for (const Ap &ap : parsed.kept) {
        EXPECT_NE(ap.ssid, "net128");
        EXPECT_NE(ap.ssid, "net129");
    }
}

TEST(WifiScanParse, LogsEachRecordTheRepeatsAndNothingElse)
{
    StdoutCapture captured;
    parse_dump(block("aa:bb:cc:dd:ee:01", 2412, "-45.00", ssid_line("Home"), kRsn) +
               block("aa:bb:cc:dd:ee:02", 5180, "-60.00", ssid_line("Home\\x0a"), "") +
               block("aa:bb:cc:dd:ee:03", 5180, "-40.00", ssid_line("Home"), kRsn));
    EXPECT_EQ(captured.text(),
              "[WiFi] AP[0]: SSID=\"Home\" BSSID=aa:bb:cc:dd:ee:01 CH=1 SIG=-45 ENC=WPA2 (encrypted)  FREQ=2412\n"
              "[WiFi] AP[1]: SSID=\"Home\\x0a\" BSSID=aa:bb:cc:dd:ee:02 CH=36 SIG=-60 ENC=Open (open)  FREQ=5180\n"
              "[WiFi] AP[2]: SSID=\"Home\" BSSID=aa:bb:cc:dd:ee:03 CH=36 SIG=-40 ENC=WPA2 (encrypted)\n"
              "[WiFi] dedup: 3 -> 2 unique SSIDs\n");
}

TEST(WifiScanParse, FrequencyToChannel)
{
    const struct {
        int32_t freq;
        int32_t channel;
    } cases[] = {{2484, 14}, {2412, 1},  {2472, 13}, {2417, 2}, {2411, 0}, {2473, 0}, {2477, 0},
                 {5180, 36}, {5005, 1},  {5900, 180}, {5901, 0}, {5955, 0}, {58320, 0}, {0, 0}, {-1, 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(wifi_freq_to_channel(c.freq), c.channel) << c.freq;
    }
}

/* --- Names as the tools print them ----------------------------------------- */

TEST(WifiNames, Unescape)
{
    const struct {
        const char *text;
        const char *name;
    } cases[] = {
        {"plain", "plain"},
        {"\\xe4\\xb8\\xad\\xe6\\x96\\x87", "中文"},
        {"\\x5c\\x22\\x27", "\\\"'"},
        {"a\\\\b\\\"c\\ed\\ne\\rf\\tg", "a\\b\"c\033d\ne\rf\tg"},
        {"tail\\", "tail\\"},
        {"bad\\xZZ", "bad\\xZZ"},
        {"cut\\x4", "cut\\x4"},
        {"\\x00after", ""},
        {"be\\x00fore", "be"},
        {"\\q", "\\q"},
    };
    for (const auto &c : cases) {
        char out[WIFI_SSID_MAX + 1];
        wifi_ssid_unescape(c.text, out);
        EXPECT_STREQ(out, c.name) << c.text;
    }
}

/* --- wpa_cli ---------------------------------------------------------------- */

TEST(WifiNetworkList, LineRule)
{
    const struct {
        const char *line;
        int usable;
        const char *id;
        const char *ssid;
        int flags;
    } cases[] = {
        {"network id / ssid / bssid / flags\n", 0, "", "", 0},
        {"3\tHome\tany\t[CURRENT]\n", 1, "3", "Home", WIFI_NET_CURRENT},
        {"0\tCafe Guest\tany\t\n", 1, "0", "Cafe Guest", 0},
        {"12\tNoMoreTabs\r\n", 1, "12", "NoMoreTabs", 0},
        {"4\t\tany\t[DISABLED]\n", 1, "4", "", WIFI_NET_DISABLED},
        {"8\tBlocked\tany\t[TEMP-DISABLED]\n", 1, "8", "Blocked", 0},
        {"9\t[DISABLED]\tany\t\n", 1, "9", "[DISABLED]", 0},
        {"10\tBoth\tany\t[CURRENT][DISABLED]\n", 1, "10", "Both", WIFI_NET_CURRENT | WIFI_NET_DISABLED},
        {"\tNoId\tany\t\n", 0, "", "", 0},
        {"no tab at all\n", 0, "", "", 0},
        {"1234567\tSeven\tany\t\n", 1, "1234567", "Seven", 0},
        {"12345678\tEight\tany\t\n", 0, "", "", 0},
        {"FAIL\tx\tany\t\n", 0, "", "", 0},
        {"-1\tneg\tany\t\n", 0, "", "", 0},
        {"5\tabcdefghijklmnopqrstuvwxyzABCDEFGHIJ\tany\t\n", 1, "5", "abcdefghijklmnopqrstuvwxyzABCDEF", 0},
        {"6\t\\xe6\\x88\\x91\\xe7\\x9a\\x84\tany\t\n", 1, "6", "我的", 0},
        {"7\tsay \\\"hi\\\"\\n\tany\t\n", 1, "7", "say \"hi\"\n", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        char id[WIFI_NET_ID_MAX + 1] = "";
        char ssid[WIFI_SSID_MAX + 1] = "";
        ASSERT_EQ(wifi_parse_net_line(c.line, id, ssid), c.usable);
        if (c.usable) {
            EXPECT_STREQ(id, c.id);
            EXPECT_STREQ(ssid, c.ssid);
            EXPECT_EQ(wifi_parse_net_flags(c.line), c.flags);
        }
    }
}

// Whole status outputs as the supplicant prints them in each state.
TEST(WifiStatus, OutputPerState)
{
    const struct {
        const char *name;
        const char *output;
        const char *state;
        const char *bssid;
        const char *id;
        int completed;
        int handshake;
    } cases[] = {
        {"disconnected", "wpa_state=DISCONNECTED\naddress=02:00:00:00:01:00\nuuid=1234\n", "DISCONNECTED", "", "",
         0, 0},
        {"scanning", "wpa_state=SCANNING\naddress=02:00:00:00:01:00\n", "SCANNING", "", "", 0, 0},
        {"associating",
         "bssid=3c:84:6a:10:20:01\nfreq=2437\nssid=Home\nid=1\nmode=station\nwpa_state=ASSOCIATING\n",
         "ASSOCIATING", "3c:84:6a:10:20:01", "1", 0, 0},
        {"handshake", "bssid=3c:84:6a:10:20:01\nssid=Home\nwpa_state=4WAY_HANDSHAKE\n", "4WAY_HANDSHAKE",
         "3c:84:6a:10:20:01", "", 0, 1},
        {"completed",
         "bssid=3c:84:6a:10:20:01\nfreq=2437\nssid=Home\nid=1\nmode=station\npairwise_cipher=CCMP\n"
         "group_cipher=CCMP\nkey_mgmt=WPA2-PSK\nwpa_state=COMPLETED\nip_address=192.168.1.23\n"
         "p2p_device_address=02:00:00:00:01:00\naddress=02:00:00:00:01:00\n",
         "COMPLETED", "3c:84:6a:10:20:01", "1", 1, 0},
        {"a name posing as fields",
         "bssid=3c:84:6a:10:20:01\nssid=wpa_state=COMPLETED bssid=de:ad:be:ef:00:00 id=9\nid=4\n"
         "wpa_state=4WAY_HANDSHAKE\n",
         "4WAY_HANDSHAKE", "3c:84:6a:10:20:01", "4", 0, 1},
        {"an id too long to be one", "id=12345678\nwpa_state=COMPLETED\n", "COMPLETED", "", "", 1, 0},
        {"nothing printed", "", "", "", "", 0, 0},
        {"state cut to 63",
         "wpa_state=ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ\n",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJK", "", "", 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        wifi_status_poll_t poll = {};
        std::istringstream in(c.output);
        std::string line;
        while (std::getline(in, line)) {
            wifi_parse_status_line((line + "\n").c_str(), &poll);
        }
        EXPECT_STREQ(poll.state, c.state);
        EXPECT_STREQ(poll.bssid, c.bssid);
        EXPECT_STREQ(poll.id, c.id);
        EXPECT_EQ(poll.completed, c.completed);
        EXPECT_EQ(poll.handshake, c.handshake);
    }
}

/* --- ip and the resolver file ----------------------------------------------- */

TEST(WifiAddresses, AddressLines)
{
    const struct {
        const char *line;
        int usable;
        const char *ip;
        const char *netmask;  // "-" when the line gives none
    } cases[] = {
        {"    inet 192.168.1.23/24 brd 192.168.1.255 scope global dynamic wlan0\n", 1, "192.168.1.23", "255.255.255.0"},
        {"    inet 10.1.2.3/16 scope global wlan0\n", 1, "10.1.2.3", "255.255.0.0"},
        {"    inet 10.1.2.4/32 scope global wlan0\n", 1, "10.1.2.4", "255.255.255.255"},
        {"    inet 10.1.2.5/0 scope global wlan0\n", 1, "10.1.2.5", "0.0.0.0"},
        {"    inet 10.1.2.6/99999999999 scope global wlan0\n", 1, "10.1.2.6", "255.255.255.255"},
        {"    inet 10.0.0.1 peer 10.0.0.2/32 scope global ppp0\n", 1, "10.0.0.1", "-"},
        {"    inet 127.0.0.1/8 scope host lo\n", 0, "", ""},
        {"    inet 169.254.3.4/16 scope link wlan0\n", 0, "", ""},
        {"    inet6 2001:db8::1/64 scope global\n", 0, "", ""},
        {"    inet 999.1.1.1/24 scope global wlan0\n", 0, "", ""},
        {"    inet 1.2.3.4.5.6.7.8.9/24 scope global wlan0\n", 0, "", ""},
        {"    link/ether 02:00:00:00:01:00 brd ff:ff:ff:ff:ff:ff\n", 0, "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        char ip[16] = "";
        char netmask[16] = "-";
        ASSERT_EQ(wifi_parse_addr_line(c.line, ip, netmask), c.usable);
        if (c.usable) {
            EXPECT_STREQ(ip, c.ip);
            EXPECT_STREQ(netmask, c.netmask);
        }
    }
}

TEST(WifiAddresses, PrefixToMask)
{
    const struct {
        int prefix;
        const char *mask;
    } cases[] = {{24, "255.255.255.0"}, {16, "255.255.0.0"}, {32, "255.255.255.255"}, {33, "255.255.255.255"},
                 {0, "0.0.0.0"},        {-5, "0.0.0.0"},     {1, "128.0.0.0"},        {31, "255.255.255.254"},
                 {20, "255.255.240.0"}};
    for (const auto &c : cases) {
        char mask[16];
        wifi_prefix_to_mask(c.prefix, mask);
        EXPECT_STREQ(mask, c.mask) << c.prefix;
    }
}

TEST(WifiAddresses, RouteAndResolverLines)
{
    char gw[16] = "";
    EXPECT_TRUE(wifi_parse_route_line("default via 192.168.1.1 dev wlan0 proto dhcp metric 600\n", gw));
    EXPECT_STREQ(gw, "192.168.1.1");
    EXPECT_FALSE(wifi_parse_route_line("default dev ppp0 scope link\n", gw));
    EXPECT_FALSE(wifi_parse_route_line("default via fe80::1 dev wlan0\n", gw));
    EXPECT_FALSE(wifi_parse_route_line("default via 192.168.100.100.1 dev wlan0\n", gw));

    const struct {
        const char *line;
        int usable;
        const char *dns;
    } cases[] = {
        {"nameserver 192.168.1.1\n", 1, "192.168.1.1"},
        {"nameserver 8.8.8.8 # google\n", 1, "8.8.8.8"},
        {"# nameserver 1.1.1.1\n", 0, ""},
        {"search lan\n", 0, ""},
        {"nameserver 2001:4860:4860::8888\n", 0, ""},
        {"  nameserver 1.1.1.1\n", 0, ""},
        {"nameservers 1.1.1.1\n", 0, ""},
    };
    for (const auto &c : cases) {
        char dns[16] = "";
        EXPECT_EQ(wifi_parse_resolv_line(c.line, dns), c.usable) << c.line;
        EXPECT_STREQ(dns, c.dns) << c.line;
    }
}

/* --- Plain forms ------------------------------------------------------------ */

TEST(WifiPlainForms, WhatMayStandInACommand)
{
    const struct {
        int (*check)(const char *);
        const char *value;
        int valid;
    } cases[] = {
        {wifi_valid_ifname, "wlan0", 1},
        {wifi_valid_ifname, "wlp2s0.100", 1},
        {wifi_valid_ifname, "br-lan_1", 1},
        {wifi_valid_ifname, "", 0},
        {wifi_valid_ifname, nullptr, 0},
        {wifi_valid_ifname, "-i", 0},
        {wifi_valid_ifname, "wlan0;reboot", 0},
        {wifi_valid_ifname, "wlan 0", 0},
        {wifi_valid_ifname, "wlan0$(x)", 0},
        {wifi_valid_ifname, "abcdefghijklmnop", 0},
        {wifi_valid_net_id, "0", 1},
        {wifi_valid_net_id, "1234567", 1},
        {wifi_valid_net_id, "12345678", 0},
        {wifi_valid_net_id, "FAIL", 0},
        {wifi_valid_net_id, "1 2", 0},
        {wifi_valid_net_id, "", 0},
        {wifi_valid_bssid, "aa:bb:cc:dd:ee:ff", 1},
        {wifi_valid_bssid, "AA:BB:CC:00:11:22", 1},
        {wifi_valid_bssid, "aa:bb:cc:dd:ee:f", 0},
        {wifi_valid_bssid, "aa-bb-cc-dd-ee-ff", 0},
        {wifi_valid_bssid, "aa:bb:cc:dd:ee:fg", 0},
        {wifi_valid_bssid, "aa:bb:cc:dd:ee:ff;", 0},
        {wifi_valid_ipv4, "192.168.1.10", 1},
        {wifi_valid_ipv4, "0.0.0.0", 1},
        {wifi_valid_ipv4, "256.1.1.1", 0},
        {wifi_valid_ipv4, "1.2.3", 0},
        {wifi_valid_ipv4, "1.2.3.4 ", 0},
        {wifi_valid_ipv4, "1.2.3.4;id", 0},
        {wifi_valid_netmask, "24", 1},
        {wifi_valid_netmask, "0", 1},
        {wifi_valid_netmask, "32", 1},
        {wifi_valid_netmask, "33", 0},
        {wifi_valid_netmask, "255.255.255.0", 1},
        {wifi_valid_netmask, "24;id", 0},
        {wifi_valid_netmask, "", 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.check(c.value), c.valid) << (c.value ? c.value : "(null)");
    }
}

// A network name is the tool's text: it is stored as it came and logged
// escaped, Chinese kept.
TEST(WifiScanParse, NamesAreLoggedEscaped)
{
    StdoutCapture captured;
    Parsed parsed =
        parse_dump(block("aa:bb:cc:dd:ee:01", 2412, "-45.00", ssid_line(test_support::kHostileNameHex), kRsn));
    ASSERT_EQ(parsed.kept.size(), 1u);
    EXPECT_EQ(parsed.kept[0].ssid, test_support::kHostileName);
    EXPECT_EQ(captured.text(), "[WiFi] AP[0]: SSID=\"" + test_support::kHostileShown +
                                   "\" BSSID=aa:bb:cc:dd:ee:01 CH=1 SIG=-45 ENC=WPA2 (encrypted)\n");
}

/* --- The DHCP handler script ----------------------------------------------- */

TEST(WifiDhcpScript, TheFileBytes)
{
    char text[2048];
    size_t len = wifi_dhcp_script(text, sizeof(text), "/etc/resolv.conf");
    std::string script(text, len);
    EXPECT_EQ(len, 735u);
    EXPECT_EQ(std::count(script.begin(), script.end(), '\n'), 27);
    EXPECT_EQ(script.back(), '\n');
    EXPECT_EQ(script.rfind("#!/bin/sh\n# minimal udhcpc handler (written by wifi_scanner_lvgl)\n", 0), 0u);
    EXPECT_NE(script.find("    ip addr replace \"$ip/${mask:-24}\" dev \"$interface\" 2>/dev/null\n"),
              std::string::npos);
    EXPECT_NE(script.find("        echo \"nameserver 8.8.8.8\" >> /etc/resolv.conf 2>/dev/null\n"), std::string::npos);
    EXPECT_EQ(script.substr(script.size() - 12), "esac\nexit 0\n");

    len = wifi_dhcp_script(text, sizeof(text), "/x/r");
    script.assign(text, len);
    EXPECT_EQ(script.find("/etc/resolv.conf"), std::string::npos);
    EXPECT_NE(script.find("    : > /x/r 2>/dev/null\n"), std::string::npos);
}

}  // namespace
