// An Airable service that misbehaves, end to end: the page framework and the
// communication manager on the real clock, the Airable stand-in connected
// over a socket of the test's own in one of its scenarios, and a finger on
// the pointer. The Radio tile (its shell commands answered here: the service
// runs) gives the menu; "Radio List" asks for the list. Whatever the service
// does, the page stays usable: an overlay can be closed, the list shows
// what the count says, the home icon brings the home page back.
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

#include "airable_data_exchange.h"
#include "comm_mgr_lvgl.h"
#include "fw_uds.h"
#include "lvgl.h"
#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"
#include "user/ui_page/ui_page_main_private.h"

extern char **environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
// Generous for a loaded machine: the stand-in answers within milliseconds.
constexpr milliseconds kWait{20000};

const ui_page_t initial_table[PAGE_ID_COUNT] = {ui_page_table[0], ui_page_table[1]};

uint32_t monotonic_ms()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

// The service runs already (the test started it): the tile kills and starts
// nothing.
int service_running(const char *, int32_t)
{
    return 0;
}

int64_t clock_ms()
{
    return monotonic_ms();
}

void no_sleep(uint32_t) {}

const main_proc_ops_t kRunningShell = {service_running, clock_ms, no_sleep};

struct Finger {
    lv_point_t at{0, 0};
    bool down = false;
    int reads = 0;  // of the present state
} g_finger;

void finger_read(lv_indev_t *, lv_indev_data_t *data)
{
    data->point = g_finger.at;
    data->state = g_finger.down ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
    g_finger.reads++;
}

