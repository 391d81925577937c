// Colour helpers, colour formats and the palettes.
#include "blend.hpp"

#include "lvgl.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kLightenLevels = 5;
constexpr int kDarkenLevels = 4;

// Main colour followed by the lighter shades 1-5, 0xRRGGBB.
constexpr std::array<std::array<uint32_t, kLightenLevels + 1>, LV_PALETTE_LAST> kMainAndLight = {{
    {0xF44336, 0xEF5350, 0xE57373, 0xEF9A9A, 0xFFCDD2, 0xFFEBEE},  // LV_PALETTE_RED
    {0xE91E63, 0xEC407A, 0xF06292, 0xF48FB1, 0xF8BBD0, 0xFCE4EC},  // LV_PALETTE_PINK
    {0x9C27B0, 0xAB47BC, 0xBA68C8, 0xCE93D8, 0xE1BEE7, 0xF3E5F5},  // LV_PALETTE_PURPLE
    {0x673AB7, 0x7E57C2, 0x9575CD, 0xB39DDB, 0xD1C4E9, 0xEDE7F6},  // LV_PALETTE_DEEP_PURPLE
    {0x3F51B5, 0x5C6BC0, 0x7986CB, 0x9FA8DA, 0xC5CAE9, 0xE8EAF6},  // LV_PALETTE_INDIGO
    {0x2196F3, 0x42A5F5, 0x64B5F6, 0x90CAF9, 0xBBDEFB, 0xE3F2FD},  // LV_PALETTE_BLUE
    {0x03A9F4, 0x29B6F6, 0x4FC3F7, 0x81D4FA, 0xB3E5FC, 0xE1F5FE},  // LV_PALETTE_LIGHT_BLUE
    {0x00BCD4, 0x26C6DA, 0x4DD0E1, 0x80DEEA, 0xB2EBF2, 0xE0F7FA},  // LV_PALETTE_CYAN
    {0x009688, 0x26A69A, 0x4DB6AC, 0x80CBC4, 0xB2DFDB, 0xE0F2F1},  // LV_PALETTE_TEAL
    {0x4CAF50, 0x66BB6A, 0x81C784, 0xA5D6A7, 0xC8E6C9, 0xE8F5E9},  // LV_PALETTE_GREEN
    {0x8BC34A, 0x9CCC65, 0xAED581, 0xC5E1A5, 0xDCEDC8, 0xF1F8E9},  // LV_PALETTE_LIGHT_GREEN
    {0xCDDC39, 0xD4E157, 0xDCE775, 0xE6EE9C, 0xF0F4C3, 0xF9FBE7},  // LV_PALETTE_LIME
    {0xFFEB3B, 0xFFEE58, 0xFFF176, 0xFFF59D, 0xFFF9C4, 0xFFFDE7},  // LV_PALETTE_YELLOW
    {0xFFC107, 0xFFCA28, 0xFFD54F, 0xFFE082, 0xFFECB3, 0xFFF8E1},  // LV_PALETTE_AMBER
    {0xFF9800, 0xFFA726, 0xFFB74D, 0xFFCC80, 0xFFE0B2, 0xFFF3E0},  // LV_PALETTE_ORANGE
    {0xFF5722, 0xFF7043, 0xFF8A65, 0xFFAB91, 0xFFCCBC, 0xFBE9E7},  // LV_PALETTE_DEEP_ORANGE
    {0x795548, 0x8D6E63, 0xA1887F, 0xBCAAA4, 0xD7CCC8, 0xEFEBE9},  // LV_PALETTE_BROWN
    {0x607D8B, 0x78909C, 0x90A4AE, 0xB0BEC5, 0xCFD8DC, 0xECEFF1},  // LV_PALETTE_BLUE_GREY
    {0x9E9E9E, 0xBDBDBD, 0xE0E0E0, 0xEEEEEE, 0xF5F5F5, 0xFAFAFA},  // LV_PALETTE_GREY
}};

