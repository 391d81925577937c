// The busy overlay as the Airable answers raise and end it: one overlay at a
// time, its turning image, the close icon, taps that do not get through,
// and an overlay that lost its image.
#include <string>

#include "airable_fixture.hpp"
#include "ui/ui_assets.h"
#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"

namespace main_page_test {
namespace {

class BusyOverlay : public AirablePageTest {
protected:
    void SetUp() override
    {
        AirablePageTest::SetUp();
        // A browse request waits for its answer, as after a "Radio List" tap.
        get_main_page_data();
        screen_children_ = lv_obj_get_child_count(ui_run_page.root_screen);
    }

    // Overlays on the root screen.
    uint32_t overlays() const { return lv_obj_get_child_count(ui_run_page.root_screen) - screen_children_; }

    static void waiting() { airable_ui_event_cb(AIRABLE_UI_MAIN_WAITING, nullptr); }

    int32_t angle() const { return lv_image_get_rotation(m.busy_image); }

    uint32_t screen_children_ = 0;
};

TEST_F(BusyOverlay, WaitingRaisesOneOverlayOverEverything)
{
    waiting();
    waiting();
    airable_ui_event_cb(AIRABLE_UI_WAITING, nullptr);
    EXPECT_EQ(overlays(), 1u);
    ASSERT_NE(m.busy_obj, nullptr);
    EXPECT_EQ(lv_obj_get_parent(m.busy_obj), ui_run_page.root_screen);
    EXPECT_EQ(lv_obj_get_index(m.busy_obj), (int32_t)lv_obj_get_child_count(ui_run_page.root_screen) - 1);
    EXPECT_STREQ(lv_label_get_text(m.busy_label), "Busy . . .");
    EXPECT_EQ(lv_image_get_src(m.busy_image), &img_ico_load_busy);
    EXPECT_EQ(lv_image_get_src(m.busy_close), &img_ico_deletion);
    EXPECT_TRUE(lv_obj_has_flag(m.busy_close, LV_OBJ_FLAG_CLICKABLE));
}

// The angle moves with the animation timer (33 ms), so it may lag the clock
// by one of its periods.
TEST_F(BusyOverlay, ImageTurnsOnceEveryTwoSeconds)
{
    constexpr int32_t kOnePeriod = 60;
    waiting();
    EXPECT_EQ(angle(), 0);
    run_for(500, 10);
    EXPECT_NEAR(angle(), 900, kOnePeriod);
    run_for(500, 10);
    EXPECT_NEAR(angle(), 1800, kOnePeriod);
    run_for(1500, 10);
    EXPECT_NEAR(angle(), 900, kOnePeriod) << "the next turn from 0, without a way back";
}

TEST_F(BusyOverlay, ReadyAndPlayOkEndIt)
{
    for (int answer : {AIRABLE_UI_MAIN_READY, AIRABLE_UI_DATA_READY, AIRABLE_UI_PLAY_OK}) {
        SCOPED_TRACE(answer);
        get_main_page_data();
        waiting();
        ASSERT_EQ(overlays(), 1u);
        airable_ui_event_cb(answer, nullptr);
        EXPECT_EQ(overlays(), 0u);
        EXPECT_EQ(m.busy_obj, nullptr);
        EXPECT_EQ(m.busy_image, nullptr);
        EXPECT_EQ(m.busy_close, nullptr);
        EXPECT_EQ(m.busy_label, nullptr);
    }
    // An answer with no overlay up changes nothing here.
    airable_ui_event_cb(AIRABLE_UI_PLAY_OK, nullptr);
    EXPECT_EQ(overlays(), 0u);
}

TEST_F(BusyOverlay, CloseIconEndsItAndTheNextWaitingStartsAfresh)
{
    show_list_page();
    waiting();
    run_for(700, 10);
    ASSERT_GT(angle(), 0);
    tap(m.busy_close);
    EXPECT_EQ(overlays(), 0u);
    EXPECT_EQ(m.busy_obj, nullptr);
    EXPECT_NE(g_main_state.timer, nullptr) << "the request goes on";

    waiting();
    EXPECT_EQ(overlays(), 1u);
    EXPECT_EQ(angle(), 0);
}

TEST_F(BusyOverlay, TapsOutsideTheCloseIconDoNotReachThePage)
{
    show_list_page();
    reply({{'1', "Genres"}}, 1, 1);
    get_main_page_data();
    waiting();
    fake_comm::take();
    take_log();
    tap(row_label(0));
    tap(m.ico_radio_back);
    EXPECT_EQ(overlays(), 1u);
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_TRUE(fake_comm::take().empty());
    EXPECT_EQ(take_log().find("clicked"), std::string::npos);
}

// The overlay lost its image (it could not be created): a second WAITING
// must not bury it under a new one, and its close icon still ends it.
// An overlay whose image could not be created: it is up, nothing turns. A
// second WAITING must not bury it under a new one, and its close icon still
// ends it.
TEST_F(BusyOverlay, AnOverlayWithoutItsImageIsNotPiledOn)
{
    waiting();
    lv_obj_delete(m.busy_image);
    m.busy_image = nullptr;
    main_page_busy_reset();

    waiting();
    airable_ui_event_cb(AIRABLE_UI_WAITING, nullptr);
    EXPECT_EQ(overlays(), 1u);
    tap(m.busy_close);
    EXPECT_EQ(overlays(), 0u);
    EXPECT_EQ(m.busy_obj, nullptr);
    EXPECT_EQ(m.busy_close, nullptr);
    EXPECT_EQ(m.busy_label, nullptr);

    waiting();
    EXPECT_EQ(overlays(), 1u);
    ASSERT_NE(m.busy_image, nullptr);
    run_for(500, 10);
    EXPECT_GT(angle(), 0) << "a whole overlay turns again";
}

TEST_F(BusyOverlay, AWaitingAnswerWithNoRequestPendingRaisesNothing)
{
    airable_request_set_ready(nullptr);
    waiting();
    airable_ui_event_cb(AIRABLE_UI_WAITING, nullptr);
    EXPECT_EQ(overlays(), 0u);
    EXPECT_EQ(m.busy_obj, nullptr);
}

TEST_F(BusyOverlay, OverTheWifiPageToo)
{
    tap(m.tiles[MAIN_TILE_SETTINGS].icon);
    ASSERT_EQ(ui_run_page.run_page_id, PAGE_ID_WIFI);
    const uint32_t before = lv_obj_get_child_count(ui_run_page.root_screen);
    waiting();
    EXPECT_EQ(lv_obj_get_child_count(ui_run_page.root_screen), before + 1);
    EXPECT_EQ(lv_obj_get_index(m.busy_obj), (int32_t)before);
    tap(m.busy_close);
    EXPECT_EQ(m.busy_obj, nullptr);
}

}  // namespace
}  // namespace main_page_test
