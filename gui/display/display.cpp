// Displays: creation with their screens and layers, buffers, screens and
// screen loading, display events and invalidation bookkeeping.
#include <algorithm>

#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/display/display.hpp"
#include "gui/indev/indev_hooks.hpp"
#include "gui/misc/area.hpp"

namespace {

constexpr size_t kMaxInvAreas = 32;

std::vector<std::unique_ptr<lv_display_t>> displays;  // front = newest
lv_display_t * default_display = nullptr;

lv_display_t * or_default(const lv_display_t * disp)
{
    return const_cast<lv_display_t *>(disp != nullptr ? disp : default_display);
}

lv_area_t screen_area(const lv_display_t * d)
{
    return {0, 0, lv_display_get_horizontal_resolution(d) - 1, lv_display_get_vertical_resolution(d) - 1};
}

// Moves a just-created top-level object out of the screen list into a layer slot.
gui::core::ObjPtr make_layer(lv_display_t * disp)
{
    lv_obj_t * obj = lv_obj_create(nullptr);
    gui::core::ObjPtr owned = gui::display::release_screen(disp, obj);
    lv_obj_remove_style_all(obj);
    return owned;
}

void create_screens(lv_display_t * disp)
{
    lv_display_t * saved = default_display;
    default_display = disp;
    disp->bottom_layer = make_layer(disp);
    disp->act_scr = lv_obj_create(nullptr);
    disp->top_layer = make_layer(disp);
    disp->sys_layer = make_layer(disp);
    for (lv_obj_t * layer : {disp->top_layer.get(), disp->sys_layer.get()}) {
        lv_obj_remove_flag(layer, LV_OBJ_FLAG_CLICKABLE);
        lv_obj_set_scrollbar_mode(layer, LV_SCROLLBAR_MODE_OFF);
    }
    default_display = saved;
}

void resize_screens(lv_display_t * disp)
{
    lv_area_t a = screen_area(disp);
    auto fit = [&a](lv_obj_t * scr) {
        if (scr == nullptr) return;
        scr->coords = a;
        lv_obj_send_event(scr, LV_EVENT_SIZE_CHANGED, nullptr);
        lv_obj_mark_layout_as_dirty(scr);
    };
    for (auto & s : disp->screens) fit(s.get());
    fit(disp->bottom_layer.get());
    fit(disp->top_layer.get());
    fit(disp->sys_layer.get());
    lv_obj_invalidate(disp->act_scr);
}

bool is_out_anim(lv_screen_load_anim_t t)
{
    return t == LV_SCREEN_LOAD_ANIM_FADE_OUT || t == LV_SCREEN_LOAD_ANIM_OUT_LEFT ||
           t == LV_SCREEN_LOAD_ANIM_OUT_RIGHT || t == LV_SCREEN_LOAD_ANIM_OUT_TOP ||
           t == LV_SCREEN_LOAD_ANIM_OUT_BOTTOM;
}

void set_opa_exec(void * obj, int32_t v)
{
    lv_obj_set_style_opa(static_cast<lv_obj_t *>(obj), static_cast<lv_opa_t>(v), 0);
}

void set_x_exec(void * obj, int32_t v)
{
    lv_obj_set_x(static_cast<lv_obj_t *>(obj), v);
}

void set_y_exec(void * obj, int32_t v)
{
    lv_obj_set_y(static_cast<lv_obj_t *>(obj), v);
}

void reset_screen_look(lv_obj_t * scr)
{
    if (scr == nullptr) return;
    lv_anim_delete(scr, nullptr);
    lv_obj_set_pos(scr, 0, 0);
    lv_obj_remove_local_style_prop(scr, LV_STYLE_OPA, 0);
}

void finish_load(lv_display_t * d, lv_obj_t * new_scr, lv_obj_t * old_scr)
{
    lv_obj_send_event(new_scr, LV_EVENT_SCREEN_LOADED, nullptr);
    if (old_scr != nullptr) lv_obj_send_event(old_scr, LV_EVENT_SCREEN_UNLOADED, nullptr);
    if (d->del_prev && old_scr != nullptr) lv_obj_delete(old_scr);
    d->prev_scr = nullptr;
    d->scr_to_load = nullptr;
    d->del_prev = false;
    d->draw_prev_over_act = false;
    lv_obj_remove_local_style_prop(new_scr, LV_STYLE_OPA, 0);
    lv_obj_invalidate(new_scr);
}

void load_start_cb(lv_anim_t * a)
{
    auto * scr = static_cast<lv_obj_t *>(a->var);
    lv_display_t * d = lv_obj_get_display(scr);
    if (d == nullptr || d->act_scr == scr) return;
    d->prev_scr = d->act_scr;
    d->act_scr = scr;
    lv_obj_send_event(scr, LV_EVENT_SCREEN_LOAD_START, nullptr);
    lv_obj_invalidate(scr);
}

void load_completed_cb(lv_anim_t * a)
{
    auto * scr = static_cast<lv_obj_t *>(a->var);
    lv_display_t * d = lv_obj_get_display(scr);
    if (d == nullptr) return;
    finish_load(d, scr, d->prev_scr);
}

void load_now(lv_display_t * d, lv_obj_t * scr, bool auto_del)
{
    lv_obj_t * old = d->act_scr;
    if (old != nullptr) lv_obj_send_event(old, LV_EVENT_SCREEN_UNLOAD_START, nullptr);
    lv_obj_send_event(scr, LV_EVENT_SCREEN_LOAD_START, nullptr);
    d->act_scr = scr;
    d->scr_to_load = nullptr;
    d->prev_scr = nullptr;
    lv_obj_send_event(scr, LV_EVENT_SCREEN_LOADED, nullptr);
    if (old != nullptr) lv_obj_send_event(old, LV_EVENT_SCREEN_UNLOADED, nullptr);
    if (auto_del && old != nullptr) lv_obj_delete(old);
    lv_obj_invalidate(scr);
}

// The start/end values of the animations of a load transition.
struct LoadAnims {
    lv_anim_exec_xcb_t new_exec = nullptr;
    int32_t new_from = 0;
    int32_t new_to = 0;
    lv_anim_exec_xcb_t old_exec = nullptr;
    int32_t old_from = 0;
    int32_t old_to = 0;
};

LoadAnims load_anims(lv_screen_load_anim_t type, int32_t w, int32_t h)
{
    LoadAnims l;
    switch (type) {
    case LV_SCREEN_LOAD_ANIM_OVER_LEFT: l = {set_x_exec, w, 0}; break;
    case LV_SCREEN_LOAD_ANIM_OVER_RIGHT: l = {set_x_exec, -w, 0}; break;
    case LV_SCREEN_LOAD_ANIM_OVER_TOP: l = {set_y_exec, h, 0}; break;
    case LV_SCREEN_LOAD_ANIM_OVER_BOTTOM: l = {set_y_exec, -h, 0}; break;
    case LV_SCREEN_LOAD_ANIM_MOVE_LEFT: l = {set_x_exec, w, 0, set_x_exec, 0, -w}; break;
    case LV_SCREEN_LOAD_ANIM_MOVE_RIGHT: l = {set_x_exec, -w, 0, set_x_exec, 0, w}; break;
    case LV_SCREEN_LOAD_ANIM_MOVE_TOP: l = {set_y_exec, h, 0, set_y_exec, 0, -h}; break;
    case LV_SCREEN_LOAD_ANIM_MOVE_BOTTOM: l = {set_y_exec, -h, 0, set_y_exec, 0, h}; break;
    case LV_SCREEN_LOAD_ANIM_FADE_IN: l = {set_opa_exec, LV_OPA_TRANSP, LV_OPA_COVER}; break;
    case LV_SCREEN_LOAD_ANIM_FADE_OUT: l = {nullptr, 0, 0, set_opa_exec, LV_OPA_COVER, LV_OPA_TRANSP}; break;
    case LV_SCREEN_LOAD_ANIM_OUT_LEFT: l = {nullptr, 0, 0, set_x_exec, 0, -w}; break;
    case LV_SCREEN_LOAD_ANIM_OUT_RIGHT: l = {nullptr, 0, 0, set_x_exec, 0, w}; break;
    case LV_SCREEN_LOAD_ANIM_OUT_TOP: l = {nullptr, 0, 0, set_y_exec, 0, -h}; break;
    case LV_SCREEN_LOAD_ANIM_OUT_BOTTOM: l = {nullptr, 0, 0, set_y_exec, 0, h}; break;
    default: break;
    }
    return l;
}

void start_anim(lv_obj_t * var, lv_anim_exec_xcb_t exec, int32_t from, int32_t to, uint32_t time, uint32_t delay,
                bool drives_load)
{
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, var);
    lv_anim_set_exec_cb(&a, exec);
    lv_anim_set_values(&a, from, to);
    lv_anim_set_duration(&a, time);
    lv_anim_set_delay(&a, delay);
    if (drives_load) {
        lv_anim_set_start_cb(&a, load_start_cb);
        lv_anim_set_completed_cb(&a, load_completed_cb);
    }
    lv_anim_start(&a);
}

