// Where an arc's pixels land: its centre is the corner between four pixels,
// the ring fills the 2r x 2r square around it like a circular border, and the
// angle edges run along pixel edges through the centre.
#include "gui_fixture.hpp"
#include "render_helpers.hpp"

#include <gtest/gtest.h>

namespace {

using test_support::red_at;

constexpr int32_t kX = 220;
constexpr int32_t kY = 260;
constexpr int32_t kSize = 200; // r 100, centre (320, 360), square 220..419
constexpr int32_t kRingWidth = 40;
constexpr int32_t kCx = 320;
constexpr int32_t kCy = 360;
constexpr uint32_t kGround = 0xFFFFFF;

class ArcRender : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        test_support::set_ground(kGround);
    }

    // A black ring without indicator and knob over [start, end] degrees.
    lv_obj_t * ring(int32_t start, int32_t end)
    {
        lv_obj_t * arc = lv_arc_create(lv_screen_active());
        lv_obj_set_pos(arc, kX, kY);
        lv_obj_set_size(arc, kSize, kSize);
        lv_arc_set_bg_angles(arc, start, end);
        lv_obj_set_style_arc_width(arc, kRingWidth, 0);
        lv_obj_set_style_arc_color(arc, lv_color_black(), 0);
        lv_obj_set_style_arc_rounded(arc, false, 0);
        lv_obj_set_style_arc_opa(arc, LV_OPA_TRANSP, LV_PART_INDICATOR);
        lv_obj_set_style_bg_opa(arc, LV_OPA_TRANSP, LV_PART_KNOB);
        return arc;
    }
};

TEST_F(ArcRender, FullRingEdgesOnTheRowsThroughTheCentre)
{
    ring(0, 360);
    const test_support::Image & img = render();
    // Rows 359 and 360 meet at the centre: no anti-aliasing there.
    for (const int32_t y : {kCy - 1, kCy}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(red_at(img, 219, y), 0xFF);
        EXPECT_EQ(red_at(img, 220, y), 0x00);
        EXPECT_EQ(red_at(img, 259, y), 0x00);
        EXPECT_EQ(red_at(img, 260, y), 0xFF) << "the hole: the square shrunk by the width";
        EXPECT_EQ(red_at(img, 379, y), 0xFF);
        EXPECT_EQ(red_at(img, 380, y), 0x00);
        EXPECT_EQ(red_at(img, 419, y), 0x00);
        EXPECT_EQ(red_at(img, 420, y), 0xFF);
    }
    // The columns through the centre likewise.
    EXPECT_EQ(red_at(img, kCx, 259), 0xFF);
    EXPECT_EQ(red_at(img, kCx - 1, 260), 0x00);
    EXPECT_EQ(red_at(img, kCx, 459), 0x00);
    EXPECT_EQ(red_at(img, kCx - 1, 460), 0xFF);
}

TEST_F(ArcRender, FullRingIsTheCircularBorderOfTheSameSquare)
{
    lv_obj_t * arc = ring(0, 360);
    const test_support::Image ring_shot = render();
    lv_obj_delete(arc);

    lv_obj_t * border = test_support::bare_box(lv_screen_active(), kX, kY, kSize, kSize);
    lv_obj_set_style_radius(border, LV_RADIUS_CIRCLE, 0);
    lv_obj_set_style_border_width(border, kRingWidth, 0);
    lv_obj_set_style_border_color(border, lv_color_black(), 0);
    const test_support::Image & border_shot = render();

    int32_t differing = 0;
    for (int32_t y = kY - 2; y < kY + kSize + 2; y++) {
        for (int32_t x = kX - 2; x < kX + kSize + 2; x++) differing += red_at(ring_shot, x, y) != red_at(border_shot, x, y);
    }
    EXPECT_EQ(differing, 0);
}

struct Quadrant {
    const char * name;
    int32_t start;
    int32_t end;
    bool right; // x >= 320
    bool lower; // y >= 360
};

class ArcQuadrant : public ArcRender, public ::testing::WithParamInterface<Quadrant> {};

