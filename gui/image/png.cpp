// PNG decoding with libpng's simplified reader (straight-alpha BGRA out).
#include "codecs.hpp"

#include <png.h>

#include <cstring>

namespace gui::image {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t kIhdrEnd = 24;  // signature, chunk length and type, width, height

uint32_t be32(const uint8_t * p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

bool size_ok(uint32_t w, uint32_t h)
{
    return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && static_cast<uint64_t>(w) * h <= kMaxPixels;
}

}  // namespace

bool is_png(const uint8_t * data, size_t size)
{
    return size >= sizeof(kSignature) && std::memcmp(data, kSignature, sizeof(kSignature)) == 0;
}

bool png_info(const uint8_t * data, size_t size, lv_image_header_t * out)
{
    if (!is_png(data, size) || size < kIhdrEnd) return false;
    const uint32_t w = be32(data + 16);
    const uint32_t h = be32(data + 20);
    if (!size_ok(w, h)) return false;
    *out = lv_image_header_t{};
    out->magic = LV_IMAGE_HEADER_MAGIC;
    out->cf = LV_COLOR_FORMAT_ARGB8888;
    out->w = w;
    out->h = h;
    out->stride = w * 4;
    return true;
}

std::shared_ptr<const DecodedImage> png_decode(const uint8_t * data, size_t size)
{
    if (!is_png(data, size)) return nullptr;
    png_image img;
    std::memset(&img, 0, sizeof(img));
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&img, data, size)) {
        if (should_log_failure()) LV_LOG_WARN("PNG header unreadable: %s", img.message);
        return nullptr;
    }
    if (!size_ok(img.width, img.height)) {
        png_image_free(&img);
        if (should_log_failure())
            LV_LOG_WARN("PNG too large: %u x %u", static_cast<unsigned>(img.width), static_cast<unsigned>(img.height));
        return nullptr;
    }
    img.format = PNG_FORMAT_BGRA;
    auto out = std::make_shared<DecodedImage>();
    out->w = static_cast<int32_t>(img.width);
    out->h = static_cast<int32_t>(img.height);
    out->stride = out->w * 4;
    out->storage.resize(PNG_IMAGE_SIZE(img));
    if (!png_image_finish_read(&img, nullptr, out->storage.data(), out->stride, nullptr)) {
        if (should_log_failure()) LV_LOG_WARN("PNG decoding failed: %s", img.message);
        png_image_free(&img);
        return nullptr;
    }
    out->data = out->storage.data();
    out->has_alpha = true;
    return out;
}

}  // namespace gui::image
