#ifndef LV_OBJ_SCROLL_H
#define LV_OBJ_SCROLL_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_area.h"
#include "../misc/lv_anim.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_SCROLLBAR_MODE_OFF,
    LV_SCROLLBAR_MODE_ON,
    LV_SCROLLBAR_MODE_ACTIVE,
    LV_SCROLLBAR_MODE_AUTO,
} lv_scrollbar_mode_t;

typedef enum {
    LV_SCROLL_SNAP_NONE,
    LV_SCROLL_SNAP_START,
    LV_SCROLL_SNAP_END,
    LV_SCROLL_SNAP_CENTER,
} lv_scroll_snap_t;

void lv_obj_set_scrollbar_mode(lv_obj_t * obj, lv_scrollbar_mode_t mode);
void lv_obj_set_scroll_dir(lv_obj_t * obj, lv_dir_t dir);
void lv_obj_set_scroll_snap_x(lv_obj_t * obj, lv_scroll_snap_t align);
void lv_obj_set_scroll_snap_y(lv_obj_t * obj, lv_scroll_snap_t align);
lv_scrollbar_mode_t lv_obj_get_scrollbar_mode(const lv_obj_t * obj);
lv_dir_t lv_obj_get_scroll_dir(const lv_obj_t * obj);
lv_scroll_snap_t lv_obj_get_scroll_snap_x(const lv_obj_t * obj);
lv_scroll_snap_t lv_obj_get_scroll_snap_y(const lv_obj_t * obj);
int32_t lv_obj_get_scroll_x(const lv_obj_t * obj);
int32_t lv_obj_get_scroll_y(const lv_obj_t * obj);
int32_t lv_obj_get_scroll_top(const lv_obj_t * obj);
int32_t lv_obj_get_scroll_bottom(const lv_obj_t * obj);
int32_t lv_obj_get_scroll_left(const lv_obj_t * obj);
int32_t lv_obj_get_scroll_right(const lv_obj_t * obj);
void lv_obj_get_scroll_end(lv_obj_t * obj, lv_point_t * end);
void lv_obj_scroll_by(lv_obj_t * obj, int32_t dx, int32_t dy, lv_anim_enable_t anim_en);
void lv_obj_scroll_by_bounded(lv_obj_t * obj, int32_t dx, int32_t dy, lv_anim_enable_t anim_en);
void lv_obj_scroll_to(lv_obj_t * obj, int32_t x, int32_t y, lv_anim_enable_t anim_en);
void lv_obj_scroll_to_x(lv_obj_t * obj, int32_t x, lv_anim_enable_t anim_en);
void lv_obj_scroll_to_y(lv_obj_t * obj, int32_t y, lv_anim_enable_t anim_en);
void lv_obj_scroll_to_view(lv_obj_t * obj, lv_anim_enable_t anim_en);
void lv_obj_scroll_to_view_recursive(lv_obj_t * obj, lv_anim_enable_t anim_en);
bool lv_obj_is_scrolling(const lv_obj_t * obj);
void lv_obj_stop_scroll_anim(const lv_obj_t * obj);
void lv_obj_update_snap(lv_obj_t * obj, lv_anim_enable_t anim_en);
void lv_obj_get_scrollbar_area(lv_obj_t * obj, lv_area_t * hor, lv_area_t * ver);
void lv_obj_scrollbar_invalidate(lv_obj_t * obj);
void lv_obj_readjust_scroll(lv_obj_t * obj, lv_anim_enable_t anim_en);

#ifdef __cplusplus
}
#endif

#endif /* LV_OBJ_SCROLL_H */
