// Bar: a background with an indicator whose length shows a value in a range.
#include "widget.hpp"
#include "widget_class.hpp"
#include "gui/misc/area.hpp"

#include <algorithm>

namespace gui::widgets {
namespace {

constexpr int32_t kAnimEnd = 256;     // animation progress steps
constexpr int32_t kMinThickness = 4;  // the indicator is never thinner than this
constexpr int32_t kDrawnMinLength = 1;

struct ValueAnim {
    bool active = false;
    int32_t from = 0;
    int32_t to = 0;
    int32_t state = 0;  // 0 .. kAnimEnd
};

struct BarData : WidgetData {
    int32_t value = 0;
    int32_t start_value = 0;
    int32_t min = 0;
    int32_t max = 100;
    lv_bar_mode_t mode = LV_BAR_MODE_NORMAL;
    lv_bar_orientation_t orientation = LV_BAR_ORIENTATION_AUTO;
    ValueAnim value_anim;
    ValueAnim start_anim;
};

BarData * data(const lv_obj_t * obj)
{
    return data_of<BarData>(obj);
}

int32_t lo(const BarData & d)
{
    return std::min(d.min, d.max);
}
int32_t hi(const BarData & d)
{
    return std::max(d.min, d.max);
}

int32_t shown(const ValueAnim & a, int32_t target)
{
    if (!a.active) return target;
    return a.from + static_cast<int32_t>(int64_t(a.to - a.from) * a.state / kAnimEnd);
}

void value_anim_exec(void * var, int32_t v)
{
    auto * obj = static_cast<lv_obj_t *>(var);
    if (BarData * d = data(obj)) {
        d->value_anim.state = v;
        lv_obj_invalidate(obj);
    }
}

void start_anim_exec(void * var, int32_t v)
{
    auto * obj = static_cast<lv_obj_t *>(var);
    if (BarData * d = data(obj)) {
        d->start_anim.state = v;
        lv_obj_invalidate(obj);
    }
}

void anim_completed(lv_anim_t * a)
{
    auto * obj = static_cast<lv_obj_t *>(a->var);
    BarData * d = data(obj);
    if (!d) return;
    (a->exec_cb == value_anim_exec ? d->value_anim : d->start_anim).active = false;
    lv_obj_invalidate(obj);
}

/** Move the shown value from what is on screen now to `target`, over the bar's animation duration. */
void animate(lv_obj_t * obj, ValueAnim & va, int32_t current_target, int32_t target, lv_anim_exec_xcb_t exec)
{
    int32_t from = va.active ? va.to : current_target;
    lv_anim_delete(obj, exec);
    va = {true, from, target, 0};
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, obj);
    lv_anim_set_exec_cb(&a, exec);
    lv_anim_set_values(&a, 0, kAnimEnd);
    // Without a duration the new length still waits for the next animation tick.
    lv_anim_set_duration(&a, std::max<uint32_t>(1, lv_obj_get_style_anim_duration(obj, LV_PART_MAIN)));
    lv_anim_set_completed_cb(&a, anim_completed);
    lv_anim_start(&a);
}

bool is_horizontal(const lv_obj_t * obj, const BarData & d)
{
    if (d.orientation == LV_BAR_ORIENTATION_HORIZONTAL) return true;
    if (d.orientation == LV_BAR_ORIENTATION_VERTICAL) return false;
    return lv_obj_get_width(obj) >= lv_obj_get_height(obj);
}

/** Area the indicator may fill: the (grown) bar box minus the main part's padding, at least 4 px thick. */
lv_area_t indicator_space(lv_obj_t * obj, bool hor)
{
    lv_area_t box;
    lv_obj_get_coords(obj, &box);
    box = gui::core::transformed_box(obj, LV_PART_MAIN, box);
    box.x1 += lv_obj_get_style_pad_left(obj, LV_PART_MAIN);
    box.x2 -= lv_obj_get_style_pad_right(obj, LV_PART_MAIN);
    box.y1 += lv_obj_get_style_pad_top(obj, LV_PART_MAIN);
    box.y2 -= lv_obj_get_style_pad_bottom(obj, LV_PART_MAIN);
    auto widen = [](int32_t & a1, int32_t & a2) {
        int32_t size = a2 - a1 + 1;
        if (size >= kMinThickness) return;
        int32_t extra = kMinThickness - size;
        a1 -= extra / 2;
        a2 += extra - extra / 2;
    };
    if (hor)
        widen(box.y1, box.y2);
    else
        widen(box.x1, box.x2);
    return box;
}

/** The indicator's area for the values currently shown; false when it is too short to draw. */
bool indicator_area(lv_obj_t * obj, const BarData & d, lv_area_t & out)
{
    bool hor = is_horizontal(obj, d);
    lv_area_t space = indicator_space(obj, hor);
    int32_t range = hi(d) - lo(d);
    if (range <= 0) return false;
    int32_t end_v = shown(d.value_anim, d.value);
    int32_t start_v = lo(d);
    if (d.mode == LV_BAR_MODE_RANGE) start_v = shown(d.start_anim, d.start_value);
    if (d.mode == LV_BAR_MODE_SYMMETRICAL && lo(d) < 0 && hi(d) > 0) start_v = 0;
    if (start_v > end_v) std::swap(start_v, end_v);
    // A running animation may still show values of a previous range.
    start_v = std::clamp(start_v, lo(d), hi(d));
    end_v = std::clamp(end_v, lo(d), hi(d));

    int32_t full = hor ? gui::area::width(space) : gui::area::height(space);
    int32_t from = static_cast<int32_t>(int64_t(full) * (start_v - lo(d)) / range);
    int32_t to = static_cast<int32_t>(int64_t(full) * (end_v - lo(d)) / range);
    if (to - from <= kDrawnMinLength) return false;

    bool reversed = d.min > d.max;
    if (hor && lv_obj_get_style_base_dir(obj, LV_PART_MAIN) == LV_BASE_DIR_RTL) reversed = !reversed;
    out = space;
    if (hor) {
        if (reversed)
            out.x2 = space.x2 - from, out.x1 = space.x2 - to + 1;
        else
            out.x1 = space.x1 + from, out.x2 = space.x1 + to - 1;
    } else {
        if (reversed)
            out.y1 = space.y1 + from, out.y2 = space.y1 + to - 1;
        else
            out.y2 = space.y2 - from, out.y1 = space.y2 - to + 1;
    }
    return true;
}

int32_t clamped_radius(int32_t radius, const lv_area_t & a)
{
    return std::min({radius, gui::area::width(a) / 2, gui::area::height(a) / 2});
}

/** Whether `p` lies in `a` with its corners rounded by `r`. */
bool in_rounded_box(const lv_area_t & a, lv_point_t p, int32_t r)
{
    if (!gui::area::contains(a, p)) return false;
    const int32_t cx = p.x < a.x1 + r ? a.x1 + r : (p.x > a.x2 - r ? a.x2 - r : p.x);
    const int32_t cy = p.y < a.y1 + r ? a.y1 + r : (p.y > a.y2 - r ? a.y2 - r : p.y);
    const int64_t dx = p.x - cx, dy = p.y - cy;
    return dx * dx + dy * dy <= int64_t(r) * r;
}

/**
 * An indicator with a smaller radius than the bar's would poke out of the
 * bar's rounded corners, unless the bar's padding lets it outgrow the bar
 * anyway or all its corners lie inside the rounded bar.
 */
bool corners_clash(lv_obj_t * obj, const lv_area_t & bar, int32_t bar_r, const lv_area_t & ind, int32_t ind_r)
{
    const bool outgrows =
        lv_obj_get_style_pad_left(obj, LV_PART_MAIN) < 0 || lv_obj_get_style_pad_right(obj, LV_PART_MAIN) < 0 ||
        lv_obj_get_style_pad_top(obj, LV_PART_MAIN) < 0 || lv_obj_get_style_pad_bottom(obj, LV_PART_MAIN) < 0;
    if (outgrows || ind_r >= bar_r) return false;
    const lv_point_t corners[] = {{ind.x1, ind.y1}, {ind.x2, ind.y1}, {ind.x1, ind.y2}, {ind.x2, ind.y2}};
    return !std::all_of(std::begin(corners), std::end(corners),
                        [&](const lv_point_t & p) { return in_rounded_box(bar, p, bar_r); });
}

// The indicator is drawn whole (shadow, outline and border too, wherever they
// reach) unless its corners clash with the bar's: then only its background,
// clipped to the rounded bar. Gradients are not drawn here, so a gradient
// along the bar or a background image needs no mask of its own: the
// background already keeps the indicator's rounded shape.
void draw_indicator(lv_obj_t * obj, const BarData & d, lv_event_t * e)
{
    lv_area_t ind;
    if (!indicator_area(obj, d, ind)) return;
    gui::draw::Target & t = event_target(e);
    gui::draw::RectDsc dsc;
    gui::core::init_rect_dsc(obj, LV_PART_INDICATOR, dsc);

    lv_area_t bg;
    lv_obj_get_coords(obj, &bg);
    bg = gui::core::transformed_box(obj, LV_PART_MAIN, bg);
    const int32_t bg_radius = clamped_radius(lv_obj_get_style_radius(obj, LV_PART_MAIN), bg);
    if (!corners_clash(obj, bg, bg_radius, ind, clamped_radius(dsc.radius, ind))) {
        gui::draw::draw_rect(t, ind, dsc);
        if (dsc.border_post) gui::draw::draw_border(t, ind, dsc);
        return;
    }
    dsc.shadow_width = 0;
    dsc.shadow_opa = LV_OPA_TRANSP;
    dsc.border_width = 0;
    dsc.outline_width = 0;
    t.push_rounded_clip(bg, bg_radius);
    gui::draw::draw_rect(t, ind, dsc);
    t.pop_rounded_clip();
}

void set_value(lv_obj_t * obj, BarData & d, int32_t value, lv_anim_enable_t anim)
{
    value = std::clamp(value, lo(d), hi(d));
    if (d.mode == LV_BAR_MODE_RANGE) value = std::max(value, d.start_value);
    if (value == d.value) return;
    int32_t old = d.value;
    d.value = value;
    if (anim) {
        animate(obj, d.value_anim, old, value, value_anim_exec);
    } else {
        lv_anim_delete(obj, value_anim_exec);
        d.value_anim.active = false;
    }
    lv_obj_invalidate(obj);
}

void set_start_value(lv_obj_t * obj, BarData & d, int32_t value, lv_anim_enable_t anim)
{
    if (d.mode != LV_BAR_MODE_RANGE) return;
    value = std::clamp(value, lo(d), d.value);
    if (value == d.start_value) return;
    int32_t old = d.start_value;
    d.start_value = value;
    if (anim) {
        animate(obj, d.start_anim, old, value, start_anim_exec);
    } else {
        lv_anim_delete(obj, start_anim_exec);
        d.start_anim.active = false;
    }
    lv_obj_invalidate(obj);
}

void bar_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    attach_data(obj, std::make_unique<BarData>());
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_CHECKABLE);
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_SCROLLABLE);
}

