// The library's area helpers. An lv_area_t holds inclusive coordinates: it
// covers x1..x2 and y1..y2, so it is empty when x2 < x1 or y2 < y1. Every
// helper takes and returns areas by value or reference and never allocates.
// The library uses these; the public lv_area_* functions serve the C API, and
// the library calls them only for what has no helper here (moving, aligning).
#pragma once

#include <algorithm>
#include <cstdint>

#include "lvgl.h"

namespace gui::area {

inline int32_t width(const lv_area_t & a)
{
    return a.x2 - a.x1 + 1;
}

inline int32_t height(const lv_area_t & a)
{
    return a.y2 - a.y1 + 1;
}

inline bool empty(const lv_area_t & a)
{
    return a.x2 < a.x1 || a.y2 < a.y1;
}

// Number of pixels of a non-empty area.
inline int64_t size_of(const lv_area_t & a)
{
    return static_cast<int64_t>(width(a)) * height(a);
}

// `a` with every side moved outwards by d (inwards for a negative d).
inline lv_area_t grow(const lv_area_t & a, int32_t d)
{
    return {a.x1 - d, a.y1 - d, a.x2 + d, a.y2 + d};
}

// The overlap of a and b into `out` (which may be a or b) when they overlap;
// false, with `out` unchanged, when they do not.
inline bool intersect(lv_area_t & out, const lv_area_t & a, const lv_area_t & b)
{
    const lv_area_t r{std::max(a.x1, b.x1), std::max(a.y1, b.y1), std::min(a.x2, b.x2), std::min(a.y2, b.y2)};
    if (empty(r)) return false;
    out = r;
    return true;
}

// The smallest area covering both.
inline lv_area_t join(const lv_area_t & a, const lv_area_t & b)
{
    return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
}

inline bool overlaps(const lv_area_t & a, const lv_area_t & b)
{
    return a.x1 <= b.x2 && b.x1 <= a.x2 && a.y1 <= b.y2 && b.y1 <= a.y2;
}

// True when `inner` lies completely inside `outer`.
inline bool is_in(const lv_area_t & inner, const lv_area_t & outer)
{
    return inner.x1 >= outer.x1 && inner.y1 >= outer.y1 && inner.x2 <= outer.x2 && inner.y2 <= outer.y2;
}

inline bool contains(const lv_area_t & a, const lv_point_t & p)
{
    return p.x >= a.x1 && p.x <= a.x2 && p.y >= a.y1 && p.y <= a.y2;
}

}  // namespace gui::area
