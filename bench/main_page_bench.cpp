// Drawing the main page: the interface's page framework with the real main
// page (font, background picture, icons) on a 640 x 480 memory display.
// Prints the median and 90th percentile microseconds of
//   - one full frame of the home page (everything invalidated), and
//   - one step of a pager swipe (the pager moved by 65 px, as a finger moves
//     it per read, then the frame redrawn),
// the time the page framework takes to start (fonts, the whole tree), and
// the cost of an idle run of the GUI timers with the page's own timers.
// Run from anywhere; it works in a temporary directory. The page's own log
// is thrown away; the figures go to standard output.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "lvgl.h"
#include "ui/ui_data_update.h"
#include "user/ui_page/ui_page_main.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
constexpr int kFrames = 200;
constexpr int kWarmup = 10;
constexpr int32_t kSwipeStep = 65;
constexpr int32_t kSwipeSpan = 640;
constexpr int kIdleCalls = 100000;

uint32_t tick_ms()
{
    static const Clock::time_point start = Clock::now();
    return (uint32_t)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

void flush(lv_display_t *disp, const lv_area_t *, uint8_t *)
{
    lv_display_flush_ready(disp);
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

template <typename F> std::vector<double> time_frames(F &&before_each)
{
    std::vector<double> us;
    lv_display_t *disp = lv_display_get_default();
    for (int i = 0; i < kWarmup + kFrames; i++) {
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
    // The figures go to the original standard output, the page's log nowhere.
    fflush(stdout);
    FILE *out = fdopen(dup(STDOUT_FILENO), "w");
    const int null_fd = open("/dev/null", O_WRONLY);
    if (out == nullptr || null_fd < 0 || dup2(null_fd, STDOUT_FILENO) < 0) {
        std::perror("redirecting the log");
        return 1;
    }
    close(null_fd);

    char tmpl[] = "/tmp/quorvex-page-bench-XXXXXX";
    if (!mkdtemp(tmpl)) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path dir = tmpl;
    const fs::path old_cwd = fs::current_path();
    fs::copy_file(BENCH_FONT, dir / "HarmonyOS_Sans_SC_Medium.ttf");
    fs::copy_file(BENCH_BACKGROUND, dir / "background_image_8.png");
    fs::current_path(dir);

    lv_init();
    lv_tick_set_cb(tick_ms);
    lv_display_t *disp = lv_display_create(kWidth, kHeight);
    std::vector<uint8_t> frame((size_t)kWidth * kHeight * 4);
    lv_display_set_buffers(disp, frame.data(), nullptr, (uint32_t)frame.size(), LV_DISPLAY_RENDER_MODE_DIRECT);
    lv_display_set_flush_cb(disp, flush);
    const Clock::time_point build_start = Clock::now();
    ui_user_init();
    const double build_ms = std::chrono::duration<double, std::milli>(Clock::now() - build_start).count();
    std::fprintf(out, "start-up of the page framework and the main page (fonts, tree): %.1f ms\n", build_ms);
    lv_obj_t *pager = lv_ui_page_main.pager;

    const Figures home = figures(time_frames([&](int) { lv_obj_invalidate(lv_screen_active()); }));
    std::fprintf(out, "home page, full frame: median %.0f us, p90 %.0f us\n", home.median, home.p90);

    // Back and forth across the first page boundary, one finger step a frame.
    int32_t direction = 1;
    const Figures swipe = figures(time_frames([&](int) {
        const int32_t x = lv_obj_get_scroll_x(pager);
        if (x + direction * kSwipeStep > kSwipeSpan || x + direction * kSwipeStep < 0) direction = -direction;
        lv_obj_scroll_by(pager, -direction * kSwipeStep, 0, LV_ANIM_OFF);
    }));
    std::fprintf(out, "pager swipe step (%d px): median %.0f us, p90 %.0f us\n", kSwipeStep, swipe.median, swipe.p90);

    lv_obj_scroll_to_x(pager, 0, LV_ANIM_OFF);
    lv_refr_now(disp);
    const Clock::time_point t0 = Clock::now();
    for (int i = 0; i < kIdleCalls; i++) lv_timer_handler();
    const double idle_us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / kIdleCalls;
    std::fprintf(out, "idle lv_timer_handler: %.2f us a call\n", idle_us);

    lv_deinit();
    fs::current_path(old_cwd);
    fs::remove_all(dir);
    std::fclose(out);
    return 0;
}
