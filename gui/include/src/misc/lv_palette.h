/**
 * @file lv_palette.h
 * The named colour palettes and their shades.
 */
#ifndef LV_PALETTE_H
#define LV_PALETTE_H

#include "lv_color.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_PALETTE_RED,
    LV_PALETTE_PINK,
    LV_PALETTE_PURPLE,
    LV_PALETTE_DEEP_PURPLE,
    LV_PALETTE_INDIGO,
    LV_PALETTE_BLUE,
    LV_PALETTE_LIGHT_BLUE,
    LV_PALETTE_CYAN,
    LV_PALETTE_TEAL,
    LV_PALETTE_GREEN,
    LV_PALETTE_LIGHT_GREEN,
    LV_PALETTE_LIME,
    LV_PALETTE_YELLOW,
    LV_PALETTE_AMBER,
    LV_PALETTE_ORANGE,
    LV_PALETTE_DEEP_ORANGE,
    LV_PALETTE_BROWN,
    LV_PALETTE_BLUE_GREY,
    LV_PALETTE_GREY,
    LV_PALETTE_LAST,
    LV_PALETTE_NONE = 0xff,
} lv_palette_t;

/** The palette's main colour; black for an invalid palette. */
lv_color_t lv_palette_main(lv_palette_t p);
/** Lighter shade, `lvl` 1 ... 5; black for an invalid palette or level. */
lv_color_t lv_palette_lighten(lv_palette_t p, uint8_t lvl);
/** Darker shade, `lvl` 1 ... 4; black for an invalid palette or level. */
lv_color_t lv_palette_darken(lv_palette_t p, uint8_t lvl);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* LV_PALETTE_H */
