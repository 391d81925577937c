// Helpers shared by the fw modules and their tests; not for other modules.
#pragma once

#include <cstdint>

// Milliseconds of the monotonic clock.
uint64_t fw_monotonic_ms(void);

// How long uds_send_msg waits for a non-blocking socket to drain after a
// partial write, and uds_recv_msg for the rest of a message that arrived in
// part. The server uses neither: it never waits on a peer.
#define FW_IO_COMPLETE_WAIT_MS 100

// fw_log with the "[function:line] " prefix naming `func` rather than the
// calling function: for work done on behalf of another, such as a check pass
// that belongs to the heartbeat thread.
#define FW_LOG_AS(level, func, fmt, ...) \
    fw_log((level), "[%s:%d] " fmt, (func), __LINE__ __VA_OPT__(, ) __VA_ARGS__)
