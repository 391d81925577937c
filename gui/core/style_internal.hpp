// Library-internal style functions of the core.
#pragma once

#include "lvgl.h"

namespace gui::core {

// Removes every style of obj (destructor) without refreshing it.
void remove_all_styles(lv_obj_t * obj);
// Switches obj to `state` and refreshes what the styles of the changed states need.
void change_state(lv_obj_t * obj, uint16_t state);
// The value of prop for part as it would be in `state`; with_transitions
// false ignores the values of running transitions.
lv_style_value_t style_value_in_state(lv_obj_t * obj, lv_part_t part, lv_style_prop_t prop, uint16_t state,
                                      bool with_transitions);
// Starts the transitions the styles applying in obj's (new) state ask for,
// for each property whose value differs from the one in prev_state.
void start_transitions(lv_obj_t * obj, uint16_t prev_state);
// Stops obj's transitions on `part` (LV_PART_ANY: all parts) and drops their values.
void stop_transitions(lv_obj_t * obj, lv_part_t part);
// While true, lv_obj_add_style marks the added styles as theme styles.
void set_adding_theme_styles(bool on);
// Removes the styles the theme added (before applying it again).
void remove_theme_styles(lv_obj_t * obj);
// Called before a value of prop on part changes (LV_STYLE_PROP_ANY: any
// value, as when a style is added or removed): a transform property moves
// what the object covers, so the area it covers now is invalidated while the
// old value still holds (the refresh afterwards covers the new area only).
void invalidate_before_change(lv_obj_t * obj, lv_part_t part, lv_style_prop_t prop);

}  // namespace gui::core
