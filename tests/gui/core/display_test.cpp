// Displays: defaults, refresh on demand, flushed areas in each render mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lvgl.h"

namespace {

uint32_t clock_ms = 0;

struct Panel {
    std::vector<lv_area_t> flushed;
    std::vector<bool> last;
    std::vector<uint8_t> buf;
};

void flush_cb(lv_display_t * disp, const lv_area_t * area, uint8_t *)
{
    auto * p = static_cast<Panel *>(lv_display_get_user_data(disp));
    p->flushed.push_back(*area);
    p->last.push_back(lv_display_flush_is_last(disp));
    lv_display_flush_ready(disp);
}

std::vector<std::string> log_lines;

void capture_log(lv_log_level_t, const char * line)
{
    log_lines.emplace_back(line);
}

class Displays : public ::testing::Test {
protected:
    void SetUp() override
    {
        lv_init();
        clock_ms = 0;
        lv_tick_set_cb([] { return clock_ms; });
        log_lines.clear();
        lv_log_register_print_cb(capture_log);
    }
    void TearDown() override { lv_deinit(); }

    lv_display_t * make(Panel & p, int32_t w, int32_t h, lv_display_render_mode_t mode, size_t rows)
    {
        lv_display_t * d = lv_display_create(w, h);
        p.buf.assign(static_cast<size_t>(w) * rows * 4, 0);
        lv_display_set_buffers(d, p.buf.data(), nullptr, static_cast<uint32_t>(p.buf.size()), mode);
        lv_display_set_flush_cb(d, flush_cb);
        lv_display_set_user_data(d, &p);
        return d;
    }

