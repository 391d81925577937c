// The WiFi page against a wpa_cli that never answers: how long each user
// action holds the GUI thread. The interface's page framework with the real
// main and WiFi pages on a 640 x 480 memory display, its GUI loop run as
// main's is, taps through a pointer input device, and the wireless stand-ins
// in a temporary folder (they and `which` the only programs on PATH).
//
// For each action (opening the page, a tap on a kept network, the switch on
// and off) it prints the calls of lv_timer_handler that held the thread
// longer than 20 ms: their sum and the longest, with the stand-ins'
// supplicant hung and, for comparison, answering. Before each action the
// backend forgets that a tool did not answer, so that each action meets the
// hung tool as the first one does. The page's log is thrown away; the
// figures go to standard output.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "lvgl.h"
#include "page_bench_env.hpp"
#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"
#include "user/ui_page/ui_page_main.h"
#include "user/ui_page/ui_page_wifi_private.h"
#include "wifi/wifi_scanner_internal.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
// A call of the timer handler that takes longer than this holds the thread.
constexpr double kHoldMs = 20;
constexpr int kTapMs = 100;
constexpr int kAfterMs = 300;
constexpr int kScanLimitMs = 30000;
const lv_point_t kSettingsTile = {77, 311};
const lv_point_t kBackIcon = {41, 27};
const lv_point_t kSwitch = {575, 32};

const char *const kWorld = "ap 3c:84:6a:10:20:01 2437 -42 wpa2 Living-Room\n"
                           "ap 60:a4:4c:30:40:01 2412 -55 wpa2 Home\n"
                           "ap 10:fe:ed:50:60:01 2462 -63 open Cafe\n"
                           "key Living-Room correct-horse\n"
                           "saved Living-Room correct-horse\n"
                           "saved Attic attic-pass\n"
                           "dhcp lease 192.168.1.23 24 192.168.1.1 192.168.1.1\n";

const char *const kLinkedTools[] = {"iw", "wpa_cli", "wpa_supplicant", "ip", "connmanctl", "pidof", "killall"};

struct Holds {
    double sum = 0;
    double longest = 0;
};

lv_point_t pointer_at;
bool pointer_down;
Holds *counting;

uint32_t tick_ms()
{
    static const Clock::time_point start = Clock::now();
    return (uint32_t)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

void flush(lv_display_t *disp, const lv_area_t *, uint8_t *)
{
    lv_display_flush_ready(disp);
}

void pointer_read(lv_indev_t *, lv_indev_data_t *data)
{
    data->point = pointer_at;
    data->state = pointer_down ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
}

// The GUI loop of main for `ms`, or until `done` answers true.
void run(int ms, const std::function<bool()> &done = nullptr)
{
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end && !(done && done())) {
        const Clock::time_point t0 = Clock::now();
        const uint32_t wait = lv_timer_handler();
        const double held = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        if (counting != nullptr && held > kHoldMs) {
            counting->sum += held;
            counting->longest = std::max(counting->longest, held);
        }
        usleep(std::min<uint32_t>(wait, 5) * 1000);
    }
}

void tap(lv_point_t at)
{
    pointer_at = at;
    pointer_down = true;
    run(kTapMs);
    pointer_down = false;
    run(kTapMs);
}

void wait_for_scan()
{
    run(kScanLimitMs, [] { return wifi_scanner_is_scan_done() == 1; });
    run(kAfterMs);
}

struct Sandbox {
    fs::path dir;

    void scenario(bool hung) const
    {
        std::ofstream(dir / "scenario", std::ios::trunc) << "state " << (dir / "state").string() << "\n"
                                                         << kWorld << (hung ? "supplicant hung\n" : "");
    }
};

