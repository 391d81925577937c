// What the wireless and network stand-ins share: the scenario they answer
// from, the state they keep between calls, and the call log.
//
// The scenario file is named by QUORVEX_WIFI_SCENARIO (else the default one
// beside these sources). It names a state folder; every call locks the
// folder, appends one line to its call log "calls.log" (the program's name
// and arguments, each as one word) and keeps what the board's program would
// keep (the supplicant's networks, the interface's addresses) in files there.
//
// Words of the scenario, the state files and the call log are separated by
// blanks; a byte that is a blank, a control byte or a backslash is written
// as \xNN, so any value (a network name full of quotes, "$(...)" or line
// breaks) is one word.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace wireless {

std::string escape(const std::string &bytes);
std::string unescape(const std::string &word);
std::vector<std::string> split_words(const std::string &line);

struct AccessPoint {
    std::string bssid;
    int freq = 0;
    int signal = 0;
    std::string security;  // open, wep, wpa, wpa2 or wpa-wpa2
    std::string ssid;
    bool hidden = false;   // sends no name; joined only when probed by name
    std::string join;      // sequence every join of it goes through; empty: by the key
};

struct Lease {
    std::string ip;
    std::string prefix;
    std::string router;
    std::vector<std::string> dns;
};

struct Scenario {
    std::string state_dir;
    std::vector<AccessPoint> aps;
    std::map<std::string, std::string> keys;  // SSID -> the password it accepts
    std::map<std::string, std::vector<std::string>> sequences;
    std::vector<std::pair<std::string, std::string>> saved;  // SSID, password
    std::string supplicant = "running";  // running, stopped, hung or dead
    std::vector<std::string> failures;   // scan-trigger, add-network, addr-add
    bool has_lease = false;
    Lease lease;
    int dhcp_failures = 0;  // client runs that get no lease before one does
    bool dhcp_hangs = false;  // the client waits for an answer that never comes

    bool fails(const std::string &what) const;
    const std::vector<std::string> &sequence(const std::string &name) const;
};

// The scenario of this call; on an error, a message and exit status 1.
Scenario load_scenario();

// A state file: records of key-value words, one record a line.
using Record = std::map<std::string, std::string>;

// The state folder, locked for the whole call.
class State {
public:
    explicit State(const Scenario &scenario);
    ~State();
    State(const State &) = delete;
    State &operator=(const State &) = delete;

    bool has(const std::string &name) const;
    std::vector<Record> read(const std::string &name) const;
    void write(const std::string &name, const std::vector<Record> &records) const;
    std::string path(const std::string &name) const;
    // Lets other stand-ins in (before running a program that calls them).
    void release();

private:
    std::string dir_;
    int lock_fd_ = -1;
};

// Appends "program arg..." to the call log.
void log_call(const State &state, int argc, char **argv);

// --- The supplicant -------------------------------------------------------

struct Supplicant {
    bool running = false;
    bool hung = false;   // runs but does not answer on its control interface
    std::string conf;    // configuration file it was started with
};
Supplicant load_supplicant(const Scenario &scenario, const State &state);
void store_supplicant(const State &state, const Supplicant &supplicant);

// Its networks ("networks": what it holds now, "saved": its configuration).
// Each record has "id" and the set_network fields as they were given.
std::vector<Record> load_networks(const Scenario &scenario, const State &state, const std::string &name);

// --- The interface's addresses -------------------------------------------

struct Address {
    std::string ifname;
    std::string ip;
    int prefix = 24;
};
struct NetState {
    std::vector<Address> addresses;
    std::string gateway;
    std::string gateway_dev;
    std::vector<std::string> links_up;
};
NetState load_net(const State &state);
void store_net(const State &state, const NetState &net);

// Whether this run of a DHCP client gets the lease (counts the run).
bool dhcp_lease_granted(const Scenario &scenario, const State &state);

// Sleeps up to `seconds` while the state folder stays (the same folder, not
// a new one of that name): a client that waits or runs in the background
// ends with the world it belongs to, so no test leaves one behind.
void wait_while_state_stays(const Scenario &scenario, unsigned seconds);

// Runs a tool's body with the scenario, the locked state and the call logged.
int run_tool(int argc, char **argv, int (*body)(const Scenario &, State &, int, char **));

// For the process tools (killall, pidof), which answer for the wireless
// programs only: runs the machine's own program of argv[0]'s name, the next
// one on PATH that is not this stand-in. Returns only when there is none.
void pass_on(char **argv);

}  // namespace wireless
