// Small UTF-8 helpers shared by the text widgets (label, textarea, keyboard).
// Indices handed to the public API are character indices; these convert them
// to byte offsets. Malformed input never reads past the end of the string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace gui::widgets::utf8 {

/** Length in bytes of the sequence starting with `lead` (1 for stray bytes). */
inline size_t seq_len(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

/** Length of the character at `pos`, clipped to the end of `s`. */
inline size_t char_len_at(std::string_view s, size_t pos)
{
    if (pos >= s.size()) return 0;
    size_t n = seq_len(static_cast<unsigned char>(s[pos]));
    return pos + n > s.size() ? s.size() - pos : n;
}

/** Code point of the character at `pos` (0 at the end). */
inline uint32_t decode_at(std::string_view s, size_t pos)
{
    size_t n = char_len_at(s, pos);
    if (n == 0) return 0;
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(s[pos + i])); };
    switch (n) {
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    case 4: return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    default: return b(0);
    }
}

/** Number of characters in `s`. */
inline size_t count(std::string_view s)
{
    size_t chars = 0;
    for (size_t pos = 0; pos < s.size(); pos += char_len_at(s, pos)) ++chars;
    return chars;
}

/** Byte offset of character `index`; the end of `s` when the index is past it. */
inline size_t byte_offset(std::string_view s, size_t index)
{
    size_t pos = 0;
    while (index > 0 && pos < s.size()) {
        pos += char_len_at(s, pos);
        --index;
    }
    return pos;
}

/** Byte offset of the character before the one at `pos` (0 when there is none). */
inline size_t prev_offset(std::string_view s, size_t pos)
{
    size_t prev = 0;
    for (size_t at = 0; at < pos && at < s.size(); at += char_len_at(s, at)) prev = at;
    return prev;
}

/** UTF-8 encoding of a code point (empty for values beyond U+10FFFF). */
inline std::string encode(uint32_t cp)
{
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp <= 0x10FFFF) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

}  // namespace gui::widgets::utf8
