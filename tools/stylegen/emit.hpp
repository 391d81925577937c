// Writers of the generated style API: the two public headers and the source
// that defines the setters and the property table functions.
#pragma once

#include "props.hpp"

#include <ostream>
#include <string>
#include <vector>

namespace stylegen {

// lv_style_gen.h: the setters on style objects.
void write_style_header(std::ostream & out, const std::vector<Prop> & props, const std::string & table_name);

// lv_obj_style_gen.h: the setters on objects and the inline getters.
void write_obj_style_header(std::ostream & out, const std::vector<Prop> & props, const std::string & table_name);

// The setters' definitions, lv_style_prop_get_default, lv_style_prop_has_flag
// and gui::style::value_kind.
void write_source(std::ostream & out, const std::vector<Prop> & props, const std::string & table_name);

}  // namespace stylegen