void bar_event(const lv_obj_class_t * class_p, lv_event_t * e)
{
    if (!call_base_event(class_p, e)) return;
    lv_obj_t * obj = lv_event_get_current_target_obj(e);
    BarData * d = data(obj);
    if (!d) return;
    switch (lv_event_get_code(e)) {
    case LV_EVENT_REFR_EXT_DRAW_SIZE: {
        gui::draw::RectDsc dsc;
        gui::core::init_rect_dsc(obj, LV_PART_INDICATOR, dsc);
        lv_event_set_ext_draw_size(e, gui::draw::rect_extra_size(dsc));
        break;
    }
    case LV_EVENT_PRESSED:
    case LV_EVENT_RELEASED: lv_obj_invalidate(obj); break;
    case LV_EVENT_DRAW_MAIN: draw_indicator(obj, *d, e); break;
    default: break;
    }
}

}  // namespace
}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_bar_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_bar",
    .constructor = bar_constructor,
    .event = bar_event,
    .width_def = LV_DPI_DEF * 2,
    .height_def = LV_DPI_DEF / 10,
});

extern "C" {

lv_obj_t * lv_bar_create(lv_obj_t * parent)
{
    return create_widget(&lv_bar_class, parent);
}

void lv_bar_set_value(lv_obj_t * obj, int32_t value, lv_anim_enable_t anim)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    if (BarData * d = data(obj)) set_value(obj, *d, value, anim);
}

