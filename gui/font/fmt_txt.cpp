// The compiled bitmap-font engine: character maps, kerning and bitmap conversion.
#include "lvgl.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr uint32_t kTab = '\t';

const lv_font_fmt_txt_dsc_t * fmt_dsc(const lv_font_t * font)
{
    return static_cast<const lv_font_fmt_txt_dsc_t *>(font->dsc);
}

// Glyph id of `letter` in one cmap whose range covers it; 0 when missing.
uint32_t cmap_glyph(const lv_font_fmt_txt_cmap_t & cmap, uint32_t rcp)
{
    switch (cmap.type) {
    case LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY: return cmap.glyph_id_start + rcp;
    case LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL: {
        const auto * ofs = static_cast<const uint8_t *>(cmap.glyph_id_ofs_list);
        if (ofs == nullptr) return 0;
        if (ofs[rcp] == 0 && rcp != 0) return 0;
        return cmap.glyph_id_start + ofs[rcp];
    }
    case LV_FONT_FMT_TXT_CMAP_SPARSE_TINY:
    case LV_FONT_FMT_TXT_CMAP_SPARSE_FULL: {
        if (cmap.unicode_list == nullptr) return 0;
        const uint16_t * end = cmap.unicode_list + cmap.list_length;
        const uint16_t * it = std::lower_bound(cmap.unicode_list, end, rcp);
        if (it == end || *it != rcp) return 0;
        const auto idx = static_cast<uint32_t>(it - cmap.unicode_list);
        if (cmap.type == LV_FONT_FMT_TXT_CMAP_SPARSE_TINY) return cmap.glyph_id_start + idx;
        const auto * ofs = static_cast<const uint16_t *>(cmap.glyph_id_ofs_list);
        return ofs != nullptr ? cmap.glyph_id_start + ofs[idx] : 0;
    }
    }
    return 0;
}

// The first map whose range covers the letter decides; a full FORMAT0 map
// that has a hole there passes the letter on to the next map.
uint32_t glyph_id(const lv_font_fmt_txt_dsc_t * fdsc, uint32_t letter)
{
    if (letter == 0 || fdsc->cmaps == nullptr) return 0;
    for (uint32_t i = 0; i < fdsc->cmap_num; i++) {
        const lv_font_fmt_txt_cmap_t & cmap = fdsc->cmaps[i];
        if (letter < cmap.range_start) continue;
        const uint32_t rcp = letter - cmap.range_start;
        if (rcp >= cmap.range_length) continue;
        const uint32_t id = cmap_glyph(cmap, rcp);
        if (id == 0 && cmap.type == LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL) continue;
        return id;
    }
    return 0;
}

int8_t kern_pair_value(const lv_font_fmt_txt_kern_pair_t * kdsc, uint32_t left, uint32_t right)
{
    if (kdsc->glyph_ids == nullptr || kdsc->values == nullptr) return 0;
    const uint32_t cnt = kdsc->pair_cnt;
    if (kdsc->glyph_ids_size == 0) {
        if (left > UINT8_MAX || right > UINT8_MAX) return 0;
        const auto * ids = static_cast<const uint8_t *>(kdsc->glyph_ids);
        const uint32_t key = (left << 8) | right;
        uint32_t lo = 0, hi = cnt;
        while (lo < hi) {
            const uint32_t mid = (lo + hi) / 2;
            const uint32_t k = (static_cast<uint32_t>(ids[mid * 2]) << 8) | ids[mid * 2 + 1];
            if (k == key) return kdsc->values[mid];
            if (k < key)
                lo = mid + 1;
            else
                hi = mid;
        }
        return 0;
    }
    if (left > UINT16_MAX || right > UINT16_MAX) return 0;
    const auto * ids = static_cast<const uint16_t *>(kdsc->glyph_ids);
    const uint32_t key = (left << 16) | right;
    uint32_t lo = 0, hi = cnt;
    while (lo < hi) {
        const uint32_t mid = (lo + hi) / 2;
        const uint32_t k = (static_cast<uint32_t>(ids[mid * 2]) << 16) | ids[mid * 2 + 1];
        if (k == key) return kdsc->values[mid];
        if (k < key)
            lo = mid + 1;
        else
            hi = mid;
    }
    return 0;
}

int8_t kern_class_value(const lv_font_fmt_txt_kern_classes_t * kdsc, uint32_t left, uint32_t right)
{
    if (kdsc->left_class_mapping == nullptr || kdsc->right_class_mapping == nullptr ||
        kdsc->class_pair_values == nullptr)
        return 0;
    const uint32_t lc = kdsc->left_class_mapping[left];
    const uint32_t rc = kdsc->right_class_mapping[right];
    if (lc == 0 || rc == 0 || lc > kdsc->left_class_cnt || rc > kdsc->right_class_cnt) return 0;
    return kdsc->class_pair_values[(lc - 1) * kdsc->right_class_cnt + (rc - 1)];
}

int32_t kerning(const lv_font_fmt_txt_dsc_t * fdsc, uint32_t left, uint32_t right)
{
    if (fdsc->kern_dsc == nullptr || left == 0 || right == 0) return 0;
    if (fdsc->kern_classes)
        return kern_class_value(static_cast<const lv_font_fmt_txt_kern_classes_t *>(fdsc->kern_dsc), left, right);
    return kern_pair_value(static_cast<const lv_font_fmt_txt_kern_pair_t *>(fdsc->kern_dsc), left, right);
}

uint32_t row_bytes(uint32_t box_w, uint32_t bpp, uint32_t align)
{
    const uint32_t bytes = (box_w * bpp + 7) / 8;
    if (align <= 1) return bytes;
    return (bytes + align - 1) / align * align;
}

