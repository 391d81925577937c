// The stand-in for a machine without a display: a 640 x 480 panel whose
// finished frames are published to a file as 32-bit BMP images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lvgl.h"

namespace gui::drivers {

inline constexpr int32_t kPanelWidth = 640;
inline constexpr int32_t kPanelHeight = 480;

// True when `path` should be served by the virtual panel: a regular file, or
// a name that does not exist yet in a writable folder.
bool is_virtual_panel_path(const std::string & path);

// Encodes a 32-bit BMP (bottom-up rows, B,G,R,X pixels) from XRGB8888 rows.
std::vector<uint8_t> encode_bmp(const uint8_t * pixels, int32_t width, int32_t height, int32_t stride);

class VirtualPanel {
public:
    explicit VirtualPanel(std::string path);

    // Takes over the display: panel size, one render buffer in partial mode.
    void attach(lv_display_t * disp);
    void flush(lv_display_t * disp, const lv_area_t * area, const uint8_t * px_map);

private:
    void publish();

    std::string path_;
    std::vector<uint8_t> render_buf_;
    std::vector<uint8_t> frame_;
    bool write_failed_ = false;
};

}  // namespace gui::drivers
