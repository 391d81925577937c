// Output on a real DRM/KMS card: atomic mode setting, two dumb buffers shown
// by page flips.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <xf86drmMode.h>

#include "lvgl.h"

namespace gui::drivers {

class DrmCard {
public:
    DrmCard() = default;
    DrmCard(const DrmCard &) = delete;
    DrmCard & operator=(const DrmCard &) = delete;
    ~DrmCard();

    // Opens the card and prepares connector, mode, CRTC, plane and buffers;
    // false (after logging why) when any step fails.
    bool open(const char * path, int64_t connector_id);
    // Gives the display the card's resolution, dpi and buffers.
    void attach(lv_display_t * disp);
    void flush(lv_display_t * disp, const uint8_t * px_map);
    void wait(lv_display_t * disp);

private:
    struct Buffer {
        uint32_t handle = 0;
        uint32_t pitch = 0;
        uint64_t size = 0;
        uint32_t fb_id = 0;
        uint8_t * map = nullptr;
    };
    using PropIds = std::map<std::string, uint32_t>;

    bool pick_connector(drmModeRes * res, int64_t connector_id);
    bool pick_crtc(drmModeRes * res, drmModeConnector * conn);
    bool pick_plane();
    bool create_buffer(Buffer & buf);
    void destroy_buffer(Buffer & buf);
    PropIds props_of(uint32_t obj_id, uint32_t obj_type) const;
    bool commit(const Buffer & buf);
    static void page_flip_handler(int fd, unsigned int seq, unsigned int sec, unsigned int usec, void * user);

    int fd_ = -1;
    uint32_t conn_id_ = 0;
    uint32_t crtc_id_ = 0;
    uint32_t crtc_index_ = 0;
    uint32_t plane_id_ = 0;
    uint32_t mm_width_ = 0;
    drmModeModeInfo mode_{};
    uint32_t mode_blob_ = 0;
    PropIds conn_props_, crtc_props_, plane_props_;
    Buffer bufs_[2];
    bool mode_set_ = false;
    bool flip_pending_ = false;
};

}  // namespace gui::drivers
