// PNG reading/writing and tolerant image comparison for rendering tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

// 32-bit pixels in the renderer's byte order: B, G, R, A.
struct Image {
    int w = 0;
    int h = 0;
    std::vector<uint8_t> bgra;

    Image() = default;
    Image(int width, int height) : w(width), h(height), bgra(static_cast<size_t>(width) * height * 4, 0) {}
    uint8_t* px(int x, int y) { return bgra.data() + (static_cast<size_t>(y) * w + x) * 4; }
    const uint8_t* px(int x, int y) const { return bgra.data() + (static_cast<size_t>(y) * w + x) * 4; }
};

// Copy a buffer of 32-bit B, G, R, A pixels (rows `stride` bytes apart).
Image from_bgra(const uint8_t* data, int w, int h, int stride);

bool read_png(const std::string& path, Image& out);
// Written as RGBA; `opaque` stores alpha 255 (for XRGB screen contents).
bool write_png(const std::string& path, const Image& img, bool opaque = false);

struct Difference {
    bool size_mismatch = false;
    int max_channel_diff = 0; // largest difference of one colour channel
    size_t pixels_over = 0;   // pixels with any channel off by more than the tolerance
};

// Compare colour channels (alpha too unless `ignore_alpha`).
Difference compare(const Image& a, const Image& b, int tolerance, bool ignore_alpha = true);

// Red where the images differ beyond the tolerance, a dimmed copy of `b` elsewhere.
Image diff_image(const Image& a, const Image& b, int tolerance, bool ignore_alpha = true);

// Compare `actual` with the reference PNG `ref_path`. On mismatch writes
// `<out_dir>/<name>.actual.png` and `<name>.diff.png`. A missing reference
// fails; with GUI_UPDATE_REFS=1 the actual image is written to `ref_path`
// for a person to look at (the test still fails so it cannot pass unseen).
::testing::AssertionResult matches_reference(const Image& actual, const std::string& ref_path,
                                             const std::string& out_dir, const std::string& name,
                                             int tolerance = 2, bool ignore_alpha = true);

} // namespace test_support
