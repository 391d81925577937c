// Scaled and rotated images through the public API: the box they cover, and
// which source pixels each screen pixel samples (nearest pixel, mixed with the
// neighbour it leans to when anti-aliased).
#include "gui_fixture.hpp"
#include "render_helpers.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using test_support::color_at;

constexpr uint32_t kGround = 0x000000;

// Column colour k of the test pictures (rows are alike unless said otherwise).
lv_color_t column_color(int32_t k)
{
    return lv_color_make(static_cast<uint8_t>(8 * k), static_cast<uint8_t>(255 - 2 * k), 0x40);
}

lv_color_t row_color(int32_t r)
{
    return lv_color_make(0x40, static_cast<uint8_t>(2 * r), static_cast<uint8_t>(250 - 2 * r));
}

class ImageTransform : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        test_support::set_ground(kGround);
    }

    // An opaque size x size picture coloured per column (or per row).
    lv_obj_t * picture(int32_t size, bool by_row, int32_t x, int32_t y)
    {
        pixels = test_support::argb8888_pixels(size, size, [by_row](int32_t c, int32_t r) {
            return test_support::Argb{by_row ? row_color(r) : column_color(c), 0xFF};
        });
        dsc = test_support::argb8888_image(pixels, size, size);
        return test_support::image_at(lv_screen_active(), &dsc, x, y);
    }

    static int32_t ext_draw_size(lv_obj_t * obj)
    {
        int32_t size = 0;
        lv_obj_send_event(obj, LV_EVENT_REFR_EXT_DRAW_SIZE, &size);
        return size;
    }

    std::vector<uint8_t> pixels;
    lv_image_dsc_t dsc{};
};

#define EXPECT_COLOR(actual, expected)                                                                  \
    EXPECT_EQ(lv_color_to_int(actual), lv_color_to_int(expected))

// Screen column of destination index i of a 2x 32 px picture at x 100: its box is -16..47.
constexpr int32_t kDoubleX = 100;
constexpr int32_t kDoubleY = 100;
int32_t double_column(int32_t i)
{
    return kDoubleX - 16 + i;
}

TEST_F(ImageTransform, DoubleSizeSamplesWithAntiAliasing)
{
    // Row ends map to 0 and 7936 (the last pixel's landing spot 46); the step is
    // 256 * 7936 / 63 = 32247 and pixel i samples 128 + (32247 i >> 8).
    lv_obj_t * img = picture(32, false, kDoubleX, kDoubleY);
    lv_image_set_scale(img, 512);
    const test_support::Image & shot = render();
    const int32_t y = kDoubleY + 4;
    EXPECT_COLOR(color_at(shot, double_column(-1), y), lv_color_hex(kGround)) << "left of the box";
    EXPECT_COLOR(color_at(shot, double_column(0), y), column_color(0)) << "128: the centre of pixel 0";
    EXPECT_COLOR(color_at(shot, double_column(1), y), lv_color_mix(column_color(1), column_color(0), 125)) << "253";
    EXPECT_COLOR(color_at(shot, double_column(2), y), lv_color_mix(column_color(0), column_color(1), 4)) << "379";
    EXPECT_COLOR(color_at(shot, double_column(16), y), lv_color_mix(column_color(7), column_color(8), 32)) << "2143";
    EXPECT_COLOR(color_at(shot, double_column(63), y), column_color(31)) << "8063: pixel 31, leaning back";
    EXPECT_COLOR(color_at(shot, double_column(64), y), lv_color_hex(kGround)) << "right of the box";
}

