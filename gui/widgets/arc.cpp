// Arc: a ring-shaped slider with a background arc, an indicator arc and a knob.
// Angles are whole degrees, 0 at 3 o'clock, growing clockwise.
#include "widget.hpp"
#include "widget_class.hpp"
#include "gui/misc/area.hpp"

#include <algorithm>
#include <optional>

namespace gui::widgets {
namespace {

constexpr int32_t kValueUnset = INT16_MIN;
constexpr int32_t kFullCircle = 360;
constexpr int32_t kMaxJump = 280;           // larger angle jumps mean the finger crossed the gap
constexpr int32_t kToleranceDesignPx = 20;  // snapping zone beyond the ends, as an arc length

struct ArcData : WidgetData {
    int32_t rotation = 0;
    int32_t indic_start = 135;
    int32_t indic_end = 270;
    int32_t bg_start = 135;
    int32_t bg_end = 45;
    int32_t value = kValueUnset;
    int32_t min = 0;
    int32_t max = 100;
    lv_arc_mode_t mode = LV_ARC_MODE_NORMAL;
    uint32_t change_rate = 720;  // degrees per second while dragging
    int32_t knob_offset = 0;
    // drag state
    bool dragging = false;
    bool min_close = true;   // the start end was the nearer one on the last read in reach
    int32_t last_angle = 0;  // relative to the background start
    uint32_t last_tick = 0;
};

ArcData * data(const lv_obj_t * obj)
{
    return data_of<ArcData>(obj);
}

int32_t normalize(int32_t angle)
{
    angle %= kFullCircle;
    return angle < 0 ? angle + kFullCircle : angle;
}

/** Angles may be 0..360 so that a full circle stays expressible. */
int32_t clamp_angle(int32_t angle)
{
    while (angle > kFullCircle) angle -= kFullCircle;
    while (angle < 0) angle += kFullCircle;
    return angle;
}

int32_t bg_span(const ArcData & d)
{
    int32_t span = d.bg_end - d.bg_start;
    return span < 0 ? span + kFullCircle : span;
}

int32_t value_or_min(const ArcData & d)
{
    return d.value == kValueUnset ? std::min(d.min, d.max) : d.value;
}

int32_t value_to_rel_angle(const ArcData & d, int32_t value)
{
    if (d.max == d.min) return 0;
    return lv_map(value, d.min, d.max, 0, bg_span(d));
}

/** Indicator angles from the value in the current mode. */
void update_indicator(ArcData & d)
{
    if (d.value == kValueUnset) return;
    int32_t span = bg_span(d);
    int32_t rel = value_to_rel_angle(d, d.value);
    switch (d.mode) {
    case LV_ARC_MODE_REVERSE:
        d.indic_start = clamp_angle(d.bg_end - rel);
        d.indic_end = d.bg_end;
        break;
    case LV_ARC_MODE_SYMMETRICAL: {
        int32_t mid = clamp_angle(d.bg_start + span / 2);
        int32_t at = clamp_angle(d.bg_start + rel);
        if (d.value >= (d.min + d.max) / 2)
            d.indic_start = mid, d.indic_end = at;
        else
            d.indic_start = at, d.indic_end = mid;
        break;
    }
    default:
        d.indic_start = d.bg_start;
        d.indic_end = clamp_angle(d.bg_start + rel);
        break;
    }
}

struct Geometry {
    lv_point_t center;
    int32_t r;        // outer radius of the background ring
    int32_t indic_r;  // outer radius of the indicator
    int32_t indic_w;  // indicator thickness
};

Geometry geometry(const lv_obj_t * obj)
{
    lv_area_t c;
    lv_obj_get_coords(obj, &c);
    int32_t pl = lv_obj_get_style_pad_left(obj, LV_PART_MAIN), pr = lv_obj_get_style_pad_right(obj, LV_PART_MAIN);
    int32_t pt = lv_obj_get_style_pad_top(obj, LV_PART_MAIN), pb = lv_obj_get_style_pad_bottom(obj, LV_PART_MAIN);
    Geometry g{};
    g.r = std::min(gui::area::width(c) - pl - pr, gui::area::height(c) - pt - pb) / 2;
    g.center = {c.x1 + pl + g.r, c.y1 + pt + g.r};
    int32_t ipad = std::max(
        {lv_obj_get_style_pad_left(obj, LV_PART_INDICATOR), lv_obj_get_style_pad_right(obj, LV_PART_INDICATOR),
         lv_obj_get_style_pad_top(obj, LV_PART_INDICATOR), lv_obj_get_style_pad_bottom(obj, LV_PART_INDICATOR)});
    g.indic_r = g.r - ipad;
    g.indic_w = lv_obj_get_style_arc_width(obj, LV_PART_INDICATOR);
    return g;
}

/** Angle of the knob in absolute degrees (rotation included). */
int32_t knob_angle(const ArcData & d)
{
    int32_t a = d.indic_end;
    if (d.mode == LV_ARC_MODE_REVERSE) a = d.indic_start;
    if (d.mode == LV_ARC_MODE_SYMMETRICAL && d.value != kValueUnset && d.value < (d.min + d.max) / 2) a = d.indic_start;
    return normalize(a + d.rotation + d.knob_offset);
}

lv_point_t point_at(const Geometry & g, int32_t radius, int32_t angle)
{
    return {g.center.x + ((radius * lv_trigo_cos(static_cast<int16_t>(angle))) >> LV_TRIGO_SHIFT),
            g.center.y + ((radius * lv_trigo_sin(static_cast<int16_t>(angle))) >> LV_TRIGO_SHIFT)};
}

lv_area_t knob_area(const lv_obj_t * obj, const ArcData & d, const Geometry & g)
{
    lv_point_t p = point_at(g, g.indic_r - g.indic_w / 2, knob_angle(d));
    int32_t half = g.indic_w / 2;
    return {p.x - half - lv_obj_get_style_pad_left(obj, LV_PART_KNOB),
            p.y - half - lv_obj_get_style_pad_top(obj, LV_PART_KNOB),
            p.x + half + lv_obj_get_style_pad_right(obj, LV_PART_KNOB),
            p.y + half + lv_obj_get_style_pad_bottom(obj, LV_PART_KNOB)};
}

void draw_arc_parts(lv_obj_t * obj, const ArcData & d, lv_event_t * e)
{
    gui::draw::Target & t = event_target(e);
    Geometry g = geometry(obj);
    gui::draw::ArcDsc bg;
    gui::core::init_arc_dsc(obj, LV_PART_MAIN, bg);
    if (bg.width > 0 && g.r > 0) {
        bg.center = g.center;
        bg.radius = g.r;
        bg.start_angle = d.bg_start + d.rotation;
        bg.end_angle = d.bg_end + d.rotation;
        gui::draw::draw_arc(t, bg);
    }
    gui::draw::ArcDsc ind;
    gui::core::init_arc_dsc(obj, LV_PART_INDICATOR, ind);
    if (ind.width > 0 && g.indic_r > 0 && d.indic_start != d.indic_end) {
        ind.center = g.center;
        ind.radius = g.indic_r;
        ind.start_angle = d.indic_start + d.rotation;
        ind.end_angle = d.indic_end + d.rotation;
        gui::draw::draw_arc(t, ind);
    }
    gui::draw::RectDsc knob;
    gui::core::init_rect_dsc(obj, LV_PART_KNOB, knob);
    lv_area_t ka = gui::core::transformed_box(obj, LV_PART_KNOB, knob_area(obj, d, g));
    gui::draw::draw_rect(t, ka, knob);
    if (knob.border_post) gui::draw::draw_border(t, ka, knob);
}

/** Degrees of tolerance beyond the ends for a circle of radius `r`. */
int32_t end_tolerance(int32_t r)
{
    const int32_t circumference = 2 * std::max(r, 1) * 314 / 100;
    return kFullCircle * lv_dpx(kToleranceDesignPx) / circumference;
}

/** Finger angle relative to the background start, 0..359. */
int32_t rel_angle_of(const ArcData & d, const Geometry & g, const lv_point_t & p)
{
    const int32_t a = lv_atan2(p.y - g.center.y, p.x - g.center.x);
    return normalize(a - d.rotation - d.bg_start);
}

bool set_value_internal(ArcData & d, int32_t value)
{
    value = std::clamp(value, std::min(d.min, d.max), std::max(d.min, d.max));
    if (value == d.value) return false;
    d.value = value;
    update_indicator(d);
    return true;
}

/** Where a finger angle lies: on the background span or past one of its ends. */
struct AngleClass {
    bool outside;
    bool min_close;  // the start end is the nearer one
};

/** Classifies `angle` (from the start) against the span; nothing when it is out of reach. */
std::optional<AngleClass> classify(int32_t angle, int32_t span, int32_t tol)
{
    if (angle <= span) return AngleClass{false, angle < span / 2};
    if (kFullCircle - span <= tol) return AngleClass{false, true};
    if (kFullCircle - angle <= tol) return AngleClass{true, true};
    if (angle <= span + tol) return AngleClass{true, false};
    return std::nullopt;
}

/**
 * The angle a read aims at. A finger past an end aims at that end; a jump of
 * more than kMaxJump degrees means it crossed the gap, and the end it came
 * from is kept.
 */
int32_t target_angle(ArcData & d, int32_t angle, int32_t span, AngleClass c)
{
    const int32_t jump = std::abs(angle - d.last_angle);
    int32_t target = angle;
    if (jump > kMaxJump)
        target = c.min_close ? 0 : span;
    else if (c.outside)
        target = c.min_close ? -span : span;
    if (c.outside && d.min_close && !c.min_close && jump > kMaxJump) {
        target = 0;
        c.min_close = true;
    } else if (c.outside && !d.min_close && c.min_close && kFullCircle - jump > kMaxJump) {
        target = span;
        c.min_close = false;
    }
    d.min_close = c.min_close;
    return target;
}

void drag(lv_obj_t * obj, ArcData & d)
{
    lv_indev_t * indev = lv_indev_active();
    if (!indev || lv_indev_get_type(indev) != LV_INDEV_TYPE_POINTER) return;
    lv_point_t p;
    lv_indev_get_point(indev, &p);
    Geometry g = geometry(obj);
    int64_t dx = p.x - g.center.x, dy = p.y - g.center.y;
    // The read that starts a drag measures the end tolerance on the smaller
    // circle the finger had to leave; later reads on the full radius.
    int32_t tol_r = g.r;
    if (!d.dragging) {
        int32_t inner = g.r - g.indic_w;
        inner -= lv_obj_has_flag(obj, LV_OBJ_FLAG_ADV_HITTEST) ? g.indic_w : std::max(inner / 4, g.indic_w);
        inner = std::max(inner, 1);
        if (dx * dx + dy * dy <= int64_t(inner) * inner) return;
        d.dragging = true;
        tol_r = inner;
    }
    if (dx == 0 && dy == 0) return;

    const int32_t span = bg_span(d);
    const int32_t angle = rel_angle_of(d, g, p);
    const std::optional<AngleClass> where = classify(angle, span, end_tolerance(tol_r));
    if (!where) return;
    int32_t target = target_angle(d, angle, span, *where);

    uint32_t elapsed = lv_tick_elaps(d.last_tick);
    int32_t max_step = static_cast<int32_t>(d.change_rate * elapsed / 1000);
    target = d.last_angle + std::clamp(target - d.last_angle, -max_step, max_step);

    int32_t range = std::abs(d.max - d.min);
    int32_t round = range > 0 ? (span * 8 / range + 4) / 16 : 0;
    int32_t rel = std::min(target + round, span);
    if (d.mode == LV_ARC_MODE_REVERSE) rel = span - std::max(0, target - round);
    int32_t value = span > 0 ? lv_map(rel, 0, span, d.min, d.max) : d.min;
    // Resting on an end must not bank time for a later leap.
    if (value == d.min || value == d.max) d.last_tick = lv_tick_get();
    if (!set_value_internal(d, value)) return;
    d.last_tick = lv_tick_get();
    d.last_angle =
        d.mode == LV_ARC_MODE_REVERSE ? span - value_to_rel_angle(d, d.value) : value_to_rel_angle(d, d.value);
    lv_obj_invalidate(obj);
    lv_obj_send_event(obj, LV_EVENT_VALUE_CHANGED, nullptr);
}

void start_press(ArcData & d)
{
    d.dragging = false;
    d.last_tick = lv_tick_get();
    int32_t rel = value_to_rel_angle(d, value_or_min(d));
    d.last_angle = d.mode == LV_ARC_MODE_REVERSE ? bg_span(d) - rel : rel;
}

void step_value(lv_obj_t * obj, ArcData & d, int32_t delta)
{
    if (!set_value_internal(d, value_or_min(d) + delta)) return;
    lv_obj_invalidate(obj);
    lv_obj_send_event(obj, LV_EVENT_VALUE_CHANGED, nullptr);
}

void hit_test(lv_obj_t * obj, const ArcData & d, lv_event_t * e)
{
    lv_hit_test_info_t * info = lv_event_get_hit_test_info(e);
    Geometry g = geometry(obj);
    lv_area_t coords, click;
    lv_obj_get_coords(obj, &coords);
    lv_obj_get_click_area(obj, &click);
    int32_t ext = coords.x1 - click.x1;
    int32_t arc_w = lv_obj_get_style_arc_width(obj, LV_PART_MAIN);
    int32_t inner = g.r - arc_w - ext;
    int64_t dx = info->point->x - g.center.x, dy = info->point->y - g.center.y;
    int64_t dist2 = dx * dx + dy * dy;
    int64_t outer = g.r + ext;
    if (dist2 <= int64_t(std::max(inner, 0)) * std::max(inner, 0) || dist2 >= outer * outer) {
        info->res = false;
        return;
    }
    int32_t tol = end_tolerance(inner);
    int32_t angle = rel_angle_of(d, g, *info->point);
    int32_t span = bg_span(d);
    info->res = angle <= span + tol || angle >= kFullCircle - tol;
}

void arc_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    attach_data(obj, std::make_unique<ArcData>());
    lv_obj_add_flag(obj, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_SCROLL_CHAIN);
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_set_ext_click_area(obj, LV_DPI_DEF / 10);
}

void arc_event(const lv_obj_class_t * class_p, lv_event_t * e)
{
    lv_event_code_t code = lv_event_get_code(e);
    lv_obj_t * obj = lv_event_get_current_target_obj(e);
    if (code == LV_EVENT_HIT_TEST) {
        if (ArcData * d = data(obj)) hit_test(obj, *d, e);
        return;
    }
    if (!call_base_event(class_p, e)) return;
    ArcData * d = data(obj);
    if (!d) return;
    switch (code) {
    case LV_EVENT_PRESSED: start_press(*d); break;
    case LV_EVENT_PRESSING: drag(obj, *d); break;
    case LV_EVENT_RELEASED:
    case LV_EVENT_PRESS_LOST: d->dragging = false; break;
    case LV_EVENT_KEY: {
        uint32_t key = lv_event_get_key(e);
        if (key == LV_KEY_RIGHT || key == LV_KEY_UP)
            step_value(obj, *d, 1);
        else if (key == LV_KEY_LEFT || key == LV_KEY_DOWN)
            step_value(obj, *d, -1);
        break;
    }
    case LV_EVENT_ROTARY: step_value(obj, *d, lv_event_get_rotary_diff(e)); break;
    case LV_EVENT_REFR_EXT_DRAW_SIZE: {
        gui::draw::RectDsc knob;
        gui::core::init_rect_dsc(obj, LV_PART_KNOB, knob);
        int32_t pad =
            std::max({lv_obj_get_style_pad_left(obj, LV_PART_KNOB), lv_obj_get_style_pad_right(obj, LV_PART_KNOB),
                      lv_obj_get_style_pad_top(obj, LV_PART_KNOB), lv_obj_get_style_pad_bottom(obj, LV_PART_KNOB)});
        lv_event_set_ext_draw_size(e, pad + gui::draw::rect_extra_size(knob) +
                                          std::max<int32_t>(0, lv_obj_get_style_transform_width(obj, LV_PART_KNOB)));
        break;
    }
    case LV_EVENT_DRAW_MAIN: draw_arc_parts(obj, *d, e); break;
    default: break;
    }
}

void changed(lv_obj_t * obj, ArcData & d)
{
    update_indicator(d);
    lv_obj_invalidate(obj);
}

}  // namespace
}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_arc_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_arc",
    .constructor = arc_constructor,
    .event = arc_event,
    .editable = LV_OBJ_CLASS_EDITABLE_TRUE,
});

