// Draw descriptors from resolved styles.
#include <vector>

#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/core/obj_draw.hpp"

namespace {

lv_opa_t mix_opa(lv_opa_t a, lv_opa_t factor)
{
    if (factor >= LV_OPA_MAX) return a;
    if (factor <= LV_OPA_MIN) return LV_OPA_TRANSP;
    return static_cast<lv_opa_t>((static_cast<uint32_t>(a) * factor) >> 8);
}

struct Recolor {
    lv_color_t color{};
    lv_opa_t opa = LV_OPA_TRANSP;
};

// The whole-widget recolour of obj's part composited over its ancestors' ones.
Recolor accumulated_recolor(const lv_obj_t * obj, lv_part_t part)
{
    std::vector<Recolor> levels;
    if (part != LV_PART_MAIN) {
        lv_opa_t o = lv_obj_get_style_recolor_opa(obj, part);
        if (o > LV_OPA_MIN) levels.push_back({lv_obj_get_style_recolor(obj, part), o});
    }
    for (const lv_obj_t * p = obj; p != nullptr; p = p->parent) {
        lv_opa_t o = lv_obj_get_style_recolor_opa(p, LV_PART_MAIN);
        if (o > LV_OPA_MIN) levels.push_back({lv_obj_get_style_recolor(p, LV_PART_MAIN), o});
    }
    Recolor acc;
    for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
        if (acc.opa == LV_OPA_TRANSP) {
            acc = *it;
            continue;
        }
        acc.color = lv_color_mix(it->color, acc.color, it->opa);
        acc.opa = static_cast<lv_opa_t>(acc.opa + (static_cast<uint32_t>(it->opa) * (255 - acc.opa)) / 255);
    }
    return acc;
}

}  // namespace

