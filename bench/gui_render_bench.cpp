// GUI render benchmark: a representative 640 x 480 scene (full-screen
// background, 20 tiles of 102 x 102 ARGB8888 images with captions, a 48 px
// and a 24 px label), fully invalidated and rendered every frame.
// Prints the median and 90th percentile microseconds per frame and the cost
// of an idle lv_timer_handler call. Public API only.
// `gui_render_bench out.png` also saves the rendered frame for a look.
#include "lvgl.h"

#include <png.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int32_t kHor = 640;
constexpr int32_t kVer = 480;
constexpr int32_t kTile = 102;
constexpr int kColumns = 5;
constexpr int kRows = 4;
constexpr int kFrames = 400;
constexpr int kWarmup = 20;
constexpr int kIdleBatches = 200;
constexpr int kIdleCallsPerBatch = 5000;

using Clock = std::chrono::steady_clock;

uint32_t tick_ms() {
    static const Clock::time_point start = Clock::now();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

void flush(lv_display_t* disp, const lv_area_t*, uint8_t*) { lv_display_flush_ready(disp); }

// A rounded tile with a soft diagonal gradient; transparent corners so the
// renderer has to blend.
std::vector<uint8_t> tile_pixels(uint32_t hue) {
    std::vector<uint8_t> px(static_cast<size_t>(kTile) * kTile * 4);
    const lv_color_t base = lv_color_hsv_to_rgb(static_cast<uint16_t>(hue % 360), 70, 90);
    constexpr int kRadius = 14;
    for (int y = 0; y < kTile; y++) {
        for (int x = 0; x < kTile; x++) {
            uint8_t* p = &px[(static_cast<size_t>(y) * kTile + x) * 4];
            const int dx = std::max({kRadius - x, x - (kTile - 1 - kRadius), 0});
            const int dy = std::max({kRadius - y, y - (kTile - 1 - kRadius), 0});
            const int d2 = dx * dx + dy * dy;
            const bool inside = d2 <= kRadius * kRadius;
            const lv_color_t c = lv_color_darken(base, static_cast<lv_opa_t>((x + y) / 2));
            p[0] = c.blue;
            p[1] = c.green;
            p[2] = c.red;
            p[3] = inside ? 255 : 0;
        }
    }
    return px;
}

// The frame buffer holds XRGB8888 (B, G, R, unused): store it as opaque RGB.
bool save_png(const char* path, const std::vector<uint8_t>& bgrx) {
    std::vector<uint8_t> bgra = bgrx;
    for (size_t i = 3; i < bgra.size(); i += 4) bgra[i] = 0xFF;
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    img.width = kHor;
    img.height = kVer;
    img.format = PNG_FORMAT_BGRA;
    return png_image_write_to_file(&img, path, 0, bgra.data(), kHor * 4, nullptr) != 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double percentile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
}

} // namespace

int main(int argc, char** argv) {
    lv_init();
    lv_tick_set_cb(tick_ms);
    lv_display_t* disp = lv_display_create(kHor, kVer);
    std::vector<uint8_t> buf(static_cast<size_t>(kHor) * kVer * 4);
    lv_display_set_buffers(disp, buf.data(), nullptr, static_cast<uint32_t>(buf.size()), LV_DISPLAY_RENDER_MODE_FULL);
    lv_display_set_flush_cb(disp, flush);

    lv_obj_t* scr = lv_screen_active();
    lv_obj_set_style_bg_color(scr, lv_color_hex(0x1E2430), 0);
    lv_obj_set_style_bg_opa(scr, LV_OPA_COVER, 0);

    std::vector<std::vector<uint8_t>> pixels;
    std::vector<lv_image_dsc_t> dscs(kColumns * kRows);
    pixels.reserve(dscs.size());
    char caption[16];
    for (int i = 0; i < kColumns * kRows; i++) {
        pixels.push_back(tile_pixels(static_cast<uint32_t>(i * 37)));
        lv_image_dsc_t& d = dscs[i];
        d.header.magic = LV_IMAGE_HEADER_MAGIC;
        d.header.cf = LV_COLOR_FORMAT_ARGB8888;
        d.header.w = kTile;
        d.header.h = kTile;
        d.header.stride = kTile * 4;
        d.data_size = static_cast<uint32_t>(pixels.back().size());
        d.data = pixels.back().data();

        const int32_t x = 20 + (i % kColumns) * (kTile + 20);
        const int32_t y = 68 + (i / kColumns) * (kTile + 1);
        lv_obj_t* img = lv_image_create(scr);
        lv_image_set_src(img, &d);
        lv_obj_set_pos(img, x, y);

        lv_obj_t* label = lv_label_create(scr);
        std::snprintf(caption, sizeof(caption), "Station %d", i + 1);
        lv_label_set_text(label, caption);
        lv_obj_set_style_text_color(label, lv_color_white(), 0);
        lv_obj_set_pos(label, x + 8, y + kTile - 22);
    }
    lv_obj_t* title = lv_label_create(scr);
    lv_label_set_text(title, "12:34");
    lv_obj_set_style_text_font(title, &lv_font_montserrat_48, 0);
    lv_obj_set_style_text_color(title, lv_color_white(), 0);
    lv_obj_set_pos(title, 20, 10);
    lv_obj_t* subtitle = lv_label_create(scr);
    lv_label_set_text(subtitle, "Now playing: Radio");
    lv_obj_set_style_text_font(subtitle, &lv_font_montserrat_24, 0);
    lv_obj_set_style_text_color(subtitle, lv_color_hex(0xB0BEC5), 0);
    lv_obj_set_pos(subtitle, 300, 26);

    std::vector<double> frame_us;
    for (int i = 0; i < kWarmup + kFrames; i++) {
        const Clock::time_point t0 = Clock::now();
        lv_obj_invalidate(scr);
        lv_refr_now(disp);
        const double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
        if (i >= kWarmup) frame_us.push_back(us);
    }

    if (argc > 1 && !save_png(argv[1], buf)) std::fprintf(stderr, "cannot write %s\n", argv[1]);

    std::vector<double> idle_ns;
    for (int b = 0; b < kIdleBatches; b++) {
        const Clock::time_point t0 = Clock::now();
        for (int i = 0; i < kIdleCallsPerBatch; i++) lv_timer_handler();
        idle_ns.push_back(std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / kIdleCallsPerBatch);
    }

    std::printf("full 640x480 frame: median %.1f us, p90 %.1f us, min %.1f us (%d frames)\n", median(frame_us),
                percentile(frame_us, 0.9), percentile(frame_us, 0.0), kFrames);
    std::printf("idle lv_timer_handler: median %.1f ns per call\n", median(idle_ns));
    lv_deinit();
    return EXIT_SUCCESS;
}
