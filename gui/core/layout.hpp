// Library-internal layout functions.
#pragma once

#include "lvgl.h"

namespace gui::core {

// Registers the built-in layouts (lv_init).
void layout_init();
// Runs the layout routine registered under `id` for obj's children.
void apply_layout(lv_obj_t * obj, uint32_t id);
// Sets the width or height owned by a layout (flex grow) and reports the change.
void set_layout_size(lv_obj_t * obj, int32_t w, int32_t h);

// The flex layout routine.
void flex_update(lv_obj_t * cont, void * user_data);

}  // namespace gui::core
