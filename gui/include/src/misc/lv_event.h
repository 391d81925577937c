#ifndef LV_EVENT_H
#define LV_EVENT_H

#include "../lv_conf_internal.h"
#include "lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*lv_event_cb_t)(lv_event_t * e);

typedef enum {
    LV_EVENT_ALL = 0,
    LV_EVENT_PRESSED = 1,
    LV_EVENT_PRESSING = 2,
    LV_EVENT_PRESS_LOST = 3,
    LV_EVENT_SHORT_CLICKED = 4,
    LV_EVENT_SINGLE_CLICKED = 5,
    LV_EVENT_DOUBLE_CLICKED = 6,
    LV_EVENT_TRIPLE_CLICKED = 7,
    LV_EVENT_LONG_PRESSED = 8,
    LV_EVENT_LONG_PRESSED_REPEAT = 9,
    LV_EVENT_CLICKED = 10,
    LV_EVENT_RELEASED = 11,
    LV_EVENT_SCROLL_BEGIN = 12,
    LV_EVENT_SCROLL_THROW_BEGIN = 13,
    LV_EVENT_SCROLL_END = 14,
    LV_EVENT_SCROLL = 15,
    LV_EVENT_GESTURE = 16,
    LV_EVENT_KEY = 17,
    LV_EVENT_ROTARY = 18,
    LV_EVENT_FOCUSED = 19,
    LV_EVENT_DEFOCUSED = 20,
    LV_EVENT_LEAVE = 21,
    LV_EVENT_HIT_TEST = 22,
    LV_EVENT_INDEV_RESET = 23,
    LV_EVENT_HOVER_OVER = 24,
    LV_EVENT_HOVER_LEAVE = 25,
    LV_EVENT_COVER_CHECK = 26,
    LV_EVENT_REFR_EXT_DRAW_SIZE = 27,
    LV_EVENT_DRAW_MAIN_BEGIN = 28,
    LV_EVENT_DRAW_MAIN = 29,
    LV_EVENT_DRAW_MAIN_END = 30,
    LV_EVENT_DRAW_POST_BEGIN = 31,
    LV_EVENT_DRAW_POST = 32,
    LV_EVENT_DRAW_POST_END = 33,
    LV_EVENT_DRAW_TASK_ADDED = 34,
    LV_EVENT_VALUE_CHANGED = 35,
    LV_EVENT_INSERT = 36,
    LV_EVENT_REFRESH = 37,
    LV_EVENT_READY = 38,
    LV_EVENT_CANCEL = 39,
    LV_EVENT_CREATE = 40,
    LV_EVENT_DELETE = 41,
    LV_EVENT_CHILD_CHANGED = 42,
    LV_EVENT_CHILD_CREATED = 43,
    LV_EVENT_CHILD_DELETED = 44,
    LV_EVENT_SCREEN_UNLOAD_START = 45,
    LV_EVENT_SCREEN_LOAD_START = 46,
    LV_EVENT_SCREEN_LOADED = 47,
    LV_EVENT_SCREEN_UNLOADED = 48,
    LV_EVENT_SIZE_CHANGED = 49,
    LV_EVENT_STYLE_CHANGED = 50,
    LV_EVENT_LAYOUT_CHANGED = 51,
    LV_EVENT_GET_SELF_SIZE = 52,
    LV_EVENT_INVALIDATE_AREA = 53,
    LV_EVENT_RESOLUTION_CHANGED = 54,
    LV_EVENT_COLOR_FORMAT_CHANGED = 55,
    LV_EVENT_REFR_REQUEST = 56,
    LV_EVENT_REFR_START = 57,
    LV_EVENT_REFR_READY = 58,
    LV_EVENT_RENDER_START = 59,
    LV_EVENT_RENDER_READY = 60,
    LV_EVENT_FLUSH_START = 61,
    LV_EVENT_FLUSH_FINISH = 62,
    LV_EVENT_FLUSH_WAIT_START = 63,
    LV_EVENT_FLUSH_WAIT_FINISH = 64,
    LV_EVENT_VSYNC = 65, /* unlike LVGL 9.4, never sent: no display reports its vsync */
    LV_EVENT_VSYNC_REQUEST = 66,
    LV_EVENT_LAST = 67,
    LV_EVENT_PREPROCESS = 0x8000,
    LV_EVENT_MARKED_DELETING = 0x10000,
} lv_event_code_t;

void * lv_event_get_target(lv_event_t * e);
void * lv_event_get_current_target(lv_event_t * e);
lv_event_code_t lv_event_get_code(lv_event_t * e);
void * lv_event_get_param(lv_event_t * e);
void * lv_event_get_user_data(lv_event_t * e);
void lv_event_stop_bubbling(lv_event_t * e);
void lv_event_stop_trickling(lv_event_t * e);
void lv_event_stop_processing(lv_event_t * e);
/** Allocates a new custom event code. */
uint32_t lv_event_register_id(void);
const char * lv_event_code_get_name(lv_event_code_t code);
lv_event_cb_t lv_event_dsc_get_cb(lv_event_dsc_t * dsc);
void * lv_event_dsc_get_user_data(lv_event_dsc_t * dsc);

#ifdef __cplusplus
}
#endif

#endif /* LV_EVENT_H */
