/*
 * The Airable controller's state, shared by its sources and reached by its
 * tests; not for other modules. The handshake words are atomic: the two
 * watchdog threads read and change them beside the GUI thread, under the
 * handshake lock. The INIT strings are written only while no INIT handshake
 * runs and read by its watchdog only while one does. Everything else is the
 * GUI thread's.
 */
#ifndef AIRABLE_DATA_EXCHANGE_INTERNAL_H
#define AIRABLE_DATA_EXCHANGE_INTERNAL_H

#include <stddef.h>
#include <stdint.h>

#include <atomic>

#include "airable_data_exchange.h"
#include "lvgl.h"

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

/* The pending request; timer NULL while none is pending. */
typedef struct {
    airable_send_fn_t send;
    int32_t ready;
    int32_t retry;
    int32_t idle_ticks;
    lv_timer_t *timer;
} airable_request_t;

extern airable_exchange_t g_ex;
extern airable_request_t g_main_state;

/* Sends INIT from g_ex (the start and the INIT watchdog). */
int init_send_locked(void);

/* Re-send functions of the pending request: each rebuilds its message
 * from g_ex. */
int airable_send_main_page(void);
int _send_title_data(void);
int _send_play_title_data(void);
int _send_id_data(void);
int _send_play_id_data(void);

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

#endif /* AIRABLE_DATA_EXCHANGE_INTERNAL_H */
