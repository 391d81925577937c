/**
 * @file lv_color.h
 * Colours, opacity and pixel formats.
 */
#ifndef LV_COLOR_H
#define LV_COLOR_H

#include "lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

enum _lv_opacity_level_t {
    LV_OPA_TRANSP = 0,
    LV_OPA_0 = 0,
    LV_OPA_10 = 25,
    LV_OPA_20 = 51,
    LV_OPA_30 = 76,
    LV_OPA_40 = 102,
    LV_OPA_50 = 127,
    LV_OPA_60 = 153,
    LV_OPA_70 = 178,
    LV_OPA_80 = 204,
    LV_OPA_90 = 229,
    LV_OPA_100 = 255,
    LV_OPA_COVER = 255,
};

/** At or below this an opacity counts as fully transparent. */
#define LV_OPA_MIN 2
/** At or above this an opacity counts as fully opaque. */
#define LV_OPA_MAX 253

#define LV_OPA_MIX2(a1, a2) (((int32_t)(a1) * (a2)) >> 8)
#define LV_OPA_MIX3(a1, a2, a3) (((int32_t)(a1) * (a2) * (a3)) >> 16)

/** 24-bit colour; memory order blue, green, red. */
typedef struct {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
} lv_color_t;

/** 16-bit RGB565 colour, blue in the low bits. */
typedef struct {
    uint16_t blue : 5;
    uint16_t green : 6;
    uint16_t red : 5;
} lv_color16_t;

/** 32-bit colour; also the layout of one ARGB8888 / XRGB8888 pixel. */
typedef struct {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t alpha;
} lv_color32_t;

typedef struct {
    uint16_t h;
    uint8_t s;
    uint8_t v;
} lv_color_hsv_t;

typedef struct {
    uint8_t lumi;
    uint8_t alpha;
} lv_color16a_t;

#define LV_COLOR_MAKE(r8, g8, b8)                                                                                      \
    {                                                                                                                  \
        b8, g8, r8                                                                                                     \
    }

typedef enum {
    LV_COLOR_FORMAT_UNKNOWN = 0,
    LV_COLOR_FORMAT_RAW = 0x01,
    LV_COLOR_FORMAT_RAW_ALPHA = 0x02,
    LV_COLOR_FORMAT_L8 = 0x06,
    LV_COLOR_FORMAT_I1 = 0x07,
    LV_COLOR_FORMAT_I2 = 0x08,
    LV_COLOR_FORMAT_I4 = 0x09,
    LV_COLOR_FORMAT_I8 = 0x0A,
    LV_COLOR_FORMAT_A1 = 0x0B,
    LV_COLOR_FORMAT_A2 = 0x0C,
    LV_COLOR_FORMAT_A4 = 0x0D,
    LV_COLOR_FORMAT_A8 = 0x0E,
    LV_COLOR_FORMAT_RGB888 = 0x0F,
    LV_COLOR_FORMAT_ARGB8888 = 0x10,
    LV_COLOR_FORMAT_XRGB8888 = 0x11,
    LV_COLOR_FORMAT_RGB565 = 0x12,
    LV_COLOR_FORMAT_ARGB8565 = 0x13,
    LV_COLOR_FORMAT_RGB565A8 = 0x14,
    LV_COLOR_FORMAT_AL88 = 0x15,
    LV_COLOR_FORMAT_ARGB1555 = 0x16,
    LV_COLOR_FORMAT_ARGB4444 = 0x17,
    LV_COLOR_FORMAT_ARGB2222 = 0x18,
    LV_COLOR_FORMAT_ARGB8888_PREMULTIPLIED = 0x1A,
    LV_COLOR_FORMAT_RGB565_SWAPPED = 0x1B,

    LV_COLOR_FORMAT_YUV_START = 0x20,
    LV_COLOR_FORMAT_I420 = LV_COLOR_FORMAT_YUV_START,
    LV_COLOR_FORMAT_I422 = 0x21,
    LV_COLOR_FORMAT_I444 = 0x22,
    LV_COLOR_FORMAT_I400 = 0x23,
    LV_COLOR_FORMAT_NV21 = 0x24,
    LV_COLOR_FORMAT_NV12 = 0x25,
    LV_COLOR_FORMAT_YUY2 = 0x26,
    LV_COLOR_FORMAT_UYVY = 0x27,
    LV_COLOR_FORMAT_YUV_END = LV_COLOR_FORMAT_UYVY,

    LV_COLOR_FORMAT_PROPRIETARY_START = 0x30,
    LV_COLOR_FORMAT_NEMA_TSC_START = LV_COLOR_FORMAT_PROPRIETARY_START,
    LV_COLOR_FORMAT_NEMA_TSC4 = LV_COLOR_FORMAT_NEMA_TSC_START,
    LV_COLOR_FORMAT_NEMA_TSC6 = 0x31,
    LV_COLOR_FORMAT_NEMA_TSC6A = 0x32,
    LV_COLOR_FORMAT_NEMA_TSC6AP = 0x33,
    LV_COLOR_FORMAT_NEMA_TSC12 = 0x34,
    LV_COLOR_FORMAT_NEMA_TSC12A = 0x35,
    LV_COLOR_FORMAT_NEMA_TSC_END = LV_COLOR_FORMAT_NEMA_TSC12A,

    /* The build's colour depth is 32 bit. */
    LV_COLOR_FORMAT_NATIVE = LV_COLOR_FORMAT_XRGB8888,
    LV_COLOR_FORMAT_NATIVE_WITH_ALPHA = LV_COLOR_FORMAT_ARGB8888,
} lv_color_format_t;

