// Timers: a list walked by lv_timer_handler, newest first.
#include <algorithm>
#include <memory>
#include <vector>

#include "lvgl.h"
#include "gui/misc/timer.hpp"

namespace {

constexpr uint32_t kIdleMeasurePeriod = 500;
constexpr uint32_t kTickWarnEvery = 100;

struct TimerState {
    std::vector<std::unique_ptr<lv_timer_t>> timers;  // front = newest
    bool enabled = true;
    bool running = false;
    bool list_changed = false;  // a callback created or deleted a timer
    lv_timer_t * deleted_running = nullptr;
    lv_timer_t * running_timer = nullptr;
    uint32_t handler_prev_call = 0;
    uint32_t idle_period_start = 0;
    uint32_t busy_time = 0;
    uint32_t idle_last = 0;
    uint32_t zero_tick_calls = 0;
    uint32_t time_until_next = LV_NO_TIMER_READY;
    lv_timer_handler_resume_cb_t resume_cb = nullptr;
    void * resume_data = nullptr;
};

TimerState state;

uint32_t time_remaining(const lv_timer_t * t)
{
    uint32_t elapsed = lv_tick_elaps(t->last_run);
    return elapsed >= t->period ? 0 : t->period - elapsed;
}

void remove_timer(lv_timer_t * timer)
{
    auto & list = state.timers;
    auto it = std::find_if(list.begin(), list.end(), [timer](const auto & p) { return p.get() == timer; });
    if (it == list.end()) return;
    if (timer == state.running_timer) state.deleted_running = timer;
    list.erase(it);
    state.list_changed = true;
}

// Runs one timer if it is due; true when the timer list changed meanwhile.
bool exec(lv_timer_t * t)
{
    if (t->paused || time_remaining(t) != 0) return false;
    if (t->repeat_count > 0) t->repeat_count--;
    t->last_run = lv_tick_get();
    state.running_timer = t;
    state.deleted_running = nullptr;
    if (t->timer_cb != nullptr) t->timer_cb(t);
    state.running_timer = nullptr;
    if (state.deleted_running != t && t->repeat_count == 0) {
        if (t->auto_delete) {
            remove_timer(t);
        } else {
            t->paused = 1;
        }
    }
    return state.list_changed;
}

uint32_t next_due()
{
    uint32_t next = LV_NO_TIMER_READY;
    for (const auto & t : state.timers) {
        if (t->paused) continue;
        next = std::min(next, time_remaining(t.get()));
    }
    return next;
}

void warn_if_tick_stands_still()
{
    if (lv_tick_get() != 0) {
        state.zero_tick_calls = 0;
        return;
    }
    if (++state.zero_tick_calls % kTickWarnEvery == 0) LV_LOG_WARN("It seems lv_tick_inc() is not called.");
}

void account_idle(uint32_t start)
{
    state.busy_time += lv_tick_elaps(start);
    uint32_t period = lv_tick_elaps(state.idle_period_start);
    if (period >= kIdleMeasurePeriod) {
        uint32_t busy = std::min(state.busy_time * 100 / period, 100U);
        state.idle_last = 100 - busy;
        state.busy_time = 0;
        state.idle_period_start = lv_tick_get();
    }
}

}  // namespace

namespace gui::timer {

void reset()
{
    state.timers.clear();
    state.enabled = true;
    state.running = false;
    state.list_changed = false;
    state.running_timer = nullptr;
    state.deleted_running = nullptr;
    state.zero_tick_calls = 0;
    state.idle_last = 0;
    state.busy_time = 0;
    state.idle_period_start = lv_tick_get();
    state.time_until_next = LV_NO_TIMER_READY;
    state.resume_cb = nullptr;
    state.resume_data = nullptr;
}

}  // namespace gui::timer

