/* Helpers shared by the fw modules and their tests; not for other modules. */
#ifndef FW_INTERNAL_H
#define FW_INTERNAL_H

#include <stdint.h>

/* Big-endian fields of the wire format (the frame header, the stream's
 * length prefix). */
static inline void fw_put_be16(uint8_t *p, uint16_t v)
{
    p[0] = (uint8_t)(v >> 8);
    p[1] = (uint8_t)v;
}

static inline uint16_t fw_get_be16(const uint8_t *p)
{
    return (uint16_t)((p[0] << 8) | p[1]);
}

static inline void fw_put_be32(uint8_t *p, uint32_t v)
{
    p[0] = (uint8_t)(v >> 24);
    p[1] = (uint8_t)(v >> 16);
    p[2] = (uint8_t)(v >> 8);
    p[3] = (uint8_t)v;
}

static inline uint32_t fw_get_be32(const uint8_t *p)
{
    return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}

/* Milliseconds of the monotonic clock. */
uint64_t fw_monotonic_ms(void);

/* How long uds_send_msg waits for a non-blocking socket to drain after a
 * partial write, and uds_recv_msg for the rest of a message that arrived in
 * part. The server uses neither: it never waits on a peer. */
#define FW_IO_COMPLETE_WAIT_MS 100

/* fw_log with the "[function:line] " prefix naming `func` rather than the
 * calling function: for work done on behalf of another, such as a check pass
 * that belongs to the heartbeat thread. */
#define FW_LOG_AS(level, func, fmt, ...) fw_log((level), "[%s:%d] " fmt, (func), __LINE__ __VA_OPT__(, ) __VA_ARGS__)

#endif /* FW_INTERNAL_H */
