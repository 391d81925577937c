#ifndef LV_DISPLAY_H
#define LV_DISPLAY_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_area.h"
#include "../misc/lv_color.h"
#include "../misc/lv_event.h"
#include "../misc/lv_timer.h"
#include "../misc/lv_math.h"
#include "../draw/lv_draw_buf.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_DISPLAY_ROTATION_0 = 0,
    LV_DISPLAY_ROTATION_90,
    LV_DISPLAY_ROTATION_180,
    LV_DISPLAY_ROTATION_270,
} lv_display_rotation_t;

typedef enum {
    LV_DISPLAY_RENDER_MODE_PARTIAL,
    LV_DISPLAY_RENDER_MODE_DIRECT,
    LV_DISPLAY_RENDER_MODE_FULL,
} lv_display_render_mode_t;

typedef enum {
    LV_SCREEN_LOAD_ANIM_NONE,
    LV_SCREEN_LOAD_ANIM_OVER_LEFT,
    LV_SCREEN_LOAD_ANIM_OVER_RIGHT,
    LV_SCREEN_LOAD_ANIM_OVER_TOP,
    LV_SCREEN_LOAD_ANIM_OVER_BOTTOM,
    LV_SCREEN_LOAD_ANIM_MOVE_LEFT,
    LV_SCREEN_LOAD_ANIM_MOVE_RIGHT,
    LV_SCREEN_LOAD_ANIM_MOVE_TOP,
    LV_SCREEN_LOAD_ANIM_MOVE_BOTTOM,
    LV_SCREEN_LOAD_ANIM_FADE_IN,
    LV_SCREEN_LOAD_ANIM_FADE_ON = LV_SCREEN_LOAD_ANIM_FADE_IN,
    LV_SCREEN_LOAD_ANIM_FADE_OUT,
    LV_SCREEN_LOAD_ANIM_OUT_LEFT,
    LV_SCREEN_LOAD_ANIM_OUT_RIGHT,
    LV_SCREEN_LOAD_ANIM_OUT_TOP,
    LV_SCREEN_LOAD_ANIM_OUT_BOTTOM,
} lv_screen_load_anim_t;

/** Copies the rendered pixels of area to the panel; must end with lv_display_flush_ready. */
typedef void (*lv_display_flush_cb_t)(lv_display_t * disp, const lv_area_t * area, uint8_t * px_map);
typedef void (*lv_display_flush_wait_cb_t)(lv_display_t * disp);

lv_display_t * lv_display_create(int32_t hor_res, int32_t ver_res);
void lv_display_delete(lv_display_t * disp);
void lv_display_set_default(lv_display_t * disp);
lv_display_t * lv_display_get_default(void);
lv_display_t * lv_display_get_next(lv_display_t * disp);
void lv_display_set_resolution(lv_display_t * disp, int32_t hor_res, int32_t ver_res);
void lv_display_set_physical_resolution(lv_display_t * disp, int32_t hor_res, int32_t ver_res);
void lv_display_set_offset(lv_display_t * disp, int32_t x, int32_t y);
void lv_display_set_rotation(lv_display_t * disp, lv_display_rotation_t rotation);
void lv_display_set_dpi(lv_display_t * disp, int32_t dpi);
int32_t lv_display_get_horizontal_resolution(const lv_display_t * disp);
int32_t lv_display_get_vertical_resolution(const lv_display_t * disp);
int32_t lv_display_get_original_horizontal_resolution(const lv_display_t * disp);
int32_t lv_display_get_original_vertical_resolution(const lv_display_t * disp);
int32_t lv_display_get_physical_horizontal_resolution(const lv_display_t * disp);
int32_t lv_display_get_physical_vertical_resolution(const lv_display_t * disp);
int32_t lv_display_get_offset_x(const lv_display_t * disp);
int32_t lv_display_get_offset_y(const lv_display_t * disp);
lv_display_rotation_t lv_display_get_rotation(lv_display_t * disp);
int32_t lv_display_get_dpi(const lv_display_t * disp);

void lv_display_set_buffers(lv_display_t * disp, void * buf1, void * buf2, uint32_t buf_size,
                            lv_display_render_mode_t render_mode);
void lv_display_set_buffers_with_stride(lv_display_t * disp, void * buf1, void * buf2, uint32_t buf_size,
                                        uint32_t stride, lv_display_render_mode_t render_mode);
