// Anti-aliased rounded corners through the public API: the coverage of each
// corner pixel comes from a 4x supersampled midpoint circle per radius, with
// its own rule for the pixel the circle crosses at 45 degrees, and the same
// values at all four corners.
#include "gui_fixture.hpp"
#include "render_helpers.hpp"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kGround = 0x201010; // dark, red 32
constexpr uint32_t kBox = 0x9C2020;    // red 156
constexpr int32_t kX = 30;
constexpr int32_t kY = 40;
constexpr int32_t kW = 60;
constexpr int32_t kH = 50;

class Corners : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        // An ARGB8888 display: coverage m mixes in by / 255, as in the worked
        // examples (the XRGB8888 rule is in blend_test.cpp).
        lv_display_set_color_format(display(), LV_COLOR_FORMAT_ARGB8888);
        test_support::set_ground(kGround);
        box = test_support::filled_box(lv_screen_active(), kX, kY, kW, kH, kBox);
        lv_obj_set_style_radius(box, 8, 0);
    }

    // Red of the corner pixel `dx` px in from the left or right edge and
    // `dy` px in from the top or bottom edge.
    static uint8_t red(const test_support::Image & img, int32_t dx, int32_t dy, bool right, bool bottom)
    {
        const int32_t x = right ? kX + kW - 1 - dx : kX + dx;
        const int32_t y = bottom ? kY + kH - 1 - dy : kY + dy;
        return test_support::red_at(img, x, y);
    }

    lv_obj_t * box = nullptr;
};

uint8_t shown(uint8_t coverage)
{
    return lv_color_mix(lv_color_hex(kBox), lv_color_hex(kGround), coverage).red;
}

TEST_F(Corners, RadiusEightTopRowOnTheLeft)
{
    // Sub-rows 5-8 of the radius-32 circle end at x 32, 31, 31, 31: 16 (4 + 3 + 3 + 3)
    // = 208; 9-12 give 144, 13-16 give 32. Read across the top row they are
    // pixels 34, 35 and 36: red 32 + 124 m / 255.
    const test_support::Image & img = render();
    const uint8_t expected[] = {32, 47, 102, 133, 156};
    for (int32_t i = 0; i < 5; i++) EXPECT_EQ(test_support::red_at(img, 33 + i, kY), expected[i]) << "x " << 33 + i;
}

struct CornerPixel {
    int32_t dx;
    int32_t dy;
    uint8_t coverage;
};

TEST_F(Corners, AllFourCornersShareOneTable)
{
    const CornerPixel pixels[] = {
        {0, 0, 0},   {3, 0, 0},   {4, 0, 32},  {5, 0, 144}, {6, 0, 208}, {7, 0, 255}, // top row
        {0, 4, 32},  {0, 5, 144}, {0, 6, 208}, {0, 7, 255},                           // left column
        {1, 1, 0},   {1, 3, 128}, {3, 1, 128}, {2, 2, 192}, // 45 degrees: 723 * 8 = 5 * 1024 + 664
        {2, 3, 255}, {3, 2, 255}, {8, 0, 255}, {0, 8, 255},
    };
    const test_support::Image & img = render();
    for (const bool right : {false, true}) {
        for (const bool bottom : {false, true}) {
            for (const CornerPixel & p : pixels) {
                EXPECT_EQ(red(img, p.dx, p.dy, right, bottom), shown(p.coverage))
                    << (bottom ? "bottom " : "top ") << (right ? "right" : "left") << " corner, " << p.dx << " in, "
                    << p.dy << " down";
            }
        }
    }
}

TEST_F(Corners, RadiusOneCornerAndStraightEdges)
{
    lv_obj_set_style_radius(box, 1, 0);
    const test_support::Image & img = render();
    // A circle of radius 4 sub-pixels has no full rows of four: only its 45-degree pixel.
    EXPECT_EQ(red(img, 0, 0, false, false), shown(208));
    EXPECT_EQ(red(img, 0, 0, true, true), shown(208));
    EXPECT_EQ(red(img, 1, 0, false, false), 156);
    EXPECT_EQ(red(img, 0, 1, true, false), 156);
}

TEST_F(Corners, BorderCornersUseTheSameTable)
{
    // A border is the box minus a hole with the inner radius: its outer edge
    // matches the filled box.
    lv_obj_set_style_bg_opa(box, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(box, 3, 0);
    lv_obj_set_style_border_color(box, lv_color_hex(kBox), 0);
    const test_support::Image & img = render();
    EXPECT_EQ(red(img, 4, 0, false, false), shown(32));
    EXPECT_EQ(red(img, 5, 0, false, false), shown(144));
    EXPECT_EQ(red(img, 6, 0, true, true), shown(208));
    EXPECT_EQ(red(img, kW / 2, 3, false, false), 32) << "inside the border";
}

} // namespace
