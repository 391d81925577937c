#include "panel_image.hpp"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace panel {

namespace {

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeaderMin = 40;
constexpr int kMaxSide = 8192;

uint32_t u32(const std::vector<uint8_t> & b, size_t at)
{
    return b[at] | (uint32_t)b[at + 1] << 8 | (uint32_t)b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}

uint16_t u16(const std::vector<uint8_t> & b, size_t at)
{
    return (uint16_t)(b[at] | b[at + 1] << 8);
}

}  // namespace

Rgb PanelImage::at(int x, int y) const
{
    const size_t i = ((size_t)y * (size_t)w + (size_t)x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool read_bmp(const std::string & path, PanelImage & out)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), {});
    if (b.size() < kFileHeader + kInfoHeaderMin || b[0] != 'B' || b[1] != 'M') {
        return false;
    }
    const uint32_t offset = u32(b, 10);
    const int32_t width = (int32_t)u32(b, 18);
    const int32_t height_raw = (int32_t)u32(b, 22);
    const uint16_t bits = u16(b, 28);
    const uint32_t compression = u32(b, 30);
    const bool bottom_up = height_raw > 0;
    const int64_t height = bottom_up ? height_raw : -(int64_t)height_raw;
    if (width <= 0 || width > kMaxSide || height <= 0 || height > kMaxSide || (bits != 24 && bits != 32) ||
        compression != 0) {
        return false;
    }
    const size_t bytes = bits / 8;
    const size_t stride = ((size_t)width * bytes + 3) / 4 * 4;
    if (offset > b.size() || (b.size() - offset) / stride < (size_t)height) {
        return false;
    }
    out.w = width;
    out.h = (int)height;
    out.rgb.assign((size_t)width * (size_t)height * 3, 0);
    for (int y = 0; y < out.h; y++) {
        const size_t row = offset + stride * (size_t)(bottom_up ? out.h - 1 - y : y);
        for (int x = 0; x < out.w; x++) {
            const uint8_t * p = &b[row + (size_t)x * bytes];
            uint8_t * q = &out.rgb[((size_t)y * (size_t)out.w + (size_t)x) * 3];
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
        }
    }
    return true;
}

PanelImage from_bgrx(const uint8_t * bgrx, int w, int h)
{
    PanelImage img;
    img.w = w;
    img.h = h;
    img.rgb.resize((size_t)w * (size_t)h * 3);
    for (size_t i = 0; i < img.rgb.size() / 3; i++) {
        img.rgb[i * 3 + 0] = bgrx[i * 4 + 2];
        img.rgb[i * 3 + 1] = bgrx[i * 4 + 1];
        img.rgb[i * 3 + 2] = bgrx[i * 4 + 0];
    }
    return img;
}

bool write_png(const std::string & path, const PanelImage & img)
{
    FILE * f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, (png_uint_32)img.w, (png_uint_32)img.h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < img.h; y++) {
        png_write_row(png, &img.rgb[(size_t)y * (size_t)img.w * 3]);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

int bright_pixels(const PanelImage & img, const Box & box, int level)
{
    int n = 0;
    for (int y = std::max(box.y1, 0); y <= std::min(box.y2, img.h - 1); y++) {
        for (int x = std::max(box.x1, 0); x <= std::min(box.x2, img.w - 1); x++) {
            const Rgb c = img.at(x, y);
            n += c.r >= level && c.g >= level && c.b >= level;
        }
    }
    return n;
}

int colour_distance(Rgb a, Rgb b)
{
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

int changed_pixels(const PanelImage & a, const PanelImage & b, const Box & box, int tolerance)
{
    if (a.w != b.w || a.h != b.h) {
        return (box.x2 - box.x1 + 1) * (box.y2 - box.y1 + 1);
    }
    int n = 0;
    for (int y = std::max(box.y1, 0); y <= std::min(box.y2, a.h - 1); y++) {
        for (int x = std::max(box.x1, 0); x <= std::min(box.x2, a.w - 1); x++) {
            n += colour_distance(a.at(x, y), b.at(x, y)) > tolerance;
        }
    }
    return n;
}

}  // namespace panel
