// What the main page shows: reference images of its pages, overlays and
// status bar, reached the way a user reaches them (taps through the pointer,
// the pager scrolled to a page, now-playing records as the controllers hand
// them over).
#include <cmath>

#include "comm_mgr_lvgl.h"
#include "jpeg_fixture.hpp"
#include "main_page_env.hpp"
#include "ui/ui_data_update.h"

namespace main_page_test {
namespace {

// A cover: a warm diagonal blend with a pale disc, mostly orange.
Rgb cover_pixel(int x, int y)
{
    const double t = (x + y) / 598.0;
    const double dx = x - 190.0;
    const double dy = y - 110.0;
    if (std::sqrt(dx * dx + dy * dy) < 60) {
        return {250, 236, 200};
    }
    return {(uint8_t)(240 - 60 * t), (uint8_t)(140 - 80 * t), (uint8_t)(40 + 120 * t)};
}

class MainPageScreens : public MainPageTest {
protected:
    void SetUp() override
    {
        MainPageTest::SetUp();
        start_ui();
        show_clock();
    }

    // AirPlay plays a track; its art is read a second later.
    void play_track()
    {
        write_jpeg("artwork.jpg", 300, 300, cover_pixel);
        ui_run_page.app_id = APP_ID_AIRPLAY;
        const player_ui_info_t info = playing_record("Harbour Lights", "The Quiet Tides", "Evening Songs");
        airplay_ui_event_cb(&info);
        run_for(1000, 10);
    }

    void show_page(int page)
    {
        lv_obj_scroll_to_x(m.pager, page * MAIN_PAGE_WIDTH, LV_ANIM_OFF);
        step();
    }
};

TEST_F(MainPageScreens, HomePage)
{
    EXPECT_TRUE(looks_like("home"));
}

// The rest of the tile grid, captions and icons: scrolled by two rows
// (rows 3 and 4 whole), then to its end (rows 4 and 5 whole).
TEST_F(MainPageScreens, HomePageGridScrolledDown)
{
    lv_obj_update_layout(m.tile_grid);
    const int32_t end = lv_obj_get_scroll_y(m.tile_grid) + lv_obj_get_scroll_bottom(m.tile_grid);
    const struct {
        int32_t y;
        const char *ref;
    } views[] = {{320, "home_grid_rows_3_4"}, {end, "home_grid_end"}};
    for (const auto &v : views) {
        SCOPED_TRACE(v.ref);
        lv_obj_scroll_to_y(m.tile_grid, v.y, LV_ANIM_OFF);
        step();
        ASSERT_EQ(lv_obj_get_scroll_y(m.tile_grid), v.y);
        EXPECT_TRUE(looks_like(v.ref));
    }
    EXPECT_EQ(lv_obj_get_scroll_bottom(m.tile_grid), 0) << "the last view is the grid's end";
}

TEST_F(MainPageScreens, FirstNowPlayingPageWithItsOverlayUpThenDown)
{
    play_track();
    show_page(1);
    const lv_point_t veil{100, 240};
    tap(veil.x, veil.y);
    ASSERT_FALSE(hidden(m.group_ctrl_page_1));
    EXPECT_TRUE(looks_like("page_1_overlay_up"));
    tap(veil.x, veil.y);
    ASSERT_TRUE(hidden(m.group_ctrl_page_1));
    EXPECT_TRUE(looks_like("page_1_overlay_down"));
}

TEST_F(MainPageScreens, SecondNowPlayingPage)
{
    play_track();
    // The audio-format label as the Airable view fills it.
    lv_label_set_text(m.page_2_format, "2CH|44100Hz|320Kb/s");
    show_page(2);
    EXPECT_TRUE(looks_like("page_2"));
}

TEST_F(MainPageScreens, VolumePanelUp)
{
    tap(m.tiles[MAIN_TILE_VOLUME].icon);
    ASSERT_FALSE(hidden(m.panel_volume));
    EXPECT_TRUE(looks_like("volume_panel"));
}

TEST_F(MainPageScreens, StatusBarShowsTheActiveSource)
{
    const struct {
        int32_t app_id;
        const char *name;
    } sources[] = {
        {APP_ID_AIRPLAY, "status_bar_airplay"},
        {APP_ID_SPOTIFY, "status_bar_spotify"},
        {APP_ID_AIRABLE, "status_bar_radio"},
    };
    for (const auto &s : sources) {
        SCOPED_TRACE(s.name);
        ui_run_page.app_id = s.app_id;
        show_page(0);
        show_page(1);
        EXPECT_TRUE(status_bar_looks_like(s.name));
    }
}

TEST_F(MainPageScreens, EmptyAirableListPage)
{
    show_page(3);
    EXPECT_TRUE(looks_like("list_page_empty"));
}

TEST_F(MainPageScreens, FixedListPage)
{
    show_page(4);
    EXPECT_TRUE(looks_like("info_list"));
}

}  // namespace
}  // namespace main_page_test
