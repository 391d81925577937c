/**
 * @file lv_bar.h
 * Progress bar with a background and an indicator part.
 */
#ifndef LV_BAR_H
#define LV_BAR_H

#ifdef __cplusplus
extern "C" {
#endif

#include "../../core/lv_obj.h"

typedef enum {
    LV_BAR_MODE_NORMAL = 0,
    LV_BAR_MODE_SYMMETRICAL = 1,
    LV_BAR_MODE_RANGE = 2,
} lv_bar_mode_t;

typedef enum {
    LV_BAR_ORIENTATION_AUTO = 0,
    LV_BAR_ORIENTATION_HORIZONTAL = 1,
    LV_BAR_ORIENTATION_VERTICAL = 2,
} lv_bar_orientation_t;

extern const lv_obj_class_t lv_bar_class;

lv_obj_t * lv_bar_create(lv_obj_t * parent);

void lv_bar_set_value(lv_obj_t * obj, int32_t value, lv_anim_enable_t anim);
void lv_bar_set_start_value(lv_obj_t * obj, int32_t start_value, lv_anim_enable_t anim);
void lv_bar_set_range(lv_obj_t * obj, int32_t min, int32_t max);
void lv_bar_set_min_value(lv_obj_t * obj, int32_t min);
void lv_bar_set_max_value(lv_obj_t * obj, int32_t max);
void lv_bar_set_mode(lv_obj_t * obj, lv_bar_mode_t mode);
void lv_bar_set_orientation(lv_obj_t * obj, lv_bar_orientation_t orientation);

int32_t lv_bar_get_value(const lv_obj_t * obj);
int32_t lv_bar_get_start_value(const lv_obj_t * obj);
int32_t lv_bar_get_min_value(const lv_obj_t * obj);
int32_t lv_bar_get_max_value(const lv_obj_t * obj);
lv_bar_mode_t lv_bar_get_mode(lv_obj_t * obj);
lv_bar_orientation_t lv_bar_get_orientation(lv_obj_t * obj);
bool lv_bar_is_symmetrical(lv_obj_t * obj);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_BAR_H*/
