/**
 * @file lv_msgbox.h
 * Message box: optional header with title and buttons, content, optional footer.
 */
#ifndef LV_MSGBOX_H
#define LV_MSGBOX_H

#ifdef __cplusplus
extern "C" {
#endif

#include "../../core/lv_obj.h"

extern const lv_obj_class_t lv_msgbox_class;
extern const lv_obj_class_t lv_msgbox_header_class;
extern const lv_obj_class_t lv_msgbox_content_class;
extern const lv_obj_class_t lv_msgbox_footer_class;
extern const lv_obj_class_t lv_msgbox_header_button_class;
extern const lv_obj_class_t lv_msgbox_footer_button_class;
extern const lv_obj_class_t lv_msgbox_backdrop_class;

lv_obj_t * lv_msgbox_create(lv_obj_t * parent);
lv_obj_t * lv_msgbox_add_title(lv_obj_t * obj, const char * title);
lv_obj_t * lv_msgbox_add_header_button(lv_obj_t * obj, const void * icon);
lv_obj_t * lv_msgbox_add_text(lv_obj_t * obj, const char * text);
lv_obj_t * lv_msgbox_add_footer_button(lv_obj_t * obj, const char * text);
lv_obj_t * lv_msgbox_add_close_button(lv_obj_t * obj);
lv_obj_t * lv_msgbox_get_header(lv_obj_t * obj);
lv_obj_t * lv_msgbox_get_footer(lv_obj_t * obj);
lv_obj_t * lv_msgbox_get_content(lv_obj_t * obj);
lv_obj_t * lv_msgbox_get_title(lv_obj_t * obj);
void lv_msgbox_close(lv_obj_t * mbox);
void lv_msgbox_close_async(lv_obj_t * mbox);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /*LV_MSGBOX_H*/
