// Output forms of the drawn images: the C source of a compiled image, and a
// PNG strip of all of them for a person to look at.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace imagegen {

// An ARGB8888 image descriptor `name` with its pixel array `name`_map.
void write_image_source(std::ostream & out, const std::string & name, int width, int height,
                        const std::vector<uint8_t> & bgra);

struct SheetItem {
    int width;
    int height;
    std::vector<uint8_t> bgra;
};

// An opaque RGB PNG of the picture (alpha is dropped); throws on failure.
void write_png(const std::string & path, int width, int height, const std::vector<uint8_t> & bgra);

// Every item twice, on a dark strip above a light one, each pixel drawn
// `zoom` x `zoom`; throws on failure.
void write_sheet_png(const std::string & path, const std::vector<SheetItem> & items, int zoom);

}  // namespace imagegen
