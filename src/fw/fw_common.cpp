#include "fw_common.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>

#include "fw_internal.h"

int g_log_level = FW_LOG_INF;

static const char *const k_level_names[] = {"ERR", "WRN", "INF", "DBG"};

void fw_log(int level, const char *fmt, ...)
{
    // Compared unsigned: a negative level counts as very verbose and is dropped.
    if ((unsigned)level > (unsigned)g_log_level ||
        (unsigned)level >= sizeof k_level_names / sizeof k_level_names[0]) {
        return;
    }
    time_t now = time(nullptr);
    struct tm tm_now = {};
    localtime_r(&now, &tm_now);

    // One line per call even with several threads logging: hold the stream's
    // own lock across prefix, message and newline.
    flockfile(stdout);
    printf("[%s][%02d:%02d:%02d] ", k_level_names[level], tm_now.tm_hour, tm_now.tm_min,
           tm_now.tm_sec);
    va_list ap;
    va_start(ap, fmt);
    vprintf(fmt, ap);
    va_end(ap);
    putchar('\n');
    funlockfile(stdout);
}

void fw_log_set_level(int level)
{
    g_log_level = level;
}

uint64_t fw_monotonic_ms(void)
{
    struct timespec ts = {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint64_t)ts.tv_sec * 1000u + (uint64_t)ts.tv_nsec / 1000000u;
}
