// Ctrl+C while the interface waits on a command: a DHCP client that gets no
// lease, a tile's kill sequence whose "killall -w" waits. The interface runs
// through its touch FIFO; this test is the child subreaper of everything it
// starts, so whatever the interface leaves running becomes the test's child.
// Nothing may be left, and the three stop commands still run in order.
//
// pkill and killall are a stand-in first on PATH that records its calls,
// never signals anything, and holds "killall -w" for a minute.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "interface_run.hpp"
#include "process.hpp"
#include "temp_dir.hpp"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kWait = 60s;  // generous: sanitizer builds on a busy machine
// A SIGKILLed process is gone within milliseconds; the commands the test
// catches would run for a minute or ten.
constexpr auto kGone = 10s;

constexpr int kAirplayX = 77, kAirplayY = 151;
constexpr int kSettingsX = 77, kSettingsY = 311;
constexpr int kFirstKeptX = 150, kFirstKeptY = 110;  // the first row under "我的网络"

const char * const kStopCalls = "killall -9 airplay_run\n"
                                "killall -9 airable_run\n"
                                "killall -9 spotify_run\n";

// One kept network in view whose join succeeds, and a DHCP client that
// waits ten minutes for a lease.
const char * const kHangingDhcp = "state wireless\n"
                                  "ap 3c:84:6a:10:20:01 2437 -42 wpa2 Living-Room\n"
                                  "key Living-Room correct-horse\n"
                                  "saved Living-Room correct-horse\n"
                                  "dhcp lease 192.168.1.23 24 192.168.1.1 192.168.1.1\n"
                                  "dhcp-hang\n";

std::string slurp(const fs::path & path)
{
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool ends_with(const std::string & text, const std::string & tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The live children of this process (its own and those it took in as the
// subreaper), each with its command line.
std::vector<std::pair<pid_t, std::string>> children()
{
    std::vector<std::pair<pid_t, std::string>> out;
    for (const fs::directory_entry & entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        // "pid (comm) state ppid ...": the comm may hold blanks, so read after its ')'.
        const std::string stat = slurp(entry.path() / "stat");
        std::istringstream rest(stat.substr(stat.rfind(')') + 1));
        std::string state;
        pid_t ppid = 0;
        if (rest >> state >> ppid && ppid == getpid()) {
            std::string cmdline = slurp(entry.path() / "cmdline");
            std::replace(cmdline.begin(), cmdline.end(), '\0', ' ');
            out.emplace_back(std::stoi(name), cmdline);
        }
    }
    return out;
}

// The stand-in of pkill and killall: records its call in `log`, touches
// `waiting` and holds for a minute when called with -w, fails otherwise.
std::string tool_script(const std::string & log, const std::string & waiting)
{
    std::string script = "#!/bin/sh\n";
    script += "echo \"${0##*/} $*\" >> '" + log + "'\n";
    script += "case \" $* \" in *' -w '*) : > '" + waiting + "'; exec sleep 60;; esac\n";
    return script + "exit 1\n";
}

class StopInFlight : public ::testing::Test {
protected:
    // The interface, started on the scenario above with the tool stand-in
    // first on PATH.
    void SetUp() override
    {
        ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
        fs::create_directory(dir + "/bin");
        for (const char * name : {"killall", "pkill"}) {
            std::ofstream(dir + "/bin/" + name) << tool_script(dir + "/tools.log", dir + "/waiting");
            fs::permissions(dir + "/bin/" + name, fs::perms::owner_all);
        }
        const std::string scenario = dir + "/hanging-dhcp.scenario";
        std::ofstream(scenario) << kHangingDhcp;
        tour::InterfaceFiles files = {TOUR_QUORVEX, TOUR_SERVICES, TOUR_PLATFORM_BIN, TOUR_FONT, TOUR_BACKGROUND, {}};
        files.env = {"PATH=" + dir + "/bin:/usr/bin:/bin", "QUORVEX_WIFI_SCENARIO=" + scenario};
        ui.emplace(files);
        std::string error;
        ASSERT_TRUE(ui->start(&error)) << error;
        ASSERT_TRUE(ui->wait_for("ui_user_init done !", 0, kWait)) << ui->console();
    }

    void TearDown() override
    {
        ui.reset();
        end_children();
        prctl(PR_SET_CHILD_SUBREAPER, 0);
    }

    // Kills and reaps every child, also those that come to this process as
    // their parents die.
    static void end_children()
    {
        const auto end = std::chrono::steady_clock::now() + kGone;
        while (std::chrono::steady_clock::now() < end) {
            for (const auto & child : children()) {
                kill(child.first, SIGKILL);
            }
            while (waitpid(-1, nullptr, WNOHANG) > 0) {}
            if (waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD) {
                return;
            }
            std::this_thread::sleep_for(10ms);
        }
    }

    // Reaps what comes to this process until nothing is left or kGone
    // passes; then whatever still runs, which is ended.
    static std::vector<std::string> left_behind()
    {
        const auto end = std::chrono::steady_clock::now() + kGone;
        while (std::chrono::steady_clock::now() < end) {
            const pid_t pid = waitpid(-1, nullptr, WNOHANG);
            if (pid < 0 && errno == ECHILD) {
                return {};
            }
            if (pid == 0) {
                std::this_thread::sleep_for(20ms);
            }
        }
        std::vector<std::string> left;
        for (const auto & child : children()) {
            left.push_back(child.second);
        }
        end_children();
        return left;
    }

    // Stops the interface and checks what it left and what it ran.
    void expect_clean_stop()
    {
        EXPECT_EQ(ui->stop(), 0) << ui->console();
        const std::vector<std::string> left = left_behind();
        EXPECT_TRUE(left.empty()) << "left running: " << ::testing::PrintToString(left);
        const std::string calls = slurp(dir + "/tools.log");
        EXPECT_TRUE(ends_with(calls, kStopCalls)) << calls;
    }

    TempDir tmp{"app"};
    const std::string & dir = tmp.path();
    std::optional<tour::Interface> ui;
};

TEST_F(StopInFlight, DuringADhcpWaitLeavesNoClientBehind)
{
    ui->tap(kSettingsX, kSettingsY);
    ASSERT_TRUE(ui->wait_for("[WiFi-UI] scan complete", 0, kWait)) << ui->console();
    ui->tap(kFirstKeptX, kFirstKeptY);
    ASSERT_TRUE(ui->wait_for("[WiFi-CONN] DHCP attempt 1/3", 0, kWait)) << ui->console();
    const fs::path calls = fs::path(ui->dir()) / "wireless" / "calls.log";
    ASSERT_TRUE(tour::Interface::wait_until([&] { return slurp(calls).find("\nudhcpc ") != std::string::npos; }, kWait))
        << slurp(calls);
    expect_clean_stop();
}

TEST_F(StopInFlight, DuringATileKillSequenceLeavesNoKillerAndNoServiceBehind)
{
    ui->tap(kAirplayX, kAirplayY);
    ASSERT_TRUE(tour::Interface::wait_until([&] { return fs::exists(dir + "/waiting"); }, kWait))
        << slurp(dir + "/tools.log") << ui->console();
    expect_clean_stop();
}

}  // namespace
