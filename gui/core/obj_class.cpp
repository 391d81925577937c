// Creating objects of a class, and the class part of event dispatch.
#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/display/display.hpp"

namespace {

void construct(lv_obj_t * obj, const lv_obj_class_t * class_p)
{
    if (class_p->base_class != nullptr) construct(obj, class_p->base_class);
    if (class_p->constructor_cb != nullptr) class_p->constructor_cb(class_p, obj);
}

lv_obj_t * create_screen(const lv_obj_class_t * class_p)
{
    lv_display_t * disp = lv_display_get_default();
    if (disp == nullptr) {
        LV_LOG_WARN("No display created yet");
        return nullptr;
    }
    auto obj = std::make_unique<lv_obj_t>();
    obj->class_p = class_p;
    obj->display = disp;
    obj->coords = {0, 0, lv_display_get_horizontal_resolution(disp) - 1, lv_display_get_vertical_resolution(disp) - 1};
    lv_obj_t * raw = obj.get();
    disp->screens.push_back(std::move(obj));
    return raw;
}

lv_obj_t * create_child(const lv_obj_class_t * class_p, lv_obj_t * parent)
{
    auto obj = std::make_unique<lv_obj_t>();
    obj->class_p = class_p;
    obj->parent = parent;
    // Until the first layout pass: the parent's content origin, zero size.
    int32_t x = parent->coords.x1 + lv_obj_get_style_space_left(parent, LV_PART_MAIN) + parent->scroll.x;
    int32_t y = parent->coords.y1 + lv_obj_get_style_space_top(parent, LV_PART_MAIN) + parent->scroll.y;
    obj->coords = {x, y, x - 1, y - 1};
    lv_obj_t * raw = obj.get();
    parent->children.push_back(std::move(obj));
    return raw;
}

}  // namespace

extern "C" {

lv_obj_t * lv_obj_class_create_obj(const lv_obj_class_t * class_p, lv_obj_t * parent)
{
    return parent == nullptr ? create_screen(class_p) : create_child(class_p, parent);
}

void lv_obj_class_init_obj(lv_obj_t * obj)
{
    if (obj == nullptr) return;
    lv_obj_enable_style_refresh(false);
    lv_theme_apply(obj);
    construct(obj, obj->class_p);
    lv_obj_enable_style_refresh(true);
    lv_obj_refresh_style(obj, LV_PART_ANY, LV_STYLE_PROP_ANY);
    lv_obj_mark_layout_as_dirty(obj);

    lv_group_t * def_group = lv_group_get_default();
    if (def_group != nullptr && lv_obj_is_group_def(obj)) lv_group_add_obj(def_group, obj);

    lv_obj_t * parent = obj->parent;
    if (parent != nullptr) {
        lv_obj_send_event(parent, LV_EVENT_CHILD_CHANGED, obj);
        lv_obj_send_event(parent, LV_EVENT_CHILD_CREATED, obj);
    }
}

lv_result_t lv_obj_event_base(const lv_obj_class_t * class_p, lv_event_t * e)
{
    // The nearest base class that has its own handler.
    const lv_obj_class_t * base = class_p != nullptr ? class_p->base_class : nullptr;
    while (base != nullptr && base->event_cb == nullptr) base = base->base_class;
    if (base == nullptr) return LV_RESULT_OK;
    base->event_cb(base, e);
    return e->deleted ? LV_RESULT_INVALID : LV_RESULT_OK;
}

}  // extern "C"
