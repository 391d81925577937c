// Colour and opacity arithmetic shared by the renderer and the core.
#pragma once

#include "lvgl.h"

#include <cstdint>

namespace gui::draw {

// x / 255 rounded down, exact for x <= 255 * 255.
constexpr uint32_t div255(uint32_t x) { return (x * 0x8081U) >> 23; }

// Two opacities combined (a * b / 256).
constexpr lv_opa_t opa_mix(uint32_t a, uint32_t b) { return static_cast<lv_opa_t>((a * b) >> 8); }
constexpr lv_opa_t opa_mix(uint32_t a, uint32_t b, uint32_t c) { return static_cast<lv_opa_t>((a * b * c) >> 16); }

constexpr uint8_t mix_channel(uint32_t fg, uint32_t bg, uint32_t m) {
    return static_cast<uint8_t>(div255(fg * m + bg * (255 - m)));
}

// `fg` over `bg` with mix factor m (0-255).
constexpr lv_color_t mix(lv_color_t fg, lv_color_t bg, uint8_t m) {
    return lv_color_t{mix_channel(fg.blue, bg.blue, m), mix_channel(fg.green, bg.green, m),
                      mix_channel(fg.red, bg.red, m)};
}

// Image recolour: each channel moves toward `rc` by m / 256; 253 and more replace it.
constexpr lv_color_t recolor(lv_color_t px, lv_color_t rc, lv_opa_t m) {
    if (m >= LV_OPA_MAX) return rc;
    auto ch = [m](uint32_t p, uint32_t r) { return static_cast<uint8_t>((r * m + p * (255U - m)) >> 8); };
    return lv_color_t{ch(px.blue, rc.blue), ch(px.green, rc.green), ch(px.red, rc.red)};
}

// Blend a straight-alpha colour with coverage `a` onto one destination pixel
// (B, G, R, A bytes). The destination keeps alpha correct for layers.
inline void blend_pixel(uint8_t* dst, lv_color_t c, uint32_t a) {
    if (a >= LV_OPA_MAX) {
        dst[0] = c.blue;
        dst[1] = c.green;
        dst[2] = c.red;
        dst[3] = 0xFF;
        return;
    }
    if (a <= LV_OPA_MIN) return;
    const uint32_t da = dst[3];
    if (da == 0xFF) {
        dst[0] = mix_channel(c.blue, dst[0], a);
        dst[1] = mix_channel(c.green, dst[1], a);
        dst[2] = mix_channel(c.red, dst[2], a);
        return;
    }
    // Destination has alpha (a layer): "over" with straight alpha.
    const uint32_t out_a = a + div255(da * (255 - a));
    if (out_a == 0) return;
    const uint32_t fw = a * 255 / out_a; // weight of the source colour
    dst[0] = mix_channel(c.blue, dst[0], fw);
    dst[1] = mix_channel(c.green, dst[1], fw);
    dst[2] = mix_channel(c.red, dst[2], fw);
    dst[3] = static_cast<uint8_t>(out_a);
}

} // namespace gui::draw
