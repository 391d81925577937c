// Text drawing with any lv_font_t (compiled fonts, FreeType).
#include "raster.hpp"
#include "text.hpp"

namespace gui::draw {
namespace {

using namespace raster;

// Glyph coverage is produced into this A8 buffer.
struct GlyphBuffer {
    std::vector<uint8_t> pixels;
    lv_draw_buf_t buf{};

    lv_draw_buf_t * prepare(uint32_t w, uint32_t h)
    {
        const size_t size = static_cast<size_t>(w) * h;
        if (pixels.size() < size) pixels.resize(size);
        buf = lv_draw_buf_t{};
        buf.header.magic = LV_IMAGE_HEADER_MAGIC;
        buf.header.cf = LV_COLOR_FORMAT_A8;
        buf.header.w = w;
        buf.header.h = h;
        buf.header.stride = w;
        buf.data = pixels.data();
        buf.data_size = static_cast<uint32_t>(size);
        return &buf;
    }
};

// Blend an A8 coverage bitmap placed at (x, y).
void blend_a8(Target & t, int32_t x, int32_t y, const uint8_t * a8, int32_t w, int32_t h, int32_t stride,
              lv_color_t color, lv_opa_t opa)
{
    const lv_area_t box{x, y, x + w - 1, y + h - 1};
    lv_area_t a;
    if (!area::intersect(a, box, t.clip)) return;
    const int32_t n = area::width(a);
    std::vector<uint8_t> & row_v = scratch(6, n);
    for (int32_t yy = a.y1; yy <= a.y2; yy++) {
        const uint8_t * src = a8 + static_cast<size_t>(yy - y) * stride + (a.x1 - x);
        uint8_t * row = row_v.data();
        std::memcpy(row, src, n);
        bool full = false;
        if (!apply_masks(t, yy, a.x1, a.x2, row, full)) continue;
        blend_span(t, pixel_ptr(t, a.x1, yy), n, color, opa, row);
    }
}

void draw_glyph(Target & t, GlyphBuffer & gb, lv_font_glyph_dsc_t & g, int32_t x, int32_t y, lv_color_t color,
                lv_opa_t opa)
{
    if (g.box_w == 0 || g.box_h == 0) return;
    const lv_area_t box{x, y, x + g.box_w - 1, y + g.box_h - 1};
    lv_area_t visible;
    if (!area::intersect(visible, box, t.clip)) return;
    g.req_raw_bitmap = 0;
    const void * bmp = lv_font_get_glyph_bitmap(&g, gb.prepare(g.box_w, g.box_h));
    if (bmp == nullptr) return;
    const auto * db = static_cast<const lv_draw_buf_t *>(bmp);
    if (db->header.cf == LV_COLOR_FORMAT_A8 && db->data != nullptr) {
        const int32_t stride = db->header.stride != 0 ? db->header.stride : g.box_w;
        blend_a8(t, x, y, db->data, g.box_w, g.box_h, stride, color, opa);
    }
    lv_font_glyph_release_draw_data(&g);
}

void draw_decor(Target & t, const lv_font_t * font, const LabelDsc & dsc, int32_t x, int32_t line_top, int32_t w)
{
    if (w <= 0) return;
    const int32_t thickness = std::max<int32_t>(font->underline_thickness, 1);
    const int32_t base = font->line_height - font->base_line;
    if (dsc.decor & kDecorUnderline) {
        const int32_t y = line_top + base - font->underline_position;
        fill_area(t, lv_area_t{x, y, x + w - 1, y + thickness - 1}, dsc.color, dsc.opa);
    }
    if (dsc.decor & kDecorStrikethrough) {
        const int32_t y = line_top + base * 2 / 3 + thickness / 2;
        fill_area(t, lv_area_t{x, y, x + w - 1, y + thickness - 1}, dsc.color, dsc.opa);
    }
}

}  // namespace

void draw_label(Target & t, const lv_area_t & coords, const LabelDsc & dsc)
{
    if (dsc.text == nullptr || dsc.font == nullptr || dsc.opa <= LV_OPA_MIN) return;
    const lv_font_t * font = dsc.font;
    const int32_t max_w = area::width(coords);
    const std::vector<text::Line> lines = text::layout(dsc.text, font, dsc.letter_space, max_w, dsc.flag);
    const int32_t line_h = font->line_height + dsc.line_space;
    const int32_t base = font->line_height - font->base_line;  // baseline below the line top
    thread_local GlyphBuffer gb;
    // One colour command state runs over the lines drawn in this pass, from
    // the first line that reaches the clip area: lines above it are not read.
    const bool recolor = (dsc.flag & LV_TEXT_FLAG_RECOLOR) != 0;
    text::RecolorParser cmd;

    for (size_t li = 0; li < lines.size(); li++) {
        const text::Line & line = lines[li];
        const int32_t top = coords.y1 + dsc.ofs_y + static_cast<int32_t>(li) * line_h;
        if (top > t.clip.y2) break;
        if (top + font->line_height <= t.clip.y1) continue;

        int32_t x = coords.x1 + dsc.ofs_x;
        if (dsc.align == LV_TEXT_ALIGN_CENTER)
            x += (max_w - line.width) / 2;
        else if (dsc.align == LV_TEXT_ALIGN_RIGHT)
            x += max_w - line.width;
        const int32_t line_x = x;

        const char * s = dsc.text + line.start;
        uint32_t i = 0;
        while (i < line.length) {
            const uint32_t c = text::utf8_next(s, &i);
            if (recolor && cmd.is_command(c)) {
                if (cmd.opened()) cmd.set_color_from(s + i);
                continue;
            }
            const lv_color_t color = cmd.active() ? cmd.color() : dsc.color;
            uint32_t j = i;
            const uint32_t next = i < line.length ? text::utf8_next(s, &j) : 0;
            lv_font_glyph_dsc_t g;
            if (!lv_font_get_glyph_dsc(font, &g, c, next)) continue;  // a missing glyph draws nothing
            // Glyphs from a fallback font sit on this font's baseline too.
            const int32_t gy = top + base - g.box_h - g.ofs_y;
            if (x > t.clip.x2) break;
            draw_glyph(t, gb, g, x + g.ofs_x, gy, color, dsc.opa);
            if (g.adv_w > 0) x += g.adv_w + dsc.letter_space;
        }
        if (dsc.decor != kDecorNone) draw_decor(t, font, dsc, line_x, top, line.width);
    }
}

}  // namespace gui::draw
