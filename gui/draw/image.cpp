// Images and layers: opacity, recolour, tiling and anti-aliased transforms.
#include "raster.hpp"

#include "../image/decoder.hpp"

namespace gui::draw {
namespace {

using namespace raster;

constexpr int32_t kScaleOne = 256;

struct Look {
    lv_opa_t opa;
    bool recolor;
    lv_color_t recolor_color;
    lv_opa_t recolor_opa;
};

Look look_of(const ImageDsc & dsc)
{
    return {dsc.opa, dsc.recolor_opa > LV_OPA_MIN, dsc.recolor, dsc.recolor_opa};
}

// Blend one straight-alpha source pixel (B, G, R, A) with extra coverage `a`.
inline void blend_src(Dest d, uint8_t * dst, const uint8_t * s, uint32_t a, const Look & lk)
{
    lv_color_t c{s[0], s[1], s[2]};
    if (lk.recolor) c = recolor(c, lk.recolor_color, lk.recolor_opa);
    blend_pixel_to(d, dst, c, a);
}

// The alpha at and above which a source pixel is copied as it is.
template <Dest D> constexpr uint32_t kCopiedAlpha = D == Dest::Xrgb8888 ? LV_OPA_MAX : LV_OPA_COVER;

// One row of an untransformed image: n source pixels onto dst.
template <Dest D>
void blend_image_row(uint8_t * dst, const uint8_t * src, int32_t n, const Look & lk, const uint8_t * cov,
                     bool has_alpha)
{
    const bool opaque = lk.opa >= LV_OPA_MAX;
    if (!has_alpha && opaque && cov == nullptr && !lk.recolor) {
        // Opaque fast path: copy, forcing the alpha byte.
        auto * d = reinterpret_cast<uint32_t *>(dst);
        const auto * s = reinterpret_cast<const uint32_t *>(src);
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
            const uint8_t * s = src + i * 4;
            if (s[3] == 0xFF)
                std::memcpy(dst + i * 4, s, 4);
            else
                blend_pixel_rare(D, dst + i * 4, lv_color_t{s[0], s[1], s[2]}, s[3]);
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
        const uint8_t * s = src + i * 4;
        uint32_t a = has_alpha ? s[3] : 255U;
        if (a == 0) continue;
        if (!opaque && cov != nullptr)
            a = opa_mix(a, lk.opa, cov[i]);
        else if (!opaque)
            a = opa_mix(a, lk.opa);
        else if (cov != nullptr)
            a = opa_mix(a, cov[i]);
        if (a >= kCopiedAlpha<D> && !lk.recolor) {
            dst[i * 4] = s[0];
            dst[i * 4 + 1] = s[1];
            dst[i * 4 + 2] = s[2];
            dst[i * 4 + 3] = 0xFF;
            continue;
        }
        blend_src(D, dst + i * 4, s, a, lk);
    }
}

void draw_plain(Target & t, const lv_area_t & coords, const Pixels & px, const Look & lk)
{
    lv_area_t a;
    if (!area::intersect(a, coords, t.clip)) return;
    const int32_t n = area::width(a);
    std::vector<uint8_t> & cov_v = scratch(0, n);
    for (int32_t y = a.y1; y <= a.y2; y++) {
        bool full = true;
        if (!apply_masks(t, y, a.x1, a.x2, cov_v.data(), full)) continue;
        const uint8_t * src = px.data + static_cast<size_t>(y - coords.y1) * px.stride + (a.x1 - coords.x1) * 4;
        uint8_t * dst = pixel_ptr(t, a.x1, y);
        const uint8_t * row_cov = full ? nullptr : cov_v.data();
        if (t.dest == Dest::Xrgb8888)
            blend_image_row<Dest::Xrgb8888>(dst, src, n, lk, row_cov, px.has_alpha);
        else
            blend_image_row<Dest::Argb8888>(dst, src, n, lk, row_cov, px.has_alpha);
    }
}

// ---- transforms -----------------------------------------------------------
//
// Destination pixels are mapped back into the source in 1/256 px. Only the
// first and last pixel of each destination row are mapped; the pixels between
// step linearly from one to the other. Pixel indices count as points, so the
// pivot is the centre of pixel `pivot`, not the geometric centre.

constexpr int32_t kSubPx = 256;
constexpr int32_t kHalfSubPx = 128;
constexpr int32_t kTrigShift = 5;  // round(32768 sin) >> 5: sines in 1/1024
// Transformed pixels are made in chunks that fit a buffer of 4 display rows
// (display and transformed pixels both take 4 bytes).
constexpr int32_t kChunkBufferRows = 4;

struct Transform {
    int32_t angle;    // 0.1 degree, 0..3599
    int32_t scale_x;  // 256 = 100 %
    int32_t scale_y;
    lv_point_t pivot;          // in image pixels
    int32_t sin_fwd, cos_fwd;  // of angle, 1/1024
    int32_t sin_inv, cos_inv;  // of -angle
};

// round(32768 sin) of a whole number of degrees.
int32_t sin_degrees(int32_t deg)
{
    return lv_trigo_sin(static_cast<int16_t>(deg % 360));
}

// Sine and cosine of an angle in tenths of a degree, interpolated between
// whole degrees, in 1/1024.
void sin_cos(int32_t tenths, int32_t & s, int32_t & c)
{
    tenths = ((tenths % 3600) + 3600) % 3600;
    const int32_t deg = tenths / 10, rem = tenths % 10;
    s = ((sin_degrees(deg) * (10 - rem) + sin_degrees(deg + 1) * rem) / 10) >> kTrigShift;
    c = ((sin_degrees(deg + 90) * (10 - rem) + sin_degrees(deg + 91) * rem) / 10) >> kTrigShift;
}

Transform make_transform(const ImageDsc & dsc)
{
    Transform tr{};
    tr.angle = ((dsc.rotation % 3600) + 3600) % 3600;
    tr.scale_x = std::max(dsc.scale_x, 1);
    tr.scale_y = std::max(dsc.scale_y, 1);
    tr.pivot = dsc.pivot;
    sin_cos(tr.angle, tr.sin_fwd, tr.cos_fwd);
    sin_cos(-tr.angle, tr.sin_inv, tr.cos_inv);
    return tr;
}

// Where image point (x, y) lands, floored to whole pixels.
lv_point_t forward(const Transform & tr, int32_t x, int32_t y)
{
    const int64_t dx = x - tr.pivot.x, dy = y - tr.pivot.y;
    if (tr.angle == 0) {
        return {static_cast<int32_t>((dx * tr.scale_x) >> 8) + tr.pivot.x,
                static_cast<int32_t>((dy * tr.scale_y) >> 8) + tr.pivot.y};
    }
    const int64_t sx = dx * tr.scale_x, sy = dy * tr.scale_y;
    return {static_cast<int32_t>((sx * tr.cos_fwd - sy * tr.sin_fwd) >> 18) + tr.pivot.x,
            static_cast<int32_t>((sx * tr.sin_fwd + sy * tr.cos_fwd) >> 18) + tr.pivot.y};
}

// The source position of destination pixel (x, y) (both relative to the
// image's untransformed top-left corner), in 1/256 px.
void inverse(const Transform & tr, int32_t x, int32_t y, int64_t & xs, int64_t & ys)
{
    const int64_t dx = x - tr.pivot.x, dy = y - tr.pivot.y;
    const int64_t px = int64_t{kSubPx} * tr.pivot.x, py = int64_t{kSubPx} * tr.pivot.y;
    if (tr.angle == 0) {
        xs = dx * kSubPx * kSubPx / tr.scale_x + px;
        ys = dy * kSubPx * kSubPx / tr.scale_y + py;
        return;
    }
    int64_t vx = tr.cos_inv * dx - tr.sin_inv * dy;
    int64_t vy = tr.sin_inv * dx + tr.cos_inv * dy;
    if (tr.scale_x != kScaleOne || tr.scale_y != kScaleOne) {
        vx = vx * kScaleOne / tr.scale_x;
        vy = vy * kScaleOne / tr.scale_y;
    }
    xs = (vx >> 2) + px;
    ys = (vy >> 2) + py;
}

// The transformed image's box relative to its untransformed top-left corner.
lv_area_t transformed_box(const Transform & tr, int32_t w, int32_t h)
{
    const lv_point_t corners[4] = {forward(tr, 0, 0), forward(tr, w, 0), forward(tr, 0, h), forward(tr, w, h)};
    lv_area_t box{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
    for (const lv_point_t & p : corners) {
        box.x1 = std::min(box.x1, p.x);
        box.y1 = std::min(box.y1, p.y);
        box.x2 = std::max(box.x2, p.x);
        box.y2 = std::max(box.y2, p.y);
    }
    box.x2--;
    box.y2--;
    return box;
}

// A sampled pixel, straight alpha.
struct Texel {
    uint8_t b, g, r, a;
    bool operator==(const Texel &) const = default;
};

inline Texel texel(const Pixels & px, int32_t x, int32_t y)
{
    const uint8_t * p = px.data + static_cast<size_t>(y) * px.stride + static_cast<size_t>(x) * 4;
    return {p[0], p[1], p[2], px.has_alpha ? p[3] : static_cast<uint8_t>(0xFF)};
}

// Mix neighbour n into t by weight w (0-127).
inline void mix_neighbour(Texel & t, const Texel & n, uint32_t w)
{
    if (n.a == 0) {
        t.a = static_cast<uint8_t>((t.a * (255U - w)) >> 8);
    } else if (!(n == t)) {
        t.a = static_cast<uint8_t>((n.a * w + t.a * (255U - w)) >> 8);
        t.b = mix_channel(n.b, t.b, w);
        t.g = mix_channel(n.g, t.g, w);
        t.r = mix_channel(n.r, t.r, w);
    }
}

// The image at source position (xs, ys) in 1/256 px: the nearest pixel, with
// anti-aliasing mixed with its horizontal and vertical neighbours on the side
// the position leans to (or faded out at the image's edge). False outside.
inline bool sample(const Pixels & px, int64_t xs, int64_t ys, bool antialias, Texel & out)
{
    const auto x = static_cast<int32_t>(xs >> 8), y = static_cast<int32_t>(ys >> 8);
    if (x < 0 || y < 0 || x >= px.w || y >= px.h) return false;
    out = texel(px, x, y);
    if (!antialias) return out.a != 0;
    const auto fx = static_cast<int32_t>(xs & 0xFF), fy = static_cast<int32_t>(ys & 0xFF);
    const int32_t nx = fx < kHalfSubPx ? -1 : 1, ny = fy < kHalfSubPx ? -1 : 1;
    const auto wx = static_cast<uint32_t>(fx < kHalfSubPx ? kHalfSubPx - 1 - fx : fx - kHalfSubPx);
    const auto wy = static_cast<uint32_t>(fy < kHalfSubPx ? kHalfSubPx - 1 - fy : fy - kHalfSubPx);
    const bool x_inside = x + nx >= 0 && x + nx < px.w;
    const bool y_inside = y + ny >= 0 && y + ny < px.h;
    if (x_inside && y_inside) {
        mix_neighbour(out, texel(px, x, y + ny), wy);
        mix_neighbour(out, texel(px, x + nx, y), wx);
    } else if (!x_inside) {
        out.a = static_cast<uint8_t>((out.a * (kHalfSubPx - 1 - wx)) >> 7);
    } else {
        out.a = static_cast<uint8_t>((out.a * (kHalfSubPx - 1 - wy)) >> 7);
    }
    return out.a != 0;
}

// A row of n destination pixels: pixel i samples the source at
// (x0 + (x_step * i >> 8), y0 + (y_step * i >> 8)), 1/256 px.
struct RowMap {
    int64_t x0, y0, x_step, y_step;
};

// Steps of 1/256 of 1/256 px from `first` to `last` over n pixels.
inline int64_t step_between(int64_t first, int64_t last, int32_t n)
{
    return n > 1 ? kSubPx * (last - first) / (n - 1) : 0;
}

// The end points sit half a step in: a pixel's own position is its centre.
inline int64_t at_step(int64_t first, int64_t step, int32_t i)
{
    return first + kHalfSubPx + ((step * i) >> 8);
}

void draw_transformed(Target & t, const lv_area_t & coords, const Pixels & px, const ImageDsc & dsc, const Look & lk)
{
    const Transform tr = make_transform(dsc);
    lv_area_t box = transformed_box(tr, px.w, px.h);
    lv_area_move(&box, coords.x1, coords.y1);
    lv_area_t a;
    if (!area::intersect(a, box, t.clip)) return;

    const int32_t n = area::width(a);
    const int32_t hor_res = t.hor_res > 0 ? t.hor_res : area::width(t.buf_area);
    const int32_t chunk_rows = std::max(1, kChunkBufferRows * hor_res / n);
    const int32_t x1 = a.x1 - coords.x1, x2 = a.x2 - coords.x1;
    // Scaled only, the far ends stop where the last source pixel lands.
    const int32_t x_limit = ((px.w - 1 - tr.pivot.x) * tr.scale_x >> 8) + tr.pivot.x;
    const int32_t y_limit = ((px.h - 1 - tr.pivot.y) * tr.scale_y >> 8) + tr.pivot.y;
    uint8_t * cov = scratch(0, n).data();

    for (int32_t cy1 = a.y1; cy1 <= a.y2; cy1 += chunk_rows) {
        const int32_t cy2 = std::min(a.y2, cy1 + chunk_rows - 1);
        // Scaled only: x maps the same on every row, y steps through the chunk.
        int64_t sx1 = 0, sy1 = 0, sx2 = 0, sy2 = 0;
        inverse(tr, x1, cy1 - coords.y1, sx1, sy1);
        inverse(tr, std::min(x2, x_limit), std::min(cy2 - coords.y1, y_limit), sx2, sy2);
        const int64_t chunk_x_step = step_between(sx1, sx2, n);
        const int64_t chunk_y_step = step_between(sy1, sy2, cy2 - cy1 + 1);

        for (int32_t y = cy1; y <= cy2; y++) {
            RowMap m{at_step(sx1, 0, 0), at_step(sy1, chunk_y_step, y - cy1), chunk_x_step, 0};
            if (tr.angle != 0) {
                int64_t rx1, ry1, rx2, ry2;
                inverse(tr, x1, y - coords.y1, rx1, ry1);
                inverse(tr, x2, y - coords.y1, rx2, ry2);
                m = {at_step(rx1, 0, 0), at_step(ry1, 0, 0), step_between(rx1, rx2, n), step_between(ry1, ry2, n)};
            }
            bool full = true;
            if (!apply_masks(t, y, a.x1, a.x2, cov, full)) continue;
            uint8_t * dst = pixel_ptr(t, a.x1, y);
            for (int32_t i = 0; i < n; i++) {
                Texel s;
                const int64_t xs = m.x0 + ((m.x_step * i) >> 8), ys = m.y0 + ((m.y_step * i) >> 8);
                if (!sample(px, xs, ys, dsc.antialias, s)) continue;
                uint32_t alpha = s.a;
                if (lk.opa < LV_OPA_MAX && !full)
                    alpha = opa_mix(alpha, lk.opa, cov[i]);
                else if (lk.opa < LV_OPA_MAX)
                    alpha = opa_mix(alpha, lk.opa);
                else if (!full)
                    alpha = opa_mix(alpha, cov[i]);
                const uint8_t src[3] = {s.b, s.g, s.r};
                blend_src(t.dest, dst + i * 4, src, alpha, lk);
            }
        }
    }
}

bool is_transformed(const ImageDsc & dsc)
{
    return dsc.rotation % 3600 != 0 || dsc.scale_x != kScaleOne || dsc.scale_y != kScaleOne;
}

void draw_tiled(Target & t, const lv_area_t & coords, const Pixels & px, const Look & lk)
{
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

}  // namespace

lv_area_t transformed_image_area(int32_t w, int32_t h, const ImageDsc & dsc)
{
    return transformed_box(make_transform(dsc), w, h);
}

void draw_pixels(Target & t, const lv_area_t & coords, const Pixels & px, const ImageDsc & dsc)
{
    if (px.data == nullptr || px.w <= 0 || px.h <= 0 || dsc.opa <= LV_OPA_MIN) return;
    if (dsc.scale_x <= 0 || dsc.scale_y <= 0) return;
    Target clipped = t;
    if (dsc.radius > 0) {
        if (!area::intersect(clipped.clip, t.clip, coords)) return;
        clipped.push_rounded_clip(coords, dsc.radius);
    }
    const Look lk = look_of(dsc);
    const lv_area_t img_area{coords.x1, coords.y1, coords.x1 + px.w - 1, coords.y1 + px.h - 1};
    if (dsc.tiled) {
        draw_tiled(clipped, img_area, px, lk);  // over the whole clip area
    } else if (is_transformed(dsc)) {
        draw_transformed(clipped, img_area, px, dsc, lk);
    } else {
        draw_plain(clipped, img_area, px, lk);
    }
}

void draw_image(Target & t, const lv_area_t & coords, const ImageDsc & dsc)
{
    if (dsc.src == nullptr || dsc.opa <= LV_OPA_MIN) return;
    if (lv_image_src_get_type(dsc.src) == LV_IMAGE_SRC_SYMBOL) return;
    const std::shared_ptr<const image::DecodedImage> img = image::decode(dsc.src);
    if (!img) return;
    draw_pixels(t, coords, Pixels{img->data, img->w, img->h, img->stride, img->has_alpha}, dsc);
}

void draw_layer(Target & t, const Layer & src, const ImageDsc & dsc)
{
    draw_pixels(t, src.area(), Pixels{src.data(), src.width(), src.height(), src.stride(), true}, dsc);
}

}  // namespace gui::draw
