// The design screen module on a memory display: its slot table, the theme,
// the load with its fade, the tick dispatch, ids it does not hold, and
// screenshots of the mock-up in each of its states (compared with
// tests/ui/ref/design_*.png).
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "gui_fixture.hpp"
#include "image_compare.hpp"
#include "ui/ui.h"
#include "ui/ui_assets.h"

namespace {

constexpr uint32_t kFadeMs = 200;
// The fade and the animation timer's steps around it.
constexpr uint32_t kWholeFadeMs = kFadeMs + 100;

// The module as the process starts, whatever ran before in this one: the
// threadsafe death-test style runs the statement in a new run of the binary.
TEST(DesignScreenAtStart, EverySlotIsNullAndNoScreenIsCurrent)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            int failures = 0;
            for (int i = 0; i < UI_OBJECT_SLOTS; i++) {
                if (objects[i] != nullptr) {
                    std::fprintf(stderr, "slot %d is set\n", i);
                    failures++;
                }
            }
            if (currentScreen != -1) {
                std::fprintf(stderr, "current screen %d\n", (int)currentScreen);
                failures++;
            }
            std::exit(failures == 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

class DesignScreen : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        std::memset(objects, 0, sizeof objects);
        currentScreen = -1;
        first_screen = lv_screen_active();
    }

    // ui_init, then the whole fade.
    void init_and_fade()
    {
        ui_init();
        run_for(kWholeFadeMs);
    }

    ::testing::AssertionResult looks_like(const std::string &name)
    {
        return test_support::matches_reference(render(), std::string(UI_REF_DIR) + "/" + name + ".png",
                                               UI_OUT_DIR, name);
    }

    lv_obj_t *first_screen = nullptr;
};

TEST_F(DesignScreen, InitLoadsTheScreenWithAFadeAndKeepsThePreviousOne)
{
    ui_init();
    EXPECT_EQ(currentScreen, 0);
    ASSERT_NE(objects[0], nullptr);
    run_for(kFadeMs / 2);
    EXPECT_EQ(lv_screen_active(), objects[0]);
    const lv_opa_t half_way = lv_obj_get_style_opa(objects[0], LV_PART_MAIN);
    EXPECT_GT(half_way, LV_OPA_20);
    EXPECT_LT(half_way, LV_OPA_80);
    run_for(kWholeFadeMs - kFadeMs / 2);
    EXPECT_EQ(lv_screen_active(), objects[0]);
    EXPECT_EQ(lv_obj_get_style_opa(objects[0], LV_PART_MAIN), LV_OPA_COVER);
    EXPECT_TRUE(lv_obj_is_valid(first_screen)) << "the screen shown before is not deleted";
}