    static void run_for(uint32_t ms)
    {
        for(uint32_t i = 0; i < ms; i++) {
            clock_ms++;
            lv_timer_handler();
        }
    }
};

TEST_F(Displays, DefaultsScreensAndIteration)
{
    Panel p1;
    Panel p2;
    lv_display_t * first = make(p1, 640, 480, LV_DISPLAY_RENDER_MODE_DIRECT, 480);
    lv_display_t * second = make(p2, 320, 240, LV_DISPLAY_RENDER_MODE_DIRECT, 240);
    EXPECT_EQ(lv_display_get_default(), first);
    EXPECT_EQ(lv_display_get_next(nullptr), second) << "newest first";
    EXPECT_EQ(lv_display_get_next(second), first);
    EXPECT_EQ(lv_display_get_next(first), nullptr);
    EXPECT_EQ(lv_display_get_dpi(first), LV_DPI_DEF);
    EXPECT_EQ(lv_display_get_color_format(first), LV_COLOR_FORMAT_XRGB8888);
    EXPECT_EQ(lv_dpx(10), 8);
    EXPECT_EQ(LV_HOR_RES, 640);

    lv_obj_t * scr = lv_obj_create(nullptr);
    EXPECT_EQ(lv_obj_get_display(scr), first);
    EXPECT_EQ(lv_obj_get_width(scr), 640);
    lv_display_set_default(second);
    lv_obj_t * scr2 = lv_obj_create(nullptr);
    EXPECT_EQ(lv_obj_get_display(scr2), second);
    EXPECT_EQ(lv_obj_get_height(scr2), 240);
    EXPECT_NE(lv_layer_top(), nullptr);
    EXPECT_NE(lv_layer_sys(), lv_layer_top());
    EXPECT_EQ(lv_obj_get_parent(lv_layer_top()), nullptr);
    EXPECT_EQ(lv_display_get_theme(second), lv_theme_default_get());
}

TEST_F(Displays, RefreshesOnlyWhenSomethingChanged)
{
    Panel p;
    lv_display_t * d = make(p, 200, 100, LV_DISPLAY_RENDER_MODE_DIRECT, 100);
    run_for(1);
    ASSERT_EQ(p.flushed.size(), 1u) << "due right after creation";
    EXPECT_EQ(p.flushed[0].x2, 199);
    run_for(100);
    EXPECT_EQ(p.flushed.size(), 1u) << "nothing changed";

    lv_obj_t * o = lv_obj_create(lv_screen_active());
    lv_obj_set_pos(o, 10, 10);
    lv_obj_set_size(o, 20, 20);
    run_for(40);
    // One refresh: the box sized at the content origin, then moved (not merged: the
    // joined area would be larger than both).
    ASSERT_EQ(p.flushed.size(), 3u);
    EXPECT_FALSE(p.last[1]);
    EXPECT_TRUE(p.last[2]);
    EXPECT_EQ(p.flushed[2].x1, 10);
    EXPECT_EQ(p.flushed[2].y1, 10);
    EXPECT_EQ(p.flushed[2].x2, 29);

    // Two overlapping invalidations become one area; far apart ones stay two.
    lv_area_t a{0, 0, 50, 50};
    lv_area_t b{20, 20, 60, 60};
    lv_area_t c{150, 0, 160, 10};
    lv_obj_invalidate_area(lv_screen_active(), &a);
    lv_obj_invalidate_area(lv_screen_active(), &b);
    lv_obj_invalidate_area(lv_screen_active(), &c);
    lv_refr_now(d);
    ASSERT_EQ(p.flushed.size(), 5u);
    EXPECT_EQ(p.flushed[3].x2, 60);
    EXPECT_EQ(p.flushed[3].y2, 60);
    EXPECT_FALSE(p.last[3]);
    EXPECT_EQ(p.flushed[4].x1, 150);
    EXPECT_TRUE(p.last[4]);
}

TEST_F(Displays, PartialModeFlushesBandsThatFitTheBuffer)
{
    Panel p;
    lv_display_t * d = make(p, 100, 100, LV_DISPLAY_RENDER_MODE_PARTIAL, 30);
    lv_refr_now(d);
    ASSERT_EQ(p.flushed.size(), 4u);
    const int32_t tops[] = {0, 30, 60, 90};
    for(size_t i = 0; i < 4; i++) {
        EXPECT_EQ(p.flushed[i].y1, tops[i]);
        EXPECT_EQ(p.flushed[i].x2, 99);
    }
    EXPECT_EQ(p.flushed[3].y2, 99);
    EXPECT_TRUE(p.last[3]);
    EXPECT_FALSE(p.last[0]);
}

TEST_F(Displays, FullModeRedrawsTheWholeScreen)
{
    Panel p;
    lv_display_t * d = make(p, 100, 80, LV_DISPLAY_RENDER_MODE_FULL, 80);
    lv_refr_now(d);
    lv_area_t small{5, 5, 6, 6};
    lv_obj_invalidate_area(lv_screen_active(), &small);
    lv_refr_now(d);
    ASSERT_EQ(p.flushed.size(), 2u);
    EXPECT_EQ(p.flushed[1].x1, 0);
    EXPECT_EQ(p.flushed[1].y2, 79);
}

TEST_F(Displays, WithoutBuffersNothingIsDrawnAndNothingBreaks)
{
    lv_display_t * d = lv_display_create(800, 480);
    lv_obj_create(lv_screen_active());
    lv_refr_now(d);
    ASSERT_FALSE(log_lines.empty());
    EXPECT_NE(log_lines.back().find("No draw buffer"), std::string::npos);
}

struct Deleted {
    int display = 0;
    int objects = 0;
};

void count_display(lv_event_t * e)
{
    static_cast<Deleted *>(lv_event_get_user_data(e))->display++;
}

void count_object(lv_event_t * e)
{
    static_cast<Deleted *>(lv_event_get_user_data(e))->objects++;
}

TEST_F(Displays, DeletingADisplayDeletesItsScreens)
{
    Panel p1;
    Panel p2;
    lv_display_t * keep = make(p1, 64, 64, LV_DISPLAY_RENDER_MODE_DIRECT, 64);
    lv_display_t * gone = make(p2, 64, 64, LV_DISPLAY_RENDER_MODE_DIRECT, 64);
    Deleted seen;
    lv_display_add_event_cb(gone, count_display, LV_EVENT_DELETE, &seen);
    lv_obj_t * scr = lv_display_get_screen_active(gone);
    lv_obj_add_event_cb(scr, count_object, LV_EVENT_DELETE, &seen);
    lv_obj_add_event_cb(lv_obj_create(scr), count_object, LV_EVENT_DELETE, &seen);
    lv_display_delete(gone);
    EXPECT_EQ(seen.display, 1);
    EXPECT_EQ(seen.objects, 2);
    EXPECT_EQ(lv_display_get_next(nullptr), keep);
    EXPECT_EQ(lv_display_get_next(keep), nullptr);
    EXPECT_FALSE(lv_obj_is_valid(scr));
}

TEST_F(Displays, ResolutionChangeResizesScreensAndReclassifiesTheTheme)
{
    Panel p;
    lv_display_t * d = make(p, 800, 480, LV_DISPLAY_RENDER_MODE_DIRECT, 480);
    lv_obj_t * card = lv_obj_create(lv_screen_active());
    EXPECT_EQ(lv_obj_get_style_pad_left(card, LV_PART_MAIN), 20) << "800 wide: the large class";
    lv_display_set_resolution(d, 640, 480);
    EXPECT_EQ(lv_obj_get_width(lv_screen_active()), 640);
    EXPECT_EQ(lv_obj_get_style_pad_left(card, LV_PART_MAIN), 16) << "medium class after the change";
    lv_theme_t * th = lv_display_get_theme(d);
    EXPECT_EQ(lv_theme_default_init(d, lv_palette_main(LV_PALETTE_BLUE), lv_palette_main(LV_PALETTE_RED), false,
                                    &lv_font_montserrat_14),
              th)
        << "unchanged settings keep the theme";
}

}  // namespace

