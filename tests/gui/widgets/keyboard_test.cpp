#include "widget_env.hpp"

#include <string>

using widget_test::EventLog;
using widget_test::WidgetTest;

namespace {

class Keyboard : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        ta = lv_textarea_create(scr);
        kb = lv_keyboard_create(scr);
        lv_keyboard_set_textarea(kb, ta);
        lv_obj_update_layout(kb);
    }

    lv_obj_t * ta = nullptr;
    lv_obj_t * kb = nullptr;
};

TEST_F(Keyboard, FillsTheLowerHalfOfTheScreen)
{
    lv_area_t a = coords(kb);
    EXPECT_EQ(a.x1, 0);
    EXPECT_EQ(a.y1, 240);
    EXPECT_EQ(lv_obj_get_width(kb), 640);
    EXPECT_EQ(lv_obj_get_height(kb), 240);
    EXPECT_FALSE(lv_obj_has_flag(kb, LV_OBJ_FLAG_CLICK_FOCUSABLE));
    EXPECT_TRUE(lv_obj_has_state(kb, LV_STATE_FOCUSED));
    EXPECT_EQ(lv_keyboard_get_mode(kb), LV_KEYBOARD_MODE_TEXT_LOWER);
    EXPECT_EQ(lv_keyboard_get_textarea(kb), ta);
}

TEST_F(Keyboard, TakesTheScreensLookWithTinyPadding)
{
    const lv_obj_t * screen = lv_screen_active();
    EXPECT_EQ(lv_color_to_int(lv_obj_get_style_bg_color(kb, LV_PART_MAIN)), 0xF5F5F5u);
    EXPECT_EQ(lv_obj_get_style_rotary_sensitivity(kb, LV_PART_MAIN),
              lv_obj_get_style_rotary_sensitivity(screen, LV_PART_MAIN));
    EXPECT_EQ(lv_obj_get_style_rotary_sensitivity(kb, LV_PART_MAIN), 8192u);
    EXPECT_EQ(lv_obj_get_style_pad_top(kb, LV_PART_MAIN), 5);
    EXPECT_EQ(lv_obj_get_style_pad_row(kb, LV_PART_MAIN), 5);
}

struct KeyCase {
    const char * text;
    int32_t x; // a point inside the key, relative to the keyboard
    int32_t y;
};

class KeyboardKeys : public Keyboard, public ::testing::WithParamInterface<KeyCase> {};

// Boxes of the lower-case map on a 640 x 240 keyboard.
TEST_P(KeyboardKeys, KeyBoxesFollowTheWidthUnits)
{
    const KeyCase & c = GetParam();
    lv_area_t a = coords(kb);
    press(a.x1 + c.x, a.y1 + c.y);
    uint32_t id = lv_keyboard_get_selected_button(kb);
    ASSERT_NE(id, static_cast<uint32_t>(LV_BUTTONMATRIX_BUTTON_NONE)) << c.text;
    EXPECT_STREQ(lv_keyboard_get_button_text(kb, id), c.text);
    release();
}

INSTANTIATE_TEST_SUITE_P(
    LowerMap, KeyboardKeys,
    ::testing::Values(KeyCase{"1#", 5, 5}, KeyCase{"1#", 59, 57}, KeyCase{"q", 65, 30}, KeyCase{"q", 108, 30},
                      KeyCase{LV_SYMBOL_BACKSPACE, 557, 30}, KeyCase{LV_SYMBOL_BACKSPACE, 634, 57},
                      KeyCase{"ABC", 30, 63}, KeyCase{"ABC", 30, 116}, KeyCase{"z", 130, 150},
                      KeyCase{" ", 189, 181}, KeyCase{" ", 449, 234}, KeyCase{LV_SYMBOL_OK, 600, 200}));

TEST_F(Keyboard, GapsBetweenKeysHitNothing)
{
    lv_area_t a = coords(kb);
    press(a.x1 + 62, a.y1 + 30); // between "1#" and "q"
    EXPECT_EQ(lv_keyboard_get_selected_button(kb), static_cast<uint32_t>(LV_BUTTONMATRIX_BUTTON_NONE));
    release();
    EXPECT_STREQ(lv_textarea_get_text(ta), "");
}

struct HandlerView {
    std::string key_text;
    std::string ta_text;
};

void read_key(lv_event_t * e)
{
    auto * view = static_cast<HandlerView *>(lv_event_get_user_data(e));
    lv_obj_t * kb = lv_event_get_target_obj(e);
    uint32_t id = lv_keyboard_get_selected_button(kb);
    EXPECT_EQ(*static_cast<uint32_t *>(lv_event_get_param(e)), id);
    const char * txt = lv_keyboard_get_button_text(kb, id);
    view->key_text = txt ? txt : "(none)";
    view->ta_text = lv_textarea_get_text(lv_keyboard_get_textarea(kb));
}

