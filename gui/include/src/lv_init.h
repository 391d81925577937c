#ifndef LV_INIT_H
#define LV_INIT_H

#include "lv_conf_internal.h"
#include "misc/lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

void lv_init(void);
void lv_deinit(void);
bool lv_is_initialized(void);

#ifdef __cplusplus
}
#endif

#endif /* LV_INIT_H */
