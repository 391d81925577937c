// Drawing the main page: the interface's page framework with the real main
// page (font, background picture, icons) on a 640 x 480 memory display.
// Prints the median and 90th percentile microseconds of
//   - one full frame of the home page (everything invalidated), and
//   - one step of a pager swipe (the pager moved by 65 px, as a finger moves
//     it per read, then the frame redrawn), without cover art and with a
//     320 x 320 and a 4096 x 4096 one (also without the image cache, as on a
//     board whose LVGL has none),
// the time the page framework takes to start (fonts, the whole tree), the
// cost of an idle run of the GUI timers with the page's own timers, and the
// latency of a tap on the first now-playing page while a FIFO lies at the
// cover art's path (GUI loop and input read as in the program, real time).
// Run from anywhere; it works in a temporary directory. The page's own log
// is thrown away; the figures go to standard output.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "cover_art.h"
#include "lvgl.h"
#include "page_bench_env.hpp"
#include "ui/ui_data_update.h"
#include "user/ui_page/ui_page_main_private.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
constexpr int kFrames = 200;
constexpr int kWarmup = 10;
constexpr int kUncachedFrames = 20;
constexpr int32_t kSwipeStep = 65;
constexpr int32_t kSwipeSpan = 640;
constexpr int kIdleCalls = 100000;
constexpr int kSmallArt = 320;
constexpr int kLargeArt = 4096;
constexpr int kTaps = 20;
constexpr uint32_t kArtDelayMs = 1000;  // the art is read this long after a title change
constexpr lv_point_t kPage1Tap{100, 240};
constexpr int kMaxLoopMs = 5000;

uint32_t tick_ms()
{
    static const Clock::time_point start = Clock::now();
    return (uint32_t)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The tap being measured: from the release to the first frame drawn after
// the control overlay changed.
struct TapProbe {
    bool waiting = false;
    bool overlay_was_hidden = false;
    Clock::time_point released;
    double latency_ms = 0;
} g_tap;

lv_indev_data_t g_pointer{};

void flush(lv_display_t * disp, const lv_area_t *, uint8_t *)
{
    if (g_tap.waiting &&
        lv_obj_has_flag(lv_ui_page_main.group_ctrl_page_1, LV_OBJ_FLAG_HIDDEN) != g_tap.overlay_was_hidden) {
        g_tap.latency_ms = std::chrono::duration<double, std::milli>(Clock::now() - g_tap.released).count();
        g_tap.waiting = false;
    }
    lv_display_flush_ready(disp);
}

void pointer_read(lv_indev_t *, lv_indev_data_t * data)
{
    *data = g_pointer;
}

// The program's GUI loop for `ms` of real time, or until `done` holds.
template <typename Done> void gui_loop(uint32_t ms, Done && done)
{
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end && !done()) {
        const uint32_t wait = lv_timer_handler();
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<uint32_t>(wait, 5)));
    }
}

// AirPlay reports a new title; its art is read a second later.
void play_title(const char * title)
{
    player_ui_info_t info{};
    info.state = 1;
    std::snprintf(info.text1, sizeof info.text1, "%s", title);
    info.len1 = (uint16_t)std::strlen(info.text1);
    airplay_ui_event_cb(&info);
    gui_loop(kArtDelayMs + 200, [] { return false; });
}

struct Figures {
    double median;
    double p90;
};

Figures figures(std::vector<double> us)
{
    std::sort(us.begin(), us.end());
    return {us[us.size() / 2], us[us.size() * 9 / 10]};
}

template <typename F> std::vector<double> time_frames(F && before_each, int frames = kFrames)
{
    std::vector<double> us;
    lv_display_t * disp = lv_display_get_default();
    for (int i = 0; i < kWarmup + frames; i++) {
        before_each(i);
        const Clock::time_point t0 = Clock::now();
        lv_refr_now(disp);
        const double elapsed = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
        if (i >= kWarmup) us.push_back(elapsed);
    }
    return us;
}

}  // namespace

