#ifndef LV_STYLE_H
#define LV_STYLE_H

#include "../lv_conf_internal.h"
#include "lv_types.h"
#include "lv_color.h"
#include "lv_area.h"
#include "lv_anim.h"
#include "lv_text.h"
#include "lv_bidi.h"
#include "../font/lv_font.h"
#include "../layouts/flex/lv_flex_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Unlike LVGL 9.4, these style properties are stored and read back but not
 * drawn: gradients (bg_grad, bg_grad_dir and the other bg_grad_ and bg_main_
 * ones), blend modes other than LV_BLEND_MODE_NORMAL, skew transforms, line
 * dashes, text outline strokes, the image colour key, bitmap masks and colour
 * filters. Constant styles (LV_STYLE_CONST_INIT), lv_style_merge and custom
 * properties (lv_style_register_prop) are not here. */

#define LV_STYLE_SENTINEL_VALUE 0xAABBCCDD

#define LV_STYLE_PROP_FLAG_NONE (0)
#define LV_STYLE_PROP_FLAG_INHERITABLE (1 << 0)
#define LV_STYLE_PROP_FLAG_EXT_DRAW_UPDATE (1 << 1)
#define LV_STYLE_PROP_FLAG_LAYOUT_UPDATE (1 << 2)
#define LV_STYLE_PROP_FLAG_PARENT_LAYOUT_UPDATE (1 << 3)
#define LV_STYLE_PROP_FLAG_LAYER_UPDATE (1 << 4)
#define LV_STYLE_PROP_FLAG_TRANSFORM (1 << 5)
#define LV_STYLE_PROP_FLAG_ALL (0x3F)

#define LV_SCALE_NONE 256
#ifndef LV_RADIUS_CIRCLE
#define LV_RADIUS_CIRCLE 0x7FFF
#endif

typedef enum {
    LV_BLEND_MODE_NORMAL,
    LV_BLEND_MODE_ADDITIVE,
    LV_BLEND_MODE_SUBTRACTIVE,
    LV_BLEND_MODE_MULTIPLY,
    LV_BLEND_MODE_DIFFERENCE,
} lv_blend_mode_t;

typedef enum {
    LV_TEXT_DECOR_NONE = 0x00,
    LV_TEXT_DECOR_UNDERLINE = 0x01,
    LV_TEXT_DECOR_STRIKETHROUGH = 0x02,
} lv_text_decor_t;

typedef enum {
    LV_BORDER_SIDE_NONE = 0x00,
    LV_BORDER_SIDE_BOTTOM = 0x01,
    LV_BORDER_SIDE_TOP = 0x02,
    LV_BORDER_SIDE_LEFT = 0x04,
    LV_BORDER_SIDE_RIGHT = 0x08,
    LV_BORDER_SIDE_FULL = 0x0F,
    LV_BORDER_SIDE_INTERNAL = 0x10,
} lv_border_side_t;

typedef enum {
    LV_GRAD_DIR_NONE,
    LV_GRAD_DIR_VER,
    LV_GRAD_DIR_HOR,
    LV_GRAD_DIR_LINEAR,
    LV_GRAD_DIR_RADIAL,
    LV_GRAD_DIR_CONICAL,
} lv_grad_dir_t;

/** Gradient descriptor (stored, not drawn: see above). */
typedef struct _lv_grad_dsc_t lv_grad_dsc_t;
typedef struct _lv_color_filter_dsc_t lv_color_filter_dsc_t;

typedef struct {
    lv_color_t low;
    lv_color_t high;
} lv_image_colorkey_t;

typedef union {
    int32_t num;
    const void * ptr;
    lv_color_t color;
} lv_style_value_t;

typedef struct {
    const lv_style_prop_t * props;
    void * user_data;
    lv_anim_path_cb_t path_xcb;
    uint32_t time;
    uint32_t delay;
} lv_style_transition_dsc_t;

typedef enum {
    LV_STYLE_RES_NOT_FOUND,
    LV_STYLE_RES_FOUND,
} lv_style_res_t;

typedef struct {
#if LV_USE_ASSERT_STYLE
    uint32_t sentinel;
#endif
    void * values_and_props;
    uint32_t has_group;
    uint8_t prop_cnt;
} lv_style_t;

