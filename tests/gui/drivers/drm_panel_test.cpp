// The DRM display's virtual panel: finished frames published as BMP files.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>

#include <filesystem>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gui/drivers/display/drm/virtual_panel.hpp"
#include "image_compare.hpp"
#include "lvgl.h"
#include "temp_dir.hpp"

namespace {

namespace fs = std::filesystem;
using test_support::Image;

std::vector<std::string> log_lines;
void log_cb(lv_log_level_t, const char* buf)
{
    log_lines.emplace_back(buf);
}

uint32_t u32_at(const std::string& b, size_t at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
           uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// Reads the panel's own BMP flavour: 32 bits per pixel, bottom-up rows.
bool read_bmp(const std::string& path, Image& out)
{
    const std::string b = slurp(path);
    if (b.size() < 54 || b.compare(0, 2, "BM") != 0 || u32_at(b, 28) != 32) {
        return false;
    }
    const int w = static_cast<int>(u32_at(b, 18));
    const int h = static_cast<int>(u32_at(b, 22));
    const size_t offset = u32_at(b, 10);
    if (b.size() != offset + size_t(w) * h * 4) {
        return false;
    }
    out = Image(w, h);
    for (int y = 0; y < h; y++) {
        const char* row = b.data() + offset + size_t(h - 1 - y) * w * 4;
        std::memcpy(out.px(0, y), row, size_t(w) * 4);
    }
    return true;
}

lv_obj_t* box(lv_obj_t* parent, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t color)
{
    lv_obj_t* o = lv_obj_create(parent);
    lv_obj_set_pos(o, x, y);
    lv_obj_set_size(o, w, h);
    lv_obj_set_style_bg_color(o, lv_color_hex(color), 0);
    lv_obj_set_style_border_width(o, 0, 0);
    lv_obj_set_style_radius(o, 0, 0);
    return o;
}

class VirtualPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel = dir + "/panel.bmp";
        lv_init();
        log_lines.clear();
        lv_log_register_print_cb(log_cb);
    }
    void TearDown() override
    {
        lv_deinit();
    }

    lv_display_t* open_panel(const std::string& path)
    {
        lv_display_t* disp = lv_linux_drm_create();
        EXPECT_NE(disp, nullptr);
        lv_linux_drm_set_file(disp, path.c_str(), -1);
        return disp;
    }

    TempDir tmp{"panel"};
    const std::string& dir = tmp.path();
    std::string panel;
};

TEST_F(VirtualPanel, FinishedFrameIsPublishedAsBmp)
{
    lv_display_t* disp = open_panel(panel);
    EXPECT_EQ(lv_display_get_horizontal_resolution(disp), 640);
    EXPECT_EQ(lv_display_get_vertical_resolution(disp), 480);
    lv_obj_t* scr = lv_display_get_screen_active(disp);
    lv_obj_set_style_bg_color(scr, lv_color_hex(0x11200F), 0);
    box(scr, 0, 0, 640, 60, 0x2050C0);
    box(scr, 40, 100, 200, 300, 0xE0A020);
    box(scr, 400, 240, 240, 240, 0x30B060);
    lv_obj_t* label = lv_label_create(scr);
    lv_label_set_text(label, "virtual panel");
    lv_obj_set_style_text_color(label, lv_color_hex(0xFFFFFF), 0);
    lv_obj_set_pos(label, 20, 20);
    lv_refr_now(disp);

    Image shown;
    ASSERT_TRUE(read_bmp(panel, shown));
    EXPECT_TRUE(test_support::matches_reference(shown, std::string(GUI_REF_DIR) + "/drivers/virtual_panel.png",
                                                GUI_OUT_DIR, "virtual_panel"));
    EXPECT_FALSE(fs::exists(panel + ".tmp")) << "the frame is renamed into place";
}

TEST_F(VirtualPanel, EachNewFrameReplacesTheFile)
{
    lv_display_t* disp = open_panel(panel);
    lv_obj_t* scr = lv_display_get_screen_active(disp);
    lv_obj_t* b = box(scr, 100, 100, 50, 50, 0xFF0000);
    lv_refr_now(disp);
    Image first;
    ASSERT_TRUE(read_bmp(panel, first));
    EXPECT_EQ(first.px(120, 120)[2], 0xFF);  // red channel (B, G, R order)
    EXPECT_EQ(first.px(120, 120)[0], 0x00);

    lv_obj_set_style_bg_color(b, lv_color_hex(0x0000FF), 0);
    lv_refr_now(disp);
    Image second;
    ASSERT_TRUE(read_bmp(panel, second));
    EXPECT_EQ(second.px(120, 120)[0], 0xFF);
    EXPECT_EQ(second.px(120, 120)[2], 0x00);
    EXPECT_EQ(std::memcmp(first.px(0, 300), second.px(0, 300), 640 * 4), 0);
}

