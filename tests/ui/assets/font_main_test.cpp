// The label font ui_font_font_main: its compiled layout (maps, glyph ids,
// packed 8-bit bitmaps, class kerning) and the advances the pages rely on:
// Chinese characters and the password bullet 24 pixels, missing characters
// nothing at all.
#include "ui/ui_assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr uint32_t kBullet = 0x2022;
// Map 2 after the bullet, in glyph order.
const std::vector<uint32_t> kChinese = {
    0x4ED6, 0x4FE1, 0x5165, 0x5176, 0x51FA, 0x53F0, 0x5668, 0x56DB, 0x5C4F, 0x5E55,
    0x606F, 0x6211, 0x64AD, 0x653E, 0x661F, 0x6700, 0x671F, 0x6E90, 0x7535, 0x7684,
    0x7EDC, 0x7F51, 0x7F6E, 0x8BBE, 0x8F93, 0x8FD1, 0x97F3, 0x9884, 0x9891,
};
constexpr uint32_t kGlyphCount = 126;
constexpr int kWide = 24;

const lv_font_fmt_txt_dsc_t& dsc() { return *static_cast<const lv_font_fmt_txt_dsc_t*>(ui_font_font_main.dsc); }

uint32_t glyph_id(uint32_t letter) {
    lv_font_glyph_dsc_t g{};
    return lv_font_get_glyph_dsc(&ui_font_font_main, &g, letter, 0) ? g.gid.index : 0;
}

TEST(FontMain, FontRecordHasTheFixedMetrics) {
    const lv_font_t& f = ui_font_font_main;
    EXPECT_EQ(f.get_glyph_dsc, &lv_font_get_glyph_dsc_fmt_txt);
    EXPECT_EQ(f.get_glyph_bitmap, &lv_font_get_bitmap_fmt_txt);
    EXPECT_EQ(f.release_glyph, nullptr);
    EXPECT_EQ(f.line_height, 28);
    EXPECT_EQ(f.base_line, 6);
    EXPECT_EQ(f.subpx, LV_FONT_SUBPX_NONE);
    EXPECT_EQ(f.kerning, LV_FONT_KERNING_NORMAL);
    EXPECT_EQ(f.static_bitmap, 0);
    EXPECT_EQ(f.underline_position, -2);
    EXPECT_EQ(f.underline_thickness, 1);
    EXPECT_EQ(f.fallback, nullptr);
    EXPECT_EQ(f.user_data, nullptr);

    const lv_font_fmt_txt_dsc_t& d = dsc();
    EXPECT_EQ(d.bpp, 8);
    EXPECT_EQ(d.cmap_num, 2);
    EXPECT_EQ(d.kern_classes, 1);
    EXPECT_EQ(d.kern_scale, 16);
    EXPECT_EQ(d.bitmap_format, LV_FONT_FMT_TXT_PLAIN);
    EXPECT_EQ(d.stride, 0);
    EXPECT_NE(d.kern_dsc, nullptr);
}

TEST(FontMain, CharacterMapsCoverAsciiThenTheSparseLabelCharacters) {
    const lv_font_fmt_txt_cmap_t* m = dsc().cmaps;
    EXPECT_EQ(m[0].range_start, 0x20u);
    EXPECT_EQ(m[0].range_length, 95);
    EXPECT_EQ(m[0].glyph_id_start, 1);
    EXPECT_EQ(m[0].unicode_list, nullptr);
    EXPECT_EQ(m[0].glyph_id_ofs_list, nullptr);
    EXPECT_EQ(m[0].list_length, 0);
    EXPECT_EQ(m[0].type, LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY);

    EXPECT_EQ(m[1].range_start, kBullet);
    EXPECT_EQ(m[1].range_length, 30832);
    EXPECT_EQ(m[1].glyph_id_start, 96);
    EXPECT_EQ(m[1].glyph_id_ofs_list, nullptr);
    EXPECT_EQ(m[1].type, LV_FONT_FMT_TXT_CMAP_SPARSE_TINY);
    ASSERT_EQ(m[1].list_length, 30);
    ASSERT_NE(m[1].unicode_list, nullptr);
    EXPECT_EQ(m[1].unicode_list[0], 0);
    for (size_t i = 0; i < kChinese.size(); ++i) EXPECT_EQ(m[1].unicode_list[i + 1], kChinese[i] - kBullet) << i;
}

TEST(FontMain, GlyphIdsRunInCodeOrder) {
    struct Case {
        uint32_t letter;
        uint32_t id;
    };
    for (Case c : {Case{' ', 1}, {'!', 2}, {'A', 34}, {'z', 91}, {'~', 95}, {kBullet, 96}, {0x4ED6, 97},
                   {0x7535, 115}, {0x9891, 125}})
        EXPECT_EQ(glyph_id(c.letter), c.id) << std::hex << c.letter;
    // In the map's range but not in its list, below and past the maps.
    for (uint32_t missing : {0x2023u, 0x4E00u, 0x9890u, 0x1Fu, 0x7Fu, 0xE9u, 0x9892u})
        EXPECT_EQ(glyph_id(missing), 0u) << std::hex << missing;
}

