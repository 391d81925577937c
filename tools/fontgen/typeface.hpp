// A TrueType face opened through FreeType, rendered at one pixel size.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fontgen {

// One rendered glyph: 8-bit coverage rows of the grid-fitted outline's box.
struct Glyph {
    int adv16 = 0;  // unhinted advance in 1/16 pixel
    int box_w = 0;
    int box_h = 0;
    int ofs_x = 0;                  // box left edge from the pen position
    int ofs_y = 0;                  // box bottom edge above the base line
    std::vector<uint8_t> coverage;  // box_w * box_h bytes, top row first
};

// Where a glyph's box is to sit and how far it advances.
struct GlyphBox {
    int w = 0;
    int h = 0;
    int ofs_x = 0;
    int ofs_y = 0;
    int adv16 = 0;
};

class Typeface {
public:
    // Opens `path` at `pixel_size`; throws std::runtime_error when it cannot.
    Typeface(const std::string & path, int pixel_size);
    ~Typeface();
    Typeface(const Typeface &) = delete;
    Typeface & operator=(const Typeface &) = delete;

    const std::string & path() const { return path_; }
    bool has(uint32_t code_point) const;
    // Renders a code point the face has (see has()). With `quarter_turn` the
    // outline is turned 90 degrees clockwise and centred in a one-em box
    // around the face's mid-line, advancing one em. With `box` the
    // grid-fitted outline is stretched onto that box and advances as it says.
    Glyph render(uint32_t code_point, bool quarter_turn = false, const GlyphBox * box = nullptr) const;
    // Kerning between two code points in 1/16 pixel (0 when none).
    int kerning16(uint32_t left, uint32_t right) const;

private:
    struct Impl;
    void turn_outline() const;
    void fit_outline(const GlyphBox & box) const;
    std::string path_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace fontgen
