/*
 * Airable INIT and SET_MODE handshakes: each start sends its message once;
 * a watchdog thread per handshake, created at its first start, resends it
 * once a second until the reply decoder marks it acknowledged or the
 * resends run out. The resends go through comm_mgr_send, which hands them to
 * the GUI thread's next poll.
 */
#include <errno.h>
#include <pthread.h>
#include <string.h>
#include <time.h>

#include "airable_data_exchange_internal.h"
#include "airable_data_exchange_private.h"
#include "fw_common.h"
#include "ui/ui_data_update.h"

#define INIT_MAX_LEN (AIRABLE_INIT_HDR_LEN + AIRABLE_UDID_LEN + AIRABLE_SECRET_LEN + AIRABLE_URL_LEN)

static pthread_t g_init_tid;
static pthread_t g_mode_tid;
/* Serialises the handshake state changes of the start operations and the
 * watchdogs; never held across a send or a log line. */
static pthread_mutex_t g_hs_lock = PTHREAD_MUTEX_INITIALIZER;
static bool g_init_thread_started;
static bool g_mode_thread_started;
static std::atomic<airable_sleep_fn_t> g_sleep_fn{NULL};

static void real_sleep(unsigned ms)
{
    struct timespec ts = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

static void watchdog_sleep(int watchdog, unsigned ms)
{
    airable_sleep_fn_t fn = g_sleep_fn.load();
    if (fn) {
        fn(watchdog, ms);
    } else {
        real_sleep(ms);
    }
}

static int send_set_mode(uint8_t mode)
{
    uint8_t msg[AIRABLE_SET_MODE_LEN] = {MSG_DIR_REQUEST, 0, MSG_CLASS_BROWSE, mode};
    return airable_send_msg(APP_CMD2_AIRABLE_SET_MODE, msg, sizeof(msg));
}

typedef enum { WD_IDLE, WD_SUCCESS, WD_WAIT, WD_RESEND, WD_GIVE_UP } wd_action_t;

typedef struct {
    std::atomic<int32_t> *in_progress;
    std::atomic<int32_t> *okay;
    std::atomic<int32_t> *retry;
} handshake_t;

/* One watchdog poll: the state change, made under the handshake lock.
 * `left` receives the resends left after a resend. */
static wd_action_t watchdog_poll(const handshake_t *hs, int *elapsed, int32_t *left)
{
    pthread_mutex_lock(&g_hs_lock);
    wd_action_t action = WD_WAIT;
    if (hs->in_progress->load() == 0) {
        action = WD_IDLE;
    } else if (hs->okay->load() == 1) {
        hs->in_progress->store(0);
        action = WD_SUCCESS;
    } else if ((*elapsed += AIRABLE_HS_POLL_MS) >= AIRABLE_HS_RESEND_MS) {
        *elapsed = 0;
        int32_t before = hs->retry->fetch_sub(1);
        if (before > 0) {
            *left = before - 1;
            action = WD_RESEND;
        } else {
            hs->in_progress->store(0);
            action = WD_GIVE_UP;
        }
    }
    pthread_mutex_unlock(&g_hs_lock);
    return action;
}

static void *init_retry_thread(void *arg)
{
    (void)arg;
    const handshake_t hs = {&g_ex.init_in_progress, &g_ex.init_okay, &g_ex.init_retry};
    int elapsed = 0;
    for (;;) {
        watchdog_sleep(AIRABLE_WATCHDOG_INIT, AIRABLE_HS_POLL_MS);
        int32_t left = 0;
        switch (watchdog_poll(&hs, &elapsed, &left)) {
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
    return NULL;
}

static void *mode_retry_thread(void *arg)
{
    (void)arg;
    const handshake_t hs = {&g_ex.mode_in_progress, &g_ex.mode_okay, &g_ex.mode_retry};
    int elapsed = 0;
    for (;;) {
        watchdog_sleep(AIRABLE_WATCHDOG_MODE, AIRABLE_HS_POLL_MS);
        int32_t left = 0;
        switch (watchdog_poll(&hs, &elapsed, &left)) {
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
    return NULL;
}

/* Creates a watchdog thread once per process. A failed creation is logged
 * and tried again at the next start of that handshake. */
static void start_retry_thread(bool *started, pthread_t *tid, void *(*fn)(void *), const char *name)
{
    pthread_mutex_lock(&g_hs_lock);
    int rc = 0;
    if (!*started) {
        rc = pthread_create(tid, NULL, fn, NULL);
        if (rc == 0) {
            pthread_detach(*tid);
            *started = true;
        }
    }
    pthread_mutex_unlock(&g_hs_lock);
    if (rc != 0) {
        AIRABLE_LOG("%s watchdog thread create failed: %s\n", name, strerror(rc));
    }
}

int airable_build_init(uint8_t *out, size_t cap, const char *udid, const char *secret, const char *url)
{
    size_t ul = strlen(udid), sl = strlen(secret), rl = strlen(url);
    if (rl > AIRABLE_INIT_URL_MAX || ul > UINT16_MAX || sl > UINT16_MAX || AIRABLE_INIT_HDR_LEN + ul + sl + rl > cap) {
        return FW_ERR_SIZE;
    }
    app_wr_be16(out, (uint16_t)ul);
    app_wr_be16(out + 2, (uint16_t)sl);
    app_wr_be16(out + 4, (uint16_t)rl);
    memcpy(out + AIRABLE_INIT_HDR_LEN, udid, ul);
    memcpy(out + AIRABLE_INIT_HDR_LEN + ul, secret, sl);
    memcpy(out + AIRABLE_INIT_HDR_LEN + ul + sl, url, rl);
    return (int)(AIRABLE_INIT_HDR_LEN + ul + sl + rl);
}

void airable_set_watchdog_sleep(airable_sleep_fn_t fn)
{
    g_sleep_fn.store(fn);
}

int init_send_locked(void)
{
    uint8_t msg[INIT_MAX_LEN];
    int len = airable_build_init(msg, sizeof(msg), g_ex.udid, g_ex.secret, g_ex.url);
    if (len < 0) {
        return len;
    }
    return airable_send_msg(APP_CMD2_AIRABLE_INIT, msg, (size_t)len);
}

int airable_init_data(const char *url, const char *udid, const char *secret)
{
    /* The secret never reaches the log; only whether one was given. */
    AIRABLE_LOG("enter: url=%s udid=%s secret=%s\n", url ? url : "(null)", udid ? udid : "(null)",
                secret ? "(hidden)" : "(null)");
    pthread_mutex_lock(&g_hs_lock);
    bool busy = g_ex.init_in_progress.load() == 1;
    if (!busy) {
        airable_copy_cut(g_ex.url, sizeof(g_ex.url), url);
        airable_copy_cut(g_ex.udid, sizeof(g_ex.udid), udid);
        airable_copy_cut(g_ex.secret, sizeof(g_ex.secret), secret);
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
    start_retry_thread(&g_init_thread_started, &g_init_tid, init_retry_thread, "init");
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
    start_retry_thread(&g_mode_thread_started, &g_mode_tid, mode_retry_thread, "set_mode");
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