namespace gui::core {

lv_color_t recolor(const lv_obj_t * obj, lv_part_t part, lv_color_t c)
{
    Recolor r = accumulated_recolor(obj, part);
    if (r.opa <= LV_OPA_MIN) return c;
    return lv_color_mix(r.color, c, r.opa);
}

lv_area_t transformed_box(const lv_obj_t * obj, lv_part_t part, const lv_area_t & area)
{
    lv_area_t a = area;
    int32_t tw = lv_obj_get_style_transform_width(obj, part);
    int32_t th = lv_obj_get_style_transform_height(obj, part);
    a.x1 -= tw;
    a.x2 += tw;
    a.y1 -= th;
    a.y2 += th;
    return a;
}

void init_rect_dsc(lv_obj_t * obj, lv_part_t part, gui::draw::RectDsc & d)
{
    lv_opa_t opa = lv_obj_get_style_opa_recursive(obj, part);
    Recolor rc = accumulated_recolor(obj, part);
    auto col = [&rc](lv_color_t c) { return rc.opa > LV_OPA_MIN ? lv_color_mix(rc.color, c, rc.opa) : c; };

    d = gui::draw::RectDsc{};
    d.radius = lv_obj_get_style_radius(obj, part);
    if (opa == LV_OPA_TRANSP) {
        d.bg_opa = LV_OPA_TRANSP;
        d.border_opa = LV_OPA_TRANSP;
        d.outline_opa = LV_OPA_TRANSP;
        d.shadow_opa = LV_OPA_TRANSP;
        d.bg_image_opa = LV_OPA_TRANSP;
        return;
    }
    d.bg_color = col(lv_obj_get_style_bg_color(obj, part));
    d.bg_opa = mix_opa(lv_obj_get_style_bg_opa(obj, part), opa);

    d.bg_image_src = lv_obj_get_style_bg_image_src(obj, part);
    if (d.bg_image_src != nullptr) {
        d.bg_image_opa = mix_opa(lv_obj_get_style_bg_image_opa(obj, part), opa);
        d.bg_image_recolor = col(lv_obj_get_style_bg_image_recolor(obj, part));
        d.bg_image_recolor_opa = lv_obj_get_style_bg_image_recolor_opa(obj, part);
        d.bg_image_tiled = lv_obj_get_style_bg_image_tiled(obj, part);
        d.bg_image_symbol_font = lv_obj_get_style_text_font(obj, part);
        d.bg_image_symbol_color = col(lv_obj_get_style_text_color(obj, part));
    }

    d.border_width = lv_obj_get_style_border_width(obj, part);
    if (d.border_width > 0) {
        d.border_color = col(lv_obj_get_style_border_color(obj, part));
        d.border_opa = mix_opa(lv_obj_get_style_border_opa(obj, part), opa);
        d.border_side = lv_obj_get_style_border_side(obj, part);
        d.border_post = lv_obj_get_style_border_post(obj, part);
    }

    d.outline_width = lv_obj_get_style_outline_width(obj, part);
    if (d.outline_width > 0) {
        d.outline_color = col(lv_obj_get_style_outline_color(obj, part));
        d.outline_opa = mix_opa(lv_obj_get_style_outline_opa(obj, part), opa);
        d.outline_pad = lv_obj_get_style_outline_pad(obj, part);
    }

    d.shadow_width = lv_obj_get_style_shadow_width(obj, part);
    if (d.shadow_width > 0) {
        d.shadow_color = col(lv_obj_get_style_shadow_color(obj, part));
        d.shadow_opa = mix_opa(lv_obj_get_style_shadow_opa(obj, part), opa);
        d.shadow_spread = lv_obj_get_style_shadow_spread(obj, part);
        d.shadow_ofs_x = lv_obj_get_style_shadow_offset_x(obj, part);
        d.shadow_ofs_y = lv_obj_get_style_shadow_offset_y(obj, part);
    }
}

void init_label_dsc(lv_obj_t * obj, lv_part_t part, gui::draw::LabelDsc & d)
{
    d = gui::draw::LabelDsc{};
    d.font = lv_obj_get_style_text_font(obj, part);
    d.color = recolor(obj, part, lv_obj_get_style_text_color(obj, part));
    d.opa = mix_opa(lv_obj_get_style_text_opa(obj, part), lv_obj_get_style_opa_recursive(obj, part));
    d.letter_space = lv_obj_get_style_text_letter_space(obj, part);
    d.line_space = lv_obj_get_style_text_line_space(obj, part);
    d.align = lv_obj_get_style_text_align(obj, part);
    d.decor = static_cast<uint8_t>(lv_obj_get_style_text_decor(obj, part));
}

void init_image_dsc(lv_obj_t * obj, lv_part_t part, gui::draw::ImageDsc & d)
{
    d = gui::draw::ImageDsc{};
    d.opa = mix_opa(lv_obj_get_style_image_opa(obj, part), lv_obj_get_style_opa_recursive(obj, part));
    d.recolor = recolor(obj, part, lv_obj_get_style_image_recolor(obj, part));
    d.recolor_opa = lv_obj_get_style_image_recolor_opa(obj, part);
    Recolor rc = accumulated_recolor(obj, part);
    if (d.recolor_opa <= LV_OPA_MIN && rc.opa > LV_OPA_MIN) {
        // The whole-widget recolour tints images too.
        d.recolor = rc.color;
        d.recolor_opa = rc.opa;
    }
    d.radius = lv_obj_get_style_radius(obj, part);
}

void init_arc_dsc(lv_obj_t * obj, lv_part_t part, gui::draw::ArcDsc & d)
{
    d = gui::draw::ArcDsc{};
    d.width = lv_obj_get_style_arc_width(obj, part);
    d.color = recolor(obj, part, lv_obj_get_style_arc_color(obj, part));
    d.opa = mix_opa(lv_obj_get_style_arc_opa(obj, part), lv_obj_get_style_opa_recursive(obj, part));
    d.rounded = lv_obj_get_style_arc_rounded(obj, part);
    d.img_src = lv_obj_get_style_arc_image_src(obj, part);
}

void init_line_dsc(lv_obj_t * obj, lv_part_t part, gui::draw::LineDsc & d)
{
    d = gui::draw::LineDsc{};
    d.width = lv_obj_get_style_line_width(obj, part);
    d.color = recolor(obj, part, lv_obj_get_style_line_color(obj, part));
    d.opa = mix_opa(lv_obj_get_style_line_opa(obj, part), lv_obj_get_style_opa_recursive(obj, part));
    bool rounded = lv_obj_get_style_line_rounded(obj, part);
    d.round_start = rounded;
    d.round_end = rounded;
}

}  // namespace gui::core
