// Keyboard: a button matrix with text, symbol and number maps that types into
// a bound textarea through its built-in VALUE_CHANGED handler.
#include "buttonmatrix.hpp"
#include "keyboard_maps.hpp"
#include "widget_class.hpp"

#include <array>
#include <cstring>

namespace gui::widgets {
namespace {

constexpr size_t kModeCount = LV_KEYBOARD_MODE_USER_4 + 1;

struct KeyMap {
    const char * const * map;
    const lv_buttonmatrix_ctrl_t * ctrl;
};

struct KeyboardData : ButtonmatrixData {
    lv_obj_t * textarea = nullptr;
    lv_keyboard_mode_t mode = LV_KEYBOARD_MODE_TEXT_LOWER;
    bool popovers = false;
    std::array<KeyMap, kModeCount> maps{};
};

KeyboardData * data(const lv_obj_t * obj)
{
    return data_of<KeyboardData>(obj);
}

std::array<KeyMap, kModeCount> default_maps()
{
    using namespace keyboard_maps;
    KeyMap lower{text_lower, text_ctrl};
    return {lower,
            KeyMap{text_upper, text_ctrl},
            KeyMap{special, special_ctrl},
            KeyMap{number, number_ctrl},
            lower,
            lower,
            lower,
            lower};
}

void apply_mode(lv_obj_t * kb, KeyboardData & d)
{
    const KeyMap & m = d.maps[d.mode];
    buttonmatrix_set_map_and_ctrl(kb, m.map, m.ctrl);
}

/** The bound textarea, forgetting it once it has been deleted. */
lv_obj_t * bound_textarea(KeyboardData & d)
{
    if (d.textarea && !lv_obj_is_valid(d.textarea)) d.textarea = nullptr;
    return d.textarea;
}

bool is(const char * txt, const char * key)
{
    return std::strcmp(txt, key) == 0;
}

/** "+/-": flip a leading sign, or insert a minus, keeping the cursor on the same character. */
void toggle_sign(lv_obj_t * ta)
{
    uint32_t cur = lv_textarea_get_cursor_pos(ta);
    const char * txt = lv_textarea_get_text(ta);
    char first = txt ? txt[0] : '\0';
    if (first == '-' || first == '+') {
        lv_textarea_set_cursor_pos(ta, 1);
        lv_textarea_delete_char(ta);
        lv_textarea_add_char(ta, first == '-' ? '+' : '-');
        lv_textarea_set_cursor_pos(ta, static_cast<int32_t>(cur));
    } else {
        lv_textarea_set_cursor_pos(ta, 0);
        lv_textarea_add_char(ta, '-');
        lv_textarea_set_cursor_pos(ta, static_cast<int32_t>(cur + 1));
    }
}

void type_key(lv_obj_t * ta, const char * txt)
{
    if (is(txt, "Enter") || is(txt, LV_SYMBOL_NEW_LINE)) {
        lv_textarea_add_char(ta, '\n');
        if (lv_obj_is_valid(ta) && lv_textarea_get_one_line(ta)) lv_obj_send_event(ta, LV_EVENT_READY, nullptr);
    } else if (is(txt, LV_SYMBOL_LEFT)) {
        lv_textarea_cursor_left(ta);
    } else if (is(txt, LV_SYMBOL_RIGHT)) {
        lv_textarea_cursor_right(ta);
    } else if (is(txt, LV_SYMBOL_BACKSPACE)) {
        lv_textarea_delete_char(ta);
    } else if (is(txt, "+/-")) {
        toggle_sign(ta);
    } else {
        lv_textarea_add_text(ta, txt);
    }
}

void keyboard_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    auto * base = data_of<ButtonmatrixData>(obj);
    auto d = std::make_unique<KeyboardData>();
    if (base) static_cast<ButtonmatrixData &>(*d) = *base;
    d->maps = default_maps();
    KeyboardData & ref = *d;
    attach_data(obj, std::move(d));

    lv_obj_remove_flag(obj, LV_OBJ_FLAG_CLICK_FOCUSABLE);
    lv_obj_set_style_base_dir(obj, LV_BASE_DIR_LTR, 0);
    lv_obj_align(obj, LV_ALIGN_BOTTOM_MID, 0, 0);
    lv_obj_add_event_cb(obj, lv_keyboard_def_event_cb, LV_EVENT_VALUE_CHANGED, nullptr);
    apply_mode(obj, ref);
}

}  // namespace
}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_keyboard_class = make_widget_class({
    .base = &lv_buttonmatrix_class,
    .name = "lv_keyboard",
    .constructor = keyboard_constructor,
    .width_def = LV_PCT(100),
    .height_def = LV_PCT(50),
    .editable = LV_OBJ_CLASS_EDITABLE_TRUE,
    .group_def = LV_OBJ_CLASS_GROUP_DEF_TRUE,
});

