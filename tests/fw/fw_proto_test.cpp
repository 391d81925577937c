// Frame codec: wire image, limits and the decoder's checks.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fw_proto.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(FrameEncode, WritesBigEndianHeaderAndPayload)
{
    uint8_t out[16];
    ASSERT_EQ(fw_frame_encode(0x12, 0x34, nullptr, 0, out, sizeof out), 6);
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{0x00, 0x06, 0x00, 0x00, 0x12, 0x34}));

    const uint8_t one = 0;
    ASSERT_EQ(fw_frame_encode(5, 0xF7, &one, 1, out, sizeof out), 7);
    EXPECT_EQ(Bytes(out, out + 7), (Bytes{0x00, 0x07, 0x00, 0x01, 0x05, 0xF7, 0x00}));

    // A length above 255 shows the byte order of both fields.
    Bytes payload(300, 0xAB);
    Bytes big(306);
    ASSERT_EQ(fw_frame_encode(1, 2, payload.data(), 300, big.data(), 306), 306);
    EXPECT_EQ(Bytes(big.begin(), big.begin() + 4), (Bytes{0x01, 0x32, 0x01, 0x2C}));
    EXPECT_EQ(Bytes(big.begin() + 6, big.end()), payload);
}

TEST(FrameEncode, SizeLimitsNeverWrapOrOverrun)
{
    struct Case {
        uint16_t payload_len;
        uint16_t out_cap;
        int expected;
    };
    const Case cases[] = {
        {FW_FRAME_PAYLOAD_MAX, FW_MSG_MAX, FW_MSG_MAX},
        {FW_FRAME_PAYLOAD_MAX + 1, FW_MSG_MAX, FW_ERR_SIZE},
        {65535, 65535, FW_ERR_SIZE}, // 6 + 65535 must not wrap to 5
        {65530, 65535, FW_ERR_SIZE}, // would be exactly 65536
        {0, 5, FW_ERR_SIZE},
        {0, 6, 6},
    };
    Bytes payload(65535, 0x5A);
    for (const Case &c : cases) {
        // One guard byte past out_cap must stay untouched.
        Bytes out((size_t)c.out_cap + 1, 0xEE);
        EXPECT_EQ(fw_frame_encode(1, 1, payload.data(), c.payload_len, out.data(), c.out_cap),
                  c.expected)
            << "payload_len " << c.payload_len << " cap " << c.out_cap;
        EXPECT_EQ(out[c.out_cap], 0xEE);
        if (c.expected < 0) {
            EXPECT_EQ(out[0], 0xEE) << "nothing is written on failure";
        }
    }
}

TEST(FrameDecode, ChecksInOrder)
{
    struct Case {
        const char *what;
        Bytes in;
        int expected;
    };
    const Case cases[] = {
        {"shorter than the header", {0, 6, 0, 0, 1}, FW_ERR_SIZE},
        {"total_len below 6", {0, 5, 0, 0, 1, 2}, FW_ERR_PROTO},
        {"payload beyond total_len", {0, 10, 0, 5, 1, 2, 0, 0, 0, 0}, FW_ERR_PROTO},
        {"malformed header wins over short input", {0, 3, 0, 9, 1, 2}, FW_ERR_PROTO},
        {"input shorter than total_len", Bytes{0, 20, 0, 14, 1, 2, 0, 0, 0, 0, 0, 0}, FW_ERR_SIZE},
        {"empty payload", {0, 6, 0, 0, 1, 2}, 0},
        {"slack inside total_len ignored", {0, 10, 0, 2, 1, 2, 7, 8, 0, 0}, 2},
        {"bytes beyond total_len ignored", {0, 7, 0, 1, 1, 2, 9, 0xFF, 0xFF}, 1},
        {"payload_len 0xFFFF with small total", {0, 6, 0xFF, 0xFF, 1, 2}, FW_ERR_PROTO},
    };
    for (const Case &c : cases) {
        auto frame = std::make_unique<fw_frame_t>();
        EXPECT_EQ(fw_frame_decode(c.in.data(), (uint16_t)c.in.size(), frame.get()), c.expected)
            << c.what;
    }
}

TEST(FrameDecode, RoundTripsEveryFieldAtTheLimits)
{
    for (uint16_t len : {(uint16_t)0, (uint16_t)1, (uint16_t)FW_FRAME_PAYLOAD_MAX}) {
        Bytes payload(len);
        for (size_t i = 0; i < payload.size(); i++) {
            payload[i] = (uint8_t)(i * 7 + 3);
        }
        Bytes wire(FW_MSG_MAX);
        int n = fw_frame_encode(0xA5, 0x5A, payload.data(), len, wire.data(), FW_MSG_MAX);
        ASSERT_EQ(n, 6 + len);
        auto frame = std::make_unique<fw_frame_t>();
        ASSERT_EQ(fw_frame_decode(wire.data(), (uint16_t)n, frame.get()), len);
        EXPECT_EQ(frame->total_len, 6 + len);
        EXPECT_EQ(frame->payload_len, len);
        EXPECT_EQ(frame->cmd1, 0xA5);
        EXPECT_EQ(frame->cmd2, 0x5A);
        EXPECT_EQ(Bytes(frame->payload, frame->payload + len), payload);
    }
}

} // namespace
