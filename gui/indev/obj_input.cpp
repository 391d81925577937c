// The input side of every object's base behaviour: pressed, hovered,
// focused and scrolled states, the checkable toggle, keys, scroll on focus,
// and cleaning up references when objects go away.
#include "gui/core/group_internal.hpp"
#include "gui/core/obj.hpp"
#include "gui/core/scroll_internal.hpp"
#include "gui/indev/indev_internal.hpp"

namespace {

constexpr uint32_t kFocusStates = LV_STATE_FOCUSED | LV_STATE_FOCUS_KEY | LV_STATE_EDITED;

lv_state_t as_state(uint32_t bits)
{
    return static_cast<lv_state_t>(bits);
}
constexpr int32_t kArrowScrollDivisor = 4;

void toggle_checked(lv_obj_t * obj)
{
    if (lv_obj_has_state(obj, LV_STATE_CHECKED))
        lv_obj_remove_state(obj, LV_STATE_CHECKED);
    else
        lv_obj_add_state(obj, LV_STATE_CHECKED);
    lv_obj_send_event(obj, LV_EVENT_VALUE_CHANGED, nullptr);
}

void on_released(lv_obj_t * obj)
{
    lv_obj_remove_state(obj, LV_STATE_PRESSED);
    if (!lv_obj_has_flag(obj, LV_OBJ_FLAG_CHECKABLE)) return;
    lv_indev_t * indev = lv_indev_active();
    if (indev && lv_indev_get_scroll_obj(indev)) return;  // the press became a scroll
    toggle_checked(obj);
}

void set_checked_by_key(lv_obj_t * obj, bool checked)
{
    if (checked)
        lv_obj_add_state(obj, LV_STATE_CHECKED);
    else
        lv_obj_remove_state(obj, LV_STATE_CHECKED);
    lv_obj_send_event(obj, LV_EVENT_VALUE_CHANGED, nullptr);
}

// Arrow keys scroll a focused scrollable object by a quarter of its size;
// left/right fall back to vertical when it cannot scroll horizontally.
void scroll_by_arrow(lv_obj_t * obj, uint32_t key)
{
    const int32_t h_step = lv_obj_get_height(obj) / kArrowScrollDivisor;
    const int32_t w_step = lv_obj_get_width(obj) / kArrowScrollDivisor;
    const bool can_hor = lv_obj_get_scroll_left(obj) > 0 || lv_obj_get_scroll_right(obj) > 0;
    switch (key) {
    case LV_KEY_UP: lv_obj_scroll_by_bounded(obj, 0, h_step, LV_ANIM_OFF); break;
    case LV_KEY_DOWN: lv_obj_scroll_by_bounded(obj, 0, -h_step, LV_ANIM_OFF); break;
    case LV_KEY_LEFT:
        if (can_hor)
            lv_obj_scroll_by_bounded(obj, w_step, 0, LV_ANIM_OFF);
        else
            lv_obj_scroll_by_bounded(obj, 0, h_step, LV_ANIM_OFF);
        break;
    case LV_KEY_RIGHT:
        if (can_hor)
            lv_obj_scroll_by_bounded(obj, -w_step, 0, LV_ANIM_OFF);
        else
            lv_obj_scroll_by_bounded(obj, 0, -h_step, LV_ANIM_OFF);
        break;
    default: break;
    }
}

void on_key(lv_obj_t * obj, uint32_t key)
{
    if (lv_obj_has_flag(obj, LV_OBJ_FLAG_CHECKABLE)) {
        if (key == LV_KEY_RIGHT || key == LV_KEY_UP)
            set_checked_by_key(obj, true);
        else if (key == LV_KEY_LEFT || key == LV_KEY_DOWN)
            set_checked_by_key(obj, false);
        return;
    }
    if (lv_obj_has_flag(obj, LV_OBJ_FLAG_SCROLLABLE) && lv_obj_has_flag(obj, LV_OBJ_FLAG_SCROLL_WITH_ARROW) &&
        !lv_obj_is_editable(obj)) {
        scroll_by_arrow(obj, key);
    }
}

void on_focused(lv_obj_t * obj, lv_event_t * e)
{
    auto * indev = static_cast<lv_indev_t *>(lv_event_get_param(e));
    uint32_t state = LV_STATE_FOCUSED;
    if (indev) {
        const lv_indev_type_t type = lv_indev_get_type(indev);
        if (type == LV_INDEV_TYPE_KEYPAD || type == LV_INDEV_TYPE_ENCODER) state |= LV_STATE_FOCUS_KEY;
    }
    if (lv_group_get_editing(lv_obj_get_group(obj))) state |= LV_STATE_EDITED;
    lv_obj_remove_state(obj, as_state(kFocusStates & ~state));
    lv_obj_add_state(obj, as_state(state));
    if (lv_obj_has_flag(obj, LV_OBJ_FLAG_SCROLL_ON_FOCUS)) lv_obj_scroll_to_view_recursive(obj, LV_ANIM_ON);
}

// A pointer whose pressed, last or scrolled object goes away is reset and, if
// still down, ignores the rest of that press; so is a device of the object's
// group that is processing this object right now.
void forget_in_device(lv_indev_t * indev, lv_obj_t * obj)
{
    if (indev->cursor == obj) indev->cursor = nullptr;
    auto & p = indev->pointer;
    const bool uses =
        indev->type == LV_INDEV_TYPE_POINTER && (p.act_obj == obj || p.last_obj == obj || p.scroll_obj == obj);
    if (uses) {
        if (indev->state == LV_INDEV_STATE_PRESSED) indev->wait_until_release = true;
        gui::input::reset_device(indev, obj);
    }
    if (indev->group == lv_obj_get_group(obj) && obj == lv_indev_get_active_obj()) gui::input::reset_device(indev, obj);
    if (p.last_pressed == obj) p.last_pressed = nullptr;
    if (p.hovered == obj) p.hovered = nullptr;
}

}  // namespace