namespace {

struct DoubleBuffered {
    std::vector<uint8_t> a;
    std::vector<uint8_t> b;
    std::vector<uint8_t *> shown;
};

void double_flush(lv_display_t * disp, const lv_area_t *, uint8_t * px)
{
    auto * p = static_cast<DoubleBuffered *>(lv_display_get_user_data(disp));
    if(lv_display_flush_is_last(disp)) p->shown.push_back(px);
    lv_display_flush_ready(disp);
}

TEST_F(Displays, DirectModeWithTwoBuffersKeepsBothInStep)
{
    const int32_t w = 120;
    const int32_t h = 80;
    DoubleBuffered p;
    p.a.assign(static_cast<size_t>(w) * h * 4, 0);
    p.b.assign(p.a.size(), 0);
    lv_display_t * d = lv_display_create(w, h);
    lv_display_set_buffers(d, p.a.data(), p.b.data(), static_cast<uint32_t>(p.a.size()),
                           LV_DISPLAY_RENDER_MODE_DIRECT);
    lv_display_set_flush_cb(d, double_flush);
    lv_display_set_user_data(d, &p);
    EXPECT_TRUE(lv_display_is_double_buffered(d));

    lv_obj_t * o = lv_obj_create(lv_screen_active());
    lv_obj_set_size(o, 40, 30);
    lv_refr_now(d);  // whole screen into the first buffer
    lv_obj_set_pos(o, 60, 40);
    lv_refr_now(d);  // only the changed areas, into the second buffer
    ASSERT_EQ(p.shown.size(), 2u);
    EXPECT_EQ(p.shown[0], p.a.data());
    EXPECT_EQ(p.shown[1], p.b.data()) << "the buffers alternate";

    lv_obj_invalidate(lv_screen_active());
    lv_refr_now(d);  // everything again, into the first buffer
    ASSERT_EQ(p.shown.size(), 3u);
    EXPECT_EQ(p.shown[2], p.a.data());
    EXPECT_TRUE(p.a == p.b) << "the second frame started from a copy of the first";
}

}  // namespace
