// Image sources: descriptors, the stdio drive, and PNG/JPEG chosen by signature.
#include "decoder.hpp"

#include "codecs.hpp"
#include "gui/misc/fs.hpp"

#include <cstdio>
#include <cstring>
#include <string>

namespace gui::image {
namespace {

constexpr long kMaxFileSize = 64L * 1024 * 1024;

bool g_png_enabled = true;
bool g_jpeg_enabled = true;

// Opens a file of the stdio drive for reading; null (logged) when it is
// missing or no regular file.
gui::fs::File open_source(const char * path)
{
    gui::fs::File f = gui::fs::open(path, LV_FS_MODE_RD);
    if (!f) LV_LOG_ERROR("File open failed: %s", path);
    return f;
}

// Read a whole file; empty on any failure.
std::vector<uint8_t> read_file(const char * path)
{
    std::vector<uint8_t> bytes;
    gui::fs::File f = open_source(path);
    if (!f) return bytes;
    if (std::fseek(f.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(f.get());
        if (size > 0 && size <= kMaxFileSize && std::fseek(f.get(), 0, SEEK_SET) == 0) {
            bytes.resize(static_cast<size_t>(size));
            if (std::fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) bytes.clear();
        }
    }
    return bytes;
}

// Only the start of a file, for headers.
std::vector<uint8_t> read_file_head(const char * path, size_t max)
{
    std::vector<uint8_t> bytes;
    gui::fs::File f = open_source(path);
    if (!f) return bytes;
    bytes.resize(max);
    bytes.resize(std::fread(bytes.data(), 1, max, f.get()));
    return bytes;
}

bool encoded_info(const uint8_t * data, size_t size, lv_image_header_t * out)
{
    if (g_png_enabled && is_png(data, size)) return png_info(data, size, out);
    if (g_jpeg_enabled && is_jpeg(data, size)) return jpeg_info(data, size, out);
    return false;
}

std::shared_ptr<const DecodedImage> decode_encoded(const uint8_t * data, size_t size)
{
    if (g_png_enabled && is_png(data, size)) return png_decode(data, size);
    if (g_jpeg_enabled && is_jpeg(data, size)) return jpeg_decode(data, size);
    return nullptr;
}

bool is_encoded_dsc(const lv_image_dsc_t * dsc)
{
    return dsc->header.cf == LV_COLOR_FORMAT_RAW || dsc->header.cf == LV_COLOR_FORMAT_RAW_ALPHA;
}

// A JPEG header needs more than a fixed prefix (markers such as EXIF come first).
constexpr size_t kHeadBytes = 64 * 1024;

}  // namespace

bool info(const void * src, lv_image_header_t * out)
{
    if (src == nullptr || out == nullptr) return false;
    switch (lv_image_src_get_type(src)) {
    case LV_IMAGE_SRC_VARIABLE: {
        const auto * dsc = static_cast<const lv_image_dsc_t *>(src);
        if (dsc->header.magic != LV_IMAGE_HEADER_MAGIC || dsc->data == nullptr) return false;
        if (is_encoded_dsc(dsc)) return encoded_info(dsc->data, dsc->data_size, out);
        *out = dsc->header;
        return true;
    }
    case LV_IMAGE_SRC_FILE: {
        const std::vector<uint8_t> head = read_file_head(static_cast<const char *>(src), kHeadBytes);
        if (head.empty()) return false;
        if (is_jpeg(head.data(), head.size()) && g_jpeg_enabled) {
            // The frame header may lie beyond the prefix: read it all.
            const std::vector<uint8_t> all = read_file(static_cast<const char *>(src));
            return !all.empty() && jpeg_info(all.data(), all.size(), out);
        }
        return encoded_info(head.data(), head.size(), out);
    }
    default: return false;
    }
}

std::shared_ptr<const DecodedImage> decode(const void * src)
{
    if (src == nullptr) return nullptr;
    switch (lv_image_src_get_type(src)) {
    case LV_IMAGE_SRC_VARIABLE: {
        const auto * dsc = static_cast<const lv_image_dsc_t *>(src);
        if (dsc->header.magic != LV_IMAGE_HEADER_MAGIC || dsc->data == nullptr) return nullptr;
        if (is_encoded_dsc(dsc)) return decode_encoded(dsc->data, dsc->data_size);
        return wrap_descriptor(dsc);
    }
    case LV_IMAGE_SRC_FILE: {
        const std::vector<uint8_t> bytes = read_file(static_cast<const char *>(src));
        if (bytes.empty()) return nullptr;
        return decode_encoded(bytes.data(), bytes.size());
    }
    default: return nullptr;
    }
}

}  // namespace gui::image

extern "C" {

lv_image_src_t lv_image_src_get_type(const void * src)
{
    if (src == nullptr) return LV_IMAGE_SRC_UNKNOWN;
    const auto first = *static_cast<const uint8_t *>(src);
    if (first >= 0x20 && first <= 0x7F) return LV_IMAGE_SRC_FILE;
    if (first >= 0x80) return LV_IMAGE_SRC_SYMBOL;
    return LV_IMAGE_SRC_VARIABLE;
}

void lv_libpng_init(void)
{
    gui::image::g_png_enabled = true;
}
void lv_libpng_deinit(void)
{
    gui::image::g_png_enabled = false;
}
void lv_libjpeg_turbo_init(void)
{
    gui::image::g_jpeg_enabled = true;
}
void lv_libjpeg_turbo_deinit(void)
{
    gui::image::g_jpeg_enabled = false;
}

}  // extern "C"
