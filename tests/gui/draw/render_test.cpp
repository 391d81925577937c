// Drawing primitives rendered into a layer and compared with reference images,
// plus exact checks of the colour arithmetic they rest on.
#include "test_fonts.hpp"

#include "gui/draw/blend.hpp"
#include "gui/draw/draw.hpp"
#include "gui_fixture.hpp"
#include "render_helpers.hpp"
#include "image_compare.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace gui::draw;

constexpr lv_color_t kWhite{0xFF, 0xFF, 0xFF};

class Render : public ::testing::Test {
protected:
    static constexpr int32_t kW = 240;
    static constexpr int32_t kH = 160;

    Layer layer{lv_area_t{0, 0, kW - 1, kH - 1}};
    Target t = layer.target();

    void SetUp() override { layer.fill(lv_color32_t{0xF0, 0xF0, 0xF0, 0xFF}); }

    const uint8_t* px(int32_t x, int32_t y) const { return layer.data() + y * layer.stride() + x * 4; }

    void expect_reference(const char* name) {
        const test_support::Image img = test_support::from_bgra(layer.data(), kW, kH, layer.stride());
        EXPECT_TRUE(test_support::matches_reference(img, std::string(GUI_REF_DIR) + "/draw/" + name + ".png",
                                                    GUI_OUT_DIR, std::string("draw_") + name));
    }
};

lv_area_t box(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w - 1, y + h - 1}; }

RectDsc fill(uint32_t rgb, int32_t radius = 0, lv_opa_t opa = LV_OPA_COVER) {
    RectDsc d;
    d.bg_color = lv_color_hex(rgb);
    d.bg_opa = opa;
    d.radius = radius;
    return d;
}

// A 32 x 32 test picture: hue ramp left to right, alpha ramp top to bottom,
// with an opaque black frame.
std::vector<uint8_t> test_picture() {
    constexpr int32_t kSize = 32;
    return test_support::argb8888_pixels(kSize, kSize, [](int32_t x, int32_t y) {
        const bool frame = x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1;
        if (frame) return test_support::Argb{lv_color_black(), 255};
        const lv_color_t c = lv_color_make(static_cast<uint8_t>(x * 8), static_cast<uint8_t>(y * 8),
                                           static_cast<uint8_t>(255 - x * 8));
        return test_support::Argb{c, static_cast<uint8_t>(255 - y * 5)};
    });
}

TEST_F(Render, RectanglesRadiusBorderOutlineAndOpacity) {
    draw_rect(t, box(10, 10, 60, 40), fill(0x2196F3, 10));

    RectDsc bordered = fill(0xFFEB3B, 8, LV_OPA_50);
    bordered.border_width = 3;
    bordered.border_color = lv_color_hex(0xF44336);
    draw_rect(t, box(90, 10, 60, 40), bordered);

    draw_rect(t, box(170, 10, 50, 50), fill(0x4CAF50, LV_RADIUS_CIRCLE));

    RectDsc sides = fill(0xFFFFFF);
    sides.border_width = 4;
    sides.border_color = lv_color_hex(0x673AB7);
    sides.border_side = kBorderSideTop | kBorderSideBottom;
    draw_rect(t, box(10, 80, 60, 40), sides);

    RectDsc outlined = fill(0x9E9E9E, 6);
    outlined.outline_width = 3;
    outlined.outline_pad = 3;
    outlined.outline_color = lv_color_hex(0xFF9800);
    draw_rect(t, box(96, 86, 48, 28), outlined);

    RectDsc ring = fill(0, LV_RADIUS_CIRCLE, LV_OPA_TRANSP);
    ring.border_width = 6;
    ring.border_color = lv_color_hex(0x009688);
    draw_rect(t, box(172, 84, 44, 44), ring);

    expect_reference("rects");
}

TEST_F(Render, ShadowsSpreadOffsetAndSeeThroughBackground) {
    RectDsc a = fill(0xFFFFFF, 8);
    a.shadow_width = 20;
    a.shadow_color = lv_color_hex(0x000000);
    a.shadow_opa = LV_OPA_50;
    a.shadow_ofs_x = 4;
    a.shadow_ofs_y = 6;
    draw_rect(t, box(20, 30, 80, 60), a);

    RectDsc b = fill(0x2196F3, 20, LV_OPA_30); // the shadow does not show through the background
    b.shadow_width = 12;
    b.shadow_spread = 4;
    b.shadow_color = lv_color_hex(0xF44336);
    draw_rect(t, box(140, 30, 70, 70), b);

    expect_reference("shadows");
}

