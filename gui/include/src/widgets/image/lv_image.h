/**
 * @file lv_image.h
 * Image widget: shows a compiled image, an image file or a symbol.
 */
#ifndef LV_IMAGE_H
#define LV_IMAGE_H

#ifdef __cplusplus
extern "C" {
#endif

#include "../../core/lv_obj.h"
#include "../../draw/lv_image_dsc.h"

typedef enum {
    LV_IMAGE_ALIGN_DEFAULT = 0,
    LV_IMAGE_ALIGN_TOP_LEFT,
    LV_IMAGE_ALIGN_TOP_MID,
    LV_IMAGE_ALIGN_TOP_RIGHT,
    LV_IMAGE_ALIGN_BOTTOM_LEFT,
    LV_IMAGE_ALIGN_BOTTOM_MID,
    LV_IMAGE_ALIGN_BOTTOM_RIGHT,
    LV_IMAGE_ALIGN_LEFT_MID,
    LV_IMAGE_ALIGN_RIGHT_MID,
    LV_IMAGE_ALIGN_CENTER,
    _LV_IMAGE_ALIGN_AUTO_TRANSFORM,
    LV_IMAGE_ALIGN_STRETCH,
    LV_IMAGE_ALIGN_TILE,
    LV_IMAGE_ALIGN_CONTAIN,
    LV_IMAGE_ALIGN_COVER,
} lv_image_align_t;

extern const lv_obj_class_t lv_image_class;

lv_obj_t * lv_image_create(lv_obj_t * parent);

void lv_image_set_src(lv_obj_t * obj, const void * src);
void lv_image_set_offset_x(lv_obj_t * obj, int32_t x);
void lv_image_set_offset_y(lv_obj_t * obj, int32_t y);
void lv_image_set_rotation(lv_obj_t * obj, int32_t angle);
void lv_image_set_pivot(lv_obj_t * obj, int32_t x, int32_t y);
void lv_image_set_pivot_x(lv_obj_t * obj, int32_t x);
void lv_image_set_pivot_y(lv_obj_t * obj, int32_t y);
void lv_image_set_scale(lv_obj_t * obj, uint32_t zoom);
void lv_image_set_scale_x(lv_obj_t * obj, uint32_t zoom);
void lv_image_set_scale_y(lv_obj_t * obj, uint32_t zoom);
/** Unlike LVGL 9.4, stored but drawn as LV_BLEND_MODE_NORMAL. */
void lv_image_set_blend_mode(lv_obj_t * obj, lv_blend_mode_t blend_mode);
void lv_image_set_antialias(lv_obj_t * obj, bool antialias);
void lv_image_set_inner_align(lv_obj_t * obj, lv_image_align_t align);
/** Unlike LVGL 9.4, stored but not applied. */
void lv_image_set_bitmap_map_src(lv_obj_t * obj, const lv_image_dsc_t * src);

const void * lv_image_get_src(lv_obj_t * obj);
int32_t lv_image_get_offset_x(lv_obj_t * obj);
int32_t lv_image_get_offset_y(lv_obj_t * obj);
int32_t lv_image_get_rotation(lv_obj_t * obj);
void lv_image_get_pivot(lv_obj_t * obj, lv_point_t * pivot);
int32_t lv_image_get_scale(lv_obj_t * obj);
int32_t lv_image_get_scale_x(lv_obj_t * obj);
int32_t lv_image_get_scale_y(lv_obj_t * obj);
int32_t lv_image_get_src_width(lv_obj_t * obj);
int32_t lv_image_get_src_height(lv_obj_t * obj);
int32_t lv_image_get_transformed_width(lv_obj_t * obj);
int32_t lv_image_get_transformed_height(lv_obj_t * obj);
lv_blend_mode_t lv_image_get_blend_mode(lv_obj_t * obj);
bool lv_image_get_antialias(lv_obj_t * obj);
lv_image_align_t lv_image_get_inner_align(lv_obj_t * obj);
const lv_image_dsc_t * lv_image_get_bitmap_map_src(lv_obj_t * obj);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_IMAGE_H*/
