// The source tiles and the transport buttons, tapped through the pointer:
// which shell commands a tile runs (against a recording stand-in of the
// shell), the active source, the menu rows and handshakes of the Airable
// tiles, the limits of killing a service, and what the transport sends.
#include <cstdio>
#include <string>
#include <vector>

#include "airable_fixture.hpp"
#include "comm/service_supervisor.h"
#include "jpeg_fixture.hpp"
#include "stdout_capture.hpp"
#include "ui/ui_assets.h"
#include "ui/ui_data_update.h"

namespace main_page_test {
namespace {

bool has(const std::string &log, const std::string &text)
{
    return log.find(text) != std::string::npos;
}

std::vector<std::string> kill_commands(const std::string &name)
{
    return {"pkill -9 -x " + name + " 2>/dev/null", "killall -w -9 " + name + " 2>/dev/null",
            "killall -0 " + name + " 2>/dev/null", "killall -0 " + name + " 2>/dev/null"};
}

// A probe, the three kills in their order, the start.
std::vector<std::string> switch_commands(const std::string &service)
{
    std::vector<std::string> out = {"killall -0 " + service + " 2>/dev/null"};
    for (const char *name : {"airplay_run", "airable_run", "spotify_run"}) {
        for (const std::string &c : kill_commands(name)) {
            out.push_back(c);
        }
    }
    out.push_back("./" + service + " &");
    return out;
}

class SourceTiles : public AirablePageTest {
protected:
    void tap_tile(int tile) { tap(m.tiles[tile].icon); }

    std::vector<std::string> commands()
    {
        std::vector<std::string> out;
        out.swap(fake_shell().commands);
        return out;
    }

    bool skip_buttons_shown() const
    {
        return !hidden(m.page_1_previous) && !hidden(m.page_1_next) && !hidden(m.page_2_previous) &&
               !hidden(m.page_2_next);
    }

