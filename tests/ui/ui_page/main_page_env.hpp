// The interface's page framework with the real main page on a 640 x 480
// memory display, in a working directory of its own (font, background),
// with a controlled tick, a fixed wall clock and a scripted pointer that
// goes through the GUI library's input device. Each step is one read period
// of the pointer (33 ms) and one run of the GUI timers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "gui_fixture.hpp"
#include "lvgl.h"
#include "stdout_capture.hpp"
#include "temp_dir.hpp"
#include "user/ui_page/ui_page_main_private.h"

namespace main_page_test {

constexpr uint32_t kReadPeriod = 33;

// Monday 5 January 2026, 09:05 UTC: "星期一  2026/1/5", "09:05".
time_t fixed_clock();

class MainPageTest : public test_support::GuiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the interface as start-up does (page framework, main page).
    void start_ui();
    // Fifty run calls: the clock and date are shown after them.
    void show_clock();

    void step(int n = 1);
    void press(int32_t x, int32_t y);
    void move_to(int32_t x, int32_t y);
    void release();
    void tap(int32_t x, int32_t y);
    void tap(lv_obj_t *obj);
    // Press at `from`, `moves` steps of `delta` each, lift.
    void drag(lv_point_t from, lv_point_t delta, int moves);
    // Runs until no animation runs and nothing is being scrolled (bounded).
    void settle();

    // Compares the screen with tests/ui/ui_page/ref/<name>.png.
    ::testing::AssertionResult looks_like(const std::string &name);
    // The same for the status bar alone: the screen's top rows.
    ::testing::AssertionResult status_bar_looks_like(const std::string &name);
    // What the page logged since the last call (stdout is captured; a
    // failure inside a captured stretch shows it on standard error).
    std::string take_log();

    std::filesystem::path workdir;
    lv_ui_page_main_t &m = lv_ui_page_main;

private:
    static void pointer_read(lv_indev_t *indev, lv_indev_data_t *data);
    lv_indev_t *pointer_ = nullptr;
    lv_point_t point_{0, 0};
    bool pressed_ = false;
    std::string old_cwd_;
    std::optional<TempDir> tmp_;
    std::optional<StdoutCapture> log_;
};

// Centre of an object on the screen.
lv_point_t centre_of(lv_obj_t *obj);
bool hidden(lv_obj_t *obj);
std::string label_text(lv_obj_t *label);

// A record of a track playing at 1:01 of 3:35 with these three texts, as
// a source's controller hands it to the now-playing pages.
player_ui_info_t playing_record(const char *t1, const char *t2, const char *t3);

}  // namespace main_page_test
