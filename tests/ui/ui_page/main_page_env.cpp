#include "main_page_env.hpp"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"

namespace main_page_test {

namespace fs = std::filesystem;

namespace {

// The page table as the program starts, restored before each test.
const ui_page_t initial_table[PAGE_ID_COUNT] = {ui_page_table[0], ui_page_table[1]};

constexpr int kSettleSteps = 200;
// The status bar's height.
constexpr int kStatusBarRows = 80;

}  // namespace

time_t fixed_clock()
{
    struct tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 0;
    tm.tm_mday = 5;
    tm.tm_hour = 9;
    tm.tm_min = 5;
    return timegm(&tm);
}

void MainPageTest::SetUp()
{
    tmp_.emplace("main-page");
    ASSERT_FALSE(tmp_->path().empty());
    workdir = tmp_->path();
    old_cwd_ = fs::current_path().string();
    fs::copy_file(UI_TEST_FONT, workdir / "HarmonyOS_Sans_SC_Medium.ttf");
    fs::copy_file(UI_TEST_BACKGROUND, workdir / "background_image_8.png");
    fs::current_path(workdir);
    setenv("TZ", "UTC", 1);
    tzset();
    ui_page_main_set_clock(fixed_clock);

    test_support::GuiTest::SetUp();
    pointer_ = lv_indev_create();
    lv_indev_set_type(pointer_, LV_INDEV_TYPE_POINTER);
    lv_indev_set_read_cb(pointer_, pointer_read);
    lv_indev_set_user_data(pointer_, this);

    std::memcpy(ui_page_table, initial_table, sizeof initial_table);
    ui_run_page = ui_run_page_t{};
    lv_ui_page_main = lv_ui_page_main_t{};
    log_.emplace();
}

void MainPageTest::TearDown()
{
    log_.reset();
    test_support::GuiTest::TearDown();
    ListDataUIListClean(ui_run_page.list_head);
    free(ui_run_page.list_head);
    ui_run_page.list_head = nullptr;
    ui_page_main_set_clock(nullptr);
    fs::current_path(old_cwd_);
    tmp_.reset();
}

void MainPageTest::start_ui()
{
    ui_user_init();
    step();
}

void MainPageTest::show_clock()
{
    for (int i = 0; i < 50; i++) {
        ui_page_main_run(0);
    }
}

void MainPageTest::pointer_read(lv_indev_t *indev, lv_indev_data_t *data)
{
    auto *self = static_cast<MainPageTest *>(lv_indev_get_user_data(indev));
    data->point = self->point_;
    data->state = self->pressed_ ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
}

void MainPageTest::step(int n)
{
    for (int i = 0; i < n; i++) {
        advance(kReadPeriod);
        lv_timer_handler();
    }
}

void MainPageTest::press(int32_t x, int32_t y)
{
    point_ = {x, y};
    pressed_ = true;
    step();
}

void MainPageTest::move_to(int32_t x, int32_t y)
{
    point_ = {x, y};
    step();
}

void MainPageTest::release()
{
    pressed_ = false;
    step();
}

void MainPageTest::tap(int32_t x, int32_t y)
{
    press(x, y);
    release();
}

void MainPageTest::tap(lv_obj_t *obj)
{
    const lv_point_t c = centre_of(obj);
    tap(c.x, c.y);
}

void MainPageTest::drag(lv_point_t from, lv_point_t delta, int moves)
{
    press(from.x, from.y);
    for (int i = 0; i < moves; i++) {
        move_to(point_.x + delta.x, point_.y + delta.y);
    }
    release();
}

void MainPageTest::settle()
{
    for (int i = 0; i < kSettleSteps && (lv_anim_count_running() > 0 || lv_indev_get_scroll_obj(pointer_)); i++) {
        step();
    }
    step();
}

::testing::AssertionResult MainPageTest::looks_like(const std::string &name)
{
    return test_support::matches_reference(render(), std::string(UI_PAGE_REF_DIR) + "/" + name + ".png",
                                           UI_PAGE_OUT_DIR, name);
}

::testing::AssertionResult MainPageTest::status_bar_looks_like(const std::string &name)
{
    const test_support::Image &screen = render();
    test_support::Image top(screen.w, kStatusBarRows);
    std::copy(screen.bgra.begin(), screen.bgra.begin() + (ptrdiff_t)top.bgra.size(), top.bgra.begin());
    return test_support::matches_reference(top, std::string(UI_PAGE_REF_DIR) + "/" + name + ".png",
                                           UI_PAGE_OUT_DIR, name);
}

std::string MainPageTest::take_log()
{
    std::string out = log_ ? log_->text() : "";
    log_.emplace();
    return out;
}

lv_point_t centre_of(lv_obj_t *obj)
{
    lv_obj_update_layout(obj);
    lv_area_t a;
    lv_obj_get_coords(obj, &a);
    return {(a.x1 + a.x2) / 2, (a.y1 + a.y2) / 2};
}

bool hidden(lv_obj_t *obj)
{
    return lv_obj_has_flag(obj, LV_OBJ_FLAG_HIDDEN);
}

std::string label_text(lv_obj_t *label)
{
    return lv_label_get_text(label);
}

player_ui_info_t playing_record(const char *t1, const char *t2, const char *t3)
{
    player_ui_info_t info{};
    info.state = 1;
    info.position_ms = 61000;
    info.duration_ms = 215000;
    snprintf(info.text1, sizeof info.text1, "%s", t1);
    snprintf(info.text2, sizeof info.text2, "%s", t2);
    snprintf(info.text3, sizeof info.text3, "%s", t3);
    info.len1 = (uint16_t)strlen(t1);
    info.len2 = (uint16_t)strlen(t2);
    info.len3 = (uint16_t)strlen(t3);
    return info;
}

}  // namespace main_page_test
