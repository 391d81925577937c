// Arbitrary application messages from a service, handed to the controller
// that serves its application id as the communication manager hands them.
// Input: one byte that picks the service, the cmd2 byte, then the payload,
// copied into a buffer of exactly its length so that a read past its end
// shows. Whatever the controllers make of it must be a sound record, and a
// list reply must leave the ListDataUI list holding exactly the items it
// announced.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "airable_data_exchange.h"
#include "airplay_data_exchange.h"
#include "comm_mgr_lvgl.h"
#include "fw_proto.h"
#include "spotify_data_exchange.h"
#include "ui/list_data_ui.h"
#include "ui/ui_data_update.h"

// The controllers' view of the communication manager and the page
// framework, without either.
ui_run_page_t ui_run_page;

static uds_msg_cb_t g_routes[FW_APP_SLOTS];

int comm_mgr_send(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len)
{
    (void)app_id, (void)cmd1, (void)cmd2, (void)payload, (void)payload_len;
    return FW_ERR_NO_CLIENT;
}

void comm_mgr_set_app_msg_cb(uint8_t app_id, uds_msg_cb_t cb)
{
    if (app_id < FW_APP_SLOTS) {
        g_routes[app_id] = cb;
    }
}

static const uint8_t kServices[] = {APP_ID_AIRPLAY, APP_ID_SPOTIFY, APP_ID_AIRABLE};

static int g_items;
static int g_lists_done;

static void check(bool ok)
{
    if (!ok) {
        abort();
    }
}

static void check_text(const char *text, size_t cap)
{
    check(memchr(text, '\0', cap) != nullptr);
}

static void check_info(const player_ui_info_t *info)
{
    check_text(info->text1, sizeof info->text1);
    check_text(info->text2, sizeof info->text2);
    check_text(info->text3, sizeof info->text3);
    if (info->state != PLAYER_STATE_TRACK) {
        check(!info->text1[0] && !info->text2[0] && !info->text3[0]);
    }
}

static void on_airable(int event, void *data)
{
    if (event == AIRABLE_UI_PLAYER_INFO) {
        check_info((const player_ui_info_t *)data);
    } else if (event == AIRABLE_UI_LIST_ITEM) {
        const airable_list_item_t *item = (const airable_list_item_t *)data;
        check_text(item->name, sizeof item->name);
        check_text(item->url, sizeof item->url);
        g_items++;
    } else if (event == AIRABLE_UI_LIST_DONE) {
        check(ListDataUIListGetLength(ui_run_page.list_head) == (uint32_t)g_items);
        g_lists_done++;
    }
}

static void start_controllers()
{
    // The controllers' log would only slow the loop down.
    if (freopen("/dev/null", "w", stdout) == nullptr) {
        abort();
    }
    airplay_data_register_ui_cb(check_info);
    airplay_data_exchange_init();
    spotify_data_register_ui_cb(check_info);
    spotify_data_exchange_init();
    airable_data_register_ui_cb(on_airable);
    airable_data_exchange_init();
    ui_run_page.list_head = ListDataUIListInit();
    check(ui_run_page.list_head != nullptr);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool started = false;
    if (!started) {
        start_controllers();
        started = true;
    }
    if (size < 2 || size - 2 > FW_FRAME_PAYLOAD_MAX) {
        return 0;
    }
    uint8_t app_id = kServices[data[0] % sizeof kServices];
    uint8_t cmd2 = data[1];
    uint16_t len = (uint16_t)(size - 2);
    std::unique_ptr<uint8_t[]> payload(new uint8_t[len]);
    memcpy(payload.get(), data + 2, len);

    g_items = 0;
    g_lists_done = 0;
    g_routes[app_id](app_id, app_id, cmd2, payload.get(), len);
    check(g_lists_done <= 1);
    return 0;
}
