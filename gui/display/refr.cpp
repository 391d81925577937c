// Refreshing a display: layout, merging invalidated areas, drawing the
// objects that show in each area, flushing.
#include <algorithm>
#include <cstring>

#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/core/obj_draw.hpp"
#include "gui/display/display.hpp"
#include "gui/draw/draw.hpp"
#include "gui/misc/area.hpp"

namespace {

constexpr uint32_t kBytesPerPixel = 4;
constexpr int32_t kTransformMargin = 5;

bool is_transformed(const lv_obj_t * obj)
{
    return lv_obj_get_style_transform_rotation(obj, LV_PART_MAIN) != 0 ||
           lv_obj_get_style_transform_scale_x(obj, LV_PART_MAIN) != LV_SCALE_NONE ||
           lv_obj_get_style_transform_scale_y(obj, LV_PART_MAIN) != LV_SCALE_NONE;
}

bool needs_layer(const lv_obj_t * obj)
{
    return is_transformed(obj) || lv_obj_get_style_opa_layered(obj, LV_PART_MAIN) < LV_OPA_MAX;
}

lv_obj_t * top_covering(const lv_area_t & area, lv_obj_t * obj)
{
    if (!gui::area::is_in(area, obj->coords)) return nullptr;
    if (lv_obj_has_flag(obj, LV_OBJ_FLAG_HIDDEN) || needs_layer(obj)) return nullptr;
    if (lv_obj_get_style_opa(obj, LV_PART_MAIN) < LV_OPA_MAX) return nullptr;
    lv_cover_check_info_t info{LV_COVER_RES_COVER, &area};
    lv_obj_send_event(obj, LV_EVENT_COVER_CHECK, &info);
    if (info.res == LV_COVER_RES_MASKED) return nullptr;
    for (size_t i = obj->children.size(); i-- > 0;) {
        lv_obj_t * found = top_covering(area, obj->children[i].get());
        if (found != nullptr) return found;
    }
    return info.res == LV_COVER_RES_COVER ? obj : nullptr;
}

void draw_obj(lv_layer_t * layer, lv_obj_t * obj);

void send_draw(lv_obj_t * obj, lv_layer_t * layer, lv_event_code_t begin, lv_event_code_t main, lv_event_code_t end)
{
    lv_obj_send_event(obj, begin, layer);
    lv_obj_send_event(obj, main, layer);
    lv_obj_send_event(obj, end, layer);
}

void draw_children(lv_layer_t * layer, lv_obj_t * obj, const lv_area_t & outer_clip)
{
    lv_area_t child_clip;
    lv_area_t bound = obj->coords;
    if (lv_obj_has_flag(obj, LV_OBJ_FLAG_OVERFLOW_VISIBLE)) bound = gui::area::grow(bound, obj->ext_draw_size);
    if (!gui::area::intersect(child_clip, outer_clip, bound)) return;
    int32_t radius = lv_obj_get_style_radius(obj, LV_PART_MAIN);
    bool clip_corner = lv_obj_get_style_clip_corner(obj, LV_PART_MAIN) && radius > 0;
    if (clip_corner) layer->target.push_rounded_clip(obj->coords, radius);
    for (size_t i = 0; i < obj->children.size(); i++) {
        layer->target.clip = child_clip;
        draw_obj(layer, obj->children[i].get());
    }
    if (clip_corner) layer->target.pop_rounded_clip();
}

void draw_obj_direct(lv_layer_t * layer, lv_obj_t * obj)
{
    lv_area_t saved = layer->target.clip;
    const lv_area_t ext = gui::area::grow(obj->coords, obj->ext_draw_size);
    lv_area_t clip;
    bool visible = gui::area::intersect(clip, saved, ext);
    if (visible) {
        layer->target.clip = clip;
        send_draw(obj, layer, LV_EVENT_DRAW_MAIN_BEGIN, LV_EVENT_DRAW_MAIN, LV_EVENT_DRAW_MAIN_END);
    }
    draw_children(layer, obj, saved);
    if (visible) {
        layer->target.clip = clip;
        send_draw(obj, layer, LV_EVENT_DRAW_POST_BEGIN, LV_EVENT_DRAW_POST, LV_EVENT_DRAW_POST_END);
    }
    layer->target.clip = saved;
}

// Transformed or layered objects: draw untransformed into a layer, then blend it.
void draw_obj_layered(lv_layer_t * layer, lv_obj_t * obj)
{
    const lv_area_t ext = gui::area::grow(obj->coords, obj->ext_draw_size);
    gui::draw::Layer buf(ext);
    lv_layer_t sub{buf.target()};
    sub.target.clip = ext;
    sub.target.hor_res = layer->target.hor_res;
    draw_obj_direct(&sub, obj);

    gui::draw::ImageDsc dsc;
    dsc.opa = lv_obj_get_style_opa_layered(obj, LV_PART_MAIN);
    dsc.rotation = lv_obj_get_style_transform_rotation(obj, LV_PART_MAIN);
    dsc.scale_x = lv_obj_get_style_transform_scale_x_safe(obj, LV_PART_MAIN);
    dsc.scale_y = lv_obj_get_style_transform_scale_y_safe(obj, LV_PART_MAIN);
    const lv_point_t pivot = gui::core::transform_pivot(obj);
    dsc.pivot = {pivot.x + (obj->coords.x1 - ext.x1), pivot.y + (obj->coords.y1 - ext.y1)};
    gui::draw::draw_layer(layer->target, buf, dsc);
}

void draw_obj(lv_layer_t * layer, lv_obj_t * obj)
{
    if (lv_obj_has_flag(obj, LV_OBJ_FLAG_HIDDEN)) return;
    if (lv_obj_get_style_opa(obj, LV_PART_MAIN) <= LV_OPA_MIN) return;
    if (needs_layer(obj)) {
        // A transformed object can reach beyond its box: only skip it when far away.
        lv_area_t reach = obj->coords;
        int32_t r = std::max(lv_obj_get_width(obj), lv_obj_get_height(obj)) * 2 + obj->ext_draw_size;
        if (is_transformed(obj)) reach = gui::area::grow(reach, r);
        if (!gui::area::overlaps(reach, layer->target.clip)) return;
        draw_obj_layered(layer, obj);
        return;
    }
    draw_obj_direct(layer, obj);
}

// Draws `top` and everything above it: its younger siblings, then each
// ancestor's younger siblings and post drawing.
void draw_from(lv_layer_t * layer, lv_obj_t * top)
{
    lv_area_t area = layer->target.clip;
    draw_obj(layer, top);
    lv_obj_t * border = top;
    for (lv_obj_t * parent = top->parent; parent != nullptr; parent = parent->parent) {
        bool after = false;
        for (size_t i = 0; i < parent->children.size(); i++) {
            lv_obj_t * child = parent->children[i].get();
            if (after) {
                layer->target.clip = area;
                draw_obj(layer, child);
            } else if (child == border) {
                after = true;
            }
        }
        layer->target.clip = area;
        send_draw(parent, layer, LV_EVENT_DRAW_POST_BEGIN, LV_EVENT_DRAW_POST, LV_EVENT_DRAW_POST_END);
        border = parent;
    }
    layer->target.clip = area;
}

void clear(gui::draw::Target & t, const lv_area_t & a)
{
    for (int32_t y = a.y1; y <= a.y2; y++) {
        uint8_t * row = t.buf + static_cast<ptrdiff_t>(y - t.buf_area.y1) * t.stride +
                        static_cast<ptrdiff_t>(a.x1 - t.buf_area.x1) * kBytesPerPixel;
        std::memset(row, 0, static_cast<size_t>(gui::area::width(a)) * kBytesPerPixel);
    }
}

void draw_screen(lv_layer_t * layer, lv_obj_t * scr, lv_obj_t * top)
{
    if (scr == nullptr) return;
    draw_from(layer, top != nullptr ? top : scr);
}

void render_area(lv_display_t * d, gui::draw::Target & t, const lv_area_t & area)
{
    lv_layer_t layer{t};
    layer.target.clip = area;
    lv_obj_t * top_act = d->act_scr != nullptr ? top_covering(area, d->act_scr) : nullptr;
    lv_obj_t * top_prev = d->prev_scr != nullptr ? top_covering(area, d->prev_scr) : nullptr;
    if (top_act == nullptr && top_prev == nullptr) {
        clear(layer.target, area);
        if (d->bottom_layer != nullptr) draw_from(&layer, d->bottom_layer.get());
    }
    if (d->draw_prev_over_act) {
        draw_screen(&layer, d->act_scr, top_act);
        draw_screen(&layer, d->prev_scr, top_prev);
    } else {
        draw_screen(&layer, d->prev_scr, top_prev);
        draw_screen(&layer, d->act_scr, top_act);
    }
    if (d->top_layer != nullptr) draw_from(&layer, d->top_layer.get());
    if (d->sys_layer != nullptr) draw_from(&layer, d->sys_layer.get());
    t.clip = layer.target.clip;
}

void wait_for_flush(lv_display_t * d)
{
    if (d->flush_wait_cb != nullptr) {
        if (d->flushing) d->flush_wait_cb(d);
        d->flushing = 0;
        return;
    }
    while (d->flushing) {}
}

void flush(lv_display_t * d, const lv_area_t & area, uint8_t * px, bool last)
{
    if (d->flush_cb == nullptr) return;
    d->flushing = 1;
    d->flushing_last = last ? 1 : 0;
    lv_display_send_event(d, LV_EVENT_FLUSH_START, const_cast<lv_area_t *>(&area));
    d->flush_cb(d, &area, px);
    lv_display_send_event(d, LV_EVENT_FLUSH_FINISH, const_cast<lv_area_t *>(&area));
}

void swap_buffers(lv_display_t * d)
{
    if (d->buf_2 == nullptr) return;
    d->buf_act = d->buf_act == d->buf_1 ? d->buf_2 : d->buf_1;
}

// An ARGB8888 display keeps the alpha of what is drawn; any other holds XRGB8888.
gui::draw::Dest dest_of(const lv_display_t * d)
{
    return d->color_format == LV_COLOR_FORMAT_ARGB8888 ? gui::draw::Dest::Argb8888 : gui::draw::Dest::Xrgb8888;
}

gui::draw::Target screen_target(lv_display_t * d)
{
    gui::draw::Target t;
    t.dest = dest_of(d);
    t.buf = d->buf_act->data;
    t.stride = static_cast<int32_t>(d->buf_act->header.stride);
    t.buf_area = {0, 0, lv_display_get_horizontal_resolution(d) - 1, lv_display_get_vertical_resolution(d) - 1};
    t.hor_res = lv_display_get_horizontal_resolution(d);
    return t;
}

void render_partial(lv_display_t * d, const std::vector<lv_area_t> & areas)
{
    for (size_t i = 0; i < areas.size(); i++) {
        const lv_area_t & a = areas[i];
        int32_t w = gui::area::width(a);
        int32_t stride = w * static_cast<int32_t>(kBytesPerPixel);
        int32_t rows = static_cast<int32_t>(d->buf_act->data_size / static_cast<uint32_t>(stride));
        if (rows <= 0) {
            LV_LOG_WARN("The draw buffer is too small");
            return;
        }
        for (int32_t y = a.y1; y <= a.y2; y += rows) {
            lv_area_t band{a.x1, y, a.x2, std::min(a.y2, y + rows - 1)};
            wait_for_flush(d);
            gui::draw::Target t;
            t.dest = dest_of(d);
            t.buf = d->buf_act->data;
            t.stride = stride;
            t.buf_area = band;
            t.hor_res = lv_display_get_horizontal_resolution(d);
            render_area(d, t, band);
            flush(d, band, d->buf_act->data, i + 1 == areas.size() && band.y2 == a.y2);
            swap_buffers(d);
        }
    }
}

void copy_area(const lv_draw_buf_t * from, lv_draw_buf_t * to, const lv_area_t & a)
{
    uint32_t stride = from->header.stride;
    size_t len = static_cast<size_t>(gui::area::width(a)) * kBytesPerPixel;
    for (int32_t y = a.y1; y <= a.y2; y++) {
        size_t ofs = static_cast<size_t>(y) * stride + static_cast<size_t>(a.x1) * kBytesPerPixel;
        std::memcpy(to->data + ofs, from->data + ofs, len);
    }
}

void render_direct(lv_display_t * d, const std::vector<lv_area_t> & areas)
{
    wait_for_flush(d);
    if (d->render_mode == LV_DISPLAY_RENDER_MODE_DIRECT && d->buf_2 != nullptr) {
        // Keep both buffers identical: bring the other buffer's last changes over first.
        lv_draw_buf_t * shown = d->buf_act == d->buf_1 ? d->buf_2 : d->buf_1;
        for (const auto & a : d->last_frame_areas) copy_area(shown, d->buf_act, a);
    }
    gui::draw::Target t = screen_target(d);
    for (size_t i = 0; i < areas.size(); i++) {
        t.clip = areas[i];
        render_area(d, t, areas[i]);
        bool last = i + 1 == areas.size();
        if (d->render_mode == LV_DISPLAY_RENDER_MODE_FULL) {
            if (last) flush(d, t.buf_area, d->buf_act->data, true);
        } else {
            flush(d, areas[i], d->buf_act->data, last);
            if (!last) wait_for_flush(d);
        }
    }
    d->last_frame_areas = areas;
    swap_buffers(d);
}

// Joins overlapping areas when their bounding box is smaller than both together.
std::vector<lv_area_t> merged(std::vector<lv_area_t> areas)
{
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 0; i < areas.size() && !changed; i++) {
            for (size_t j = i + 1; j < areas.size(); j++) {
                if (!gui::area::overlaps(areas[i], areas[j])) continue;
                lv_area_t u = gui::area::join(areas[i], areas[j]);
                if (gui::area::size_of(u) < gui::area::size_of(areas[i]) + gui::area::size_of(areas[j])) {
                    areas[i] = u;
                    areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(j));
                    changed = true;
                    break;
                }
            }
        }
    }
    return areas;
}