// Darker shades 1-4.
constexpr std::array<std::array<uint32_t, kDarkenLevels>, LV_PALETTE_LAST> kDark = {{
    {0xE53935, 0xD32F2F, 0xC62828, 0xB71C1C}, {0xD81B60, 0xC2185B, 0xAD1457, 0x880E4F},
    {0x8E24AA, 0x7B1FA2, 0x6A1B9A, 0x4A148C}, {0x5E35B1, 0x512DA8, 0x4527A0, 0x311B92},
    {0x3949AB, 0x303F9F, 0x283593, 0x1A237E}, {0x1E88E5, 0x1976D2, 0x1565C0, 0x0D47A1},
    {0x039BE5, 0x0288D1, 0x0277BD, 0x01579B}, {0x00ACC1, 0x0097A7, 0x00838F, 0x006064},
    {0x00897B, 0x00796B, 0x00695C, 0x004D40}, {0x43A047, 0x388E3C, 0x2E7D32, 0x1B5E20},
    {0x7CB342, 0x689F38, 0x558B2F, 0x33691E}, {0xC0CA33, 0xAFB42B, 0x9E9D24, 0x827717},
    {0xFDD835, 0xFBC02D, 0xF9A825, 0xF57F17}, {0xFFB300, 0xFFA000, 0xFF8F00, 0xFF6F00},
    {0xFB8C00, 0xF57C00, 0xEF6C00, 0xE65100}, {0xF4511E, 0xE64A19, 0xD84315, 0xBF360C},
    {0x6D4C41, 0x5D4037, 0x4E342E, 0x3E2723}, {0x546E7A, 0x455A64, 0x37474F, 0x263238},
    {0x757575, 0x616161, 0x424242, 0x212121},
}};

bool palette_valid(lv_palette_t p)
{
    if (p >= LV_PALETTE_LAST) {
        LV_LOG_WARN("Invalid palette: %d", static_cast<int>(p));
        return false;
    }
    return true;
}

}  // namespace

