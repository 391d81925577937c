// Box shadows through the public API: the blurred edge profile, the same on
// every side of the box, and sharp shadows of 3 px and less.
#include "gui_fixture.hpp"
#include "render_helpers.hpp"

#include <gtest/gtest.h>

#include <array>

namespace {

using test_support::green_at;

constexpr uint32_t kGround = 0x102810; // dark, green 40
constexpr uint32_t kShadow = 0x00E5FF; // cyan, green 229
constexpr uint32_t kBox = 0x303030;
constexpr int32_t kBoxX = 102;
constexpr int32_t kBoxY = 100;
constexpr int32_t kBoxW = 200; // right edge at x 301
constexpr int32_t kBoxH = 200;

class Shadows : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        // An ARGB8888 display: coverage m mixes in by / 255, as in the worked
        // examples (the XRGB8888 rule is in blend_test.cpp).
        lv_display_set_color_format(display(), LV_COLOR_FORMAT_ARGB8888);
        test_support::set_ground(kGround);
        box = test_support::filled_box(lv_screen_active(), kBoxX, kBoxY, kBoxW, kBoxH, kBox);
        lv_obj_set_style_shadow_color(box, lv_color_hex(kShadow), 0);
    }

    void shadow(int32_t width, int32_t spread, int32_t radius, int32_t ofs_y = 0)
    {
        lv_obj_set_style_shadow_width(box, width, 0);
        lv_obj_set_style_shadow_spread(box, spread, 0);
        lv_obj_set_style_radius(box, radius, 0);
        lv_obj_set_style_shadow_offset_y(box, ofs_y, 0);
    }

    lv_obj_t * box = nullptr;
};

constexpr int32_t kMidX = kBoxX + kBoxW / 2;
constexpr int32_t kMidY = kBoxY + kBoxH / 2;
constexpr int32_t kRight = kBoxX + kBoxW - 1;
constexpr int32_t kBottom = kBoxY + kBoxH - 1;

TEST_F(Shadows, EdgeProfileOfWidthTwentySpreadFive)
{
    // Core right edge 301 + 5 = 306, two blur passes of 10 px (4 in, 5 out):
    // coverage from x 302 on. On the screen each is the cyan shadow mixed into
    // the dark ground, green 40 + 189 m / 255: 188, 174, 160, 143, 123, 107,
    // 91, 78, 67, 58, 51, 45; a coverage of 2 draws nothing.
    shadow(20, 5, 10);
    const test_support::Image & img = render();
    const std::array<uint8_t, 13> coverage{200, 182, 162, 139, 113, 91, 70, 52, 37, 25, 15, 7, 2};
    for (size_t k = 0; k < coverage.size(); k++) {
        const uint8_t m = coverage[k] > LV_OPA_MIN ? coverage[k] : 0;
        const uint8_t expected = lv_color_mix(lv_color_hex(kShadow), lv_color_hex(kGround), m).green;
        EXPECT_EQ(green_at(img, kRight + 1 + static_cast<int32_t>(k), kMidY), expected) << "x " << kRight + 1 + k;
    }
    EXPECT_EQ(green_at(img, kRight + 1, kMidY), 188);
    EXPECT_EQ(green_at(img, kRight + 5, kMidY), 123) << "113 < 128: the even passes pull the edge 1 px in";
    EXPECT_EQ(green_at(img, 315, kMidY), 40) << "the drawn box ends at core + width / 2 + 1";
}

struct ProfileCase {
    const char * name;
    int32_t width;
    int32_t spread;
    int32_t radius;
};

class ShadowSides : public Shadows, public ::testing::WithParamInterface<ProfileCase> {};

// All four sides read one corner buffer (mirrored or bottom-up), so the
// profile outward from each edge of the box is the same: left and right from
// its last row, top and bottom from its first column, which differ only by
// the rounding of the horizontal and the vertical blur.
TEST_P(ShadowSides, EverySideHasTheSameProfile)
{
    const ProfileCase & c = GetParam();
    shadow(c.width, c.spread, c.radius);
    const test_support::Image & img = render();
    const int32_t reach = c.spread + c.width / 2 + 2;
    bool some_shadow = false;
    for (int32_t k = 0; k < reach; k++) {
        const uint8_t right = green_at(img, kRight + 1 + k, kMidY);
        const uint8_t top = green_at(img, kMidX, kBoxY - 1 - k);
        EXPECT_EQ(green_at(img, kBoxX - 1 - k, kMidY), right) << "left, " << k << " px out";
        EXPECT_EQ(green_at(img, kMidX, kBottom + 1 + k), top) << "bottom, " << k << " px out";
        EXPECT_NEAR(top, right, 2) << k << " px out";
        some_shadow = some_shadow || right != 40;
    }
    EXPECT_TRUE(some_shadow);
    EXPECT_EQ(green_at(img, kRight + reach, kMidY), 40) << "nothing beyond the drawn box";
}

INSTANTIATE_TEST_SUITE_P(Widths, ShadowSides,
                         ::testing::Values(ProfileCase{"EvenPassesSpreadFive", 20, 5, 10},
                                           ProfileCase{"EvenPassesNoSpread", 12, 0, 0},
                                           ProfileCase{"OddPasses", 30, 0, 6},
                                           ProfileCase{"OddWidthLongerSecondPass", 9, 3, 4},
                                           ProfileCase{"SmallestBlur", 4, 2, 0}),
                         [](const auto & info) { return std::string(info.param.name); });

TEST_F(Shadows, ThreePixelsAndLessStaySharp)
{
    // Like the theme's button shadow: no blur, the shape moved down by the offset.
    shadow(3, 0, 0, 2);
    const test_support::Image & img = render();
    const uint8_t full = 229;
    EXPECT_EQ(green_at(img, kMidX, kBottom + 1), full);
    EXPECT_EQ(green_at(img, kMidX, kBottom + 2), full);
    EXPECT_EQ(green_at(img, kMidX, kBottom + 3), 40);
    EXPECT_EQ(green_at(img, kRight + 1, kMidY), 40) << "no blur reaches out sideways";
    EXPECT_EQ(green_at(img, kMidX, kBoxY - 1), 40);
}

TEST_F(Shadows, SeeThroughBackgroundKeepsTheShadowFromUnderIt)
{
    shadow(20, 5, 10);
    lv_obj_set_style_bg_opa(box, LV_OPA_50, 0);
    const test_support::Image & img = render();
    // Inside the box, 1 px in from the edge, only the half-transparent box shows.
    const lv_color_t half = lv_color_mix(lv_color_hex(kBox), lv_color_hex(kGround), LV_OPA_50);
    EXPECT_EQ(green_at(img, kMidX, kMidY), half.green);
    EXPECT_EQ(green_at(img, kRight - 2, kMidY), half.green);
    EXPECT_GT(green_at(img, kRight + 1, kMidY), 100) << "outside it the shadow is as before";
}

} // namespace
