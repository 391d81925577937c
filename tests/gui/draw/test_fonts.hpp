// Small hand-made compiled fonts for the font and text tests.
#pragma once

#include "lvgl.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

namespace draw_test {

struct GlyphSpec {
    uint32_t adv_16;   // advance in 1/16 px
    uint16_t box_w, box_h;
    int16_t ofs_x, ofs_y;
    std::vector<uint8_t> bits; // packed bitmap as stored in the font
};

// A compiled font assembled at run time. Not copyable: the descriptors point
// into its own vectors.
class FontBuilder {
public:
    FontBuilder(int32_t line_height, int32_t base_line, uint8_t bpp) {
        glyphs_.push_back({}); // id 0: no glyph
        dsc_.bpp = bpp;
        dsc_.kern_scale = 16;
        font_.line_height = line_height;
        font_.base_line = base_line;
        font_.get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt;
        font_.get_glyph_bitmap = lv_font_get_bitmap_fmt_txt;
        font_.underline_position = -1;
        font_.underline_thickness = 1;
    }
    FontBuilder(const FontBuilder&) = delete;
    FontBuilder& operator=(const FontBuilder&) = delete;

    // Returns the new glyph's id.
    uint32_t glyph(const GlyphSpec& g) {
        lv_font_fmt_txt_glyph_dsc_t d{};
        d.bitmap_index = static_cast<uint32_t>(bitmap_.size());
        d.adv_w = g.adv_16;
        d.box_w = g.box_w;
        d.box_h = g.box_h;
        d.ofs_x = g.ofs_x;
        d.ofs_y = g.ofs_y;
        bitmap_.insert(bitmap_.end(), g.bits.begin(), g.bits.end());
        glyphs_.push_back(d);
        return static_cast<uint32_t>(glyphs_.size() - 1);
    }

    void cmap_tiny(uint32_t start, uint16_t length, uint16_t first_id) {
        add_cmap(start, length, first_id, {}, {}, {}, LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY);
    }
    void cmap_full(uint32_t start, uint16_t first_id, std::vector<uint8_t> ofs) {
        const auto len = static_cast<uint16_t>(ofs.size());
        add_cmap(start, len, first_id, {}, std::move(ofs), {}, LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL);
    }
    void cmap_sparse_tiny(uint32_t start, uint16_t length, uint16_t first_id, std::vector<uint16_t> list) {
        add_cmap(start, length, first_id, std::move(list), {}, {}, LV_FONT_FMT_TXT_CMAP_SPARSE_TINY);
    }
    void cmap_sparse_full(uint32_t start, uint16_t length, uint16_t first_id, std::vector<uint16_t> list,
                          std::vector<uint16_t> ofs) {
        add_cmap(start, length, first_id, std::move(list), {}, std::move(ofs), LV_FONT_FMT_TXT_CMAP_SPARSE_FULL);
    }

    void kern_pairs8(std::vector<uint8_t> ids, std::vector<int8_t> values) {
        pair_ids8_ = std::move(ids);
        kern_values_ = std::move(values);
        pairs_.glyph_ids = pair_ids8_.data();
        pairs_.values = kern_values_.data();
        pairs_.pair_cnt = static_cast<uint32_t>(kern_values_.size());
        pairs_.glyph_ids_size = 0;
        dsc_.kern_dsc = &pairs_;
        dsc_.kern_classes = 0;
    }
    void kern_pairs16(std::vector<uint16_t> ids, std::vector<int8_t> values) {
        pair_ids16_ = std::move(ids);
        kern_values_ = std::move(values);
        pairs_.glyph_ids = pair_ids16_.data();
        pairs_.values = kern_values_.data();
        pairs_.pair_cnt = static_cast<uint32_t>(kern_values_.size());
        pairs_.glyph_ids_size = 1;
        dsc_.kern_dsc = &pairs_;
        dsc_.kern_classes = 0;
    }
    void kern_classes(std::vector<uint8_t> left, std::vector<uint8_t> right, uint8_t left_cnt, uint8_t right_cnt,
                      std::vector<int8_t> values) {
        left_map_ = std::move(left);
        right_map_ = std::move(right);
        kern_values_ = std::move(values);
        classes_.class_pair_values = kern_values_.data();
        classes_.left_class_mapping = left_map_.data();
        classes_.right_class_mapping = right_map_.data();
        classes_.left_class_cnt = left_cnt;
        classes_.right_class_cnt = right_cnt;
        dsc_.kern_dsc = &classes_;
        dsc_.kern_classes = 1;
    }
    void kern_scale(uint16_t s) { dsc_.kern_scale = s; }
    void row_stride(uint8_t s) { dsc_.stride = s; }

