#ifndef LV_TIMER_H
#define LV_TIMER_H

#include "../lv_conf_internal.h"
#include "lv_types.h"
#include "../tick/lv_tick.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LV_NO_TIMER_READY 0xFFFFFFFF

typedef void (*lv_timer_cb_t)(lv_timer_t *);
typedef void (*lv_timer_handler_resume_cb_t)(void * data);

/** Runs every due timer; returns the ms until the next one is due. */
LV_ATTRIBUTE_TIMER_HANDLER uint32_t lv_timer_handler(void);
LV_ATTRIBUTE_TIMER_HANDLER uint32_t lv_timer_handler_run_in_period(uint32_t period);
LV_ATTRIBUTE_TIMER_HANDLER void lv_timer_periodic_handler(void);
void lv_timer_handler_set_resume_cb(lv_timer_handler_resume_cb_t cb, void * data);

lv_timer_t * lv_timer_create_basic(void);
lv_timer_t * lv_timer_create(lv_timer_cb_t timer_xcb, uint32_t period, void * user_data);
void lv_timer_delete(lv_timer_t * timer);
void lv_timer_pause(lv_timer_t * timer);
void lv_timer_resume(lv_timer_t * timer);
void lv_timer_set_cb(lv_timer_t * timer, lv_timer_cb_t timer_cb);
void lv_timer_set_period(lv_timer_t * timer, uint32_t period);
void lv_timer_ready(lv_timer_t * timer);
void lv_timer_set_repeat_count(lv_timer_t * timer, int32_t repeat_count);
void lv_timer_set_auto_delete(lv_timer_t * timer, bool auto_delete);
void lv_timer_set_user_data(lv_timer_t * timer, void * user_data);
void lv_timer_reset(lv_timer_t * timer);
void lv_timer_enable(bool en);
uint32_t lv_timer_get_idle(void);
uint32_t lv_timer_get_time_until_next(void);
lv_timer_t * lv_timer_get_next(lv_timer_t * timer);
void * lv_timer_get_user_data(lv_timer_t * timer);
bool lv_timer_get_paused(lv_timer_t * timer);

#ifdef __cplusplus
}
#endif

#endif /* LV_TIMER_H */
