/* Setters of every style property on a style object. */
#ifndef LV_STYLE_GEN_H
#define LV_STYLE_GEN_H

#ifdef __cplusplus
extern "C" {
#endif

void lv_style_set_width(lv_style_t * style, int32_t value);
void lv_style_set_min_width(lv_style_t * style, int32_t value);
void lv_style_set_max_width(lv_style_t * style, int32_t value);
void lv_style_set_height(lv_style_t * style, int32_t value);
void lv_style_set_min_height(lv_style_t * style, int32_t value);
void lv_style_set_max_height(lv_style_t * style, int32_t value);
void lv_style_set_length(lv_style_t * style, int32_t value);
void lv_style_set_x(lv_style_t * style, int32_t value);
void lv_style_set_y(lv_style_t * style, int32_t value);
void lv_style_set_align(lv_style_t * style, lv_align_t value);
void lv_style_set_transform_width(lv_style_t * style, int32_t value);
void lv_style_set_transform_height(lv_style_t * style, int32_t value);
void lv_style_set_translate_x(lv_style_t * style, int32_t value);
void lv_style_set_translate_y(lv_style_t * style, int32_t value);
void lv_style_set_translate_radial(lv_style_t * style, int32_t value);
void lv_style_set_transform_scale_x(lv_style_t * style, int32_t value);
void lv_style_set_transform_scale_y(lv_style_t * style, int32_t value);
void lv_style_set_transform_rotation(lv_style_t * style, int32_t value);
void lv_style_set_transform_pivot_x(lv_style_t * style, int32_t value);
void lv_style_set_transform_pivot_y(lv_style_t * style, int32_t value);
void lv_style_set_transform_skew_x(lv_style_t * style, int32_t value);
void lv_style_set_transform_skew_y(lv_style_t * style, int32_t value);
void lv_style_set_pad_top(lv_style_t * style, int32_t value);
void lv_style_set_pad_bottom(lv_style_t * style, int32_t value);
void lv_style_set_pad_left(lv_style_t * style, int32_t value);
void lv_style_set_pad_right(lv_style_t * style, int32_t value);
void lv_style_set_pad_row(lv_style_t * style, int32_t value);
void lv_style_set_pad_column(lv_style_t * style, int32_t value);
void lv_style_set_pad_radial(lv_style_t * style, int32_t value);
void lv_style_set_margin_top(lv_style_t * style, int32_t value);
void lv_style_set_margin_bottom(lv_style_t * style, int32_t value);
void lv_style_set_margin_left(lv_style_t * style, int32_t value);
void lv_style_set_margin_right(lv_style_t * style, int32_t value);
void lv_style_set_bg_color(lv_style_t * style, lv_color_t value);
void lv_style_set_bg_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_bg_grad_color(lv_style_t * style, lv_color_t value);
void lv_style_set_bg_grad_dir(lv_style_t * style, lv_grad_dir_t value);
void lv_style_set_bg_main_stop(lv_style_t * style, int32_t value);
void lv_style_set_bg_grad_stop(lv_style_t * style, int32_t value);
void lv_style_set_bg_main_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_bg_grad_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_bg_grad(lv_style_t * style, const lv_grad_dsc_t * value);
void lv_style_set_bg_image_src(lv_style_t * style, const void * value);
void lv_style_set_bg_image_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_bg_image_recolor(lv_style_t * style, lv_color_t value);
void lv_style_set_bg_image_recolor_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_bg_image_tiled(lv_style_t * style, bool value);
void lv_style_set_border_color(lv_style_t * style, lv_color_t value);
void lv_style_set_border_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_border_width(lv_style_t * style, int32_t value);
void lv_style_set_border_side(lv_style_t * style, lv_border_side_t value);
void lv_style_set_border_post(lv_style_t * style, bool value);
void lv_style_set_outline_width(lv_style_t * style, int32_t value);
void lv_style_set_outline_color(lv_style_t * style, lv_color_t value);
void lv_style_set_outline_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_outline_pad(lv_style_t * style, int32_t value);
void lv_style_set_shadow_width(lv_style_t * style, int32_t value);
void lv_style_set_shadow_offset_x(lv_style_t * style, int32_t value);
void lv_style_set_shadow_offset_y(lv_style_t * style, int32_t value);
void lv_style_set_shadow_spread(lv_style_t * style, int32_t value);
void lv_style_set_shadow_color(lv_style_t * style, lv_color_t value);
void lv_style_set_shadow_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_image_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_image_recolor(lv_style_t * style, lv_color_t value);
void lv_style_set_image_recolor_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_image_colorkey(lv_style_t * style, const lv_image_colorkey_t * value);
void lv_style_set_line_width(lv_style_t * style, int32_t value);
void lv_style_set_line_dash_width(lv_style_t * style, int32_t value);
void lv_style_set_line_dash_gap(lv_style_t * style, int32_t value);
void lv_style_set_line_rounded(lv_style_t * style, bool value);
void lv_style_set_line_color(lv_style_t * style, lv_color_t value);
void lv_style_set_line_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_arc_width(lv_style_t * style, int32_t value);
void lv_style_set_arc_rounded(lv_style_t * style, bool value);
void lv_style_set_arc_color(lv_style_t * style, lv_color_t value);
void lv_style_set_arc_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_arc_image_src(lv_style_t * style, const void * value);
void lv_style_set_text_color(lv_style_t * style, lv_color_t value);
void lv_style_set_text_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_text_font(lv_style_t * style, const lv_font_t * value);
void lv_style_set_text_letter_space(lv_style_t * style, int32_t value);
void lv_style_set_text_line_space(lv_style_t * style, int32_t value);
void lv_style_set_text_decor(lv_style_t * style, lv_text_decor_t value);
void lv_style_set_text_align(lv_style_t * style, lv_text_align_t value);
void lv_style_set_text_outline_stroke_color(lv_style_t * style, lv_color_t value);
void lv_style_set_text_outline_stroke_width(lv_style_t * style, int32_t value);
void lv_style_set_text_outline_stroke_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_radius(lv_style_t * style, int32_t value);
void lv_style_set_radial_offset(lv_style_t * style, int32_t value);
void lv_style_set_clip_corner(lv_style_t * style, bool value);
void lv_style_set_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_opa_layered(lv_style_t * style, lv_opa_t value);
void lv_style_set_color_filter_dsc(lv_style_t * style, const lv_color_filter_dsc_t * value);
void lv_style_set_color_filter_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_recolor(lv_style_t * style, lv_color_t value);
void lv_style_set_recolor_opa(lv_style_t * style, lv_opa_t value);
void lv_style_set_anim(lv_style_t * style, const lv_anim_t * value);
void lv_style_set_anim_duration(lv_style_t * style, uint32_t value);
void lv_style_set_transition(lv_style_t * style, const lv_style_transition_dsc_t * value);
void lv_style_set_blend_mode(lv_style_t * style, lv_blend_mode_t value);
void lv_style_set_layout(lv_style_t * style, uint16_t value);
void lv_style_set_base_dir(lv_style_t * style, lv_base_dir_t value);
void lv_style_set_bitmap_mask_src(lv_style_t * style, const void * value);
void lv_style_set_rotary_sensitivity(lv_style_t * style, uint32_t value);
#if LV_USE_FLEX
void lv_style_set_flex_flow(lv_style_t * style, lv_flex_flow_t value);
#endif
#if LV_USE_FLEX
void lv_style_set_flex_main_place(lv_style_t * style, lv_flex_align_t value);
#endif
#if LV_USE_FLEX
void lv_style_set_flex_cross_place(lv_style_t * style, lv_flex_align_t value);
#endif
#if LV_USE_FLEX
void lv_style_set_flex_track_place(lv_style_t * style, lv_flex_align_t value);
#endif
#if LV_USE_FLEX
void lv_style_set_flex_grow(lv_style_t * style, uint8_t value);
#endif

#ifdef __cplusplus
}
#endif

#endif /* LV_STYLE_GEN_H */
