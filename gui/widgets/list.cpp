// List: a scrollable column of section texts and buttons with an icon and a text.
#include "widget.hpp"
#include "widget_class.hpp"

namespace gui::widgets {
namespace {

void list_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    lv_obj_set_flex_flow(obj, LV_FLEX_FLOW_COLUMN);
}

void list_button_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    lv_obj_set_flex_flow(obj, LV_FLEX_FLOW_ROW);
}

lv_obj_t * first_label(lv_obj_t * btn)
{
    return lv_obj_get_child_by_type(btn, 0, &lv_label_class);
}

}  // namespace
}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_list_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_list",
    .constructor = list_constructor,
    .width_def = LV_DPI_DEF * 3 / 2,
    .height_def = LV_DPI_DEF * 2,
});

constinit const lv_obj_class_t lv_list_text_class = make_widget_class({
    .base = &lv_label_class,
    .name = "lv_list_text",
    .width_def = LV_PCT(100),
    .height_def = LV_SIZE_CONTENT,
});

constinit const lv_obj_class_t lv_list_button_class = make_widget_class({
    .base = &lv_button_class,
    .name = "lv_list_button",
    .constructor = list_button_constructor,
    .width_def = LV_PCT(100),
    .height_def = LV_SIZE_CONTENT,
});

extern "C" {

lv_obj_t * lv_list_create(lv_obj_t * parent)
{
    return create_widget(&lv_list_class, parent);
}

lv_obj_t * lv_list_add_text(lv_obj_t * list, const char * txt)
{
    if (!list) return nullptr;
    lv_obj_t * obj = create_widget(&lv_list_text_class, list);
    if (obj) lv_label_set_text(obj, txt ? txt : "");
    return obj;
}

lv_obj_t * lv_list_add_button(lv_obj_t * list, const void * icon, const char * txt)
{
    if (!list) return nullptr;
    lv_obj_t * btn = create_widget(&lv_list_button_class, list);
    if (!btn) return nullptr;
    if (icon) {
        lv_obj_t * img = lv_image_create(btn);
        lv_image_set_src(img, icon);
    }
    if (txt) {
        lv_obj_t * label = lv_label_create(btn);
        lv_label_set_text(label, txt);
        lv_label_set_long_mode(label, LV_LABEL_LONG_MODE_SCROLL_CIRCULAR);
        lv_obj_set_flex_grow(label, 1);
    }
    return btn;
}

const char * lv_list_get_button_text(lv_obj_t * list, lv_obj_t * btn)
{
    LV_UNUSED(list);
    lv_obj_t * label = btn ? first_label(btn) : nullptr;
    return label ? lv_label_get_text(label) : "";
}

void lv_list_set_button_text(lv_obj_t * list, lv_obj_t * btn, const char * txt)
{
    LV_UNUSED(list);
    if (lv_obj_t * label = btn ? first_label(btn) : nullptr) lv_label_set_text(label, txt);
}

}  // extern "C"
