#ifndef LV_OS_H
#define LV_OS_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/** The library's recursive lock, for calls from threads other than the timer handler's. */
void lv_lock(void);
lv_result_t lv_lock_isr(void);
void lv_unlock(void);
void lv_sleep_ms(uint32_t ms);

#ifdef __cplusplus
}
#endif

#endif /* LV_OS_H */