void lv_bar_set_start_value(lv_obj_t * obj, int32_t start_value, lv_anim_enable_t anim)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    if (BarData * d = data(obj)) set_start_value(obj, *d, start_value, anim);
}

void lv_bar_set_range(lv_obj_t * obj, int32_t min, int32_t max)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    BarData * d = data(obj);
    if (!d || (d->min == min && d->max == max)) return;
    d->min = min;
    d->max = max;
    if (d->mode != LV_BAR_MODE_RANGE) d->start_value = lo(*d);
    int32_t clamped = std::clamp(d->value, lo(*d), hi(*d));
    if (clamped != d->value) set_value(obj, *d, clamped, LV_ANIM_OFF);
    d->start_value = std::clamp(d->start_value, lo(*d), d->value);
    lv_obj_invalidate(obj);
}

void lv_bar_set_min_value(lv_obj_t * obj, int32_t min)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    if (BarData * d = data(obj)) lv_bar_set_range(obj, min, d->max);
}

void lv_bar_set_max_value(lv_obj_t * obj, int32_t max)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    if (BarData * d = data(obj)) lv_bar_set_range(obj, d->min, max);
}

void lv_bar_set_mode(lv_obj_t * obj, lv_bar_mode_t mode)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    BarData * d = data(obj);
    if (!d) return;
    d->mode = mode;
    if (mode != LV_BAR_MODE_RANGE) d->start_value = lo(*d);
    lv_obj_invalidate(obj);
}

