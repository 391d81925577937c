// Animations: a list stepped by one timer, newest first.
#include <algorithm>
#include <memory>
#include <vector>

#include "lvgl.h"
#include "gui/misc/anim.hpp"

namespace {

constexpr int32_t kPathSteps = 1024;
constexpr int32_t kPathShift = 10;
constexpr uint32_t kSpeedUnit = 10;

// The running copy of an animation; `anim` first so lv_anim_t * maps back to it.
struct Entry {
    lv_anim_t anim;
    bool deleted = false;
};

struct AnimState {
    std::vector<std::unique_ptr<Entry>> list;  // front = newest
    lv_timer_t * timer = nullptr;
    bool list_changed = false;
    bool stepping = false;
    uint8_t run_round = 0;
};

AnimState state;

void update_timer()
{
    if (state.timer == nullptr) return;
    bool any = std::any_of(state.list.begin(), state.list.end(), [](const auto & e) { return !e->deleted; });
    if (any) {
        lv_timer_resume(state.timer);
    } else {
        lv_timer_pause(state.timer);
    }
}

void purge_deleted()
{
    auto & l = state.list;
    l.erase(std::remove_if(l.begin(), l.end(), [](const auto & e) { return e->deleted; }), l.end());
}

// Takes the animation out of the list and runs its deleted callback.
void remove_entry(Entry * e)
{
    if (e->deleted) return;
    e->deleted = true;
    state.list_changed = true;
    if (e->anim.deleted_cb != nullptr) e->anim.deleted_cb(&e->anim);
    if (!state.stepping) purge_deleted();
    update_timer();
}

void apply_value(lv_anim_t * a, int32_t value)
{
    a->current_value = value;
    if (a->exec_cb != nullptr) a->exec_cb(a->var, value);
    if (a->custom_exec_cb != nullptr) a->custom_exec_cb(a, value);
}

int32_t current_path_value(lv_anim_t * a)
{
    int32_t saved = a->act_time;
    a->act_time = std::clamp(a->act_time, 0, std::max(a->duration, 0));
    int32_t v = a->path_cb != nullptr ? a->path_cb(a) : lv_anim_path_linear(a);
    a->act_time = saved;
    return v;
}

void swap_direction(lv_anim_t * a)
{
    std::swap(a->start_value, a->end_value);
    uint32_t forward = static_cast<uint32_t>(a->duration);
    a->duration = static_cast<int32_t>(a->reverse_duration);
    a->reverse_duration = forward;
    a->reverse_play_in_progress = !a->reverse_play_in_progress;
}

// One play finished: start the reverse play, the next repeat, or complete.
// A turn into reverse play starts after the reverse delay and drops the time
// the play ran over; a new forward play keeps it. Either begins afresh.
void play_finished(Entry * e)
{
    lv_anim_t * a = &e->anim;
    int32_t overshoot = a->act_time - a->duration;
    bool was_reverse = a->reverse_play_in_progress;
    if (!was_reverse && a->repeat_cnt != LV_ANIM_REPEAT_INFINITE && a->repeat_cnt > 0) a->repeat_cnt--;

    if (!was_reverse && a->reverse_duration != 0) {
        swap_direction(a);
        a->act_time = -static_cast<int32_t>(a->reverse_delay);
        a->start_cb_called = 0;
        return;
    }
    if (a->repeat_cnt > 0) {
        if (was_reverse) swap_direction(a);
        a->act_time = overshoot - static_cast<int32_t>(a->repeat_delay);
        a->start_cb_called = 0;
        return;
    }
    if (was_reverse) swap_direction(a);
    // Completed: out of the list first, then completed and deleted callbacks.
    e->deleted = true;
    state.list_changed = true;
    if (a->completed_cb != nullptr) a->completed_cb(a);
    if (a->deleted_cb != nullptr) a->deleted_cb(a);
}

bool same_target(const lv_anim_t & a, const lv_anim_t & b)
{
    return a.var == b.var && ((a.exec_cb != nullptr && a.exec_cb == b.exec_cb) ||
                              (a.custom_exec_cb != nullptr && a.custom_exec_cb == b.custom_exec_cb));
}

// Another animation of the same variable and callback that already shows
// values gives way to one whose play begins.
void delete_concurrent(const Entry * e)
{
    for (bool found = true; found;) {
        found = false;
        for (auto & other : state.list) {
            const lv_anim_t & o = other->anim;
            if (other.get() == e || other->deleted || !same_target(o, e->anim)) continue;
            if (o.act_time < 0 && !o.early_apply) continue;
            remove_entry(other.get());
            found = true;
            break;
        }
    }
}

// Values and durations for a play: the current value (get_value_cb) added to
// the range when `add_current` is set, speeds resolved to durations.
void set_up_play(lv_anim_t * a, bool add_current)
{
    if (add_current && a->get_value_cb != nullptr) {
        const int32_t v = a->get_value_cb(a);
        a->start_value += v;
        a->end_value += v;
    }
    a->duration =
        static_cast<int32_t>(lv_anim_resolve_speed(static_cast<uint32_t>(a->duration), a->start_value, a->end_value));
    a->reverse_duration = lv_anim_resolve_speed(a->reverse_duration, a->start_value, a->end_value);
}

// The beginning of a play (the first one, each repeat and each turn): false
// when the start callback deleted the animation.
bool begin_play(Entry * e)
{
    lv_anim_t * a = &e->anim;
    a->start_cb_called = 1;
    set_up_play(a, !a->early_apply);
    if (a->start_cb != nullptr) a->start_cb(a);
    if (e->deleted) return false;
    delete_concurrent(e);
    return true;
}

// A pause ends at the first run at least its length after it began, and only
// the time past its end counts; the runs during a pause count nothing.
void step(Entry * e, uint32_t now)
{
    lv_anim_t * a = &e->anim;
    uint32_t elapsed = now - a->last_timer_run;
    if (a->is_paused) {
        const uint32_t paused_for = now - a->pause_time;
        if (a->pause_duration == LV_ANIM_PAUSE_FOREVER || paused_for < a->pause_duration) {
            a->last_timer_run = now;
            return;
        }
        a->is_paused = 0;
        elapsed = paused_for - a->pause_duration;
    }
    a->last_timer_run = now;
    a->act_time += static_cast<int32_t>(elapsed);
    if (a->act_time < 0) return;

    if (!a->start_cb_called && !begin_play(e)) return;
    int32_t value = current_path_value(a);
    if (value != a->current_value) apply_value(a, value);
    if (e->deleted) return;
    if (a->act_time >= a->duration) play_finished(e);
}

void anim_timer_cb(lv_timer_t *)
{
    uint32_t now = lv_tick_get();
    state.stepping = true;
    state.run_round = !state.run_round;
    bool restart = true;
    while (restart) {
        restart = false;
        state.list_changed = false;
        for (size_t i = 0; i < state.list.size(); i++) {
            Entry * e = state.list[i].get();
            if (e->deleted || e->anim.run_round == state.run_round) continue;
            e->anim.run_round = state.run_round;
            step(e, now);
            if (state.list_changed) {
                restart = true;
                break;
            }
        }
    }
    state.stepping = false;
    purge_deleted();
    update_timer();
}

bool matches(const Entry & e, const void * var, lv_anim_exec_xcb_t exec_cb)
{
    return !e.deleted && (var == nullptr || e.anim.var == var) && (exec_cb == nullptr || e.anim.exec_cb == exec_cb);
}

}  // namespace

