// A compiled bitmap font in the making: glyphs in glyph-id order, character
// maps and class kerning, and its C source.
#pragma once

#include "typeface.hpp"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace fontgen {

struct CharMap {
    uint32_t range_start = 0;
    uint32_t range_length = 0;
    uint16_t glyph_id_start = 0;
    bool sparse = false;
    std::vector<uint16_t> unicode_list;  // sparse maps: code points less range_start
};

// A code point drawn with another code point's outline, turned a quarter
// clockwise (a symbol no face has under its own code point).
struct TurnedGlyph {
    uint32_t code_point;
    uint32_t drawn_from;
};

// A code point whose glyph is stretched onto a given box.
struct FittedGlyph {
    uint32_t code_point;
    GlyphBox box;
};

struct FontRecipe {
    std::string name;    // the lv_font_t's name
    int pixel_size = 0;  // em size the faces are rendered at
    int bpp = 4;
    bool large_glyph_dsc = false;
    int line_height = 0;
    int base_line = 0;
    int underline_position = 0;
    int underline_thickness = 0;
    // Each inner list is one character map, in glyph-id order: a list of
    // consecutive code points becomes a dense map, any other a sparse one.
    std::vector<std::vector<uint32_t>> maps;
    // Code points that advance exactly this much (1/16 pixel; 0: the face's
    // own advance), their box centred on the new advance and never kerned.
    std::vector<TurnedGlyph> turned;
    std::vector<FittedGlyph> fitted;
    int fixed_adv16 = 0;
    bool (*has_fixed_advance)(uint32_t code_point) = nullptr;
};

struct ClassKerning {
    std::vector<uint8_t> left;   // class per glyph id
    std::vector<uint8_t> right;  // class per glyph id
    int left_count = 0;
    int right_count = 0;
    std::vector<int8_t> values;  // left_count x right_count, 1/16 pixel
};

struct FontData {
    FontRecipe recipe;
    std::vector<CharMap> cmaps;
    std::vector<Glyph> glyphs;            // index = glyph id; 0 is the empty glyph
    std::vector<uint32_t> glyph_offsets;  // bitmap_index per glyph id
    std::vector<uint8_t> bitmap;          // packed glyph bitmaps, back to back
    ClassKerning kerning;
    std::vector<std::string> sources;  // typeface files the glyphs came from
};

// Renders every code point of `recipe` from the first face that has it; kerning
// is taken only between glyphs of the same face. Throws std::runtime_error
// when no face has a code point.
FontData build_font(const FontRecipe & recipe, const std::vector<const Typeface *> & faces);

// Packs 8-bit coverage into `bpp` bits per pixel, most significant first,
// rows continuous (a row may end mid-byte), padded to a whole byte at the end.
// A level is the coverage's top `bpp` bits, so faint edges may drop to 0.
std::vector<uint8_t> pack_bits(const std::vector<uint8_t> & coverage, int bpp);

// Groups glyphs whose kerning rows (left) or columns (right) are identical;
// `pairs` is n x n, row = left glyph id.
ClassKerning make_class_kerning(const std::vector<int8_t> & pairs, size_t n);

void write_c_source(std::ostream & out, const FontData & font);

}  // namespace fontgen