typedef enum {
    LV_STYLE_PROP_INV = 0,
    LV_STYLE_WIDTH = 1,
    LV_STYLE_HEIGHT = 2,
    LV_STYLE_LENGTH = 3,
    LV_STYLE_MIN_WIDTH = 4,
    LV_STYLE_MAX_WIDTH = 5,
    LV_STYLE_MIN_HEIGHT = 6,
    LV_STYLE_MAX_HEIGHT = 7,
    LV_STYLE_X = 8,
    LV_STYLE_Y = 9,
    LV_STYLE_ALIGN = 10,
    LV_STYLE_RADIUS = 12,
    LV_STYLE_RADIAL_OFFSET = 13,
    LV_STYLE_PAD_RADIAL = 14,
    LV_STYLE_PAD_TOP = 16,
    LV_STYLE_PAD_BOTTOM = 17,
    LV_STYLE_PAD_LEFT = 18,
    LV_STYLE_PAD_RIGHT = 19,
    LV_STYLE_PAD_ROW = 20,
    LV_STYLE_PAD_COLUMN = 21,
    LV_STYLE_LAYOUT = 22,
    LV_STYLE_MARGIN_TOP = 24,
    LV_STYLE_MARGIN_BOTTOM = 25,
    LV_STYLE_MARGIN_LEFT = 26,
    LV_STYLE_MARGIN_RIGHT = 27,
    LV_STYLE_BG_COLOR = 28,
    LV_STYLE_BG_OPA = 29,
    LV_STYLE_BG_GRAD_DIR = 32,
    LV_STYLE_BG_MAIN_STOP = 33,
    LV_STYLE_BG_GRAD_STOP = 34,
    LV_STYLE_BG_GRAD_COLOR = 35,
    LV_STYLE_BG_MAIN_OPA = 36,
    LV_STYLE_BG_GRAD_OPA = 37,
    LV_STYLE_BG_GRAD = 38,
    LV_STYLE_BASE_DIR = 39,
    LV_STYLE_BG_IMAGE_SRC = 40,
    LV_STYLE_BG_IMAGE_OPA = 41,
    LV_STYLE_BG_IMAGE_RECOLOR = 42,
    LV_STYLE_BG_IMAGE_RECOLOR_OPA = 43,
    LV_STYLE_BG_IMAGE_TILED = 44,
    LV_STYLE_CLIP_CORNER = 45,
    LV_STYLE_BORDER_WIDTH = 48,
    LV_STYLE_BORDER_COLOR = 49,
    LV_STYLE_BORDER_OPA = 50,
    LV_STYLE_BORDER_SIDE = 52,
    LV_STYLE_BORDER_POST = 53,
    LV_STYLE_OUTLINE_WIDTH = 56,
    LV_STYLE_OUTLINE_COLOR = 57,
    LV_STYLE_OUTLINE_OPA = 58,
    LV_STYLE_OUTLINE_PAD = 59,
    LV_STYLE_SHADOW_WIDTH = 60,
    LV_STYLE_SHADOW_COLOR = 61,
    LV_STYLE_SHADOW_OPA = 62,
    LV_STYLE_SHADOW_OFFSET_X = 64,
    LV_STYLE_SHADOW_OFFSET_Y = 65,
    LV_STYLE_SHADOW_SPREAD = 66,
    LV_STYLE_IMAGE_OPA = 68,
    LV_STYLE_IMAGE_RECOLOR = 69,
    LV_STYLE_IMAGE_RECOLOR_OPA = 70,
    LV_STYLE_LINE_WIDTH = 72,
    LV_STYLE_LINE_DASH_WIDTH = 73,
    LV_STYLE_LINE_DASH_GAP = 74,
    LV_STYLE_LINE_ROUNDED = 75,
    LV_STYLE_LINE_COLOR = 76,
    LV_STYLE_LINE_OPA = 77,
    LV_STYLE_ARC_WIDTH = 80,
    LV_STYLE_ARC_ROUNDED = 81,
    LV_STYLE_ARC_COLOR = 82,
    LV_STYLE_ARC_OPA = 83,
    LV_STYLE_ARC_IMAGE_SRC = 84,
    LV_STYLE_TEXT_COLOR = 88,
    LV_STYLE_TEXT_OPA = 89,
    LV_STYLE_TEXT_FONT = 90,
    LV_STYLE_TEXT_LETTER_SPACE = 91,
    LV_STYLE_TEXT_LINE_SPACE = 92,
    LV_STYLE_TEXT_DECOR = 93,
    LV_STYLE_TEXT_ALIGN = 94,
    LV_STYLE_TEXT_OUTLINE_STROKE_WIDTH = 95,
    LV_STYLE_TEXT_OUTLINE_STROKE_OPA = 96,
    LV_STYLE_TEXT_OUTLINE_STROKE_COLOR = 97,
    LV_STYLE_OPA = 98,
    LV_STYLE_OPA_LAYERED = 99,
    LV_STYLE_COLOR_FILTER_DSC = 100,
    LV_STYLE_COLOR_FILTER_OPA = 101,
    LV_STYLE_ANIM = 102,
    LV_STYLE_ANIM_DURATION = 103,
    LV_STYLE_TRANSITION = 104,
    LV_STYLE_BLEND_MODE = 105,
    LV_STYLE_TRANSFORM_WIDTH = 106,
    LV_STYLE_TRANSFORM_HEIGHT = 107,
    LV_STYLE_TRANSLATE_X = 108,
    LV_STYLE_TRANSLATE_Y = 109,
    LV_STYLE_TRANSFORM_SCALE_X = 110,
    LV_STYLE_TRANSFORM_SCALE_Y = 111,
    LV_STYLE_TRANSFORM_ROTATION = 112,
    LV_STYLE_TRANSFORM_PIVOT_X = 113,
    LV_STYLE_TRANSFORM_PIVOT_Y = 114,
    LV_STYLE_TRANSFORM_SKEW_X = 115,
    LV_STYLE_TRANSFORM_SKEW_Y = 116,
    LV_STYLE_BITMAP_MASK_SRC = 117,
    LV_STYLE_ROTARY_SENSITIVITY = 118,
    LV_STYLE_TRANSLATE_RADIAL = 119,
    LV_STYLE_RECOLOR = 120,
    LV_STYLE_RECOLOR_OPA = 121,
    LV_STYLE_FLEX_FLOW = 122,
    LV_STYLE_FLEX_MAIN_PLACE = 123,
    LV_STYLE_FLEX_CROSS_PLACE = 124,
    LV_STYLE_FLEX_TRACK_PLACE = 125,
    LV_STYLE_FLEX_GROW = 126,
    LV_STYLE_GRID_COLUMN_ALIGN = 127,
    LV_STYLE_GRID_ROW_ALIGN = 128,
    LV_STYLE_GRID_ROW_DSC_ARRAY = 129,
    LV_STYLE_GRID_COLUMN_DSC_ARRAY = 130,
    LV_STYLE_GRID_CELL_COLUMN_POS = 131,
    LV_STYLE_GRID_CELL_COLUMN_SPAN = 132,
    LV_STYLE_GRID_CELL_X_ALIGN = 133,
    LV_STYLE_GRID_CELL_ROW_POS = 134,
    LV_STYLE_GRID_CELL_ROW_SPAN = 135,
    LV_STYLE_GRID_CELL_Y_ALIGN = 136,
    LV_STYLE_IMAGE_COLORKEY = 137,
    LV_STYLE_LAST_BUILT_IN_PROP = 138,
    LV_STYLE_NUM_BUILT_IN_PROPS = LV_STYLE_LAST_BUILT_IN_PROP + 1,
    LV_STYLE_PROP_ANY = 0xFF,
    LV_STYLE_PROP_CONST = 0xFF,
} _lv_style_id_t;

