// Geometry: sizes, positions, alignment, the layout pass and invalidation.
#include <algorithm>
#include <vector>

#include "lvgl.h"
#include "gui/core/layout.hpp"
#include "gui/core/obj.hpp"
#include "gui/core/scroll_internal.hpp"
#include "gui/display/display.hpp"
#include "gui/misc/area.hpp"

namespace {

constexpr int kMaxLayoutRounds = 64;

struct LayoutRoutine {
    lv_layout_update_cb_t cb;
    void * user_data;
};

std::vector<LayoutRoutine> & layouts()
{
    static std::vector<LayoutRoutine> list;
    return list;
}

bool size_is_content(int32_t v)
{
    return v == LV_SIZE_CONTENT;
}

bool is_left_aligned(lv_align_t a)
{
    return a == LV_ALIGN_DEFAULT || a == LV_ALIGN_TOP_LEFT || a == LV_ALIGN_BOTTOM_LEFT || a == LV_ALIGN_LEFT_MID;
}

bool is_top_aligned(lv_align_t a)
{
    return a == LV_ALIGN_DEFAULT || a == LV_ALIGN_TOP_LEFT || a == LV_ALIGN_TOP_MID || a == LV_ALIGN_TOP_RIGHT;
}

bool counts_for_content(const lv_obj_t * child)
{
    return !lv_obj_has_flag_any(child, static_cast<lv_obj_flag_t>(LV_OBJ_FLAG_HIDDEN | LV_OBJ_FLAG_FLOATING));
}

int32_t content_width_of(lv_obj_t * obj)
{
    int32_t space_left = lv_obj_get_style_space_left(obj, LV_PART_MAIN);
    int32_t space_right = lv_obj_get_style_space_right(obj, LV_PART_MAIN);
    int32_t self_w = lv_obj_get_self_width(obj) + space_left + space_right;
    int32_t child_res = LV_COORD_MIN;
    for (const auto & c : obj->children) {
        lv_obj_t * child = c.get();
        if (!counts_for_content(child)) continue;
        int32_t margin_right = lv_obj_get_style_margin_right(child, LV_PART_MAIN);
        // Logical right edge: without the scroll displacement.
        int32_t right = child->coords.x2 - obj->scroll.x - obj->coords.x1 + 1 + margin_right;
        if (lv_obj_is_layout_positioned(child) || is_left_aligned(lv_obj_get_style_align(child, LV_PART_MAIN))) {
            child_res = std::max(child_res, right);
        } else if (lv_obj_get_style_x(child, LV_PART_MAIN) == 0) {
            int32_t margin_left = lv_obj_get_style_margin_left(child, LV_PART_MAIN);
            child_res = std::max(child_res, gui::area::width(child->coords) + space_left + margin_left + margin_right);
        }
    }
    if (child_res != LV_COORD_MIN) child_res += space_right;
    return std::max(child_res, self_w);
}

int32_t content_height_of(lv_obj_t * obj)
{
    int32_t space_top = lv_obj_get_style_space_top(obj, LV_PART_MAIN);
    int32_t space_bottom = lv_obj_get_style_space_bottom(obj, LV_PART_MAIN);
    int32_t self_h = lv_obj_get_self_height(obj) + space_top + space_bottom;
    int32_t child_res = LV_COORD_MIN;
    for (const auto & c : obj->children) {
        lv_obj_t * child = c.get();
        if (!counts_for_content(child)) continue;
        int32_t margin_bottom = lv_obj_get_style_margin_bottom(child, LV_PART_MAIN);
        int32_t bottom = child->coords.y2 - obj->scroll.y - obj->coords.y1 + 1 + margin_bottom;
        if (lv_obj_is_layout_positioned(child) || is_top_aligned(lv_obj_get_style_align(child, LV_PART_MAIN))) {
            child_res = std::max(child_res, bottom);
        } else if (lv_obj_get_style_y(child, LV_PART_MAIN) == 0) {
            int32_t margin_top = lv_obj_get_style_margin_top(child, LV_PART_MAIN);
            child_res = std::max(child_res, gui::area::height(child->coords) + space_top + margin_top + margin_bottom);
        }
    }
    if (child_res != LV_COORD_MIN) child_res += space_bottom;
    return std::max(child_res, self_h);
}

// A width-like value (size, min or max) resolved against the parent.
int32_t resolve_extent(lv_obj_t * obj, int32_t v, int32_t parent_content, bool parent_is_content, bool horizontal)
{
    if (size_is_content(v)) return horizontal ? content_width_of(obj) : content_height_of(obj);
    if (!LV_COORD_IS_PCT(v)) return v;
    if (parent_is_content) {
        // Circular dependency: only the object's own padding and border.
        return horizontal
                   ? lv_obj_get_style_space_left(obj, LV_PART_MAIN) + lv_obj_get_style_space_right(obj, LV_PART_MAIN)
                   : lv_obj_get_style_space_top(obj, LV_PART_MAIN) + lv_obj_get_style_space_bottom(obj, LV_PART_MAIN);
    }
    int32_t margins =
        horizontal ? lv_obj_get_style_margin_left(obj, LV_PART_MAIN) + lv_obj_get_style_margin_right(obj, LV_PART_MAIN)
                   : lv_obj_get_style_margin_top(obj, LV_PART_MAIN) + lv_obj_get_style_margin_bottom(obj, LV_PART_MAIN);
    return LV_COORD_GET_PCT(v) * parent_content / 100 - margins;
}

int32_t compute_width(lv_obj_t * obj)
{
    lv_obj_t * parent = obj->parent;
    int32_t pw = lv_obj_get_content_width(parent);
    bool parent_content = size_is_content(lv_obj_get_style_width(parent, LV_PART_MAIN)) && !parent->w_layout;
    int32_t w = obj->w_layout
                    ? gui::area::width(obj->coords)
                    : resolve_extent(obj, lv_obj_get_style_width(obj, LV_PART_MAIN), pw, parent_content, true);
    int32_t minw = resolve_extent(obj, lv_obj_get_style_min_width(obj, LV_PART_MAIN), pw, parent_content, true);
    int32_t maxw = resolve_extent(obj, lv_obj_get_style_max_width(obj, LV_PART_MAIN), pw, parent_content, true);
    return std::max(minw, std::min(w, maxw));
}

int32_t compute_height(lv_obj_t * obj)
{
    lv_obj_t * parent = obj->parent;
    int32_t ph = lv_obj_get_content_height(parent);
    bool parent_content = size_is_content(lv_obj_get_style_height(parent, LV_PART_MAIN)) && !parent->h_layout;
    int32_t h = obj->h_layout
                    ? gui::area::height(obj->coords)
                    : resolve_extent(obj, lv_obj_get_style_height(obj, LV_PART_MAIN), ph, parent_content, false);
    int32_t minh = resolve_extent(obj, lv_obj_get_style_min_height(obj, LV_PART_MAIN), ph, parent_content, false);
    int32_t maxh = resolve_extent(obj, lv_obj_get_style_max_height(obj, LV_PART_MAIN), ph, parent_content, false);
    return std::max(minh, std::min(h, maxh));
}

void update_core(lv_obj_t * obj)
{
    // Children first (index walk: handlers may change the tree).
    for (size_t i = 0; i < obj->children.size(); i++) update_core(obj->children[i].get());
    if (!obj->layout_inv) return;
    obj->layout_inv = false;
    lv_obj_refr_size(obj);
    lv_obj_refr_pos(obj);
    uint32_t layout = lv_obj_get_style_layout(obj, LV_PART_MAIN);
    if (layout != LV_LAYOUT_NONE && !obj->children.empty()) gui::core::apply_layout(obj, layout);
}

bool needs_layout(const lv_obj_t * obj)
{
    if (obj->layout_inv) return true;
    return std::any_of(obj->children.begin(), obj->children.end(),
                       [](const auto & c) { return needs_layout(c.get()); });
}

// Clips `area` to obj's ancestors' boxes; false when nothing of it can show.
bool visible_part(const lv_obj_t * obj, lv_area_t & area)
{
    lv_display_t * disp = lv_obj_get_display(obj);
    if (disp == nullptr) return false;
    const lv_obj_t * scr = lv_obj_get_screen(obj);
    bool shown = scr == disp->act_scr || scr == disp->prev_scr || scr == disp->bottom_layer.get() ||
                 scr == disp->top_layer.get() || scr == disp->sys_layer.get();
    if (!shown) return false;
    for (const lv_obj_t * p = obj; p != nullptr; p = p->parent) {
        if (lv_obj_has_flag(p, LV_OBJ_FLAG_HIDDEN)) return false;
        if (p == obj || lv_obj_has_flag(p, LV_OBJ_FLAG_OVERFLOW_VISIBLE)) continue;
        if (!gui::area::intersect(area, area, p->coords)) return false;
    }
    return true;
}

constexpr int32_t kTransformInvalidateMargin = 5;
constexpr int32_t kTrigoMax = 32768;

// The bounding box of `a` after obj's scale and rotation around its pivot.
lv_area_t transform_area(const lv_obj_t * obj, const lv_area_t & a)
{
    int32_t rot = lv_obj_get_style_transform_rotation(obj, LV_PART_MAIN);
    int32_t sx = lv_obj_get_style_transform_scale_x_safe(obj, LV_PART_MAIN);
    int32_t sy = lv_obj_get_style_transform_scale_y_safe(obj, LV_PART_MAIN);
    if (rot == 0 && sx == LV_SCALE_NONE && sy == LV_SCALE_NONE) return a;
    const lv_point_t pivot = gui::core::transform_pivot(obj);
    int64_t cx = obj->coords.x1 + pivot.x;
    int64_t cy = obj->coords.y1 + pivot.y;
    auto deg = static_cast<int16_t>(rot / 10);
    int64_t sn = lv_trigo_sin(deg);
    int64_t cs = lv_trigo_cos(deg);
    lv_area_t out{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t x : {a.x1, a.x2 + 1}) {
        for (int32_t y : {a.y1, a.y2 + 1}) {
            int64_t dx = (x - cx) * sx / LV_SCALE_NONE;
            int64_t dy = (y - cy) * sy / LV_SCALE_NONE;
            auto tx = static_cast<int32_t>(cx + (dx * cs - dy * sn) / kTrigoMax);
            auto ty = static_cast<int32_t>(cy + (dx * sn + dy * cs) / kTrigoMax);
            out.x1 = std::min(out.x1, tx);
            out.y1 = std::min(out.y1, ty);
            out.x2 = std::max(out.x2, tx);
            out.y2 = std::max(out.y2, ty);
        }
    }
    return gui::area::grow(out, kTransformInvalidateMargin);
}

lv_area_t aligned_position(lv_align_t align, int32_t pw, int32_t ph, int32_t w, int32_t h)
{
    lv_area_t p{0, 0, 0, 0};
    switch (align) {
    case LV_ALIGN_TOP_MID: p.x1 = pw / 2 - w / 2; break;
    case LV_ALIGN_TOP_RIGHT: p.x1 = pw - w; break;
    case LV_ALIGN_BOTTOM_LEFT: p.y1 = ph - h; break;
    case LV_ALIGN_BOTTOM_MID:
        p.x1 = pw / 2 - w / 2;
        p.y1 = ph - h;
        break;
    case LV_ALIGN_BOTTOM_RIGHT:
        p.x1 = pw - w;
        p.y1 = ph - h;
        break;
    case LV_ALIGN_LEFT_MID: p.y1 = ph / 2 - h / 2; break;
    case LV_ALIGN_RIGHT_MID:
        p.x1 = pw - w;
        p.y1 = ph / 2 - h / 2;
        break;
    case LV_ALIGN_CENTER:
        p.x1 = pw / 2 - w / 2;
        p.y1 = ph / 2 - h / 2;
        break;
    default: break;
    }
    return p;
}

}  // namespace

