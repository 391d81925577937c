// Character sets and metrics of the fonts the build generates.
#pragma once

#include "font_data.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fontgen {

constexpr uint32_t kDegreeSign = 0xB0;
constexpr uint32_t kBullet = 0x2022;

// Private-use code points of the GUI library's symbols (LV_SYMBOL_...).
constexpr std::array<uint32_t, 60> kSymbols = {
    0xF001, 0xF008, 0xF00B, 0xF00C, 0xF00D, 0xF011, 0xF013, 0xF015, 0xF019, 0xF01C, 0xF021, 0xF026,
    0xF027, 0xF028, 0xF03E, 0xF043, 0xF048, 0xF04B, 0xF04C, 0xF04D, 0xF051, 0xF052, 0xF053, 0xF054,
    0xF067, 0xF068, 0xF06E, 0xF070, 0xF071, 0xF074, 0xF077, 0xF078, 0xF079, 0xF07B, 0xF093, 0xF095,
    0xF0C4, 0xF0C5, 0xF0C7, 0xF0C9, 0xF0E0, 0xF0E7, 0xF0EA, 0xF0F3, 0xF11C, 0xF124, 0xF15B, 0xF1EB,
    0xF240, 0xF241, 0xF242, 0xF243, 0xF244, 0xF287, 0xF293, 0xF2ED, 0xF304, 0xF55A, 0xF7C2, 0xF8A2,
};

struct BuiltinMetrics {
    int size;
    int line_height;
    int base_line;
    int underline_position;
    int underline_thickness;
};

// Metrics of the built-in fonts, by pixel size; they fix the line layout
// every widget relies on, so they are kept as given, not measured.
constexpr std::array<BuiltinMetrics, 19> kBuiltinMetrics = {{
    {12, 15, 3, -1, 1}, {14, 16, 3, -1, 1}, {16, 18, 3, -1, 1}, {18, 21, 4, -1, 1}, {20, 22, 4, -1, 1},
    {22, 24, 4, -2, 1}, {24, 27, 5, -2, 1}, {26, 29, 5, -2, 1}, {28, 30, 5, -2, 1}, {30, 33, 6, -2, 2},
    {32, 35, 6, -2, 2}, {34, 38, 7, -3, 2}, {36, 40, 7, -3, 2}, {38, 41, 7, -3, 2}, {40, 44, 8, -3, 2},
    {42, 46, 8, -3, 2}, {44, 49, 9, -3, 2}, {46, 50, 9, -3, 2}, {48, 52, 9, -4, 2},
}};

std::vector<uint32_t> printable_ascii();

// lv_font_montserrat_<size>: printable ASCII, then the degree sign, the
// bullet and the symbols in one sparse map. Empty when the size is not built.
std::optional<FontRecipe> builtin_font_recipe(int size);

// The interface's own label font: printable ASCII, then the bullet and the
// Chinese characters of the fixed labels; all of map 2 advances 24 pixels.
FontRecipe main_font_recipe();

}  // namespace fontgen
