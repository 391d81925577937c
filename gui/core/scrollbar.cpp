// Scrollbars: when they show, where they sit, and drawing them.
#include "gui/core/obj.hpp"
#include "gui/core/obj_draw.hpp"
#include "gui/core/scroll_internal.hpp"
#include "gui/core/scroll_math.hpp"
#include "gui/draw/draw.hpp"
#include "gui/indev/indev_hooks.hpp"
#include "gui/misc/area.hpp"

namespace {

using gui::scroll::Axis;

constexpr lv_area_t kNoArea{0, 0, -1, -1};

// True while a device drags obj on that axis.
bool actively_scrolled(const lv_obj_t * obj, Axis axis)
{
    const lv_dir_t dir = gui::input::device_scroll_dir(obj);
    return (dir & (axis == Axis::X ? LV_DIR_HOR : LV_DIR_VER)) != 0;
}

bool bar_shown(const lv_obj_t * obj, Axis axis)
{
    const uint8_t dir_mask = axis == Axis::X ? LV_DIR_HOR : LV_DIR_VER;
    switch (obj->scrollbar_mode) {
    case LV_SCROLLBAR_MODE_ON: return true;
    case LV_SCROLLBAR_MODE_ACTIVE: return actively_scrolled(obj, axis);
    case LV_SCROLLBAR_MODE_AUTO:
        return (obj->scroll_dir & dir_mask) &&
               (gui::scroll::hidden_before(obj, axis) > 0 || gui::scroll::hidden_after(obj, axis) > 0);
    default: return false;
    }
}

}  // namespace

namespace gui::scroll {

void draw_scrollbars(lv_obj_t * obj, gui::draw::Target & target)
{
    lv_area_t hor;
    lv_area_t ver;
    lv_obj_get_scrollbar_area(obj, &hor, &ver);
    if (gui::area::width(hor) <= 0 && gui::area::width(ver) <= 0) return;
    gui::draw::RectDsc dsc;
    gui::core::init_rect_dsc(obj, LV_PART_SCROLLBAR, dsc);
    const bool bg = dsc.bg_opa > LV_OPA_MIN;
    const bool border = dsc.border_width > 0 && dsc.border_opa > LV_OPA_MIN;
    if (!bg && !border) return;
    dsc.border_post = false;
    if (gui::area::width(hor) > 0) gui::draw::draw_rect(target, hor, dsc);
    if (gui::area::width(ver) > 0) gui::draw::draw_rect(target, ver, dsc);
}

}  // namespace gui::scroll

extern "C" {

void lv_obj_get_scrollbar_area(lv_obj_t * obj, lv_area_t * hor, lv_area_t * ver)
{
    if (hor) *hor = kNoArea;
    if (ver) *ver = kNoArea;
    if (!obj || !hor || !ver) return;
    if (!(obj->flags & LV_OBJ_FLAG_SCROLLABLE) || obj->scrollbar_mode == LV_SCROLLBAR_MODE_OFF) return;
    const bool hor_on = bar_shown(obj, Axis::X);
    const bool ver_on = bar_shown(obj, Axis::Y);
    if (!hor_on && !ver_on) return;

    const int32_t thickness = lv_obj_get_style_width(obj, LV_PART_SCROLLBAR);
    const int32_t pad_top = lv_obj_get_style_pad_top(obj, LV_PART_SCROLLBAR);
    const int32_t pad_bottom = lv_obj_get_style_pad_bottom(obj, LV_PART_SCROLLBAR);
    const int32_t pad_left = lv_obj_get_style_pad_left(obj, LV_PART_SCROLLBAR);
    const int32_t pad_right = lv_obj_get_style_pad_right(obj, LV_PART_SCROLLBAR);
    const int32_t min_len = LV_DPX(10);
    const lv_area_t & c = obj->coords;
    const int32_t w = gui::area::width(c);
    const int32_t h = gui::area::height(c);

    if (ver_on) {
        const int32_t track = h - pad_top - pad_bottom - (hor_on ? thickness : 0);
        const auto span = gui::scroll::scrollbar_span(track, h, gui::scroll::hidden_before(obj, Axis::Y),
                                                      gui::scroll::hidden_after(obj, Axis::Y), min_len);
        if (span.length > 0) {
            ver->x1 = c.x2 - pad_right - thickness + 1;
            ver->x2 = c.x2 - pad_right;
            ver->y1 = c.y1 + pad_top + span.offset;
            ver->y2 = ver->y1 + span.length - 1;
        }
    }
    if (hor_on) {
        const int32_t track = w - pad_left - pad_right - (ver_on ? thickness : 0);
        const auto span = gui::scroll::scrollbar_span(track, w, gui::scroll::hidden_before(obj, Axis::X),
                                                      gui::scroll::hidden_after(obj, Axis::X), min_len);
        if (span.length > 0) {
            hor->y1 = c.y2 - pad_bottom - thickness + 1;
            hor->y2 = c.y2 - pad_bottom;
            hor->x1 = c.x1 + pad_left + span.offset;
            hor->x2 = hor->x1 + span.length - 1;
        }
    }
}

void lv_obj_scrollbar_invalidate(lv_obj_t * obj)
{
    if (!obj) return;
    lv_area_t hor;
    lv_area_t ver;
    lv_obj_get_scrollbar_area(obj, &hor, &ver);
    if (gui::area::width(hor) > 0) lv_obj_invalidate_area(obj, &hor);
    if (gui::area::width(ver) > 0) lv_obj_invalidate_area(obj, &ver);
}

}  // extern "C"
