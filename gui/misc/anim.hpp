// Library-internal animation functions.
#pragma once

namespace gui::anim {

// Creates the animation timer (lv_init).
void init();
// Deletes every animation without callbacks and the timer (lv_deinit).
void deinit();

}  // namespace gui::anim
