// Test environment for input devices and scrolling: a 640x480 display, a
// tick the test controls and a scripted pointer and keypad. Each step moves
// the tick by one read period (33 ms) and runs the timers once, so every
// step is exactly one read of each device and one animation tick.
//
// Timelines can also run on a finer clock (run_until): the tick moves in
// 5 ms steps with the timers run after each, so the 33 ms read and
// animation timers fire every 35 ms, a touch screen's finger strokes are
// sampled as they go, and times are given from the set-up.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lvgl.h"

namespace indev_test {

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
constexpr uint32_t kPeriod = 33;

// One event as an object received it.
struct Event {
    lv_event_code_t code;
    lv_obj_t * target;
    void * param;
    int32_t scroll_x;
    int32_t scroll_y;
    uint32_t tick;
};

// Records every event of the objects it is attached to.
class Recorder {
public:
    void attach(lv_obj_t * obj, const char * name);
    void clear() { events.clear(); }
    // "name:CODE" for the codes of interest, in order.
    std::vector<std::string> names(const std::vector<lv_event_code_t> & codes) const;
    std::vector<Event> of(lv_event_code_t code) const;
    int count(lv_event_code_t code, lv_obj_t * obj = nullptr) const;

    std::vector<Event> events;

private:
    static void on_event(lv_event_t * e);
    std::vector<std::pair<lv_obj_t *, std::string>> names_;
    std::string name_of(lv_obj_t * obj) const;
};

const char * code_name(lv_event_code_t code);

// The tick at set-up; Event::tick - kSetUpTick is the time from set-up.
constexpr uint32_t kSetUpTick = 1000;
constexpr uint32_t kFineTick = 5;

// A straight finger stroke: down at `start` ms after set-up at `from`,
// moving evenly to `to`, lifted after `start + duration`. Each read sees
// the point rounded to the nearest pixel.
struct Stroke {
    lv_point_t from;
    lv_point_t to;
    uint32_t start;
    uint32_t duration;
};

class InputTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One read period.
    void step();
    void steps(int n);
    // Runs the timers until no animation or throw is left (bounded).
    void settle();

    void press(int32_t x, int32_t y);    // finger down, one step
    void move_to(int32_t x, int32_t y);  // finger at a new point, one step
    void release();                      // finger up, one step
    void tap(int32_t x, int32_t y);
    // Press at `from`, move by `delta` per step `n` times, then lift.
    void swipe(lv_point_t from, lv_point_t delta, int n);

    void key_down(uint32_t key);
    void key_up();

    // Scripts the pointer with a stroke; run_until then plays it.
    void play(const Stroke & s);
    // Runs the clock in 5 ms steps until `t` ms after set-up.
    void run_until(uint32_t t);

    static uint32_t now();
    // Milliseconds since set-up.
    static uint32_t elapsed() { return now() - kSetUpTick; }

    lv_display_t * disp = nullptr;
    lv_indev_t * pointer = nullptr;
    lv_indev_t * keypad = nullptr;
    lv_obj_t * scr = nullptr;
    lv_point_t point{0, 0};
    bool pressed = false;
    uint32_t key = 0;
    bool key_pressed = false;

private:
    void sample_stroke(lv_indev_data_t * data) const;
    static void pointer_read(lv_indev_t * indev, lv_indev_data_t * data);
    static void keypad_read(lv_indev_t * indev, lv_indev_data_t * data);
    std::vector<uint8_t> fb_;
    std::optional<Stroke> stroke_;
};

// A plain container without padding, border or scrollbar styles.
lv_obj_t * bare(lv_obj_t * parent, int32_t w, int32_t h);

// Six full-screen pages side by side in a horizontal pager snapping to the
// centre, one page per gesture; `rec` records the pager's events. SetUp
// again (after TearDown) builds a fresh one.
class PagerTest : public InputTest {
protected:
    void SetUp() override;

    // The page in view.
    int page() const { return lv_obj_get_scroll_x(pager) / kWidth; }

    lv_obj_t * pager = nullptr;
    std::vector<lv_obj_t *> pages;
    Recorder rec;
};

}  // namespace indev_test