extern "C" {

lv_obj_t * lv_keyboard_create(lv_obj_t * parent)
{
    return create_widget(&lv_keyboard_class, parent);
}

void lv_keyboard_set_textarea(lv_obj_t * kb, lv_obj_t * ta)
{
    LV_ASSERT_OBJ(kb, &lv_keyboard_class);
    if (ta) LV_ASSERT_OBJ(ta, &lv_textarea_class);
    KeyboardData * d = data(kb);
    if (!d) return;
    if (ta && !lv_obj_check_type(ta, &lv_textarea_class)) return;
    if (bound_textarea(*d)) lv_obj_remove_state(kb, LV_STATE_FOCUSED);
    d->textarea = ta;
    if (ta) lv_obj_add_state(kb, LV_STATE_FOCUSED);
}

void lv_keyboard_set_mode(lv_obj_t * kb, lv_keyboard_mode_t mode)
{
    LV_ASSERT_OBJ(kb, &lv_keyboard_class);
    KeyboardData * d = data(kb);
    if (!d || static_cast<size_t>(mode) >= kModeCount) return;
    d->mode = mode;
    apply_mode(kb, *d);
}

void lv_keyboard_set_popovers(lv_obj_t * kb, bool en)
{
    LV_ASSERT_OBJ(kb, &lv_keyboard_class);
    if (KeyboardData * d = data(kb)) d->popovers = en;
}

void lv_keyboard_set_map(lv_obj_t * kb, lv_keyboard_mode_t mode, const char * const map[],
                         const lv_buttonmatrix_ctrl_t ctrl_map[])
{
    LV_ASSERT_OBJ(kb, &lv_keyboard_class);
    KeyboardData * d = data(kb);
    if (!d || !map || static_cast<size_t>(mode) >= kModeCount) return;
    d->maps[mode] = {map, ctrl_map};
    if (mode == d->mode) apply_mode(kb, *d);
}

lv_obj_t * lv_keyboard_get_textarea(const lv_obj_t * kb)
{
    LV_ASSERT_OBJ(kb, &lv_keyboard_class);
    KeyboardData * d = data(kb);
    return d ? bound_textarea(*d) : nullptr;
}

lv_keyboard_mode_t lv_keyboard_get_mode(const lv_obj_t * kb)
{
    LV_ASSERT_OBJ(kb, &lv_keyboard_class);
    KeyboardData * d = data(kb);
    return d ? d->mode : LV_KEYBOARD_MODE_TEXT_LOWER;
}

bool lv_keyboard_get_popovers(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_keyboard_class);
    KeyboardData * d = data(obj);
    return d && d->popovers;
}

const char * const * lv_keyboard_get_map_array(const lv_obj_t * kb)
{
    LV_ASSERT_OBJ(kb, &lv_keyboard_class);
    return lv_buttonmatrix_get_map(kb);
}

uint32_t lv_keyboard_get_selected_button(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_keyboard_class);
    return lv_buttonmatrix_get_selected_button(obj);
}

const char * lv_keyboard_get_button_text(const lv_obj_t * obj, uint32_t btn_id)
{
    LV_ASSERT_OBJ(obj, &lv_keyboard_class);
    return lv_buttonmatrix_get_button_text(obj, btn_id);
}

void lv_keyboard_def_event_cb(lv_event_t * e)
{
    lv_obj_t * kb = lv_event_get_current_target_obj(e);
    LV_ASSERT_OBJ(kb, &lv_keyboard_class);
    KeyboardData * d = data(kb);
    if (!d) return;
    uint32_t id = lv_buttonmatrix_get_selected_button(kb);
    const char * txt = lv_buttonmatrix_get_button_text(kb, id);
    if (!txt) return;

    if (is(txt, "abc") || is(txt, "ABC") || is(txt, "1#")) {
        lv_keyboard_mode_t mode = is(txt, "abc")   ? LV_KEYBOARD_MODE_TEXT_LOWER
                                  : is(txt, "ABC") ? LV_KEYBOARD_MODE_TEXT_UPPER
                                                   : LV_KEYBOARD_MODE_SPECIAL;
        lv_keyboard_set_mode(kb, mode);
        return;
    }
    if (is(txt, LV_SYMBOL_CLOSE) || is(txt, LV_SYMBOL_KEYBOARD) || is(txt, LV_SYMBOL_OK)) {
        lv_event_code_t code = is(txt, LV_SYMBOL_OK) ? LV_EVENT_READY : LV_EVENT_CANCEL;
        if (lv_obj_send_event(kb, code, nullptr) != LV_RESULT_OK) return;
        if (lv_obj_t * ta = bound_textarea(*data(kb))) lv_obj_send_event(ta, code, nullptr);
        return;
    }
    if (lv_obj_t * ta = bound_textarea(*d)) type_key(ta, txt);
}

}  // extern "C"
