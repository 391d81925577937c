// Composed scenes rendered through the public API and compared with references.
#include <gtest/gtest.h>

#include <vector>

#include "gui_fixture.hpp"
#include "render_helpers.hpp"
#include "lvgl.h"
#include "scenes.hpp"

namespace {

using Scene = test_support::GuiTest;

using test_support::filled_box;

TEST_F(Scene, DefaultThemeCardsOnTheScreen)
{
    test_scenes::build_default_theme_cards();
    EXPECT_TRUE(matches_screen("core", "default_theme_cards"));
}

TEST_F(Scene, RadiusBordersShadowsOpacityAndClipCorner)
{
    lv_obj_t * scr = lv_screen_active();
    lv_obj_t * round = filled_box(scr, 20, 20, 140, 100, 0x2196F3);
    lv_obj_set_style_radius(round, 20, 0);
    lv_obj_set_style_border_width(round, 6, 0);
    lv_obj_set_style_border_color(round, lv_color_hex(0x0D47A1), 0);

    lv_obj_t * sides = filled_box(scr, 190, 20, 140, 100, 0xFFFFFF);
    lv_obj_set_style_border_width(sides, 8, 0);
    lv_obj_set_style_border_color(sides, lv_color_hex(0xF44336), 0);
    lv_obj_set_style_border_side(sides, static_cast<lv_border_side_t>(LV_BORDER_SIDE_LEFT | LV_BORDER_SIDE_BOTTOM), 0);

    lv_obj_t * shadow = filled_box(scr, 370, 30, 110, 80, 0xFFFFFF);
    lv_obj_set_style_radius(shadow, 10, 0);
    lv_obj_set_style_shadow_width(shadow, 24, 0);
    lv_obj_set_style_shadow_offset_y(shadow, 8, 0);
    lv_obj_set_style_shadow_color(shadow, lv_color_hex(0x000000), 0);
    lv_obj_set_style_shadow_opa(shadow, LV_OPA_50, 0);

    lv_obj_t * pill = filled_box(scr, 520, 40, 100, 50, 0x4CAF50);
    lv_obj_set_style_radius(pill, LV_RADIUS_CIRCLE, 0);
    lv_obj_set_style_outline_width(pill, 3, 0);
    lv_obj_set_style_outline_pad(pill, 3, 0);
    lv_obj_set_style_outline_color(pill, lv_color_hex(0x1B5E20), 0);

    // Half transparent parent: its children are drawn with the product of the opacities.
    lv_obj_t * faded = filled_box(scr, 20, 170, 260, 120, 0x9C27B0);
    lv_obj_set_style_opa(faded, LV_OPA_50, 0);
    filled_box(faded, 140, 40, 160, 60, 0xFFEB3B);

    // clip_corner: the child is cut to the parent's rounded shape.
    lv_obj_t * clipper = filled_box(scr, 330, 170, 160, 120, 0x607D8B);
    lv_obj_set_style_radius(clipper, 40, 0);
    lv_obj_set_style_clip_corner(clipper, true, 0);
    filled_box(clipper, -10, -10, 120, 80, 0xFF9800);

    // Without clip_corner the child is cut to the box only.
    lv_obj_t * plain = filled_box(scr, 510, 170, 110, 120, 0x607D8B);
    lv_obj_set_style_radius(plain, 40, 0);
    filled_box(plain, -10, -10, 80, 80, 0xFF9800);

    // Background opacity and colour of a semi-transparent fill over others.
    filled_box(scr, 20, 330, 200, 120, 0x000000);
    lv_obj_t * glass = filled_box(scr, 120, 360, 200, 90, 0xFFFFFF);
    lv_obj_set_style_bg_opa(glass, LV_OPA_70, 0);
    EXPECT_TRUE(matches_screen("core", "rect_styles"));
}

// Blue checks of 8 px, green rising to the right, red rising downwards.
std::vector<uint8_t> checker_pixels(int32_t w, int32_t h)
{
    return test_support::argb8888_pixels(w, h, [w, h](int32_t x, int32_t y) {
        const bool dark = ((x / 8) + (y / 8)) % 2 == 0;
        const lv_color_t c = lv_color_make(static_cast<uint8_t>(y * 255 / (h - 1)), static_cast<uint8_t>(x * 255 / (w - 1)),
                                           dark ? 0x40 : 0xF0);
        return test_support::Argb{c, 0xFF};
    });
}

TEST_F(Scene, BackgroundImageAndTransformScale)
{
    const int32_t w = 48;
    const int32_t h = 48;
    std::vector<uint8_t> px = checker_pixels(w, h);
    const lv_image_dsc_t img = test_support::argb8888_image(px, w, h);

    lv_obj_t * scr = lv_screen_active();
    lv_obj_t * bg = filled_box(scr, 20, 20, 200, 140, 0xE0E0E0);
    lv_obj_set_style_bg_image_src(bg, &img, 0);

    lv_obj_t * tiled = filled_box(scr, 240, 20, 200, 140, 0xE0E0E0);
    lv_obj_set_style_bg_image_src(tiled, &img, 0);
    lv_obj_set_style_bg_image_tiled(tiled, true, 0);

    lv_obj_t * faint = filled_box(scr, 460, 20, 160, 140, 0xFFFFFF);
    lv_obj_set_style_bg_image_src(faint, &img, 0);
    lv_obj_set_style_bg_image_opa(faint, LV_OPA_50, 0);
    lv_obj_set_style_bg_image_recolor(faint, lv_color_hex(0xF44336), 0);
    lv_obj_set_style_bg_image_recolor_opa(faint, LV_OPA_50, 0);

    // Scaled around the centre: the layout keeps the untransformed box.
    lv_obj_t * grown = filled_box(scr, 100, 260, 120, 80, 0x2196F3);
    filled_box(grown, 10, 10, 40, 40, 0xFFEB3B);
    lv_obj_set_style_transform_pivot_x(grown, 60, 0);
    lv_obj_set_style_transform_pivot_y(grown, 40, 0);
    lv_obj_set_style_transform_scale_x(grown, 384, 0);
    lv_obj_set_style_transform_scale_y(grown, 192, 0);

    // Squeezed around the top-left corner (the default pivot).
    lv_obj_t * squeezed = filled_box(scr, 400, 230, 160, 160, 0x4CAF50);
    filled_box(squeezed, 80, 80, 80, 80, 0xF44336);
    lv_obj_set_style_transform_scale(squeezed, 128, 0);

    lv_obj_update_layout(grown);
    EXPECT_EQ(lv_obj_get_width(grown), 120) << "transforms do not change the layout";
    EXPECT_TRUE(matches_screen("core", "image_and_scale"));
}

TEST_F(Scene, FlexRowOfCardsWithGrowAndWrap)
{
    lv_obj_t * row = lv_obj_create(lv_screen_active());
    lv_obj_set_size(row, 600, 200);
    lv_obj_align(row, LV_ALIGN_TOP_MID, 0, 20);
    lv_obj_set_flex_flow(row, LV_FLEX_FLOW_ROW_WRAP);
    lv_obj_set_flex_align(row, LV_FLEX_ALIGN_SPACE_EVENLY, LV_FLEX_ALIGN_CENTER, LV_FLEX_ALIGN_START);
    const uint32_t colors[] = {0xF44336, 0xE91E63, 0x9C27B0, 0x3F51B5, 0x009688, 0xFF9800};
    for(int i = 0; i < 6; i++) {
        lv_obj_t * item = lv_obj_create(row);
        lv_obj_set_size(item, 120, 50 + 10 * (i % 3));
        lv_obj_set_style_bg_color(item, lv_color_hex(colors[i]), 0);
    }

    lv_obj_t * col = lv_obj_create(lv_screen_active());
    lv_obj_set_size(col, 600, 220);
    lv_obj_align(col, LV_ALIGN_BOTTOM_MID, 0, -20);
    lv_obj_set_flex_flow(col, LV_FLEX_FLOW_ROW);
    lv_obj_t * fixed = lv_obj_create(col);
    lv_obj_set_size(fixed, 100, LV_PCT(100));
    for(int i = 1; i <= 2; i++) {
        lv_obj_t * g = lv_obj_create(col);
        lv_obj_set_height(g, LV_PCT(100));
        lv_obj_set_flex_grow(g, static_cast<uint8_t>(i));
        lv_obj_set_style_bg_color(g, lv_palette_lighten(LV_PALETTE_BLUE, static_cast<uint8_t>(i + 1)), 0);
    }
    EXPECT_TRUE(matches_screen("core", "flex_cards"));
}

TEST_F(Scene, FadeInHalfWay)
{
    filled_box(lv_screen_active(), 0, 0, 320, 480, 0x000000);
    lv_obj_t * next = lv_obj_create(nullptr);
    lv_obj_set_style_bg_color(next, lv_color_hex(0xFFFFFF), 0);
    filled_box(next, 200, 140, 240, 200, 0x2196F3);
    lv_screen_load_anim(next, LV_SCREEN_LOAD_ANIM_FADE_IN, 300, 0, false);
    run_for(165);
    EXPECT_TRUE(matches_screen("core", "fade_in_half_way"));
}

}  // namespace

