#ifndef LV_MATH_H
#define LV_MATH_H

#include "../lv_conf_internal.h"
#include "lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LV_MIN(a, b) ((a) < (b) ? (a) : (b))
#define LV_MIN3(a, b, c) (LV_MIN(LV_MIN(a, b), c))
#define LV_MAX(a, b) ((a) > (b) ? (a) : (b))
#define LV_MAX3(a, b, c) (LV_MAX(LV_MAX(a, b), c))
#define LV_CLAMP(min, val, max) (LV_MAX(min, (LV_MIN(val, max))))
#define LV_ABS(x) ((x) > 0 ? (x) : (-(x)))
#define LV_UDIV255(x) (((x)*0x8081U) >> 0x17)
#define LV_IS_SIGNED(t) (((t)(-1)) < ((t)0))

#define LV_TRIGO_SIN_MAX 32768
#define LV_TRIGO_SHIFT 15
#define LV_BEZIER_VAL_SHIFT 10
#define LV_BEZIER_VAL_MAX (1L << LV_BEZIER_VAL_SHIFT)
#define LV_BEZIER_VAL_FLOAT(f) ((int32_t)((f)*LV_BEZIER_VAL_MAX))

typedef struct {
    uint16_t i;
    uint16_t f;
} lv_sqrt_res_t;

/** Sine of an angle in degrees, scaled to +-LV_TRIGO_SIN_MAX. */
int32_t lv_trigo_sin(int16_t angle);
int32_t lv_trigo_cos(int16_t angle);

/**
 * y of the cubic Bezier curve (0,0) (x1,y1) (x2,y2) (1,1) at x, all in 1/LV_BEZIER_VAL_MAX units.
 * Unlike LVGL 9.4, the only Bezier function (no lv_bezier3).
 */
int32_t lv_cubic_bezier(int32_t x, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

int32_t lv_map(int32_t x, int32_t min_in, int32_t max_in, int32_t min_out, int32_t max_out);
void lv_sqrt(uint32_t x, lv_sqrt_res_t * q, uint32_t mask);
int32_t lv_sqrt32(uint32_t x);
uint16_t lv_atan2(int x, int y);
void lv_rand_set_seed(uint32_t seed);
uint32_t lv_rand(uint32_t min, uint32_t max);

#ifdef __cplusplus
}
#endif

#endif /* LV_MATH_H */
