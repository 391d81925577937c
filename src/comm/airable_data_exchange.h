/*
 * Airable controller: the INIT and SET_MODE handshakes with their watchdog
 * threads, browse and play requests with the 200 ms request timer, and the
 * replies of the Airable service turned into UI events and ListDataUI items.
 *
 * Everything runs on the GUI thread except the two watchdog threads. They
 * share the handshake words of g_ex (atomic, changed under the handshake
 * lock) and the INIT strings (written only while no INIT handshake runs),
 * and hand their resends to the GUI thread through comm_mgr_send.
 */
#ifndef AIRABLE_DATA_EXCHANGE_H
#define AIRABLE_DATA_EXCHANGE_H

#include <pthread.h>
#include <stdint.h>

#include <atomic>

#include "lvgl.h"
#include "player_msg.h"

#define AIRABLE_UI_MAIN_READY 1
#define AIRABLE_UI_MAIN_WAITING 2
#define AIRABLE_UI_DATA_READY 3
#define AIRABLE_UI_WAITING 4
#define AIRABLE_UI_PLAY_OK 5
#define AIRABLE_UI_PLAYER_INFO 6
#define AIRABLE_UI_LIST_ITEM 7
#define AIRABLE_UI_LIST_DONE 8

/* Handshakes: resends left at each start, watchdog poll and resend period. */
#define AIRABLE_HS_RETRIES 100
#define AIRABLE_HS_POLL_MS 100
#define AIRABLE_HS_RESEND_MS 1000
/* Requests: resends after the first send, period, ticks counted after them. */
#define AIRABLE_REQ_RESENDS 50
#define AIRABLE_REQ_PERIOD_MS 200
#define AIRABLE_REQ_IDLE_TICKS 100

#define AIRABLE_URL_LEN 512
#define AIRABLE_UDID_LEN 64
#define AIRABLE_SECRET_LEN 256
#define AIRABLE_TITLE_LEN 256
/* Header, two length words and the longest title. */
#define AIRABLE_REQ_BUF_LEN (AIRABLE_TITLE_HDR_LEN + AIRABLE_TITLE_LEN - 1) /* 262 */

typedef struct {
    std::atomic<int32_t> init_in_progress;
    std::atomic<int32_t> init_okay;
    std::atomic<int32_t> init_retry;
    std::atomic<int32_t> mode_in_progress;
    std::atomic<int32_t> mode_okay;
    std::atomic<int32_t> mode_retry;
    std::atomic<uint8_t> mode;
    char url[AIRABLE_URL_LEN];
    char udid[AIRABLE_UDID_LEN];
    char secret[AIRABLE_SECRET_LEN];
    uint8_t req_buf[AIRABLE_REQ_BUF_LEN];
    char title[AIRABLE_TITLE_LEN];
    uint64_t req_id;
    uint64_t play_id;
} airable_exchange_t;

typedef int (*airable_send_fn_t)(void);

typedef struct {
    airable_send_fn_t send;
    int32_t ready;
    int32_t retry;
    int32_t idle_ticks;
    lv_timer_t *timer;
} airable_request_t;

typedef struct {
    uint8_t type;
    uint64_t id;
    char name[256];
    char url[512];
} airable_list_item_t;

typedef struct {
    uint32_t total;
    uint32_t index;
} airable_list_count_t;

typedef void (*airable_ui_cb_t)(int event, void *data);

/* Handshakes. */
int airable_init_data(const char *url, const char *udid, const char *secret);
int airable_set_mode_async(int mode);
int airable_set_mode(int mode);
void airable_set_mode_okay(void);
int init_send_locked(void);

/* Request starters (each returns 0) and stoppers. */
int get_main_page_data(void);
int get_title_page_data(const char *title);
int get_id_page_data(uint64_t id);
int airable_play_title(const char *title);
int airable_play_id(uint64_t id);
int airable_title_list(const char *title);
int airable_start_request(airable_send_fn_t send, int32_t ready, int32_t retry, uint32_t period_ms);
int get_page_data_ready(void);
void get_title_play_okey(void);
void airable_request_set_ready(void (*then)(void));

/* Re-send functions of the pending request. */
int airable_send_main_page(void);
int _send_title_data(void);
int _send_play_title_data(void);
int _send_id_data(void);
int _send_play_id_data(void);

/* Single sends that leave the request state alone. */
int airable_get_list_data(void);
int airable_msg_ctrl(int code);
int airable_get_title_data(const char *title);
int airable_title_play_send(const char *title);
int airable_get_id_data(uint64_t id);
int airable_id_play_send(uint64_t id);

/* Transport and play-info query. */
int airable_media_ctrl(int ctrl);
int airable_play_check_info(void);

/* Replies. */
void airable_data_register_ui_cb(airable_ui_cb_t cb);
void airable_data_exchange_init(void);
void airable_uds_cb(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t len);

/* Message builders; each writes into `out` and returns the length. */
int airable_build_init(uint8_t *out, size_t cap, const char *udid, const char *secret, const char *url);
int airable_build_title(uint8_t out[AIRABLE_REQ_BUF_LEN], const char *title);
int airable_build_id_data(uint8_t out[AIRABLE_ID_LEN], uint64_t id);
int airable_build_id_play(uint8_t out[AIRABLE_ID_PLAY_LEN], uint64_t id);
int airable_build_list_data(uint8_t out[AIRABLE_LIST_REQ_LEN], int32_t start, int32_t end);

/* Sleep of the watchdog threads (0 INIT, 1 SET_MODE); real time unless a
 * test replaces it before the first handshake starts. */
#define AIRABLE_WATCHDOG_INIT 0
#define AIRABLE_WATCHDOG_MODE 1
typedef void (*airable_sleep_fn_t)(int watchdog, unsigned ms);
void airable_set_watchdog_sleep(airable_sleep_fn_t fn);

extern airable_exchange_t g_ex;
extern airable_request_t g_main_state;

#endif