TEST_F(Keyboard, TappingALetterTypesItBeforeTheApplicationHandlerRuns)
{
    EventLog log;
    log.attach(ta, "ta", LV_EVENT_VALUE_CHANGED);
    log.attach(kb, "kb", LV_EVENT_VALUE_CHANGED);
    log.attach(kb, "kb", LV_EVENT_CLICKED);
    HandlerView view;
    lv_obj_add_event_cb(kb, read_key, LV_EVENT_VALUE_CHANGED, &view);

    lv_area_t a = coords(kb);
    press(a.x1 + 86, a.y1 + 30); // "q"
    EXPECT_EQ(log.joined(), "ta:VALUE_CHANGED kb:VALUE_CHANGED") << "normal keys act on press";
    release();
    EXPECT_EQ(log.joined(), "ta:VALUE_CHANGED kb:VALUE_CHANGED kb:CLICKED");
    EXPECT_EQ(view.key_text, "q");
    EXPECT_EQ(view.ta_text, "q");
    EXPECT_STREQ(lv_textarea_get_text(ta), "q");
}

TEST_F(Keyboard, OkSendsReadyAndTheKeyboardKeyCancelsBothOnRelease)
{
    EventLog log;
    for (lv_event_code_t code : {LV_EVENT_READY, LV_EVENT_CANCEL}) {
        log.attach(kb, "kb", code);
        log.attach(ta, "ta", code);
    }
    lv_area_t a = coords(kb);
    press(a.x1 + 600, a.y1 + 200); // OK
    EXPECT_EQ(log.joined(), "") << "action keys act on release";
    release();
    EXPECT_EQ(log.joined(), "kb:READY ta:READY");
    log.entries.clear();
    tap(a.x1 + 30, a.y1 + 200); // keyboard symbol
    EXPECT_EQ(log.joined(), "kb:CANCEL ta:CANCEL");
    log.entries.clear();
    lv_keyboard_set_mode(kb, LV_KEYBOARD_MODE_TEXT_UPPER);
    tap(a.x1 + 30, a.y1 + 200); // the close symbol in its place
    EXPECT_EQ(log.joined(), "kb:CANCEL ta:CANCEL");
    EXPECT_STREQ(lv_textarea_get_text(ta), "");
}

TEST_F(Keyboard, SlidingOffAnActionKeyCancelsIt)
{
    EventLog log;
    log.attach(kb, "kb", LV_EVENT_READY);
    lv_area_t a = coords(kb);
    press(a.x1 + 600, a.y1 + 200); // OK
    move_to(a.x1 + 300, a.y1 + 200); // onto the space bar
    release();
    EXPECT_EQ(log.joined(), "");
    EXPECT_STREQ(lv_textarea_get_text(ta), "");
}

TEST_F(Keyboard, ModeKeysSwitchMapsAndFunctionKeysEdit)
{
    HandlerView view;
    lv_obj_add_event_cb(kb, read_key, LV_EVENT_VALUE_CHANGED, &view);
    lv_area_t a = coords(kb);
    tap(a.x1 + 30, a.y1 + 90); // "ABC"
    EXPECT_EQ(lv_keyboard_get_mode(kb), LV_KEYBOARD_MODE_TEXT_UPPER);
    EXPECT_EQ(view.key_text, "abc") << "a later handler sees the key now at that place";
    EXPECT_STREQ(lv_keyboard_get_button_text(kb, 1), "Q");
    tap(a.x1 + 86, a.y1 + 30);  // "Q"
    tap(a.x1 + 300, a.y1 + 200); // space
    tap(a.x1 + 30, a.y1 + 90);  // "abc"
    EXPECT_EQ(lv_keyboard_get_mode(kb), LV_KEYBOARD_MODE_TEXT_LOWER);
    tap(a.x1 + 160, a.y1 + 200); // left arrow
    tap(a.x1 + 600, a.y1 + 30);  // backspace: deletes "Q" before the cursor
    EXPECT_STREQ(lv_textarea_get_text(ta), " ");
    tap(a.x1 + 600, a.y1 + 90); // new line
    EXPECT_STREQ(lv_textarea_get_text(ta), "\n ");

    lv_keyboard_set_mode(kb, LV_KEYBOARD_MODE_NUMBER);
    lv_textarea_set_text(ta, "12");
    lv_textarea_set_cursor_pos(ta, 1);
    tap(a.x1 + 60, a.y1 + 200); // "+/-"
    EXPECT_STREQ(lv_textarea_get_text(ta), "-12");
    EXPECT_EQ(lv_textarea_get_cursor_pos(ta), 2u) << "the cursor stays on the same digit";
    tap(a.x1 + 60, a.y1 + 200);
    EXPECT_STREQ(lv_textarea_get_text(ta), "+12");
}

