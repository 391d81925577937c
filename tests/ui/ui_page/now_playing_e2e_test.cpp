// Now playing end to end: the interface's page framework and communication
// manager on the real clock, the AirPlay and Spotify stand-in services
// connected over a socket of the test's own, each in the test's working
// directory where it writes its cover art. The main page's run hook asks
// the active source for play info; the pages show what comes back.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "airplay_data_exchange.h"
#include "comm_mgr_lvgl.h"
#include "fw_uds.h"
#include "lvgl.h"
#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"
#include "user/ui_page/ui_page_main.h"

extern char **environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Generous for a loaded machine: a service answers within milliseconds.
constexpr int kWaitMs = 20000;
constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;

// The page table as the program starts, restored before each test.
const ui_page_t initial_table[PAGE_ID_COUNT] = {ui_page_table[0], ui_page_table[1]};

uint32_t monotonic_ms()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

std::string text(lv_obj_t *label)
{
    return lv_label_get_text(label);
}

uint32_t rgb(lv_color_t c)
{
    return lv_color_to_u32(c) & 0xFFFFFF;
}

class NowPlayingE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/quorvex-now-playing-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        old_cwd_ = fs::current_path();
        fs::copy_file(UI_TEST_FONT, dir_ / "HarmonyOS_Sans_SC_Medium.ttf");
        fs::current_path(dir_);
        socket_ = (dir_ / "fw.sock").string();
        uds_set_socket_path(socket_.c_str());

        std::memcpy(ui_page_table, initial_table, sizeof initial_table);
        ui_run_page = ui_run_page_t{};
        lv_ui_page_main = lv_ui_page_main_t{};
        lv_init();
        lv_tick_set_cb(monotonic_ms);
        lv_display_t *display = lv_display_create(kWidth, kHeight);
        lv_display_set_flush_cb(display, [](lv_display_t *d, const lv_area_t *, uint8_t *) {
            lv_display_flush_ready(d);
        });
        lv_display_set_buffers(display, frame_.data(), nullptr, (uint32_t)frame_.size(),
                               LV_DISPLAY_RENDER_MODE_FULL);
        ui_user_init();
        ASSERT_EQ(comm_mgr_init(), 0);
        testing::internal::CaptureStdout();
    }

    void TearDown() override
    {
        fflush(stdout);
        testing::internal::GetCapturedStdout();
        stop_services();
        comm_mgr_deinit();
        lv_deinit();
        ListDataUIListClean(ui_run_page.list_head);
        free(ui_run_page.list_head);
        uds_set_socket_path(nullptr);
        fs::current_path(old_cwd_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // Starts a stand-in service in the working directory; its output goes
    // to <name>.log there.
    void spawn(const char *program, const char *scenario)
    {
        const std::string name = fs::path(program).filename().string();
        const std::string log = (dir_ / (name + ".log")).string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        std::vector<std::string> args = {name, "-S", socket_, "-s", scenario};
        std::vector<char *> argv;
        for (std::string &a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        pid_t pid;
        ASSERT_EQ(posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        children_.push_back(pid);
    }

    void stop_services()
    {
        for (pid_t pid : children_) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        children_.clear();
    }

    // Runs the GUI loop until `done` holds or the wait is over.
    static bool run_until(const std::function<bool()> &done)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(kWaitMs);
        while (Clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(lv_timer_handler() > 0 ? 1 : 0));
            if (done()) {
                return true;
            }
        }
        return done();
    }

    std::string log_so_far()
    {
        fflush(stdout);
        log_ += testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        return log_;
    }

    lv_ui_page_main_t &m = lv_ui_page_main;

private:
    fs::path dir_;
    fs::path old_cwd_;
    std::string socket_;
    std::vector<pid_t> children_;
    std::vector<uint8_t> frame_ = std::vector<uint8_t>(kWidth * kHeight * 4);
    std::string log_;
};

TEST_F(NowPlayingE2E, ServicesReportTitlesArtAndColour)
{
    spawn(AIRPLAY_RUN, "normal");
    ui_run_page.app_id = APP_ID_AIRPLAY;
    ASSERT_TRUE(run_until([&] { return text(m.page_1_title) == "Harbour Lights"; }));
    EXPECT_EQ(text(m.page_2_title), "Harbour Lights");
    EXPECT_EQ(text(m.page_1_line_3), "The Quiet Tides");
    EXPECT_EQ(text(m.page_2_line_lower), "The Quiet Tides");
    EXPECT_EQ(text(m.page_1_line_2), "Evening Songs");
    EXPECT_EQ(text(m.page_2_duration), "03:35");

    // A second after the title the art is read and page_1 tinted.
    ASSERT_TRUE(run_until([&] { return lv_image_get_src(m.page_1_artwork) != nullptr; }));
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_1_artwork), "./artwork.jpg");
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_2_artwork), "./artwork.jpg");
    const uint32_t first = rgb(m.dominant_color);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(rgb(lv_obj_get_style_bg_color(m.page_1, LV_PART_MAIN)), first);

    // The next track: a new title, new art, another colour.
    ASSERT_EQ(airplay_media_ctrl(MEDIA_CTRL_NEXT), 0);
    ASSERT_TRUE(run_until([&] { return text(m.page_1_title) == "Northern Road"; }));
    ASSERT_TRUE(run_until([&] { return rgb(m.dominant_color) != first; }));
    EXPECT_EQ(rgb(lv_obj_get_style_bg_color(m.page_1, LV_PART_MAIN)), rgb(m.dominant_color));
    const std::string log = log_so_far();
    EXPECT_NE(log.find("[PAGE MAIN] dominant color: R="), log.rfind("[PAGE MAIN] dominant color: R="))
        << "one colour line per title change";

    // Spotify's title is its second text; its art is "./artwork".
    spawn(SPOTIFY_RUN, "normal");
    ui_run_page.app_id = APP_ID_SPOTIFY;
    ASSERT_TRUE(run_until([&] { return text(m.page_1_title) == "Miro Vale"; }));
    EXPECT_EQ(text(m.page_1_line_3), "Glass Garden");
    EXPECT_EQ(text(m.page_1_line_2), "Greenhouse");
    ASSERT_TRUE(run_until([&] {
        const void *src = lv_image_get_src(m.page_2_artwork);
        return src && strcmp((const char *)src, "./artwork") == 0;
    }));
}

TEST_F(NowPlayingE2E, ARecordWithoutTextsBlanksThePages)
{
    spawn(AIRPLAY_RUN, "normal");
    ui_run_page.app_id = APP_ID_AIRPLAY;
    ASSERT_TRUE(run_until([&] { return text(m.page_1_title) == "Harbour Lights"; }));
    ASSERT_TRUE(run_until([&] { return lv_image_get_src(m.page_1_artwork) != nullptr; }));

    // The same service now reports that nothing plays.
    stop_services();
    spawn(AIRPLAY_RUN, "error");
    ASSERT_TRUE(run_until([&] { return text(m.page_1_title).empty(); }));
    for (lv_obj_t *label : {m.page_1_title, m.page_1_line_2, m.page_1_line_3, m.page_2_title, m.page_2_line_upper,
                            m.page_2_line_lower}) {
        EXPECT_EQ(text(label), "");
        EXPECT_TRUE(lv_obj_has_flag(label, LV_OBJ_FLAG_HIDDEN));
    }
    EXPECT_EQ(lv_image_get_src(m.page_1_artwork), nullptr);
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_2_artwork), "./artwork.jpg");
}

}  // namespace
