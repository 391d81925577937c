// Label: UTF-8 text with wrapping, dots, scrolling and clipping long modes.
#include "widget.hpp"
#include "widget_class.hpp"
#include "utf8.hpp"
#include "gui/draw/text.hpp"
#include "gui/misc/area.hpp"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace gui::widgets {
namespace {

constexpr const char * kDefaultText = "Text";
constexpr const char * kDots = "...";
constexpr int32_t kScrollMsPerPx = 25;  // 40 px/s
constexpr uint32_t kScrollMinMs = 300;
constexpr uint32_t kScrollMaxMs = 10000;
constexpr uint32_t kScrollPauseMs = 300;
constexpr int32_t kCircularGapSpaces = 3;

struct LabelData : WidgetData {
    std::string text = kDefaultText;
    const char * static_text = nullptr;  // set while the text is kept by pointer
    std::string dots_text;               // what is shown while DOTS cuts the text
    bool dots_active = false;
    lv_label_long_mode_t long_mode = LV_LABEL_LONG_MODE_WRAP;
    bool recolor = false;
    uint32_t sel_start = LV_LABEL_TEXT_SELECTION_OFF;
    uint32_t sel_end = LV_LABEL_TEXT_SELECTION_OFF;
    lv_point_t offset{0, 0};
    lv_point_t text_size{0, 0};
};

LabelData & data(const lv_obj_t * obj)
{
    return *data_of<LabelData>(obj);
}

const char * source_text(const LabelData & d)
{
    return d.static_text ? d.static_text : d.text.c_str();
}

const char * shown_text(const LabelData & d)
{
    return d.dots_active ? d.dots_text.c_str() : source_text(d);
}

bool is_single_line_mode(lv_label_long_mode_t m)
{
    return m == LV_LABEL_LONG_MODE_SCROLL || m == LV_LABEL_LONG_MODE_SCROLL_CIRCULAR || m == LV_LABEL_LONG_MODE_CLIP;
}

lv_text_flag_t text_flags(const LabelData & d)
{
    int f = LV_TEXT_FLAG_NONE;
    if (d.recolor) f |= LV_TEXT_FLAG_RECOLOR;
    if (is_single_line_mode(d.long_mode)) f |= LV_TEXT_FLAG_EXPAND;
    return static_cast<lv_text_flag_t>(f);
}

struct TextStyle {
    const lv_font_t * font;
    int32_t letter_space;
    int32_t line_space;
    int32_t line_height;
};

TextStyle text_style(const lv_obj_t * obj)
{
    TextStyle s{};
    s.font = lv_obj_get_style_text_font(obj, LV_PART_MAIN);
    s.letter_space = lv_obj_get_style_text_letter_space(obj, LV_PART_MAIN);
    s.line_space = lv_obj_get_style_text_line_space(obj, LV_PART_MAIN);
    s.line_height = s.font ? lv_font_get_line_height(s.font) : 0;
    return s;
}

/** Horizontal border and padding of the main part. */
int32_t hor_space(const lv_obj_t * obj)
{
    return lv_obj_get_style_space_left(obj, LV_PART_MAIN) + lv_obj_get_style_space_right(obj, LV_PART_MAIN);
}

/** Width at which the text wraps: the content width, or the max width for content-sized labels. */
int32_t wrap_width(const lv_obj_t * obj, const LabelData & d)
{
    if (is_single_line_mode(d.long_mode)) return LV_COORD_MAX;
    if (lv_obj_get_style_width(obj, LV_PART_MAIN) != LV_SIZE_CONTENT) return lv_obj_get_content_width(obj);
    int32_t max_w = lv_obj_get_style_max_width(obj, LV_PART_MAIN);
    if (max_w == LV_COORD_MAX) return LV_COORD_MAX;
    if (LV_COORD_IS_PCT(max_w)) {
        const lv_obj_t * parent = lv_obj_get_parent(obj);
        int32_t base = parent ? lv_obj_get_content_width(parent) : 0;
        max_w = base * LV_COORD_GET_PCT(max_w) / 100;
    }
    return std::max<int32_t>(0, max_w - hor_space(obj));
}

std::vector<gui::draw::text::Line> layout_lines(const lv_obj_t * obj, const LabelData & d)
{
    TextStyle s = text_style(obj);
    return gui::draw::text::layout(shown_text(d), s.font, s.letter_space, wrap_width(obj, d), text_flags(d));
}

lv_point_t measure(const lv_obj_t * obj, const LabelData & d, const char * txt)
{
    TextStyle s = text_style(obj);
    if (!s.font) return {0, 0};
    return gui::draw::text::text_size(txt, s.font, s.letter_space, s.line_space, wrap_width(obj, d), text_flags(d));
}

/** Horizontal start of a line inside the content area for the label's alignment. */
int32_t align_offset(const lv_obj_t * obj, int32_t line_w)
{
    lv_text_align_t align = lv_obj_get_style_text_align(obj, LV_PART_MAIN);
    int32_t content_w = lv_obj_get_content_width(obj);
    if (align == LV_TEXT_ALIGN_CENTER) return (content_w - line_w) / 2;
    if (align == LV_TEXT_ALIGN_RIGHT) return content_w - line_w;
    return 0;
}

void offset_x_exec(void * var, int32_t v)
{
    auto * obj = static_cast<lv_obj_t *>(var);
    data(obj).offset.x = v;
    lv_obj_invalidate(obj);
}

void offset_y_exec(void * var, int32_t v)
{
    auto * obj = static_cast<lv_obj_t *>(var);
    data(obj).offset.y = v;
    lv_obj_invalidate(obj);
}

uint32_t scroll_duration(const lv_obj_t * obj, int32_t distance)
{
    uint32_t fixed = lv_obj_get_style_anim_duration(obj, LV_PART_MAIN);
    if (fixed != 0) return fixed;
    uint32_t ms = static_cast<uint32_t>(std::abs(distance) * kScrollMsPerPx);
    return std::clamp(ms, kScrollMinMs, kScrollMaxMs);
}

/**
 * (Re)start the offset animation on one axis. A running animation hands its
 * elapsed time to the new one so a text change keeps the scroll position.
 */
void start_scroll(lv_obj_t * obj, lv_anim_exec_xcb_t exec, int32_t end, bool circular)
{
    int32_t elapsed = 0;
    if (lv_anim_t * old = lv_anim_get(obj, exec)) elapsed = old->act_time;
    lv_anim_delete(obj, exec);

    uint32_t duration = scroll_duration(obj, end);
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, obj);
    lv_anim_set_exec_cb(&a, exec);
    lv_anim_set_values(&a, 0, end);
    lv_anim_set_duration(&a, duration);
    lv_anim_set_repeat_count(&a, LV_ANIM_REPEAT_INFINITE);
    if (!circular) {
        lv_anim_set_reverse_delay(&a, kScrollPauseMs);
        lv_anim_set_reverse_duration(&a, duration);
        lv_anim_set_repeat_delay(&a, kScrollPauseMs);
    }
    lv_anim_t * running = lv_anim_start(&a);
    if (running && elapsed > 0) running->act_time = std::min<int32_t>(elapsed, static_cast<int32_t>(duration));
}