TEST_F(Keyboard, HeldBackspaceRepeatsAfterTheLongPress)
{
    lv_textarea_set_text(ta, "abcdefgh");
    lv_area_t a = coords(kb);
    press(a.x1 + 600, a.y1 + 30);
    EXPECT_STREQ(lv_textarea_get_text(ta), "abcdefg");
    advance(500);
    EXPECT_STREQ(lv_textarea_get_text(ta), "abcdefg") << "the long press itself deletes nothing";
    advance(500); // repeats at about 561, 693, 825 and 957 ms
    release();
    EXPECT_STREQ(lv_textarea_get_text(ta), "abc");
}

TEST_F(Keyboard, CustomMapWithAnEnterKeyOnAOneLineTextarea)
{
    static const char * const map[] = {"Enter", "x", ""};
    static const lv_buttonmatrix_ctrl_t ctrl[] = {LV_BUTTONMATRIX_CTRL_WIDTH_1, LV_BUTTONMATRIX_CTRL_WIDTH_1};
    lv_keyboard_set_map(kb, LV_KEYBOARD_MODE_USER_1, map, ctrl);
    lv_keyboard_set_mode(kb, LV_KEYBOARD_MODE_USER_1);
    EXPECT_EQ(lv_keyboard_get_map_array(kb), map);
    lv_textarea_set_one_line(ta, true);
    EventLog log;
    log.attach(ta, "ta", LV_EVENT_READY);
    lv_area_t a = coords(kb);
    tap(a.x1 + 480, a.y1 + 100); // "x"
    tap(a.x1 + 160, a.y1 + 100); // "Enter"
    EXPECT_STREQ(lv_textarea_get_text(ta), "x") << "no newline in one-line mode";
    EXPECT_EQ(log.joined(), "ta:READY");
}

TEST_F(Keyboard, ADeletedTextareaIsForgotten)
{
    lv_obj_delete(ta);
    lv_area_t a = coords(kb);
    tap(a.x1 + 86, a.y1 + 30);
    EXPECT_EQ(lv_keyboard_get_textarea(kb), nullptr);
}

using ButtonMatrix = WidgetTest;

// A button matrix of its own gets the theme's card look with button-like
// keys: 260 x 130 at (0,0), content 224 x 94 behind a 2 px border and 16 px
// of padding, keys 10 px apart.
TEST_F(ButtonMatrix, AStandAloneMatrixHasTheThemesCardAndKeys)
{
    lv_obj_t * bm = lv_buttonmatrix_create(scr);
    lv_obj_update_layout(bm);
    EXPECT_EQ(lv_obj_get_width(bm), 260);
    EXPECT_EQ(lv_obj_get_height(bm), 130);
    EXPECT_EQ(lv_obj_get_content_width(bm), 224);
    EXPECT_EQ(lv_obj_get_content_height(bm), 94);
    EXPECT_EQ(lv_obj_get_style_radius(bm, LV_PART_MAIN), 7);
    EXPECT_EQ(lv_color_to_int(lv_obj_get_style_bg_color(bm, LV_PART_MAIN)), 0xFFFFFFu);
    EXPECT_EQ(lv_obj_get_style_radius(bm, LV_PART_ITEMS), 10);
    EXPECT_EQ(lv_color_to_int(lv_obj_get_style_bg_color(bm, LV_PART_ITEMS)), 0xE0E0E0u);
    EXPECT_EQ(lv_obj_get_style_shadow_width(bm, LV_PART_ITEMS), 2);

    struct {
        int32_t x, y;
        const char * key;  // nullptr: a gap (pressed first: a gap keeps the last selection)
    } points[] = {
        {86, 30, nullptr}, {50, 64, nullptr},  {130, 90, nullptr}, {17, 30, nullptr},  {18, 18, "Btn1"},
        {85, 59, "Btn1"},  {96, 18, "Btn2"},   {163, 59, "Btn2"},  {174, 18, "Btn3"},  {241, 59, "Btn3"},
        {18, 70, "Btn4"},  {124, 111, "Btn4"}, {135, 70, "Btn5"},  {241, 111, "Btn5"},
    };
    for (const auto & p : points) {
        press(p.x, p.y);
        const uint32_t id = lv_buttonmatrix_get_selected_button(bm);
        if (p.key == nullptr)
            EXPECT_EQ(id, static_cast<uint32_t>(LV_BUTTONMATRIX_BUTTON_NONE)) << p.x << "," << p.y;
        else
            EXPECT_STREQ(lv_buttonmatrix_get_button_text(bm, id), p.key) << p.x << "," << p.y;
        release();
    }
}

} // namespace
