// Compiled-font engine: glyph lookup per cmap type, kerning, bitmap
// conversion, fallbacks and the general font functions.
#include "test_fonts.hpp"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using draw_test::FontBuilder;
using draw_test::GlyphSpec;

// Glyph with advance `px` pixels and an empty box.
GlyphSpec adv_glyph(uint32_t px) { return GlyphSpec{px * 16, 0, 0, 0, 0, {}}; }

// One font with every cmap type; glyph id n advances n px.
class CmapFont : public ::testing::Test {
protected:
    void SetUp() override {
        for (uint32_t id = 1; id <= 10; id++) fb.glyph(adv_glyph(id));
        fb.cmap_tiny('A', 3, 1);                            // A B C -> 1 2 3
        fb.cmap_full('a', 4, {0, 1, 0, 2});                 // a b d -> 4 5 6, c is a hole
        fb.cmap_sparse_tiny(0xB0, 0x2022 - 0xB0 + 1, 7, {0, 0x2022 - 0xB0}); // degree, bullet -> 7 8
        fb.cmap_sparse_full(0x4E00, 0x100, 9, {0x00, 0x10}, {1, 0});        // -> 10 9
        fb.cmap_tiny('c', 1, 3);                            // the hole's letter, found further on
        font = fb.font();
    }
    FontBuilder fb{12, 2, 4};
    lv_font_t* font = nullptr;
};

TEST_F(CmapFont, EachCmapTypeFindsItsGlyphsAndMissesTheRest) {
    struct Case {
        uint32_t letter;
        uint32_t id; // 0: not in the font
    };
    const Case cases[] = {
        {'A', 1},    {'C', 3},    {'D', 0},    {'@', 0},    {'a', 4},    {'b', 5},    {'c', 3}, {'d', 6},
        {0xB0, 7},   {0x2022, 8}, {0xB1, 0},   {0x4E00, 10}, {0x4E10, 9}, {0x4E01, 0}, {0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << c.letter);
        lv_font_glyph_dsc_t g;
        const bool found = lv_font_get_glyph_dsc_fmt_txt(font, &g, c.letter, 0);
        ASSERT_EQ(found, c.id != 0);
        if (!found) continue;
        EXPECT_EQ(g.gid.index, c.id);
        EXPECT_EQ(g.adv_w, c.id);
        EXPECT_EQ(g.format, LV_FONT_GLYPH_FORMAT_A4);
        EXPECT_EQ(g.is_placeholder, 0);
    }
}

TEST_F(CmapFont, GeneralLookupSetsTheResolvedFontAndZeroesMisses) {
    lv_font_glyph_dsc_t g;
    std::memset(&g, 0x5A, sizeof(g));
    ASSERT_FALSE(lv_font_get_glyph_dsc(font, &g, 'Z', 0));
    EXPECT_EQ(g.adv_w, 0);
    EXPECT_EQ(g.box_w, 0);
    EXPECT_EQ(g.resolved_font, nullptr);

    ASSERT_TRUE(lv_font_get_glyph_dsc(font, &g, 'B', 0));
    EXPECT_EQ(g.resolved_font, font);
    EXPECT_EQ(lv_font_get_glyph_width(font, 'd', 0), 6);
    EXPECT_EQ(lv_font_get_glyph_width(font, 'Z', 0), 0);
    EXPECT_EQ(lv_font_get_line_height(font), 12);
}

TEST(FontFallback, MissingGlyphsComeFromTheFallbackChain) {
    FontBuilder first(12, 2, 4), second(20, 4, 4);
    first.glyph(adv_glyph(3));
    first.cmap_tiny('a', 1, 1);
    second.glyph(adv_glyph(7));
    second.cmap_tiny('x', 1, 1);
    lv_font_t* f1 = first.font();
    lv_font_t* f2 = second.font();
    f1->fallback = f2;

    lv_font_glyph_dsc_t g;
    ASSERT_TRUE(lv_font_get_glyph_dsc(f1, &g, 'a', 0));
    EXPECT_EQ(g.resolved_font, f1);
    ASSERT_TRUE(lv_font_get_glyph_dsc(f1, &g, 'x', 0));
    EXPECT_EQ(g.resolved_font, f2);
    EXPECT_EQ(g.adv_w, 7);
    EXPECT_FALSE(lv_font_get_glyph_dsc(f1, &g, 'q', 0)); // in neither: nothing, no placeholder
    EXPECT_EQ(g.is_placeholder, 0);
}

