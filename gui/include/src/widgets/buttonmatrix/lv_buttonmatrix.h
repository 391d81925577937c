/**
 * @file lv_buttonmatrix.h
 * A grid of buttons described by a text map, drawn as one object.
 */
#ifndef LV_BUTTONMATRIX_H
#define LV_BUTTONMATRIX_H

#ifdef __cplusplus
extern "C" {
#endif

#include "../../core/lv_obj.h"

#define LV_BUTTONMATRIX_BUTTON_NONE 0xFFFF

/** Per-button control bits; the low four bits hold the relative width (1..15). */
typedef enum {
    LV_BUTTONMATRIX_CTRL_NONE = 0x0000,
    LV_BUTTONMATRIX_CTRL_WIDTH_1 = 0x0001,
    LV_BUTTONMATRIX_CTRL_WIDTH_2 = 0x0002,
    LV_BUTTONMATRIX_CTRL_WIDTH_3 = 0x0003,
    LV_BUTTONMATRIX_CTRL_WIDTH_4 = 0x0004,
    LV_BUTTONMATRIX_CTRL_WIDTH_5 = 0x0005,
    LV_BUTTONMATRIX_CTRL_WIDTH_6 = 0x0006,
    LV_BUTTONMATRIX_CTRL_WIDTH_7 = 0x0007,
    LV_BUTTONMATRIX_CTRL_WIDTH_8 = 0x0008,
    LV_BUTTONMATRIX_CTRL_WIDTH_9 = 0x0009,
    LV_BUTTONMATRIX_CTRL_WIDTH_10 = 0x000A,
    LV_BUTTONMATRIX_CTRL_WIDTH_11 = 0x000B,
    LV_BUTTONMATRIX_CTRL_WIDTH_12 = 0x000C,
    LV_BUTTONMATRIX_CTRL_WIDTH_13 = 0x000D,
    LV_BUTTONMATRIX_CTRL_WIDTH_14 = 0x000E,
    LV_BUTTONMATRIX_CTRL_WIDTH_15 = 0x000F,
    LV_BUTTONMATRIX_CTRL_HIDDEN = 0x0010,
    LV_BUTTONMATRIX_CTRL_NO_REPEAT = 0x0020,
    LV_BUTTONMATRIX_CTRL_DISABLED = 0x0040,
    LV_BUTTONMATRIX_CTRL_CHECKABLE = 0x0080,
    LV_BUTTONMATRIX_CTRL_CHECKED = 0x0100,
    LV_BUTTONMATRIX_CTRL_CLICK_TRIG = 0x0200,
    LV_BUTTONMATRIX_CTRL_POPOVER = 0x0400,
    LV_BUTTONMATRIX_CTRL_RECOLOR = 0x0800,
    LV_BUTTONMATRIX_CTRL_RESERVED_1 = 0x1000,
    LV_BUTTONMATRIX_CTRL_RESERVED_2 = 0x2000,
    LV_BUTTONMATRIX_CTRL_CUSTOM_1 = 0x4000,
    LV_BUTTONMATRIX_CTRL_CUSTOM_2 = 0x8000,
} lv_buttonmatrix_ctrl_t;

extern const lv_obj_class_t lv_buttonmatrix_class;

lv_obj_t * lv_buttonmatrix_create(lv_obj_t * parent);

void lv_buttonmatrix_set_map(lv_obj_t * obj, const char * const map[]);
void lv_buttonmatrix_set_ctrl_map(lv_obj_t * obj, const lv_buttonmatrix_ctrl_t ctrl_map[]);
void lv_buttonmatrix_set_selected_button(lv_obj_t * obj, uint32_t btn_id);
void lv_buttonmatrix_set_button_ctrl(lv_obj_t * obj, uint32_t btn_id, lv_buttonmatrix_ctrl_t ctrl);
void lv_buttonmatrix_clear_button_ctrl(lv_obj_t * obj, uint32_t btn_id, lv_buttonmatrix_ctrl_t ctrl);
void lv_buttonmatrix_set_button_ctrl_all(lv_obj_t * obj, lv_buttonmatrix_ctrl_t ctrl);
void lv_buttonmatrix_clear_button_ctrl_all(lv_obj_t * obj, lv_buttonmatrix_ctrl_t ctrl);
void lv_buttonmatrix_set_button_width(lv_obj_t * obj, uint32_t btn_id, uint32_t width);
void lv_buttonmatrix_set_one_checked(lv_obj_t * obj, bool en);

const char * const * lv_buttonmatrix_get_map(const lv_obj_t * obj);
uint32_t lv_buttonmatrix_get_selected_button(const lv_obj_t * obj);
const char * lv_buttonmatrix_get_button_text(const lv_obj_t * obj, uint32_t btn_id);
bool lv_buttonmatrix_has_button_ctrl(lv_obj_t * obj, uint32_t btn_id, lv_buttonmatrix_ctrl_t ctrl);
bool lv_buttonmatrix_get_one_checked(const lv_obj_t * obj);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_BUTTONMATRIX_H*/
