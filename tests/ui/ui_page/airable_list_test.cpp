// Airable browsing on the list page: the rows a list reply builds, paging by
// pulling the list past its ends (the thresholds and refusals, and a real
// pull through the pointer), the taps on menu, folder and playable rows,
// and the events the controller raises.
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "airable_fixture.hpp"
#include "hostile_text.hpp"
#include "ui/ui_assets.h"
#include "ui/ui_data_update.h"

namespace main_page_test {
namespace {

bool has(const std::string &log, const std::string &text)
{
    return log.find(text) != std::string::npos;
}

std::string title_of(const SentFrame &f)
{
    if (f.payload.size() < AIRABLE_TITLE_HDR_LEN) {
        return "<short>";
    }
    return std::string(f.payload.begin() + AIRABLE_TITLE_HDR_LEN, f.payload.end());
}

class AirableList : public AirablePageTest {
protected:
    lv_obj_t *list() const { return m.list_radio; }

    // Runs the GUI until a pull asked for a window or the list came to rest.
    void step_until_busy_or_still()
    {
        for (int i = 0; i < 100 && !ui_run_page.flags.list_busy; i++) {
            step();
            if (lv_anim_count_running() == 0 && !lv_obj_has_state(list(), LV_STATE_SCROLLED)) {
                break;
            }
        }
    }

    // The list scrolled to its end, then pulled `px` further up, as the
    // library reports it: its SCROLL_END comes with the content past the end.
    void pull_past_end(int32_t px)
    {
        lv_obj_update_layout(list());
        lv_obj_scroll_to_y(list(), lv_obj_get_scroll_y(list()) + lv_obj_get_scroll_bottom(list()), LV_ANIM_OFF);
        take_log();
        lv_obj_scroll_by(list(), 0, -px, LV_ANIM_OFF);
    }

