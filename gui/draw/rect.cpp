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
    // Backgrounds start their corner coverage at the opacity and multiply the
    // corner in by / 255 (instead of combining the two by >> 8 per pixel).
    bool opa_in_coverage = false;
};

// An opacity with a coverage multiplied in: 253 and more keep it, 2 and less clear it.
inline uint8_t with_coverage(lv_opa_t opa, uint8_t cov)
{
    if (cov >= LV_OPA_MAX) return opa;
    if (cov <= LV_OPA_MIN) return 0;
    return static_cast<uint8_t>(div255(uint32_t{opa} * cov));
}

// Paint one row of `s` over [x1, x2] (clipped, inside the outer box).
void paint_row(Target & t, const Shape & s, int32_t y, int32_t x1, int32_t x2, lv_color_t c, lv_opa_t opa)
{
    const int32_t n = x2 - x1 + 1;
    uint8_t * cov = scratch(1, n).data();
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
        uint8_t * hole = scratch(2, n).data();
        int32_t hf, hl;
        if (rrect_row(s.hole, rh, y, x1, x2, hole, &hf, &hl)) {
            for (int32_t x = hf; x <= hl; x++) {
                const int32_t i = x - x1;
                cov[i] = static_cast<uint8_t>(div255(cov[i] * (255U - hole[i])));
            }
        }
    }

    if (s.opa_in_coverage && !full && opa < LV_OPA_MAX) {
        for (int32_t x = f; x <= l; x++) cov[x - x1] = with_coverage(opa, cov[x - x1]);
        opa = LV_OPA_COVER;
    }
    const int32_t m = l - f + 1;
    uint8_t * seg = full ? nullptr : cov + (f - x1);
    bool seg_full = full;
    if (!t.masks.empty()) {
        if (seg_full) {
            seg = scratch(3, m).data();
        }
        if (!apply_masks(t, y, f, l, seg, seg_full)) return;
        if (seg_full) seg = nullptr;
    }
    blend_span(t, pixel_ptr(t, f, y), m, c, opa, seg);
}

void paint_shape(Target & t, const Shape & s, lv_color_t c, lv_opa_t opa)
{
    if (opa <= LV_OPA_MIN || area::empty(s.outer)) return;
    lv_area_t a;
    if (!area::intersect(a, s.outer, t.clip)) return;
    for (int32_t y = a.y1; y <= a.y2; y++) paint_row(t, s, y, a.x1, a.x2, c, opa);
}

// ---- shadow -------------------------------------------------------------
//
// The shadow is the rounded core shape (the box grown by the spread, moved by
// the offset) blurred over the shadow width. One square buffer of (width +
// radius) px holds the blurred top-right corner; the other corners read it
// mirrored, and the straight sides repeat its innermost row or column, so all
// four sides share one edge profile measured from the core's edge.

constexpr int32_t kShadowUpscaleShift = 6;  // blur sums carry 6 extra bits

struct ShadowCorner {
    int32_t sw, r, core_w, core_h;  // what the buffer depends on
    int32_t size;
    std::vector<uint8_t> cov;  // size x size, row 0 at the top of the drawn box
};

