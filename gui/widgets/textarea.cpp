// Textarea: an editable, scrollable text box. The text lives in this record;
// the internal label shows it (or its bullets in password mode).
#include "widget.hpp"
#include "widget_class.hpp"
#include "utf8.hpp"

#include <algorithm>
#include <optional>
#include <string>

namespace gui::widgets {
namespace {

constexpr const char * kBullet = "\xE2\x80\xA2";  // U+2022
constexpr uint32_t kBulletCodePoint = 0x2022;
constexpr const char * kFallbackBullet = "*";
constexpr int32_t kCursorOverhang = 2;  // the cursor reaches this far above and below its line

struct TextareaData : WidgetData {
    lv_obj_t * label = nullptr;
    std::string text;
    std::string placeholder;
    std::string bullet;  // empty: the font's bullet or "*"
    std::optional<std::string> insert_replace;
    const char * accepted = nullptr;
    uint32_t max_length = 0;
    uint32_t cursor = 0;  // character index
    bool cursor_visible = true;
    bool cursor_click_pos = true;
    bool password = false;
    bool one_line = false;
    bool text_selection = false;
    uint32_t pwd_show_time = LV_TEXTAREA_DEF_PWD_SHOW_TIME;
    // characters shown in clear in password mode: [reveal_from, reveal_from + reveal_count)
    uint32_t reveal_from = 0;
    uint32_t reveal_count = 0;
};

TextareaData * data(const lv_obj_t * obj)
{
    return data_of<TextareaData>(obj);
}

uint32_t length(const TextareaData & d)
{
    return static_cast<uint32_t>(utf8::count(d.text));
}

std::string bullet_of(const TextareaData & d)
{
    if (!d.bullet.empty()) return d.bullet;
    const lv_font_t * font = lv_obj_get_style_text_font(d.label, LV_PART_MAIN);
    lv_font_glyph_dsc_t g{};
    if (font && lv_font_get_glyph_dsc(font, &g, kBulletCodePoint, 0)) return kBullet;
    return kFallbackBullet;
}

/** The label's text: the real text, or bullets with the recently typed characters in clear. */
void show_text(TextareaData & d)
{
    if (!d.password) {
        lv_label_set_text(d.label, d.text.c_str());
        return;
    }
    std::string bullet = bullet_of(d);
    std::string shown;
    uint32_t idx = 0;
    for (size_t b = 0; b < d.text.size(); b += utf8::char_len_at(d.text, b), ++idx) {
        bool clear = idx >= d.reveal_from && idx < d.reveal_from + d.reveal_count;
        shown += clear ? d.text.substr(b, utf8::char_len_at(d.text, b)) : bullet;
    }
    lv_label_set_text(d.label, shown.c_str());
}

void pwd_hide_exec(void *, int32_t) {}

void pwd_hide_completed(lv_anim_t * a)
{
    auto * obj = static_cast<lv_obj_t *>(a->var);
    TextareaData * d = data(obj);
    if (!d) return;
    d->reveal_count = 0;
    show_text(*d);
}

void cancel_reveal(lv_obj_t * obj, TextareaData & d)
{
    lv_anim_delete(obj, pwd_hide_exec);
    d.reveal_count = 0;
}

/** Every character to a bullet at once, cancelling a pending hide. */
void hide_all(lv_obj_t * obj, TextareaData & d)
{
    cancel_reveal(obj, d);
    if (d.password) show_text(d);
}

/** Show the characters just typed for the password show time (none with a show time of 0). */
void reveal_typed(lv_obj_t * obj, TextareaData & d, uint32_t from, uint32_t count)
{
    if (d.pwd_show_time == 0) return;
    d.reveal_from = from;
    d.reveal_count = count;
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, obj);
    lv_anim_set_exec_cb(&a, pwd_hide_exec);
    lv_anim_set_values(&a, 0, 1);
    lv_anim_set_duration(&a, d.pwd_show_time);
    lv_anim_set_completed_cb(&a, pwd_hide_completed);
    lv_anim_start(&a);
}

/** A deleted character leaves the clear range where it was; the rest stays as shown. */
void forget_revealed(TextareaData & d, uint32_t index)
{
    if (d.reveal_count == 0) return;
    if (index < d.reveal_from)
        --d.reveal_from;
    else if (index < d.reveal_from + d.reveal_count)
        --d.reveal_count;
}

// ---- cursor -----------------------------------------------------------------

void blink_exec(void * var, int32_t v)
{
    auto * obj = static_cast<lv_obj_t *>(var);
    if (TextareaData * d = data(obj)) {
        d->cursor_visible = v != 0;
        lv_obj_invalidate(obj);
    }
}

/** Make the cursor visible and restart its blinking (cursor part's animation duration). */
void restart_blink(lv_obj_t * obj, TextareaData & d)
{
    lv_anim_delete(obj, blink_exec);
    d.cursor_visible = true;
    uint32_t period = lv_obj_get_style_anim_duration(obj, LV_PART_CURSOR);
    if (period > 0) {
        lv_anim_t a;
        lv_anim_init(&a);
        lv_anim_set_var(&a, obj);
        lv_anim_set_exec_cb(&a, blink_exec);
        lv_anim_set_values(&a, 1, 0);
        lv_anim_set_path_cb(&a, lv_anim_path_step);
        lv_anim_set_duration(&a, period);
        lv_anim_set_reverse_duration(&a, period);
        lv_anim_set_repeat_count(&a, LV_ANIM_REPEAT_INFINITE);
        lv_anim_start(&a);
    }
    lv_obj_invalidate(obj);
}

/** The cursor's box in screen coordinates. */
lv_area_t cursor_area(lv_obj_t * obj, const TextareaData & d)
{
    lv_point_t p{0, 0};
    lv_label_get_letter_pos(d.label, d.cursor, &p);
    const lv_font_t * font = lv_obj_get_style_text_font(d.label, LV_PART_MAIN);
    int32_t line_h = font ? lv_font_get_line_height(font) : 0;

    const char * shown = lv_label_get_text(d.label);
    std::string_view sv(shown ? shown : "");
    size_t byte = utf8::byte_offset(sv, d.cursor);
    uint32_t letter = utf8::decode_at(sv, byte);
    if (letter == 0 || letter == '\n' || letter == '\r') letter = ' ';
    int32_t letter_w = font ? lv_font_get_glyph_width(font, letter, 0) : 0;

    lv_area_t label_content;
    lv_obj_get_content_coords(d.label, &label_content);
    int32_t x = label_content.x1 + p.x, y = label_content.y1 + p.y;
    return {x + lv_obj_get_style_pad_left(obj, LV_PART_CURSOR),
            y - lv_obj_get_style_pad_top(obj, LV_PART_CURSOR) - kCursorOverhang,
            x + letter_w - 1 + lv_obj_get_style_pad_right(obj, LV_PART_CURSOR),
            y + line_h - 1 + lv_obj_get_style_pad_bottom(obj, LV_PART_CURSOR) + kCursorOverhang};
}

/** Scroll (animated) so the cursor's line is inside the content area. */
void scroll_to_cursor(lv_obj_t * obj, const TextareaData & d)
{
    lv_obj_update_layout(obj);
    lv_area_t cur = cursor_area(obj, d);
    cur.y1 += kCursorOverhang;
    cur.y2 -= kCursorOverhang;
    lv_area_t content;
    lv_obj_get_content_coords(obj, &content);
    int32_t sy = lv_obj_get_scroll_y(obj), sx = lv_obj_get_scroll_x(obj);
    if (cur.y1 < content.y1)
        lv_obj_scroll_to_y(obj, sy - (content.y1 - cur.y1), LV_ANIM_ON);
    else if (cur.y2 > content.y2)
        lv_obj_scroll_to_y(obj, sy + (cur.y2 - content.y2), LV_ANIM_ON);
    if (cur.x1 < content.x1)
        lv_obj_scroll_to_x(obj, sx - (content.x1 - cur.x1), LV_ANIM_ON);
    else if (cur.x2 > content.x2)
        lv_obj_scroll_to_x(obj, sx + (cur.x2 - content.x2), LV_ANIM_ON);
}

void move_cursor(lv_obj_t * obj, TextareaData & d, int32_t pos)
{
    int32_t len = static_cast<int32_t>(length(d));
    if (pos == LV_TEXTAREA_CURSOR_LAST || pos > len) pos = len;
    if (pos < 0) pos = std::max(0, len + pos + 1);
    d.cursor = static_cast<uint32_t>(pos);
    scroll_to_cursor(obj, d);
    restart_blink(obj, d);
}

/** Move the cursor one line up or down, keeping its x position. */
void cursor_line_step(lv_obj_t * obj, TextareaData & d, int32_t lines)
{
    lv_point_t p{0, 0};
    lv_label_get_letter_pos(d.label, d.cursor, &p);
    const lv_font_t * font = lv_obj_get_style_text_font(d.label, LV_PART_MAIN);
    int32_t pitch =
        (font ? lv_font_get_line_height(font) : 0) + lv_obj_get_style_text_line_space(d.label, LV_PART_MAIN);
    // One px into the target line: a point on a line's bottom edge belongs to that line.
    p.y += lines * pitch + 1;
    if (p.y < 0) return;
    move_cursor(obj, d, static_cast<int32_t>(lv_label_get_letter_on(d.label, &p, false)));
}

// ---- editing ------------------------------------------------------------------

bool char_accepted(const TextareaData & d, uint32_t c, uint32_t count_so_far)
{
    if (d.one_line && (c == '\n' || c == '\r')) return false;
    if (d.max_length > 0 && count_so_far >= d.max_length) return false;
    if (!d.accepted) return true;
    std::string_view list(d.accepted);
    for (size_t b = 0; b < list.size(); b += utf8::char_len_at(list, b))
        if (utf8::decode_at(list, b) == c) return true;
    return false;
}

/** The characters of `txt` that pass the one-line, accepted-characters and length rules. */
std::string filter(const TextareaData & d, std::string_view txt, uint32_t current_len)
{
    std::string out;
    uint32_t count = current_len;
    for (size_t b = 0; b < txt.size(); b += utf8::char_len_at(txt, b)) {
        uint32_t c = utf8::decode_at(txt, b);
        if (!char_accepted(d, c, count)) continue;
        out.append(txt.substr(b, utf8::char_len_at(txt, b)));
        ++count;
    }
    return out;
}

void insert_text(lv_obj_t * obj, TextareaData & d, const char * txt)
{
    if (!txt || !*txt) return;
    hide_all(obj, d);
    d.insert_replace.reset();
    if (lv_obj_send_event(obj, LV_EVENT_INSERT, const_cast<char *>(txt)) != LV_RESULT_OK) return;
    std::string candidate = d.insert_replace ? *d.insert_replace : std::string(txt);
    d.insert_replace.reset();
    std::string accepted = filter(d, candidate, length(d));
    if (accepted.empty()) return;

    uint32_t added = static_cast<uint32_t>(utf8::count(accepted));
    uint32_t at = d.cursor;
    d.text.insert(utf8::byte_offset(d.text, at), accepted);
    if (d.password) reveal_typed(obj, d, at, added);
    show_text(d);
    move_cursor(obj, d, static_cast<int32_t>(at + added));
    lv_obj_send_event(obj, LV_EVENT_VALUE_CHANGED, nullptr);
}

void delete_before_cursor(lv_obj_t * obj, TextareaData & d)
{
    if (d.cursor == 0) return;
    size_t to = utf8::byte_offset(d.text, d.cursor);
    size_t from = utf8::byte_offset(d.text, d.cursor - 1);
    d.text.erase(from, to - from);
    forget_revealed(d, d.cursor - 1);
    show_text(d);
    move_cursor(obj, d, static_cast<int32_t>(d.cursor - 1));
    lv_obj_send_event(obj, LV_EVENT_VALUE_CHANGED, nullptr);
}

void handle_key(lv_obj_t * obj, TextareaData & d, uint32_t key)
{
    switch (key) {
    case LV_KEY_RIGHT: lv_textarea_cursor_right(obj); break;
    case LV_KEY_LEFT: lv_textarea_cursor_left(obj); break;
    case LV_KEY_UP: lv_textarea_cursor_up(obj); break;
    case LV_KEY_DOWN: lv_textarea_cursor_down(obj); break;
    case LV_KEY_BACKSPACE: delete_before_cursor(obj, d); break;
    case LV_KEY_DEL: lv_textarea_delete_char_forward(obj); break;
    case LV_KEY_HOME: move_cursor(obj, d, 0); break;
    case LV_KEY_END: move_cursor(obj, d, LV_TEXTAREA_CURSOR_LAST); break;
    case LV_KEY_ENTER:
        if (d.one_line)
            lv_obj_send_event(obj, LV_EVENT_READY, nullptr);
        else
            lv_textarea_add_char(obj, '\n');
        break;
    default: lv_textarea_add_char(obj, key); break;
    }
}

void click_to_cursor(lv_obj_t * obj, TextareaData & d, lv_indev_t * indev)
{
    if (!d.cursor_click_pos || !indev || lv_indev_get_type(indev) != LV_INDEV_TYPE_POINTER) return;
    lv_point_t p;
    lv_indev_get_point(indev, &p);
    lv_area_t label_content;
    lv_obj_get_content_coords(d.label, &label_content);
    lv_point_t rel{p.x - label_content.x1, p.y - label_content.y1};
    if (rel.y < 0) rel.y = 0;
    move_cursor(obj, d, static_cast<int32_t>(lv_label_get_letter_on(d.label, &rel, false)));
}

// ---- drawing --------------------------------------------------------------------

void draw_placeholder(lv_obj_t * obj, const TextareaData & d, lv_event_t * e)
{
    if (!d.text.empty() || d.placeholder.empty()) return;
    gui::draw::LabelDsc dsc;
    gui::core::init_label_dsc(obj, LV_PART_TEXTAREA_PLACEHOLDER, dsc);
    if (!dsc.font) return;
    dsc.text = d.placeholder.c_str();
    if (d.one_line) dsc.flag = LV_TEXT_FLAG_EXPAND;
    lv_area_t content;
    lv_obj_get_content_coords(obj, &content);
    gui::draw::draw_label(event_target(e), content, dsc);
}

void draw_cursor(lv_obj_t * obj, const TextareaData & d, lv_event_t * e)
{
    if (!d.cursor_visible) return;
    draw_part_rect(event_target(e), obj, LV_PART_CURSOR, cursor_area(obj, d));
}

void textarea_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    auto owned = std::make_unique<TextareaData>();
    TextareaData & d = *owned;
    attach_data(obj, std::move(owned));
    lv_obj_add_flag(obj, LV_OBJ_FLAG_SCROLL_ON_FOCUS);
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_SCROLL_WITH_ARROW);
    d.label = lv_label_create(obj);
    lv_obj_set_width(d.label, LV_PCT(100));
    lv_label_set_text(d.label, "");
}