namespace {

// What a refresh of only the invalidated areas leaves on the panel must equal a full redraw.
::testing::AssertionResult same_as_full_redraw(const test_support::Image & partial, const test_support::Image & full)
{
    test_support::Difference d = test_support::compare(partial, full, 0);
    if(d.pixels_over == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << d.pixels_over << " pixels were not redrawn";
}

class Redraw : public test_support::GuiTest {
protected:
    void check_change(lv_obj_t * obj)
    {
        lv_obj_set_style_bg_color(obj, lv_color_hex(0xF44336), 0);
        test_support::Image partial = refresh();
        test_support::Image full = render();
        EXPECT_TRUE(same_as_full_redraw(partial, full));
    }
};

TEST_F(Redraw, ScaledAndRotatedObjectsAreRedrawnWhereTheyShow)
{
    lv_obj_t * scaled = filled_box(lv_screen_active(), 100, 100, 100, 60, 0x2196F3);
    lv_obj_set_style_transform_pivot_x(scaled, 50, 0);
    lv_obj_set_style_transform_pivot_y(scaled, 30, 0);
    lv_obj_set_style_transform_scale(scaled, 512, 0);
    lv_obj_t * rotated = filled_box(lv_screen_active(), 400, 200, 120, 40, 0x4CAF50);
    lv_obj_set_style_transform_pivot_x(rotated, LV_PCT(50), 0);
    lv_obj_set_style_transform_pivot_y(rotated, LV_PCT(50), 0);
    lv_obj_set_style_transform_rotation(rotated, 450, 0);
    render();
    check_change(scaled);
    check_change(rotated);
}

TEST_F(Redraw, MovedAndShadowedObjectsLeaveNothingBehind)
{
    lv_obj_t * card = lv_obj_create(lv_screen_active());
    lv_obj_set_style_shadow_width(card, 30, 0);
    lv_obj_set_style_shadow_offset_x(card, 10, 0);
    lv_obj_set_pos(card, 50, 50);
    render();
    lv_obj_set_pos(card, 300, 200);
    test_support::Image partial = refresh();
    test_support::Image full = render();
    EXPECT_TRUE(same_as_full_redraw(partial, full));
    check_change(card);
}

}  // namespace

namespace {

class Shrink : public test_support::GuiTest {};

TEST_F(Shrink, AnObjectScaledDownLeavesNothingOfItsLargerSelf)
{
    lv_obj_t * art = filled_box(lv_screen_active(), 170, 90, 300, 300, 0xC02020);
    lv_obj_set_style_transform_pivot_x(art, 150, 0);
    lv_obj_set_style_transform_pivot_y(art, 150, 0);
    lv_obj_t * inner = filled_box(art, 20, 20, 100, 100, 0x2196F3);
    (void)inner;
    render();
    for(int32_t scale : {256, 200, 120, 256, 90}) {
        lv_obj_set_style_transform_scale_x(art, scale, 0);
        lv_obj_set_style_transform_scale_y(art, scale, 0);
        test_support::Image partial = refresh();
        test_support::Image full = render();
        EXPECT_TRUE(same_as_full_redraw(partial, full)) << "scale " << scale;
    }
}

// A scale of 1.5 taken away by each way a style can go: the object shrinks
// back to its box and nothing of the larger picture stays.
TEST_F(Shrink, AScaleTakenAwayLeavesNothingBehind)
{
    static lv_style_t grown;
    lv_style_init(&grown);
    lv_style_set_transform_scale(&grown, 384);
    static lv_style_t plain;
    lv_style_init(&plain);
    lv_style_set_bg_opa(&plain, LV_OPA_COVER);

    struct Case {
        const char * how;
        void (*grow)(lv_obj_t *);
        void (*take_away)(lv_obj_t *);
    };
    const Case cases[] = {
        {"local value removed", [](lv_obj_t * o) { lv_obj_set_style_transform_scale(o, 384, 0); },
         [](lv_obj_t * o) {
             lv_obj_remove_local_style_prop(o, LV_STYLE_TRANSFORM_SCALE_X, 0);
             lv_obj_remove_local_style_prop(o, LV_STYLE_TRANSFORM_SCALE_Y, 0);
         }},
        {"style removed", [](lv_obj_t * o) { lv_obj_add_style(o, &grown, 0); },
         [](lv_obj_t * o) { lv_obj_remove_style(o, &grown, 0); }},
        {"style replaced", [](lv_obj_t * o) { lv_obj_add_style(o, &grown, 0); },
         [](lv_obj_t * o) { lv_obj_replace_style(o, &grown, &plain, 0); }},
    };
    for(const Case & c : cases) {
        SCOPED_TRACE(c.how);
        lv_obj_clean(lv_screen_active());
        lv_obj_t * art = filled_box(lv_screen_active(), 170, 90, 300, 300, 0xC02020);
        lv_obj_set_style_transform_pivot_x(art, 150, 0);
        lv_obj_set_style_transform_pivot_y(art, 150, 0);
        c.grow(art);
        render();
        c.take_away(art);
        test_support::Image partial = refresh();
        test_support::Image full = render();
        EXPECT_TRUE(same_as_full_redraw(partial, full));
    }
}

}  // namespace
