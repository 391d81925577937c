/**
 * @file lv_checkbox.h
 * Tick box (indicator part) followed by a text (main part).
 */
#ifndef LV_CHECKBOX_H
#define LV_CHECKBOX_H

#ifdef __cplusplus
extern "C" {
#endif

#include "../../core/lv_obj.h"

extern const lv_obj_class_t lv_checkbox_class;

lv_obj_t * lv_checkbox_create(lv_obj_t * parent);

void lv_checkbox_set_text(lv_obj_t * obj, const char * txt);
void lv_checkbox_set_text_static(lv_obj_t * obj, const char * txt);
const char * lv_checkbox_get_text(const lv_obj_t * obj);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_CHECKBOX_H*/
