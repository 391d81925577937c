// Images and layers: opacity, recolour, tiling and anti-aliased transforms.
#include "raster.hpp"

#include "../image/decoder.hpp"

#include <cmath>

namespace gui::draw {
namespace {

using namespace raster;

constexpr int32_t kScaleOne = 256;
constexpr int32_t kFixShift = 16;
constexpr int64_t kFixOne = int64_t{1} << kFixShift;

struct Look {
    lv_opa_t opa;
    bool recolor;
    lv_color_t recolor_color;
    lv_opa_t recolor_opa;
};

Look look_of(const ImageDsc& dsc) {
    return {dsc.opa, dsc.recolor_opa > LV_OPA_MIN, dsc.recolor, dsc.recolor_opa};
}

// Blend one straight-alpha source pixel (B, G, R, A) with extra coverage `a`.
inline void blend_src(uint8_t* dst, const uint8_t* s, uint32_t a, const Look& lk) {
    lv_color_t c{s[0], s[1], s[2]};
    if (lk.recolor) c = recolor(c, lk.recolor_color, lk.recolor_opa);
    blend_pixel(dst, c, a);
}

// One row of an untransformed image: n source pixels onto dst.
void blend_image_row(uint8_t* dst, const uint8_t* src, int32_t n, const Look& lk, const uint8_t* cov, bool has_alpha) {
    const bool opaque = lk.opa >= LV_OPA_MAX;
    if (!has_alpha && opaque && cov == nullptr && !lk.recolor) {
        // Opaque fast path: copy, forcing the alpha byte.
        auto* d = reinterpret_cast<uint32_t*>(dst);
        const auto* s = reinterpret_cast<const uint32_t*>(src);
        for (int32_t i = 0; i < n; i++) {
            uint32_t v;
            std::memcpy(&v, s + i, 4);
            d[i] = v | 0xFF000000U;
        }
        return;
    }
    if (opaque && cov == nullptr && !lk.recolor) {
        // Full opacity: opaque pixels are copied, two at a time where both
        // are; only the see-through ones are blended.
        auto one = [dst, src](int32_t i) {
            const uint8_t* s = src + i * 4;
            if (s[3] == 0xFF) std::memcpy(dst + i * 4, s, 4);
            else blend_pixel_rare(dst + i * 4, lv_color_t{s[0], s[1], s[2]}, s[3]);
        };
        constexpr uint64_t kBothOpaque = 0xFF000000FF000000ULL;
        int32_t i = 0;
        for (; i + 1 < n; i += 2) {
            uint64_t pair;
            std::memcpy(&pair, src + i * 4, sizeof(pair));
            if ((pair & kBothOpaque) == kBothOpaque) {
                std::memcpy(dst + i * 4, &pair, sizeof(pair));
            } else {
                one(i);
                one(i + 1);
            }
        }
        if (i < n) one(i);
        return;
    }
    for (int32_t i = 0; i < n; i++) {
        const uint8_t* s = src + i * 4;
        uint32_t a = has_alpha ? s[3] : 255U;
        if (a == 0) continue;
        if (!opaque && cov != nullptr) a = opa_mix(a, lk.opa, cov[i]);
        else if (!opaque) a = opa_mix(a, lk.opa);
        else if (cov != nullptr) a = opa_mix(a, cov[i]);
        if (a <= LV_OPA_MIN) continue;
        if (a >= 255 && !lk.recolor) {
            dst[i * 4] = s[0];
            dst[i * 4 + 1] = s[1];
            dst[i * 4 + 2] = s[2];
            dst[i * 4 + 3] = 0xFF;
            continue;
        }
        blend_src(dst + i * 4, s, a, lk);
    }
}

void draw_plain(Target& t, const lv_area_t& coords, const Pixels& px, const Look& lk) {
    lv_area_t a;
    if (!intersect(a, coords, t.clip)) return;
    const int32_t n = width(a);
    std::vector<uint8_t>& cov_v = scratch(0, n);
    for (int32_t y = a.y1; y <= a.y2; y++) {
        bool full = true;
        if (!apply_masks(t, y, a.x1, a.x2, cov_v.data(), full)) continue;
        const uint8_t* src = px.data + static_cast<size_t>(y - coords.y1) * px.stride + (a.x1 - coords.x1) * 4;
        blend_image_row(pixel_ptr(t, a.x1, y), src, n, lk, full ? nullptr : cov_v.data(), px.has_alpha);
    }
}

// Affine map from destination pixels back to source pixels.
struct Inverse {
    double cos_a, sin_a, sx, sy;
    double px, py; // pivot, screen coordinates
    double lx, ly; // pivot, image coordinates

