// Stand-in of pidof for the wireless programs: "pidof wpa_supplicant" names
// the supplicant of the state folder when it runs; "pidof udhcpc" and
// "pidof dhcpcd" name none, so a caller can signal nothing of this machine
// by them (the backend finds the clients of its device itself). Any other
// name is passed on to the machine's own pidof.
#include <cstdio>
#include <string>

#include "standin.h"

namespace {

const char *const kWirelessPrograms[] = {"wpa_supplicant", "udhcpc", "dhcpcd"};
const char *const kSupplicantPid = "4242";

bool is_wireless(const std::string &name)
{
    for (const char *program : kWirelessPrograms) {
        if (name == program) {
            return true;
        }
    }
    return false;
}

int pidof(const wireless::Scenario &sc, wireless::State &st, int argc, char **argv)
{
    if (argc == 2 && std::string(argv[1]) == "wpa_supplicant" && wireless::load_supplicant(sc, st).running) {
        std::printf("%s\n", kSupplicantPid);
        return 0;
    }
    return 1;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && is_wireless(argv[1])) {
        return wireless::run_tool(argc, argv, pidof);
    }
    wireless::pass_on(argv);
    return 1;
}