int main()
{
    const PageBenchEnv env("page-bench");
    if (!env.ok()) {
        return 1;
    }
    FILE * out = env.out();

    lv_init();
    lv_tick_set_cb(tick_ms);
    lv_display_t * disp = lv_display_create(kWidth, kHeight);
    std::vector<uint8_t> frame((size_t)kWidth * kHeight * 4);
    lv_display_set_buffers(disp, frame.data(), nullptr, (uint32_t)frame.size(), LV_DISPLAY_RENDER_MODE_DIRECT);
    lv_display_set_flush_cb(disp, flush);
    const Clock::time_point build_start = Clock::now();
    ui_user_init();
    const double build_ms = std::chrono::duration<double, std::milli>(Clock::now() - build_start).count();
    std::fprintf(out, "start-up of the page framework and the main page (fonts, tree): %.1f ms\n", build_ms);
    lv_obj_t * pager = lv_ui_page_main.pager;

    const Figures home = figures(time_frames([&](int) { lv_obj_invalidate(lv_screen_active()); }));
    std::fprintf(out, "home page, full frame: median %.0f us, p90 %.0f us\n", home.median, home.p90);

    // Back and forth across the first page boundary (the home page and the
    // first now-playing page with its art), one finger step a frame.
    const auto swipe = [&](int frames) {
        int32_t direction = 1;
        lv_obj_scroll_to_x(pager, 0, LV_ANIM_OFF);
        return figures(time_frames(
            [&](int) {
                const int32_t x = lv_obj_get_scroll_x(pager);
                if (x + direction * kSwipeStep > kSwipeSpan || x + direction * kSwipeStep < 0) direction = -direction;
                lv_obj_scroll_by(pager, -direction * kSwipeStep, 0, LV_ANIM_OFF);
            },
            frames));
    };
    const Figures bare = swipe(kFrames);
    std::fprintf(out, "pager swipe step (%d px), no cover art: median %.0f us, p90 %.0f us\n", kSwipeStep, bare.median,
                 bare.p90);

    struct ArtRun {
        int side;
        uint32_t cache_size;
        const char * title;
        int frames;  // fewer where every frame decodes the art
    };
    const ArtRun art_runs[] = {
        {kSmallArt, LV_CACHE_DEF_SIZE, "Small art", kFrames},
        {kLargeArt, LV_CACHE_DEF_SIZE, "Large art", kFrames},
        {kLargeArt, 0, "Large art, no cache", kUncachedFrames},
    };
    double small_median = 0;
    for (const ArtRun & run : art_runs) {
        lv_image_cache_resize(run.cache_size, true);
        if (svc::write_cover_art("./artwork.jpg", (unsigned)run.side, run.side) != 0) {
            std::perror("writing the cover art");
            return 1;
        }
        play_title(run.title);
        const Figures f = swipe(run.frames);
        if (run.side == kSmallArt) small_median = f.median;
        std::fprintf(out,
                     "pager swipe step, %d x %d cover art, image cache %u bytes: median %.0f us, p90 %.0f us (%.2f x "
                     "the %d x %d art)\n",
                     run.side, run.side, (unsigned)run.cache_size, f.median, f.p90, f.median / small_median, kSmallArt,
                     kSmallArt);
    }

    lv_obj_scroll_to_x(pager, 0, LV_ANIM_OFF);
    lv_refr_now(disp);
    const Clock::time_point t0 = Clock::now();
    for (int i = 0; i < kIdleCalls; i++) lv_timer_handler();
    const double idle_us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / kIdleCalls;
    std::fprintf(out, "idle lv_timer_handler: %.2f us a call\n", idle_us);

    // Taps on the first now-playing page while a FIFO that nobody writes lies
    // at the art's path: with the art in the cache and with none, where every
    // frame tries the file.
    lv_indev_t * pointer = lv_indev_create();
    lv_indev_set_type(pointer, LV_INDEV_TYPE_POINTER);
    lv_indev_set_read_cb(pointer, pointer_read);
    g_pointer.point = kPage1Tap;
    lv_obj_scroll_to_x(pager, MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    for (uint32_t cache_size : {(uint32_t)LV_CACHE_DEF_SIZE, 0u}) {
        lv_image_cache_resize(cache_size, true);
        svc::write_cover_art("./artwork.jpg", 1, kSmallArt);
        play_title(cache_size ? "FIFO, cache" : "FIFO, no cache");
        fs::remove("artwork.jpg");
        if (mkfifo("artwork.jpg", 0600) != 0) {
            std::perror("mkfifo");
            return 1;
        }
        std::vector<double> ms;
        for (int i = 0; i < kTaps; i++) {
            g_pointer.state = LV_INDEV_STATE_PRESSED;
            gui_loop(100, [] { return false; });
            g_tap.overlay_was_hidden = lv_obj_has_flag(lv_ui_page_main.group_ctrl_page_1, LV_OBJ_FLAG_HIDDEN);
            g_tap.waiting = true;
            g_tap.released = Clock::now();
            g_pointer.state = LV_INDEV_STATE_RELEASED;
            gui_loop(kMaxLoopMs, [] { return !g_tap.waiting; });
            ms.push_back(g_tap.waiting ? kMaxLoopMs : g_tap.latency_ms);
            g_tap.waiting = false;
            gui_loop(100, [] { return false; });
        }
        std::sort(ms.begin(), ms.end());
        std::fprintf(out,
                     "tap latency with a FIFO at the art path, image cache %u bytes: median %.1f ms, max %.1f ms\n",
                     (unsigned)cache_size, ms[ms.size() / 2], ms.back());
        fs::remove("artwork.jpg");
    }

    std::ifstream loadavg("/proc/loadavg");
    std::string load;
    std::getline(loadavg, load);
    std::fprintf(out, "machine: %u hardware threads, load average %s\n", std::thread::hardware_concurrency(),
                 load.c_str());

    lv_deinit();
    return 0;
}
