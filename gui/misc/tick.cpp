// The millisecond tick: a counter advanced by lv_tick_inc, or a time source callback.
#include <atomic>
#include <chrono>
#include <thread>

#include "lvgl.h"
#include "gui/misc/tick.hpp"

namespace {

std::atomic<uint32_t> tick_counter{0};
std::atomic<lv_tick_get_cb_t> tick_cb{nullptr};
std::atomic<lv_delay_cb_t> delay_cb{nullptr};

}  // namespace

namespace gui::tick {

void reset()
{
    tick_counter = 0;
    tick_cb = nullptr;
    delay_cb = nullptr;
}

}  // namespace gui::tick

extern "C" {

void lv_tick_inc(uint32_t tick_period)
{
    tick_counter.fetch_add(tick_period, std::memory_order_relaxed);
}

uint32_t lv_tick_get(void)
{
    lv_tick_get_cb_t cb = tick_cb.load(std::memory_order_relaxed);
    return cb != nullptr ? cb() : tick_counter.load(std::memory_order_relaxed);
}

uint32_t lv_tick_elaps(uint32_t prev_tick)
{
    return lv_tick_get() - prev_tick;
}

uint32_t lv_tick_diff(uint32_t tick, uint32_t prev_tick)
{
    return tick - prev_tick;
}

void lv_tick_set_cb(lv_tick_get_cb_t cb)
{
    tick_cb = cb;
}

lv_tick_get_cb_t lv_tick_get_cb(void)
{
    return tick_cb;
}

void lv_delay_set_cb(lv_delay_cb_t cb)
{
    delay_cb = cb;
}

void lv_delay_ms(uint32_t ms)
{
    lv_delay_cb_t cb = delay_cb;
    if (cb != nullptr) {
        cb(ms);
        return;
    }
    // Without a delay callback, wait on the tick itself.
    uint32_t start = lv_tick_get();
    while (lv_tick_elaps(start) < ms) std::this_thread::sleep_for(std::chrono::microseconds(100));
}

}  // extern "C"
