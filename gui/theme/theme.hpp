// The record behind lv_theme_t.
#pragma once

#include "lvgl.h"

struct _lv_theme_t {
    lv_theme_apply_cb_t apply_cb = nullptr;
    lv_theme_t * parent = nullptr;
    void * user_data = nullptr;
    lv_display_t * disp = nullptr;
    lv_color_t color_primary{};
    lv_color_t color_secondary{};
    const lv_font_t * font_small = nullptr;
    const lv_font_t * font_normal = nullptr;
    const lv_font_t * font_large = nullptr;
    uint32_t flags = 0;
};
