// Test stand-in of killall: "killall wpa_supplicant" stops the supplicant of
// the state folder; no process of this machine is ever signalled.
#include <cstdio>
#include <string>

#include "standin.h"

namespace {

int killall(const wireless::Scenario &sc, wireless::State &st, int argc, char **argv)
{
    std::string name = argc == 2 ? argv[1] : "";
    wireless::Supplicant sup = wireless::load_supplicant(sc, st);
    if (name != "wpa_supplicant" || !sup.running) {
        std::fprintf(stderr, "%s: no process found\n", name.c_str());
        return 1;
    }
    sup.running = false;
    sup.hung = false;
    wireless::store_supplicant(st, sup);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    return wireless::run_tool(argc, argv, killall);
}