extern "C" {

lv_obj_t * lv_arc_create(lv_obj_t * parent)
{
    return create_widget(&lv_arc_class, parent);
}

void lv_arc_set_start_angle(lv_obj_t * obj, lv_value_precise_t start)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) {
        d->indic_start = clamp_angle(start);
        lv_obj_invalidate(obj);
    }
}

void lv_arc_set_end_angle(lv_obj_t * obj, lv_value_precise_t end)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) {
        d->indic_end = clamp_angle(end);
        lv_obj_invalidate(obj);
    }
}

void lv_arc_set_angles(lv_obj_t * obj, lv_value_precise_t start, lv_value_precise_t end)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    lv_arc_set_start_angle(obj, start);
    lv_arc_set_end_angle(obj, end);
}

void lv_arc_set_bg_start_angle(lv_obj_t * obj, lv_value_precise_t start)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) {
        d->bg_start = clamp_angle(start);
        changed(obj, *d);
    }
}

void lv_arc_set_bg_end_angle(lv_obj_t * obj, lv_value_precise_t end)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) {
        d->bg_end = clamp_angle(end);
        changed(obj, *d);
    }
}

void lv_arc_set_bg_angles(lv_obj_t * obj, lv_value_precise_t start, lv_value_precise_t end)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) {
        d->bg_start = clamp_angle(start);
        d->bg_end = clamp_angle(end);
        changed(obj, *d);
    }
}

