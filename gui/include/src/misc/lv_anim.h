#ifndef LV_ANIM_H
#define LV_ANIM_H

#include "../lv_conf_internal.h"
#include "lv_types.h"
#include "lv_math.h"
#include "lv_timer.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LV_ANIM_REPEAT_INFINITE 0xFFFFFFFF
#define LV_ANIM_PLAYTIME_INFINITE 0xFFFFFFFF
#define LV_ANIM_PAUSE_FOREVER 0xFFFFFFFF

#define LV_ANIM_OFF false
#define LV_ANIM_ON true
typedef bool lv_anim_enable_t;

typedef int32_t (*lv_anim_path_cb_t)(const lv_anim_t *);
typedef void (*lv_anim_exec_xcb_t)(void *, int32_t);
typedef void (*lv_anim_custom_exec_cb_t)(lv_anim_t *, int32_t);
typedef void (*lv_anim_completed_cb_t)(lv_anim_t *);
typedef void (*lv_anim_start_cb_t)(lv_anim_t *);
typedef int32_t (*lv_anim_get_value_cb_t)(lv_anim_t *);
typedef void (*lv_anim_deleted_cb_t)(lv_anim_t *);

typedef struct {
    int16_t x1;
    int16_t y1;
    int16_t x2;
    int16_t y2;
} lv_anim_bezier3_para_t;

struct _lv_anim_t {
    void * var;
    lv_anim_exec_xcb_t exec_cb;
    lv_anim_custom_exec_cb_t custom_exec_cb;
    lv_anim_start_cb_t start_cb;
    lv_anim_completed_cb_t completed_cb;
    lv_anim_deleted_cb_t deleted_cb;
    lv_anim_get_value_cb_t get_value_cb;
    void * user_data;
    lv_anim_path_cb_t path_cb;
    int32_t start_value;
    int32_t current_value;
    int32_t end_value;
    int32_t duration;
    int32_t act_time;
    uint32_t reverse_delay;
    uint32_t reverse_duration;
    uint32_t repeat_delay;
    uint32_t repeat_cnt;
    union _lv_anim_path_para_t {
        lv_anim_bezier3_para_t bezier3;
    } parameter;
    uint32_t last_timer_run;
    uint32_t pause_time;
    uint32_t pause_duration;
    uint8_t is_paused : 1;
    uint8_t reverse_play_in_progress : 1;
    uint8_t run_round : 1;
    uint8_t start_cb_called : 1;
    uint8_t early_apply : 1;
};

#define LV_ANIM_SET_EASE_IN_SINE(a)                                                                                    \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.12), LV_BEZIER_VAL_FLOAT(0), LV_BEZIER_VAL_FLOAT(0.39),         \
                              LV_BEZIER_VAL_FLOAT(0))
#define LV_ANIM_SET_EASE_OUT_SINE(a)                                                                                   \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.61), LV_BEZIER_VAL_FLOAT(1), LV_BEZIER_VAL_FLOAT(0.88),         \
                              LV_BEZIER_VAL_FLOAT(1))
#define LV_ANIM_SET_EASE_IN_OUT_SINE(a)                                                                                \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.37), LV_BEZIER_VAL_FLOAT(0), LV_BEZIER_VAL_FLOAT(0.63),         \
                              LV_BEZIER_VAL_FLOAT(1))
#define LV_ANIM_SET_EASE_IN_QUAD(a)                                                                                    \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.11), LV_BEZIER_VAL_FLOAT(0), LV_BEZIER_VAL_FLOAT(0.5),          \
                              LV_BEZIER_VAL_FLOAT(0))
#define LV_ANIM_SET_EASE_OUT_QUAD(a)                                                                                   \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.5), LV_BEZIER_VAL_FLOAT(1), LV_BEZIER_VAL_FLOAT(0.89),          \
                              LV_BEZIER_VAL_FLOAT(1))
#define LV_ANIM_SET_EASE_IN_OUT_QUAD(a)                                                                                \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.45), LV_BEZIER_VAL_FLOAT(0), LV_BEZIER_VAL_FLOAT(0.55),         \
                              LV_BEZIER_VAL_FLOAT(1))
#define LV_ANIM_SET_EASE_IN_CUBIC(a)                                                                                   \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.32), LV_BEZIER_VAL_FLOAT(0), LV_BEZIER_VAL_FLOAT(0.67),         \
                              LV_BEZIER_VAL_FLOAT(0))
#define LV_ANIM_SET_EASE_OUT_CUBIC(a)                                                                                  \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.33), LV_BEZIER_VAL_FLOAT(1), LV_BEZIER_VAL_FLOAT(0.68),         \
                              LV_BEZIER_VAL_FLOAT(1))
#define LV_ANIM_SET_EASE_IN_OUT_CUBIC(a)                                                                               \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.65), LV_BEZIER_VAL_FLOAT(0), LV_BEZIER_VAL_FLOAT(0.35),         \
                              LV_BEZIER_VAL_FLOAT(1))
#define LV_ANIM_SET_EASE_IN_BACK(a)                                                                                    \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.36), LV_BEZIER_VAL_FLOAT(0), LV_BEZIER_VAL_FLOAT(0.66),         \
                              LV_BEZIER_VAL_FLOAT(-0.56))
