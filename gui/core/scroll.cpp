// Object scrolling: scroll position and extent, programmatic and animated
// scrolling, snapping, scroll-to-view and the re-clamp after layout changes.
#include <algorithm>
#include <cstdlib>

#include "gui/core/obj.hpp"
#include "gui/core/scroll_internal.hpp"
#include "gui/core/scroll_math.hpp"
#include "gui/indev/indev_hooks.hpp"
#include "gui/misc/area.hpp"

namespace {

using gui::scroll::Axis;

// Set while scroll animations are deleted with their object: no SCROLL_END then.
bool quiet_anim_delete = false;

// Scroll animations run on the displacement of the children (the negated
// scroll position), which decides how the path's values round.
void anim_exec_x(void * var, int32_t v)
{
    auto * obj = static_cast<lv_obj_t *>(var);
    gui::scroll::scroll_by_raw(obj, v - obj->scroll.x, 0);
}

void anim_exec_y(void * var, int32_t v)
{
    auto * obj = static_cast<lv_obj_t *>(var);
    gui::scroll::scroll_by_raw(obj, 0, v - obj->scroll.y);
}

lv_anim_exec_xcb_t exec_of(Axis axis)
{
    return axis == Axis::X ? anim_exec_x : anim_exec_y;
}

// An animation that never ran a tick ends silently; one that did reports the end.
void anim_deleted(lv_anim_t * a)
{
    auto * obj = static_cast<lv_obj_t *>(a->var);
    if (quiet_anim_delete || gui::core::is_deleting(obj) || a->act_time <= 0) return;
    lv_obj_send_event(obj, LV_EVENT_SCROLL_END, nullptr);
}

int32_t axis_resolution(const lv_obj_t * obj, Axis axis)
{
    lv_display_t * disp = lv_obj_get_display(obj);
    return axis == Axis::X ? lv_display_get_horizontal_resolution(disp) : lv_display_get_vertical_resolution(disp);
}

// Starts an animated scroll by `diff` px of displacement on one axis.
lv_result_t start_anim(lv_obj_t * obj, Axis axis, int32_t diff)
{
    lv_anim_delete(obj, exec_of(axis));
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, obj);
    lv_anim_set_exec_cb(&a, exec_of(axis));
    lv_anim_set_deleted_cb(&a, anim_deleted);
    lv_anim_set_path_cb(&a, lv_anim_path_ease_out);
    const int32_t from = axis == Axis::X ? obj->scroll.x : obj->scroll.y;
    lv_anim_set_values(&a, from, from + diff);
    lv_anim_set_duration(&a, gui::scroll::anim_duration(diff, axis_resolution(obj, axis)));
    // The handler may still change the animation here.
    if (lv_obj_send_event(obj, LV_EVENT_SCROLL_BEGIN, &a) != LV_RESULT_OK) return LV_RESULT_INVALID;
    lv_anim_start(&a);
    return LV_RESULT_OK;
}

int32_t clamp_target(const lv_obj_t * obj, Axis axis, int32_t target)
{
    const int32_t max = std::max(0, gui::scroll::hidden_before(obj, axis) + gui::scroll::hidden_after(obj, axis));
    return std::clamp(target, 0, max);
}

int32_t child_extent_after(const lv_obj_t * obj, Axis axis)
{
    int32_t extent = INT32_MIN;
    for (const auto & c : obj->children) {
        if (c->flags & (LV_OBJ_FLAG_HIDDEN | LV_OBJ_FLAG_FLOATING)) continue;
        const int32_t edge = axis == Axis::X ? c->coords.x2 + lv_obj_get_style_margin_right(c.get(), LV_PART_MAIN)
                                             : c->coords.y2 + lv_obj_get_style_margin_bottom(c.get(), LV_PART_MAIN);
        extent = std::max(extent, edge);
    }
    return extent;
}

struct SnapLines {
    int32_t start;
    int32_t end;
    int32_t center;
};

