// Image sources: descriptors, PNG and JPEG files found by signature, the
// stdio drive's path rules, damaged and missing files, re-reading.
#include "gui/draw/draw.hpp"
#include "gui/image/decoder.hpp"
#include "gui/misc/fs.hpp"
#include "image_compare.hpp"
#include "picture_files.hpp"
#include "temp_dir.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using gui::image::decode;
using gui::image::DecodedImage;
using test_support::two_colour;
using test_support::write_jpeg;

void write_bytes(const std::string & path, const std::vector<uint8_t> & bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), bytes.size());
}

std::vector<uint8_t> read_bytes(const std::string & path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t rgb_at(const DecodedImage & img, int x, int y)
{
    const uint8_t * p = img.data + y * img.stride + x * 4;
    return (p[2] << 16) | (p[1] << 8) | p[0];
}

bool near(uint32_t a, uint32_t b, int tol)
{
    for (int s = 0; s < 24; s += 8)
        if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > tol) return false;
    return true;
}

class Decoder : public ::testing::Test {
protected:
    std::string path(const char * name) const { return tmp.file(name); }
    TempDir tmp{"decoder"};
    const std::string & dir = tmp.path();
};

TEST_F(Decoder, PngDecodesToStraightAlphaWhateverItsName)
{
    ASSERT_TRUE(test_support::write_png(path("pic.jpg"), two_colour(6, 4, 0xFF0000, 0x00FF00, 128)));
    lv_image_header_t h;
    ASSERT_TRUE(gui::image::info(path("pic.jpg").c_str(), &h));
    EXPECT_EQ(h.w, 6u);
    EXPECT_EQ(h.h, 4u);
    EXPECT_EQ(h.cf, LV_COLOR_FORMAT_ARGB8888);
    auto img = decode(path("pic.jpg").c_str());
    ASSERT_TRUE(img);
    EXPECT_EQ(rgb_at(*img, 0, 0), 0xFF0000u);
    EXPECT_EQ(rgb_at(*img, 5, 3), 0x00FF00u);
    EXPECT_EQ(img->data[3], 128);
}

TEST_F(Decoder, JpegWithoutExtensionDecodesBySignature)
{
    write_jpeg(path("artwork"), two_colour(16, 8, 0x2060C0, 0x2060C0));
    lv_image_header_t h;
    ASSERT_TRUE(gui::image::info(path("artwork").c_str(), &h));
    EXPECT_EQ(h.w, 16u);
    EXPECT_EQ(h.h, 8u);
    EXPECT_EQ(h.cf, LV_COLOR_FORMAT_RGB888);
    auto img = decode(path("artwork").c_str());
    ASSERT_TRUE(img);
    EXPECT_FALSE(img->has_alpha);
    EXPECT_TRUE(near(rgb_at(*img, 8, 4), 0x2060C0, 6));
}

TEST_F(Decoder, JpegHonoursTheExifOrientation)
{
    // Stored 20 x 10, red left, blue right; orientation 6 turns it a quarter clockwise.
    write_jpeg(path("turned"), two_colour(20, 10, 0xFF0000, 0x0000FF), 6);
    lv_image_header_t h;
    ASSERT_TRUE(gui::image::info(path("turned").c_str(), &h));
    EXPECT_EQ(h.w, 10u);
    EXPECT_EQ(h.h, 20u);
    auto img = decode(path("turned").c_str());
    ASSERT_TRUE(img);
    ASSERT_EQ(img->w, 10);
    ASSERT_EQ(img->h, 20);
    EXPECT_TRUE(near(rgb_at(*img, 5, 2), 0xFF0000, 40));
    EXPECT_TRUE(near(rgb_at(*img, 5, 17), 0x0000FF, 40));
}

