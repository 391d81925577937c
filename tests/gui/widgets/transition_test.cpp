// Style transitions of the default theme on a controlled tick: a button's
// pressed look comes in over 80 ms and goes back after a 70 ms delay over
// 80 ms, the scrollbar fades both ways in 80 ms, list buttons change at once.
// Values in between follow the linear animation (0-255) of the old value to
// the new one.
#include "gui_fixture.hpp"

#include <gtest/gtest.h>

namespace {

class Transition : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        button = lv_button_create(lv_screen_active());
        lv_obj_set_size(button, 120, 50);
        lv_obj_center(button);
        run_for(200, 40); // let the creation settle
    }

    // Moves the clock by `ms` in one step and runs the timers once.
    static void tick(uint32_t ms) { run_for(ms, ms); }

    lv_obj_t * button = nullptr;
};

struct Step {
    uint32_t after;       // ms since the previous step
    lv_opa_t recolor_opa; // pressed look: black at 35
    int32_t grow;         // transform width and height: 2
};

TEST_F(Transition, ButtonPressedLookComesAndGoesLinearly)
{
    // At 40 of 80 ms the animation is at 40 * 1024 / 80 = 512 -> 127 of 255:
    // 0 + (35 * 127 >> 8) = 17 and (2 * 127 >> 8) = 0; going back, after the
    // 70 ms delay, 35 + (-35 * 127 >> 8) = 17 and 2 + (-2 * 127 >> 8) = 1.
    const Step press[] = {{0, 0, 0}, {40, 17, 0}, {40, 35, 2}, {40, 35, 2}};
    lv_obj_add_state(button, LV_STATE_PRESSED);
    for (const Step & s : press) {
        tick(s.after);
        EXPECT_EQ(lv_obj_get_style_recolor_opa(button, LV_PART_MAIN), s.recolor_opa) << "pressed, +" << s.after;
        EXPECT_EQ(lv_obj_get_style_transform_width(button, LV_PART_MAIN), s.grow);
        EXPECT_EQ(lv_obj_get_style_transform_height(button, LV_PART_MAIN), s.grow);
    }

    const Step release[] = {{0, 35, 2}, {60, 35, 2}, {50, 17, 1}, {40, 0, 0}, {40, 0, 0}};
    lv_obj_remove_state(button, LV_STATE_PRESSED);
    for (const Step & s : release) {
        tick(s.after);
        EXPECT_EQ(lv_obj_get_style_recolor_opa(button, LV_PART_MAIN), s.recolor_opa) << "released, +" << s.after;
        EXPECT_EQ(lv_obj_get_style_transform_width(button, LV_PART_MAIN), s.grow);
    }
    EXPECT_TRUE(lv_color_eq(lv_obj_get_style_recolor(button, LV_PART_MAIN), lv_color_black()));
}

TEST_F(Transition, ColourMixesTowardTheNewValue)
{
    // CHECKED makes the button red; only the delayed transition applies.
    lv_obj_add_state(button, LV_STATE_CHECKED);
    const lv_color_t blue = lv_color_hex(0x2196F3);
    const lv_color_t red = lv_color_hex(0xF44336);
    tick(60);
    EXPECT_EQ(lv_color_to_int(lv_obj_get_style_bg_color(button, LV_PART_MAIN)), lv_color_to_int(blue));
    tick(50); // 40 ms into the animation: 127 of 255
    EXPECT_EQ(lv_color_to_int(lv_obj_get_style_bg_color(button, LV_PART_MAIN)),
              lv_color_to_int(lv_color_mix(red, blue, 127)));
    tick(40);
    EXPECT_EQ(lv_color_to_int(lv_obj_get_style_bg_color(button, LV_PART_MAIN)), lv_color_to_int(red));
}

TEST_F(Transition, ReleasedMidWayGoesBackFromWhereItIs)
{
    lv_obj_add_state(button, LV_STATE_PRESSED);
    tick(40);
    ASSERT_EQ(lv_obj_get_style_recolor_opa(button, LV_PART_MAIN), 17);
    // Released half way: the pressed animation runs on during the delay, then
    // the way back starts from the value shown.
    lv_obj_remove_state(button, LV_STATE_PRESSED);
    EXPECT_EQ(lv_obj_get_style_recolor_opa(button, LV_PART_MAIN), 17);
    tick(40);
    EXPECT_EQ(lv_obj_get_style_recolor_opa(button, LV_PART_MAIN), 35);
    tick(60); // 30 ms of the way back: 30 * 1024 / 80 = 384 -> 95
    EXPECT_EQ(lv_obj_get_style_recolor_opa(button, LV_PART_MAIN), 35 + (-35 * 95 >> 8));
    tick(60);
    EXPECT_EQ(lv_obj_get_style_recolor_opa(button, LV_PART_MAIN), 0);
}

TEST_F(Transition, ScrollbarFadesInAndOutInEightyMilliseconds)
{
    lv_obj_t * list = lv_obj_create(lv_screen_active());
    const struct {
        lv_state_t state;
        bool add;
        lv_opa_t half;
        lv_opa_t end;
    } steps[] = {{LV_STATE_SCROLLED, true, 102 + (153 * 127 >> 8), 255},
                 {LV_STATE_SCROLLED, false, 255 + (-153 * 127 >> 8), 102}};
    for (const auto & s : steps) {
        if (s.add) lv_obj_add_state(list, s.state);
        else lv_obj_remove_state(list, s.state);
        tick(40);
        EXPECT_EQ(lv_obj_get_style_bg_opa(list, LV_PART_SCROLLBAR), s.half);
        tick(40);
        EXPECT_EQ(lv_obj_get_style_bg_opa(list, LV_PART_SCROLLBAR), s.end);
    }
}

