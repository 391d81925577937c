#include "fw_common.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "fw_internal.h"

int g_log_level = FW_LOG_INF;

static const char *const level_names[] = {"ERR", "WRN", "INF", "DBG"};

void fw_log(int level, const char *fmt, ...)
{
    /* Compared unsigned: a negative level counts as very verbose and is dropped. */
    if ((unsigned)level > (unsigned)g_log_level || (unsigned)level >= sizeof level_names / sizeof level_names[0]) {
        return;
    }
    time_t now = time(NULL);
    struct tm tm_now = {};
    localtime_r(&now, &tm_now);

    /* One line per call even with several threads logging: hold the stream's
     * own lock across prefix, message and newline. */
    flockfile(stdout);
    printf("[%s][%02d:%02d:%02d] ", level_names[level], tm_now.tm_hour, tm_now.tm_min, tm_now.tm_sec);
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

/* Pieces of escaped text: a byte or a whole character as it is, or one
 * byte as "\xhh". */
#define ESCAPED_BYTE_LEN 4
#define UTF8_MAX_LEN 4

/* Length of the character that starts `in` (n bytes left) when it is kept
 * as it is: printable ASCII, or a valid UTF-8 sequence (no overlong form,
 * no surrogate, nothing above U+10FFFF) other than a C1 control, U+0080 to
 * U+009F. 0 when its first byte is to be escaped. */
static size_t kept_length(const unsigned char *in, size_t n)
{
    const unsigned char c = in[0];
    if (c < 0x80) {
        return c >= 0x20 && c != 0x7F && c != '\\' ? 1 : 0;
    }
    size_t len = 0;
    unsigned char lo = 0x80; /* range of the second byte */
    unsigned char hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
        lo = c == 0xC2 ? 0xA0 : 0x80; /* C2 80..C2 9F are the C1 controls */
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        lo = c == 0xE0 ? 0xA0 : 0x80;
        hi = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        lo = c == 0xF0 ? 0x90 : 0x80;
        hi = c == 0xF4 ? 0x8F : 0xBF;
    }
    if (len == 0 || len > n || in[1] < lo || in[1] > hi) {
        return 0;
    }
    for (size_t i = 2; i < len; i++) {
        if ((in[i] & 0xC0) != 0x80) {
            return 0;
        }
    }
    return len;
}

/* The piece for the text at `in`; returns the bytes of input it stands for. */
static size_t next_piece(const unsigned char *in, size_t n, char piece[UTF8_MAX_LEN + 1], size_t *piece_len)
{
    const size_t kept = kept_length(in, n);
    if (kept > 0) {
        memcpy(piece, in, kept);
        piece[kept] = '\0';
        *piece_len = kept;
        return kept;
    }
    snprintf(piece, UTF8_MAX_LEN + 1, "\\x%02x", in[0]);
    *piece_len = ESCAPED_BYTE_LEN;
    return 1;
}

const char *fw_escape(const void *text, size_t len, char *out, size_t out_size)
{
    static const char cut_mark[] = "...";
    if (out_size == 0) {
        return out;
    }
    const unsigned char *in = (const unsigned char *)text;
    size_t end = 0;
    while (end < len && in[end] != '\0') {
        end++;
    }
    size_t whole = 0; /* length of the whole text escaped */
    char piece[UTF8_MAX_LEN + 1];
    size_t piece_len = 0;
    for (size_t i = 0; i < end;) {
        i += next_piece(in + i, end - i, piece, &piece_len);
        whole += piece_len;
    }
    /* Room for the cut mark only when the whole text does not fit. */
    const size_t cut_len = sizeof cut_mark - 1;
    const size_t room = whole < out_size ? out_size : (out_size > cut_len ? out_size - cut_len : 0);
    size_t used = 0;
    out[0] = '\0';
    for (size_t i = 0; i < end;) {
        i += next_piece(in + i, end - i, piece, &piece_len);
        if (used + piece_len >= room) {
            snprintf(out + used, out_size - used, "%s", cut_mark);
            return out;
        }
        memcpy(out + used, piece, piece_len + 1);
        used += piece_len;
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
