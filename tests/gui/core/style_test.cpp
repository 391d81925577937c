// Style resolution: precedence of states and style kinds, inheritance, defaults.
#include <gtest/gtest.h>

#include "gui_fixture.hpp"
#include "lvgl.h"

namespace {

using Styles = test_support::GuiTest;

uint32_t hex(lv_color_t c)
{
    return lv_color_to_u32(c) & 0xFFFFFF;
}

TEST_F(Styles, BuiltInDefaultsAndThemeValues)
{
    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    lv_obj_remove_style_all(obj);
    EXPECT_EQ(lv_obj_get_style_bg_opa(obj, LV_PART_MAIN), LV_OPA_TRANSP);
    EXPECT_EQ(hex(lv_obj_get_style_bg_color(obj, LV_PART_MAIN)), 0xFFFFFFu);
    EXPECT_EQ(lv_obj_get_style_max_width(obj, LV_PART_MAIN), LV_COORD_MAX);
    EXPECT_EQ(lv_obj_get_style_transform_scale_x(obj, LV_PART_MAIN), LV_SCALE_NONE);
    EXPECT_EQ(lv_obj_get_style_border_side(obj, LV_PART_MAIN), LV_BORDER_SIDE_FULL);
    EXPECT_EQ(lv_obj_get_style_width(obj, LV_PART_MAIN), LV_DPI_DEF) << "class default";

    lv_obj_t * card = lv_obj_create(lv_screen_active());
    EXPECT_EQ(lv_obj_get_style_radius(card, LV_PART_MAIN), 7);
    EXPECT_EQ(lv_obj_get_style_pad_left(card, LV_PART_MAIN), 16);
    EXPECT_EQ(lv_obj_get_style_pad_row(card, LV_PART_MAIN), 10);
    EXPECT_EQ(lv_obj_get_style_border_width(card, LV_PART_MAIN), 2);
    EXPECT_EQ(hex(lv_obj_get_style_border_color(card, LV_PART_MAIN)), 0xE0E0E0u);
    EXPECT_TRUE(lv_obj_get_style_border_post(card, LV_PART_MAIN));
    EXPECT_EQ(lv_obj_get_style_bg_opa(card, LV_PART_SCROLLBAR), LV_OPA_40);
    EXPECT_EQ(lv_obj_get_style_width(card, LV_PART_SCROLLBAR), 4);
    lv_obj_add_state(card, LV_STATE_SCROLLED);
    run_for(80, 40); // the scrollbar fades in over 80 ms
    EXPECT_EQ(lv_obj_get_style_bg_opa(card, LV_PART_SCROLLBAR), LV_OPA_COVER);

    lv_obj_t * scr = lv_screen_active();
    EXPECT_EQ(hex(lv_obj_get_style_bg_color(scr, LV_PART_MAIN)), 0xF5F5F5u);
    EXPECT_EQ(hex(lv_obj_get_style_text_color(scr, LV_PART_MAIN)), 0x212121u);
    EXPECT_EQ(lv_obj_get_style_text_font(scr, LV_PART_MAIN), &lv_font_montserrat_14);
}

// The property table behind lv_style_prop_has_flag and lv_style_prop_get_default.
TEST(StyleProps, FlagsAndDefaultsOfTheTable)
{
    constexpr uint8_t kI = LV_STYLE_PROP_FLAG_INHERITABLE;
    constexpr uint8_t kL = LV_STYLE_PROP_FLAG_LAYOUT_UPDATE;
    constexpr uint8_t kP = LV_STYLE_PROP_FLAG_PARENT_LAYOUT_UPDATE;
    constexpr uint8_t kE = LV_STYLE_PROP_FLAG_EXT_DRAW_UPDATE;
    constexpr uint8_t kY = LV_STYLE_PROP_FLAG_LAYER_UPDATE;
    constexpr uint8_t kT = LV_STYLE_PROP_FLAG_TRANSFORM;
    struct FlagCase {
        lv_style_prop_t prop;
        uint8_t flags;
    };
    const FlagCase flag_cases[] = {
        {LV_STYLE_TEXT_COLOR, kI},
        {LV_STYLE_TEXT_FONT, kI | kL},
        {LV_STYLE_WIDTH, kL},
        {LV_STYLE_PAD_TOP, kL | kE},
        {LV_STYLE_TRANSLATE_X, kL | kP},
        {LV_STYLE_TRANSFORM_ROTATION, kE | kY | kT},
        {LV_STYLE_TRANSFORM_WIDTH, kE | kT},
        {LV_STYLE_OPA_LAYERED, kY},
        {LV_STYLE_SHADOW_OPA, kE},
        {LV_STYLE_FLEX_GROW, kL},
        {LV_STYLE_GRID_CELL_ROW_SPAN, kL},
        {LV_STYLE_BG_COLOR, 0},
        {LV_STYLE_PROP_INV, 0},
        {LV_STYLE_NUM_BUILT_IN_PROPS, 0},
    };
    for(const FlagCase & c : flag_cases) {
        EXPECT_EQ(lv_style_prop_has_flag(c.prop, LV_STYLE_PROP_FLAG_ALL), c.flags) << int(c.prop);
        EXPECT_EQ(lv_style_prop_has_flag(c.prop, kL), c.flags & kL) << int(c.prop);
    }

    struct DefaultCase {
        lv_style_prop_t prop;
        int32_t num;
    };
    const DefaultCase default_cases[] = {
        {LV_STYLE_MAX_HEIGHT, LV_COORD_MAX}, {LV_STYLE_TRANSFORM_SCALE_Y, LV_SCALE_NONE},
        {LV_STYLE_ROTARY_SENSITIVITY, 256}, {LV_STYLE_BG_GRAD_STOP, 255},
        {LV_STYLE_LINE_OPA, LV_OPA_COVER},  {LV_STYLE_BORDER_SIDE, LV_BORDER_SIDE_FULL},
        {LV_STYLE_GRID_CELL_COLUMN_SPAN, 1}, {LV_STYLE_PAD_TOP, 0},
        {LV_STYLE_RECOLOR_OPA, 0},
    };
    for(const DefaultCase & c : default_cases) {
        EXPECT_EQ(lv_style_prop_get_default(c.prop).num, c.num) << int(c.prop);
    }
    EXPECT_EQ(hex(lv_style_prop_get_default(LV_STYLE_BG_COLOR).color), 0xFFFFFFu);
    EXPECT_EQ(hex(lv_style_prop_get_default(LV_STYLE_TEXT_COLOR).color), 0u);
    EXPECT_EQ(lv_style_prop_get_default(LV_STYLE_TEXT_FONT).ptr, LV_FONT_DEFAULT);
    EXPECT_EQ(lv_style_prop_get_default(LV_STYLE_BG_IMAGE_SRC).ptr, nullptr);
}

struct StateCase {
    const char * what;
    uint16_t obj_state;
    uint32_t expected;
};

TEST_F(Styles, LargestMatchingStateWins)
{
    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    lv_obj_set_style_bg_color(obj, lv_color_hex(0x000001), 0);
    lv_obj_set_style_bg_color(obj, lv_color_hex(0x000002), LV_STATE_CHECKED);
    lv_obj_set_style_bg_color(obj, lv_color_hex(0x000003), LV_STATE_PRESSED);
    lv_obj_set_style_bg_color(obj, lv_color_hex(0x000004), LV_STATE_PRESSED | LV_STATE_CHECKED);
    lv_obj_set_style_bg_color(obj, lv_color_hex(0x000005), LV_STATE_DISABLED);
    lv_obj_set_style_bg_color(obj, lv_color_hex(0x000006), LV_STATE_HOVERED | LV_STATE_FOCUSED);
    const StateCase cases[] = {
        {"default", LV_STATE_DEFAULT, 1},
        {"checked", LV_STATE_CHECKED, 2},
        {"pressed", LV_STATE_PRESSED, 3},
        {"combined state beats its parts", LV_STATE_PRESSED | LV_STATE_CHECKED, 4},
        {"disabled beats pressed", LV_STATE_DISABLED | LV_STATE_PRESSED, 5},
        {"needs all its bits", LV_STATE_HOVERED, 1},
        {"all bits present", LV_STATE_HOVERED | LV_STATE_FOCUSED, 6},
        {"unrelated state", LV_STATE_EDITED, 1},
    };
    for(const auto & c : cases) {
        lv_obj_set_state(obj, LV_STATE_ANY, false);
        lv_obj_set_state(obj, static_cast<lv_state_t>(c.obj_state), true);
        EXPECT_EQ(hex(lv_obj_get_style_bg_color(obj, LV_PART_MAIN)), c.expected) << c.what;
    }
}

TEST_F(Styles, LocalBeatsAddedAndNewerAddedBeatsOlder)
{
    lv_style_t older;
    lv_style_t newer;
    lv_style_t pressed;
    lv_style_init(&older);
    lv_style_init(&newer);
    lv_style_init(&pressed);
    lv_style_set_radius(&older, 1);
    lv_style_set_radius(&newer, 2);
    lv_style_set_radius(&pressed, 3);

    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    lv_obj_add_style(obj, &older, 0);
    lv_obj_add_style(obj, &newer, 0);
    EXPECT_EQ(lv_obj_get_style_radius(obj, LV_PART_MAIN), 2);
    lv_obj_set_style_radius(obj, 9, 0);
    EXPECT_EQ(lv_obj_get_style_radius(obj, LV_PART_MAIN), 9);

    // An added style of a larger state beats a local default one.
    lv_obj_add_style(obj, &pressed, LV_STATE_PRESSED);
    lv_obj_add_state(obj, LV_STATE_PRESSED);
    EXPECT_EQ(lv_obj_get_style_radius(obj, LV_PART_MAIN), 3);

    lv_obj_remove_style(obj, &pressed, LV_STATE_PRESSED);
    EXPECT_EQ(lv_obj_get_style_radius(obj, LV_PART_MAIN), 9);
    EXPECT_TRUE(lv_obj_remove_local_style_prop(obj, LV_STYLE_RADIUS, 0));
    EXPECT_EQ(lv_obj_get_style_radius(obj, LV_PART_MAIN), 2);

    // Changing a shared style reaches the objects after a report.
    lv_style_set_radius(&newer, 5);
    lv_obj_report_style_change(&newer);
    EXPECT_EQ(lv_obj_get_style_radius(obj, LV_PART_MAIN), 5);

    lv_obj_remove_style_all(obj);
    EXPECT_EQ(lv_obj_get_style_radius(obj, LV_PART_MAIN), 0);
    lv_style_reset(&older);
    lv_style_reset(&newer);
    lv_style_reset(&pressed);
}

TEST_F(Styles, PartsAreSeparate)
{
    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    lv_obj_set_style_bg_opa(obj, 10, LV_PART_INDICATOR);
    lv_obj_set_style_bg_opa(obj, 20, static_cast<uint32_t>(LV_PART_KNOB) | LV_STATE_PRESSED);
    EXPECT_EQ(lv_obj_get_style_bg_opa(obj, LV_PART_INDICATOR), 10);
    EXPECT_EQ(lv_obj_get_style_bg_opa(obj, LV_PART_KNOB), LV_OPA_TRANSP);
    lv_obj_add_state(obj, LV_STATE_PRESSED);
    EXPECT_EQ(lv_obj_get_style_bg_opa(obj, LV_PART_KNOB), 20);
    EXPECT_EQ(lv_obj_get_style_bg_opa(obj, LV_PART_MAIN), LV_OPA_COVER) << "the card's own";
}

TEST_F(Styles, InheritedPropertiesComeFromTheMainPartThenAncestors)
{
    lv_obj_t * outer = lv_obj_create(lv_screen_active());
    lv_obj_t * inner = lv_obj_create(outer);
    lv_obj_t * leaf = lv_obj_create(inner);
    lv_obj_remove_style_all(inner);
    lv_obj_remove_style_all(leaf);
    lv_obj_set_style_text_color(outer, lv_color_hex(0x123456), 0);
    lv_obj_set_style_text_letter_space(outer, 3, 0);
    lv_obj_set_style_bg_color(outer, lv_color_hex(0x654321), 0);

    EXPECT_EQ(hex(lv_obj_get_style_text_color(leaf, LV_PART_MAIN)), 0x123456u);
    EXPECT_EQ(lv_obj_get_style_text_letter_space(leaf, LV_PART_MAIN), 3);
    EXPECT_EQ(hex(lv_obj_get_style_bg_color(leaf, LV_PART_MAIN)), 0xFFFFFFu) << "not inherited";

    lv_obj_set_style_text_color(leaf, lv_color_hex(0xABCDEF), 0);
    EXPECT_EQ(hex(lv_obj_get_style_text_color(leaf, LV_PART_INDICATOR)), 0xABCDEFu) << "main part first";

    // The parent's value in the parent's own state.
    lv_obj_set_style_text_opa(outer, 100, LV_STATE_CHECKED);
    EXPECT_EQ(lv_obj_get_style_text_opa(leaf, LV_PART_MAIN), LV_OPA_COVER);
    lv_obj_add_state(outer, LV_STATE_CHECKED);
    EXPECT_EQ(lv_obj_get_style_text_opa(leaf, LV_PART_MAIN), 100);
}

TEST_F(Styles, StyleObjectsAndOpacityThroughAncestors)
{
    lv_style_t s;
    lv_style_init(&s);
    EXPECT_TRUE(lv_style_is_empty(&s));
    lv_style_set_pad_all(&s, 4);
    lv_style_set_transform_scale(&s, 128);
    lv_style_value_t v;
    ASSERT_EQ(lv_style_get_prop(&s, LV_STYLE_PAD_RIGHT, &v), LV_STYLE_RES_FOUND);
    EXPECT_EQ(v.num, 4);
    ASSERT_EQ(lv_style_get_prop(&s, LV_STYLE_TRANSFORM_SCALE_Y, &v), LV_STYLE_RES_FOUND);
    EXPECT_EQ(v.num, 128);
    EXPECT_EQ(lv_style_get_prop(&s, LV_STYLE_RADIUS, &v), LV_STYLE_RES_NOT_FOUND);
    EXPECT_TRUE(lv_style_remove_prop(&s, LV_STYLE_PAD_TOP));
    EXPECT_EQ(lv_style_get_prop(&s, LV_STYLE_PAD_TOP, &v), LV_STYLE_RES_NOT_FOUND);
    lv_style_reset(&s);
    EXPECT_TRUE(lv_style_is_empty(&s));

    lv_obj_t * a = lv_obj_create(lv_screen_active());
    lv_obj_t * b = lv_obj_create(a);
    lv_obj_set_style_opa(a, LV_OPA_50, 0);
    lv_obj_set_style_opa(b, LV_OPA_50, 0);
    EXPECT_EQ(lv_obj_get_style_opa_recursive(b, LV_PART_MAIN), ((255 * 127 >> 8) * 127) >> 8);
    lv_obj_set_style_opa(a, 1, 0);
    EXPECT_EQ(lv_obj_get_style_opa_recursive(b, LV_PART_MAIN), LV_OPA_TRANSP);
}

}  // namespace

