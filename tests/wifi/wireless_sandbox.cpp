#include "wireless_sandbox.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "lib/cmd_runner.h"
#include "standin.h"
#include "temp_dir.hpp"
#include "wifi/wifi_scanner_internal.h"

namespace wifi_test {

namespace {

namespace fs = std::filesystem;

class Sandbox : public ::testing::Environment {
public:
    static Sandbox &get()
    {
        static Sandbox *sandbox = new Sandbox;
        return *sandbox;
    }

    void SetUp() override
    {
        dir.emplace("wifi");
        if (dir->path().empty()) {
            std::abort();
        }
        root = dir->path();
        fs::create_directories(root + "/bin");
        setenv("PATH", (root + "/bin").c_str(), 1);
        setenv("QUORVEX_WIFI_SCENARIO", (root + "/scenario").c_str(), 1);
        if (chdir(root.c_str()) != 0) {
            std::abort();
        }
    }

    void TearDown() override { dir.reset(); }

    std::optional<TempDir> dir;
    std::string root;
};

// Listing the tests makes no sandbox.
const bool kRegistered = [] {
    ::testing::AddGlobalTestEnvironment(&Sandbox::get());
    return true;
}();

}  // namespace

const std::string &sandbox_root()
{
    return Sandbox::get().root;
}

std::string sandbox_path(const std::string &relative)
{
    return sandbox_root() + "/" + relative;
}

const std::vector<std::string> &default_tools()
{
    static const std::vector<std::string> tools = {"iw", "wpa_cli", "wpa_supplicant", "udhcpc",
                                                   "ip", "connmanctl", "pidof", "killall"};
    return tools;
}

void sandbox_prepare(void (*sleep_fn)(uint32_t ms))
{
    for (const char *dir : {"state", "etc", "tmp"}) {
        fs::remove_all(sandbox_path(dir));
    }
    fs::create_directories(sandbox_path("etc"));
    fs::create_directories(sandbox_path("tmp"));
    chmod(sandbox_path("tmp").c_str(), 0700);
    sandbox_tools(default_tools());

    wifi_set_path(WIFI_PATH_SUPPLICANT_CONF, sandbox_path("etc/wpa_supplicant.conf").c_str());
    wifi_set_path(WIFI_PATH_RESOLV_CONF, sandbox_path("etc/resolv.conf").c_str());
    wifi_set_path(WIFI_PATH_DHCP_SCRIPT, sandbox_path("tmp/udhcpc.script").c_str());
    wifi_set_sleep(sleep_fn);
    wifi_scanner_set_interface("wlan0");
    wifi_reset_answers();
}

void sandbox_tools(const std::vector<std::string> &names)
{
    fs::remove_all(sandbox_path("bin"));
    fs::create_directories(sandbox_path("bin"));
    fs::create_symlink(fs::canonical("/usr/bin/which"), sandbox_path("bin/which"));
    for (const std::string &name : names) {
        const std::string tool = WIRELESS_BIN + std::string("/") + name;
        if (name == "udhcpc" || name == "dhcpcd") {
            fs::copy_file(tool, sandbox_path("bin/" + name));
        } else {
            fs::create_symlink(tool, sandbox_path("bin/" + name));
        }
    }
}

void sandbox_scenario(const std::string &lines)
{
    std::ofstream(sandbox_path("scenario"), std::ios::binary | std::ios::trunc)
        << "state " + sandbox_path("state") + "\n" + lines;
}

void sandbox_disconnect()
{
    wifi_scanner_disconnect();
    fs::remove_all(sandbox_path("state"));
}

std::vector<std::string> sandbox_call_lines()
{
    std::ifstream in(sandbox_path("state/calls.log"));
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) {
        std::string text;
        for (const std::string &word : wireless::split_words(line)) {
            text += (text.empty() ? "" : " ") + word;
        }
        out.push_back(text);
    }
    return out;
}

std::string sandbox_joined_network()
{
    constexpr int kPolls = 10;
    constexpr int32_t kLimitMs = 30000;
    const char *const argv[] = {"wpa_cli", "-i", "wlan0", "status", nullptr};
    for (int i = 0; i < kPolls; i++) {
        cmd_pipe_t pipe;
        if (cmd_open_argv(&pipe, argv, kLimitMs) != 0) {
            return "";
        }
        std::string ssid;
        bool completed = false;
        char line[256];
        while (cmd_gets(&pipe, line, sizeof(line)) != nullptr) {
            std::string text(line);
            text.erase(text.find_last_not_of('\n') + 1);
            completed |= text == "wpa_state=COMPLETED";
            if (text.rfind("ssid=", 0) == 0) {
                char name[WIFI_SSID_MAX + 1];
                wifi_ssid_unescape(text.c_str() + 5, name);
                ssid = name;
            }
        }
        cmd_close(&pipe);
        if (completed) {
            return ssid;
        }
    }
    return "";
}

std::vector<std::string> sandbox_saved_networks()
{
    std::vector<std::string> out;
    std::ifstream in(sandbox_path("state/saved"));
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> words = wireless::split_words(line);
        wireless::Record r;
        for (size_t i = 0; i + 1 < words.size(); i += 2) {
            r[words[i]] = words[i + 1];
        }
        std::string ssid = r["ssid"];
        if (ssid.size() >= 2 && ssid.front() == '"' && ssid.back() == '"') {
            ssid = ssid.substr(1, ssid.size() - 2);
        }
        out.push_back(ssid + (r["disabled"] == "1" ? " (disabled)" : ""));
    }
    return out;
}

std::vector<DhcpClient> sandbox_dhcp_clients()
{
    std::vector<DhcpClient> out;
    const std::string clients[] = {sandbox_path("bin/udhcpc"), sandbox_path("bin/dhcpcd")};
    std::error_code ec;
    for (fs::directory_iterator it("/proc", ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path &entry = it->path();
        const std::string name = entry.filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const std::string exe = fs::read_symlink(entry / "exe", ec).string();
        if (ec || (exe != clients[0] && exe != clients[1])) {
            ec.clear();
            continue;
        }
        std::ifstream in(entry / "cmdline", std::ios::binary);
        std::string command;
        for (std::string word; std::getline(in, word, '\0');) {
            command += (command.empty() ? "" : " ") + word;
        }
        out.push_back({std::stoi(name), command});
    }
    return out;
}

bool in_order(const std::vector<std::string> &haystack, const std::vector<std::string> &needle)
{
    size_t at = 0;
    for (const std::string &line : haystack) {
        if (at < needle.size() && line == needle[at]) {
            at++;
        }
    }
    return at == needle.size();
}

}  // namespace wifi_test
