#ifndef LV_LAYOUT_H
#define LV_LAYOUT_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "flex/lv_flex.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Unlike LVGL 9.4, there is no grid layout (LV_USE_GRID stays 0). */

typedef void (*lv_layout_update_cb_t)(lv_obj_t *, void * user_data);

typedef enum {
    LV_LAYOUT_NONE = 0,
#if LV_USE_FLEX
    LV_LAYOUT_FLEX,
#endif
#if LV_USE_GRID
    LV_LAYOUT_GRID,
#endif
    LV_LAYOUT_LAST
} lv_layout_t;

/** Adds a custom layout routine; returns its id. */
uint32_t lv_layout_register(lv_layout_update_cb_t cb, void * user_data);

#ifdef __cplusplus
}
#endif

#endif /* LV_LAYOUT_H */
