// Area, colour and palette helpers; rounded-rectangle coverage.
#include "gui/draw/raster.hpp"
#include "gui/misc/area.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Area, AlignPlacesInsideAndOutsideTheBase) {
    const lv_area_t base{100, 100, 199, 149}; // 100 x 50
    struct Case {
        lv_align_t align;
        int32_t x, y; // expected top-left of a 20 x 10 area
    };
    const Case cases[] = {
        {LV_ALIGN_DEFAULT, 100, 100},         {LV_ALIGN_TOP_LEFT, 100, 100},
        {LV_ALIGN_TOP_MID, 140, 100},         {LV_ALIGN_TOP_RIGHT, 180, 100},
        {LV_ALIGN_BOTTOM_LEFT, 100, 140},     {LV_ALIGN_BOTTOM_MID, 140, 140},
        {LV_ALIGN_BOTTOM_RIGHT, 180, 140},    {LV_ALIGN_LEFT_MID, 100, 120},
        {LV_ALIGN_RIGHT_MID, 180, 120},       {LV_ALIGN_CENTER, 140, 120},
        {LV_ALIGN_OUT_TOP_LEFT, 100, 90},     {LV_ALIGN_OUT_TOP_RIGHT, 180, 90},
        {LV_ALIGN_OUT_BOTTOM_MID, 140, 150},  {LV_ALIGN_OUT_LEFT_MID, 80, 120},
        {LV_ALIGN_OUT_RIGHT_BOTTOM, 200, 140}, {LV_ALIGN_OUT_RIGHT_TOP, 200, 100},
    };
    for (const Case& c : cases) {
        lv_area_t a{0, 0, 19, 9};
        lv_area_align(&base, &a, c.align, 3, -2);
        EXPECT_EQ(a.x1, c.x + 3) << c.align;
        EXPECT_EQ(a.y1, c.y - 2) << c.align;
        EXPECT_EQ(lv_area_get_width(&a), 20);
        EXPECT_EQ(lv_area_get_height(&a), 10);
    }
}

TEST(Area, SizesMovesAndPercentages) {
    lv_area_t a;
    lv_area_set(&a, 10, 20, 29, 24);
    EXPECT_EQ(lv_area_get_size(&a), 100u);
    lv_area_increase(&a, 1, 2);
    lv_area_move(&a, -9, 0);
    EXPECT_EQ(a.x1, 0);
    EXPECT_EQ(a.y2, 26);
    lv_area_set_width(&a, 5);
    EXPECT_EQ(a.x2, 4);

    EXPECT_EQ(lv_pct(50), LV_PCT(50));
    EXPECT_EQ(lv_pct_to_px(LV_PCT(50), 301), 150);
    EXPECT_EQ(lv_pct_to_px(LV_PCT(-10), 200), -20);
    EXPECT_EQ(lv_pct_to_px(77, 200), 77); // plain pixels pass through
    EXPECT_FALSE(LV_COORD_IS_PCT(LV_SIZE_CONTENT));
}

TEST(Area, InternalHelpersOnInclusiveCoordinates) {
    // Overlaps: one shared row or column is an overlap, a gap of none is not.
    struct Case {
        lv_area_t a, b;
        bool overlap;
        lv_area_t expected; // when they overlap
    };
    const Case cases[] = {
        {{0, 0, 9, 9}, {5, 5, 14, 14}, true, {5, 5, 9, 9}},
        {{0, 0, 9, 9}, {9, 9, 20, 20}, true, {9, 9, 9, 9}},
        {{0, 0, 9, 9}, {2, 3, 4, 5}, true, {2, 3, 4, 5}},
        {{0, 0, 9, 9}, {10, 0, 19, 9}, false, {}},
        {{0, 0, 9, 9}, {0, -5, 9, -1}, false, {}},
    };
    for (const Case& c : cases) {
        const lv_area_t untouched{-7, -7, -7, -7};
        lv_area_t out = untouched;
        EXPECT_EQ(gui::area::intersect(out, c.a, c.b), c.overlap);
        EXPECT_EQ(gui::area::overlaps(c.a, c.b), c.overlap);
        const lv_area_t want = c.overlap ? c.expected : untouched;
        EXPECT_TRUE(out.x1 == want.x1 && out.y1 == want.y1 && out.x2 == want.x2 && out.y2 == want.y2)
            << out.x1 << "," << out.y1 << " " << out.x2 << "," << out.y2;
    }
    lv_area_t a{0, 0, 9, 9};
    ASSERT_TRUE(gui::area::intersect(a, a, {4, -3, 30, 6})) << "out may be an input";
    EXPECT_EQ(a.x1, 4);
    EXPECT_EQ(a.y2, 6);

    const lv_area_t box{10, 20, 19, 24};
    EXPECT_EQ(gui::area::width(box), 10);
    EXPECT_EQ(gui::area::height(box), 5);
    EXPECT_EQ(gui::area::size_of(box), 50);
    EXPECT_TRUE(gui::area::empty(gui::area::grow(box, -3)));
    EXPECT_FALSE(gui::area::empty(gui::area::grow(box, -2)));
    EXPECT_TRUE(gui::area::is_in(gui::area::grow(box, -2), box));
    EXPECT_FALSE(gui::area::is_in(gui::area::grow(box, 1), box));
    EXPECT_TRUE(gui::area::contains(box, {19, 24}));
    EXPECT_FALSE(gui::area::contains(box, {20, 24}));
    const lv_area_t both = gui::area::join(box, {0, 30, 1, 31});
    EXPECT_TRUE(both.x1 == 0 && both.y1 == 20 && both.x2 == 19 && both.y2 == 31);
}

