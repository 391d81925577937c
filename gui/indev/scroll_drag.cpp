// Scrolling by dragging: choosing the object to scroll, drag steps with
// elasticity, the throw after release, snapping and the spring-back.
#include <algorithm>
#include <cstdlib>

#include "gui/core/obj.hpp"
#include "gui/core/scroll_internal.hpp"
#include "gui/indev/indev_internal.hpp"

namespace {

using gui::scroll::Axis;

// The throw runs as an endless animation of the device: 0..1024 over 1024 ms,
// each tick one throw step.
constexpr int32_t kThrowAnimRange = 1024;
constexpr uint32_t kThrowAnimMs = 1024;

Axis axis_of(lv_dir_t dir)
{
    return dir == LV_DIR_HOR ? Axis::X : Axis::Y;
}

int32_t & along(lv_point_t & p, Axis axis)
{
    return axis == Axis::X ? p.x : p.y;
}

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
    for (int32_t d : gui::scroll::snap_offsets(obj, axis)) {
        if (d < 0) before = std::max(before, -d);
        if (d > 0) after = std::max(after, d);
    }
    const uint8_t needed =
        axis == Axis::X ? (finger > 0 ? LV_DIR_LEFT : LV_DIR_RIGHT) : (finger > 0 ? LV_DIR_TOP : LV_DIR_BOTTOM);
    Offer o;
    if (!(obj->flags & LV_OBJ_FLAG_SCROLLABLE) || !(obj->scroll_dir & needed)) return o;
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
    if (std::abs(finger) < limit) return nullptr;
    const uint32_t chain = axis == Axis::X ? LV_OBJ_FLAG_SCROLL_CHAIN_HOR : LV_OBJ_FLAG_SCROLL_CHAIN_VER;
    lv_obj_t * candidate = nullptr;
    for (lv_obj_t * obj = p.act_obj; obj; obj = obj->parent) {
        const Offer o = offer(obj, axis, finger);
        if (o.can_move) return obj;
        if (o.has_content) candidate = obj;
        if (!(obj->flags & chain)) break;
    }
    return candidate;
}

// A SCROLL_ONE object may be dragged at most to the next snap point on
// either side of its snap line.
gui::scroll::StepRange step_range(const lv_obj_t * obj, Axis axis)
{
    if (!(obj->flags & LV_OBJ_FLAG_SCROLL_ONE)) return {};
    return gui::scroll::one_step_range(gui::scroll::snap_offsets(obj, axis));
}

// The step a finger movement `finger` causes, judged on the position before
// it: a quarter while the content is past an end (on a snapping axis: while
// one side of the snap line has no snap point), or clamped to the content
// without elasticity.
int32_t elastic_diff(const lv_obj_t * obj, Axis axis, int32_t finger)
{
    const int32_t before = gui::scroll::hidden_before(obj, axis);
    const int32_t after = gui::scroll::hidden_after(obj, axis);
    if (obj->flags & LV_OBJ_FLAG_SCROLL_ELASTIC) {
        const bool damped = gui::scroll::snap_of(obj, axis) != LV_SCROLL_SNAP_NONE
                                ? gui::scroll::snap_elastic(gui::scroll::snap_offsets(obj, axis))
                                : before < 0 || after < 0;
        return damped ? gui::scroll::elastic_step(finger) : finger;
    }
    const int32_t lo = std::min(0, before);
    const int32_t hi = std::max(before, before + after);
    return before - std::clamp(before - finger, lo, hi);
}

lv_result_t move(lv_obj_t * obj, Axis axis, int32_t d)
{
    return gui::scroll::scroll_by_raw(obj, axis == Axis::X ? d : 0, axis == Axis::Y ? d : 0);
}

// Animated return from an over-scroll, unless an animation (a snap)
// already takes the content somewhere.
void spring_back(lv_obj_t * obj, Axis axis)
{
    if (gui::scroll::anim_running(obj, axis)) return;
    const int32_t before = gui::scroll::hidden_before(obj, axis);
    const int32_t after = gui::scroll::hidden_after(obj, axis);
    int32_t d = 0;
    if (before < 0)
        d = before;
    else if (after < 0 && before > 0)
        d = std::min(before, -after);
    if (d == 0) return;
    lv_obj_scroll_by(obj, axis == Axis::X ? d : 0, axis == Axis::Y ? d : 0, LV_ANIM_ON);
}

void throw_anim_exec(void * var, int32_t);

// Ends the scroll of the device: the throw stops, an over-scrolled object
// springs back, and the object gets SCROLL_END with the device.
void end_scroll(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    lv_anim_delete(indev, throw_anim_exec);
    lv_obj_t * obj = p.scroll_obj;
    const Axis axis = axis_of(p.scroll_dir);
    p.throw_vect = {0, 0};
    spring_back(obj, axis);
    if (indev->reset_query || !lv_obj_is_valid(obj)) return;
    p.scroll_obj = nullptr;
    p.scroll_dir = LV_DIR_NONE;
    lv_obj_send_event(obj, LV_EVENT_SCROLL_END, indev);
}