TEST_F(ImageTransform, DoubleSizeEdgesAreTheOuterPixelsLeaningInward)
{
    // The box's first and last columns and rows sample the centres of the
    // picture's outer pixels leaning inward with weight 0: the pixel's own
    // colour, and an alpha of a * 255 >> 8 where a neighbour differs. The
    // lower half is half transparent: 128 becomes 127 there, mixed into the
    // ground by >> 8. Nothing is drawn outside the box (-16..47 both ways).
    lv_obj_t * img = picture(32, false, kDoubleX, kDoubleY);
    for (size_t i = 16 * 32; i < 32 * 32; i++) pixels[i * 4 + 3] = 128;
    lv_image_set_scale(img, 512);
    const test_support::Image & shot = render();
    const lv_color_t ground = lv_color_hex(kGround);
    const int32_t top = kDoubleY - 16, bottom = kDoubleY + 47;
    for (const int32_t i : {0, 1, 31, 62, 63}) {
        SCOPED_TRACE(i);
        const int32_t x = double_column(i);
        EXPECT_COLOR(color_at(shot, x, top - 1), ground);
        EXPECT_COLOR(color_at(shot, x, top), color_at(shot, x, top + 4)) << "the top row is like the rows below";
        EXPECT_COLOR(color_at(shot, x, bottom + 1), ground);
    }
    const int32_t rows[] = {top, top + 20, bottom - 20, bottom};
    for (const int32_t y : rows) {
        SCOPED_TRACE(y);
        EXPECT_COLOR(color_at(shot, double_column(-1), y), ground);
        EXPECT_COLOR(color_at(shot, double_column(64), y), ground);
    }
    EXPECT_COLOR(color_at(shot, double_column(0), top), column_color(0));
    EXPECT_COLOR(color_at(shot, double_column(63), top), column_color(31));
    EXPECT_COLOR(color_at(shot, double_column(0), bottom), test_support::xrgb_mix(column_color(0), ground, 127));
    EXPECT_COLOR(color_at(shot, double_column(63), bottom), test_support::xrgb_mix(column_color(31), ground, 127));
}

TEST_F(ImageTransform, DoubleSizeWithoutAntiAliasingTakesTheNearestPixel)
{
    lv_obj_t * img = picture(32, false, kDoubleX, kDoubleY);
    lv_image_set_scale(img, 512);
    lv_image_set_antialias(img, false);
    const test_support::Image & shot = render();
    const int32_t y = kDoubleY + 4;
    const int32_t expected_source[][2] = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {16, 8}, {17, 8}, {62, 31}, {63, 31}};
    for (const auto & [i, source] : expected_source) {
        EXPECT_COLOR(color_at(shot, double_column(i), y), column_color(source)) << "destination " << i;
    }
}

TEST_F(ImageTransform, DoubleSizeRowsStepPerChunkOfFortyRows)
{
    // 640 px * 4 bytes * 4 lines / (64 px * 4 bytes) = 40 rows per chunk. The
    // first chunk maps rows -16..23 onto 0..4992: half-pixel steps. The second
    // starts again at row 24 = source 20 and steps 256 * 2816 / 23 = 31342.
    lv_obj_t * img = picture(32, true, kDoubleX, kDoubleY);
    lv_image_set_scale(img, 512);
    const test_support::Image & shot = render();
    const int32_t x = kDoubleX + 10;
    auto row = [](int32_t j) { return kDoubleY - 16 + j; };
    EXPECT_COLOR(color_at(shot, x, row(2)), row_color(1));
    EXPECT_COLOR(color_at(shot, x, row(3)), lv_color_mix(row_color(1), row_color(2), 127));
    EXPECT_COLOR(color_at(shot, x, row(39)), lv_color_mix(row_color(19), row_color(20), 127));
    EXPECT_COLOR(color_at(shot, x, row(40)), row_color(20));
    EXPECT_COLOR(color_at(shot, x, row(41)), lv_color_mix(row_color(21), row_color(20), 122));
}

TEST_F(ImageTransform, NinetyDegreesLeavesTheFirstColumnEmpty)
{
    // 102 px about pixel 51: box [0, 101] both ways; screen column X samples
    // source row 102 - X, so column 0 samples row 102 (outside) and row 0 is
    // never shown.
    constexpr int32_t kX = 350, kY = 100;
    lv_obj_t * img = picture(102, true, kX, kY);
    lv_image_set_rotation(img, 900);
    EXPECT_EQ(ext_draw_size(img), 0);
    const test_support::Image & shot = render();
    for (const int32_t y : {kY, kY + 50, kY + 101}) {
        SCOPED_TRACE(y);
        EXPECT_COLOR(color_at(shot, kX, y), lv_color_hex(kGround));
        EXPECT_COLOR(color_at(shot, kX + 1, y), row_color(101));
        EXPECT_COLOR(color_at(shot, kX + 2, y), row_color(100));
        EXPECT_COLOR(color_at(shot, kX + 101, y), row_color(1));
        EXPECT_COLOR(color_at(shot, kX + 102, y), lv_color_hex(kGround));
    }
    EXPECT_COLOR(color_at(shot, kX + 50, kY - 1), lv_color_hex(kGround));
    EXPECT_COLOR(color_at(shot, kX + 50, kY + 102), lv_color_hex(kGround));
}

