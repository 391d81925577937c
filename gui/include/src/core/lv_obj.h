#ifndef LV_OBJ_H
#define LV_OBJ_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_style.h"
#include "../misc/lv_area.h"
#include "../misc/lv_color.h"
#include "../misc/lv_assert.h"
#include "../misc/lv_event.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_STATE_DEFAULT = 0x0000,
    LV_STATE_CHECKED = 0x0001,
    LV_STATE_FOCUSED = 0x0002,
    LV_STATE_FOCUS_KEY = 0x0004,
    LV_STATE_EDITED = 0x0008,
    LV_STATE_HOVERED = 0x0010,
    LV_STATE_PRESSED = 0x0020,
    LV_STATE_SCROLLED = 0x0040,
    LV_STATE_DISABLED = 0x0080,
    LV_STATE_USER_1 = 0x1000,
    LV_STATE_USER_2 = 0x2000,
    LV_STATE_USER_3 = 0x4000,
    LV_STATE_USER_4 = 0x8000,
    LV_STATE_ANY = 0xFFFF,
} lv_state_t;

typedef enum {
    LV_PART_MAIN = 0x000000,
    LV_PART_SCROLLBAR = 0x010000,
    LV_PART_INDICATOR = 0x020000,
    LV_PART_KNOB = 0x030000,
    LV_PART_SELECTED = 0x040000,
    LV_PART_ITEMS = 0x050000,
    LV_PART_CURSOR = 0x060000,
    LV_PART_CUSTOM_FIRST = 0x080000,
    LV_PART_ANY = 0x0F0000,
} lv_part_t;

typedef enum {
    LV_OBJ_FLAG_HIDDEN = (1L << 0),
    LV_OBJ_FLAG_CLICKABLE = (1L << 1),
    LV_OBJ_FLAG_CLICK_FOCUSABLE = (1L << 2),
    LV_OBJ_FLAG_CHECKABLE = (1L << 3),
    LV_OBJ_FLAG_SCROLLABLE = (1L << 4),
    LV_OBJ_FLAG_SCROLL_ELASTIC = (1L << 5),
    LV_OBJ_FLAG_SCROLL_MOMENTUM = (1L << 6),
    LV_OBJ_FLAG_SCROLL_ONE = (1L << 7),
    LV_OBJ_FLAG_SCROLL_CHAIN_HOR = (1L << 8),
    LV_OBJ_FLAG_SCROLL_CHAIN_VER = (1L << 9),
    LV_OBJ_FLAG_SCROLL_CHAIN = (LV_OBJ_FLAG_SCROLL_CHAIN_HOR | LV_OBJ_FLAG_SCROLL_CHAIN_VER),
    LV_OBJ_FLAG_SCROLL_ON_FOCUS = (1L << 10),
    LV_OBJ_FLAG_SCROLL_WITH_ARROW = (1L << 11),
    LV_OBJ_FLAG_SNAPPABLE = (1L << 12),
    LV_OBJ_FLAG_PRESS_LOCK = (1L << 13),
    LV_OBJ_FLAG_EVENT_BUBBLE = (1L << 14),
    LV_OBJ_FLAG_GESTURE_BUBBLE = (1L << 15),
    LV_OBJ_FLAG_ADV_HITTEST = (1L << 16),
    LV_OBJ_FLAG_IGNORE_LAYOUT = (1L << 17),
    LV_OBJ_FLAG_FLOATING = (1L << 18),
    LV_OBJ_FLAG_SEND_DRAW_TASK_EVENTS = (1L << 19),
    LV_OBJ_FLAG_OVERFLOW_VISIBLE = (1L << 20),
    LV_OBJ_FLAG_EVENT_TRICKLE = (1L << 21),
    LV_OBJ_FLAG_STATE_TRICKLE = (1L << 22),
    LV_OBJ_FLAG_LAYOUT_1 = (1L << 23),
    LV_OBJ_FLAG_LAYOUT_2 = (1L << 24),
#if LV_USE_FLEX
    LV_OBJ_FLAG_FLEX_IN_NEW_TRACK = LV_OBJ_FLAG_LAYOUT_1,
#endif
    LV_OBJ_FLAG_WIDGET_1 = (1L << 25),
    LV_OBJ_FLAG_WIDGET_2 = (1L << 26),
    LV_OBJ_FLAG_USER_1 = (1L << 27),
    LV_OBJ_FLAG_USER_2 = (1L << 28),
    LV_OBJ_FLAG_USER_3 = (1L << 29),
    LV_OBJ_FLAG_USER_4 = (1L << 30),
} lv_obj_flag_t;

#ifdef __cplusplus
}
#endif

#include "lv_obj_class.h"
#include "lv_obj_tree.h"
#include "lv_obj_pos.h"
#include "lv_obj_scroll.h"
#include "lv_obj_style.h"
#include "lv_obj_event.h"
#include "lv_group.h"

#ifdef __cplusplus
extern "C" {
#endif

LV_ATTRIBUTE_EXTERN_DATA extern const lv_obj_class_t lv_obj_class;

/** A plain rectangle; a NULL parent makes a screen on the default display. */
lv_obj_t * lv_obj_create(lv_obj_t * parent);

void lv_obj_add_flag(lv_obj_t * obj, lv_obj_flag_t f);
void lv_obj_remove_flag(lv_obj_t * obj, lv_obj_flag_t f);
void lv_obj_set_flag(lv_obj_t * obj, lv_obj_flag_t f, bool v);
bool lv_obj_has_flag(const lv_obj_t * obj, lv_obj_flag_t f);
bool lv_obj_has_flag_any(const lv_obj_t * obj, lv_obj_flag_t f);

void lv_obj_add_state(lv_obj_t * obj, lv_state_t state);
void lv_obj_remove_state(lv_obj_t * obj, lv_state_t state);
void lv_obj_set_state(lv_obj_t * obj, lv_state_t state, bool v);
lv_state_t lv_obj_get_state(const lv_obj_t * obj);
bool lv_obj_has_state(const lv_obj_t * obj, lv_state_t state);

void lv_obj_set_user_data(lv_obj_t * obj, void * user_data);
void * lv_obj_get_user_data(lv_obj_t * obj);
lv_group_t * lv_obj_get_group(const lv_obj_t * obj);

/** Exactly this class (base classes do not count). */
bool lv_obj_check_type(const lv_obj_t * obj, const lv_obj_class_t * class_p);
/** This class or one of its base classes. */
bool lv_obj_has_class(const lv_obj_t * obj, const lv_obj_class_t * class_p);
const lv_obj_class_t * lv_obj_get_class(const lv_obj_t * obj);
bool lv_obj_is_valid(const lv_obj_t * obj);
void lv_obj_null_on_delete(lv_obj_t ** obj_ptr);

#ifdef __cplusplus
}
#endif

#endif /* LV_OBJ_H */
