// Test stand-in of pidof: knows only the supplicant of the state folder, so
// the tests never look at this machine's processes.
#include <cstdio>
#include <string>

#include "standin.h"

namespace {

int pidof(const wireless::Scenario &sc, wireless::State &st, int argc, char **argv)
{
    if (argc == 2 && std::string(argv[1]) == "wpa_supplicant" && wireless::load_supplicant(sc, st).running) {
        std::printf("4242\n");
        return 0;
    }
    return 1;
}

}  // namespace

int main(int argc, char **argv)
{
    return wireless::run_tool(argc, argv, pidof);
}