// Snap lines use the padding only (the border is not taken off).
SnapLines snap_lines(const lv_obj_t * obj, Axis axis)
{
    if (axis == Axis::X) {
        const int32_t s = obj->coords.x1 + lv_obj_get_style_pad_left(obj, LV_PART_MAIN);
        const int32_t e = obj->coords.x2 - lv_obj_get_style_pad_right(obj, LV_PART_MAIN);
        return {s, e, s + (e - s + 1) / 2};
    }
    const int32_t s = obj->coords.y1 + lv_obj_get_style_pad_top(obj, LV_PART_MAIN);
    const int32_t e = obj->coords.y2 - lv_obj_get_style_pad_bottom(obj, LV_PART_MAIN);
    return {s, e, s + (e - s + 1) / 2};
}

int32_t snap_offset_of(const lv_area_t & box, Axis axis, lv_scroll_snap_t snap, const SnapLines & lines)
{
    const int32_t lo = axis == Axis::X ? box.x1 : box.y1;
    const int32_t hi = axis == Axis::X ? box.x2 : box.y2;
    switch (snap) {
    case LV_SCROLL_SNAP_START: return lo - lines.start;
    case LV_SCROLL_SNAP_END: return hi - lines.end;
    default: return lo + (hi - lo + 1) / 2 - lines.center;
    }
}

// How far `parent` must scroll on one axis to show `child` (snap-aligned
// when the parent snaps on that axis), limited to what the parent can do.
int32_t view_diff(const lv_obj_t * parent, const lv_obj_t * child, Axis axis)
{
    const lv_scroll_snap_t snap = gui::scroll::snap_of(parent, axis);
    int32_t diff;
    if (snap != LV_SCROLL_SNAP_NONE) {
        diff = snap_offset_of(child->coords, axis, snap, snap_lines(parent, axis));
    } else {
        const lv_area_t view = gui::core::content_area(parent);
        const int32_t lo = axis == Axis::X ? child->coords.x1 : child->coords.y1;
        const int32_t hi = axis == Axis::X ? child->coords.x2 : child->coords.y2;
        const int32_t view_lo = axis == Axis::X ? view.x1 : view.y1;
        const int32_t view_hi = axis == Axis::X ? view.x2 : view.y2;
        if (lo < view_lo || hi - lo > view_hi - view_lo)
            diff = lo - view_lo;
        else if (hi > view_hi)
            diff = hi - view_hi;
        else
            diff = 0;
    }
    const int32_t before = std::max(0, gui::scroll::hidden_before(parent, axis));
    const int32_t after = std::max(0, gui::scroll::hidden_after(parent, axis));
    diff = std::clamp(diff, -before, after);
    const uint8_t dir = parent->scroll_dir;
    const uint8_t needed =
        axis == Axis::X ? (diff > 0 ? LV_DIR_RIGHT : LV_DIR_LEFT) : (diff > 0 ? LV_DIR_BOTTOM : LV_DIR_TOP);
    if (!(dir & needed)) return 0;
    return diff;
}

void readjust_axis(lv_obj_t * obj, Axis axis, lv_anim_enable_t anim_en)
{
    const int32_t before = gui::scroll::hidden_before(obj, axis);
    const int32_t after = gui::scroll::hidden_after(obj, axis);
    if (after >= 0 || before <= 0) return;
    const int32_t d = std::min(before, -after);
    if (axis == Axis::X)
        lv_obj_scroll_by(obj, d, 0, anim_en);
    else
        lv_obj_scroll_by(obj, 0, d, anim_en);
}

lv_obj_tree_walk_res_t readjust_walk(lv_obj_t * obj, void *)
{
    if (!lv_obj_is_scrolling(obj)) {
        if (obj->scroll_snap_x == LV_SCROLL_SNAP_NONE) readjust_axis(obj, Axis::X, LV_ANIM_OFF);
        if (obj->scroll_snap_y == LV_SCROLL_SNAP_NONE) readjust_axis(obj, Axis::Y, LV_ANIM_OFF);
    }
    return LV_OBJ_TREE_WALK_NEXT;
}

}  // namespace

