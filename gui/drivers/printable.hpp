// Text from outside the program (a device path from the environment) made
// safe to log: control bytes and the backslash as escapes, so it can neither
// end a log line nor forge one, and cut to a bounded length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gui::drivers {

inline constexpr size_t kPrintableMax = 256;  // bytes of the text shown at most

std::string printable(std::string_view text);

}  // namespace gui::drivers
