#include "widget_env.hpp"

#include <string>

using widget_test::EventLog;
using widget_test::WidgetTest;

namespace {

class Textarea : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        ta = lv_textarea_create(scr);
        lv_obj_update_layout(ta);
    }

    void key(uint32_t k) { lv_obj_send_event(ta, LV_EVENT_KEY, &k); }
    std::string shown() { return lv_label_get_text(lv_textarea_get_label(ta)); }

    lv_obj_t * ta = nullptr;
};

TEST_F(Textarea, DefaultsAndOneLineGeometry)
{
    EXPECT_EQ(lv_obj_get_width(ta), 260);
    EXPECT_EQ(lv_obj_get_height(ta), 130);
    EXPECT_EQ(lv_obj_get_content_width(lv_textarea_get_label(ta)), 236);
    EXPECT_STREQ(lv_textarea_get_text(ta), "");
    EXPECT_TRUE(lv_obj_has_flag(ta, LV_OBJ_FLAG_SCROLL_ON_FOCUS));
    EXPECT_FALSE(lv_obj_has_flag(ta, LV_OBJ_FLAG_SCROLL_WITH_ARROW));

    lv_textarea_set_one_line(ta, true);
    lv_obj_update_layout(ta);
    EXPECT_EQ(lv_obj_get_height(ta), 40);
}

TEST_F(Textarea, EditingMovesTheCursorAndReportsEachChange)
{
    EventLog log;
    log.attach(ta, "ta", LV_EVENT_VALUE_CHANGED);
    lv_textarea_add_text(ta, "helo");
    lv_textarea_set_cursor_pos(ta, 3);
    lv_textarea_add_char(ta, 'l');
    EXPECT_STREQ(lv_textarea_get_text(ta), "hello");
    EXPECT_EQ(lv_textarea_get_cursor_pos(ta), 4u);
    lv_textarea_delete_char_forward(ta);
    EXPECT_STREQ(lv_textarea_get_text(ta), "hell");
    lv_textarea_delete_char(ta);
    EXPECT_STREQ(lv_textarea_get_text(ta), "hel");
    EXPECT_EQ(lv_textarea_get_current_char(ta), static_cast<uint32_t>('l'));
    EXPECT_EQ(log.entries.size(), 4u);

    lv_textarea_set_cursor_pos(ta, 0);
    lv_textarea_delete_char(ta); // nothing before the cursor
    EXPECT_EQ(log.entries.size(), 4u);
    lv_textarea_set_text(ta, "new");
    EXPECT_EQ(lv_textarea_get_cursor_pos(ta), 3u);
    EXPECT_EQ(log.entries.size(), 5u);
}

struct KeyCase {
    const char * name;
    bool one_line;
    uint32_t key;
    const char * text;
    uint32_t cursor;
    bool ready;
};

