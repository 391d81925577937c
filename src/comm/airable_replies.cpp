/*
 * What the Airable service sends: a table routes each message by its cmd2 to
 * its handler, which marks a handshake acknowledged, raises the UI events
 * (with the now-playing record of a play-info reply, or the items of a list
 * reply, which also refill the ListDataUI list), or ends a pending ID
 * request on an error status. Also the registration of the route and of the
 * UI callback. GUI thread only.
 */
#include <string.h>

#include "airable_data_exchange_internal.h"
#include "airable_data_exchange_private.h"
#include "comm_mgr_lvgl.h"
#include "fw_common.h"
#include "ui/list_data_ui.h"
#include "ui/ui_data_update.h"

static airable_ui_cb_t g_ui_cb;

/* Calls the registered UI callback, if there is one. */
static void airable_raise_event(int event, void *data)
{
    if (g_ui_cb) {
        g_ui_cb(event, data);
    }
}

/* Names from the service are logged escaped: an item's whole, a menu's
 * as far as the room for the worst item name goes (1 KB). */
#define ITEM_NAME_MAX (sizeof(airable_list_item_t::name))
#define SHOWN_NAME_LEN FW_ESCAPE_MAX(ITEM_NAME_MAX)

/* The short play-info form: control byte header and a 32-byte player header. */
#define AIRABLE_PLAYER_MIN (PLAYER_MSG_LEN + PLAYER_INFO_HDR_SHORT)

static void handle_player_msg(const uint8_t *msg, uint16_t len)
{
    if (msg[PLAYER_MSG_CTRL] != MEDIA_CTRL_PLAY_INFO) {
        return; /* the service's other player messages mean nothing here */
    }
    if (len < AIRABLE_PLAYER_MIN) {
        AIRABLE_LOG("PLAYER_MSG payload too short: %u, drop\n", len);
        return;
    }
    uint64_t have = (uint64_t)len - PLAYER_MSG_LEN;
    player_ui_info_t info;
    memset(&info, 0, sizeof(info));
    uint64_t sum = player_info_fill_header(msg, &info);
    uint64_t hdr = PLAYER_INFO_HDR_SHORT;
    if (sum + PLAYER_INFO_HDR_SHORT != have && have >= PLAYER_INFO_HDR_LONG) {
        info.len4 = app_rd_be32(msg + PLAYER_OFF_LEN4);
        if (sum + PLAYER_INFO_HDR_LONG + info.len4 == have) {
            hdr = PLAYER_INFO_HDR_LONG;
        }
    }
    if (info.state == PLAYER_STATE_TRACK) {
        uint64_t need = sum + hdr + info.len4;
        if (need > have) {
            AIRABLE_LOG("PLAYER_MSG len overflow: need=%llu have=%llu, drop\n", (unsigned long long)need,
                        (unsigned long long)have);
            return;
        }
        player_info_copy_texts(msg, len, PLAYER_MSG_LEN + hdr, &info);
    }
    airable_raise_event(AIRABLE_UI_PLAYER_INFO, &info);
}

/* Parses one list item at `o`; returns its full length, or 0 when it runs
 * past the end of the message. */
static size_t parse_list_item(const uint8_t *msg, size_t len, size_t o, airable_list_item_t *item,
                              airable_list_count_t *count)
{
    const uint8_t *p = msg + o;
    uint32_t total = app_rd_be32(p + AIRABLE_ITEM_OFF_TOTAL);
    uint32_t index = app_rd_be32(p + AIRABLE_ITEM_OFF_INDEX);
    size_t name_len = p[AIRABLE_ITEM_OFF_NAME_LEN];
    size_t url_len = app_rd_be16(p + AIRABLE_ITEM_OFF_URL_LEN);
    size_t item_len = AIRABLE_ITEM_HDR_LEN + name_len + url_len;
    if (o + item_len > len) {
        return 0;
    }
    memset(item, 0, sizeof(*item));
    item->type = p[AIRABLE_ITEM_OFF_TYPE];
    item->id = app_rd_be64(p + AIRABLE_ITEM_OFF_ID);
    memcpy(item->name, p + AIRABLE_ITEM_HDR_LEN, name_len);
    size_t url_copy = url_len < sizeof(item->url) - 1 ? url_len : sizeof(item->url) - 1;
    memcpy(item->url, p + AIRABLE_ITEM_HDR_LEN + name_len, url_copy);
    count->total = total;
    count->index = index;
    return item_len;
}

