// The GUI library's built-in Montserrat fonts: metrics per size, the
// character set with every symbol, size 14's advances and kerned text widths,
// on which the widgets' layout depends, and what tells the typeface release
// and the conversion apart: advances, kerning pairs and grid-fitted boxes.
#include "lvgl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Metrics {
    const lv_font_t* font;
    int size;
    int line_height;
    int base_line;
    int underline_position;
    int underline_thickness;
};

void PrintTo(const Metrics& m, std::ostream* os) { *os << "size " << m.size; }

const Metrics kSizes[] = {
    {&lv_font_montserrat_12, 12, 15, 3, -1, 1}, {&lv_font_montserrat_14, 14, 16, 3, -1, 1},
    {&lv_font_montserrat_16, 16, 18, 3, -1, 1}, {&lv_font_montserrat_18, 18, 21, 4, -1, 1},
    {&lv_font_montserrat_20, 20, 22, 4, -1, 1}, {&lv_font_montserrat_22, 22, 24, 4, -2, 1},
    {&lv_font_montserrat_24, 24, 27, 5, -2, 1}, {&lv_font_montserrat_26, 26, 29, 5, -2, 1},
    {&lv_font_montserrat_28, 28, 30, 5, -2, 1}, {&lv_font_montserrat_30, 30, 33, 6, -2, 2},
    {&lv_font_montserrat_32, 32, 35, 6, -2, 2}, {&lv_font_montserrat_34, 34, 38, 7, -3, 2},
    {&lv_font_montserrat_36, 36, 40, 7, -3, 2}, {&lv_font_montserrat_38, 38, 41, 7, -3, 2},
    {&lv_font_montserrat_40, 40, 44, 8, -3, 2}, {&lv_font_montserrat_42, 42, 46, 8, -3, 2},
    {&lv_font_montserrat_44, 44, 49, 9, -3, 2}, {&lv_font_montserrat_46, 46, 50, 9, -3, 2},
    {&lv_font_montserrat_48, 48, 52, 9, -4, 2},
};

// The symbols in code order, as the widgets write them.
const char* const kSymbols[] = {
    LV_SYMBOL_AUDIO, LV_SYMBOL_VIDEO, LV_SYMBOL_LIST, LV_SYMBOL_OK, LV_SYMBOL_CLOSE, LV_SYMBOL_POWER,
    LV_SYMBOL_SETTINGS, LV_SYMBOL_HOME, LV_SYMBOL_DOWNLOAD, LV_SYMBOL_DRIVE, LV_SYMBOL_REFRESH, LV_SYMBOL_MUTE,
    LV_SYMBOL_VOLUME_MID, LV_SYMBOL_VOLUME_MAX, LV_SYMBOL_IMAGE, LV_SYMBOL_TINT, LV_SYMBOL_PREV, LV_SYMBOL_PLAY,
    LV_SYMBOL_PAUSE, LV_SYMBOL_STOP, LV_SYMBOL_NEXT, LV_SYMBOL_EJECT, LV_SYMBOL_LEFT, LV_SYMBOL_RIGHT,
    LV_SYMBOL_PLUS, LV_SYMBOL_MINUS, LV_SYMBOL_EYE_OPEN, LV_SYMBOL_EYE_CLOSE, LV_SYMBOL_WARNING,
    LV_SYMBOL_SHUFFLE, LV_SYMBOL_UP, LV_SYMBOL_DOWN, LV_SYMBOL_LOOP, LV_SYMBOL_DIRECTORY, LV_SYMBOL_UPLOAD,
    LV_SYMBOL_CALL, LV_SYMBOL_CUT, LV_SYMBOL_COPY, LV_SYMBOL_SAVE, LV_SYMBOL_BARS, LV_SYMBOL_ENVELOPE,
    LV_SYMBOL_CHARGE, LV_SYMBOL_PASTE, LV_SYMBOL_BELL, LV_SYMBOL_KEYBOARD, LV_SYMBOL_GPS, LV_SYMBOL_FILE,
    LV_SYMBOL_WIFI, LV_SYMBOL_BATTERY_FULL, LV_SYMBOL_BATTERY_3, LV_SYMBOL_BATTERY_2, LV_SYMBOL_BATTERY_1,
    LV_SYMBOL_BATTERY_EMPTY, LV_SYMBOL_USB, LV_SYMBOL_BLUETOOTH, LV_SYMBOL_TRASH, LV_SYMBOL_EDIT,
    LV_SYMBOL_BACKSPACE, LV_SYMBOL_SD_CARD, LV_SYMBOL_NEW_LINE,
};