void stop_scroll(lv_obj_t * obj, LabelData & d)
{
    lv_anim_delete(obj, offset_x_exec);
    lv_anim_delete(obj, offset_y_exec);
    d.offset = {0, 0};
}

int32_t circular_gap(const TextStyle & s)
{
    return s.font ? kCircularGapSpaces * lv_font_get_glyph_width(s.font, ' ', ' ') : 0;
}

void update_scroll(lv_obj_t * obj, LabelData & d)
{
    if (d.long_mode != LV_LABEL_LONG_MODE_SCROLL && d.long_mode != LV_LABEL_LONG_MODE_SCROLL_CIRCULAR) {
        stop_scroll(obj, d);
        return;
    }
    TextStyle s = text_style(obj);
    int32_t content_w = lv_obj_get_content_width(obj);
    int32_t content_h = lv_obj_get_content_height(obj);
    bool circular = d.long_mode == LV_LABEL_LONG_MODE_SCROLL_CIRCULAR;
    if (d.text_size.x > content_w) {
        lv_anim_delete(obj, offset_y_exec);
        d.offset.y = 0;
        int32_t end = circular ? -(d.text_size.x + circular_gap(s)) : content_w - d.text_size.x;
        start_scroll(obj, offset_x_exec, end, circular);
    } else if (d.text_size.y > content_h) {
        lv_anim_delete(obj, offset_x_exec);
        d.offset.x = 0;
        int32_t end = circular ? -(d.text_size.y + s.line_height) : content_h - d.text_size.y - s.line_height;
        start_scroll(obj, offset_y_exec, end, circular);
    } else {
        stop_scroll(obj, d);
    }
}

uint32_t letter_on(const lv_obj_t * obj, const LabelData & d, const lv_point_t & pos, bool * on_char);

