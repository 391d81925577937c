// Scrolling internals shared by the object scroll functions and the input
// devices' drag handling.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "lvgl.h"

namespace gui::draw {
struct Target;
}

namespace gui::scroll {

enum class Axis {
    X,
    Y
};

// Moves the content by (dx, dy) px of displacement (positive dy moves the
// content down, i.e. lv_obj_get_scroll_y decreases) and sends SCROLL.
// Nothing happens for a zero move. LV_RESULT_INVALID if obj got deleted.
lv_result_t scroll_by_raw(lv_obj_t * obj, int32_t dx, int32_t dy);

// Content hidden before (top/left) and after (bottom/right) the visible
// area on an axis; negative while over-scrolled.
int32_t hidden_before(const lv_obj_t * obj, Axis axis);
int32_t hidden_after(const lv_obj_t * obj, Axis axis);

lv_scroll_snap_t snap_of(const lv_obj_t * obj, Axis axis);

// For each snappable child: how much the scroll position on `axis` has to
// change (positive = towards the end) to put it on the snap line.
std::vector<int32_t> snap_offsets(const lv_obj_t * obj, Axis axis);

// The offset in `offsets` nearest to `ahead`, if any.
std::optional<int32_t> nearest_offset(const std::vector<int32_t> & offsets, int32_t ahead);

// True while a scroll animation runs on that axis.
bool anim_running(const lv_obj_t * obj, Axis axis);

// Deletes the scroll animations of an object that is being deleted, without
// sending it SCROLL_END.
void stop_anims_quietly(lv_obj_t * obj);

// Called after each layout pass of a screen (or layer): objects whose
// content shrank are scrolled back so no empty space stays scrolled in.
void readjust_after_layout(lv_obj_t * screen);

// Draws the object's scrollbars; called in DRAW_POST after the children and
// before a "post" border.
void draw_scrollbars(lv_obj_t * obj, gui::draw::Target & target);

}  // namespace gui::scroll