TEST_F(Transition, CheckboxMarkerTransitionsOnItsOwnPart)
{
    lv_obj_t * cb = lv_checkbox_create(lv_screen_active());
    lv_obj_add_state(cb, LV_STATE_PRESSED);
    tick(40);
    EXPECT_EQ(lv_obj_get_style_recolor_opa(cb, LV_PART_INDICATOR), 17);
    EXPECT_EQ(lv_obj_get_style_recolor_opa(cb, LV_PART_MAIN), 0);
    tick(40);
    EXPECT_EQ(lv_obj_get_style_recolor_opa(cb, LV_PART_INDICATOR), 35);
}

TEST_F(Transition, ListButtonsChangeAtOnce)
{
    lv_obj_t * list = lv_list_create(lv_screen_active());
    lv_obj_t * item = lv_list_add_button(list, nullptr, "Item");
    lv_obj_add_state(item, LV_STATE_PRESSED);
    EXPECT_EQ(lv_obj_get_style_recolor_opa(item, LV_PART_MAIN), 35);
}

TEST_F(Transition, OwnTransitionToACircleUsesTheHalfSidePlusOne)
{
    // A 100 x 40 object pressed into a circle over 100 ms: the circle counts
    // as min(100 / 2 + 1, 40 / 2 + 1) = 21 while it moves.
    static const lv_style_prop_t props[] = {LV_STYLE_RADIUS, LV_STYLE_PROP_INV};
    lv_style_transition_dsc_t trans;
    lv_style_transition_dsc_init(&trans, props, lv_anim_path_linear, 100, 0, nullptr);
    lv_style_t round;
    lv_style_init(&round);
    lv_style_set_radius(&round, LV_RADIUS_CIRCLE);
    lv_style_set_transition(&round, &trans);

    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    lv_obj_remove_style_all(obj);
    lv_obj_set_size(obj, 100, 40);
    lv_obj_add_style(obj, &round, LV_STATE_PRESSED);
    lv_obj_update_layout(obj);
    lv_obj_add_state(obj, LV_STATE_PRESSED);
    tick(50); // 512 of 1024 -> 127 of 255
    EXPECT_EQ(lv_obj_get_style_radius(obj, LV_PART_MAIN), 21 * 127 >> 8);
    tick(50);
    EXPECT_EQ(lv_obj_get_style_radius(obj, LV_PART_MAIN), LV_RADIUS_CIRCLE);
    lv_obj_delete(obj);
    lv_style_reset(&round);
}

TEST_F(Transition, ValuesMoveAsWhatTheyHold)
{
    // Every colour property mixes as a colour; pointer properties keep the
    // old pointer until the end instead of passing through made-up addresses.
    static const lv_style_prop_t props[] = {LV_STYLE_TEXT_OUTLINE_STROKE_COLOR, LV_STYLE_IMAGE_COLORKEY,
                                            LV_STYLE_PROP_INV};
    lv_style_transition_dsc_t trans;
    lv_style_transition_dsc_init(&trans, props, lv_anim_path_linear, 100, 0, nullptr);
    static const lv_image_colorkey_t key_a{lv_color_hex(0x000000), lv_color_hex(0x101010)};
    static const lv_image_colorkey_t key_b{lv_color_hex(0xF0F0F0), lv_color_hex(0xFFFFFF)};
    const lv_color_t from = lv_color_hex(0x10E020);
    const lv_color_t to = lv_color_hex(0xE01040);

    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    lv_obj_remove_style_all(obj);
    lv_obj_set_style_text_outline_stroke_color(obj, from, 0);
    lv_obj_set_style_image_colorkey(obj, &key_a, 0);
    lv_obj_set_style_text_outline_stroke_color(obj, to, LV_STATE_CHECKED);
    lv_obj_set_style_image_colorkey(obj, &key_b, LV_STATE_CHECKED);
    lv_obj_set_style_transition(obj, &trans, LV_STATE_CHECKED);
    lv_obj_add_state(obj, LV_STATE_CHECKED);
    tick(50); // 512 of 1024 -> 127 of 255
    EXPECT_EQ(lv_color_to_int(lv_obj_get_style_text_outline_stroke_color(obj, LV_PART_MAIN)),
              lv_color_to_int(lv_color_mix(to, from, 127)));
    EXPECT_EQ(lv_obj_get_style_image_colorkey(obj, LV_PART_MAIN), &key_a);
    tick(50);
    EXPECT_EQ(lv_color_to_int(lv_obj_get_style_text_outline_stroke_color(obj, LV_PART_MAIN)), lv_color_to_int(to));
    EXPECT_EQ(lv_obj_get_style_image_colorkey(obj, LV_PART_MAIN), &key_b);
    lv_obj_delete(obj);
}

TEST_F(Transition, DeletingOrRestylingMidWayStopsIt)
{
    lv_obj_add_state(button, LV_STATE_PRESSED);
    tick(40);
    lv_obj_remove_style_all(button);
    EXPECT_EQ(lv_obj_get_style_recolor_opa(button, LV_PART_MAIN), 0);
    tick(80);
    EXPECT_EQ(lv_obj_get_style_recolor_opa(button, LV_PART_MAIN), 0);

    lv_obj_t * other = lv_button_create(lv_screen_active());
    lv_obj_add_state(other, LV_STATE_PRESSED);
    tick(20);
    lv_obj_delete(other);
    tick(100); // nothing left to animate
    EXPECT_EQ(lv_anim_count_running(), 0u);
}

} // namespace
