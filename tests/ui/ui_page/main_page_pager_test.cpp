// The pager's scroll handler, driven by programmatic scrolls (each sends the
// scroll events at once): the page index, the status bar by page and
// source, and the thresholds of the status bar and of a fast step.
#include "comm_mgr_lvgl.h"
#include "main_page_env.hpp"
#include "ui/ui_assets.h"
#include "ui/ui_data_update.h"

namespace main_page_test {
namespace {

TEST(MainPageIndex, NearestPageHalfWayUpHeldToTheSixPages)
{
    const struct {
        int32_t x;
        int32_t page;
    } cases[] = {
        {-4000, 0}, {-960, 0}, {-959, 0}, {0, 0}, {319, 0}, {320, 1},  {640, 1},
        {959, 1},   {960, 2},  {3200, 5}, {3519, 5}, {3520, 5}, {4000, 5},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(main_page_index_at(c.x), c.page) << "x " << c.x;
    }
}

class MainPagePager : public MainPageTest {
protected:
    void SetUp() override
    {
        MainPageTest::SetUp();
        start_ui();
    }

    void scroll_to(int32_t x)
    {
        lv_obj_scroll_to_x(m.pager, x, LV_ANIM_OFF);
    }

    // Marks that the handler must either replace or leave alone.
    void mark_status_bar()
    {
        lv_label_set_text(m.bar_label, "kept");
        lv_obj_remove_flag(m.bar_label, LV_OBJ_FLAG_HIDDEN);
        lv_image_set_src(m.bar_icon, &img_ico_main_page);
        lv_obj_remove_flag(m.bar_icon, LV_OBJ_FLAG_HIDDEN);
    }
};

TEST_F(MainPagePager, StatusBarMarkByPageAndSource)
{
    struct Case {
        int32_t page;
        int32_t app_id;
        const lv_image_dsc_t *icon; // nullptr: no source and hidden
        bool changed;
    };
    const Case cases[] = {
        {1, 0, nullptr, true},
        {1, APP_ID_AIRPLAY, &img_ico_airplay_bar, true},
        {1, APP_ID_SPOTIFY, &img_ico_spotify_bar, true},
        {1, APP_ID_AIRABLE, &img_ico_radio_bar, true},
        {2, 0, nullptr, true},
        {2, APP_ID_AIRPLAY, &img_ico_airplay_bar, true},
        {2, APP_ID_SPOTIFY, &img_ico_spotify_bar, true},
        {2, APP_ID_AIRABLE, &img_ico_radio_bar, true},
        {3, 0, &img_ico_radio_bar, true},
        {3, APP_ID_AIRPLAY, &img_ico_radio_bar, true},
        {0, APP_ID_SPOTIFY, nullptr, false},
        {4, APP_ID_AIRPLAY, nullptr, false},
        {5, APP_ID_AIRABLE, nullptr, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << ", app_id " << c.app_id);
        scroll_to(c.page == 0 ? MAIN_PAGE_WIDTH : 0);
        ui_run_page.app_id = c.app_id;
        mark_status_bar();
        scroll_to(c.page * MAIN_PAGE_WIDTH);
        EXPECT_EQ(m.cur_page, c.page);
        if (!c.changed) {
            EXPECT_STREQ(lv_label_get_text(m.bar_label), "kept");
            EXPECT_FALSE(hidden(m.bar_label));
            EXPECT_EQ(lv_image_get_src(m.bar_icon), &img_ico_main_page);
            EXPECT_FALSE(hidden(m.bar_icon));
            continue;
        }
        EXPECT_STREQ(lv_label_get_text(m.bar_label), "");
        EXPECT_TRUE(hidden(m.bar_label));
        EXPECT_EQ(lv_image_get_src(m.bar_icon), c.icon);
        EXPECT_EQ(hidden(m.bar_icon), c.icon == nullptr);
    }
}

TEST_F(MainPagePager, StatusBarShowsOnceThePagerIsPast576)
{
    const struct {
        int32_t x;
        bool shown;
    } cases[] = {{577, true}, {576, false}, {1920, true}, {0, false}, {3200, true}};
    for (const auto &c : cases) {
        scroll_to(c.x);
        EXPECT_EQ(!hidden(m.status_bar), c.shown) << "x " << c.x;
    }
}

TEST_F(MainPagePager, StepsOf20PixelsOrMoreHideBothOverlays)
{
    lv_obj_remove_flag(m.group_ctrl_page_2, LV_OBJ_FLAG_HIDDEN);
    scroll_to(19);
    scroll_to(38);
    scroll_to(19);
    EXPECT_FALSE(hidden(m.group_ctrl_page_1));
    EXPECT_FALSE(hidden(m.group_ctrl_page_2));
    scroll_to(39);
    EXPECT_TRUE(hidden(m.group_ctrl_page_1));
    EXPECT_TRUE(hidden(m.group_ctrl_page_2));
}

TEST_F(MainPagePager, ScrollEndLogsThePageAndPosition)
{
    take_log();
    scroll_to(2 * MAIN_PAGE_WIDTH);
    const std::string log = take_log();
    EXPECT_NE(log.find("\033[1;33m[LVGL_UI][main_page_scroll_event_cb:"), std::string::npos) << log;
    EXPECT_NE(log.find("\033[0m scroll end, page: 2, scroll_x: 1280\n"), std::string::npos) << log;
}

}  // namespace
}  // namespace main_page_test
