/* Framework basics shared by every fw module: error codes, limits and the log. */
#ifndef FW_COMMON_H
#define FW_COMMON_H

#include <stddef.h>
#include <stdint.h>

/* Results of framework operations: 0 or a non-negative value on success,
 * else one of these. There is no code -2. */
#define FW_ERR_SIZE (-1)           /* does not fit a buffer, input too short, message too long */
#define FW_ERR_IO (-3)             /* a system call failed or the peer closed the connection */
#define FW_ERR_PROTO (-4)          /* malformed header, truncated prefix, refused registration */
#define FW_ERR_TIMEOUT (-5)        /* nothing arrived in time, or connect did not succeed in time */
#define FW_ERR_NO_CLIENT (-6)      /* no active client holds the application id */
#define FW_ERR_NOT_REGISTERED (-7) /* client operation before the registration was acknowledged */

/* Largest stream message (prefix not counted) and size of every message buffer. */
#define FW_MSG_MAX 8192

/* Application ids watched and routed: 0 to FW_APP_SLOTS - 1. */
#define FW_APP_SLOTS 16

/* Log levels; a message is printed when its level is not above g_log_level. */
#define FW_LOG_ERR 0
#define FW_LOG_WRN 1
#define FW_LOG_INF 2
#define FW_LOG_DBG 3

/* Log threshold, initially FW_LOG_INF. */
extern int g_log_level;

/* Prints "[LVL][hh:mm:ss] " and the formatted message and a newline to
 * standard output. Safe to call from several threads at once. */
void fw_log(int level, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
void fw_log_set_level(int level);

/* fw_log with the "[function:line] " prefix every framework message carries. */
#define FW_LOG(level, fmt, ...) fw_log((level), "[%s:%d] " fmt, __func__, __LINE__ __VA_OPT__(, ) __VA_ARGS__)

/* Text from outside (a peer, a file, a tool, the command line) made safe to
 * log; every such text goes through here before it is logged. Control
 * bytes (C0, DEL and the C1 controls, also as UTF-8), bytes that are not
 * part of valid UTF-8 (a lone 0x9b is an 8-bit CSI) and the backslash each
 * become "\xhh", so the text can neither end a log line, forge one nor
 * steer the terminal, and every escape reads one way. Valid UTF-8, such as
 * a Chinese network name, is kept as it is. Reads up to `len` bytes or to
 * the first NUL; when the escaped text does not fit out_size it is cut
 * between characters and ends in "...". Returns out. */
#define FW_ESCAPE_MAX(len) ((len)*4 + 4) /* room for any text of len bytes */
const char *fw_escape(const void *text, size_t len, char *out, size_t out_size);

/* A condition that may repeat many times a second (a full table, a peer
 * that does not read) is logged at most once per FW_LOG_LIMIT_PERIOD_MS;
 * the next line that gets through tells how many were left out. */
#define FW_LOG_LIMIT_PERIOD_MS 1000

typedef struct {
    int32_t logged;    /* 1 once a line went out */
    uint64_t last_ms;  /* when it went out */
    uint32_t left_out; /* occurrences not logged since */
} fw_log_limit_t;

/* fw_log with the "[func:line] " prefix, through `limit`: nothing when a
 * line went out less than a period before `now_ms`, else the message with
 * " (repeated %u times)" added when occurrences were left out. */
void fw_log_limited(fw_log_limit_t *limit, uint64_t now_ms, int level, const char *func, int line, const char *fmt, ...)
    __attribute__((format(printf, 6, 7)));

#define FW_LOG_LIMITED(limit, now_ms, level, fmt, ...)                                                                 \
    fw_log_limited((limit), (now_ms), (level), __func__, __LINE__, fmt __VA_OPT__(, ) __VA_ARGS__)

#endif /* FW_COMMON_H */
