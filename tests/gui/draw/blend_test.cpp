// Blending onto the 32-bit frame buffer through the public API: nearly opaque
// pixels are copied with their own alpha, nearly transparent ones leave the
// pixel alone, the rest mix (F m + B (255 - m)) / 255.
#include "gui_fixture.hpp"
#include "render_helpers.hpp"

#include <gtest/gtest.h>

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

struct AlphaCase {
    uint8_t alpha;
    bool copied;    // the colour replaces the pixel, alpha included
    bool untouched; // the pixel keeps the ground
};

class BlendAlpha : public BlendOnScreen, public ::testing::WithParamInterface<AlphaCase> {};

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

TEST_F(BlendOnScreen, OpacityAndMaskCombineByShiftingRightEight)
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

TEST_F(BlendOnScreen, OpaqueAndSeeThroughPixelsSideBySide)
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

TEST_F(BlendOnScreen, FillWithOpacityTwoHundredFiftyFourKeepsItsAlpha)
{
    lv_obj_t * box = test_support::bare_box(lv_screen_active(), kX, kY, 10, 10);
    lv_obj_set_style_bg_color(box, foreground(), 0);
    lv_obj_set_style_bg_opa(box, 254, 0);
    const uint8_t * p = render().px(kX + 5, kY + 5);
    EXPECT_EQ(p[2], kR);
    EXPECT_EQ(p[3], 254);
}

} // namespace