// Coverage of one packed value, most significant bits first.
constexpr std::array<uint8_t, 4> kAlpha2 = {0, 85, 170, 255};

uint8_t to_alpha(uint32_t v, uint32_t bpp)
{
    switch (bpp) {
    case 1: return v ? 255 : 0;
    case 2: return kAlpha2[v];
    case 3: return static_cast<uint8_t>(v * 255 / 7);
    case 4: return static_cast<uint8_t>(v * 17);
    default: return static_cast<uint8_t>(v);
    }
}

}  // namespace

extern "C" {

bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t * font, lv_font_glyph_dsc_t * dsc_out, uint32_t unicode_letter,
                                   uint32_t unicode_letter_next)
{
    if (font == nullptr || dsc_out == nullptr || font->dsc == nullptr) return false;
    const lv_font_fmt_txt_dsc_t * fdsc = fmt_dsc(font);
    const bool is_tab = unicode_letter == kTab;
    if (is_tab) unicode_letter = ' ';

    const uint32_t gid = glyph_id(fdsc, unicode_letter);
    if (gid == 0 || fdsc->glyph_dsc == nullptr) return false;

    int32_t kv = 0;
    if (unicode_letter_next != 0 && font->kerning == LV_FONT_KERNING_NORMAL) {
        const uint32_t gid_next = glyph_id(fdsc, unicode_letter_next);
        if (gid_next != 0) kv = (kerning(fdsc, gid, gid_next) * static_cast<int32_t>(fdsc->kern_scale)) >> 4;
    }

    const lv_font_fmt_txt_glyph_dsc_t & g = fdsc->glyph_dsc[gid];
    int32_t adv = static_cast<int32_t>(g.adv_w);
    if (is_tab) adv *= 2;
    adv = (adv + kv + 8) >> 4;

    dsc_out->adv_w = static_cast<uint16_t>(std::max(adv, 0));
    dsc_out->box_w = static_cast<uint16_t>(is_tab ? g.box_w * 2 : g.box_w);
    dsc_out->box_h = g.box_h;
    dsc_out->ofs_x = g.ofs_x;
    dsc_out->ofs_y = g.ofs_y;
    dsc_out->stride = static_cast<uint16_t>(fdsc->stride == 0 ? 0 : row_bytes(dsc_out->box_w, fdsc->bpp, fdsc->stride));
    dsc_out->format = static_cast<lv_font_glyph_format_t>(fdsc->bpp);
    dsc_out->is_placeholder = 0;
    dsc_out->gid.index = gid;
    return true;
}

const void * lv_font_get_bitmap_fmt_txt(lv_font_glyph_dsc_t * g_dsc, lv_draw_buf_t * draw_buf)
{
    if (g_dsc == nullptr || g_dsc->resolved_font == nullptr) return nullptr;
    const lv_font_fmt_txt_dsc_t * fdsc = fmt_dsc(g_dsc->resolved_font);
    const uint32_t gid = g_dsc->gid.index;
    if (fdsc == nullptr || gid == 0 || fdsc->glyph_dsc == nullptr || fdsc->glyph_bitmap == nullptr) return nullptr;
    const lv_font_fmt_txt_glyph_dsc_t & g = fdsc->glyph_dsc[gid];
    if (g.box_w == 0 || g.box_h == 0) return nullptr;

    const uint8_t * src = fdsc->glyph_bitmap + g.bitmap_index;
    if (g_dsc->req_raw_bitmap) return src;
    if (fdsc->bitmap_format != LV_FONT_FMT_TXT_PLAIN || draw_buf == nullptr || draw_buf->data == nullptr)
        return nullptr;

    const uint32_t out_w = g_dsc->box_w;
    const uint32_t out_h = g_dsc->box_h;
    const uint32_t out_stride = draw_buf->header.stride != 0 ? draw_buf->header.stride : out_w;
    if (out_stride < out_w || static_cast<uint64_t>(out_stride) * out_h > draw_buf->data_size) return nullptr;

    const uint32_t bpp = fdsc->bpp;
    if (bpp == 0 || bpp > 8) return nullptr;
    const uint32_t mask = (1U << bpp) - 1;
    const uint32_t src_row_bits = fdsc->stride == 0 ? g.box_w * bpp : row_bytes(g.box_w, bpp, fdsc->stride) * 8;
    const uint32_t copy_w = std::min<uint32_t>(g.box_w, out_w);
    const uint32_t copy_h = std::min<uint32_t>(g.box_h, out_h);

    std::memset(draw_buf->data, 0, static_cast<size_t>(out_stride) * out_h);
    for (uint32_t y = 0; y < copy_h; y++) {
        uint8_t * dst = draw_buf->data + static_cast<size_t>(y) * out_stride;
        uint32_t bit = y * src_row_bits;
        if (bpp == 8) {
            std::memcpy(dst, src + bit / 8, copy_w);
            continue;
        }
        for (uint32_t x = 0; x < copy_w; x++, bit += bpp) {
            // Values of 1, 2 and 4 bits never straddle a byte; 3-bit values may.
            uint32_t word = static_cast<uint32_t>(src[bit >> 3]) << 8;
            const uint32_t in_byte = bit & 7;
            if (in_byte + bpp > 8) word |= src[(bit >> 3) + 1];
            dst[x] = to_alpha((word >> (16 - bpp - in_byte)) & mask, bpp);
        }
    }
    draw_buf->header.magic = LV_IMAGE_HEADER_MAGIC;
    draw_buf->header.cf = LV_COLOR_FORMAT_A8;
    draw_buf->header.w = out_w;
    draw_buf->header.h = out_h;
    draw_buf->header.stride = out_stride;
    return draw_buf;
}

}  // extern "C"
