// What the library knows of each style property beyond its public accessors.
// Defined in the source tools/stylegen generates from style_props.txt.
#pragma once

#include <cstdint>

#include "lvgl.h"

namespace gui::style {

// The member of lv_style_value_t that holds a property's values.
enum class ValueKind : uint8_t {
    Number,
    Color,
    Pointer
};

ValueKind value_kind(lv_style_prop_t prop);

}  // namespace gui::style
