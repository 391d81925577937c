// Library-internal asynchronous-call functions.
#pragma once

namespace gui::async {

// Forgets every pending call (their timers are gone with lv_init / lv_deinit).
void reset();

}  // namespace gui::async