// A display made larger than the panel flushes areas reaching past its right
// and bottom edges: the panel keeps what lies on it and drops the rest.
TEST_F(VirtualPanel, AreasBeyondThePanelAreCutAtItsEdges)
{
    lv_display_t* disp = open_panel(panel);
    lv_display_set_resolution(disp, 800, 600);
    lv_obj_t* scr = lv_display_get_screen_active(disp);
    lv_obj_set_style_bg_color(scr, lv_color_hex(0x000000), 0);
    box(scr, 600, 440, 200, 160, 0xFF0000);
    lv_refr_now(disp);

    Image shown;
    ASSERT_TRUE(read_bmp(panel, shown));
    ASSERT_EQ(shown.w, 640);
    ASSERT_EQ(shown.h, 480);
    struct Probe {
        int x, y;
        uint8_t red;
    };
    const Probe probes[] = {{600, 440, 0xFF}, {639, 479, 0xFF}, {639, 440, 0xFF}, {600, 479, 0xFF},
                            {599, 479, 0x00}, {639, 439, 0x00}, {0, 0, 0x00}};
    for (const Probe& p : probes) {
        EXPECT_EQ(shown.px(p.x, p.y)[2], p.red) << p.x << "," << p.y;
    }
}

TEST_F(VirtualPanel, ExistingRegularFileIsThePanelToo)
{
    std::ofstream(panel) << "old contents";
    lv_display_t* disp = open_panel(panel);
    lv_refr_now(disp);
    Image shown;
    ASSERT_TRUE(read_bmp(panel, shown));
    EXPECT_EQ(shown.w, 640);
}

TEST_F(VirtualPanel, CardThatCannotBeOpenedLeavesADisplayWithoutOutput)
{
    const std::string card = dir + "/missing-folder/card0";
    lv_display_t* disp = open_panel(card);
    ASSERT_NE(disp, nullptr);
    ASSERT_FALSE(log_lines.empty());
    EXPECT_NE(log_lines[0].find("cannot open \"" + card + "\""), std::string::npos) << log_lines[0];
    EXPECT_EQ(log_lines[0].rfind("[Error]", 0), 0u);
    box(lv_display_get_screen_active(disp), 0, 0, 10, 10, 0xFFFFFF);
    lv_refr_now(disp);  // nothing to show, nothing to crash
    EXPECT_FALSE(fs::exists(card));
}

// A device that opens but gives no buffers (no dumb buffers, like
// /dev/null here) leaves a display that cannot draw; it says so at most
// once a second, not at every refresh.
TEST_F(VirtualPanel, CardWithoutBuffersWarnsOnceASecond)
{
    static uint32_t now_ms;
    now_ms = 5000;
    lv_display_t* disp = open_panel("/dev/null");
    lv_tick_set_cb([] { return now_ms; });
    ASSERT_NE(disp, nullptr);
    log_lines.clear();
    for (int frame = 0; frame < 91; frame++) {  // three seconds of refreshes
        lv_obj_invalidate(lv_display_get_screen_active(disp));
        lv_refr_now(disp);
        now_ms += 33;
    }
    std::vector<std::string> warnings;
    for (const std::string& line : log_lines) {
        if (line.find("No draw buffer") != std::string::npos) {
            warnings.push_back(line);
        }
    }
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_NE(warnings[0].find("No draw buffer "), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[1].find("No draw buffer (repeated 30 times)"), std::string::npos) << warnings[1];
    EXPECT_NE(warnings[2].find("No draw buffer (repeated 30 times)"), std::string::npos) << warnings[2];
}

TEST_F(VirtualPanel, FailedSwitchToACardKeepsThePanelGoing)
{
    lv_display_t* disp = open_panel(panel);
    lv_linux_drm_set_file(disp, (dir + "/missing-folder/card0").c_str(), -1);
    box(lv_display_get_screen_active(disp), 0, 0, 64, 48, 0x00FF00);
    lv_refr_now(disp);
    Image shown;
    ASSERT_TRUE(read_bmp(panel, shown));
    EXPECT_EQ(shown.px(10, 10)[1], 0xFF);
}

TEST_F(VirtualPanel, CreateInstallsAMonotonicMillisecondTick)
{
    lv_linux_drm_create();
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const uint32_t now = uint32_t(uint64_t(ts.tv_sec) * 1000 + uint64_t(ts.tv_nsec) / 1000000);
    EXPECT_LE(now - lv_tick_get(), 1000u);
}

TEST(BmpEncoding, HeaderAndBottomUpRows)
{
    // 2 x 2 XRGB pixels, top row first: red, green / blue, white.
    const uint8_t px[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    const std::vector<uint8_t> bmp = gui::drivers::encode_bmp(px, 2, 2, 8);
    const std::string b(bmp.begin(), bmp.end());
    ASSERT_EQ(b.size(), 54u + 16u);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(u32_at(b, 2), 70u);   // file size
    EXPECT_EQ(u32_at(b, 10), 54u);  // pixel offset
    EXPECT_EQ(u32_at(b, 14), 40u);  // info header size
    EXPECT_EQ(u32_at(b, 18), 2u);
    EXPECT_EQ(u32_at(b, 22), 2u);
    EXPECT_EQ(uint8_t(b[28]), 32);  // bits per pixel
    EXPECT_EQ(u32_at(b, 30), 0u);   // uncompressed
    const uint8_t expect_rows[] = {255, 0, 0, 255, 255, 255, 255, 255,  // bottom row first
                                   0, 0, 255, 255, 0, 255, 0, 255};
    EXPECT_EQ(std::memcmp(bmp.data() + 54, expect_rows, sizeof expect_rows), 0);
}

}  // namespace