void textarea_event(const lv_obj_class_t * class_p, lv_event_t * e)
{
    if (!call_base_event(class_p, e)) return;
    lv_obj_t * obj = lv_event_get_current_target_obj(e);
    TextareaData * d = data(obj);
    if (!d || lv_event_get_target_obj(e) != obj) return;
    switch (lv_event_get_code(e)) {
    case LV_EVENT_FOCUSED:
    case LV_EVENT_STYLE_CHANGED: restart_blink(obj, *d); break;
    case LV_EVENT_DEFOCUSED:
        lv_anim_delete(obj, blink_exec);
        d->cursor_visible = true;
        break;
    case LV_EVENT_KEY: handle_key(obj, *d, lv_event_get_key(e)); break;
    case LV_EVENT_PRESSED: click_to_cursor(obj, *d, lv_event_get_indev(e)); break;
    case LV_EVENT_DRAW_MAIN: draw_placeholder(obj, *d, e); break;
    case LV_EVENT_DRAW_POST: draw_cursor(obj, *d, e); break;
    default: break;
    }
}

}  // namespace
}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_textarea_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_textarea",
    .constructor = textarea_constructor,
    .event = textarea_event,
    .width_def = LV_DPI_DEF * 2,
    .height_def = LV_DPI_DEF,
    .editable = LV_OBJ_CLASS_EDITABLE_TRUE,
    .group_def = LV_OBJ_CLASS_GROUP_DEF_TRUE,
});

