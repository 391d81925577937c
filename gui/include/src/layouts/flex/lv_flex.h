#ifndef LV_FLEX_H
#define LV_FLEX_H

#include "../../lv_conf_internal.h"
#include "../../misc/lv_types.h"
#include "lv_flex_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#if LV_USE_FLEX

/** Registers the flex layout (done by lv_init). */
void lv_flex_init(void);
/** Sets the flow and selects the flex layout. */
void lv_obj_set_flex_flow(lv_obj_t * obj, lv_flex_flow_t flow);
void lv_obj_set_flex_align(lv_obj_t * obj, lv_flex_align_t main_place, lv_flex_align_t cross_place,
                           lv_flex_align_t track_cross_place);
/** Share of the free space in the track (0: fixed size). */
void lv_obj_set_flex_grow(lv_obj_t * obj, uint8_t grow);

#endif /* LV_USE_FLEX */

#ifdef __cplusplus
}
#endif

#endif /* LV_FLEX_H */
