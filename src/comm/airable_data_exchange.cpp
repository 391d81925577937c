#include "airable_data_exchange.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "comm_mgr_lvgl.h"
#include "fw_common.h"
#include "ui/list_data_ui.h"
#include "ui/ui_data_update.h"

#define AIRABLE_TAG "\033[1;33m[Controller Airable][%s:%d]\033[0m "
#define AIRABLE_LOG(fmt, ...) printf(AIRABLE_TAG fmt, __func__, __LINE__, ##__VA_ARGS__)

airable_exchange_t g_ex;
airable_request_t g_main_state;

namespace {

constexpr size_t kInitMaxLen = AIRABLE_INIT_HDR_LEN + AIRABLE_UDID_LEN + AIRABLE_SECRET_LEN + AIRABLE_URL_LEN;
/* The short play-info form: control byte header and a 32-byte player header. */
constexpr uint16_t kAirablePlayerMin = PLAYER_MSG_LEN + PLAYER_INFO_HDR_SHORT;

pthread_t g_init_tid;
pthread_t g_mode_tid;
/* Serialises the handshake state changes of the start operations and the
 * watchdogs; never held across a send or a log line. */
pthread_mutex_t g_hs_lock = PTHREAD_MUTEX_INITIALIZER;
bool g_init_thread_started;
bool g_mode_thread_started;
std::atomic<airable_sleep_fn_t> g_sleep_fn{nullptr};
airable_ui_cb_t g_ui_cb;

void real_sleep(unsigned ms)
{
    struct timespec ts = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

void watchdog_sleep(int watchdog, unsigned ms)
{
    airable_sleep_fn_t fn = g_sleep_fn.load();
    if (fn)
        fn(watchdog, ms);
    else
        real_sleep(ms);
}

void copy_cut(char *dst, size_t cap, const char *src)
{
    snprintf(dst, cap, "%s", src ? src : "");
}

int send_airable(uint8_t cmd2, const uint8_t *msg, size_t len)
{
    return comm_mgr_send(APP_ID_AIRABLE, APP_ID_AIRABLE, cmd2, msg, (uint16_t)len);
}

int send_set_mode(uint8_t mode)
{
    uint8_t msg[AIRABLE_SET_MODE_LEN] = {MSG_DIR_REQUEST, 0, MSG_CLASS_BROWSE, mode};
    return send_airable(APP_CMD2_AIRABLE_SET_MODE, msg, sizeof(msg));
}

void raise_event(int event, void *data)
{
    if (g_ui_cb)
        g_ui_cb(event, data);
}

/* --- handshakes ---------------------------------------------------------- */

enum wd_action { WD_IDLE, WD_SUCCESS, WD_WAIT, WD_RESEND, WD_GIVE_UP };

struct handshake {
    std::atomic<int32_t> &in_progress;
    std::atomic<int32_t> &okay;
    std::atomic<int32_t> &retry;
};

/* One watchdog poll: the state change, made under the handshake lock.
 * `left` receives the resends left after a resend. */
wd_action watchdog_poll(const handshake &hs, int &elapsed, int32_t &left)
{
    pthread_mutex_lock(&g_hs_lock);
    wd_action action = WD_WAIT;
    if (hs.in_progress.load() == 0) {
        action = WD_IDLE;
    } else if (hs.okay.load() == 1) {
        hs.in_progress.store(0);
        action = WD_SUCCESS;
    } else if ((elapsed += AIRABLE_HS_POLL_MS) >= AIRABLE_HS_RESEND_MS) {
        elapsed = 0;
        int32_t before = hs.retry.fetch_sub(1);
        if (before > 0) {
            left = before - 1;
            action = WD_RESEND;
        } else {
            hs.in_progress.store(0);
            action = WD_GIVE_UP;
        }
    }
    pthread_mutex_unlock(&g_hs_lock);
    return action;
}

void *init_retry_thread(void *arg)
{
    (void)arg;
    const handshake hs{g_ex.init_in_progress, g_ex.init_okay, g_ex.init_retry};
    int elapsed = 0;
    for (;;) {
        watchdog_sleep(AIRABLE_WATCHDOG_INIT, AIRABLE_HS_POLL_MS);
        int32_t left = 0;
        switch (watchdog_poll(hs, elapsed, left)) {
        case WD_SUCCESS:
            AIRABLE_LOG("init success: backend replied CMD_STATUS_OKAY\n");
            break;
        case WD_RESEND:
            AIRABLE_LOG("init no ack, resend (%d left)\n", left);
            init_send_locked();
            break;
        case WD_GIVE_UP:
            AIRABLE_LOG("init failed: no OKAY after retries\n");
            break;
        default:
            break;
        }
    }
    return nullptr;
}

void *mode_retry_thread(void *arg)
{
    (void)arg;
    const handshake hs{g_ex.mode_in_progress, g_ex.mode_okay, g_ex.mode_retry};
    int elapsed = 0;
    for (;;) {
        watchdog_sleep(AIRABLE_WATCHDOG_MODE, AIRABLE_HS_POLL_MS);
        int32_t left = 0;
        switch (watchdog_poll(hs, elapsed, left)) {
        case WD_SUCCESS:
            AIRABLE_LOG("set_mode success: backend replied CMD_STATUS_OKAY\n");
            break;
        case WD_RESEND: {
            uint8_t mode = g_ex.mode.load();
            AIRABLE_LOG("set_mode no ack, resend mode=%u (%d left)\n", mode, left);
            send_set_mode(mode);
            break;
        }
        case WD_GIVE_UP:
            AIRABLE_LOG("set_mode failed: no OKAY after retries\n");
            break;
        default:
            break;
        }
    }
    return nullptr;
}

/* Creates a watchdog thread once per process. A failed creation is logged
 * and tried again at the next start of that handshake. */
void start_retry_thread(bool &started, pthread_t &tid, void *(*fn)(void *), const char *name)
{
    pthread_mutex_lock(&g_hs_lock);
    int rc = 0;
    if (!started) {
        rc = pthread_create(&tid, nullptr, fn, nullptr);
        if (rc == 0) {
            pthread_detach(tid);
            started = true;
        }
    }
    pthread_mutex_unlock(&g_hs_lock);
    if (rc != 0)
        AIRABLE_LOG("%s watchdog thread create failed: %s\n", name, strerror(rc));
}

/* --- requests ------------------------------------------------------------ */

void end_pending_request(void)
{
    if (g_main_state.timer) {
        lv_timer_delete(g_main_state.timer);
        g_main_state.timer = nullptr;
    }
}

void airable_req_timer_cb(lv_timer_t *timer)
{
    airable_request_t *st = (airable_request_t *)lv_timer_get_user_data(timer);
    if (st->retry > 0) {
        if (st->send)
            st->send();
        st->retry--;
        return;
    }
    if (++st->idle_ticks <= AIRABLE_REQ_IDLE_TICKS)
        return;
    FW_LOG(FW_LOG_WRN, "airable request timeout");
    lv_timer_delete(timer);
    st->timer = nullptr;
}

int start_default_request(airable_send_fn_t send)
{
    return airable_start_request(send, 0, AIRABLE_REQ_RESENDS, AIRABLE_REQ_PERIOD_MS);
}

int send_title_request(uint8_t cmd2, const char *title)
{
    int len = airable_build_title(g_ex.req_buf, title);
    return send_airable(cmd2, g_ex.req_buf, (size_t)len);
}

/* --- replies ------------------------------------------------------------- */

void handle_player_msg(const uint8_t *msg, uint16_t len)
{
    if (len < kAirablePlayerMin) {
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
        if (sum + PLAYER_INFO_HDR_LONG + info.len4 == have)
            hdr = PLAYER_INFO_HDR_LONG;
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
    raise_event(AIRABLE_UI_PLAYER_INFO, &info);
}

/* Parses one list item at `o`; returns its full length, or 0 when it runs
 * past the end of the message. */
size_t parse_list_item(const uint8_t *msg, size_t len, size_t o, airable_list_item_t &item, airable_list_count_t &count)
{
    const uint8_t *p = msg + o;
    uint32_t total = app_rd_be32(p + AIRABLE_ITEM_OFF_TOTAL);
    uint32_t index = app_rd_be32(p + AIRABLE_ITEM_OFF_INDEX);
    size_t name_len = p[AIRABLE_ITEM_OFF_NAME_LEN];
    size_t url_len = app_rd_be16(p + AIRABLE_ITEM_OFF_URL_LEN);
    size_t item_len = AIRABLE_ITEM_HDR_LEN + name_len + url_len;
    if (o + item_len > len)
        return 0;
    memset(&item, 0, sizeof(item));
    item.type = p[AIRABLE_ITEM_OFF_TYPE];
    item.id = app_rd_be64(p + AIRABLE_ITEM_OFF_ID);
    memcpy(item.name, p + AIRABLE_ITEM_HDR_LEN, name_len);
    size_t url_copy = url_len < sizeof(item.url) - 1 ? url_len : sizeof(item.url) - 1;
    memcpy(item.url, p + AIRABLE_ITEM_HDR_LEN + name_len, url_copy);
    count.total = total;
    count.index = index;
    return item_len;
}

void store_list_item(const airable_list_item_t &item, const airable_list_count_t &count)
{
    if (!ui_run_page.list_head)
        return;
    ListDataUIData rec;
    memset(&rec, 0, sizeof(rec));
    rec.type = item.type;
    rec.total = count.total;
    rec.index = count.index;
    rec.id_identifier = item.id;
    snprintf(rec.title, sizeof(rec.title), "%s", item.name);
    snprintf(rec.url, sizeof(rec.url), "%s", item.url);
    ListDataUIListPushBack(ui_run_page.list_head, &rec);
}

void handle_list_data(const uint8_t *msg, uint16_t len)
{
    if (msg[MSG_HDR_STATUS] != CMD_STATUS_READY)
        return;
    AIRABLE_LOG("list_data: dir=0x%02X status=0x%02X len=%u\n", msg[MSG_HDR_DIR], msg[MSG_HDR_STATUS], len);
    airable_list_count_t count = {0, 0};
    ListDataUIListClean(ui_run_page.list_head);
    size_t o = AIRABLE_LIST_FIRST_ITEM;
    int items = 0;
    while (o + AIRABLE_ITEM_HDR_LEN <= len) {
        airable_list_item_t item;
        airable_list_count_t at;
        size_t item_len = parse_list_item(msg, len, o, item, at);
        if (item_len == 0)
            break;
        count = at;
        AIRABLE_LOG("[%04u/%04u] type=0x%02x id=%llu name=\"%s\"\n", count.index, count.total, item.type,
                    (unsigned long long)item.id, item.name);
        store_list_item(item, count);
        raise_event(AIRABLE_UI_LIST_ITEM, &item);
        o += item_len;
        items++;
    }
    AIRABLE_LOG("list_data: parsed %d items\n", items);
    raise_event(AIRABLE_UI_LIST_DONE, &count);
}

int32_t menu_number(const uint8_t *msg, size_t off)
{
    return (int32_t)app_rd_le32(msg + off);
}

void handle_menu_info(const uint8_t *msg, uint16_t len)
{
    AIRABLE_LOG("menu_info: len=%u\n", len);
    AIRABLE_LOG("  totality=%d page=%d/%d items=%d\n", menu_number(msg, AIRABLE_MENU_OFF_TOTALITY),
                menu_number(msg, AIRABLE_MENU_OFF_PAGE), menu_number(msg, AIRABLE_MENU_OFF_PAGES),
                menu_number(msg, AIRABLE_MENU_OFF_ITEMS));
    int64_t name_len = menu_number(msg, AIRABLE_MENU_OFF_NAME_LEN);
    if (name_len > 0 && (int64_t)AIRABLE_MENU_HDR_LEN + name_len <= len)
        AIRABLE_LOG("  menu_name=%.*s\n", (int)name_len, (const char *)(msg + AIRABLE_MENU_HDR_LEN));
}

void handle_init_reply(uint8_t status)
{
    if (status == CMD_STATUS_OKAY) {
        AIRABLE_LOG("init OKAY from backend\n");
        g_ex.init_okay.store(1);
    } else {
        AIRABLE_LOG("init status: 0x%02X\n", status);
    }
}

void handle_set_mode_reply(uint8_t status)
{
    if (status == CMD_STATUS_OKAY) {
        AIRABLE_LOG("set_mode OKAY from backend\n");
        g_ex.mode_okay.store(1);
    }
}

void handle_main_page_reply(uint8_t status)
{
    if (status == CMD_STATUS_READY) {
        AIRABLE_LOG("main_page status: Ready\n");
        raise_event(AIRABLE_UI_MAIN_READY, nullptr);
    } else if (status == CMD_STATUS_WAITING) {
        AIRABLE_LOG("main_page status: Waiting\n");
        raise_event(AIRABLE_UI_MAIN_WAITING, nullptr);
    } else {
        AIRABLE_LOG("main_page status: 0x%02X\n", status);
    }
}

void handle_title_play_reply(uint8_t status)
{
    if (status == CMD_STATUS_OKAY) {
        AIRABLE_LOG("title_play status: OKAY\n");
        raise_event(AIRABLE_UI_PLAY_OK, nullptr);
    } else if (status == CMD_STATUS_WAITING) {
        AIRABLE_LOG("title_play status: Waiting\n");
        raise_event(AIRABLE_UI_WAITING, nullptr);
    } else {
        AIRABLE_LOG("title_play status: 0x%02X\n", status);
    }
}

void handle_title_data_reply(uint8_t status)
{
    if (status == CMD_STATUS_READY) {
        AIRABLE_LOG("title_data status: Ready\n");
        raise_event(AIRABLE_UI_DATA_READY, nullptr);
    } else if (status == CMD_STATUS_WAITING) {
        AIRABLE_LOG("title_data status: Waiting\n");
        raise_event(AIRABLE_UI_WAITING, nullptr);
    } else {
        AIRABLE_LOG("title_data status: 0x%02X\n", status);
    }
}

void handle_id_data_reply(uint8_t status)
{
    if (status == CMD_STATUS_READY) {
        AIRABLE_LOG("id_data status: Ready -> fetch list\n");
        raise_event(AIRABLE_UI_DATA_READY, nullptr);
    } else if (status == CMD_STATUS_WAITING) {
        AIRABLE_LOG("id_data status: Waiting\n");
        raise_event(AIRABLE_UI_WAITING, nullptr);
    } else {
        AIRABLE_LOG("id_data status: 0x%02X, stop retry\n", status);
        end_pending_request();
    }
}

void handle_id_play_reply(uint8_t status)
{
    if (status == CMD_STATUS_READY || status == CMD_STATUS_OKAY) {
        AIRABLE_LOG("id_play status: OKAY/Ready\n");
        raise_event(AIRABLE_UI_PLAY_OK, nullptr);
    } else if (status == CMD_STATUS_WAITING) {
        AIRABLE_LOG("id_play status: Waiting\n");
        raise_event(AIRABLE_UI_WAITING, nullptr);
    } else {
        AIRABLE_LOG("id_play status: 0x%02X, stop retry\n", status);
        end_pending_request();
    }
}

} // namespace

/* --- message builders ---------------------------------------------------- */

int airable_build_init(uint8_t *out, size_t cap, const char *udid, const char *secret, const char *url)
{
    size_t ul = strlen(udid), sl = strlen(secret), rl = strlen(url);
    if (rl > AIRABLE_INIT_URL_MAX || ul > UINT16_MAX || sl > UINT16_MAX || AIRABLE_INIT_HDR_LEN + ul + sl + rl > cap)
        return FW_ERR_SIZE;
    app_wr_be16(out, (uint16_t)ul);
    app_wr_be16(out + 2, (uint16_t)sl);
    app_wr_be16(out + 4, (uint16_t)rl);
    memcpy(out + AIRABLE_INIT_HDR_LEN, udid, ul);
    memcpy(out + AIRABLE_INIT_HDR_LEN + ul, secret, sl);
    memcpy(out + AIRABLE_INIT_HDR_LEN + ul + sl, url, rl);
    return (int)(AIRABLE_INIT_HDR_LEN + ul + sl + rl);
}

int airable_build_title(uint8_t out[AIRABLE_REQ_BUF_LEN], const char *title)
{
    size_t n = title ? strnlen(title, AIRABLE_TITLE_LEN - 1) : 0;
    app_wr_request_hdr(out, MSG_CLASS_BROWSE);
    app_wr_be16(out + MSG_HDR_LEN, (uint16_t)(n + 2));
    app_wr_be16(out + AIRABLE_TITLE_OFF_LEN, (uint16_t)n);
    if (n)
        memcpy(out + AIRABLE_TITLE_HDR_LEN, title, n);
    return (int)(AIRABLE_TITLE_HDR_LEN + n);
}

int airable_build_id_data(uint8_t out[AIRABLE_ID_LEN], uint64_t id)
{
    app_wr_le64(out, id);
    return AIRABLE_ID_LEN;
}

int airable_build_id_play(uint8_t out[AIRABLE_ID_PLAY_LEN], uint64_t id)
{
    app_wr_request_hdr(out, MSG_CLASS_PLAYER);
    app_wr_le64(out + MSG_HDR_LEN, id);
    return AIRABLE_ID_PLAY_LEN;
}

int airable_build_list_data(uint8_t out[AIRABLE_LIST_REQ_LEN], int32_t start, int32_t end)
{
    app_wr_request_hdr(out, MSG_CLASS_LIST_RANGE);
    app_wr_be16(out + MSG_HDR_LEN, AIRABLE_LIST_REQ_COUNT);
    app_wr_be32(out + AIRABLE_LIST_REQ_OFF_START, (uint32_t)start);
    app_wr_be32(out + AIRABLE_LIST_REQ_OFF_END, (uint32_t)end);
    return AIRABLE_LIST_REQ_LEN;
}

/* --- handshakes ---------------------------------------------------------- */

void airable_set_watchdog_sleep(airable_sleep_fn_t fn)
{
    g_sleep_fn.store(fn);
}

int init_send_locked(void)
{
    uint8_t msg[kInitMaxLen];
    int len = airable_build_init(msg, sizeof(msg), g_ex.udid, g_ex.secret, g_ex.url);
    if (len < 0)
        return len;
    return send_airable(APP_CMD2_AIRABLE_INIT, msg, (size_t)len);
}

int airable_init_data(const char *url, const char *udid, const char *secret)
{
    /* The secret never reaches the log; only whether one was given. */
    AIRABLE_LOG("enter: url=%s udid=%s secret=%s\n", url ? url : "(null)", udid ? udid : "(null)",
                secret ? "(hidden)" : "(null)");
    pthread_mutex_lock(&g_hs_lock);
    bool busy = g_ex.init_in_progress.load() == 1;
    if (!busy) {
        copy_cut(g_ex.url, sizeof(g_ex.url), url);
        copy_cut(g_ex.udid, sizeof(g_ex.udid), udid);
        copy_cut(g_ex.secret, sizeof(g_ex.secret), secret);
        g_ex.init_okay.store(0);
        g_ex.init_retry.store(AIRABLE_HS_RETRIES);
        g_ex.init_in_progress.store(1);
    }
    pthread_mutex_unlock(&g_hs_lock);
    if (busy) {
        AIRABLE_LOG("init already in progress, skip\n");
        return 0;
    }
    AIRABLE_LOG("lens: udid=%d secret=%d url=%d\n", (int)strlen(g_ex.udid), (int)strlen(g_ex.secret),
                (int)strlen(g_ex.url));
    int ret = init_send_locked();
    AIRABLE_LOG("send APP_CMD2_AIRABLE_INIT ret=%d, waiting OKAY...\n", ret);
    start_retry_thread(g_init_thread_started, g_init_tid, init_retry_thread, "init");
    return ret;
}

int airable_set_mode_async(int mode)
{
    AIRABLE_LOG("enter: mode=%u\n", (unsigned)mode);
    ui_run_page.airable_mode = mode;
    pthread_mutex_lock(&g_hs_lock);
    g_ex.mode_okay.store(0);
    g_ex.mode.store((uint8_t)mode);
    g_ex.mode_retry.store(AIRABLE_HS_RETRIES);
    g_ex.mode_in_progress.store(1);
    pthread_mutex_unlock(&g_hs_lock);
    int ret = send_set_mode((uint8_t)mode);
    AIRABLE_LOG("send SET_MODE mode=%u ret=%d, waiting OKAY...\n", (unsigned)(uint8_t)mode, ret);
    start_retry_thread(g_mode_thread_started, g_mode_tid, mode_retry_thread, "set_mode");
    return ret;
}

int airable_set_mode(int mode)
{
    return send_set_mode((uint8_t)mode);
}

void airable_set_mode_okay(void)
{
    g_ex.mode_okay.store(1);
}

/* --- requests ------------------------------------------------------------ */

int airable_start_request(airable_send_fn_t send, int32_t ready, int32_t retry, uint32_t period_ms)
{
    end_pending_request();
    g_main_state.send = send;
    g_main_state.ready = ready;
    g_main_state.retry = retry;
    g_main_state.idle_ticks = 0;
    if (send)
        send();
    g_main_state.timer = lv_timer_create(airable_req_timer_cb, period_ms, &g_main_state);
    return 0;
}

int airable_send_main_page(void)
{
    const uint8_t msg[MSG_HDR_LEN] = {MSG_DIR_REQUEST, 0, MSG_CLASS_BROWSE};
    return send_airable(APP_CMD2_AIRABLE_MAIN_PAGE, msg, sizeof(msg));
}

int _send_title_data(void)
{
    return send_title_request(APP_CMD2_AIRABLE_TITLE_DATA, g_ex.title);
}

int _send_play_title_data(void)
{
    return send_title_request(APP_CMD2_AIRABLE_TITLE_PLAY, g_ex.title);
}

int _send_id_data(void)
{
    return airable_get_id_data(g_ex.req_id);
}

int _send_play_id_data(void)
{
    return airable_id_play_send(g_ex.play_id);
}

int get_main_page_data(void)
{
    return start_default_request(airable_send_main_page);
}

int get_title_page_data(const char *title)
{
    copy_cut(g_ex.title, sizeof(g_ex.title), title);
    return start_default_request(_send_title_data);
}

int get_id_page_data(uint64_t id)
{
    g_ex.req_id = id;
    AIRABLE_LOG("get_id_page_data: id=%llu\n", (unsigned long long)id);
    return start_default_request(_send_id_data);
}

int airable_play_title(const char *title)
{
    copy_cut(g_ex.title, sizeof(g_ex.title), title);
    return start_default_request(_send_play_title_data);
}

int airable_title_list(const char *title)
{
    return airable_play_title(title);
}

int airable_play_id(uint64_t id)
{
    g_ex.play_id = id;
    AIRABLE_LOG("airable_play_id: id=%llu\n", (unsigned long long)id);
    return start_default_request(_send_play_id_data);
}

int airable_get_list_data(void)
{
    uint8_t msg[AIRABLE_LIST_REQ_LEN];
    airable_build_list_data(msg, ui_run_page.list_start, ui_run_page.list_end);
    return send_airable(APP_CMD2_AIRABLE_LIST_DATA, msg, sizeof(msg));
}

int get_page_data_ready(void)
{
    end_pending_request();
    return airable_get_list_data();
}

void get_title_play_okey(void)
{
    end_pending_request();
}

void airable_request_set_ready(void (*then)(void))
{
    end_pending_request();
    if (then)
        then();
}

int airable_msg_ctrl(int code)
{
    const uint8_t msg[PLAYER_MSG_LEN] = {MSG_DIR_REQUEST, 0, MSG_CLASS_BROWSE, (uint8_t)code};
    return send_airable(APP_CMD2_AIRABLE_MSG_CTRL, msg, sizeof(msg));
}

int airable_get_title_data(const char *title)
{
    return send_title_request(APP_CMD2_AIRABLE_TITLE_DATA, title);
}

int airable_title_play_send(const char *title)
{
    return send_title_request(APP_CMD2_AIRABLE_TITLE_PLAY, title);
}

int airable_get_id_data(uint64_t id)
{
    uint8_t msg[AIRABLE_ID_LEN];
    airable_build_id_data(msg, id);
    return send_airable(APP_CMD2_AIRABLE_ID_DATA, msg, sizeof(msg));
}

int airable_id_play_send(uint64_t id)
{
    uint8_t msg[AIRABLE_ID_PLAY_LEN];
    airable_build_id_play(msg, id);
    return send_airable(APP_CMD2_AIRABLE_ID_PLAY, msg, sizeof(msg));
}

int airable_media_ctrl(int ctrl)
{
    uint8_t msg[PLAYER_MSG_LEN];
    player_msg_build(msg, ctrl);
    return send_airable(PLAYER_MSG, msg, sizeof(msg));
}

int airable_play_check_info(void)
{
    return airable_media_ctrl(MEDIA_CTRL_PLAY_INFO);
}

/* --- replies ------------------------------------------------------------- */

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
    if (!payload || len < MSG_HDR_LEN)
        return;
    uint8_t status = payload[MSG_HDR_STATUS];
    switch (cmd2) {
    case APP_CMD2_AIRABLE_INIT:
        handle_init_reply(status);
        break;
    case APP_CMD2_AIRABLE_SET_MODE:
        handle_set_mode_reply(status);
        break;
    case APP_CMD2_AIRABLE_MAIN_PAGE:
        handle_main_page_reply(status);
        break;
    case PLAYER_MSG:
        if (len >= PLAYER_MSG_LEN && payload[PLAYER_MSG_CTRL] == MEDIA_CTRL_PLAY_INFO)
            handle_player_msg(payload, len);
        break;
    case APP_CMD2_AIRABLE_TITLE_PLAY:
        handle_title_play_reply(status);
        break;
    case APP_CMD2_AIRABLE_TITLE_DATA:
        handle_title_data_reply(status);
        break;
    case APP_CMD2_AIRABLE_ID_DATA:
    case APP_CMD2_AIRABLE_ID_DATA_ALT:
        handle_id_data_reply(status);
        break;
    case APP_CMD2_AIRABLE_ID_PLAY:
        handle_id_play_reply(status);
        break;
    case APP_CMD2_AIRABLE_MENU_INFO:
        if (len >= AIRABLE_MENU_HDR_LEN)
            handle_menu_info(payload, len);
        break;
    case APP_CMD2_AIRABLE_LIST_DATA:
        if (len >= AIRABLE_LIST_FIRST_ITEM)
            handle_list_data(payload, len);
        break;
    default:
        break;
    }
}