extern "C" {

lv_obj_t * lv_textarea_create(lv_obj_t * parent)
{
    return create_widget(&lv_textarea_class, parent);
}

void lv_textarea_add_char(lv_obj_t * obj, uint32_t c)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) insert_text(obj, *d, utf8::encode(c).c_str());
}

void lv_textarea_add_text(lv_obj_t * obj, const char * txt)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) insert_text(obj, *d, txt);
}

void lv_textarea_delete_char(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) delete_before_cursor(obj, *d);
}

void lv_textarea_delete_char_forward(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    if (!d || d->cursor >= length(*d)) return;
    d->cursor += 1;
    delete_before_cursor(obj, *d);
}

void lv_textarea_set_text(lv_obj_t * obj, const char * txt)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    if (!d || !txt) return;
    d->text = filter(*d, txt, 0);
    cancel_reveal(obj, *d);
    show_text(*d);
    move_cursor(obj, *d, LV_TEXTAREA_CURSOR_LAST);
    lv_obj_send_event(obj, LV_EVENT_VALUE_CHANGED, nullptr);
}

void lv_textarea_set_placeholder_text(lv_obj_t * obj, const char * txt)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) {
        d->placeholder = txt ? txt : "";
        lv_obj_invalidate(obj);
    }
}

void lv_textarea_set_cursor_pos(lv_obj_t * obj, int32_t pos)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) move_cursor(obj, *d, pos);
}