void lv_style_init(lv_style_t * style);
void lv_style_reset(lv_style_t * style);
void lv_style_copy(lv_style_t * dst, const lv_style_t * src);
bool lv_style_remove_prop(lv_style_t * style, lv_style_prop_t prop);
void lv_style_set_prop(lv_style_t * style, lv_style_prop_t prop, lv_style_value_t value);
lv_style_res_t lv_style_get_prop(const lv_style_t * style, lv_style_prop_t prop, lv_style_value_t * value);
bool lv_style_is_empty(const lv_style_t * style);
lv_style_value_t lv_style_prop_get_default(lv_style_prop_t prop);
uint8_t lv_style_prop_has_flag(lv_style_prop_t prop, uint8_t flag);
void lv_style_transition_dsc_init(lv_style_transition_dsc_t * tr, const lv_style_prop_t props[],
                                  lv_anim_path_cb_t path_cb, uint32_t time, uint32_t delay, void * user_data);

#include "lv_style_gen.h"

static inline void lv_style_set_size(lv_style_t * style, int32_t width, int32_t height)
{
    lv_style_set_width(style, width);
    lv_style_set_height(style, height);
}

static inline void lv_style_set_pad_all(lv_style_t * style, int32_t value)
{
    lv_style_set_pad_left(style, value);
    lv_style_set_pad_right(style, value);
    lv_style_set_pad_top(style, value);
    lv_style_set_pad_bottom(style, value);
}

static inline void lv_style_set_pad_hor(lv_style_t * style, int32_t value)
{
    lv_style_set_pad_left(style, value);
    lv_style_set_pad_right(style, value);
}

static inline void lv_style_set_pad_ver(lv_style_t * style, int32_t value)
{
    lv_style_set_pad_top(style, value);
    lv_style_set_pad_bottom(style, value);
}

static inline void lv_style_set_pad_gap(lv_style_t * style, int32_t value)
{
    lv_style_set_pad_row(style, value);
    lv_style_set_pad_column(style, value);
}

static inline void lv_style_set_margin_hor(lv_style_t * style, int32_t value)
{
    lv_style_set_margin_left(style, value);
    lv_style_set_margin_right(style, value);
}

static inline void lv_style_set_margin_ver(lv_style_t * style, int32_t value)
{
    lv_style_set_margin_top(style, value);
    lv_style_set_margin_bottom(style, value);
}

static inline void lv_style_set_margin_all(lv_style_t * style, int32_t value)
{
    lv_style_set_margin_left(style, value);
    lv_style_set_margin_right(style, value);
    lv_style_set_margin_top(style, value);
    lv_style_set_margin_bottom(style, value);
}

static inline void lv_style_set_transform_scale(lv_style_t * style, int32_t value)
{
    lv_style_set_transform_scale_x(style, value);
    lv_style_set_transform_scale_y(style, value);
}

#ifdef __cplusplus
}
#endif

#endif /* LV_STYLE_H */
