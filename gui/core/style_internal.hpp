// Library-internal style functions of the core.
#pragma once

#include "lvgl.h"

namespace gui::core {

// Removes every style of obj (destructor) without refreshing it.
void remove_all_styles(lv_obj_t * obj);
// Switches obj to `state` and refreshes what the styles of the changed states need.
void change_state(lv_obj_t * obj, uint16_t state);
// While true, lv_obj_add_style marks the added styles as theme styles.
void set_adding_theme_styles(bool on);
// Removes the styles the theme added (before applying it again).
void remove_theme_styles(lv_obj_t * obj);

}  // namespace gui::core
