// The sandbox the WiFi backend's tests run the wireless stand-ins in: one
// folder per test process, made before the first test (so before any worker
// runs), whose bin/ holds the stand-ins and the system's `which`, the only
// programs on PATH, so no real network program can ever be found. PATH, the
// scenario variable and the working directory are set then and never again;
// what a hostile name would create by a relative path lands in the folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wifi_test {

const std::string &sandbox_root();
std::string sandbox_path(const std::string &relative);

// The stand-ins every test has unless it chooses (all but dhcpcd).
const std::vector<std::string> &default_tools();

// For the next test: fresh etc/ and tmp/ (private), no state/, the default
// tools; the backend's files point into the sandbox, its interface is wlan0,
// its waits go to `sleep_fn` and its tools count as answering.
void sandbox_prepare(void (*sleep_fn)(uint32_t ms));
// bin/ with `which` and these stand-ins only. The DHCP clients are copies:
// the backend stops the clients of the device by their executable, so the
// clients of each sandbox are its own.
void sandbox_tools(const std::vector<std::string> &names);
// The scenario: these lines behind the line naming the stand-ins' state.
void sandbox_scenario(const std::string &lines);
// A clean connection record, whatever ran before (the stand-ins' state goes
// with it). Needs a scenario.
void sandbox_disconnect();

// The stand-ins' call log, each call as one text, words joined by blanks.
std::vector<std::string> sandbox_call_lines();

// The name of the network the stand-in supplicant comes to be connected
// to: its status asked (through wpa_cli, at most ten times) until it shows
// COMPLETED; "" when it does not.
std::string sandbox_joined_network();
// The supplicant's saved configuration in its order: each network's name,
// with " (disabled)" behind a disabled one.
std::vector<std::string> sandbox_saved_networks();

// A DHCP client of this sandbox that runs: its pid and its command line
// (words joined by blanks).
struct DhcpClient {
    int pid;
    std::string command;
};
std::vector<DhcpClient> sandbox_dhcp_clients();

// True when `needle` occurs in order within `haystack` (others may come in
// between).
bool in_order(const std::vector<std::string> &haystack, const std::vector<std::string> &needle);

}  // namespace wifi_test
