// The record behind lv_timer_t and the library-internal timer functions.
#pragma once

#include "lvgl.h"

struct _lv_timer_t {
    uint32_t period = 0;
    uint32_t last_run = 0;
    lv_timer_cb_t timer_cb = nullptr;
    void * user_data = nullptr;
    int32_t repeat_count = -1;
    volatile int paused = 0;
    uint32_t auto_delete : 1 = 1;
};

namespace gui::timer {

// Deletes every timer and re-enables timer handling (lv_init / lv_deinit).
void reset();

}  // namespace gui::timer
