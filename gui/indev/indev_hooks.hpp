// Entry points the object core calls into the input side (devices, groups,
// scrolling). Kept small and stable.
#pragma once

#include "lvgl.h"

namespace gui::draw {
struct Target;
}

namespace gui::input {

// The plain-object class handler calls this for every event before its own
// work: pressed state, checkable toggle, keys (checkable arrows, scrolling
// with arrows), focus states and scroll on focus, the SCROLLED state and the
// scroll re-clamp after size or child changes.
void obj_event(lv_event_t * e);

// Draws the object's scrollbars; called in DRAW_POST after the children and
// before a "post" border.
void draw_scrollbars(lv_obj_t * obj, gui::draw::Target & target);

// Called once for every object being deleted, before its destructors run:
// resets devices that use it, takes it out of its group and stops its scroll
// animations without sending it events.
void obj_deleting(lv_obj_t * obj);

// Called after each layout pass of a screen (or layer): objects whose
// content shrank are scrolled back so no empty space stays scrolled in.
void layout_done(lv_obj_t * screen);

// Called when a display is deleted: its devices lose their display.
void display_deleting(lv_display_t * disp);

}  // namespace gui::input
