#include "wifi_page_env.hpp"

#include <sys/stat.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"
#include "wifi/wifi_scanner_internal.h"

namespace wifi_page_test {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Far beyond what a worker needs with waits that return at once, even on a
// loaded machine under a sanitizer.
constexpr auto kWaitLimit = 120s;
// GUI steps for two 50 ms page flags at one timer run per 33 ms step.
constexpr int kRunSteps = 12;

// The keyboard's lower-case map, row by row: each key's text and width
// units (the GUI library's default map).
struct Key {
    const char *text;
    int units;
};
const std::vector<std::vector<Key>> kLowerKeys = {
    {{"1#", 5}, {"q", 4}, {"w", 4}, {"e", 4}, {"r", 4}, {"t", 4}, {"y", 4}, {"u", 4}, {"i", 4}, {"o", 4},
     {"p", 4}, {LV_SYMBOL_BACKSPACE, 7}},
    {{"ABC", 6}, {"a", 3}, {"s", 3}, {"d", 3}, {"f", 3}, {"g", 3}, {"h", 3}, {"j", 3}, {"k", 3}, {"l", 3},
     {LV_SYMBOL_NEW_LINE, 7}},
    {{"_", 1}, {"-", 1}, {"z", 1}, {"x", 1}, {"c", 1}, {"v", 1}, {"b", 1}, {"n", 1}, {"m", 1}, {".", 1},
     {",", 1}, {":", 1}},
    {{LV_SYMBOL_KEYBOARD, 2}, {LV_SYMBOL_LEFT, 2}, {" ", 6}, {LV_SYMBOL_RIGHT, 2}, {LV_SYMBOL_OK, 2}},
};

template <typename Done>
bool wait_real(Done done)
{
    const auto limit = std::chrono::steady_clock::now() + kWaitLimit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

void write_file(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::mutex gate_lock;
std::condition_variable gate_cv;
bool gate_closed = false;
uint32_t gate_ms = 0;
bool gate_held = false;

}  // namespace

const char *const kForeignName = "Caf\xc3\xa9 \xe2\x98\x95";

const char *const kWorld =
    "ap 3c:84:6a:10:20:01 2437 -42 wpa2 Living-Room\n"
    "ap 10:fe:ed:50:60:01 2462 -45 open Cafe\\x20Guest\n"
    "ap 60:a4:4c:30:40:01 2412 -55 wpa2 我的网络\n"
    "ap 10:fe:ed:50:60:02 2412 -58 open Library\n"
    "ap 10:fe:ed:50:60:03 2437 -64 open Bus-Stop\n"
    "ap 10:fe:ed:50:60:04 2412 -66 wpa Old-Router join=auth-fail\n"
    "ap 10:fe:ed:50:60:05 2462 -69 wpa2 Caf\\xc3\\xa9\\x20\\xe2\\x98\\x95\n"
    "ap 10:fe:ed:50:60:06 2412 -74 open Kiosk\n"
    "ap 10:fe:ed:50:60:07 5180 -77 wpa2 Neighbour\n"
    "ap 10:fe:ed:50:60:08 2472 -86 open Far-Away\n"
    "ap 00:11:22:33:44:55 5240 -88 wpa2 Lab hidden\n"
    "key Living-Room correct-horse\n"
    "key 我的网络 battery-staple\n"
    "key Lab lab-secret\n"
    "seq auth-fail SCANNING AUTHENTICATING DISCONNECTED\n"
    "saved Living-Room correct-horse\n"
    "saved Attic attic-pass\n"
    "dhcp lease 192.168.1.23 24 192.168.1.1 192.168.1.1 8.8.8.8\n";

/* --- SleepGate ------------------------------------------------------------ */

SleepGate &SleepGate::get()
{
    static SleepGate gate;
    return gate;
}

void SleepGate::sleep_fn(uint32_t ms)
{
    get().sleep(ms);
}

void SleepGate::close(uint32_t ms)
{
    std::lock_guard<std::mutex> hold(gate_lock);
    gate_closed = true;
    gate_ms = ms;
    gate_held = false;
}

void SleepGate::open()
{
    std::lock_guard<std::mutex> hold(gate_lock);
    gate_closed = false;
    gate_cv.notify_all();
}

bool SleepGate::wait_held()
{
    std::unique_lock<std::mutex> hold(gate_lock);
    return gate_cv.wait_for(hold, kWaitLimit, [] { return gate_held; });
}

void SleepGate::sleep(uint32_t ms)
{
    std::unique_lock<std::mutex> hold(gate_lock);
    if (!gate_closed || ms != gate_ms) {
        return;
    }
    gate_held = true;
    gate_cv.notify_all();
    gate_cv.wait(hold, [] { return !gate_closed; });
}

/* --- WifiPageTest --------------------------------------------------------- */

void WifiPageTest::SetUp()
{
    MainPageTest::SetUp();
    sandbox = wifi_test::sandbox_root();
    SleepGate::get().open();
    wifi_test::sandbox_prepare(SleepGate::sleep_fn);
    scenario(kWorld);
    wifi_test::sandbox_disconnect();
    ui_page_wifi_reset();
    take_log();
}

void WifiPageTest::TearDown()
{
    SleepGate::get().open();
    EXPECT_TRUE(wait_real([] { return wifi_scanner_is_scan_done() && wifi_scanner_is_conn_done(); }))
        << "a WiFi worker did not end";
    take_log();
    MainPageTest::TearDown();
    ui_page_wifi_reset();
}

void WifiPageTest::scenario(const std::string &lines)
{
    wifi_test::sandbox_scenario(lines);
}

void WifiPageTest::tool_script(const std::string &name, const std::string &body)
{
    const std::string path = sandbox + "/bin/" + name;
    fs::remove(path);
    write_file(path, "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0755);
}

void WifiPageTest::open_wifi_page()
{
    start_ui();
    tap(m.tiles[MAIN_TILE_SETTINGS].icon);
    ASSERT_EQ(ui_run_page.run_page_id, PAGE_ID_WIFI);
    ASSERT_NE(w.root, nullptr);
}

void WifiPageTest::run_page()
{
    step(kRunSteps);
}

double WifiPageTest::gui_ms(const std::function<void()> &gui_steps)
{
    const auto start = std::chrono::steady_clock::now();
    gui_steps();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void WifiPageTest::finish_scan()
{
    ASSERT_TRUE(wait_real([] { return wifi_scanner_is_scan_done() == 1; })) << "the scan did not end";
    run_page();
}

void WifiPageTest::finish_connection()
{
    ASSERT_TRUE(wait_real([] { return wifi_scanner_is_conn_done() == 1; })) << "the connection did not end";
    run_page();
}

void WifiPageTest::tap_row(lv_obj_t *list, const std::string &ssid)
{
    lv_obj_t *label = row_label(list, ssid);
    ASSERT_NE(label, nullptr) << "no row " << ssid;
    lv_obj_scroll_to_view_recursive(label, LV_ANIM_OFF);
    step();
    tap(label);
}

void WifiPageTest::tap_key(const std::string &key)
{
    // Rows share the content height after the row gaps; keys share a row's
    // width by their units after the column gaps.
    lv_area_t area;
    lv_obj_get_content_coords(w.keyboard, &area);
    const int32_t gap = lv_obj_get_style_pad_row(w.keyboard, LV_PART_MAIN);
    const int32_t rows = static_cast<int32_t>(kLowerKeys.size());
    const int32_t row_h = (lv_area_get_height(&area) - gap * (rows - 1)) / rows;
    for (int32_t r = 0; r < rows; r++) {
        const std::vector<Key> &row = kLowerKeys[static_cast<size_t>(r)];
        const int32_t n = static_cast<int32_t>(row.size());
        const int32_t width = lv_area_get_width(&area) - gap * (n - 1);
        int32_t total = 0;
        for (const Key &k : row) {
            total += k.units;
        }
        int32_t before = 0;
        for (int32_t i = 0; i < n; i++) {
            const Key &k = row[static_cast<size_t>(i)];
            if (key == k.text) {
                const int32_t x1 = area.x1 + width * before / total + i * gap;
                const int32_t x2 = area.x1 + width * (before + k.units) / total + i * gap - 1;
                const int32_t y1 = area.y1 + r * (row_h + gap);
                tap((x1 + x2) / 2, y1 + row_h / 2);
                return;
            }
            before += k.units;
        }
    }
    ADD_FAILURE() << "no key " << key;
}

void WifiPageTest::type_on_keyboard(const std::string &text)
{
    for (char c : text) {
        tap_key(std::string(1, c));
    }
}

void WifiPageTest::join_with_keyboard(const std::string &ssid, const std::string &password)
{
    tap_row(w.other_list, ssid);
    tap(w.pwd_ta);
    lv_textarea_set_text(w.pwd_ta, "");
    type_on_keyboard(password);
    ASSERT_STREQ(lv_textarea_get_text(w.pwd_ta), password.c_str());
    tap_key(LV_SYMBOL_OK);
}

std::vector<std::string> WifiPageTest::row_names(lv_obj_t *list)
{
    std::vector<std::string> out;
    for (uint32_t i = 0; i < lv_obj_get_child_count(list); i++) {
        lv_obj_t *row = lv_obj_get_child(list, static_cast<int32_t>(i));
        out.emplace_back(lv_label_get_text(lv_obj_get_child(row, 1)));
    }
    return out;
}

std::vector<const void *> WifiPageTest::row_icons(lv_obj_t *list)
{
    std::vector<const void *> out;
    for (uint32_t i = 0; i < lv_obj_get_child_count(list); i++) {
        lv_obj_t *box = lv_obj_get_child(lv_obj_get_child(list, static_cast<int32_t>(i)), 0);
        out.push_back(lv_image_get_src(lv_obj_get_child(box, 0)));
    }
    return out;
}

lv_obj_t *WifiPageTest::row_label(lv_obj_t *list, const std::string &ssid)
{
    for (uint32_t i = 0; i < lv_obj_get_child_count(list); i++) {
        lv_obj_t *label = lv_obj_get_child(lv_obj_get_child(list, static_cast<int32_t>(i)), 1);
        if (ssid == lv_label_get_text(label)) {
            return label;
        }
    }
    return nullptr;
}

std::vector<lv_obj_t *> WifiPageTest::message_boxes()
{
    std::vector<lv_obj_t *> out;
    lv_obj_t *screen = lv_screen_active();
    for (uint32_t i = 0; i < lv_obj_get_child_count(screen); i++) {
        lv_obj_t *child = lv_obj_get_child(screen, static_cast<int32_t>(i));
        if (lv_obj_check_type(child, &lv_msgbox_class)) {
            out.push_back(child);
        }
    }
    return out;
}

std::string WifiPageTest::message_text(lv_obj_t *mbox)
{
    lv_obj_t *content = lv_msgbox_get_content(mbox);
    return lv_label_get_text(lv_obj_get_child(content, 0));
}

std::vector<std::string> WifiPageTest::call_lines()
{
    return wifi_test::sandbox_call_lines();
}

bool eventually(const std::function<bool()> &done)
{
    return wait_real(done);
}

bool has(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace wifi_page_test
