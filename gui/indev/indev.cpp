// Input devices: creation, settings, the read loop and device events.
#include <algorithm>
#include <memory>
#include <vector>

#include "gui/core/obj.hpp"
#include "gui/display/display.hpp"
#include "gui/indev/indev_internal.hpp"

namespace {

// Most recently created first.
std::vector<std::unique_ptr<lv_indev_t>> & devices()
{
    static std::vector<std::unique_ptr<lv_indev_t>> list;
    return list;
}

lv_indev_t * active_indev = nullptr;

bool is_device_code(lv_event_code_t code)
{
    switch (code) {
    case LV_EVENT_PRESSED:
    case LV_EVENT_SHORT_CLICKED:
    case LV_EVENT_CLICKED:
    case LV_EVENT_RELEASED:
    case LV_EVENT_LONG_PRESSED:
    case LV_EVENT_LONG_PRESSED_REPEAT:
    case LV_EVENT_ROTARY: return true;
    default: return false;
    }
}

// Forgets the current press and everything derived from it.
void apply_reset(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    p.act_obj = nullptr;
    p.last_obj = nullptr;
    p.scroll_obj = nullptr;
    p.scroll_dir = LV_DIR_NONE;
    p.scroll_sum = {0, 0};
    p.throw_vect = {0, 0};
    p.gesture_sum = {0, 0};
    p.gesture_sent = false;
    p.vect = {0, 0};
    p.no_click = false;
    p.history.clear();
    indev->long_pr_sent = false;
    indev->pr_timestamp = 0;
    indev->longpr_rep_timestamp = 0;
    indev->reset_query = false;
}

void read_once(lv_indev_t * indev, lv_indev_data_t & data)
{
    data = lv_indev_data_t{};
    if (indev->type == LV_INDEV_TYPE_POINTER)
        data.point = indev->pointer.last_raw_point;
    else if (indev->type == LV_INDEV_TYPE_KEYPAD)
        data.key = indev->keypad.last_key;
    else if (indev->type == LV_INDEV_TYPE_ENCODER)
        data.key = LV_KEY_ENTER;
    indev->read_cb(indev, &data);
    if (data.timestamp == 0) data.timestamp = lv_tick_get();
    indev->timestamp = data.timestamp;
}

void process(lv_indev_t * indev, const lv_indev_data_t & data)
{
    switch (indev->type) {
    case LV_INDEV_TYPE_POINTER: gui::input::pointer_process(indev, data); break;
    case LV_INDEV_TYPE_KEYPAD: gui::input::keypad_process(indev, data); break;
    default: break;
    }
}

}  // namespace