/**
 * Cut the text for DOTS: the letter under the point three dots' width before
 * the right edge on the last fully visible line is replaced by "..." (at least
 * three bytes before the end) and the text ends there.
 */
void update_dots(lv_obj_t * obj, LabelData & d)
{
    d.dots_active = false;
    if (d.long_mode != LV_LABEL_LONG_MODE_DOTS || d.static_text) return;
    TextStyle s = text_style(obj);
    int32_t content_h = lv_obj_get_content_height(obj);
    const char * txt = source_text(d);
    if (!s.font || d.text_size.y <= content_h || d.text_size.y <= s.line_height) return;
    if (utf8::count(txt) <= LV_LABEL_DOT_NUM) return;

    int32_t dot_w = lv_font_get_glyph_width(s.font, '.', '.') + s.letter_space;
    int32_t pitch = std::max<int32_t>(1, s.line_height + s.line_space);
    // Round the height down to the bottom of the last line that fits.
    int32_t over = content_h % pitch;
    int32_t y = content_h - over + (over >= s.line_height ? s.line_height : -s.line_space);
    lv_point_t p{lv_obj_get_content_width(obj) - LV_LABEL_DOT_NUM * dot_w, y};
    std::string_view all(txt);
    size_t byte = utf8::byte_offset(all, letter_on(obj, d, p, nullptr));
    while (byte > 0 && byte + LV_LABEL_DOT_NUM > all.size()) byte = utf8::prev_offset(all, byte);
    d.dots_text.assign(txt, byte);
    d.dots_text += kDots;
    d.dots_active = true;
}

/** Re-measure after a text, size, style or mode change. */
void refresh_text(lv_obj_t * obj)
{
    LabelData & d = data(obj);
    d.dots_active = false;
    d.text_size = measure(obj, d, source_text(d));
    update_dots(obj, d);
    update_scroll(obj, d);
    lv_obj_refresh_self_size(obj);
    lv_obj_invalidate(obj);
}

/** Line containing byte offset `byte` (the last line starting at or before it). */
size_t line_of(const std::vector<gui::draw::text::Line> & lines, size_t byte)
{
    size_t idx = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].start <= byte) idx = i;
    return idx;
}

/** Index of the first line that DOTS lets break at any character: the last one that fits and those below. */
size_t first_dots_line(const lv_obj_t * obj, const LabelData & d, const TextStyle & s)
{
    if (d.long_mode != LV_LABEL_LONG_MODE_DOTS) return SIZE_MAX;
    int32_t pitch = std::max<int32_t>(1, s.line_height + s.line_space);
    // The first line at y = k * pitch with y + 2 * line height + line space past the content's height.
    int64_t room = static_cast<int64_t>(lv_obj_get_content_height(obj)) - 2 * s.line_height - s.line_space;
    return room < 0 ? 0 : static_cast<size_t>(room / pitch + 1);
}

uint32_t letter_on(const lv_obj_t * obj, const LabelData & d, const lv_point_t & pos, bool * on_char)
{
    const char * txt = shown_text(d);
    std::string_view all(txt);
    TextStyle s = text_style(obj);
    if (on_char) *on_char = false;
    if (!s.font) return 0;
    auto lines = gui::draw::text::layout(txt, s.font, s.letter_space, wrap_width(obj, d), text_flags(d),
                                         first_dots_line(obj, d, s));
    if (lines.empty()) return 0;

    // The first line whose bottom is at or below the point (else the last line).
    int32_t pitch = s.line_height + s.line_space;
    size_t row = 0;
    while (row + 1 < lines.size() && pos.y > static_cast<int32_t>(row) * pitch + s.line_height) row++;
    const auto & line = lines[row];
    int32_t x = align_offset(obj, line.width);
    size_t end = line.start + line.length;
    size_t last_char = line.start;
    for (size_t b = line.start; b < end; b += utf8::char_len_at(all, b)) {
        size_t next = b + utf8::char_len_at(all, b);
        uint32_t cp = utf8::decode_at(all, b);
        uint32_t cp_next = next < end ? utf8::decode_at(all, next) : 0;
        int32_t w = lv_font_get_glyph_width(s.font, cp, cp_next);
        if (pos.x >= x && pos.x < x + w && on_char) *on_char = true;
        x += w;
        if (pos.x < x) return utf8::count(all.substr(0, b));
        x += s.letter_space;
        last_char = b;
    }
    bool wrapped = end < all.size() && all[end] != '\n';
    return utf8::count(all.substr(0, wrapped && line.length > 0 ? last_char : end));
}

