// Drawing objects: the layer handed to DRAW_* events, and descriptors filled
// from an object's resolved part styles (effective opacity and whole-widget
// recolour of the object and its ancestors already applied).
#pragma once

#include "lvgl.h"
#include "gui/draw/draw.hpp"

// The param of LV_EVENT_DRAW_MAIN*/DRAW_POST* (lv_event_get_layer): draw into
// `target`; its clip is already limited to what may be drawn for the object.
struct _lv_layer_t {
    gui::draw::Target target;
};

namespace gui::core {

void init_rect_dsc(lv_obj_t * obj, lv_part_t part, gui::draw::RectDsc & dsc);
void init_label_dsc(lv_obj_t * obj, lv_part_t part, gui::draw::LabelDsc & dsc);
void init_image_dsc(lv_obj_t * obj, lv_part_t part, gui::draw::ImageDsc & dsc);
void init_arc_dsc(lv_obj_t * obj, lv_part_t part, gui::draw::ArcDsc & dsc);
void init_line_dsc(lv_obj_t * obj, lv_part_t part, gui::draw::LineDsc & dsc);

// A colour as drawn by obj: mixed toward the accumulated recolour of obj and its ancestors.
lv_color_t recolor(const lv_obj_t * obj, lv_part_t part, lv_color_t c);

// The box a part's rectangle is drawn in: area grown by transform width/height.
lv_area_t transformed_box(const lv_obj_t * obj, lv_part_t part, const lv_area_t & area);

}  // namespace gui::core