// A quarter arc is exactly the full ring's pixels on its side of the two
// lines through the centre.
TEST_P(ArcQuadrant, IsTheFullRingCutAtPixelEdges)
{
    const Quadrant & q = GetParam();
    lv_obj_t * full = ring(0, 360);
    const test_support::Image full_shot = render();
    lv_obj_delete(full);
    ring(q.start, q.end);
    const test_support::Image & part = render();

    int32_t wrong = 0;
    for (int32_t y = kY; y < kY + kSize; y++) {
        for (int32_t x = kX; x < kX + kSize; x++) {
            const bool inside = (x >= kCx) == q.right && (y >= kCy) == q.lower;
            wrong += red_at(part, x, y) != (inside ? red_at(full_shot, x, y) : 0xFF);
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Quarters, ArcQuadrant,
                         ::testing::Values(Quadrant{"LowerRight", 0, 90, true, true},
                                           Quadrant{"LowerLeft", 90, 180, false, true},
                                           Quadrant{"UpperLeft", 180, 270, false, false},
                                           Quadrant{"UpperRight", 270, 360, true, false}),
                         [](const auto & info) { return std::string(info.param.name); });

TEST_F(ArcRender, IndicatorRadiusShrinksByTheLargestIndicatorPadding)
{
    lv_obj_t * arc = ring(0, 360);
    lv_obj_set_style_arc_opa(arc, LV_OPA_TRANSP, 0);
    lv_obj_set_style_arc_opa(arc, LV_OPA_COVER, LV_PART_INDICATOR);
    lv_obj_set_style_arc_color(arc, lv_color_black(), LV_PART_INDICATOR);
    lv_obj_set_style_arc_width(arc, 10, LV_PART_INDICATOR);
    lv_obj_set_style_pad_left(arc, 5, LV_PART_INDICATOR);
    lv_obj_set_style_pad_top(arc, 15, LV_PART_INDICATOR);
    lv_arc_set_angles(arc, 0, 360);
    const test_support::Image & img = render();
    // r 100 - 15 = 85: the square 235..404, 10 px wide.
    EXPECT_EQ(red_at(img, 234, kCy), 0xFF);
    EXPECT_EQ(red_at(img, 235, kCy), 0x00);
    EXPECT_EQ(red_at(img, 244, kCy), 0x00);
    EXPECT_EQ(red_at(img, 245, kCy), 0xFF);
    EXPECT_EQ(red_at(img, 404, kCy), 0x00);
    EXPECT_EQ(red_at(img, 405, kCy), 0xFF);
}

TEST_F(ArcRender, RoundedEndsAreCirclesSnappedToThePixelGrid)
{
    // Width 20 from 135 to 45 degrees: each cap is a 20 x 20 circle whose
    // centre, (100 - 10) (cos, sin) of the end angle, is snapped to a pixel
    // corner: (256, 424) for the start, (384, 424) for the end, so the caps
    // cover 246..265 and 374..393 over the rows 414..433. In the gap between
    // the ends only the caps draw: the last row is the circle's bottom row,
    // coverage 80, 160, 224, 255, 255, 224, 160, 80 (white minus 255 m >> 8).
    lv_obj_t * arc = ring(135, 45);
    lv_obj_set_style_arc_width(arc, 20, 0);
    lv_obj_set_style_arc_rounded(arc, true, 0);
    const test_support::Image & img = render();
    const uint8_t last_row[] = {174, 94, 30, 0, 0, 30, 94, 174};
    for (const int32_t left : {252, 380}) {
        SCOPED_TRACE(left);
        EXPECT_EQ(red_at(img, left - 1, 433), 0xFF);
        for (int32_t i = 0; i < 8; i++) EXPECT_EQ(red_at(img, left + i, 433), last_row[i]) << "x " << left + i;
        EXPECT_EQ(red_at(img, left + 8, 433), 0xFF);
        for (int32_t x = left - 8; x < left + 16; x++) EXPECT_EQ(red_at(img, x, 434), 0xFF) << "x " << x;
    }
}

} // namespace