    // The list pulled `px` down past its top and let go: the spring-back
    // animation begins (SCROLL_BEGIN) with the content still out.
    void pull_past_top(int32_t px)
    {
        lv_obj_update_layout(list());
        lv_obj_scroll_to_y(list(), 0, LV_ANIM_OFF);
        lv_obj_scroll_by(list(), 0, px, LV_ANIM_OFF);
        take_log();
        lv_obj_scroll_by(list(), 0, -px, LV_ANIM_ON);
    }
};

// -- paging ------------------------------------------------------------------

struct PullCase {
    const char *name;
    bool top;
    int32_t pull;
    bool busy;
    int32_t last;
    int32_t total;
    enum { NOTHING, DIRECTION_ONLY, REFUSED, ASKED } outcome;
    int32_t start;
    int32_t end;
};

const PullCase kPulls[] = {
    {"end_pull_of_50_is_not_enough", false, 50, false, 20, 60, PullCase::NOTHING, 0, 0},
    {"end_pull_of_51_asks_the_next_20", false, 51, false, 20, 60, PullCase::ASKED, 21, 40},
    {"top_pull_of_50_is_not_enough", true, 50, false, 60, 60, PullCase::NOTHING, 0, 0},
    {"top_pull_of_51_asks_the_earlier_window", true, 51, false, 60, 60, PullCase::ASKED, 20, 40},
    {"end_pull_while_busy", false, 80, true, 20, 60, PullCase::DIRECTION_ONLY, 0, 0},
    {"top_pull_while_busy", true, 80, true, 60, 60, PullCase::DIRECTION_ONLY, 0, 0},
    {"end_refused_at_the_last_item", false, 80, false, 60, 60, PullCase::REFUSED, 0, 0},
    {"end_one_before_the_last_item", false, 80, false, 59, 60, PullCase::ASKED, 60, 79},
    {"top_refused_below_40", true, 80, false, 39, 60, PullCase::REFUSED, 0, 0},
    {"top_at_40_asks_0_to_20", true, 80, false, 40, 60, PullCase::ASKED, 0, 20},
    {"end_window_reaching_int32_max", false, 80, false, INT32_MAX - 20, INT32_MAX, PullCase::ASKED,
     INT32_MAX - 19, INT32_MAX},
    {"end_window_past_int32_max_is_refused", false, 80, false, INT32_MAX - 19, INT32_MAX, PullCase::REFUSED, 0,
     0},
    {"top_window_from_int32_max", true, 80, false, INT32_MAX, INT32_MAX, PullCase::ASKED, INT32_MAX - 40,
     INT32_MAX - 20},
};

TEST_F(AirableList, PullsPastTheEndsFollowTheThresholdsAndRefusals)
{
    for (const PullCase &c : kPulls) {
        SCOPED_TRACE(c.name);
        reply(items(20), 1, 60);
        ui_run_page.list_last = c.last;
        ui_run_page.list_total = c.total;
        ui_run_page.flags.list_busy = c.busy;
        windows_asked();
        if (c.top) {
            pull_past_top(c.pull);
        } else {
            pull_past_end(c.pull);
        }
        const std::string log = take_log();
        const int code = c.top ? LV_EVENT_SCROLL_BEGIN : LV_EVENT_SCROLL_END;
        EXPECT_TRUE(has(log, "max_scroll [" + std::to_string(-c.pull) + "]  code [" + std::to_string(code) + "]\n"))
            << log;
        const char *direction = c.top ? "\033[0m list  to  up \n" : "\033[0m list  to  end \n";
        EXPECT_EQ(has(log, direction), c.outcome != PullCase::NOTHING) << log;
        EXPECT_EQ(has(log, "\033[0m 没有数据了 别扒拉了 \n"), c.outcome == PullCase::REFUSED) << log;

        const auto asked = windows_asked();
        if (c.outcome == PullCase::ASKED) {
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked[0], std::make_pair(c.start, c.end));
            EXPECT_EQ(ui_run_page.list_start, c.start);
            EXPECT_EQ(ui_run_page.list_end, c.end);
            EXPECT_TRUE(ui_run_page.flags.list_busy);
            EXPECT_TRUE(rows().empty()) << "emptied before the request";
            EXPECT_STREQ(lv_label_get_text(m.page_3_count), "");
        } else {
            EXPECT_TRUE(asked.empty());
            EXPECT_EQ((bool)ui_run_page.flags.list_busy, c.busy);
            EXPECT_EQ(rows().size(), 20u) << "a refused pull changes nothing but the log";
        }
        ui_run_page.flags.list_busy = 0;
        settle();
    }
}

TEST_F(AirableList, TheEndOfTheNextWindowClearsBusyAndShowsItsCount)
{
    reply(items(20), 1, 60);
    pull_past_end(80);
    ASSERT_TRUE(ui_run_page.flags.list_busy);
    pull_past_end(80);
    EXPECT_EQ(windows_asked().size(), 1u) << "no second request while busy";

    reply(items(20, 21), 21, 60);
    EXPECT_FALSE(ui_run_page.flags.list_busy);
    EXPECT_EQ(ui_run_page.list_last, 40);
    EXPECT_EQ(ui_run_page.list_total, 60);
    EXPECT_STREQ(lv_label_get_text(m.page_3_count), "40/60");
    EXPECT_TRUE(has(take_log(), "\033[0m airable list_data: parsed done 40/60\n"));
    ASSERT_EQ(rows().size(), 20u);
    EXPECT_EQ(rows().front(), "Item 21");
}

// A finger pulls the list up past its end and lets go: the next window is
// asked for once, and the service answers at once, while the list still
// springs back: the new rows are shown from their top.
TEST_F(AirableList, FingerPullPastTheEndShowsTheNextWindowFromItsTop)
{
    show_list_page();
    reply(items(20), 1, 60);
    windows_asked();
    for (int i = 0; i < 8 && !ui_run_page.flags.list_busy; i++) {
        // Quick strokes reach the end; one of them pulls past it.
        drag({320, 440}, {0, -40}, 8);
        step_until_busy_or_still();
    }
    ASSERT_TRUE(ui_run_page.flags.list_busy) << take_log();
    EXPECT_EQ(windows_asked(), (std::vector<std::pair<int32_t, int32_t>>{{21, 40}}));
    reply(items(20, 21), 21, 60);
    settle();
    EXPECT_EQ(lv_obj_get_scroll_y(list()), 0);
    EXPECT_EQ(rows().front(), "Item 21");
    lv_area_t first;
    lv_obj_get_coords(row(0), &first);
    lv_area_t box;
    lv_obj_get_coords(list(), &box);
    EXPECT_EQ(first.y1, box.y1) << "the first row of the new window at the top of the list";
}

TEST_F(AirableList, FingerPullDownPastTheTopShowsTheEarlierWindow)
{
    show_list_page();
    reply(items(20, 41), 41, 60);
    windows_asked();
    drag({320, 120}, {0, 40}, 8);
    step_until_busy_or_still();
    ASSERT_TRUE(ui_run_page.flags.list_busy) << take_log();
    EXPECT_EQ(windows_asked(), (std::vector<std::pair<int32_t, int32_t>>{{20, 40}}));
    reply(items(21, 20), 20, 60);
    settle();
    EXPECT_EQ(lv_obj_get_scroll_y(list()), 0);
    EXPECT_EQ(rows().front(), "Item 20");
}

// Emptying a list that was scrolled brings it back to its top; what the
// library reports of that jump is the interface's own doing, not a pull.
class AirableListScrolled : public AirableList {
protected:
    // The Radio tile's menu, "Radio List", and the service's first window of
    // `type` rows, then a finger scrolls the list down a little (not to its
    // end).
    void radio_list_scrolled(char type)
    {
        tap(m.tiles[MAIN_TILE_RADIO].icon);
        settle();
        tap(row_label(2));
        ASSERT_STREQ(lv_label_get_text(m.bar_label), "Radio List");
        airable_ui_event_cb(AIRABLE_UI_MAIN_READY, nullptr);
        reply(items(20, 1, type), 1, 60);
        airable_request_set_ready(nullptr);
        settle();
        drag({320, 400}, {0, -30}, 6);
        settle();
        ASSERT_GT(lv_obj_get_scroll_y(list()), 50) << "scrolled";
        ASSERT_GT(lv_obj_get_scroll_bottom(list()), 0) << "not to its end";
        fake_comm::take();
        take_log();
    }

