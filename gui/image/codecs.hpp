// The individual decoders behind decode() and info().
#pragma once

#include "decoder.hpp"

namespace gui::image {

// False while a source whose failure has been logged is read again: the
// decoders then keep quiet, so a source failing at every frame is logged once.
bool should_log_failure();

// Largest image accepted from a file (each side; header fields are 16 bits).
constexpr uint32_t kMaxSide = 0xFFFF;
constexpr uint64_t kMaxPixels = 16ULL * 1024 * 1024;

bool is_png(const uint8_t * data, size_t size);
bool png_info(const uint8_t * data, size_t size, lv_image_header_t * out);
std::shared_ptr<const DecodedImage> png_decode(const uint8_t * data, size_t size);

bool is_jpeg(const uint8_t * data, size_t size);
bool jpeg_info(const uint8_t * data, size_t size, lv_image_header_t * out);
std::shared_ptr<const DecodedImage> jpeg_decode(const uint8_t * data, size_t size);

// Pixels of a compiled-in descriptor: ARGB8888 is used in place, other
// formats are converted.
std::shared_ptr<const DecodedImage> wrap_descriptor(const lv_image_dsc_t * dsc);

}  // namespace gui::image
