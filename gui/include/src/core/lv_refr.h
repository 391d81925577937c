#ifndef LV_REFR_H
#define LV_REFR_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_timer.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Steps the animations, then refreshes disp (NULL: every display) at once. */
void lv_refr_now(lv_display_t * disp);
/** The refresh timer's routine. */
void lv_display_refr_timer(lv_timer_t * timer);

#ifdef __cplusplus
}
#endif

#endif /* LV_REFR_H */
