#ifndef LV_OBJ_EVENT_H
#define LV_OBJ_EVENT_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_event.h"
#include "../misc/lv_area.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_COVER_RES_COVER = 0,
    LV_COVER_RES_NOT_COVER = 1,
    LV_COVER_RES_MASKED = 2,
} lv_cover_res_t;

typedef struct {
    const lv_point_t * point;
    bool res;
} lv_hit_test_info_t;

typedef struct {
    lv_cover_res_t res;
    const lv_area_t * area;
} lv_cover_check_info_t;

/** Sends an event now; LV_RESULT_INVALID when obj was deleted meanwhile. */
lv_result_t lv_obj_send_event(lv_obj_t * obj, lv_event_code_t event_code, void * param);
lv_result_t lv_obj_event_base(const lv_obj_class_t * class_p, lv_event_t * e);
lv_event_dsc_t * lv_obj_add_event_cb(lv_obj_t * obj, lv_event_cb_t event_cb, lv_event_code_t filter, void * user_data);
uint32_t lv_obj_get_event_count(lv_obj_t * obj);
lv_event_dsc_t * lv_obj_get_event_dsc(lv_obj_t * obj, uint32_t index);
bool lv_obj_remove_event(lv_obj_t * obj, uint32_t index);
bool lv_obj_remove_event_dsc(lv_obj_t * obj, lv_event_dsc_t * dsc);
uint32_t lv_obj_remove_event_cb(lv_obj_t * obj, lv_event_cb_t event_cb);
uint32_t lv_obj_remove_event_cb_with_user_data(lv_obj_t * obj, lv_event_cb_t event_cb, void * user_data);
lv_obj_t * lv_event_get_current_target_obj(lv_event_t * e);
lv_obj_t * lv_event_get_target_obj(lv_event_t * e);
lv_indev_t * lv_event_get_indev(lv_event_t * e);
lv_layer_t * lv_event_get_layer(lv_event_t * e);
const lv_area_t * lv_event_get_old_size(lv_event_t * e);
uint32_t lv_event_get_key(lv_event_t * e);
int32_t lv_event_get_rotary_diff(lv_event_t * e);
lv_anim_t * lv_event_get_scroll_anim(lv_event_t * e);
void lv_event_set_ext_draw_size(lv_event_t * e, int32_t size);
lv_point_t * lv_event_get_self_size_info(lv_event_t * e);
lv_hit_test_info_t * lv_event_get_hit_test_info(lv_event_t * e);
const lv_area_t * lv_event_get_cover_area(lv_event_t * e);
void lv_event_set_cover_res(lv_event_t * e, lv_cover_res_t res);
lv_draw_task_t * lv_event_get_draw_task(lv_event_t * e);
lv_area_t * lv_event_get_invalidated_area(lv_event_t * e);

#ifdef __cplusplus
}
#endif

#endif /* LV_OBJ_EVENT_H */
