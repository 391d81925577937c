// Styles on objects: storage in precedence order, resolution of a property
// for a part in the object's state, inheritance, and refreshing after changes.
#include <algorithm>

#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/core/style_internal.hpp"
#include "gui/display/display.hpp"

namespace {

bool refresh_enabled = true;
bool adding_theme = false;
bool skip_transitions = false;

uint16_t state_of(lv_style_selector_t sel)
{
    return static_cast<uint16_t>(lv_obj_style_get_selector_state(sel));
}

bool selector_matches(lv_style_selector_t filter, lv_style_selector_t sel)
{
    lv_part_t fp = lv_obj_style_get_selector_part(filter);
    uint16_t fs = state_of(filter);
    bool part_ok = fp == LV_PART_ANY || fp == lv_obj_style_get_selector_part(sel);
    bool state_ok = fs == LV_STATE_ANY || fs == state_of(sel);
    return part_ok && state_ok;
}

// First position after the transition and local styles: where added styles go.
size_t added_styles_begin(const lv_obj_t * obj)
{
    size_t i = 0;
    while (i < obj->styles.size() && (obj->styles[i].is_trans || obj->styles[i].is_local)) i++;
    return i;
}

inline bool find_in_styles(const lv_obj_t * obj, lv_part_t part, lv_style_prop_t prop, lv_style_value_t & out)
{
    uint16_t obj_state = obj->state;
    int32_t best_state = -1;
    for (const auto & e : obj->styles) {
        if (lv_obj_style_get_selector_part(e.selector) != part) continue;
        if (e.is_trans) {
            // Running transitions come first and hold the value shown, whatever the state.
            if (!skip_transitions && lv_style_get_prop(e.style, prop, &out) == LV_STYLE_RES_FOUND) return true;
            continue;
        }
        uint16_t st = state_of(e.selector);
        if ((st & ~obj_state) != 0) continue;
        if (static_cast<int32_t>(st) <= best_state) continue;
        lv_style_value_t v;
        if (lv_style_get_prop(e.style, prop, &v) != LV_STYLE_RES_FOUND) continue;
        out = v;
        best_state = st;
        if (st == obj_state) break;
    }
    return best_state >= 0;
}

lv_style_value_t class_default(const lv_obj_t * obj, lv_style_prop_t prop)
{
    lv_style_value_t v{};
    for (const lv_obj_class_t * c = obj->class_p; c != nullptr; c = c->base_class) {
        int32_t d = prop == LV_STYLE_WIDTH ? c->width_def : c->height_def;
        if (d != 0) {
            v.num = d;
            return v;
        }
    }
    return v;
}

bool has_matching_prop(const lv_obj_t * obj, uint16_t changed_states, uint8_t flag)
{
    for (const auto & e : obj->styles) {
        if ((state_of(e.selector) & changed_states) == 0) continue;
        const lv_style_t * s = e.style;
        for (lv_style_prop_t p = 1; p <= LV_STYLE_LAST_BUILT_IN_PROP; p++) {
            lv_style_value_t v;
            if (lv_style_prop_has_flag(p, flag) && lv_style_get_prop(s, p, &v) == LV_STYLE_RES_FOUND) return true;
        }
    }
    return false;
}

void refresh_children(lv_obj_t * obj)
{
    for (size_t i = 0; i < obj->children.size(); i++) {
        lv_obj_t * child = obj->children[i].get();
        lv_obj_invalidate(child);
        lv_obj_send_event(child, LV_EVENT_STYLE_CHANGED, nullptr);
        lv_obj_mark_layout_as_dirty(child);
        refresh_children(child);
    }
}

gui::core::StyleEntry * local_entry(lv_obj_t * obj, lv_style_selector_t selector, bool create)
{
    for (auto & e : obj->styles) {
        if (e.is_local && e.selector == selector) return &e;
    }
    if (!create) return nullptr;
    size_t pos = 0;
    while (pos < obj->styles.size() && obj->styles[pos].is_trans) pos++;
    gui::core::StyleEntry e;
    e.owned = std::make_unique<gui::core::OwnedStyle>();
    e.style = &e.owned->style;
    e.selector = selector;
    e.is_local = true;
    auto it = obj->styles.insert(obj->styles.begin() + static_cast<std::ptrdiff_t>(pos), std::move(e));
    return &*it;
}

}  // namespace