TEST_F(Render, RoundedClipMasksEverythingDrawnInside) {
    t.push_rounded_clip(box(20, 20, 200, 120), 40);
    for (int i = 0; i < 8; i++) draw_rect(t, box(0, i * 20, kW, 10), fill(i % 2 ? 0x3F51B5 : 0xFF5722));
    t.push_rounded_clip(box(120, 60, 80, 60), LV_RADIUS_CIRCLE); // masks nest
    draw_rect(t, box(100, 40, 140, 120), fill(0x8BC34A));
    t.pop_rounded_clip();
    t.pop_rounded_clip();
    draw_rect(t, box(0, 150, 60, 10), fill(0x000000)); // after popping: no mask

    EXPECT_EQ(px(21, 21)[0], 0xF0); // outside the corner: untouched
    EXPECT_EQ(px(10, 155)[0], 0x00);
    expect_reference("clip_corner");
}

TEST_F(Render, ImagesOpacityRecolourTransformAndTiles) {
    const std::vector<uint8_t> pixels = test_picture();
    const lv_image_dsc_t img = test_support::argb8888_image(pixels, 32, 32);
    ImageDsc d;
    d.src = &img;
    draw_image(t, box(8, 8, 32, 32), d);

    ImageDsc half = d;
    half.opa = LV_OPA_50;
    draw_image(t, box(48, 8, 32, 32), half);

    ImageDsc tinted = d;
    tinted.recolor = lv_color_hex(0xFF0000);
    tinted.recolor_opa = LV_OPA_50;
    draw_image(t, box(88, 8, 32, 32), tinted);

    ImageDsc rotated = d;
    rotated.rotation = 300; // 30 degrees clockwise
    rotated.pivot = {16, 16};
    draw_image(t, box(140, 8, 32, 32), rotated);

    ImageDsc scaled = d;
    scaled.scale_x = 512;
    scaled.scale_y = 384;
    draw_image(t, box(8, 56, 32, 32), scaled);

    ImageDsc spun = d;
    spun.rotation = 450;
    spun.scale_x = spun.scale_y = 320;
    spun.pivot = {0, 0};
    draw_image(t, box(130, 60, 32, 32), spun);

    Target tiles = t;
    tiles.clip = box(180, 100, 56, 56);
    ImageDsc tiled = d;
    tiled.tiled = true;
    draw_image(tiles, box(180, 100, 32, 32), tiled);

    expect_reference("images");
}

TEST_F(Render, TextAlignmentWrappingAndDecoration) {
    auto fb = draw_test::make_block_font(8);
    LabelDsc d;
    d.font = fb->font();
    d.color = lv_color_hex(0x212121);
    d.text = "Left aligned";
    draw_label(t, box(8, 8, 224, 12), d);

    d.text = "Centre";
    d.align = LV_TEXT_ALIGN_CENTER;
    d.color = lv_color_hex(0x1976D2);
    draw_label(t, box(8, 28, 224, 12), d);

    d.text = "Right";
    d.align = LV_TEXT_ALIGN_RIGHT;
    d.decor = kDecorUnderline;
    d.color = lv_color_hex(0xD32F2F);
    draw_label(t, box(8, 48, 224, 12), d);

    d.text = "wrapped text in a narrow box";
    d.align = LV_TEXT_ALIGN_LEFT;
    d.decor = kDecorNone;
    d.letter_space = 1;
    d.line_space = 2;
    d.opa = LV_OPA_70;
    d.color = lv_color_hex(0x388E3C);
    draw_label(t, box(8, 72, 100, 80), d);

    // A glyph the font lacks (U+00E9) draws nothing and advances nothing.
    d.text = "a\xC3\xA9" "b";
    d.letter_space = 0;
    d.opa = LV_OPA_COVER;
    d.color = lv_color_hex(0x000000);
    draw_label(t, box(140, 72, 80, 12), d);
    EXPECT_EQ(px(140 + 8 + 1, 72 + 8)[0], 0x00); // 'b' sits right after 'a'

    expect_reference("text");
}

