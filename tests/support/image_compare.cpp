#include "image_compare.hpp"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace test_support {

Image from_bgra(const uint8_t* data, int w, int h, int stride) {
    Image img(w, h);
    for (int y = 0; y < h; y++) std::memcpy(img.px(0, y), data + static_cast<size_t>(y) * stride, static_cast<size_t>(w) * 4);
    return img;
}

bool read_png(const std::string& path, Image& out) {
    png_image png;
    std::memset(&png, 0, sizeof(png));
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_BGRA;
    Image img(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, img.bgra.data(), img.w * 4, nullptr)) {
        png_image_free(&png);
        return false;
    }
    out = std::move(img);
    return true;
}

bool write_png(const std::string& path, const Image& img, bool opaque) {
    Image copy = img;
    if (opaque)
        for (size_t i = 3; i < copy.bgra.size(); i += 4) copy.bgra[i] = 0xFF;
    png_image png;
    std::memset(&png, 0, sizeof(png));
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(img.w);
    png.height = static_cast<png_uint_32>(img.h);
    png.format = PNG_FORMAT_BGRA;
    const std::filesystem::path p(path);
    if (p.has_parent_path()) {
        std::error_code ec;
        std::filesystem::create_directories(p.parent_path(), ec);
    }
    return png_image_write_to_file(&png, path.c_str(), 0, copy.bgra.data(), img.w * 4, nullptr) != 0;
}

namespace {

int pixel_diff(const uint8_t* a, const uint8_t* b, bool ignore_alpha) {
    int d = 0;
    for (int c = 0; c < (ignore_alpha ? 3 : 4); c++) d = std::max(d, std::abs(int{a[c]} - int{b[c]}));
    return d;
}

} // namespace

Difference compare(const Image& a, const Image& b, int tolerance, bool ignore_alpha) {
    Difference d;
    if (a.w != b.w || a.h != b.h) {
        d.size_mismatch = true;
        return d;
    }
    for (int y = 0; y < a.h; y++) {
        for (int x = 0; x < a.w; x++) {
            const int pd = pixel_diff(a.px(x, y), b.px(x, y), ignore_alpha);
            d.max_channel_diff = std::max(d.max_channel_diff, pd);
            if (pd > tolerance) d.pixels_over++;
        }
    }
    return d;
}

Image diff_image(const Image& a, const Image& b, int tolerance, bool ignore_alpha) {
    const int w = std::max(a.w, b.w), h = std::max(a.h, b.h);
    Image out(w, h);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            uint8_t* o = out.px(x, y);
            o[3] = 0xFF;
            const bool in_a = x < a.w && y < a.h, in_b = x < b.w && y < b.h;
            if (!in_a || !in_b || pixel_diff(a.px(x, y), b.px(x, y), ignore_alpha) > tolerance) {
                o[2] = 0xFF; // red
                continue;
            }
            for (int c = 0; c < 3; c++) o[c] = static_cast<uint8_t>(b.px(x, y)[c] / 4 + 96);
        }
    }
    return out;
}

::testing::AssertionResult matches_reference(const Image& actual, const std::string& ref_path,
                                             const std::string& out_dir, const std::string& name, int tolerance,
                                             bool ignore_alpha) {
    const std::string actual_path = out_dir + "/" + name + ".actual.png";
    const char* update = std::getenv("GUI_UPDATE_REFS");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        write_png(ref_path, actual, ignore_alpha);
        return ::testing::AssertionFailure() << "wrote " << ref_path << ": look at it before committing";
    }
    Image ref;
    if (!read_png(ref_path, ref)) {
        write_png(actual_path, actual, ignore_alpha);
        return ::testing::AssertionFailure() << "reference image missing or unreadable: " << ref_path
                                             << " (actual image: " << actual_path << ")";
    }
    const Difference d = compare(actual, ref, tolerance, ignore_alpha);
    if (!d.size_mismatch && d.pixels_over == 0) return ::testing::AssertionSuccess();
    write_png(actual_path, actual, ignore_alpha);
    write_png(out_dir + "/" + name + ".diff.png", diff_image(actual, ref, tolerance, ignore_alpha));
    if (d.size_mismatch) {
        return ::testing::AssertionFailure() << name << ": size " << actual.w << "x" << actual.h << " but reference is "
                                             << ref.w << "x" << ref.h << " (actual: " << actual_path << ")";
    }
    return ::testing::AssertionFailure() << name << ": " << d.pixels_over << " pixels differ by more than "
                                         << tolerance << " (max " << d.max_channel_diff << "); see " << actual_path;
}

} // namespace test_support
