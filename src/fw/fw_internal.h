// Helpers shared by the fw modules and their tests; not for other modules.
#pragma once

#include <cstdint>

// Milliseconds of the monotonic clock.
uint64_t fw_monotonic_ms(void);

// How long a send waits for a non-blocking socket to drain after a partial
// write, and a receive for the rest of a message that arrived in part.
#define FW_IO_COMPLETE_WAIT_MS 100

// uds_send_msg that also tells whether the connection's stream can no longer
// be trusted (*broken = 1): part of a message left on the wire, or the
// connection failed. A socket that took nothing because its buffer is full
// fails with *broken = 0; the stream is still in step.
int uds_send_msg_ex(int fd, const uint8_t *data, uint32_t len, int *broken);

// fw_log with the "[function:line] " prefix naming `func` rather than the
// calling function: for work done on behalf of another, such as a check pass
// that belongs to the heartbeat thread.
#define FW_LOG_AS(level, func, fmt, ...) \
    fw_log((level), "[%s:%d] " fmt, (func), __LINE__ __VA_OPT__(, ) __VA_ARGS__)