class TextareaKeys : public Textarea, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(TextareaKeys, KeyEditsTheTextAtTheCursor)
{
    const KeyCase & c = GetParam();
    lv_textarea_set_one_line(ta, c.one_line);
    lv_textarea_set_text(ta, "abc");
    lv_textarea_set_cursor_pos(ta, 1);
    EventLog log;
    log.attach(ta, "ta", LV_EVENT_READY);
    key(c.key);
    EXPECT_STREQ(lv_textarea_get_text(ta), c.text);
    EXPECT_EQ(lv_textarea_get_cursor_pos(ta), c.cursor);
    EXPECT_EQ(log.entries.size(), c.ready ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TextareaKeys,
    ::testing::Values(KeyCase{"right", false, LV_KEY_RIGHT, "abc", 2, false},
                      KeyCase{"left", false, LV_KEY_LEFT, "abc", 0, false},
                      KeyCase{"home", false, LV_KEY_HOME, "abc", 0, false},
                      KeyCase{"end", false, LV_KEY_END, "abc", 3, false},
                      KeyCase{"backspace", false, LV_KEY_BACKSPACE, "bc", 0, false},
                      KeyCase{"del", false, LV_KEY_DEL, "ac", 1, false},
                      KeyCase{"enter_multi_line", false, LV_KEY_ENTER, "a\nbc", 2, false},
                      KeyCase{"enter_one_line", true, LV_KEY_ENTER, "abc", 1, true},
                      KeyCase{"printable", false, 'x', "axbc", 2, false}),
    [](const auto & info) { return std::string(info.param.name); });

TEST_F(Textarea, MaximumLengthCountsCharactersAndFiltersApply)
{
    lv_textarea_set_max_length(ta, 3);
    EventLog log;
    log.attach(ta, "ta", LV_EVENT_VALUE_CHANGED);
    lv_textarea_add_text(ta, "\xC3\xA4\xC3\xB6"); // äö
    lv_textarea_add_text(ta, "\xC3\xBC!");         // ü! : only ü fits
    EXPECT_STREQ(lv_textarea_get_text(ta), "\xC3\xA4\xC3\xB6\xC3\xBC");
    lv_textarea_add_char(ta, 'x');
    EXPECT_EQ(log.entries.size(), 2u) << "a rejected character is not a change";

    lv_textarea_set_max_length(ta, 0);
    lv_textarea_set_accepted_chars(ta, "0123456789");
    lv_textarea_set_text(ta, "a1b2");
    EXPECT_STREQ(lv_textarea_get_text(ta), "12");
    lv_textarea_set_one_line(ta, true);
    lv_textarea_set_accepted_chars(ta, nullptr);
    lv_textarea_add_text(ta, "3\n4");
    EXPECT_STREQ(lv_textarea_get_text(ta), "1234") << "one-line mode rejects newlines";
}

void replace_insert(lv_event_t * e)
{
    const char * txt = static_cast<const char *>(lv_event_get_param(e));
    lv_obj_t * ta = lv_event_get_target_obj(e);
    if (std::string(txt) == "bad") lv_textarea_set_insert_replace(ta, "");
    else lv_textarea_set_insert_replace(ta, "[ok]");
}

TEST_F(Textarea, InsertHandlerCanReplaceOrDropTheText)
{
    lv_obj_add_event_cb(ta, replace_insert, LV_EVENT_INSERT, nullptr);
    lv_textarea_add_text(ta, "bad");
    EXPECT_STREQ(lv_textarea_get_text(ta), "");
    lv_textarea_add_text(ta, "fine");
    EXPECT_STREQ(lv_textarea_get_text(ta), "[ok]");
}

TEST_F(Textarea, PasswordShowsTheLastCharacterForTheShowTime)
{
    lv_textarea_set_password_mode(ta, true);
    lv_textarea_add_char(ta, 'a');
    EXPECT_EQ(shown(), "a");
    advance(660);
    lv_textarea_add_char(ta, 'b');
    EXPECT_EQ(shown(), "\xE2\x80\xA2" "b") << "older characters hide at once";
    advance(1485);
    EXPECT_EQ(shown(), "\xE2\x80\xA2" "b");
    advance(33);
    EXPECT_EQ(shown(), "\xE2\x80\xA2\xE2\x80\xA2");
    EXPECT_STREQ(lv_textarea_get_text(ta), "ab") << "the real text is kept";

    lv_textarea_set_text(ta, "xyz");
    EXPECT_EQ(shown(), "\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2") << "set_text hides everything";
    lv_textarea_set_password_bullet(ta, "*");
    EXPECT_EQ(shown(), "***");
    lv_textarea_set_password_mode(ta, false);
    EXPECT_EQ(shown(), "xyz");
}

TEST_F(Textarea, PasswordHidesEverythingWheneverTheShowTimeIsSet)
{
    lv_textarea_set_text(ta, "12345");
    lv_textarea_set_password_bullet(ta, "O");
    lv_textarea_set_password_mode(ta, true);
    EXPECT_EQ(shown(), "OOOOO");
    lv_textarea_set_text(ta, "A");
    EXPECT_EQ(shown(), "O");
    lv_textarea_add_char(ta, 'B');
    EXPECT_EQ(shown(), "OB");
    lv_textarea_set_password_show_time(ta, lv_textarea_get_password_show_time(ta));
    EXPECT_EQ(shown(), "OO") << "even an unchanged show time hides the typed character";
    lv_textarea_set_password_mode(ta, false);
    EXPECT_EQ(shown(), "AB");
}

TEST_F(Textarea, PasswordShowTimeZeroHidesAtOnceAndDeletingHidesNothing)
{
    lv_textarea_set_password_mode(ta, true);
    lv_textarea_set_password_bullet(ta, "*");
    lv_textarea_add_text(ta, "ab");
    EXPECT_EQ(shown(), "ab");
    lv_textarea_set_cursor_pos(ta, 1);
    lv_textarea_delete_char(ta);
    EXPECT_EQ(shown(), "b") << "the character still in its show time stays readable";
    lv_textarea_set_password_bullet(ta, "#");
    EXPECT_EQ(shown(), "#") << "a new bullet hides everything";
    lv_textarea_set_password_show_time(ta, 0);
    lv_textarea_add_char(ta, 'c');
    EXPECT_EQ(shown(), "##") << "no show time: hidden before the next timer run";
    EXPECT_STREQ(lv_textarea_get_text(ta), "cb");
}

TEST_F(Textarea, TappingPlacesTheCursorAtTheCharacter)
{
    lv_textarea_set_text(ta, "Hello world");
    lv_area_t label;
    lv_obj_get_content_coords(lv_textarea_get_label(ta), &label);
    tap(label.x1 + 1, label.y1 + 8);
    EXPECT_EQ(lv_textarea_get_cursor_pos(ta), 0u);
    tap(label.x1 + 45, label.y1 + 8); // in the "w" after "Hello "
    EXPECT_EQ(lv_textarea_get_cursor_pos(ta), 6u);
    tap(label.x1 + 200, label.y1 + 8);
    EXPECT_EQ(lv_textarea_get_cursor_pos(ta), 11u);
}

TEST_F(Textarea, OneLineViewFollowsTheCursorHorizontally)
{
    lv_textarea_set_one_line(ta, true);
    lv_textarea_add_text(ta, "A long line of text that does not fit into the box at all");
    advance(500); // the scroll to the cursor is animated
    int32_t scrolled = lv_obj_get_scroll_x(ta);
    EXPECT_GT(scrolled, 0);
    lv_area_t box = coords(ta);
    lv_point_t end;
    lv_label_get_letter_pos(lv_textarea_get_label(ta), lv_textarea_get_cursor_pos(ta), &end);
    lv_area_t label = coords(lv_textarea_get_label(ta));
    EXPECT_LE(label.x1 + end.x, box.x2) << "the cursor is inside the visible box";
    EXPECT_EQ(lv_obj_get_scroll_y(ta), 0);

    lv_textarea_set_cursor_pos(ta, 0);
    advance(500);
    EXPECT_EQ(lv_obj_get_scroll_x(ta), 0);
}

struct KeypadState {
    uint32_t key = 0;
    bool pressed = false;
};
KeypadState g_keypad;

void keypad_read(lv_indev_t *, lv_indev_data_t * data)
{
    data->key = g_keypad.key;
    data->state = g_keypad.pressed ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
}

TEST_F(Textarea, KeysFromAKeypadReachTheFocusedTextareaAndItsHandler)
{
    lv_indev_t * keypad = lv_indev_create();
    lv_indev_set_type(keypad, LV_INDEV_TYPE_KEYPAD);
    lv_indev_set_read_cb(keypad, keypad_read);
    lv_group_t * group = lv_group_create();
    lv_group_add_obj(group, ta);
    lv_indev_set_group(keypad, group);
    lv_textarea_set_one_line(ta, true);
    EventLog log;
    log.attach(ta, "ta", LV_EVENT_VALUE_CHANGED);
    log.attach(ta, "ta", LV_EVENT_READY);

    for (uint32_t k : {uint32_t('h'), uint32_t('i'), uint32_t(LV_KEY_LEFT), uint32_t('!'), uint32_t(LV_KEY_ENTER)}) {
        g_keypad = {k, true};
        advance(33);
        g_keypad.pressed = false;
        advance(33);
    }
    EXPECT_STREQ(lv_textarea_get_text(ta), "h!i");
    EXPECT_EQ(log.joined(), "ta:VALUE_CHANGED ta:VALUE_CHANGED ta:VALUE_CHANGED ta:READY");
    lv_group_delete(group);
}

TEST_F(Textarea, MalformedUtf8IsHandledSafely)
{
    const char * inputs[] = {"\xC3", "a\xE2\x80", "\xFF\xFE", "\xF0\x9F\x98", "ok\xC3\xA4"};
    for (const char * in : inputs) lv_textarea_add_text(ta, in);
    lv_textarea_set_password_mode(ta, true);
    for (int i = 0; i < 3; ++i) {
        lv_textarea_cursor_left(ta);
        lv_textarea_delete_char_forward(ta);
        lv_textarea_delete_char(ta);
    }
    lv_obj_update_layout(ta);
    EXPECT_LE(lv_textarea_get_cursor_pos(ta), std::string(lv_textarea_get_text(ta)).size());
    lv_textarea_set_text(ta, "\xE2\x80");
    advance(100);
}

TEST_F(Textarea, CursorMovesBetweenLines)
{
    lv_textarea_set_text(ta, "abc\ndef"); // "def" ends at x 24, inside the "c" above it
    lv_textarea_cursor_up(ta);
    EXPECT_EQ(lv_textarea_get_cursor_pos(ta), 2u);
    lv_textarea_cursor_down(ta); // "c" starts at x 18, inside the "e" below it
    EXPECT_EQ(lv_textarea_get_cursor_pos(ta), 5u);
    lv_textarea_cursor_up(ta); // "e" starts at x 10, inside the "b"
    lv_textarea_cursor_up(ta); // already on the first line
    EXPECT_EQ(lv_textarea_get_cursor_pos(ta), 1u);
}

} // namespace
