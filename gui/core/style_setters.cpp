// Setters of every style property, on style objects and on objects.
#include "lvgl.h"

extern "C" {

void lv_style_set_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_WIDTH, v);
}

void lv_style_set_min_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_MIN_WIDTH, v);
}

void lv_style_set_max_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_MAX_WIDTH, v);
}

void lv_style_set_height(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_HEIGHT, v);
}

void lv_style_set_min_height(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_MIN_HEIGHT, v);
}

void lv_style_set_max_height(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_MAX_HEIGHT, v);
}

void lv_style_set_length(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_LENGTH, v);
}

void lv_style_set_x(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_X, v);
}

void lv_style_set_y(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_Y, v);
}

void lv_style_set_align(lv_style_t * style, lv_align_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_ALIGN, v);
}

void lv_style_set_transform_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSFORM_WIDTH, v);
}

void lv_style_set_transform_height(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSFORM_HEIGHT, v);
}

void lv_style_set_translate_x(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSLATE_X, v);
}

void lv_style_set_translate_y(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSLATE_Y, v);
}

void lv_style_set_translate_radial(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSLATE_RADIAL, v);
}

void lv_style_set_transform_scale_x(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSFORM_SCALE_X, v);
}

void lv_style_set_transform_scale_y(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSFORM_SCALE_Y, v);
}

void lv_style_set_transform_rotation(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSFORM_ROTATION, v);
}

void lv_style_set_transform_pivot_x(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSFORM_PIVOT_X, v);
}

void lv_style_set_transform_pivot_y(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSFORM_PIVOT_Y, v);
}

void lv_style_set_transform_skew_x(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSFORM_SKEW_X, v);
}

void lv_style_set_transform_skew_y(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TRANSFORM_SKEW_Y, v);
}

void lv_style_set_pad_top(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_PAD_TOP, v);
}

void lv_style_set_pad_bottom(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_PAD_BOTTOM, v);
}

void lv_style_set_pad_left(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_PAD_LEFT, v);
}

void lv_style_set_pad_right(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_PAD_RIGHT, v);
}

void lv_style_set_pad_row(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_PAD_ROW, v);
}

void lv_style_set_pad_column(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_PAD_COLUMN, v);
}

void lv_style_set_pad_radial(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_PAD_RADIAL, v);
}

void lv_style_set_margin_top(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_MARGIN_TOP, v);
}

void lv_style_set_margin_bottom(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_MARGIN_BOTTOM, v);
}

void lv_style_set_margin_left(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_MARGIN_LEFT, v);
}

void lv_style_set_margin_right(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_MARGIN_RIGHT, v);
}

void lv_style_set_bg_color(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_BG_COLOR, v);
}

void lv_style_set_bg_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BG_OPA, v);
}

void lv_style_set_bg_grad_color(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_BG_GRAD_COLOR, v);
}

void lv_style_set_bg_grad_dir(lv_style_t * style, lv_grad_dir_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BG_GRAD_DIR, v);
}

void lv_style_set_bg_main_stop(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BG_MAIN_STOP, v);
}

void lv_style_set_bg_grad_stop(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BG_GRAD_STOP, v);
}

void lv_style_set_bg_main_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BG_MAIN_OPA, v);
}

void lv_style_set_bg_grad_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BG_GRAD_OPA, v);
}

void lv_style_set_bg_grad(lv_style_t * style, const lv_grad_dsc_t * value)
{
    lv_style_value_t v = {.ptr = value};
    lv_style_set_prop(style, LV_STYLE_BG_GRAD, v);
}

void lv_style_set_bg_image_src(lv_style_t * style, const void * value)
{
    lv_style_value_t v = {.ptr = value};
    lv_style_set_prop(style, LV_STYLE_BG_IMAGE_SRC, v);
}

void lv_style_set_bg_image_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BG_IMAGE_OPA, v);
}

void lv_style_set_bg_image_recolor(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_BG_IMAGE_RECOLOR, v);
}