namespace gui::core {

OwnedStyle::OwnedStyle()
{
    lv_style_init(&style);
}

OwnedStyle::~OwnedStyle()
{
    lv_style_reset(&style);
}

lv_style_value_t style_value_in_state(lv_obj_t * obj, lv_part_t part, lv_style_prop_t prop, uint16_t state,
                                      bool with_transitions)
{
    const uint16_t saved_state = obj->state;
    const bool saved_skip = skip_transitions;
    obj->state = state;
    skip_transitions = !with_transitions;
    lv_style_value_t v = lv_obj_get_style_prop(obj, part, prop);
    obj->state = saved_state;
    skip_transitions = saved_skip;
    return v;
}

void remove_all_styles(lv_obj_t * obj)
{
    stop_transitions(obj, LV_PART_ANY);
    obj->styles.clear();
}

void change_state(lv_obj_t * obj, uint16_t state)
{
    uint16_t prev = obj->state;
    uint16_t changed = static_cast<uint16_t>(prev ^ state);
    lv_obj_invalidate(obj);
    obj->state = state;
    start_transitions(obj, prev);
    if (has_matching_prop(obj, changed, LV_STYLE_PROP_FLAG_LAYOUT_UPDATE | LV_STYLE_PROP_FLAG_INHERITABLE)) {
        lv_obj_refresh_style(obj, LV_PART_ANY, LV_STYLE_PROP_ANY);
    } else if (has_matching_prop(obj, changed, LV_STYLE_PROP_FLAG_EXT_DRAW_UPDATE)) {
        refresh_ext_draw_size(obj);
    }
    lv_obj_invalidate(obj);
}

void set_adding_theme_styles(bool on)
{
    adding_theme = on;
}

void remove_theme_styles(lv_obj_t * obj)
{
    auto & s = obj->styles;
    s.erase(std::remove_if(s.begin(), s.end(), [](const StyleEntry & e) { return e.is_theme; }), s.end());
}

void invalidate_before_change(lv_obj_t * obj, lv_part_t part, lv_style_prop_t prop)
{
    bool main_part = part == LV_PART_ANY || part == LV_PART_MAIN;
    bool transform = prop == LV_STYLE_PROP_ANY || lv_style_prop_has_flag(prop, LV_STYLE_PROP_FLAG_TRANSFORM);
    if (refresh_enabled && main_part && transform) {
        lv_obj_invalidate(obj);
    }
}

}  // namespace gui::core

