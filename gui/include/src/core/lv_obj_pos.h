#ifndef LV_OBJ_POS_H
#define LV_OBJ_POS_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_area.h"

#ifdef __cplusplus
extern "C" {
#endif

void lv_obj_set_pos(lv_obj_t * obj, int32_t x, int32_t y);
void lv_obj_set_x(lv_obj_t * obj, int32_t x);
void lv_obj_set_y(lv_obj_t * obj, int32_t y);
void lv_obj_set_size(lv_obj_t * obj, int32_t w, int32_t h);
bool lv_obj_refr_size(lv_obj_t * obj);
void lv_obj_set_width(lv_obj_t * obj, int32_t w);
void lv_obj_set_height(lv_obj_t * obj, int32_t h);
void lv_obj_set_content_width(lv_obj_t * obj, int32_t w);
void lv_obj_set_content_height(lv_obj_t * obj, int32_t h);
void lv_obj_set_layout(lv_obj_t * obj, uint32_t layout);
bool lv_obj_is_layout_positioned(const lv_obj_t * obj);
void lv_obj_mark_layout_as_dirty(lv_obj_t * obj);
/** Runs the pending layout of obj's screen now. */
void lv_obj_update_layout(const lv_obj_t * obj);
void lv_obj_set_align(lv_obj_t * obj, lv_align_t align);
void lv_obj_align(lv_obj_t * obj, lv_align_t align, int32_t x_ofs, int32_t y_ofs);
/** One-time placement relative to base (NULL: the parent). */
void lv_obj_align_to(lv_obj_t * obj, const lv_obj_t * base, lv_align_t align, int32_t x_ofs, int32_t y_ofs);
void lv_obj_center(lv_obj_t * obj);
void lv_obj_get_coords(const lv_obj_t * obj, lv_area_t * coords);
int32_t lv_obj_get_x(const lv_obj_t * obj);
int32_t lv_obj_get_x2(const lv_obj_t * obj);
int32_t lv_obj_get_y(const lv_obj_t * obj);
int32_t lv_obj_get_y2(const lv_obj_t * obj);
int32_t lv_obj_get_x_aligned(const lv_obj_t * obj);
int32_t lv_obj_get_y_aligned(const lv_obj_t * obj);
int32_t lv_obj_get_width(const lv_obj_t * obj);
int32_t lv_obj_get_height(const lv_obj_t * obj);
int32_t lv_obj_get_content_width(const lv_obj_t * obj);
int32_t lv_obj_get_content_height(const lv_obj_t * obj);
void lv_obj_get_content_coords(const lv_obj_t * obj, lv_area_t * area);
int32_t lv_obj_get_self_width(const lv_obj_t * obj);
int32_t lv_obj_get_self_height(const lv_obj_t * obj);
bool lv_obj_refresh_self_size(lv_obj_t * obj);
void lv_obj_refr_pos(lv_obj_t * obj);
/** Moves obj to x/y (relative to the parent's content area) without touching its styles. */
void lv_obj_move_to(lv_obj_t * obj, int32_t x, int32_t y);
void lv_obj_move_children_by(lv_obj_t * obj, int32_t x_diff, int32_t y_diff, bool ignore_floating);
void lv_obj_invalidate_area(const lv_obj_t * obj, const lv_area_t * area);
void lv_obj_invalidate(const lv_obj_t * obj);
bool lv_obj_area_is_visible(const lv_obj_t * obj, lv_area_t * area);
bool lv_obj_is_visible(const lv_obj_t * obj);
void lv_obj_set_ext_click_area(lv_obj_t * obj, int32_t size);
void lv_obj_get_click_area(const lv_obj_t * obj, lv_area_t * area);
bool lv_obj_hit_test(lv_obj_t * obj, const lv_point_t * point);
int32_t lv_clamp_width(int32_t width, int32_t min_width, int32_t max_width, int32_t ref_width);
int32_t lv_clamp_height(int32_t height, int32_t min_height, int32_t max_height, int32_t ref_height);

#ifdef __cplusplus
}
#endif

#endif /* LV_OBJ_POS_H */
