/*
 * Airable browse and play requests. At most one is pending: a start replaces
 * the pending one, sends its message and starts the 200 ms request timer,
 * which resends it 50 times and then, unless a stopper or an error reply has
 * ended it, gives up after 100 more ticks. Also the single sends, which
 * leave the request alone, and the transport commands. GUI thread only.
 */
#include <string.h>

#include "airable_data_exchange_internal.h"
#include "airable_data_exchange_private.h"
#include "fw_common.h"
#include "ui/ui_data_update.h"

static void airable_req_timer_cb(lv_timer_t *timer)
{
    airable_request_t *st = (airable_request_t *)lv_timer_get_user_data(timer);
    if (st->retry > 0) {
        if (st->send) {
            st->send();
        }
        st->retry--;
        return;
    }
    if (++st->idle_ticks <= AIRABLE_REQ_IDLE_TICKS) {
        return;
    }
    FW_LOG(FW_LOG_WRN, "airable request timeout");
    lv_timer_delete(timer);
    st->timer = NULL;
}

static int start_default_request(airable_send_fn_t send)
{
    return airable_start_request(send, 0, AIRABLE_REQ_RESENDS, AIRABLE_REQ_PERIOD_MS);
}

static int send_title_request(uint8_t cmd2, const char *title)
{
    int len = airable_build_title(g_ex.req_buf, title);
    return airable_send_msg(cmd2, g_ex.req_buf, (size_t)len);
}

void airable_end_pending_request(void)
{
    if (g_main_state.timer) {
        lv_timer_delete(g_main_state.timer);
        g_main_state.timer = NULL;
    }
}

int airable_build_title(uint8_t out[AIRABLE_REQ_BUF_LEN], const char *title)
{
    size_t n = title ? strnlen(title, AIRABLE_TITLE_LEN - 1) : 0;
    app_wr_request_hdr(out, MSG_CLASS_BROWSE);
    app_wr_be16(out + MSG_HDR_LEN, (uint16_t)(n + 2));
    app_wr_be16(out + AIRABLE_TITLE_OFF_LEN, (uint16_t)n);
    if (n) {
        memcpy(out + AIRABLE_TITLE_HDR_LEN, title, n);
    }
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

int airable_start_request(airable_send_fn_t send, int32_t ready, int32_t retry, uint32_t period_ms)
{
    airable_end_pending_request();
    g_main_state.send = send;
    g_main_state.ready = ready;
    g_main_state.retry = retry;
    g_main_state.idle_ticks = 0;
    if (send) {
        send();
    }
    g_main_state.timer = lv_timer_create(airable_req_timer_cb, period_ms, &g_main_state);
    return 0;
}

int airable_send_main_page(void)
{
    const uint8_t msg[MSG_HDR_LEN] = {MSG_DIR_REQUEST, 0, MSG_CLASS_BROWSE};
    return airable_send_msg(APP_CMD2_AIRABLE_MAIN_PAGE, msg, sizeof(msg));
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
    airable_copy_cut(g_ex.title, sizeof(g_ex.title), title);
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
    airable_copy_cut(g_ex.title, sizeof(g_ex.title), title);
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
    return airable_send_msg(APP_CMD2_AIRABLE_LIST_DATA, msg, sizeof(msg));
}

int get_page_data_ready(void)
{
    airable_end_pending_request();
    return airable_get_list_data();
}

void get_title_play_okey(void)
{
    airable_end_pending_request();
}

bool airable_request_pending(void)
{
    return g_main_state.timer != NULL;
}

void airable_request_set_ready(void (*then)(void))
{
    airable_end_pending_request();
    if (then) {
        then();
    }
}

int airable_msg_ctrl(int code)
{
    const uint8_t msg[MSG_HDR_LEN + 1] = {MSG_DIR_REQUEST, 0, MSG_CLASS_BROWSE, (uint8_t)code};
    return airable_send_msg(APP_CMD2_AIRABLE_MSG_CTRL, msg, sizeof(msg));
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
    return airable_send_msg(APP_CMD2_AIRABLE_ID_DATA, msg, sizeof(msg));
}

int airable_id_play_send(uint64_t id)
{
    uint8_t msg[AIRABLE_ID_PLAY_LEN];
    airable_build_id_play(msg, id);
    return airable_send_msg(APP_CMD2_AIRABLE_ID_PLAY, msg, sizeof(msg));
}

int airable_media_ctrl(int ctrl)
{
    uint8_t msg[PLAYER_MSG_LEN];
    player_msg_build(msg, ctrl);
    return airable_send_msg(PLAYER_MSG, msg, sizeof(msg));
}

int airable_play_check_info(void)
{
    return airable_media_ctrl(MEDIA_CTRL_PLAY_INFO);
}
