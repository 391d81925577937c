/*
 * Airable controller: the INIT and SET_MODE handshakes, browse and play
 * requests (at most one pending, resent every 200 ms until the main page or
 * an error reply ends it), and the replies of the Airable service turned
 * into UI events and ListDataUI items.
 *
 * Everything here is called on the GUI thread. The handshakes' watchdog
 * threads are the controller's own; they never call back into a caller.
 * The controller's state is its own too (airable_data_exchange_internal.h,
 * for its sources and tests).
 */
#ifndef AIRABLE_DATA_EXCHANGE_H
#define AIRABLE_DATA_EXCHANGE_H

#include <stdint.h>

#include "player_msg.h"

/* UI events, raised on the GUI thread while a reply is decoded; the record
 * a data pointer leads to is valid only during the call. */
#define AIRABLE_UI_MAIN_READY 1   /* NULL */
#define AIRABLE_UI_MAIN_WAITING 2 /* NULL */
#define AIRABLE_UI_DATA_READY 3   /* NULL */
#define AIRABLE_UI_WAITING 4      /* NULL */
#define AIRABLE_UI_PLAY_OK 5      /* NULL */
#define AIRABLE_UI_PLAYER_INFO 6  /* player_ui_info_t */
#define AIRABLE_UI_LIST_ITEM 7    /* airable_list_item_t */
#define AIRABLE_UI_LIST_DONE 8    /* airable_list_count_t */

typedef struct {
    uint8_t type; /* '0' a playable item, anything else a folder */
    uint64_t id;
    char name[256];
    char url[512];
} airable_list_item_t;

/* Of the last item of a list reply; both 0 for a reply without items. */
typedef struct {
    uint32_t total;
    uint32_t index;
} airable_list_count_t;

typedef void (*airable_ui_cb_t)(int event, void *data);

/* Sends the pending request once; its result is the send result. */
typedef int (*airable_send_fn_t)(void);

/* Handshakes: each start sends its message, and the watchdog resends it
 * once a second, up to 100 times, until the service acknowledges it.
 * Results are those of the first send; airable_init_data gives 0 without
 * sending while an INIT handshake runs. */
int airable_init_data(const char *url, const char *udid, const char *secret);
int airable_set_mode_async(int mode);
/* One SET_MODE message, no handshake. */
int airable_set_mode(int mode);
/* Marks SET_MODE acknowledged, as the service's OKAY does. */
void airable_set_mode_okay(void);

/* Request starters: each replaces the pending request (each returns 0). */
int get_main_page_data(void);
int get_title_page_data(const char *title);
int get_id_page_data(uint64_t id);
int airable_play_title(const char *title);
int airable_play_id(uint64_t id);
int airable_title_list(const char *title);
int airable_start_request(airable_send_fn_t send, int32_t ready, int32_t retry, uint32_t period_ms);
/* Stoppers: get_page_data_ready then asks for the list window of the
 * run-state record and gives that send's result. */
int get_page_data_ready(void);
void get_title_play_okey(void);
void airable_request_set_ready(void (*then)(void));
/* True while a request is pending: started, and not yet ended by a
 * stopper, an error reply or its timeout. */
bool airable_request_pending(void);

/* Single sends that leave the request alone; each gives the send result. */
int airable_get_list_data(void);
int airable_msg_ctrl(int code);
int airable_get_title_data(const char *title);
int airable_title_play_send(const char *title);
int airable_get_id_data(uint64_t id);
int airable_id_play_send(uint64_t id);

/* Transport and play-info query. */
int airable_media_ctrl(int ctrl);
int airable_play_check_info(void);

/* Replies: the UI callback (NULL for none), the message route of
 * application id 5 in the communication manager, and that route. */
void airable_data_register_ui_cb(airable_ui_cb_t cb);
void airable_data_exchange_init(void);
void airable_uds_cb(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t len);

#endif /* AIRABLE_DATA_EXCHANGE_H */