TEST(Colour, ConversionsAndPalettes) {
    EXPECT_EQ(lv_color_to_int(lv_color_hex3(0x1A9)), 0x11AA99u);
    EXPECT_EQ(lv_color_to_u32(lv_color_hex(0x123456)), 0xFF123456u);
    EXPECT_EQ(lv_color_to_u16(lv_color_hex(0xFF0000)), 0xF800);
    EXPECT_EQ(lv_color_to_int(lv_color_lighten(lv_color_hex(0x000000), LV_OPA_COVER)), 0xFFFFFFu);
    EXPECT_EQ(lv_color_to_int(lv_color_darken(lv_color_hex(0xFFFFFF), LV_OPA_50)), 0x808080u);
    EXPECT_EQ(lv_color_luminance(lv_color_white()), 255);

    const lv_color_t red = lv_color_hsv_to_rgb(0, 100, 100);
    EXPECT_EQ(lv_color_to_int(red), 0xFF0000u);
    const lv_color_hsv_t hsv = lv_color_to_hsv(lv_color_hex(0x00FF00));
    EXPECT_EQ(hsv.h, 120);
    EXPECT_EQ(hsv.s, 100);
    EXPECT_EQ(hsv.v, 100);

    EXPECT_EQ(lv_color_to_int(lv_palette_main(LV_PALETTE_BLUE)), 0x2196F3u);
    EXPECT_EQ(lv_color_to_int(lv_palette_lighten(LV_PALETTE_GREY, 2)), 0xE0E0E0u);
    EXPECT_EQ(lv_color_to_int(lv_palette_darken(LV_PALETTE_GREY, 4)), 0x212121u);
    EXPECT_EQ(lv_color_to_int(lv_palette_lighten(LV_PALETTE_RED, 6)), 0u); // invalid level
    EXPECT_EQ(lv_color_to_int(lv_palette_main(LV_PALETTE_LAST)), 0u);      // invalid palette

    EXPECT_EQ(lv_color_format_get_size(LV_COLOR_FORMAT_RGB888), 3);
    EXPECT_EQ(lv_color_format_get_bpp(LV_COLOR_FORMAT_A4), 4);
    EXPECT_TRUE(lv_color_format_has_alpha(LV_COLOR_FORMAT_ARGB8888));
    EXPECT_FALSE(lv_color_format_has_alpha(LV_COLOR_FORMAT_RGB565));
}

// Cached and very large corners follow the same shape: mirrored left to
// right, and the pixel the circle crosses at 45 degrees (723 r / 1024 from the
// centre) covered by the triangle of its fraction.
TEST(RoundedCoverage, CornersAreSymmetricWithTheDiagonalPixelRule) {
    using namespace gui::draw::raster;
    struct Case {
        int32_t r;
        uint8_t diagonal;
    };
    for (const Case c : {Case{8, 192}, Case{40, 16}, Case{600, 176}}) {
        SCOPED_TRACE(c.r);
        const int32_t side = 2 * c.r + 10;
        const lv_area_t a{0, 0, side - 1, side - 1};
        std::vector<uint8_t> row(side);
        int32_t f, l;
        ASSERT_TRUE(rrect_row(a, c.r, 0, 0, side - 1, row.data(), &f, &l));
        EXPECT_GT(f, 0);             // the very corner is outside
        EXPECT_EQ(side - 1 - l, f);  // left and right mirror each other
        EXPECT_EQ(row[side / 2], 255); // the straight part of the top edge is covered
        for (int32_t x = 0; x < side / 2; x++) ASSERT_EQ(row[x], row[side - 1 - x]);

        const int32_t d = c.r - 1 - (723 * c.r >> 10);
        ASSERT_TRUE(rrect_row(a, c.r, d, 0, side - 1, row.data(), &f, &l));
        EXPECT_EQ(row[d], c.diagonal);
        EXPECT_EQ(row[side - 1 - d], c.diagonal);
        EXPECT_FALSE(rrect_row(a, c.r, side, 0, side - 1, row.data(), &f, &l)); // below the box
    }
}

} // namespace