#define LV_ANIM_SET_EASE_OUT_BACK(a)                                                                                   \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.34), LV_BEZIER_VAL_FLOAT(1.56), LV_BEZIER_VAL_FLOAT(0.64),      \
                              LV_BEZIER_VAL_FLOAT(1))
#define LV_ANIM_SET_EASE_IN_OUT_BACK(a)                                                                                \
    lv_anim_set_bezier3_param(a, LV_BEZIER_VAL_FLOAT(0.68), LV_BEZIER_VAL_FLOAT(-0.6), LV_BEZIER_VAL_FLOAT(0.32),      \
                              LV_BEZIER_VAL_FLOAT(1.6))

void lv_anim_init(lv_anim_t * a);
void lv_anim_set_var(lv_anim_t * a, void * var);
void lv_anim_set_exec_cb(lv_anim_t * a, lv_anim_exec_xcb_t exec_cb);
void lv_anim_set_duration(lv_anim_t * a, uint32_t duration);
void lv_anim_set_delay(lv_anim_t * a, uint32_t delay);
void lv_anim_set_values(lv_anim_t * a, int32_t start, int32_t end);
void lv_anim_set_custom_exec_cb(lv_anim_t * a, lv_anim_custom_exec_cb_t exec_cb);
void lv_anim_set_path_cb(lv_anim_t * a, lv_anim_path_cb_t path_cb);
void lv_anim_set_start_cb(lv_anim_t * a, lv_anim_start_cb_t start_cb);
void lv_anim_set_get_value_cb(lv_anim_t * a, lv_anim_get_value_cb_t get_value_cb);
void lv_anim_set_completed_cb(lv_anim_t * a, lv_anim_completed_cb_t completed_cb);
void lv_anim_set_deleted_cb(lv_anim_t * a, lv_anim_deleted_cb_t deleted_cb);
void lv_anim_set_reverse_duration(lv_anim_t * a, uint32_t duration);
void lv_anim_set_reverse_time(lv_anim_t * a, uint32_t duration);
void lv_anim_set_reverse_delay(lv_anim_t * a, uint32_t delay);
void lv_anim_set_repeat_count(lv_anim_t * a, uint32_t cnt);
void lv_anim_set_repeat_delay(lv_anim_t * a, uint32_t delay);
void lv_anim_set_early_apply(lv_anim_t * a, bool en);
void lv_anim_set_user_data(lv_anim_t * a, void * user_data);
void lv_anim_set_bezier3_param(lv_anim_t * a, int16_t x1, int16_t y1, int16_t x2, int16_t y2);

/* Unlike LVGL 9.4, no animation timelines (lv_anim_timeline_*). */

/** Copies *a into the running list and returns the copy (NULL when out of memory). */
lv_anim_t * lv_anim_start(const lv_anim_t * a);
void lv_anim_pause(lv_anim_t * a);
void lv_anim_pause_for(lv_anim_t * a, uint32_t ms);
void lv_anim_resume(lv_anim_t * a);
bool lv_anim_is_paused(lv_anim_t * a);
uint32_t lv_anim_get_delay(const lv_anim_t * a);
uint32_t lv_anim_get_playtime(const lv_anim_t * a);
uint32_t lv_anim_get_time(const lv_anim_t * a);
uint32_t lv_anim_get_repeat_count(const lv_anim_t * a);
void * lv_anim_get_user_data(const lv_anim_t * a);

/** Deletes every animation matching var and exec_cb (NULL matches any); true if one was deleted. */
bool lv_anim_delete(void * var, lv_anim_exec_xcb_t exec_cb);
void lv_anim_delete_all(void);
lv_anim_t * lv_anim_get(void * var, lv_anim_exec_xcb_t exec_cb);
lv_timer_t * lv_anim_get_timer(void);
bool lv_anim_custom_delete(lv_anim_t * a, lv_anim_custom_exec_cb_t exec_cb);
lv_anim_t * lv_anim_custom_get(lv_anim_t * a, lv_anim_custom_exec_cb_t exec_cb);
uint16_t lv_anim_count_running(void);
uint32_t lv_anim_speed(uint32_t speed);
uint32_t lv_anim_speed_clamped(uint32_t speed, uint32_t min_time, uint32_t max_time);
uint32_t lv_anim_resolve_speed(uint32_t speed, int32_t start, int32_t end);
uint32_t lv_anim_speed_to_time(uint32_t speed, int32_t start, int32_t end);
void lv_anim_refr_now(void);

int32_t lv_anim_path_linear(const lv_anim_t * a);
int32_t lv_anim_path_ease_in(const lv_anim_t * a);
int32_t lv_anim_path_ease_out(const lv_anim_t * a);
int32_t lv_anim_path_ease_in_out(const lv_anim_t * a);
int32_t lv_anim_path_overshoot(const lv_anim_t * a);
int32_t lv_anim_path_bounce(const lv_anim_t * a);
int32_t lv_anim_path_step(const lv_anim_t * a);
int32_t lv_anim_path_custom_bezier3(const lv_anim_t * a);

#ifdef __cplusplus
}
#endif

#endif /* LV_ANIM_H */