// Size 14's advances of the symbols above, in the same order.
const int kSymbolAdvances14[] = {
    14, 14, 14, 14, 10, 14, 14, 16, 14, 16, 14, 7,  11, 16, 14, 10, 12, 12, 12, 12,
    12, 12, 9,  9,  12, 12, 16, 18, 16, 14, 12, 12, 18, 14, 14, 14, 12, 12, 12, 12,
    14, 9,  12, 12, 16, 14, 11, 18, 18, 18, 18, 18, 18, 18, 12, 12, 14, 18, 11, 14,
};

uint32_t decode_utf8(const char* s) {
    const auto* u = reinterpret_cast<const unsigned char*>(s);
    if (u[0] < 0x80) return u[0];
    if (u[0] < 0xE0) return (u[0] & 0x1Fu) << 6 | (u[1] & 0x3Fu);
    return (u[0] & 0x0Fu) << 12 | (u[1] & 0x3Fu) << 6 | (u[2] & 0x3Fu);
}

const lv_font_fmt_txt_dsc_t& dsc(const lv_font_t* f) { return *static_cast<const lv_font_fmt_txt_dsc_t*>(f->dsc); }

const lv_font_t* font_of_size(int size) {
    for (const Metrics& m : kSizes)
        if (m.size == size) return m.font;
    return nullptr;
}

lv_font_glyph_dsc_t glyph(const lv_font_t* f, uint32_t letter) {
    lv_font_glyph_dsc_t g{};
    EXPECT_TRUE(lv_font_get_glyph_dsc(f, &g, letter, 0)) << std::hex << letter;
    return g;
}

// The stored kerning of a pair in 1/16 pixel, read from the class tables.
int kern16(const lv_font_t* f, uint32_t left, uint32_t right) {
    const auto& k = *static_cast<const lv_font_fmt_txt_kern_classes_t*>(dsc(f).kern_dsc);
    const int l = k.left_class_mapping[glyph(f, left).gid.index];
    const int r = k.right_class_mapping[glyph(f, right).gid.index];
    return l && r ? k.class_pair_values[(l - 1) * k.right_class_cnt + (r - 1)] : 0;
}

// Coverage level (0 to 15) of a pixel of a glyph's box.
int level(const lv_font_t* f, uint32_t letter, int x, int y) {
    const lv_font_glyph_dsc_t g = glyph(f, letter);
    const lv_font_fmt_txt_dsc_t& d = dsc(f);
    const size_t pixel = static_cast<size_t>(y) * g.box_w + x;
    const uint8_t byte = d.glyph_bitmap[d.glyph_dsc[g.gid.index].bitmap_index + pixel / 2];
    return pixel % 2 ? byte & 0x0F : byte >> 4;
}

class BuiltinFont : public ::testing::TestWithParam<Metrics> {};

TEST_P(BuiltinFont, HasTheLineMetricsAndCompiledFormat) {
    const Metrics& m = GetParam();
    EXPECT_EQ(m.font->line_height, m.line_height);
    EXPECT_EQ(lv_font_get_line_height(m.font), m.line_height);
    EXPECT_EQ(m.font->base_line, m.base_line);
    EXPECT_EQ(m.font->underline_position, m.underline_position);
    EXPECT_EQ(m.font->underline_thickness, m.underline_thickness);
    EXPECT_EQ(m.font->subpx, LV_FONT_SUBPX_NONE);
    EXPECT_EQ(m.font->kerning, LV_FONT_KERNING_NORMAL);
    EXPECT_EQ(m.font->fallback, nullptr);
    EXPECT_EQ(m.font->static_bitmap, 0);
    const lv_font_fmt_txt_dsc_t& d = dsc(m.font);
    EXPECT_EQ(d.bpp, 4);
    EXPECT_EQ(d.bitmap_format, LV_FONT_FMT_TXT_PLAIN);
    EXPECT_EQ(d.kern_classes, 1);
    EXPECT_EQ(d.kern_scale, 16);
    EXPECT_EQ(d.stride, 0);
    ASSERT_EQ(d.cmap_num, 2);
    EXPECT_EQ(d.cmaps[0].range_start, 0x20u);
    EXPECT_EQ(d.cmaps[0].range_length, 95);
    EXPECT_EQ(d.cmaps[0].glyph_id_start, 1);
    EXPECT_EQ(d.cmaps[0].type, LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY);
    EXPECT_EQ(d.cmaps[1].range_start, 0xB0u);
    EXPECT_EQ(d.cmaps[1].glyph_id_start, 96);
    EXPECT_EQ(d.cmaps[1].list_length, 62);
    EXPECT_EQ(d.cmaps[1].type, LV_FONT_FMT_TXT_CMAP_SPARSE_TINY);
}

