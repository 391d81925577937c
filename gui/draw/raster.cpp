// Rounded-rectangle coverage, clip masks and span blending.
#include "raster.hpp"

#include <cmath>
#include <map>
#include <memory>

namespace gui::draw::raster {
namespace {

constexpr size_t kMaxCachedCorners = 32;
constexpr int32_t kMaxTemplateRadius = 512;

void make_corner_row(int32_t r, int32_t i, uint8_t* out) {
    const double rf = r;
    const double dy = rf - (i + 0.5);
    for (int32_t j = 0; j < r; j++) {
        // Distance of the pixel centre from the corner circle's centre.
        const double dx = rf - (j + 0.5);
        const double d = std::sqrt(dx * dx + dy * dy);
        const double cov = std::clamp(rf - d + 0.5, 0.0, 1.0);
        out[j] = static_cast<uint8_t>(std::lround(cov * 255.0));
    }
}

std::vector<uint8_t> make_corner(int32_t r) {
    std::vector<uint8_t> t(static_cast<size_t>(r) * r);
    for (int32_t i = 0; i < r; i++) make_corner_row(r, i, t.data() + static_cast<size_t>(i) * r);
    return t;
}

} // namespace

const uint8_t* corner_row_coverage(int32_t r, int32_t row) {
    if (r <= kMaxTemplateRadius) return corner_template(r) + static_cast<size_t>(row) * r;
    // Very large corners: one row at a time instead of a huge template.
    std::vector<uint8_t>& out = scratch(8, static_cast<size_t>(r));
    make_corner_row(r, row, out.data());
    return out.data();
}

const uint8_t* corner_template(int32_t r) {
    thread_local std::map<int32_t, std::vector<uint8_t>> cache;
    auto it = cache.find(r);
    if (it != cache.end()) return it->second.data();
    if (cache.size() >= kMaxCachedCorners) cache.clear();
    return cache.emplace(r, make_corner(r)).first->second.data();
}

bool rrect_row_full(const lv_area_t& a, int32_t r, int32_t y, int32_t x_from, int32_t x_to) {
    if (y < a.y1 || y > a.y2 || x_from < a.x1 || x_to > a.x2) return false;
    r = clamp_radius(a, r);
    if (r == 0) return true;
    if (y >= a.y1 + r && y <= a.y2 - r) return true;
    return x_from >= a.x1 + r && x_to <= a.x2 - r;
}

bool rrect_row(const lv_area_t& a, int32_t r, int32_t y, int32_t x_from, int32_t x_to, uint8_t* out,
               int32_t* first, int32_t* last) {
    const int32_t n = x_to - x_from + 1;
    if (y < a.y1 || y > a.y2 || x_to < a.x1 || x_from > a.x2) {
        std::memset(out, 0, n);
        return false;
    }
    r = clamp_radius(a, r);
    const int32_t s = std::max(x_from, a.x1);
    const int32_t e = std::min(x_to, a.x2);
    std::memset(out, 0, n);
    std::memset(out + (s - x_from), 0xFF, e - s + 1);
    *first = s;
    *last = e;
    if (r == 0) return true;

    int32_t corner_row = -1; // row of the corner template, -1: not in a corner band
    if (y < a.y1 + r) corner_row = y - a.y1;
    else if (y > a.y2 - r) corner_row = a.y2 - y;
    if (corner_row < 0) return true;

    const uint8_t* row = corner_row_coverage(r, corner_row);
    for (int32_t j = 0; j < r; j++) {
        const int32_t xl = a.x1 + j;
        const int32_t xr = a.x2 - j;
        if (xl >= s && xl <= e) out[xl - x_from] = row[j];
        if (xr >= s && xr <= e && xr != xl) out[xr - x_from] = row[j];
    }
    // Skip the empty outer part of the corner rows.
    while (*first <= *last && out[*first - x_from] == 0) (*first)++;
    while (*last >= *first && out[*last - x_from] == 0) (*last)--;
    return *first <= *last;
}

std::vector<uint8_t>& scratch(int slot, size_t size) {
    constexpr int kSlots = 9;
    thread_local std::vector<uint8_t> rows[kSlots];
    std::vector<uint8_t>& v = rows[slot % kSlots];
    if (v.size() < size) v.resize(size);
    return v;
}

bool apply_masks(const Target& t, int32_t y, int32_t x1, int32_t x2, uint8_t* cov, bool& cov_full) {
    const int32_t n = x2 - x1 + 1;
    for (const RoundedClip& m : t.masks) {
        if (rrect_row_full(m.area, m.radius, y, x1, x2)) continue;
        std::vector<uint8_t>& mrow = scratch(7, n);
        int32_t f, l;
        if (!rrect_row(m.area, m.radius, y, x1, x2, mrow.data(), &f, &l)) return false;
        if (cov_full) {
            std::memcpy(cov, mrow.data(), n);
            cov_full = false;
        } else {
            for (int32_t i = 0; i < n; i++) cov[i] = static_cast<uint8_t>(div255(cov[i] * mrow[i]));
        }
    }
    return true;
}

void blend_span(uint8_t* dst, int32_t n, lv_color_t c, lv_opa_t opa, const uint8_t* cov) {
    if (opa <= LV_OPA_MIN) return;
    if (cov == nullptr && opa >= LV_OPA_MAX) {
        const uint32_t word = (static_cast<uint32_t>(opa) << 24) | (static_cast<uint32_t>(c.red) << 16) |
                              (static_cast<uint32_t>(c.green) << 8) | c.blue;
        auto* d32 = reinterpret_cast<uint32_t*>(dst);
        std::fill(d32, d32 + n, word);
        return;
    }
    if (cov == nullptr) {
        for (int32_t i = 0; i < n; i++) blend_pixel(dst + i * 4, c, opa);
        return;
    }
    const bool opaque = opa >= LV_OPA_MAX;
    for (int32_t i = 0; i < n; i++) {
        const uint32_t a = opaque ? cov[i] : opa_mix(cov[i], opa);
        blend_pixel(dst + i * 4, c, a);
    }
}

void fill_area(Target& t, const lv_area_t& area, lv_color_t c, lv_opa_t opa) {
    lv_area_t a;
    if (!intersect(a, area, t.clip)) return;
    const int32_t n = width(a);
    std::vector<uint8_t>& cov = scratch(0, n);
    for (int32_t y = a.y1; y <= a.y2; y++) {
        bool full = true;
        if (!apply_masks(t, y, a.x1, a.x2, cov.data(), full)) continue;
        blend_span(pixel_ptr(t, a.x1, y), n, c, opa, full ? nullptr : cov.data());
    }
}

} // namespace gui::draw::raster

