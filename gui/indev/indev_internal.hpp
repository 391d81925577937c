// The record behind lv_indev_t and the input-side internals shared by the
// pointer, keypad and scroll code.
#pragma once

#include <cstdint>

#include <memory>
#include <vector>

#include "lvgl.h"
#include "gui/core/scroll_math.hpp"
#include "gui/indev/indev_hooks.hpp"
#include "gui/misc/event.hpp"

namespace gui::input {

struct PointerState {
    lv_point_t act_point{0, 0};   // this read
    lv_point_t last_point{0, 0};  // previous read
    lv_point_t last_raw_point{0, 0};
    lv_point_t vect{0, 0};  // movement since the previous read
    // Movement since the press until a scroll starts; from then on the sum
    // of the steps applied to the scrolled object.
    lv_point_t scroll_sum{0, 0};
    lv_point_t throw_vect{0, 0};  // momentum velocity after release
    lv_point_t gesture_sum{0, 0};
    lv_obj_t * act_obj = nullptr;   // the pressed object
    lv_obj_t * last_obj = nullptr;  // the object of the last press
    lv_obj_t * last_pressed = nullptr;
    lv_obj_t * hovered = nullptr;
    lv_obj_t * scroll_obj = nullptr;
    lv_dir_t scroll_dir = LV_DIR_NONE;
    lv_dir_t gesture_dir = LV_DIR_NONE;
    bool gesture_sent = false;
    bool press_moved = false;
    bool no_click = false;  // entered while already pressed
    // Limits on scroll_sum while scrolling (a SCROLL_ONE object).
    gui::scroll::StepRange one_step;
    gui::scroll::VelocityHistory history;
    // Click streaks.
    lv_point_t last_click_point{0, 0};
    uint32_t last_click_time = 0;
    uint8_t click_streak = 0;
};

struct KeypadState {
    uint32_t last_key = 0;
    lv_indev_state_t last_state = LV_INDEV_STATE_RELEASED;
};

}  // namespace gui::input

struct _lv_indev_t {
    lv_indev_type_t type = LV_INDEV_TYPE_NONE;
    lv_indev_read_cb_t read_cb = nullptr;
    void * user_data = nullptr;
    void * driver_data = nullptr;
    lv_display_t * disp = nullptr;
    lv_group_t * group = nullptr;
    lv_obj_t * cursor = nullptr;
    lv_timer_t * read_timer = nullptr;
    lv_indev_mode_t mode = LV_INDEV_MODE_TIMER;
    bool enabled = true;

    uint8_t scroll_limit = 10;
    uint8_t scroll_throw = 10;
    uint16_t long_press_time = 400;
    uint16_t long_press_repeat_time = 100;
    uint8_t gesture_limit = 50;
    uint8_t gesture_min_velocity = 3;

    lv_indev_state_t state = LV_INDEV_STATE_RELEASED;
    uint32_t timestamp = 0;
    uint32_t pr_timestamp = 0;
    uint32_t longpr_rep_timestamp = 0;
    bool long_pr_sent = false;
    bool reset_query = false;
    bool wait_until_release = false;
    bool stop_processing_query = false;

    gui::input::PointerState pointer;
    gui::input::KeypadState keypad;
    gui::EventList events;
};

namespace gui::input {

// The object the device being processed acts on (lv_indev_get_active_obj).
extern lv_obj_t * active_obj;

// The topmost clickable object under a display point: system layer, top
// layer, active screen, bottom layer.
lv_obj_t * search_display(lv_display_t * disp, const lv_point_t & point);

// Sends `code` to the device's own handlers; false when one of them asked
// to stop processing (the event must then not reach the object).
bool send_to_device(lv_indev_t * indev, lv_event_code_t code, void * param);

// Sends an input event to the device's handlers first (for the codes that
// go there) and then to `obj` unless it is disabled; false when the object
// was deleted or the device reset meanwhile.
bool send_input_event(lv_indev_t * indev, lv_obj_t * obj, lv_event_code_t code);

void pointer_process(lv_indev_t * indev, const lv_indev_data_t & data);
void keypad_process(lv_indev_t * indev, const lv_indev_data_t & data);

// Drag scrolling (scroll_drag.cpp): scroll_handler is called each pressed
// read after the press handling; scroll_release on the release read starts
// the throw, which then runs as an animation of the device.
void scroll_handler(lv_indev_t * indev);
void scroll_release(lv_indev_t * indev);
// Ends a running throw at once (a new press): spring back, SCROLL_END.
void scroll_stop_throw(lv_indev_t * indev);

// Ends the device's current press: it forgets its pressed and scrolled
// objects (and last_pressed / hovered if they are `obj`, or whatever they
// are without one); each of the two gets INDEV_RESET, then the device's
// handlers with it. The rest of the tracking is cleared at the next read.
void reset_device(lv_indev_t * indev, lv_obj_t * obj);

// True while the device's current press has been reset (deleted object,
// lv_indev_reset) and its remaining events must be dropped.
bool press_was_reset(const lv_indev_t * indev);

}  // namespace gui::input
