#include "wifi_fixture.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "standin.h"
#include "wifi/wifi_scanner_internal.h"

namespace wifi_test {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Far beyond what a worker needs with the fake clock, even on a loaded
// machine under a sanitizer.
constexpr auto kWaitLimit = 120s;

const char *const kDefaultTools[] = {"iw", "wpa_cli", "wpa_supplicant", "udhcpc", "ip", "connmanctl", "pidof",
                                     "killall"};

// The process's sandbox folder, made before the first test (so before any
// worker runs): PATH and the scenario variable are set then and never again.
// Listing the tests makes none.
class Sandbox : public ::testing::Environment {
public:
    static Sandbox &get()
    {
        static Sandbox *sandbox = new Sandbox;
        return *sandbox;
    }

    void SetUp() override
    {
        char tmpl[] = "/tmp/quorvex-wifi-XXXXXX";
        if (mkdtemp(tmpl) == nullptr) {
            std::abort();
        }
        root = tmpl;
        fs::create_directories(root + "/bin");
        setenv("PATH", (root + "/bin").c_str(), 1);
        setenv("QUORVEX_WIFI_SCENARIO", (root + "/scenario").c_str(), 1);
        // What a hostile name would create by a relative path lands here.
        if (chdir(root.c_str()) != 0) {
            std::abort();
        }
    }

    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    std::string root;
};

const bool kRegistered = [] {
    ::testing::AddGlobalTestEnvironment(&Sandbox::get());
    return true;
}();

template <typename Done>
void wait_until(Done done, const char *what)
{
    auto limit = std::chrono::steady_clock::now() + kWaitLimit;
    while (!done()) {
        // What the page does meanwhile on the GUI thread.
        int32_t count = 0;
        wifi_scanner_get_ap_list(&count);
        wifi_scanner_get_conn_info();
        wifi_scanner_is_connected();
        if (std::chrono::steady_clock::now() > limit) {
            ADD_FAILURE() << what << " did not end";
            return;
        }
        std::this_thread::sleep_for(1ms);
    }
}

}  // namespace

const char *const kConnWorld =
    "ap 3c:84:6a:10:20:01 2437 -42 wpa2 Home\n"
    "ap 10:fe:ed:50:60:01 2462 -63 open Cafe\n"
    "ap 10:fe:ed:50:60:03 2412 -70 wep Legacy\n"
    "ap 00:11:22:33:44:55 5240 -69 wpa2 Lab hidden\n"
    "ap 20:00:00:00:00:01 2412 -71 wpa2 Gate join=auth-fail\n"
    "ap 20:00:00:00:00:02 2412 -72 wpa2 Rejecting join=auth-rejected\n"
    "ap 20:00:00:00:00:03 2412 -73 wpa2 Flaky join=handshake-lost\n"
    "ap 20:00:00:00:00:04 2412 -74 wpa2 Strict join=wrong-key-early\n"
    "ap 20:00:00:00:00:05 2412 -75 wpa2 Picky join=wrong-key-late\n"
    "ap 20:00:00:00:00:06 2412 -76 wpa2 Far join=stuck\n"
    "ap 20:00:00:00:00:07 2412 -77 wpa2 Dropped join=handshake-inactive\n"
    "ap 20:00:00:00:00:08 2412 -78 wpa2 Disabled join=handshake-disabled\n"
    "ap 20:00:00:00:00:09 2412 -79 wpa2 Idle join=idle\n"
    "key Home correct-horse\n"
    "key Legacy abcde\n"
    "key Lab lab-secret\n"
    "seq auth-fail SCANNING AUTHENTICATING DISCONNECTED\n"
    "seq auth-rejected SCANNING AUTH_FAILED\n"
    "seq handshake-lost SCANNING ASSOCIATING 4WAY_HANDSHAKE SCANNING\n"
    "seq wrong-key-early SCANNING WRONG_KEY\n"
    "seq wrong-key-late SCANNING 4WAY_HANDSHAKE WRONG_KEY\n"
    "seq stuck SCANNING ASSOCIATING\n"
    "seq handshake-inactive SCANNING 4WAY_HANDSHAKE INACTIVE\n"
    "seq handshake-disabled 4WAY_HANDSHAKE INTERFACE_DISABLED\n"
    "seq idle SCANNING INACTIVE\n"
    "dhcp lease 192.168.1.23 24 192.168.1.1 192.168.1.1 8.8.8.8\n";

/* --- FakeClock ------------------------------------------------------------ */

FakeClock &FakeClock::get()
{
    // Never destroyed: a held worker may still be in it at exit.
    static FakeClock *clock = new FakeClock;
    return *clock;
}

void FakeClock::sleep_fn(uint32_t ms)
{
    get().sleep(ms);
}

void FakeClock::reset()
{
    std::lock_guard<std::mutex> hold(lock_);
    sleeps_.clear();
    holding_ = false;
    held_ = false;
    cv_.notify_all();
}

