// Log lines, memory helpers, version macros and integer math.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lvgl.h"
#include "temp_dir.hpp"

namespace {

std::vector<std::string> lines;
uint32_t clock_ms = 0;

void capture(lv_log_level_t, const char * buf)
{
    lines.emplace_back(buf);
}

class Misc : public ::testing::Test {
protected:
    void SetUp() override
    {
        lv_init();
        lines.clear();
        clock_ms = 0;
        lv_tick_set_cb([] { return clock_ms; });
        lv_log_register_print_cb(capture);
    }
    void TearDown() override { lv_deinit(); }
};

TEST_F(Misc, LogLineFormatWithTimestampsAndFileLine)
{
    clock_ms = 12345;
    lv_log_add(LV_LOG_LEVEL_WARN, "/some/dir/lv_image.c", 195, "lv_image_set_src", "failed to get image info: %s",
               "A:/x.png");
    clock_ms = 12365;
    lv_log_add(LV_LOG_LEVEL_ERROR, "C:\\win\\file.c", 7, "f", "boom");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "[Warn]\t(12.345, +12345)\t lv_image_set_src: failed to get image info: A:/x.png lv_image.c:195\n");
    EXPECT_EQ(lines[1], "[Error]\t(12.365, +20)\t f: boom file.c:7\n");
}

TEST_F(Misc, LevelsBelowTheConfiguredOneAreDropped)
{
    lv_log_add(LV_LOG_LEVEL_TRACE, "a.c", 1, "f", "trace");
    lv_log_add(LV_LOG_LEVEL_INFO, "a.c", 1, "f", "info");
    lv_log_add(LV_LOG_LEVEL_NUM, "a.c", 1, "f", "invalid");
    LV_LOG_USER("user %d", 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("[User]", 0), 0u);
    EXPECT_NE(lines[0].find("user 1"), std::string::npos);
}

TEST_F(Misc, LongMessagesAreCutButStayOneLine)
{
    std::string big(1000, 'x');
    lv_log_add(LV_LOG_LEVEL_WARN, "a.c", 1, "f", "%s", big.c_str());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LE(lines[0].size(), 511u);
    EXPECT_EQ(lines[0].back(), '\n');
    EXPECT_EQ(lines[0].find('\n'), lines[0].size() - 1);
}

TEST_F(Misc, MemoryHelpers)
{
    void * zero = lv_malloc(0);
    EXPECT_NE(zero, nullptr);
    lv_free(zero);
    lv_free(nullptr);
    auto * z = static_cast<unsigned char *>(lv_malloc_zeroed(64));
    ASSERT_NE(z, nullptr);
    for(int i = 0; i < 64; i++) EXPECT_EQ(z[i], 0);
    z = static_cast<unsigned char *>(lv_realloc(z, 128));
    ASSERT_NE(z, nullptr);
    lv_free(z);
    EXPECT_EQ(lv_calloc(SIZE_MAX / 2, 4), nullptr) << "overflow is refused";

    char dst[4];
    EXPECT_EQ(lv_strlcpy(dst, "abcdef", sizeof(dst)), 6u);
    EXPECT_STREQ(dst, "abc");
    char * dup = lv_strdup("hello");
    EXPECT_STREQ(dup, "hello");
    lv_free(dup);
}

TEST(Version, MacrosAndCheck)
{
    EXPECT_EQ(LVGL_VERSION_MAJOR, 9);
    EXPECT_EQ(LVGL_VERSION_MINOR, 4);
    EXPECT_EQ(LVGL_VERSION_PATCH, 0);
    EXPECT_STREQ(lv_version_info(), "");
    EXPECT_TRUE(LV_VERSION_CHECK(9, 4, 0));
    EXPECT_TRUE(LV_VERSION_CHECK(9, 2, 7));
    EXPECT_FALSE(LV_VERSION_CHECK(9, 4, 1));
    EXPECT_FALSE(LV_VERSION_CHECK(9, 5, 0));
    EXPECT_FALSE(LV_VERSION_CHECK(8, 3, 0));
}

}  // namespace

namespace {

TEST(Fs, StdioDriveIsTheDefaultDrive)
{
    TempDir tmp("lvfs");
    std::string path = tmp.file("data.bin");
    FILE * f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("hello", f);
    std::fclose(f);

    for(const std::string & p : {path, "A:" + path}) {
        lv_fs_file_t file;
        ASSERT_EQ(lv_fs_open(&file, p.c_str(), LV_FS_MODE_RD), LV_FS_RES_OK) << p;
        char buf[8] = {};
        uint32_t n = 0;
        EXPECT_EQ(lv_fs_read(&file, buf, sizeof(buf), &n), LV_FS_RES_OK);
        EXPECT_EQ(n, 5u);
        EXPECT_STREQ(buf, "hello");
        uint32_t pos = 0;
        EXPECT_EQ(lv_fs_tell(&file, &pos), LV_FS_RES_OK);
        EXPECT_EQ(pos, 5u);
        EXPECT_EQ(lv_fs_close(&file), LV_FS_RES_OK);
    }
    lv_fs_file_t file;
    EXPECT_EQ(lv_fs_open(&file, ("S:" + path).c_str(), LV_FS_MODE_RD), LV_FS_RES_NOT_EX) << "unknown drive";
    EXPECT_EQ(lv_fs_open(&file, (path + ".missing").c_str(), LV_FS_MODE_RD), LV_FS_RES_NOT_EX);
    EXPECT_STREQ(lv_fs_get_ext("dir.x/artwork"), "");
    EXPECT_STREQ(lv_fs_get_ext("a/b.png"), "png");
}

// lv_atan2(dy, dx) is the screen angle of (dx, dy), clockwise from 3 o'clock,
// in whole degrees within about one degree of the true angle.
TEST(Math, Atan2GivesTheScreenAngleOfAVector)
{
    struct {
        int dx, dy;
        uint16_t deg;
    } cases[] = {
        {1, 0, 0},      {0, 1, 90},   {-1, 0, 180}, {0, -1, 270},  // the axes
        {-24, 45, 118}, {15, 41, 70}, {22, 39, 61}, {29, 34, 50}, {37, 26, 35},
    };
    for (const auto & c : cases) EXPECT_EQ(lv_atan2(c.dy, c.dx), c.deg) << c.dx << "," << c.dy;
}

}  // namespace