// One separable box blur of length s over a size x size buffer. The window
// reaches s/2 px away from the shape (right, up) and s/2 - [s even] px into it;
// values beyond the buffer's ends repeat the end values.
void blur_pass(std::vector<int32_t> & v, int32_t size, int32_t s)
{
    const int32_t out = s / 2;
    const int32_t in = s / 2 - (s % 2 == 0 ? 1 : 0);
    auto at = [size](int32_t i) { return std::clamp(i, 0, size - 1); };
    std::vector<int32_t> src(static_cast<size_t>(size));
    for (int32_t & x : v) x = (x << kShadowUpscaleShift) / s;
    for (int32_t y = 0; y < size; y++) {
        int32_t * row = v.data() + static_cast<ptrdiff_t>(y) * size;
        std::copy(row, row + size, src.begin());
        int32_t sum = 0;
        for (int32_t k = -in; k <= out; k++) sum += src[static_cast<size_t>(at(k))];
        for (int32_t x = 0; x < size; x++) {
            row[x] = sum / s;
            sum += src[static_cast<size_t>(at(x + out + 1))] - src[static_cast<size_t>(at(x - in))];
        }
    }
    for (int32_t x = 0; x < size; x++) {
        for (int32_t y = 0; y < size; y++) src[static_cast<size_t>(y)] = v[static_cast<size_t>(y) * size + x];
        int32_t sum = 0;
        for (int32_t k = -out; k <= in; k++) sum += src[static_cast<size_t>(at(k))];
        for (int32_t y = 0; y < size; y++) {
            v[static_cast<size_t>(y) * size + x] = sum >> kShadowUpscaleShift;
            sum += src[static_cast<size_t>(at(y + in + 1))] - src[static_cast<size_t>(at(y - out))];
        }
    }
}

// The top-right corner of the shadow of a core_w x core_h core with radius r.
// Column c is box.x2 - size + 1 + c, row 0 the top row of the drawn box.
std::shared_ptr<const ShadowCorner> make_shadow_corner(int32_t sw, int32_t r, int32_t core_w, int32_t core_h)
{
    auto c = std::make_shared<ShadowCorner>();
    c->sw = sw;
    c->r = r;
    c->core_w = core_w;
    c->core_h = core_h;
    const int32_t size = sw + r;
    c->size = size;
    const int32_t reach = sw / 2 + 1;  // from the core's edge to the drawn box's edge
    lv_area_t core;
    core.x2 = size - 1 - reach;
    core.x1 = core.x2 - core_w + 1;
    core.y1 = reach;
    core.y2 = core.y1 + core_h - 1;

    std::vector<int32_t> v(static_cast<size_t>(size) * size, 0);
    std::vector<uint8_t> row(static_cast<size_t>(size));
    for (int32_t y = 0; y < size; y++) {
        int32_t f, l;
        if (!rrect_row(core, r, y, 0, size - 1, row.data(), &f, &l)) continue;
        for (int32_t x = f; x <= l; x++) v[static_cast<size_t>(y) * size + x] = row[static_cast<size_t>(x)];
    }
    // Two passes of half the width each; a shadow of 3 px or less stays sharp.
    const int32_t pass = sw / 2;
    if (pass > 1) {
        blur_pass(v, size, pass);
        blur_pass(v, size, pass + (sw & 1));
    }
    c->cov.resize(v.size());
    for (size_t i = 0; i < v.size(); i++) c->cov[i] = static_cast<uint8_t>(std::clamp(v[i], 0, 255));
    return c;
}

std::shared_ptr<const ShadowCorner> shadow_corner(int32_t sw, int32_t r, int32_t core_w, int32_t core_h)
{
    // A core wider or taller than twice the buffer leaves no trace of its far
    // side in it: such cores share one buffer.
    const int32_t limit = 2 * (sw + r);
    core_w = std::min(core_w, limit);
    core_h = std::min(core_h, limit);
    constexpr size_t kCacheSize = 16;
    thread_local std::list<std::shared_ptr<const ShadowCorner>> cache;  // most recent first
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        const ShadowCorner & c = **it;
        if (c.sw == sw && c.r == r && c.core_w == core_w && c.core_h == core_h) {
            cache.splice(cache.begin(), cache, it);
            return cache.front();
        }
    }
    cache.push_front(make_shadow_corner(sw, r, core_w, core_h));
    if (cache.size() > kCacheSize) cache.pop_back();
    return cache.front();
}

