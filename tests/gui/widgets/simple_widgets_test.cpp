// Checkbox, bar, button and list: geometry and behaviour.
#include "widget_env.hpp"

#include <cstring>

using widget_test::EventLog;
using widget_test::WidgetTest;

namespace {

using Checkbox = WidgetTest;

TEST_F(Checkbox, SizeAndToggling)
{
    lv_obj_t * cb = lv_checkbox_create(scr);
    lv_obj_update_layout(cb);
    EXPECT_STREQ(lv_checkbox_get_text(cb), "Check box");
    EXPECT_EQ(lv_obj_get_width(cb), 105);
    EXPECT_EQ(lv_obj_get_height(cb), 20);

    EventLog log;
    log.attach(cb, "cb", LV_EVENT_VALUE_CHANGED);
    tap_center(cb);
    EXPECT_TRUE(lv_obj_has_state(cb, LV_STATE_CHECKED));
    tap_center(cb);
    EXPECT_FALSE(lv_obj_has_state(cb, LV_STATE_CHECKED));
    EXPECT_EQ(log.entries.size(), 2u);

    char buf[8] = "Mute";
    lv_checkbox_set_text(cb, buf);
    std::strcpy(buf, "xxxx");
    EXPECT_STREQ(lv_checkbox_get_text(cb), "Mute");
    lv_obj_update_layout(cb);
    lv_point_t mute;
    lv_text_get_size(&mute, "Mute", lv_font_get_default(), 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
    EXPECT_EQ(lv_obj_get_width(cb), 20 + 8 + mute.x);
}

TEST_F(Checkbox, TextBeginsPadColumnAfterTheMarkersLastColumn)
{
    // The marker covers 100..119; the text starts at 119 + 8, its 'C' (no
    // left bearing) darkening column 127 and leaving 120..126 to the screen.
    lv_obj_t * cb = lv_checkbox_create(scr);
    lv_obj_set_pos(cb, 100, 100);
    lv_obj_update_layout(cb);
    const uint32_t ground = pixel(110, 90);
    auto column_inked = [&](int32_t x) {
        for (int32_t y = 100; y < 120; y++) {
            if (pixel(x, y) != ground) return true;
        }
        return false;
    };
    EXPECT_TRUE(column_inked(119)) << "the marker's right border";
    for (int32_t x = 120; x <= 126; x++) EXPECT_FALSE(column_inked(x)) << "x " << x;
    EXPECT_TRUE(column_inked(127));

    // The marker's side is the main font's line height plus its paddings.
    lv_obj_set_style_text_font(cb, &lv_font_montserrat_24, LV_PART_INDICATOR);
    lv_obj_update_layout(cb);
    EXPECT_EQ(lv_obj_get_width(cb), 105);
    EXPECT_EQ(lv_obj_get_height(cb), 20);

    // The column gap counts even without a text.
    lv_checkbox_set_text(cb, "");
    lv_obj_update_layout(cb);
    EXPECT_EQ(lv_obj_get_width(cb), 20 + 8);
    EXPECT_EQ(lv_obj_get_height(cb), 20);
}

using Bar = WidgetTest;

TEST_F(Bar, ValueIsClampedToTheRange)
{
    lv_obj_t * bar = lv_bar_create(scr);
    lv_obj_update_layout(bar);
    EXPECT_EQ(lv_obj_get_width(bar), 260);
    EXPECT_EQ(lv_obj_get_height(bar), 13);
    struct {
        int32_t set;
        int32_t expect;
    } cases[] = {{50, 50}, {-5, 0}, {150, 100}};
    for (auto c : cases) {
        lv_bar_set_value(bar, c.set, LV_ANIM_OFF);
        EXPECT_EQ(lv_bar_get_value(bar), c.expect);
    }
    lv_bar_set_range(bar, 0, 60);
    EXPECT_EQ(lv_bar_get_value(bar), 60) << "a new range clamps the value";
    lv_bar_set_range(bar, 10, 20);
    EXPECT_EQ(lv_bar_get_value(bar), 20);
    EXPECT_EQ(lv_bar_get_start_value(bar), 10);
}

TEST_F(Bar, IndicatorLengthFollowsTheShownValue)
{
    lv_obj_t * bar = lv_bar_create(scr);
    lv_obj_set_pos(bar, 100, 100);
    lv_bar_set_value(bar, 50, LV_ANIM_OFF);
    settle();
    const uint32_t blue = 0x2196F3;
    EXPECT_EQ(pixel(100 + 120, 106), blue);
    EXPECT_NE(pixel(100 + 140, 106), blue);

    lv_bar_set_value(bar, 100, LV_ANIM_ON);
    EXPECT_EQ(lv_bar_get_value(bar), 100) << "the target is reported at once";
    EXPECT_NE(pixel(100 + 200, 106), blue) << "without a duration the old length stays until the next tick";
    advance(33);
    EXPECT_EQ(pixel(100 + 200, 106), blue);

    lv_obj_set_style_anim_duration(bar, 330, 0);
    lv_bar_set_value(bar, 0, LV_ANIM_ON);
    advance(165);
    EXPECT_EQ(pixel(100 + 100, 106), blue) << "half way: still about half full";
    EXPECT_NE(pixel(100 + 200, 106), blue);
    advance(200);
    EXPECT_NE(pixel(100 + 20, 106), blue);
}

// An indicator whose corners fit the bar's rounded box is drawn whole, its
// outline outside the bar included; one whose smaller radius would poke out
// of the bar's corners is only filled, clipped to the bar. Theme bar 260 x 13
// at (190,234), indicator outline 2 px red with a 2 px gap.
TEST_F(Bar, AnIndicatorIsClippedToTheBarOnlyWhereItsCornersClash)
{
    lv_obj_t * bar = lv_bar_create(scr);
    lv_obj_set_pos(bar, 190, 234);
    lv_obj_set_style_outline_width(bar, 2, LV_PART_INDICATOR);
    lv_obj_set_style_outline_pad(bar, 2, LV_PART_INDICATOR);
    lv_obj_set_style_outline_color(bar, lv_color_hex(0xFF0000), LV_PART_INDICATOR);
    settle();
    const uint32_t red = 0xFF0000;

    lv_bar_set_value(bar, 50, LV_ANIM_OFF);  // 190..319, radius 6 like the bar's
    EXPECT_EQ(pixel(186, 240), red) << "outline left of the bar";
    EXPECT_EQ(pixel(323, 240), red);
    EXPECT_EQ(pixel(250, 230), red) << "outline above the bar";
    EXPECT_EQ(pixel(250, 250), red);

    lv_bar_set_value(bar, 3, LV_ANIM_OFF);  // 190..196: radius 3 < 6
    for (const lv_point_t p : {lv_point_t{186, 240}, lv_point_t{199, 240}, lv_point_t{193, 230}}) {
        EXPECT_NE(pixel(p.x, p.y), red) << "no outline at " << p.x << "," << p.y;
    }
    EXPECT_EQ(pixel(193, 240), 0x2196F3u) << "the fill stays";
}

using Button = WidgetTest;

TEST_F(Button, SizedToItsLabelAndNotScrollable)
{
    lv_obj_t * btn = lv_button_create(scr);
    lv_obj_t * label = lv_label_create(btn);
    lv_label_set_text(label, "OK");
    lv_obj_update_layout(btn);
    EXPECT_EQ(lv_obj_get_width(btn), 54);
    EXPECT_EQ(lv_obj_get_height(btn), 36);
    EXPECT_FALSE(lv_obj_has_flag(btn, LV_OBJ_FLAG_SCROLLABLE));
    EXPECT_TRUE(lv_obj_has_flag(btn, LV_OBJ_FLAG_SCROLL_ON_FOCUS));
    EXPECT_FALSE(lv_obj_has_flag(btn, LV_OBJ_FLAG_CHECKABLE));
}

TEST_F(Button, JoinsTheDefaultGroupUnlikeALabel)
{
    lv_group_t * g = lv_group_create();
    lv_group_set_default(g);
    lv_obj_t * btn = lv_button_create(scr);
    lv_obj_t * label = lv_label_create(scr);
    lv_obj_t * ta = lv_textarea_create(scr);
    EXPECT_EQ(lv_obj_get_group(btn), g);
    EXPECT_EQ(lv_obj_get_group(label), nullptr);
    EXPECT_EQ(lv_obj_get_group(ta), g);
    lv_group_set_default(nullptr);
}

using List = WidgetTest;

TEST_F(List, TextsAndButtonsStackInAColumn)
{
    lv_obj_t * list = lv_list_create(scr);
    lv_obj_t * text = lv_list_add_text(list, "Section");
    lv_obj_t * btn = lv_list_add_button(list, LV_SYMBOL_AUDIO, "Music");
    lv_obj_t * plain = lv_list_add_button(list, nullptr, nullptr);
    lv_obj_update_layout(list);

    EXPECT_EQ(lv_obj_get_width(list), 195);
    EXPECT_EQ(lv_obj_get_height(list), 260);
    lv_area_t l = coords(list), t = coords(text), b = coords(btn);
    EXPECT_EQ(t.x1 - l.x1, 18);
    EXPECT_EQ(t.y1 - l.y1, 2);
    EXPECT_EQ(lv_obj_get_width(text), 159);
    EXPECT_EQ(lv_obj_get_height(text), 16);
    EXPECT_EQ(b.y1, t.y2 + 1);
    EXPECT_EQ(lv_obj_get_width(btn), 159);
    EXPECT_EQ(lv_obj_get_height(btn), 37);

    lv_obj_t * icon = lv_obj_get_child(btn, 0);
    lv_obj_t * label = lv_obj_get_child(btn, 1);
    EXPECT_TRUE(lv_obj_check_type(icon, &lv_image_class));
    EXPECT_EQ(lv_obj_get_x(icon), 0);
    EXPECT_EQ(coords(icon).x1 - b.x1, 10);
    EXPECT_EQ(coords(label).x1 - b.x1, 34);
    EXPECT_EQ(lv_obj_get_width(label), 115);
    EXPECT_EQ(lv_label_get_long_mode(label), LV_LABEL_LONG_MODE_SCROLL_CIRCULAR);

    EXPECT_STREQ(lv_list_get_button_text(list, btn), "Music");
    EXPECT_STREQ(lv_list_get_button_text(list, plain), "");
    lv_list_set_button_text(list, btn, "Radio");
    EXPECT_STREQ(lv_list_get_button_text(list, btn), "Radio");
    EXPECT_TRUE(lv_obj_check_type(btn, &lv_list_button_class));
    EXPECT_TRUE(lv_obj_has_class(btn, &lv_button_class));
}

} // namespace