void lv_display_set_draw_buffers(lv_display_t * disp, lv_draw_buf_t * buf1, lv_draw_buf_t * buf2);
void lv_display_set_render_mode(lv_display_t * disp, lv_display_render_mode_t render_mode);
void lv_display_set_flush_cb(lv_display_t * disp, lv_display_flush_cb_t flush_cb);
void lv_display_set_flush_wait_cb(lv_display_t * disp, lv_display_flush_wait_cb_t wait_cb);
/**
 * Unlike LVGL 9.4, pixels are drawn as 32 bits whatever the format: ARGB8888
 * keeps their alpha, any other format gets XRGB8888.
 */
void lv_display_set_color_format(lv_display_t * disp, lv_color_format_t color_format);
lv_color_format_t lv_display_get_color_format(lv_display_t * disp);
void lv_display_set_antialiasing(lv_display_t * disp, bool en);
bool lv_display_get_antialiasing(lv_display_t * disp);
LV_ATTRIBUTE_FLUSH_READY void lv_display_flush_ready(lv_display_t * disp);
LV_ATTRIBUTE_FLUSH_READY bool lv_display_flush_is_last(lv_display_t * disp);
bool lv_display_is_double_buffered(lv_display_t * disp);

lv_obj_t * lv_display_get_screen_active(lv_display_t * disp);
lv_obj_t * lv_display_get_screen_prev(lv_display_t * disp);
lv_obj_t * lv_display_get_screen_loading(lv_display_t * disp);
lv_obj_t * lv_display_get_layer_top(lv_display_t * disp);
lv_obj_t * lv_display_get_layer_sys(lv_display_t * disp);
lv_obj_t * lv_display_get_layer_bottom(lv_display_t * disp);
void lv_screen_load(struct _lv_obj_t * scr);
/** Switches to scr after delay ms with a transition of time ms; auto_del deletes the old screen. */
void lv_screen_load_anim(lv_obj_t * scr, lv_screen_load_anim_t anim_type, uint32_t time, uint32_t delay, bool auto_del);
lv_obj_t * lv_screen_active(void);
lv_obj_t * lv_layer_top(void);
lv_obj_t * lv_layer_sys(void);
lv_obj_t * lv_layer_bottom(void);

void lv_display_add_event_cb(lv_display_t * disp, lv_event_cb_t event_cb, lv_event_code_t filter, void * user_data);
uint32_t lv_display_get_event_count(lv_display_t * disp);
lv_event_dsc_t * lv_display_get_event_dsc(lv_display_t * disp, uint32_t index);
bool lv_display_delete_event(lv_display_t * disp, uint32_t index);
uint32_t lv_display_remove_event_cb_with_user_data(lv_display_t * disp, lv_event_cb_t event_cb, void * user_data);
lv_result_t lv_display_send_event(lv_display_t * disp, lv_event_code_t code, void * param);

void lv_display_set_theme(lv_display_t * disp, lv_theme_t * th);
lv_theme_t * lv_display_get_theme(lv_display_t * disp);
uint32_t lv_display_get_inactive_time(const lv_display_t * disp);
void lv_display_trigger_activity(lv_display_t * disp);
void lv_display_enable_invalidation(lv_display_t * disp, bool en);
bool lv_display_is_invalidation_enabled(lv_display_t * disp);
lv_timer_t * lv_display_get_refr_timer(lv_display_t * disp);
void lv_display_delete_refr_timer(lv_display_t * disp);
void lv_display_set_user_data(lv_display_t * disp, void * user_data);
void * lv_display_get_user_data(lv_display_t * disp);
void lv_display_set_driver_data(lv_display_t * disp, void * driver_data);
void * lv_display_get_driver_data(lv_display_t * disp);
lv_draw_buf_t * lv_display_get_buf_active(lv_display_t * disp);

int32_t lv_dpx(int32_t n);
int32_t lv_display_dpx(const lv_display_t * disp, int32_t n);

#define LV_HOR_RES lv_display_get_horizontal_resolution(lv_display_get_default())
#define LV_VER_RES lv_display_get_vertical_resolution(lv_display_get_default())
#define LV_DPX_CALC(dpi, n) ((n) == 0 ? 0 : LV_MAX((((dpi) * (n) + 80) / 160), 1))
#define LV_DPX(n) LV_DPX_CALC(lv_display_get_dpi(NULL), n)

#ifdef __cplusplus
}
#endif

#endif /* LV_DISPLAY_H */
