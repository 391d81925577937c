// Page manager, run-state record and page cadence, driven through the GUI
// library's timers with a controlled tick.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gui_log.hpp"
#include "lvgl.h"
#include "stdout_capture.hpp"
#include "temp_dir.hpp"
#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"
#include "user/ui_page/ui_page_main.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
/* The 2 ms timer consumes a flag within a few ms of the 10 ms timer raising
 * it; checking a few ms past each 50 ms boundary counts every flag once. */
constexpr uint32_t kPhase = 5;

uint32_t fake_now;
uint32_t fake_tick()
{
    return fake_now;
}

std::vector<std::string> calls;

/* The table as the program starts, restored before each test. */
const ui_page_t initial_table[PAGE_ID_COUNT] = {ui_page_table[0], ui_page_table[1]};

/* Hooks that record their calls and then do the real page's work. */
int32_t main_start(void *arg)
{
    calls.push_back(arg == ui_page_table ? "main.start(table)" : "main.start(null)");
    return initial_table[PAGE_ID_MAIN].start(arg);
}
int32_t main_run(int32_t arg)
{
    calls.push_back("main.run");
    return initial_table[PAGE_ID_MAIN].run(arg);
}
int32_t main_destroy(void)
{
    calls.push_back("main.destroy");
    return initial_table[PAGE_ID_MAIN].destroy();
}
int32_t wifi_start(void *arg)
{
    calls.push_back(arg == ui_page_table ? "wifi.start(table)" : "wifi.start(null)");
    return initial_table[PAGE_ID_WIFI].start(arg);
}
int32_t wifi_run(int32_t arg)
{
    calls.push_back("wifi.run");
    return initial_table[PAGE_ID_WIFI].run(arg);
}
int32_t wifi_destroy(void)
{
    calls.push_back("wifi.destroy");
    return initial_table[PAGE_ID_WIFI].destroy();
}

size_t count(const std::string &what)
{
    size_t n = 0;
    for (const std::string &c : calls) {
        n += c == what;
    }
    return n;
}

class PageFramework : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(getcwd(old_cwd, sizeof old_cwd), nullptr);
        ASSERT_EQ(chdir(workdir.c_str()), 0);

        lv_init();
        test_support::record_gui_log();
        fake_now = 1;
        lv_tick_set_cb(fake_tick);
        display = lv_display_create(kWidth, kHeight);
        lv_display_set_flush_cb(display, [](lv_display_t *d, const lv_area_t *, uint8_t *) {
            lv_display_flush_ready(d);
        });
        lv_display_set_buffers(display, frame.data(), nullptr, frame.size(),
                               LV_DISPLAY_RENDER_MODE_FULL);

        std::memcpy(ui_page_table, initial_table, sizeof initial_table);
        ui_page_table[PAGE_ID_MAIN].start = main_start;
        ui_page_table[PAGE_ID_MAIN].run = main_run;
        ui_page_table[PAGE_ID_MAIN].destroy = main_destroy;
        ui_page_table[PAGE_ID_WIFI].start = wifi_start;
        ui_page_table[PAGE_ID_WIFI].run = wifi_run;
        ui_page_table[PAGE_ID_WIFI].destroy = wifi_destroy;
        ui_run_page = ui_run_page_t{};
        lv_ui_page_main = lv_ui_page_main_t{};
        calls.clear();
        test_support::clear_gui_log();
    }

    void TearDown() override
    {
        lv_deinit();
        ListDataUIListClean(ui_run_page.list_head);
        std::free(ui_run_page.list_head);
        ASSERT_EQ(chdir(old_cwd), 0);
    }

    /* Starts the UI, then brings the 10 ms / 2 ms pair to a known phase: no
     * flag raised and no tick counted. */
    void start_ui()
    {
        ui_user_init();
        for (int i = 0; i < UI_TICKS_PER_RUN; i++) {
            update_label_timer_cb(nullptr);
        }
        update_ui_timer_cb(nullptr);
        calls.clear();
    }

    /* Advances the controlled tick millisecond by millisecond. */
    void advance(uint32_t ms)
    {
        for (uint32_t i = 0; i < ms; i++) {
            fake_now++;
            lv_timer_handler();
        }
    }

    TempDir tmp{"ui"};
    const std::string &workdir = tmp.path();
    char old_cwd[PATH_MAX] = {};
    lv_display_t *display = nullptr;
    std::vector<uint8_t> frame = std::vector<uint8_t>(kWidth * kHeight * 4);
};

