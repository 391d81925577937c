// Stand-in of wpa_supplicant: "wpa_supplicant -B -i IF -c CONF" marks the
// supplicant of the state folder as running with the networks of its
// configuration, which the state folder keeps: CONF (the board's
// /etc/wpa_supplicant.conf) is recorded but never read, so that starting it
// needs no file of this machine. It fails as the real one does when one runs
// already, or always when the scenario says "supplicant dead".
#include <cstdio>
#include <cstring>
#include <string>

#include "standin.h"

namespace {

int wpa_supplicant(const wireless::Scenario &sc, wireless::State &st, int argc, char **argv)
{
    std::string ifname;
    std::string conf;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "-i") == 0 && i + 1 < argc) {
            ifname = argv[++i];
        } else if (std::strcmp(argv[i], "-c") == 0 && i + 1 < argc) {
            conf = argv[++i];
        }
    }
    if (sc.supplicant == "dead") {
        std::fprintf(stderr, "Could not read interface %s flags: No such device\n", ifname.c_str());
        return 255;
    }
    wireless::Supplicant sup = wireless::load_supplicant(sc, st);
    if (sup.running) {
        std::fprintf(stderr, "ctrl_iface exists and seems to be in use - cannot override it\n");
        return 255;
    }
    if (conf.empty()) {
        std::fprintf(stderr, "No configuration file given.\n");
        return 255;
    }
    sup = {true, false, conf};
    wireless::store_supplicant(st, sup);
    st.write("networks", wireless::load_networks(sc, st, "saved"));
    st.write("assoc", {});
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    return wireless::run_tool(argc, argv, wpa_supplicant);
}
