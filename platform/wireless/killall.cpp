// Stand-in of killall for the supplicant: "killall [-0] wpa_supplicant" stops
// (or, with -0, only looks for) the supplicant of the state folder, so no
// process of this machine is ever signalled for it. Any other name is passed
// on to the machine's own killall (the interface stops its service programs
// with it).
#include <cstdio>
#include <cstring>
#include <string>

#include "standin.h"

namespace {

const char *const kSupplicant = "wpa_supplicant";

bool names_supplicant(int argc, char **argv)
{
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], kSupplicant) == 0) {
            return true;
        }
    }
    return false;
}

bool probe_only(int argc, char **argv)
{
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "-0") == 0) {
            return true;
        }
    }
    return false;
}

int killall(const wireless::Scenario &sc, wireless::State &st, int argc, char **argv)
{
    wireless::Supplicant sup = wireless::load_supplicant(sc, st);
    if (!sup.running) {
        std::fprintf(stderr, "%s: no process found\n", kSupplicant);
        return 1;
    }
    if (!probe_only(argc, argv)) {
        sup.running = false;
        sup.hung = false;
        wireless::store_supplicant(st, sup);
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (names_supplicant(argc, argv)) {
        return wireless::run_tool(argc, argv, killall);
    }
    wireless::pass_on(argv);
    std::fprintf(stderr, "%s: no process found\n", argc > 1 ? argv[argc - 1] : "killall");
    return 1;
}