void lv_arc_set_rotation(lv_obj_t * obj, int32_t rotation)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) {
        d->rotation = normalize(rotation);
        lv_obj_invalidate(obj);
    }
}

void lv_arc_set_mode(lv_obj_t * obj, lv_arc_mode_t type)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) {
        d->mode = type;
        changed(obj, *d);
    }
}

void lv_arc_set_value(lv_obj_t * obj, int32_t value)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    if (d && set_value_internal(*d, value)) lv_obj_invalidate(obj);
}

void lv_arc_set_range(lv_obj_t * obj, int32_t min, int32_t max)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    if (!d) return;
    d->min = min;
    d->max = max;
    set_value_internal(*d, value_or_min(*d));
    changed(obj, *d);
}

void lv_arc_set_min_value(lv_obj_t * obj, int32_t min)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) lv_arc_set_range(obj, min, d->max);
}

void lv_arc_set_max_value(lv_obj_t * obj, int32_t max)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) lv_arc_set_range(obj, d->min, max);
}

void lv_arc_set_change_rate(lv_obj_t * obj, uint32_t rate)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) d->change_rate = rate;
}

void lv_arc_set_knob_offset(lv_obj_t * obj, int32_t offset)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (ArcData * d = data(obj)) {
        d->knob_offset = offset;
        lv_obj_invalidate(obj);
    }
}

