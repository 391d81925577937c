#ifndef LV_TICK_H
#define LV_TICK_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t (*lv_tick_get_cb_t)(void);
typedef void (*lv_delay_cb_t)(uint32_t ms);

/** Adds tick_period ms to the tick counter; safe from another thread. */
LV_ATTRIBUTE_TICK_INC void lv_tick_inc(uint32_t tick_period);
uint32_t lv_tick_get(void);
uint32_t lv_tick_elaps(uint32_t prev_tick);
uint32_t lv_tick_diff(uint32_t tick, uint32_t prev_tick);
void lv_delay_ms(uint32_t ms);
void lv_tick_set_cb(lv_tick_get_cb_t cb);
lv_tick_get_cb_t lv_tick_get_cb(void);
void lv_delay_set_cb(lv_delay_cb_t cb);

#ifdef __cplusplus
}
#endif

#endif /* LV_TICK_H */
