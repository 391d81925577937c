#ifndef LV_BIDI_H
#define LV_BIDI_H

#include "../lv_conf_internal.h"
#include "lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Unlike LVGL 9.4, everything is laid out left to right: LV_BASE_DIR_RTL
 * only reverses a horizontal bar (no bidirectional text, no mirrored flex
 * rows or widgets). */
typedef enum {
    LV_BASE_DIR_LTR = 0x00,
    LV_BASE_DIR_RTL = 0x01,
    LV_BASE_DIR_AUTO = 0x02,
    LV_BASE_DIR_NEUTRAL = 0x20,
    LV_BASE_DIR_WEAK = 0x21,
} lv_base_dir_t;

#ifdef __cplusplus
}
#endif

#endif /* LV_BIDI_H */