extern "C" {

void lv_obj_add_style(lv_obj_t * obj, const lv_style_t * style, lv_style_selector_t selector)
{
    if (obj == nullptr || style == nullptr) return;
    gui::core::StyleEntry e;
    e.style = style;
    e.selector = selector;
    e.is_theme = adding_theme;
    size_t pos = added_styles_begin(obj);
    gui::core::invalidate_before_change(obj, lv_obj_style_get_selector_part(selector), LV_STYLE_PROP_ANY);
    obj->styles.insert(obj->styles.begin() + static_cast<std::ptrdiff_t>(pos), std::move(e));
    lv_obj_refresh_style(obj, lv_obj_style_get_selector_part(selector), LV_STYLE_PROP_ANY);
}

bool lv_obj_replace_style(lv_obj_t * obj, const lv_style_t * old_style, const lv_style_t * new_style,
                          lv_style_selector_t selector)
{
    bool replaced = false;
    gui::core::invalidate_before_change(obj, lv_obj_style_get_selector_part(selector), LV_STYLE_PROP_ANY);
    for (auto & e : obj->styles) {
        if (e.is_local || e.is_trans || e.style != old_style || !selector_matches(selector, e.selector)) continue;
        e.style = new_style;
        replaced = true;
    }
    if (replaced) lv_obj_refresh_style(obj, lv_obj_style_get_selector_part(selector), LV_STYLE_PROP_ANY);
    return replaced;
}

void lv_obj_remove_style(lv_obj_t * obj, const lv_style_t * style, lv_style_selector_t selector)
{
    // Removing all styles of a part also ends its transitions.
    if (style == nullptr && state_of(selector) == LV_STATE_ANY) {
        gui::core::stop_transitions(obj, lv_obj_style_get_selector_part(selector));
    }
    gui::core::invalidate_before_change(obj, lv_obj_style_get_selector_part(selector), LV_STYLE_PROP_ANY);
    auto & s = obj->styles;
    size_t before = s.size();
    s.erase(std::remove_if(s.begin(), s.end(),
                           [&](const gui::core::StyleEntry & e) {
                               if (e.is_trans || !selector_matches(selector, e.selector)) return false;
                               return style == nullptr || e.style == style;
                           }),
            s.end());
    if (s.size() != before) lv_obj_refresh_style(obj, lv_obj_style_get_selector_part(selector), LV_STYLE_PROP_ANY);
}

void lv_obj_remove_style_all(lv_obj_t * obj)
{
    lv_obj_remove_style(obj, nullptr, static_cast<uint32_t>(LV_PART_ANY) | LV_STATE_ANY);
}

void lv_obj_report_style_change(lv_style_t * style)
{
    for (const auto & d : gui::display::all()) {
        auto visit = [style](auto & self, lv_obj_t * obj) -> void {
            for (const auto & e : obj->styles) {
                if (style == nullptr || e.style == style) {
                    lv_obj_refresh_style(obj, LV_PART_ANY, LV_STYLE_PROP_ANY);
                    break;
                }
            }
            for (size_t i = 0; i < obj->children.size(); i++) self(self, obj->children[i].get());
        };
        for (size_t i = 0; i < d->screens.size(); i++) visit(visit, d->screens[i].get());
        for (lv_obj_t * layer : {d->bottom_layer.get(), d->top_layer.get(), d->sys_layer.get()}) {
            if (layer != nullptr) visit(visit, layer);
        }
    }
}

void lv_obj_refresh_style(lv_obj_t * obj, lv_part_t part, lv_style_prop_t prop)
{
    if (!refresh_enabled || obj == nullptr) return;
    lv_obj_invalidate(obj);
    bool any = prop == LV_STYLE_PROP_ANY;
    bool layout = any || lv_style_prop_has_flag(prop, LV_STYLE_PROP_FLAG_LAYOUT_UPDATE);
    bool parent_layout = any || lv_style_prop_has_flag(prop, LV_STYLE_PROP_FLAG_PARENT_LAYOUT_UPDATE);
    bool inherit = any || lv_style_prop_has_flag(prop, LV_STYLE_PROP_FLAG_INHERITABLE);
    bool main_part = part == LV_PART_ANY || part == LV_PART_MAIN;

    lv_obj_send_event(obj, LV_EVENT_STYLE_CHANGED, nullptr);
    if (layout && main_part) lv_obj_mark_layout_as_dirty(obj);
    if (parent_layout && main_part && obj->parent != nullptr) lv_obj_mark_layout_as_dirty(obj->parent);
    if (inherit) refresh_children(obj);
    lv_obj_invalidate(obj);
    lv_display_t * disp = lv_obj_get_display(obj);
    if (disp != nullptr) gui::display::request_refresh(disp);
}

void lv_obj_enable_style_refresh(bool en)
{
    refresh_enabled = en;
}

// The value in obj's styles for its current state, else inherited from the
// parents' main parts, else the default.
lv_style_value_t lv_obj_get_style_prop(const lv_obj_t * obj, lv_part_t part, lv_style_prop_t prop)
{
    lv_style_value_t v;
    if (find_in_styles(obj, part, prop, v)) return v;
    if (lv_style_prop_has_flag(prop, LV_STYLE_PROP_FLAG_INHERITABLE)) {
        if (part != LV_PART_MAIN && find_in_styles(obj, LV_PART_MAIN, prop, v)) return v;
        for (const lv_obj_t * p = obj->parent; p != nullptr; p = p->parent) {
            if (find_in_styles(p, LV_PART_MAIN, prop, v)) return v;
        }
    }
    if (prop == LV_STYLE_WIDTH || prop == LV_STYLE_HEIGHT) return class_default(obj, prop);
    return lv_style_prop_get_default(prop);
}

bool lv_obj_has_style_prop(const lv_obj_t * obj, lv_style_selector_t selector, lv_style_prop_t prop)
{
    for (const auto & e : obj->styles) {
        if (e.selector != selector) continue;
        lv_style_value_t v;
        if (lv_style_get_prop(e.style, prop, &v) == LV_STYLE_RES_FOUND) return true;
    }
    return false;
}

void lv_obj_set_local_style_prop(lv_obj_t * obj, lv_style_prop_t prop, lv_style_value_t value,
                                 lv_style_selector_t selector)
{
    if (obj == nullptr) return;
    gui::core::StyleEntry * e = local_entry(obj, selector, true);
    gui::core::invalidate_before_change(obj, lv_obj_style_get_selector_part(selector), prop);
    lv_style_set_prop(&e->owned->style, prop, value);
    lv_obj_refresh_style(obj, lv_obj_style_get_selector_part(selector), prop);
}

lv_style_res_t lv_obj_get_local_style_prop(lv_obj_t * obj, lv_style_prop_t prop, lv_style_value_t * value,
                                           lv_style_selector_t selector)
{
    gui::core::StyleEntry * e = local_entry(obj, selector, false);
    if (e == nullptr) return LV_STYLE_RES_NOT_FOUND;
    return lv_style_get_prop(e->style, prop, value);
}

bool lv_obj_remove_local_style_prop(lv_obj_t * obj, lv_style_prop_t prop, lv_style_selector_t selector)
{
    gui::core::StyleEntry * e = local_entry(obj, selector, false);
    if (e == nullptr) return false;
    gui::core::invalidate_before_change(obj, lv_obj_style_get_selector_part(selector), prop);
    if (!lv_style_remove_prop(&e->owned->style, prop)) return false;
    if (lv_style_is_empty(e->style)) {
        auto & s = obj->styles;
        s.erase(std::find_if(s.begin(), s.end(), [e](const gui::core::StyleEntry & x) { return &x == e; }));
    }
    lv_obj_refresh_style(obj, lv_obj_style_get_selector_part(selector), prop);
    return true;
}

lv_style_value_t lv_obj_style_apply_color_filter(const lv_obj_t *, lv_part_t, lv_style_value_t v)
{
    // Colour filters are not supported: colours pass unchanged.
    return v;
}

namespace {

void fade_exec(void * obj, int32_t v)
{
    lv_obj_set_style_opa(static_cast<lv_obj_t *>(obj), static_cast<lv_opa_t>(v), 0);
}

void fade(lv_obj_t * obj, int32_t from, int32_t to, uint32_t time, uint32_t delay)
{
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, obj);
    lv_anim_set_values(&a, from, to);
    lv_anim_set_exec_cb(&a, fade_exec);
    lv_anim_set_duration(&a, time);
    lv_anim_set_delay(&a, delay);
    lv_anim_start(&a);
}

}  // namespace