// A display without buffers would say so at every refresh, about thirty
// times a second: once a second is enough, with the count of the rest.
void warn_no_draw_buffer(lv_display_t * d)
{
    constexpr uint32_t kPeriodMs = 1000;
    const uint32_t now = lv_tick_get();
    if (d->no_buf_warned && lv_tick_diff(now, d->no_buf_warned_at) < kPeriodMs) {
        d->no_buf_left_out++;
        return;
    }
    if (d->no_buf_left_out > 0) {
        LV_LOG_WARN("No draw buffer (repeated %u times)", static_cast<unsigned>(d->no_buf_left_out));
    } else {
        LV_LOG_WARN("No draw buffer");
    }
    d->no_buf_warned = true;
    d->no_buf_warned_at = now;
    d->no_buf_left_out = 0;
}

void update_layouts(lv_display_t * d)
{
    for (lv_obj_t * s : {d->act_scr, d->prev_scr, d->bottom_layer.get(), d->top_layer.get(), d->sys_layer.get()}) {
        if (s != nullptr) lv_obj_update_layout(s);
    }
    d->layout_pending = false;
}

void refresh(lv_display_t * d)
{
    if (d->refr_timer != nullptr) lv_timer_pause(d->refr_timer);
    if (d->buf_act == nullptr) {
        warn_no_draw_buffer(d);
        d->inv_areas.clear();
        d->inv_full = false;
        return;
    }
    lv_display_send_event(d, LV_EVENT_REFR_START, nullptr);
    update_layouts(d);

    std::vector<lv_area_t> areas;
    lv_area_t full{0, 0, lv_display_get_horizontal_resolution(d) - 1, lv_display_get_vertical_resolution(d) - 1};
    if (d->inv_full || d->render_mode == LV_DISPLAY_RENDER_MODE_FULL) {
        if (d->inv_full || !d->inv_areas.empty()) areas.push_back(full);
    } else {
        areas = merged(d->inv_areas);
    }
    d->inv_areas.clear();
    d->inv_full = false;

    if (!areas.empty()) {
        d->rendering_in_progress = true;
        lv_display_send_event(d, LV_EVENT_RENDER_START, nullptr);
        if (d->render_mode == LV_DISPLAY_RENDER_MODE_PARTIAL) {
            render_partial(d, areas);
        } else {
            render_direct(d, areas);
        }
        lv_display_send_event(d, LV_EVENT_RENDER_READY, nullptr);
        d->rendering_in_progress = false;
    }
    lv_display_send_event(d, LV_EVENT_REFR_READY, nullptr);
}

}  // namespace

extern "C" {

void lv_display_refr_timer(lv_timer_t * timer)
{
    auto * d = static_cast<lv_display_t *>(lv_timer_get_user_data(timer));
    if (d != nullptr) refresh(d);
}

void lv_refr_now(lv_display_t * disp)
{
    lv_anim_refr_now();
    if (disp != nullptr) {
        refresh(disp);
        return;
    }
    for (const auto & d : gui::display::all()) refresh(d.get());
}

}  // extern "C"
