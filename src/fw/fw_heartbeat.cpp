#include "fw_heartbeat.h"

#include <string.h>
#include <time.h>

#include "fw_heartbeat_internal.h"
#include "fw_internal.h"

static hb_clock_fn_t g_clock = fw_monotonic_ms;
static bool g_manual_checks;

void hb_set_clock(hb_clock_fn_t clock)
{
    g_clock = clock != NULL ? clock : fw_monotonic_ms;
}

void hb_set_manual_checks(bool manual)
{
    g_manual_checks = manual;
}

void hb_monitor_init(hb_monitor_t *hb, hb_timeout_cb_t timeout_cb, void *user_data)
{
    hb->running.store(0);
    memset(&hb->thread, 0, sizeof hb->thread);
    memset(hb->slots, 0, sizeof hb->slots);
    hb->timeout_cb = timeout_cb;
    hb->user_data = user_data;
    pthread_mutex_init(&hb->lock, NULL);
}

void hb_monitor_destroy(hb_monitor_t *hb)
{
    pthread_mutex_destroy(&hb->lock);
}

/* The check pass logs as the heartbeat thread, whose work it is. */
static const char *const thread_fn_name = "hb_thread_fn";

void hb_monitor_check(hb_monitor_t *hb)
{
    uint8_t timed_out[FW_APP_SLOTS];
    int count = 0;

    pthread_mutex_lock(&hb->lock);
    uint64_t now = g_clock();
    for (int id = 0; id < FW_APP_SLOTS; id++) {
        hb_slot_t *slot = &hb->slots[id];
        if (slot->last_ms == 0 || now - slot->last_ms <= HB_SILENCE_MS) {
            continue;
        }
        slot->missed++;
        FW_LOG_AS(FW_LOG_WRN, thread_fn_name, "App %d missed heartbeat (%d/%d)", id, slot->missed, HB_MISS_LIMIT);
        if (slot->missed >= HB_MISS_LIMIT) {
            FW_LOG_AS(FW_LOG_ERR, thread_fn_name, "App %d timeout, triggering cleanup", id);
            slot->last_ms = 0;
            slot->missed = 0;
            timed_out[count++] = (uint8_t)id;
        }
    }
    pthread_mutex_unlock(&hb->lock);

    /* With the lock released, so that the callback may feed or remove. */
    for (int i = 0; i < count; i++) {
        if (hb->timeout_cb != NULL) {
            hb->timeout_cb(timed_out[i], hb->user_data);
        }
    }
}

static void *hb_thread_fn(void *arg)
{
    hb_monitor_t *hb = (hb_monitor_t *)arg;
    while (hb->running.load() == 1) {
        const struct timespec period = {HB_CHECK_PERIOD_US / 1000000, (HB_CHECK_PERIOD_US % 1000000) * 1000L};
        nanosleep(&period, NULL);
        hb_monitor_check(hb);
    }
    return NULL;
}

int hb_monitor_start(hb_monitor_t *hb, hb_timeout_cb_t timeout_cb, void *user_data)
{
    hb_monitor_init(hb, timeout_cb, user_data);
    hb->running.store(1);
    if (!g_manual_checks && pthread_create(&hb->thread, NULL, hb_thread_fn, hb) != 0) {
        FW_LOG(FW_LOG_ERR, "Failed to create heartbeat thread");
        hb->running.store(0);
        hb_monitor_destroy(hb);
        return -1;
    }
    FW_LOG(FW_LOG_INF, "Heartbeat monitor started");
    return 0;
}

void hb_monitor_stop(hb_monitor_t *hb)
{
    hb->running.store(0);
    if (!g_manual_checks) {
        pthread_join(hb->thread, NULL);
    }
    hb_monitor_destroy(hb);
    FW_LOG(FW_LOG_INF, "Heartbeat monitor stopped");
}

void hb_monitor_feed(hb_monitor_t *hb, uint8_t app_id)
{
    if (app_id >= FW_APP_SLOTS) {
        return;
    }
    pthread_mutex_lock(&hb->lock);
    hb->slots[app_id].last_ms = g_clock();
    hb->slots[app_id].missed = 0;
    pthread_mutex_unlock(&hb->lock);
}

void hb_monitor_remove(hb_monitor_t *hb, uint8_t app_id)
{
    if (app_id >= FW_APP_SLOTS) {
        return;
    }
    pthread_mutex_lock(&hb->lock);
    hb->slots[app_id].last_ms = 0;
    hb->slots[app_id].missed = 0;
    pthread_mutex_unlock(&hb->lock);
}

int hb_monitor_watching(hb_monitor_t *hb, uint8_t app_id)
{
    if (app_id >= FW_APP_SLOTS) {
        return 0;
    }
    pthread_mutex_lock(&hb->lock);
    int watched = hb->slots[app_id].last_ms != 0;
    pthread_mutex_unlock(&hb->lock);
    return watched;
}
