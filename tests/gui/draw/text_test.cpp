// Text measurement and line breaking with a fixed-pitch font (8 px per character).
#include "test_fonts.hpp"

#include "gui/draw/text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace text = gui::draw::text;

class TextLayout : public ::testing::Test {
protected:
    std::unique_ptr<draw_test::FontBuilder> fb = draw_test::make_block_font(8);
    const lv_font_t* font = fb->font();

    std::vector<std::string> lines(const char* txt, int32_t max_w, lv_text_flag_t flag = LV_TEXT_FLAG_NONE) {
        std::vector<std::string> out;
        for (const text::Line& l : text::layout(txt, font, 0, max_w, flag)) out.emplace_back(txt + l.start, l.length);
        return out;
    }
};

TEST_F(TextLayout, WrapsAfterBreakCharactersAndCutsOverlongWords) {
    using V = std::vector<std::string>;
    struct Case {
        const char* txt;
        int32_t max_w;
        V expected;
    };
    const Case cases[] = {
        {"hello world", 50, V{"hello ", "world"}},        // the word that does not fit moves down
        {"abc def", 24, V{"abc", " ", "def"}},            // a space past the edge begins the next line
        {"ab,cd", 30, V{"ab,", "cd"}},                    // break after punctuation
        {"one-two", 40, V{"one-", "two"}},
        {"abcdefghij", 30, V{"abc", "def", "ghi", "j"}},  // wider than the line: cut where it stops fitting
        {"go abcdefgh", 40, V{"go ", "abcde", "fgh"}},
        {"ab\n\ncd", 100, V{"ab", "", "cd"}},             // newlines end lines; an empty line stays
        {"ab\r\ncd", 100, V{"ab", "cd"}},
        {"ab\n", 100, V{"ab", ""}},                       // a trailing newline adds a line
        {"", 100, V{""}},                                 // an empty text is one line
        {"abc", 0, V{"a", "b", "c"}},                     // no room: one character per line
        {"ab\xE4\xB8\x80\xE4\xB8\x81\xE4\xB8\x82", 30, // ideographs break anywhere
         V{"ab\xE4\xB8\x80", "\xE4\xB8\x81\xE4\xB8\x82"}},
        {"xy \xE4\xB8\x80" "abcd", 40, V{"xy \xE4\xB8\x80", "abcd"}},
    };
    for (const Case& c : cases) EXPECT_EQ(lines(c.txt, c.max_w), c.expected) << '"' << c.txt << "\" at " << c.max_w;
}

TEST_F(TextLayout, ExpandNeverWraps) {
    EXPECT_EQ(lines("hello world", 10, LV_TEXT_FLAG_EXPAND), std::vector<std::string>{"hello world"});
}

TEST_F(TextLayout, SizesCountLinesSpacingAndTheWidestLine) {
    struct Case {
        const char* txt;
        int32_t letter_space, line_space, max_w;
        lv_point_t size;
    };
    const Case cases[] = {
        {"", 0, 0, 100, {0, 12}},
        {"abc", 0, 0, 100, {24, 12}},
        {"abc", 2, 0, 100, {28, 12}}, // letter space between glyphs, not after the last
        {"a b", 2, 0, 100, {28, 12}}, // the space is a glyph too
        {"ab\nabcd", 0, 3, 100, {32, 27}},
        {"ab\n", 0, 0, 100, {16, 24}},
        {"hello world", 0, 0, 50, {48, 24}}, // "hello " is the widest line
    };
    for (const Case& c : cases) {
        lv_point_t size{-1, -1};
        lv_text_get_size(&size, c.txt, font, c.letter_space, c.line_space, c.max_w, LV_TEXT_FLAG_NONE);
        EXPECT_EQ(size.x, c.size.x) << '"' << c.txt << '"';
        EXPECT_EQ(size.y, c.size.y) << '"' << c.txt << '"';
    }
}

TEST_F(TextLayout, LetterSpaceCountsWhenWrapping) {
    // 3 glyphs of 8 px + 2 gaps of 4 px = 32 px: "abcd" (44 px) does not fit in 40.
    const std::vector<text::Line> ls = text::layout("abcd", font, 4, 40, LV_TEXT_FLAG_NONE);
    ASSERT_EQ(ls.size(), 2u);
    EXPECT_EQ(ls[0].length, 3u);
    EXPECT_EQ(ls[0].width, 32);
}

