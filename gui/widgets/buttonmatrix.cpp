// Button matrix: rows of buttons described by a text map ("\n" ends a row, ""
// ends the map), laid out proportionally to their relative widths and drawn
// with the ITEMS part's styles.
#include "buttonmatrix.hpp"
#include "widget_class.hpp"
#include "gui/draw/text.hpp"
#include "gui/misc/area.hpp"

#include <algorithm>
#include <cstring>

namespace gui::widgets {
namespace {

constexpr uint32_t kWidthMask = 0x000F;
constexpr uint32_t kNone = LV_BUTTONMATRIX_BUTTON_NONE;

const char * const kDefaultMap[] = {"Btn1", "Btn2", "Btn3", "\n", "Btn4", "Btn5", ""};

ButtonmatrixData * data(const lv_obj_t * obj)
{
    return data_of<ButtonmatrixData>(obj);
}

bool is_row_break(const char * s)
{
    return std::strcmp(s, "\n") == 0;
}

uint32_t width_units(uint32_t ctrl)
{
    uint32_t w = ctrl & kWidthMask;
    return w == 0 ? 1 : w;
}

bool has(const MatrixButton & b, uint32_t ctrl)
{
    return (b.ctrl & ctrl) != 0;
}

/** Button boxes: rows share the content height, buttons share a row by their width units. */
void layout(lv_obj_t * obj, ButtonmatrixData & d)
{
    if (d.buttons.empty() || d.row_count == 0) return;
    int32_t left = lv_obj_get_style_space_left(obj, LV_PART_MAIN);
    int32_t top = lv_obj_get_style_space_top(obj, LV_PART_MAIN);
    int32_t row_gap = lv_obj_get_style_pad_row(obj, LV_PART_MAIN);
    int32_t col_gap = lv_obj_get_style_pad_column(obj, LV_PART_MAIN);
    int32_t content_w = lv_obj_get_content_width(obj);
    int32_t rows = static_cast<int32_t>(d.row_count);
    int32_t h = lv_obj_get_content_height(obj) - (rows - 1) * row_gap;

    size_t first = 0;
    for (int32_t row = 0; row < rows; ++row) {
        size_t last = first;
        uint32_t units = 0;
        while (last < d.buttons.size() && d.buttons[last].row == static_cast<uint32_t>(row))
            units += width_units(d.buttons[last++].ctrl);
        int32_t count = static_cast<int32_t>(last - first);
        int32_t w = content_w - (count - 1) * col_gap;
        int32_t y1 = top + h * row / rows + row * row_gap;
        int32_t y2 = top + h * (row + 1) / rows + row * row_gap - 1;
        uint32_t before = 0;
        for (size_t i = first; i < last; ++i) {
            int32_t idx = static_cast<int32_t>(i - first);
            uint32_t u = width_units(d.buttons[i].ctrl);
            int32_t x1 = left + static_cast<int32_t>(int64_t(w) * before / units) + idx * col_gap;
            int32_t x2 = left + static_cast<int32_t>(int64_t(w) * (before + u) / units) + idx * col_gap - 1;
            d.buttons[i].area = {x1, y1, x2, y2};
            before += u;
        }
        first = last;
    }
}

void set_map(lv_obj_t * obj, ButtonmatrixData & d, const char * const * map)
{
    if (!map) return;
    d.map = map;
    d.buttons.clear();
    uint32_t row = 0;
    for (size_t i = 0; map[i] && map[i][0] != '\0'; ++i) {
        if (is_row_break(map[i])) {
            ++row;
            continue;
        }
        d.buttons.push_back({map[i], 1, row, {0, 0, -1, -1}});
    }
    d.row_count = d.buttons.empty() ? 0 : row + 1;
    // A handler running after a key switched the map still finds a key at the index.
    if (d.selected >= d.buttons.size()) d.selected = kNone;
    d.pressed = false;
    layout(obj, d);
    lv_obj_invalidate(obj);
}

uint32_t button_at(lv_obj_t * obj, const ButtonmatrixData & d, lv_point_t p)
{
    lv_area_t coords;
    lv_obj_get_coords(obj, &coords);
    p.x -= coords.x1;
    p.y -= coords.y1;
    for (size_t i = 0; i < d.buttons.size(); ++i) {
        const MatrixButton & b = d.buttons[i];
        if (!has(b, LV_BUTTONMATRIX_CTRL_HIDDEN) && area::contains(b.area, p)) return static_cast<uint32_t>(i);
    }
    return kNone;
}

bool usable(const ButtonmatrixData & d, uint32_t id)
{
    return id < d.buttons.size() && !has(d.buttons[id], LV_BUTTONMATRIX_CTRL_HIDDEN | LV_BUTTONMATRIX_CTRL_DISABLED);
}

bool is_pointer(lv_indev_t * indev)
{
    return indev && lv_indev_get_type(indev) == LV_INDEV_TYPE_POINTER;
}

/** Sends VALUE_CHANGED with the selected index; false when the matrix got deleted. */
bool notify(lv_obj_t * obj, ButtonmatrixData & d)
{
    uint32_t id = d.selected;
    return lv_obj_send_event(obj, LV_EVENT_VALUE_CHANGED, &id) == LV_RESULT_OK;
}

void on_pressed(lv_obj_t * obj, ButtonmatrixData & d, lv_indev_t * indev)
{
    uint32_t id = d.selected;
    if (is_pointer(indev)) {
        lv_point_t p;
        lv_indev_get_point(indev, &p);
        id = button_at(obj, d, p);
    } else if (id == kNone && !d.buttons.empty()) {
        id = 0;
    }
    if (!usable(d, id)) return;
    d.selected = id;
    d.pressed = true;
    lv_obj_invalidate(obj);
    if (!has(d.buttons[id], LV_BUTTONMATRIX_CTRL_CLICK_TRIG)) notify(obj, d);
}

void on_pressing(lv_obj_t * obj, ButtonmatrixData & d, lv_indev_t * indev)
{
    if (!d.pressed || !is_pointer(indev)) return;
    lv_point_t p;
    lv_indev_get_point(indev, &p);
    if (button_at(obj, d, p) == d.selected) return;
    // Sliding off the key cancels it.
    d.pressed = false;
    d.selected = kNone;
    lv_obj_invalidate(obj);
}

void toggle_checked(ButtonmatrixData & d, uint32_t id)
{
    MatrixButton & b = d.buttons[id];
    if (!has(b, LV_BUTTONMATRIX_CTRL_CHECKABLE)) return;
    if (d.one_checked) {
        for (auto & other : d.buttons) other.ctrl &= ~static_cast<uint32_t>(LV_BUTTONMATRIX_CTRL_CHECKED);
        b.ctrl |= LV_BUTTONMATRIX_CTRL_CHECKED;
    } else {
        b.ctrl ^= LV_BUTTONMATRIX_CTRL_CHECKED;
    }
}

void on_released(lv_obj_t * obj, ButtonmatrixData & d)
{
    if (!d.pressed) return;
    d.pressed = false;
    lv_obj_invalidate(obj);
    if (!usable(d, d.selected)) return;
    toggle_checked(d, d.selected);
    if (has(d.buttons[d.selected], LV_BUTTONMATRIX_CTRL_CLICK_TRIG)) notify(obj, d);
}

void on_repeat(lv_obj_t * obj, ButtonmatrixData & d)
{
    if (!d.pressed || !usable(d, d.selected)) return;
    const MatrixButton & b = d.buttons[d.selected];
    if (has(b, LV_BUTTONMATRIX_CTRL_NO_REPEAT | LV_BUTTONMATRIX_CTRL_CLICK_TRIG)) return;
    notify(obj, d);
}

void on_key(lv_obj_t * obj, ButtonmatrixData & d, uint32_t key)
{
    if (d.buttons.empty()) return;
    int32_t n = static_cast<int32_t>(d.buttons.size());
    int32_t id = d.selected == kNone ? -1 : static_cast<int32_t>(d.selected);
    int32_t step = key == LV_KEY_RIGHT ? 1 : (key == LV_KEY_LEFT ? -1 : 0);
    if (step == 0) return;
    for (int32_t tries = 0; tries < n; ++tries) {
        id = (id + step + n) % n;
        if (usable(d, static_cast<uint32_t>(id))) break;
    }
    d.selected = static_cast<uint32_t>(id);
    lv_obj_invalidate(obj);
}

lv_state_t item_state(lv_obj_t * obj, const ButtonmatrixData & d, uint32_t id)
{
    const MatrixButton & b = d.buttons[id];
    uint32_t s =
        lv_obj_get_state(obj) & ~static_cast<uint32_t>(LV_STATE_PRESSED | LV_STATE_CHECKED | LV_STATE_FOCUS_KEY |
                                                       LV_STATE_EDITED | LV_STATE_DISABLED);
    if (has(b, LV_BUTTONMATRIX_CTRL_CHECKED)) s |= LV_STATE_CHECKED;
    if (has(b, LV_BUTTONMATRIX_CTRL_DISABLED) || lv_obj_has_state(obj, LV_STATE_DISABLED)) s |= LV_STATE_DISABLED;
    if (id == d.selected) {
        if (d.pressed) s |= LV_STATE_PRESSED;
        if (lv_obj_has_state(obj, LV_STATE_FOCUS_KEY)) s |= LV_STATE_FOCUS_KEY;
        if (lv_obj_has_state(obj, LV_STATE_EDITED)) s |= LV_STATE_EDITED;
    }
    return static_cast<lv_state_t>(s);
}

void draw_buttons(lv_obj_t * obj, const ButtonmatrixData & d, lv_event_t * e)
{
    gui::draw::Target & t = event_target(e);
    lv_area_t coords;
    lv_obj_get_coords(obj, &coords);
    for (size_t i = 0; i < d.buttons.size(); ++i) {
        const MatrixButton & b = d.buttons[i];
        if (has(b, LV_BUTTONMATRIX_CTRL_HIDDEN)) continue;
        lv_area_t area = b.area;
        lv_area_move(&area, coords.x1, coords.y1);

        ScopedState state(obj, item_state(obj, d, static_cast<uint32_t>(i)));
        lv_area_t box = gui::core::transformed_box(obj, LV_PART_ITEMS, area);
        draw_part_rect(t, obj, LV_PART_ITEMS, box);

        gui::draw::LabelDsc label;
        gui::core::init_label_dsc(obj, LV_PART_ITEMS, label);
        if (!label.font) continue;
        int flag = LV_TEXT_FLAG_EXPAND;
        if (has(b, LV_BUTTONMATRIX_CTRL_RECOLOR)) flag |= LV_TEXT_FLAG_RECOLOR;
        label.flag = static_cast<lv_text_flag_t>(flag);
        label.text = b.text;
        label.align = LV_TEXT_ALIGN_LEFT;
        lv_point_t size = gui::draw::text::text_size(b.text, label.font, label.letter_space, label.line_space,
                                                     LV_COORD_MAX, label.flag);
        int32_t x = area.x1 + (gui::area::width(area) - size.x) / 2;
        int32_t y = area.y1 + (gui::area::height(area) - size.y) / 2;
        lv_area_t text_area{x, y, x + size.x - 1, y + size.y - 1};
        gui::draw::draw_label(t, text_area, label);
    }
}

void buttonmatrix_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    auto d = std::make_unique<ButtonmatrixData>();
    ButtonmatrixData & ref = *d;
    attach_data(obj, std::move(d));
    set_map(obj, ref, kDefaultMap);
}

void buttonmatrix_event(const lv_obj_class_t * class_p, lv_event_t * e)
{
    if (!call_base_event(class_p, e)) return;
    lv_obj_t * obj = lv_event_get_current_target_obj(e);
    ButtonmatrixData * d = data(obj);
    if (!d) return;
    switch (lv_event_get_code(e)) {
    case LV_EVENT_SIZE_CHANGED:
    case LV_EVENT_STYLE_CHANGED: layout(obj, *d); break;
    case LV_EVENT_PRESSED: on_pressed(obj, *d, lv_event_get_indev(e)); break;
    case LV_EVENT_PRESSING: on_pressing(obj, *d, lv_event_get_indev(e)); break;
    case LV_EVENT_LONG_PRESSED_REPEAT: on_repeat(obj, *d); break;
    case LV_EVENT_RELEASED: on_released(obj, *d); break;
    case LV_EVENT_PRESS_LOST:
        d->pressed = false;
        lv_obj_invalidate(obj);
        break;
    case LV_EVENT_KEY: on_key(obj, *d, lv_event_get_key(e)); break;
    case LV_EVENT_DRAW_MAIN: draw_buttons(obj, *d, e); break;
    default: break;
    }
}

}  // namespace

