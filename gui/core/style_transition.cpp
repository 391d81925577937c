// Style transitions: when an object's state changes, the properties named by
// the transition descriptors of the styles that apply in the new state move
// from their old value to the new one with an animation. The animated value
// lives in a transition style per part, which takes precedence over every
// other style until the animation completes.
#include <algorithm>
#include <list>
#include <map>
#include <utility>
#include <vector>

#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/core/style_internal.hpp"
#include "gui/misc/style_props.hpp"

namespace {

constexpr int32_t kMixMax = 255;  // the animations run from 0 to 255

struct Transition {
    lv_obj_t * obj;
    lv_part_t part;
    lv_style_prop_t prop;
    lv_style_value_t start;
    lv_style_value_t end;
};

// Transitions of all objects; the animations point at their records.
std::list<Transition> transitions;

// What a transition of prop is started with.
struct Request {
    const lv_style_transition_dsc_t * dsc;
    uint16_t state;  // of the style carrying it: the larger state wins
};

bool is_color_prop(lv_style_prop_t prop)
{
    return gui::style::value_kind(prop) == gui::style::ValueKind::Color;
}

bool is_pointer_prop(lv_style_prop_t prop)
{
    return gui::style::value_kind(prop) == gui::style::ValueKind::Pointer;
}

// Properties without in-between values: they switch at the end.
bool is_discrete_prop(lv_style_prop_t prop)
{
    switch (prop) {
    case LV_STYLE_BG_IMAGE_TILED:
    case LV_STYLE_BORDER_SIDE:
    case LV_STYLE_BORDER_POST:
    case LV_STYLE_ARC_ROUNDED:
    case LV_STYLE_LINE_ROUNDED:
    case LV_STYLE_TEXT_DECOR:
    case LV_STYLE_TEXT_ALIGN:
    case LV_STYLE_CLIP_CORNER:
    case LV_STYLE_BLEND_MODE:
    case LV_STYLE_LAYOUT:
    case LV_STYLE_BASE_DIR: return true;
    default: return is_pointer_prop(prop);
    }
}

bool same_value(lv_style_prop_t prop, const lv_style_value_t & a, const lv_style_value_t & b)
{
    if (is_color_prop(prop)) return lv_color_eq(a.color, b.color);
    if (is_pointer_prop(prop)) return a.ptr == b.ptr;
    return a.num == b.num;
}

// A circle radius as a number that can be interpolated.
int32_t radius_number(const lv_obj_t * obj, int32_t r)
{
    if (r != LV_RADIUS_CIRCLE) return r;
    return std::min(lv_obj_get_width(obj) / 2 + 1, lv_obj_get_height(obj) / 2 + 1);
}

lv_style_value_t value_at(const Transition & t, int32_t v)
{
    if (v <= 0) return t.start;
    if (v >= kMixMax) return t.end;
    lv_style_value_t out{};
    if (is_color_prop(t.prop)) {
        out.color = lv_color_mix(t.end.color, t.start.color, static_cast<uint8_t>(v));
    } else if (is_discrete_prop(t.prop)) {
        out = t.start;
    } else {
        const int64_t span = static_cast<int64_t>(t.end.num) - t.start.num;
        out.num = static_cast<int32_t>(t.start.num + ((span * v) >> 8));
    }
    return out;
}

gui::core::StyleEntry * transition_entry(lv_obj_t * obj, lv_part_t part, bool create)
{
    auto & styles = obj->styles;
    for (auto & e : styles) {
        if (e.is_trans && lv_obj_style_get_selector_part(e.selector) == part) return &e;
    }
    if (!create) return nullptr;
    gui::core::StyleEntry e;
    e.owned = std::make_unique<gui::core::OwnedStyle>();
    e.style = &e.owned->style;
    e.selector = part;
    e.is_trans = true;
    return &*styles.insert(styles.begin(), std::move(e));
}

void set_animated_value(lv_obj_t * obj, lv_part_t part, lv_style_prop_t prop, lv_style_value_t v)
{
    gui::core::StyleEntry * e = transition_entry(obj, part, true);
    lv_style_set_prop(&e->owned->style, prop, v);
}

bool others_running(const Transition & t)
{
    return std::any_of(transitions.begin(), transitions.end(), [&t](const Transition & o) {
        return &o != &t && o.obj == t.obj && o.part == t.part && o.prop == t.prop;
    });
}

void drop_animated_value(lv_obj_t * obj, lv_part_t part, lv_style_prop_t prop)
{
    gui::core::StyleEntry * e = transition_entry(obj, part, false);
    if (e == nullptr) return;
    lv_style_remove_prop(&e->owned->style, prop);
    if (!lv_style_is_empty(e->style)) return;
    auto & styles = obj->styles;
    styles.erase(std::find_if(styles.begin(), styles.end(), [e](const gui::core::StyleEntry & x) { return &x == e; }));
}

// Stops the transitions matching `pred` (their records go in the deleted callback).
template <typename Pred> void stop_where(Pred pred)
{
    std::vector<Transition *> doomed;
    for (auto & t : transitions) {
        if (pred(t)) doomed.push_back(&t);
    }
    for (Transition * t : doomed) lv_anim_delete(t, nullptr);
}

void transition_exec(void * var, int32_t v)
{
    auto * t = static_cast<Transition *>(var);
    lv_style_value_t now = value_at(*t, v);
    gui::core::StyleEntry * e = transition_entry(t->obj, t->part, true);
    lv_style_value_t old{};
    bool had = lv_style_get_prop(e->style, t->prop, &old) == LV_STYLE_RES_FOUND;
    if (had && same_value(t->prop, old, now)) return;
    gui::core::invalidate_before_change(t->obj, t->part, t->prop);
    lv_style_set_prop(&e->owned->style, t->prop, now);
    lv_obj_refresh_style(t->obj, t->part, t->prop);
}

// After its delay: start from the value shown now, take over from older
// transitions of the same property.
void transition_started(lv_anim_t * a)
{
    auto * t = static_cast<Transition *>(a->var);
    t->start = lv_obj_get_style_prop(t->obj, t->part, t->prop);
    if (t->prop == LV_STYLE_RADIUS) t->start.num = radius_number(t->obj, t->start.num);
    stop_where(
        [t](const Transition & o) { return &o != t && o.obj == t->obj && o.part == t->part && o.prop == t->prop; });
    set_animated_value(t->obj, t->part, t->prop, t->start);
}

void transition_completed(lv_anim_t * a)
{
    auto * t = static_cast<Transition *>(a->var);
    if (others_running(*t)) return;
    drop_animated_value(t->obj, t->part, t->prop);
    lv_obj_refresh_style(t->obj, t->part, t->prop);
}

void transition_deleted(lv_anim_t * a)
{
    auto * t = static_cast<Transition *>(a->var);
    transitions.remove_if([t](const Transition & o) { return &o == t; });
}

void start_one(lv_obj_t * obj, uint16_t prev_state, lv_part_t part, lv_style_prop_t prop, const Request & r)
{
    const uint16_t new_state = obj->state;
    lv_style_value_t from = gui::core::style_value_in_state(obj, part, prop, prev_state, false);
    lv_style_value_t to = gui::core::style_value_in_state(obj, part, prop, new_state, false);
    if (same_value(prop, from, to)) return;
    // Start from what is shown, which may be the middle of another transition.
    from = gui::core::style_value_in_state(obj, part, prop, prev_state, true);
    set_animated_value(obj, part, prop, from);
    if (prop == LV_STYLE_RADIUS) {
        from.num = radius_number(obj, from.num);
        to.num = radius_number(obj, to.num);
    }
    Transition & t = transitions.emplace_back(Transition{obj, part, prop, from, to});

    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, &t);
    lv_anim_set_exec_cb(&a, transition_exec);
    lv_anim_set_start_cb(&a, transition_started);
    lv_anim_set_completed_cb(&a, transition_completed);
    lv_anim_set_deleted_cb(&a, transition_deleted);
    lv_anim_set_values(&a, 0, kMixMax);
    lv_anim_set_duration(&a, r.dsc->time);
    lv_anim_set_delay(&a, r.dsc->delay);
    lv_anim_set_path_cb(&a, r.dsc->path_xcb);
    lv_anim_set_early_apply(&a, false);
    lv_anim_set_user_data(&a, r.dsc->user_data);
    lv_anim_start(&a);
}

}  // namespace

