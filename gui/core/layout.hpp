// Library-internal layout functions.
#pragma once

#include "lvgl.h"

namespace gui::core {

// Registers the built-in layouts (lv_init).
void layout_init();
// Runs the layout routine registered under `id` for obj's children.
void apply_layout(lv_obj_t * obj, uint32_t id);
// Changes obj's size keeping its top-left corner, reports it (SIZE_CHANGED to
// obj, CHILD_CHANGED to its parent) and asks obj for its extra draw size
// again; false when it had that size already.
// Layouts use it for the sizes they own (flex grow).
bool resize(lv_obj_t * obj, int32_t w, int32_t h);

// The flex layout routine.
void flex_update(lv_obj_t * cont, void * user_data);

}  // namespace gui::core