#define LV_COLOR_FORMAT_IS_ALPHA_ONLY(cf) ((cf) >= LV_COLOR_FORMAT_A1 && (cf) <= LV_COLOR_FORMAT_A8)
#define LV_COLOR_FORMAT_IS_INDEXED(cf) ((cf) >= LV_COLOR_FORMAT_I1 && (cf) <= LV_COLOR_FORMAT_I8)
#define LV_COLOR_FORMAT_IS_YUV(cf) ((cf) >= LV_COLOR_FORMAT_YUV_START && (cf) <= LV_COLOR_FORMAT_YUV_END)
#define LV_COLOR_INDEXED_PALETTE_SIZE(cf)                                                                              \
    ((cf) == LV_COLOR_FORMAT_I1   ? 2                                                                                  \
     : (cf) == LV_COLOR_FORMAT_I2 ? 4                                                                                  \
     : (cf) == LV_COLOR_FORMAT_I4 ? 16                                                                                 \
     : (cf) == LV_COLOR_FORMAT_I8 ? 256                                                                                \
                                  : 0)

#define LV_COLOR_FORMAT_GET_BPP(cf)                                                                                    \
    ((cf) == LV_COLOR_FORMAT_I1                       ? 1                                                              \
     : (cf) == LV_COLOR_FORMAT_A1                     ? 1                                                              \
     : (cf) == LV_COLOR_FORMAT_I2                     ? 2                                                              \
     : (cf) == LV_COLOR_FORMAT_A2                     ? 2                                                              \
     : (cf) == LV_COLOR_FORMAT_I4                     ? 4                                                              \
     : (cf) == LV_COLOR_FORMAT_A4                     ? 4                                                              \
     : (cf) == LV_COLOR_FORMAT_NEMA_TSC4              ? 4                                                              \
     : (cf) == LV_COLOR_FORMAT_NEMA_TSC6              ? 6                                                              \
     : (cf) == LV_COLOR_FORMAT_NEMA_TSC6A             ? 6                                                              \
     : (cf) == LV_COLOR_FORMAT_NEMA_TSC6AP            ? 6                                                              \
     : (cf) == LV_COLOR_FORMAT_L8                     ? 8                                                              \
     : (cf) == LV_COLOR_FORMAT_A8                     ? 8                                                              \
     : (cf) == LV_COLOR_FORMAT_I8                     ? 8                                                              \
     : (cf) == LV_COLOR_FORMAT_ARGB2222               ? 8                                                              \
     : (cf) == LV_COLOR_FORMAT_I400                   ? 8                                                              \
     : (cf) == LV_COLOR_FORMAT_NEMA_TSC12             ? 12                                                             \
     : (cf) == LV_COLOR_FORMAT_NEMA_TSC12A            ? 12                                                             \
     : (cf) == LV_COLOR_FORMAT_AL88                   ? 16                                                             \
     : (cf) == LV_COLOR_FORMAT_RGB565                 ? 16                                                             \
     : (cf) == LV_COLOR_FORMAT_RGB565_SWAPPED         ? 16                                                             \
     : (cf) == LV_COLOR_FORMAT_RGB565A8               ? 16                                                             \
     : (cf) == LV_COLOR_FORMAT_YUY2                   ? 16                                                             \
     : (cf) == LV_COLOR_FORMAT_ARGB1555               ? 16                                                             \
     : (cf) == LV_COLOR_FORMAT_ARGB4444               ? 16                                                             \
     : (cf) == LV_COLOR_FORMAT_ARGB8565               ? 24                                                             \
     : (cf) == LV_COLOR_FORMAT_RGB888                 ? 24                                                             \
     : (cf) == LV_COLOR_FORMAT_ARGB8888               ? 32                                                             \
     : (cf) == LV_COLOR_FORMAT_ARGB8888_PREMULTIPLIED ? 32                                                             \
     : (cf) == LV_COLOR_FORMAT_XRGB8888               ? 32                                                             \
                                                      : 0)