namespace gui::input {

void obj_event(lv_event_t * e)
{
    auto * obj = lv_event_get_current_target_obj(e);
    // Bubbled events do not change the state of ancestors.
    if (!obj || lv_event_get_target_obj(e) != obj) return;
    switch (lv_event_get_code(e)) {
    case LV_EVENT_PRESSED: lv_obj_add_state(obj, LV_STATE_PRESSED); break;
    case LV_EVENT_RELEASED: on_released(obj); break;
    case LV_EVENT_PRESS_LOST: lv_obj_remove_state(obj, LV_STATE_PRESSED); break;
    case LV_EVENT_INDEV_RESET: lv_obj_remove_state(obj, as_state(LV_STATE_PRESSED | LV_STATE_SCROLLED)); break;
    case LV_EVENT_HOVER_OVER: lv_obj_add_state(obj, LV_STATE_HOVERED); break;
    case LV_EVENT_HOVER_LEAVE: lv_obj_remove_state(obj, LV_STATE_HOVERED); break;
    case LV_EVENT_KEY: on_key(obj, lv_event_get_key(e)); break;
    case LV_EVENT_FOCUSED: on_focused(obj, e); break;
    case LV_EVENT_DEFOCUSED: lv_obj_remove_state(obj, as_state(kFocusStates)); break;
    case LV_EVENT_SCROLL_BEGIN: lv_obj_add_state(obj, LV_STATE_SCROLLED); break;
    case LV_EVENT_SCROLL_END: lv_obj_remove_state(obj, LV_STATE_SCROLLED); break;
    default: break;
    }
}

void obj_deleting(lv_obj_t * obj)
{
    for (lv_indev_t * indev = lv_indev_get_next(nullptr); indev; indev = lv_indev_get_next(indev)) {
        forget_in_device(indev, obj);
    }
    gui::group::forget_obj(obj);
    gui::scroll::stop_anims_quietly(obj);
}

}  // namespace gui::input
