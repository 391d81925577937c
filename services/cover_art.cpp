#include "cover_art.h"

#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace svc {

namespace {

constexpr int kQuality = 85;

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb kPalette[] = {
    {200, 40, 40}, {40, 150, 60}, {40, 80, 200}, {220, 170, 30}, {140, 50, 170}, {30, 160, 170},
};
constexpr unsigned kPaletteSize = sizeof(kPalette) / sizeof(kPalette[0]);

uint8_t blend(uint8_t a, uint8_t b, int t, int span)
{
    return (uint8_t)((a * (span - t) + b * t) / span);
}

} // namespace

int write_cover_art(const char *path, unsigned seed, int size)
{
    const Rgb main = kPalette[seed % kPaletteSize];
    const Rgb accent = kPalette[(seed + 2) % kPaletteSize];
    std::string tmp = std::string(path) + ".part";
    FILE *f = fopen(tmp.c_str(), "wb");
    if (!f)
        return -1;

    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = (JDIMENSION)size;
    cinfo.image_height = (JDIMENSION)size;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, kQuality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);

    // Mostly the main colour, with an accent band along the diagonal.
    std::vector<uint8_t> row((size_t)size * 3);
    const int band = size / 4;
    while (cinfo.next_scanline < cinfo.image_height) {
        int y = (int)cinfo.next_scanline;
        for (int x = 0; x < size; x++) {
            int d = x - y < 0 ? y - x : x - y;
            int t = d < band ? band - d : 0;
            row[(size_t)x * 3] = blend(main.r, accent.r, t, band * 2);
            row[(size_t)x * 3 + 1] = blend(main.g, accent.g, t, band * 2);
            row[(size_t)x * 3 + 2] = blend(main.b, accent.b, t, band * 2);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    bool ok = fclose(f) == 0;
    if (!ok || rename(tmp.c_str(), path) != 0) {
        remove(tmp.c_str());
        return -1;
    }
    return 0;
}

} // namespace svc