TEST_F(ImageTransform, OneAndAHalfTimesStartsEightyFiveSubpixelsOut)
{
    // 102 px: box -26..126 (153 px); x maps from -85 to 25856 in steps of 43690.
    constexpr int32_t kX = 200, kY = 100;
    lv_obj_t * img = picture(102, false, kX, kY);
    lv_image_set_scale(img, 384);
    EXPECT_EQ(ext_draw_size(img), 26);
    const test_support::Image & shot = render();
    const int32_t y = kY + 50;
    // -85 + 128 = 43: pixel 0 leaning out of the picture, faded to 255 * 43 >> 7 = 85.
    EXPECT_COLOR(color_at(shot, kX - 26, y), test_support::xrgb_mix(column_color(0), lv_color_hex(kGround), 85));
    // 43 + 170 = 213: pixel 0 with 85 of pixel 1.
    EXPECT_COLOR(color_at(shot, kX - 25, y), lv_color_mix(column_color(1), column_color(0), 85));
    EXPECT_COLOR(color_at(shot, kX - 27, y), lv_color_hex(kGround));
}

struct BoxCase {
    const char * name;
    int32_t rotation;
    int32_t scale;
    int32_t ext; // how far the box reaches past the 102 px picture
};

class ImageBox : public ImageTransform, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(ImageBox, ExtraDrawSizeCoversTheTransformedCorners)
{
    lv_obj_t * img = picture(102, false, 200, 100);
    lv_image_set_rotation(img, GetParam().rotation);
    lv_image_set_scale(img, static_cast<uint32_t>(GetParam().scale));
    EXPECT_EQ(ext_draw_size(img), GetParam().ext);
}

INSTANTIATE_TEST_SUITE_P(Transforms, ImageBox,
                         ::testing::Values(BoxCase{"Thirty", 300, 256, 19},       // box -19..119
                                           BoxCase{"OneAndAHalf", 0, 384, 26},    // box -26..126
                                           BoxCase{"Ninety", 900, 256, 0},        // box 0..101
                                           BoxCase{"FortyFiveHalf", 450, 128, 0}, // inside the picture
                                           BoxCase{"ThirtyDouble", 300, 512, 89}),
                         [](const auto & info) { return std::string(info.param.name); });

TEST_F(ImageTransform, TranslucentNeighbourLeavesTwoHundredFiftyThree)
{
    // Row 11 has alpha 128 under opaque row 10. Destination row 20 samples row
    // 10 leaning down with weight 0: 255 * 255 >> 8 = 254; then the opaque
    // horizontal neighbour differs, weight 32: (255 * 32 + 254 * 223) >> 8 = 253,
    // written as it is on an ARGB8888 display.
    lv_display_set_color_format(display(), LV_COLOR_FORMAT_ARGB8888);
    lv_obj_t * img = picture(32, false, kDoubleX, kDoubleY);
    for (int32_t c = 0; c < 32; c++) pixels[(11 * 32 + static_cast<size_t>(c)) * 4 + 3] = 128;
    lv_image_set_scale(img, 512);
    const test_support::Image & shot = render();
    const uint8_t * p = shot.px(double_column(16), kDoubleY - 16 + 20);
    EXPECT_EQ(p[3], 253);
    const lv_color_t expected = lv_color_mix(column_color(7), column_color(8), 32);
    EXPECT_EQ(p[2], expected.red);
    EXPECT_EQ(p[1], expected.green);
}

} // namespace
