// Library-internal log functions.
#pragma once

namespace gui::log {

// Forgets the print callback and the time of the previous line.
void reset();

}  // namespace gui::log
