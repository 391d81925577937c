#include "widget_env.hpp"

#include <cstring>
#include <string>

using widget_test::WidgetTest;

namespace {

class Label : public WidgetTest {
protected:
    lv_obj_t * make(const char * text, int32_t w = LV_SIZE_CONTENT, int32_t h = LV_SIZE_CONTENT,
                    lv_label_long_mode_t mode = LV_LABEL_LONG_MODE_WRAP)
    {
        lv_obj_t * label = lv_label_create(scr);
        lv_label_set_long_mode(label, mode);
        lv_label_set_text(label, text);
        lv_obj_set_size(label, w, h);
        lv_obj_update_layout(label);
        return label;
    }
};

TEST_F(Label, NewLabelSaysTextAndIsSizedToIt)
{
    lv_obj_t * label = lv_label_create(scr);
    EXPECT_EQ(lv_obj_get_width(label), 0) << "sizes come from the layout pass";
    lv_obj_update_layout(label);
    EXPECT_STREQ(lv_label_get_text(label), "Text");
    EXPECT_EQ(lv_obj_get_width(label), 29);
    EXPECT_EQ(lv_obj_get_height(label), 16);
    EXPECT_FALSE(lv_obj_has_flag(label, LV_OBJ_FLAG_CLICKABLE));
}

TEST_F(Label, SetTextCopiesAndStaticTextKeepsThePointer)
{
    lv_obj_t * label = lv_label_create(scr);
    char buf[16] = "first";
    lv_label_set_text(label, buf);
    std::strcpy(buf, "other");
    EXPECT_STREQ(lv_label_get_text(label), "first");
    EXPECT_NE(lv_label_get_text(label), buf);

    static const char kept[] = "kept";
    lv_label_set_text_static(label, kept);
    EXPECT_EQ(lv_label_get_text(label), kept);

    lv_label_set_text(label, "owned again");
    lv_label_set_text(label, lv_label_get_text(label)); // its own buffer as the source
    EXPECT_STREQ(lv_label_get_text(label), "owned again");

    lv_label_set_text_fmt(label, "%d:%02d", 7, 5);
    EXPECT_STREQ(lv_label_get_text(label), "7:05");
}

struct SizeCase {
    const char * name;
    const char * text;
    int32_t width;
    int32_t max_width;
    int32_t expect_w;
    int32_t expect_h;
};

class LabelSize : public Label, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(LabelSize, ContentSizeFollowsTheText)
{
    const SizeCase & c = GetParam();
    lv_obj_t * label = lv_label_create(scr);
    lv_label_set_text(label, c.text);
    lv_obj_set_width(label, c.width);
    if (c.max_width) lv_obj_set_style_max_width(label, c.max_width, 0);
    lv_obj_update_layout(label);
    int32_t expect_w = c.expect_w;
    if (expect_w < 0) { // as wide as the text wrapped at the max width
        lv_point_t size;
        lv_text_get_size(&size, c.text, lv_font_get_default(), 0, 0, c.max_width, LV_TEXT_FLAG_NONE);
        expect_w = size.x;
        EXPECT_LE(expect_w, c.max_width);
    }
    EXPECT_EQ(lv_obj_get_width(label), expect_w);
    EXPECT_EQ(lv_obj_get_height(label), c.expect_h);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelSize,
    ::testing::Values(SizeCase{"empty_is_one_line", "", LV_SIZE_CONTENT, 0, 0, 16},
                      SizeCase{"content_width_breaks_only_at_newlines", "Hello world\nOK", LV_SIZE_CONTENT, 0, 82, 32},
                      SizeCase{"trailing_newline_adds_a_line", "OK\n", LV_SIZE_CONTENT, 0, 22, 32},
                      SizeCase{"fixed_width_wraps", "Hello world", 60, 0, 60, 32},
                      SizeCase{"max_width_wraps_content_width", "Hello world", LV_SIZE_CONTENT, 60, -1, 32}),
    [](const auto & info) { return std::string(info.param.name); });

TEST_F(Label, LetterSpaceIsAddedBetweenGlyphsOnly)
{
    lv_obj_t * label = make("OK");
    lv_obj_set_style_text_letter_space(label, 5, 0);
    lv_obj_update_layout(label);
    EXPECT_EQ(lv_obj_get_width(label), 22 + 5);
}

struct DotsCase {
    const char * text;
    int32_t height;
    const char * shown;
};

class LabelDots : public Label, public ::testing::WithParamInterface<DotsCase> {};

TEST_P(LabelDots, CutsWithThreeDotsAtTheLastVisibleLine)
{
    const char * text = GetParam().text;
    lv_obj_t * label = make(text, 100, GetParam().height, LV_LABEL_LONG_MODE_DOTS);
    EXPECT_STREQ(lv_label_get_text(label), GetParam().shown);
    lv_obj_set_height(label, 100);
    lv_obj_update_layout(label);
    EXPECT_STREQ(lv_label_get_text(label), text) << "a size that fits restores the text";
}

INSTANTIATE_TEST_SUITE_P(Heights, LabelDots,
                         ::testing::Values(DotsCase{"A rather long label text here", 16, "A rather lon..."},
                                           DotsCase{"Press and hold buttons here", 32, "Press and hold button..."}));

// The DOTS cut on a one-line label: the target x is three kerned '.' (plus
// letter space) before the right edge; the last visible line breaks at any
// character and the cut comes at the first letter whose right edge passes it.
class LabelDotsCut : public Label {
protected:
    lv_obj_t * one_line(const char * text, const lv_font_t * font, int32_t width, int32_t letter_space)
    {
        lv_obj_t * label = lv_label_create(scr);
        lv_label_set_long_mode(label, LV_LABEL_LONG_MODE_DOTS);
        lv_obj_set_style_text_font(label, font, 0);
        lv_obj_set_style_text_letter_space(label, letter_space, 0);
        lv_label_set_text(label, text);
        lv_obj_set_size(label, width, lv_font_get_line_height(font));
        lv_obj_update_layout(label);
        return label;
    }

