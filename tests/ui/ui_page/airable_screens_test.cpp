// What the Airable list page shows, compared with reference images: the
// Radio tile's menu rows, a window of folders and stations with the play
// marker on the station playing, its count label, and the busy overlay
// over the list.
#include "airable_fixture.hpp"
#include "ui/ui_data_update.h"

namespace main_page_test {
namespace {

// The first window of the stand-in service's radio list, shortened.
const std::vector<ListItem> kWindow = {
    {'1', "Genres", 100},       {'1', "Countries", 200}, {'0', "Aurora FM", 1001},
    {'0', "Blue Coast Radio", 1002}, {'0', "City Jazz 24", 1003}, {'0', "Amber FM", 3001},
    {'0', "Amber Radio", 3002},
};

class AirableScreens : public AirablePageTest {
protected:
    void SetUp() override
    {
        AirablePageTest::SetUp();
        show_clock();
    }

    void radio_menu()
    {
        tap(m.tiles[MAIN_TILE_RADIO].icon);
        settle();
    }

};

TEST_F(AirableScreens, RadioMenuRows)
{
    radio_menu();
    ASSERT_EQ(rows().size(), 5u);
    EXPECT_TRUE(looks_like("radio_menu"));
}

TEST_F(AirableScreens, WindowOfFoldersAndStationsWithThePlayMarker)
{
    radio_menu();
    tap(row_label(2));
    airable_ui_event_cb(AIRABLE_UI_MAIN_READY, nullptr);
    reply(kWindow, 1, 60);
    tap(row_label(3));
    ASSERT_FALSE(hidden(row_marker(3)));
    step();
    EXPECT_TRUE(looks_like("list_window"));
}

TEST_F(AirableScreens, CountLabelOfTheSecondWindow)
{
    radio_menu();
    tap(row_label(2));
    airable_ui_event_cb(AIRABLE_UI_MAIN_READY, nullptr);
    reply(items(20, 21), 21, 60);
    step();
    EXPECT_TRUE(status_bar_looks_like("list_count"));
}

TEST_F(AirableScreens, BusyOverlayOverTheList)
{
    radio_menu();
    tap(row_label(2));
    airable_ui_event_cb(AIRABLE_UI_MAIN_WAITING, nullptr);
    step();
    ASSERT_NE(m.busy_obj, nullptr);
    EXPECT_TRUE(looks_like("busy_overlay"));
}

}  // namespace
}  // namespace main_page_test
