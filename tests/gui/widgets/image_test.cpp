#include "widget_env.hpp"

#include "gui_fixture.hpp"
#include "render_helpers.hpp"
#include "image_compare.hpp"
#include "temp_dir.hpp"

#include <cstdio>
#include <string>
#include <vector>

using widget_test::WidgetTest;

namespace {

constexpr int32_t kImgW = 40;
constexpr int32_t kImgH = 20;

class Image : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        pixels = test_support::argb8888_pixels(
            kImgW, kImgH, [](int32_t, int32_t) { return test_support::Argb{lv_color_hex(0xFF0000), 0xFF}; });
        dsc = test_support::argb8888_image(pixels, kImgW, kImgH);
        img = lv_image_create(scr);
    }

    std::string write_png_file(int w = 8, int h = 6)
    {
        test_support::Image png(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint8_t * p = png.px(x, y);
                p[0] = 0xFF, p[3] = 0xFF; // blue
            }
        std::string path = tmp.file("pic.png");
        EXPECT_TRUE(test_support::write_png(path, png));
        return path;
    }

    std::vector<uint8_t> pixels;
    lv_image_dsc_t dsc{};
    lv_obj_t * img = nullptr;
    TempDir tmp{"widget-image"};
};

TEST_F(Image, SourcesSetTheContentSize)
{
    EXPECT_FALSE(lv_obj_has_flag(img, LV_OBJ_FLAG_CLICKABLE));
    EXPECT_TRUE(lv_obj_has_flag(img, LV_OBJ_FLAG_ADV_HITTEST));
    EXPECT_TRUE(lv_obj_check_type(img, &lv_image_class));

    lv_image_set_src(img, &dsc);
    lv_obj_update_layout(img);
    EXPECT_EQ(lv_obj_get_width(img), kImgW);
    EXPECT_EQ(lv_obj_get_height(img), kImgH);
    EXPECT_EQ(lv_image_get_src(img), &dsc) << "descriptors are kept by pointer";

    std::string path = write_png_file();
    std::string arg = path;
    lv_image_set_src(img, arg.c_str());
    arg[0] = 'X';
    EXPECT_STREQ(static_cast<const char *>(lv_image_get_src(img)), path.c_str()) << "paths are copied";
    lv_obj_update_layout(img);
    EXPECT_EQ(lv_obj_get_width(img), 8);
    EXPECT_EQ(lv_obj_get_height(img), 6);

    lv_image_set_src(img, LV_SYMBOL_PLAY);
    lv_obj_update_layout(img);
    EXPECT_EQ(lv_obj_get_width(img), 12);
    EXPECT_EQ(lv_obj_get_height(img), 16);

    lv_image_set_src(img, nullptr);
    lv_obj_update_layout(img);
    EXPECT_EQ(lv_obj_get_width(img), 0);
    EXPECT_EQ(lv_image_get_src(img), nullptr);
}

TEST_F(Image, SettingTheSamePathAgainReadsTheFileAgain)
{
    std::string path = write_png_file(8, 6);
    lv_image_set_src(img, path.c_str());
    write_png_file(10, 4);
    lv_image_set_src(img, lv_image_get_src(img)); // its own copy of the path
    lv_obj_update_layout(img);
    EXPECT_EQ(lv_obj_get_width(img), 10);
    EXPECT_EQ(lv_obj_get_height(img), 4);
}

TEST_F(Image, MissingOrDamagedSourcesClearTheImage)
{
    lv_image_set_src(img, &dsc);
    lv_image_set_src(img, "/nonexistent/dir/none.png");
    lv_obj_update_layout(img);
    EXPECT_EQ(lv_image_get_src(img), nullptr);
    EXPECT_EQ(lv_obj_get_width(img), 0);

    write_png_file();
    std::string bad = tmp.file("bad.png");
    if (FILE * f = std::fopen(bad.c_str(), "wb")) {
        std::fputs("not an image at all", f);
        std::fclose(f);
    }
    lv_image_set_src(img, &dsc);
    lv_image_set_src(img, bad.c_str());
    EXPECT_EQ(lv_image_get_src(img), nullptr);
    EXPECT_EQ(pixel(5, 5), 0xF5F5F5u) << "nothing is drawn";

    lv_image_dsc_t empty = dsc;
    empty.data = nullptr;
    lv_image_set_src(img, &empty);
    EXPECT_EQ(lv_image_get_src(img), nullptr);
}

TEST_F(Image, TransformSettersNormaliseAndKeepTheWidgetSize)
{
    lv_image_set_src(img, &dsc);
    struct {
        int32_t set;
        int32_t expect;
    } rotations[] = {{450, 450}, {3700, 100}, {-100, 3500}, {3600, 0}};
    for (auto r : rotations) {
        lv_image_set_rotation(img, r.set);
        EXPECT_EQ(lv_image_get_rotation(img), r.expect) << r.set;
    }
    lv_image_set_rotation(img, 900);
    lv_image_set_scale(img, 512);
    lv_obj_update_layout(img);
    EXPECT_EQ(lv_obj_get_width(img), kImgW) << "transforms do not change the layout size";
    EXPECT_EQ(lv_image_get_transformed_width(img), 2 * kImgH);
    EXPECT_EQ(lv_image_get_transformed_height(img), 2 * kImgW);

    lv_point_t pivot;
    lv_image_get_pivot(img, &pivot);
    EXPECT_EQ(pivot.x, kImgW / 2);
    EXPECT_EQ(pivot.y, kImgH / 2);
    lv_image_set_scale(img, 0);
    EXPECT_EQ(lv_image_get_scale(img), 1);
}

