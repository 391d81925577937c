// Reference screenshots of the widgets in their main states with the default theme.
#include "widget_env.hpp"

#include <vector>

#include "gui_fixture.hpp"
#include "render_helpers.hpp"

using widget_test::WidgetTest;

namespace {

constexpr uint32_t kTransitionsDone = 200;

class WidgetScreens : public WidgetTest {
protected:
    // Lays the screen out and lets the theme's state transitions (up to 70 ms
    // delay and 80 ms) finish.
    void settle_looks()
    {
        settle();
        advance(kTransitionsDone);
    }

    // Compares the screen with reference `name` while `obj` is held down at
    // its centre for `ms`.
    ::testing::AssertionResult matches_while_pressed(lv_obj_t * obj, uint32_t ms, const char * name)
    {
        settle_looks();
        lv_area_t p = coords(obj);
        press((p.x1 + p.x2) / 2, (p.y1 + p.y2) / 2);
        advance(ms);
        ::testing::AssertionResult result = matches_screen(name);
        release();
        return result;
    }

    lv_obj_t * button(lv_obj_t * parent, const char * text, int32_t x, int32_t y)
    {
        lv_obj_t * btn = lv_button_create(parent);
        lv_obj_set_pos(btn, x, y);
        lv_obj_t * label = lv_label_create(btn);
        lv_label_set_text(label, text);
        return btn;
    }

