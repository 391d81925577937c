// Blending onto the 32-bit frame buffer through the public API. On an XRGB8888
// display (the panel's format) the channels mix (F m + B (255 - m)) >> 8, 253
// and more copy the colour and only 0 leaves the pixel alone. On an ARGB8888
// display nearly opaque pixels are copied with their own alpha, nearly
// transparent ones leave the pixel alone, the rest mix (F m + B (255 - m)) / 255.
#include "gui_fixture.hpp"
#include "render_helpers.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kGround = 0x204060;
constexpr uint8_t kR = 0xF0, kG = 0x80, kB = 0x10;
constexpr int32_t kSize = 8;
constexpr int32_t kX = 100;
constexpr int32_t kY = 100;

lv_color_t foreground()
{
    return lv_color_make(kR, kG, kB);
}

class BlendOnScreen : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        test_support::set_ground(kGround);
    }

    // An image of w x h pixels of pixel(x, y) at (kX, kY).
    template <typename PixelFn>
    lv_obj_t * image(int32_t w, int32_t h, PixelFn pixel)
    {
        pixels = test_support::argb8888_pixels(w, h, pixel);
        dsc = test_support::argb8888_image(pixels, w, h);
        return test_support::image_at(lv_screen_active(), &dsc, kX, kY);
    }

    // An 8 x 8 image of the foreground colour with one alpha.
    lv_obj_t * image(uint8_t alpha)
    {
        return image(kSize, kSize, [alpha](int32_t, int32_t) { return test_support::Argb{foreground(), alpha}; });
    }

    std::vector<uint8_t> pixels;
    lv_image_dsc_t dsc{};
};

class BlendOnArgbDisplay : public BlendOnScreen {
protected:
    void SetUp() override
    {
        BlendOnScreen::SetUp();
        lv_display_set_color_format(display(), LV_COLOR_FORMAT_ARGB8888);
    }
};

struct AlphaCase {
    uint8_t alpha;
    bool copied;    // the colour replaces the pixel, alpha included
    bool untouched; // the pixel keeps the ground
};

class BlendAlpha : public BlendOnArgbDisplay, public ::testing::WithParamInterface<AlphaCase> {};

TEST_P(BlendAlpha, ImagePixelOverOpaqueGround)
{
    const AlphaCase & c = GetParam();
    image(c.alpha);
    const uint8_t * p = render().px(kX + 3, kY + 3);
    const lv_color_t fg = foreground();
    const lv_color_t ground = lv_color_hex(kGround);
    lv_color_t expected = lv_color_mix(fg, ground, c.alpha);
    uint8_t alpha = 0xFF;
    if (c.copied) {
        expected = fg;
        alpha = c.alpha;
    } else if (c.untouched) {
        expected = ground;
    }
    EXPECT_EQ(p[2], expected.red);
    EXPECT_EQ(p[1], expected.green);
    EXPECT_EQ(p[0], expected.blue);
    EXPECT_EQ(p[3], alpha);
}

INSTANTIATE_TEST_SUITE_P(Alphas, BlendAlpha,
                         ::testing::Values(AlphaCase{255, true, false}, AlphaCase{254, true, false},
                                           AlphaCase{253, true, false}, AlphaCase{252, false, false},
                                           AlphaCase{128, false, false}, AlphaCase{3, false, false},
                                           AlphaCase{2, false, true}, AlphaCase{0, false, true}));

TEST_F(BlendOnArgbDisplay, OpacityAndMaskCombineByShiftingRightEight)
{
    // Opacities of 253 and more count as full.
    lv_obj_t * img = image(255);
    lv_obj_set_style_image_opa(img, 254, 0);
    const uint8_t * p = render().px(kX + 3, kY + 3);
    EXPECT_EQ(p[2], kR);
    EXPECT_EQ(p[3], 0xFF);

    // Opacity 200: 255 * 200 >> 8 = 199.
    lv_obj_set_style_image_opa(img, 200, 0);
    const lv_color_t expected = lv_color_mix(foreground(), lv_color_hex(kGround), 199);
    const uint8_t * q = render().px(kX + 3, kY + 3);
    EXPECT_EQ(q[2], expected.red);
    EXPECT_EQ(q[0], expected.blue);
    EXPECT_EQ(q[3], 0xFF);

    // A rounded clip masks the rows of its corners: 255 * 255 >> 8 = 254
    // inside them, untouched alpha in the rows between.
    lv_obj_set_style_image_opa(img, LV_OPA_COVER, 0);
    lv_obj_set_style_radius(img, 3, 0);
    const test_support::Image & shot = render();
    EXPECT_EQ(shot.px(kX + 4, kY)[2], kR);
    EXPECT_EQ(shot.px(kX + 4, kY)[3], 254);
    EXPECT_EQ(shot.px(kX + 4, kY + 4)[3], 0xFF);
}

TEST_F(BlendOnArgbDisplay, OpaqueAndSeeThroughPixelsSideBySide)
{
    // An odd-width row where opaque pixels alternate with half-transparent ones.
    constexpr int32_t kRow = 7;
    image(kRow, 1, [](int32_t x, int32_t) {
        return test_support::Argb{foreground(), static_cast<uint8_t>(x % 3 == 1 ? 128 : 255)};
    });
    const test_support::Image & shot = render();
    const lv_color_t half = lv_color_mix(foreground(), lv_color_hex(kGround), 128);
    for (int32_t x = 0; x < kRow; x++) {
        EXPECT_EQ(shot.px(kX + x, kY)[2], x % 3 == 1 ? half.red : kR) << x;
        EXPECT_EQ(shot.px(kX + x, kY)[3], 0xFF) << x;
    }
    EXPECT_EQ(shot.px(kX + kRow, kY)[2], lv_color_hex(kGround).red);
}