void lv_obj_fade_in(lv_obj_t * obj, uint32_t time, uint32_t delay)
{
    fade(obj, 0, LV_OPA_COVER, time, delay);
}

void lv_obj_fade_out(lv_obj_t * obj, uint32_t time, uint32_t delay)
{
    fade(obj, LV_OPA_COVER, 0, time, delay);
}

lv_opa_t lv_obj_get_style_opa_recursive(const lv_obj_t * obj, lv_part_t part)
{
    // Opacities of MAX and above count as opaque and do not darken the product.
    uint32_t result = LV_OPA_COVER;
    const lv_obj_t * cur = obj;
    lv_part_t cur_part = part;
    while (cur != nullptr) {
        lv_opa_t o = lv_obj_get_style_opa(cur, cur_part);
        if (o <= LV_OPA_MIN) return LV_OPA_TRANSP;
        if (o < LV_OPA_MAX) result = (result * o) >> 8;
        if (cur_part != LV_PART_MAIN) {
            cur_part = LV_PART_MAIN;
        } else {
            cur = cur->parent;
        }
    }
    if (result <= LV_OPA_MIN) return LV_OPA_TRANSP;
    return result >= LV_OPA_MAX ? static_cast<lv_opa_t>(LV_OPA_COVER) : static_cast<lv_opa_t>(result);
}

}  // extern "C"