void lv_textarea_set_cursor_click_pos(lv_obj_t * obj, bool en)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) d->cursor_click_pos = en;
}

void lv_textarea_set_password_mode(lv_obj_t * obj, bool en)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    if (!d || d->password == en) return;
    d->password = en;
    cancel_reveal(obj, *d);
    show_text(*d);
    move_cursor(obj, *d, static_cast<int32_t>(d->cursor));
}

void lv_textarea_set_password_bullet(lv_obj_t * obj, const char * bullet)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    if (!d) return;
    d->bullet = bullet ? bullet : "";
    hide_all(obj, *d);
}

void lv_textarea_set_one_line(lv_obj_t * obj, bool en)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    if (!d || d->one_line == en) return;
    d->one_line = en;
    lv_obj_set_width(d->label, en ? LV_SIZE_CONTENT : LV_PCT(100));
    lv_obj_set_style_min_width(d->label, en ? LV_PCT(100) : 0, 0);
    lv_obj_set_height(obj, en ? LV_SIZE_CONTENT : LV_DPI_DEF);
    lv_obj_scroll_to(obj, 0, 0, LV_ANIM_OFF);
}

void lv_textarea_set_accepted_chars(lv_obj_t * obj, const char * list)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) d->accepted = list;
}

void lv_textarea_set_max_length(lv_obj_t * obj, uint32_t num)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) d->max_length = num;
}