TEST_F(Render, ArcsAndLines) {
    ArcDsc a;
    a.center = {50, 60};
    a.radius = 40;
    a.width = 10;
    a.start_angle = 135;
    a.end_angle = 45;
    a.color = lv_color_hex(0x2196F3);
    a.rounded = true;
    draw_arc(t, a);

    ArcDsc ring = a;
    ring.center = {140, 60};
    ring.start_angle = 0;
    ring.end_angle = 360;
    ring.width = 4;
    ring.rounded = false;
    ring.color = lv_color_hex(0x9E9E9E);
    draw_arc(t, ring);
    ArcDsc part = ring;
    part.width = 8;
    part.start_angle = 270;
    part.end_angle = 0;
    part.color = lv_color_hex(0xF44336);
    draw_arc(t, part);

    LineDsc l;
    l.p1 = {190, 20};
    l.p2 = {230, 140};
    l.width = 6;
    l.round_start = l.round_end = true;
    l.color = lv_color_hex(0x4CAF50);
    draw_line(t, l);
    LineDsc h;
    h.p1 = {10, 130};
    h.p2 = {170, 130};
    h.width = 3;
    h.color = lv_color_hex(0x000000);
    draw_line(t, h);

    expect_reference("arcs");
}

TEST(TextRecolour, CommandsColourTheirTextOnly) {
    auto fb = draw_test::make_block_font(8);
    Layer layer(lv_area_t{0, 0, 63, 11});
    layer.fill(lv_color32_t{0xFF, 0xFF, 0xFF, 0xFF});
    Target t = layer.target();
    LabelDsc d;
    d.font = fb->font();
    d.text = "#0000ff ab#c##";
    d.color = lv_color_hex(0x000000);
    d.flag = LV_TEXT_FLAG_RECOLOR;
    draw_label(t, lv_area_t{0, 0, 63, 11}, d);
    auto at = [&](int glyph) { // centre of the n-th glyph cell
        const uint8_t* p = layer.data() + 8 * layer.stride() + (glyph * 8 + 4) * 4;
        return lv_color_to_int(lv_color_t{p[0], p[1], p[2]});
    };
    EXPECT_EQ(at(0), 0x0000FFu); // a
    EXPECT_EQ(at(1), 0x0000FFu); // b
    EXPECT_EQ(at(2), 0x000000u); // c
    EXPECT_EQ(at(3), 0x000000u); // the literal '#'
    EXPECT_EQ(at(4), 0xFFFFFFu); // nothing more
}

// Drawing keeps one command state over the lines of a pass, from the first
// line that reaches the clip area; line breaking measures each line afresh.
// "#ff0000 one two three# four" at width 70 (Montserrat 14) wraps after
// "two "; its second line (y 16..31) is "three# four".
TEST(TextRecolour, AColourRunsOnAcrossLinesFromTheFirstLineDrawn)
{
    struct Case {
        const char * what;
        lv_area_t clip;
        bool three_red;
        int32_t four_x;  // first column of "four"
    } cases[] = {
        {"whole label drawn", {0, 0, 99, 39}, true, 54},
        {"second line alone", {0, 16, 99, 31}, false, 50},  // the closing '#' opens a command there
    };
    for (const Case & c : cases) {
        Layer layer(lv_area_t{0, 0, 99, 39});
        layer.fill(lv_color32_t{0xFF, 0xFF, 0xFF, 0xFF});
        Target t = layer.target();
        t.clip = c.clip;
        LabelDsc d;
        d.font = &lv_font_montserrat_14;
        d.text = "#ff0000 one two three# four";
        d.color = lv_color_hex(0x000000);
        d.flag = LV_TEXT_FLAG_RECOLOR;
        draw_label(t, lv_area_t{10, 0, 79, 39}, d);
        bool red = false;
        int32_t first_dark = -1;
        for (int32_t x = 10; x < 100; x++) {
            for (int32_t y = 16; y < 32; y++) {
                const uint8_t * p = layer.data() + y * layer.stride() + x * 4;  // B, G, R
                if (p[2] > p[1] + 60) red = red || x < 50;
                if (x >= 50 && first_dark < 0 && p[2] < 160 && p[1] < 160 && std::abs(p[2] - p[1]) < 20) first_dark = x;
            }
        }
        EXPECT_EQ(red, c.three_red) << c.what;
        EXPECT_EQ(first_dark, c.four_x) << c.what;
    }
}