namespace gui::anim {

void init()
{
    state.list.clear();
    state.timer = lv_timer_create(anim_timer_cb, LV_DEF_REFR_PERIOD, nullptr);
    lv_timer_pause(state.timer);
}

void deinit()
{
    state.list.clear();
    if (state.timer != nullptr) lv_timer_delete(state.timer);
    state.timer = nullptr;
}

}  // namespace gui::anim

extern "C" {

void lv_anim_init(lv_anim_t * a)
{
    *a = lv_anim_t{};
    a->duration = 500;
    a->start_value = 0;
    a->end_value = 100;
    a->repeat_cnt = 1;
    a->path_cb = lv_anim_path_linear;
    a->early_apply = 1;
}

void lv_anim_set_var(lv_anim_t * a, void * var)
{
    a->var = var;
}
void lv_anim_set_exec_cb(lv_anim_t * a, lv_anim_exec_xcb_t exec_cb)
{
    a->exec_cb = exec_cb;
}
void lv_anim_set_duration(lv_anim_t * a, uint32_t duration)
{
    a->duration = static_cast<int32_t>(duration);
}
void lv_anim_set_delay(lv_anim_t * a, uint32_t delay)
{
    a->act_time = -static_cast<int32_t>(delay);
}

void lv_anim_set_values(lv_anim_t * a, int32_t start, int32_t end)
{
    a->start_value = start;
    a->current_value = INT32_MIN;
    a->end_value = end;
}

void lv_anim_set_custom_exec_cb(lv_anim_t * a, lv_anim_custom_exec_cb_t exec_cb)
{
    a->custom_exec_cb = exec_cb;
}
void lv_anim_set_path_cb(lv_anim_t * a, lv_anim_path_cb_t path_cb)
{
    a->path_cb = path_cb;
}
void lv_anim_set_start_cb(lv_anim_t * a, lv_anim_start_cb_t start_cb)
{
    a->start_cb = start_cb;
}
void lv_anim_set_get_value_cb(lv_anim_t * a, lv_anim_get_value_cb_t cb)
{
    a->get_value_cb = cb;
}
void lv_anim_set_completed_cb(lv_anim_t * a, lv_anim_completed_cb_t cb)
{
    a->completed_cb = cb;
}
void lv_anim_set_deleted_cb(lv_anim_t * a, lv_anim_deleted_cb_t cb)
{
    a->deleted_cb = cb;
}
void lv_anim_set_reverse_duration(lv_anim_t * a, uint32_t duration)
{
    a->reverse_duration = duration;
}
void lv_anim_set_reverse_time(lv_anim_t * a, uint32_t duration)
{
    a->reverse_duration = duration;
}
void lv_anim_set_reverse_delay(lv_anim_t * a, uint32_t delay)
{
    a->reverse_delay = delay;
}
void lv_anim_set_repeat_count(lv_anim_t * a, uint32_t cnt)
{
    a->repeat_cnt = cnt;
}
void lv_anim_set_repeat_delay(lv_anim_t * a, uint32_t delay)
{
    a->repeat_delay = delay;
}
void lv_anim_set_early_apply(lv_anim_t * a, bool en)
{
    a->early_apply = en ? 1 : 0;
}
void lv_anim_set_user_data(lv_anim_t * a, void * user_data)
{
    a->user_data = user_data;
}

void lv_anim_set_bezier3_param(lv_anim_t * a, int16_t x1, int16_t y1, int16_t x2, int16_t y2)
{
    a->parameter.bezier3 = {x1, y1, x2, y2};
}

lv_anim_t * lv_anim_start(const lv_anim_t * a)
{
    if (a->early_apply && a->exec_cb != nullptr) lv_anim_delete(a->var, a->exec_cb);

    auto e = std::make_unique<Entry>();
    Entry * entry = e.get();
    entry->anim = *a;
    lv_anim_t * n = &entry->anim;
    n->run_round = state.run_round;
    n->last_timer_run = lv_tick_get();
    n->start_cb_called = 0;
    n->reverse_play_in_progress = 0;
    set_up_play(n, n->early_apply);
    n->current_value = INT32_MIN;
    state.list.insert(state.list.begin(), std::move(e));
    state.list_changed = true;
    update_timer();

    if (n->early_apply) {
        // The exec callback may delete this very animation: its memory stays
        // until the callback has returned.
        const bool was_stepping = state.stepping;
        state.stepping = true;
        apply_value(n, current_path_value(n));
        state.stepping = was_stepping;
        const bool gone = entry->deleted;
        if (!was_stepping) purge_deleted();
        if (gone) return nullptr;
    }
    return n;
}

void lv_anim_pause(lv_anim_t * a)
{
    lv_anim_pause_for(a, LV_ANIM_PAUSE_FOREVER);
}

void lv_anim_pause_for(lv_anim_t * a, uint32_t ms)
{
    a->is_paused = 1;
    a->pause_time = lv_tick_get();
    a->pause_duration = ms;
}

void lv_anim_resume(lv_anim_t * a)
{
    a->is_paused = 0;
    a->pause_duration = 0;
}

bool lv_anim_is_paused(lv_anim_t * a)
{
    return a->is_paused != 0;
}

uint32_t lv_anim_get_delay(const lv_anim_t * a)
{
    return a->act_time < 0 ? static_cast<uint32_t>(-a->act_time) : 0;
}

uint32_t lv_anim_get_playtime(const lv_anim_t * a)
{
    if (a->repeat_cnt == LV_ANIM_REPEAT_INFINITE) return LV_ANIM_PLAYTIME_INFINITE;
    uint32_t plays = a->repeat_cnt == 0 ? 1 : a->repeat_cnt;
    uint32_t one = static_cast<uint32_t>(a->duration) + a->reverse_delay + a->reverse_duration;
    return one * plays + a->repeat_delay * (plays - 1);
}

uint32_t lv_anim_get_time(const lv_anim_t * a)
{
    return static_cast<uint32_t>(a->duration);
}
uint32_t lv_anim_get_repeat_count(const lv_anim_t * a)
{
    return a->repeat_cnt;
}
void * lv_anim_get_user_data(const lv_anim_t * a)
{
    return a->user_data;
}

bool lv_anim_delete(void * var, lv_anim_exec_xcb_t exec_cb)
{
    bool any = false;
    // Callbacks may change the list, so look it up again after each removal.
    for (bool found = true; found;) {
        found = false;
        for (auto & e : state.list) {
            if (matches(*e, var, exec_cb)) {
                remove_entry(e.get());
                any = found = true;
                break;
            }
        }
    }
    return any;
}

void lv_anim_delete_all(void)
{
    lv_anim_delete(nullptr, nullptr);
}

lv_anim_t * lv_anim_get(void * var, lv_anim_exec_xcb_t exec_cb)
{
    for (auto & e : state.list) {
        if (matches(*e, var, exec_cb)) return &e->anim;
    }
    return nullptr;
}

lv_timer_t * lv_anim_get_timer(void)
{
    return state.timer;
}

bool lv_anim_custom_delete(lv_anim_t * a, lv_anim_custom_exec_cb_t exec_cb)
{
    bool any = false;
    void * var = a != nullptr ? a->var : nullptr;
    for (bool found = true; found;) {
        found = false;
        for (auto & e : state.list) {
            if (e->deleted) continue;
            if ((var == nullptr || e->anim.var == var) && (exec_cb == nullptr || e->anim.custom_exec_cb == exec_cb)) {
                remove_entry(e.get());
                any = found = true;
                break;
            }
        }
    }
    return any;
}

lv_anim_t * lv_anim_custom_get(lv_anim_t * a, lv_anim_custom_exec_cb_t exec_cb)
{
    void * var = a != nullptr ? a->var : nullptr;
    for (auto & e : state.list) {
        if (e->deleted) continue;
        if ((var == nullptr || e->anim.var == var) && (exec_cb == nullptr || e->anim.custom_exec_cb == exec_cb)) {
            return &e->anim;
        }
    }
    return nullptr;
}

uint16_t lv_anim_count_running(void)
{
    return static_cast<uint16_t>(
        std::count_if(state.list.begin(), state.list.end(), [](const auto & e) { return !e->deleted; }));
}

// A speed is stored with bit 31 set, the speed in tens in bits 20..30 and the
// clamping limits in tens of ms in bits 10..19 (min) and 0..9 (max).
uint32_t lv_anim_speed(uint32_t speed)
{
    return lv_anim_speed_clamped(speed, 0, 10230);
}

uint32_t lv_anim_speed_clamped(uint32_t speed, uint32_t min_time, uint32_t max_time)
{
    speed = std::min<uint32_t>((speed + kSpeedUnit / 2) / kSpeedUnit, 2047);
    min_time = std::min<uint32_t>((min_time + kSpeedUnit / 2) / kSpeedUnit, 1023);
    max_time = std::min<uint32_t>((max_time + kSpeedUnit / 2) / kSpeedUnit, 1023);
    return 0x80000000U | (speed << 20) | (min_time << 10) | max_time;
}

uint32_t lv_anim_resolve_speed(uint32_t speed, int32_t start, int32_t end)
{
    if ((speed & 0x80000000U) == 0) return speed;
    uint32_t tens = (speed >> 20) & 0x7FF;
    uint32_t min_time = ((speed >> 10) & 0x3FF) * kSpeedUnit;
    uint32_t max_time = (speed & 0x3FF) * kSpeedUnit;
    if (tens == 0) return max_time;
    uint32_t distance = static_cast<uint32_t>(std::abs(static_cast<int64_t>(end) - start));
    uint32_t time = static_cast<uint32_t>(static_cast<uint64_t>(distance) * 100 / tens);
    return std::clamp(time, min_time, std::max(min_time, max_time));
}

uint32_t lv_anim_speed_to_time(uint32_t speed, int32_t start, int32_t end)
{
    if (speed == 0) return 0;
    uint64_t distance = static_cast<uint64_t>(std::abs(static_cast<int64_t>(end) - start));
    return static_cast<uint32_t>(distance * 1000 / speed);
}

void lv_anim_refr_now(void)
{
    if (state.timer != nullptr) anim_timer_cb(state.timer);
}

int32_t lv_anim_path_linear(const lv_anim_t * a)
{
    int32_t step = a->duration > 0 ? static_cast<int32_t>(static_cast<int64_t>(a->act_time) * kPathSteps / a->duration)
                                   : kPathSteps;
    step = std::clamp(step, 0, kPathSteps);
    int64_t delta = static_cast<int64_t>(a->end_value) - a->start_value;
    int64_t v = (static_cast<int64_t>(step) * delta) >> kPathShift;
    return static_cast<int32_t>(v + a->start_value);
}

namespace {

int32_t bezier_path(const lv_anim_t * a, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    int32_t t = a->duration > 0
                    ? static_cast<int32_t>(static_cast<int64_t>(a->act_time) * LV_BEZIER_VAL_MAX / a->duration)
                    : LV_BEZIER_VAL_MAX;
    t = std::clamp(t, 0, static_cast<int32_t>(LV_BEZIER_VAL_MAX));
    int32_t step = lv_cubic_bezier(t, x1, y1, x2, y2);
    int64_t delta = static_cast<int64_t>(a->end_value) - a->start_value;
    return static_cast<int32_t>(((static_cast<int64_t>(step) * delta) >> LV_BEZIER_VAL_SHIFT) + a->start_value);
}

}  // namespace

int32_t lv_anim_path_ease_in(const lv_anim_t * a)
{
    return bezier_path(a, LV_BEZIER_VAL_FLOAT(0.42), 0, LV_BEZIER_VAL_MAX, LV_BEZIER_VAL_MAX);
}

int32_t lv_anim_path_ease_out(const lv_anim_t * a)
{
    return bezier_path(a, 0, 0, LV_BEZIER_VAL_FLOAT(0.58), LV_BEZIER_VAL_MAX);
}

int32_t lv_anim_path_ease_in_out(const lv_anim_t * a)
{
    return bezier_path(a, LV_BEZIER_VAL_FLOAT(0.42), 0, LV_BEZIER_VAL_FLOAT(0.58), LV_BEZIER_VAL_MAX);
}

int32_t lv_anim_path_overshoot(const lv_anim_t * a)
{
    return bezier_path(a, LV_BEZIER_VAL_FLOAT(0.333), 0, LV_BEZIER_VAL_FLOAT(0.667), LV_BEZIER_VAL_FLOAT(1.27));
}

int32_t lv_anim_path_bounce(const lv_anim_t * a)
{
    // Three bounces of falling height; t in 0..1024.
    int32_t t = a->duration > 0 ? static_cast<int32_t>(static_cast<int64_t>(a->act_time) * 1024 / a->duration) : 1024;
    t = std::clamp(t, 0, 1024);
    int32_t diff = a->end_value - a->start_value;
    int32_t amp;
    int32_t u;
    if (t < 408) {
        u = t * 1024 / 408;
        return a->start_value +
               static_cast<int32_t>((static_cast<int64_t>(lv_cubic_bezier(u, 0, 0, 600, 1024)) * diff) >> 10);
    }
    if (t < 614) {
        u = (t - 408) * 1024 / 206;
        amp = 5;
    } else if (t < 819) {
        u = (t - 614) * 1024 / 205;
        amp = 12;
    } else {
        u = (t - 819) * 1024 / 205;
        amp = 30;
    }
    int32_t arc = 1024 - std::abs(2 * u - 1024) * std::abs(2 * u - 1024) / 1024;
    int32_t back = diff / amp * arc / 1024;
    return a->end_value - back;
}

int32_t lv_anim_path_step(const lv_anim_t * a)
{
    return a->act_time >= a->duration ? a->end_value : a->start_value;
}

int32_t lv_anim_path_custom_bezier3(const lv_anim_t * a)
{
    const lv_anim_bezier3_para_t & p = a->parameter.bezier3;
    return bezier_path(a, p.x1, p.y1, p.x2, p.y2);
}

}  // extern "C"