namespace gui::input {

lv_obj_t * active_obj = nullptr;

bool send_to_device(lv_indev_t * indev, lv_event_code_t code, void * param)
{
    indev->stop_processing_query = false;
    gui::send_event_to_list(indev->events, indev, code, param);
    const bool stop = indev->stop_processing_query;
    indev->stop_processing_query = false;
    return !stop;
}

bool send_input_event(lv_indev_t * indev, lv_obj_t * obj, lv_event_code_t code)
{
    if (is_device_code(code) && !send_to_device(indev, code, obj)) return !indev->reset_query;
    if (indev->reset_query) return false;
    if (lv_obj_has_state(obj, LV_STATE_DISABLED)) return true;
    if (lv_obj_send_event(obj, code, indev) != LV_RESULT_OK) return false;
    return !indev->reset_query;
}

bool press_was_reset(const lv_indev_t * indev)
{
    return indev->reset_query;
}

namespace {

// An object the reset took from the device learns it first (the plain
// object drops PRESSED and SCROLLED), then the device's own handlers with
// that object. An object being deleted has no handlers left: only its
// classes see it.
void tell_reset(lv_indev_t * indev, lv_obj_t * obj)
{
    if (obj == nullptr || !lv_obj_is_valid(obj)) return;
    lv_obj_send_event(obj, LV_EVENT_INDEV_RESET, indev);
    send_to_device(indev, LV_EVENT_INDEV_RESET, obj);
}

}  // namespace

void reset_device(lv_indev_t * indev, lv_obj_t * obj)
{
    auto & p = indev->pointer;
    lv_obj_t * pressed = p.act_obj;
    lv_obj_t * scrolled = p.scroll_obj;
    if (obj == nullptr || p.last_pressed == obj) p.last_pressed = nullptr;
    if (obj == nullptr || p.hovered == obj) p.hovered = nullptr;
    apply_reset(indev);
    indev->reset_query = true;
    if (indev == active_indev) active_obj = nullptr;
    tell_reset(indev, pressed);
    if (scrolled != pressed) tell_reset(indev, scrolled);
}

void group_deleted(lv_group_t * group)
{
    for (auto & d : devices()) {
        if (d->group == group) d->group = nullptr;
    }
}

void delete_all()
{
    while (!devices().empty()) lv_indev_delete(devices().front().get());
}

lv_indev_t * focus_indev(const lv_group_t * group)
{
    if (active_indev != nullptr) return active_indev;
    for (auto & d : devices()) {
        if (d->group == group) return d.get();
    }
    return nullptr;
}

bool scrolled_by_device(const lv_obj_t * obj)
{
    return std::any_of(devices().begin(), devices().end(),
                       [obj](const auto & d) { return d->pointer.scroll_obj == obj; });
}

lv_dir_t device_scroll_dir(const lv_obj_t * obj)
{
    int dirs = LV_DIR_NONE;
    for (auto & d : devices()) {
        if (d->pointer.scroll_obj == obj) dirs |= d->pointer.scroll_dir;
    }
    return static_cast<lv_dir_t>(dirs);
}

void display_deleting(lv_display_t * disp)
{
    for (auto & d : devices()) {
        if (d->disp != disp) continue;
        d->disp = nullptr;
        d->cursor = nullptr;
        apply_reset(d.get());
        d->pointer.last_pressed = nullptr;
        d->pointer.hovered = nullptr;
    }
}

}  // namespace gui::input

