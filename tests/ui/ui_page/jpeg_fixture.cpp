#include "jpeg_fixture.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>

namespace main_page_test {

namespace {

constexpr int kQuality = 100;

void compress(const std::string &path, int w, int h, int components, J_COLOR_SPACE space,
              const std::function<void(int y, std::vector<uint8_t> &row)> &fill)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = (JDIMENSION)w;
    cinfo.image_height = (JDIMENSION)h;
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, kQuality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row((size_t)w * components);
    for (int y = 0; y < h; y++) {
        fill(y, row);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    ASSERT_EQ(std::fclose(f), 0);
}

}  // namespace

void write_jpeg(const std::string &path, int w, int h, const std::function<Rgb(int x, int y)> &pixel)
{
    compress(path, w, h, 3, JCS_RGB, [&](int y, std::vector<uint8_t> &row) {
        for (int x = 0; x < w; x++) {
            const Rgb c = pixel(x, y);
            row[(size_t)x * 3] = c.r;
            row[(size_t)x * 3 + 1] = c.g;
            row[(size_t)x * 3 + 2] = c.b;
        }
    });
}

void write_cmyk_jpeg(const std::string &path, int w, int h)
{
    compress(path, w, h, 4, JCS_CMYK, [&](int, std::vector<uint8_t> &row) {
        for (size_t i = 0; i < row.size(); i += 4) {
            row[i] = 0;
            row[i + 1] = 255;
            row[i + 2] = 255;
            row[i + 3] = 0;
        }
    });
}

void write_prefix(const std::string &from, const std::string &to, size_t bytes)
{
    std::ifstream in(from, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GE(data.size(), bytes);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out.write(data.data(), (std::streamsize)bytes);
}

}  // namespace main_page_test
