#include "charsets.hpp"

#include <algorithm>

namespace fontgen {

namespace {

constexpr uint32_t kFirstPrintable = 0x20;
constexpr uint32_t kLastPrintable = 0x7E;

// The fixed Chinese labels' characters, in code order.
constexpr std::array<uint32_t, 29> kMainChinese = {
    0x4ED6, 0x4FE1, 0x5165, 0x5176, 0x51FA, 0x53F0, 0x5668, 0x56DB, 0x5C4F, 0x5E55,
    0x606F, 0x6211, 0x64AD, 0x653E, 0x661F, 0x6700, 0x671F, 0x6E90, 0x7535, 0x7684,
    0x7EDC, 0x7F51, 0x7F6E, 0x8BBE, 0x8F93, 0x8FD1, 0x97F3, 0x9884, 0x9891,
};

// The new-line symbol (an arrow down, then left) has no code point of its
// own in the symbol face: it is the level-down arrow turned a quarter.
constexpr uint32_t kNewLine = 0xF8A2;
constexpr uint32_t kLevelDown = 0xF3BE;

// The library's boxes of the symbols whose grid-fitted rendering here lands
// a pixel off at 14, 24 and 48 px, and of the new-line symbol, which Font
// Awesome 5 lacks (it is the turned level-down arrow here): these glyphs
// are stretched onto the library's box and advance.
struct SizedFit {
    int size;
    FittedGlyph glyph;
};
constexpr std::array<SizedFit, 21> kFittedSymbols = {{
    {14, {0xF095, {15, 15, -1, -2, 224}}}, {14, {0xF0E7, {10, 15, -1, -2, 140}}}, {14, {0xF304, {15, 15, -1, -2, 224}}},
    {14, {0xF8A2, {15, 10, 0, 0, 225}}},   {24, {0xF015, {27, 22, 0, -2, 432}}},  {24, {0xF095, {25, 25, -1, -3, 384}}},
    {24, {0xF0E7, {17, 24, -1, -3, 240}}}, {24, {0xF0F3, {21, 24, 0, -3, 336}}},  {24, {0xF1EB, {30, 23, 0, -2, 480}}},
    {24, {0xF304, {25, 25, -1, -4, 384}}}, {24, {0xF55A, {30, 18, 0, 0, 480}}},   {24, {0xF8A2, {25, 16, 0, 1, 386}}},
    {48, {0xF00D, {33, 34, 0, 1, 528}}},   {48, {0xF015, {54, 42, 0, -3, 864}}},  {48, {0xF095, {49, 49, -1, -6, 768}}},
    {48, {0xF0E7, {32, 48, -1, -6, 480}}}, {48, {0xF0F3, {42, 48, 0, -6, 672}}},  {48, {0xF1EB, {60, 44, 0, -3, 960}}},
    {48, {0xF304, {49, 49, -1, -7, 768}}}, {48, {0xF55A, {60, 36, 0, 0, 960}}},   {48, {0xF8A2, {49, 31, 0, 3, 773}}},
}};

constexpr int kMainPixelAdvance = 24;
constexpr int kMainLineHeight = 28;
constexpr int kMainBaseLine = 6;
constexpr int kMainUnderlinePosition = -2;
constexpr int kMainUnderlineThickness = 1;

bool in_main_map2(uint32_t cp)
{
    return cp == kBullet || std::binary_search(kMainChinese.begin(), kMainChinese.end(), cp);
}

}  // namespace

std::vector<uint32_t> printable_ascii()
{
    std::vector<uint32_t> cps;
    for (uint32_t c = kFirstPrintable; c <= kLastPrintable; ++c) cps.push_back(c);
    return cps;
}

std::optional<FontRecipe> builtin_font_recipe(int size)
{
    auto m = std::find_if(kBuiltinMetrics.begin(), kBuiltinMetrics.end(),
                          [size](const BuiltinMetrics & b) { return b.size == size; });
    if (m == kBuiltinMetrics.end()) return std::nullopt;
    FontRecipe s;
    s.name = "lv_font_montserrat_" + std::to_string(size);
    s.pixel_size = size;
    s.bpp = 4;
    s.line_height = m->line_height;
    s.base_line = m->base_line;
    s.underline_position = m->underline_position;
    s.underline_thickness = m->underline_thickness;
    std::vector<uint32_t> extra{kDegreeSign, kBullet};
    extra.insert(extra.end(), kSymbols.begin(), kSymbols.end());
    s.maps = {printable_ascii(), extra};
    s.turned = {{kNewLine, kLevelDown}};
    for (const SizedFit & f : kFittedSymbols) {
        if (f.size == size) s.fitted.push_back(f.glyph);
    }
    return s;
}

FontRecipe main_font_recipe()
{
    FontRecipe s;
    s.name = "ui_font_font_main";
    s.pixel_size = kMainPixelAdvance;
    s.bpp = 8;
    s.large_glyph_dsc = true;
    s.line_height = kMainLineHeight;
    s.base_line = kMainBaseLine;
    s.underline_position = kMainUnderlinePosition;
    s.underline_thickness = kMainUnderlineThickness;
    std::vector<uint32_t> map2{kBullet};
    map2.insert(map2.end(), kMainChinese.begin(), kMainChinese.end());
    s.maps = {printable_ascii(), map2};
    s.fixed_adv16 = kMainPixelAdvance * 16;
    s.has_fixed_advance = in_main_map2;
    return s;
}

}  // namespace fontgen
