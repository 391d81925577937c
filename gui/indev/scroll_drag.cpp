// Scrolling by dragging: choosing the object to scroll, drag steps with
// elasticity, the throw after release, snapping and the spring-back.
#include <algorithm>
#include <cstdlib>

#include "gui/core/obj.hpp"
#include "gui/core/scroll_internal.hpp"
#include "gui/indev/indev_internal.hpp"

namespace {

using gui::scroll::Axis;

Axis axis_of(lv_dir_t dir) { return dir == LV_DIR_HOR ? Axis::X : Axis::Y; }

int32_t along(const lv_point_t & p, Axis axis) { return axis == Axis::X ? p.x : p.y; }

int32_t scroll_pos(const lv_obj_t * obj, Axis axis) { return gui::scroll::hidden_before(obj, axis); }

// What an object offers on one axis for a drag: whether it has anything to
// scroll there, and whether it can move the way the finger goes (positive
// finger movement reveals the content before the visible part). A snapping
// axis also counts while snap points lie in that direction.
struct Offer {
    bool has_content = false;
    bool can_move = false;
};

Offer offer(const lv_obj_t * obj, Axis axis, int32_t finger)
{
    int32_t before = gui::scroll::hidden_before(obj, axis);
    int32_t after = gui::scroll::hidden_after(obj, axis);
    for(int32_t d : gui::scroll::snap_offsets(obj, axis)) {
        if(d < 0) before = std::max(before, -d);
        if(d > 0) after = std::max(after, d);
    }
    const uint8_t needed = axis == Axis::X ? (finger > 0 ? LV_DIR_LEFT : LV_DIR_RIGHT)
                                           : (finger > 0 ? LV_DIR_TOP : LV_DIR_BOTTOM);
    Offer o;
    if(!(obj->flags & LV_OBJ_FLAG_SCROLLABLE) || !(obj->scroll_dir & needed)) return o;
    o.has_content = before > 0 || after > 0;
    o.can_move = finger > 0 ? before > 0 : after > 0;
    return o;
}

// Walks up from the pressed object once the finger moved past the scroll
// limit. An object that cannot take the drag passes it on only if it
// chains on that axis; failing all, the outermost object that has content
// there takes it anyway (to show the elastic effect).
lv_obj_t * find_scroll_obj(lv_indev_t * indev, Axis & axis)
{
    auto & p = indev->pointer;
    const int32_t limit = indev->scroll_limit;
    axis = std::abs(p.scroll_sum.x) > std::abs(p.scroll_sum.y) ? Axis::X : Axis::Y;
    const int32_t finger = along(p.scroll_sum, axis);
    if(std::abs(finger) < limit) return nullptr;
    const uint32_t chain = axis == Axis::X ? LV_OBJ_FLAG_SCROLL_CHAIN_HOR : LV_OBJ_FLAG_SCROLL_CHAIN_VER;
    lv_obj_t * candidate = nullptr;
    for(lv_obj_t * obj = p.act_obj; obj; obj = obj->parent) {
        const Offer o = offer(obj, axis, finger);
        if(o.can_move) return obj;
        if(o.has_content) candidate = obj;
        if(!(obj->flags & chain)) break;
    }
    return candidate;
}

// A SCROLL_ONE object may be dragged at most to the next snap point on
// either side; the edges stay open (the snap corrects them).
void limit_to_one_step(lv_indev_t * indev, lv_obj_t * obj, Axis axis)
{
    auto & p = indev->pointer;
    p.one_min = INT32_MIN;
    p.one_max = INT32_MAX;
    if(!(obj->flags & LV_OBJ_FLAG_SCROLL_ONE)) return;
    const int32_t pos = scroll_pos(obj, axis);
    for(int32_t d : gui::scroll::snap_offsets(obj, axis)) {
        if(d > 0) p.one_max = std::min(p.one_max, pos + d);
        if(d < 0) p.one_min = std::max(p.one_min, pos + d);
    }
}

// The move a finger step `finger` causes: a quarter while over-scrolled
// (elastic) or clamped to the content, then kept within a one-step range.
int32_t drag_step(const lv_indev_t * indev, const lv_obj_t * obj, Axis axis, int32_t finger)
{
    const int32_t before = gui::scroll::hidden_before(obj, axis);
    const int32_t after = gui::scroll::hidden_after(obj, axis);
    const int32_t pos = scroll_pos(obj, axis);
    int32_t step = finger;
    if(obj->flags & LV_OBJ_FLAG_SCROLL_ELASTIC) {
        if(before < 0 || after < 0) step = gui::scroll::elastic_step(step);
    }
    else {
        const int32_t lo = std::min(0, pos);
        const int32_t hi = std::max(pos, pos + after);
        step = pos - std::clamp(pos - step, lo, hi);
    }
    const auto & p = indev->pointer;
    return pos - std::clamp(pos - step, p.one_min, p.one_max);
}

lv_result_t move(lv_obj_t * obj, Axis axis, int32_t d)
{
    return gui::scroll::scroll_by_raw(obj, axis == Axis::X ? d : 0, axis == Axis::Y ? d : 0);
}

// Animated return from an over-scroll, unless an animation (a snap)
// already takes the content somewhere.
void spring_back(lv_obj_t * obj, Axis axis)
{
    if(gui::scroll::anim_running(obj, axis)) return;
    const int32_t before = gui::scroll::hidden_before(obj, axis);
    const int32_t after = gui::scroll::hidden_after(obj, axis);
    int32_t d = 0;
    if(before < 0) d = before;
    else if(after < 0 && before > 0) d = std::min(before, -after);
    if(d == 0) return;
    lv_obj_scroll_by(obj, axis == Axis::X ? d : 0, axis == Axis::Y ? d : 0, LV_ANIM_ON);
}

void end_scroll(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    lv_obj_t * obj = p.scroll_obj;
    const Axis axis = axis_of(p.scroll_dir);
    p.throw_vect = {0, 0};
    spring_back(obj, axis);
    if(indev->reset_query || !lv_obj_is_valid(obj)) return;
    p.scroll_obj = nullptr;
    p.scroll_dir = LV_DIR_NONE;
    lv_obj_send_event(obj, LV_EVENT_SCROLL_END, indev);
}

}  // namespace

