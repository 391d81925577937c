/**
 * @file lv_types.h
 * Basic integer types, results and forward declarations of the library's handles.
 */
#ifndef LV_TYPES_H
#define LV_TYPES_H

#include "../lv_conf_internal.h"

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/** Result of an operation that may delete the object or fail. */
typedef enum {
    LV_RESULT_INVALID = 0, /**< the object was deleted during the call, or the operation failed */
    LV_RESULT_OK = 1,
} lv_result_t;

typedef uintptr_t lv_uintptr_t;
typedef intptr_t lv_intptr_t;

typedef uint8_t lv_opa_t;
typedef uint8_t lv_style_prop_t;
typedef uint32_t lv_style_selector_t;
typedef uint32_t lv_prop_id_t;
typedef int32_t lv_value_precise_t;
typedef int8_t lv_log_level_t;

#ifndef LV_UNUSED
#define LV_UNUSED(x) ((void)(x))
#endif

#define _LV_CONCAT(x, y) x##y
#define LV_CONCAT(x, y) _LV_CONCAT(x, y)
#define _LV_CONCAT3(x, y, z) x##y##z
#define LV_CONCAT3(x, y, z) _LV_CONCAT3(x, y, z)

#if defined(__GNUC__) || defined(__clang__)
#define LV_FORMAT_ATTRIBUTE(fmtstr, vararg) __attribute__((format(printf, fmtstr, vararg)))
#else
#define LV_FORMAT_ATTRIBUTE(fmtstr, vararg)
#endif

/* Handles whose layout is private to the library. */
typedef struct _lv_obj_t lv_obj_t;
typedef struct _lv_obj_class_t lv_obj_class_t;
typedef struct _lv_display_t lv_display_t;
typedef struct _lv_indev_t lv_indev_t;
typedef struct _lv_group_t lv_group_t;
typedef struct _lv_timer_t lv_timer_t;
typedef struct _lv_event_t lv_event_t;
typedef struct _lv_event_dsc_t lv_event_dsc_t;
typedef struct _lv_theme_t lv_theme_t;
typedef struct _lv_layer_t lv_layer_t;
typedef struct _lv_font_class_t lv_font_class_t;
typedef struct _lv_image_decoder_t lv_image_decoder_t;
typedef struct _lv_cache_entry_t lv_cache_entry_t;
typedef struct _lv_draw_buf_handlers_t lv_draw_buf_handlers_t;
typedef struct _lv_draw_task_t lv_draw_task_t;

typedef struct _lv_label_t lv_label_t;
typedef struct _lv_image_t lv_image_t;
typedef struct _lv_arc_t lv_arc_t;
typedef struct _lv_bar_t lv_bar_t;
typedef struct _lv_button_t lv_button_t;
typedef struct _lv_checkbox_t lv_checkbox_t;
typedef struct _lv_textarea_t lv_textarea_t;
typedef struct _lv_keyboard_t lv_keyboard_t;
typedef struct _lv_msgbox_t lv_msgbox_t;
typedef struct _lv_buttonmatrix_t lv_buttonmatrix_t;
typedef struct _lv_list_t lv_list_t;

/* Public structs, defined in their own headers (callers allocate or define them). */
typedef struct _lv_anim_t lv_anim_t;
typedef struct _lv_font_t lv_font_t;
typedef struct _lv_draw_buf_t lv_draw_buf_t;
typedef struct _lv_image_dsc_t lv_image_dsc_t;

/** Factory for a screen. */
typedef lv_obj_t * (*lv_screen_create_cb_t)(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* LV_TYPES_H */
