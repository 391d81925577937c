// The main page driven by a finger through the GUI library's pointer device:
// pager swipes, the overlays, the home icon, the volume panel and its arc
// with the mixer stand-in, the Settings tile and the back icon.
//
// The gestures are chosen so that their outcome is the same under the GUI
// stand-in's scrolling and under the drag and throw rules of LVGL 9.4: a
// swipe of 65 px per read moves the content by 65 px per read under both
// (9.4 damps only the first step at the home page, to 16 px), is held to one
// page by SCROLL_ONE and snaps to the next page; a drag of 3 px per read
// moves it by at most 3 px per read and snaps back in steps under 20 px.
#include <math.h>
#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "main_page_env.hpp"
#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"

namespace main_page_test {
namespace {

constexpr lv_point_t kSwipeStart{600, 240};
constexpr lv_point_t kFastStep{-65, 0};
constexpr int kFastMoves = 8;
constexpr lv_point_t kSlowStep{-3, 0};
constexpr int kSlowMoves = 10;

// The texts of the log lines that carry `marker`, from the marker on.
std::vector<std::string> log_lines(const std::string &log, const std::string &marker)
{
    std::vector<std::string> out;
    for (size_t at = log.find(marker); at != std::string::npos; at = log.find(marker, at + 1)) {
        out.push_back(log.substr(at, log.find('\n', at) - at));
    }
    return out;
}

// "scroll end" lines of the log: {page, scroll_x}.
std::vector<std::pair<int, int>> scroll_ends(const std::string &log)
{
    std::vector<std::pair<int, int>> out;
    for (const std::string &line : log_lines(log, "scroll end, page: ")) {
        int page = 0;
        int x = 0;
        if (sscanf(line.c_str(), "scroll end, page: %d, scroll_x: %d", &page, &x) == 2) {
            out.emplace_back(page, x);
        }
    }
    return out;
}

std::vector<int> reported_volumes(const std::string &log)
{
    std::vector<int> out;
    for (const std::string &line : log_lines(log, "volume_set_event_cb: volume=")) {
        int v = 0;
        if (sscanf(line.c_str(), "volume_set_event_cb: volume=%d", &v) == 1) {
            out.push_back(v);
        }
    }
    return out;
}

std::vector<std::string> lines_of(const std::string &path)
{
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string l; std::getline(in, l);) {
        out.push_back(l);
    }
    return out;
}

bool has(const std::string &log, const std::string &text)
{
    return log.find(text) != std::string::npos;
}

class MainPagePointer : public MainPageTest {
protected:
    void SetUp() override
    {
        MainPageTest::SetUp();
        // The mixer stand-in comes first on the PATH, as in the run script.
        const char *path = getenv("PATH");
        old_path_ = path ? path : "";
        setenv("PATH", (std::string(QUORVEX_PLATFORM_BIN) + ":" + old_path_).c_str(), 1);
        start_ui();
        take_log();
    }

    void TearDown() override
    {
        setenv("PATH", old_path_.c_str(), 1);
        MainPageTest::TearDown();
    }

    int32_t pager_x() const { return lv_obj_get_scroll_x(m.pager); }

    // A point on the volume arc's ring at `degrees` (0 = 3 o'clock, clockwise).
    lv_point_t on_arc(double degrees) const
    {
        lv_area_t a;
        lv_obj_get_coords(m.arc_volume, &a);
        const int32_t left = a.x1 + lv_obj_get_style_pad_left(m.arc_volume, LV_PART_MAIN);
        const int32_t top = a.y1 + lv_obj_get_style_pad_top(m.arc_volume, LV_PART_MAIN);
        const int32_t w = lv_area_get_width(&a) - left + a.x1 - lv_obj_get_style_pad_right(m.arc_volume, LV_PART_MAIN);
        const int32_t h = lv_area_get_height(&a) - top + a.y1 - lv_obj_get_style_pad_bottom(m.arc_volume, LV_PART_MAIN);
        const int32_t r = (w < h ? w : h) / 2;
        const double ring = r - lv_obj_get_style_arc_width(m.arc_volume, LV_PART_INDICATOR) / 2.0;
        const double rad = degrees * M_PI / 180.0;
        return {(int32_t)lround(left + r + ring * cos(rad)), (int32_t)lround(top + r + ring * sin(rad))};
    }

