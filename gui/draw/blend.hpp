// Colour and opacity arithmetic shared by the renderer and the core.
#pragma once

#include "lvgl.h"

#include <cstdint>
#include <cstring>

namespace gui::draw {

// What a target's pixels hold, which decides how colours blend onto them.
enum class Dest : uint8_t {
    Argb8888,  // layers and ARGB displays: alphas combine, channels mix by / 255
    Xrgb8888,  // XRGB displays: the fourth byte is not shown, channels mix by >> 8
};

// x / 255 rounded down, exact for x <= 255 * 255.
constexpr uint32_t div255(uint32_t x)
{
    return (x * 0x8081U) >> 23;
}

// Two opacities combined (a * b / 256).
constexpr lv_opa_t opa_mix(uint32_t a, uint32_t b)
{
    return static_cast<lv_opa_t>((a * b) >> 8);
}
constexpr lv_opa_t opa_mix(uint32_t a, uint32_t b, uint32_t c)
{
    return static_cast<lv_opa_t>((a * b * c) >> 16);
}

constexpr uint8_t mix_channel(uint32_t fg, uint32_t bg, uint32_t m)
{
    return static_cast<uint8_t>(div255(fg * m + bg * (255 - m)));
}

// `fg` over `bg` with mix factor m (0-255).
constexpr lv_color_t mix(lv_color_t fg, lv_color_t bg, uint8_t m)
{
    return lv_color_t{mix_channel(fg.blue, bg.blue, m), mix_channel(fg.green, bg.green, m),
                      mix_channel(fg.red, bg.red, m)};
}

// A channel of `fg` over `bg` with mix factor m on an XRGB8888 pixel: the sum
// is divided by 256, so any m in 1..252 lowers an equal colour by up to 1.
constexpr uint8_t mix_channel_xrgb(uint32_t fg, uint32_t bg, uint32_t m)
{
    return static_cast<uint8_t>((fg * m + bg * (255 - m)) >> 8);
}

// Image recolour: each channel moves toward `rc` by m / 256; 253 and more replace it.
constexpr lv_color_t recolor(lv_color_t px, lv_color_t rc, lv_opa_t m)
{
    if (m >= LV_OPA_MAX) return rc;
    auto ch = [m](uint32_t p, uint32_t r) { return static_cast<uint8_t>((r * m + p * (255U - m)) >> 8); };
    return lv_color_t{ch(px.blue, rc.blue), ch(px.green, rc.green), ch(px.red, rc.red)};
}

// Blend onto a pixel whose alpha da is neither opaque nor nearly transparent
// (layers): the alphas combine with the "over" rule.
void blend_pixel_over(uint8_t * dst, lv_color_t c, uint32_t a, uint32_t da);

// blend_pixel_to as a call, for the rare pixels of tight copy loops.
void blend_pixel_rare(Dest d, uint8_t * dst, lv_color_t c, uint32_t a);

// Write colour c with alpha a as one 32-bit pixel.
inline void put_pixel(uint8_t * dst, lv_color_t c, uint32_t a)
{
    const uint32_t word =
        (a << 24) | (static_cast<uint32_t>(c.red) << 16) | (static_cast<uint32_t>(c.green) << 8) | c.blue;
    std::memcpy(dst, &word, sizeof(word));
}

// Blend a straight-alpha colour with alpha `a` onto one ARGB8888 destination
// pixel (B, G, R, A bytes). A nearly transparent colour leaves the pixel; a
// nearly opaque one, or any colour over a nearly transparent pixel, is copied
// together with its own alpha; over an opaque pixel the channels mix and the
// alpha stays opaque.
inline void blend_pixel(uint8_t * dst, lv_color_t c, uint32_t a)
{
    if (a >= LV_OPA_MAX) {
        put_pixel(dst, c, a);
        return;
    }
    if (a <= LV_OPA_MIN) return;
    const uint32_t da = dst[3];
    if (da == LV_OPA_COVER) {
        dst[0] = mix_channel(c.blue, dst[0], a);
        dst[1] = mix_channel(c.green, dst[1], a);
        dst[2] = mix_channel(c.red, dst[2], a);
    } else if (da <= LV_OPA_MIN) {
        put_pixel(dst, c, a);
    } else {
        blend_pixel_over(dst, c, a, da);
    }
}

// Blend colour c with mix factor a onto one XRGB8888 pixel: 253 and more
// copy the colour, 0 keeps the pixel, the rest mix by >> 8. The fourth byte
// is written opaque.
inline void blend_pixel_xrgb(uint8_t * dst, lv_color_t c, uint32_t a)
{
    if (a >= LV_OPA_MAX) {
        put_pixel(dst, c, LV_OPA_COVER);
        return;
    }
    if (a == 0) return;
    dst[0] = mix_channel_xrgb(c.blue, dst[0], a);
    dst[1] = mix_channel_xrgb(c.green, dst[1], a);
    dst[2] = mix_channel_xrgb(c.red, dst[2], a);
    dst[3] = LV_OPA_COVER;
}

template <Dest D> inline void blend_pixel_to(uint8_t * dst, lv_color_t c, uint32_t a)
{
    if constexpr (D == Dest::Xrgb8888)
        blend_pixel_xrgb(dst, c, a);
    else
        blend_pixel(dst, c, a);
}

inline void blend_pixel_to(Dest d, uint8_t * dst, lv_color_t c, uint32_t a)
{
    if (d == Dest::Xrgb8888)
        blend_pixel_xrgb(dst, c, a);
    else
        blend_pixel(dst, c, a);
}

}  // namespace gui::draw