namespace gui::core {

void start_transitions(lv_obj_t * obj, uint16_t prev_state)
{
    // Per part and property the descriptor of the applying style with the
    // largest state; on equal states the one stored first.
    std::map<std::pair<lv_part_t, lv_style_prop_t>, Request> requests;
    for (const auto & e : obj->styles) {
        if (e.is_trans) continue;
        const auto state = static_cast<uint16_t>(lv_obj_style_get_selector_state(e.selector));
        if ((state & ~obj->state) != 0) continue;
        lv_style_value_t v;
        if (lv_style_get_prop(e.style, LV_STYLE_TRANSITION, &v) != LV_STYLE_RES_FOUND || v.ptr == nullptr) continue;
        const auto * dsc = static_cast<const lv_style_transition_dsc_t *>(v.ptr);
        if (dsc->props == nullptr) continue;
        const lv_part_t part = lv_obj_style_get_selector_part(e.selector);
        for (const lv_style_prop_t * p = dsc->props; *p != LV_STYLE_PROP_INV; p++) {
            auto [it, added] = requests.try_emplace({part, *p}, Request{dsc, state});
            if (!added && state > it->second.state) it->second = Request{dsc, state};
        }
    }
    for (const auto & [key, request] : requests) start_one(obj, prev_state, key.first, key.second, request);
}

void stop_transitions(lv_obj_t * obj, lv_part_t part)
{
    stop_where([obj, part](const Transition & t) { return t.obj == obj && (part == LV_PART_ANY || t.part == part); });
    auto & styles = obj->styles;
    styles.erase(std::remove_if(styles.begin(), styles.end(),
                                [part](const StyleEntry & e) {
                                    return e.is_trans &&
                                           (part == LV_PART_ANY || lv_obj_style_get_selector_part(e.selector) == part);
                                }),
                 styles.end());
}

}  // namespace gui::core
