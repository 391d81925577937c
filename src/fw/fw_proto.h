/* The frame: the unit of all traffic on the framework socket.
 *
 * Wire image, multi-byte fields big-endian:
 *   0  u16 total_len    header plus payload
 *   2  u16 payload_len
 *   4  u8  cmd1         FW_CMD1_CTRL, or the application id of the traffic
 *   5  u8  cmd2         the command within cmd1
 *   6  payload_len bytes of payload */
#ifndef FW_PROTO_H
#define FW_PROTO_H

#include <stdint.h>

#include "fw_common.h"

#define FW_FRAME_HDR_LEN 6
#define FW_FRAME_PAYLOAD_MAX (FW_MSG_MAX - FW_FRAME_HDR_LEN) /* 8186 */

/* Framework control traffic (cmd1 0) and its commands. */
#define FW_CMD1_CTRL 0
#define FW_CMD2_HEARTBEAT 1    /* no payload */
#define FW_CMD2_REGISTER 2     /* application id byte, then up to 31 name bytes */
#define FW_CMD2_REGISTER_ACK 3 /* one status byte, 0 = accepted */
#define FW_CMD2_UNREGISTER 9   /* no payload */

#define FW_ACK_ACCEPTED 0
#define FW_ACK_REFUSED 1

/* A decoded frame, fields in host byte order. */
typedef struct {
    uint16_t total_len;
    uint16_t payload_len;
    uint8_t cmd1;
    uint8_t cmd2;
    uint8_t payload[FW_FRAME_PAYLOAD_MAX];
} fw_frame_t;

/* Writes the wire image into out. Returns its length (6 + payload_len), or
 * FW_ERR_SIZE, writing nothing, when it does not fit out_cap. payload may be
 * null when payload_len is 0. */
int fw_frame_encode(uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len, uint8_t *out,
                    uint16_t out_cap);

/* Checks the wire image in `in` and fills out. Returns payload_len, or
 * FW_ERR_SIZE (input shorter than the header or than total_len) or
 * FW_ERR_PROTO (total_len below 6, payload_len beyond total_len - 6).
 * in_len must not exceed FW_MSG_MAX. Bytes beyond total_len, and beyond
 * 6 + payload_len, are ignored. */
int fw_frame_decode(const uint8_t *in, uint16_t in_len, fw_frame_t *out);

#endif /* FW_PROTO_H */