namespace gui::input {

void scroll_handler(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    if(!p.scroll_obj) {
        p.scroll_sum.x += p.vect.x;
        p.scroll_sum.y += p.vect.y;
        Axis axis;
        lv_obj_t * obj = find_scroll_obj(indev, axis);
        if(!obj) return;
        p.scroll_obj = obj;
        p.scroll_dir = axis == Axis::X ? LV_DIR_HOR : LV_DIR_VER;
        // The pressed object is no longer pressed (it gets no PRESS_LOST).
        if(p.act_obj) lv_obj_remove_state(p.act_obj, LV_STATE_PRESSED);
        // A drag takes over from a running snap or programmatic animation.
        lv_obj_stop_scroll_anim(obj);
        if(indev->reset_query) return;
        if(lv_obj_send_event(obj, LV_EVENT_SCROLL_BEGIN, nullptr) != LV_RESULT_OK || indev->reset_query) return;
        limit_to_one_step(indev, obj, axis);
    }
    lv_obj_t * obj = p.scroll_obj;
    const Axis axis = axis_of(p.scroll_dir);
    move(obj, axis, drag_step(indev, obj, axis, along(p.vect, axis)));
}

void scroll_release(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    lv_obj_t * obj = p.scroll_obj;
    const Axis axis = axis_of(p.scroll_dir);
    if(lv_obj_send_event(obj, LV_EVENT_SCROLL_THROW_BEGIN, indev) != LV_RESULT_OK || indev->reset_query) return;
    int32_t vx;
    int32_t vy;
    p.history.velocity(vx, vy);
    int32_t v = (obj->flags & LV_OBJ_FLAG_SCROLL_MOMENTUM) ? (axis == Axis::X ? vx : vy) : 0;
    p.throw_vect = {0, 0};
    if(gui::scroll::snap_of(obj, axis) == LV_SCROLL_SNAP_NONE) {
        (axis == Axis::X ? p.throw_vect.x : p.throw_vect.y) = v;
        return;
    }
    // Snapping: no momentum phase; one animation to the snap point nearest
    // to where the throw would have ended.
    const int32_t pos = scroll_pos(obj, axis);
    const int32_t target = std::clamp(pos - gui::scroll::predict_travel(v, indev->scroll_throw), p.one_min, p.one_max);
    const auto d = gui::scroll::nearest_offset(gui::scroll::snap_offsets(obj, axis), target - pos);
    if(d && *d != 0) lv_obj_scroll_by(obj, axis == Axis::X ? -*d : 0, axis == Axis::Y ? -*d : 0, LV_ANIM_ON);
}

void scroll_throw_handler(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    lv_obj_t * obj = p.scroll_obj;
    if(!obj) return;
    const Axis axis = axis_of(p.scroll_dir);
    int32_t & v = axis == Axis::X ? p.throw_vect.x : p.throw_vect.y;
    if(v != 0) {
        v = gui::scroll::throw_decay(v, indev->scroll_throw);
        const int32_t before = gui::scroll::hidden_before(obj, axis);
        const int32_t after = gui::scroll::hidden_after(obj, axis);
        int32_t step = v;
        if(obj->flags & LV_OBJ_FLAG_SCROLL_ELASTIC) {
            if(before < 0 || after < 0) step = gui::scroll::elastic_step(v);
        }
        else {
            const int32_t pos = scroll_pos(obj, axis);
            const int32_t clamped = pos - std::clamp(pos - step, std::min(0, pos), std::max(pos, pos + after));
            if(clamped != step) v = 0;
            step = clamped;
        }
        if(move(obj, axis, step) != LV_RESULT_OK || indev->reset_query) return;
    }
    if(v == 0) end_scroll(indev);
}

void scroll_stop_throw(lv_indev_t * indev)
{
    if(indev->pointer.scroll_obj) end_scroll(indev);
}

}  // namespace gui::input
