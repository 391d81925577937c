// Framework basics shared by every fw module: error codes, limits and the log.
#pragma once

#include <cstdint>

// Results of framework operations: 0 or a non-negative value on success,
// else one of these. There is no code -2.
#define FW_ERR_SIZE (-1)           // does not fit a buffer, input too short, message too long
#define FW_ERR_IO (-3)             // a system call failed or the peer closed the connection
#define FW_ERR_PROTO (-4)          // malformed header, truncated prefix, refused registration
#define FW_ERR_TIMEOUT (-5)        // nothing arrived in time, or connect did not succeed in time
#define FW_ERR_NO_CLIENT (-6)      // no active client holds the application id
#define FW_ERR_NOT_REGISTERED (-7) // client operation before the registration was acknowledged

// Largest stream message (prefix not counted) and size of every message buffer.
#define FW_MSG_MAX 8192

// Application ids watched and routed: 0 to FW_APP_SLOTS - 1.
#define FW_APP_SLOTS 16

// Log levels; a message is printed when its level is not above g_log_level.
#define FW_LOG_ERR 0
#define FW_LOG_WRN 1
#define FW_LOG_INF 2
#define FW_LOG_DBG 3

// Log threshold, initially FW_LOG_INF.
extern int g_log_level;

// Prints "[LVL][hh:mm:ss] " and the formatted message and a newline to
// standard output. Safe to call from several threads at once.
void fw_log(int level, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
void fw_log_set_level(int level);

// fw_log with the "[function:line] " prefix every framework message carries.
#define FW_LOG(level, fmt, ...) \
    fw_log((level), "[%s:%d] " fmt, __func__, __LINE__ __VA_OPT__(, ) __VA_ARGS__)