TEST_F(PageFramework, StartUpLeavesTheMainPageCurrentAndReady)
{
    ui_user_init();
    EXPECT_EQ(calls, (std::vector<std::string>{"main.start(null)"}));
    EXPECT_EQ(ui_run_page.run_page_id, PAGE_ID_MAIN);
    EXPECT_EQ(ui_page_table[PAGE_ID_MAIN].status, em_UI_STATUS_READY);
    EXPECT_EQ(ui_page_table[PAGE_ID_MAIN].father_id, PAGE_ID_MAIN);
    EXPECT_EQ(ui_page_table[PAGE_ID_WIFI].status, em_UI_STATUS_IDLE);
    EXPECT_EQ(ui_run_page.page_main, &lv_ui_page_main);
    EXPECT_EQ(ui_run_page.main_run, UI_MAIN_RUN_ON);
    EXPECT_EQ(ui_run_page.page_table, ui_page_table);
    EXPECT_EQ(ui_run_page.entry_fn, &entry_ui_page);
    ASSERT_NE(ui_run_page.list_head, nullptr);
    EXPECT_EQ(ListDataUIListGetLength(ui_run_page.list_head), 0u);
    ASSERT_NE(ui_run_page.root_screen, nullptr);
    EXPECT_EQ(lv_screen_active(), ui_run_page.root_screen);
    EXPECT_EQ(lv_obj_get_width(ui_run_page.root_screen), kWidth);
    EXPECT_EQ(lv_obj_get_height(ui_run_page.root_screen), kHeight);
}

TEST_F(PageFramework, MissingFontIsLoggedOncePerSizeAndStartUpCompletes)
{
    ui_user_init();
    EXPECT_EQ(test_support::gui_log_count("freetype font create failed."), 2u);
    EXPECT_EQ(ui_run_page.font_24, nullptr);
    EXPECT_EQ(ui_run_page.font_32, nullptr);
    EXPECT_EQ(ui_page_table[PAGE_ID_MAIN].status, em_UI_STATUS_READY);
    EXPECT_EQ(ui_run_page.main_run, UI_MAIN_RUN_ON);
}

TEST_F(PageFramework, FontFileInTheWorkingDirectoryGivesBothFonts)
{
    fs::copy_file(UI_TEST_FONT, workdir + "/HarmonyOS_Sans_SC_Medium.ttf");
    ui_user_init();
    EXPECT_EQ(test_support::gui_log_count("freetype font create failed."), 0u);
    ASSERT_NE(ui_run_page.font_24, nullptr);
    ASSERT_NE(ui_run_page.font_32, nullptr);
    EXPECT_LT(ui_run_page.font_24->line_height, ui_run_page.font_32->line_height);
    lv_freetype_font_delete(ui_run_page.font_24);
    lv_freetype_font_delete(ui_run_page.font_32);
}

TEST_F(PageFramework, MainPageRunsTwicePerFlagOnPageZero)
{
    start_ui();
    advance(kPhase);
    for (uint32_t window = 1; window <= 6; window++) {
        advance(50);
        SCOPED_TRACE(window);
        EXPECT_EQ(count("main.run"), 2 * window);
        EXPECT_EQ(count("wifi.run"), 0u);
    }
}

TEST_F(PageFramework, OnTheWifiPageMainAndWifiRunOncePerFlagInThatOrder)
{
    start_ui();
    ui_run_page.entry_fn(PAGE_ID_WIFI);
    calls.clear();
    advance(150 + kPhase);
    EXPECT_EQ(calls, (std::vector<std::string>{"main.run", "wifi.run", "main.run", "wifi.run",
                                               "main.run", "wifi.run"}));
}

TEST_F(PageFramework, WithoutBackgroundRunTheMainPageRunsOnceAsCurrentPage)
{
    start_ui();
    ui_run_page.main_run = 0;
    advance(100 + kPhase);
    EXPECT_EQ(count("main.run"), 2u);
}

TEST_F(PageFramework, TickFindingTheFlagRaisedIsNotCounted)
{
    start_ui();
    for (int i = 0; i < UI_TICKS_PER_RUN; i++) {
        update_label_timer_cb(nullptr);
    }
    for (int i = 0; i < 3; i++) {
        update_label_timer_cb(nullptr);  // flag still raised: not counted
    }
    update_ui_timer_cb(nullptr);
    EXPECT_EQ(count("main.run"), 2u);
    for (int i = 0; i < UI_TICKS_PER_RUN - 1; i++) {
        update_label_timer_cb(nullptr);
    }
    update_ui_timer_cb(nullptr);
    EXPECT_EQ(count("main.run"), 2u) << "four ticks after the flag must not raise it again";
    update_label_timer_cb(nullptr);
    update_ui_timer_cb(nullptr);
    EXPECT_EQ(count("main.run"), 4u);
}