void buttonmatrix_set_map_and_ctrl(lv_obj_t * obj, const char * const * map, const lv_buttonmatrix_ctrl_t * ctrl)
{
    ButtonmatrixData * d = data(obj);
    if (!d) return;
    set_map(obj, *d, map);
    if (ctrl) {
        for (size_t i = 0; i < d->buttons.size(); ++i) d->buttons[i].ctrl = ctrl[i];
        layout(obj, *d);
    }
}

}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_buttonmatrix_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_buttonmatrix",
    .constructor = buttonmatrix_constructor,
    .event = buttonmatrix_event,
    .width_def = LV_DPI_DEF * 2,
    .height_def = LV_DPI_DEF,
    .editable = LV_OBJ_CLASS_EDITABLE_TRUE,
    .group_def = LV_OBJ_CLASS_GROUP_DEF_TRUE,
});

extern "C" {

lv_obj_t * lv_buttonmatrix_create(lv_obj_t * parent)
{
    return create_widget(&lv_buttonmatrix_class, parent);
}

void lv_buttonmatrix_set_map(lv_obj_t * obj, const char * const map[])
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    if (ButtonmatrixData * d = data(obj)) set_map(obj, *d, map);
}

void lv_buttonmatrix_set_ctrl_map(lv_obj_t * obj, const lv_buttonmatrix_ctrl_t ctrl_map[])
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    if (!d || !ctrl_map) return;
    for (size_t i = 0; i < d->buttons.size(); ++i) d->buttons[i].ctrl = ctrl_map[i];
    layout(obj, *d);
    lv_obj_invalidate(obj);
}

