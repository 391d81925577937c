// Pointer devices: press, pressing, release, clicks, long presses, focus by
// pointer, gestures and the cursor.
#include <cstdlib>

#include "gui/core/obj.hpp"
#include "gui/indev/indev_internal.hpp"

namespace {

constexpr uint32_t kClickStreakMs = 400;
constexpr int32_t kClickStreakDistance = 10;

// Point clamped to the display.
lv_point_t clamp_to_display(const lv_indev_t * indev, lv_point_t p)
{
    const int32_t w = lv_display_get_horizontal_resolution(indev->disp);
    const int32_t h = lv_display_get_vertical_resolution(indev->disp);
    if (p.x < 0) p.x = 0;
    if (p.y < 0) p.y = 0;
    if (p.x >= w) p.x = w - 1;
    if (p.y >= h) p.y = h - 1;
    return p;
}

bool send_plain(lv_indev_t * indev, lv_obj_t * obj, lv_event_code_t code)
{
    if (lv_obj_has_state(obj, LV_STATE_DISABLED)) return true;
    if (lv_obj_send_event(obj, code, indev) != LV_RESULT_OK) return false;
    return !indev->reset_query;
}

// Focus moves to a click-focusable object that gets pressed.
void click_focus(lv_indev_t * indev, lv_obj_t * obj)
{
    if (!lv_obj_has_flag(obj, LV_OBJ_FLAG_CLICK_FOCUSABLE)) return;
    auto & p = indev->pointer;
    lv_obj_t * prev = p.last_pressed;
    p.last_pressed = obj;
    lv_group_t * g_prev = prev ? lv_obj_get_group(prev) : nullptr;
    lv_group_t * g_new = lv_obj_get_group(obj);
    if (g_prev && g_prev == g_new) {
        lv_group_focus_obj(obj);
        return;
    }
    if (!g_prev && !g_new) {
        if (prev == obj) return;
        if (prev && lv_obj_send_event(prev, LV_EVENT_DEFOCUSED, indev) != LV_RESULT_OK) return;
        if (indev->reset_query) return;
        lv_obj_send_event(obj, LV_EVENT_FOCUSED, indev);
        return;
    }
    if (prev && prev != obj) {
        if (lv_obj_send_event(prev, g_prev ? LV_EVENT_LEAVE : LV_EVENT_DEFOCUSED, indev) != LV_RESULT_OK) return;
        if (indev->reset_query) return;
    }
    if (g_new)
        lv_group_focus_obj(obj);
    else
        lv_obj_send_event(obj, LV_EVENT_FOCUSED, indev);
}

void hover(lv_indev_t * indev, lv_obj_t * obj)
{
    auto & p = indev->pointer;
    if (p.hovered && p.hovered != obj) {
        lv_obj_t * old = p.hovered;
        p.hovered = nullptr;
        if (!send_plain(indev, old, LV_EVENT_HOVER_LEAVE)) return;
    }
    p.hovered = obj;
    send_plain(indev, obj, LV_EVENT_HOVER_OVER);
}

void start_press(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    p.vect = {0, 0};
    p.scroll_sum = {0, 0};
    p.gesture_sum = {0, 0};
    p.gesture_sent = false;
    p.scroll_dir = LV_DIR_NONE;
    p.no_click = false;
    p.press_moved = false;
    p.history.clear();
    indev->pr_timestamp = indev->timestamp;
    indev->long_pr_sent = false;

    lv_obj_t * obj = gui::input::search_display(indev->disp, p.act_point);
    p.act_obj = obj;
    if (!obj) return;
    p.last_obj = obj;
    gui::input::active_obj = obj;
    hover(indev, obj);
    if (indev->reset_query) return;
    if (!gui::input::send_input_event(indev, obj, LV_EVENT_PRESSED)) return;
    click_focus(indev, obj);
    if (indev->reset_query) return;
    gui::input::send_input_event(indev, obj, LV_EVENT_PRESSING);
}

// Without PRESS_LOCK the object under the finger is looked up again; a new
// one takes over silently and will not be clicked.
bool follow_finger(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    if (p.scroll_obj || (p.act_obj && lv_obj_has_flag(p.act_obj, LV_OBJ_FLAG_PRESS_LOCK))) return true;
    lv_obj_t * found = gui::input::search_display(indev->disp, p.act_point);
    if (found == p.act_obj) return true;
    lv_obj_t * old = p.act_obj;
    p.act_obj = found;
    p.no_click = true;
    if (found) p.last_obj = found;
    if (old) return send_plain(indev, old, LV_EVENT_PRESS_LOST);
    return true;
}

void gesture(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    if (p.scroll_obj || p.gesture_sent || !p.act_obj) return;
    if (std::abs(p.vect.x) < indev->gesture_min_velocity && std::abs(p.vect.y) < indev->gesture_min_velocity) {
        p.gesture_sum = {0, 0};
        return;
    }
    p.gesture_sum.x += p.vect.x;
    p.gesture_sum.y += p.vect.y;
    const int32_t ax = std::abs(p.gesture_sum.x);
    const int32_t ay = std::abs(p.gesture_sum.y);
    if (ax <= indev->gesture_limit && ay <= indev->gesture_limit) return;
    lv_obj_t * target = p.act_obj;
    while (target && lv_obj_has_flag(target, LV_OBJ_FLAG_GESTURE_BUBBLE)) target = lv_obj_get_parent(target);
    if (ax > ay)
        p.gesture_dir = p.gesture_sum.x > 0 ? LV_DIR_RIGHT : LV_DIR_LEFT;
    else
        p.gesture_dir = p.gesture_sum.y > 0 ? LV_DIR_BOTTOM : LV_DIR_TOP;
    p.gesture_sent = true;
    if (target) send_plain(indev, target, LV_EVENT_GESTURE);
}

void long_press(lv_indev_t * indev, lv_obj_t * obj)
{
    const uint32_t now = indev->timestamp;
    if (!indev->long_pr_sent) {
        if (now - indev->pr_timestamp <= indev->long_press_time) return;
        indev->long_pr_sent = true;
        indev->longpr_rep_timestamp = now;
        gui::input::send_input_event(indev, obj, LV_EVENT_LONG_PRESSED);
        return;
    }
    if (now - indev->longpr_rep_timestamp <= indev->long_press_repeat_time) return;
    indev->longpr_rep_timestamp = now;
    gui::input::send_input_event(indev, obj, LV_EVENT_LONG_PRESSED_REPEAT);
}

void continue_press(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    p.vect = {p.act_point.x - p.last_point.x, p.act_point.y - p.last_point.y};
    if (std::abs(p.vect.x) > indev->scroll_limit || std::abs(p.vect.y) > indev->scroll_limit) p.press_moved = true;
    p.history.push(p.vect.x, p.vect.y, indev->timestamp);
    if (!follow_finger(indev)) return;
    lv_obj_t * obj = p.act_obj;
    if (!obj) return;
    gui::input::active_obj = obj;
    if (!gui::input::send_input_event(indev, obj, LV_EVENT_PRESSING)) return;
    gui::input::scroll_handler(indev);
    if (indev->reset_query) return;
    gesture(indev);
    if (indev->reset_query || p.scroll_obj) return;
    long_press(indev, obj);
}

// Streak of quick short clicks at about the same place: 1, 2, 3, 1, ...
lv_event_code_t click_streak_event(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    const int32_t dx = p.act_point.x - p.last_click_point.x;
    const int32_t dy = p.act_point.y - p.last_click_point.y;
    const bool near = dx * dx + dy * dy <= kClickStreakDistance * kClickStreakDistance;
    const bool quick = p.click_streak > 0 && indev->timestamp - p.last_click_time < kClickStreakMs;
    p.click_streak = (near && quick) ? uint8_t(p.click_streak + 1) : uint8_t(1);
    p.last_click_time = indev->timestamp;
    p.last_click_point = p.act_point;
    static constexpr lv_event_code_t kCodes[] = {LV_EVENT_SINGLE_CLICKED, LV_EVENT_DOUBLE_CLICKED,
                                                 LV_EVENT_TRIPLE_CLICKED};
    return kCodes[(p.click_streak - 1) % 3];
}

void release(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    if (indev->wait_until_release) {
        lv_obj_t * obj = p.act_obj;
        p.act_obj = nullptr;
        p.scroll_obj = nullptr;
        indev->wait_until_release = false;
        indev->pr_timestamp = 0;
        if (obj) send_plain(indev, obj, LV_EVENT_PRESS_LOST);
        return;
    }
    p.vect = {p.act_point.x - p.last_point.x, p.act_point.y - p.last_point.y};
    lv_obj_t * obj = p.act_obj;
    if (obj) {
        gui::input::active_obj = obj;
        const bool clickable = !p.scroll_obj && !p.no_click;
        if (!gui::input::send_input_event(indev, obj, LV_EVENT_RELEASED)) return;
        if (clickable) {
            if (!indev->long_pr_sent) {
                const lv_event_code_t streak = click_streak_event(indev);
                if (!gui::input::send_input_event(indev, obj, LV_EVENT_SHORT_CLICKED)) return;
                if (!send_plain(indev, obj, streak)) return;
            }
            if (!gui::input::send_input_event(indev, obj, LV_EVENT_CLICKED)) return;
        }
        p.act_obj = nullptr;
    }
    indev->pr_timestamp = 0;
    if (p.scroll_obj) gui::input::scroll_release(indev);
}

}  // namespace

namespace gui::input {

void pointer_process(lv_indev_t * indev, const lv_indev_data_t & data)
{
    auto & p = indev->pointer;
    p.last_raw_point = data.point;
    p.act_point = clamp_to_display(indev, data.point);
    if (indev->cursor && (p.act_point.x != p.last_point.x || p.act_point.y != p.last_point.y)) {
        lv_obj_set_pos(indev->cursor, p.act_point.x, p.act_point.y);
    }
    const lv_indev_state_t prev = indev->state;
    indev->state = data.state;
    if (data.state == LV_INDEV_STATE_PRESSED) {
        // After lv_indev_wait_release the rest of the press is ignored.
        if (!indev->wait_until_release) {
            if (prev == LV_INDEV_STATE_RELEASED) {
                if (p.scroll_obj) scroll_stop_throw(indev);
                if (!indev->reset_query) start_press(indev);
            } else {
                continue_press(indev);
            }
        }
    } else if (prev == LV_INDEV_STATE_PRESSED) {
        release(indev);
    }
    p.last_point = p.act_point;
}

}  // namespace gui::input