    // Neither the log nor the frames sent show a pull.
    void expect_no_pull(const std::string &log, const std::vector<SentFrame> &frames)
    {
        EXPECT_FALSE(has(log, "list  to  end")) << log;
        EXPECT_FALSE(has(log, "list  to  up")) << log;
        EXPECT_FALSE(has(log, "没有数据了 别扒拉了")) << log;
        for (const SentFrame &f : frames) {
            EXPECT_NE(f.cmd2, APP_CMD2_AIRABLE_LIST_DATA) << "no window asked";
        }
        EXPECT_FALSE(ui_run_page.flags.list_busy);
    }
};

TEST_F(AirableListScrolled, PodcastAfterAScrolledRadioListShowsThePodcastMenu)
{
    radio_list_scrolled('0');
    tap(m.ico_page_main);
    settle();
    ASSERT_EQ(lv_obj_get_scroll_x(m.pager), 0);
    tap(m.tiles[MAIN_TILE_PODCAST].icon);
    settle();
    const std::vector<SentFrame> frames = fake_comm::take();
    expect_no_pull(take_log(), frames);
    for (const SentFrame &f : frames) {
        if (f.cmd2 == APP_CMD2_AIRABLE_LIST_DATA) {
            reply(items(20, 21), 21, 60); // the service answers what was asked
        }
    }
    EXPECT_EQ(rows(), (std::vector<std::string>{"Play History ", "Podcast", "Favorite", "Menu Settings"}));
    EXPECT_STREQ(lv_label_get_text(m.page_3_count), "");
}

TEST_F(AirableListScrolled, AFolderTapFromAScrolledListIsNoPull)
{
    radio_list_scrolled('1');
    list_data(items(20, 1, '1'));
    lv_area_t box;
    lv_obj_get_coords(list(), &box);
    lv_obj_t *folder = nullptr;
    for (int i = 0; i < (int)rows().size() && folder == nullptr; i++) {
        const lv_point_t c = centre_of(row_label(i));
        if (c.y > box.y1 && c.y < box.y2) {
            folder = row_label(i);
        }
    }
    ASSERT_NE(folder, nullptr) << "a row in view";
    tap(folder);
    settle();
    const std::vector<SentFrame> frames = fake_comm::take();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames[0].cmd2, APP_CMD2_AIRABLE_ID_DATA);
    expect_no_pull(take_log(), frames);
    EXPECT_TRUE(rows().empty());
}

TEST_F(AirableList, ShortPullAsksForNothing)
{
    show_list_page();
    reply(items(20), 1, 60);
    windows_asked();
    drag({320, 200}, {0, 6}, 4);
    settle();
    EXPECT_TRUE(windows_asked().empty());
    EXPECT_FALSE(ui_run_page.flags.list_busy);
    EXPECT_EQ(rows().size(), 20u);
}

// -- rows of a reply ----------------------------------------------------------