void lv_style_set_bg_image_recolor_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BG_IMAGE_RECOLOR_OPA, v);
}

void lv_style_set_bg_image_tiled(lv_style_t * style, bool value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BG_IMAGE_TILED, v);
}

void lv_style_set_border_color(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_BORDER_COLOR, v);
}

void lv_style_set_border_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BORDER_OPA, v);
}

void lv_style_set_border_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BORDER_WIDTH, v);
}

void lv_style_set_border_side(lv_style_t * style, lv_border_side_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BORDER_SIDE, v);
}

void lv_style_set_border_post(lv_style_t * style, bool value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BORDER_POST, v);
}

void lv_style_set_outline_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_OUTLINE_WIDTH, v);
}

void lv_style_set_outline_color(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_OUTLINE_COLOR, v);
}

void lv_style_set_outline_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_OUTLINE_OPA, v);
}

void lv_style_set_outline_pad(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_OUTLINE_PAD, v);
}

void lv_style_set_shadow_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_SHADOW_WIDTH, v);
}

void lv_style_set_shadow_offset_x(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_SHADOW_OFFSET_X, v);
}

void lv_style_set_shadow_offset_y(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_SHADOW_OFFSET_Y, v);
}

void lv_style_set_shadow_spread(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_SHADOW_SPREAD, v);
}

void lv_style_set_shadow_color(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_SHADOW_COLOR, v);
}

void lv_style_set_shadow_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_SHADOW_OPA, v);
}

void lv_style_set_image_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_IMAGE_OPA, v);
}

void lv_style_set_image_recolor(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_IMAGE_RECOLOR, v);
}

void lv_style_set_image_recolor_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_IMAGE_RECOLOR_OPA, v);
}

void lv_style_set_image_colorkey(lv_style_t * style, const lv_image_colorkey_t * value)
{
    lv_style_value_t v = {.ptr = value};
    lv_style_set_prop(style, LV_STYLE_IMAGE_COLORKEY, v);
}

void lv_style_set_line_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_LINE_WIDTH, v);
}

void lv_style_set_line_dash_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_LINE_DASH_WIDTH, v);
}

void lv_style_set_line_dash_gap(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_LINE_DASH_GAP, v);
}

void lv_style_set_line_rounded(lv_style_t * style, bool value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_LINE_ROUNDED, v);
}

void lv_style_set_line_color(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_LINE_COLOR, v);
}

void lv_style_set_line_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_LINE_OPA, v);
}

void lv_style_set_arc_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_ARC_WIDTH, v);
}

void lv_style_set_arc_rounded(lv_style_t * style, bool value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_ARC_ROUNDED, v);
}

void lv_style_set_arc_color(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_ARC_COLOR, v);
}

void lv_style_set_arc_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_ARC_OPA, v);
}

void lv_style_set_arc_image_src(lv_style_t * style, const void * value)
{
    lv_style_value_t v = {.ptr = value};
    lv_style_set_prop(style, LV_STYLE_ARC_IMAGE_SRC, v);
}

void lv_style_set_text_color(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_TEXT_COLOR, v);
}

void lv_style_set_text_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TEXT_OPA, v);
}

void lv_style_set_text_font(lv_style_t * style, const lv_font_t * value)
{
    lv_style_value_t v = {.ptr = value};
    lv_style_set_prop(style, LV_STYLE_TEXT_FONT, v);
}

void lv_style_set_text_letter_space(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TEXT_LETTER_SPACE, v);
}

void lv_style_set_text_line_space(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TEXT_LINE_SPACE, v);
}

void lv_style_set_text_decor(lv_style_t * style, lv_text_decor_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TEXT_DECOR, v);
}

void lv_style_set_text_align(lv_style_t * style, lv_text_align_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TEXT_ALIGN, v);
}

void lv_style_set_text_outline_stroke_color(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_TEXT_OUTLINE_STROKE_COLOR, v);
}

