#include "typeface.hpp"

#include "gpos.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H
#include FT_OUTLINE_H

#include <cmath>
#include <stdexcept>

namespace fontgen {

namespace {

struct LibraryDeleter {
    void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

std::vector<uint8_t> load_table(FT_Face face, FT_ULong tag) {
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face, tag, 0, nullptr, &length) != 0 || length == 0) return {};
    std::vector<uint8_t> table(length);
    if (FT_Load_Sfnt_Table(face, tag, 0, table.data(), &length) != 0) return {};
    return table;
}

// Drops fully transparent outer rows and columns so the box is the inked area.
void trim(Glyph& g) {
    auto col_empty = [&](int x) {
        for (int y = 0; y < g.box_h; ++y)
            if (g.coverage[y * g.box_w + x]) return false;
        return true;
    };
    auto row_empty = [&](int y) {
        for (int x = 0; x < g.box_w; ++x)
            if (g.coverage[y * g.box_w + x]) return false;
        return true;
    };
    int left = 0, right = g.box_w, top = 0, bottom = g.box_h;
    while (left < right && col_empty(left)) ++left;
    while (right > left && col_empty(right - 1)) --right;
    while (top < bottom && row_empty(top)) ++top;
    while (bottom > top && row_empty(bottom - 1)) --bottom;
    if (left == right || top == bottom) {
        g.box_w = g.box_h = g.ofs_x = g.ofs_y = 0;
        g.coverage.clear();
        return;
    }
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(right - left) * (bottom - top));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) out.push_back(g.coverage[y * g.box_w + x]);
    g.ofs_x += left;
    g.ofs_y += g.box_h - bottom;
    g.box_w = right - left;
    g.box_h = bottom - top;
    g.coverage = std::move(out);
}

}  // namespace

struct Typeface::Impl {
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> lib;
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face;
    std::unique_ptr<GposKerning> gpos;
    int pixel_size = 0;
};

Typeface::Typeface(const std::string& path, int pixel_size) : path_(path), impl_(std::make_unique<Impl>()) {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("cannot start FreeType");
    impl_->lib.reset(lib);
    FT_Face face = nullptr;
    if (FT_New_Face(lib, path.c_str(), 0, &face) != 0) throw std::runtime_error("cannot open typeface " + path);
    impl_->face.reset(face);
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_size)) != 0)
        throw std::runtime_error("cannot size typeface " + path);
    impl_->pixel_size = pixel_size;
    impl_->gpos = std::make_unique<GposKerning>(load_table(face, TTAG_GPOS));
}

Typeface::~Typeface() = default;

bool Typeface::has(uint32_t code_point) const { return FT_Get_Char_Index(impl_->face.get(), code_point) != 0; }

void Typeface::turn_outline() const {
    FT_Face face = impl_->face.get();
    FT_Outline* outline = &face->glyph->outline;
    FT_Matrix clockwise{0, 0x10000, -0x10000, 0};  // (x, y) -> (y, -x)
    FT_Outline_Transform(outline, &clockwise);
    FT_BBox box;
    FT_Outline_Get_CBox(outline, &box);
    // 26.6 pixels: centre the box in an em square whose middle is the face's
    // mid-line between ascender and descender.
    const FT_Pos em = static_cast<FT_Pos>(impl_->pixel_size) * 64;
    const FT_Pos mid = (face->size->metrics.ascender + face->size->metrics.descender) / 2;
    FT_Outline_Translate(outline, (em - box.xMax - box.xMin) / 2, mid - (box.yMax + box.yMin) / 2);
}

Glyph Typeface::render(uint32_t code_point, bool quarter_turn) const {
    FT_Face face = impl_->face.get();
    const std::string what = "U+" + std::to_string(code_point) + " from " + path_;
    if (FT_Load_Char(face, code_point, FT_LOAD_NO_HINTING | FT_LOAD_TARGET_NORMAL) != 0)
        throw std::runtime_error("cannot load " + what);
    if (quarter_turn) turn_outline();
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) throw std::runtime_error("cannot render " + what);
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    Glyph g;
    // linearHoriAdvance is 16.16 pixels, unhinted: keep 1/16 pixel of it.
    g.adv16 = quarter_turn ? impl_->pixel_size * 16 : static_cast<int>((slot->linearHoriAdvance + 0x800) >> 12);
    g.box_w = static_cast<int>(bm.width);
    g.box_h = static_cast<int>(bm.rows);
    g.ofs_x = slot->bitmap_left;
    g.ofs_y = slot->bitmap_top - g.box_h;
    g.coverage.resize(static_cast<size_t>(g.box_w) * g.box_h);
    for (int y = 0; y < g.box_h; ++y) {
        const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
        for (int x = 0; x < g.box_w; ++x) g.coverage[y * g.box_w + x] = row[x];
    }
    trim(g);
    return g;
}

int Typeface::kerning16(uint32_t left, uint32_t right) const {
    FT_Face face = impl_->face.get();
    const FT_UInt l = FT_Get_Char_Index(face, left);
    const FT_UInt r = FT_Get_Char_Index(face, right);
    if (l == 0 || r == 0) return 0;
    const int units = impl_->gpos->pair_value(static_cast<uint16_t>(l), static_cast<uint16_t>(r));
    if (units == 0) return 0;
    const double scaled = static_cast<double>(units) * impl_->pixel_size * 16.0 / face->units_per_EM;
    return static_cast<int>(std::lround(scaled));
}

}  // namespace fontgen
