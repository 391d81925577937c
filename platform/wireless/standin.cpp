#include "standin.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace wireless {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "wireless stand-in: %s\n", message.c_str());
    std::exit(1);
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

int to_int(const std::string &word, const std::string &what)
{
    char *end = nullptr;
    long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0') {
        fail("not a number for " + what + ": " + word);
    }
    return static_cast<int>(value);
}

std::string scenario_path()
{
    const char *named = std::getenv("QUORVEX_WIFI_SCENARIO");
    return named != nullptr && named[0] != '\0' ? named : QUORVEX_WIRELESS_DEFAULT_SCENARIO;
}

const std::map<std::string, std::vector<std::string>> kDefaultSequences = {
    {"ok", {"SCANNING", "ASSOCIATING", "4WAY_HANDSHAKE", "COMPLETED"}},
    {"wrong-key", {"SCANNING", "ASSOCIATING", "4WAY_HANDSHAKE", "DISCONNECTED"}},
    {"unreachable", {"SCANNING"}},
};

void parse_line(Scenario &sc, const std::vector<std::string> &w)
{
    const std::string &kind = w[0];
    auto need = [&](size_t n) {
        if (w.size() < n) {
            fail("too few words in a '" + kind + "' line");
        }
    };
    if (kind == "state") {
        need(2);
        sc.state_dir = w[1];
    } else if (kind == "ap") {
        need(6);
        AccessPoint ap;
        ap.bssid = w[1];
        ap.freq = to_int(w[2], "freq");
        ap.signal = to_int(w[3], "signal");
        ap.security = w[4];
        ap.ssid = w[5];
        for (size_t i = 6; i < w.size(); i++) {
            if (w[i] == "hidden") {
                ap.hidden = true;
            } else if (w[i].rfind("join=", 0) == 0) {
                ap.join = w[i].substr(5);
            } else {
                fail("unknown access point option " + w[i]);
            }
        }
        sc.aps.push_back(ap);
    } else if (kind == "key") {
        need(3);
        sc.keys[w[1]] = w[2];
    } else if (kind == "seq") {
        need(3);
        sc.sequences[w[1]] = std::vector<std::string>(w.begin() + 2, w.end());
    } else if (kind == "saved") {
        need(2);
        sc.saved.emplace_back(w[1], w.size() > 2 ? w[2] : "");
    } else if (kind == "supplicant") {
        need(2);
        sc.supplicant = w[1];
    } else if (kind == "fail") {
        need(2);
        sc.failures.push_back(w[1]);
    } else if (kind == "dhcp" && w.size() >= 5 && w[1] == "lease") {
        sc.has_lease = true;
        sc.lease = {w[2], w[3], w[4], std::vector<std::string>(w.begin() + 5, w.end())};
    } else if (kind == "dhcp" && w.size() == 2 && w[1] == "none") {
        sc.has_lease = false;
    } else if (kind == "dhcp-hang") {
        sc.dhcp_hangs = true;
    } else if (kind == "dhcp-fail") {
        need(2);
        sc.dhcp_failures = to_int(w[1], "dhcp-fail");
    } else {
        fail("unknown scenario line '" + kind + "'");
    }
}

std::string tool_name(const char *argv0)
{
    return fs::path(argv0).filename().string();
}

}  // namespace