lv_value_precise_t lv_arc_get_angle_start(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    return d ? d->indic_start : 0;
}

lv_value_precise_t lv_arc_get_angle_end(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    return d ? d->indic_end : 0;
}

lv_value_precise_t lv_arc_get_bg_angle_start(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    return d ? d->bg_start : 0;
}

lv_value_precise_t lv_arc_get_bg_angle_end(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    return d ? d->bg_end : 0;
}

int32_t lv_arc_get_value(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    return d ? d->value : kValueUnset;
}

int32_t lv_arc_get_min_value(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    return d ? d->min : 0;
}

int32_t lv_arc_get_max_value(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    return d ? d->max : 0;
}

lv_arc_mode_t lv_arc_get_mode(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    return d ? d->mode : LV_ARC_MODE_NORMAL;
}

int32_t lv_arc_get_rotation(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    return d ? d->rotation : 0;
}

int32_t lv_arc_get_knob_offset(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    return d ? d->knob_offset : 0;
}

static lv_point_t angle_offset_from_center(const lv_obj_t * obj, int32_t r_offset)
{
    const ArcData & d = *data(obj);
    Geometry g = geometry(obj);
    lv_point_t p = point_at(g, g.indic_r - g.indic_w / 2 + r_offset, knob_angle(d));
    lv_area_t c;
    lv_obj_get_coords(obj, &c);
    return {p.x - (c.x1 + gui::area::width(c) / 2), p.y - (c.y1 + gui::area::height(c) / 2)};
}