TEST_F(DesignScreen, EverySlotHoldsItsOwnWidgetInCreationOrder)
{
    create_screens();
    std::set<lv_obj_t *> seen;
    for (int i = 0; i < UI_OBJECT_SLOTS; i++) {
        ASSERT_NE(objects[i], nullptr) << i;
        EXPECT_TRUE(seen.insert(objects[i]).second) << "slot " << i << " repeats a widget";
    }

    const struct {
        int slot;
        int parent;  // a slot, or -1 for none
        const lv_obj_class_t *cls;
        bool hidden;
    } cases[] = {
        {UI_OBJ_SCREEN, -1, &lv_obj_class, false},
        {UI_OBJ_WIFI_ROOT, UI_OBJ_SCREEN, &lv_obj_class, false},
        {2, UI_OBJ_WIFI_ROOT, &lv_image_class, false},        // busy icon
        {8, 7, &lv_list_class, false},                         // kept networks
        {10, 9, &lv_list_class, false},                        // other networks
        {UI_OBJ_WIFI_OVERLAY, UI_OBJ_SCREEN, &lv_obj_class, true},
        {13, 12, &lv_checkbox_class, false},                   // "Show Password"
        {UI_OBJ_WIFI_PASSWORD, 12, &lv_textarea_class, false},
        {UI_OBJ_WIFI_KB_BOX, UI_OBJ_WIFI_OVERLAY, &lv_obj_class, true},
        {17, UI_OBJ_WIFI_KB_BOX, &lv_keyboard_class, false},
        {UI_OBJ_WIFI_ROW, UI_OBJ_SCREEN, &lv_obj_class, false},
        {20, 19, &lv_image_class, false},                      // the row's signal
        {22, UI_OBJ_WIFI_ROW, &lv_label_class, false},         // the row's name
        {UI_OBJ_MAIN, UI_OBJ_SCREEN, &lv_obj_class, false},
        {UI_OBJ_PAGER, UI_OBJ_MAIN, &lv_obj_class, false},
        {UI_OBJ_HOME, UI_OBJ_PAGER, &lv_obj_class, true},
        {29, 26, &lv_label_class, false},                      // the clock
        {UI_OBJ_TILE_GRID, UI_OBJ_HOME, &lv_obj_class, false},
        {31, UI_OBJ_TILE_GRID, &lv_obj_class, false},          // the first tile
        {65, 64, &lv_image_class, false},                      // the last tile's image
        {66, 64, &lv_label_class, false},                      // and its caption
        {UI_OBJ_NOW_PLAYING, UI_OBJ_PAGER, &lv_obj_class, false},
        {68, UI_OBJ_NOW_PLAYING, &lv_image_class, false},      // artwork
        {UI_OBJ_NOW_PLAYING_TEXTS, 70, &lv_obj_class, true},
        {72, UI_OBJ_NOW_PLAYING_TEXTS, &lv_label_class, false},
        {80, 75, &lv_image_class, false},                      // the last control
        {UI_OBJ_FURTHER_PAGES, UI_OBJ_PAGER, &lv_obj_class, true},
        {84, UI_OBJ_LIST_PAGE, &lv_list_class, false},
        {86, UI_OBJ_PAGER, &lv_obj_class, false},
        {UI_OBJ_STATUS_BAR, UI_OBJ_MAIN, &lv_obj_class, false},
        {88, UI_OBJ_STATUS_BAR, &lv_image_class, false},       // home icon
        {UI_OBJ_LIST_ROW, UI_OBJ_SCREEN, &lv_obj_class, false},
        {94, UI_OBJ_LIST_ROW, &lv_image_class, true},          // the empty-list image
        {95, UI_OBJ_LIST_ROW, &lv_label_class, false},
        {UI_OBJ_BUSY, UI_OBJ_SCREEN, &lv_obj_class, false},
        {99, UI_OBJ_BUSY, &lv_image_class, false},             // close icon
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.slot);
        lv_obj_t *obj = objects[c.slot];
        EXPECT_EQ(lv_obj_get_parent(obj), c.parent < 0 ? nullptr : objects[c.parent]);
        EXPECT_TRUE(lv_obj_check_type(obj, c.cls));
        EXPECT_EQ(lv_obj_has_flag(obj, LV_OBJ_FLAG_HIDDEN), c.hidden);
    }

    const struct {
        int slot;
        const char *text;
    } texts[] = {
        {14, "labe_ssid"},    {22, "WiFi name"},    {27, "Text"},         {28, "星期四  2026/7/15"},
        {29, "15:00"},        {33, "播放器"},       {66, "播放器"},       {72, "Music Name"},
        {73, "Music Artist"}, {74, "music_lyrics"}, {89, "Text23345"},    {97, "Busy . . ."},
    };
    for (const auto &t : texts) {
        SCOPED_TRACE(t.slot);
        EXPECT_STREQ(lv_label_get_text(objects[t.slot]), t.text);
    }
    EXPECT_STREQ(lv_textarea_get_text(objects[UI_OBJ_WIFI_PASSWORD]), "textarea_wifi");
    EXPECT_EQ(lv_image_get_src(objects[20]), &img_ico_wifi_4);
    EXPECT_EQ(lv_image_get_src(objects[50]), &img_ico_audio_output);
    EXPECT_EQ(lv_obj_get_style_text_font(objects[72], LV_PART_MAIN), &lv_font_montserrat_40);
    EXPECT_EQ(lv_obj_get_style_text_font(objects[95], LV_PART_MAIN), &lv_font_montserrat_30);
}

TEST_F(DesignScreen, TheThemeIsTheLightDefaultWithMontserrat14)
{
    create_screens();
    EXPECT_EQ(lv_display_get_theme(display()), lv_theme_default_get());
    EXPECT_EQ(lv_obj_get_style_text_font(objects[0], LV_PART_MAIN), &lv_font_montserrat_14);
    // The checkbox's box takes the primary colour.
    EXPECT_TRUE(lv_color_eq(lv_obj_get_style_border_color(objects[13], LV_PART_INDICATOR),
                            lv_palette_main(LV_PALETTE_BLUE)));
}

int ticks;
void count_tick()
{
    ticks++;
}

