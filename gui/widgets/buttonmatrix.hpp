// The button matrix's instance record, shared with the keyboard built on it.
#pragma once

#include "widget.hpp"

#include <vector>

namespace gui::widgets {

struct MatrixButton {
    const char * text;
    uint32_t ctrl;
    uint32_t row;
    lv_area_t area;  // relative to the matrix's top-left corner
};

struct ButtonmatrixData : WidgetData {
    const char * const * map = nullptr;
    std::vector<MatrixButton> buttons;
    uint32_t row_count = 0;
    uint32_t selected = LV_BUTTONMATRIX_BUTTON_NONE;
    bool pressed = false;  // the selected button is held down
    bool one_checked = false;
};

/** Replace the map and, when given, the control bits of every button at once. */
void buttonmatrix_set_map_and_ctrl(lv_obj_t * obj, const char * const * map, const lv_buttonmatrix_ctrl_t * ctrl);

}  // namespace gui::widgets