std::vector<uint32_t> FakeClock::sleeps()
{
    std::lock_guard<std::mutex> hold(lock_);
    return sleeps_;
}

void FakeClock::hold(uint32_t ms, int skip)
{
    std::lock_guard<std::mutex> hold(lock_);
    hold_ms_ = ms;
    hold_skip_ = skip;
    holding_ = true;
    held_ = false;
}

bool FakeClock::wait_held()
{
    std::unique_lock<std::mutex> hold(lock_);
    return cv_.wait_for(hold, kWaitLimit, [&] { return held_; });
}

void FakeClock::release()
{
    std::lock_guard<std::mutex> hold(lock_);
    holding_ = false;
    cv_.notify_all();
}

void FakeClock::sleep(uint32_t ms)
{
    std::unique_lock<std::mutex> hold(lock_);
    sleeps_.push_back(ms);
    if (!holding_ || held_ || ms != hold_ms_ || hold_skip_-- > 0) {
        return;
    }
    held_ = true;
    cv_.notify_all();
    cv_.wait(hold, [&] { return !holding_; });
}

/* --- WifiTest ------------------------------------------------------------- */

void WifiTest::SetUp()
{
    log();  // a test that sets up again ends its capture first
    root = Sandbox::get().root;
    for (const char *dir : {"state", "etc", "tmp"}) {
        fs::remove_all(path(dir));
    }
    fs::create_directories(path("etc"));
    fs::create_directories(path("tmp"));
    chmod(path("tmp").c_str(), 0700);
    write("etc/wpa_supplicant.conf", "ctrl_interface=/var/run/wpa_supplicant\nupdate_config=1\n");
    tools({});
    scenario("");

    wifi_set_path(WIFI_PATH_SUPPLICANT_CONF, path("etc/wpa_supplicant.conf").c_str());
    wifi_set_path(WIFI_PATH_RESOLV_CONF, path("etc/resolv.conf").c_str());
    wifi_set_path(WIFI_PATH_DHCP_SCRIPT, path("tmp/udhcpc.script").c_str());
    FakeClock::get().reset();
    wifi_set_sleep(FakeClock::sleep_fn);
    wifi_scanner_set_interface("wlan0");
    // A clean connection record for this test, whatever ran before.
    {
        StdoutCapture quiet;
        wifi_scanner_disconnect();
    }
    fs::remove_all(path("state"));

    capture_.emplace();
}

void WifiTest::TearDown()
{
    FakeClock::get().release();
    wait_scan();
    wait_conn();
    log();
}

void WifiTest::restart()
{
    log();
    std::remove(path("state/calls.log").c_str());
    capture_.emplace();
}

void WifiTest::scenario(const std::string &lines)
{
    write("scenario", "state " + path("state") + "\n" + lines);
}

void WifiTest::tools(const std::vector<std::string> &names)
{
    std::vector<std::string> chosen = names;
    if (chosen.empty()) {
        chosen.assign(std::begin(kDefaultTools), std::end(kDefaultTools));
    }
    fs::remove_all(path("bin"));
    fs::create_directories(path("bin"));
    fs::create_symlink(fs::canonical("/usr/bin/which"), path("bin/which"));
    for (const std::string &name : chosen) {
        std::string from = WIRELESS_BIN + std::string("/") + name;
        fs::create_symlink(from, path("bin/" + name));
    }
}

std::vector<Call> WifiTest::calls()
{
    std::vector<Call> out;
    for (const std::string &line : lines_of(read("state/calls.log"))) {
        out.push_back(split_call(line));
    }
    return out;
}

std::vector<std::string> WifiTest::call_lines()
{
    std::vector<std::string> out;
    for (const Call &call : calls()) {
        std::string line;
        for (const std::string &word : call) {
            line += (line.empty() ? "" : " ") + word;
        }
        out.push_back(line);
    }
    return out;
}

std::string WifiTest::log()
{
    if (!capture_) {
        return "";
    }
    std::string out = capture_->text();
    capture_.reset();
    return out;
}

void WifiTest::wait_scan()
{
    wait_until([] { return wifi_scanner_is_scan_done() == 1; }, "the scan");
}

void WifiTest::wait_conn()
{
    wait_until([] { return wifi_scanner_is_conn_done() == 1; }, "the connection");
}

std::string WifiTest::path(const std::string &relative) const
{
    return root + "/" + relative;
}

std::string WifiTest::read(const std::string &relative) const
{
    std::ifstream in(path(relative), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WifiTest::write(const std::string &relative, const std::string &text) const
{
    std::ofstream(path(relative), std::ios::binary | std::ios::trunc) << text;
}

/* --- Helpers -------------------------------------------------------------- */

Call split_call(const std::string &line)
{
    return wireless::split_words(line);
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

std::vector<std::string> lines_of(const std::string &text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        out.push_back(line);
    }
    return out;
}

}  // namespace wifi_test