void lv_buttonmatrix_set_selected_button(lv_obj_t * obj, uint32_t btn_id)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    if (!d) return;
    d->selected = btn_id < d->buttons.size() ? btn_id : kNone;
    lv_obj_invalidate(obj);
}

void lv_buttonmatrix_set_button_ctrl(lv_obj_t * obj, uint32_t btn_id, lv_buttonmatrix_ctrl_t ctrl)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    if (!d || btn_id >= d->buttons.size()) return;
    if (d->one_checked && (ctrl & LV_BUTTONMATRIX_CTRL_CHECKED))
        lv_buttonmatrix_clear_button_ctrl_all(obj, LV_BUTTONMATRIX_CTRL_CHECKED);
    d->buttons[btn_id].ctrl |= ctrl;
    if (ctrl & kWidthMask) layout(obj, *d);
    lv_obj_invalidate(obj);
}

void lv_buttonmatrix_clear_button_ctrl(lv_obj_t * obj, uint32_t btn_id, lv_buttonmatrix_ctrl_t ctrl)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    if (!d || btn_id >= d->buttons.size()) return;
    d->buttons[btn_id].ctrl &= ~static_cast<uint32_t>(ctrl);
    if (ctrl & kWidthMask) layout(obj, *d);
    lv_obj_invalidate(obj);
}

