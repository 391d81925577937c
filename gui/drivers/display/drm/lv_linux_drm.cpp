// The Linux DRM display: a real card, or the virtual panel file when the path
// names a regular file (or a new file in a writable folder).

#include <dirent.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

#include "drm_card.hpp"
#include "lvgl.h"
#include "virtual_panel.hpp"

namespace {

using gui::drivers::DrmCard;
using gui::drivers::VirtualPanel;

constexpr int32_t kInitialWidth = 800;
constexpr int32_t kInitialHeight = 480;
constexpr const char * kDrmClassDir = "/sys/class/drm";
constexpr uint32_t kMsPerSecond = 1000;
constexpr long kNsPerMs = 1000000;

// Driver state behind the display's driver data; at most one output is set.
struct DrmDriver {
    std::unique_ptr<DrmCard> card;
    std::unique_ptr<VirtualPanel> panel;
};

uint32_t monotonic_ms()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * kMsPerSecond +
                                 static_cast<uint64_t>(ts.tv_nsec / kNsPerMs));
}

DrmDriver * driver_of(lv_display_t * disp)
{
    return static_cast<DrmDriver *>(lv_display_get_driver_data(disp));
}

void flush_cb(lv_display_t * disp, const lv_area_t * area, uint8_t * px_map)
{
    DrmDriver * drv = driver_of(disp);
    if (drv->panel) {
        drv->panel->flush(disp, area, px_map);
    } else if (drv->card) {
        drv->card->flush(disp, px_map);
    } else {
        lv_display_flush_ready(disp);
    }
}

void flush_wait_cb(lv_display_t * disp)
{
    DrmDriver * drv = driver_of(disp);
    if (drv->card) {
        drv->card->wait(disp);
    }
}

void delete_cb(lv_event_t * e)
{
    std::unique_ptr<DrmDriver> drv(static_cast<DrmDriver *>(lv_event_get_user_data(e)));
}

bool card_connected(const std::string & entry)
{
    std::ifstream status(std::string(kDrmClassDir) + "/" + entry + "/status");
    std::string word;
    return status >> word && word == "connected";
}

}  // namespace

extern "C" {

lv_display_t * lv_linux_drm_create(void)
{
    lv_tick_set_cb(monotonic_ms);
    lv_display_t * disp = lv_display_create(kInitialWidth, kInitialHeight);
    if (disp == nullptr) {
        return nullptr;
    }
    DrmDriver * drv = std::make_unique<DrmDriver>().release();  // freed by delete_cb
    lv_display_set_driver_data(disp, drv);
    lv_display_set_flush_cb(disp, flush_cb);
    lv_display_set_flush_wait_cb(disp, flush_wait_cb);
    lv_display_add_event_cb(disp, delete_cb, LV_EVENT_DELETE, drv);
    return disp;
}

void lv_linux_drm_set_file(lv_display_t * disp, const char * file, int64_t connector_id)
{
    DrmDriver * drv = disp != nullptr ? driver_of(disp) : nullptr;
    if (drv == nullptr || file == nullptr) {
        LV_LOG_ERROR("no DRM display or no card path");
        return;
    }
    // The new output is attached before the old one goes, so the display
    // never holds buffers that were freed.
    if (gui::drivers::is_virtual_panel_path(file)) {
        auto panel = std::make_unique<VirtualPanel>(file);
        panel->attach(disp);
        drv->card.reset();
        drv->panel = std::move(panel);
        return;
    }
    auto card = std::make_unique<DrmCard>();
    if (!card->open(file, connector_id)) {
        return;  // keeps its output so far: on the first call none, so it shows nothing
    }
    card->attach(disp);
    drv->panel.reset();
    drv->card = std::move(card);
}

char * lv_linux_drm_find_device_path(void)
{
    DIR * dir = opendir(kDrmClassDir);
    if (dir == nullptr) {
        return nullptr;
    }
    char * path = nullptr;
    while (const dirent * entry = readdir(dir)) {
        unsigned card = 0;
        int consumed = 0;
        if (std::sscanf(entry->d_name, "card%u-%n", &card, &consumed) == 1 && consumed > 0 &&
            card_connected(entry->d_name)) {
            const std::string dev = "/dev/dri/card" + std::to_string(card);
            path = static_cast<char *>(lv_malloc(dev.size() + 1));
            if (path != nullptr) {
                std::memcpy(path, dev.c_str(), dev.size() + 1);
            }
            break;
        }
    }
    closedir(dir);
    return path;
}

void lv_linux_drm_set_mode_cb(lv_display_t * disp, lv_linux_drm_select_mode_cb_t callback)
{
    LV_UNUSED(disp);
    LV_UNUSED(callback);
    LV_LOG_WARN("mode selection is not supported by this driver; the preferred mode is used");
}

int32_t lv_linux_drm_mode_get_horizontal_resolution(const lv_linux_drm_mode_t * mode)
{
    return mode != nullptr ? mode->hdisplay : 0;
}

int32_t lv_linux_drm_mode_get_vertical_resolution(const lv_linux_drm_mode_t * mode)
{
    return mode != nullptr ? mode->vdisplay : 0;
}

int32_t lv_linux_drm_mode_get_refresh_rate(const lv_linux_drm_mode_t * mode)
{
    return mode != nullptr ? static_cast<int32_t>(mode->vrefresh) : 0;
}

bool lv_linux_drm_mode_is_preferred(const lv_linux_drm_mode_t * mode)
{
    return mode != nullptr && (mode->type & DRM_MODE_TYPE_PREFERRED) != 0;
}

}  // extern "C"
