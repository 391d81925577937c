// Text measured with the built-in Montserrat 14: widths of sample strings
// (advances rounded per glyph, kerning against the next character).
#include "lvgl.h"

#include <gtest/gtest.h>

namespace {

TEST(BuiltinFont, SampleStringWidthsWithKerning) {
    struct Case {
        const char* text;
        int32_t width;
    };
    const Case cases[] = {
        {"Text", 29},  {"Check box", 77}, {"Hello world", 82}, {"OK", 22},
        {"Cancel", 49}, {"Apply", 42},    {"00:00", 39},       {"12:34", 33},
    };
    for (const Case& c : cases) {
        lv_point_t size;
        lv_text_get_size(&size, c.text, &lv_font_montserrat_14, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
        EXPECT_EQ(size.x, c.width) << c.text;
        EXPECT_EQ(size.y, 16) << c.text;
    }
}

TEST(BuiltinFont, SymbolsDegreeSignAndMissingGlyphs) {
    const lv_font_t* f = &lv_font_montserrat_14;
    lv_point_t size;
    lv_text_get_size(&size, LV_SYMBOL_PLAY, f, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
    EXPECT_EQ(size.x, 12);
    EXPECT_EQ(lv_font_get_glyph_width(f, 0xB0, 0), 6);   // degree sign
    EXPECT_EQ(lv_font_get_glyph_width(f, 0x2022, 0), 4); // bullet
    EXPECT_EQ(lv_font_get_glyph_width(f, 0x4E2D, 0), 0); // not in the font: no advance, nothing drawn
    lv_text_get_size(&size, "A\xE4\xB8\xAD" "A", f, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
    EXPECT_EQ(size.x, 20);
}

} // namespace
