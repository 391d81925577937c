#include "virtual_panel.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "gui/drivers/printable.hpp"
#include "gui/misc/area.hpp"

namespace gui::drivers {

namespace {

constexpr int32_t kBytesPerPixel = 4;
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint16_t kBmpMagic = 0x4D42;  // "BM"
constexpr uint16_t kBitsPerPixel = 32;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dpi
constexpr uint8_t kOpaque = 0xFF;

void put_u16(std::vector<uint8_t> & out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_u32(std::vector<uint8_t> & out, uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(v >> shift));
    }
}

int32_t area_stride(int32_t width)
{
    const int32_t align = LV_DRAW_BUF_STRIDE_ALIGN;
    const int32_t bytes = width * kBytesPerPixel;
    return (bytes + align - 1) / align * align;
}

std::string folder_of(const std::string & path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool write_all(int fd, const std::vector<uint8_t> & data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool is_virtual_panel_path(const std::string & path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        return S_ISREG(st.st_mode);
    }
    return errno == ENOENT && ::access(folder_of(path).c_str(), W_OK) == 0;
}

std::vector<uint8_t> encode_bmp(const uint8_t * pixels, int32_t width, int32_t height, int32_t stride)
{
    const uint32_t row_bytes = static_cast<uint32_t>(width) * kBytesPerPixel;
    const uint32_t image_size = row_bytes * static_cast<uint32_t>(height);
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<uint8_t> out;
    out.reserve(offset + image_size);

    put_u16(out, kBmpMagic);
    put_u32(out, offset + image_size);
    put_u32(out, 0);  // reserved
    put_u32(out, offset);

    put_u32(out, kInfoHeaderSize);
    put_u32(out, static_cast<uint32_t>(width));
    put_u32(out, static_cast<uint32_t>(height));  // positive: bottom-up rows
    put_u16(out, 1);                              // planes
    put_u16(out, kBitsPerPixel);
    put_u32(out, 0);  // BI_RGB
    put_u32(out, image_size);
    put_u32(out, kPixelsPerMetre);
    put_u32(out, kPixelsPerMetre);
    put_u32(out, 0);  // palette colours
    put_u32(out, 0);  // important colours

    for (int32_t y = height - 1; y >= 0; y--) {
        const uint8_t * row = pixels + static_cast<size_t>(y) * static_cast<size_t>(stride);
        for (int32_t x = 0; x < width; x++) {
            const uint8_t * px = row + x * kBytesPerPixel;
            out.insert(out.end(), {px[0], px[1], px[2], kOpaque});
        }
    }
    return out;
}

VirtualPanel::VirtualPanel(std::string path)
    : path_(std::move(path)), render_buf_(static_cast<size_t>(kPanelWidth) * kPanelHeight * kBytesPerPixel),
      frame_(render_buf_.size())
{
}

void VirtualPanel::attach(lv_display_t * disp)
{
    lv_display_set_resolution(disp, kPanelWidth, kPanelHeight);
    lv_display_set_buffers(disp, render_buf_.data(), nullptr, static_cast<uint32_t>(render_buf_.size()),
                           LV_DISPLAY_RENDER_MODE_PARTIAL);
}

void VirtualPanel::flush(lv_display_t * disp, const lv_area_t * area, const uint8_t * px_map)
{
    const lv_area_t panel{0, 0, kPanelWidth - 1, kPanelHeight - 1};
    lv_area_t visible;
    if (gui::area::intersect(visible, *area, panel)) {
        const int32_t src_stride = area_stride(gui::area::width(*area));
        const int32_t dst_stride = kPanelWidth * kBytesPerPixel;
        const size_t row_bytes = static_cast<size_t>(gui::area::width(visible)) * kBytesPerPixel;
        for (int32_t y = visible.y1; y <= visible.y2; y++) {
            const uint8_t * src = px_map + static_cast<size_t>(y - area->y1) * src_stride +
                                  static_cast<size_t>(visible.x1 - area->x1) * kBytesPerPixel;
            uint8_t * dst =
                frame_.data() + static_cast<size_t>(y) * dst_stride + static_cast<size_t>(visible.x1) * kBytesPerPixel;
            std::memcpy(dst, src, row_bytes);
        }
    }
    if (lv_display_flush_is_last(disp)) {
        publish();
    }
    lv_display_flush_ready(disp);
}

// Written beside the target and renamed over it, so a reader never sees a
// torn frame.
void VirtualPanel::publish()
{
    const std::vector<uint8_t> bmp = encode_bmp(frame_.data(), kPanelWidth, kPanelHeight, kPanelWidth * kBytesPerPixel);
    const std::string tmp = path_ + ".tmp";
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = fd >= 0 && write_all(fd, bmp);
    if (fd >= 0) {
        ok = (::close(fd) == 0) && ok;
    }
    ok = ok && ::rename(tmp.c_str(), path_.c_str()) == 0;
    if (!ok) {
        if (!write_failed_) {
            const int err = errno;
            LV_LOG_ERROR("cannot write the panel image \"%s\": %s", printable(path_).c_str(), std::strerror(err));
        }
        ::unlink(tmp.c_str());
    }
    write_failed_ = !ok;
}

}  // namespace gui::drivers