    // What the rule gives with the glyph advances of the font in use.
    static std::string expected_cut(const std::string & text, const lv_font_t * font, int32_t width,
                                    int32_t letter_space)
    {
        const int32_t target = width - 3 * (lv_font_get_glyph_width(font, '.', '.') + letter_space);
        int32_t x = 0;
        for (size_t i = 0; i < text.size(); i++) {
            const uint32_t next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
            x += lv_font_get_glyph_width(font, static_cast<unsigned char>(text[i]), next);
            if (target < x) return text.substr(0, i) + "...";
            x += letter_space;
        }
        return text;
    }
};

TEST_F(LabelDotsCut, CutsInsideTheWordAtTheTargetX)
{
    // '.' = 87/16 -> 5 px, target 260 - 15 = 245; "This text is far too lo"
    // reaches 239 and 'n' would end at 255: not at the word-wrap end "too".
    const char * text = "This text is far too long to fit";
    EXPECT_STREQ(lv_label_get_text(one_line(text, &lv_font_montserrat_24, 260, 0)), "This text is far too lo...");
    EXPECT_STREQ(lv_label_get_text(one_line(text, &lv_font_montserrat_24, 260, 3)), "This text is far t...");
}

struct DotsCutCase {
    const char * text;
    const lv_font_t * font;
    int32_t width;
    int32_t letter_space;
};

class LabelDotsFont : public LabelDotsCut, public ::testing::WithParamInterface<DotsCutCase> {};

TEST_P(LabelDotsFont, CutFollowsTheGlyphAdvances)
{
    const DotsCutCase & c = GetParam();
    lv_obj_t * label = one_line(c.text, c.font, c.width, c.letter_space);
    const std::string expected = expected_cut(c.text, c.font, c.width, c.letter_space);
    ASSERT_NE(expected, c.text);
    EXPECT_EQ(lv_label_get_text(label), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, LabelDotsFont,
    ::testing::Values(DotsCutCase{"This text is far too long to fit", &lv_font_montserrat_24, 260, 0},
                      DotsCutCase{"This text is far too long to fit", &lv_font_montserrat_24, 260, 3},
                      DotsCutCase{"Radio Paradise - Main Mix (FLAC)", &lv_font_montserrat_14, 120, 0},
                      DotsCutCase{"AVAVAVAVAVAVAVAVAVAVAV To You", &lv_font_montserrat_14, 90, 2},
                      DotsCutCase{"Wide words: WWWWWWWWWWWWWWWWWWW", &lv_font_montserrat_48, 300, 1}));

TEST_F(Label, DotsLeaveAtLeastThreeBytesOfTheText)
{
    // The first line ends at the newline (byte 3), but only two bytes follow
    // it: the cut steps back so that the three dots replace bytes of the text.
    EXPECT_STREQ(lv_label_get_text(make("abc\nd", 400, 16, LV_LABEL_LONG_MODE_DOTS)), "ab...");
    EXPECT_STREQ(lv_label_get_text(make("abc\nde", 400, 16, LV_LABEL_LONG_MODE_DOTS)), "abc...");
}

TEST_F(Label, DotsOnTheLastLineThatFitsWithLineSpace)
{
    // 16 px lines 4 px apart in 40 px: lines at 0 and 20 fit, the third does not.
    lv_obj_t * label = lv_label_create(scr);
    lv_label_set_long_mode(label, LV_LABEL_LONG_MODE_DOTS);
    lv_obj_set_style_text_line_space(label, 4, 0);
    lv_label_set_text(label, "one\ntwo\nthree\nfour");
    lv_obj_set_size(label, 200, 40);
    lv_obj_update_layout(label);
    EXPECT_STREQ(lv_label_get_text(label), "one\ntwo...");
}

TEST_F(Label, ScrollBouncesAtFortyPixelsPerSecondWithPauses)
{
    const char * text = "A rather long label text here, longer";
    lv_point_t size;
    lv_text_get_size(&size, text, lv_font_get_default(), 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_EXPAND);
    lv_obj_t * label = make(text, 100, LV_SIZE_CONTENT, LV_LABEL_LONG_MODE_SCROLL);
    EXPECT_EQ(lv_obj_get_height(label), 16) << "scrolling labels do not wrap";

    lv_anim_t * a = lv_anim_get(label, nullptr);
    ASSERT_NE(a, nullptr);
    int32_t overflow = size.x - 100;
    EXPECT_EQ(a->start_value, 0);
    EXPECT_EQ(a->end_value, -overflow);
    EXPECT_EQ(a->duration, overflow * 25);
    EXPECT_EQ(a->reverse_duration, static_cast<uint32_t>(overflow * 25));
    EXPECT_EQ(a->reverse_delay, 300u);
    EXPECT_EQ(a->repeat_delay, 300u);
    EXPECT_EQ(a->repeat_cnt, LV_ANIM_REPEAT_INFINITE);
}

TEST_F(Label, CircularScrollTravelsTheTextAndAGapOfThreeSpaces)
{
    const char * text = "A rather long label text here, longer";
    lv_point_t size;
    lv_text_get_size(&size, text, lv_font_get_default(), 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_EXPAND);
    lv_obj_t * label = make(text, 100, LV_SIZE_CONTENT, LV_LABEL_LONG_MODE_SCROLL_CIRCULAR);
    lv_anim_t * a = lv_anim_get(label, nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->end_value, -(size.x + 12));
    EXPECT_EQ(a->duration, (size.x + 12) * 25);
    EXPECT_EQ(a->reverse_duration, 0u);

    advance(1000);
    int32_t elapsed = a->act_time;
    lv_label_set_text(label, "A rather long label text here, longer!");
    a = lv_anim_get(label, nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->act_time, elapsed) << "a new text keeps the scroll position";
}

TEST_F(Label, ShortTextInScrollModeDoesNotMove)
{
    lv_obj_t * label = make("OK", 100, LV_SIZE_CONTENT, LV_LABEL_LONG_MODE_SCROLL_CIRCULAR);
    EXPECT_EQ(lv_anim_get(label, nullptr), nullptr);
    lv_label_set_text(label, "A rather long label text here, longer");
    EXPECT_NE(lv_anim_get(label, nullptr), nullptr);
    lv_label_set_long_mode(label, LV_LABEL_LONG_MODE_CLIP);
    EXPECT_EQ(lv_anim_get(label, nullptr), nullptr);
}

TEST_F(Label, LetterPositionsRoundTrip)
{
    lv_obj_t * label = make("Hello world\nOK");
    struct {
        uint32_t index;
        lv_point_t pos;
    } cases[] = {{0, {0, 0}}, {6, {0, 0}}, {12, {0, 16}}, {14, {22, 16}}};
    lv_point_t w_pos;
    lv_label_get_letter_pos(label, 6, &w_pos);
    cases[1].pos = w_pos;
    EXPECT_GT(w_pos.x, 30);
    for (const auto & c : cases) {
        lv_point_t p;
        lv_label_get_letter_pos(label, c.index, &p);
        EXPECT_EQ(p.x, c.pos.x) << "char " << c.index;
        EXPECT_EQ(p.y, c.pos.y) << "char " << c.index;
        lv_point_t probe{p.x + 1, p.y + 1};
        if (c.index < 14) {
            EXPECT_EQ(lv_label_get_letter_on(label, &probe, false), c.index);
        }
    }
    lv_point_t right_of_text{200, 20};
    EXPECT_EQ(lv_label_get_letter_on(label, &right_of_text, false), 14u);
}

// Before its first layout a label has no content width: every character,
// each space included, is a line of its own. 97 characters, 13 spaces.
TEST_F(Label, WithoutRoomEveryCharacterIsALine)
{
    const char * txt =
        "Wrapping narrower than a glyph leaves every character alone: letters, commas, spaces and periods.";
    ASSERT_EQ(std::strlen(txt), 97u);
    lv_obj_t * label = lv_label_create(scr);
    lv_obj_set_width(label, 200);
    lv_label_set_text(label, txt);
    lv_point_t p;
    lv_label_get_letter_pos(label, 96, &p);
    EXPECT_EQ(p.y, 96 * 16);
    EXPECT_EQ(p.x, 0);
}

TEST_F(Label, CentredTextStartsHalfTheFreeSpaceIn)
{
    lv_obj_t * label = make("OK", 100);
    lv_obj_set_style_text_align(label, LV_TEXT_ALIGN_CENTER, 0);
    lv_point_t p;
    lv_label_get_letter_pos(label, 0, &p);
    EXPECT_EQ(p.x, (100 - 22) / 2);
}

TEST_F(Label, MalformedUtf8AndOutOfRangeIndicesAreSafe)
{
    lv_obj_t * label = make("ab\xE2\x80", 40, 32, LV_LABEL_LONG_MODE_DOTS);
    lv_label_ins_text(label, 100, "\xC3");
    lv_label_cut_text(label, 1, 100);
    EXPECT_STREQ(lv_label_get_text(label), "a");
    lv_point_t p;
    lv_label_get_letter_pos(label, 999, &p);
    lv_point_t far{-50, 5000};
    EXPECT_EQ(lv_label_get_letter_on(label, &far, false), 0u);
    lv_label_set_text(label, nullptr); // re-process the current text
    EXPECT_STREQ(lv_label_get_text(label), "a");
}

TEST_F(Label, InsertAndCutCountCharactersNotBytes)
{
    lv_obj_t * label = make("\xC3\xA4\xC3\xB6\xC3\xBC"); // äöü
    lv_label_ins_text(label, 1, "x");
    EXPECT_STREQ(lv_label_get_text(label), "\xC3\xA4x\xC3\xB6\xC3\xBC");
    lv_label_cut_text(label, 2, 1);
    EXPECT_STREQ(lv_label_get_text(label), "\xC3\xA4x\xC3\xBC");
    lv_label_ins_text(label, LV_LABEL_POS_LAST, "!");
    EXPECT_STREQ(lv_label_get_text(label), "\xC3\xA4x\xC3\xBC!");
}

} // namespace
