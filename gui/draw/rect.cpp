// Rectangles: shadow, background, background image, border and outline.
#include "raster.hpp"

#include "text.hpp"

#include "../image/decoder.hpp"

#include <cmath>
#include <list>

namespace gui::draw {
namespace {

using namespace raster;

// A rounded rectangle, optionally with a rounded hole (borders, outlines).
struct Shape {
    lv_area_t outer;
    int32_t r_out;
    bool has_hole = false;
    lv_area_t hole{};
    int32_t r_hole = 0;
};

// Paint one row of `s` over [x1, x2] (clipped, inside the outer box).
void paint_row(Target& t, const Shape& s, int32_t y, int32_t x1, int32_t x2, lv_color_t c, lv_opa_t opa) {
    const int32_t n = x2 - x1 + 1;
    uint8_t* cov = scratch(1, n).data();
    int32_t f = x1, l = x2;
    bool full = rrect_row_full(s.outer, s.r_out, y, x1, x2);
    if (!full) {
        if (!rrect_row(s.outer, s.r_out, y, x1, x2, cov, &f, &l)) return;
    }

    if (s.has_hole && y >= s.hole.y1 && y <= s.hole.y2 && !(x2 < s.hole.x1 || x1 > s.hole.x2)) {
        const int32_t rh = clamp_radius(s.hole, s.r_hole);
        const bool flat = rh == 0 || (y >= s.hole.y1 + rh && y <= s.hole.y2 - rh);
        if (flat) {
            // The hole cuts [hole.x1, hole.x2] out exactly: paint the two sides.
            auto side = [&](int32_t a, int32_t b) {
                a = std::max(a, f);
                b = std::min(b, l);
                if (a > b) return;
                Shape plain{s.outer, s.r_out};
                paint_row(t, plain, y, a, b, c, opa);
            };
            side(x1, s.hole.x1 - 1);
            side(s.hole.x2 + 1, x2);
            return;
        }
        if (full) {
            std::memset(cov, 0xFF, n);
            full = false;
        }
        uint8_t* hole = scratch(2, n).data();
        int32_t hf, hl;
        if (rrect_row(s.hole, rh, y, x1, x2, hole, &hf, &hl)) {
            for (int32_t x = hf; x <= hl; x++) {
                const int32_t i = x - x1;
                cov[i] = static_cast<uint8_t>(div255(cov[i] * (255U - hole[i])));
            }
        }
    }

    const int32_t m = l - f + 1;
    uint8_t* seg = full ? nullptr : cov + (f - x1);
    bool seg_full = full;
    if (!t.masks.empty()) {
        if (seg_full) {
            seg = scratch(3, m).data();
        }
        if (!apply_masks(t, y, f, l, seg, seg_full)) return;
        if (seg_full) seg = nullptr;
    }
    blend_span(pixel_ptr(t, f, y), m, c, opa, seg);
}

void paint_shape(Target& t, const Shape& s, lv_color_t c, lv_opa_t opa) {
    if (opa <= LV_OPA_MIN || empty(s.outer)) return;
    lv_area_t a;
    if (!intersect(a, s.outer, t.clip)) return;
    for (int32_t y = a.y1; y <= a.y2; y++) paint_row(t, s, y, a.x1, a.x2, c, opa);
}

// ---- shadow -------------------------------------------------------------

// Blurred coverage of a rounded rectangle of size w x h, padded by `pad`
// on every side.
struct ShadowMap {
    int32_t w, h, r, sw;
    int32_t pad;
    std::vector<uint8_t> alpha; // (w + 2 pad) x (h + 2 pad)
};

void box_blur(std::vector<uint16_t>& v, int32_t w, int32_t h, int32_t k, bool horizontal) {
    const int32_t len = horizontal ? w : h;
    const int32_t lines = horizontal ? h : w;
    const int32_t step = horizontal ? 1 : w;
    const int32_t line_step = horizontal ? w : 1;
    std::vector<uint32_t> src(len);
    const int32_t before = k / 2;
    for (int32_t line = 0; line < lines; line++) {
        uint16_t* p = v.data() + static_cast<ptrdiff_t>(line) * line_step;
        for (int32_t i = 0; i < len; i++) src[i] = p[i * step];
        // Moving average over [i - before, i - before + k - 1], zero outside.
        uint32_t sum = 0;
        for (int32_t i = -before; i < -before + k; i++)
            if (i >= 0 && i < len) sum += src[i];
        for (int32_t i = 0; i < len; i++) {
            p[i * step] = static_cast<uint16_t>(sum / k);
            const int32_t out = i - before;
            const int32_t in = i - before + k;
            if (out >= 0 && out < len) sum -= src[out];
            if (in >= 0 && in < len) sum += src[in];
        }
    }
}

std::shared_ptr<const ShadowMap> make_shadow(int32_t w, int32_t h, int32_t r, int32_t sw) {
    auto map = std::make_shared<ShadowMap>();
    map->w = w;
    map->h = h;
    map->r = r;
    map->sw = sw;
    map->pad = sw / 2 + 2;
    const int32_t mw = w + 2 * map->pad;
    const int32_t mh = h + 2 * map->pad;
    std::vector<uint16_t> v(static_cast<size_t>(mw) * mh, 0);
    const lv_area_t core{map->pad, map->pad, map->pad + w - 1, map->pad + h - 1};
    std::vector<uint8_t> row(mw);
    for (int32_t y = 0; y < mh; y++) {
        int32_t f, l;
        if (!rrect_row(core, r, y, 0, mw - 1, row.data(), &f, &l)) continue;
        for (int32_t x = f; x <= l; x++) v[static_cast<size_t>(y) * mw + x] = row[x];
    }
    const int32_t k = std::max(1, sw / 2);
    for (int pass = 0; pass < 2; pass++) {
        box_blur(v, mw, mh, k, true);
        box_blur(v, mw, mh, k, false);
    }
    map->alpha.resize(v.size());
    for (size_t i = 0; i < v.size(); i++) map->alpha[i] = static_cast<uint8_t>(std::min<uint16_t>(v[i], 255));
    return map;
}

std::shared_ptr<const ShadowMap> shadow_map(int32_t w, int32_t h, int32_t r, int32_t sw) {
    constexpr size_t kCacheSize = 16;
    thread_local std::list<std::shared_ptr<const ShadowMap>> cache; // most recent first
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        const ShadowMap& m = **it;
        if (m.w == w && m.h == h && m.r == r && m.sw == sw) {
            cache.splice(cache.begin(), cache, it);
            return cache.front();
        }
    }
    cache.push_front(make_shadow(w, h, r, sw));
    if (cache.size() > kCacheSize) cache.pop_back();
    return cache.front();
}

void draw_shadow(Target& t, const lv_area_t& coords, const RectDsc& dsc, int32_t radius) {
    if (dsc.shadow_width <= 0 && dsc.shadow_spread <= 0 && dsc.shadow_ofs_x == 0 && dsc.shadow_ofs_y == 0) return;
    if (dsc.shadow_opa <= LV_OPA_MIN) return;
    lv_area_t core = grow(coords, dsc.shadow_spread);
    lv_area_move(&core, dsc.shadow_ofs_x, dsc.shadow_ofs_y);
    if (empty(core)) return;
    const int32_t r = clamp_radius(core, radius);
    const int32_t sw = std::max(dsc.shadow_width, 0);

    const bool bg_opaque = dsc.bg_opa >= LV_OPA_MAX;
    lv_area_t bg = grow(coords, -1);
    const int32_t bg_r = clamp_radius(bg, radius);

    std::shared_ptr<const ShadowMap> map;
    lv_area_t area = core;
    // Blur maps are kept for screen-sized shapes; anything far larger is drawn sharp.
    constexpr int64_t kMaxBlurPixels = 4LL * 1024 * 1024;
    const int64_t map_pixels = static_cast<int64_t>(width(core) + sw + 4) * (height(core) + sw + 4);
    if (sw > 1 && map_pixels <= kMaxBlurPixels) {
        map = shadow_map(width(core), height(core), r, sw);
        area = grow(core, map->pad);
    }
    lv_area_t a;
    if (!intersect(a, area, t.clip)) return;
    const int32_t n = width(a);
    std::vector<uint8_t>& cov_v = scratch(4, n);
    std::vector<uint8_t>& bg_v = scratch(5, n);
    uint8_t* cov = cov_v.data();
    for (int32_t y = a.y1; y <= a.y2; y++) {
        if (map) {
            const uint8_t* src = map->alpha.data() + static_cast<size_t>(y - area.y1) * width(area) + (a.x1 - area.x1);
            std::memcpy(cov, src, n);
        } else {
            int32_t f, l; // without blur the shadow is the plain shape
            if (!rrect_row(core, r, y, a.x1, a.x2, cov, &f, &l)) continue;
        }
        if (!bg_opaque && !empty(bg)) {
            // Keep the shadow out from under a see-through background.
            int32_t f, l;
            if (rrect_row(bg, bg_r, y, a.x1, a.x2, bg_v.data(), &f, &l)) {
                for (int32_t x = f; x <= l; x++) {
                    const int32_t i = x - a.x1;
                    cov[i] = static_cast<uint8_t>(div255(cov[i] * (255U - bg_v[i])));
                }
            }
        }
        bool full = false;
        if (!apply_masks(t, y, a.x1, a.x2, cov, full)) continue;
        blend_span(pixel_ptr(t, a.x1, y), n, dsc.shadow_color, dsc.shadow_opa, cov);
    }
}

// ---- background image ---------------------------------------------------

void draw_bg_image(Target& t, const lv_area_t& coords, const RectDsc& dsc, int32_t radius) {
    if (dsc.bg_image_src == nullptr || dsc.bg_image_opa <= LV_OPA_MIN) return;
    const lv_image_src_t type = lv_image_src_get_type(dsc.bg_image_src);
    Target clipped = t;
    if (!intersect(clipped.clip, t.clip, coords)) return;
    if (radius > 0) clipped.push_rounded_clip(coords, radius);

    if (type == LV_IMAGE_SRC_SYMBOL) {
        if (dsc.bg_image_symbol_font == nullptr) return;
        LabelDsc label;
        label.text = static_cast<const char*>(dsc.bg_image_src);
        label.font = dsc.bg_image_symbol_font;
        label.color = dsc.bg_image_symbol_color;
        label.opa = dsc.bg_image_opa;
        label.flag = LV_TEXT_FLAG_EXPAND;
        const lv_point_t size = text::text_size(label.text, label.font, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_EXPAND);
        lv_area_t a{0, 0, size.x - 1, size.y - 1};
        lv_area_align(&coords, &a, LV_ALIGN_CENTER, 0, 0);
        draw_label(clipped, a, label);
        return;
    }

    lv_image_header_t header;
    if (!image::info(dsc.bg_image_src, &header) || header.w == 0 || header.h == 0) return;
    lv_area_t a{0, 0, static_cast<int32_t>(header.w) - 1, static_cast<int32_t>(header.h) - 1};
    lv_area_align(&coords, &a, LV_ALIGN_CENTER, 0, 0);
    ImageDsc img;
    img.src = dsc.bg_image_src;
    img.opa = dsc.bg_image_opa;
    img.recolor = dsc.bg_image_recolor;
    img.recolor_opa = dsc.bg_image_recolor_opa;
    img.tiled = dsc.bg_image_tiled;
    draw_image(clipped, a, img);
}

} // namespace

