#include "picture_files.hpp"

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <cstdio>
#include <vector>

namespace test_support {
namespace {

// EXIF block with one orientation entry, big-endian TIFF.
std::vector<uint8_t> exif_orientation(uint16_t o)
{
    return {'E',
            'x',
            'i',
            'f',
            0,
            0,
            'M',
            'M',
            0,
            42,
            0,
            0,
            0,
            8,  // header, IFD at 8
            0,
            1,  // one entry
            0x01,
            0x12,
            0,
            3,
            0,
            0,
            0,
            1,
            static_cast<uint8_t>(o >> 8),
            static_cast<uint8_t>(o),
            0,
            0,
            0,
            0,
            0,
            0};
}

}  // namespace

Image two_colour(int w, int h, uint32_t left, uint32_t right, uint8_t alpha)
{
    Image img(w, h);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            const uint32_t c = x < w / 2 ? left : right;
            uint8_t * p = img.px(x, y);
            p[0] = c & 0xFF;
            p[1] = (c >> 8) & 0xFF;
            p[2] = (c >> 16) & 0xFF;
            p[3] = alpha;
        }
    }
    return img;
}

void write_jpeg(const std::string & path, const Image & img, uint16_t orientation)
{
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    FILE * f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        jpeg_destroy_compress(&c);
        FAIL() << "cannot write " << path;
    }
    jpeg_stdio_dest(&c, f);
    c.image_width = img.w;
    c.image_height = img.h;
    c.input_components = 4;
    c.in_color_space = JCS_EXT_BGRA;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    if (orientation != 1) {
        const std::vector<uint8_t> exif = exif_orientation(orientation);
        jpeg_write_marker(&c, JPEG_APP0 + 1, exif.data(), static_cast<unsigned>(exif.size()));
    }
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<uint8_t *>(img.px(0, c.next_scanline));
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(f);
}

}  // namespace test_support
