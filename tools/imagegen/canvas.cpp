#include "canvas.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace imagegen {

namespace {

float coverage_of(const Shape & s, int x, int y)
{
    return std::clamp(0.5f - s(Vec2{x + 0.5f, y + 0.5f}), 0.0f, 1.0f);
}

uint8_t to_byte(float v)
{
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

struct FtLibrary {
    FT_Library lib = nullptr;
    FtLibrary()
    {
        if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("cannot start FreeType");
    }
    ~FtLibrary() { FT_Done_FreeType(lib); }
};

struct FtFace {
    FT_Face face = nullptr;
    FtFace(FT_Library lib, const std::string & path)
    {
        if (FT_New_Face(lib, path.c_str(), 0, &face) != 0) throw std::runtime_error("cannot open typeface " + path);
    }
    ~FtFace() { FT_Done_Face(face); }
};

// Code points of a UTF-8 text (well-formed input assumed: our own labels).
std::vector<uint32_t> decode_utf8(const std::string & s)
{
    std::vector<uint32_t> out;
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        uint32_t cp = len == 1 ? c : c & (0x3F >> (len - 1));
        for (int k = 1; k < len && i + k < s.size(); ++k) cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(cp);
        i += static_cast<size_t>(len);
    }
    return out;
}

}  // namespace

Canvas::Canvas(int width, int height)
    : px_(static_cast<size_t>(width) * height, Colour{0, 0, 0, 0}), w_(width), h_(height)
{
}

void Canvas::blend(int x, int y, Colour c, float coverage)
{
    const float a = c.a * coverage;
    if (a <= 0) return;
    Colour & d = px_[static_cast<size_t>(y) * w_ + x];
    const float out_a = a + d.a * (1 - a);
    if (out_a <= 0) return;
    d.r = (c.r * a + d.r * d.a * (1 - a)) / out_a;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / out_a;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / out_a;
    d.a = out_a;
}

void Canvas::fill(const Shape & s, Colour colour)
{
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) blend(x, y, colour, coverage_of(s, x, y));
}

void Canvas::fill_gradient(const Shape & s, Colour top, Colour bottom, float y0, float y1)
{
    for (int y = 0; y < h_; ++y) {
        const float t = std::clamp((y + 0.5f - y0) / (y1 - y0), 0.0f, 1.0f);
        const Colour c{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t, top.b + (bottom.b - top.b) * t,
                       top.a + (bottom.a - top.a) * t};
        for (int x = 0; x < w_; ++x) blend(x, y, c, coverage_of(s, x, y));
    }
}

void Canvas::erase(const Shape & s)
{
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) px_[static_cast<size_t>(y) * w_ + x].a *= 1 - coverage_of(s, x, y);
}

void Canvas::text(const std::string & font_path, const std::string & utf8, Vec2 centre, float pixel_size, Colour colour,
                  bool knock_out)
{
    FtLibrary lib;
    FtFace face(lib.lib, font_path);
    if (FT_Set_Pixel_Sizes(face.face, 0, static_cast<FT_UInt>(std::lround(pixel_size))) != 0)
        throw std::runtime_error("cannot size typeface " + font_path);
    struct Placed {
        std::vector<uint8_t> cov;
        int w, h, left, top;
        long pen;
    };
    std::vector<Placed> glyphs;
    long pen = 0;
    int ink_top = 1 << 20, ink_bottom = -(1 << 20), ink_left = 1 << 20, ink_right = -(1 << 20);
    for (uint32_t cp : decode_utf8(utf8)) {
        if (FT_Load_Char(face.face, cp, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0)
            throw std::runtime_error("cannot render text from " + font_path);
        const FT_Bitmap & bm = face.face->glyph->bitmap;
        Placed g{{},
                 static_cast<int>(bm.width),
                 static_cast<int>(bm.rows),
                 face.face->glyph->bitmap_left,
                 face.face->glyph->bitmap_top,
                 pen};
        for (int y = 0; y < g.h; ++y)
            for (int x = 0; x < g.w; ++x) g.cov.push_back(bm.buffer[y * bm.pitch + x]);
        ink_left = std::min<int>(ink_left, static_cast<int>(pen >> 6) + g.left);
        ink_right = std::max<int>(ink_right, static_cast<int>(pen >> 6) + g.left + g.w);
        ink_top = std::min(ink_top, -g.top);
        ink_bottom = std::max(ink_bottom, -g.top + g.h);
        pen += face.face->glyph->advance.x;
        glyphs.push_back(std::move(g));
    }
    // Centre the inked area, not the advance box, on `centre`.
    const int ox = static_cast<int>(std::lround(centre.x - (ink_left + ink_right) / 2.0f));
    const int oy = static_cast<int>(std::lround(centre.y - (ink_top + ink_bottom) / 2.0f));
    for (const Placed & g : glyphs) {
        for (int y = 0; y < g.h; ++y) {
            for (int x = 0; x < g.w; ++x) {
                const int px = ox + static_cast<int>(g.pen >> 6) + g.left + x;
                const int py = oy - g.top + y;
                if (px < 0 || py < 0 || px >= w_ || py >= h_) continue;
                const float cov = g.cov[static_cast<size_t>(y) * g.w + x] / 255.0f;
                if (knock_out)
                    px_[static_cast<size_t>(py) * w_ + px].a *= 1 - cov;
                else
                    blend(px, py, colour, cov);
            }
        }
    }
}

std::vector<uint8_t> Canvas::bgra() const
{
    std::vector<uint8_t> out;
    out.reserve(px_.size() * 4);
    for (const Colour & c : px_) {
        const bool clear = to_byte(c.a) == 0;
        // A fully transparent pixel carries no colour: keep it all zero.
        out.push_back(clear ? 0 : to_byte(c.b));
        out.push_back(clear ? 0 : to_byte(c.g));
        out.push_back(clear ? 0 : to_byte(c.r));
        out.push_back(to_byte(c.a));
    }
    return out;
}

}  // namespace imagegen