TEST_F(DesignScreen, OnlyTheScreenTheTableHoldsIsTicked)
{
    const tick_screen_func_t own = tick_screen_funcs[0];
    tick_screen_funcs[0] = count_tick;
    const struct {
        const char *what;
        void (*call)();
        int ticks;
    } cases[] = {
        {"ui_tick before ui_init", [] { ui_tick(); }, 0},
        {"tick_screen(0)", [] { tick_screen(0); }, 1},
        {"tick_screen(1)", [] { tick_screen(1); }, 0},
        {"tick_screen(-1)", [] { tick_screen(-1); }, 0},
        {"tick_screen(INT_MAX)", [] { tick_screen(INT_MAX); }, 0},
        {"tick_screen_by_id(1)", [] { tick_screen_by_id(SCREEN_ID_MAIN); }, 1},
        {"tick_screen_by_id(0)", [] { tick_screen_by_id(static_cast<ScreensEnum>(0)); }, 0},
        {"tick_screen_by_id(2)", [] { tick_screen_by_id(static_cast<ScreensEnum>(2)); }, 0},
        {"tick_screen_by_id(INT_MIN)", [] { tick_screen_by_id(static_cast<ScreensEnum>(INT_MIN)); }, 0},
        {"ui_tick on screen 0", [] { currentScreen = 0; ui_tick(); }, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ticks = 0;
        c.call();
        EXPECT_EQ(ticks, c.ticks);
    }
    tick_screen_funcs[0] = own;
}

TEST_F(DesignScreen, AnIdTheTableDoesNotHoldLeavesTheScreenUnchanged)
{
    loadScreen(SCREEN_ID_MAIN);
    run_for(kWholeFadeMs);
    EXPECT_EQ(lv_screen_active(), first_screen) << "no screen is made by a load";
    EXPECT_EQ(currentScreen, -1);

    init_and_fade();
    lv_obj_t *other = lv_obj_create(nullptr);
    lv_screen_load(other);
    for (int id : {0, 2, -1, UI_OBJECT_SLOTS, UI_OBJECT_SLOTS + 1, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(id);
        loadScreen(static_cast<ScreensEnum>(id));
        run_for(kWholeFadeMs);
        EXPECT_EQ(lv_screen_active(), other);
        EXPECT_EQ(currentScreen, 0);
    }
    loadScreen(SCREEN_ID_MAIN);
    run_for(kWholeFadeMs);
    EXPECT_EQ(lv_screen_active(), objects[0]);
}

TEST_F(DesignScreen, TheMockUpInEachOfItsStates)
{
    const struct {
        const char *name;
        std::vector<int> hide;
        std::vector<int> show;
        int in_view;  // a pager page scrolled into view, or -1
    } states[] = {
        {"design_screen", {}, {}, -1},
        {"design_wifi", {UI_OBJ_MAIN, UI_OBJ_LIST_ROW, UI_OBJ_BUSY}, {}, -1},
        // The sample row lies above the dialog's layer: out of the way here.
        {"design_wifi_dialog", {UI_OBJ_MAIN, UI_OBJ_LIST_ROW, UI_OBJ_BUSY, UI_OBJ_WIFI_ROW}, {UI_OBJ_WIFI_OVERLAY}, -1},
        {"design_wifi_keyboard", {UI_OBJ_MAIN, UI_OBJ_LIST_ROW, UI_OBJ_BUSY, UI_OBJ_WIFI_ROW},
         {UI_OBJ_WIFI_OVERLAY, UI_OBJ_WIFI_KB_BOX}, -1},
        // The home view has no background of its own: the WiFi part hidden
        // below it, and the status bar as on the live home page.
        {"design_home", {UI_OBJ_WIFI_ROOT, UI_OBJ_WIFI_ROW, UI_OBJ_STATUS_BAR, UI_OBJ_LIST_ROW, UI_OBJ_BUSY},
         {UI_OBJ_HOME}, -1},
        {"design_now_playing", {UI_OBJ_LIST_ROW, UI_OBJ_BUSY}, {UI_OBJ_NOW_PLAYING_TEXTS}, -1},
        {"design_list_page", {UI_OBJ_BUSY}, {}, UI_OBJ_LIST_PAGE},
    };
    for (const auto &s : states) {
        SCOPED_TRACE(s.name);
        lv_obj_t *previous = objects[0];
        init_and_fade();
        if (previous != nullptr) {
            lv_obj_delete(previous);
        }
        for (int slot : s.hide) {
            lv_obj_add_flag(objects[slot], LV_OBJ_FLAG_HIDDEN);
        }
        for (int slot : s.show) {
            lv_obj_remove_flag(objects[slot], LV_OBJ_FLAG_HIDDEN);
        }
        if (s.in_view >= 0) {
            lv_obj_scroll_to_view(objects[s.in_view], LV_ANIM_OFF);
        }
        run_for(100);
        EXPECT_TRUE(looks_like(s.name));
    }
}

}  // namespace
