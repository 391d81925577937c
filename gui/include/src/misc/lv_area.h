/**
 * @file lv_area.h
 * Points, areas, alignment, directions and the tagged coordinate values.
 */
#ifndef LV_AREA_H
#define LV_AREA_H

#include "lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
    int32_t x;
    int32_t y;
} lv_point_t;

typedef struct {
    lv_value_precise_t x;
    lv_value_precise_t y;
} lv_point_precise_t;

/** A rectangle; all four corners are inclusive. */
typedef struct {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
} lv_area_t;

typedef enum {
    LV_ALIGN_DEFAULT = 0,
    LV_ALIGN_TOP_LEFT,
    LV_ALIGN_TOP_MID,
    LV_ALIGN_TOP_RIGHT,
    LV_ALIGN_BOTTOM_LEFT,
    LV_ALIGN_BOTTOM_MID,
    LV_ALIGN_BOTTOM_RIGHT,
    LV_ALIGN_LEFT_MID,
    LV_ALIGN_RIGHT_MID,
    LV_ALIGN_CENTER,
    LV_ALIGN_OUT_TOP_LEFT,
    LV_ALIGN_OUT_TOP_MID,
    LV_ALIGN_OUT_TOP_RIGHT,
    LV_ALIGN_OUT_BOTTOM_LEFT,
    LV_ALIGN_OUT_BOTTOM_MID,
    LV_ALIGN_OUT_BOTTOM_RIGHT,
    LV_ALIGN_OUT_LEFT_TOP,
    LV_ALIGN_OUT_LEFT_MID,
    LV_ALIGN_OUT_LEFT_BOTTOM,
    LV_ALIGN_OUT_RIGHT_TOP,
    LV_ALIGN_OUT_RIGHT_MID,
    LV_ALIGN_OUT_RIGHT_BOTTOM,
} lv_align_t;

typedef enum {
    LV_DIR_NONE = 0x00,
    LV_DIR_LEFT = (1 << 0),
    LV_DIR_RIGHT = (1 << 1),
    LV_DIR_TOP = (1 << 2),
    LV_DIR_BOTTOM = (1 << 3),
    LV_DIR_HOR = LV_DIR_LEFT | LV_DIR_RIGHT,
    LV_DIR_VER = LV_DIR_TOP | LV_DIR_BOTTOM,
    LV_DIR_ALL = LV_DIR_HOR | LV_DIR_VER,
} lv_dir_t;

/* Bits 29-30 of a coordinate tag special values (percentages, content size). */
#define LV_COORD_TYPE_SHIFT (29U)
#define LV_COORD_TYPE_MASK (3 << LV_COORD_TYPE_SHIFT)
#define LV_COORD_TYPE(x) ((x)&LV_COORD_TYPE_MASK)
#define LV_COORD_PLAIN(x) ((x) & ~LV_COORD_TYPE_MASK)

#define LV_COORD_TYPE_PX (0 << LV_COORD_TYPE_SHIFT)
#define LV_COORD_TYPE_SPEC (1 << LV_COORD_TYPE_SHIFT)
#define LV_COORD_TYPE_PX_NEG (3 << LV_COORD_TYPE_SHIFT)

#define LV_COORD_IS_PX(x) (LV_COORD_TYPE(x) == LV_COORD_TYPE_PX || LV_COORD_TYPE(x) == LV_COORD_TYPE_PX_NEG)
#define LV_COORD_IS_SPEC(x) (LV_COORD_TYPE(x) == LV_COORD_TYPE_SPEC)
#define LV_COORD_SET_SPEC(x) ((x) | LV_COORD_TYPE_SPEC)

#define LV_COORD_MAX ((1 << LV_COORD_TYPE_SHIFT) - 1)
#define LV_COORD_MIN (-LV_COORD_MAX)

#define LV_SIZE_CONTENT LV_COORD_SET_SPEC(LV_COORD_MAX)

#define LV_PCT_STORED_MAX (LV_COORD_MAX - 1)
#define LV_PCT_POS_MAX (LV_PCT_STORED_MAX / 2)
#define LV_PCT(x)                                                                                                      \
    (LV_COORD_SET_SPEC(((x) < 0 ? (LV_PCT_POS_MAX - ((x) > -LV_PCT_POS_MAX ? (x) : -LV_PCT_POS_MAX))                   \
                                : ((x) < LV_PCT_POS_MAX ? (x) : LV_PCT_POS_MAX))))
#define LV_COORD_IS_PCT(x) ((LV_COORD_IS_SPEC(x) && LV_COORD_PLAIN(x) <= LV_PCT_STORED_MAX))
#define LV_COORD_GET_PCT(x)                                                                                            \
    (LV_COORD_PLAIN(x) > LV_PCT_POS_MAX ? LV_PCT_POS_MAX - LV_COORD_PLAIN(x) : LV_COORD_PLAIN(x))

void lv_area_set(lv_area_t * area_p, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

static inline void lv_area_copy(lv_area_t * dest, const lv_area_t * src)
{
    dest->x1 = src->x1;
    dest->y1 = src->y1;
    dest->x2 = src->x2;
    dest->y2 = src->y2;
}

int32_t lv_area_get_width(const lv_area_t * area_p);
int32_t lv_area_get_height(const lv_area_t * area_p);
void lv_area_set_width(lv_area_t * area_p, int32_t w);
void lv_area_set_height(lv_area_t * area_p, int32_t h);
uint32_t lv_area_get_size(const lv_area_t * area_p);
void lv_area_increase(lv_area_t * area, int32_t w_extra, int32_t h_extra);
void lv_area_move(lv_area_t * area, int32_t x_ofs, int32_t y_ofs);
void lv_area_align(const lv_area_t * base, lv_area_t * to_align, lv_align_t align, int32_t ofs_x, int32_t ofs_y);
void lv_point_set(lv_point_t * p, int32_t x, int32_t y);

int32_t lv_pct(int32_t x);
int32_t lv_pct_to_px(int32_t v, int32_t base);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* LV_AREA_H */
