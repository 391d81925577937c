// Converts a frame of the virtual panel (a 32-bit uncompressed BMP, as the
// display driver writes it) into an RGB PNG:
//   panelshot PANEL.bmp OUT.png
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderMin = 40;
constexpr int32_t kMaxSide = 8192;
constexpr int kBytesPerPixel = 4;

struct Frame {
    int32_t w = 0;
    int32_t h = 0;
    std::vector<uint8_t> rgb;  // top row first
};

uint32_t u32(const std::vector<uint8_t> &b, size_t at)
{
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t u16(const std::vector<uint8_t> &b, size_t at)
{
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

bool read_bmp(const char *path, Frame &out)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < kFileHeaderSize + kInfoHeaderMin || b[0] != 'B' || b[1] != 'M') {
        return false;
    }
    const uint32_t offset = u32(b, 10);
    const int32_t w = static_cast<int32_t>(u32(b, 18));
    const int32_t raw_h = static_cast<int32_t>(u32(b, 22));
    const bool bottom_up = raw_h > 0;
    const int32_t h = bottom_up ? raw_h : -raw_h;
    if (u16(b, 28) != 32 || u32(b, 30) != 0 || w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) {
        return false;
    }
    const size_t stride = static_cast<size_t>(w) * kBytesPerPixel;
    if (offset > b.size() || b.size() - offset < stride * static_cast<size_t>(h)) {
        return false;
    }
    out.w = w;
    out.h = h;
    out.rgb.resize(static_cast<size_t>(w) * h * 3);
    for (int32_t y = 0; y < h; y++) {
        const size_t src_row = static_cast<size_t>(bottom_up ? h - 1 - y : y);
        const uint8_t *src = b.data() + offset + src_row * stride;
        uint8_t *dst = out.rgb.data() + static_cast<size_t>(y) * w * 3;
        for (int32_t x = 0; x < w; x++) {
            dst[x * 3 + 0] = src[x * kBytesPerPixel + 2];
            dst[x * 3 + 1] = src[x * kBytesPerPixel + 1];
            dst[x * 3 + 2] = src[x * kBytesPerPixel + 0];
        }
    }
    return true;
}

bool write_png(const char *path, const Frame &f)
{
    FILE *file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(f.w), static_cast<png_uint_32>(f.h), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < f.h; y++) {
        png_write_row(png, f.rgb.data() + static_cast<size_t>(y) * f.w * 3);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: panelshot PANEL.bmp OUT.png\n");
        return 2;
    }
    Frame frame;
    if (!read_bmp(argv[1], frame)) {
        std::fprintf(stderr, "panelshot: not a 32-bit uncompressed BMP: %s\n", argv[1]);
        return 1;
    }
    if (!write_png(argv[2], frame)) {
        std::fprintf(stderr, "panelshot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
