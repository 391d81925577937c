// Arcs (anti-aliased rings with optional rounded ends) and thick lines.
#include "raster.hpp"

#include "../image/decoder.hpp"

#include <cmath>

namespace gui::draw {
namespace {

using namespace raster;

constexpr double kPi = 3.14159265358979323846;

double cover(double d)
{
    return std::clamp(d, 0.0, 1.0);
}

// Coverage of a disc of radius r around (cx, cy) at pixel centre (x, y).
double disc(double x, double y, double cx, double cy, double r)
{
    return cover(r - std::hypot(x - cx, y - cy) + 0.5);
}

// Per-pixel coverage painter over an area; `fn(x, y)` returns 0..1.
template <typename Fn> void paint(Target & t, const lv_area_t & box, lv_color_t color, lv_opa_t opa, Fn fn)
{
    lv_area_t a;
    if (!area::intersect(a, box, t.clip)) return;
    const int32_t n = area::width(a);
    std::vector<uint8_t> & cov_v = scratch(0, n);
    for (int32_t y = a.y1; y <= a.y2; y++) {
        uint8_t * cov = cov_v.data();
        bool any = false;
        for (int32_t x = a.x1; x <= a.x2; x++) {
            const auto c = static_cast<uint8_t>(std::lround(fn(x + 0.5, y + 0.5) * 255.0));
            cov[x - a.x1] = c;
            any = any || c != 0;
        }
        if (!any) continue;
        bool full = false;
        if (!apply_masks(t, y, a.x1, a.x2, cov, full)) continue;
        blend_span(t, pixel_ptr(t, a.x1, y), n, color, opa, cov);
    }
}

// Coverage of the ring between the circle inscribed in `square` and the one
// inscribed in `hole` (if any) for row y over [x1, x2], into cov. False when
// the row misses the ring.
bool ring_row(const lv_area_t & square, int32_t r, bool has_hole, const lv_area_t & hole, int32_t r_hole, int32_t y,
              int32_t x1, int32_t x2, uint8_t * cov)
{
    int32_t f, l;
    if (!rrect_row(square, r, y, x1, x2, cov, &f, &l)) return false;
    if (!has_hole || y < hole.y1 || y > hole.y2) return true;
    uint8_t * inner = scratch(2, x2 - x1 + 1).data();
    if (!rrect_row(hole, r_hole, y, x1, x2, inner, &f, &l)) return true;
    for (int32_t x = f; x <= l; x++) {
        const int32_t i = x - x1;
        cov[i] = static_cast<uint8_t>(div255(cov[i] * (255U - inner[i])));
    }
    return true;
}

// The box of the circle that rounds the end at `angle` (whole degrees) of a
// ring of outer radius r and width w around c: the ideal centre, r - w/2 out
// along the angle in 1/256 px, is snapped to the grid. Even widths centre
// the circle on a pixel corner; odd ones round both sides toward the centre.
lv_area_t cap_box(lv_point_t c, int32_t r, int32_t w, int32_t angle)
{
    const int32_t h = w / 2;
    const int32_t even = w % 2 == 0 ? 1 : 0;
    auto span = [&](int32_t trig, int32_t & lo, int32_t & hi) {
        const int32_t v = ((r - h) * trig) >> 7;
        if (v > 0) {
            const int32_t m = (v - 128) >> 8;
            lo = m - h + even;
            hi = m + h;
        } else {
            const int32_t m = (v + 128) >> 8;
            lo = m - h;
            hi = m + h - even;
        }
    };
    lv_area_t box;
    span(lv_trigo_cos(static_cast<int16_t>(angle)), box.x1, box.x2);
    span(lv_trigo_sin(static_cast<int16_t>(angle)), box.y1, box.y2);
    lv_area_move(&box, c.x, c.y);
    return box;
}

// Adds the coverage of the cap circle in `box` on row y over [x1, x2] to cov.
void add_cap(const lv_area_t & box, int32_t y, int32_t x1, int32_t x2, uint8_t * cov)
{
    uint8_t * cap = scratch(3, x2 - x1 + 1).data();
    int32_t f, l;
    if (!rrect_row(box, area::width(box) / 2, y, x1, x2, cap, &f, &l)) return;
    for (int32_t x = f; x <= l; x++) {
        const int32_t i = x - x1;
        cov[i] = static_cast<uint8_t>(std::min(255, cov[i] + cap[i]));
    }
}

}  // namespace

void draw_arc(Target & t, const ArcDsc & dsc)
{
    if (dsc.opa <= LV_OPA_MIN || dsc.radius <= 0 || dsc.width <= 0) return;
    int32_t sweep = dsc.end_angle - dsc.start_angle;
    if (sweep == 0) return;
    sweep = ((sweep % 360) + 360) % 360;
    const bool full_circle = sweep == 0;

    // The centre is the corner between pixels: the ring fills the 2r x 2r
    // square [c - r, c + r - 1], and the hole the square shrunk by the width.
    const int32_t r = dsc.radius;
    const int32_t w = std::min(dsc.width, r);
    const lv_area_t square{dsc.center.x - r, dsc.center.y - r, dsc.center.x + r - 1, dsc.center.y + r - 1};
    const lv_area_t hole = area::grow(square, -w);
    const bool has_hole = w < r;

    // Angles and end caps in continuous coordinates (pixel x spans [x, x + 1]).
    const double cx = dsc.center.x, cy = dsc.center.y;
    const double a0 = dsc.start_angle * kPi / 180.0, a1 = (dsc.start_angle + sweep) * kPi / 180.0;
    const double ux0 = std::cos(a0), uy0 = std::sin(a0), ux1 = std::cos(a1), uy1 = std::sin(a1);
    auto angular = [&](double x, double y) {
        const double dx = x - cx, dy = y - cy;
        // Signed distances to the start and end rays (clockwise positive).
        const double in_s = cover(ux0 * dy - uy0 * dx + 0.5);
        const double in_e = cover(-(ux1 * dy - uy1 * dx) + 0.5);
        // Up to half a turn the arc is where both half-planes meet, beyond
        // that it is where either one holds.
        return sweep <= 180 ? std::min(in_s, in_e) : std::max(in_s, in_e);
    };
    // Rounded ends: a circle on each end, its coverage added to the ring's.
    const bool caps = dsc.rounded && !full_circle;
    const int32_t start = ((dsc.start_angle % 360) + 360) % 360;
    const lv_area_t cap_boxes[2] = {cap_box(dsc.center, r, w, start), cap_box(dsc.center, r, w, (start + sweep) % 360)};

    std::shared_ptr<const image::DecodedImage> img;
    if (dsc.img_src != nullptr) img = image::decode(dsc.img_src);
    if (dsc.img_src != nullptr && !img) return;

    lv_area_t a;
    if (!area::intersect(a, square, t.clip)) return;
    const int32_t n = area::width(a);
    uint8_t * cov = scratch(0, n).data();
    for (int32_t y = a.y1; y <= a.y2; y++) {
        const bool on_ring = ring_row(square, r, has_hole, hole, w < r ? r - w : 0, y, a.x1, a.x2, cov);
        const bool on_cap = caps && std::any_of(std::begin(cap_boxes), std::end(cap_boxes),
                                                [y](const lv_area_t & b) { return y >= b.y1 && y <= b.y2; });
        if (!on_ring && !on_cap) continue;
        if (!on_ring) std::memset(cov, 0, static_cast<size_t>(n));
        if (on_ring && !full_circle) {
            for (int32_t x = a.x1; x <= a.x2; x++) {
                uint8_t & c = cov[x - a.x1];
                if (c != 0) c = static_cast<uint8_t>(std::lround(c * angular(x + 0.5, y + 0.5)));
            }
        }
        if (on_cap) {
            for (const lv_area_t & b : cap_boxes) add_cap(b, y, a.x1, a.x2, cov);
        }
        bool full = false;
        if (!apply_masks(t, y, a.x1, a.x2, cov, full)) continue;
        uint8_t * dst = pixel_ptr(t, a.x1, y);
        if (!img) {
            blend_span(t, dst, n, dsc.color, dsc.opa, cov);
            continue;
        }
        // Paint the image through the shape.
        for (int32_t x = a.x1; x <= a.x2; x++) {
            const int32_t ix = x - square.x1, iy = y - square.y1;
            if (ix >= img->w || iy >= img->h) continue;
            const uint8_t * p = img->data + static_cast<size_t>(iy) * img->stride + ix * 4;
            uint32_t alpha = opa_mix(cov[x - a.x1], img->has_alpha ? p[3] : 255U);
            if (dsc.opa < LV_OPA_MAX) alpha = opa_mix(alpha, dsc.opa);
            blend_pixel_to(t.dest, dst + (x - a.x1) * 4, lv_color_t{p[0], p[1], p[2]}, alpha);
        }
    }
}

void draw_line(Target & t, const LineDsc & dsc)
{
    if (dsc.opa <= LV_OPA_MIN || dsc.width <= 0) return;
    const double x0 = dsc.p1.x + 0.5, y0 = dsc.p1.y + 0.5, x1 = dsc.p2.x + 0.5, y1 = dsc.p2.y + 0.5;
    const double hw = dsc.width / 2.0;
    const double len = std::hypot(x1 - x0, y1 - y0);
    if (len == 0 && !(dsc.round_start || dsc.round_end)) return;
    const double ux = len > 0 ? (x1 - x0) / len : 1.0, uy = len > 0 ? (y1 - y0) / len : 0.0;

    auto fn = [&](double x, double y) {
        const double px = x - x0, py = y - y0;
        const double along = px * ux + py * uy;
        const double across = std::fabs(-px * uy + py * ux);
        double c = std::min({cover(hw - across + 0.5), cover(along + 0.5), cover(len - along + 0.5)});
        if (dsc.round_start) c = std::max(c, disc(x, y, x0, y0, hw));
        if (dsc.round_end) c = std::max(c, disc(x, y, x1, y1, hw));
        return c;
    };
    const auto pad = static_cast<int32_t>(std::ceil(hw)) + 1;
    const lv_area_t box{std::min(dsc.p1.x, dsc.p2.x) - pad, std::min(dsc.p1.y, dsc.p2.y) - pad,
                        std::max(dsc.p1.x, dsc.p2.x) + pad, std::max(dsc.p1.y, dsc.p2.y) + pad};
    paint(t, box, dsc.color, dsc.opa, fn);
}

}  // namespace gui::draw
