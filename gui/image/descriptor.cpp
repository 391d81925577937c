// Pixels of compiled-in image descriptors.
#include "codecs.hpp"

#include <algorithm>

namespace gui::image {
namespace {

uint32_t row_stride(const lv_image_header_t & h)
{
    if (h.stride != 0) return h.stride;
    return (h.w * LV_COLOR_FORMAT_GET_BPP(h.cf) + 7) / 8;
}

// Convert every pixel with `px(src_row, x, out_bgra)`.
template <typename Fn>
std::shared_ptr<const DecodedImage> convert(const lv_image_dsc_t * dsc, uint32_t stride, bool has_alpha, Fn px)
{
    auto img = std::make_shared<DecodedImage>();
    img->w = dsc->header.w;
    img->h = dsc->header.h;
    img->stride = img->w * 4;
    img->has_alpha = has_alpha;
    img->storage.resize(static_cast<size_t>(img->stride) * img->h);
    for (int32_t y = 0; y < img->h; y++) {
        const uint8_t * src = dsc->data + static_cast<size_t>(y) * stride;
        uint8_t * dst = img->storage.data() + static_cast<size_t>(y) * img->stride;
        for (int32_t x = 0; x < img->w; x++) px(src, x, dst + x * 4);
    }
    img->data = img->storage.data();
    return img;
}

}  // namespace

std::shared_ptr<const DecodedImage> wrap_descriptor(const lv_image_dsc_t * dsc)
{
    const lv_image_header_t & h = dsc->header;
    if (h.w == 0 || h.h == 0) return nullptr;
    const uint32_t stride = row_stride(h);
    const uint32_t bpp = LV_COLOR_FORMAT_GET_BPP(h.cf);
    if (bpp == 0 || stride * 8 < h.w * bpp || static_cast<uint64_t>(stride) * h.h > dsc->data_size) {
        if (should_log_failure())
            LV_LOG_WARN("Image descriptor too small for %u x %u", static_cast<unsigned>(h.w),
                        static_cast<unsigned>(h.h));
        return nullptr;
    }
    switch (h.cf) {
    case LV_COLOR_FORMAT_ARGB8888: {
        auto img = std::make_shared<DecodedImage>();
        img->w = h.w;
        img->h = h.h;
        img->stride = static_cast<int32_t>(stride);
        img->data = dsc->data;  // drawn in place, no copy
        return img;
    }
    case LV_COLOR_FORMAT_XRGB8888:
        // The unused fourth byte may hold anything: make it opaque.
        return convert(dsc, stride, false, [](const uint8_t * s, int32_t x, uint8_t * d) {
            d[0] = s[x * 4];
            d[1] = s[x * 4 + 1];
            d[2] = s[x * 4 + 2];
            d[3] = 0xFF;
        });
    case LV_COLOR_FORMAT_ARGB8888_PREMULTIPLIED:
        return convert(dsc, stride, true, [](const uint8_t * s, int32_t x, uint8_t * d) {
            const uint32_t a = s[x * 4 + 3];
            for (int c = 0; c < 3; c++)
                d[c] = a ? static_cast<uint8_t>(std::min<uint32_t>(s[x * 4 + c] * 255 / a, 255)) : 0;
            d[3] = static_cast<uint8_t>(a);
        });
    case LV_COLOR_FORMAT_RGB888:
        return convert(dsc, stride, false, [](const uint8_t * s, int32_t x, uint8_t * d) {
            d[0] = s[x * 3];
            d[1] = s[x * 3 + 1];
            d[2] = s[x * 3 + 2];
            d[3] = 0xFF;
        });
    case LV_COLOR_FORMAT_RGB565:
        return convert(dsc, stride, false, [](const uint8_t * s, int32_t x, uint8_t * d) {
            const uint32_t v = s[x * 2] | (s[x * 2 + 1] << 8);
            const uint32_t r = (v >> 11) & 0x1F, g = (v >> 5) & 0x3F, b = v & 0x1F;
            d[0] = static_cast<uint8_t>((b << 3) | (b >> 2));
            d[1] = static_cast<uint8_t>((g << 2) | (g >> 4));
            d[2] = static_cast<uint8_t>((r << 3) | (r >> 2));
            d[3] = 0xFF;
        });
    case LV_COLOR_FORMAT_L8:
        return convert(dsc, stride, false, [](const uint8_t * s, int32_t x, uint8_t * d) {
            d[0] = d[1] = d[2] = s[x];
            d[3] = 0xFF;
        });
    case LV_COLOR_FORMAT_A8:
        // Alpha only: drawn in the recolour colour (black when none is set).
        return convert(dsc, stride, true, [](const uint8_t * s, int32_t x, uint8_t * d) {
            d[0] = d[1] = d[2] = 0;
            d[3] = s[x];
        });
    default:
        if (should_log_failure()) LV_LOG_WARN("Unsupported image colour format %u", static_cast<unsigned>(h.cf));
        return nullptr;
    }
}

}  // namespace gui::image