static void store_list_item(const airable_list_item_t *item, const airable_list_count_t *count)
{
    if (!ui_run_page.list_head) {
        return;
    }
    ListDataUIData rec;
    memset(&rec, 0, sizeof(rec));
    rec.type = item->type;
    rec.total = count->total;
    rec.index = count->index;
    rec.id_identifier = item->id;
    snprintf(rec.title, sizeof(rec.title), "%s", item->name);
    snprintf(rec.url, sizeof(rec.url), "%s", item->url);
    ListDataUIListPushBack(ui_run_page.list_head, &rec);
}

static void handle_list_data(const uint8_t *msg, uint16_t len)
{
    if (msg[MSG_HDR_STATUS] != CMD_STATUS_READY) {
        return;
    }
    AIRABLE_LOG("list_data: dir=0x%02X status=0x%02X len=%u\n", msg[MSG_HDR_DIR], msg[MSG_HDR_STATUS], len);
    airable_list_count_t count = {0, 0};
    ListDataUIListClean(ui_run_page.list_head);
    size_t o = AIRABLE_LIST_FIRST_ITEM;
    int items = 0;
    while (o + AIRABLE_ITEM_HDR_LEN <= len) {
        airable_list_item_t item;
        airable_list_count_t at;
        size_t item_len = parse_list_item(msg, len, o, &item, &at);
        if (item_len == 0) {
            break;
        }
        count = at;
        char shown[SHOWN_NAME_LEN];
        AIRABLE_LOG("[%04u/%04u] type=0x%02x id=%llu name=\"%s\"\n", count.index, count.total, item.type,
                    (unsigned long long)item.id, fw_escape(item.name, sizeof item.name, shown, sizeof shown));
        store_list_item(&item, &count);
        airable_raise_event(AIRABLE_UI_LIST_ITEM, &item);
        o += item_len;
        items++;
    }
    AIRABLE_LOG("list_data: parsed %d items\n", items);
    airable_raise_event(AIRABLE_UI_LIST_DONE, &count);
}

static int32_t menu_number(const uint8_t *msg, size_t off)
{
    return (int32_t)app_rd_le32(msg + off);
}

static void handle_menu_info(const uint8_t *msg, uint16_t len)
{
    AIRABLE_LOG("menu_info: len=%u\n", len);
    AIRABLE_LOG("  totality=%d page=%d/%d items=%d\n", menu_number(msg, AIRABLE_MENU_OFF_TOTALITY),
                menu_number(msg, AIRABLE_MENU_OFF_PAGE), menu_number(msg, AIRABLE_MENU_OFF_PAGES),
                menu_number(msg, AIRABLE_MENU_OFF_ITEMS));
    int64_t name_len = menu_number(msg, AIRABLE_MENU_OFF_NAME_LEN);
    if (name_len > 0 && (int64_t)AIRABLE_MENU_HDR_LEN + name_len <= len) {
        char shown[SHOWN_NAME_LEN];
        AIRABLE_LOG("  menu_name=%s\n", fw_escape(msg + AIRABLE_MENU_HDR_LEN, (size_t)name_len, shown, sizeof shown));
    }
}

static void handle_init_reply(const uint8_t *msg, uint16_t)
{
    uint8_t status = msg[MSG_HDR_STATUS];
    if (status == CMD_STATUS_OKAY) {
        AIRABLE_LOG("init OKAY from backend\n");
        g_ex.init_okay.store(1);
    } else {
        AIRABLE_LOG("init status: 0x%02X\n", status);
    }
}

static void handle_set_mode_reply(const uint8_t *msg, uint16_t)
{
    uint8_t status = msg[MSG_HDR_STATUS];
    if (status == CMD_STATUS_OKAY) {
        AIRABLE_LOG("set_mode OKAY from backend\n");
        g_ex.mode_okay.store(1);
    }
}

static void handle_main_page_reply(const uint8_t *msg, uint16_t)
{
    uint8_t status = msg[MSG_HDR_STATUS];
    if (status == CMD_STATUS_READY) {
        AIRABLE_LOG("main_page status: Ready\n");
        airable_raise_event(AIRABLE_UI_MAIN_READY, NULL);
    } else if (status == CMD_STATUS_WAITING) {
        AIRABLE_LOG("main_page status: Waiting\n");
        airable_raise_event(AIRABLE_UI_MAIN_WAITING, NULL);
    } else {
        AIRABLE_LOG("main_page status: 0x%02X\n", status);
    }
}

static void handle_title_play_reply(const uint8_t *msg, uint16_t)
{
    uint8_t status = msg[MSG_HDR_STATUS];
    if (status == CMD_STATUS_OKAY) {
        AIRABLE_LOG("title_play status: OKAY\n");
        airable_raise_event(AIRABLE_UI_PLAY_OK, NULL);
    } else if (status == CMD_STATUS_WAITING) {
        AIRABLE_LOG("title_play status: Waiting\n");
        airable_raise_event(AIRABLE_UI_WAITING, NULL);
    } else {
        AIRABLE_LOG("title_play status: 0x%02X\n", status);
    }
}

