// The WiFi module against the stand-in tools, in the wireless sandbox (see
// wireless_sandbox.h): it holds the stand-ins, the scenario, the stand-ins'
// state and call log, and the files the module writes. Sleeps go through a
// fake clock that records them and can hold a worker at a chosen one while
// the test acts as the GUI thread.
#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "stdout_capture.hpp"
#include "wireless_sandbox.h"

namespace wifi_test {

using Call = std::vector<std::string>;

// Everything sleeps through this instead of the wall clock.
class FakeClock {
public:
    static FakeClock &get();
    static void sleep_fn(uint32_t ms);

    void reset();
    std::vector<uint32_t> sleeps();
    // The next sleep of `ms` after `skip` others of that length blocks until
    // release(); wait_held() waits (bounded) until a worker is held there.
    void hold(uint32_t ms, int skip = 0);
    bool wait_held();
    void release();

private:
    void sleep(uint32_t ms);

    std::mutex lock_;
    std::condition_variable cv_;
    std::vector<uint32_t> sleeps_;
    uint32_t hold_ms_ = 0;
    int hold_skip_ = 0;
    bool holding_ = false;
    bool held_ = false;
};

class WifiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The scenario: these lines behind the sandbox's "state" line.
    void scenario(const std::string &lines);
    // The programs on PATH besides `which` (the default: every stand-in but
    // dhcpcd).
    void tools(const std::vector<std::string> &names);
    // A new call log and console capture, the module's state kept.
    void restart();

    std::vector<Call> calls();
    // Each call as one text, words joined by blanks.
    std::vector<std::string> call_lines();
    // The module's console output since SetUp (ends the capture).
    std::string log();

    // Bounded waits, polling as the page does.
    void wait_scan();
    void wait_conn();

    std::string path(const std::string &relative) const;
    std::string read(const std::string &relative) const;
    void write(const std::string &relative, const std::string &text) const;

    std::string root;

private:
    std::optional<StdoutCapture> capture_;
};

// Access points, keys, state sequences and a DHCP lease that the
// connection tests share.
extern const char *const kConnWorld;

// Words of a call-log line, unescaped.
Call split_call(const std::string &line);
std::vector<std::string> lines_of(const std::string &text);

}  // namespace wifi_test
