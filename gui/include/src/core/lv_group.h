#ifndef LV_GROUP_H
#define LV_GROUP_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_KEY_UP = 17,
    LV_KEY_DOWN = 18,
    LV_KEY_RIGHT = 19,
    LV_KEY_LEFT = 20,
    LV_KEY_ESC = 27,
    LV_KEY_DEL = 127,
    LV_KEY_BACKSPACE = 8,
    LV_KEY_ENTER = 10,
    LV_KEY_NEXT = 9,
    LV_KEY_PREV = 11,
    LV_KEY_HOME = 2,
    LV_KEY_END = 3,
} lv_key_t;

typedef enum {
    LV_GROUP_REFOCUS_POLICY_NEXT = 0,
    LV_GROUP_REFOCUS_POLICY_PREV = 1,
} lv_group_refocus_policy_t;

typedef void (*lv_group_focus_cb_t)(lv_group_t *);
typedef void (*lv_group_edge_cb_t)(lv_group_t *, bool);

lv_group_t * lv_group_create(void);
void lv_group_delete(lv_group_t * group);
void lv_group_set_default(lv_group_t * group);
lv_group_t * lv_group_get_default(void);
/** Appends obj (it leaves its previous group); the first object added gets the focus. */
void lv_group_add_obj(lv_group_t * group, lv_obj_t * obj);
void lv_group_swap_obj(lv_obj_t * obj1, lv_obj_t * obj2);
void lv_group_remove_obj(lv_obj_t * obj);
void lv_group_remove_all_objs(lv_group_t * group);
void lv_group_focus_obj(lv_obj_t * obj);
void lv_group_focus_next(lv_group_t * group);
void lv_group_focus_prev(lv_group_t * group);
void lv_group_focus_freeze(lv_group_t * group, bool en);
lv_result_t lv_group_send_data(lv_group_t * group, uint32_t c);
void lv_group_set_focus_cb(lv_group_t * group, lv_group_focus_cb_t focus_cb);
void lv_group_set_edge_cb(lv_group_t * group, lv_group_edge_cb_t edge_cb);
void lv_group_set_refocus_policy(lv_group_t * group, lv_group_refocus_policy_t policy);
void lv_group_set_editing(lv_group_t * group, bool edit);
void lv_group_set_wrap(lv_group_t * group, bool en);
lv_obj_t * lv_group_get_focused(const lv_group_t * group);
bool lv_group_get_editing(const lv_group_t * group);
bool lv_group_get_wrap(lv_group_t * group);
uint32_t lv_group_get_obj_count(lv_group_t * group);
lv_obj_t * lv_group_get_obj_by_index(lv_group_t * group, uint32_t index);
uint32_t lv_group_get_count(void);
lv_group_t * lv_group_by_index(uint32_t index);

#ifdef __cplusplus
}
#endif

#endif /* LV_GROUP_H */
