// The main page's hooks: what the first start builds and registers, the run
// hook's play-info queries and clock, the destroy hook, and the background
// picture. The communication manager is the recording stand-in.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "airable_data_exchange.h"
#include "airplay_data_exchange.h"
#include "fake_comm.h"
#include "main_page_env.hpp"
#include "spotify_data_exchange.h"
#include "ui/ui_assets.h"
#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"

namespace main_page_test {
namespace {

namespace fs = std::filesystem;

const std::vector<uint8_t> kPlayInfoQuery{1, 0, 0x25, 20};

time_t g_now;
time_t test_clock()
{
    return g_now;
}

time_t utc(int year, int month, int day, int hour, int minute)
{
    struct tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    return timegm(&tm);
}

class MainPageHooks : public MainPageTest {
protected:
    void SetUp() override
    {
        MainPageTest::SetUp();
        fake_comm::take();
    }

    // Run calls until the next play-info query goes out; how many it took.
    int calls_to_next_query()
    {
        for (int n = 1; n <= 10; n++) {
            ui_page_main_run(0);
            if (!fake_comm::take().empty()) {
                return n;
            }
        }
        return -1;
    }
};

TEST_F(MainPageHooks, FirstStartBuildsRegistersAndLeavesTheStartState)
{
    start_ui();
    EXPECT_NE(take_log().find("\033[0m em_UI_STATUS_READY  not ok it's started ! \n"), std::string::npos);
    EXPECT_EQ(ui_page_table[PAGE_ID_MAIN].status, em_UI_STATUS_READY);
    EXPECT_EQ(ui_page_table[PAGE_ID_MAIN].father_id, PAGE_ID_MAIN);
    EXPECT_EQ(fake_comm::route(APP_ID_AIRPLAY), &airplay_uds_cb);
    EXPECT_EQ(fake_comm::route(APP_ID_SPOTIFY), &spotify_uds_cb);
    EXPECT_EQ(fake_comm::route(APP_ID_AIRABLE), &airable_uds_cb);
    EXPECT_TRUE(fake_comm::take().empty()) << "nothing is sent at start";

    EXPECT_EQ(m.cur_page, 0);
    EXPECT_EQ(lv_obj_get_scroll_x(m.pager), 0);
    EXPECT_EQ(lv_obj_get_child_count(m.pager), (uint32_t)MAIN_PAGE_COUNT);
    EXPECT_EQ(lv_obj_get_index(m.page_4), 4);
    struct Shown {
        const char *name;
        lv_obj_t *obj;
        bool shown;
    };
    const Shown start_state[] = {
        {"pager", m.pager, true},
        {"status bar", m.status_bar, false},
        {"volume panel", m.panel_volume, false},
        {"page_1 overlay", m.group_ctrl_page_1, true},
        {"page_2 overlay", m.group_ctrl_page_2, false},
        {"page_1 play", m.page_1_play, true},
        {"page_1 previous", m.page_1_previous, false},
        {"page_1 next", m.page_1_next, false},
        {"page_1 shuffle", m.page_1_random, false},
        {"page_1 repeat", m.page_1_repeat, false},
        {"page_2 play", m.page_2_play, true},
        {"page_2 previous", m.page_2_previous, false},
        {"page_2 next", m.page_2_next, false},
        {"page_1 text column", m.page_1_text_column, true},
        {"page_1 title", m.page_1_title, false},
        {"page_1 line 2", m.page_1_line_2, false},
        {"page_1 line 3", m.page_1_line_3, false},
        {"status-bar label", m.bar_label, false},
        {"status-bar icon", m.bar_icon, true},
    };
    for (const Shown &s : start_state) {
        EXPECT_EQ(!hidden(s.obj), s.shown) << s.name;
    }
    EXPECT_EQ(lv_image_get_src(m.bar_icon), &img_ico_spotify_bar);
    EXPECT_STREQ(lv_label_get_text(m.label_date), " ");
    EXPECT_STREQ(lv_label_get_text(m.label_time), " ");
    EXPECT_STREQ(lv_label_get_text(m.label_volume), "100");
    EXPECT_EQ(lv_arc_get_value(m.arc_volume), 25);
    ASSERT_EQ(lv_obj_get_child_count(m.list_info), 4u);
    for (uint32_t i = 0; i < 4; i++) {
        const auto *item = static_cast<const list_msg_item_t *>(lv_obj_get_user_data(lv_obj_get_child(m.list_info, i)));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->type, '0');
        EXPECT_STREQ(item->name, "信息");
    }
    EXPECT_EQ(lv_obj_get_child_count(m.list_radio), 0u);
}

TEST_F(MainPageHooks, WithoutAnActiveSourceNothingIsAskedNorCounted)
{
    start_ui();
    ui_run_page.app_id = APP_ID_AIRPLAY;
    calls_to_next_query();
    for (int i = 0; i < 4; i++) {
        ui_page_main_run(0);
    }
    ui_run_page.app_id = 0;
    for (int i = 0; i < 30; i++) {
        ui_page_main_run(0);
    }
    EXPECT_TRUE(fake_comm::take().empty());
    ui_run_page.app_id = APP_ID_AIRPLAY;
    EXPECT_EQ(calls_to_next_query(), 6);
}

TEST_F(MainPageHooks, EveryTenthCallAsksTheActiveSource)
{
    start_ui();
    struct Source {
        int32_t app_id;
    };
    for (const Source s : {Source{APP_ID_AIRPLAY}, Source{APP_ID_SPOTIFY}, Source{APP_ID_AIRABLE}}) {
        SCOPED_TRACE(s.app_id);
        ui_run_page.app_id = s.app_id;
        calls_to_next_query();  // brings the count to a known phase
        for (int round = 0; round < 3; round++) {
            for (int i = 0; i < 9; i++) {
                ui_page_main_run(0);
            }
            EXPECT_TRUE(fake_comm::take().empty());
            ui_page_main_run(0);
            const std::vector<SentFrame> sent = fake_comm::take();
            ASSERT_EQ(sent.size(), 1u);
            EXPECT_EQ(sent[0].app_id, s.app_id);
            EXPECT_EQ(sent[0].cmd1, s.app_id);
            EXPECT_EQ(sent[0].cmd2, PLAYER_MSG);
            EXPECT_EQ(sent[0].payload, kPlayInfoQuery);
        }
    }
}

TEST_F(MainPageHooks, ASwitchOfSourceKeepsTheCount)
{
    start_ui();
    ui_run_page.app_id = APP_ID_SPOTIFY;
    calls_to_next_query();
    for (int i = 0; i < 7; i++) {
        ui_page_main_run(0);
    }
    ui_run_page.app_id = APP_ID_AIRPLAY;
    ui_page_main_run(0);
    ui_page_main_run(0);
    EXPECT_TRUE(fake_comm::take().empty());
    ui_page_main_run(0);
    const std::vector<SentFrame> sent = fake_comm::take();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].app_id, APP_ID_AIRPLAY);
}

