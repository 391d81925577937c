/**
 * The library's global state. Only its first fields are meant for callers:
 * deinit_in_progress tells LV_EVENT_DELETE handlers that lv_deinit is tearing
 * everything down anyway.
 */
#ifndef LV_GLOBAL_H
#define LV_GLOBAL_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _lv_global_t {
    void * user_data;
    bool inited;
    bool deinit_in_progress;
} lv_global_t;

#if LV_ENABLE_GLOBAL_CUSTOM
lv_global_t * lv_global_default(void);
#define LV_GLOBAL_DEFAULT() lv_global_default()
#else
LV_ATTRIBUTE_EXTERN_DATA extern lv_global_t lv_global;
#define LV_GLOBAL_DEFAULT() (&lv_global)
#endif

#ifdef __cplusplus
}
#endif

#endif /* LV_GLOBAL_H */
