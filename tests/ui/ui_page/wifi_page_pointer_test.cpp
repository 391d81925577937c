// The WiFi page driven by a finger through the GUI library's pointer device,
// from the main page's Settings tile to the way back, on the real WiFi
// backend and the wireless stand-ins; the screens along the way are
// compared with reference images.
#include <string>
#include <vector>

#include "ui/ui_assets.h"
#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"
#include "wifi_page_env.hpp"

namespace wifi_page_test {
namespace {

using main_page_test::hidden;

const std::vector<std::string> kScanOrder = {
    "Living-Room", "Cafe Guest", "我的网络", "Library", "Bus-Stop", "Old-Router",
    kForeignName,  "Kiosk",      "Neighbour", "Far-Away", "<hidden>",
};

lv_point_t position_of(lv_obj_t *obj)
{
    return {lv_obj_get_x(obj), lv_obj_get_y(obj)};
}

bool at(lv_obj_t *obj, int32_t x, int32_t y)
{
    lv_obj_update_layout(obj);
    const lv_point_t p = position_of(obj);
    return p.x == x && p.y == y;
}

class WifiPagePointer : public WifiPageTest {
protected:
    // The page with the first scan in both lists.
    void open_with_lists()
    {
        open_wifi_page();
        finish_scan();
        ASSERT_EQ(row_names(w.other_list), kScanOrder);
    }
};

TEST_F(WifiPagePointer, SettingsTileOpensThePageAndTheFirstScanFillsBothLists)
{
    open_wifi_page();
    EXPECT_TRUE(has(take_log(), "\033[0m ui_page father ID 0\n"));
    EXPECT_FALSE(hidden(w.busy_icon)) << "the busy icon turns while the first scan runs";
    EXPECT_TRUE(at(w.busy_icon, WIFI_BUSY_SCAN_X, WIFI_BUSY_SCAN_Y));
    EXPECT_FALSE(lv_obj_has_state(w.wifi_switch, LV_STATE_CHECKED));

    finish_scan();
    EXPECT_EQ(row_names(w.other_list), kScanOrder);
    EXPECT_EQ(row_icons(w.other_list),
              (std::vector<const void *>{&img_ico_wifi_lock_4, &img_ico_wifi_5, &img_ico_wifi_lock_3,
                                         &img_ico_wifi_4, &img_ico_wifi_3, &img_ico_wifi_lock_2,
                                         &img_ico_wifi_lock_2, &img_ico_wifi_2, &img_ico_wifi_lock_1,
                                         &img_ico_wifi_1, &img_ico_wifi_lock_0}));
    EXPECT_EQ(row_names(w.my_list), (std::vector<std::string>{"Attic", "Living-Room"}));
    EXPECT_EQ(row_icons(w.my_list), (std::vector<const void *>{&img_ico_wifi_ok_0, &img_ico_wifi_lock_4}));
    EXPECT_TRUE(hidden(w.busy_icon));
    const std::string log = take_log();
    EXPECT_TRUE(has(log, "\033[0m [WiFi-UI] loading 2 saved networks\n"));
    EXPECT_TRUE(has(log, "\033[0m [WiFi-UI] scan complete: 11 APs found\n"));
    EXPECT_TRUE(has(log, "\033[0m [WiFi-UI] AP[2]: SSID=\"我的网络\" SIG=-55 ENC=1 -> icon=9\n"));
    EXPECT_TRUE(has(log, "\033[0m [WiFi-UI] my_networks: 2 saved refreshed\n"));
    EXPECT_TRUE(looks_like("wifi_lists"));

    lv_obj_scroll_to_y(w.other_list, lv_obj_get_scroll_bottom(w.other_list), LV_ANIM_OFF);
    EXPECT_TRUE(looks_like("wifi_lists_end"));
}

TEST_F(WifiPagePointer, ARowOpensTheDialogAndTheFieldRaisesItWithTheKeyboard)
{
    open_with_lists();
    tap_row(w.other_list, "我的网络");
    EXPECT_FALSE(hidden(w.overlay));
    EXPECT_TRUE(hidden(w.kb_box));
    EXPECT_STREQ(lv_label_get_text(w.ssid_label), "我的网络");
    EXPECT_TRUE(at(w.dialog, WIFI_DIALOG_X, WIFI_DIALOG_Y));
    EXPECT_TRUE(looks_like("wifi_dialog"));

    tap(w.pwd_ta);
    EXPECT_FALSE(hidden(w.kb_box));
    EXPECT_TRUE(at(w.dialog, WIFI_DIALOG_X, WIFI_DIALOG_RAISED_Y));
    EXPECT_EQ(lv_keyboard_get_textarea(w.keyboard), w.pwd_ta);
    type_on_keyboard("battery");
    EXPECT_STREQ(lv_textarea_get_text(w.pwd_ta), "battery");
    // Past the time the last typed character is shown.
    step(50);
    EXPECT_TRUE(looks_like("wifi_keyboard"));

    // A tap on the dark layer closes the dialog; the field keeps its text
    // for the next network.
    tap(30, 140);
    EXPECT_TRUE(hidden(w.overlay));
    EXPECT_TRUE(hidden(w.kb_box));
    EXPECT_TRUE(at(w.dialog, WIFI_DIALOG_X, WIFI_DIALOG_Y));
    tap_row(w.other_list, "Library");
    EXPECT_STREQ(lv_label_get_text(w.ssid_label), "Library");
    EXPECT_STREQ(lv_textarea_get_text(w.pwd_ta), "battery");
}

TEST_F(WifiPagePointer, APasswordTypedOnTheKeyboardJoinsAndTheNetworkHeadsMyNetworks)
{
    open_with_lists();
    join_with_keyboard("我的网络", "battery-staple");
    EXPECT_TRUE(hidden(w.overlay));
    EXPECT_TRUE(hidden(w.kb_box));
    EXPECT_FALSE(hidden(w.busy_icon));
    EXPECT_TRUE(at(w.busy_icon, WIFI_BUSY_CONN_X, WIFI_BUSY_CONN_Y));
    EXPECT_TRUE(looks_like("wifi_connecting"));

    finish_connection();
    EXPECT_EQ(row_names(w.my_list), (std::vector<std::string>{"我的网络", "Attic", "Living-Room"}));
    EXPECT_EQ(row_icons(w.my_list),
              (std::vector<const void *>{&img_ico_wifi_ok_4, &img_ico_wifi_ok_0, &img_ico_wifi_lock_4}));
    EXPECT_EQ(row_names(w.other_list), kScanOrder) << "the other networks stay as they were";
    EXPECT_TRUE(hidden(w.busy_icon));
    EXPECT_TRUE(message_boxes().empty());
    const std::string log = take_log();
    EXPECT_TRUE(has(log, "\033[0m [WiFi-UI] Connection SUCCESS\n"));
    EXPECT_TRUE(has(log, "\033[0m [WiFi-UI]   SSID    : 我的网络\n"));
    EXPECT_TRUE(has(log, "\033[0m [WiFi-UI]   IP      : 192.168.1.23\n"));
    EXPECT_TRUE(has(log, "\033[0m [WiFi-UI]   Signal  : -55 dBm -> icon 15\n"));
    EXPECT_TRUE(has(log, "\033[0m [WiFi-UI] my_networks: 3 saved loaded\n"));
    EXPECT_TRUE(has(log, "WiFi Connected! IP: 192.168.1.23"));
    EXPECT_FALSE(has(log, "battery-staple")) << "the password reaches no log";
    EXPECT_TRUE(looks_like("wifi_connected"));
}

TEST_F(WifiPagePointer, AWrongPasswordShowsTheReasonUntilOkeyIsTapped)
{
    open_with_lists();
    const std::vector<std::string> mine = row_names(w.my_list);
    join_with_keyboard("Living-Room", "wrong");
    finish_connection();
    const std::vector<lv_obj_t *> boxes = message_boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_STREQ(lv_label_get_text(lv_msgbox_get_title(boxes[0])), "Err");
    EXPECT_EQ(message_text(boxes[0]), "Wrong password");
    EXPECT_TRUE(hidden(w.busy_icon));
    EXPECT_EQ(row_names(w.my_list), mine) << "the lists stay as they were";
    const std::string log = take_log();
    EXPECT_TRUE(has(log, "\033[0m [WiFi-UI] Connection FAILED: Wrong password\n"));
    EXPECT_TRUE(has(log, "WiFi Connect Failed: Wrong password"));
    EXPECT_TRUE(looks_like("wifi_error"));

    lv_obj_t *okey = lv_obj_get_child(lv_msgbox_get_footer(boxes[0]), 0);
    tap(okey);
    EXPECT_TRUE(message_boxes().empty());
}

TEST_F(WifiPagePointer, AKeptNetworkJoinsWithOneTap)
{
    open_with_lists();
    tap_row(w.my_list, "Living-Room");
    EXPECT_TRUE(hidden(w.overlay)) << "a kept network needs no dialog";
    EXPECT_FALSE(hidden(w.busy_icon));
    EXPECT_TRUE(at(w.busy_icon, WIFI_BUSY_CONN_X, WIFI_BUSY_CONN_Y));
    EXPECT_TRUE(has(take_log(), "\033[0m [WiFi-UI] connecting to saved network: Living-Room\n"));

    finish_connection();
    EXPECT_EQ(row_names(w.my_list), (std::vector<std::string>{"Living-Room", "Attic"}));
    EXPECT_EQ(row_icons(w.my_list), (std::vector<const void *>{&img_ico_wifi_ok_5, &img_ico_wifi_ok_0}));
    EXPECT_TRUE(in_order(call_lines(), {"wpa_cli -i wlan0 select_network 0", "wpa_cli -i wlan0 reassociate"}));
}

TEST_F(WifiPagePointer, TheSwitchEmptiesBothListsAndTheNextScanFillsThemAgain)
{
    open_with_lists();
    // Unchecked on a new page: the first tap switches on.
    tap(w.wifi_switch);
    EXPECT_TRUE(lv_obj_has_state(w.wifi_switch, LV_STATE_CHECKED));
    EXPECT_FALSE(hidden(w.busy_icon));
    finish_scan();
    EXPECT_EQ(row_names(w.other_list), kScanOrder);

    tap(w.wifi_switch);
    EXPECT_FALSE(lv_obj_has_state(w.wifi_switch, LV_STATE_CHECKED));
    EXPECT_EQ(lv_obj_get_child_count(w.my_list), 0u);
    EXPECT_EQ(lv_obj_get_child_count(w.other_list), 0u);
    EXPECT_TRUE(hidden(w.busy_icon));
    EXPECT_TRUE(looks_like("wifi_off"));

    tap(w.wifi_switch);
    finish_scan();
    EXPECT_EQ(row_names(w.other_list), kScanOrder);
    EXPECT_EQ(row_names(w.my_list), (std::vector<std::string>{"Attic", "Living-Room"}));
    const std::string log = take_log();
    EXPECT_TRUE(has(log, "WiFi 开启"));
    EXPECT_TRUE(has(log, "WiFi 关闭"));
}

TEST_F(WifiPagePointer, TheBackIconReturnsToTheMainPageExactlyAsItWasLeft)
{
    start_ui();
    show_clock();
    // Away from the start: the first now-playing page's overlay hidden, the
    // tile grid scrolled a little, then back on the home page.
    lv_obj_scroll_to_x(m.pager, MAIN_PAGE_WIDTH, LV_ANIM_OFF);
    step();
    tap(m.page_1);
    lv_obj_scroll_to_x(m.pager, 0, LV_ANIM_OFF);
    lv_obj_scroll_to_y(m.tile_grid, 40, LV_ANIM_OFF);
    settle();
    const test_support::Image before = render();
    const uint32_t info_rows = lv_obj_get_child_count(m.list_info);
    ASSERT_TRUE(hidden(m.group_ctrl_page_1));

    tap(m.tiles[MAIN_TILE_SETTINGS].icon);
    ASSERT_EQ(ui_run_page.run_page_id, PAGE_ID_WIFI);
    finish_scan();
    tap(w.back_icon);
    EXPECT_EQ(ui_run_page.run_page_id, PAGE_ID_WIFI) << "the page is left at its next run";
    run_page();
    EXPECT_EQ(ui_run_page.run_page_id, PAGE_ID_MAIN);
    EXPECT_EQ(ui_page_table[PAGE_ID_WIFI].status, em_UI_STATUS_IDLE);
    EXPECT_EQ(w.root, nullptr);
    EXPECT_EQ(ui_run_page.flags.wifi_back, 0);
    EXPECT_TRUE(has(take_log(), "\033[0m ---------------------------------> btn_back info father id 0 \n"));

    EXPECT_EQ(lv_obj_get_scroll_x(m.pager), 0);
    EXPECT_EQ(m.cur_page, 0);
    EXPECT_EQ(lv_obj_get_scroll_y(m.tile_grid), 40);
    EXPECT_TRUE(hidden(m.group_ctrl_page_1));
    EXPECT_EQ(lv_obj_get_child_count(m.list_info), info_rows);
    EXPECT_TRUE(render().bgra == before.bgra) << "the main page looks as it did";
}

}  // namespace
}  // namespace wifi_page_test
