// RGB pictures for the tools that save what the interface shows: a frame of
// the virtual panel (the BMP file its display driver writes) read in, a
// screen of 32-bit pixels taken over, either written out as PNG, and the few
// measures the tour takes of the panel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace panel {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

struct PanelImage {
    int w = 0;
    int h = 0;
    std::vector<uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel

    bool empty() const { return w == 0; }
    Rgb at(int x, int y) const;
};

// Reads an uncompressed 24- or 32-bit BMP (either row order). False when the
// file is missing, cut short or of another kind.
bool read_bmp(const std::string & path, PanelImage & out);
// The picture of `w` x `h` pixels of 4 bytes (B, G, R, unused), rows packed
// top to bottom.
PanelImage from_bgrx(const uint8_t * bgrx, int w, int h);
// An RGB PNG; false when the file cannot be written.
bool write_png(const std::string & path, const PanelImage & img);

struct Box {
    int x1, y1, x2, y2;  // inclusive
};

// Pixels in the box whose three channels are all at least `level`: text and
// icons drawn in white.
int bright_pixels(const PanelImage & img, const Box & box, int level = 200);
// Largest channel difference between two colours.
int colour_distance(Rgb a, Rgb b);
// Pixels of the box that differ between two images by more than `tolerance`.
int changed_pixels(const PanelImage & a, const PanelImage & b, const Box & box, int tolerance = 24);

}  // namespace panel
