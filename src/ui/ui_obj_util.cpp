#include "ui/ui_obj_util.h"

#define SPIN_TURN 3600 /* tenths of a degree */
#define SPIN_TURN_MS 2000

void ui_obj_place(lv_obj_t *obj, int32_t x, int32_t y, int32_t w, int32_t h)
{
    lv_obj_set_pos(obj, x, y);
    lv_obj_set_size(obj, w, h);
}

void ui_obj_pads_zero(lv_obj_t *obj)
{
    lv_obj_set_style_pad_left(obj, 0, 0);
    lv_obj_set_style_pad_top(obj, 0, 0);
    lv_obj_set_style_pad_right(obj, 0, 0);
    lv_obj_set_style_pad_bottom(obj, 0, 0);
}

void ui_obj_frame_none(lv_obj_t *obj)
{
    lv_obj_set_style_border_width(obj, 0, 0);
    lv_obj_set_style_radius(obj, 0, 0);
}

void ui_obj_fill(lv_obj_t *obj, uint32_t color, lv_opa_t opa)
{
    lv_obj_set_style_bg_color(obj, lv_color_hex(color), 0);
    lv_obj_set_style_bg_opa(obj, opa, 0);
}

void ui_obj_pager(lv_obj_t *pager)
{
    lv_obj_add_flag(pager, LV_OBJ_FLAG_SCROLL_ONE);
    lv_obj_add_flag(pager, LV_OBJ_FLAG_SCROLL_ON_FOCUS);
    lv_obj_set_scrollbar_mode(pager, LV_SCROLLBAR_MODE_OFF);
    lv_obj_set_scroll_dir(pager, LV_DIR_HOR);
    lv_obj_set_scroll_snap_x(pager, LV_SCROLL_SNAP_CENTER);
    lv_obj_set_scroll_snap_y(pager, LV_SCROLL_SNAP_CENTER);
    lv_obj_set_layout(pager, LV_LAYOUT_FLEX);
    lv_obj_set_style_pad_row(pager, 0, 0);
    lv_obj_set_style_pad_column(pager, 0, 0);
}

void ui_obj_spin(lv_anim_t *anim, lv_obj_t *image, int32_t pivot_x, int32_t pivot_y, lv_anim_exec_xcb_t turn_cb)
{
    lv_image_set_pivot(image, pivot_x, pivot_y);
    lv_image_set_antialias(image, true);
    lv_anim_init(anim);
    lv_anim_set_var(anim, image);
    lv_anim_set_exec_cb(anim, turn_cb);
    lv_anim_set_values(anim, 0, SPIN_TURN);
    lv_anim_set_duration(anim, SPIN_TURN_MS);
    lv_anim_set_repeat_count(anim, LV_ANIM_REPEAT_INFINITE);
    lv_anim_set_reverse_duration(anim, 0);
    lv_anim_start(anim);
}

void ui_obj_spin_stop(lv_obj_t *image, lv_anim_exec_xcb_t turn_cb)
{
    lv_anim_delete(image, turn_cb);
    lv_image_set_rotation(image, 0);
}
