// Scene building and pixel reading for the rendering tests: plain boxes,
// generated ARGB8888 pictures and the channels of a rendered pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image_compare.hpp"
#include "lvgl.h"

namespace test_support {

// One pixel of a generated picture.
struct Argb {
    lv_color_t color;
    uint8_t alpha;
};

// w x h ARGB8888 pixels (B, G, R, A bytes, rows unpadded), pixel(x, y) each.
template <typename PixelFn>
std::vector<uint8_t> argb8888_pixels(int32_t w, int32_t h, PixelFn pixel)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(w) * h * 4);
    for (int32_t y = 0; y < h; y++) {
        for (int32_t x = 0; x < w; x++) {
            const Argb a = pixel(x, y);
            uint8_t * p = &bytes[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = a.color.blue;
            p[1] = a.color.green;
            p[2] = a.color.red;
            p[3] = a.alpha;
        }
    }
    return bytes;
}

// An ARGB8888 descriptor over `pixels` (w x h, rows unpadded), which must
// outlive it.
inline lv_image_dsc_t argb8888_image(const std::vector<uint8_t> & pixels, uint32_t w, uint32_t h)
{
    lv_image_dsc_t d{};
    d.header.magic = LV_IMAGE_HEADER_MAGIC;
    d.header.cf = LV_COLOR_FORMAT_ARGB8888;
    d.header.w = w;
    d.header.h = h;
    d.header.stride = w * 4;
    d.data_size = static_cast<uint32_t>(pixels.size());
    d.data = pixels.data();
    return d;
}

// An image object showing `src` with its top-left corner at (x, y).
inline lv_obj_t * image_at(lv_obj_t * parent, const void * src, int32_t x, int32_t y)
{
    lv_obj_t * img = lv_image_create(parent);
    lv_image_set_src(img, src);
    lv_obj_set_pos(img, x, y);
    return img;
}

// The active screen's background colour.
inline void set_ground(uint32_t color)
{
    lv_obj_set_style_bg_color(lv_screen_active(), lv_color_hex(color), 0);
}

// An object without any style at (x, y), w x h: it draws what the test gives it.
inline lv_obj_t * bare_box(lv_obj_t * parent, int32_t x, int32_t y, int32_t w, int32_t h)
{
    lv_obj_t * o = lv_obj_create(parent);
    lv_obj_remove_style_all(o);
    lv_obj_set_pos(o, x, y);
    lv_obj_set_size(o, w, h);
    return o;
}

// A bare box filled with one opaque colour (0xRRGGBB).
inline lv_obj_t * filled_box(lv_obj_t * parent, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t color)
{
    lv_obj_t * o = bare_box(parent, x, y, w, h);
    lv_obj_set_style_bg_color(o, lv_color_hex(color), 0);
    lv_obj_set_style_bg_opa(o, LV_OPA_COVER, 0);
    return o;
}

// The channels of a rendered pixel (the image holds B, G, R, A).
inline uint8_t red_at(const Image & img, int32_t x, int32_t y)
{
    return img.px(x, y)[2];
}

inline uint8_t green_at(const Image & img, int32_t x, int32_t y)
{
    return img.px(x, y)[1];
}

inline lv_color_t color_at(const Image & img, int32_t x, int32_t y)
{
    const uint8_t * p = img.px(x, y);
    return lv_color_make(p[2], p[1], p[0]);
}

// `f` over `b` with mix factor m (1..252) as an XRGB8888 display shows it:
// (f m + b (255 - m)) >> 8 per channel, where lv_color_mix divides by 255.
inline lv_color_t xrgb_mix(lv_color_t f, lv_color_t b, uint32_t m)
{
    auto ch = [m](uint32_t fc, uint32_t bc) { return static_cast<uint8_t>((fc * m + bc * (255 - m)) >> 8); };
    return lv_color_make(ch(f.red, b.red), ch(f.green, b.green), ch(f.blue, b.blue));
}

}  // namespace test_support
