// Keeps a copy of each watched display's screen from its flushes and writes it as PNG.
#include "lvshot.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "panel_image.hpp"

namespace {

constexpr int kBytesPerPixel = 4;

struct Shot {
    int32_t w = 0;
    int32_t h = 0;
    std::vector<uint8_t> bgra;     // the screen as last flushed
    std::vector<uint8_t> own_buf;  // render buffer of displays created here
};

std::map<lv_display_t *, std::unique_ptr<Shot>> & shots()
{
    static std::map<lv_display_t *, std::unique_ptr<Shot>> m;
    return m;
}

Shot * shot_of(lv_display_t * disp)
{
    auto it = shots().find(disp);
    return it != shots().end() ? it->second.get() : nullptr;
}

// Copies the flushed area out of the active draw buffer.
void on_flush(lv_event_t * e)
{
    auto * disp = static_cast<lv_display_t *>(lv_event_get_target(e));
    auto * area = static_cast<const lv_area_t *>(lv_event_get_param(e));
    Shot * shot = shot_of(disp);
    lv_draw_buf_t * buf = lv_display_get_buf_active(disp);
    if (shot == nullptr || area == nullptr || buf == nullptr || buf->data == nullptr) return;
    if (lv_color_format_get_size(lv_display_get_color_format(disp)) != kBytesPerPixel) return;

    int32_t aw = area->x2 - area->x1 + 1;
    bool partial =
        lv_display_get_horizontal_resolution(disp) * kBytesPerPixel != static_cast<int32_t>(buf->header.stride) ||
        static_cast<int32_t>(buf->data_size) < shot->w * shot->h * kBytesPerPixel;
    size_t src_stride = partial ? static_cast<size_t>(aw) * kBytesPerPixel : buf->header.stride;
    for (int32_t y = area->y1; y <= area->y2; y++) {
        if (y < 0 || y >= shot->h) continue;
        const uint8_t * src =
            partial ? buf->data + static_cast<size_t>(y - area->y1) * src_stride
                    : buf->data + static_cast<size_t>(y) * src_stride + static_cast<size_t>(area->x1) * kBytesPerPixel;
        uint8_t * dst = shot->bgra.data() + (static_cast<size_t>(y) * shot->w + area->x1) * kBytesPerPixel;
        std::memcpy(dst, src, static_cast<size_t>(aw) * kBytesPerPixel);
    }
}

void memory_flush(lv_display_t * disp, const lv_area_t *, uint8_t *)
{
    lv_display_flush_ready(disp);
}

void forget(lv_event_t * e)
{
    shots().erase(static_cast<lv_display_t *>(lv_event_get_target(e)));
}

}  // namespace

extern "C" {

int lvshot_attach(lv_display_t * disp)
{
    if (disp == nullptr) return -1;
    if (shot_of(disp) != nullptr) return 0;
    auto shot = std::make_unique<Shot>();
    shot->w = lv_display_get_horizontal_resolution(disp);
    shot->h = lv_display_get_vertical_resolution(disp);
    if (shot->w <= 0 || shot->h <= 0) return -1;
    shot->bgra.assign(static_cast<size_t>(shot->w) * shot->h * kBytesPerPixel, 0);
    shots()[disp] = std::move(shot);
    lv_display_add_event_cb(disp, on_flush, LV_EVENT_FLUSH_START, nullptr);
    lv_display_add_event_cb(disp, forget, LV_EVENT_DELETE, nullptr);
    return 0;
}

lv_display_t * lvshot_display_create(int32_t hor_res, int32_t ver_res)
{
    lv_display_t * disp = lv_display_create(hor_res, ver_res);
    if (disp == nullptr) return nullptr;
    lv_display_set_color_format(disp, LV_COLOR_FORMAT_XRGB8888);
    if (lvshot_attach(disp) != 0) {
        lv_display_delete(disp);
        return nullptr;
    }
    Shot * shot = shot_of(disp);
    shot->own_buf.assign(static_cast<size_t>(hor_res) * ver_res * kBytesPerPixel, 0);
    lv_display_set_buffers(disp, shot->own_buf.data(), nullptr, static_cast<uint32_t>(shot->own_buf.size()),
                           LV_DISPLAY_RENDER_MODE_DIRECT);
    lv_display_set_flush_cb(disp, memory_flush);
    return disp;
}

int lvshot_save(lv_display_t * disp, const char * path)
{
    Shot * shot = shot_of(disp);
    if (shot == nullptr || path == nullptr) return -1;
    lv_obj_invalidate(lv_display_get_layer_bottom(disp));
    lv_obj_invalidate(lv_display_get_screen_active(disp));
    lv_refr_now(disp);
    return panel::write_png(path, panel::from_bgrx(shot->bgra.data(), shot->w, shot->h)) ? 0 : -1;
}

}  // extern "C"