TEST(Blend, MixAndOpacityFollowTheLibraryArithmetic) {
    // (F * m + B * (255 - m)) / 255 with the multiply-shift division.
    const lv_color_t m = mix(lv_color_hex(0xFF8000), lv_color_hex(0x0000FF), 127);
    EXPECT_EQ(m.red, 127);
    EXPECT_EQ(m.green, 63);
    EXPECT_EQ(m.blue, 128);
    EXPECT_EQ(div255(255 * 255), 255u);
    EXPECT_EQ(div255(254), 0u);
    EXPECT_EQ(opa_mix(LV_OPA_50, LV_OPA_50), 63);
    EXPECT_EQ(opa_mix(255, 255, 255), 253);
    // Image recolour moves by m / 256 and replaces at 253 and above.
    const lv_color_t r = recolor(lv_color_hex(0x000000), lv_color_hex(0xFF0000), 128);
    EXPECT_EQ(r.red, 127);
    EXPECT_TRUE(lv_color_eq(recolor(lv_color_hex(0x123456), lv_color_hex(0xABCDEF), 253), lv_color_hex(0xABCDEF)));
}

TEST(Blend, FlatFillWithOpacityOnOpaqueAndTransparentTargets) {
    Layer opaque(box(0, 0, 4, 1));
    opaque.fill(lv_color32_t{0, 0, 0, 255});
    Target ot = opaque.target();
    draw_rect(ot, box(0, 0, 4, 1), fill(0xFFFFFF, 0, LV_OPA_50));
    EXPECT_EQ(opaque.data()[0], 127);
    EXPECT_EQ(opaque.data()[3], 255);

    Layer clear(box(0, 0, 4, 1)); // fully transparent: takes the colour, alpha becomes the opacity
    Target ct = clear.target();
    draw_rect(ct, box(0, 0, 4, 1), fill(0x336699, 0, LV_OPA_50));
    EXPECT_EQ(clear.data()[2], 0x33);
    EXPECT_EQ(clear.data()[3], LV_OPA_50);

    Layer low(box(0, 0, 4, 1)); // opacities of 2 and less draw nothing
    low.fill(lv_color32_t{0, 0, 0, 255});
    Target lt = low.target();
    draw_rect(lt, box(0, 0, 4, 1), fill(0xFFFFFF, 0, LV_OPA_MIN));
    EXPECT_EQ(low.data()[0], 0);
}

TEST(Blend, LayerBlendsBackWithTransformAndOpacity) {
    Layer src(box(10, 10, 20, 20));
    Target st = src.target();
    draw_rect(st, box(10, 10, 20, 20), fill(0xFF0000));
    Layer dst(box(0, 0, 40, 40));
    dst.fill(lv_color32_t{0xFF, 0xFF, 0xFF, 0xFF});
    Target dt = dst.target();
    ImageDsc d;
    d.opa = LV_OPA_50;
    draw_layer(dt, src, d);
    const uint8_t* inside = dst.data() + 20 * dst.stride() + 20 * 4;
    EXPECT_EQ(inside[2], 255);
    EXPECT_EQ(inside[1], 129); // white under red at 255 * 127 >> 8 = 126
    const uint8_t* outside = dst.data() + 5 * dst.stride() + 5 * 4;
    EXPECT_EQ(outside[1], 255);
}

TEST(RectExtra, ShadowAndOutlineReachBeyondTheBox) {
    RectDsc d;
    EXPECT_EQ(rect_extra_size(d), 0);
    d.shadow_width = 20;
    d.shadow_spread = 3;
    d.shadow_ofs_x = -5;
    d.shadow_ofs_y = 2;
    EXPECT_EQ(rect_extra_size(d), 20 / 2 + 1 + 3 + 5);
    RectDsc o;
    o.outline_width = 4;
    o.outline_pad = 2;
    EXPECT_EQ(rect_extra_size(o), 6);
}

} // namespace
