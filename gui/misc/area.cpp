// The public area and point functions, percentage coordinates.
#include "lvgl.h"
#include "gui/misc/area.hpp"

namespace {

// Offset of `to_align`'s top-left corner from `base`'s for an alignment.
lv_point_t align_offset(int32_t bw, int32_t bh, int32_t tw, int32_t th, lv_align_t align)
{
    const int32_t mid_x = bw / 2 - tw / 2;
    const int32_t mid_y = bh / 2 - th / 2;
    switch (align) {
    case LV_ALIGN_TOP_MID: return {mid_x, 0};
    case LV_ALIGN_TOP_RIGHT: return {bw - tw, 0};
    case LV_ALIGN_BOTTOM_LEFT: return {0, bh - th};
    case LV_ALIGN_BOTTOM_MID: return {mid_x, bh - th};
    case LV_ALIGN_BOTTOM_RIGHT: return {bw - tw, bh - th};
    case LV_ALIGN_LEFT_MID: return {0, mid_y};
    case LV_ALIGN_RIGHT_MID: return {bw - tw, mid_y};
    case LV_ALIGN_CENTER: return {mid_x, mid_y};
    case LV_ALIGN_OUT_TOP_LEFT: return {0, -th};
    case LV_ALIGN_OUT_TOP_MID: return {mid_x, -th};
    case LV_ALIGN_OUT_TOP_RIGHT: return {bw - tw, -th};
    case LV_ALIGN_OUT_BOTTOM_LEFT: return {0, bh};
    case LV_ALIGN_OUT_BOTTOM_MID: return {mid_x, bh};
    case LV_ALIGN_OUT_BOTTOM_RIGHT: return {bw - tw, bh};
    case LV_ALIGN_OUT_LEFT_TOP: return {-tw, 0};
    case LV_ALIGN_OUT_LEFT_MID: return {-tw, mid_y};
    case LV_ALIGN_OUT_LEFT_BOTTOM: return {-tw, bh - th};
    case LV_ALIGN_OUT_RIGHT_TOP: return {bw, 0};
    case LV_ALIGN_OUT_RIGHT_MID: return {bw, mid_y};
    case LV_ALIGN_OUT_RIGHT_BOTTOM: return {bw, bh - th};
    case LV_ALIGN_DEFAULT:
    case LV_ALIGN_TOP_LEFT:
    default: return {0, 0};
    }
}

}  // namespace

extern "C" {

void lv_area_set(lv_area_t * area_p, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    area_p->x1 = x1;
    area_p->y1 = y1;
    area_p->x2 = x2;
    area_p->y2 = y2;
}

int32_t lv_area_get_width(const lv_area_t * area_p)
{
    return gui::area::width(*area_p);
}

int32_t lv_area_get_height(const lv_area_t * area_p)
{
    return gui::area::height(*area_p);
}

void lv_area_set_width(lv_area_t * area_p, int32_t w)
{
    area_p->x2 = area_p->x1 + w - 1;
}

void lv_area_set_height(lv_area_t * area_p, int32_t h)
{
    area_p->y2 = area_p->y1 + h - 1;
}

uint32_t lv_area_get_size(const lv_area_t * area_p)
{
    return static_cast<uint32_t>(lv_area_get_width(area_p)) * static_cast<uint32_t>(lv_area_get_height(area_p));
}

void lv_area_increase(lv_area_t * area, int32_t w_extra, int32_t h_extra)
{
    area->x1 -= w_extra;
    area->x2 += w_extra;
    area->y1 -= h_extra;
    area->y2 += h_extra;
}

void lv_area_move(lv_area_t * area, int32_t x_ofs, int32_t y_ofs)
{
    area->x1 += x_ofs;
    area->x2 += x_ofs;
    area->y1 += y_ofs;
    area->y2 += y_ofs;
}

void lv_area_align(const lv_area_t * base, lv_area_t * to_align, lv_align_t align, int32_t ofs_x, int32_t ofs_y)
{
    const int32_t tw = lv_area_get_width(to_align);
    const int32_t th = lv_area_get_height(to_align);
    const lv_point_t ofs = align_offset(lv_area_get_width(base), lv_area_get_height(base), tw, th, align);
    to_align->x1 = base->x1 + ofs.x + ofs_x;
    to_align->y1 = base->y1 + ofs.y + ofs_y;
    to_align->x2 = to_align->x1 + tw - 1;
    to_align->y2 = to_align->y1 + th - 1;
}

void lv_point_set(lv_point_t * p, int32_t x, int32_t y)
{
    p->x = x;
    p->y = y;
}

int32_t lv_pct(int32_t x)
{
    return LV_PCT(x);
}

int32_t lv_pct_to_px(int32_t v, int32_t base)
{
    if (LV_COORD_IS_PCT(v)) return LV_COORD_GET_PCT(v) * base / 100;
    return v;
}

}  // extern "C"
