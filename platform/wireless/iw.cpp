// Stand-in of iw for the two scan commands the interface runs:
//   iw dev IF scan trigger   fails when the scenario says "fail scan-trigger"
//   iw dev IF scan dump      one block per access point of the scenario
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "standin.h"

namespace {

using wireless::AccessPoint;

// As iw prints a name: a byte that is not printable, a backslash, or a blank
// at either end becomes \xNN.
std::string iw_ssid(const std::string &ssid)
{
    std::string out;
    for (size_t i = 0; i < ssid.size(); i++) {
        unsigned char c = static_cast<unsigned char>(ssid[i]);
        bool inner_blank = c == ' ' && i != 0 && i + 1 != ssid.size();
        if ((std::isprint(c) && c != ' ' && c != '\\') || inner_blank) {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof(hex), "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

// A hidden network sends its name's length in zero bytes.
std::string shown_ssid(const AccessPoint &ap)
{
    if (!ap.hidden) {
        return iw_ssid(ap.ssid);
    }
    std::string zeros;
    for (size_t i = 0; i < ap.ssid.size(); i++) {
        zeros += "\\x00";
    }
    return zeros;
}

void print_rsn()
{
    std::printf("\tRSN:\t * Version: 1\n"
                "\t\t * Group cipher: CCMP\n"
                "\t\t * Pairwise ciphers: CCMP\n"
                "\t\t * Authentication suites: PSK\n"
                "\t\t * Capabilities: 16-PTKSA-RC 1-GTKSA-RC (0x000c)\n");
}

void print_wpa()
{
    std::printf("\tWPA:\t * Version: 1\n"
                "\t\t * Group cipher: TKIP\n"
                "\t\t * Pairwise ciphers: TKIP\n"
                "\t\t * Authentication suites: PSK\n");
}

void print_block(const AccessPoint &ap, const std::string &ifname)
{
    bool secured = ap.security != "open";
    std::printf("BSS %s(on %s)\n", ap.bssid.c_str(), ifname.c_str());
    std::printf("\tlast seen: 120.000s [boottime]\n"
                "\tTSF: 0 usec (0d, 00:00:00)\n");
    std::printf("\tfreq: %d\n", ap.freq);
    std::printf("\tbeacon interval: 100 TUs\n"
                "\tcapability: ESS%s ShortSlotTime (0x%04x)\n",
                secured ? " Privacy" : "", secured ? 0x0411 : 0x0401);
    std::printf("\tsignal: %d.00 dBm\n", ap.signal);
    std::printf("\tlast seen: 120 ms ago\n"
                "\tInformation elements from Probe Response frame:\n");
    std::printf("\tSSID: %s\n", shown_ssid(ap).c_str());
    std::printf("\tSupported rates: 1.0* 2.0* 5.5* 11.0* 6.0 9.0 12.0 18.0 \n");
    if (ap.security == "wpa" || ap.security == "wpa-wpa2") {
        print_wpa();
    }
    if (ap.security == "wpa2" || ap.security == "wpa-wpa2") {
        print_rsn();
    }
}

int iw(const wireless::Scenario &scenario, wireless::State &, int argc, char **argv)
{
    bool scan = argc >= 4 && std::strcmp(argv[1], "dev") == 0 && std::strcmp(argv[3], "scan") == 0;
    std::string sub = argc >= 5 ? argv[4] : "";
    if (scan && sub == "trigger") {
        if (scenario.fails("scan-trigger")) {
            std::fprintf(stderr, "command failed: Device or resource busy (-16)\n");
            return 240;
        }
        return 0;
    }
    if (scan && (sub == "dump" || sub.empty())) {
        for (const AccessPoint &ap : scenario.aps) {
            print_block(ap, argv[2]);
        }
        return 0;
    }
    std::fprintf(stderr, "iw stand-in: unsupported command\n");
    return 1;
}

}  // namespace

int main(int argc, char **argv)
{
    return wireless::run_tool(argc, argv, iw);
}