TEST_F(AirableList, FoldersGetTheEnterIconPlayableItemsAHiddenMarker)
{
    reply({{'1', "Genres"}, {'0', "Aurora FM"}, {'7', "Odd folder"}}, 1, 3);
    ASSERT_EQ(rows(), (std::vector<std::string>{"Genres", "Aurora FM", "Odd folder"}));
    for (int i : {0, 2}) {
        EXPECT_FALSE(hidden(row_marker(i)));
        EXPECT_EQ(lv_image_get_src(row_marker(i)), &img_ico_list_enter);
        EXPECT_TRUE(lv_obj_has_flag(row_marker(i), LV_OBJ_FLAG_CLICKABLE));
    }
    EXPECT_TRUE(hidden(row_marker(1)));
    EXPECT_EQ(lv_image_get_src(row_marker(1)), &img_ico_play_now_short);
    EXPECT_FALSE(lv_obj_has_flag(row_marker(1), LV_OBJ_FLAG_CLICKABLE));
    EXPECT_STREQ(lv_label_get_text(m.page_3_count), "3/3");
}

TEST_F(AirableList, EachReplyReplacesTheRowsOfTheOneBefore)
{
    reply(items(20), 1, 60);
    // The same request answered twice: the rows show one window.
    reply(items(20), 1, 60);
    EXPECT_EQ(rows().size(), 20u);
    reply({}, 0, 0);
    EXPECT_TRUE(rows().empty());
    EXPECT_STREQ(lv_label_get_text(m.page_3_count), "0/0");
    EXPECT_EQ(ui_run_page.list_total, 0);
    EXPECT_EQ(ui_run_page.list_last, 0);
}

TEST_F(AirableList, EventsWithoutTheirRecordOrUnknownChangeNothing)
{
    reply(items(3), 1, 3);
    for (int event : {AIRABLE_UI_PLAYER_INFO, AIRABLE_UI_LIST_ITEM, AIRABLE_UI_LIST_DONE}) {
        airable_ui_event_cb(event, nullptr);
    }
    for (int event : {0, 9, -1, INT_MAX}) {
        airable_ui_event_cb(event, nullptr);
    }
    EXPECT_EQ(rows().size(), 3u);
    EXPECT_STREQ(lv_label_get_text(m.page_3_count), "3/3");
    EXPECT_TRUE(fake_comm::take().empty());
}

TEST_F(AirableList, CountsBeyondInt32AreHeldAtItsTop)
{
    reply(items(1), UINT32_MAX, UINT32_MAX);
    EXPECT_EQ(ui_run_page.list_last, INT32_MAX);
    EXPECT_EQ(ui_run_page.list_total, INT32_MAX);
    pull_past_end(80);
    EXPECT_TRUE(windows_asked().empty());
}

TEST_F(AirableList, MainReadySetsTheFirstWindowAndDataReadyKeepsIt)
{
    ui_run_page.list_start = 41;
    ui_run_page.list_end = 60;
    airable_ui_event_cb(AIRABLE_UI_DATA_READY, nullptr);
    airable_ui_event_cb(AIRABLE_UI_MAIN_READY, nullptr);
    EXPECT_EQ(windows_asked(), (std::vector<std::pair<int32_t, int32_t>>{{41, 60}, {0, 20}}));
}

// -- row taps -------------------------------------------------------------------

struct TapCase {
    const char *name;
    char type;
    const char *text;
    const char *bar;           // status-bar label afterwards
    bool empties_list;
    uint8_t request;           // cmd2 sent, 0 for none
    const char *request_title; // for title requests
};

constexpr uint8_t kNone = 0;

const TapCase kTaps[] = {
    {"radio_list", 0, "Radio List", "Radio List", true, APP_CMD2_AIRABLE_MAIN_PAGE, nullptr},
    {"podcast", 0, "Podcast", "Podcast", true, APP_CMD2_AIRABLE_MAIN_PAGE, nullptr},
    {"play_history", 0, "Play History ", "Play History", false, kNone, nullptr},
    {"local_radio", 0, "Local Radio ", "Local Radio", false, kNone, nullptr},
    {"favorite_folder_of_the_service", '1', "Favorite", "Favorite", false, kNone, nullptr},
    {"menu_settings_even_when_playable", '0', "Menu Settings", "Menu Settings", false, kNone, nullptr},
    {"play_history_without_its_space_is_a_folder", '1', "Play History", "Play History", true,
     APP_CMD2_AIRABLE_TITLE_DATA, "Play History"},
    {"folder_found_by_its_id", '1', "Genres", "Genres", true, APP_CMD2_AIRABLE_ID_DATA, nullptr},
    {"folder_not_in_the_list_by_title", '1', "Lost Folder", "Lost Folder", true, APP_CMD2_AIRABLE_TITLE_DATA,
     "Lost Folder"},
};