    bool skip_buttons_hidden() const
    {
        return hidden(m.page_1_previous) && hidden(m.page_1_next) && hidden(m.page_2_previous) &&
               hidden(m.page_2_next);
    }
};

// -- AirPlay and Spotify --------------------------------------------------------

struct PlayerTileCase {
    const char *name;
    int tile;
    const char *service;
    int32_t app_id;
    const char *page_log;
};

const PlayerTileCase kPlayerTiles[] = {
    {"airplay", MAIN_TILE_AIRPLAY, "airplay_run", APP_ID_AIRPLAY, "ico_airplay clicked: scroll to page_1\n"},
    {"spotify", MAIN_TILE_SPOTIFY, "spotify_run", APP_ID_SPOTIFY, "ico_spotify clicked: scroll to page_1\n"},
};

TEST_F(SourceTiles, PlayerTileStopsTheOthersAndStartsItsService)
{
    for (const PlayerTileCase &c : kPlayerTiles) {
        SCOPED_TRACE(c.name);
        install_fake_shell();
        fake_shell().running = {"airable_run", "spotify_run", "airplay_run"};
        fake_shell().running.erase(c.service);
        ui_run_page.app_id = 0;
        take_log();

        tap_tile(c.tile);
        EXPECT_EQ(commands(), switch_commands(c.service));
        EXPECT_EQ(fake_shell().running, std::set<std::string>{c.service}) << "the services never run side by side";
        EXPECT_EQ(ui_run_page.app_id, c.app_id);
        EXPECT_TRUE(skip_buttons_shown());
        const std::string log = take_log();
        EXPECT_TRUE(has(log, c.page_log)) << log;
        settle();
        EXPECT_EQ(lv_obj_get_scroll_x(m.pager), MAIN_PAGE_WIDTH);
        lv_obj_scroll_to_x(m.pager, 0, LV_ANIM_OFF);
        step();
    }
}

TEST_F(SourceTiles, PlayerTileLeavesARunningServiceAlone)
{
    for (const PlayerTileCase &c : kPlayerTiles) {
        SCOPED_TRACE(c.name);
        install_fake_shell();
        fake_shell().running = {c.service, "airable_run"};
        lv_obj_add_flag(m.page_1_next, LV_OBJ_FLAG_HIDDEN);
        tap_tile(c.tile);
        EXPECT_EQ(commands(), std::vector<std::string>{"killall -0 " + std::string(c.service) + " 2>/dev/null"});
        EXPECT_EQ(ui_run_page.app_id, c.app_id);
        EXPECT_TRUE(hidden(m.page_1_next)) << "the buttons keep their visibility";
        lv_obj_scroll_to_x(m.pager, 0, LV_ANIM_OFF);
        step();
    }
}

// A probe that does not answer in time does not keep the tile from starting
// its service: the start kills whatever may be left first.
TEST_F(SourceTiles, APlayerTileWhoseProbeHangsStartsItsServiceAfresh)
{
    fake_shell().running = {"airplay_run"};
    fake_shell().command_ms = INT32_MAX;
    take_log();
    tap_tile(MAIN_TILE_AIRPLAY);
    const std::vector<std::string> run = commands();
    EXPECT_EQ(run.back(), "./airplay_run &");
    EXPECT_FALSE(has(take_log(), "already running"));
    EXPECT_TRUE(skip_buttons_shown());
}

TEST_F(SourceTiles, AirplayTileLogsItsSteps)
{
    tap_tile(MAIN_TILE_AIRPLAY);
    const std::string log = take_log();
    ASSERT_TRUE(lines_in_order(log, {
                                        "\033[0m ico_airplay clicked: scroll to page_1\n",
                                        "\033[0m ----------------------------->   ui_run_page.app_id   2  ! \n",
                                        "\033[0m ----------------------------->   ui_run_page.app_id   2  ! \n",
                                        "\033[0m ico_airplay: launch airplay_run\n",
                                    }));
    lv_obj_scroll_to_x(m.pager, 0, LV_ANIM_OFF);
    step();
    tap_tile(MAIN_TILE_AIRPLAY);
    EXPECT_TRUE(has(take_log(), "\033[0m ico_airplay: already running, skip\n"));
}

TEST_F(SourceTiles, SpotifyTileShowsItsMarkInTheStatusBar)
{
    lv_label_set_text(m.bar_label, "Radio List");
    lv_obj_remove_flag(m.bar_label, LV_OBJ_FLAG_HIDDEN);
    lv_obj_add_flag(m.bar_icon, LV_OBJ_FLAG_HIDDEN);
    tap_tile(MAIN_TILE_SPOTIFY);
    EXPECT_STREQ(lv_label_get_text(m.bar_label), "");
    EXPECT_TRUE(hidden(m.bar_label));
    EXPECT_FALSE(hidden(m.bar_icon));
    EXPECT_EQ(lv_image_get_src(m.bar_icon), &img_ico_spotify_bar);
}

// -- Radio and Podcast ------------------------------------------------------------

const std::vector<std::string> kRadioMenu = {"Play History ", "Local Radio ", "Radio List", "Favorite",
                                             "Menu Settings"};
const std::vector<std::string> kPodcastMenu = {"Play History ", "Podcast", "Favorite", "Menu Settings"};

TEST_F(SourceTiles, RadioTileStartsTheServiceAndItsHandshakes)
{
    fake_shell().running = {"spotify_run"};
    tap_tile(MAIN_TILE_RADIO);
    EXPECT_EQ(commands(), switch_commands("airable_run"));
    EXPECT_EQ(ui_run_page.app_id, APP_ID_AIRABLE);
    EXPECT_EQ(ui_run_page.airable_mode, AIRABLE_MODE_RADIO);
    EXPECT_EQ(rows(), kRadioMenu);
    for (int i = 0; i < (int)kRadioMenu.size(); i++) {
        EXPECT_FALSE(hidden(row_marker(i))) << "menu rows carry the enter icon";
    }
    EXPECT_TRUE(skip_buttons_hidden());
    EXPECT_EQ(lv_image_get_src(m.bar_icon), &img_ico_radio_bar);
    EXPECT_TRUE(hidden(m.bar_label));

    std::vector<SentFrame> frames = fake_comm::take();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].cmd2, APP_CMD2_AIRABLE_INIT);
    const std::string init(frames[0].payload.begin(), frames[0].payload.end());
    EXPECT_NE(init.find("marlowenQm7TxR2vLw9KpZ4nHc8YbD3fJs6GtE1ahttps://"), std::string::npos);
    EXPECT_EQ(init.compare(init.size() - 6, 6, "/radio"), 0);
    EXPECT_EQ(frames[1].cmd2, APP_CMD2_AIRABLE_SET_MODE);
    EXPECT_EQ(frames[1].payload, (std::vector<uint8_t>{1, 0, 0x20, AIRABLE_MODE_RADIO}));

