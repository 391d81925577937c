#include "fw_common.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "fw_internal.h"

int g_log_level = FW_LOG_INF;

static const char *const k_level_names[] = {"ERR", "WRN", "INF", "DBG"};

void fw_log(int level, const char *fmt, ...)
{
    // Compared unsigned: a negative level counts as very verbose and is dropped.
    if ((unsigned)level > (unsigned)g_log_level || (unsigned)level >= sizeof k_level_names / sizeof k_level_names[0]) {
        return;
    }
    time_t now = time(nullptr);
    struct tm tm_now = {};
    localtime_r(&now, &tm_now);

    // One line per call even with several threads logging: hold the stream's
    // own lock across prefix, message and newline.
    flockfile(stdout);
    printf("[%s][%02d:%02d:%02d] ", k_level_names[level], tm_now.tm_hour, tm_now.tm_min, tm_now.tm_sec);
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

static int escape_byte(unsigned char c, char *out, size_t room)
{
    switch (c) {
    case '\n':
        return snprintf(out, room, "\\n");
    case '\r':
        return snprintf(out, room, "\\r");
    case '\t':
        return snprintf(out, room, "\\t");
    case '\\':
        return snprintf(out, room, "\\\\");
    default:
        if (c < 0x20 || c == 0x7F) {
            return snprintf(out, room, "\\x%02X", c);
        }
        return snprintf(out, room, "%c", c);
    }
}

const char *fw_escape(const void *text, size_t len, char *out, size_t out_size)
{
    static const char k_cut[] = "...";
    if (out_size == 0) {
        return out;
    }
    const unsigned char *in = (const unsigned char *)text;
    size_t end = 0;
    size_t whole = 0; // length of the whole text escaped
    for (; end < len && in[end] != '\0'; end++) {
        char piece[8];
        whole += (size_t)escape_byte(in[end], piece, sizeof piece);
    }
    // Room for the cut mark only when the whole text does not fit.
    const size_t room = whole < out_size ? out_size : out_size - (sizeof k_cut - 1);
    size_t used = 0;
    out[0] = '\0';
    for (size_t i = 0; i < end; i++) {
        char piece[8];
        int n = escape_byte(in[i], piece, sizeof piece);
        if (used + (size_t)n >= room) {
            snprintf(out + used, out_size - used, "%s", k_cut);
            return out;
        }
        memcpy(out + used, piece, (size_t)n + 1);
        used += (size_t)n;
    }
    return out;
}

void fw_log_limited(fw_log_limit_t *limit, uint64_t now_ms, int level, const char *func, int line, const char *fmt, ...)
{
    if (limit->logged && now_ms - limit->last_ms < FW_LOG_LIMIT_PERIOD_MS) {
        limit->left_out++;
        return;
    }
    char message[512];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(message, sizeof message, fmt, ap);
    va_end(ap);
    if (limit->left_out > 0) {
        fw_log(level, "[%s:%d] %s (repeated %u times)", func, line, message, limit->left_out);
    } else {
        fw_log(level, "[%s:%d] %s", func, line, message);
    }
    limit->logged = 1;
    limit->last_ms = now_ms;
    limit->left_out = 0;
}

uint64_t fw_monotonic_ms(void)
{
    struct timespec ts = {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint64_t)ts.tv_sec * 1000u + (uint64_t)ts.tv_nsec / 1000000u;
}
