// Image sources: compiled-in descriptors and files (PNG, JPEG) read through
// the stdio drive. Decoded files and encoded data are kept in the image
// cache while it has room (cache.hpp); headers are always read afresh.
#pragma once

#include "lvgl.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace gui::image {

// Pixels ready for drawing: ARGB8888 with straight alpha (B, G, R, A bytes).
struct DecodedImage {
    int32_t w = 0;
    int32_t h = 0;
    int32_t stride = 0;  // bytes per row
    bool has_alpha = true;
    const uint8_t * data = nullptr;  // points into `storage` or into a descriptor's data
    std::vector<uint8_t> storage;
};

// Decode a source (lv_image_dsc_t* or file path), or take it from the
// cache; nullptr when it cannot be read or decoded (missing file, no
// regular file, damaged data, unsupported format), logged once per source.
std::shared_ptr<const DecodedImage> decode(const void * src);

// The header of a source without decoding the pixels; false as for decode.
bool info(const void * src, lv_image_header_t * out);

}  // namespace gui::image