// A snapping axis has no momentum phase: one animation takes the snap point
// nearest to where the throw would have ended onto the line, and the
// device's part of the scroll ends at once.
void snap_throw(lv_indev_t * indev, lv_obj_t * obj, Axis axis)
{
    auto & p = indev->pointer;
    const int32_t v = along(p.throw_vect, axis);
    const int32_t travel =
        p.one_step.clamp_step(along(p.scroll_sum, axis), gui::scroll::predict_travel(v, indev->scroll_throw));
    const auto d = gui::scroll::nearest_offset(gui::scroll::snap_offsets(obj, axis), -travel);
    if (d && *d != 0) lv_obj_scroll_by(obj, axis == Axis::X ? -*d : 0, axis == Axis::Y ? -*d : 0, LV_ANIM_ON);
    if (indev->reset_query || !lv_obj_is_valid(obj)) return;
    end_scroll(indev);
}

// One throw step: the velocity decays, and while the content is past an end
// the damped step becomes the velocity. At 0 the scroll ends.
void throw_step(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    lv_obj_t * obj = p.scroll_obj;
    const Axis axis = axis_of(p.scroll_dir);
    if (gui::scroll::snap_of(obj, axis) != LV_SCROLL_SNAP_NONE) {
        snap_throw(indev, obj, axis);
        return;
    }
    int32_t & v = along(p.throw_vect, axis);
    if (v != 0) {
        const int32_t decayed = gui::scroll::throw_decay(v, indev->scroll_throw);
        const int32_t step = elastic_diff(obj, axis, decayed);
        // Without elasticity the throw stops at the edge.
        v = (obj->flags & LV_OBJ_FLAG_SCROLL_ELASTIC) || step == decayed ? step : 0;
        if (move(obj, axis, step) != LV_RESULT_OK || indev->reset_query) return;
        if (v != 0) return;
    }
    end_scroll(indev);
}

void throw_anim_exec(void * var, int32_t)
{
    auto * indev = static_cast<lv_indev_t *>(var);
    if (!indev->pointer.scroll_obj) {
        // The device was reset or its object deleted meanwhile.
        lv_anim_delete(indev, throw_anim_exec);
        return;
    }
    throw_step(indev);
}

}  // namespace

namespace gui::input {

void scroll_handler(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    if (!p.scroll_obj) {
        p.scroll_sum.x += p.vect.x;
        p.scroll_sum.y += p.vect.y;
        Axis axis;
        lv_obj_t * obj = find_scroll_obj(indev, axis);
        if (!obj) return;
        // The movement that led here is not applied; from now on the sum
        // counts the steps that are.
        p.scroll_sum = {0, 0};
        p.scroll_obj = obj;
        p.scroll_dir = axis == Axis::X ? LV_DIR_HOR : LV_DIR_VER;
        // The pressed object is no longer pressed (it gets no PRESS_LOST).
        if (p.act_obj) lv_obj_remove_state(p.act_obj, LV_STATE_PRESSED);
        // A drag takes over from a running snap or programmatic animation.
        lv_obj_stop_scroll_anim(obj);
        if (indev->reset_query) return;
        if (lv_obj_send_event(obj, LV_EVENT_SCROLL_BEGIN, nullptr) != LV_RESULT_OK || indev->reset_query) return;
        p.one_step = step_range(obj, axis);
    }
    lv_obj_t * obj = p.scroll_obj;
    const Axis axis = axis_of(p.scroll_dir);
    int32_t & applied = along(p.scroll_sum, axis);
    const int32_t step = p.one_step.clamp_step(applied, elastic_diff(obj, axis, along(p.vect, axis)));
    applied += step;
    move(obj, axis, step);
}

void scroll_release(lv_indev_t * indev)
{
    auto & p = indev->pointer;
    lv_obj_t * obj = p.scroll_obj;
    const Axis axis = axis_of(p.scroll_dir);
    if (lv_obj_send_event(obj, LV_EVENT_SCROLL_THROW_BEGIN, indev) != LV_RESULT_OK || indev->reset_query) return;
    lv_point_t v;
    p.history.velocity(v.x, v.y);
    p.throw_vect = {0, 0};
    if (obj->flags & LV_OBJ_FLAG_SCROLL_MOMENTUM) along(p.throw_vect, axis) = along(v, axis);
    // The first step runs at once (early apply), the others on the
    // animation ticks.
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, indev);
    lv_anim_set_exec_cb(&a, throw_anim_exec);
    lv_anim_set_values(&a, 0, kThrowAnimRange);
    lv_anim_set_duration(&a, kThrowAnimMs);
    lv_anim_set_repeat_count(&a, LV_ANIM_REPEAT_INFINITE);
    lv_anim_start(&a);
}

void scroll_stop_throw(lv_indev_t * indev)
{
    if (indev->pointer.scroll_obj) end_scroll(indev);
}

}  // namespace gui::input