extern "C" {

uint32_t lv_timer_handler(void)
{
    if (state.running || !state.enabled) return 1;
    lv_lock();
    state.running = true;
    warn_if_tick_stands_still();
    uint32_t start = lv_tick_get();

    bool restart = true;
    while (restart) {
        restart = false;
        state.list_changed = false;
        // Index walk: the list may change under a callback, then start over.
        for (size_t i = 0; i < state.timers.size(); i++) {
            if (exec(state.timers[i].get())) {
                restart = true;
                break;
            }
        }
    }

    state.time_until_next = next_due();
    account_idle(start);
    state.running = false;
    lv_unlock();
    return state.time_until_next;
}

uint32_t lv_timer_handler_run_in_period(uint32_t period)
{
    if (lv_tick_elaps(state.handler_prev_call) < period) return 1;
    state.handler_prev_call = lv_tick_get();
    return lv_timer_handler();
}

void lv_timer_periodic_handler(void)
{
    if (lv_tick_elaps(state.handler_prev_call) >= state.time_until_next) {
        state.handler_prev_call = lv_tick_get();
        lv_timer_handler();
    }
}

void lv_timer_handler_set_resume_cb(lv_timer_handler_resume_cb_t cb, void * data)
{
    state.resume_cb = cb;
    state.resume_data = data;
}

lv_timer_t * lv_timer_create_basic(void)
{
    return lv_timer_create(nullptr, LV_DEF_REFR_PERIOD, nullptr);
}

lv_timer_t * lv_timer_create(lv_timer_cb_t cb, uint32_t period, void * user_data)
{
    auto t = std::make_unique<lv_timer_t>();
    t->period = period;
    t->timer_cb = cb;
    t->user_data = user_data;
    t->last_run = lv_tick_get();
    lv_timer_t * raw = t.get();
    state.timers.insert(state.timers.begin(), std::move(t));
    state.list_changed = true;
    if (state.resume_cb != nullptr) state.resume_cb(state.resume_data);
    return raw;
}

void lv_timer_delete(lv_timer_t * timer)
{
    if (timer != nullptr) remove_timer(timer);
}

void lv_timer_pause(lv_timer_t * timer)
{
    timer->paused = 1;
}

void lv_timer_resume(lv_timer_t * timer)
{
    timer->paused = 0;
    if (state.resume_cb != nullptr) state.resume_cb(state.resume_data);
}

void lv_timer_set_cb(lv_timer_t * timer, lv_timer_cb_t timer_cb)
{
    timer->timer_cb = timer_cb;
}

void lv_timer_set_period(lv_timer_t * timer, uint32_t period)
{
    timer->period = period;
}

void lv_timer_ready(lv_timer_t * timer)
{
    timer->last_run = lv_tick_get() - timer->period - 1;
}

void lv_timer_set_repeat_count(lv_timer_t * timer, int32_t repeat_count)
{
    timer->repeat_count = repeat_count;
}

void lv_timer_set_auto_delete(lv_timer_t * timer, bool auto_delete)
{
    timer->auto_delete = auto_delete ? 1 : 0;
}

void lv_timer_set_user_data(lv_timer_t * timer, void * user_data)
{
    timer->user_data = user_data;
}

void lv_timer_reset(lv_timer_t * timer)
{
    timer->last_run = lv_tick_get();
}

void lv_timer_enable(bool en)
{
    state.enabled = en;
    if (en && state.resume_cb != nullptr) state.resume_cb(state.resume_data);
}

uint32_t lv_timer_get_idle(void)
{
    return state.idle_last;
}

uint32_t lv_timer_get_time_until_next(void)
{
    return state.time_until_next;
}

lv_timer_t * lv_timer_get_next(lv_timer_t * timer)
{
    auto & list = state.timers;
    if (timer == nullptr) return list.empty() ? nullptr : list.front().get();
    auto it = std::find_if(list.begin(), list.end(), [timer](const auto & p) { return p.get() == timer; });
    if (it == list.end() || ++it == list.end()) return nullptr;
    return it->get();
}

void * lv_timer_get_user_data(lv_timer_t * timer)
{
    return timer->user_data;
}

bool lv_timer_get_paused(lv_timer_t * timer)
{
    return timer->paused != 0;
}

}  // extern "C"