    lv_obj_t * caption(const char * text, int32_t x, int32_t y)
    {
        lv_obj_t * label = lv_label_create(scr);
        lv_label_set_text(label, text);
        lv_obj_set_pos(label, x, y);
        return label;
    }
};

TEST_F(WidgetScreens, ButtonsCheckboxesBarsAndArcs)
{
    button(scr, "Normal", 20, 20);
    lv_obj_t * checked = button(scr, "Checked", 130, 20);
    lv_obj_add_flag(checked, LV_OBJ_FLAG_CHECKABLE);
    lv_obj_add_state(checked, LV_STATE_CHECKED);
    lv_obj_t * focused = button(scr, "Focused", 250, 20);
    lv_obj_add_state(focused, LV_STATE_FOCUS_KEY);
    lv_obj_t * disabled = button(scr, "Disabled", 370, 20);
    lv_obj_add_state(disabled, LV_STATE_DISABLED);
    lv_obj_t * pressed = button(scr, "Pressed", 500, 20);

    lv_obj_t * cb1 = lv_checkbox_create(scr);
    lv_obj_set_pos(cb1, 20, 90);
    lv_obj_t * cb2 = lv_checkbox_create(scr);
    lv_checkbox_set_text(cb2, "Checked");
    lv_obj_add_state(cb2, LV_STATE_CHECKED);
    lv_obj_set_pos(cb2, 160, 90);

    lv_obj_t * bar = lv_bar_create(scr);
    lv_obj_set_pos(bar, 20, 140);
    lv_bar_set_value(bar, 40, LV_ANIM_OFF);
    lv_obj_t * bar_low = lv_bar_create(scr);
    lv_obj_set_pos(bar_low, 20, 170);
    lv_bar_set_value(bar_low, 2, LV_ANIM_OFF);
    lv_obj_t * vbar = lv_bar_create(scr);
    lv_obj_set_size(vbar, 13, 120);
    lv_obj_set_pos(vbar, 300, 130);
    lv_bar_set_value(vbar, 70, LV_ANIM_OFF);

    lv_obj_t * arc = lv_arc_create(scr);
    lv_obj_set_pos(arc, 360, 120);
    lv_arc_set_value(arc, 60);
    lv_obj_t * arc_unset = lv_arc_create(scr);
    lv_obj_set_pos(arc_unset, 500, 120);
    lv_obj_set_size(arc_unset, 110, 110);

    caption("Labels: wrap, dots, clip, centred", 20, 280);
    struct {
        lv_label_long_mode_t mode;
        int32_t h;
        lv_text_align_t align;
    } labels[] = {{LV_LABEL_LONG_MODE_WRAP, LV_SIZE_CONTENT, LV_TEXT_ALIGN_LEFT},
                  {LV_LABEL_LONG_MODE_DOTS, 34, LV_TEXT_ALIGN_LEFT},
                  {LV_LABEL_LONG_MODE_CLIP, LV_SIZE_CONTENT, LV_TEXT_ALIGN_LEFT},
                  {LV_LABEL_LONG_MODE_WRAP, LV_SIZE_CONTENT, LV_TEXT_ALIGN_CENTER}};
    int32_t x = 20;
    for (auto & l : labels) {
        lv_obj_t * label = lv_label_create(scr);
        lv_label_set_long_mode(label, l.mode);
        lv_label_set_text(label, "Press and hold buttons here to see the text");
        lv_obj_set_size(label, 120, l.h);
        lv_obj_set_pos(label, x, 310);
        lv_obj_set_style_text_align(label, l.align, 0);
        lv_obj_set_style_border_width(label, 1, 0);
        lv_obj_set_style_border_color(label, lv_color_hex(0x9E9E9E), 0);
        x += 150;
    }

    EXPECT_TRUE(matches_while_pressed(pressed, 100, "controls"));
}

TEST_F(WidgetScreens, KeyFocusAndPressedLooks)
{
    lv_obj_t * cb_focus = lv_checkbox_create(scr);
    lv_checkbox_set_text(cb_focus, "Focused");
    lv_obj_set_pos(cb_focus, 20, 20);
    lv_obj_add_state(cb_focus, LV_STATE_FOCUS_KEY);
    lv_obj_t * cb_pressed = lv_checkbox_create(scr);
    lv_checkbox_set_text(cb_pressed, "Pressed");
    lv_obj_set_pos(cb_pressed, 160, 20);
    lv_obj_t * cb_disabled = lv_checkbox_create(scr);
    lv_checkbox_set_text(cb_disabled, "Disabled");
    lv_obj_add_state(cb_disabled, static_cast<lv_state_t>(LV_STATE_DISABLED | LV_STATE_CHECKED));
    lv_obj_set_pos(cb_disabled, 300, 20);

    lv_obj_t * ta = lv_textarea_create(scr);
    lv_obj_set_size(ta, 250, 60);
    lv_obj_set_pos(ta, 20, 70);
    lv_textarea_set_placeholder_text(ta, "Key focused and empty");
    lv_obj_add_state(ta, LV_STATE_FOCUS_KEY);
    lv_obj_t * bar = lv_bar_create(scr);
    lv_obj_set_pos(bar, 300, 90);
    lv_obj_set_width(bar, 200);
    lv_bar_set_value(bar, 75, LV_ANIM_OFF);
    lv_obj_add_state(bar, LV_STATE_FOCUS_KEY);

    lv_obj_t * kb = lv_keyboard_create(scr);
    lv_keyboard_set_mode(kb, LV_KEYBOARD_MODE_NUMBER);
    lv_obj_t * special = lv_keyboard_create(scr);
    lv_keyboard_set_mode(special, LV_KEYBOARD_MODE_SPECIAL);
    lv_obj_set_size(special, 640, 90);
    lv_obj_align(special, LV_ALIGN_TOP_MID, 0, 145);

    settle_looks();
    lv_area_t c = coords(cb_pressed);
    press(c.x1 + 5, c.y1 + 5);
    advance(100);
    EXPECT_TRUE(matches_screen("states"));
    release();
}

TEST_F(WidgetScreens, ScrollingLabelsPartWayThrough)
{
    struct {
        lv_label_long_mode_t mode;
        int32_t y;
    } rows[] = {{LV_LABEL_LONG_MODE_SCROLL, 20}, {LV_LABEL_LONG_MODE_SCROLL_CIRCULAR, 60}};
    for (auto & r : rows) {
        lv_obj_t * label = lv_label_create(scr);
        lv_label_set_long_mode(label, r.mode);
        lv_label_set_text(label, "Now playing: a rather long title that does not fit");
        lv_obj_set_width(label, 200);
        lv_obj_set_pos(label, 20, r.y);
        lv_obj_set_style_border_width(label, 1, 0);
        lv_obj_set_style_border_color(label, lv_color_hex(0x9E9E9E), 0);
    }
    lv_obj_t * vertical = lv_label_create(scr);
    lv_label_set_long_mode(vertical, LV_LABEL_LONG_MODE_SCROLL_CIRCULAR);
    lv_label_set_text(vertical, "First line\nSecond line\nThird line");
    lv_obj_set_size(vertical, 200, 40);
    lv_obj_set_pos(vertical, 300, 20);
    lv_obj_set_style_border_width(vertical, 1, 0);
    lv_obj_set_style_border_color(vertical, lv_color_hex(0x9E9E9E), 0);
    settle();
    advance(6006); // the circular text has wrapped round once
    EXPECT_TRUE(matches_screen("label_scroll"));
}

TEST_F(WidgetScreens, ListWithSectionsAndButtons)
{
    lv_obj_t * list = lv_list_create(scr);
    lv_obj_set_size(list, 240, 300);
    lv_obj_set_pos(list, 20, 20);
    lv_list_add_text(list, "Sources");
    lv_list_add_button(list, LV_SYMBOL_AUDIO, "Music");
    lv_obj_t * pressed = lv_list_add_button(list, LV_SYMBOL_WIFI, "Internet radio");
    lv_list_add_button(list, LV_SYMBOL_LIST, "Podcasts");
    lv_list_add_text(list, "Settings");
    lv_list_add_button(list, LV_SYMBOL_SETTINGS, "Preferences");
    lv_list_add_button(list, LV_SYMBOL_BLUETOOTH, "Bluetooth");
    lv_list_add_button(list, LV_SYMBOL_POWER, "Power");
    lv_list_add_button(list, LV_SYMBOL_BELL, "Notifications");

    lv_obj_t * small = lv_list_create(scr);
    lv_obj_set_pos(small, 300, 20);
    lv_list_add_button(small, nullptr, "A very long entry that scrolls round");
    lv_list_add_button(small, LV_SYMBOL_OK, nullptr);
    for (const char * entry : {"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight"})
        lv_list_add_button(small, LV_SYMBOL_FILE, entry);

    EXPECT_TRUE(matches_while_pressed(pressed, 33, "list"));
}

TEST_F(WidgetScreens, KeyboardTypingIntoAFocusedTextarea)
{
    lv_obj_t * ta = lv_textarea_create(scr);
    lv_obj_set_pos(ta, 20, 20);
    lv_obj_set_size(ta, 300, 90);
    lv_textarea_set_text(ta, "Living room\nSecond line");
    lv_obj_t * one = lv_textarea_create(scr);
    lv_textarea_set_one_line(one, true);
    lv_textarea_set_placeholder_text(one, "Password");
    lv_obj_set_pos(one, 340, 20);
    lv_obj_set_width(one, 280);
    lv_obj_t * pwd = lv_textarea_create(scr);
    lv_textarea_set_one_line(pwd, true);
    lv_textarea_set_password_mode(pwd, true);
    lv_textarea_set_text(pwd, "secret");
    lv_obj_set_pos(pwd, 340, 80);
    lv_obj_set_width(pwd, 280);

    lv_obj_t * kb = lv_keyboard_create(scr);
    lv_keyboard_set_textarea(kb, ta);
    settle();
    lv_area_t t = coords(ta);
    tap(t.x2 - 5, t.y2 - 20); // focus it; the cursor goes to the end of the tapped line
    lv_area_t k = coords(kb);
    press(k.x1 + 86, k.y1 + 30); // hold "q"
    advance(66);
    EXPECT_TRUE(matches_screen("keyboard"));
    release();
}

TEST_F(WidgetScreens, ModalMessageBox)
{
    button(scr, "Behind", 20, 20);
    lv_obj_t * mbox = lv_msgbox_create(nullptr);
    lv_msgbox_add_title(mbox, "Title");
    lv_msgbox_add_close_button(mbox);
    lv_msgbox_add_text(mbox, "Hello world");
    lv_msgbox_add_footer_button(mbox, "Apply");
    lv_msgbox_add_footer_button(mbox, "Cancel");
    settle();
    EXPECT_TRUE(matches_screen("msgbox"));
}

TEST_F(WidgetScreens, ImagesTransformedAndSymbols)
{
    constexpr int32_t w = 48, h = 32;
    // A dark frame around blue and green ramps; the lower right quarter half transparent.
    const std::vector<uint8_t> px = test_support::argb8888_pixels(w, h, [](int32_t x, int32_t y) {
        const bool border = x < 3 || y < 3 || x >= w - 3 || y >= h - 3;
        const lv_color_t c = border ? lv_color_make(0x30, 0x30, 0x30)
                                    : lv_color_make(0xC0, static_cast<uint8_t>(y * 7), static_cast<uint8_t>(x * 5));
        return test_support::Argb{c, static_cast<uint8_t>(x < w / 2 || y < h / 2 ? 0xFF : 0x80)};
    });
    const lv_image_dsc_t dsc = test_support::argb8888_image(px, w, h);

    struct {
        int32_t x, y, rotation, scale;
    } plain[] = {{20, 20, 0, 256}, {120, 20, 450, 256}, {240, 20, 0, 512}, {380, 20, 900, 128}};
    for (auto & p : plain) {
        lv_obj_t * img = lv_image_create(scr);
        lv_image_set_src(img, &dsc);
        lv_obj_set_pos(img, p.x, p.y);
        lv_image_set_rotation(img, p.rotation);
        lv_image_set_scale(img, static_cast<uint32_t>(p.scale));
    }
    lv_obj_t * stretched = lv_image_create(scr);
    lv_image_set_src(stretched, &dsc);
    lv_obj_set_pos(stretched, 20, 140);
    lv_obj_set_size(stretched, 200, 60);
    lv_image_set_inner_align(stretched, LV_IMAGE_ALIGN_STRETCH);
    lv_obj_t * tiled = lv_image_create(scr);
    lv_image_set_src(tiled, &dsc);
    lv_obj_set_pos(tiled, 260, 140);
    lv_obj_set_size(tiled, 130, 90);
    lv_image_set_inner_align(tiled, LV_IMAGE_ALIGN_TILE);
    lv_obj_t * recoloured = lv_image_create(scr);
    lv_image_set_src(recoloured, &dsc);
    lv_obj_set_pos(recoloured, 420, 140);
    lv_obj_set_style_image_recolor(recoloured, lv_color_hex(0x2196F3), 0);
    lv_obj_set_style_image_recolor_opa(recoloured, LV_OPA_50, 0);

    const char * symbols[] = {LV_SYMBOL_PLAY, LV_SYMBOL_PAUSE, LV_SYMBOL_WIFI, LV_SYMBOL_VOLUME_MAX, LV_SYMBOL_HOME};
    int32_t x = 20;
    for (const char * s : symbols) {
        lv_obj_t * img = lv_image_create(scr);
        lv_image_set_src(img, s);
        lv_obj_set_pos(img, x, 260);
        lv_obj_set_style_text_color(img, lv_color_hex(0x2196F3), 0);
        x += 40;
    }
    settle();
    EXPECT_TRUE(matches_screen("images"));
}

} // namespace