TEST_P(BuiltinFont, DrawsEveryCharacterAndSymbolWithinTheLine) {
    const lv_font_t* f = GetParam().font;
    std::vector<uint32_t> letters;
    for (uint32_t c = 0x21; c <= 0x7E; ++c) letters.push_back(c);
    letters.push_back(0xB0);
    letters.push_back(0x2022);
    for (const char* s : kSymbols) letters.push_back(decode_utf8(s));
    for (uint32_t c : letters) {
        lv_font_glyph_dsc_t g{};
        ASSERT_TRUE(lv_font_get_glyph_dsc(f, &g, c, 0)) << std::hex << c;
        EXPECT_GT(g.box_w, 0) << std::hex << c;
        EXPECT_GT(g.adv_w, 0) << std::hex << c;
        EXPECT_EQ(g.format, LV_FONT_GLYPH_FORMAT_A4) << std::hex << c;
        // Every ink pixel lies inside the line box, with a pixel to spare for
        // the tallest symbols.
        const int top = f->line_height - f->base_line - g.box_h - g.ofs_y;
        EXPECT_GE(top, -1) << std::hex << c;
        EXPECT_LE(top + g.box_h, f->line_height + 1) << std::hex << c;
    }
    lv_font_glyph_dsc_t g{};
    EXPECT_FALSE(lv_font_get_glyph_dsc(f, &g, decode_utf8(LV_SYMBOL_DUMMY), 0));
}

INSTANTIATE_TEST_SUITE_P(EvenSizes, BuiltinFont, ::testing::ValuesIn(kSizes),
                         [](const auto& info) { return "size" + std::to_string(info.param.size); });

TEST(BuiltinFonts, Size14AdvancesMatchTheLibrarysBuiltIn) {
    const std::string chars =
        " !.,:;'\"*-()[]{}/\\|#%&@$+<=>?^`~_0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const std::vector<int> px = {
        4,  4, 3, 3, 3, 3, 3, 6,  6,  5, 5, 5, 5,  5, 5,  5,  5,  5,  4, 10, 12, 10, 15, 9, 8, 8, 8, 8, 8, 8, 8, 8,
        7,  9, 5, 8, 8, 9, 8, 9,  8,  9, 9, 10, 11, 10, 12, 9,  9,  11, 11, 4, 7,  10, 8, 13, 11, 12, 10, 12, 10, 9,
        8,  11, 10, 16, 9, 9, 9, 8, 10, 8, 10, 9, 5, 10, 10, 4, 4, 9, 4, 15, 10, 9, 10, 10, 6, 7, 6, 10, 8, 13, 8, 8, 7,
    };
    ASSERT_EQ(chars.size(), px.size());
    for (size_t i = 0; i < chars.size(); ++i)
        EXPECT_EQ(lv_font_get_glyph_width(&lv_font_montserrat_14, uint8_t(chars[i]), 0), px[i]) << chars[i];
    EXPECT_EQ(lv_font_get_glyph_width(&lv_font_montserrat_14, 0xB0, 0), 6);
    EXPECT_EQ(lv_font_get_glyph_width(&lv_font_montserrat_14, 0x2022, 0), 4);
    ASSERT_EQ(std::size(kSymbols), std::size(kSymbolAdvances14));
    for (size_t i = 0; i < std::size(kSymbols); ++i)
        EXPECT_EQ(lv_font_get_glyph_width(&lv_font_montserrat_14, decode_utf8(kSymbols[i]), 0), kSymbolAdvances14[i])
            << std::hex << decode_utf8(kSymbols[i]);
}

