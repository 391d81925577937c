/**
 * @file lv_button.h
 * Push button: a content-sized, non-scrollable container for a label or icon.
 */
#ifndef LV_BUTTON_H
#define LV_BUTTON_H

#ifdef __cplusplus
extern "C" {
#endif

#include "../../core/lv_obj.h"

extern const lv_obj_class_t lv_button_class;

lv_obj_t * lv_button_create(lv_obj_t * parent);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_BUTTON_H*/
