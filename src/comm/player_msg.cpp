#include "player_msg.h"

#include <stdio.h>
#include <string.h>

namespace {

constexpr size_t kOffPosition = 4;
constexpr size_t kOffDuration = 8;
constexpr size_t kOffState = 12;
constexpr size_t kOffSampleRate = 16;
constexpr size_t kOffBitRate = 20;
constexpr size_t kOffLen1 = 24;
constexpr size_t kOffLen2 = 28;
constexpr size_t kOffLen3 = 32;
constexpr size_t kOffLen4 = 36;
constexpr size_t kTextsLong = PLAYER_MSG_LEN + PLAYER_INFO_HDR_LONG;

uint16_t clamp_len(uint32_t v)
{
    return v > PLAYER_LEN_CLAMP ? (uint16_t)PLAYER_LEN_CLAMP : (uint16_t)v;
}

/* Copies one text into `dst`; returns the read position after its full length. */
uint64_t copy_text(const uint8_t *msg, size_t len, uint64_t pos, uint32_t wire_len, char *dst)
{
    if (wire_len == 0)
        return pos;
    size_t n = 0;
    while (n < wire_len && n < PLAYER_TEXT_MAX && pos + n < len && msg[pos + n] != 0) {
        dst[n] = (char)msg[pos + n];
        n++;
    }
    dst[n] = '\0';
    return pos + wire_len;
}

} // namespace

uint16_t player_rd_be16(const uint8_t *p)
{
    return (uint16_t)((p[0] << 8) | p[1]);
}

uint32_t player_rd_be32(const uint8_t *p)
{
    return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}

uint64_t player_rd_be64(const uint8_t *p)
{
    return ((uint64_t)player_rd_be32(p) << 32) | player_rd_be32(p + 4);
}

void player_wr_be16(uint8_t *p, uint16_t v)
{
    p[0] = (uint8_t)(v >> 8);
    p[1] = (uint8_t)v;
}

void player_wr_be32(uint8_t *p, uint32_t v)
{
    p[0] = (uint8_t)(v >> 24);
    p[1] = (uint8_t)(v >> 16);
    p[2] = (uint8_t)(v >> 8);
    p[3] = (uint8_t)v;
}

uint64_t player_info_fill_header(const uint8_t *msg, player_ui_info_t *info)
{
    info->position_ms = player_rd_be32(msg + kOffPosition);
    info->duration_ms = player_rd_be32(msg + kOffDuration);
    info->state = msg[kOffState];
    info->reserved1 = msg[kOffState + 1];
    info->channels = msg[kOffState + 2];
    info->reserved2 = msg[kOffState + 3];
    info->sample_rate = player_rd_be32(msg + kOffSampleRate);
    info->bit_rate = player_rd_be32(msg + kOffBitRate);
    uint32_t l1 = player_rd_be32(msg + kOffLen1);
    uint32_t l2 = player_rd_be32(msg + kOffLen2);
    uint32_t l3 = player_rd_be32(msg + kOffLen3);
    info->len1 = clamp_len(l1);
    info->len2 = clamp_len(l2);
    info->len3 = clamp_len(l3);
    return (uint64_t)l1 + l2 + l3;
}

void player_info_copy_texts(const uint8_t *msg, size_t len, size_t offset, player_ui_info_t *info)
{
    uint64_t pos = offset;
    pos = copy_text(msg, len, pos, player_rd_be32(msg + kOffLen1), info->text1);
    pos = copy_text(msg, len, pos, player_rd_be32(msg + kOffLen2), info->text2);
    copy_text(msg, len, pos, player_rd_be32(msg + kOffLen3), info->text3);
}

int player_msg_decode(const char *tag, const char *func, uint8_t own_app, uint8_t cmd1, uint8_t cmd2,
                      const uint8_t *payload, uint16_t len, player_ui_info_t *info)
{
    if (cmd2 != PLAYER_MSG || cmd1 != own_app)
        return 0;
    if (len < PLAYER_MSG_LEN || payload == NULL) {
        printf(tag, func, __LINE__);
        printf("PLAYER_MSG len<4, drop\n");
        return 0;
    }
    if (payload[3] != MEDIA_CTRL_PLAY_INFO) {
        printf(tag, func, __LINE__);
        printf("PLAYER_MSG ctrl=%u != %d, skip\n", payload[3], MEDIA_CTRL_PLAY_INFO);
        return 0;
    }
    uint32_t have = (uint32_t)len - PLAYER_MSG_LEN;
    if (have < PLAYER_INFO_HDR_LONG) {
        printf(tag, func, __LINE__);
        printf("PLAYER_MSG payload_len=%u < 36, drop\n", have);
        return 0;
    }
    memset(info, 0, sizeof(*info));
    uint64_t sum = player_info_fill_header(payload, info);
    info->len4 = player_rd_be32(payload + kOffLen4);
    if (info->state != 1)
        return 1;
    uint64_t need = PLAYER_INFO_HDR_LONG + sum + info->len4;
    if (need > have) {
        printf(tag, func, __LINE__);
        printf("PLAYER_MSG len overflow: need=%llu have=%u, drop\n", (unsigned long long)need, have);
        return 0;
    }
    player_info_copy_texts(payload, len, kTextsLong, info);
    return 1;
}

void player_msg_build(uint8_t out[PLAYER_MSG_LEN], int ctrl)
{
    out[0] = MSG_DIR_REQUEST;
    out[1] = 0;
    out[2] = MSG_CLASS_PLAYER;
    out[3] = (uint8_t)ctrl;
}