TEST(BuiltinFonts, Size14KernsTextAsTheLibrarysBuiltIn) {
    struct Case {
        const char* text;
        int width;
    };
    // "Text" is 31 pixels without kerning, "Hello world" 83.
    for (Case c : {Case{"Text", 29}, {"Check box", 77}, {"Hello world", 82}, {"OK", 22}, {"Cancel", 49},
                   {"Apply", 42}, {"00:00", 39}, {"12:34", 33}}) {
        lv_point_t size{};
        lv_text_get_size(&size, c.text, &lv_font_montserrat_14, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
        EXPECT_EQ(size.x, c.width) << c.text;
        EXPECT_EQ(size.y, 16) << c.text;
    }
}

// Kerning in font units of the pairs that tell the typeface release and the
// kerning rule apart, stored in 1/16 pixel at every size. '\\j' has +120
// units when every kern lookup is added up, but the first lookup that holds
// '\\' gives it class 0's zero, and that value stands.
TEST(BuiltinFonts, KerningIsTheFirstApplyingLookupOfTheFace) {
    struct Case {
        char left, right;
        int units;
    };
    const Case cases[] = {{'*', 'i', 80}, {'i', 'T', -84}, {'L', 'T', -65}, {'\\', 'j', 0}, {'A', 'V', -37}, {'T', 'o', -55}};
    for (int size : {14, 24, 48}) {
        const lv_font_t* f = font_of_size(size);
        for (Case c : cases) {
            const int expected = static_cast<int>(std::lround(c.units * size * 16 / 1000.0));
            EXPECT_EQ(kern16(f, uint8_t(c.left), uint8_t(c.right)), expected)
                << c.left << c.right << " at " << size;
        }
    }
    // The library's own values at 14 pixels, in 1/16 pixel.
    EXPECT_EQ(kern16(&lv_font_montserrat_14, 'T', 'e'), -12);
    EXPECT_EQ(kern16(&lv_font_montserrat_14, 'Y', 'o'), -13);
    EXPECT_EQ(kern16(&lv_font_montserrat_14, 'y', ','), -7);
}

// An advance is round(units * size * 16 / 1000) sixteenths, and the kerned
// advance rounds once: (advance + kerning + 8) >> 4.
TEST(BuiltinFonts, KernedAdvancesRoundOnceFromSixteenths) {
    struct Case {
        int size;
        char letter, next;
        int px;
    };
    const Case cases[] = {
        {48, 'C', 0, 35},    // 723 units: 555/16
        {48, 'k', 0, 30},    // 616 units: 473/16
        {48, 'i', 'T', 9},   // (214 - 65 + 8) >> 4; 13 unkerned
        {48, '*', 'i', 23},  // (307 + 61 + 8) >> 4
        {24, 'L', 'T', 13},  // (228 - 25 + 8) >> 4
        {24, '\\', 'j', 8}, // (135 + 0 + 8) >> 4; 11 with the lookups summed
    };
    for (Case c : cases)
        EXPECT_EQ(lv_font_get_glyph_width(font_of_size(c.size), uint8_t(c.letter), uint8_t(c.next)), c.px)
            << c.letter << c.next << " at " << c.size;
}

// Heights are fitted to the pixel grid: round shapes lose their overshoot
// below the base line and above the x-height, so 'o' stands exactly as high
// as 'x', and '0' at 24 pixels is 17 rows on the base line with a solid
// bottom row (unfitted it would be 18 rows reaching one row below, the last
// one faint).
TEST_P(BuiltinFont, RoundGlyphsAreFittedToTheBaseLineAndXHeight) {
    const lv_font_t* f = GetParam().font;
    const lv_font_glyph_dsc_t x = glyph(f, 'x');
    for (uint32_t c : {'o', 'c', 'e', 's'}) {
        const lv_font_glyph_dsc_t g = glyph(f, c);
        EXPECT_EQ(g.ofs_y, 0) << char(c);
        EXPECT_EQ(g.box_h, x.box_h) << char(c);
    }
    const lv_font_glyph_dsc_t zero = glyph(f, '0');
    const lv_font_glyph_dsc_t one = glyph(f, '1');
    EXPECT_EQ(zero.ofs_y, 0);
    EXPECT_EQ(zero.box_h, one.box_h);
}

TEST(BuiltinFonts, Size24ZeroIsSeventeenRowsWithASolidBottomRow) {
    const lv_font_t* f = &lv_font_montserrat_24;
    const lv_font_glyph_dsc_t g = glyph(f, '0');
    EXPECT_EQ(g.box_h, 17);
    EXPECT_EQ(g.ofs_y, 0);
    int darkest = 0;
    for (int x = 0; x < g.box_w; ++x) darkest = std::max(darkest, level(f, '0', x, g.box_h - 1));
    EXPECT_GE(darkest, 12);
}

// The box is the fitted outline's box rounded out to whole pixels, so it may
// keep an edge column no ink reaches: 'A' starts one pixel left of the pen
// with an empty first column.
TEST(BuiltinFonts, BoxesKeepEmptyEdgeColumns) {
    for (int size : {14, 24}) {
        const lv_font_t* f = font_of_size(size);
        const lv_font_glyph_dsc_t g = glyph(f, 'A');
        EXPECT_EQ(g.ofs_x, -1) << size;
        for (int y = 0; y < g.box_h; ++y) EXPECT_EQ(level(f, 'A', 0, y), 0) << size << " row " << y;
    }
}

// Symbols that both Font Awesome faces have are drawn from the solid one:
// the middle of the file, the folder and the envelope is filled, where the
// regular face draws only their outline.
TEST(BuiltinFonts, SymbolsComeFromTheSolidFace) {
    for (const char* s : {LV_SYMBOL_FILE, LV_SYMBOL_DIRECTORY, LV_SYMBOL_ENVELOPE}) {
        const uint32_t c = decode_utf8(s);
        const lv_font_glyph_dsc_t g = glyph(&lv_font_montserrat_24, c);
        EXPECT_EQ(level(&lv_font_montserrat_24, c, g.box_w / 2, g.box_h / 2), 15) << std::hex << c;
    }
}

// The library's glyph boxes of the bullet and the symbols at 14, 24 and 48
// px: box width and height, offsets from the pen and the base line, and the
// stored advance in 1/16 px. The new-line symbol has no glyph of its own in
// Font Awesome 5 and is drawn from another symbol, but sits in its box too.
struct SymbolBox {
    int w, h, ofs_x, ofs_y, adv16;
};

struct SymbolCase {
    uint32_t code_point;
    SymbolBox at[3]; // 14, 24 and 48 px
};

const SymbolCase kSymbolBoxes[] = {
    {0x2022, {{4, 3, 0, 3, 70}, {5, 5, 1, 4, 121}, {9, 9, 3, 9, 241}}}, // BULLET
    {0xF001, {{15, 15, -1, -2, 224}, {24, 25, 0, -3, 384}, {48, 49, 0, -6, 768}}}, // AUDIO
    {0xF008, {{14, 11, 0, 0, 224}, {24, 18, 0, 0, 384}, {48, 36, 0, 0, 768}}}, // VIDEO
    {0xF00B, {{14, 13, 0, -1, 224}, {24, 22, 0, -2, 384}, {48, 42, 0, -3, 768}}}, // LIST
    {0xF00C, {{14, 11, 0, 0, 224}, {24, 18, 0, 0, 384}, {48, 36, 0, 0, 768}}}, // OK
    {0xF00D, {{10, 11, 0, 0, 154}, {17, 18, 0, 0, 264}, {33, 34, 0, 1, 528}}}, // CLOSE
    {0xF011, {{14, 15, 0, -2, 224}, {24, 24, 0, -3, 384}, {48, 48, 0, -6, 768}}}, // POWER
    {0xF013, {{14, 15, 0, -2, 224}, {24, 24, 0, -3, 384}, {46, 48, 1, -6, 768}}}, // SETTINGS
    {0xF015, {{16, 13, 0, -1, 252}, {27, 22, 0, -2, 432}, {54, 42, 0, -3, 864}}}, // HOME
    {0xF019, {{14, 15, 0, -2, 224}, {24, 24, 0, -3, 384}, {48, 48, 0, -6, 768}}}, // DOWNLOAD
    {0xF01C, {{16, 11, 0, 0, 252}, {27, 18, 0, 0, 432}, {54, 36, 0, 0, 864}}}, // DRIVE
    {0xF021, {{14, 15, 0, -2, 224}, {24, 26, 0, -4, 384}, {48, 48, 0, -6, 768}}}, // REFRESH
    {0xF026, {{7, 12, 0, -1, 112}, {12, 19, 0, -1, 192}, {24, 38, 0, -1, 384}}}, // MUTE
    {0xF027, {{11, 12, 0, -1, 168}, {18, 19, 0, -1, 288}, {36, 38, 0, -1, 576}}}, // VOLUME_MID
    {0xF028, {{16, 14, 0, -2, 252}, {27, 24, 0, -3, 432}, {54, 46, 0, -5, 864}}}, // VOLUME_MAX
    {0xF03E, {{14, 11, 0, 0, 224}, {24, 18, 0, 0, 384}, {48, 36, 0, 0, 768}}}, // IMAGE
    {0xF043, {{10, 15, 0, -2, 154}, {17, 24, 0, -3, 264}, {33, 48, 0, -6, 528}}}, // TINT
    {0xF048, {{10, 14, 1, -2, 196}, {15, 22, 3, -2, 336}, {30, 44, 6, -4, 672}}}, // PREV
    {0xF04B, {{13, 15, 0, -2, 196}, {21, 26, 0, -4, 336}, {42, 50, 0, -7, 672}}}, // PLAY
    {0xF04C, {{13, 13, 0, -1, 196}, {21, 22, 0, -2, 336}, {42, 43, 0, -3, 672}}}, // PAUSE
    {0xF04D, {{13, 13, 0, -1, 196}, {21, 22, 0, -2, 336}, {42, 42, 0, -3, 672}}}, // STOP
    {0xF051, {{10, 14, 1, -2, 196}, {15, 22, 3, -2, 336}, {30, 44, 6, -4, 672}}}, // NEXT
    {0xF052, {{14, 13, -1, -1, 196}, {23, 22, -1, -2, 336}, {44, 42, -1, -3, 672}}}, // EJECT
    {0xF053, {{9, 13, 0, -1, 140}, {13, 22, 1, -2, 240}, {26, 42, 2, -3, 480}}}, // LEFT
    {0xF054, {{9, 13, 0, -1, 140}, {13, 22, 1, -2, 240}, {26, 42, 2, -3, 480}}}, // RIGHT
    {0xF067, {{13, 13, 0, -1, 196}, {21, 22, 0, -2, 336}, {42, 42, 0, -3, 672}}}, // PLUS
    {0xF068, {{13, 4, 0, 3, 196}, {21, 6, 0, 6, 336}, {42, 10, 0, 13, 672}}}, // MINUS
    {0xF06E, {{16, 11, 0, 0, 252}, {27, 18, 0, 0, 432}, {54, 36, 0, 0, 864}}}, // EYE_OPEN
    {0xF070, {{18, 15, 0, -2, 280}, {31, 24, -1, -3, 480}, {60, 48, 0, -6, 960}}}, // EYE_CLOSE
    {0xF071, {{17, 15, -1, -2, 252}, {29, 24, -1, -3, 432}, {56, 48, -1, -6, 864}}}, // WARNING
    {0xF074, {{14, 13, 0, -1, 224}, {24, 22, 0, -2, 384}, {48, 44, 0, -4, 768}}}, // SHUFFLE
    {0xF077, {{13, 8, 0, 1, 196}, {21, 14, 0, 2, 336}, {42, 26, 0, 5, 672}}}, // UP
    {0xF078, {{13, 8, 0, 1, 196}, {21, 14, 0, 2, 336}, {42, 26, 0, 5, 672}}}, // DOWN
    {0xF079, {{18, 11, 0, 0, 280}, {31, 19, -1, -1, 480}, {60, 38, 0, -1, 960}}}, // LOOP
    {0xF07B, {{14, 11, 0, 0, 224}, {24, 18, 0, 0, 384}, {48, 36, 0, 0, 768}}}, // DIRECTORY
    {0xF093, {{14, 15, 0, -2, 224}, {24, 24, 0, -3, 384}, {48, 48, 0, -6, 768}}}, // UPLOAD
    {0xF095, {{15, 15, -1, -2, 224}, {25, 25, -1, -3, 384}, {49, 49, -1, -6, 768}}}, // CALL
    {0xF0C4, {{13, 13, 0, -1, 196}, {22, 22, 0, -2, 336}, {43, 42, 0, -3, 672}}}, // CUT
    {0xF0C5, {{13, 15, 0, -2, 196}, {21, 24, 0, -3, 336}, {42, 48, 0, -6, 672}}}, // COPY
    {0xF0C7, {{13, 13, 0, -1, 196}, {21, 22, 0, -2, 336}, {42, 42, 0, -3, 672}}}, // SAVE
    {0xF0C9, {{13, 12, 0, -1, 196}, {21, 20, 0, -1, 336}, {42, 38, 0, -1, 672}}}, // BARS
    {0xF0E0, {{14, 11, 0, 0, 224}, {24, 18, 0, 0, 384}, {48, 36, 0, 0, 768}}}, // ENVELOPE
    {0xF0E7, {{10, 15, -1, -2, 140}, {17, 24, -1, -3, 240}, {32, 48, -1, -6, 480}}}, // CHARGE
    {0xF0EA, {{13, 15, 0, -2, 196}, {21, 24, 0, -3, 336}, {42, 48, 0, -6, 672}}}, // PASTE
    {0xF0F3, {{13, 15, 0, -2, 196}, {21, 24, 0, -3, 336}, {42, 48, 0, -6, 672}}}, // BELL
    {0xF11C, {{16, 11, 0, 0, 252}, {27, 18, 0, 0, 432}, {54, 36, 0, 0, 864}}}, // KEYBOARD
    {0xF124, {{16, 15, -1, -2, 224}, {26, 26, -1, -4, 384}, {50, 50, -1, -7, 768}}}, // GPS
    {0xF15B, {{11, 15, 0, -2, 168}, {18, 24, 0, -3, 288}, {36, 48, 0, -6, 576}}}, // FILE
    {0xF1EB, {{18, 13, 0, -1, 280}, {30, 23, 0, -2, 480}, {60, 44, 0, -3, 960}}}, // WIFI
    {0xF240, {{18, 10, 0, 0, 280}, {30, 16, 0, 1, 480}, {60, 30, 0, 3, 960}}}, // BATTERY_FULL
    {0xF241, {{18, 10, 0, 0, 280}, {30, 16, 0, 1, 480}, {60, 30, 0, 3, 960}}}, // BATTERY_3
    {0xF242, {{18, 10, 0, 0, 280}, {30, 16, 0, 1, 480}, {60, 30, 0, 3, 960}}}, // BATTERY_2
    {0xF243, {{18, 10, 0, 0, 280}, {30, 16, 0, 1, 480}, {60, 30, 0, 3, 960}}}, // BATTERY_1
    {0xF244, {{18, 10, 0, 0, 280}, {30, 16, 0, 1, 480}, {60, 30, 0, 3, 960}}}, // BATTERY_EMPTY
    {0xF287, {{18, 12, 0, -1, 280}, {31, 20, 0, -1, 480}, {61, 38, 0, -1, 960}}}, // USB
    {0xF293, {{12, 15, 0, -2, 196}, {19, 24, 1, -3, 336}, {36, 48, 3, -6, 672}}}, // BLUETOOTH
    {0xF2ED, {{13, 15, 0, -2, 196}, {21, 24, 0, -3, 336}, {42, 48, 0, -6, 672}}}, // TRASH
    {0xF304, {{15, 15, -1, -2, 224}, {25, 25, -1, -4, 384}, {49, 49, -1, -7, 768}}}, // EDIT
    {0xF55A, {{18, 11, 0, 0, 280}, {30, 18, 0, 0, 480}, {60, 36, 0, 0, 960}}}, // BACKSPACE
    {0xF7C2, {{11, 15, 0, -2, 168}, {18, 24, 0, -3, 288}, {36, 48, 0, -6, 576}}}, // SD_CARD
    {0xF8A2, {{15, 10, 0, 0, 225}, {25, 16, 0, 1, 386}, {49, 31, 0, 3, 773}}}, // NEW_LINE
};

TEST(BuiltinFonts, SymbolBoxesAreTheLibrarysAtFourteenTwentyFourAndFortyEight) {
    const lv_font_t* const fonts[] = {&lv_font_montserrat_14, &lv_font_montserrat_24, &lv_font_montserrat_48};
    for (const SymbolCase& c : kSymbolBoxes) {
        for (size_t i = 0; i < std::size(fonts); ++i) {
            const lv_font_glyph_dsc_t g = glyph(fonts[i], c.code_point);
            const SymbolBox& want = c.at[i];
            const int adv16 = static_cast<int>(dsc(fonts[i]).glyph_dsc[g.gid.index].adv_w);
            EXPECT_EQ((std::vector<int>{g.box_w, g.box_h, g.ofs_x, g.ofs_y, adv16}),
                      (std::vector<int>{want.w, want.h, want.ofs_x, want.ofs_y, want.adv16}))
                << std::hex << "U+" << c.code_point << std::dec << " at " << (i == 0 ? 14 : i == 1 ? 24 : 48)
                << " px (w, h, ofs_x, ofs_y, adv)";
        }
    }
}

}  // namespace
