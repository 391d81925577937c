// Themes: an apply callback (optionally chained to a parent theme) that adds
// styles to every new object.
#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/core/style_internal.hpp"
#include "gui/theme/theme.hpp"

namespace {

void apply_chain(lv_theme_t * th, lv_obj_t * obj)
{
    if (th->parent != nullptr) apply_chain(th->parent, obj);
    if (th->apply_cb != nullptr) th->apply_cb(th, obj);
}

}  // namespace

extern "C" {

lv_theme_t * lv_theme_get_from_obj(lv_obj_t * obj)
{
    lv_display_t * disp = obj != nullptr ? lv_obj_get_display(obj) : lv_display_get_default();
    return lv_display_get_theme(disp);
}

void lv_theme_apply(lv_obj_t * obj)
{
    lv_theme_t * th = lv_theme_get_from_obj(obj);
    if (th == nullptr) return;
    gui::core::remove_theme_styles(obj);
    gui::core::set_adding_theme_styles(true);
    apply_chain(th, obj);
    gui::core::set_adding_theme_styles(false);
    lv_obj_refresh_style(obj, LV_PART_ANY, LV_STYLE_PROP_ANY);
}

void lv_theme_set_parent(lv_theme_t * new_theme, lv_theme_t * parent)
{
    new_theme->parent = parent;
}

void lv_theme_set_apply_cb(lv_theme_t * theme, lv_theme_apply_cb_t apply_cb)
{
    theme->apply_cb = apply_cb;
}

const lv_font_t * lv_theme_get_font_small(lv_obj_t * obj)
{
    lv_theme_t * th = lv_theme_get_from_obj(obj);
    return th != nullptr ? th->font_small : LV_FONT_DEFAULT;
}

const lv_font_t * lv_theme_get_font_normal(lv_obj_t * obj)
{
    lv_theme_t * th = lv_theme_get_from_obj(obj);
    return th != nullptr ? th->font_normal : LV_FONT_DEFAULT;
}

const lv_font_t * lv_theme_get_font_large(lv_obj_t * obj)
{
    lv_theme_t * th = lv_theme_get_from_obj(obj);
    return th != nullptr ? th->font_large : LV_FONT_DEFAULT;
}

lv_color_t lv_theme_get_color_primary(lv_obj_t * obj)
{
    lv_theme_t * th = lv_theme_get_from_obj(obj);
    return th != nullptr ? th->color_primary : lv_palette_main(LV_PALETTE_BLUE);
}

lv_color_t lv_theme_get_color_secondary(lv_obj_t * obj)
{
    lv_theme_t * th = lv_theme_get_from_obj(obj);
    return th != nullptr ? th->color_secondary : lv_palette_main(LV_PALETTE_RED);
}

}  // extern "C"