class AirableMisbehaving : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/quorvex-airable-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        old_cwd_ = fs::current_path();
        fs::copy_file(UI_TEST_FONT, dir_ / "HarmonyOS_Sans_SC_Medium.ttf");
        fs::current_path(dir_);
        socket_ = (dir_ / "fw.sock").string();
        uds_set_socket_path(socket_.c_str());
        main_page_set_proc_ops(&kRunningShell);

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
        lv_indev_t *pointer = lv_indev_create();
        lv_indev_set_type(pointer, LV_INDEV_TYPE_POINTER);
        lv_indev_set_read_cb(pointer, finger_read);
        g_finger = Finger{};
        ui_user_init();
        ASSERT_EQ(comm_mgr_init(), 0);
        testing::internal::CaptureStdout();
    }

    void TearDown() override
    {
        fflush(stdout);
        testing::internal::GetCapturedStdout();
        if (service_ > 0) {
            kill(service_, SIGKILL);
            waitpid(service_, nullptr, 0);
        }
        airable_request_set_ready(nullptr);
        comm_mgr_deinit();
        lv_deinit();
        ListDataUIListClean(ui_run_page.list_head);
        free(ui_run_page.list_head);
        main_page_set_proc_ops(nullptr);
        uds_set_socket_path(nullptr);
        fs::current_path(old_cwd_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    void spawn_service(const char *scenario)
    {
        const std::string log = (dir_ / "airable_run.log").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        std::vector<std::string> args = {"airable_run", "-S", socket_, "-s", scenario};
        std::vector<char *> argv;
        for (std::string &a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&service_, AIRABLE_RUN, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
    }

    // Runs the GUI loop until `done` holds or `limit` has passed.
    static bool run_until(const std::function<bool()> &done, milliseconds limit = kWait)
    {
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            std::this_thread::sleep_for(milliseconds(lv_timer_handler() > 0 ? 1 : 0));
            if (done()) {
                return true;
            }
        }
        return done();
    }

    static void run_for(milliseconds time)
    {
        run_until([] { return false; }, time);
    }

    // Held over two reads of the pointer, then lifted for two, however slow
    // the machine runs the GUI.
    static void tap(lv_obj_t *obj)
    {
        lv_obj_update_layout(obj);
        lv_area_t a;
        lv_obj_get_coords(obj, &a);
        g_finger.at = {(a.x1 + a.x2) / 2, (a.y1 + a.y2) / 2};
        for (bool down : {true, false}) {
            g_finger.down = down;
            g_finger.reads = 0;
            run_until([] { return g_finger.reads >= 2; });
        }
    }

    // Closes the overlay until it stays closed: a service may raise it
    // again with every WAITING answer for as long as it sends them.
    bool close_overlay_for_good()
    {
        return run_until([&] {
            if (m.busy_obj != nullptr) {
                tap(m.busy_close);
                return false;
            }
            run_for(milliseconds(500));
            return m.busy_obj == nullptr;
        });
    }

    std::vector<std::string> rows() const
    {
        std::vector<std::string> out;
        for (uint32_t i = 0; i < lv_obj_get_child_count(m.list_radio); i++) {
            const auto *item = (const list_msg_item_t *)lv_obj_get_user_data(lv_obj_get_child(m.list_radio, (int32_t)i));
            out.push_back(item->name);
        }
        return out;
    }

    lv_obj_t *row_label(int i) const { return lv_obj_get_child(lv_obj_get_child(m.list_radio, i), 2); }

    lv_ui_page_main_t &m = lv_ui_page_main;

private:
    fs::path dir_;
    fs::path old_cwd_;
    std::string socket_;
    pid_t service_ = -1;
    std::vector<uint8_t> frame_ = std::vector<uint8_t>(kWidth * kHeight * 4);
};

TEST_P(AirableMisbehaving, ThePageStaysUsable)
{
    spawn_service(GetParam());
    ASSERT_TRUE(run_until([] { return comm_mgr_get_client_count() == 1; }));

    tap(m.tiles[MAIN_TILE_RADIO].icon);
    ASSERT_EQ(rows().size(), 5u);
    ASSERT_TRUE(run_until([&] { return lv_obj_get_scroll_x(m.pager) == 3 * MAIN_PAGE_WIDTH; }));
    tap(row_label(2));  // "Radio List"
    ASSERT_TRUE(rows().empty());
    // What the service does about it: the normal stand-in has answered within
    // a second and a half.
    run_for(milliseconds(3000));

    ASSERT_TRUE(close_overlay_for_good());
    // The rows are the window the count reports, never more or fewer.
    const std::string count = lv_label_get_text(m.page_3_count);
    unsigned last = 0;
    unsigned total = 0;
    if (count.empty()) {
        EXPECT_TRUE(rows().empty());
    } else {
        ASSERT_EQ(std::sscanf(count.c_str(), "%u/%u", &last, &total), 2) << count;
        EXPECT_EQ(rows().size(), last) << count;
    }

    // The home icon takes the pager home: no overlay swallows the tap.
    tap(m.ico_page_main);
    EXPECT_TRUE(run_until([&] { return lv_obj_get_scroll_x(m.pager) == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Scenarios, AirableMisbehaving,
                         ::testing::Values("normal", "silent", "error", "malformed", "flood"),
                         [](const ::testing::TestParamInfo<const char *> &info) { return std::string(info.param); });

// A service that floods WAITING answers while the list is asked for: never
// more than one overlay, and none once the service has answered.
TEST_F(AirableMisbehaving, AFloodOfWaitingAnswersLeavesOneOverlayThatCloses)
{
    spawn_service("flood");
    tap(m.tiles[MAIN_TILE_RADIO].icon);
    run_until([&] { return lv_obj_get_scroll_x(m.pager) == 3 * MAIN_PAGE_WIDTH; });
    // Asked before the service has connected: the request is pending while
    // the burst comes in.
    tap(row_label(2));
    const uint32_t base = lv_obj_get_child_count(ui_run_page.root_screen) - (m.busy_obj ? 1 : 0);
    ASSERT_TRUE(run_until([&] { return m.busy_obj != nullptr || comm_mgr_get_client_count() == 1; }));
    for (int i = 0; i < 5; i++) {
        run_for(milliseconds(100));
        EXPECT_LE(lv_obj_get_child_count(ui_run_page.root_screen), base + 1);
        // Closed, it may come back with the next WAITING of the burst.
        if (m.busy_obj != nullptr) {
            tap(m.busy_close);
            EXPECT_LE(lv_obj_get_child_count(ui_run_page.root_screen), base + 1);
        }
    }
    // The burst over, the service answers: the first window and no overlay.
    EXPECT_TRUE(run_until([&] { return std::string(lv_label_get_text(m.page_3_count)) == "20/60"; }));
    EXPECT_TRUE(run_until([&] { return m.busy_obj == nullptr; }));
    EXPECT_EQ(rows().size(), 20u);
}

}  // namespace