// Row y of the shadow over [x1, x2] (inside the drawn box) into cov.
void shadow_row(const ShadowCorner & c, const lv_area_t & box, int32_t y, int32_t x1, int32_t x2, uint8_t * cov)
{
    const int32_t n = c.size;
    const int32_t w_half = box.x1 + area::width(box) / 2;
    const int32_t h_half = box.y1 + area::height(box) / 2;
    const uint8_t * row = nullptr;  // buffer row for the corner bands, null in between
    if (y <= std::min(box.y1 + n - 1, h_half))
        row = c.cov.data() + static_cast<size_t>(y - box.y1) * n;
    else if (y >= std::max(box.y2 - n + 1, h_half + 1))
        row = c.cov.data() + static_cast<size_t>(box.y2 - y) * n;
    const uint8_t * side = row != nullptr ? row : c.cov.data() + static_cast<size_t>(n - 1) * n;
    const uint8_t middle = row != nullptr ? row[0] : 0xFF;

    const int32_t left_end = std::min(box.x1 + n - 1, w_half - 1);
    const int32_t right_start = std::max(box.x2 - n + 1, w_half);
    int32_t x = x1;
    for (; x <= std::min(x2, left_end); x++) cov[x - x1] = side[n - 1 - (x - box.x1)];
    const int32_t mid_end = std::min(x2, right_start - 1);
    if (x <= mid_end) {
        std::memset(cov + (x - x1), middle, static_cast<size_t>(mid_end - x + 1));
        x = mid_end + 1;
    }
    if (x <= x2) std::memcpy(cov + (x - x1), side + (x - (box.x2 - n + 1)), static_cast<size_t>(x2 - x + 1));
}

// `cover` is the part of the background that will be painted fully opaque
// over the shadow (empty when none is).
void draw_shadow(Target & t, const lv_area_t & coords, const RectDsc & dsc, const lv_area_t & cover)
{
    if (dsc.shadow_width <= 0 || dsc.shadow_opa <= LV_OPA_MIN) return;
    lv_area_t core = area::grow(coords, dsc.shadow_spread);
    lv_area_move(&core, dsc.shadow_ofs_x, dsc.shadow_ofs_y);
    if (area::empty(core)) return;
    const int32_t sw = dsc.shadow_width;
    const int32_t radius = std::max(dsc.radius, 0);
    const int32_t r = std::min(radius, std::min(area::width(core), area::height(core)) / 2);
    const lv_area_t box = area::grow(core, sw / 2 + 1);
    lv_area_t a;
    if (!area::intersect(a, box, t.clip)) return;
    const std::shared_ptr<const ShadowCorner> corner = shadow_corner(sw, r, area::width(core), area::height(core));
    const lv_opa_t opa = dsc.shadow_opa >= LV_OPA_MAX ? static_cast<lv_opa_t>(LV_OPA_COVER) : dsc.shadow_opa;

    // The shadow is kept out from under a see-through background (1 px smaller
    // so that its anti-aliased edge is still backed by the shadow).
    const bool bg_opaque = dsc.bg_opa >= LV_OPA_MAX;
    const lv_area_t bg = area::grow(coords, -1);
    const int32_t bg_r = clamp_radius(bg, radius);
    const bool skip_covered = !area::empty(cover) && t.masks.empty();
    const int32_t cover_r = skip_covered ? clamp_radius(cover, radius) : 0;

    const int32_t n = area::width(a);
    uint8_t * cov = scratch(4, n).data();
    uint8_t * bg_cov = scratch(5, n).data();
    for (int32_t y = a.y1; y <= a.y2; y++) {
        shadow_row(*corner, box, y, a.x1, a.x2, cov);
        if (!bg_opaque && !area::empty(bg)) {
            int32_t f, l;
            if (rrect_row(bg, bg_r, y, a.x1, a.x2, bg_cov, &f, &l)) {
                for (int32_t x = f; x <= l; x++) {
                    const int32_t i = x - a.x1;
                    cov[i] = static_cast<uint8_t>(div255(cov[i] * (255U - bg_cov[i])));
                }
            }
        }
        // The part a fully opaque background will paint over anyway is skipped.
        int32_t skip1 = a.x2 + 1, skip2 = a.x2;
        if (skip_covered && y >= cover.y1 && y <= cover.y2) {
            const bool flat = y >= cover.y1 + cover_r && y <= cover.y2 - cover_r;
            skip1 = std::max(a.x1, flat ? cover.x1 : cover.x1 + cover_r);
            skip2 = std::min(a.x2, flat ? cover.x2 : cover.x2 - cover_r);
        }
        auto blend = [&](int32_t from, int32_t to) {
            if (from > to) return;
            uint8_t * seg = cov + (from - a.x1);
            bool full = false;
            if (!apply_masks(t, y, from, to, seg, full)) return;
            blend_span(t, pixel_ptr(t, from, y), to - from + 1, dsc.shadow_color, opa, seg);
        };
        if (skip1 > skip2) {
            blend(a.x1, a.x2);
        } else {
            blend(a.x1, skip1 - 1);
            blend(skip2 + 1, a.x2);
        }
    }
}

