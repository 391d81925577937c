#ifndef LV_ASYNC_H
#define LV_ASYNC_H

#include "../lv_conf_internal.h"
#include "lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*lv_async_cb_t)(void *);

/** Calls async_xcb(user_data) once from the next timer-handler run. */
lv_result_t lv_async_call(lv_async_cb_t async_xcb, void * user_data);
lv_result_t lv_async_call_cancel(lv_async_cb_t async_xcb, void * user_data);

#ifdef __cplusplus
}
#endif

#endif /* LV_ASYNC_H */
