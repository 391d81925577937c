// Building a widget's constant class record with named fields.
#pragma once

#include "lvgl.h"
#include "gui/core/obj.hpp"

namespace gui::widgets {

struct ClassFields {
    const lv_obj_class_t * base = nullptr;
    const char * name = nullptr;
    void (*constructor)(const lv_obj_class_t *, lv_obj_t *) = nullptr;
    void (*destructor)(const lv_obj_class_t *, lv_obj_t *) = nullptr;
    void (*event)(const lv_obj_class_t *, lv_event_t *) = nullptr;
    int32_t width_def = 0;  // 0: the base class's default
    int32_t height_def = 0;
    lv_obj_class_editable_t editable = LV_OBJ_CLASS_EDITABLE_INHERIT;
    lv_obj_class_group_def_t group_def = LV_OBJ_CLASS_GROUP_DEF_INHERIT;
};

constexpr lv_obj_class_t make_widget_class(const ClassFields & s)
{
    return lv_obj_class_t{s.base,
                          s.constructor,
                          s.destructor,
                          s.event,
                          nullptr,
                          s.name,
                          s.width_def,
                          s.height_def,
                          static_cast<uint32_t>(s.editable),
                          static_cast<uint32_t>(s.group_def),
                          0,
                          LV_OBJ_CLASS_THEME_INHERITABLE_TRUE};
}

}  // namespace gui::widgets
