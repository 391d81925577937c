/**
 * @file lv_arc.h
 * Ring-shaped slider with a background arc, an indicator arc and a knob.
 */
#ifndef LV_ARC_H
#define LV_ARC_H

#ifdef __cplusplus
extern "C" {
#endif

#include "../../core/lv_obj.h"

typedef enum {
    LV_ARC_MODE_NORMAL = 0,
    LV_ARC_MODE_SYMMETRICAL = 1,
    LV_ARC_MODE_REVERSE = 2,
} lv_arc_mode_t;

extern const lv_obj_class_t lv_arc_class;

lv_obj_t * lv_arc_create(lv_obj_t * parent);

void lv_arc_set_start_angle(lv_obj_t * obj, lv_value_precise_t start);
void lv_arc_set_end_angle(lv_obj_t * obj, lv_value_precise_t end);
void lv_arc_set_angles(lv_obj_t * obj, lv_value_precise_t start, lv_value_precise_t end);
void lv_arc_set_bg_start_angle(lv_obj_t * obj, lv_value_precise_t start);
void lv_arc_set_bg_end_angle(lv_obj_t * obj, lv_value_precise_t end);
void lv_arc_set_bg_angles(lv_obj_t * obj, lv_value_precise_t start, lv_value_precise_t end);
void lv_arc_set_rotation(lv_obj_t * obj, int32_t rotation);
void lv_arc_set_mode(lv_obj_t * obj, lv_arc_mode_t type);
void lv_arc_set_value(lv_obj_t * obj, int32_t value);
void lv_arc_set_range(lv_obj_t * obj, int32_t min, int32_t max);
void lv_arc_set_min_value(lv_obj_t * obj, int32_t min);
void lv_arc_set_max_value(lv_obj_t * obj, int32_t max);
void lv_arc_set_change_rate(lv_obj_t * obj, uint32_t rate);
void lv_arc_set_knob_offset(lv_obj_t * obj, int32_t offset);

lv_value_precise_t lv_arc_get_angle_start(lv_obj_t * obj);
lv_value_precise_t lv_arc_get_angle_end(lv_obj_t * obj);
lv_value_precise_t lv_arc_get_bg_angle_start(lv_obj_t * obj);
lv_value_precise_t lv_arc_get_bg_angle_end(lv_obj_t * obj);
int32_t lv_arc_get_value(const lv_obj_t * obj);
int32_t lv_arc_get_min_value(const lv_obj_t * obj);
int32_t lv_arc_get_max_value(const lv_obj_t * obj);
lv_arc_mode_t lv_arc_get_mode(const lv_obj_t * obj);
int32_t lv_arc_get_rotation(const lv_obj_t * obj);
int32_t lv_arc_get_knob_offset(const lv_obj_t * obj);

void lv_arc_align_obj_to_angle(const lv_obj_t * obj, lv_obj_t * obj_to_align, int32_t r_offset);
void lv_arc_rotate_obj_to_angle(const lv_obj_t * obj, lv_obj_t * obj_to_rotate, int32_t r_offset);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_ARC_H*/
