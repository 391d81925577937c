// The input side as the rest of the library sees it: what the object core,
// the groups, the displays and lv_deinit tell the input devices, and what
// they ask of them. The rest of the library reaches the devices only here.
#pragma once

#include "lvgl.h"

namespace gui::input {

// The plain-object class handler calls this for every event before its own
// work: pressed state, checkable toggle, keys (checkable arrows, scrolling
// with arrows), focus states and scroll on focus, the SCROLLED state and the
// scroll re-clamp after size or child changes.
void obj_event(lv_event_t * e);

// Called once for every object being deleted, before its destructors run:
// resets devices that use it, takes it out of its group and stops its scroll
// animations without sending it events.
void obj_deleting(lv_obj_t * obj);

// Called when a group is deleted: its devices lose their group.
void group_deleted(lv_group_t * group);

// Called when a display is deleted: its devices lose their display.
void display_deleting(lv_display_t * disp);

// Deletes every device (lv_deinit).
void delete_all();

// The device a focus change in `group` is reported with: the one being
// processed, else the first device attached to the group, else none.
lv_indev_t * focus_indev(const lv_group_t * group);

// True while a device scrolls obj (dragging it or throwing it on).
bool scrolled_by_device(const lv_obj_t * obj);

// The directions in which devices scroll obj (LV_DIR_NONE: none).
lv_dir_t device_scroll_dir(const lv_obj_t * obj);

}  // namespace gui::input
