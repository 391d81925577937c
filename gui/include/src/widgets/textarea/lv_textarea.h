/**
 * @file lv_textarea.h
 * Editable text box holding an internal label.
 */
#ifndef LV_TEXTAREA_H
#define LV_TEXTAREA_H

#ifdef __cplusplus
extern "C" {
#endif

#include "../../core/lv_obj.h"
#include "../label/lv_label.h"

/* Unlike LVGL 9.4, text cannot be selected: lv_textarea_set_text_selection
 * is only stored, lv_textarea_text_is_selected is always false and
 * lv_textarea_clear_selection does nothing. */

#define LV_TEXTAREA_CURSOR_LAST (0x7FFF)

/** The placeholder text's own part. */
#define LV_PART_TEXTAREA_PLACEHOLDER LV_PART_CUSTOM_FIRST

extern const lv_obj_class_t lv_textarea_class;

lv_obj_t * lv_textarea_create(lv_obj_t * parent);

void lv_textarea_add_char(lv_obj_t * obj, uint32_t c);
void lv_textarea_add_text(lv_obj_t * obj, const char * txt);
void lv_textarea_delete_char(lv_obj_t * obj);
void lv_textarea_delete_char_forward(lv_obj_t * obj);

void lv_textarea_set_text(lv_obj_t * obj, const char * txt);
void lv_textarea_set_placeholder_text(lv_obj_t * obj, const char * txt);
void lv_textarea_set_cursor_pos(lv_obj_t * obj, int32_t pos);
void lv_textarea_set_cursor_click_pos(lv_obj_t * obj, bool en);
void lv_textarea_set_password_mode(lv_obj_t * obj, bool en);
void lv_textarea_set_password_bullet(lv_obj_t * obj, const char * bullet);
void lv_textarea_set_one_line(lv_obj_t * obj, bool en);
void lv_textarea_set_accepted_chars(lv_obj_t * obj, const char * list);
void lv_textarea_set_max_length(lv_obj_t * obj, uint32_t num);
void lv_textarea_set_insert_replace(lv_obj_t * obj, const char * txt);
void lv_textarea_set_text_selection(lv_obj_t * obj, bool en);
void lv_textarea_set_password_show_time(lv_obj_t * obj, uint32_t time);
void lv_textarea_set_align(lv_obj_t * obj, lv_text_align_t align);

const char * lv_textarea_get_text(const lv_obj_t * obj);
const char * lv_textarea_get_placeholder_text(lv_obj_t * obj);
lv_obj_t * lv_textarea_get_label(const lv_obj_t * obj);
uint32_t lv_textarea_get_cursor_pos(const lv_obj_t * obj);
bool lv_textarea_get_cursor_click_pos(lv_obj_t * obj);
bool lv_textarea_get_password_mode(const lv_obj_t * obj);
const char * lv_textarea_get_password_bullet(lv_obj_t * obj);
bool lv_textarea_get_one_line(const lv_obj_t * obj);
const char * lv_textarea_get_accepted_chars(lv_obj_t * obj);
uint32_t lv_textarea_get_max_length(lv_obj_t * obj);
bool lv_textarea_text_is_selected(const lv_obj_t * obj);
bool lv_textarea_get_text_selection(lv_obj_t * obj);
uint32_t lv_textarea_get_password_show_time(lv_obj_t * obj);
uint32_t lv_textarea_get_current_char(lv_obj_t * obj);

void lv_textarea_clear_selection(lv_obj_t * obj);
void lv_textarea_cursor_right(lv_obj_t * obj);
void lv_textarea_cursor_left(lv_obj_t * obj);
void lv_textarea_cursor_down(lv_obj_t * obj);
void lv_textarea_cursor_up(lv_obj_t * obj);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_TEXTAREA_H*/