void lv_arc_align_obj_to_angle(const lv_obj_t * obj, lv_obj_t * obj_to_align, int32_t r_offset)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    if (!data(obj) || !obj_to_align) return;
    lv_obj_update_layout(obj);
    lv_point_t ofs = angle_offset_from_center(obj, r_offset);
    lv_obj_align_to(obj_to_align, obj, LV_ALIGN_CENTER, ofs.x, ofs.y);
}

void lv_arc_rotate_obj_to_angle(const lv_obj_t * obj, lv_obj_t * obj_to_rotate, int32_t r_offset)
{
    LV_ASSERT_OBJ(obj, &lv_arc_class);
    ArcData * d = data(obj);
    if (!d || !obj_to_rotate) return;
    lv_arc_align_obj_to_angle(obj, obj_to_rotate, r_offset);
    lv_obj_update_layout(obj_to_rotate);
    lv_obj_set_style_transform_pivot_x(obj_to_rotate, lv_obj_get_width(obj_to_rotate) / 2, 0);
    lv_obj_set_style_transform_pivot_y(obj_to_rotate, lv_obj_get_height(obj_to_rotate) / 2, 0);
    lv_obj_set_style_transform_rotation(obj_to_rotate, knob_angle(*d) * 10 + 900, 0);
}

}  // extern "C"
