// Library-internal tick functions.
#pragma once

namespace gui::tick {

// Back to a zero counter without a time source (lv_init / lv_deinit).
void reset();

}  // namespace gui::tick