#define LV_COLOR_FORMAT_GET_SIZE(cf) ((LV_COLOR_FORMAT_GET_BPP(cf) + 7) >> 3)

#define LV_COLOR_NATIVE_WITH_ALPHA_SIZE 4

uint8_t lv_color_format_get_bpp(lv_color_format_t cf);
uint8_t lv_color_format_get_size(lv_color_format_t cf);
bool lv_color_format_has_alpha(lv_color_format_t src_cf);

lv_color32_t lv_color_to_32(lv_color_t color, lv_opa_t opa);
uint32_t lv_color_to_int(lv_color_t c);
bool lv_color_eq(lv_color_t c1, lv_color_t c2);
bool lv_color32_eq(lv_color32_t c1, lv_color32_t c2);
lv_color_t lv_color_hex(uint32_t c);
lv_color_t lv_color_make(uint8_t r, uint8_t g, uint8_t b);
lv_color32_t lv_color32_make(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
lv_color_t lv_color_hex3(uint32_t c);
uint16_t lv_color_to_u16(lv_color_t color);
uint32_t lv_color_to_u32(lv_color_t color);
lv_color_t lv_color_white(void);
lv_color_t lv_color_black(void);
lv_color_t lv_color_lighten(lv_color_t c, lv_opa_t lvl);
lv_color_t lv_color_darken(lv_color_t c, lv_opa_t lvl);
lv_color_t lv_color_hsv_to_rgb(uint16_t h, uint8_t s, uint8_t v);
lv_color_hsv_t lv_color_rgb_to_hsv(uint8_t r8, uint8_t g8, uint8_t b8);
lv_color_hsv_t lv_color_to_hsv(lv_color_t color);
uint8_t lv_color_luminance(lv_color_t c);

/** `mix`/255 of `c1` plus the rest of `c2`. */
lv_color_t lv_color_mix(lv_color_t c1, lv_color_t c2, uint8_t mix);

#ifdef __cplusplus
} /* extern "C" */
#endif

#include "lv_palette.h"

#endif /* LV_COLOR_H */