bool merge_into(std::vector<lv_area_t> & areas, const lv_area_t & a)
{
    for (const auto & e : areas) {
        if (gui::area::is_in(a, e)) return true;
    }
    return false;
}

}  // namespace

namespace gui::display {

void invalidate_area(lv_display_t * disp, const lv_area_t & area)
{
    if (disp == nullptr || disp->inv_disabled > 0 || disp->rendering_in_progress) return;
    lv_area_t a = area;
    if (!gui::area::intersect(a, a, screen_area(disp))) return;
    if (disp->events.count() > 0) lv_display_send_event(disp, LV_EVENT_INVALIDATE_AREA, &a);
    if (disp->render_mode == LV_DISPLAY_RENDER_MODE_FULL) disp->inv_full = true;
    if (!disp->inv_full && !merge_into(disp->inv_areas, a)) {
        if (disp->inv_areas.size() >= kMaxInvAreas) {
            disp->inv_full = true;
        } else {
            disp->inv_areas.push_back(a);
        }
    }
    request_refresh(disp);
}

void request_refresh(lv_display_t * disp)
{
    if (disp != nullptr && disp->refr_timer != nullptr) lv_timer_resume(disp->refr_timer);
}

const std::vector<std::unique_ptr<lv_display_t>> & all()
{
    return displays;
}

bool owns_screen(const lv_display_t * disp, const lv_obj_t * obj)
{
    if (obj == disp->bottom_layer.get() || obj == disp->top_layer.get() || obj == disp->sys_layer.get()) return true;
    return std::any_of(disp->screens.begin(), disp->screens.end(), [obj](const auto & s) { return s.get() == obj; });
}

gui::core::ObjPtr release_screen(lv_display_t * disp, lv_obj_t * scr)
{
    for (gui::core::ObjPtr * slot : {&disp->bottom_layer, &disp->top_layer, &disp->sys_layer}) {
        if (slot->get() == scr) return std::move(*slot);
    }
    auto & s = disp->screens;
    auto it = std::find_if(s.begin(), s.end(), [scr](const auto & p) { return p.get() == scr; });
    if (it == s.end()) return nullptr;
    gui::core::ObjPtr owned = std::move(*it);
    s.erase(it);
    return owned;
}

void delete_all()
{
    default_display = nullptr;
    while (!displays.empty()) lv_display_delete(displays.front().get());
}

}  // namespace gui::display

