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