TEST_F(Image, StretchFillsTheWidgetAndLeavingItKeepsTheScale)
{
    lv_image_set_src(img, &dsc);
    lv_obj_set_size(img, 80, 60);
    lv_image_set_rotation(img, 300);
    lv_image_set_inner_align(img, LV_IMAGE_ALIGN_STRETCH);
    EXPECT_EQ(lv_image_get_scale_x(img), 80 * 256 / kImgW);
    EXPECT_EQ(lv_image_get_scale_y(img), 60 * 256 / kImgH);
    EXPECT_EQ(lv_image_get_rotation(img), 0);
    lv_image_set_scale(img, 100);
    EXPECT_EQ(lv_image_get_scale_x(img), 512) << "user scale is ignored while stretching";

    lv_image_set_inner_align(img, LV_IMAGE_ALIGN_CENTER);
    EXPECT_EQ(lv_image_get_scale_x(img), 512) << "the scale stays, and so does the pivot";
    EXPECT_EQ(lv_image_get_scale_y(img), 768);
    lv_point_t pivot;
    lv_image_get_pivot(img, &pivot);
    EXPECT_EQ(pivot.x, 0);
    EXPECT_EQ(pivot.y, 0);
    lv_image_set_scale(img, 256);
    EXPECT_EQ(lv_image_get_scale_x(img), 256) << "and can be set again";
}

// Contain, cover, stretch and tile scale about the top-left pixel: the pivot
// is (0,0) whatever is set meanwhile, rotation 0, and the transformed size is
// the image size times the scale, rounded down. A 105 x 40 image.
TEST_F(Image, FittingAlignmentsScaleAboutTheTopLeftPixel)
{
    std::vector<uint8_t> wide = test_support::argb8888_pixels(105, 40, [](int32_t, int32_t) {
        return test_support::Argb{lv_color_hex(0xFF0000), 0xFF};
    });
    const lv_image_dsc_t wide_dsc = test_support::argb8888_image(wide, 105, 40);
    struct {
        lv_image_align_t align;
        int32_t w, h;
        int32_t scale_x, scale_y;
        int32_t drawn_w, drawn_h;
    } cases[] = {
        {LV_IMAGE_ALIGN_CONTAIN, 52, 20, 126, 126, 51, 19},   {LV_IMAGE_ALIGN_COVER, 52, 20, 128, 128, 52, 20},
        {LV_IMAGE_ALIGN_STRETCH, 52, 20, 126, 128, 51, 20},   {LV_IMAGE_ALIGN_TILE, 52, 20, 256, 256, 105, 40},
        {LV_IMAGE_ALIGN_CONTAIN, 100, 100, 243, 243, 99, 37},
    };
    for (const auto & c : cases) {
        lv_obj_t * fit = lv_image_create(scr);
        lv_image_set_src(fit, &wide_dsc);
        lv_obj_set_size(fit, c.w, c.h);
        lv_image_set_inner_align(fit, c.align);
        const std::string what = std::to_string(c.align) + " in " + std::to_string(c.w) + "x" + std::to_string(c.h);
        EXPECT_EQ(lv_image_get_transformed_width(fit), c.drawn_w) << what;
        EXPECT_EQ(lv_image_get_transformed_height(fit), c.drawn_h) << what;
        lv_image_set_pivot(fit, 200, 300);
        lv_image_set_rotation(fit, 450);
        lv_image_set_scale(fit, 512);
        lv_point_t pivot;
        lv_image_get_pivot(fit, &pivot);
        EXPECT_EQ(pivot.x, 0) << what;
        EXPECT_EQ(pivot.y, 0) << what;
        EXPECT_EQ(lv_image_get_rotation(fit), 0) << what;
        EXPECT_EQ(lv_image_get_scale_x(fit), c.scale_x) << what;
        EXPECT_EQ(lv_image_get_scale_y(fit), c.scale_y) << what;
        lv_obj_delete(fit);
    }

    // Contained in 52 x 20 the image is 51 px wide from the left edge: the
    // widget's last column stays the screen's.
    lv_image_set_src(img, &wide_dsc);
    lv_obj_set_pos(img, 10, 10);
    lv_obj_set_size(img, 52, 20);
    lv_image_set_inner_align(img, LV_IMAGE_ALIGN_CONTAIN);
    EXPECT_EQ(pixel(10 + 25, 10 + 10), 0xFF0000u);
    EXPECT_EQ(pixel(10 + 51, 10 + 10), 0xF5F5F5u);
}

TEST_F(Image, ScaledDownImageIsOnlyHitWhereItIsDrawn)
{
    lv_image_set_src(img, &dsc);
    lv_obj_add_flag(img, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_set_pos(img, 100, 100);
    lv_obj_update_layout(img);
    lv_point_t corner{101, 101};
    lv_point_t middle{120, 110};
    EXPECT_TRUE(lv_obj_hit_test(img, &corner));
    lv_image_set_scale(img, 128); // drawn half size around the centre
    EXPECT_FALSE(lv_obj_hit_test(img, &corner));
    EXPECT_TRUE(lv_obj_hit_test(img, &middle));
}

TEST_F(Image, DrawsThePixelsAtItsPosition)
{
    lv_image_set_src(img, &dsc);
    lv_obj_set_pos(img, 10, 10);
    EXPECT_EQ(pixel(15, 15), 0xFF0000u);
    EXPECT_EQ(pixel(55, 15), 0xF5F5F5u) << "screen background next to it";
}

} // namespace