TEST(FontTab, TabIsASpaceWithDoubleAdvanceAndBox) {
    FontBuilder fb(12, 2, 4);
    fb.glyph(GlyphSpec{4 * 16 + 4, 2, 1, 0, 0, {0}}); // 4.25 px
    fb.cmap_tiny(' ', 1, 1);
    lv_font_t* font = fb.font();
    lv_font_glyph_dsc_t g;
    ASSERT_TRUE(lv_font_get_glyph_dsc(font, &g, '\t', 0));
    EXPECT_EQ(g.adv_w, 9); // (68 * 2 + 8) >> 4
    EXPECT_EQ(g.box_w, 4);
    ASSERT_TRUE(lv_font_get_glyph_dsc(font, &g, ' ', 0));
    EXPECT_EQ(g.adv_w, 4);
}

// 'A' 'V' 'T' 'o' with ids 1-4, all 10 px wide.
std::unique_ptr<FontBuilder> kern_font() {
    auto fb = std::make_unique<FontBuilder>(12, 2, 4);
    for (int i = 0; i < 4; i++) fb->glyph(adv_glyph(10));
    fb->cmap_sparse_tiny('A', 'o' - 'A' + 1, 1, {0, 'T' - 'A', 'V' - 'A', 'o' - 'A'}); // A T V o -> 1 2 3 4
    return fb;
}

struct KernCase {
    uint32_t left, right;
    uint16_t scale;
    uint16_t adv;
};

// Pair values (1/16 px at scale 16): A-V -24, T-o -7, V-A -9.
const KernCase kPairCases[] = {
    {'A', 'V', 16, 9},  // (160 - 24 + 8) >> 4
    {'A', 'V', 32, 7},  // value doubled by the scale
    {'T', 'o', 16, 10}, // -7 rounds back up
    {'V', 'A', 16, 9},  // -9 rounds down
    {'A', 'o', 16, 10}, // no pair
    {'A', 0, 16, 10},   // no next letter
    {'A', 'Z', 16, 10}, // next letter not in the font
};

TEST(FontKerning, PairsWithEightBitIds) {
    for (const KernCase& c : kPairCases) {
        auto fb = kern_font();
        fb->kern_pairs8({1, 3, 2, 4, 3, 1}, {-24, -7, -9}); // sorted by left, then right
        fb->kern_scale(c.scale);
        lv_font_t* font = fb->font();
        lv_font_glyph_dsc_t g;
        ASSERT_TRUE(lv_font_get_glyph_dsc(font, &g, c.left, c.right));
        EXPECT_EQ(g.adv_w, c.adv) << char(c.left) << char(c.right) << " scale " << c.scale;
    }
}

TEST(FontKerning, PairsWithSixteenBitIds) {
    for (const KernCase& c : kPairCases) {
        auto fb = kern_font();
        fb->kern_pairs16({1, 3, 2, 4, 3, 1}, {-24, -7, -9});
        fb->kern_scale(c.scale);
        lv_font_t* font = fb->font();
        EXPECT_EQ(lv_font_get_glyph_width(font, c.left, c.right), c.adv) << char(c.left) << char(c.right);
    }
}

TEST(FontKerning, ClassesAndTheKerningSwitch) {
    auto fb = kern_font();
    // Left classes: A -> 1, T -> 2, V -> 1; right classes: V -> 1, o -> 2, A -> 1.
    fb->kern_classes({0, 1, 2, 1, 0}, {0, 1, 0, 1, 2}, 2, 2, {-24, 0, 0, -16});
    lv_font_t* font = fb->font();
    EXPECT_EQ(lv_font_get_glyph_width(font, 'A', 'V'), 9);  // class (1, 1)
    EXPECT_EQ(lv_font_get_glyph_width(font, 'V', 'A'), 9);  // class (1, 1)
    EXPECT_EQ(lv_font_get_glyph_width(font, 'T', 'o'), 9);  // class (2, 2): (160 - 16 + 8) >> 4
    EXPECT_EQ(lv_font_get_glyph_width(font, 'T', 'A'), 10); // class (2, 1) is 0
    EXPECT_EQ(lv_font_get_glyph_width(font, 'o', 'A'), 10); // 'o' has no left class

    lv_font_set_kerning(font, LV_FONT_KERNING_NONE);
    EXPECT_EQ(lv_font_get_glyph_width(font, 'A', 'V'), 10);
}