static void handle_title_data_reply(const uint8_t *msg, uint16_t)
{
    uint8_t status = msg[MSG_HDR_STATUS];
    if (status == CMD_STATUS_READY) {
        AIRABLE_LOG("title_data status: Ready\n");
        airable_raise_event(AIRABLE_UI_DATA_READY, NULL);
    } else if (status == CMD_STATUS_WAITING) {
        AIRABLE_LOG("title_data status: Waiting\n");
        airable_raise_event(AIRABLE_UI_WAITING, NULL);
    } else {
        AIRABLE_LOG("title_data status: 0x%02X\n", status);
    }
}

static void handle_id_data_reply(const uint8_t *msg, uint16_t)
{
    uint8_t status = msg[MSG_HDR_STATUS];
    if (status == CMD_STATUS_READY) {
        AIRABLE_LOG("id_data status: Ready -> fetch list\n");
        airable_raise_event(AIRABLE_UI_DATA_READY, NULL);
    } else if (status == CMD_STATUS_WAITING) {
        AIRABLE_LOG("id_data status: Waiting\n");
        airable_raise_event(AIRABLE_UI_WAITING, NULL);
    } else {
        AIRABLE_LOG("id_data status: 0x%02X, stop retry\n", status);
        airable_end_pending_request();
    }
}

static void handle_id_play_reply(const uint8_t *msg, uint16_t)
{
    uint8_t status = msg[MSG_HDR_STATUS];
    if (status == CMD_STATUS_READY || status == CMD_STATUS_OKAY) {
        AIRABLE_LOG("id_play status: OKAY/Ready\n");
        airable_raise_event(AIRABLE_UI_PLAY_OK, NULL);
    } else if (status == CMD_STATUS_WAITING) {
        AIRABLE_LOG("id_play status: Waiting\n");
        airable_raise_event(AIRABLE_UI_WAITING, NULL);
    } else {
        AIRABLE_LOG("id_play status: 0x%02X, stop retry\n", status);
        airable_end_pending_request();
    }
}

/* One row per message of the service: its cmd2, the shortest message its
 * handler takes, and the handler. A shorter message, or a cmd2 that is not
 * in the table, is dropped without a word. */
typedef struct {
    uint8_t cmd2;
    uint16_t min_len;
    void (*handle)(const uint8_t *msg, uint16_t len);
} reply_route_t;

static const reply_route_t reply_routes[] = {
    {APP_CMD2_AIRABLE_INIT, MSG_HDR_LEN, handle_init_reply},
    {APP_CMD2_AIRABLE_SET_MODE, MSG_HDR_LEN, handle_set_mode_reply},
    {APP_CMD2_AIRABLE_MAIN_PAGE, MSG_HDR_LEN, handle_main_page_reply},
    {PLAYER_MSG, PLAYER_MSG_LEN, handle_player_msg},
    {APP_CMD2_AIRABLE_TITLE_PLAY, MSG_HDR_LEN, handle_title_play_reply},
    {APP_CMD2_AIRABLE_TITLE_DATA, MSG_HDR_LEN, handle_title_data_reply},
    {APP_CMD2_AIRABLE_ID_DATA, MSG_HDR_LEN, handle_id_data_reply},
    {APP_CMD2_AIRABLE_ID_DATA_ALT, MSG_HDR_LEN, handle_id_data_reply},
    {APP_CMD2_AIRABLE_ID_PLAY, MSG_HDR_LEN, handle_id_play_reply},
    {APP_CMD2_AIRABLE_MENU_INFO, AIRABLE_MENU_HDR_LEN, handle_menu_info},
    {APP_CMD2_AIRABLE_LIST_DATA, AIRABLE_LIST_FIRST_ITEM, handle_list_data},
};

void airable_data_register_ui_cb(airable_ui_cb_t cb)
{
    g_ui_cb = cb;
}

void airable_data_exchange_init(void)
{
    comm_mgr_set_app_msg_cb(APP_ID_AIRABLE, airable_uds_cb);
}

void airable_uds_cb(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t len)
{
    (void)app_id; /* whatever registered as the Airable service is taken as it */
    (void)cmd1;
    if (!payload) {
        return;
    }
    for (const reply_route_t *route = reply_routes; route < reply_routes + sizeof reply_routes / sizeof reply_routes[0];
         route++) {
        if (route->cmd2 == cmd2) {
            if (len >= route->min_len) {
                route->handle(payload, len);
            }
            return;
        }
    }
}
