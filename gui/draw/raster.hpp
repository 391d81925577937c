// Row-wise rasterising helpers shared by the primitives: anti-aliased
// rounded-rectangle coverage, clip masks and span blending.
#pragma once

#include "blend.hpp"
#include "draw.hpp"
#include "gui/misc/area.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace gui::draw::raster {

// Radius limited to half of the shorter side.
inline int32_t clamp_radius(const lv_area_t & a, int32_t r)
{
    const int32_t half = std::min(area::width(a), area::height(a)) / 2;
    return std::clamp(r, 0, std::max(half, 0));
}

// Coverage of one corner quadrant of radius r: r x r bytes, row 0 is the
// outermost row, column 0 the outermost column. The circle's centre is the
// pixel corner where the quadrant meets the straight edges. Cached per radius.
const uint8_t * corner_template(int32_t r);
// Row `row` of that quadrant (for any radius).
const uint8_t * corner_row_coverage(int32_t r, int32_t row);

// Coverage of row y of a rounded rectangle, for x in [x_from, x_to] written
// to out[0 .. x_to - x_from]. Returns the sub-range [*first, *last] (absolute
// x) where coverage may be non-zero; false when the row misses entirely.
bool rrect_row(const lv_area_t & a, int32_t r, int32_t y, int32_t x_from, int32_t x_to, uint8_t * out, int32_t * first,
               int32_t * last);

// True when row y of [x_from, x_to] is fully inside the rounded rectangle.
bool rrect_row_full(const lv_area_t & a, int32_t r, int32_t y, int32_t x_from, int32_t x_to);

// Scratch rows reused across calls (the renderer is single-threaded per thread).
// Slots: 0-5 primitives, 6 glyph rows, 7 clip masks.
std::vector<uint8_t> & scratch(int slot, size_t size);

// Multiply the target's clip masks into cov for row y, x in [x1, x2].
// `cov_full` true means cov is not filled yet and stands for all-255; on
// return it is false if a mask touched the row. Returns false when nothing
// of the row remains visible.
bool apply_masks(const Target & t, int32_t y, int32_t x1, int32_t x2, uint8_t * cov, bool & cov_full);

inline uint8_t * pixel_ptr(const Target & t, int32_t x, int32_t y)
{
    return t.buf + static_cast<ptrdiff_t>(y - t.buf_area.y1) * t.stride + static_cast<ptrdiff_t>(x - t.buf_area.x1) * 4;
}

// Blend colour c with opacity opa over n pixels of t from dst on; cov (may be
// null: full coverage) scales opa per pixel. A whole span of opacity 2 or
// less is skipped.
void blend_span(const Target & t, uint8_t * dst, int32_t n, lv_color_t c, lv_opa_t opa, const uint8_t * cov);

// Fill or blend a rectangle area (already clipped) with a colour, honouring masks.
void fill_area(Target & t, const lv_area_t & area, lv_color_t c, lv_opa_t opa);

}  // namespace gui::draw::raster
