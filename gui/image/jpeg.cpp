// JPEG decoding with libjpeg-turbo, honouring the EXIF orientation.
#include "codecs.hpp"

#include <cstdio>
#include <csetjmp>
#include <cstring>

#include <jpeglib.h>

namespace gui::image {
namespace {

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr uint16_t kOrientationTag = 0x0112;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void on_error(j_common_ptr cinfo)
{
    auto * err = reinterpret_cast<ErrorManager *>(cinfo->err);
    if (should_log_failure()) {
        char msg[JMSG_LENGTH_MAX];
        cinfo->err->format_message(cinfo, msg);
        LV_LOG_WARN("JPEG decoding failed: %s", msg);
    }
    std::longjmp(err->jump, 1);
}

void on_message(j_common_ptr) {}  // corrupt-data warnings: the decoder carries on

uint32_t rd16(const uint8_t * p, bool le)
{
    return le ? (p[0] | (p[1] << 8)) : ((p[0] << 8) | p[1]);
}
uint32_t rd32(const uint8_t * p, bool le)
{
    return le ? (rd16(p, true) | (rd16(p + 2, true) << 16)) : ((rd16(p, false) << 16) | rd16(p + 2, false));
}

// Orientation 1-8 from an EXIF block ("Exif\0\0" + TIFF); 1 when absent.
int exif_orientation(const uint8_t * d, size_t n)
{
    constexpr size_t kTiff = 6;
    if (n < kTiff + 8 || std::memcmp(d, "Exif\0\0", kTiff) != 0) return 1;
    const uint8_t * t = d + kTiff;
    const size_t tn = n - kTiff;
    bool le;
    if (t[0] == 'I' && t[1] == 'I')
        le = true;
    else if (t[0] == 'M' && t[1] == 'M')
        le = false;
    else
        return 1;
    const uint32_t ifd = rd32(t + 4, le);
    if (ifd > tn - 2) return 1;
    const uint32_t count = rd16(t + ifd, le);
    for (uint32_t i = 0; i < count; i++) {
        const size_t e = ifd + 2 + static_cast<size_t>(i) * 12;
        if (e + 12 > tn) return 1;
        if (rd16(t + e, le) == kOrientationTag) {
            const uint32_t v = rd16(t + e + 8, le);
            return v >= 1 && v <= 8 ? static_cast<int>(v) : 1;
        }
    }
    return 1;
}

int orientation_of(j_decompress_ptr cinfo)
{
    for (jpeg_saved_marker_ptr m = cinfo->marker_list; m != nullptr; m = m->next) {
        if (m->marker == kExifMarker) return exif_orientation(m->data, m->data_length);
    }
    return 1;
}

bool swaps_axes(int orientation)
{
    return orientation >= 5;
}

// Everything libjpeg touches lives here so a longjmp skips no destructors.
struct Job {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    int orientation = 1;
};

// Reads the header (and with `pixels` the image rows into it, as BGRA).
// Returns false on any decoding error.
bool run(Job & job, const uint8_t * data, size_t size, std::vector<uint8_t> * pixels)
{
    job.cinfo.err = jpeg_std_error(&job.err.pub);
    job.err.pub.error_exit = on_error;
    job.err.pub.output_message = on_message;
    if (setjmp(job.err.jump)) {
        jpeg_destroy_decompress(&job.cinfo);
        return false;
    }
    jpeg_create_decompress(&job.cinfo);
    jpeg_mem_src(&job.cinfo, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&job.cinfo, kExifMarker, 0xFFFF);
    jpeg_read_header(&job.cinfo, TRUE);
    job.orientation = orientation_of(&job.cinfo);
    const uint64_t w = job.cinfo.image_width, h = job.cinfo.image_height;
    if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide || w * h > kMaxPixels) {
        jpeg_destroy_decompress(&job.cinfo);
        return false;
    }
    if (pixels != nullptr) {
        job.cinfo.out_color_space = JCS_EXT_BGRA;
        jpeg_start_decompress(&job.cinfo);
        const size_t stride = static_cast<size_t>(job.cinfo.output_width) * 4;
        pixels->assign(stride * job.cinfo.output_height, 0xFF);
        while (job.cinfo.output_scanline < job.cinfo.output_height) {
            JSAMPROW row = pixels->data() + stride * job.cinfo.output_scanline;
            jpeg_read_scanlines(&job.cinfo, &row, 1);
        }
        jpeg_finish_decompress(&job.cinfo);
    }
    jpeg_destroy_decompress(&job.cinfo);
    return true;
}

// Turn the stored pixels upright according to the EXIF orientation.
void orient(DecodedImage & img, std::vector<uint8_t> & src, int w, int h, int orientation)
{
    if (orientation == 1) {
        img.storage = std::move(src);
        img.w = w;
        img.h = h;
        return;
    }
    const bool swap = swaps_axes(orientation);
    img.w = swap ? h : w;
    img.h = swap ? w : h;
    img.storage.resize(src.size());
    auto * out = reinterpret_cast<uint32_t *>(img.storage.data());
    const auto * in = reinterpret_cast<const uint32_t *>(src.data());
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            int sx, sy;  // source pixel shown at (x, y)
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                sy = y;
                break;
            case 3:
                sx = w - 1 - x;
                sy = h - 1 - y;
                break;
            case 4:
                sx = x;
                sy = h - 1 - y;
                break;
            case 5:
                sx = y;
                sy = x;
                break;
            case 6:
                sx = y;
                sy = h - 1 - x;
                break;
            case 7:
                sx = w - 1 - y;
                sy = h - 1 - x;
                break;
            default:
                sx = w - 1 - y;
                sy = x;
                break;  // 8
            }
            out[static_cast<size_t>(y) * img.w + x] = in[static_cast<size_t>(sy) * w + sx];
        }
    }
}

}  // namespace

bool is_jpeg(const uint8_t * data, size_t size)
{
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool jpeg_info(const uint8_t * data, size_t size, lv_image_header_t * out)
{
    if (!is_jpeg(data, size)) return false;
    Job job;
    if (!run(job, data, size, nullptr)) return false;
    const bool swap = swaps_axes(job.orientation);
    *out = lv_image_header_t{};
    out->magic = LV_IMAGE_HEADER_MAGIC;
    out->cf = LV_COLOR_FORMAT_RGB888;
    out->w = swap ? job.cinfo.image_height : job.cinfo.image_width;
    out->h = swap ? job.cinfo.image_width : job.cinfo.image_height;
    out->stride = out->w * 3;
    return true;
}

std::shared_ptr<const DecodedImage> jpeg_decode(const uint8_t * data, size_t size)
{
    if (!is_jpeg(data, size)) return nullptr;
    Job job;
    std::vector<uint8_t> pixels;
    if (!run(job, data, size, &pixels)) return nullptr;
    auto img = std::make_shared<DecodedImage>();
    orient(*img, pixels, static_cast<int>(job.cinfo.output_width), static_cast<int>(job.cinfo.output_height),
           job.orientation);
    img->stride = img->w * 4;
    img->data = img->storage.data();
    img->has_alpha = false;
    return img;
}

}  // namespace gui::image
