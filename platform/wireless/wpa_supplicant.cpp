// Stand-in of wpa_supplicant: "wpa_supplicant -B -i IF -c CONF" marks the
// supplicant of the state folder as running with the networks of its
// configuration. It fails as the real one does when one runs already, when
// CONF cannot be read, or always when the scenario says "supplicant dead".
#include <unistd.h>

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
    if (conf.empty() || access(conf.c_str(), R_OK) != 0) {
        std::fprintf(stderr, "Failed to read or parse configuration '%s'.\n", conf.c_str());
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
