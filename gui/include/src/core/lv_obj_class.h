#ifndef LV_OBJ_CLASS_H
#define LV_OBJ_CLASS_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_OBJ_CLASS_EDITABLE_INHERIT,
    LV_OBJ_CLASS_EDITABLE_TRUE,
    LV_OBJ_CLASS_EDITABLE_FALSE,
} lv_obj_class_editable_t;

typedef enum {
    LV_OBJ_CLASS_GROUP_DEF_INHERIT,
    LV_OBJ_CLASS_GROUP_DEF_TRUE,
    LV_OBJ_CLASS_GROUP_DEF_FALSE,
} lv_obj_class_group_def_t;

typedef enum {
    LV_OBJ_CLASS_THEME_INHERITABLE_FALSE,
    LV_OBJ_CLASS_THEME_INHERITABLE_TRUE,
} lv_obj_class_theme_inheritable_t;

/** Creation step 1: allocates an object of the class under parent. */
lv_obj_t * lv_obj_class_create_obj(const lv_obj_class_t * class_p, lv_obj_t * parent);
/** Creation step 2: theme, constructors, default group, the parent's child events. */
void lv_obj_class_init_obj(lv_obj_t * obj);
bool lv_obj_is_editable(lv_obj_t * obj);
bool lv_obj_is_group_def(lv_obj_t * obj);

#ifdef __cplusplus
}
#endif

#endif /* LV_OBJ_CLASS_H */
