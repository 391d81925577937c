#include "typeface.hpp"

#include "gpos.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
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

std::vector<uint8_t> load_table(FT_Face face, FT_ULong tag)
{
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face, tag, 0, nullptr, &length) != 0 || length == 0) return {};
    std::vector<uint8_t> table(length);
    if (FT_Load_Sfnt_Table(face, tag, 0, table.data(), &length) != 0) return {};
    return table;
}

// FreeType's light auto-hinter fits heights to the pixel grid and leaves
// widths and advances alone, so kerning stays valid. The glyph box is the
// hinted outline's box rounded out to whole pixels, kept as it is even where
// an edge column catches no ink.
constexpr FT_Int32 kLoadFlags = FT_LOAD_FORCE_AUTOHINT | FT_LOAD_TARGET_LIGHT;

// `units` font units at `pixel_size` pixels per em, in 1/16 pixel rounded to
// nearest (with a 1000-unit em no whole pixel size gives a half).
int to_sixteenths(long units, int pixel_size, int units_per_em)
{
    return static_cast<int>(std::lround(static_cast<double>(units) * pixel_size * 16.0 / units_per_em));
}

}  // namespace

struct Typeface::Impl {
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> lib;
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face;
    std::unique_ptr<GposKerning> gpos;
    int pixel_size = 0;
};

Typeface::Typeface(const std::string & path, int pixel_size) : path_(path), impl_(std::make_unique<Impl>())
{
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

bool Typeface::has(uint32_t code_point) const
{
    return FT_Get_Char_Index(impl_->face.get(), code_point) != 0;
}

void Typeface::turn_outline() const
{
    FT_Face face = impl_->face.get();
    FT_Outline * outline = &face->glyph->outline;
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

void Typeface::fit_outline(const GlyphBox & box) const
{
    FT_Outline * outline = &impl_->face->glyph->outline;
    FT_BBox cbox;
    FT_Outline_Get_CBox(outline, &cbox);
    if (cbox.xMax <= cbox.xMin || cbox.yMax <= cbox.yMin) return;
    // 26.6 pixels; the stretched box stays a hair inside the target so that
    // rounding in the transform cannot reach into another pixel.
    constexpr FT_Pos kPixel = 64;
    constexpr FT_Pos kInside = 1;
    FT_Outline_Translate(outline, -cbox.xMin, -cbox.yMin);
    FT_Matrix stretch{FT_DivFix(box.w * kPixel - kInside, cbox.xMax - cbox.xMin), 0, 0,
                      FT_DivFix(box.h * kPixel - kInside, cbox.yMax - cbox.yMin)};
    FT_Outline_Transform(outline, &stretch);
    FT_Outline_Translate(outline, box.ofs_x * kPixel, box.ofs_y * kPixel);
}

Glyph Typeface::render(uint32_t code_point, bool quarter_turn, const GlyphBox * box) const
{
    FT_Face face = impl_->face.get();
    const std::string what = "U+" + std::to_string(code_point) + " from " + path_;
    const FT_UInt index = FT_Get_Char_Index(face, code_point);
    FT_Fixed advance_units = 0;
    if (index == 0 || FT_Get_Advance(face, index, FT_LOAD_NO_SCALE, &advance_units) != 0 ||
        FT_Load_Glyph(face, index, kLoadFlags) != 0)
        throw std::runtime_error("cannot load " + what);
    if (quarter_turn) turn_outline();
    if (box != nullptr) fit_outline(*box);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) throw std::runtime_error("cannot render " + what);
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap & bm = slot->bitmap;
    Glyph g;
    g.adv16 =
        quarter_turn ? impl_->pixel_size * 16 : to_sixteenths(advance_units, impl_->pixel_size, face->units_per_EM);
    if (box != nullptr) g.adv16 = box->adv16;
    g.box_w = static_cast<int>(bm.width);
    g.box_h = static_cast<int>(bm.rows);
    g.ofs_x = slot->bitmap_left;
    g.ofs_y = slot->bitmap_top - g.box_h;
    g.coverage.resize(static_cast<size_t>(g.box_w) * g.box_h);
    for (int y = 0; y < g.box_h; ++y) {
        const unsigned char * row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
        for (int x = 0; x < g.box_w; ++x) g.coverage[y * g.box_w + x] = row[x];
    }
    return g;
}

int Typeface::kerning16(uint32_t left, uint32_t right) const
{
    FT_Face face = impl_->face.get();
    const FT_UInt l = FT_Get_Char_Index(face, left);
    const FT_UInt r = FT_Get_Char_Index(face, right);
    if (l == 0 || r == 0) return 0;
    const int units = impl_->gpos->pair_value(static_cast<uint16_t>(l), static_cast<uint16_t>(r));
    return to_sixteenths(units, impl_->pixel_size, face->units_per_EM);
}

}  // namespace fontgen