namespace {

TEST_F(Styles, StateChangesReachLayoutAndInheritingChildren)
{
    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    lv_obj_set_size(obj, 100, 50);
    lv_obj_set_style_width(obj, 150, LV_STATE_CHECKED);
    lv_obj_set_style_text_color(obj, lv_color_hex(0x00FF00), LV_STATE_CHECKED);
    lv_obj_t * child = lv_obj_create(obj);
    lv_obj_remove_style_all(child);
    lv_obj_update_layout(obj);
    EXPECT_EQ(lv_obj_get_width(obj), 100);

    lv_obj_add_state(obj, LV_STATE_CHECKED);
    lv_obj_update_layout(obj);
    EXPECT_EQ(lv_obj_get_width(obj), 150);
    EXPECT_EQ(hex(lv_obj_get_style_text_color(child, LV_PART_MAIN)), 0x00FF00u);

    lv_obj_remove_state(obj, LV_STATE_CHECKED);
    lv_obj_update_layout(obj);
    EXPECT_EQ(lv_obj_get_width(obj), 100);
}

TEST_F(Styles, StateTrickleCopiesToChildren)
{
    lv_obj_t * parent = lv_obj_create(lv_screen_active());
    lv_obj_t * child = lv_obj_create(parent);
    lv_obj_add_flag(parent, LV_OBJ_FLAG_STATE_TRICKLE);
    lv_obj_add_state(parent, LV_STATE_PRESSED);
    EXPECT_TRUE(lv_obj_has_state(child, LV_STATE_PRESSED));
    lv_obj_remove_state(parent, LV_STATE_PRESSED);
    EXPECT_FALSE(lv_obj_has_state(child, LV_STATE_PRESSED));
}

}  // namespace
