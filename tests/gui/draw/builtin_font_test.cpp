// Text measured with the built-in Montserrat 14: widths of sample strings
// (advances rounded per glyph, kerning against the next character); and a
// built-in glyph as it lands on screen.
#include "gui_fixture.hpp"
#include "lvgl.h"

#include <gtest/gtest.h>

#include <algorithm>

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

class BuiltinFontOnScreen : public test_support::GuiTest {};

// A glyph box's top is the line top + (line height - base line) - box height
// - ofs_y. '0' at 24 pixels (line height 27, base line 5) is 17 rows resting
// on the base line, so it inks rows 5 to 21 of the line and the last of them
// is solid, not the faint overshoot of an unfitted outline one row lower.
TEST_F(BuiltinFontOnScreen, ZeroAt24InksRowsFiveToTwentyOne)
{
    constexpr int32_t x0 = 100, y0 = 60, span = 40;
    lv_obj_t * scr = lv_screen_active();
    lv_obj_set_style_bg_color(scr, lv_color_white(), 0);
    lv_obj_t * label = lv_label_create(scr);
    lv_obj_set_style_text_font(label, &lv_font_montserrat_24, 0);
    lv_obj_set_style_text_color(label, lv_color_black(), 0);
    lv_obj_set_pos(label, x0, y0);
    lv_label_set_text(label, "0");

    const test_support::Image & img = render();
    int32_t first = -1, last = -1;
    int last_darkest = 255;
    for(int32_t y = y0 - 5; y < y0 + span; y++) {
        int darkest = 255;
        for(int32_t x = x0 - 5; x < x0 + span; x++) darkest = std::min<int>(darkest, img.px(x, y)[1]);
        if(darkest == 255) continue;
        if(first < 0) first = y;
        last = y;
        last_darkest = darkest;
    }
    EXPECT_EQ(first - y0, 5);
    EXPECT_EQ(last - y0, 21);
    EXPECT_LE(last_darkest, 51);  // coverage level 12 of 15 or more
}

} // namespace
