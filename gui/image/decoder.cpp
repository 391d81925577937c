// Image sources: descriptors, the stdio drive, and PNG/JPEG chosen by signature;
// decoded pictures go through the image cache.
#include "decoder.hpp"

#include "cache.hpp"
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

// Whether a failure of the source being read is logged (see SourceRead).
bool g_log_failures = true;

// One read of a source: its failures are logged only when none was logged
// since it last decoded (or was dropped from the cache), so that a source
// tried at every frame is logged once.
class SourceRead {
public:
    explicit SourceRead(const void * src) : key_(cache::key_of(src)), saved_(g_log_failures)
    {
        g_log_failures = !cache::failure_logged(key_);
    }
    ~SourceRead() { g_log_failures = saved_; }
    SourceRead(const SourceRead &) = delete;
    SourceRead & operator=(const SourceRead &) = delete;

    const cache::Key & key() const { return key_; }
    void failed() const { cache::note_failure(key_); }
    void decoded() const { cache::forget_failure(key_); }

private:
    cache::Key key_;
    bool saved_;
};

// Opens a file of the stdio drive for reading; null (logged) when it is
// missing or no regular file.
gui::fs::File open_source(const char * path)
{
    gui::fs::File f = gui::fs::open(path, LV_FS_MODE_RD);
    if (!f && should_log_failure()) LV_LOG_ERROR("File open failed: %s", path);
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

const lv_image_dsc_t * valid_dsc(const void * src)
{
    const auto * dsc = static_cast<const lv_image_dsc_t *>(src);
    return dsc->header.magic == LV_IMAGE_HEADER_MAGIC && dsc->data != nullptr ? dsc : nullptr;
}

// A JPEG header needs more than a fixed prefix (markers such as EXIF come first).
constexpr size_t kHeadBytes = 64 * 1024;

bool file_info(const char * path, lv_image_header_t * out)
{
    const std::vector<uint8_t> head = read_file_head(path, kHeadBytes);
    if (head.empty()) return false;
    if (is_jpeg(head.data(), head.size()) && g_jpeg_enabled) {
        // The frame header may lie beyond the prefix: read it all.
        const std::vector<uint8_t> all = read_file(path);
        return !all.empty() && jpeg_info(all.data(), all.size(), out);
    }
    return encoded_info(head.data(), head.size(), out);
}

// Files and encoded data are decoded once and kept in the cache; plain
// descriptors are drawn from their own pixels.
std::shared_ptr<const DecodedImage> decode_source(const void * src, const cache::Key & key)
{
    const lv_image_dsc_t * dsc = nullptr;
    if (lv_image_src_get_type(src) == LV_IMAGE_SRC_VARIABLE) {
        dsc = valid_dsc(src);
        if (dsc == nullptr) return nullptr;
        if (!is_encoded_dsc(dsc)) return wrap_descriptor(dsc);
    }
    if (std::shared_ptr<const DecodedImage> kept = cache::find(key)) return kept;
    std::shared_ptr<const DecodedImage> img;
    if (dsc != nullptr) {
        img = decode_encoded(dsc->data, dsc->data_size);
    } else {
        const std::vector<uint8_t> bytes = read_file(static_cast<const char *>(src));
        if (!bytes.empty()) img = decode_encoded(bytes.data(), bytes.size());
    }
    if (img) cache::add(key, img);
    return img;
}

}  // namespace

bool should_log_failure()
{
    return g_log_failures;
}

bool info(const void * src, lv_image_header_t * out)
{
    if (src == nullptr || out == nullptr) return false;
    switch (lv_image_src_get_type(src)) {
    case LV_IMAGE_SRC_VARIABLE: {
        const lv_image_dsc_t * dsc = valid_dsc(src);
        if (dsc == nullptr) return false;
        if (is_encoded_dsc(dsc)) return encoded_info(dsc->data, dsc->data_size, out);
        *out = dsc->header;
        return true;
    }
    case LV_IMAGE_SRC_FILE: {
        const SourceRead read(src);
        if (file_info(static_cast<const char *>(src), out)) return true;
        read.failed();
        return false;
    }
    default: return false;
    }
}

std::shared_ptr<const DecodedImage> decode(const void * src)
{
    const lv_image_src_t type = src == nullptr ? LV_IMAGE_SRC_UNKNOWN : lv_image_src_get_type(src);
    if (type != LV_IMAGE_SRC_VARIABLE && type != LV_IMAGE_SRC_FILE) return nullptr;
    const SourceRead read(src);
    std::shared_ptr<const DecodedImage> img = decode_source(src, read.key());
    if (img) {
        read.decoded();
    } else {
        read.failed();
    }
    return img;
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