    // Finish (pointers are final) and return the font.
    lv_font_t* font() {
        dsc_.glyph_bitmap = bitmap_.data();
        dsc_.glyph_dsc = glyphs_.data();
        for (size_t i = 0; i < cmaps_.size(); i++) {
            Cmap& c = *cmap_store_[i];
            cmaps_[i].unicode_list = c.list.empty() ? nullptr : c.list.data();
            cmaps_[i].glyph_id_ofs_list = !c.ofs8.empty()    ? static_cast<const void*>(c.ofs8.data())
                                          : !c.ofs16.empty() ? static_cast<const void*>(c.ofs16.data())
                                                             : nullptr;
        }
        dsc_.cmaps = cmaps_.data();
        dsc_.cmap_num = static_cast<uint16_t>(cmaps_.size());
        font_.dsc = &dsc_;
        return &font_;
    }

private:
    struct Cmap {
        std::vector<uint16_t> list;
        std::vector<uint8_t> ofs8;
        std::vector<uint16_t> ofs16;
    };
    void add_cmap(uint32_t start, uint16_t length, uint16_t first_id, std::vector<uint16_t> list,
                  std::vector<uint8_t> ofs8, std::vector<uint16_t> ofs16, lv_font_fmt_txt_cmap_type_t type) {
        auto c = std::make_unique<Cmap>();
        c->list = std::move(list);
        c->ofs8 = std::move(ofs8);
        c->ofs16 = std::move(ofs16);
        lv_font_fmt_txt_cmap_t m{};
        m.range_start = start;
        m.range_length = length;
        m.glyph_id_start = first_id;
        m.list_length = static_cast<uint16_t>(std::max(c->list.size(), std::max(c->ofs8.size(), c->ofs16.size())));
        m.type = type;
        cmaps_.push_back(m);
        cmap_store_.push_back(std::move(c));
    }

    std::vector<lv_font_fmt_txt_glyph_dsc_t> glyphs_;
    std::vector<uint8_t> bitmap_;
    std::vector<lv_font_fmt_txt_cmap_t> cmaps_;
    std::vector<std::unique_ptr<Cmap>> cmap_store_;
    std::vector<uint8_t> pair_ids8_;
    std::vector<uint16_t> pair_ids16_;
    std::vector<int8_t> kern_values_;
    std::vector<uint8_t> left_map_, right_map_;
    lv_font_fmt_txt_kern_pair_t pairs_{};
    lv_font_fmt_txt_kern_classes_t classes_{};
    lv_font_fmt_txt_dsc_t dsc_{};
    lv_font_t font_{};
};

// A fixed-pitch font for layout and text drawing: printable ASCII, every
// glyph advances `adv` px (space included); glyphs are solid 4 bpp blocks
// (adv - 2) x 8 px sitting on the baseline, line height 12, base line 2.
// Lower-case letters are 2 px shorter so words are easy to tell apart.
// U+4E00-U+4E02 stand in for ideographs (same advance, no ink).
inline std::unique_ptr<FontBuilder> make_block_font(int adv = 8) {
    auto fb = std::make_unique<FontBuilder>(12, 2, 4);
    for (uint32_t c = 0x20; c <= 0x7E; c++) {
        GlyphSpec g{static_cast<uint32_t>(adv * 16), 0, 0, 1, 0, {}};
        if (c != ' ') {
            g.box_w = static_cast<uint16_t>(adv - 2);
            g.box_h = static_cast<uint16_t>(c >= 'a' && c <= 'z' ? 6 : 8);
            const size_t bits = static_cast<size_t>(g.box_w) * g.box_h * 4;
            g.bits.assign((bits + 7) / 8, 0xFF);
        }
        fb->glyph(g);
    }
    fb->cmap_tiny(0x20, 0x7E - 0x20 + 1, 1);
    // Three ideographs (U+4E00-U+4E02), as wide as the other glyphs.
    const uint32_t first_cjk = fb->glyph(GlyphSpec{static_cast<uint32_t>(adv * 16), 0, 0, 0, 0, {}});
    fb->glyph(GlyphSpec{static_cast<uint32_t>(adv * 16), 0, 0, 0, 0, {}});
    fb->glyph(GlyphSpec{static_cast<uint32_t>(adv * 16), 0, 0, 0, 0, {}});
    fb->cmap_tiny(0x4E00, 3, static_cast<uint16_t>(first_cjk));
    return fb;
}

} // namespace draw_test
