// Hit testing: which object a pointer press lands on.
#include "gui/core/obj.hpp"
#include "gui/indev/indev_internal.hpp"
#include "gui/misc/area.hpp"

namespace {

// A rotated or scaled object is tested (with its children) in its own,
// untransformed frame: the point is turned back around the pivot and
// unscaled.
lv_point_t to_untransformed(const lv_obj_t * obj, lv_point_t p)
{
    const int32_t angle = lv_obj_get_style_transform_rotation(obj, LV_PART_MAIN);  // 0.1 degree
    const int32_t sx = lv_obj_get_style_transform_scale_x(obj, LV_PART_MAIN);
    const int32_t sy = lv_obj_get_style_transform_scale_y(obj, LV_PART_MAIN);
    if (angle == 0 && sx == LV_SCALE_NONE && sy == LV_SCALE_NONE) return p;
    const lv_point_t pivot = gui::core::transform_pivot(obj);
    const int32_t px = obj->coords.x1 + pivot.x;
    const int32_t py = obj->coords.y1 + pivot.y;
    int64_t dx = p.x - px;
    int64_t dy = p.y - py;
    if (angle != 0) {
        const auto deg = static_cast<int16_t>(angle / 10);
        const int64_t sin_a = lv_trigo_sin(deg);
        const int64_t cos_a = lv_trigo_cos(deg);
        const int64_t rx = (dx * cos_a + dy * sin_a) >> LV_TRIGO_SHIFT;
        const int64_t ry = (dy * cos_a - dx * sin_a) >> LV_TRIGO_SHIFT;
        dx = rx;
        dy = ry;
    }
    if (sx > 0) dx = dx * LV_SCALE_NONE / sx;
    if (sy > 0) dy = dy * LV_SCALE_NONE / sy;
    return lv_point_t{px + static_cast<int32_t>(dx), py + static_cast<int32_t>(dy)};
}

}  // namespace

namespace gui::input {

lv_obj_t * search_display(lv_display_t * disp, const lv_point_t & point)
{
    lv_point_t p = point;
    lv_obj_t * layers[] = {lv_display_get_layer_sys(disp), lv_display_get_layer_top(disp),
                           lv_display_get_screen_active(disp), lv_display_get_layer_bottom(disp)};
    for (lv_obj_t * layer : layers) {
        if (!layer) continue;
        if (lv_obj_t * found = lv_indev_search_obj(layer, &p)) return found;
    }
    return nullptr;
}

}  // namespace gui::input

extern "C" {

void lv_obj_set_ext_click_area(lv_obj_t * obj, int32_t size)
{
    if (obj) obj->ext_click_pad = size;
}

void lv_obj_get_click_area(const lv_obj_t * obj, lv_area_t * area)
{
    if (!obj || !area) return;
    *area = gui::area::grow(obj->coords, obj->ext_click_pad);
}

bool lv_obj_hit_test(lv_obj_t * obj, const lv_point_t * point)
{
    if (!obj || !point) return false;
    lv_area_t area;
    lv_obj_get_click_area(obj, &area);
    if (!gui::area::contains(area, *point)) return false;
    if (!(obj->flags & LV_OBJ_FLAG_ADV_HITTEST)) return true;
    // The class refines the answer (rounded shapes, rings, image pixels).
    lv_hit_test_info_t info{point, true};
    lv_obj_send_event(obj, LV_EVENT_HIT_TEST, &info);
    return info.res;
}

lv_obj_t * lv_indev_search_obj(lv_obj_t * obj, lv_point_t * point)
{
    if (!obj || !point || (obj->flags & LV_OBJ_FLAG_HIDDEN)) return nullptr;
    lv_point_t local = to_untransformed(obj, *point);
    point = &local;
    // Children are looked for inside the box, or inside the area the object
    // draws on when its children may overflow it.
    lv_area_t child_area = obj->coords;
    if (obj->flags & LV_OBJ_FLAG_OVERFLOW_VISIBLE) child_area = gui::area::grow(child_area, obj->ext_draw_size);
    if (gui::area::contains(child_area, *point)) {
        // Newest children are on top.
        for (auto it = obj->children.rbegin(); it != obj->children.rend(); ++it) {
            if (lv_obj_t * found = lv_indev_search_obj(it->get(), point)) return found;
        }
    }
    if ((obj->flags & LV_OBJ_FLAG_CLICKABLE) && lv_obj_hit_test(obj, point)) return obj;
    return nullptr;
}

}  // extern "C"