    void to_src(double x, double y, double& u, double& v) const {
        const double dx = x - px, dy = y - py;
        u = (cos_a * dx + sin_a * dy) / sx + lx;
        v = (-sin_a * dx + cos_a * dy) / sy + ly;
    }
    void to_dst(double u, double v, double& x, double& y) const {
        const double ux = (u - lx) * sx, vy = (v - ly) * sy;
        x = cos_a * ux - sin_a * vy + px;
        y = sin_a * ux + cos_a * vy + py;
    }
};

// Sample straight-alpha BGRA at fixed-point (u, v) pixel-centre coordinates;
// outside the image is transparent so the edges come out anti-aliased.
inline bool sample_bilinear(const Pixels& px, int64_t u, int64_t v, uint8_t out[4]) {
    const int64_t uu = u - kFixOne / 2, vv = v - kFixOne / 2;
    const auto x0 = static_cast<int32_t>(uu >> kFixShift);
    const auto y0 = static_cast<int32_t>(vv >> kFixShift);
    if (x0 < -1 || y0 < -1 || x0 >= px.w || y0 >= px.h) return false;
    const auto fx = static_cast<uint32_t>((uu >> (kFixShift - 8)) & 0xFF);
    const auto fy = static_cast<uint32_t>((vv >> (kFixShift - 8)) & 0xFF);
    const uint32_t w[4] = {(256 - fx) * (256 - fy), fx * (256 - fy), (256 - fx) * fy, fx * fy};
    uint32_t sa = 0, sb = 0, sg = 0, sr = 0;
    for (int k = 0; k < 4; k++) {
        const int32_t x = x0 + (k & 1), y = y0 + (k >> 1);
        if (x < 0 || y < 0 || x >= px.w || y >= px.h || w[k] == 0) continue;
        const uint8_t* p = px.data + static_cast<size_t>(y) * px.stride + x * 4;
        const uint32_t a = px.has_alpha ? p[3] : 255U;
        const uint32_t wa = w[k] * a; // up to 2^24
        sa += wa;
        sb += (wa >> 8) * p[0];
        sg += (wa >> 8) * p[1];
        sr += (wa >> 8) * p[2];
    }
    if (sa == 0) return false;
    const uint32_t norm = sa >> 8;
    out[3] = static_cast<uint8_t>(sa >> 16);
    out[0] = static_cast<uint8_t>(std::min<uint32_t>(sb / std::max<uint32_t>(norm, 1), 255));
    out[1] = static_cast<uint8_t>(std::min<uint32_t>(sg / std::max<uint32_t>(norm, 1), 255));
    out[2] = static_cast<uint8_t>(std::min<uint32_t>(sr / std::max<uint32_t>(norm, 1), 255));
    return out[3] != 0;
}

inline bool sample_nearest(const Pixels& px, int64_t u, int64_t v, uint8_t out[4]) {
    const auto x = static_cast<int32_t>(u >> kFixShift);
    const auto y = static_cast<int32_t>(v >> kFixShift);
    if (x < 0 || y < 0 || x >= px.w || y >= px.h) return false;
    const uint8_t* p = px.data + static_cast<size_t>(y) * px.stride + x * 4;
    std::memcpy(out, p, 4);
    if (!px.has_alpha) out[3] = 0xFF;
    return out[3] != 0;
}

void draw_transformed(Target& t, const lv_area_t& coords, const Pixels& px, const ImageDsc& dsc, const Look& lk) {
    constexpr double kPi = 3.14159265358979323846;
    const double angle = (dsc.rotation % 3600) * kPi / 1800.0;
    Inverse inv{std::cos(angle),
                std::sin(angle),
                std::max(dsc.scale_x, 1) / static_cast<double>(kScaleOne),
                std::max(dsc.scale_y, 1) / static_cast<double>(kScaleOne),
                static_cast<double>(coords.x1 + dsc.pivot.x),
                static_cast<double>(coords.y1 + dsc.pivot.y),
                static_cast<double>(dsc.pivot.x),
                static_cast<double>(dsc.pivot.y)};

    // Bounding box of the transformed image.
    double minx = 1e18, miny = 1e18, maxx = -1e18, maxy = -1e18;
    const double cu[4] = {0, static_cast<double>(px.w), 0, static_cast<double>(px.w)};
    const double cv[4] = {0, 0, static_cast<double>(px.h), static_cast<double>(px.h)};
    for (int k = 0; k < 4; k++) {
        double x, y;
        inv.to_dst(cu[k], cv[k], x, y);
        minx = std::min(minx, x);
        maxx = std::max(maxx, x);
        miny = std::min(miny, y);
        maxy = std::max(maxy, y);
    }
    const lv_area_t box{static_cast<int32_t>(std::floor(minx)) - 1, static_cast<int32_t>(std::floor(miny)) - 1,
                        static_cast<int32_t>(std::ceil(maxx)) + 1, static_cast<int32_t>(std::ceil(maxy)) + 1};
    lv_area_t a;
    if (!intersect(a, box, t.clip)) return;

    const int32_t n = width(a);
    std::vector<uint8_t>& cov_v = scratch(0, n);
    const auto du = static_cast<int64_t>(std::llround(inv.cos_a / inv.sx * kFixOne));
    const auto dv = static_cast<int64_t>(std::llround(-inv.sin_a / inv.sy * kFixOne));
    for (int32_t y = a.y1; y <= a.y2; y++) {
        bool full = true;
        if (!apply_masks(t, y, a.x1, a.x2, cov_v.data(), full)) continue;
        double u0, v0;
        inv.to_src(a.x1 + 0.5, y + 0.5, u0, v0);
        int64_t u = std::llround(u0 * kFixOne), v = std::llround(v0 * kFixOne);
        uint8_t* dst = pixel_ptr(t, a.x1, y);
        for (int32_t i = 0; i < n; i++, u += du, v += dv) {
            uint8_t s[4];
            const bool hit = dsc.antialias ? sample_bilinear(px, u, v, s) : sample_nearest(px, u, v, s);
            if (!hit) continue;
            uint32_t alpha = s[3];
            if (lk.opa < LV_OPA_MAX && !full) alpha = opa_mix(alpha, lk.opa, cov_v[i]);
            else if (lk.opa < LV_OPA_MAX) alpha = opa_mix(alpha, lk.opa);
            else if (!full) alpha = opa_mix(alpha, cov_v[i]);
            if (alpha <= LV_OPA_MIN) continue;
            blend_src(dst + i * 4, s, alpha, lk);
        }
    }
}

bool is_transformed(const ImageDsc& dsc) {
    return dsc.rotation % 3600 != 0 || dsc.scale_x != kScaleOne || dsc.scale_y != kScaleOne;
}

void draw_tiled(Target& t, const lv_area_t& coords, const Pixels& px, const Look& lk) {
    const int32_t w = px.w, h = px.h;
    // First tile column/row at or before the clip's top-left corner.
    auto first = [](int32_t start, int32_t clip_start, int32_t size) {
        if (clip_start >= start) return start + (clip_start - start) / size * size;
        return start - ((start - clip_start + size - 1) / size) * size;
    };
    for (int32_t y = first(coords.y1, t.clip.y1, h); y <= t.clip.y2; y += h) {
        for (int32_t x = first(coords.x1, t.clip.x1, w); x <= t.clip.x2; x += w) {
            draw_plain(t, lv_area_t{x, y, x + w - 1, y + h - 1}, px, lk);
        }
    }
}

} // namespace

void draw_pixels(Target& t, const lv_area_t& coords, const Pixels& px, const ImageDsc& dsc) {
    if (px.data == nullptr || px.w <= 0 || px.h <= 0 || dsc.opa <= LV_OPA_MIN) return;
    if (dsc.scale_x <= 0 || dsc.scale_y <= 0) return;
    Target clipped = t;
    if (dsc.radius > 0) {
        if (!intersect(clipped.clip, t.clip, coords)) return;
        clipped.push_rounded_clip(coords, dsc.radius);
    }
    const Look lk = look_of(dsc);
    const lv_area_t img_area{coords.x1, coords.y1, coords.x1 + px.w - 1, coords.y1 + px.h - 1};
    if (dsc.tiled) {
        draw_tiled(clipped, img_area, px, lk); // over the whole clip area
    } else if (is_transformed(dsc)) {
        draw_transformed(clipped, img_area, px, dsc, lk);
    } else {
        draw_plain(clipped, img_area, px, lk);
    }
}

void draw_image(Target& t, const lv_area_t& coords, const ImageDsc& dsc) {
    if (dsc.src == nullptr || dsc.opa <= LV_OPA_MIN) return;
    if (lv_image_src_get_type(dsc.src) == LV_IMAGE_SRC_SYMBOL) return;
    const std::shared_ptr<const image::DecodedImage> img = image::decode(dsc.src);
    if (!img) return;
    draw_pixels(t, coords, Pixels{img->data, img->w, img->h, img->stride, img->has_alpha}, dsc);
}

void draw_layer(Target& t, const Layer& src, const ImageDsc& dsc) {
    draw_pixels(t, src.area(), Pixels{src.data(), src.width(), src.height(), src.stride(), true}, dsc);
}

} // namespace gui::draw