TEST_F(TextLayout, ColourCommandsTakeNoRoomWithRecolour) {
    const char* txt = "a #ff0000 bc# d##";
    lv_point_t size;
    lv_text_get_size(&size, txt, font, 0, 0, 1000, LV_TEXT_FLAG_RECOLOR);
    EXPECT_EQ(size.x, 7 * 8); // "a bc d#"
    lv_text_get_size(&size, txt, font, 0, 0, 1000, LV_TEXT_FLAG_NONE);
    EXPECT_EQ(size.x, 17 * 8);
    // Wrapping counts only what is drawn: "a bc " fits in 40 px.
    const std::vector<text::Line> ls = text::layout(txt, font, 0, 40, LV_TEXT_FLAG_RECOLOR);
    ASSERT_EQ(ls.size(), 2u);
    EXPECT_EQ(ls[0].width, 40);
    // Commands alone take no room even where there is none: the text goes on.
    const char * commands_first = "#ff0000 #\nab";
    const std::vector<text::Line> cl = text::layout(commands_first, font, 0, -8, LV_TEXT_FLAG_RECOLOR);
    ASSERT_FALSE(cl.empty());
    EXPECT_EQ(std::string(commands_first + cl.back().start, cl.back().length), "b");
}

// A line is built of units, a word or one break character, each taken only
// if it fits in the room left. Montserrat 14: "ab" 18 px, a space 4, "cd" 18,
// "ef" 14.
TEST(TextUnits, AUnitThatDoesNotFitBeginsTheNextLine)
{
    using V = std::vector<std::string>;
    struct Case {
        int32_t max_w;
        V expected;
    };
    const Case cases[] = {
        {22, V{"ab ", "cd ", "ef"}},
        {21, V{"ab", " ", "cd", " ef"}},  // the space alone: "cd" does not fit after it
        {18, V{"ab", " ", "cd", " ef"}},
        {17, V{"a", "b ", "c", "d ", "ef"}},  // a first word wider than the line is cut
        {12, V{"a", "b", " ", "c", "d", " ", "e", "f"}},
    };
    const char * txt = "ab cd ef";
    for (const Case & c : cases) {
        V got;
        for (const text::Line & l : text::layout(txt, &lv_font_montserrat_14, 0, c.max_w, LV_TEXT_FLAG_NONE))
            got.emplace_back(txt + l.start, l.length);
        EXPECT_EQ(got, c.expected) << "at " << c.max_w;
    }
}

TEST(TextUtf8, DecodesMultiByteAndSurvivesBrokenSequences) {
    const char* s = "a\xC2\xB0\xE2\x80\xA2\xF0\x9F\x98\x80\xE2\x80z";
    uint32_t i = 0;
    EXPECT_EQ(text::utf8_next(s, &i), 'a');
    EXPECT_EQ(text::utf8_next(s, &i), 0xB0u);
    EXPECT_EQ(text::utf8_next(s, &i), 0x2022u);
    EXPECT_EQ(text::utf8_next(s, &i), 0x1F600u);
    EXPECT_EQ(text::utf8_next(s, &i), 0xE2u); // truncated sequence: one byte at a time
    EXPECT_EQ(text::utf8_next(s, &i), 0x80u);
    EXPECT_EQ(text::utf8_next(s, &i), 'z');
    EXPECT_EQ(text::utf8_next(s, &i), 0u);
    EXPECT_EQ(text::utf8_count("a\xC2\xB0z", 4), 3u);
    EXPECT_EQ(text::utf8_offset("a\xC2\xB0z", 2), 3u);
}

TEST(TextNull, NullTextOrFontMeasuresNothing) {
    lv_point_t size{5, 5};
    lv_text_get_size(&size, nullptr, nullptr, 0, 0, 100, LV_TEXT_FLAG_NONE);
    EXPECT_EQ(size.x, 0);
    EXPECT_EQ(size.y, 0);
}

} // namespace