    const std::string log = take_log();
    EXPECT_TRUE(has(log, "\033[0m ico_internet_radio: launch airable_run\n")) << log;
    EXPECT_FALSE(has(log, "Qm7TxR2vLw9KpZ4nHc8YbD3fJs6GtE1a")) << "the secret stays out of the log";
    settle();
    EXPECT_EQ(lv_obj_get_scroll_x(m.pager), 3 * MAIN_PAGE_WIDTH);
}

TEST_F(SourceTiles, RadioTileTwiceChangesNothingTheSecondTime)
{
    tap_tile(MAIN_TILE_RADIO);
    settle();
    reply(items(20), 1, 60);
    commands();
    fake_comm::take();
    lv_obj_scroll_to_x(m.pager, 0, LV_ANIM_OFF);
    step();
    take_log();

    tap_tile(MAIN_TILE_RADIO);
    EXPECT_EQ(commands(), std::vector<std::string>{"killall -0 airable_run 2>/dev/null"});
    EXPECT_TRUE(has(take_log(), "\033[0m ico_internet_radio: already running, skip\n"));
    EXPECT_EQ(rows().size(), 20u) << "the list keeps its rows";
    EXPECT_TRUE(fake_comm::take().empty()) << "no handshake for the mode already set";
}

TEST_F(SourceTiles, PodcastTileAfterRadioBuildsItsFourRowsInItsMode)
{
    tap_tile(MAIN_TILE_RADIO);
    fake_comm::take();
    commands();
    lv_obj_remove_flag(m.page_1_next, LV_OBJ_FLAG_HIDDEN);
    tap_tile(MAIN_TILE_PODCAST);
    EXPECT_EQ(commands(), std::vector<std::string>{"killall -0 airable_run 2>/dev/null"});
    EXPECT_EQ(rows(), kPodcastMenu);
    EXPECT_EQ(ui_run_page.airable_mode, AIRABLE_MODE_PODCAST);
    EXPECT_TRUE(skip_buttons_hidden());
    std::vector<SentFrame> mode = sent(APP_CMD2_AIRABLE_SET_MODE);
    ASSERT_EQ(mode.size(), 1u);
    EXPECT_EQ(mode[0].payload.back(), AIRABLE_MODE_PODCAST);
    EXPECT_STREQ(lv_label_get_text(m.page_3_count), "");
}

// The mode recorded for a service that has since been killed does not keep
// the new one from getting its handshakes and menu.
TEST_F(SourceTiles, RadioTileAfterTheServiceWasKilledHandshakesAgain)
{
    tap_tile(MAIN_TILE_RADIO);
    reply(items(20), 1, 60);
    tap_tile(MAIN_TILE_AIRPLAY);
    ASSERT_EQ(fake_shell().running, std::set<std::string>{"airplay_run"});
    fake_comm::take();
    commands();

    tap_tile(MAIN_TILE_RADIO);
    EXPECT_EQ(commands(), switch_commands("airable_run"));
    EXPECT_EQ(rows(), kRadioMenu);
    EXPECT_EQ(sent(APP_CMD2_AIRABLE_SET_MODE).size(), 1u);
}

TEST_F(SourceTiles, ARadioMenuRowOpensTheMainList)
{
    tap_tile(MAIN_TILE_RADIO);
    settle();
    fake_comm::take();
    tap(row_label(2));
    EXPECT_TRUE(rows().empty());
    EXPECT_STREQ(lv_label_get_text(m.bar_label), "Radio List");
    ASSERT_EQ(sent(APP_CMD2_AIRABLE_MAIN_PAGE).size(), 1u);
    airable_ui_event_cb(AIRABLE_UI_MAIN_READY, nullptr);
    EXPECT_EQ(windows_asked(), (std::vector<std::pair<int32_t, int32_t>>{{0, 20}}));
    reply(items(20), 1, 60);
    EXPECT_EQ(rows().size(), 20u);
    EXPECT_STREQ(lv_label_get_text(m.page_3_count), "20/60");
}

// -- a service started afresh --------------------------------------------------

