// Button: a content-sized, non-scrollable container that joins the default group.
#include "widget.hpp"
#include "widget_class.hpp"

namespace gui::widgets {
namespace {

void button_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_add_flag(obj, LV_OBJ_FLAG_SCROLL_ON_FOCUS);
}

}  // namespace
}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_button_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_button",
    .constructor = button_constructor,
    .width_def = LV_SIZE_CONTENT,
    .height_def = LV_SIZE_CONTENT,
    .group_def = LV_OBJ_CLASS_GROUP_DEF_TRUE,
});

extern "C" lv_obj_t * lv_button_create(lv_obj_t * parent)
{
    return create_widget(&lv_button_class, parent);
}
