// Keypad devices: keys go to the focused object of the device's group;
// NEXT/PREV move the focus, ENTER presses and clicks, ESC cancels.
#include "gui/indev/indev_internal.hpp"

namespace {

constexpr uint32_t kClickStreakMs = 400;

void move_focus(lv_group_t * group, uint32_t key)
{
    lv_group_set_editing(group, false);
    if (key == LV_KEY_NEXT)
        lv_group_focus_next(group);
    else
        lv_group_focus_prev(group);
}

bool is_focus_key(uint32_t key)
{
    return key == LV_KEY_NEXT || key == LV_KEY_PREV;
}

void key_down(lv_indev_t * indev, lv_group_t * group, uint32_t key)
{
    if (is_focus_key(key)) {
        move_focus(group, key);
        return;
    }
    lv_obj_t * focused = lv_group_get_focused(group);
    if (!focused) return;
    gui::input::active_obj = focused;
    if (lv_group_send_data(group, key) != LV_RESULT_OK || indev->reset_query) return;
    if (key == LV_KEY_ENTER)
        gui::input::send_input_event(indev, focused, LV_EVENT_PRESSED);
    else if (key == LV_KEY_ESC && !lv_obj_has_state(focused, LV_STATE_DISABLED)) {
        lv_obj_send_event(focused, LV_EVENT_CANCEL, indev);
    }
}

// Held keys: ENTER long-presses, NEXT/PREV and other keys repeat.
void key_held(lv_indev_t * indev, lv_group_t * group, uint32_t key)
{
    const uint32_t now = indev->timestamp;
    bool first = false;
    if (!indev->long_pr_sent) {
        if (now - indev->pr_timestamp <= indev->long_press_time) return;
        indev->long_pr_sent = true;
        first = true;
    } else if (now - indev->longpr_rep_timestamp <= indev->long_press_repeat_time) {
        return;
    }
    indev->longpr_rep_timestamp = now;
    if (is_focus_key(key)) {
        move_focus(group, key);
        return;
    }
    lv_obj_t * focused = lv_group_get_focused(group);
    if (!focused) return;
    gui::input::active_obj = focused;
    if (key == LV_KEY_ENTER) {
        gui::input::send_input_event(indev, focused, first ? LV_EVENT_LONG_PRESSED : LV_EVENT_LONG_PRESSED_REPEAT);
    } else {
        lv_group_send_data(group, key);
    }
}

lv_event_code_t click_streak_event(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    const bool quick = p.click_streak > 0 && indev->timestamp - p.last_click_time < kClickStreakMs;
    p.click_streak = quick ? uint8_t(p.click_streak + 1) : uint8_t(1);
    p.last_click_time = indev->timestamp;
    static constexpr lv_event_code_t kCodes[] = {LV_EVENT_SINGLE_CLICKED, LV_EVENT_DOUBLE_CLICKED,
                                                 LV_EVENT_TRIPLE_CLICKED};
    return kCodes[(p.click_streak - 1) % 3];
}

void key_up(lv_indev_t * indev, lv_group_t * group, uint32_t key)
{
    if (key != LV_KEY_ENTER) return;
    lv_obj_t * focused = lv_group_get_focused(group);
    if (!focused) return;
    gui::input::active_obj = focused;
    if (!gui::input::send_input_event(indev, focused, LV_EVENT_RELEASED)) return;
    if (!indev->long_pr_sent) {
        const lv_event_code_t streak = click_streak_event(indev);
        if (!gui::input::send_input_event(indev, focused, LV_EVENT_SHORT_CLICKED)) return;
        if (!gui::input::send_input_event(indev, focused, streak)) return;
    }
    gui::input::send_input_event(indev, focused, LV_EVENT_CLICKED);
}

}  // namespace

namespace gui::input {

void keypad_process(lv_indev_t * indev, const lv_indev_data_t & data)
{
    auto & k = indev->keypad;
    const lv_indev_state_t prev = k.last_state;
    k.last_state = data.state;
    indev->state = data.state;
    lv_group_t * group = indev->group;
    if (!group) return;
    if (data.state == LV_INDEV_STATE_PRESSED && prev == LV_INDEV_STATE_RELEASED) {
        k.last_key = data.key;
        indev->pr_timestamp = indev->timestamp;
        indev->long_pr_sent = false;
        key_down(indev, group, data.key);
    } else if (data.state == LV_INDEV_STATE_PRESSED) {
        key_held(indev, group, k.last_key);
    } else if (prev == LV_INDEV_STATE_PRESSED) {
        key_up(indev, group, k.last_key);
        indev->pr_timestamp = 0;
    }
}

}  // namespace gui::input