void lv_style_set_text_outline_stroke_width(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TEXT_OUTLINE_STROKE_WIDTH, v);
}

void lv_style_set_text_outline_stroke_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_TEXT_OUTLINE_STROKE_OPA, v);
}

void lv_style_set_radius(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_RADIUS, v);
}

void lv_style_set_radial_offset(lv_style_t * style, int32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_RADIAL_OFFSET, v);
}

void lv_style_set_clip_corner(lv_style_t * style, bool value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_CLIP_CORNER, v);
}

void lv_style_set_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_OPA, v);
}

void lv_style_set_opa_layered(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_OPA_LAYERED, v);
}

void lv_style_set_color_filter_dsc(lv_style_t * style, const lv_color_filter_dsc_t * value)
{
    lv_style_value_t v = {.ptr = value};
    lv_style_set_prop(style, LV_STYLE_COLOR_FILTER_DSC, v);
}

void lv_style_set_color_filter_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_COLOR_FILTER_OPA, v);
}

void lv_style_set_recolor(lv_style_t * style, lv_color_t value)
{
    lv_style_value_t v = {.color = value};
    lv_style_set_prop(style, LV_STYLE_RECOLOR, v);
}

void lv_style_set_recolor_opa(lv_style_t * style, lv_opa_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_RECOLOR_OPA, v);
}

void lv_style_set_anim(lv_style_t * style, const lv_anim_t * value)
{
    lv_style_value_t v = {.ptr = value};
    lv_style_set_prop(style, LV_STYLE_ANIM, v);
}

void lv_style_set_anim_duration(lv_style_t * style, uint32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_ANIM_DURATION, v);
}

void lv_style_set_transition(lv_style_t * style, const lv_style_transition_dsc_t * value)
{
    lv_style_value_t v = {.ptr = value};
    lv_style_set_prop(style, LV_STYLE_TRANSITION, v);
}

void lv_style_set_blend_mode(lv_style_t * style, lv_blend_mode_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BLEND_MODE, v);
}

void lv_style_set_layout(lv_style_t * style, uint16_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_LAYOUT, v);
}

void lv_style_set_base_dir(lv_style_t * style, lv_base_dir_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_BASE_DIR, v);
}

void lv_style_set_bitmap_mask_src(lv_style_t * style, const void * value)
{
    lv_style_value_t v = {.ptr = value};
    lv_style_set_prop(style, LV_STYLE_BITMAP_MASK_SRC, v);
}

void lv_style_set_rotary_sensitivity(lv_style_t * style, uint32_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_ROTARY_SENSITIVITY, v);
}

#if LV_USE_FLEX
void lv_style_set_flex_flow(lv_style_t * style, lv_flex_flow_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_FLEX_FLOW, v);
}

#endif
#if LV_USE_FLEX
void lv_style_set_flex_main_place(lv_style_t * style, lv_flex_align_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_FLEX_MAIN_PLACE, v);
}

#endif
#if LV_USE_FLEX
void lv_style_set_flex_cross_place(lv_style_t * style, lv_flex_align_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_FLEX_CROSS_PLACE, v);
}

#endif
#if LV_USE_FLEX
void lv_style_set_flex_track_place(lv_style_t * style, lv_flex_align_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_FLEX_TRACK_PLACE, v);
}

#endif
#if LV_USE_FLEX
void lv_style_set_flex_grow(lv_style_t * style, uint8_t value)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_style_set_prop(style, LV_STYLE_FLEX_GROW, v);
}

#endif
void lv_obj_set_style_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_WIDTH, v, selector);
}

void lv_obj_set_style_min_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_MIN_WIDTH, v, selector);
}

void lv_obj_set_style_max_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_MAX_WIDTH, v, selector);
}

void lv_obj_set_style_height(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_HEIGHT, v, selector);
}

void lv_obj_set_style_min_height(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_MIN_HEIGHT, v, selector);
}