extern "C" {

lv_display_t * lv_display_create(int32_t hor_res, int32_t ver_res)
{
    auto d = std::make_unique<lv_display_t>();
    lv_display_t * disp = d.get();
    disp->hor_res = hor_res;
    disp->ver_res = ver_res;
    disp->last_activity_time = lv_tick_get();
    displays.insert(displays.begin(), std::move(d));
    if (default_display == nullptr) default_display = disp;

    disp->refr_timer = lv_timer_create(lv_display_refr_timer, LV_DEF_REFR_PERIOD, disp);
    lv_timer_ready(disp->refr_timer);

#if LV_USE_THEME_DEFAULT
    lv_theme_t * th = lv_theme_default_init(disp, lv_palette_main(LV_PALETTE_BLUE), lv_palette_main(LV_PALETTE_RED),
                                            LV_THEME_DEFAULT_DARK, LV_FONT_DEFAULT);
    disp->theme = th;
#endif
    create_screens(disp);
    lv_obj_invalidate(disp->act_scr);
    return disp;
}

void lv_display_delete(lv_display_t * disp)
{
    if (disp == nullptr) return;
    lv_display_send_event(disp, LV_EVENT_DELETE, nullptr);
    gui::event_mark_deleted(disp);
    gui::input::display_deleting(disp);
    disp->act_scr = nullptr;
    disp->prev_scr = nullptr;
    disp->scr_to_load = nullptr;
    for (lv_obj_t * layer : {disp->sys_layer.get(), disp->top_layer.get(), disp->bottom_layer.get()}) {
        lv_obj_delete(layer);
    }
    while (!disp->screens.empty()) lv_obj_delete(disp->screens.front().get());
    if (disp->refr_timer != nullptr) lv_timer_delete(disp->refr_timer);
    auto it = std::find_if(displays.begin(), displays.end(), [disp](const auto & p) { return p.get() == disp; });
    if (it != displays.end()) displays.erase(it);
    if (default_display == disp) default_display = displays.empty() ? nullptr : displays.front().get();
}

void lv_display_set_default(lv_display_t * disp)
{
    default_display = disp;
}

lv_display_t * lv_display_get_default(void)
{
    return default_display;
}

lv_display_t * lv_display_get_next(lv_display_t * disp)
{
    if (disp == nullptr) return displays.empty() ? nullptr : displays.front().get();
    auto it = std::find_if(displays.begin(), displays.end(), [disp](const auto & p) { return p.get() == disp; });
    if (it == displays.end() || ++it == displays.end()) return nullptr;
    return it->get();
}

void lv_display_set_resolution(lv_display_t * disp, int32_t hor_res, int32_t ver_res)
{
    if (disp == nullptr || (disp->hor_res == hor_res && disp->ver_res == ver_res)) return;
    disp->hor_res = hor_res;
    disp->ver_res = ver_res;
    resize_screens(disp);
    lv_display_send_event(disp, LV_EVENT_RESOLUTION_CHANGED, nullptr);
#if LV_USE_THEME_DEFAULT
    if (lv_theme_default_is_inited() && disp->theme == lv_theme_default_get()) {
        lv_theme_default_init(disp, lv_theme_get_color_primary(disp->act_scr),
                              lv_theme_get_color_secondary(disp->act_scr), LV_THEME_DEFAULT_DARK,
                              lv_theme_get_font_normal(disp->act_scr));
    }
#endif
}

void lv_display_set_physical_resolution(lv_display_t * disp, int32_t hor_res, int32_t ver_res)
{
    disp->physical_hor_res = hor_res;
    disp->physical_ver_res = ver_res;
}

void lv_display_set_offset(lv_display_t * disp, int32_t x, int32_t y)
{
    disp->offset_x = x;
    disp->offset_y = y;
}

void lv_display_set_rotation(lv_display_t * disp, lv_display_rotation_t rotation)
{
    if (disp->rotation == rotation) return;
    disp->rotation = rotation;
    resize_screens(disp);
    lv_display_send_event(disp, LV_EVENT_RESOLUTION_CHANGED, nullptr);
}

void lv_display_set_dpi(lv_display_t * disp, int32_t dpi)
{
    disp->dpi = dpi;
}

int32_t lv_display_get_horizontal_resolution(const lv_display_t * disp)
{
    const lv_display_t * d = or_default(disp);
    if (d == nullptr) return 0;
    bool swapped = d->rotation == LV_DISPLAY_ROTATION_90 || d->rotation == LV_DISPLAY_ROTATION_270;
    return swapped ? d->ver_res : d->hor_res;
}

int32_t lv_display_get_vertical_resolution(const lv_display_t * disp)
{
    const lv_display_t * d = or_default(disp);
    if (d == nullptr) return 0;
    bool swapped = d->rotation == LV_DISPLAY_ROTATION_90 || d->rotation == LV_DISPLAY_ROTATION_270;
    return swapped ? d->hor_res : d->ver_res;
}

int32_t lv_display_get_original_horizontal_resolution(const lv_display_t * disp)
{
    const lv_display_t * d = or_default(disp);
    return d != nullptr ? d->hor_res : 0;
}

int32_t lv_display_get_original_vertical_resolution(const lv_display_t * disp)
{
    const lv_display_t * d = or_default(disp);
    return d != nullptr ? d->ver_res : 0;
}

int32_t lv_display_get_physical_horizontal_resolution(const lv_display_t * disp)
{
    const lv_display_t * d = or_default(disp);
    if (d == nullptr) return 0;
    return d->physical_hor_res > 0 ? d->physical_hor_res : d->hor_res;
}

int32_t lv_display_get_physical_vertical_resolution(const lv_display_t * disp)
{
    const lv_display_t * d = or_default(disp);
    if (d == nullptr) return 0;
    return d->physical_ver_res > 0 ? d->physical_ver_res : d->ver_res;
}

int32_t lv_display_get_offset_x(const lv_display_t * disp)
{
    const lv_display_t * d = or_default(disp);
    return d != nullptr ? d->offset_x : 0;
}

int32_t lv_display_get_offset_y(const lv_display_t * disp)
{
    const lv_display_t * d = or_default(disp);
    return d != nullptr ? d->offset_y : 0;
}

lv_display_rotation_t lv_display_get_rotation(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->rotation : LV_DISPLAY_ROTATION_0;
}

int32_t lv_display_get_dpi(const lv_display_t * disp)
{
    const lv_display_t * d = or_default(disp);
    return d != nullptr ? d->dpi : LV_DPI_DEF;
}

void lv_display_set_buffers(lv_display_t * disp, void * buf1, void * buf2, uint32_t buf_size,
                            lv_display_render_mode_t render_mode)
{
    uint32_t w = static_cast<uint32_t>(lv_display_get_horizontal_resolution(disp));
    uint32_t stride = w * lv_color_format_get_size(disp->color_format);
    lv_display_set_buffers_with_stride(disp, buf1, buf2, buf_size, stride, render_mode);
}

void lv_display_set_buffers_with_stride(lv_display_t * disp, void * buf1, void * buf2, uint32_t buf_size,
                                        uint32_t stride, lv_display_render_mode_t render_mode)
{
    auto describe = [disp, buf_size, stride](lv_draw_buf_t & b, void * mem) {
        b = lv_draw_buf_t{};
        b.data = static_cast<uint8_t *>(mem);
        b.unaligned_data = mem;
        b.data_size = buf_size;
        b.header.cf = disp->color_format;
        b.header.stride = stride;
        b.header.w = stride / std::max<uint32_t>(lv_color_format_get_size(disp->color_format), 1);
        b.header.h = stride != 0 ? buf_size / stride : 0;
    };
    disp->buf_1 = nullptr;
    disp->buf_2 = nullptr;
    if (buf1 != nullptr) {
        describe(disp->buf_storage[0], buf1);
        disp->buf_1 = &disp->buf_storage[0];
    }
    if (buf2 != nullptr) {
        describe(disp->buf_storage[1], buf2);
        disp->buf_2 = &disp->buf_storage[1];
    }
    disp->buf_act = disp->buf_1;
    disp->render_mode = render_mode;
    lv_obj_invalidate(disp->act_scr);
}

void lv_display_set_draw_buffers(lv_display_t * disp, lv_draw_buf_t * buf1, lv_draw_buf_t * buf2)
{
    disp->buf_1 = buf1;
    disp->buf_2 = buf2;
    disp->buf_act = buf1;
}

void lv_display_set_render_mode(lv_display_t * disp, lv_display_render_mode_t render_mode)
{
    disp->render_mode = render_mode;
}

void lv_display_set_flush_cb(lv_display_t * disp, lv_display_flush_cb_t flush_cb)
{
    disp->flush_cb = flush_cb;
}

void lv_display_set_flush_wait_cb(lv_display_t * disp, lv_display_flush_wait_cb_t wait_cb)
{
    disp->flush_wait_cb = wait_cb;
}

void lv_display_set_color_format(lv_display_t * disp, lv_color_format_t color_format)
{
    disp->color_format = color_format;
    lv_display_send_event(disp, LV_EVENT_COLOR_FORMAT_CHANGED, nullptr);
}

lv_color_format_t lv_display_get_color_format(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->color_format : LV_COLOR_FORMAT_UNKNOWN;
}

void lv_display_set_antialiasing(lv_display_t * disp, bool en)
{
    disp->antialiasing = en;
}

bool lv_display_get_antialiasing(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr && d->antialiasing;
}

void lv_display_flush_ready(lv_display_t * disp)
{
    disp->flushing = 0;
    disp->flushing_last = 0;
}

bool lv_display_flush_is_last(lv_display_t * disp)
{
    return disp->flushing_last != 0;
}

bool lv_display_is_double_buffered(lv_display_t * disp)
{
    return disp->buf_1 != nullptr && disp->buf_2 != nullptr;
}

lv_obj_t * lv_display_get_screen_active(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->act_scr : nullptr;
}

lv_obj_t * lv_display_get_screen_prev(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->prev_scr : nullptr;
}

lv_obj_t * lv_display_get_screen_loading(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->scr_to_load : nullptr;
}

lv_obj_t * lv_display_get_layer_top(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->top_layer.get() : nullptr;
}

lv_obj_t * lv_display_get_layer_sys(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->sys_layer.get() : nullptr;
}

lv_obj_t * lv_display_get_layer_bottom(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->bottom_layer.get() : nullptr;
}

void lv_screen_load(struct _lv_obj_t * scr)
{
    lv_screen_load_anim(scr, LV_SCREEN_LOAD_ANIM_NONE, 0, 0, false);
}

void lv_screen_load_anim(lv_obj_t * scr, lv_screen_load_anim_t anim_type, uint32_t time, uint32_t delay, bool auto_del)
{
    lv_display_t * d = lv_obj_get_display(scr);
    if (d == nullptr || scr->parent != nullptr) return;

    // A load still in progress ends at once with its target loaded.
    if (d->scr_to_load != nullptr && d->scr_to_load != scr) {
        lv_obj_t * pending = d->scr_to_load;
        lv_obj_t * pending_old = d->prev_scr != nullptr ? d->prev_scr : d->act_scr;
        lv_anim_delete(pending, nullptr);
        if (pending_old != nullptr && pending_old != pending) lv_anim_delete(pending_old, nullptr);
        reset_screen_look(pending);
        reset_screen_look(pending_old);
        d->act_scr = pending;
        finish_load(d, pending, pending_old != pending ? pending_old : nullptr);
    }
    if (d->act_scr == scr || d->scr_to_load == scr) return;
    if (d->prev_scr != nullptr && d->del_prev) {
        lv_obj_t * stale = d->prev_scr;
        d->prev_scr = nullptr;
        lv_obj_delete(stale);
    }

    lv_obj_t * old = d->act_scr;
    reset_screen_look(scr);
    reset_screen_look(old);

    if (time == 0 && delay == 0) {
        load_now(d, scr, auto_del);
        return;
    }

    d->scr_to_load = scr;
    d->del_prev = auto_del;
    d->draw_prev_over_act = is_out_anim(anim_type);
    if (old != nullptr) lv_obj_send_event(old, LV_EVENT_SCREEN_UNLOAD_START, nullptr);

    LoadAnims l = load_anims(anim_type, lv_display_get_horizontal_resolution(d), lv_display_get_vertical_resolution(d));
    // The new screen's animation drives the load; a missing one still times it.
    start_anim(scr, l.new_exec, l.new_from, l.new_to, time, delay, true);
    if (old != nullptr && l.old_exec != nullptr) start_anim(old, l.old_exec, l.old_from, l.old_to, time, delay, false);
}

lv_obj_t * lv_screen_active(void)
{
    return lv_display_get_screen_active(nullptr);
}

lv_obj_t * lv_layer_top(void)
{
    return lv_display_get_layer_top(nullptr);
}

lv_obj_t * lv_layer_sys(void)
{
    return lv_display_get_layer_sys(nullptr);
}

lv_obj_t * lv_layer_bottom(void)
{
    return lv_display_get_layer_bottom(nullptr);
}

void lv_display_add_event_cb(lv_display_t * disp, lv_event_cb_t event_cb, lv_event_code_t filter, void * user_data)
{
    if (disp == nullptr || event_cb == nullptr) return;
    disp->events.add(event_cb, static_cast<uint32_t>(filter), user_data);
}

uint32_t lv_display_get_event_count(lv_display_t * disp)
{
    return disp->events.count();
}

lv_event_dsc_t * lv_display_get_event_dsc(lv_display_t * disp, uint32_t index)
{
    return disp->events.get(index);
}

bool lv_display_delete_event(lv_display_t * disp, uint32_t index)
{
    return disp->events.remove(index);
}

uint32_t lv_display_remove_event_cb_with_user_data(lv_display_t * disp, lv_event_cb_t event_cb, void * user_data)
{
    return disp->events.remove_cb_with_user_data(event_cb, user_data);
}

lv_result_t lv_display_send_event(lv_display_t * disp, lv_event_code_t code, void * param)
{
    if (disp == nullptr) return LV_RESULT_OK;
    return gui::send_event_to_list(disp->events, disp, code, param);
}

void lv_display_set_theme(lv_display_t * disp, lv_theme_t * th)
{
    lv_display_t * d = or_default(disp);
    if (d == nullptr) return;
    d->theme = th;
    // Restyle the screens while the application has not created anything yet.
    bool only_screens =
        std::all_of(d->screens.begin(), d->screens.end(), [](const auto & s) { return s->children.empty(); });
    if (only_screens) {
        for (auto & s : d->screens) lv_theme_apply(s.get());
    }
}

lv_theme_t * lv_display_get_theme(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->theme : nullptr;
}

uint32_t lv_display_get_inactive_time(const lv_display_t * disp)
{
    if (disp != nullptr) return lv_tick_elaps(disp->last_activity_time);
    uint32_t least = UINT32_MAX;
    for (const auto & d : displays) least = std::min(least, lv_tick_elaps(d->last_activity_time));
    return least;
}

void lv_display_trigger_activity(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    if (d != nullptr) d->last_activity_time = lv_tick_get();
}

void lv_display_enable_invalidation(lv_display_t * disp, bool en)
{
    lv_display_t * d = or_default(disp);
    if (d == nullptr) return;
    d->inv_disabled += en ? -1 : 1;
    d->inv_disabled = std::max(d->inv_disabled, 0);
}

bool lv_display_is_invalidation_enabled(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr && d->inv_disabled == 0;
}

lv_timer_t * lv_display_get_refr_timer(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->refr_timer : nullptr;
}

void lv_display_delete_refr_timer(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    if (d == nullptr || d->refr_timer == nullptr) return;
    lv_timer_delete(d->refr_timer);
    d->refr_timer = nullptr;
}

void lv_display_set_user_data(lv_display_t * disp, void * user_data)
{
    disp->user_data = user_data;
}

void * lv_display_get_user_data(lv_display_t * disp)
{
    return disp->user_data;
}

void lv_display_set_driver_data(lv_display_t * disp, void * driver_data)
{
    disp->driver_data = driver_data;
}

void * lv_display_get_driver_data(lv_display_t * disp)
{
    return disp->driver_data;
}

lv_draw_buf_t * lv_display_get_buf_active(lv_display_t * disp)
{
    lv_display_t * d = or_default(disp);
    return d != nullptr ? d->buf_act : nullptr;
}

int32_t lv_dpx(int32_t n)
{
    return LV_DPX(n);
}

int32_t lv_display_dpx(const lv_display_t * disp, int32_t n)
{
    return LV_DPX_CALC(lv_display_get_dpi(disp), n);
}

}  // extern "C"
