// A 640 x 480 memory display for GUI tests: the library runs on a controlled
// tick, renders with lv_refr_now and the screen is compared with reference PNGs.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lvgl.h"
#include "image_compare.hpp"

namespace test_support {

class GuiTest : public ::testing::Test {
public:
    static constexpr int32_t kWidth = 640;
    static constexpr int32_t kHeight = 480;

protected:
    void SetUp() override;
    void TearDown() override;

    lv_display_t * display() const { return display_; }
    // The controlled time in ms.
    static uint32_t now();
    // Moves the clock by `ms` in steps of `step` ms, running the timer handler after each step.
    static void run_for(uint32_t ms, uint32_t step = 1);
    // Moves the clock without running anything.
    static void advance(uint32_t ms);

    // Redraws the whole screen and returns what the panel shows.
    const Image & render();
    // Redraws only what was invalidated and returns what the panel shows.
    const Image & refresh();
    // Renders and compares with tests/gui/ref/<area>/<name>.png.
    ::testing::AssertionResult matches_screen(const std::string & area, const std::string & name,
                                              int tolerance = 2);

private:
    static void flush_cb(lv_display_t * disp, const lv_area_t * area, uint8_t * px_map);

    lv_display_t * display_ = nullptr;
    std::vector<uint8_t> buffer_;
    Image screen_;
};

}  // namespace test_support
