// Text measurement and line breaking.
#include "text.hpp"

#include <algorithm>
#include <climits>

namespace gui::draw::text {
namespace {

bool is_break_char(uint32_t c)
{
    switch (c) {
    case ' ':
    case ',':
    case '.':
    case ';':
    case ':':
    case '-':
    case '_':
    case ')':
    case ']':
    case '}': return true;
    default: return false;
    }
}

// Characters of scripts written without spaces; a line may break around each.
bool is_cjk(uint32_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

bool is_line_end(uint32_t c)
{
    return c == '\n' || c == '\r';
}

}  // namespace

uint32_t utf8_next(const char * txt, uint32_t * i)
{
    const auto * s = reinterpret_cast<const unsigned char *>(txt);
    const uint32_t start = *i;
    const uint32_t b0 = s[start];
    if (b0 == 0) return 0;
    auto cont = [&](uint32_t k) { return (s[start + k] & 0xC0) == 0x80; };
    if (b0 < 0x80) {
        *i = start + 1;
        return b0;
    }
    if ((b0 & 0xE0) == 0xC0 && cont(1)) {
        *i = start + 2;
        return ((b0 & 0x1F) << 6) | (s[start + 1] & 0x3F);
    }
    if ((b0 & 0xF0) == 0xE0 && cont(1) && cont(2)) {
        *i = start + 3;
        return ((b0 & 0x0F) << 12) | ((s[start + 1] & 0x3F) << 6) | (s[start + 2] & 0x3F);
    }
    if ((b0 & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
        *i = start + 4;
        return ((b0 & 0x07) << 18) | ((s[start + 1] & 0x3F) << 12) | ((s[start + 2] & 0x3F) << 6) |
               (s[start + 3] & 0x3F);
    }
    *i = start + 1;  // a stray byte stands for itself
    return b0;
}

uint32_t utf8_count(const char * txt, uint32_t byte_len)
{
    uint32_t n = 0;
    for (uint32_t i = 0; i < byte_len && txt[i] != '\0'; n++) utf8_next(txt, &i);
    return n;
}

uint32_t utf8_offset(const char * txt, uint32_t char_idx)
{
    uint32_t i = 0;
    for (uint32_t n = 0; n < char_idx && txt[i] != '\0'; n++) utf8_next(txt, &i);
    return i;
}

bool RecolorParser::is_command(uint32_t c)
{
    opened_ = false;
    bool cmd = false;
    if (c == '#') {
        if (state_ == State::kWait) {
            state_ = State::kParam;
            opened_ = true;
            has_color_ = false;
            cmd = true;
        } else if (state_ == State::kParam) {
            state_ = State::kWait;  // "##": a literal '#'
        } else {
            state_ = State::kWait;  // end of the coloured text
            cmd = true;
        }
    }
    if (state_ == State::kParam) {
        if (c == ' ') state_ = State::kIn;
        cmd = true;
    }
    return cmd;
}

void RecolorParser::set_color_from(const char * hex)
{
    uint32_t v = 0;
    for (int k = 0; k < 6; k++) {
        const char h = hex[k];
        uint32_t d;
        if (h >= '0' && h <= '9')
            d = static_cast<uint32_t>(h - '0');
        else if (h >= 'a' && h <= 'f')
            d = static_cast<uint32_t>(h - 'a' + 10);
        else if (h >= 'A' && h <= 'F')
            d = static_cast<uint32_t>(h - 'A' + 10);
        else
            return;  // not a colour: the text keeps its own
        v = (v << 4) | d;
    }
    color_ = lv_color_hex(v);
    has_color_ = true;
}

int32_t line_width(const char * txt, uint32_t length, const lv_font_t * font, int32_t letter_space, lv_text_flag_t flag)
{
    if (txt == nullptr || font == nullptr) return 0;
    const bool recolor = (flag & LV_TEXT_FLAG_RECOLOR) != 0;
    RecolorParser cmd;
    int32_t width = 0;
    uint32_t i = 0;
    while (i < length && txt[i] != '\0') {
        const uint32_t c = utf8_next(txt, &i);
        if (recolor && cmd.is_command(c)) continue;
        uint32_t j = i;
        const uint32_t next = i < length ? utf8_next(txt, &j) : 0;
        const int32_t w = lv_font_get_glyph_width(font, c, next);
        if (w > 0) width += w + letter_space;
    }
    if (width > 0) width -= letter_space;  // no letter space after the last glyph
    return width;
}

namespace {

// One unit of line breaking: a word (up to a break character, an ideograph
// or the end of the line) or a single break character or ideograph. Colour
// commands inside it take no room.
struct Unit {
    uint32_t end = 0;           // byte offset after the unit
    int64_t width = 0;          // with a letter space after every glyph
    int64_t right_edge = 0;     // width without the last letter space
    uint32_t cut = UINT32_MAX;  // first glyph whose right edge passes `room`, if any
    uint32_t first_glyph_end = 0;
};

bool is_single_unit(uint32_t c, bool break_all)
{
    return break_all || is_break_char(c) || is_cjk(c);
}

Unit measure_unit(const char * txt, uint32_t start, const lv_font_t * font, int32_t letter_space, int64_t room,
                  bool break_all, bool recolor, RecolorParser & cmd)
{
    Unit u;
    bool any = false;
    uint32_t i = start;
    while (txt[i] != '\0') {
        uint32_t ni = i;
        const uint32_t c = utf8_next(txt, &ni);
        if (is_line_end(c)) break;
        RecolorParser probe = cmd;
        if (recolor && probe.is_command(c)) {
            cmd = probe;
            i = ni;
            continue;
        }
        if (any && is_single_unit(c, break_all)) break;
        if (recolor) cmd = probe;
        uint32_t nj = ni;
        const uint32_t next = utf8_next(txt, &nj);
        const int32_t w = lv_font_get_glyph_width(font, c, is_line_end(next) ? 0 : next);
        if (u.cut == UINT32_MAX && u.width + w > room) u.cut = i;
        if (w > 0) {
            u.right_edge = u.width + w;
            u.width += w + letter_space;
        }
        if (!any) u.first_glyph_end = ni;
        any = true;
        i = ni;
        if (is_single_unit(c, break_all)) break;
    }
    u.end = i;
    return u;
}

}  // namespace

uint32_t next_line(const char * txt, const lv_font_t * font, int32_t letter_space, int32_t max_width,
                   lv_text_flag_t flag)
{
    if (txt == nullptr || txt[0] == '\0' || font == nullptr) return 0;
    if (flag & LV_TEXT_FLAG_EXPAND) max_width = INT32_MAX;
    const bool break_all = (flag & LV_TEXT_FLAG_BREAK_ALL) != 0;
    const bool recolor = (flag & LV_TEXT_FLAG_RECOLOR) != 0;
    RecolorParser cmd;

    // Units are taken while they fit in the room left; the first one that
    // does not ends the line and begins the next. A first unit wider than the
    // line is cut where it stops fitting, and at least one character is taken.
    int64_t room = max_width;
    uint32_t i = 0;
    while (txt[i] != '\0') {
        uint32_t ni = i;
        const uint32_t c = utf8_next(txt, &ni);
        if (c == '\n') return ni;
        if (c == '\r') return txt[ni] == '\n' ? ni + 1 : ni;
        const Unit u = measure_unit(txt, i, font, letter_space, room, break_all, recolor, cmd);
        if (u.right_edge > room) {
            if (i > 0) return i;
            if (u.cut != UINT32_MAX && u.cut > 0) return u.cut;
            return u.first_glyph_end > 0 ? u.first_glyph_end : u.end;
        }
        room -= u.width;
        i = u.end;
    }
    return i;
}

std::vector<Line> layout(const char * txt, const lv_font_t * font, int32_t letter_space, int32_t max_width,
                         lv_text_flag_t flag, size_t break_all_from)
{
    std::vector<Line> lines;
    if (txt == nullptr || font == nullptr) return lines;
    const auto break_all = static_cast<lv_text_flag_t>(flag | LV_TEXT_FLAG_BREAK_ALL);
    uint32_t start = 0;
    while (true) {
        const lv_text_flag_t line_flag = lines.size() >= break_all_from ? break_all : flag;
        const uint32_t n = next_line(txt + start, font, letter_space, max_width, line_flag);
        uint32_t len = n;
        // The newline that ends a line is not part of its text.
        while (len > 0 && is_line_end(static_cast<unsigned char>(txt[start + len - 1]))) len--;
        lines.push_back({start, len, line_width(txt + start, len, font, letter_space, flag)});
        if (n == 0) break;
        const bool ended_by_newline = len < n;
        start += n;
        if (txt[start] == '\0') {
            if (ended_by_newline) lines.push_back({start, 0, 0});  // trailing newline: an empty last line
            break;
        }
    }
    return lines;
}

lv_point_t text_size(const char * txt, const lv_font_t * font, int32_t letter_space, int32_t line_space,
                     int32_t max_width, lv_text_flag_t flag)
{
    if (txt == nullptr || font == nullptr) return {0, 0};
    const std::vector<Line> lines = layout(txt, font, letter_space, max_width, flag);
    int32_t w = 0;
    for (const Line & l : lines) w = std::max(w, l.width);
    const auto n = static_cast<int32_t>(lines.size());
    return {w, n * font->line_height + (n - 1) * line_space};
}

}  // namespace gui::draw::text

extern "C" void lv_text_get_size(lv_point_t * size_res, const char * text, const lv_font_t * font, int32_t letter_space,
                                 int32_t line_space, int32_t max_width, lv_text_flag_t flag)
{
    if (size_res == nullptr) return;
    *size_res = gui::draw::text::text_size(text, font, letter_space, line_space, max_width, flag);
}
