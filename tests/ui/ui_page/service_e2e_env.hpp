// The main page end to end: the interface's page framework and communication
// manager on the real clock and a memory display, in a working directory of
// the test's own (with the font), and the stand-in services, started by the
// test there, connected over a socket of the test's own. What the page logs
// is captured.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lvgl.h"
#include "stdout_capture.hpp"
#include "temp_dir.hpp"
#include "user/ui_page/ui_page_main_private.h"

namespace main_page_e2e {

// Generous for a loaded machine: a service answers within milliseconds.
constexpr std::chrono::milliseconds kWait{20000};

class ServiceE2ETest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // What a test adds once the display stands, before the interface is
    // built (a pointer, the tiles' process control).
    virtual void before_ui() {}

    // Starts a stand-in service in the working directory with one of its
    // scenarios; its output goes to <name>.log there.
    void spawn(const char *program, const char *scenario);
    // Kills every service the test started.
    void stop_services();

    // Runs the GUI loop until `done` holds or `limit` has passed.
    static bool run_until(const std::function<bool()> &done, std::chrono::milliseconds limit = kWait);
    static void run_for(std::chrono::milliseconds time);

    // Everything the page logged since SetUp.
    std::string log_so_far();

    lv_ui_page_main_t &m = lv_ui_page_main;

private:
    TempDir tmp_{"main-e2e"};
    std::filesystem::path dir_;
    std::filesystem::path old_cwd_;
    std::string socket_;
    std::vector<pid_t> children_;
    std::vector<uint8_t> frame_;
    std::optional<StdoutCapture> capture_;
    std::string log_;
};

}  // namespace main_page_e2e
