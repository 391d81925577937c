// The snapshot tool on a partial-mode display and on its own memory display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_compare.hpp"
#include "lvgl.h"
#include "scenes.hpp"
#include "temp_dir.hpp"
#include "tools/lvshot/lvshot.h"

namespace {

class Lvshot : public ::testing::Test {
protected:
    void SetUp() override { lv_init(); }
    void TearDown() override { lv_deinit(); }
    std::string file(const char * name) { return tmp.file(name); }
    TempDir tmp{"lvshot"};
};

void ignore_flush(lv_display_t * disp, const lv_area_t *, uint8_t *)
{
    lv_display_flush_ready(disp);
}

TEST_F(Lvshot, PartialDisplayGivesTheSameScreenAsTheReference)
{
    // A driver-like display: a buffer of 40 rows, flushed band by band.
    lv_display_t * disp = lv_display_create(640, 480);
    std::vector<uint8_t> band(640 * 40 * 4);
    lv_display_set_buffers(disp, band.data(), nullptr, static_cast<uint32_t>(band.size()),
                           LV_DISPLAY_RENDER_MODE_PARTIAL);
    lv_display_set_flush_cb(disp, ignore_flush);
    ASSERT_EQ(lvshot_attach(disp), 0);
    test_scenes::build_default_theme_cards();
    std::string path = file("partial.png");
    ASSERT_EQ(lvshot_save(disp, path.c_str()), 0);

    test_support::Image shot;
    test_support::Image ref;
    ASSERT_TRUE(test_support::read_png(path, shot));
    ASSERT_TRUE(test_support::read_png(std::string(GUI_REF_DIR) + "/core/default_theme_cards.png", ref));
    test_support::Difference d = test_support::compare(shot, ref, 2);
    EXPECT_FALSE(d.size_mismatch);
    EXPECT_EQ(d.pixels_over, 0u);
}

TEST_F(Lvshot, MemoryDisplayAndErrors)
{
    lv_display_t * disp = lvshot_display_create(64, 32);
    ASSERT_NE(disp, nullptr);
    lv_obj_set_style_bg_color(lv_screen_active(), lv_color_hex(0x336699), 0);
    std::string path = file("mem.png");
    ASSERT_EQ(lvshot_save(disp, path.c_str()), 0);
    test_support::Image img;
    ASSERT_TRUE(test_support::read_png(path, img));
    ASSERT_EQ(img.w, 64);
    ASSERT_EQ(img.h, 32);
    const uint8_t * p = img.px(10, 10);
    EXPECT_EQ(p[2], 0x33);
    EXPECT_EQ(p[1], 0x66);
    EXPECT_EQ(p[0], 0x99);

    EXPECT_EQ(lvshot_save(disp, file("missing/dir/x.png").c_str()), -1);
    EXPECT_EQ(lvshot_save(nullptr, path.c_str()), -1);
    EXPECT_EQ(lvshot_attach(nullptr), -1);
}

}  // namespace