namespace gui::scroll {

lv_result_t scroll_by_raw(lv_obj_t * obj, int32_t dx, int32_t dy)
{
    if (dx == 0 && dy == 0) return LV_RESULT_OK;
    obj->scroll.x += dx;
    obj->scroll.y += dy;
    lv_obj_move_children_by(obj, dx, dy, true);
    lv_obj_invalidate(obj);
    return lv_obj_send_event(obj, LV_EVENT_SCROLL, nullptr);
}

int32_t hidden_before(const lv_obj_t * obj, Axis axis)
{
    return axis == Axis::X ? -obj->scroll.x : -obj->scroll.y;
}

int32_t hidden_after(const lv_obj_t * obj, Axis axis)
{
    const lv_area_t content = gui::core::content_area(obj);
    int32_t child_res = child_extent_after(obj, axis);
    if (child_res != INT32_MIN) child_res -= axis == Axis::X ? content.x2 : content.y2;
    // The widget's own content (e.g. a long label) counts too.
    const int32_t self = axis == Axis::X ? lv_obj_get_self_width(obj) : lv_obj_get_self_height(obj);
    const int32_t visible = axis == Axis::X ? gui::area::width(content) : gui::area::height(content);
    const int32_t self_res = self - visible - hidden_before(obj, axis);
    return std::max(child_res, self_res);
}

lv_scroll_snap_t snap_of(const lv_obj_t * obj, Axis axis)
{
    return static_cast<lv_scroll_snap_t>(axis == Axis::X ? obj->scroll_snap_x : obj->scroll_snap_y);
}

std::vector<int32_t> snap_offsets(const lv_obj_t * obj, Axis axis)
{
    std::vector<int32_t> offsets;
    const lv_scroll_snap_t snap = snap_of(obj, axis);
    if (snap == LV_SCROLL_SNAP_NONE) return offsets;
    const SnapLines lines = snap_lines(obj, axis);
    for (const auto & c : obj->children) {
        if (!(c->flags & LV_OBJ_FLAG_SNAPPABLE) || (c->flags & (LV_OBJ_FLAG_HIDDEN | LV_OBJ_FLAG_FLOATING))) continue;
        offsets.push_back(snap_offset_of(c->coords, axis, snap, lines));
    }
    return offsets;
}

std::optional<int32_t> nearest_offset(const std::vector<int32_t> & offsets, int32_t ahead)
{
    std::optional<int32_t> best;
    for (int32_t d : offsets) {
        if (!best || std::abs(d - ahead) < std::abs(*best - ahead)) best = d;
    }
    return best;
}

bool anim_running(const lv_obj_t * obj, Axis axis)
{
    return lv_anim_get(const_cast<lv_obj_t *>(obj), exec_of(axis)) != nullptr;
}

void stop_anims_quietly(lv_obj_t * obj)
{
    quiet_anim_delete = true;
    lv_anim_delete(obj, anim_exec_x);
    lv_anim_delete(obj, anim_exec_y);
    quiet_anim_delete = false;
}

void readjust_after_layout(lv_obj_t * screen)
{
    if (screen) lv_obj_tree_walk(screen, readjust_walk, nullptr);
}

}  // namespace gui::scroll

using gui::scroll::hidden_after;
using gui::scroll::hidden_before;