Sandbox make_sandbox(const fs::path &dir)
{
    fs::create_directories(dir / "bin");
    fs::create_directories(dir / "etc");
    fs::create_directories(dir / "tmp");
    chmod((dir / "tmp").c_str(), 0700);
    for (const char *tool : kLinkedTools) {
        fs::create_symlink(fs::path(BENCH_PLATFORM_BIN) / tool, dir / "bin" / tool);
    }
    fs::copy_file(fs::path(BENCH_PLATFORM_BIN) / "udhcpc", dir / "bin" / "udhcpc");
    fs::create_symlink(fs::canonical("/usr/bin/which"), dir / "bin" / "which");
    setenv("PATH", (dir / "bin").c_str(), 1);
    setenv("QUORVEX_WIFI_SCENARIO", (dir / "scenario").c_str(), 1);
    wifi_set_path(WIFI_PATH_SUPPLICANT_CONF, (dir / "etc/wpa_supplicant.conf").c_str());
    wifi_set_path(WIFI_PATH_RESOLV_CONF, (dir / "etc/resolv.conf").c_str());
    wifi_set_path(WIFI_PATH_DHCP_SCRIPT, (dir / "tmp/udhcpc.script").c_str());
    return {dir};
}

lv_point_t centre(lv_obj_t *obj)
{
    lv_area_t area;
    lv_obj_get_coords(obj, &area);
    return {(area.x1 + area.x2) / 2, (area.y1 + area.y2) / 2};
}

// The page's first visit of the process, up to the listing after its scan.
void open_page()
{
    ui_page_wifi_reset();
    tap(kSettingsTile);
    wait_for_scan();
}

void leave_page()
{
    tap(kBackIcon);
    run(kAfterMs);
}

// Each action, from the state the one before left.
struct Action {
    const char *name;
    std::function<void()> prepare; // not counted
    std::function<void()> steps;
};

struct Measured {
    const char *action;
    Holds holds;
};

std::vector<Measured> measure(const Sandbox &sandbox, bool hung)
{
    const std::vector<Action> actions = {
        {"opening the page", [&] { sandbox.scenario(hung); }, open_page},
        {"a tap on a kept network",
         [&] {
             leave_page();
             sandbox.scenario(false);
             open_page();
             sandbox.scenario(hung);
         },
         [] {
             lv_obj_t *row = lv_obj_get_child(s_lv_ui_page_wifi.my_list, 0);
             tap(centre(lv_obj_get_child(row, 1)));
             run(kAfterMs);
         }},
        {"the switch on", nullptr,
         [] {
             tap(kSwitch);
             wait_for_scan();
         }},
        {"the switch off", nullptr,
         [] {
             tap(kSwitch);
             run(kAfterMs);
         }},
    };
    std::vector<Measured> out;
    for (const Action &a : actions) {
        if (a.prepare) {
            a.prepare();
        }
        wifi_reset_answers();
        Holds holds;
        counting = &holds;
        a.steps();
        counting = nullptr;
        out.push_back({a.name, holds});
    }
    leave_page();
    fs::remove_all(sandbox.dir / "state");
    return out;
}

} // namespace

int main()
{
    const PageBenchEnv env("wifi-bench");
    if (!env.ok()) {
        return 1;
    }
    FILE *out = env.out();
    const fs::path &dir = env.dir();
    const Sandbox sandbox = make_sandbox(dir);

    lv_init();
    lv_tick_set_cb(tick_ms);
    lv_display_t *disp = lv_display_create(kWidth, kHeight);
    std::vector<uint8_t> frame((size_t)kWidth * kHeight * 4);
    lv_display_set_buffers(disp, frame.data(), nullptr, (uint32_t)frame.size(), LV_DISPLAY_RENDER_MODE_DIRECT);
    lv_display_set_flush_cb(disp, flush);
    lv_indev_t *pointer = lv_indev_create();
    lv_indev_set_type(pointer, LV_INDEV_TYPE_POINTER);
    lv_indev_set_read_cb(pointer, pointer_read);
    ui_user_init();
    run(kAfterMs);

    const std::vector<Measured> hung = measure(sandbox, true);
    const std::vector<Measured> answering = measure(sandbox, false);
    std::fprintf(out, "GUI thread held (lv_timer_handler calls over %.0f ms): sum, longest\n", kHoldMs);
    for (size_t i = 0; i < hung.size(); i++) {
        std::fprintf(out, "%-24s wpa_cli hung: %5.0f ms, %5.0f ms   answering: %5.0f ms, %5.0f ms\n", hung[i].action,
                     hung[i].holds.sum, hung[i].holds.longest, answering[i].holds.sum, answering[i].holds.longest);
    }

    lv_deinit();
    return 0;
}