namespace gui::core {

void layout_init()
{
    layouts().clear();
    lv_flex_init();
}

void apply_layout(lv_obj_t * obj, uint32_t id)
{
    if (id == LV_LAYOUT_NONE || id > layouts().size()) return;
    const LayoutRoutine & r = layouts()[id - 1];
    r.cb(obj, r.user_data);
    lv_obj_send_event(obj, LV_EVENT_LAYOUT_CHANGED, nullptr);
}

bool resize(lv_obj_t * obj, int32_t w, int32_t h)
{
    if (w == gui::area::width(obj->coords) && h == gui::area::height(obj->coords)) return false;
    lv_obj_invalidate(obj);
    lv_area_t ori = obj->coords;
    obj->coords.x2 = obj->coords.x1 + w - 1;
    obj->coords.y2 = obj->coords.y1 + h - 1;
    lv_obj_send_event(obj, LV_EVENT_SIZE_CHANGED, &ori);
    if (obj->parent != nullptr) lv_obj_send_event(obj->parent, LV_EVENT_CHILD_CHANGED, obj);
    lv_obj_invalidate(obj);
    // How far the drawing reaches may depend on the size (and handlers may
    // have been added since the last style change).
    gui::core::refresh_ext_draw_size(obj);
    return true;
}

lv_area_t content_area(const lv_obj_t * obj)
{
    lv_area_t a = obj->coords;
    a.x1 += lv_obj_get_style_space_left(obj, LV_PART_MAIN);
    a.x2 -= lv_obj_get_style_space_right(obj, LV_PART_MAIN);
    a.y1 += lv_obj_get_style_space_top(obj, LV_PART_MAIN);
    a.y2 -= lv_obj_get_style_space_bottom(obj, LV_PART_MAIN);
    return a;
}

lv_point_t transform_pivot(const lv_obj_t * obj)
{
    return {lv_pct_to_px(lv_obj_get_style_transform_pivot_x(obj, LV_PART_MAIN), gui::area::width(obj->coords)),
            lv_pct_to_px(lv_obj_get_style_transform_pivot_y(obj, LV_PART_MAIN), gui::area::height(obj->coords))};
}

void move_tree(lv_obj_t * obj, int32_t dx, int32_t dy)
{
    lv_area_move(&obj->coords, dx, dy);
    lv_obj_move_children_by(obj, dx, dy, false);
}

}  // namespace gui::core

