/**
 * @file lv_label.h
 * Text label widget.
 */
#ifndef LV_LABEL_H
#define LV_LABEL_H

#ifdef __cplusplus
extern "C" {
#endif

#include <stdarg.h>
#include "../../core/lv_obj.h"

/* Unlike LVGL 9.4: the text selection is stored but not drawn, `bidi` of
 * lv_label_get_letter_on is ignored (text runs left to right), and a new
 * label's text "Text" is fixed (no LV_LABEL_DEFAULT_TEXT). */

#define LV_LABEL_DOT_NUM 3
#define LV_LABEL_POS_LAST 0xFFFF
#define LV_LABEL_TEXT_SELECTION_OFF 0xFFFF

typedef enum {
    LV_LABEL_LONG_MODE_WRAP = 0,
    LV_LABEL_LONG_MODE_DOTS = 1,
    LV_LABEL_LONG_MODE_SCROLL = 2,
    LV_LABEL_LONG_MODE_SCROLL_CIRCULAR = 3,
    LV_LABEL_LONG_MODE_CLIP = 4,
} lv_label_long_mode_t;

extern const lv_obj_class_t lv_label_class;

lv_obj_t * lv_label_create(lv_obj_t * parent);

void lv_label_set_text(lv_obj_t * obj, const char * text);
void lv_label_set_text_fmt(lv_obj_t * obj, const char * fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
void lv_label_set_text_vfmt(lv_obj_t * obj, const char * fmt, va_list args);
void lv_label_set_text_static(lv_obj_t * obj, const char * text);
void lv_label_set_long_mode(lv_obj_t * obj, lv_label_long_mode_t long_mode);
void lv_label_set_recolor(lv_obj_t * obj, bool en);
void lv_label_set_text_selection_start(lv_obj_t * obj, uint32_t index);
void lv_label_set_text_selection_end(lv_obj_t * obj, uint32_t index);

char * lv_label_get_text(const lv_obj_t * obj);
lv_label_long_mode_t lv_label_get_long_mode(const lv_obj_t * obj);
bool lv_label_get_recolor(const lv_obj_t * obj);
void lv_label_get_letter_pos(const lv_obj_t * obj, uint32_t char_id, lv_point_t * pos);
uint32_t lv_label_get_letter_on(const lv_obj_t * obj, lv_point_t * pos_in, bool bidi);
bool lv_label_is_char_under_pos(const lv_obj_t * obj, lv_point_t * pos);
uint32_t lv_label_get_text_selection_start(const lv_obj_t * obj);
uint32_t lv_label_get_text_selection_end(const lv_obj_t * obj);

void lv_label_ins_text(lv_obj_t * obj, uint32_t pos, const char * txt);
void lv_label_cut_text(lv_obj_t * obj, uint32_t pos, uint32_t cnt);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_LABEL_H*/
