/* Heartbeat monitor: watches application ids 0 to FW_APP_SLOTS - 1 for
 * silence. Each feed stamps the id's slot with the monotonic time; a thread
 * checks once a second, and a slot silent for more than HB_SILENCE_MS at
 * HB_MISS_LIMIT successive checks is timed out: reported once to timeout_cb
 * and no longer watched. */
#ifndef FW_HEARTBEAT_H
#define FW_HEARTBEAT_H

#include <pthread.h>

#include <atomic>
#include <stdint.h>

#include "fw_common.h"

#define HB_CHECK_PERIOD_US 1000000
#define HB_SILENCE_MS 6000
#define HB_MISS_LIMIT 3

typedef void (*hb_timeout_cb_t)(uint8_t app_id, void *user_data);

typedef struct {
    uint64_t last_ms; /* monotonic ms of the last feed; 0 = not watched */
    int32_t missed;   /* successive silent checks */
} hb_slot_t;

typedef struct {
    std::atomic<int32_t> running; /* 1 while the thread is to keep checking */
    pthread_t thread;
    pthread_mutex_t lock; /* guards slots; innermost lock, never held across a call out */
    hb_slot_t slots[FW_APP_SLOTS];
    hb_timeout_cb_t timeout_cb; /* may be null; called with lock released */
    void *user_data;
} hb_monitor_t;

/* Clears the record, stores the callback and starts the thread. 0, or -1
 * when the thread cannot be created. */
int hb_monitor_start(hb_monitor_t *hb, hb_timeout_cb_t timeout_cb, void *user_data);

/* Ends the thread (waits up to about a second) and destroys the lock. Only
 * after a successful start. */
void hb_monitor_stop(hb_monitor_t *hb);

/* Starts or renews watching app_id; ids above 15 are ignored. Any thread,
 * also from inside timeout_cb. */
void hb_monitor_feed(hb_monitor_t *hb, uint8_t app_id);

/* Stops watching app_id; ids above 15 are ignored. */
void hb_monitor_remove(hb_monitor_t *hb, uint8_t app_id);

/* 1 while app_id is watched: fed since its last remove or timeout. 0
 * otherwise, and for ids above 15. */
int hb_monitor_watching(hb_monitor_t *hb, uint8_t app_id);

#endif /* FW_HEARTBEAT_H */
