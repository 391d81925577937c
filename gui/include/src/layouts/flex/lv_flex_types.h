/* The flex enumerations, shared by the style properties and the flex layout. */
#ifndef LV_FLEX_TYPES_H
#define LV_FLEX_TYPES_H

#include "../../lv_conf_internal.h"

#ifdef __cplusplus
extern "C" {
#endif

#if LV_USE_FLEX

#define LV_FLEX_COLUMN (1 << 0)
#define LV_FLEX_WRAP (1 << 2)
#define LV_FLEX_REVERSE (1 << 3)

typedef enum {
    LV_FLEX_ALIGN_START,
    LV_FLEX_ALIGN_END,
    LV_FLEX_ALIGN_CENTER,
    LV_FLEX_ALIGN_SPACE_EVENLY,
    LV_FLEX_ALIGN_SPACE_AROUND,
    LV_FLEX_ALIGN_SPACE_BETWEEN,
} lv_flex_align_t;

typedef enum {
    LV_FLEX_FLOW_ROW = 0x00,
    LV_FLEX_FLOW_COLUMN = LV_FLEX_COLUMN,
    LV_FLEX_FLOW_ROW_WRAP = LV_FLEX_FLOW_ROW | LV_FLEX_WRAP,
    LV_FLEX_FLOW_ROW_REVERSE = LV_FLEX_FLOW_ROW | LV_FLEX_REVERSE,
    LV_FLEX_FLOW_ROW_WRAP_REVERSE = LV_FLEX_FLOW_ROW | LV_FLEX_WRAP | LV_FLEX_REVERSE,
    LV_FLEX_FLOW_COLUMN_WRAP = LV_FLEX_FLOW_COLUMN | LV_FLEX_WRAP,
    LV_FLEX_FLOW_COLUMN_REVERSE = LV_FLEX_FLOW_COLUMN | LV_FLEX_REVERSE,
    LV_FLEX_FLOW_COLUMN_WRAP_REVERSE = LV_FLEX_FLOW_COLUMN | LV_FLEX_WRAP | LV_FLEX_REVERSE,
} lv_flex_flow_t;

#endif /* LV_USE_FLEX */

#ifdef __cplusplus
}
#endif

#endif /* LV_FLEX_TYPES_H */
