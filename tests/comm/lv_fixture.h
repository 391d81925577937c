// The GUI library's timers on a clock the test moves: lv_init once per
// process, then each advance moves the tick and runs the due timers.
#pragma once

#include <gtest/gtest.h>

#include "lvgl.h"

// The library is started once per test process and stays up.
inline void lv_init_once()
{
    static bool initialised = false;
    if (!initialised) {
        lv_init();
        initialised = true;
    }
}

class LvFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        lv_init_once();
        lv_tick_set_cb(tick);
    }

    void TearDown() override { lv_tick_set_cb(nullptr); }

    // Moves the clock by `ms` and runs the timer handler once.
    static void advance(uint32_t ms)
    {
        now_ms += ms;
        lv_timer_handler();
    }

private:
    static uint32_t tick() { return now_ms; }
    static inline uint32_t now_ms = 1000;
};
