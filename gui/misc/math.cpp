// Integer math helpers.
#include <cstdlib>

#include "lvgl.h"

namespace {

// round(32768 sin) of 0..90 degrees: sin 90 is 32768 itself, one more than an
// int16_t holds.
constexpr int32_t kSinTable[] = {
    0,     572,   1144,  1715,  2286,  2856,  3425,  3993,  4560,  5126,  5690,  6252,  6813,  7371,  7927,  8481,
    9032,  9580,  10126, 10668, 11207, 11743, 12275, 12803, 13328, 13848, 14365, 14876, 15384, 15886, 16384, 16877,
    17364, 17847, 18324, 18795, 19261, 19720, 20174, 20622, 21063, 21498, 21926, 22348, 22763, 23170, 23571, 23965,
    24351, 24730, 25102, 25466, 25822, 26170, 26510, 26842, 27166, 27482, 27789, 28088, 28378, 28660, 28932, 29197,
    29452, 29698, 29935, 30163, 30382, 30592, 30792, 30983, 31164, 31336, 31499, 31651, 31795, 31928, 32052, 32166,
    32270, 32365, 32449, 32524, 32588, 32643, 32688, 32723, 32748, 32763, 32768};

// Correction of an octant ratio taken as degrees (ratio * 45): up to 4
// degrees, rising toward the middle of the octant and falling after it.
constexpr int32_t kAtanRisingSteps[] = {2, 6, 10, 15};
constexpr int32_t kAtanFallingSteps[] = {32, 37, 41, 44};
constexpr int32_t kAtanMiddle = 22;

int32_t atan_correction(int32_t deg)
{
    int32_t c = 0;
    if (deg > kAtanMiddle) {
        for (int32_t step : kAtanFallingSteps) c += deg <= step ? 1 : 0;
    } else {
        for (int32_t step : kAtanRisingSteps) c += deg >= step ? 1 : 0;
    }
    return c;
}

uint32_t rand_seed = 0x1234ABCD;

// The curve runs in 1/1024 steps with truncating shifts after each product,
// so its values are those of the fixed-point arithmetic, not of the exact
// curve: Newton's method from t = x, then bisection, each taking the first t
// whose x lies within kBezierTolerance of the one asked for.
constexpr int kBezierNewtonSteps = 8;
constexpr int64_t kBezierTolerance = 1;
constexpr int64_t kBezierFlatSlope = 1;  // Newton gives up on a slope this flat

// Polynomial form a*t^3 + b*t^2 + c*t of one coordinate whose inner control
// values are p1 and p2 (the end points being 0 and LV_BEZIER_VAL_MAX).
struct BezierPoly {
    int64_t c;
    int64_t b;
    int64_t a;

    BezierPoly(int32_t p1, int32_t p2) : c(3 * int64_t(p1)), b(3 * (int64_t(p2) - p1) - c), a(LV_BEZIER_VAL_MAX - c - b)
    {
    }

    int64_t at(int64_t t) const
    {
        int64_t r = (a * t) >> LV_BEZIER_VAL_SHIFT;
        r = ((r + b) * t) >> LV_BEZIER_VAL_SHIFT;
        return ((r + c) * t) >> LV_BEZIER_VAL_SHIFT;
    }

    int64_t slope(int64_t t) const
    {
        const int64_t r = ((3 * a * t) >> LV_BEZIER_VAL_SHIFT) + 2 * b;
        return ((r * t) >> LV_BEZIER_VAL_SHIFT) + c;
    }
};

// The curve parameter t at which the x polynomial reaches x.
int64_t bezier_solve(const BezierPoly & px, int64_t x)
{
    int64_t t = x;
    for (int i = 0; i < kBezierNewtonSteps; i++) {
        const int64_t dx = px.at(t) - x;
        if (std::abs(dx) <= kBezierTolerance) return t;
        const int64_t d = px.slope(t);
        if (std::abs(d) <= kBezierFlatSlope) break;
        const int64_t step = dx * LV_BEZIER_VAL_MAX / d;
        if (step == 0) break;
        t -= step;
    }
    int64_t lo = 0;
    int64_t hi = LV_BEZIER_VAL_MAX;
    t = x;
    while (lo < hi) {
        const int64_t xs = px.at(t);
        if (std::abs(xs - x) <= kBezierTolerance) break;
        if (x > xs)
            lo = t;
        else
            hi = t;
        t = lo + (hi - lo) / 2;
        if (t == lo) break;  // no t between: lo is as near as the steps get
    }
    return t;
}

}  // namespace