// Pack `levels` (one per pixel, w per row) at `bpp`, most significant bits
// first; rows continue mid-byte unless `row_aligned`.
std::vector<uint8_t> pack(const std::vector<uint8_t>& levels, int bpp, int w, bool row_aligned) {
    std::vector<uint8_t> out;
    uint32_t acc = 0;
    int nbits = 0;
    auto flush = [&] {
        if (nbits > 0) out.push_back(static_cast<uint8_t>(acc << (8 - nbits)));
        acc = 0;
        nbits = 0;
    };
    for (size_t i = 0; i < levels.size(); i++) {
        acc = (acc << bpp) | levels[i];
        nbits += bpp;
        if (nbits == 8) {
            out.push_back(static_cast<uint8_t>(acc));
            acc = 0;
            nbits = 0;
        }
        if (row_aligned && (i + 1) % w == 0) flush();
    }
    flush();
    return out;
}

struct BppCase {
    int bpp;
    std::vector<uint8_t> levels;   // 3 x 2 pixels
    std::vector<uint8_t> expected; // A8
};

TEST(FontBitmap, ConvertsEachBppToEightBitCoverage) {
    const BppCase cases[] = {
        {1, {1, 0, 1, 0, 1, 1}, {255, 0, 255, 0, 255, 255}},
        {2, {3, 0, 1, 2, 3, 0}, {255, 0, 85, 170, 255, 0}},
        {4, {15, 0, 1, 8, 14, 3}, {255, 0, 17, 136, 238, 51}},
        {8, {255, 0, 7, 128, 200, 1}, {255, 0, 7, 128, 200, 1}},
    };
    for (const BppCase& c : cases) {
        for (bool aligned : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.bpp << " bpp, rows aligned " << aligned);
            FontBuilder fb(12, 2, static_cast<uint8_t>(c.bpp));
            fb.glyph(GlyphSpec{16, 3, 2, 0, 0, pack(c.levels, c.bpp, 3, aligned)});
            fb.cmap_tiny('x', 1, 1);
            if (aligned) fb.row_stride(1);
            lv_font_t* font = fb.font();

            lv_font_glyph_dsc_t g;
            ASSERT_TRUE(lv_font_get_glyph_dsc(font, &g, 'x', 0));
            EXPECT_EQ(g.stride, aligned ? (3 * c.bpp + 7) / 8 : 0);

            uint8_t pixels[3 * 2 + 1];
            std::memset(pixels, 0xEE, sizeof(pixels));
            lv_draw_buf_t buf{};
            buf.header.w = 3;
            buf.header.h = 2;
            buf.header.stride = 3;
            buf.data = pixels;
            buf.data_size = 6;
            ASSERT_EQ(lv_font_get_glyph_bitmap(&g, &buf), &buf);
            EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 6), c.expected);
            EXPECT_EQ(pixels[6], 0xEE); // nothing written past the buffer
        }
    }
}

TEST(FontBitmap, RawRequestsEmptyGlyphsAndShortBuffers) {
    FontBuilder fb(12, 2, 8);
    fb.glyph(GlyphSpec{16, 2, 2, 0, 0, {1, 2, 3, 4}});
    fb.glyph(adv_glyph(4)); // a space: no box
    fb.cmap_tiny('a', 2, 1);
    lv_font_t* font = fb.font();
    const auto* fdsc = static_cast<const lv_font_fmt_txt_dsc_t*>(font->dsc);

    lv_font_glyph_dsc_t g;
    ASSERT_TRUE(lv_font_get_glyph_dsc(font, &g, 'a', 0));
    EXPECT_EQ(lv_font_get_glyph_static_bitmap(&g), fdsc->glyph_bitmap);

    uint8_t small[3];
    lv_draw_buf_t buf{};
    buf.header.stride = 2;
    buf.data = small;
    buf.data_size = sizeof(small);
    EXPECT_EQ(lv_font_get_glyph_bitmap(&g, &buf), nullptr);
    EXPECT_EQ(lv_font_get_glyph_bitmap(&g, nullptr), nullptr);

    ASSERT_TRUE(lv_font_get_glyph_dsc(font, &g, 'b', 0));
    EXPECT_EQ(lv_font_get_glyph_bitmap(&g, &buf), nullptr);
}

} // namespace
