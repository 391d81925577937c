// Stand-in of wpa_cli: "wpa_cli -i IF COMMAND [ARG...]" against the
// supplicant of the state folder. It answers the commands the interface
// sends; "status" shows the next state of the join sequence that the last
// select_network or reassociate started (see join_sequence), one per call,
// staying on the last. Against a supplicant that runs but does not answer
// ("supplicant hung") it waits for the reply as the real one does, ten
// seconds, and then says the command timed out.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "standin.h"

namespace {

using wireless::Record;
using wireless::Scenario;
using wireless::State;

const char *const kOwnAddress = "02:00:00:00:01:00";
const unsigned kReplyWaitSeconds = 10;

struct Session {
    const Scenario &sc;
    State &st;
    std::string ifname;
    std::vector<Record> nets;
};

std::string unquote(const std::string &value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool quoted(const std::string &value)
{
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

// As the supplicant prints a network name: quotes, backslashes and bytes
// outside printable ASCII escaped, so a name never spans two lines.
std::string encode_ssid(const std::string &ssid)
{
    std::string out;
    for (unsigned char c : ssid) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\033': out += "\\e"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c >= 32 && c < 127) {
                out += static_cast<char>(c);
            } else {
                char hex[5];
                std::snprintf(hex, sizeof(hex), "\\x%02x", c);
                out += hex;
            }
        }
    }
    return out;
}

Record *find_net(Session &s, const std::string &id)
{
    for (Record &r : s.nets) {
        if (r["id"] == id) {
            return &r;
        }
    }
    return nullptr;
}

const wireless::AccessPoint *find_ap(const Scenario &sc, const Record &net)
{
    std::string ssid = unquote(net.count("ssid") ? net.at("ssid") : "");
    std::string bssid = net.count("bssid") ? net.at("bssid") : "";
    for (const wireless::AccessPoint &ap : sc.aps) {
        if (ap.ssid == ssid && (bssid.empty() || bssid == ap.bssid)) {
            return &ap;
        }
    }
    return nullptr;
}

std::string field(const Record &r, const char *name)
{
    auto it = r.find(name);
    return it == r.end() ? "" : it->second;
}

// What joining this network goes through: the access point's own sequence,
// else "ok" with the right key (or none for an open network), "wrong-key"
// with another one, "unreachable" when no access point answers to it.
std::string join_sequence(const Scenario &sc, const Record &net)
{
    const wireless::AccessPoint *ap = find_ap(sc, net);
    if (ap == nullptr || (ap->hidden && field(net, "scan_ssid") != "1")) {
        return "unreachable";
    }
    if (!ap->join.empty()) {
        return ap->join;
    }
    auto key = sc.keys.find(ap->ssid);
    std::string wanted = key == sc.keys.end() ? "" : "\"" + key->second + "\"";
    if (ap->security == "open") {
        return field(net, "key_mgmt") == "NONE" && field(net, "psk").empty() ? "ok" : "unreachable";
    }
    std::string given = ap->security == "wep" ? field(net, "wep_key0") : field(net, "psk");
    if (given.empty()) {
        return "unreachable";
    }
    return given == wanted ? "ok" : "wrong-key";
}

Record load_assoc(const State &st)
{
    std::vector<Record> records = st.has("assoc") ? st.read("assoc") : std::vector<Record>{};
    return records.empty() ? Record{} : records[0];
}

void start_join(Session &s, const std::string &id)
{
    Record *net = find_net(s, id);
    if (net == nullptr) {
        return;
    }
    Record assoc = {{"id", id}, {"seq", join_sequence(s.sc, *net)}, {"step", "0"}};
    if (const wireless::AccessPoint *ap = find_ap(s.sc, *net)) {
        assoc["bssid"] = ap->bssid;
        assoc["freq"] = std::to_string(ap->freq);
    }
    s.st.write("assoc", {assoc});
}

std::string current_state(const Session &s, const Record &assoc)
{
    if (field(assoc, "seq").empty()) {
        return "DISCONNECTED";
    }
    const std::vector<std::string> &seq = s.sc.sequence(assoc.at("seq"));
    size_t step = std::stoul(assoc.at("step"));
    return seq[step < seq.size() ? step : seq.size() - 1];
}

bool with_access_point(const std::string &state)
{
    for (const char *s : {"ASSOCIATING", "ASSOCIATED", "4WAY_HANDSHAKE", "GROUP_HANDSHAKE", "COMPLETED"}) {
        if (state == s) {
            return true;
        }
    }
    return false;
}

void print_status(Session &s)
{
    Record assoc = load_assoc(s.st);
    std::string state = current_state(s, assoc);
    if (!field(assoc, "seq").empty()) {
        assoc["step"] = std::to_string(std::stoul(assoc["step"]) + 1);
        s.st.write("assoc", {assoc});
    }
    Record *net = find_net(s, field(assoc, "id"));
    if (net != nullptr && with_access_point(state)) {
        std::printf("bssid=%s\nfreq=%s\nssid=%s\nid=%s\nmode=station\n", field(assoc, "bssid").c_str(),
                    field(assoc, "freq").c_str(), encode_ssid(unquote(field(*net, "ssid"))).c_str(),
                    field(assoc, "id").c_str());
        std::printf("pairwise_cipher=CCMP\ngroup_cipher=CCMP\nkey_mgmt=WPA2-PSK\n");
    }
    std::printf("wpa_state=%s\n", state.c_str());
    if (state == "COMPLETED") {
        for (const wireless::Address &a : wireless::load_net(s.st).addresses) {
            if (a.ifname == s.ifname) {
                std::printf("ip_address=%s\n", a.ip.c_str());
            }
        }
    }
    std::printf("address=%s\n", kOwnAddress);
}