extern "C" {

int32_t lv_trigo_sin(int16_t angle)
{
    int32_t a = angle % 360;
    if (a < 0) a += 360;
    if (a < 90) return kSinTable[a];
    if (a < 180) return kSinTable[180 - a];
    if (a < 270) return -kSinTable[a - 180];
    return -kSinTable[360 - a];
}

int32_t lv_trigo_cos(int16_t angle)
{
    return lv_trigo_sin(static_cast<int16_t>(angle + 90));
}

int32_t lv_cubic_bezier(int32_t x, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (x <= 0) return 0;
    if (x >= LV_BEZIER_VAL_MAX) return LV_BEZIER_VAL_MAX;
    const int64_t t = bezier_solve(BezierPoly(x1, x2), x);
    return static_cast<int32_t>(BezierPoly(y1, y2).at(t));
}

int32_t lv_map(int32_t x, int32_t min_in, int32_t max_in, int32_t min_out, int32_t max_out)
{
    if (max_in >= min_in && x >= max_in) return max_out;
    if (max_in >= min_in && x <= min_in) return min_out;
    if (max_in <= min_in && x <= max_in) return max_out;
    if (max_in <= min_in && x >= min_in) return min_out;
    int64_t delta_in = static_cast<int64_t>(max_in) - min_in;
    int64_t delta_out = static_cast<int64_t>(max_out) - min_out;
    return static_cast<int32_t>(((x - min_in) * delta_out) / delta_in + min_out);
}

void lv_sqrt(uint32_t x, lv_sqrt_res_t * q, uint32_t mask)
{
    (void)mask;
    // Square root with 8 fractional bits: isqrt(x << 16).
    uint64_t v = static_cast<uint64_t>(x) << 16;
    uint64_t r = 0;
    uint64_t bit = 1ULL << 62;
    while (bit > v) bit >>= 2;
    while (bit != 0) {
        if (v >= r + bit) {
            v -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
        bit >>= 2;
    }
    q->i = static_cast<uint16_t>(r >> 8);
    q->f = static_cast<uint16_t>(r & 0xFF);
}

int32_t lv_sqrt32(uint32_t x)
{
    lv_sqrt_res_t q;
    lv_sqrt(x, &q, 0);
    return q.i;
}

uint16_t lv_atan2(int x, int y)
{
    // Whole degrees 0..360 from the y axis toward the x axis, so that
    // lv_atan2(dy, dx) is the screen angle of (dx, dy). The octant's ratio
    // gives 0..45 degrees; a fixed correction curve brings it to within
    // about one degree of the true angle.
    if (x == 0 && y == 0) return 0;
    const int64_t ux = std::llabs(x);
    const int64_t uy = std::llabs(y);
    const bool near_x_axis = ux > uy;
    auto deg = static_cast<int32_t>(near_x_axis ? uy * 45 / ux : ux * 45 / uy);
    deg += atan_correction(deg);
    if (near_x_axis) deg = 90 - deg;
    if (y < 0) return static_cast<uint16_t>(x < 0 ? 180 + deg : 180 - deg);
    return static_cast<uint16_t>(x < 0 ? 360 - deg : deg);
}

void lv_rand_set_seed(uint32_t seed)
{
    rand_seed = seed;
}

uint32_t lv_rand(uint32_t min, uint32_t max)
{
    rand_seed ^= rand_seed << 13;
    rand_seed ^= rand_seed >> 17;
    rand_seed ^= rand_seed << 5;
    if (max <= min) return min;
    return min + rand_seed % (max - min + 1);
}

}  // extern "C"