void lv_textarea_set_insert_replace(lv_obj_t * obj, const char * txt)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) d->insert_replace = std::string(txt ? txt : "");
}

void lv_textarea_set_text_selection(lv_obj_t * obj, bool en)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) d->text_selection = en;
}

void lv_textarea_set_password_show_time(lv_obj_t * obj, uint32_t time)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    if (!d) return;
    d->pwd_show_time = time;
    hide_all(obj, *d);
}

void lv_textarea_set_align(lv_obj_t * obj, lv_text_align_t align)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) lv_obj_set_style_text_align(d->label, align, 0);
}

const char * lv_textarea_get_text(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d ? d->text.c_str() : "";
}

const char * lv_textarea_get_placeholder_text(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d ? d->placeholder.c_str() : "";
}

lv_obj_t * lv_textarea_get_label(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d ? d->label : nullptr;
}

uint32_t lv_textarea_get_cursor_pos(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d ? d->cursor : 0;
}

bool lv_textarea_get_cursor_click_pos(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d && d->cursor_click_pos;
}

bool lv_textarea_get_password_mode(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d && d->password;
}

const char * lv_textarea_get_password_bullet(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    if (!d) return "";
    return d->bullet.empty() ? kBullet : d->bullet.c_str();
}

bool lv_textarea_get_one_line(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d && d->one_line;
}

const char * lv_textarea_get_accepted_chars(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d ? d->accepted : nullptr;
}

uint32_t lv_textarea_get_max_length(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d ? d->max_length : 0;
}

bool lv_textarea_text_is_selected(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    LV_UNUSED(obj);
    return false;
}

bool lv_textarea_get_text_selection(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d && d->text_selection;
}

uint32_t lv_textarea_get_password_show_time(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    return d ? d->pwd_show_time : 0;
}

uint32_t lv_textarea_get_current_char(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    if (!d || d->cursor == 0) return 0;
    return utf8::decode_at(d->text, utf8::byte_offset(d->text, d->cursor - 1));
}

void lv_textarea_clear_selection(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    LV_UNUSED(obj);
}

void lv_textarea_cursor_right(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) move_cursor(obj, *d, static_cast<int32_t>(d->cursor + 1));
}

void lv_textarea_cursor_left(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    TextareaData * d = data(obj);
    if (d && d->cursor > 0) move_cursor(obj, *d, static_cast<int32_t>(d->cursor - 1));
}

void lv_textarea_cursor_down(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) cursor_line_step(obj, *d, 1);
}

void lv_textarea_cursor_up(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_textarea_class);
    if (TextareaData * d = data(obj)) cursor_line_step(obj, *d, -1);
}

}  // extern "C"
