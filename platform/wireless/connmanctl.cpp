// Stand-in of connmanctl: "enable wifi" and "disable wifi" set a flag in the
// state folder; nothing else is offered.
#include <cstdio>
#include <string>

#include "standin.h"

namespace {

int connmanctl(const wireless::Scenario &, wireless::State &st, int argc, char **argv)
{
    std::string verb = argc >= 2 ? argv[1] : "";
    if (argc != 3 || std::string(argv[2]) != "wifi" || (verb != "enable" && verb != "disable")) {
        std::fprintf(stderr, "Error: unsupported command\n");
        return 1;
    }
    bool enable = verb == "enable";
    std::vector<wireless::Record> now = st.has("wifi") ? st.read("wifi") : std::vector<wireless::Record>{};
    if (!now.empty() && (now[0]["enabled"] == "1") == enable) {
        std::printf("Error wifi: Already %s\n", enable ? "enabled" : "disabled");
        return 0;
    }
    st.write("wifi", {{{"enabled", enable ? "1" : "0"}}});
    std::printf("%s wifi\n", enable ? "Enabled" : "Disabled");
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    return wireless::run_tool(argc, argv, connmanctl);
}