TEST(FontMain, BitmapsArePackedBackToBackAtOneBytePerPixel) {
    const lv_font_fmt_txt_glyph_dsc_t* g = dsc().glyph_dsc;
    EXPECT_EQ(g[0].bitmap_index, 0u);
    EXPECT_EQ(g[0].adv_w, 0u);
    EXPECT_EQ(g[0].box_w, 0);
    EXPECT_EQ(g[0].box_h, 0);
    EXPECT_EQ(g[1].box_w * g[1].box_h, 0) << "the space has no ink";
    EXPECT_GT(g[1].adv_w, 0u);
    for (uint32_t id = 1; id < kGlyphCount; ++id)
        EXPECT_EQ(g[id].bitmap_index, g[id - 1].bitmap_index + uint32_t(g[id - 1].box_w) * g[id - 1].box_h) << id;
    // 8 bpp coverage: a solid stroke reaches full coverage.
    const uint32_t l = glyph_id('l');
    const uint8_t* bits = dsc().glyph_bitmap + g[l].bitmap_index;
    uint8_t peak = 0;
    for (uint32_t i = 0; i < uint32_t(g[l].box_w) * g[l].box_h; ++i) peak = std::max(peak, bits[i]);
    EXPECT_GT(peak, 240);
}

TEST(FontMain, ChineseGlyphsAndTheBulletAdvance24Pixels) {
    std::vector<uint32_t> wide = kChinese;
    wide.push_back(kBullet);
    const lv_font_fmt_txt_glyph_dsc_t* g = dsc().glyph_dsc;
    for (uint32_t cp : wide) {
        const uint32_t id = glyph_id(cp);
        ASSERT_NE(id, 0u) << std::hex << cp;
        EXPECT_EQ(g[id].adv_w, uint32_t(kWide * 16)) << std::hex << cp;
        // Whatever follows (kerning included), the pen moves 24 pixels.
        for (uint32_t next : {kBullet, 0x4ED6u, uint32_t('A'), 0u})
            EXPECT_EQ(lv_font_get_glyph_width(&ui_font_font_main, cp, next), kWide) << std::hex << cp;
    }
    for (uint32_t cp : kChinese) {
        const auto& c = g[glyph_id(cp)];
        EXPECT_GE(c.box_w, 18);
        EXPECT_LE(c.box_w, kWide);
        EXPECT_GE(c.box_h, 18);
        EXPECT_LE(c.box_h, kWide);
        EXPECT_LT(c.ofs_y, 0) << "reaches below the base line";
        EXPECT_GE(c.ofs_y, -ui_font_font_main.base_line);
    }
    // The bullet sits in the middle of its 24 pixels.
    const auto& b = g[glyph_id(kBullet)];
    EXPECT_NEAR(2 * b.ofs_x + b.box_w, kWide, 1);
    EXPECT_GT(b.ofs_y, 0);
}

TEST(FontMain, KerningClassesStayWithinTheTableAndSkipTheWideGlyphs) {
    const auto* k = static_cast<const lv_font_fmt_txt_kern_classes_t*>(dsc().kern_dsc);
    ASSERT_GT(k->left_class_cnt, 0);
    ASSERT_GT(k->right_class_cnt, 0);
    for (uint32_t id = 0; id < kGlyphCount; ++id) {
        EXPECT_LE(k->left_class_mapping[id], k->left_class_cnt) << id;
        EXPECT_LE(k->right_class_mapping[id], k->right_class_cnt) << id;
    }
    for (uint32_t id = 96; id < kGlyphCount; ++id) {
        EXPECT_EQ(k->left_class_mapping[id], 0) << id;
        EXPECT_EQ(k->right_class_mapping[id], 0) << id;
    }
    EXPECT_EQ(k->left_class_mapping[0], 0);
    EXPECT_EQ(k->right_class_mapping[0], 0);
}

TEST(FontMain, CharactersOutsideTheFontHaveNoGlyphAndNoWidth) {
    for (uint32_t cp : {0xE9u, 0x4E00u, 0x1F600u, 0x00u}) {
        lv_font_glyph_dsc_t g{};
        EXPECT_FALSE(lv_font_get_glyph_dsc(&ui_font_font_main, &g, cp, 0)) << std::hex << cp;
        EXPECT_EQ(lv_font_get_glyph_width(&ui_font_font_main, cp, 0), 0) << std::hex << cp;
    }
    // A network name with an uncovered character is as wide as without it
    // ("我é的" against "我的").
    lv_point_t with{}, without{};
    lv_text_get_size(&with, "\xE6\x88\x91\xC3\xA9\xE7\x9A\x84", &ui_font_font_main, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
    lv_text_get_size(&without, "\xE6\x88\x91\xE7\x9A\x84", &ui_font_font_main, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
    EXPECT_EQ(without.x, 2 * kWide);
    EXPECT_EQ(with.x, without.x);
    EXPECT_EQ(with.y, 28);
}

}  // namespace
