/**
 * @file lv_list.h
 * Scrollable column of section texts and buttons.
 */
#ifndef LV_LIST_H
#define LV_LIST_H

#ifdef __cplusplus
extern "C" {
#endif

#include "../../core/lv_obj.h"

extern const lv_obj_class_t lv_list_class;
extern const lv_obj_class_t lv_list_text_class;
extern const lv_obj_class_t lv_list_button_class;

lv_obj_t * lv_list_create(lv_obj_t * parent);
lv_obj_t * lv_list_add_text(lv_obj_t * list, const char * txt);
lv_obj_t * lv_list_add_button(lv_obj_t * list, const void * icon, const char * txt);
const char * lv_list_get_button_text(lv_obj_t * list, lv_obj_t * btn);
void lv_list_set_button_text(lv_obj_t * list, lv_obj_t * btn, const char * txt);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_LIST_H*/
