// The WiFi page on the interface of the main page's tests (memory display,
// page framework, scripted pointer), driving the real WiFi backend against
// the wireless stand-ins in the WiFi tests' sandbox (tests/wifi/
// wireless_sandbox.h). The backend's waits go through a gate that returns at
// once, or holds the workers while it is closed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "main_page_env.hpp"
#include "user/ui_page/ui_page_wifi_private.h"
#include "wireless_sandbox.h"

namespace wifi_page_test {

// Networks the tests share. Sorted by signal, the scan lists eleven rows
// that use the icon ids 1 to 10 between them: among them a Chinese name,
// "<hidden>" and a name with characters the label font lacks. Two networks
// are kept at start: Living-Room (in range) and Attic (out of range).
extern const char *const kWorld;
// The SSID of the network whose name the label font cannot show whole.
extern const char *const kForeignName;

// Holds the backend's workers at their waits of one length while closed
// (the connection worker polls every 1000 ms, the scan waits 5000 ms).
class SleepGate {
public:
    static SleepGate &get();
    static void sleep_fn(uint32_t ms);

    void close(uint32_t ms);
    void open();
    // True once a worker waits at the closed gate (bounded wait).
    bool wait_held();

private:
    void sleep(uint32_t ms);
};

constexpr uint32_t kConnPollMs = 1000;
constexpr uint32_t kScanWaitMs = 5000;

class WifiPageTest : public main_page_test::MainPageTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The scenario: these lines behind the sandbox's "state" line.
    void scenario(const std::string &lines);
    // Replaces a stand-in by a script (the text after "#!/bin/sh\n").
    void tool_script(const std::string &name, const std::string &body);

    // Start-up, then the Settings tile: the WiFi page stands.
    void open_wifi_page();
    // Waits (bounded, in real time) until no scan or no connection runs,
    // then gives the page's run hook its turns.
    void finish_scan();
    void finish_connection();
    // Enough GUI time for two run calls of the page.
    void run_page();
    // The wall time `gui_steps` takes: what the steps of a user action hold
    // the GUI thread (the timer handler and the page hooks in it).
    static double gui_ms(const std::function<void()> &gui_steps);

    // Pointer taps on the page's widgets and keys.
    void tap_row(lv_obj_t *list, const std::string &ssid);
    void tap_key(const std::string &key);
    void type_on_keyboard(const std::string &text);
    // Opens the dialog of `ssid`, raises the keyboard, types `password`
    // key by key and taps the OK key.
    void join_with_keyboard(const std::string &ssid, const std::string &password);

    // Rows of a list: their names, and the image sources of their icons.
    static std::vector<std::string> row_names(lv_obj_t *list);
    static std::vector<const void *> row_icons(lv_obj_t *list);
    static lv_obj_t *row_label(lv_obj_t *list, const std::string &ssid);
    // The message boxes on the screen.
    static std::vector<lv_obj_t *> message_boxes();
    static std::string message_text(lv_obj_t *mbox);

    // The stand-ins' call log, each call as one text.
    std::vector<std::string> call_lines();

    lv_ui_page_wifi_t &w = s_lv_ui_page_wifi;
    std::string sandbox;
};

// Waits in real time, bounded far beyond need, until `done` answers true.
bool eventually(const std::function<bool()> &done);
bool has(const std::string &text, const std::string &part);
using wifi_test::in_order;

}  // namespace wifi_page_test
