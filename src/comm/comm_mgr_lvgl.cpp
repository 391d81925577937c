#include "comm_mgr_lvgl.h"

#include <atomic>

#include "comm_mgr_internal.h"
#include "fw_common.h"
#include "fw_heartbeat.h"
#include "fw_proto.h"
#include "lvgl.h"

static uds_server_t g_server;
static hb_monitor_t g_hb;
static uds_msg_cb_t g_app_msg[FW_APP_SLOTS];
static uds_msg_cb_t g_on_msg;
static uds_conn_cb_t g_on_connect;
static uds_conn_cb_t g_on_disconnect;
static lv_timer_t *g_poll_timer;
/* Set while g_server listens; read by comm_mgr_remove_socket_file on any thread. */
static std::atomic<bool> g_listening;
/* Ids the monitor timed out and the GUI thread has not dropped yet, bit n
 * for id n: written by the heartbeat thread, taken by the poll timer. */
static std::atomic<uint32_t> g_timed_out;
static_assert(FW_APP_SLOTS <= 32, "one bit per watched id");

static void on_server_msg(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len)
{
    hb_monitor_feed(&g_hb, app_id);
    if (cmd1 == FW_CMD1_CTRL && cmd2 == FW_CMD2_HEARTBEAT) {
        return;
    }
    if (app_id < FW_APP_SLOTS && g_app_msg[app_id]) {
        g_app_msg[app_id](app_id, cmd1, cmd2, payload, payload_len);
        return;
    }
    if (g_on_msg) {
        g_on_msg(app_id, cmd1, cmd2, payload, payload_len);
    }
}

static void on_connect(uint8_t app_id)
{
    hb_monitor_feed(&g_hb, app_id);
    if (g_on_connect) {
        g_on_connect(app_id);
    }
    FW_LOG(FW_LOG_INF, "App %u connected", app_id);
}

static void on_disconnect(uint8_t app_id)
{
    hb_monitor_remove(&g_hb, app_id);
    if (g_on_disconnect) {
        g_on_disconnect(app_id);
    }
    FW_LOG(FW_LOG_INF, "App %u disconnected", app_id);
}

/* The monitor's timeout callback, on its thread: the GUI thread owns the
 * server, so the id is only noted for the next poll timer. */
static void note_timeout(uint8_t app_id, void *user_data)
{
    (void)user_data;
    if (app_id < FW_APP_SLOTS) {
        g_timed_out.fetch_or(1u << app_id);
    }
}

/* GUI thread. An id fed since the monitor timed it out was heard from again,
 * by its service or by a new connection that registered it after the silent
 * one left: that is not the connection that fell silent, and its watch goes
 * on. Otherwise the silent connection is the entry holding the id, if any
 * (an id in use cannot be registered twice). */
static void on_app_timeout(uint8_t app_id)
{
    if (hb_monitor_watching(&g_hb, app_id)) {
        return;
    }
    if (uds_server_find_client(&g_server, app_id)) {
        FW_LOG(FW_LOG_WRN, "Timeout app %u", app_id);
        uds_server_remove_client(&g_server, app_id);
    } else {
        if (g_on_disconnect) {
            g_on_disconnect(app_id);
        }
        hb_monitor_remove(&g_hb, app_id);
    }
}

static void drop_timed_out(void)
{
    uint32_t ids = g_timed_out.exchange(0);
    for (uint8_t id = 0; ids != 0; id++, ids >>= 1) {
        if (ids & 1u) {
            on_app_timeout(id);
        }
    }
}

/* Timeouts first, as the monitor decided them: a late frame of a silent
 * service is not read. */
static void poll_timer_cb(lv_timer_t *timer)
{
    (void)timer;
    drop_timed_out();
    uds_server_poll(&g_server, 0);
}

static void stop_server(void)
{
    g_listening = false;
    uds_server_stop(&g_server);
}

int comm_mgr_init(void)
{
    g_server.msg_cb = on_server_msg;
    g_server.conn_cb = on_connect;
    g_server.disconn_cb = on_disconnect;
    /* A service the monitor cannot watch could never be timed out. */
    g_server.app_id_limit = FW_APP_SLOTS;
    if (uds_server_start(&g_server) != 0) {
        FW_LOG(FW_LOG_ERR, "UDS server start failed");
        return -1;
    }
    g_listening = true;
    g_timed_out = 0;
    if (hb_monitor_start(&g_hb, note_timeout, NULL) != 0) {
        FW_LOG(FW_LOG_ERR, "Heartbeat monitor start failed");
        stop_server();
        return -1;
    }
    g_poll_timer = lv_timer_create(poll_timer_cb, COMM_MGR_POLL_PERIOD_MS, NULL);
    if (!g_poll_timer) {
        FW_LOG(FW_LOG_ERR, "LVGL timer create failed");
        hb_monitor_stop(&g_hb);
        stop_server();
        return -1;
    }
    FW_LOG(FW_LOG_INF, "Communication manager initialized");
    return 0;
}

void comm_mgr_deinit(void)
{
    if (g_poll_timer) {
        lv_timer_delete(g_poll_timer);
        g_poll_timer = NULL;
    }
    /* The server first: its stop reports every registered client, and each
     * report removes the client from the monitor, whose lock must still
     * exist. A timeout the monitor notes meanwhile is never taken. */
    stop_server();
    hb_monitor_stop(&g_hb);
    FW_LOG(FW_LOG_INF, "Communication manager deinitialized");
}

void comm_mgr_remove_socket_file(void)
{
    if (g_listening) {
        uds_server_remove_socket_file(&g_server);
    }
}

int comm_mgr_send(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len)
{
    return uds_server_post(&g_server, app_id, cmd1, cmd2, payload, payload_len);
}

void comm_mgr_set_app_msg_cb(uint8_t app_id, uds_msg_cb_t cb)
{
    if (app_id < FW_APP_SLOTS) {
        g_app_msg[app_id] = cb;
    }
}

void comm_mgr_set_msg_cb(uds_msg_cb_t cb)
{
    g_on_msg = cb;
}

void comm_mgr_set_conn_cb(uds_conn_cb_t cb)
{
    g_on_connect = cb;
}

void comm_mgr_set_disconn_cb(uds_conn_cb_t cb)
{
    g_on_disconnect = cb;
}

int comm_mgr_get_client_count(void)
{
    int count = 0;
    for (int i = 0; i < g_server.client_count; i++) {
        if (g_server.clients[i].app_id != 0 && g_server.clients[i].active != 0) {
            count++;
        }
    }
    return count;
}

hb_monitor_t *comm_mgr_monitor(void)
{
    return &g_hb;
}