TEST_F(AirableList, TapOnARowActsByItsTextThenByItsType)
{
    show_list_page();
    for (const TapCase &c : kTaps) {
        SCOPED_TRACE(c.name);
        reply({{'0', "Aurora FM"}, {c.type, c.text, 100}, {'1', "Countries", 200}}, 1, 3);
        list_data({{'1', "Genres", 100}, {'1', "Countries", 200}});
        set_bar_msg(nullptr, &img_ico_radio_bar);
        fake_comm::take();
        take_log();

        tap(row_label(1));
        const std::string log = take_log();
        EXPECT_TRUE(has(log, std::string("\033[0m list_msg_item clicked: ") + c.text + "\n")) << log;
        EXPECT_STREQ(lv_label_get_text(m.bar_label), c.bar);
        EXPECT_FALSE(hidden(m.bar_label));
        EXPECT_TRUE(hidden(m.bar_icon));
        EXPECT_EQ(lv_image_get_src(m.bar_icon), nullptr);
        EXPECT_EQ(rows().empty(), c.empties_list);

        std::vector<SentFrame> frames = fake_comm::take();
        if (c.request == kNone) {
            EXPECT_TRUE(frames.empty());
            continue;
        }
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].cmd2, c.request);
        if (c.request_title) {
            EXPECT_EQ(title_of(frames[0]), c.request_title);
            EXPECT_TRUE(has(log, std::string("id not found for title: ") + c.text + ", fallback title request"));
        }
        if (c.request == APP_CMD2_AIRABLE_ID_DATA) {
            ASSERT_EQ(frames[0].payload.size(), (size_t)AIRABLE_ID_LEN);
            EXPECT_EQ(app_rd_le64(frames[0].payload.data()), 100u);
            EXPECT_TRUE(has(log, "found id by title: Genres -> id=100\n")) << log;
        }
        if (c.request != APP_CMD2_AIRABLE_MAIN_PAGE) {
            EXPECT_EQ(ui_run_page.list_last, 0);
            EXPECT_EQ(ui_run_page.list_total, 0);
            EXPECT_EQ(ui_run_page.list_start, MAIN_LIST_FIRST_START);
            EXPECT_EQ(ui_run_page.list_end, MAIN_LIST_FIRST_END);
        }
        airable_request_set_ready(nullptr);
    }
}

TEST_F(AirableList, TapOnAPlayableRowMovesTheMarkerAndPlaysByTitle)
{
    show_list_page();
    reply({{'0', "Aurora FM"}, {'0', "Blue Coast Radio"}, {'1', "Genres"}}, 1, 3);
    tap(row_label(0));
    EXPECT_FALSE(hidden(row_marker(0)));
    EXPECT_STREQ(ui_run_page.play_title, "Aurora FM");
    EXPECT_EQ(ui_run_page.is_playing, 1);
    std::vector<SentFrame> play = sent(APP_CMD2_AIRABLE_TITLE_PLAY);
    ASSERT_EQ(play.size(), 1u);
    EXPECT_EQ(title_of(play[0]), "Aurora FM");
    EXPECT_TRUE(has(take_log(), "\033[0m play_title :  Aurora FM\n"));

    tap(row_label(1));
    EXPECT_TRUE(hidden(row_marker(0))) << "the marker leaves the row played before";
    EXPECT_FALSE(hidden(row_marker(1)));
    EXPECT_EQ(lv_image_get_src(row_marker(1)), &img_ico_play_now_short);
    EXPECT_EQ(rows().size(), 3u);
    EXPECT_EQ(sent(APP_CMD2_AIRABLE_TITLE_PLAY).size(), 1u);

    // The row already playing: its marker again, its request again.
    tap(row_label(1));
    EXPECT_FALSE(hidden(row_marker(1)));
    EXPECT_EQ(sent(APP_CMD2_AIRABLE_TITLE_PLAY).size(), 1u);
}

TEST_F(AirableList, TapOnTheEnterIconOfAFolderOpensIt)
{
    show_list_page();
    reply({{'1', "Genres", 100}}, 1, 1);
    list_data({{'1', "Genres", 100}});
    tap(row_marker(0));
    EXPECT_EQ(sent(APP_CMD2_AIRABLE_ID_DATA).size(), 1u);
    EXPECT_TRUE(rows().empty());
}