extern "C" {

lv_indev_t * lv_indev_create(void)
{
    lv_display_t * disp = lv_display_get_default();
    if (!disp) LV_LOG_WARN("no display was created so far");
    auto indev = std::make_unique<lv_indev_t>();
    indev->disp = disp;
    indev->read_timer = lv_timer_create(lv_indev_read_timer_cb, LV_DEF_REFR_PERIOD, indev.get());
    if (!indev->read_timer) return nullptr;
    devices().insert(devices().begin(), std::move(indev));
    return devices().front().get();
}

void lv_indev_delete(lv_indev_t * indev)
{
    if (!indev) return;
    gui::send_event_to_list(indev->events, indev, LV_EVENT_DELETE, nullptr);
    if (indev->read_timer) lv_timer_delete(indev->read_timer);
    lv_anim_delete(indev, nullptr);  // a throw still running
    if (active_indev == indev) active_indev = nullptr;
    auto & list = devices();
    list.erase(std::remove_if(list.begin(), list.end(), [indev](const auto & d) { return d.get() == indev; }),
               list.end());
}

lv_indev_t * lv_indev_get_next(lv_indev_t * indev)
{
    auto & list = devices();
    if (!indev) return list.empty() ? nullptr : list.front().get();
    for (size_t i = 0; i + 1 < list.size(); i++) {
        if (list[i].get() == indev) return list[i + 1].get();
    }
    return nullptr;
}

void lv_indev_read(lv_indev_t * indev)
{
    if (!indev) return;
    active_indev = indev;
    if (!indev->disp || !indev->enabled || !indev->read_cb) return;
    // Input waits while a screen is being loaded with an animation.
    if (lv_display_get_screen_prev(indev->disp)) return;
    if (indev->reset_query) apply_reset(indev);
    lv_indev_data_t data;
    do {
        read_once(indev, data);
        process(indev, data);
        if (active_indev != indev) return;  // deleted from one of its handlers
    } while (data.continue_reading && indev->mode == LV_INDEV_MODE_TIMER);
    active_indev = nullptr;
    gui::input::active_obj = nullptr;
}

void lv_indev_read_timer_cb(lv_timer_t * timer)
{
    lv_indev_read(static_cast<lv_indev_t *>(lv_timer_get_user_data(timer)));
}

void lv_indev_enable(lv_indev_t * indev, bool enable)
{
    for (auto & d : devices()) {
        if (indev && d.get() != indev) continue;
        d->enabled = enable;
        if (d->read_timer && d->mode == LV_INDEV_MODE_TIMER) {
            if (enable)
                lv_timer_resume(d->read_timer);
            else
                lv_timer_pause(d->read_timer);
        }
    }
}

lv_indev_t * lv_indev_active(void)
{
    return active_indev;
}

void lv_indev_set_type(lv_indev_t * indev, lv_indev_type_t indev_type)
{
    if (!indev) return;
    indev->type = indev_type;
    apply_reset(indev);
}

void lv_indev_set_read_cb(lv_indev_t * indev, lv_indev_read_cb_t read_cb)
{
    if (indev) indev->read_cb = read_cb;
}

void lv_indev_set_user_data(lv_indev_t * indev, void * user_data)
{
    if (indev) indev->user_data = user_data;
}

void lv_indev_set_driver_data(lv_indev_t * indev, void * driver_data)
{
    if (indev) indev->driver_data = driver_data;
}

void lv_indev_set_display(lv_indev_t * indev, struct _lv_display_t * disp)
{
    if (!indev || indev->disp == disp) return;
    indev->disp = disp;
    apply_reset(indev);
    indev->pointer.last_pressed = nullptr;
    indev->pointer.hovered = nullptr;
}

void lv_indev_set_long_press_time(lv_indev_t * indev, uint16_t long_press_time)
{
    if (indev) indev->long_press_time = long_press_time;
}

void lv_indev_set_long_press_repeat_time(lv_indev_t * indev, uint16_t long_press_repeat_time)
{
    if (indev) indev->long_press_repeat_time = long_press_repeat_time;
}

void lv_indev_set_scroll_limit(lv_indev_t * indev, uint8_t scroll_limit)
{
    if (indev) indev->scroll_limit = scroll_limit;
}

void lv_indev_set_scroll_throw(lv_indev_t * indev, uint8_t scroll_throw)
{
    if (indev) indev->scroll_throw = scroll_throw;
}

lv_indev_type_t lv_indev_get_type(const lv_indev_t * indev)
{
    return indev ? indev->type : LV_INDEV_TYPE_NONE;
}

lv_indev_read_cb_t lv_indev_get_read_cb(lv_indev_t * indev)
{
    return indev ? indev->read_cb : nullptr;
}

lv_indev_state_t lv_indev_get_state(const lv_indev_t * indev)
{
    return indev ? indev->state : LV_INDEV_STATE_RELEASED;
}

lv_group_t * lv_indev_get_group(const lv_indev_t * indev)
{
    return indev ? indev->group : nullptr;
}

lv_display_t * lv_indev_get_display(const lv_indev_t * indev)
{
    return indev ? indev->disp : nullptr;
}

void * lv_indev_get_user_data(const lv_indev_t * indev)
{
    return indev ? indev->user_data : nullptr;
}

void * lv_indev_get_driver_data(const lv_indev_t * indev)
{
    return indev ? indev->driver_data : nullptr;
}

bool lv_indev_get_press_moved(const lv_indev_t * indev)
{
    return indev && indev->pointer.press_moved;
}

void lv_indev_reset(lv_indev_t * indev, lv_obj_t * obj)
{
    for (auto & d : devices()) {
        if (indev && d.get() != indev) continue;
        auto & p = d->pointer;
        if (obj && p.act_obj != obj && p.last_obj != obj && p.scroll_obj != obj) continue;
        gui::input::reset_device(d.get(), obj);
    }
}

void lv_indev_stop_processing(lv_indev_t * indev)
{
    if (indev) indev->stop_processing_query = true;
}

void lv_indev_reset_long_press(lv_indev_t * indev)
{
    if (!indev) return;
    indev->long_pr_sent = false;
    indev->pr_timestamp = lv_tick_get();
    indev->longpr_rep_timestamp = indev->pr_timestamp;
}

void lv_indev_set_cursor(lv_indev_t * indev, lv_obj_t * cur_obj)
{
    if (!indev || indev->type != LV_INDEV_TYPE_POINTER || !indev->disp) return;
    indev->cursor = cur_obj;
    if (!cur_obj) return;
    lv_obj_set_parent(cur_obj, lv_display_get_layer_sys(indev->disp));
    lv_obj_remove_flag(cur_obj, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_add_flag(cur_obj, static_cast<lv_obj_flag_t>(LV_OBJ_FLAG_IGNORE_LAYOUT | LV_OBJ_FLAG_FLOATING));
    lv_obj_set_pos(cur_obj, indev->pointer.act_point.x, indev->pointer.act_point.y);
}

void lv_indev_set_group(lv_indev_t * indev, lv_group_t * group)
{
    if (!indev) return;
    if (indev->type == LV_INDEV_TYPE_KEYPAD || indev->type == LV_INDEV_TYPE_ENCODER) indev->group = group;
}

void lv_indev_set_button_points(lv_indev_t *, const lv_point_t[]) {}

void lv_indev_get_point(const lv_indev_t * indev, lv_point_t * point)
{
    if (!point) return;
    if (!indev) {
        *point = {0, 0};
        return;
    }
    if (indev->type == LV_INDEV_TYPE_POINTER || indev->type == LV_INDEV_TYPE_BUTTON)
        *point = indev->pointer.act_point;
    else
        *point = {-1, -1};
}

lv_dir_t lv_indev_get_gesture_dir(const lv_indev_t * indev)
{
    return indev ? indev->pointer.gesture_dir : LV_DIR_NONE;
}

uint32_t lv_indev_get_key(const lv_indev_t * indev)
{
    return indev && indev->type == LV_INDEV_TYPE_KEYPAD ? indev->keypad.last_key : 0;
}

uint8_t lv_indev_get_short_click_streak(const lv_indev_t * indev)
{
    return indev ? indev->pointer.click_streak : 0;
}

lv_dir_t lv_indev_get_scroll_dir(const lv_indev_t * indev)
{
    return indev ? indev->pointer.scroll_dir : LV_DIR_NONE;
}

lv_obj_t * lv_indev_get_scroll_obj(const lv_indev_t * indev)
{
    return indev ? indev->pointer.scroll_obj : nullptr;
}

void lv_indev_get_vect(const lv_indev_t * indev, lv_point_t * point)
{
    if (!point) return;
    *point = indev && indev->type == LV_INDEV_TYPE_POINTER ? indev->pointer.vect : lv_point_t{0, 0};
}

lv_obj_t * lv_indev_get_cursor(lv_indev_t * indev)
{
    return indev ? indev->cursor : nullptr;
}

void lv_indev_wait_release(lv_indev_t * indev)
{
    if (indev) indev->wait_until_release = true;
}

lv_obj_t * lv_indev_get_active_obj(void)
{
    return gui::input::active_obj;
}

lv_timer_t * lv_indev_get_read_timer(lv_indev_t * indev)
{
    return indev ? indev->read_timer : nullptr;
}

void lv_indev_set_mode(lv_indev_t * indev, lv_indev_mode_t mode)
{
    if (!indev || indev->mode == mode) return;
    indev->mode = mode;
    if (!indev->read_timer) return;
    if (mode == LV_INDEV_MODE_EVENT)
        lv_timer_pause(indev->read_timer);
    else if (indev->enabled)
        lv_timer_resume(indev->read_timer);
}

lv_indev_mode_t lv_indev_get_mode(lv_indev_t * indev)
{
    return indev ? indev->mode : LV_INDEV_MODE_NONE;
}

void lv_indev_add_event_cb(lv_indev_t * indev, lv_event_cb_t event_cb, lv_event_code_t filter, void * user_data)
{
    if (indev) indev->events.add(event_cb, filter, user_data);
}

uint32_t lv_indev_get_event_count(lv_indev_t * indev)
{
    return indev ? indev->events.count() : 0;
}

lv_event_dsc_t * lv_indev_get_event_dsc(lv_indev_t * indev, uint32_t index)
{
    return indev ? indev->events.get(index) : nullptr;
}

bool lv_indev_remove_event(lv_indev_t * indev, uint32_t index)
{
    return indev && indev->events.remove(index);
}

uint32_t lv_indev_remove_event_cb_with_user_data(lv_indev_t * indev, lv_event_cb_t event_cb, void * user_data)
{
    return indev ? indev->events.remove_cb_with_user_data(event_cb, user_data) : 0;
}

lv_result_t lv_indev_send_event(lv_indev_t * indev, lv_event_code_t code, void * param)
{
    if (!indev) return LV_RESULT_INVALID;
    return gui::send_event_to_list(indev->events, indev, code, param);
}

}  // extern "C"