void draw_text(lv_obj_t * obj, lv_event_t * e)
{
    LabelData & d = data(obj);
    gui::draw::Target & t = event_target(e);
    lv_area_t content;
    lv_obj_get_content_coords(obj, &content);

    gui::draw::LabelDsc dsc;
    gui::core::init_label_dsc(obj, LV_PART_MAIN, dsc);
    dsc.text = shown_text(d);
    dsc.flag = text_flags(d);
    dsc.ofs_x = d.offset.x;
    dsc.ofs_y = d.offset.y;
    bool overflow_x = d.text_size.x > gui::area::width(content);
    bool scrolling = d.long_mode == LV_LABEL_LONG_MODE_SCROLL || d.long_mode == LV_LABEL_LONG_MODE_SCROLL_CIRCULAR;
    if (scrolling && overflow_x) dsc.align = LV_TEXT_ALIGN_LEFT;

    lv_area_t saved = t.clip;
    lv_area_t clip = content;
    if (d.long_mode == LV_LABEL_LONG_MODE_WRAP) {
        clip = t.clip;
        clip.y2 = std::min(clip.y2, content.y2);
    }
    if (!area::intersect(t.clip, saved, clip)) return;
    gui::draw::draw_label(t, content, dsc);
    if (d.long_mode == LV_LABEL_LONG_MODE_SCROLL_CIRCULAR) {
        TextStyle s = text_style(obj);
        if (overflow_x) {
            dsc.ofs_x += d.text_size.x + circular_gap(s);
            gui::draw::draw_label(t, content, dsc);
        } else if (d.text_size.y > gui::area::height(content)) {
            dsc.ofs_y += d.text_size.y + s.line_height;
            gui::draw::draw_label(t, content, dsc);
        }
    }
    t.clip = saved;
}

void label_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    attach_data(obj, std::make_unique<LabelData>());
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_CLICKABLE);
    refresh_text(obj);
}

void label_event(const lv_obj_class_t * class_p, lv_event_t * e)
{
    if (!call_base_event(class_p, e)) return;
    lv_obj_t * obj = lv_event_get_current_target_obj(e);
    LabelData * d = data_of<LabelData>(obj);
    if (!d) return;
    switch (lv_event_get_code(e)) {
    case LV_EVENT_STYLE_CHANGED:
    case LV_EVENT_SIZE_CHANGED: refresh_text(obj); break;
    case LV_EVENT_REFR_EXT_DRAW_SIZE: {
        TextStyle s = text_style(obj);
        lv_event_set_ext_draw_size(e, s.line_height / 4);
        break;
    }
    case LV_EVENT_GET_SELF_SIZE: {
        lv_point_t * p = lv_event_get_self_size_info(e);
        lv_point_t size = measure(obj, *d, source_text(*d));
        p->x = std::max(p->x, size.x);
        p->y = std::max(p->y, size.y);
        break;
    }
    case LV_EVENT_DRAW_MAIN: draw_text(obj, e); break;
    default: break;
    }
}

}  // namespace
}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_label_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_label",
    .constructor = label_constructor,
    .event = label_event,
    .width_def = LV_SIZE_CONTENT,
    .height_def = LV_SIZE_CONTENT,
});

extern "C" {

lv_obj_t * lv_label_create(lv_obj_t * parent)
{
    return create_widget(&lv_label_class, parent);
}

void lv_label_set_text(lv_obj_t * obj, const char * text)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    if (!d) return;
    if (text) {
        std::string copy(text);  // the argument may point into our own buffer
        d->text = std::move(copy);
        d->static_text = nullptr;
    }
    refresh_text(obj);
}

void lv_label_set_text_vfmt(lv_obj_t * obj, const char * fmt, va_list args)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    if (!d || !fmt) return;
    va_list measure_args;
    va_copy(measure_args, args);
    int len = std::vsnprintf(nullptr, 0, fmt, measure_args);
    va_end(measure_args);
    if (len < 0) return;
    std::string out(static_cast<size_t>(len) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), fmt, args);
    out.resize(static_cast<size_t>(len));
    d->text = std::move(out);
    d->static_text = nullptr;
    refresh_text(obj);
}

void lv_label_set_text_fmt(lv_obj_t * obj, const char * fmt, ...)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    va_list args;
    va_start(args, fmt);
    lv_label_set_text_vfmt(obj, fmt, args);
    va_end(args);
}

