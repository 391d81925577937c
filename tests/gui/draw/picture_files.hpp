// Test pictures and the image files made from them, for the decoder and
// image-source tests.
#pragma once

#include "image_compare.hpp"

#include <cstdint>
#include <string>

namespace test_support {

// A w x h picture: left half `left`, right half `right` (0xRRGGBB), all at `alpha`.
Image two_colour(int w, int h, uint32_t left, uint32_t right, uint8_t alpha = 255);

// Writes `img` as a JPEG of quality 95; an `orientation` other than 1 adds an
// EXIF block naming it. Fails the test when the file cannot be written.
void write_jpeg(const std::string & path, const Image & img, uint16_t orientation = 1);

}  // namespace test_support