void print_networks(Session &s)
{
    Record assoc = load_assoc(s.st);
    bool completed = current_state(s, assoc) == "COMPLETED";
    std::printf("network id / ssid / bssid / flags\n");
    for (Record &r : s.nets) {
        std::string flags;
        if (completed && r["id"] == field(assoc, "id")) {
            flags = "[CURRENT]";
        } else if (r["disabled"] == "1") {
            flags = "[DISABLED]";
        }
        std::string bssid = r["bssid"].empty() ? "any" : r["bssid"];
        std::printf("%s\t%s\t%s\t%s\n", r["id"].c_str(), encode_ssid(unquote(r["ssid"])).c_str(), bssid.c_str(),
                    flags.c_str());
    }
}

int next_id(const Session &s)
{
    int next = 0;
    for (const Record &r : s.nets) {
        next = std::max(next, std::stoi(r.at("id")) + 1);
    }
    return next;
}

// wpa_cli joins the words after the field into one value.
std::string join_words(const std::vector<std::string> &args, size_t from)
{
    std::string value;
    for (size_t i = from; i < args.size(); i++) {
        value += (i > from ? " " : "") + args[i];
    }
    return value;
}

bool set_network(Session &s, const std::vector<std::string> &args)
{
    Record *net = args.size() >= 3 ? find_net(s, args[0]) : nullptr;
    if (net == nullptr) {
        return false;
    }
    std::string value = join_words(args, 2);
    const std::string &name = args[1];
    if ((name == "psk" || name == "wep_key0") && !quoted(value)) {
        return false;
    }
    (*net)[name] = value;
    return true;
}

bool run_command(Session &s, const std::string &cmd, const std::vector<std::string> &args)
{
    if (cmd == "set_network") {
        return set_network(s, args);
    }
    if (cmd == "enable_network" || cmd == "select_network" || cmd == "remove_network") {
        if (args.empty() || find_net(s, args[0]) == nullptr) {
            return false;
        }
    }
    if (cmd == "enable_network") {
        (*find_net(s, args[0]))["disabled"] = "0";
    } else if (cmd == "select_network") {
        for (Record &r : s.nets) {
            r["disabled"] = r["id"] == args[0] ? "0" : "1";
        }
        s.st.write("selected", {{{"id", args[0]}}});
        start_join(s, args[0]);
    } else if (cmd == "reassociate") {
        std::vector<Record> selected = s.st.has("selected") ? s.st.read("selected") : std::vector<Record>{};
        if (!selected.empty()) {
            start_join(s, selected[0]["id"]);
        }
    } else if (cmd == "disconnect") {
        s.st.write("assoc", {});
    } else if (cmd == "remove_network") {
        if (field(load_assoc(s.st), "id") == args[0]) {
            s.st.write("assoc", {});
        }
        std::erase_if(s.nets, [&](Record &r) { return r["id"] == args[0]; });
    } else if (cmd == "save_config") {
        s.st.write("saved", s.nets);
    } else {
        return false;
    }
    return true;
}

int wpa_cli(const Scenario &sc, State &st, int argc, char **argv)
{
    if (argc < 4 || std::strcmp(argv[1], "-i") != 0) {
        std::fprintf(stderr, "wpa_cli stand-in: usage: wpa_cli -i IF COMMAND [ARG...]\n");
        return 1;
    }
    wireless::Supplicant sup = wireless::load_supplicant(sc, st);
    if (!sup.running) {
        std::printf("Failed to connect to non-global ctrl_ifname: %s  error: No such file or directory\n", argv[2]);
        return 255;
    }
    if (sup.hung) {
        // Other tools go on meanwhile: the state is not held while waiting.
        st.release();
        wireless::wait_while_state_stays(sc, kReplyWaitSeconds);
        std::string request = argv[3];
        std::transform(request.begin(), request.end(), request.begin(), ::toupper);
        std::printf("'%s' command timed out.\n", request.c_str());
        return 255;
    }
    Session s{sc, st, argv[2], wireless::load_networks(sc, st, "networks")};
    std::string cmd = argv[3];
    std::vector<std::string> args(argv + 4, argv + argc);
    if (cmd == "ping") {
        std::printf("PONG\n");
    } else if (cmd == "status") {
        print_status(s);
    } else if (cmd == "list_networks") {
        print_networks(s);
    } else if (cmd == "add_network") {
        if (sc.fails("add-network")) {
            std::printf("FAIL\n");
            return 0;
        }
        int id = next_id(s);
        s.nets.push_back({{"id", std::to_string(id)}, {"disabled", "1"}});
        std::printf("%d\n", id);
    } else if (cmd == "set_network" || cmd == "enable_network" || cmd == "select_network" || cmd == "reassociate" ||
               cmd == "disconnect" || cmd == "remove_network" || cmd == "save_config") {
        std::printf(run_command(s, cmd, args) ? "OK\n" : "FAIL\n");
    } else {
        std::printf("UNKNOWN COMMAND\n");
        return 0;
    }
    st.write("networks", s.nets);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    return wireless::run_tool(argc, argv, wpa_cli);
}