void lv_obj_set_style_max_height(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_MAX_HEIGHT, v, selector);
}

void lv_obj_set_style_length(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_LENGTH, v, selector);
}

void lv_obj_set_style_x(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_X, v, selector);
}

void lv_obj_set_style_y(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_Y, v, selector);
}

void lv_obj_set_style_align(lv_obj_t * obj, lv_align_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_ALIGN, v, selector);
}

void lv_obj_set_style_transform_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSFORM_WIDTH, v, selector);
}

void lv_obj_set_style_transform_height(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSFORM_HEIGHT, v, selector);
}

void lv_obj_set_style_translate_x(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSLATE_X, v, selector);
}

void lv_obj_set_style_translate_y(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSLATE_Y, v, selector);
}

void lv_obj_set_style_translate_radial(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSLATE_RADIAL, v, selector);
}

void lv_obj_set_style_transform_scale_x(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSFORM_SCALE_X, v, selector);
}

void lv_obj_set_style_transform_scale_y(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSFORM_SCALE_Y, v, selector);
}

void lv_obj_set_style_transform_rotation(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSFORM_ROTATION, v, selector);
}

void lv_obj_set_style_transform_pivot_x(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSFORM_PIVOT_X, v, selector);
}

void lv_obj_set_style_transform_pivot_y(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSFORM_PIVOT_Y, v, selector);
}

void lv_obj_set_style_transform_skew_x(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSFORM_SKEW_X, v, selector);
}

void lv_obj_set_style_transform_skew_y(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSFORM_SKEW_Y, v, selector);
}

void lv_obj_set_style_pad_top(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_PAD_TOP, v, selector);
}

void lv_obj_set_style_pad_bottom(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_PAD_BOTTOM, v, selector);
}

void lv_obj_set_style_pad_left(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_PAD_LEFT, v, selector);
}

void lv_obj_set_style_pad_right(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_PAD_RIGHT, v, selector);
}

void lv_obj_set_style_pad_row(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_PAD_ROW, v, selector);
}

void lv_obj_set_style_pad_column(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_PAD_COLUMN, v, selector);
}

void lv_obj_set_style_pad_radial(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_PAD_RADIAL, v, selector);
}

void lv_obj_set_style_margin_top(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_MARGIN_TOP, v, selector);
}

void lv_obj_set_style_margin_bottom(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_MARGIN_BOTTOM, v, selector);
}

void lv_obj_set_style_margin_left(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_MARGIN_LEFT, v, selector);
}

void lv_obj_set_style_margin_right(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_MARGIN_RIGHT, v, selector);
}

void lv_obj_set_style_bg_color(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_COLOR, v, selector);
}

void lv_obj_set_style_bg_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_OPA, v, selector);
}

void lv_obj_set_style_bg_grad_color(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_GRAD_COLOR, v, selector);
}

void lv_obj_set_style_bg_grad_dir(lv_obj_t * obj, lv_grad_dir_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_GRAD_DIR, v, selector);
}

void lv_obj_set_style_bg_main_stop(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_MAIN_STOP, v, selector);
}

void lv_obj_set_style_bg_grad_stop(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_GRAD_STOP, v, selector);
}

void lv_obj_set_style_bg_main_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_MAIN_OPA, v, selector);
}

void lv_obj_set_style_bg_grad_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_GRAD_OPA, v, selector);
}

void lv_obj_set_style_bg_grad(lv_obj_t * obj, const lv_grad_dsc_t * value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.ptr = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_GRAD, v, selector);
}

void lv_obj_set_style_bg_image_src(lv_obj_t * obj, const void * value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.ptr = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_IMAGE_SRC, v, selector);
}

void lv_obj_set_style_bg_image_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_IMAGE_OPA, v, selector);
}

void lv_obj_set_style_bg_image_recolor(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_IMAGE_RECOLOR, v, selector);
}