std::string escape(const std::string &bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (c <= ' ' || c == 0x7F || c == '\\') {
            char hex[5];
            std::snprintf(hex, sizeof(hex), "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string unescape(const std::string &word)
{
    std::string out;
    for (size_t i = 0; i < word.size(); i++) {
        int hi = -1;
        int lo = -1;
        if (word[i] == '\\' && i + 3 < word.size() && word[i + 1] == 'x') {
            hi = hex_digit(word[i + 2]);
            lo = hex_digit(word[i + 3]);
        }
        if (hi >= 0 && lo >= 0) {
            out += static_cast<char>(hi * 16 + lo);
            i += 3;
        } else {
            out += word[i];
        }
    }
    return out;
}

std::vector<std::string> split_words(const std::string &line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        words.push_back(unescape(word));
    }
    return words;
}

bool Scenario::fails(const std::string &what) const
{
    for (const std::string &f : failures) {
        if (f == what) {
            return true;
        }
    }
    return false;
}

const std::vector<std::string> &Scenario::sequence(const std::string &name) const
{
    auto own = sequences.find(name);
    if (own != sequences.end()) {
        return own->second;
    }
    auto builtin = kDefaultSequences.find(name);
    if (builtin == kDefaultSequences.end()) {
        fail("unknown state sequence " + name);
    }
    return builtin->second;
}

Scenario load_scenario()
{
    std::string path = scenario_path();
    std::ifstream in(path);
    if (!in) {
        fail("cannot read the scenario " + path);
    }
    Scenario sc;
    std::string line;
    while (std::getline(in, line)) {
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        parse_line(sc, split_words(line));
    }
    if (sc.state_dir.empty()) {
        fail("the scenario " + path + " names no state folder");
    }
    sc.state_dir = fs::absolute(sc.state_dir).string();
    return sc;
}

State::State(const Scenario &scenario) : dir_(scenario.state_dir)
{
    std::error_code ec;
    fs::create_directories(dir_, ec);
    lock_fd_ = ::open(path("lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock_fd_ < 0 || flock(lock_fd_, LOCK_EX) != 0) {
        fail("cannot lock the state folder " + dir_);
    }
}

State::~State()
{
    release();
}

void State::release()
{
    if (lock_fd_ >= 0) {
        ::close(lock_fd_);
        lock_fd_ = -1;
    }
}

std::string State::path(const std::string &name) const
{
    return dir_ + "/" + name;
}

bool State::has(const std::string &name) const
{
    return fs::exists(path(name));
}

std::vector<Record> State::read(const std::string &name) const
{
    std::vector<Record> records;
    std::ifstream in(path(name));
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> words = split_words(line);
        Record record;
        for (size_t i = 0; i + 1 < words.size(); i += 2) {
            record[words[i]] = words[i + 1];
        }
        records.push_back(record);
    }
    return records;
}

void State::write(const std::string &name, const std::vector<Record> &records) const
{
    std::string temp = path(name + ".new");
    {
        std::ofstream out(temp, std::ios::trunc);
        for (const Record &record : records) {
            std::string line;
            for (const auto &[key, value] : record) {
                if (value.empty()) {
                    continue;  // the same as no value
                }
                line += (line.empty() ? "" : " ") + escape(key) + " " + escape(value);
            }
            out << line << '\n';
        }
    }
    fs::rename(temp, path(name));
}

void log_call(const State &state, int argc, char **argv)
{
    std::string line = tool_name(argv[0]);
    for (int i = 1; i < argc; i++) {
        line += " " + escape(argv[i]);
    }
    line += '\n';
    int fd = ::open(state.path("calls.log").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ssize_t written = ::write(fd, line.data(), line.size());
        (void)written;
        ::close(fd);
    }
}

Supplicant load_supplicant(const Scenario &scenario, const State &state)
{
    Supplicant s;
    if (!state.has("supplicant")) {
        s.running = scenario.supplicant == "running" || scenario.supplicant == "hung";
        s.hung = scenario.supplicant == "hung";
        return s;
    }
    Record r = state.read("supplicant").at(0);
    s.running = r["running"] == "1";
    s.hung = r["hung"] == "1";
    s.conf = r["conf"];
    return s;
}

void store_supplicant(const State &state, const Supplicant &s)
{
    state.write("supplicant", {{{"running", s.running ? "1" : "0"}, {"hung", s.hung ? "1" : "0"}, {"conf", s.conf}}});
}

std::vector<Record> load_networks(const Scenario &scenario, const State &state, const std::string &name)
{
    if (state.has(name)) {
        return state.read(name);
    }
    std::vector<Record> networks;
    for (const auto &[ssid, password] : scenario.saved) {
        Record r = {{"id", std::to_string(networks.size())}, {"ssid", "\"" + ssid + "\""}};
        if (password.empty()) {
            r["key_mgmt"] = "NONE";
        } else {
            r["psk"] = "\"" + password + "\"";
        }
        networks.push_back(r);
    }
    return networks;
}

NetState load_net(const State &state)
{
    NetState net;
    for (Record &r : state.read("net")) {
        if (r["kind"] == "addr") {
            net.addresses.push_back({r["dev"], r["ip"], std::atoi(r["prefix"].c_str())});
        } else if (r["kind"] == "route") {
            net.gateway = r["via"];
            net.gateway_dev = r["dev"];
        } else if (r["kind"] == "link") {
            net.links_up.push_back(r["dev"]);
        }
    }
    return net;
}

void store_net(const State &state, const NetState &net)
{
    std::vector<Record> records;
    for (const Address &a : net.addresses) {
        records.push_back({{"kind", "addr"}, {"dev", a.ifname}, {"ip", a.ip}, {"prefix", std::to_string(a.prefix)}});
    }
    if (!net.gateway.empty()) {
        records.push_back({{"kind", "route"}, {"via", net.gateway}, {"dev", net.gateway_dev}});
    }
    for (const std::string &dev : net.links_up) {
        records.push_back({{"kind", "link"}, {"dev", dev}});
    }
    state.write("net", records);
}

bool dhcp_lease_granted(const Scenario &scenario, const State &state)
{
    int runs = state.has("dhcp") ? std::atoi(state.read("dhcp").at(0)["runs"].c_str()) : 0;
    runs++;
    state.write("dhcp", {{{"runs", std::to_string(runs)}}});
    return scenario.has_lease && runs > scenario.dhcp_failures;
}

void wait_while_state_stays(const Scenario &scenario, unsigned seconds)
{
    struct stat first;
    if (stat(scenario.state_dir.c_str(), &first) != 0) {
        return;
    }
    for (unsigned waited = 0; waited < seconds; waited++) {
        sleep(1);
        struct stat now;
        if (stat(scenario.state_dir.c_str(), &now) != 0 || now.st_ino != first.st_ino || now.st_dev != first.st_dev) {
            return;
        }
    }
}

void pass_on(char **argv)
{
    char self[PATH_MAX];
    const char *path = std::getenv("PATH");
    if (realpath("/proc/self/exe", self) == nullptr || path == nullptr) {
        return;
    }
    const std::string name = tool_name(argv[0]);
    std::stringstream dirs(path);
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        char real[PATH_MAX];
        if (access(candidate.c_str(), X_OK) == 0 && realpath(candidate.c_str(), real) != nullptr &&
            std::strcmp(real, self) != 0) {
            execv(candidate.c_str(), argv);
        }
    }
}

int run_tool(int argc, char **argv, int (*body)(const Scenario &, State &, int, char **))
{
    Scenario scenario = load_scenario();
    State state(scenario);
    log_call(state, argc, argv);
    return body(scenario, state, argc, argv);
}

}  // namespace wireless
