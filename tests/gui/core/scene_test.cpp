// Composed scenes rendered through the public API and compared with references.
#include <gtest/gtest.h>

#include "gui_fixture.hpp"
#include "lvgl.h"

namespace {

using Scene = test_support::GuiTest;

TEST_F(Scene, DefaultThemeCardsOnTheScreen)
{
    lv_obj_t * card = lv_obj_create(lv_screen_active());
    lv_obj_set_pos(card, 20, 20);
    lv_obj_t * wide = lv_obj_create(lv_screen_active());
    lv_obj_set_size(wide, 300, 120);
    lv_obj_align(wide, LV_ALIGN_BOTTOM_RIGHT, -20, -20);
    lv_obj_t * inner = lv_obj_create(wide);
    lv_obj_set_size(inner, LV_PCT(50), LV_PCT(100));
    lv_obj_set_style_bg_color(inner, lv_palette_main(LV_PALETTE_BLUE), 0);
    EXPECT_TRUE(matches_screen("core", "default_theme_cards"));
}

}  // namespace
