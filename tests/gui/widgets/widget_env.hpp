// Test environment for the widgets: a 640x480 memory display, a tick the test
// controls, and a scripted pointer (one read per 33 ms step of the tick).
#pragma once

#include "lvgl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace widget_test {

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
constexpr uint32_t kReadPeriod = 33;

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /** Advance the tick by `ms` in steps of one read period, running the timers after each step. */
    void advance(uint32_t ms);
    /** Lay out the active screen and run one timer pass without advancing time. */
    void settle();

    void press(int32_t x, int32_t y);   // finger down, then one read
    void move_to(int32_t x, int32_t y); // finger moves, then one read
    void release();                     // finger up, then one read
    void tap(int32_t x, int32_t y);     // a short tap
    void tap_center(lv_obj_t * obj);

    /** Render the active screen and compare it with tests/gui/ref/widgets/<name>.png. */
    ::testing::AssertionResult matches_screen(const std::string & name);
    /** Colour of one rendered pixel as 0xRRGGBB (after a full redraw). */
    uint32_t pixel(int32_t x, int32_t y);

    static lv_area_t coords(const lv_obj_t * obj);

    lv_display_t * disp = nullptr;
    lv_indev_t * pointer = nullptr;
    lv_obj_t * scr = nullptr;

private:
    void render();
    std::vector<uint8_t> fb_;
};

/** Collects the event codes an object receives, optionally tagged per object. */
struct EventLog {
    std::vector<std::string> entries;
    void attach(lv_obj_t * obj, const char * tag, lv_event_code_t filter = LV_EVENT_ALL);
    std::string joined() const;
};

} // namespace widget_test