void lv_buttonmatrix_set_button_ctrl_all(lv_obj_t * obj, lv_buttonmatrix_ctrl_t ctrl)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    if (!d) return;
    for (size_t i = 0; i < d->buttons.size(); ++i) lv_buttonmatrix_set_button_ctrl(obj, static_cast<uint32_t>(i), ctrl);
}

void lv_buttonmatrix_clear_button_ctrl_all(lv_obj_t * obj, lv_buttonmatrix_ctrl_t ctrl)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    if (!d) return;
    for (auto & b : d->buttons) b.ctrl &= ~static_cast<uint32_t>(ctrl);
    if (ctrl & kWidthMask) layout(obj, *d);
    lv_obj_invalidate(obj);
}

void lv_buttonmatrix_set_button_width(lv_obj_t * obj, uint32_t btn_id, uint32_t width)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    if (!d || btn_id >= d->buttons.size()) return;
    MatrixButton & b = d->buttons[btn_id];
    b.ctrl = (b.ctrl & ~kWidthMask) | (width & kWidthMask);
    layout(obj, *d);
    lv_obj_invalidate(obj);
}

void lv_buttonmatrix_set_one_checked(lv_obj_t * obj, bool en)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    if (!d) return;
    d->one_checked = en;
    if (!en) return;
    bool seen = false;
    for (auto & b : d->buttons) {
        if (!has(b, LV_BUTTONMATRIX_CTRL_CHECKED)) continue;
        if (seen) b.ctrl &= ~static_cast<uint32_t>(LV_BUTTONMATRIX_CTRL_CHECKED);
        seen = true;
    }
    lv_obj_invalidate(obj);
}

const char * const * lv_buttonmatrix_get_map(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    return d ? d->map : nullptr;
}

uint32_t lv_buttonmatrix_get_selected_button(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    return d ? d->selected : kNone;
}

const char * lv_buttonmatrix_get_button_text(const lv_obj_t * obj, uint32_t btn_id)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    if (!d || btn_id >= d->buttons.size()) return nullptr;
    return d->buttons[btn_id].text;
}

bool lv_buttonmatrix_has_button_ctrl(lv_obj_t * obj, uint32_t btn_id, lv_buttonmatrix_ctrl_t ctrl)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    if (!d || btn_id >= d->buttons.size()) return false;
    return (d->buttons[btn_id].ctrl & ctrl) == static_cast<uint32_t>(ctrl);
}

bool lv_buttonmatrix_get_one_checked(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_buttonmatrix_class);
    ButtonmatrixData * d = data(obj);
    return d && d->one_checked;
}

}  // extern "C"
