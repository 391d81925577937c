#ifndef LV_OBJ_TREE_H
#define LV_OBJ_TREE_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_anim.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_OBJ_TREE_WALK_NEXT,
    LV_OBJ_TREE_WALK_SKIP_CHILDREN,
    LV_OBJ_TREE_WALK_END,
} lv_obj_tree_walk_res_t;

typedef lv_obj_tree_walk_res_t (*lv_obj_tree_walk_cb_t)(lv_obj_t *, void *);

/** Deletes obj and its descendants (obj first, then each child subtree). */
void lv_obj_delete(lv_obj_t * obj);
/** Deletes all children of obj. */
void lv_obj_clean(lv_obj_t * obj);
void lv_obj_delete_delayed(lv_obj_t * obj, uint32_t delay_ms);
void lv_obj_delete_anim_completed_cb(lv_anim_t * a);
/** Deletes obj on the next timer-handler run. */
void lv_obj_delete_async(lv_obj_t * obj);
void lv_obj_set_parent(lv_obj_t * obj, lv_obj_t * parent);
void lv_obj_swap(lv_obj_t * obj1, lv_obj_t * obj2);
/** 0: to the background, -1: to the foreground. */
void lv_obj_move_to_index(lv_obj_t * obj, int32_t index);
lv_obj_t * lv_obj_get_screen(const lv_obj_t * obj);
lv_display_t * lv_obj_get_display(const lv_obj_t * obj);
lv_obj_t * lv_obj_get_parent(const lv_obj_t * obj);
/** Child by index: 0 oldest, -1 newest. */
lv_obj_t * lv_obj_get_child(const lv_obj_t * obj, int32_t idx);
lv_obj_t * lv_obj_get_child_by_type(const lv_obj_t * obj, int32_t idx, const lv_obj_class_t * class_p);
lv_obj_t * lv_obj_get_sibling(const lv_obj_t * obj, int32_t idx);
lv_obj_t * lv_obj_get_sibling_by_type(const lv_obj_t * obj, int32_t idx, const lv_obj_class_t * class_p);
uint32_t lv_obj_get_child_count(const lv_obj_t * obj);
uint32_t lv_obj_get_child_count_by_type(const lv_obj_t * obj, const lv_obj_class_t * class_p);
int32_t lv_obj_get_index(const lv_obj_t * obj);
int32_t lv_obj_get_index_by_type(const lv_obj_t * obj, const lv_obj_class_t * class_p);
void lv_obj_tree_walk(lv_obj_t * start_obj, lv_obj_tree_walk_cb_t cb, void * user_data);

#ifdef __cplusplus
}
#endif

#endif /* LV_OBJ_TREE_H */
