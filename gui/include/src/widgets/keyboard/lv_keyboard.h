/**
 * @file lv_keyboard.h
 * On-screen keyboard built on the button matrix; types into a bound textarea.
 */
#ifndef LV_KEYBOARD_H
#define LV_KEYBOARD_H

#ifdef __cplusplus
extern "C" {
#endif

#include "../buttonmatrix/lv_buttonmatrix.h"

/** Control bits of the mode and action keys: act on release, no repeat, drawn checked. */
#define LV_KEYBOARD_CTRL_BUTTON_FLAGS                                                                                  \
    (LV_BUTTONMATRIX_CTRL_NO_REPEAT | LV_BUTTONMATRIX_CTRL_CLICK_TRIG | LV_BUTTONMATRIX_CTRL_CHECKED)

typedef enum {
    LV_KEYBOARD_MODE_TEXT_LOWER = 0,
    LV_KEYBOARD_MODE_TEXT_UPPER = 1,
    LV_KEYBOARD_MODE_SPECIAL = 2,
    LV_KEYBOARD_MODE_NUMBER = 3,
    LV_KEYBOARD_MODE_USER_1 = 4,
    LV_KEYBOARD_MODE_USER_2 = 5,
    LV_KEYBOARD_MODE_USER_3 = 6,
    LV_KEYBOARD_MODE_USER_4 = 7,
} lv_keyboard_mode_t;

extern const lv_obj_class_t lv_keyboard_class;

lv_obj_t * lv_keyboard_create(lv_obj_t * parent);

void lv_keyboard_set_textarea(lv_obj_t * kb, lv_obj_t * ta);
void lv_keyboard_set_mode(lv_obj_t * kb, lv_keyboard_mode_t mode);
void lv_keyboard_set_popovers(lv_obj_t * kb, bool en);
void lv_keyboard_set_map(lv_obj_t * kb, lv_keyboard_mode_t mode, const char * const map[],
                         const lv_buttonmatrix_ctrl_t ctrl_map[]);

lv_obj_t * lv_keyboard_get_textarea(const lv_obj_t * kb);
lv_keyboard_mode_t lv_keyboard_get_mode(const lv_obj_t * kb);
bool lv_keyboard_get_popovers(const lv_obj_t * obj);
const char * const * lv_keyboard_get_map_array(const lv_obj_t * kb);
uint32_t lv_keyboard_get_selected_button(const lv_obj_t * obj);
const char * lv_keyboard_get_button_text(const lv_obj_t * obj, uint32_t btn_id);

void lv_keyboard_def_event_cb(lv_event_t * e);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_KEYBOARD_H*/