void lv_obj_set_style_bg_image_recolor_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_IMAGE_RECOLOR_OPA, v, selector);
}

void lv_obj_set_style_bg_image_tiled(lv_obj_t * obj, bool value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BG_IMAGE_TILED, v, selector);
}

void lv_obj_set_style_border_color(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BORDER_COLOR, v, selector);
}

void lv_obj_set_style_border_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BORDER_OPA, v, selector);
}

void lv_obj_set_style_border_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BORDER_WIDTH, v, selector);
}

void lv_obj_set_style_border_side(lv_obj_t * obj, lv_border_side_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BORDER_SIDE, v, selector);
}

void lv_obj_set_style_border_post(lv_obj_t * obj, bool value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BORDER_POST, v, selector);
}

void lv_obj_set_style_outline_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_OUTLINE_WIDTH, v, selector);
}

void lv_obj_set_style_outline_color(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_OUTLINE_COLOR, v, selector);
}

void lv_obj_set_style_outline_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_OUTLINE_OPA, v, selector);
}

void lv_obj_set_style_outline_pad(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_OUTLINE_PAD, v, selector);
}

void lv_obj_set_style_shadow_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_SHADOW_WIDTH, v, selector);
}

void lv_obj_set_style_shadow_offset_x(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_SHADOW_OFFSET_X, v, selector);
}

void lv_obj_set_style_shadow_offset_y(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_SHADOW_OFFSET_Y, v, selector);
}

void lv_obj_set_style_shadow_spread(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_SHADOW_SPREAD, v, selector);
}

void lv_obj_set_style_shadow_color(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_SHADOW_COLOR, v, selector);
}

void lv_obj_set_style_shadow_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_SHADOW_OPA, v, selector);
}

void lv_obj_set_style_image_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_IMAGE_OPA, v, selector);
}

void lv_obj_set_style_image_recolor(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_IMAGE_RECOLOR, v, selector);
}

void lv_obj_set_style_image_recolor_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_IMAGE_RECOLOR_OPA, v, selector);
}

void lv_obj_set_style_image_colorkey(lv_obj_t * obj, const lv_image_colorkey_t * value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.ptr = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_IMAGE_COLORKEY, v, selector);
}

void lv_obj_set_style_line_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_LINE_WIDTH, v, selector);
}

void lv_obj_set_style_line_dash_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_LINE_DASH_WIDTH, v, selector);
}

void lv_obj_set_style_line_dash_gap(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_LINE_DASH_GAP, v, selector);
}

void lv_obj_set_style_line_rounded(lv_obj_t * obj, bool value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_LINE_ROUNDED, v, selector);
}

void lv_obj_set_style_line_color(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_LINE_COLOR, v, selector);
}

void lv_obj_set_style_line_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_LINE_OPA, v, selector);
}

void lv_obj_set_style_arc_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_ARC_WIDTH, v, selector);
}

void lv_obj_set_style_arc_rounded(lv_obj_t * obj, bool value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_ARC_ROUNDED, v, selector);
}

void lv_obj_set_style_arc_color(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_ARC_COLOR, v, selector);
}

void lv_obj_set_style_arc_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_ARC_OPA, v, selector);
}

void lv_obj_set_style_arc_image_src(lv_obj_t * obj, const void * value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.ptr = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_ARC_IMAGE_SRC, v, selector);
}

void lv_obj_set_style_text_color(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TEXT_COLOR, v, selector);
}

void lv_obj_set_style_text_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TEXT_OPA, v, selector);
}

void lv_obj_set_style_text_font(lv_obj_t * obj, const lv_font_t * value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.ptr = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TEXT_FONT, v, selector);
}

void lv_obj_set_style_text_letter_space(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TEXT_LETTER_SPACE, v, selector);
}

void lv_obj_set_style_text_line_space(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TEXT_LINE_SPACE, v, selector);
}

void lv_obj_set_style_text_decor(lv_obj_t * obj, lv_text_decor_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TEXT_DECOR, v, selector);
}