extern "C" {

lv_color_t lv_color_hex(uint32_t c)
{
    return lv_color_t{static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>((c >> 8) & 0xFF),
                      static_cast<uint8_t>((c >> 16) & 0xFF)};
}

lv_color_t lv_color_make(uint8_t r, uint8_t g, uint8_t b)
{
    return lv_color_t{b, g, r};
}

lv_color32_t lv_color32_make(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    return lv_color32_t{b, g, r, a};
}

lv_color_t lv_color_hex3(uint32_t c)
{
    auto nibble = [](uint32_t n) { return static_cast<uint8_t>((n << 4) | n); };
    return lv_color_make(nibble((c >> 8) & 0xF), nibble((c >> 4) & 0xF), nibble(c & 0xF));
}

lv_color_t lv_color_white(void)
{
    return lv_color_make(0xFF, 0xFF, 0xFF);
}
lv_color_t lv_color_black(void)
{
    return lv_color_make(0, 0, 0);
}

lv_color32_t lv_color_to_32(lv_color_t color, lv_opa_t opa)
{
    return lv_color32_t{color.blue, color.green, color.red, opa};
}

uint32_t lv_color_to_int(lv_color_t c)
{
    return (static_cast<uint32_t>(c.red) << 16) | (static_cast<uint32_t>(c.green) << 8) | c.blue;
}

uint32_t lv_color_to_u32(lv_color_t color)
{
    return 0xFF000000U | lv_color_to_int(color);
}

uint16_t lv_color_to_u16(lv_color_t color)
{
    return static_cast<uint16_t>(((color.red & 0xF8) << 8) | ((color.green & 0xFC) << 3) | (color.blue >> 3));
}

bool lv_color_eq(lv_color_t c1, lv_color_t c2)
{
    return c1.red == c2.red && c1.green == c2.green && c1.blue == c2.blue;
}

bool lv_color32_eq(lv_color32_t c1, lv_color32_t c2)
{
    return c1.red == c2.red && c1.green == c2.green && c1.blue == c2.blue && c1.alpha == c2.alpha;
}

lv_color_t lv_color_mix(lv_color_t c1, lv_color_t c2, uint8_t mix)
{
    return gui::draw::mix(c1, c2, mix);
}

lv_color_t lv_color_lighten(lv_color_t c, lv_opa_t lvl)
{
    return gui::draw::mix(lv_color_white(), c, lvl);
}

lv_color_t lv_color_darken(lv_color_t c, lv_opa_t lvl)
{
    return gui::draw::mix(lv_color_black(), c, lvl);
}

lv_color_t lv_color_hsv_to_rgb(uint16_t h, uint8_t s, uint8_t v)
{
    const uint32_t h8 = static_cast<uint32_t>(h % 360) * 255 / 360;
    const uint32_t s8 = static_cast<uint32_t>(std::min<uint8_t>(s, 100)) * 255 / 100;
    const uint32_t v8 = static_cast<uint32_t>(std::min<uint8_t>(v, 100)) * 255 / 100;
    const auto val = static_cast<uint8_t>(v8);
    if (s8 == 0) return lv_color_make(val, val, val);

    constexpr uint32_t kRegionSize = 43;
    const uint32_t region = h8 / kRegionSize;
    const uint32_t remainder = (h8 - region * kRegionSize) * 6;
    const auto p = static_cast<uint8_t>((v8 * (255 - s8)) >> 8);
    const auto q = static_cast<uint8_t>((v8 * (255 - ((s8 * remainder) >> 8))) >> 8);
    const auto t = static_cast<uint8_t>((v8 * (255 - ((s8 * (255 - remainder)) >> 8))) >> 8);
    switch (region) {
    case 0: return lv_color_make(val, t, p);
    case 1: return lv_color_make(q, val, p);
    case 2: return lv_color_make(p, val, t);
    case 3: return lv_color_make(p, q, val);
    case 4: return lv_color_make(t, p, val);
    default: return lv_color_make(val, p, q);
    }
}

lv_color_hsv_t lv_color_rgb_to_hsv(uint8_t r8, uint8_t g8, uint8_t b8)
{
    const int32_t r = r8, g = g8, b = b8;
    const int32_t max = std::max({r, g, b});
    const int32_t min = std::min({r, g, b});
    const int32_t delta = max - min;
    lv_color_hsv_t hsv{};
    hsv.v = static_cast<uint8_t>(max * 100 / 255);
    if (max == 0 || delta == 0) return hsv;
    hsv.s = static_cast<uint8_t>(delta * 100 / max);
    int32_t h;
    if (max == r)
        h = 60 * (g - b) / delta;
    else if (max == g)
        h = 120 + 60 * (b - r) / delta;
    else
        h = 240 + 60 * (r - g) / delta;
    if (h < 0) h += 360;
    hsv.h = static_cast<uint16_t>(h);
    return hsv;
}

lv_color_hsv_t lv_color_to_hsv(lv_color_t color)
{
    return lv_color_rgb_to_hsv(color.red, color.green, color.blue);
}

uint8_t lv_color_luminance(lv_color_t c)
{
    return static_cast<uint8_t>((c.red * 77U + c.green * 151U + c.blue * 28U) >> 8);
}

uint8_t lv_color_format_get_bpp(lv_color_format_t cf)
{
    return LV_COLOR_FORMAT_GET_BPP(cf);
}

uint8_t lv_color_format_get_size(lv_color_format_t cf)
{
    return LV_COLOR_FORMAT_GET_SIZE(cf);
}

bool lv_color_format_has_alpha(lv_color_format_t src_cf)
{
    switch (src_cf) {
    case LV_COLOR_FORMAT_A1:
    case LV_COLOR_FORMAT_A2:
    case LV_COLOR_FORMAT_A4:
    case LV_COLOR_FORMAT_A8:
    case LV_COLOR_FORMAT_I1:
    case LV_COLOR_FORMAT_I2:
    case LV_COLOR_FORMAT_I4:
    case LV_COLOR_FORMAT_I8:
    case LV_COLOR_FORMAT_AL88:
    case LV_COLOR_FORMAT_ARGB8888:
    case LV_COLOR_FORMAT_XRGB8888:
    case LV_COLOR_FORMAT_ARGB8565:
    case LV_COLOR_FORMAT_RGB565A8:
    case LV_COLOR_FORMAT_ARGB1555:
    case LV_COLOR_FORMAT_ARGB4444:
    case LV_COLOR_FORMAT_ARGB2222:
    case LV_COLOR_FORMAT_ARGB8888_PREMULTIPLIED: return true;
    default: return false;
    }
}

lv_color_t lv_palette_main(lv_palette_t p)
{
    if (!palette_valid(p)) return lv_color_black();
    return lv_color_hex(kMainAndLight[p][0]);
}

lv_color_t lv_palette_lighten(lv_palette_t p, uint8_t lvl)
{
    if (!palette_valid(p) || lvl < 1 || lvl > kLightenLevels) return lv_color_black();
    return lv_color_hex(kMainAndLight[p][lvl]);
}

lv_color_t lv_palette_darken(lv_palette_t p, uint8_t lvl)
{
    if (!palette_valid(p) || lvl < 1 || lvl > kDarkenLevels) return lv_color_black();
    return lv_color_hex(kDark[p][lvl - 1]);
}

}  // extern "C"
