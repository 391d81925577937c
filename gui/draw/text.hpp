// Text measurement and line breaking, shared by the renderer and the label widget.
#pragma once

#include "lvgl.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gui::draw::text {

// Decode the UTF-8 character at txt[*i] and advance *i past it. Invalid
// bytes decode as themselves, one byte each; the terminator gives 0.
uint32_t utf8_next(const char * txt, uint32_t * i);

// Number of characters in the first `byte_len` bytes.
uint32_t utf8_count(const char * txt, uint32_t byte_len);
// Byte offset of the character with index `char_idx`.
uint32_t utf8_offset(const char * txt, uint32_t char_idx);

// Width of `length` bytes of text on one line: rounded advances with kerning
// against the next character, letter space after every glyph with an advance
// except the last.
int32_t line_width(const char * txt, uint32_t length, const lv_font_t * font, int32_t letter_space,
                   lv_text_flag_t flag = LV_TEXT_FLAG_NONE);

// Inline colour commands ("#RRGGBB text#", "##" for a literal '#'), honoured
// with LV_TEXT_FLAG_RECOLOR. Feed every character of a line in order.
class RecolorParser {
public:
    // True when `c` belongs to a command and is not drawn.
    bool is_command(uint32_t c);
    // Whether a colour is active, and which, after the last character fed.
    bool active() const { return state_ == State::kIn && has_color_; }
    lv_color_t color() const { return color_; }
    // Start of a colour parameter: parse it from the text after the '#'.
    bool opened() const { return opened_; }
    void set_color_from(const char * hex);

private:
    enum class State {
        kWait,
        kParam,
        kIn
    };
    State state_ = State::kWait;
    bool opened_ = false;
    bool has_color_ = false;
    lv_color_t color_{};
};

// Bytes of the line starting at txt (including the newline that ends it),
// wrapped at max_width unless flag has LV_TEXT_FLAG_EXPAND.
uint32_t next_line(const char * txt, const lv_font_t * font, int32_t letter_space, int32_t max_width,
                   lv_text_flag_t flag);

struct Line {
    uint32_t start;   // byte offset into the text
    uint32_t length;  // bytes, without the ending newline
    int32_t width;    // pixels
};

// All lines of `txt` (an empty text is one empty line; a trailing newline adds
// one). Lines from index `break_all_from` on may break at any character.
std::vector<Line> layout(const char * txt, const lv_font_t * font, int32_t letter_space, int32_t max_width,
                         lv_text_flag_t flag, size_t break_all_from = SIZE_MAX);

// Size of the laid-out text: widest line x (lines * line height + gaps).
lv_point_t text_size(const char * txt, const lv_font_t * font, int32_t letter_space, int32_t line_space,
                     int32_t max_width, lv_text_flag_t flag);

}  // namespace gui::draw::text
