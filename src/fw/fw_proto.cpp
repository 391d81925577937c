#include "fw_proto.h"

#include <string.h>

#include "fw_internal.h"

int fw_frame_encode(uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len, uint8_t *out,
                    uint16_t out_cap)
{
    /* In 32 bits so that a payload near 65535 cannot wrap into a small total. */
    uint32_t total = (uint32_t)FW_FRAME_HDR_LEN + payload_len;
    if (total > out_cap) {
        return FW_ERR_SIZE;
    }
    fw_put_be16(out, (uint16_t)total);
    fw_put_be16(out + 2, payload_len);
    out[4] = cmd1;
    out[5] = cmd2;
    if (payload_len != 0 && payload != NULL) {
        memcpy(out + FW_FRAME_HDR_LEN, payload, payload_len);
    }
    return (int)total;
}

int fw_frame_decode(const uint8_t *in, uint16_t in_len, fw_frame_t *out)
{
    if (in_len < FW_FRAME_HDR_LEN) {
        return FW_ERR_SIZE;
    }
    out->total_len = fw_get_be16(in);
    out->payload_len = fw_get_be16(in + 2);
    out->cmd1 = in[4];
    out->cmd2 = in[5];
    if (out->total_len < FW_FRAME_HDR_LEN || out->payload_len > out->total_len - FW_FRAME_HDR_LEN) {
        return FW_ERR_PROTO;
    }
    if (in_len < out->total_len) {
        return FW_ERR_SIZE;
    }
    if (out->payload_len == 0) {
        return 0;
    }
    /* in_len <= FW_MSG_MAX bounds total_len and so payload_len; the check
     * below only guards callers that break that rule. */
    if (out->payload_len > FW_FRAME_PAYLOAD_MAX) {
        return FW_ERR_SIZE;
    }
    memcpy(out->payload, in + FW_FRAME_HDR_LEN, out->payload_len);
    return out->payload_len;
}