// A tile that starts its service afresh has the art and colour read at the
// service's first report, also when that report carries the title shown
// last: the new service writes new art.
TEST_F(SourceTiles, AServiceStartedAfreshGetsItsArtReadWhateverItsTitle)
{
    const struct {
        const char *name;
        int tile;
        const char *service;
        const char *art;
        void (*report)(const player_ui_info_t &);
    } cases[] = {
        {"airplay", MAIN_TILE_AIRPLAY, "airplay_run", "artwork.jpg",
         [](const player_ui_info_t &i) { airplay_ui_event_cb(&i); }},
        {"spotify", MAIN_TILE_SPOTIFY, "spotify_run", "artwork",
         [](const player_ui_info_t &i) { spotify_ui_event_cb(&i); }},
        {"radio", MAIN_TILE_RADIO, "airable_run", "artwork",
         [](const player_ui_info_t &i) { airable_ui_event_cb(AIRABLE_UI_PLAYER_INFO, (void *)&i); }},
    };
    auto page_1_colour = [this] { return lv_color_to_u32(lv_obj_get_style_bg_color(m.page_1, LV_PART_MAIN)) & 0xFFFFFF; };
    const player_ui_info_t info = playing_record("One", "One", "Three");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (const Rgb art : {Rgb{0, 0, 255}, Rgb{255, 0, 0}}) {
            write_jpeg(c.art, 64, 64, [art](int, int) { return art; });
            install_fake_shell();
            lv_obj_scroll_to_x(m.pager, 0, LV_ANIM_OFF);
            step();
            tap_tile(c.tile);
            ASSERT_EQ(commands().back(), "./" + std::string(c.service) + " &") << "started afresh";
            lv_obj_set_style_bg_color(m.page_1, lv_color_black(), 0);
            c.report(info);
            run_for(1000, 10);
            EXPECT_EQ(label_text(m.page_1_title), "One");
            EXPECT_EQ(page_1_colour(), art.r ? 0xE00000u : 0x0000E0u);
        }
        const player_ui_info_t none{};
        c.report(none);
    }
}

// -- killing a service ----------------------------------------------------------

TEST_F(SourceTiles, KillingAProgramThatIsNotRunningTakesFourCommands)
{
    take_log();
    kill_one_app("airplay_run");
    EXPECT_EQ(commands(), kill_commands("airplay_run"));
    EXPECT_FALSE(has(take_log(), "still alive"));
}