void lv_label_set_text_static(lv_obj_t * obj, const char * text)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    if (!d) return;
    if (text) d->static_text = text;
    if (d->long_mode == LV_LABEL_LONG_MODE_DOTS) LV_LOG_WARN("dots do not work with a static text");
    refresh_text(obj);
}

void lv_label_set_long_mode(lv_obj_t * obj, lv_label_long_mode_t long_mode)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    if (!d) return;
    stop_scroll(obj, *d);
    d->long_mode = long_mode;
    if (long_mode == LV_LABEL_LONG_MODE_DOTS && d->static_text) LV_LOG_WARN("dots do not work with a static text");
    refresh_text(obj);
}

void lv_label_set_recolor(lv_obj_t * obj, bool en)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    if (!d || d->recolor == en) return;
    d->recolor = en;
    refresh_text(obj);
}

void lv_label_set_text_selection_start(lv_obj_t * obj, uint32_t index)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    if (LabelData * d = data_of<LabelData>(obj)) {
        d->sel_start = index;
        lv_obj_invalidate(obj);
    }
}

void lv_label_set_text_selection_end(lv_obj_t * obj, uint32_t index)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    if (LabelData * d = data_of<LabelData>(obj)) {
        d->sel_end = index;
        lv_obj_invalidate(obj);
    }
}

char * lv_label_get_text(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    if (!d) return nullptr;
    if (d->dots_active) return d->dots_text.data();
    if (d->static_text) return const_cast<char *>(d->static_text);
    return d->text.data();
}

lv_label_long_mode_t lv_label_get_long_mode(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    return d ? d->long_mode : LV_LABEL_LONG_MODE_WRAP;
}

bool lv_label_get_recolor(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    return d && d->recolor;
}

void lv_label_get_letter_pos(const lv_obj_t * obj, uint32_t char_id, lv_point_t * pos)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    if (!pos) return;
    *pos = {0, 0};
    if (!d) return;
    const char * txt = shown_text(*d);
    TextStyle s = text_style(obj);
    auto lines = layout_lines(obj, *d);
    if (!s.font || lines.empty()) return;
    size_t byte = utf8::byte_offset(txt, char_id);
    size_t row = line_of(lines, byte);
    const auto & line = lines[row];
    uint32_t prefix = static_cast<uint32_t>(std::min(byte, static_cast<size_t>(line.start + line.length)) - line.start);
    int32_t x = gui::draw::text::line_width(txt + line.start, prefix, s.font, s.letter_space);
    if (prefix > 0) x += s.letter_space;
    pos->x = align_offset(obj, line.width) + x;
    pos->y = static_cast<int32_t>(row) * (s.line_height + s.line_space);
}

uint32_t lv_label_get_letter_on(const lv_obj_t * obj, lv_point_t * pos_in, bool bidi)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LV_UNUSED(bidi);
    LabelData * d = data_of<LabelData>(obj);
    if (!d || !pos_in) return 0;
    return letter_on(obj, *d, *pos_in, nullptr);
}

bool lv_label_is_char_under_pos(const lv_obj_t * obj, lv_point_t * pos)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    if (!d || !pos) return false;
    bool on_char = false;
    letter_on(obj, *d, *pos, &on_char);
    return on_char;
}

uint32_t lv_label_get_text_selection_start(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    return d ? d->sel_start : LV_LABEL_TEXT_SELECTION_OFF;
}

uint32_t lv_label_get_text_selection_end(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    return d ? d->sel_end : LV_LABEL_TEXT_SELECTION_OFF;
}

void lv_label_ins_text(lv_obj_t * obj, uint32_t pos, const char * txt)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    if (!d || !txt) return;
    if (d->static_text) {
        d->text = d->static_text;
        d->static_text = nullptr;
    }
    size_t byte = pos == LV_LABEL_POS_LAST ? d->text.size() : utf8::byte_offset(d->text, pos);
    d->text.insert(byte, txt);
    refresh_text(obj);
}

void lv_label_cut_text(lv_obj_t * obj, uint32_t pos, uint32_t cnt)
{
    LV_ASSERT_OBJ(obj, &lv_label_class);
    LabelData * d = data_of<LabelData>(obj);
    if (!d) return;
    if (d->static_text) {
        d->text = d->static_text;
        d->static_text = nullptr;
    }
    size_t from = utf8::byte_offset(d->text, pos);
    size_t to = from + utf8::byte_offset(std::string_view(d->text).substr(from), cnt);
    d->text.erase(from, to - from);
    refresh_text(obj);
}

}  // extern "C"