TEST_F(Decoder, MissingDamagedAndForeignFilesGiveNothing)
{
    ASSERT_TRUE(test_support::write_png(path("good.png"), two_colour(32, 32, 0x123456, 0x654321)));
    const std::vector<uint8_t> png = read_bytes(path("good.png"));
    write_bytes(path("cut.png"), std::vector<uint8_t>(png.begin(), png.begin() + 40));
    std::vector<uint8_t> flipped = png;
    for (size_t i = 40; i < flipped.size(); i++) flipped[i] ^= 0x5A;
    write_bytes(path("garbled.png"), flipped);
    write_bytes(path("text.txt"), {'h', 'e', 'l', 'l', 'o'});
    write_bytes(path("header_only"), {0xFF, 0xD8, 0xFF, 0xE0, 0x00});
    write_bytes(path("empty"), {});

    for (const char * name : {"missing.png", "cut.png", "garbled.png", "text.txt", "header_only", "empty"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(decode(path(name).c_str()));
    }
    EXPECT_FALSE(decode(dir.c_str()));  // a folder is no image either
    lv_image_header_t h;
    EXPECT_FALSE(gui::image::info(dir.c_str(), &h));
    EXPECT_FALSE(gui::image::info(path("missing.png").c_str(), &h));
    EXPECT_FALSE(gui::image::info(path("text.txt").c_str(), &h));
    EXPECT_FALSE(gui::image::info(path("header_only").c_str(), &h));

    // Drawing such a source leaves the target untouched.
    gui::draw::Layer layer(lv_area_t{0, 0, 31, 31});
    gui::draw::Target t = layer.target();
    gui::draw::ImageDsc d;
    const std::string src = path("garbled.png");
    d.src = src.c_str();
    gui::draw::draw_image(t, lv_area_t{0, 0, 31, 31}, d);
    for (int i = 0; i < 32 * 32 * 4; i++) ASSERT_EQ(layer.data()[i], 0);
}

TEST_F(Decoder, SamePathIsReadAgainAfterTheFileChanged)
{
    const std::string p = path("cover");
    ASSERT_TRUE(test_support::write_png(p, two_colour(4, 4, 0xFF0000, 0xFF0000)));
    auto first = decode(p.c_str());
    ASSERT_TRUE(first);
    write_jpeg(p, two_colour(8, 6, 0x0000FF, 0x0000FF));
    auto second = decode(p.c_str());
    ASSERT_TRUE(second);
    EXPECT_EQ(second->w, 8);
    EXPECT_TRUE(near(rgb_at(*second, 3, 3), 0x0000FF, 8));
    EXPECT_EQ(rgb_at(*first, 0, 0), 0xFF0000u);  // the earlier result stays valid
}

TEST_F(Decoder, PathsGoThroughTheStdioDrive)
{
    ASSERT_TRUE(test_support::write_png(path("p.png"), two_colour(2, 2, 0xFFFFFF, 0xFFFFFF)));
    const fs::path old = fs::current_path();
    fs::current_path(dir);
    const bool relative = decode("p.png") != nullptr;
    const bool dotted = decode("./p.png") != nullptr;
    fs::current_path(old);
    EXPECT_TRUE(relative);
    EXPECT_TRUE(dotted);
    EXPECT_TRUE(decode(("A:" + path("p.png")).c_str()));
    EXPECT_FALSE(decode(("B:" + path("p.png")).c_str()));  // no such drive

    std::string out;
    EXPECT_FALSE(gui::fs::resolve_path(("/" + std::string(300, 'x')).c_str(), out));
}

lv_image_dsc_t dsc(lv_color_format_t cf, uint32_t w, uint32_t h, const std::vector<uint8_t> & data, uint32_t stride = 0)
{
    lv_image_dsc_t d{};
    d.header.magic = LV_IMAGE_HEADER_MAGIC;
    d.header.cf = cf;
    d.header.w = w;
    d.header.h = h;
    d.header.stride = stride;
    d.data_size = static_cast<uint32_t>(data.size());
    d.data = data.data();
    return d;
}

TEST(DecoderDescriptor, FormatsConvertToArgbAndShortDataIsRefused)
{
    struct Case {
        lv_color_format_t cf;
        std::vector<uint8_t> data;  // two pixels
        uint32_t rgb0, rgb1;
        uint8_t a0;
    };
    const Case cases[] = {
        {LV_COLOR_FORMAT_ARGB8888, {0x30, 0x20, 0x10, 0x80, 0, 0, 0xFF, 0xFF}, 0x102030, 0xFF0000, 0x80},
        {LV_COLOR_FORMAT_XRGB8888, {0x30, 0x20, 0x10, 0x00, 0, 0, 0xFF, 0x12}, 0x102030, 0xFF0000, 0xFF},
        {LV_COLOR_FORMAT_RGB888, {0x30, 0x20, 0x10, 0xFF, 0, 0}, 0x102030, 0x0000FF, 0xFF},
        {LV_COLOR_FORMAT_RGB565, {0x00, 0xF8, 0x1F, 0x00}, 0xFF0000, 0x0000FF, 0xFF},
        {LV_COLOR_FORMAT_L8, {0x40, 0xC0}, 0x404040, 0xC0C0C0, 0xFF},
        {LV_COLOR_FORMAT_A8, {0x40, 0xC0}, 0x000000, 0x000000, 0x40},
    };
    for (const Case & c : cases) {
        SCOPED_TRACE(static_cast<int>(c.cf));
        const lv_image_dsc_t d = dsc(c.cf, 2, 1, c.data);
        auto img = decode(&d);
        ASSERT_TRUE(img);
        EXPECT_EQ(rgb_at(*img, 0, 0), c.rgb0);
        EXPECT_EQ(rgb_at(*img, 1, 0), c.rgb1);
        EXPECT_EQ(img->data[3], c.a0);
        const lv_image_dsc_t short_data = dsc(c.cf, 2, 2, c.data);  // claims two rows
        EXPECT_FALSE(decode(&short_data));
    }
    const std::vector<uint8_t> px(8);
    lv_image_dsc_t bad = dsc(LV_COLOR_FORMAT_ARGB8888, 2, 1, px);
    bad.header.magic = 0x11;
    EXPECT_FALSE(decode(&bad));
}

TEST(DecoderDescriptor, EncodedFileInMemory)
{
    std::vector<uint8_t> bytes;
    {
        TempDir tmp("decoder");
        const std::string p = tmp.file("m.png");
        ASSERT_TRUE(test_support::write_png(p, two_colour(3, 2, 0x00FF00, 0x00FF00)));
        bytes = read_bytes(p);
    }  // the file is gone: what follows reads the bytes alone
    const lv_image_dsc_t d = dsc(LV_COLOR_FORMAT_RAW_ALPHA, 0, 0, bytes);
    lv_image_header_t h;
    ASSERT_TRUE(gui::image::info(&d, &h));
    EXPECT_EQ(h.w, 3u);
    auto img = decode(&d);
    ASSERT_TRUE(img);
    EXPECT_EQ(rgb_at(*img, 2, 1), 0x00FF00u);
}

TEST(ImageSource, ClassifiedByTheFirstByte)
{
    lv_image_dsc_t d{};
    d.header.magic = LV_IMAGE_HEADER_MAGIC;
    EXPECT_EQ(lv_image_src_get_type(&d), LV_IMAGE_SRC_VARIABLE);
    EXPECT_EQ(lv_image_src_get_type("./artwork"), LV_IMAGE_SRC_FILE);
    EXPECT_EQ(lv_image_src_get_type("A:x.png"), LV_IMAGE_SRC_FILE);
    EXPECT_EQ(lv_image_src_get_type(LV_SYMBOL_PLAY), LV_IMAGE_SRC_SYMBOL);
    EXPECT_EQ(lv_image_src_get_type(nullptr), LV_IMAGE_SRC_UNKNOWN);
}

}  // namespace
