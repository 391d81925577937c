// FreeType glue: fonts from files, metrics, glyph bitmaps, failures.
#include "gui/draw/draw.hpp"
#include "image_compare.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// Installed by scripts/setup.sh (fonts-wqy-microhei): Latin and CJK glyphs.
constexpr const char* kFontPath = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

std::vector<std::string> g_log;
void capture(lv_log_level_t, const char* line) { g_log.emplace_back(line); }

class FreeTypeFont : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kFontPath)) GTEST_SKIP() << "font missing: " << kFontPath;
        ASSERT_EQ(lv_freetype_init(64), LV_RESULT_OK);
    }
    void TearDown() override { lv_freetype_uninit(); }
};

TEST_F(FreeTypeFont, MetricsAndGlyphsFromTheFace) {
    lv_font_t* font = lv_freetype_font_create(kFontPath, LV_FREETYPE_FONT_RENDER_MODE_BITMAP, 24,
                                              LV_FREETYPE_FONT_STYLE_NORMAL);
    ASSERT_NE(font, nullptr);
    EXPECT_GE(font->line_height, 24);
    EXPECT_GT(font->base_line, 0);
    EXPECT_GE(font->underline_thickness, 1);
    EXPECT_EQ(font->kerning, LV_FONT_KERNING_NONE);

    for (uint32_t letter : {uint32_t{'A'}, uint32_t{0x4E2D}}) { // 'A' and a CJK ideograph
        SCOPED_TRACE(letter);
        lv_font_glyph_dsc_t g;
        ASSERT_TRUE(lv_font_get_glyph_dsc(font, &g, letter, 0));
        EXPECT_EQ(g.resolved_font, font);
        EXPECT_GT(g.adv_w, 8);
        EXPECT_GT(g.box_w, 4);
        EXPECT_GT(g.box_h, 8);
        std::vector<uint8_t> a8(g.box_w * g.box_h, 0);
        lv_draw_buf_t buf{};
        buf.header.stride = g.box_w;
        buf.data = a8.data();
        buf.data_size = static_cast<uint32_t>(a8.size());
        ASSERT_EQ(lv_font_get_glyph_bitmap(&g, &buf), &buf);
        int solid = 0;
        for (uint8_t v : a8) solid += v == 255;
        EXPECT_GT(solid, 4);
    }
    lv_font_glyph_dsc_t g;
    EXPECT_TRUE(lv_font_get_glyph_dsc(font, &g, '\n', 0)); // control characters are empty
    EXPECT_EQ(g.adv_w, 0);
    EXPECT_FALSE(lv_font_get_glyph_dsc(font, &g, 0x10FFFD, 0)); // not in the face: nothing drawn
    lv_freetype_font_delete(font);
}

TEST_F(FreeTypeFont, SizesOfOneFileShareTheFaceButKeepTheirOwnMetrics) {
    auto make = [](uint32_t px) {
        return lv_freetype_font_create(kFontPath, LV_FREETYPE_FONT_RENDER_MODE_BITMAP, px,
                                       LV_FREETYPE_FONT_STYLE_NORMAL);
    };
    lv_font_t* small = make(16);
    lv_font_t* large = make(32);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_LT(small->line_height, large->line_height);
    const uint16_t small_w = lv_font_get_glyph_width(small, 'W', 0);
    const uint16_t large_w = lv_font_get_glyph_width(large, 'W', 0);
    EXPECT_NEAR(large_w, 2 * small_w, 2);
    lv_freetype_font_delete(large);
    lv_font_glyph_dsc_t g;
    ASSERT_TRUE(lv_font_get_glyph_dsc(small, &g, 'Q', 0)); // still usable after its sibling is gone
    EXPECT_LT(g.box_h, 20);
    lv_freetype_font_delete(small);
}

TEST_F(FreeTypeFont, MissingFileGivesNullAndAnErrorLine) {
    g_log.clear();
    lv_log_register_print_cb(capture);
    lv_font_t* font = lv_freetype_font_create("./no/such/font.ttf", LV_FREETYPE_FONT_RENDER_MODE_BITMAP, 20,
                                              LV_FREETYPE_FONT_STYLE_NORMAL);
    lv_log_register_print_cb(nullptr);
    EXPECT_EQ(font, nullptr);
    ASSERT_FALSE(g_log.empty());
    EXPECT_NE(g_log.back().find("./no/such/font.ttf"), std::string::npos) << g_log.back();
    lv_freetype_font_delete(nullptr);
}

TEST_F(FreeTypeFont, TextRendersThroughTheLabelDrawer) {
    lv_font_t* font = lv_freetype_font_create(kFontPath, LV_FREETYPE_FONT_RENDER_MODE_BITMAP, 24,
                                              LV_FREETYPE_FONT_STYLE_NORMAL);
    ASSERT_NE(font, nullptr);
    gui::draw::Layer layer(lv_area_t{0, 0, 199, 39});
    layer.fill(lv_color32_t{0xFF, 0xFF, 0xFF, 0xFF});
    gui::draw::Target t = layer.target();
    gui::draw::LabelDsc d;
    d.font = font;
    d.text = "Hello \xE4\xB8\xAD\xE6\x96\x87"; // "Hello" and two ideographs
    d.color = lv_color_hex(0x1565C0);
    gui::draw::draw_label(t, lv_area_t{6, 4, 199, 39}, d);
    const test_support::Image img = test_support::from_bgra(layer.data(), 200, 40, layer.stride());
    EXPECT_TRUE(test_support::matches_reference(img, std::string(GUI_REF_DIR) + "/draw/freetype.png", GUI_OUT_DIR,
                                                "draw_freetype"));
    lv_freetype_font_delete(font);
}

} // namespace