    std::string old_path_;
};

TEST_F(MainPagePointer, SwipeMovesExactlyOnePageAndLogsWhereItEnds)
{
    drag(kSwipeStart, kFastStep, kFastMoves);
    settle();
    EXPECT_EQ(pager_x(), MAIN_PAGE_WIDTH);
    EXPECT_EQ(m.cur_page, 1);
    const auto ends = scroll_ends(take_log());
    ASSERT_FALSE(ends.empty());
    for (const auto &[page, x] : ends) {
        EXPECT_EQ(page, 1) << "at scroll_x " << x;
    }
    EXPECT_EQ(ends.back().second, MAIN_PAGE_WIDTH);

    drag(kSwipeStart, kFastStep, kFastMoves);
    settle();
    EXPECT_EQ(pager_x(), 2 * MAIN_PAGE_WIDTH);
    EXPECT_EQ(m.cur_page, 2);
}

TEST_F(MainPagePointer, FastSwipeHidesBothOverlays)
{
    lv_obj_remove_flag(m.group_ctrl_page_2, LV_OBJ_FLAG_HIDDEN);
    drag(kSwipeStart, kFastStep, kFastMoves);
    settle();
    EXPECT_TRUE(hidden(m.group_ctrl_page_1));
    EXPECT_TRUE(hidden(m.group_ctrl_page_2));
}

TEST_F(MainPagePointer, SlowDragLeavesTheOverlaysAndSnapsBack)
{
    lv_obj_remove_flag(m.group_ctrl_page_2, LV_OBJ_FLAG_HIDDEN);
    drag(kSwipeStart, kSlowStep, kSlowMoves);
    settle();
    EXPECT_EQ(pager_x(), 0);
    EXPECT_FALSE(hidden(m.group_ctrl_page_1));
    EXPECT_FALSE(hidden(m.group_ctrl_page_2));
    const auto ends = scroll_ends(take_log());
    ASSERT_FALSE(ends.empty()) << "the drag must have moved the pager";
    EXPECT_EQ(ends.back(), std::make_pair(0, 0));
    EXPECT_TRUE(hidden(m.status_bar));
}

TEST_F(MainPagePointer, HomeIconScrollsBackFromTheListPage)
{
    lv_obj_scroll_to_x(m.pager, 3 * MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    step();
    ASSERT_FALSE(hidden(m.status_bar));
    ASSERT_EQ(m.cur_page, 3);
    take_log();

    tap(m.ico_page_main);
    settle();
    EXPECT_EQ(pager_x(), 0);
    EXPECT_EQ(m.cur_page, 0);
    EXPECT_TRUE(hidden(m.status_bar));
    const std::string log = take_log();
    EXPECT_TRUE(has(log, "\033[0m ico_page_main clicked: scroll to page_0\n")) << log;
    const auto ends = scroll_ends(log);
    ASSERT_FALSE(ends.empty());
    EXPECT_EQ(ends.back(), std::make_pair(0, 0));
}

TEST_F(MainPagePointer, PageTapsToggleTheOverlaysButtonsDoNot)
{
    lv_obj_scroll_to_x(m.pager, MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    step();
    ASSERT_TRUE(hidden(m.group_ctrl_page_1)) << "the jump to page 1 hides it";
    const lv_point_t veil{100, 240};

    tap(veil.x, veil.y);
    EXPECT_FALSE(hidden(m.group_ctrl_page_1));
    EXPECT_TRUE(has(take_log(), "\033[0m page_1 clicked: show ctrl panel\n"));
    tap(m.page_1_play);
    EXPECT_FALSE(hidden(m.group_ctrl_page_1)) << "the play button takes its own tap";
    tap(veil.x, veil.y);
    EXPECT_TRUE(hidden(m.group_ctrl_page_1));
    const std::string log = take_log();
    EXPECT_TRUE(has(log, "\033[0m page_1 clicked: hide ctrl panel\n")) << log;
    EXPECT_FALSE(has(log, "group_ctrl_page_1 clicked")) << "the overlay takes no clicks";

    lv_obj_scroll_to_x(m.pager, 2 * MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    step();
    take_log();
    tap(veil.x, veil.y);
    EXPECT_FALSE(hidden(m.group_ctrl_page_2));
    EXPECT_TRUE(has(take_log(), "\033[0m page_2 clicked: show ctrl panel\n"));
}

TEST_F(MainPagePointer, VolumeTileShowsThePanelAndThePanelClosesItself)
{
    const lv_point_t tile = centre_of(m.tiles[MAIN_TILE_VOLUME].icon);
    tap(tile.x, tile.y);
    EXPECT_FALSE(hidden(m.panel_volume));
    EXPECT_TRUE(has(take_log(), "\033[0m sys_volume_event_cb clicked:  \n"));

    // Inside the arc's box the arc takes the tap: on the value label, on the
    // icon in the arc's opening.
    tap(m.label_volume);
    tap(m.panel_volume_icon);
    EXPECT_FALSE(hidden(m.panel_volume));
    EXPECT_FALSE(has(take_log(), "panel_volume clicked"));

    // The panel covers the tile: a second tap there reaches the panel.
    tap(tile.x, tile.y);
    EXPECT_TRUE(hidden(m.panel_volume));
    const std::string log = take_log();
    EXPECT_TRUE(has(log, "\033[0m panel_volume clicked: hide self\n")) << log;
    EXPECT_FALSE(has(log, "sys_volume_event_cb")) << log;
    EXPECT_EQ(lv_arc_get_value(m.arc_volume), 25) << "hiding keeps the value";
}

TEST_F(MainPagePointer, ArcDragRunsOneMixerCommandPerReportedValue)
{
    tap(m.tiles[MAIN_TILE_VOLUME].icon);
    ASSERT_FALSE(hidden(m.panel_volume));
    ASSERT_STREQ(lv_label_get_text(m.label_volume), "100") << "nothing reads the mixer at start";
    take_log();

    // The arc runs from 120° over the top to 60°: 3° a unit, 25 at 195°.
    const double start = 195;
    const double end = 240;
    const lv_point_t from = on_arc(start);
    press(from.x, from.y);
    for (double deg = start + 3; deg <= end; deg += 3) {
        const lv_point_t p = on_arc(deg);
        move_to(p.x, p.y);
    }
    release();

    const std::vector<int> volumes = reported_volumes(take_log());
    ASSERT_FALSE(volumes.empty());
    EXPECT_GT(volumes.front(), 25);
    EXPECT_EQ(volumes.back(), 40);
    const std::vector<std::string> mixer = lines_of("amixer.log");
    ASSERT_EQ(mixer.size(), volumes.size());
    for (size_t i = 0; i < volumes.size(); i++) {
        const std::string v = std::to_string(volumes[i]);
        EXPECT_EQ(mixer[i], "amixer -c 0 sset PCM " + v + "% => PCM " + v + "%");
    }
    EXPECT_EQ(lines_of("amixer.state"), std::vector<std::string>{"0 PCM 40"});
    EXPECT_STREQ(lv_label_get_text(m.label_volume), "40");
    EXPECT_EQ(lv_arc_get_value(m.arc_volume), 40);
    EXPECT_FALSE(hidden(m.panel_volume)) << "a drag on the arc leaves the panel up";
}

TEST_F(MainPagePointer, SettingsTileOpensTheWifiPageAndTheWayBackRebuildsNothing)
{
    const uint32_t children = lv_obj_get_child_count(m.page_root);
    const uint32_t pager_callbacks = lv_obj_get_event_count(m.pager);
    tap(m.tiles[MAIN_TILE_SETTINGS].icon);
    EXPECT_EQ(ui_run_page.run_page_id, PAGE_ID_WIFI);
    EXPECT_TRUE(hidden(m.pager));
    EXPECT_TRUE(has(take_log(), "\033[0m ico_set_event_cb \n "));

    EXPECT_EQ(entry_ui_page(PAGE_ID_MAIN), 0);
    EXPECT_FALSE(hidden(m.pager));
    EXPECT_TRUE(has(take_log(), "\033[0m em_UI_STATUS_READY  is ok \n"));
    EXPECT_EQ(lv_obj_get_child_count(m.page_root), children);
    EXPECT_EQ(lv_obj_get_event_count(m.pager), pager_callbacks);
    EXPECT_EQ(ui_page_table[PAGE_ID_MAIN].status, em_UI_STATUS_READY);
    EXPECT_EQ(ui_page_table[PAGE_ID_MAIN].father_id, PAGE_ID_MAIN);
}

TEST_F(MainPagePointer, BackIconOfTheListPageOnlyLogs)
{
    lv_obj_scroll_to_x(m.pager, 3 * MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    step();
    take_log();
    tap(m.ico_radio_back);
    EXPECT_EQ(take_log().find("\033[0m ico_radio_back clicked\n") != std::string::npos, true);
    EXPECT_EQ(pager_x(), 3 * MAIN_PAGE_WIDTH);
    EXPECT_EQ(m.cur_page, 3);
}

}  // namespace
}  // namespace main_page_test
