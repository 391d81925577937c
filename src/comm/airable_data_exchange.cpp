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

constexpr size_t kInitHdrLen = 6;
constexpr size_t kInitMaxLen = kInitHdrLen + AIRABLE_UDID_LEN + AIRABLE_SECRET_LEN + AIRABLE_URL_LEN;
constexpr size_t kTitleHdrLen = 7;
constexpr size_t kIdLen = 8;
constexpr size_t kIdPlayLen = MSG_HDR_LEN + kIdLen;
constexpr size_t kListReqLen = 13;
constexpr uint16_t kListReqCount = 8;
constexpr size_t kListFirstItem = 5;
constexpr size_t kListItemHdr = 20;
constexpr size_t kMenuInfoMin = 28;
constexpr size_t kMenuNameLenOff = 16;
constexpr size_t kStatusOff = 1;
constexpr size_t kMinReplyLen = 3;
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

void wr_le64(uint8_t *p, uint64_t v)
{
    for (size_t i = 0; i < kIdLen; i++)
        p[i] = (uint8_t)(v >> (8 * i));
}

int32_t rd_le32(const uint8_t *p)
{
    return (int32_t)((uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24));
}

int send_airable(uint8_t cmd2, const uint8_t *msg, size_t len)
{
    return comm_mgr_send(APP_ID_AIRABLE, APP_ID_AIRABLE, cmd2, msg, (uint16_t)len);
}

int send_set_mode(uint8_t mode)
{
    uint8_t msg[PLAYER_MSG_LEN] = {MSG_DIR_REQUEST, 0, MSG_CLASS_BROWSE, mode};
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
        info.len4 = player_rd_be32(msg + PLAYER_MSG_LEN + PLAYER_INFO_HDR_SHORT);
        if (sum + PLAYER_INFO_HDR_LONG + info.len4 == have)
            hdr = PLAYER_INFO_HDR_LONG;
    }
    if (info.state == 1) {
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
    uint32_t total = player_rd_be32(p);
    uint32_t index = player_rd_be32(p + 4);
    size_t name_len = p[17];
    size_t url_len = player_rd_be16(p + 18);
    size_t item_len = kListItemHdr + name_len + url_len;
    if (o + item_len > len)
        return 0;
    memset(&item, 0, sizeof(item));
    item.type = p[8];
    item.id = player_rd_be64(p + 9);
    memcpy(item.name, p + kListItemHdr, name_len);
    size_t url_copy = url_len < sizeof(item.url) - 1 ? url_len : sizeof(item.url) - 1;
    memcpy(item.url, p + kListItemHdr + name_len, url_copy);
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
    if (msg[kStatusOff] != CMD_STATUS_READY)
        return;
    AIRABLE_LOG("list_data: dir=0x%02X status=0x%02X len=%u\n", msg[0], msg[kStatusOff], len);
    airable_list_count_t count = {0, 0};
    ListDataUIListClean(ui_run_page.list_head);
    size_t o = kListFirstItem;
    int items = 0;
    while (o + kListItemHdr <= len) {
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

void handle_menu_info(const uint8_t *msg, uint16_t len)
{
    AIRABLE_LOG("menu_info: len=%u\n", len);
    AIRABLE_LOG("  totality=%d page=%d/%d items=%d\n", rd_le32(msg), rd_le32(msg + 8), rd_le32(msg + 4),
                rd_le32(msg + 12));
    int64_t name_len = rd_le32(msg + kMenuNameLenOff);
    if (name_len > 0 && (int64_t)kMenuInfoMin + name_len <= len)
        AIRABLE_LOG("  menu_name=%.*s\n", (int)name_len, (const char *)(msg + kMenuInfoMin));
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
    if (rl > AIRABLE_INIT_URL_MAX || ul > UINT16_MAX || sl > UINT16_MAX || kInitHdrLen + ul + sl + rl > cap)
        return FW_ERR_SIZE;
    player_wr_be16(out, (uint16_t)ul);
    player_wr_be16(out + 2, (uint16_t)sl);
    player_wr_be16(out + 4, (uint16_t)rl);
    memcpy(out + kInitHdrLen, udid, ul);
    memcpy(out + kInitHdrLen + ul, secret, sl);
    memcpy(out + kInitHdrLen + ul + sl, url, rl);
    return (int)(kInitHdrLen + ul + sl + rl);
}

int airable_build_title(uint8_t out[AIRABLE_REQ_BUF_LEN], const char *title)
{
    size_t n = title ? strnlen(title, AIRABLE_TITLE_LEN - 1) : 0;
    out[0] = MSG_DIR_REQUEST;
    out[1] = 0;
    out[2] = MSG_CLASS_BROWSE;
    player_wr_be16(out + 3, (uint16_t)(n + 2));
    player_wr_be16(out + 5, (uint16_t)n);
    if (n)
        memcpy(out + kTitleHdrLen, title, n);
    return (int)(kTitleHdrLen + n);
}

int airable_build_id_data(uint8_t out[8], uint64_t id)
{
    wr_le64(out, id);
    return (int)kIdLen;
}

int airable_build_id_play(uint8_t out[11], uint64_t id)
{
    out[0] = MSG_DIR_REQUEST;
    out[1] = 0;
    out[2] = MSG_CLASS_PLAYER;
    wr_le64(out + MSG_HDR_LEN, id);
    return (int)kIdPlayLen;
}

int airable_build_list_data(uint8_t out[13], int32_t start, int32_t end)
{
    out[0] = MSG_DIR_REQUEST;
    out[1] = 0;
    out[2] = MSG_CLASS_LIST_RANGE;
    player_wr_be16(out + 3, kListReqCount);
    player_wr_be32(out + 5, (uint32_t)start);
    player_wr_be32(out + 9, (uint32_t)end);
    return (int)kListReqLen;
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
    uint8_t msg[kListReqLen];
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
    uint8_t msg[kIdLen];
    airable_build_id_data(msg, id);
    return send_airable(APP_CMD2_AIRABLE_ID_DATA, msg, sizeof(msg));
}

int airable_id_play_send(uint64_t id)
{
    uint8_t msg[kIdPlayLen];
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
    if (!payload || len < kMinReplyLen)
        return;
    uint8_t status = payload[kStatusOff];
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
        if (len >= PLAYER_MSG_LEN && payload[3] == MEDIA_CTRL_PLAY_INFO)
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
        if (len >= kMenuInfoMin)
            handle_menu_info(payload, len);
        break;
    case APP_CMD2_AIRABLE_LIST_DATA:
        if (len >= kListFirstItem)
            handle_list_data(payload, len);
        break;
    default:
        break;
    }
}
