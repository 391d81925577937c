#include "service_e2e_env.hpp"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <thread>

#include "airable_data_exchange.h"
#include "comm_mgr_lvgl.h"
#include "fw_uds.h"
#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"

extern char **environ;

namespace main_page_e2e {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

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

}  // namespace

void ServiceE2ETest::SetUp()
{
    dir_ = tmp_.path();
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
    frame_.assign(static_cast<size_t>(kWidth) * kHeight * 4, 0);
    lv_display_set_buffers(display, frame_.data(), nullptr, (uint32_t)frame_.size(), LV_DISPLAY_RENDER_MODE_FULL);
    before_ui();
    ui_user_init();
    ASSERT_EQ(comm_mgr_init(), 0);
    capture_.emplace();
}

void ServiceE2ETest::TearDown()
{
    capture_.reset();
    stop_services();
    // No Airable request is left pending for the next test.
    airable_request_set_ready(nullptr);
    comm_mgr_deinit();
    lv_deinit();
    ListDataUIListClean(ui_run_page.list_head);
    free(ui_run_page.list_head);
    uds_set_socket_path(nullptr);
    fs::current_path(old_cwd_);
}

void ServiceE2ETest::spawn(const char *program, const char *scenario)
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

void ServiceE2ETest::stop_services()
{
    for (pid_t pid : children_) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    children_.clear();
}

bool ServiceE2ETest::run_until(const std::function<bool()> &done, milliseconds limit)
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

void ServiceE2ETest::run_for(milliseconds time)
{
    run_until([] { return false; }, time);
}

std::string ServiceE2ETest::log_so_far()
{
    if (capture_) {
        log_ += capture_->text();
    }
    capture_.emplace();
    return log_;
}

}  // namespace main_page_e2e
