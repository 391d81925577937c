// Small area helpers used across the core (inclusive coordinates).
#pragma once

#include <algorithm>

#include "lvgl.h"

namespace gui::area {

// `out` = a ∩ b; false (out unchanged) when they do not overlap.
inline bool intersect(lv_area_t & out, const lv_area_t & a, const lv_area_t & b)
{
    lv_area_t r{std::max(a.x1, b.x1), std::max(a.y1, b.y1), std::min(a.x2, b.x2), std::min(a.y2, b.y2)};
    if(r.x1 > r.x2 || r.y1 > r.y2) return false;
    out = r;
    return true;
}

inline lv_area_t join(const lv_area_t & a, const lv_area_t & b)
{
    return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
}

// True when `inner` lies completely inside `outer`.
inline bool is_in(const lv_area_t & inner, const lv_area_t & outer)
{
    return inner.x1 >= outer.x1 && inner.y1 >= outer.y1 && inner.x2 <= outer.x2 && inner.y2 <= outer.y2;
}

inline bool overlaps(const lv_area_t & a, const lv_area_t & b)
{
    return a.x1 <= b.x2 && b.x1 <= a.x2 && a.y1 <= b.y2 && b.y1 <= a.y2;
}

inline int64_t size_of(const lv_area_t & a)
{
    return static_cast<int64_t>(a.x2 - a.x1 + 1) * (a.y2 - a.y1 + 1);
}

}  // namespace gui::area
