// Rounded-rectangle coverage, clip masks and span blending.
#include "raster.hpp"

#include <map>
#include <memory>

namespace gui::draw::raster {
namespace {

constexpr size_t kMaxCachedCorners = 32;
constexpr int32_t kMaxTemplateRadius = 512;
constexpr int32_t kSubPixels = 4;        // the circle is traced at 4x resolution
constexpr int32_t kSubRowWeight = 16;    // a pixel's 16 sub-pixels make up its coverage
constexpr int32_t kDiagonalScale = 723;  // 1024 / sqrt(2)

// A pixel on the circle's edge: `col` and `row` count from the circle's
// centre lines (0 = next to the centre), `cov` is its coverage.
struct EdgePixel {
    int32_t col;
    int32_t row;
    uint8_t cov;
};

// Coverage of the pixel the circle crosses at 45 degrees: a triangle-like
// estimate from where the diagonal meets the edge, in steps of 16.
int32_t diagonal_coverage(int32_t t)
{
    if (t <= 512) return kSubRowWeight * ((2 * t * t) >> 16);
    const int32_t rest = 1024 - t;
    return kSubRowWeight * (15 - ((2 * rest * rest) >> 16));
}

// Edge pixels of one eighth of a circle of radius r (rows nearer the centre
// line than the diagonal), traced by the midpoint algorithm at 4x resolution:
// each pixel row takes four sub-rows, a sub-row covering as many quarter
// columns of the edge pixel as its x passes the pixel's left side. Then the
// 45-degree pixel, then the other eighth mirrored across the diagonal.
std::vector<EdgePixel> circle_edge(int32_t r)
{
    int32_t x = kSubPixels * r, y = 0, decision = 1 - kSubPixels * r;
    auto next = [&] {
        if (decision > 0) {
            decision += 2 * (y - x) + 5;
            x--;
        } else {
            decision += 2 * y + 3;
        }
        y++;
    };
    std::vector<EdgePixel> edge;
    for (int32_t row = 0;; row++) {
        int32_t xs[kSubPixels];
        int k = 0;
        for (; k < kSubPixels; k++) {
            next();
            if (y > x) break;
            xs[k] = x;
        }
        if (k < kSubPixels) break;
        const int32_t col = xs[0] / kSubPixels;
        int drop = kSubPixels;  // first sub-row whose x lies in the next column inward
        for (int i = 1; i < kSubPixels && drop == kSubPixels; i++)
            if (xs[i] / kSubPixels != col) drop = i;
        int32_t before = 0, after = 0;  // quarter columns covered before and after the drop
        for (int i = 0; i < kSubPixels; i++) {
            if (i < drop)
                before += xs[i] % kSubPixels;
            else
                after += xs[i] % kSubPixels;
        }
        edge.push_back({col, row, static_cast<uint8_t>(kSubRowWeight * before)});
        if (drop < kSubPixels) {
            edge.push_back({col - 1, row, static_cast<uint8_t>(kSubRowWeight * (kSubPixels * drop + after))});
        }
    }
    const int32_t mid = kDiagonalScale * r;
    const int32_t mid_px = mid >> 10;
    if (edge.empty() || edge.back().col != mid_px || edge.back().row != mid_px) {
        edge.push_back({mid_px, mid_px, static_cast<uint8_t>(diagonal_coverage(mid - (mid_px << 10)))});
    }
    for (auto i = static_cast<ptrdiff_t>(edge.size()) - 2; i >= 0; i--) {
        const EdgePixel e = edge[static_cast<size_t>(i)];
        edge.push_back({e.row, e.col, e.cov});
    }
    return edge;
}

// Row i of the quadrant template (0 = outermost) written to out[0 .. r-1]
// (column 0 = outermost). Left of a row's first edge pixel is inside, right
// of its last one outside.
void fill_corner(int32_t r, uint8_t * out)
{
    std::memset(out, 0, static_cast<size_t>(r) * r);
    std::vector<int32_t> first(static_cast<size_t>(r), r);
    const std::vector<EdgePixel> edge = circle_edge(r);
    for (const EdgePixel & e : edge) {
        if (e.row < r) first[static_cast<size_t>(e.row)] = std::min(first[static_cast<size_t>(e.row)], e.col);
    }
    for (int32_t row = 0; row < r; row++) {
        uint8_t * line = out + static_cast<size_t>(r - 1 - row) * r;
        for (int32_t col = 0; col < std::min(first[static_cast<size_t>(row)], r); col++) line[r - 1 - col] = 0xFF;
    }
    for (const EdgePixel & e : edge) {
        if (e.row < r && e.col < r) out[static_cast<size_t>(r - 1 - e.row) * r + (r - 1 - e.col)] = e.cov;
    }
}

std::vector<uint8_t> make_corner(int32_t r)
{
    std::vector<uint8_t> t(static_cast<size_t>(r) * r);
    fill_corner(r, t.data());
    return t;
}

}  // namespace

const uint8_t * corner_row_coverage(int32_t r, int32_t row)
{
    if (r <= kMaxTemplateRadius) return corner_template(r) + static_cast<size_t>(row) * r;
    // Very large corners: a template of their own, kept only for the last radius.
    thread_local std::vector<uint8_t> big;
    thread_local int32_t big_r = 0;
    if (big_r != r) {
        big = make_corner(r);
        big_r = r;
    }
    return big.data() + static_cast<size_t>(row) * r;
}

const uint8_t * corner_template(int32_t r)
{
    thread_local std::map<int32_t, std::vector<uint8_t>> cache;
    auto it = cache.find(r);
    if (it != cache.end()) return it->second.data();
    if (cache.size() >= kMaxCachedCorners) cache.clear();
    return cache.emplace(r, make_corner(r)).first->second.data();
}

bool rrect_row_full(const lv_area_t & a, int32_t r, int32_t y, int32_t x_from, int32_t x_to)
{
    if (y < a.y1 || y > a.y2 || x_from < a.x1 || x_to > a.x2) return false;
    r = clamp_radius(a, r);
    if (r == 0) return true;
    if (y >= a.y1 + r && y <= a.y2 - r) return true;
    return x_from >= a.x1 + r && x_to <= a.x2 - r;
}

bool rrect_row(const lv_area_t & a, int32_t r, int32_t y, int32_t x_from, int32_t x_to, uint8_t * out, int32_t * first,
               int32_t * last)
{
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

    int32_t corner_row = -1;  // row of the corner template, -1: not in a corner band
    if (y < a.y1 + r)
        corner_row = y - a.y1;
    else if (y > a.y2 - r)
        corner_row = a.y2 - y;
    if (corner_row < 0) return true;

    const uint8_t * row = corner_row_coverage(r, corner_row);
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

std::vector<uint8_t> & scratch(int slot, size_t size)
{
    constexpr int kSlots = 8;
    thread_local std::vector<uint8_t> rows[kSlots];
    std::vector<uint8_t> & v = rows[slot % kSlots];
    if (v.size() < size) v.resize(size);
    return v;
}

bool apply_masks(const Target & t, int32_t y, int32_t x1, int32_t x2, uint8_t * cov, bool & cov_full)
{
    const int32_t n = x2 - x1 + 1;
    for (const RoundedClip & m : t.masks) {
        if (rrect_row_full(m.area, m.radius, y, x1, x2)) continue;
        std::vector<uint8_t> & mrow = scratch(7, n);
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

namespace {

template <Dest D> void blend_span_to(uint8_t * dst, int32_t n, lv_color_t c, lv_opa_t opa, const uint8_t * cov)
{
    if (cov == nullptr && opa >= LV_OPA_MAX) {
        // A nearly opaque fill is copied; on a layer it keeps its own alpha.
        const uint32_t a = D == Dest::Xrgb8888 ? uint32_t{LV_OPA_COVER} : uint32_t{opa};
        const uint32_t word =
            (a << 24) | (static_cast<uint32_t>(c.red) << 16) | (static_cast<uint32_t>(c.green) << 8) | c.blue;
        auto * d32 = reinterpret_cast<uint32_t *>(dst);
        std::fill(d32, d32 + n, word);
        return;
    }
    if (cov == nullptr) {
        for (int32_t i = 0; i < n; i++) blend_pixel_to<D>(dst + i * 4, c, opa);
        return;
    }
    const bool opaque = opa >= LV_OPA_MAX;
    for (int32_t i = 0; i < n; i++) {
        const uint32_t a = opaque ? cov[i] : opa_mix(cov[i], opa);
        blend_pixel_to<D>(dst + i * 4, c, a);
    }
}

}  // namespace

void blend_span(const Target & t, uint8_t * dst, int32_t n, lv_color_t c, lv_opa_t opa, const uint8_t * cov)
{
    if (opa <= LV_OPA_MIN) return;
    if (t.dest == Dest::Xrgb8888)
        blend_span_to<Dest::Xrgb8888>(dst, n, c, opa, cov);
    else
        blend_span_to<Dest::Argb8888>(dst, n, c, opa, cov);
}

void fill_area(Target & t, const lv_area_t & area, lv_color_t c, lv_opa_t opa)
{
    lv_area_t a;
    if (!gui::area::intersect(a, area, t.clip)) return;
    const int32_t n = gui::area::width(a);
    std::vector<uint8_t> & cov = scratch(0, n);
    for (int32_t y = a.y1; y <= a.y2; y++) {
        bool full = true;
        if (!apply_masks(t, y, a.x1, a.x2, cov.data(), full)) continue;
        blend_span(t, pixel_ptr(t, a.x1, y), n, c, opa, full ? nullptr : cov.data());
    }
}

}  // namespace gui::draw::raster

namespace gui::draw {

void blend_pixel_over(uint8_t * dst, lv_color_t c, uint32_t a, uint32_t da)
{
    const uint32_t out_a = 255 - (((255 - a) * (255 - da)) >> 8);
    const uint32_t ratio = a * 255 / out_a;  // weight of the new colour
    dst[0] = mix_channel(c.blue, dst[0], ratio);
    dst[1] = mix_channel(c.green, dst[1], ratio);
    dst[2] = mix_channel(c.red, dst[2], ratio);
    dst[3] = static_cast<uint8_t>(out_a);
}

void blend_pixel_rare(Dest d, uint8_t * dst, lv_color_t c, uint32_t a)
{
    blend_pixel_to(d, dst, c, a);
}

void Target::push_rounded_clip(const lv_area_t & area, int32_t radius)
{
    masks.push_back({area, radius});
}

void Target::pop_rounded_clip()
{
    if (!masks.empty()) masks.pop_back();
}

Layer::Layer(const lv_area_t & area)
    : area_(area), pixels_(static_cast<size_t>(std::max(width(), 0)) * std::max(height(), 0) * 4, 0)
{
}

Target Layer::target()
{
    Target t;
    t.buf = pixels_.data();
    t.stride = stride();
    t.buf_area = area_;
    t.clip = area_;
    return t;
}

void Layer::fill(lv_color32_t c)
{
    uint32_t word;
    std::memcpy(&word, &c, sizeof(word));
    auto * p = reinterpret_cast<uint32_t *>(pixels_.data());
    std::fill(p, p + pixels_.size() / 4, word);
}

}  // namespace gui::draw
