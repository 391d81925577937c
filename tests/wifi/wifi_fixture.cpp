#include "wifi_fixture.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "standin.h"
#include "wifi/wifi_scanner_internal.h"
#include "wireless_sandbox.h"

namespace wifi_test {

namespace {

using namespace std::chrono_literals;

// Far beyond what a worker needs with the fake clock, even on a loaded
// machine under a sanitizer.
constexpr auto kWaitLimit = 120s;

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
    root = sandbox_root();
    FakeClock::get().reset();
    sandbox_prepare(FakeClock::sleep_fn);
    write("etc/wpa_supplicant.conf", "ctrl_interface=/var/run/wpa_supplicant\nupdate_config=1\n");
    scenario("");
    {
        StdoutCapture quiet;
        sandbox_disconnect();
    }
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
    sandbox_scenario(lines);
}

void WifiTest::tools(const std::vector<std::string> &names)
{
    sandbox_tools(names.empty() ? default_tools() : names);
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
    return sandbox_call_lines();
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