extern "C" {

uint32_t lv_layout_register(lv_layout_update_cb_t cb, void * user_data)
{
    layouts().push_back({cb, user_data});
    return static_cast<uint32_t>(layouts().size());
}

void lv_obj_set_pos(lv_obj_t * obj, int32_t x, int32_t y)
{
    lv_obj_set_x(obj, x);
    lv_obj_set_y(obj, y);
}

void lv_obj_set_x(lv_obj_t * obj, int32_t x)
{
    lv_style_value_t v;
    if (lv_obj_get_local_style_prop(obj, LV_STYLE_X, &v, 0) == LV_STYLE_RES_FOUND && v.num == x) return;
    lv_obj_set_style_x(obj, x, 0);
}

void lv_obj_set_y(lv_obj_t * obj, int32_t y)
{
    lv_style_value_t v;
    if (lv_obj_get_local_style_prop(obj, LV_STYLE_Y, &v, 0) == LV_STYLE_RES_FOUND && v.num == y) return;
    lv_obj_set_style_y(obj, y, 0);
}

void lv_obj_set_size(lv_obj_t * obj, int32_t w, int32_t h)
{
    lv_obj_set_width(obj, w);
    lv_obj_set_height(obj, h);
}

void lv_obj_set_width(lv_obj_t * obj, int32_t w)
{
    lv_style_value_t v;
    if (lv_obj_get_local_style_prop(obj, LV_STYLE_WIDTH, &v, 0) == LV_STYLE_RES_FOUND && v.num == w) return;
    lv_obj_set_style_width(obj, w, 0);
}

void lv_obj_set_height(lv_obj_t * obj, int32_t h)
{
    lv_style_value_t v;
    if (lv_obj_get_local_style_prop(obj, LV_STYLE_HEIGHT, &v, 0) == LV_STYLE_RES_FOUND && v.num == h) return;
    lv_obj_set_style_height(obj, h, 0);
}

void lv_obj_set_content_width(lv_obj_t * obj, int32_t w)
{
    lv_obj_set_width(obj, w + lv_obj_get_style_space_left(obj, LV_PART_MAIN) +
                              lv_obj_get_style_space_right(obj, LV_PART_MAIN));
}

void lv_obj_set_content_height(lv_obj_t * obj, int32_t h)
{
    lv_obj_set_height(obj, h + lv_obj_get_style_space_top(obj, LV_PART_MAIN) +
                               lv_obj_get_style_space_bottom(obj, LV_PART_MAIN));
}

void lv_obj_set_layout(lv_obj_t * obj, uint32_t layout)
{
    lv_obj_set_style_layout(obj, static_cast<uint16_t>(layout), 0);
    lv_obj_mark_layout_as_dirty(obj);
}

bool lv_obj_is_layout_positioned(const lv_obj_t * obj)
{
    if (lv_obj_has_flag_any(
            obj, static_cast<lv_obj_flag_t>(LV_OBJ_FLAG_HIDDEN | LV_OBJ_FLAG_IGNORE_LAYOUT | LV_OBJ_FLAG_FLOATING))) {
        return false;
    }
    const lv_obj_t * parent = obj->parent;
    return parent != nullptr && lv_obj_get_style_layout(parent, LV_PART_MAIN) != LV_LAYOUT_NONE;
}

void lv_obj_mark_layout_as_dirty(lv_obj_t * obj)
{
    if (obj == nullptr) return;
    obj->layout_inv = true;
    lv_display_t * disp = lv_obj_get_display(obj);
    if (disp != nullptr) {
        disp->layout_pending = true;
        gui::display::request_refresh(disp);
    }
}

void lv_obj_update_layout(const lv_obj_t * obj)
{
    lv_obj_t * scr = lv_obj_get_screen(obj);
    if (scr == nullptr) return;
    if (!needs_layout(scr)) return;
    // Size changes mark more objects; repeat until the tree is settled.
    int round = 0;
    do {
        update_core(scr);
    } while (++round < kMaxLayoutRounds && needs_layout(scr));
    gui::scroll::readjust_after_layout(scr);
}

bool lv_obj_refr_size(lv_obj_t * obj)
{
    if (obj->parent == nullptr) {
        lv_display_t * disp = obj->display;
        if (disp == nullptr) return false;
        return gui::core::resize(obj, lv_display_get_horizontal_resolution(disp),
                                 lv_display_get_vertical_resolution(disp));
    }
    return gui::core::resize(obj, compute_width(obj), compute_height(obj));
}

void lv_obj_refr_pos(lv_obj_t * obj)
{
    if (lv_obj_is_layout_positioned(obj)) return;
    lv_obj_t * parent = obj->parent;
    if (parent == nullptr) {
        lv_obj_move_to(obj, 0, 0);
        return;
    }
    int32_t pw = lv_obj_get_content_width(parent);
    int32_t ph = lv_obj_get_content_height(parent);
    int32_t x = lv_obj_get_style_x(obj, LV_PART_MAIN);
    int32_t y = lv_obj_get_style_y(obj, LV_PART_MAIN);
    // A parent sized to its content gives a percentage nothing to refer to.
    if (LV_COORD_IS_PCT(x)) {
        x = size_is_content(lv_obj_get_style_width(parent, LV_PART_MAIN)) ? 0 : LV_COORD_GET_PCT(x) * pw / 100;
    }
    if (LV_COORD_IS_PCT(y)) {
        y = size_is_content(lv_obj_get_style_height(parent, LV_PART_MAIN)) ? 0 : LV_COORD_GET_PCT(y) * ph / 100;
    }

    int32_t w = lv_obj_get_width(obj);
    int32_t h = lv_obj_get_height(obj);
    int32_t tx = lv_obj_get_style_translate_x(obj, LV_PART_MAIN);
    int32_t ty = lv_obj_get_style_translate_y(obj, LV_PART_MAIN);
    if (LV_COORD_IS_PCT(tx)) tx = LV_COORD_GET_PCT(tx) * w / 100;
    if (LV_COORD_IS_PCT(ty)) ty = LV_COORD_GET_PCT(ty) * h / 100;

    lv_area_t a = aligned_position(lv_obj_get_style_align(obj, LV_PART_MAIN), pw, ph, w, h);
    lv_obj_move_to(obj, a.x1 + x + tx, a.y1 + y + ty);
}

void lv_obj_set_align(lv_obj_t * obj, lv_align_t align)
{
    lv_obj_set_style_align(obj, align, 0);
}

void lv_obj_align(lv_obj_t * obj, lv_align_t align, int32_t x_ofs, int32_t y_ofs)
{
    lv_obj_set_style_align(obj, align, 0);
    lv_obj_set_pos(obj, x_ofs, y_ofs);
}

void lv_obj_align_to(lv_obj_t * obj, const lv_obj_t * base, lv_align_t align, int32_t x_ofs, int32_t y_ofs)
{
    if (obj == nullptr) return;
    lv_obj_update_layout(obj);
    if (base == nullptr) base = obj->parent;
    if (base == nullptr) return;
    int32_t bw = lv_obj_get_width(base);
    int32_t bh = lv_obj_get_height(base);
    if (LV_COORD_IS_PCT(x_ofs)) x_ofs = bw * LV_COORD_GET_PCT(x_ofs) / 100;
    if (LV_COORD_IS_PCT(y_ofs)) y_ofs = bh * LV_COORD_GET_PCT(y_ofs) / 100;
    lv_area_t target = obj->coords;
    lv_area_align(&base->coords, &target, align, x_ofs, y_ofs);
    // Back to a position relative to the parent's content origin.
    lv_obj_t * parent = obj->parent;
    int32_t x = target.x1;
    int32_t y = target.y1;
    if (parent != nullptr) {
        x -= parent->coords.x1 + lv_obj_get_style_space_left(parent, LV_PART_MAIN) + parent->scroll.x;
        y -= parent->coords.y1 + lv_obj_get_style_space_top(parent, LV_PART_MAIN) + parent->scroll.y;
    }
    lv_obj_set_style_align(obj, LV_ALIGN_TOP_LEFT, 0);
    lv_obj_set_pos(obj, x, y);
}

void lv_obj_center(lv_obj_t * obj)
{
    lv_obj_align(obj, LV_ALIGN_CENTER, 0, 0);
}

void lv_obj_get_coords(const lv_obj_t * obj, lv_area_t * coords)
{
    *coords = obj->coords;
}

int32_t lv_obj_get_x(const lv_obj_t * obj)
{
    const lv_obj_t * parent = obj->parent;
    if (parent == nullptr) return obj->coords.x1;
    int32_t rel = obj->coords.x1 - parent->coords.x1 - lv_obj_get_style_space_left(parent, LV_PART_MAIN);
    if (!lv_obj_has_flag(obj, LV_OBJ_FLAG_FLOATING)) rel -= parent->scroll.x;
    return rel;
}

int32_t lv_obj_get_x2(const lv_obj_t * obj)
{
    return lv_obj_get_x(obj) + lv_obj_get_width(obj);
}

int32_t lv_obj_get_y(const lv_obj_t * obj)
{
    const lv_obj_t * parent = obj->parent;
    if (parent == nullptr) return obj->coords.y1;
    int32_t rel = obj->coords.y1 - parent->coords.y1 - lv_obj_get_style_space_top(parent, LV_PART_MAIN);
    if (!lv_obj_has_flag(obj, LV_OBJ_FLAG_FLOATING)) rel -= parent->scroll.y;
    return rel;
}

int32_t lv_obj_get_y2(const lv_obj_t * obj)
{
    return lv_obj_get_y(obj) + lv_obj_get_height(obj);
}

int32_t lv_obj_get_x_aligned(const lv_obj_t * obj)
{
    return lv_obj_get_style_x(obj, LV_PART_MAIN);
}

int32_t lv_obj_get_y_aligned(const lv_obj_t * obj)
{
    return lv_obj_get_style_y(obj, LV_PART_MAIN);
}

int32_t lv_obj_get_width(const lv_obj_t * obj)
{
    return gui::area::width(obj->coords);
}

int32_t lv_obj_get_height(const lv_obj_t * obj)
{
    return gui::area::height(obj->coords);
}

int32_t lv_obj_get_content_width(const lv_obj_t * obj)
{
    return lv_obj_get_width(obj) - lv_obj_get_style_space_left(obj, LV_PART_MAIN) -
           lv_obj_get_style_space_right(obj, LV_PART_MAIN);
}

int32_t lv_obj_get_content_height(const lv_obj_t * obj)
{
    return lv_obj_get_height(obj) - lv_obj_get_style_space_top(obj, LV_PART_MAIN) -
           lv_obj_get_style_space_bottom(obj, LV_PART_MAIN);
}

void lv_obj_get_content_coords(const lv_obj_t * obj, lv_area_t * area)
{
    *area = gui::core::content_area(obj);
}

int32_t lv_obj_get_self_width(const lv_obj_t * obj)
{
    lv_point_t p{0, 0};
    lv_obj_send_event(const_cast<lv_obj_t *>(obj), LV_EVENT_GET_SELF_SIZE, &p);
    return p.x;
}

int32_t lv_obj_get_self_height(const lv_obj_t * obj)
{
    lv_point_t p{0, 0};
    lv_obj_send_event(const_cast<lv_obj_t *>(obj), LV_EVENT_GET_SELF_SIZE, &p);
    return p.y;
}

bool lv_obj_refresh_self_size(lv_obj_t * obj)
{
    int32_t w = lv_obj_get_style_width(obj, LV_PART_MAIN);
    int32_t h = lv_obj_get_style_height(obj, LV_PART_MAIN);
    if (w != LV_SIZE_CONTENT && h != LV_SIZE_CONTENT) return false;
    lv_obj_mark_layout_as_dirty(obj);
    return true;
}

void lv_obj_move_to(lv_obj_t * obj, int32_t x, int32_t y)
{
    lv_obj_t * parent = obj->parent;
    if (parent != nullptr) {
        x += parent->coords.x1 + lv_obj_get_style_space_left(parent, LV_PART_MAIN);
        y += parent->coords.y1 + lv_obj_get_style_space_top(parent, LV_PART_MAIN);
        if (!lv_obj_has_flag(obj, LV_OBJ_FLAG_FLOATING)) {
            x += parent->scroll.x;
            y += parent->scroll.y;
        }
    }
    int32_t dx = x - obj->coords.x1;
    int32_t dy = y - obj->coords.y1;
    if (dx == 0 && dy == 0) return;
    lv_obj_invalidate(obj);
    lv_area_t ori = obj->coords;
    gui::core::move_tree(obj, dx, dy);
    lv_obj_send_event(obj, LV_EVENT_SIZE_CHANGED, &ori);
    lv_obj_invalidate(obj);
}

void lv_obj_move_children_by(lv_obj_t * obj, int32_t x_diff, int32_t y_diff, bool ignore_floating)
{
    for (auto & c : obj->children) {
        lv_obj_t * child = c.get();
        if (ignore_floating && lv_obj_has_flag(child, LV_OBJ_FLAG_FLOATING)) continue;
        lv_area_move(&child->coords, x_diff, y_diff);
        lv_obj_move_children_by(child, x_diff, y_diff, false);
    }
}

void lv_obj_invalidate_area(const lv_obj_t * obj, const lv_area_t * area)
{
    lv_area_t a = *area;
    if (!visible_part(obj, a)) return;
    // What transformed ancestors (and obj itself) make of the area on the screen.
    for (const lv_obj_t * p = obj; p != nullptr; p = p->parent) a = transform_area(p, a);
    gui::display::invalidate_area(lv_obj_get_display(obj), a);
}

void lv_obj_invalidate(const lv_obj_t * obj)
{
    if (obj == nullptr) return;
    const lv_area_t a = gui::area::grow(obj->coords, obj->ext_draw_size);
    lv_obj_invalidate_area(obj, &a);
}

bool lv_obj_area_is_visible(const lv_obj_t * obj, lv_area_t * area)
{
    if (!visible_part(obj, *area)) return false;
    lv_display_t * disp = lv_obj_get_display(obj);
    lv_area_t screen{0, 0, lv_display_get_horizontal_resolution(disp) - 1,
                     lv_display_get_vertical_resolution(disp) - 1};
    return gui::area::intersect(*area, *area, screen);
}

bool lv_obj_is_visible(const lv_obj_t * obj)
{
    lv_area_t a = obj->coords;
    return lv_obj_area_is_visible(obj, &a);
}

int32_t lv_clamp_width(int32_t width, int32_t min_width, int32_t max_width, int32_t ref_width)
{
    if (LV_COORD_IS_PCT(min_width)) min_width = ref_width * LV_COORD_GET_PCT(min_width) / 100;
    if (LV_COORD_IS_PCT(max_width)) max_width = ref_width * LV_COORD_GET_PCT(max_width) / 100;
    return std::max(min_width, std::min(width, max_width));
}

int32_t lv_clamp_height(int32_t height, int32_t min_height, int32_t max_height, int32_t ref_height)
{
    return lv_clamp_width(height, min_height, max_height, ref_height);
}

}  // extern "C"