// ---- background image ---------------------------------------------------

void draw_bg_image(Target & t, const lv_area_t & coords, const RectDsc & dsc, int32_t radius)
{
    if (dsc.bg_image_src == nullptr || dsc.bg_image_opa <= LV_OPA_MIN) return;
    const lv_image_src_t type = lv_image_src_get_type(dsc.bg_image_src);
    Target clipped = t;
    if (!area::intersect(clipped.clip, t.clip, coords)) return;
    if (radius > 0) clipped.push_rounded_clip(coords, radius);

    if (type == LV_IMAGE_SRC_SYMBOL) {
        if (dsc.bg_image_symbol_font == nullptr) return;
        LabelDsc label;
        label.text = static_cast<const char *>(dsc.bg_image_src);
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

}  // namespace

int32_t rect_extra_size(const RectDsc & dsc)
{
    int32_t extra = 0;
    if (dsc.shadow_width > 0) {
        extra = dsc.shadow_width / 2 + 1 + std::max(dsc.shadow_spread, 0) +
                std::max(std::abs(dsc.shadow_ofs_x), std::abs(dsc.shadow_ofs_y));
    }
    if (dsc.outline_width > 0) extra = std::max(extra, dsc.outline_width + dsc.outline_pad);
    return extra;
}

void draw_border(Target & t, const lv_area_t & coords, const RectDsc & dsc)
{
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
    if (area::empty(s.hole)) s.has_hole = false;
    paint_shape(t, s, dsc.border_color, dsc.border_opa);
}

void draw_rect(Target & t, const lv_area_t & coords, const RectDsc & dsc)
{
    if (area::empty(coords)) return;
    const int32_t radius = clamp_radius(coords, dsc.radius);

    lv_area_t bg = coords;
    // Under a thick opaque rounded border the background stays 1 px inside
    // the bordered sides so no background shows at the anti-aliased corner.
    if (dsc.border_width > 1 && dsc.border_opa >= LV_OPA_MAX && radius > 0) {
        if (dsc.border_side & kBorderSideLeft) bg.x1++;
        if (dsc.border_side & kBorderSideRight) bg.x2--;
        if (dsc.border_side & kBorderSideTop) bg.y1++;
        if (dsc.border_side & kBorderSideBottom) bg.y2--;
    }
    const lv_area_t nothing{0, 0, -1, -1};
    draw_shadow(t, coords, dsc, dsc.bg_opa == LV_OPA_COVER ? bg : nothing);

    if (dsc.bg_opa > LV_OPA_MIN) {
        Shape shape{bg, radius};
        shape.opa_in_coverage = true;
        paint_shape(t, shape, dsc.bg_color, dsc.bg_opa);
    }

    draw_bg_image(t, coords, dsc, radius);

    if (!dsc.border_post) draw_border(t, coords, dsc);

    if (dsc.outline_width > 0 && dsc.outline_opa > LV_OPA_MIN) {
        const lv_area_t inner = area::grow(coords, dsc.outline_pad);
        Shape s{area::grow(inner, dsc.outline_width), radius + dsc.outline_pad + dsc.outline_width};
        s.has_hole = true;
        s.hole = inner;
        s.r_hole = radius + dsc.outline_pad;
        paint_shape(t, s, dsc.outline_color, dsc.outline_opa);
    }
}

}  // namespace gui::draw
