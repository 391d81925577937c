/*
 * Small helpers the widget trees share to lay out, style and animate plain
 * objects. Styles are local styles of the main part in the default state,
 * set as the trees would one call at a time.
 */
#ifndef UI_OBJ_UTIL_H
#define UI_OBJ_UTIL_H

#include "lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Position and size in one call. */
void ui_obj_place(lv_obj_t *obj, int32_t x, int32_t y, int32_t w, int32_t h);
/* No padding on any side (row and column gaps are kept). */
void ui_obj_pads_zero(lv_obj_t *obj);
/* No border and square corners. */
void ui_obj_frame_none(lv_obj_t *obj);
/* Background colour (0xRRGGBB) and opacity. */
void ui_obj_fill(lv_obj_t *obj, uint32_t color, lv_opa_t opa);
/* A horizontal pager: one page per swipe, snapped to the centre, its pages in
 * a flex row without gaps, no scrollbar. */
void ui_obj_pager(lv_obj_t *pager);
/* The busy spinners: `image` turns about (pivot_x, pivot_y), antialiased,
 * one full turn every two seconds without end, from angle 0; turn_cb sets
 * the image's rotation, and anim is the caller's record. */
void ui_obj_spin(lv_anim_t *anim, lv_obj_t *image, int32_t pivot_x, int32_t pivot_y, lv_anim_exec_xcb_t turn_cb);
/* Ends the turn that turn_cb drives and puts the image back at angle 0. */
void ui_obj_spin_stop(lv_obj_t *image, lv_anim_exec_xcb_t turn_cb);

#ifdef __cplusplus
}
#endif

#endif /* UI_OBJ_UTIL_H */
