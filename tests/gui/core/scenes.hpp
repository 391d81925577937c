// Scenes that more than one test compares with the same reference image.
#pragma once

#include "lvgl.h"

namespace test_scenes {

// Two default-theme cards, one holding a blue half-width child: the scene of
// tests/gui/ref/core/default_theme_cards.png.
inline void build_default_theme_cards()
{
    lv_obj_t * card = lv_obj_create(lv_screen_active());
    lv_obj_set_pos(card, 20, 20);
    lv_obj_t * wide = lv_obj_create(lv_screen_active());
    lv_obj_set_size(wide, 300, 120);
    lv_obj_align(wide, LV_ALIGN_BOTTOM_RIGHT, -20, -20);
    lv_obj_t * inner = lv_obj_create(wide);
    lv_obj_set_size(inner, LV_PCT(50), LV_PCT(100));
    lv_obj_set_style_bg_color(inner, lv_palette_main(LV_PALETTE_BLUE), 0);
}

}  // namespace test_scenes
