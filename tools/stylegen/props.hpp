// The style property table: one record per property, read from the text
// table the GUI library's style API is generated from.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace stylegen {

// Which member of lv_style_value_t holds the property's values.
enum class Kind {
    Number,
    Color,
    Pointer
};

// The library's LV_STYLE_PROP_FLAG_* bits.
enum Flag : uint8_t {
    kInheritable = 1 << 0,
    kExtDrawUpdate = 1 << 1,
    kLayoutUpdate = 1 << 2,
    kParentLayoutUpdate = 1 << 3,
    kLayerUpdate = 1 << 4,
    kTransform = 1 << 5,
};

struct Prop {
    std::string name;           // lower case: lv_obj_set_style_<name>
    std::string type;           // C type of the setter's value and the getter's result
    std::string default_value;  // C expression; empty: all zero
    uint8_t flags = 0;          // Flag bits
    std::string feature;        // configuration macro the accessors need; empty: none
    bool accessors = true;      // false: only the default and the flags are known

    Kind kind() const;
    std::string id() const;  // LV_STYLE_<NAME>
};

// Reads the table; throws std::runtime_error naming the line of the first
// fault (wrong column count, unknown flag letter, bad or repeated name).
std::vector<Prop> read_table(std::istream & in);

}  // namespace stylegen