// Whatever the processes do, one kill holds the GUI thread about two
// seconds at most: "killall -w" and each probe only get what is left.
TEST_F(SourceTiles, KillingAProcessThatLingersStaysWithinItsBudget)
{
    const struct {
        const char *name;
        int64_t command_ms;
        bool wait_hangs;
    } cases[] = {
        {"quick_commands", 1, true},
        {"slow_commands", 300, true},
        {"commands_that_hang", INT32_MAX, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        install_fake_shell();
        fake_shell().running = {"airable_run"};
        fake_shell().unkillable = {"airable_run"};
        fake_shell().command_ms = c.command_ms;
        fake_shell().wait_hangs = c.wait_hangs;
        take_log();
        kill_one_app("airable_run");
        EXPECT_LE(fake_shell().now_ms, 2000);
        for (int32_t limit : fake_shell().limits) {
            EXPECT_GE(limit, 0) << "every command has a limit";
        }
        EXPECT_EQ(commands().front(), "pkill -9 -x airable_run 2>/dev/null");
        EXPECT_TRUE(has(take_log(), "warning: airable_run still alive (D-state?)\n"))
            << "a probe cut off at its limit counts as a process still there";
    }
}

TEST_F(SourceTiles, ProbesStopAsSoonAsTheProcessIsGone)
{
    fake_shell().running = {"airable_run"};
    fake_shell().unkillable = {"airable_run"};
    kill_one_app("airable_run");
    // 50 probes 20 ms apart at most, within the budget.
    EXPECT_LE(fake_shell().sleeps_ms, 50 * 20);
    EXPECT_GT(fake_shell().sleeps_ms, 0);
}

// -- transport --------------------------------------------------------------------

TEST_F(SourceTiles, TransportButtonsSendToTheActiveSource)
{
    const struct {
        int32_t app_id;
        uint8_t cmd1;
    } sources[] = {{APP_ID_AIRPLAY, APP_ID_AIRPLAY}, {APP_ID_SPOTIFY, APP_ID_SPOTIFY}, {APP_ID_AIRABLE, APP_ID_AIRABLE}};
    lv_obj_scroll_to_x(m.pager, MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    step();
    lv_obj_remove_flag(m.group_ctrl_page_1, LV_OBJ_FLAG_HIDDEN);
    lv_obj_remove_flag(m.page_1_previous, LV_OBJ_FLAG_HIDDEN);
    lv_obj_remove_flag(m.page_1_next, LV_OBJ_FLAG_HIDDEN);
    step();
    for (const auto &s : sources) {
        SCOPED_TRACE(s.app_id);
        ui_run_page.app_id = s.app_id;
        fake_comm::take();
        tap(m.page_1_next);
        tap(m.page_1_previous);
        tap(m.page_1_play);
        const std::vector<SentFrame> frames = fake_comm::take();
        ASSERT_EQ(frames.size(), 3u);
        const uint8_t codes[] = {MEDIA_CTRL_NEXT, MEDIA_CTRL_PREVIOUS, MEDIA_CTRL_PLAY_PAUSE};
        for (size_t i = 0; i < 3; i++) {
            EXPECT_EQ(frames[i].app_id, s.cmd1);
            EXPECT_EQ(frames[i].cmd2, PLAYER_MSG);
            EXPECT_EQ(frames[i].payload, (std::vector<uint8_t>{1, 0, 0x25, codes[i]}));
        }
    }
    ui_run_page.app_id = 0;
    tap(m.page_1_next);
    tap(m.page_1_play);
    EXPECT_TRUE(fake_comm::take().empty()) << "no source, nothing sent";
}

TEST_F(SourceTiles, PlayPauseSwapsTheIconsAndScalesTheArt)
{
    lv_obj_scroll_to_x(m.pager, MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    step();
    lv_obj_remove_flag(m.group_ctrl_page_1, LV_OBJ_FLAG_HIDDEN);
    step();
    auto scale = [](lv_obj_t *obj) { return lv_obj_get_style_transform_scale_x(obj, LV_PART_MAIN); };

    tap(m.page_1_play);
    EXPECT_EQ(ui_run_page.is_playing, 1);
    EXPECT_EQ(lv_image_get_src(m.page_1_play), &img_ico_ctrl_music_pause);
    EXPECT_EQ(lv_image_get_src(m.page_2_play), &img_ico_ctrl_music_pause);
    EXPECT_EQ(lv_obj_get_style_transform_pivot_x(m.page_1_artwork, LV_PART_MAIN), 240);
    EXPECT_EQ(lv_obj_get_style_transform_pivot_y(m.page_2_art_holder, LV_PART_MAIN), 140);
    EXPECT_LT(scale(m.page_1_artwork), 255) << "grows from 200";
    run_for(600, 10);
    EXPECT_EQ(scale(m.page_1_artwork), 255);
    EXPECT_EQ(scale(m.page_2_art_holder), 255);

    // Pause: from full size down. A tap midway starts the way back from
    // 200, not from the scale the art shows at that moment.
    tap(m.page_1_play);
    EXPECT_EQ(ui_run_page.is_playing, 0);
    EXPECT_EQ(lv_image_get_src(m.page_1_play), &img_ico_ctrl_music_play);
    run_for(200, 10);
    const int32_t midway = scale(m.page_1_artwork);
    EXPECT_LT(midway, 255);
    EXPECT_GT(midway, 200);
    tap(m.page_1_play);
    const lv_anim_t *back = lv_anim_get(m.page_1_artwork, image_scale_anim_cb);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->start_value, 200);
    EXPECT_EQ(back->end_value, 255);
    run_for(600, 10);
    EXPECT_EQ(scale(m.page_1_artwork), 255);

    tap(m.page_1_play);
    run_for(600, 10);
    EXPECT_EQ(scale(m.page_1_artwork), 200);
    EXPECT_EQ(scale(m.page_2_art_holder), 200);
}

TEST_F(SourceTiles, OtherEventsOnTheTilesAndButtonsDoNothing)
{
    for (lv_obj_t *obj : {m.tiles[MAIN_TILE_AIRPLAY].icon, m.tiles[MAIN_TILE_RADIO].icon, m.page_1_play,
                          m.page_1_next}) {
        lv_obj_send_event(obj, LV_EVENT_PRESSED, nullptr);
        lv_obj_send_event(obj, LV_EVENT_LONG_PRESSED, nullptr);
    }
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(ui_run_page.app_id, 0);
    EXPECT_EQ(ui_run_page.is_playing, 0);
    EXPECT_TRUE(fake_comm::take().empty());
}

}  // namespace
}  // namespace main_page_test