// Names come from the service: every line that shows one shows it escaped,
// and the requests carry it as it came.
TEST_F(AirableList, NamesFromTheServiceAreLoggedEscaped)
{
    const std::string &name = test_support::kHostileName;
    const std::string &shown = test_support::kHostileShown;
    const struct {
        const char *what;
        char type;
        bool in_list_data;
        uint8_t request;
        std::vector<std::string> lines;
    } cases[] = {
        {"folder by its id", '1', true, APP_CMD2_AIRABLE_ID_DATA,
         {"list_msg_item clicked: " + shown + "\n", "get title :  " + shown + "\n",
          "found id by title: " + shown + " -> id=77\n"}},
        {"folder by its title", '1', false, APP_CMD2_AIRABLE_TITLE_DATA,
         {"list_msg_item clicked: " + shown + "\n", "get title :  " + shown + "\n",
          "id not found for title: " + shown + ", fallback title request\n"}},
        {"playable item", '0', false, APP_CMD2_AIRABLE_TITLE_PLAY,
         {"list_msg_item clicked: " + shown + "\n", "play_title :  " + shown + "\n"}},
    };
    show_list_page();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        reply({{c.type, name, 77}}, 1, 1);
        list_data(c.in_list_data ? std::vector<ListItem>{{c.type, name, 77}} : std::vector<ListItem>{});
        fake_comm::take();
        take_log();
        tap(row_label(0));
        const std::string log = take_log();
        size_t at = 0;
        for (const std::string &line : c.lines) {
            at = log.find(line, at);
            ASSERT_NE(at, std::string::npos) << line << " in:\n" << log;
        }
        EXPECT_FALSE(has(log, name));
        EXPECT_FALSE(has(log, "\n[ERR]"));
        std::vector<SentFrame> frames = sent(c.request);
        ASSERT_EQ(frames.size(), 1u);
        if (c.request != APP_CMD2_AIRABLE_ID_DATA) {
            EXPECT_EQ(title_of(frames[0]), name) << "the request carries the name as it is";
        }
        airable_request_set_ready(nullptr);
    }
}

TEST_F(AirableList, SetEnterIconByTitleFindsTheFirstRowWithThatText)
{
    EXPECT_EQ(set_enter_icon_by_title("Aurora FM", &img_ico_play_now_short), 0) << "no rows";
    reply({{'0', "Aurora FM"}, {'0', "Aurora FM"}}, 1, 2);
    EXPECT_EQ(set_enter_icon_by_title(nullptr, &img_ico_play_now_short), 0);
    EXPECT_EQ(set_enter_icon_by_title("Nothing", &img_ico_play_now_short), 0);
    EXPECT_EQ(set_enter_icon_by_title("Aurora FM", &img_ico_play_now_short), 1);
    EXPECT_FALSE(hidden(row_marker(0)));
    EXPECT_TRUE(hidden(row_marker(1)));
    EXPECT_EQ(set_enter_icon_by_title("Aurora FM", nullptr), 1);
    EXPECT_TRUE(hidden(row_marker(0)));
}

TEST_F(AirableList, ATapOnTheFixedListPlaysItsTextByTitle)
{
    lv_obj_scroll_to_x(m.pager, 4 * MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    step();
    tap(lv_obj_get_child(lv_obj_get_child(m.list_info, 0), 2));
    std::vector<SentFrame> play = sent(APP_CMD2_AIRABLE_TITLE_PLAY);
    ASSERT_EQ(play.size(), 1u);
    EXPECT_EQ(title_of(play[0]), "信息");
    EXPECT_EQ(lv_obj_get_child_count(m.list_info), 4u);
}

TEST_F(AirableList, CurrentPageAndStatusBarMessage)
{
    lv_obj_scroll_to_x(m.pager, 3 * MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    step();
    EXPECT_EQ(get_current_page_obj(), m.page_3);
    set_bar_msg("Radio List", nullptr);
    EXPECT_STREQ(lv_label_get_text(m.bar_label), "Radio List");
    EXPECT_FALSE(hidden(m.bar_label));
    EXPECT_TRUE(hidden(m.bar_icon));
    set_bar_msg(nullptr, &img_ico_radio_bar);
    EXPECT_STREQ(lv_label_get_text(m.bar_label), "");
    EXPECT_TRUE(hidden(m.bar_label));
    EXPECT_FALSE(hidden(m.bar_icon));
    EXPECT_EQ(lv_image_get_src(m.bar_icon), &img_ico_radio_bar);
}

}  // namespace
}  // namespace main_page_test