TEST_F(MainPageHooks, ClockAndDateShowTheLocalTime)
{
    ui_page_main_set_clock(test_clock);
    start_ui();
    struct Case {
        const char *tz;
        time_t when;
        const char *date;
        const char *time;
    };
    const Case cases[] = {
        {"UTC", utc(2026, 1, 4, 23, 59), "星期日  2026/1/4", "23:59"},
        {"UTC", utc(2026, 1, 5, 9, 5), "星期一  2026/1/5", "09:05"},
        {"UTC", utc(2026, 1, 6, 0, 0), "星期二  2026/1/6", "00:00"},
        {"UTC", utc(2026, 1, 7, 12, 30), "星期三  2026/1/7", "12:30"},
        {"UTC", utc(2026, 1, 8, 7, 1), "星期四  2026/1/8", "07:01"},
        {"UTC", utc(2026, 1, 9, 18, 45), "星期五  2026/1/9", "18:45"},
        {"UTC", utc(2026, 10, 10, 10, 10), "星期六  2026/10/10", "10:10"},
        {"CST-8", utc(2026, 12, 31, 20, 30), "星期五  2027/1/1", "04:30"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.date);
        setenv("TZ", c.tz, 1);
        tzset();
        g_now = c.when;
        show_clock();
        EXPECT_STREQ(lv_label_get_text(m.label_date), c.date);
        EXPECT_STREQ(lv_label_get_text(m.label_time), c.time);
    }
}

TEST_F(MainPageHooks, TheClockChangesOnEveryFiftiethCall)
{
    ui_page_main_set_clock(test_clock);
    start_ui();
    g_now = utc(2026, 1, 5, 9, 5);
    int calls = 0;
    while (strcmp(lv_label_get_text(m.label_time), "09:05") != 0 && calls < 50) {
        ui_page_main_run(0);
        calls++;
    }
    ASSERT_STREQ(lv_label_get_text(m.label_time), "09:05");
    g_now = utc(2026, 1, 5, 9, 6);
    for (int i = 0; i < 49; i++) {
        ui_page_main_run(0);
    }
    EXPECT_STREQ(lv_label_get_text(m.label_time), "09:05");
    ui_page_main_run(0);
    EXPECT_STREQ(lv_label_get_text(m.label_time), "09:06");
}

TEST_F(MainPageHooks, DestroyOnlyStopsTheBackgroundRun)
{
    start_ui();
    ASSERT_EQ(ui_run_page.main_run, UI_MAIN_RUN_ON);
    EXPECT_EQ(ui_page_main_destroy(), PAGE_ID_MAIN);
    EXPECT_EQ(ui_run_page.main_run, 0);
    EXPECT_FALSE(hidden(m.pager));
}

// Where nothing is drawn over it, the home page shows its background
// picture, or the root screen's colour when the picture is missing or broken.
struct Picture {
    const char *name;
    void (*prepare)();
    bool root_shows;
};

class MainPageBackground : public MainPageTest, public ::testing::WithParamInterface<Picture> {};

TEST_P(MainPageBackground, RootColourShowsOnlyWithoutAUsablePicture)
{
    const lv_point_t bare{320, 74};
    const uint32_t root_colour = 0x11200F;
    GetParam().prepare();
    start_ui();
    const uint8_t *px = render().px(bare.x, bare.y);
    const uint32_t shown = (uint32_t)px[2] << 16 | (uint32_t)px[1] << 8 | px[0];
    EXPECT_EQ(shown == root_colour, GetParam().root_shows) << std::hex << shown;
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, MainPageBackground,
    ::testing::Values(Picture{"present", [] {}, false},
                      Picture{"missing", [] { fs::remove("background_image_8.png"); }, true},
                      Picture{"not_a_png",
                              [] { std::ofstream("background_image_8.png", std::ios::trunc) << "not a picture"; },
                              true}),
    [](const ::testing::TestParamInfo<Picture> &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace main_page_test