void lv_obj_set_style_text_align(lv_obj_t * obj, lv_text_align_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TEXT_ALIGN, v, selector);
}

void lv_obj_set_style_text_outline_stroke_color(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TEXT_OUTLINE_STROKE_COLOR, v, selector);
}

void lv_obj_set_style_text_outline_stroke_width(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TEXT_OUTLINE_STROKE_WIDTH, v, selector);
}

void lv_obj_set_style_text_outline_stroke_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TEXT_OUTLINE_STROKE_OPA, v, selector);
}

void lv_obj_set_style_radius(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_RADIUS, v, selector);
}

void lv_obj_set_style_radial_offset(lv_obj_t * obj, int32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_RADIAL_OFFSET, v, selector);
}

void lv_obj_set_style_clip_corner(lv_obj_t * obj, bool value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_CLIP_CORNER, v, selector);
}

void lv_obj_set_style_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_OPA, v, selector);
}

void lv_obj_set_style_opa_layered(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_OPA_LAYERED, v, selector);
}

void lv_obj_set_style_color_filter_dsc(lv_obj_t * obj, const lv_color_filter_dsc_t * value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.ptr = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_COLOR_FILTER_DSC, v, selector);
}

void lv_obj_set_style_color_filter_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_COLOR_FILTER_OPA, v, selector);
}

void lv_obj_set_style_recolor(lv_obj_t * obj, lv_color_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.color = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_RECOLOR, v, selector);
}

void lv_obj_set_style_recolor_opa(lv_obj_t * obj, lv_opa_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_RECOLOR_OPA, v, selector);
}

void lv_obj_set_style_anim(lv_obj_t * obj, const lv_anim_t * value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.ptr = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_ANIM, v, selector);
}

void lv_obj_set_style_anim_duration(lv_obj_t * obj, uint32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_ANIM_DURATION, v, selector);
}

void lv_obj_set_style_transition(lv_obj_t * obj, const lv_style_transition_dsc_t * value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.ptr = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_TRANSITION, v, selector);
}

void lv_obj_set_style_blend_mode(lv_obj_t * obj, lv_blend_mode_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BLEND_MODE, v, selector);
}

void lv_obj_set_style_layout(lv_obj_t * obj, uint16_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_LAYOUT, v, selector);
}

void lv_obj_set_style_base_dir(lv_obj_t * obj, lv_base_dir_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BASE_DIR, v, selector);
}

void lv_obj_set_style_bitmap_mask_src(lv_obj_t * obj, const void * value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.ptr = value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_BITMAP_MASK_SRC, v, selector);
}

void lv_obj_set_style_rotary_sensitivity(lv_obj_t * obj, uint32_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_ROTARY_SENSITIVITY, v, selector);
}

#if LV_USE_FLEX
void lv_obj_set_style_flex_flow(lv_obj_t * obj, lv_flex_flow_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_FLEX_FLOW, v, selector);
}

#endif
#if LV_USE_FLEX
void lv_obj_set_style_flex_main_place(lv_obj_t * obj, lv_flex_align_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_FLEX_MAIN_PLACE, v, selector);
}

#endif
#if LV_USE_FLEX
void lv_obj_set_style_flex_cross_place(lv_obj_t * obj, lv_flex_align_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_FLEX_CROSS_PLACE, v, selector);
}

#endif
#if LV_USE_FLEX
void lv_obj_set_style_flex_track_place(lv_obj_t * obj, lv_flex_align_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_FLEX_TRACK_PLACE, v, selector);
}

#endif
#if LV_USE_FLEX
void lv_obj_set_style_flex_grow(lv_obj_t * obj, uint8_t value, lv_style_selector_t selector)
{
    lv_style_value_t v = {.num = (int32_t)value};
    lv_obj_set_local_style_prop(obj, LV_STYLE_FLEX_GROW, v, selector);
}

#endif
}  // extern "C"