int32_t rect_extra_size(const RectDsc& dsc) {
    int32_t extra = 0;
    if (dsc.shadow_width > 0 || dsc.shadow_spread > 0 || dsc.shadow_ofs_x != 0 || dsc.shadow_ofs_y != 0) {
        extra = dsc.shadow_width / 2 + 1 + std::max(dsc.shadow_spread, 0) +
                std::max(std::abs(dsc.shadow_ofs_x), std::abs(dsc.shadow_ofs_y));
    }
    if (dsc.outline_width > 0) extra = std::max(extra, dsc.outline_width + dsc.outline_pad);
    return extra;
}

void draw_border(Target& t, const lv_area_t& coords, const RectDsc& dsc) {
    const int32_t bw = dsc.border_width;
    if (bw <= 0 || dsc.border_opa <= LV_OPA_MIN || (dsc.border_side & 0x0F) == 0) return;
    Shape s{coords, clamp_radius(coords, dsc.radius)};
    s.has_hole = true;
    s.hole = coords;
    // Sides without a border push the hole out past the edge.
    const int32_t away = s.r_out + bw + 1;
    s.hole.x1 += (dsc.border_side & kBorderSideLeft) ? bw : -away;
    s.hole.x2 -= (dsc.border_side & kBorderSideRight) ? bw : -away;
    s.hole.y1 += (dsc.border_side & kBorderSideTop) ? bw : -away;
    s.hole.y2 -= (dsc.border_side & kBorderSideBottom) ? bw : -away;
    s.r_hole = std::max(s.r_out - bw, 0);
    if (empty(s.hole)) s.has_hole = false;
    paint_shape(t, s, dsc.border_color, dsc.border_opa);
}