TEST_F(BlendOnArgbDisplay, FillWithOpacityTwoHundredFiftyFourKeepsItsAlpha)
{
    lv_obj_t * box = test_support::bare_box(lv_screen_active(), kX, kY, 10, 10);
    lv_obj_set_style_bg_color(box, foreground(), 0);
    lv_obj_set_style_bg_opa(box, 254, 0);
    const uint8_t * p = render().px(kX + 5, kY + 5);
    EXPECT_EQ(p[2], kR);
    EXPECT_EQ(p[3], 254);
}

// The worked examples of the XRGB8888 rule over the theme's screen colour
// F5F5F5, white and black. lv_color_mix divides by 255 instead: 20 % black
// over F5F5F5 is C4 there, white at 128 over black 80.
struct FillCase {
    const char * name;
    uint32_t ground;
    uint32_t color;
    lv_opa_t opa;
    uint32_t expected;
};

void PrintTo(const FillCase & c, std::ostream * os)
{
    *os << c.name;
}

class XrgbFill : public BlendOnScreen, public ::testing::WithParamInterface<FillCase> {};

TEST_P(XrgbFill, BoxOverTheScreen)
{
    const FillCase & c = GetParam();
    test_support::set_ground(c.ground);
    lv_obj_t * box = test_support::bare_box(lv_screen_active(), kX, kY, 10, 10);
    lv_obj_set_style_bg_color(box, lv_color_hex(c.color), 0);
    lv_obj_set_style_bg_opa(box, c.opa, 0);
    EXPECT_EQ(lv_color_to_int(test_support::color_at(render(), kX + 5, kY + 5)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, XrgbFill,
    ::testing::Values(FillCase{"TwentyPercentBlack", 0xF5F5F5, 0x000000, LV_OPA_20, 0xC3C3C3},
                      FillCase{"MessageBoxBackdrop", 0xF5F5F5, 0x9E9E9E, 127, 0xC8C8C8},
                      FillCase{"ScrollbarOverWhite", 0xFFFFFF, 0x9E9E9E, 102, 0xD7D7D7},
                      FillCase{"HalfWhiteOverWhite", 0xFFFFFF, 0xFFFFFF, 128, 0xFEFEFE},
                      FillCase{"FaintWhiteOverGrey", 0xF5F5F5, 0xFFFFFF, 3, 0xF4F4F4},
                      FillCase{"HalfWhiteOverBlack", 0x000000, 0xFFFFFF, 128, 0x7F7F7F},
                      FillCase{"OpacityTwoIsSkipped", 0xF5F5F5, 0x000000, 2, 0xF5F5F5},
                      FillCase{"OpacityTwoFiftyThreeCopies", 0xF5F5F5, 0x000000, 253, 0x000000}),
    [](const auto & info) { return std::string(info.param.name); });

TEST(ColorMix, DividesByTwoHundredFiftyFive)
{
    EXPECT_EQ(lv_color_to_int(lv_color_mix(lv_color_black(), lv_color_hex(0xF5F5F5), LV_OPA_20)), 0xC4C4C4u);
    EXPECT_EQ(lv_color_to_int(lv_color_mix(lv_color_white(), lv_color_black(), 128)), 0x808080u);
}

// Per pixel the mix factor is the image's alpha: 253 and more copy, 0 keeps
// the pixel, and even 1 and 2 mix (a whole fill of opacity 2 is skipped).
class XrgbAlpha : public BlendOnScreen, public ::testing::WithParamInterface<uint8_t> {};

TEST_P(XrgbAlpha, ImagePixelOverTheScreen)
{
    const uint8_t alpha = GetParam();
    image(alpha);
    const lv_color_t ground = lv_color_hex(kGround);
    lv_color_t expected = test_support::xrgb_mix(foreground(), ground, alpha);
    if (alpha >= LV_OPA_MAX) expected = foreground();
    if (alpha == 0) expected = ground;
    EXPECT_EQ(lv_color_to_int(test_support::color_at(render(), kX + 3, kY + 3)), lv_color_to_int(expected));
}

INSTANTIATE_TEST_SUITE_P(Alphas, XrgbAlpha, ::testing::Values(255, 254, 253, 252, 128, 3, 2, 1, 0));

TEST_F(BlendOnScreen, RoundedCornersMixByShiftingRightEight)
{
    // Radius 8 on a 40 px box: the top row's coverage at x1 + 4..6 is 32, 144
    // and 208 (the corner rule), each the mix factor of the opaque colour.
    lv_obj_t * box = test_support::bare_box(lv_screen_active(), kX, kY, 40, 40);
    lv_obj_set_style_bg_color(box, foreground(), 0);
    lv_obj_set_style_bg_opa(box, LV_OPA_COVER, 0);
    lv_obj_set_style_radius(box, 8, 0);
    const test_support::Image & shot = render();
    const lv_color_t ground = lv_color_hex(kGround);
    const uint8_t coverage[] = {32, 144, 208};
    for (int32_t i = 0; i < 3; i++) {
        const lv_color_t expected = test_support::xrgb_mix(foreground(), ground, coverage[i]);
        EXPECT_EQ(lv_color_to_int(test_support::color_at(shot, kX + 4 + i, kY)), lv_color_to_int(expected)) << i;
    }
}

} // namespace