extern "C" {

void lv_obj_set_scrollbar_mode(lv_obj_t * obj, lv_scrollbar_mode_t mode)
{
    if (!obj || obj->scrollbar_mode == mode) return;
    obj->scrollbar_mode = mode;
    lv_obj_invalidate(obj);
}

void lv_obj_set_scroll_dir(lv_obj_t * obj, lv_dir_t dir)
{
    if (obj) obj->scroll_dir = static_cast<uint8_t>(dir);
}

void lv_obj_set_scroll_snap_x(lv_obj_t * obj, lv_scroll_snap_t align)
{
    if (obj) obj->scroll_snap_x = static_cast<uint8_t>(align);
}

void lv_obj_set_scroll_snap_y(lv_obj_t * obj, lv_scroll_snap_t align)
{
    if (obj) obj->scroll_snap_y = static_cast<uint8_t>(align);
}

lv_scrollbar_mode_t lv_obj_get_scrollbar_mode(const lv_obj_t * obj)
{
    return obj ? static_cast<lv_scrollbar_mode_t>(obj->scrollbar_mode) : LV_SCROLLBAR_MODE_AUTO;
}

lv_dir_t lv_obj_get_scroll_dir(const lv_obj_t * obj)
{
    return obj ? static_cast<lv_dir_t>(obj->scroll_dir) : LV_DIR_ALL;
}

lv_scroll_snap_t lv_obj_get_scroll_snap_x(const lv_obj_t * obj)
{
    return obj ? gui::scroll::snap_of(obj, Axis::X) : LV_SCROLL_SNAP_NONE;
}

lv_scroll_snap_t lv_obj_get_scroll_snap_y(const lv_obj_t * obj)
{
    return obj ? gui::scroll::snap_of(obj, Axis::Y) : LV_SCROLL_SNAP_NONE;
}

int32_t lv_obj_get_scroll_x(const lv_obj_t * obj)
{
    return obj ? hidden_before(obj, Axis::X) : 0;
}
int32_t lv_obj_get_scroll_y(const lv_obj_t * obj)
{
    return obj ? hidden_before(obj, Axis::Y) : 0;
}
int32_t lv_obj_get_scroll_top(const lv_obj_t * obj)
{
    return lv_obj_get_scroll_y(obj);
}
int32_t lv_obj_get_scroll_left(const lv_obj_t * obj)
{
    return lv_obj_get_scroll_x(obj);
}
int32_t lv_obj_get_scroll_bottom(const lv_obj_t * obj)
{
    return obj ? hidden_after(obj, Axis::Y) : 0;
}
int32_t lv_obj_get_scroll_right(const lv_obj_t * obj)
{
    return obj ? hidden_after(obj, Axis::X) : 0;
}

void lv_obj_get_scroll_end(lv_obj_t * obj, lv_point_t * end)
{
    if (!obj || !end) return;
    lv_anim_t * ax = lv_anim_get(obj, anim_exec_x);
    lv_anim_t * ay = lv_anim_get(obj, anim_exec_y);
    end->x = ax ? -ax->end_value : lv_obj_get_scroll_x(obj);
    end->y = ay ? -ay->end_value : lv_obj_get_scroll_y(obj);
}

void lv_obj_scroll_by(lv_obj_t * obj, int32_t dx, int32_t dy, lv_anim_enable_t anim_en)
{
    if (!obj || (dx == 0 && dy == 0)) return;
    if (anim_en) {
        if (dx != 0 && start_anim(obj, Axis::X, dx) != LV_RESULT_OK) return;
        if (dy != 0) start_anim(obj, Axis::Y, dy);
        return;
    }
    if (dx != 0) lv_anim_delete(obj, anim_exec_x);
    if (dy != 0) lv_anim_delete(obj, anim_exec_y);
    if (lv_obj_send_event(obj, LV_EVENT_SCROLL_BEGIN, nullptr) != LV_RESULT_OK) return;
    if (gui::scroll::scroll_by_raw(obj, dx, dy) != LV_RESULT_OK) return;
    lv_obj_send_event(obj, LV_EVENT_SCROLL_END, nullptr);
}

void lv_obj_scroll_by_bounded(lv_obj_t * obj, int32_t dx, int32_t dy, lv_anim_enable_t anim_en)
{
    if (!obj || (dx == 0 && dy == 0)) return;
    lv_obj_update_layout(obj);
    const int32_t x = lv_obj_get_scroll_x(obj);
    const int32_t y = lv_obj_get_scroll_y(obj);
    const int32_t new_x = dx != 0 ? clamp_target(obj, Axis::X, x - dx) : x;
    const int32_t new_y = dy != 0 ? clamp_target(obj, Axis::Y, y - dy) : y;
    lv_obj_scroll_by(obj, x - new_x, y - new_y, anim_en);
}

void lv_obj_scroll_to(lv_obj_t * obj, int32_t x, int32_t y, lv_anim_enable_t anim_en)
{
    lv_obj_scroll_to_x(obj, x, anim_en);
    if (lv_obj_is_valid(obj)) lv_obj_scroll_to_y(obj, y, anim_en);
}

void lv_obj_scroll_to_x(lv_obj_t * obj, int32_t x, lv_anim_enable_t anim_en)
{
    if (!obj) return;
    lv_anim_delete(obj, anim_exec_x);
    if (x > 0) lv_obj_update_layout(obj);  // the upper bound needs the real content size
    const int32_t diff = lv_obj_get_scroll_x(obj) - clamp_target(obj, Axis::X, x);
    lv_obj_scroll_by(obj, diff, 0, anim_en);
}

void lv_obj_scroll_to_y(lv_obj_t * obj, int32_t y, lv_anim_enable_t anim_en)
{
    if (!obj) return;
    lv_anim_delete(obj, anim_exec_y);
    if (y > 0) lv_obj_update_layout(obj);  // the upper bound needs the real content size
    const int32_t diff = lv_obj_get_scroll_y(obj) - clamp_target(obj, Axis::Y, y);
    lv_obj_scroll_by(obj, 0, diff, anim_en);
}

void lv_obj_scroll_to_view(lv_obj_t * obj, lv_anim_enable_t anim_en)
{
    if (!obj || !obj->parent) return;
    lv_obj_t * parent = obj->parent;
    lv_obj_update_layout(obj);
    if (!(parent->flags & LV_OBJ_FLAG_SCROLLABLE) || (obj->flags & LV_OBJ_FLAG_FLOATING)) return;
    const int32_t dx = view_diff(parent, obj, Axis::X);
    const int32_t dy = view_diff(parent, obj, Axis::Y);
    lv_obj_scroll_by(parent, -dx, -dy, anim_en);
}

void lv_obj_scroll_to_view_recursive(lv_obj_t * obj, lv_anim_enable_t anim_en)
{
    for (lv_obj_t * o = obj; o && o->parent; o = o->parent) {
        lv_obj_scroll_to_view(o, anim_en);
        if (!lv_obj_is_valid(o)) return;
    }
}

bool lv_obj_is_scrolling(const lv_obj_t * obj)
{
    if (!obj) return false;
    return gui::input::scrolled_by_device(obj) || gui::scroll::anim_running(obj, Axis::X) ||
           gui::scroll::anim_running(obj, Axis::Y);
}

void lv_obj_stop_scroll_anim(const lv_obj_t * obj)
{
    if (!obj) return;
    auto * o = const_cast<lv_obj_t *>(obj);
    lv_anim_delete(o, anim_exec_x);
    lv_anim_delete(o, anim_exec_y);
}

void lv_obj_update_snap(lv_obj_t * obj, lv_anim_enable_t anim_en)
{
    if (!obj) return;
    lv_obj_update_layout(obj);
    const auto dx = gui::scroll::nearest_offset(gui::scroll::snap_offsets(obj, Axis::X), 0);
    const auto dy = gui::scroll::nearest_offset(gui::scroll::snap_offsets(obj, Axis::Y), 0);
    lv_obj_scroll_by(obj, dx ? -*dx : 0, dy ? -*dy : 0, anim_en);
}

void lv_obj_readjust_scroll(lv_obj_t * obj, lv_anim_enable_t anim_en)
{
    if (!obj) return;
    readjust_axis(obj, Axis::X, obj->scroll_snap_x == LV_SCROLL_SNAP_NONE ? anim_en : LV_ANIM_ON);
    if (lv_obj_is_valid(obj))
        readjust_axis(obj, Axis::Y, obj->scroll_snap_y == LV_SCROLL_SNAP_NONE ? anim_en : LV_ANIM_ON);
}

}  // extern "C"