void draw_rect(Target& t, const lv_area_t& coords, const RectDsc& dsc) {
    if (empty(coords)) return;
    const int32_t radius = clamp_radius(coords, dsc.radius);

    draw_shadow(t, coords, dsc, radius);

    if (dsc.bg_opa > LV_OPA_MIN) {
        lv_area_t bg = coords;
        // Under a thick opaque rounded border the background stays 1 px inside
        // the bordered sides so no background shows at the anti-aliased corner.
        if (dsc.border_width > 1 && dsc.border_opa >= LV_OPA_MAX && radius > 0) {
            if (dsc.border_side & kBorderSideLeft) bg.x1++;
            if (dsc.border_side & kBorderSideRight) bg.x2--;
            if (dsc.border_side & kBorderSideTop) bg.y1++;
            if (dsc.border_side & kBorderSideBottom) bg.y2--;
        }
        paint_shape(t, Shape{bg, radius}, dsc.bg_color, dsc.bg_opa);
    }

    draw_bg_image(t, coords, dsc, radius);

    if (!dsc.border_post) draw_border(t, coords, dsc);

    if (dsc.outline_width > 0 && dsc.outline_opa > LV_OPA_MIN) {
        const lv_area_t inner = grow(coords, dsc.outline_pad);
        Shape s{grow(inner, dsc.outline_width), radius + dsc.outline_pad + dsc.outline_width};
        s.has_hole = true;
        s.hole = inner;
        s.r_hole = radius + dsc.outline_pad;
        paint_shape(t, s, dsc.outline_color, dsc.outline_opa);
    }
}

} // namespace gui::draw