namespace gui::draw {

void blend_pixel_over(uint8_t* dst, lv_color_t c, uint32_t a, uint32_t da) {
    const uint32_t out_a = 255 - (((255 - a) * (255 - da)) >> 8);
    const uint32_t ratio = a * 255 / out_a; // weight of the new colour
    dst[0] = mix_channel(c.blue, dst[0], ratio);
    dst[1] = mix_channel(c.green, dst[1], ratio);
    dst[2] = mix_channel(c.red, dst[2], ratio);
    dst[3] = static_cast<uint8_t>(out_a);
}

void blend_pixel_rare(uint8_t* dst, lv_color_t c, uint32_t a) { blend_pixel(dst, c, a); }

void Target::push_rounded_clip(const lv_area_t& area, int32_t radius) { masks.push_back({area, radius}); }

void Target::pop_rounded_clip() {
    if (!masks.empty()) masks.pop_back();
}

Layer::Layer(const lv_area_t& area)
    : area_(area), pixels_(static_cast<size_t>(std::max(width(), 0)) * std::max(height(), 0) * 4, 0) {}

Target Layer::target() {
    Target t;
    t.buf = pixels_.data();
    t.stride = stride();
    t.buf_area = area_;
    t.clip = area_;
    return t;
}

void Layer::fill(lv_color32_t c) {
    uint32_t word;
    std::memcpy(&word, &c, sizeof(word));
    auto* p = reinterpret_cast<uint32_t*>(pixels_.data());
    std::fill(p, p + pixels_.size() / 4, word);
}

} // namespace gui::draw