void lv_bar_set_orientation(lv_obj_t * obj, lv_bar_orientation_t orientation)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    if (BarData * d = data(obj)) {
        d->orientation = orientation;
        lv_obj_invalidate(obj);
    }
}

int32_t lv_bar_get_value(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    BarData * d = data(obj);
    return d ? d->value : 0;
}

int32_t lv_bar_get_start_value(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    BarData * d = data(obj);
    if (!d) return 0;
    return d->mode == LV_BAR_MODE_RANGE ? d->start_value : lo(*d);
}

int32_t lv_bar_get_min_value(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    BarData * d = data(obj);
    return d ? d->min : 0;
}

int32_t lv_bar_get_max_value(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    BarData * d = data(obj);
    return d ? d->max : 0;
}

lv_bar_mode_t lv_bar_get_mode(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    BarData * d = data(obj);
    return d ? d->mode : LV_BAR_MODE_NORMAL;
}

lv_bar_orientation_t lv_bar_get_orientation(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    BarData * d = data(obj);
    return d ? d->orientation : LV_BAR_ORIENTATION_AUTO;
}

bool lv_bar_is_symmetrical(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_bar_class);
    BarData * d = data(obj);
    return d && d->mode == LV_BAR_MODE_SYMMETRICAL && lo(*d) < 0 && hi(*d) > 0;
}

}  // extern "C"
