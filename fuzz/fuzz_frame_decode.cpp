// fw_frame_decode on arbitrary bytes: it must stay within its input and
// output, and whatever it accepts must agree with the input and re-encode to
// the same header and payload.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fw_proto.h"

static void check(bool ok)
{
    if (!ok) {
        abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Every caller passes at most one message.
    const uint16_t len = (uint16_t)(size < FW_MSG_MAX ? size : FW_MSG_MAX);
    static fw_frame_t frame;
    int rc = fw_frame_decode(data, len, &frame);
    check(rc == FW_ERR_SIZE || rc == FW_ERR_PROTO || rc >= 0);
    if (rc < 0) {
        return 0;
    }
    check(rc == frame.payload_len);
    check(frame.total_len >= FW_FRAME_HDR_LEN && frame.total_len <= len);
    check(frame.payload_len <= frame.total_len - FW_FRAME_HDR_LEN);
    check(memcmp(frame.payload, data + FW_FRAME_HDR_LEN, frame.payload_len) == 0);

    static uint8_t out[FW_MSG_MAX];
    int n = fw_frame_encode(frame.cmd1, frame.cmd2, frame.payload, frame.payload_len, out,
                            sizeof out);
    check(n == FW_FRAME_HDR_LEN + frame.payload_len);
    // The encoder writes the tight total_len; everything after it matches.
    check(memcmp(out + 2, data + 2, (size_t)n - 2) == 0);
    return 0;
}