TEST_F(PageFramework, EnteringWifiHidesThePagerWithoutDestroyingTheMainPage)
{
    start_ui();
    StdoutCapture captured;
    EXPECT_EQ(entry_ui_page(PAGE_ID_WIFI), 0);
    const std::string out = captured.text();
    EXPECT_EQ(calls, (std::vector<std::string>{"wifi.start(table)"}));
    EXPECT_TRUE(lv_obj_has_flag(lv_ui_page_main.pager, LV_OBJ_FLAG_HIDDEN));
    EXPECT_EQ(ui_page_table[PAGE_ID_MAIN].status, em_UI_STATUS_READY);
    EXPECT_EQ(ui_page_table[PAGE_ID_WIFI].status, em_UI_STATUS_READY);
    EXPECT_EQ(ui_page_table[PAGE_ID_WIFI].father_id, PAGE_ID_MAIN);
    EXPECT_EQ(ui_run_page.run_page_id, PAGE_ID_WIFI);
    EXPECT_NE(out.find("\033[1;33m[LVGL_UI][entry_ui_page:"), std::string::npos) << out;
    EXPECT_NE(out.find("\033[0m ****    run_page_id_status    ****[1] \n"), std::string::npos)
        << out;
}

TEST_F(PageFramework, LeavingWifiDestroysItThenStartsAndShowsTheMainPage)
{
    start_ui();
    entry_ui_page(PAGE_ID_WIFI);
    calls.clear();
    StdoutCapture captured;
    EXPECT_EQ(entry_ui_page(PAGE_ID_MAIN), 0);
    const std::string out = captured.text();
    EXPECT_EQ(calls, (std::vector<std::string>{"wifi.destroy", "main.start(table)"}));
    EXPECT_FALSE(lv_obj_has_flag(lv_ui_page_main.pager, LV_OBJ_FLAG_HIDDEN));
    EXPECT_EQ(ui_page_table[PAGE_ID_WIFI].status, em_UI_STATUS_IDLE);
    EXPECT_EQ(ui_run_page.run_page_id, PAGE_ID_MAIN);
    EXPECT_NE(out.find("\033[0m ****    run_page_id_status    ****[0] \n"), std::string::npos)
        << out;
}

TEST_F(PageFramework, PageIdOutsideTheTableIsRefused)
{
    start_ui();
    calls.clear();
    for (int32_t id : {-1, (int)PAGE_ID_COUNT, 1000}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(entry_ui_page(id), -1);
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(ui_run_page.run_page_id, PAGE_ID_MAIN);
        EXPECT_FALSE(lv_obj_has_flag(lv_ui_page_main.pager, LV_OBJ_FLAG_HIDDEN));
    }
}

TEST_F(PageFramework, WifiBackFlagLeavesThroughTheFatherOnTheNextRun)
{
    start_ui();
    entry_ui_page(PAGE_ID_WIFI);
    ui_run_page.flags.wifi_back = 1;
    calls.clear();
    advance(50 + kPhase);
    EXPECT_EQ(calls, (std::vector<std::string>{"main.run", "wifi.run", "wifi.destroy",
                                               "main.start(table)"}));
    EXPECT_EQ(ui_run_page.flags.wifi_back, 0);
    EXPECT_EQ(ui_run_page.run_page_id, PAGE_ID_MAIN);
    EXPECT_EQ(ui_page_table[PAGE_ID_WIFI].status, em_UI_STATUS_IDLE);
    calls.clear();
    advance(50);
    EXPECT_EQ(count("main.run"), 2u);
    EXPECT_EQ(count("wifi.run"), 0u);
}

TEST(RunStateFlags, BitsSitWhereTheControllersExpectThem)
{
    ui_run_flags_t flags{};
    flags.list_busy = 1;
    uint8_t raw = 0;
    std::memcpy(&raw, &flags, 1);
    EXPECT_EQ(raw, 0x01);
    flags = ui_run_flags_t{};
    flags.wifi_back = 1;
    std::memcpy(&raw, &flags, 1);
    EXPECT_EQ(raw, 0x20);
    EXPECT_EQ(sizeof(ui_run_flags_t), 1u);
}

}  // namespace
