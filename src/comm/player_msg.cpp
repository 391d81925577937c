#include "player_msg.h"

#include <stdio.h>
#include <string.h>

#define TEXTS_LONG (PLAYER_MSG_LEN + PLAYER_INFO_HDR_LONG)

static uint16_t clamp_len(uint32_t v)
{
    return v > PLAYER_LEN_CLAMP ? (uint16_t)PLAYER_LEN_CLAMP : (uint16_t)v;
}

/* Copies one text into `dst`; returns the read position after its full length. */
static uint64_t copy_text(const uint8_t *msg, size_t len, uint64_t pos, uint32_t wire_len, char *dst)
{
    if (wire_len == 0) {
        return pos;
    }
    size_t n = 0;
    while (n < wire_len && n < PLAYER_TEXT_MAX && pos + n < len && msg[pos + n] != 0) {
        dst[n] = (char)msg[pos + n];
        n++;
    }
    dst[n] = '\0';
    return pos + wire_len;
}

uint64_t player_info_fill_header(const uint8_t *msg, player_ui_info_t *info)
{
    info->position_ms = app_rd_be32(msg + PLAYER_OFF_POSITION);
    info->duration_ms = app_rd_be32(msg + PLAYER_OFF_DURATION);
    info->state = msg[PLAYER_OFF_STATE];
    info->reserved1 = msg[PLAYER_OFF_RESERVED1];
    info->channels = msg[PLAYER_OFF_CHANNELS];
    info->reserved2 = msg[PLAYER_OFF_RESERVED2];
    info->sample_rate = app_rd_be32(msg + PLAYER_OFF_SAMPLE_RATE);
    info->bit_rate = app_rd_be32(msg + PLAYER_OFF_BIT_RATE);
    uint32_t l1 = app_rd_be32(msg + PLAYER_OFF_LEN1);
    uint32_t l2 = app_rd_be32(msg + PLAYER_OFF_LEN2);
    uint32_t l3 = app_rd_be32(msg + PLAYER_OFF_LEN3);
    info->len1 = clamp_len(l1);
    info->len2 = clamp_len(l2);
    info->len3 = clamp_len(l3);
    return (uint64_t)l1 + l2 + l3;
}

void player_info_copy_texts(const uint8_t *msg, size_t len, size_t offset, player_ui_info_t *info)
{
    uint64_t pos = offset;
    pos = copy_text(msg, len, pos, app_rd_be32(msg + PLAYER_OFF_LEN1), info->text1);
    pos = copy_text(msg, len, pos, app_rd_be32(msg + PLAYER_OFF_LEN2), info->text2);
    copy_text(msg, len, pos, app_rd_be32(msg + PLAYER_OFF_LEN3), info->text3);
}

int player_msg_decode(const char *tag, const char *func, uint8_t own_app, uint8_t cmd1, uint8_t cmd2,
                      const uint8_t *payload, uint16_t len, player_ui_info_t *info)
{
    if (cmd2 != PLAYER_MSG || cmd1 != own_app) {
        return 0;
    }
    if (len < PLAYER_MSG_LEN || payload == NULL) {
        printf("%s[%s:%d]\033[0m PLAYER_MSG len<4, drop\n", tag, func, __LINE__);
        return 0;
    }
    if (payload[PLAYER_MSG_CTRL] != MEDIA_CTRL_PLAY_INFO) {
        printf("%s[%s:%d]\033[0m PLAYER_MSG ctrl=%u != %d, skip\n", tag, func, __LINE__, payload[PLAYER_MSG_CTRL],
               MEDIA_CTRL_PLAY_INFO);
        return 0;
    }
    uint32_t have = (uint32_t)len - PLAYER_MSG_LEN;
    if (have < PLAYER_INFO_HDR_LONG) {
        printf("%s[%s:%d]\033[0m PLAYER_MSG payload_len=%u < 36, drop\n", tag, func, __LINE__, have);
        return 0;
    }
    memset(info, 0, sizeof(*info));
    uint64_t sum = player_info_fill_header(payload, info);
    info->len4 = app_rd_be32(payload + PLAYER_OFF_LEN4);
    if (info->state != PLAYER_STATE_TRACK) {
        return 1;
    }
    uint64_t need = PLAYER_INFO_HDR_LONG + sum + info->len4;
    if (need > have) {
        printf("%s[%s:%d]\033[0m PLAYER_MSG len overflow: need=%llu have=%u, drop\n", tag, func, __LINE__,
               (unsigned long long)need, have);
        return 0;
    }
    player_info_copy_texts(payload, len, TEXTS_LONG, info);
    return 1;
}

void player_msg_build(uint8_t out[PLAYER_MSG_LEN], int ctrl)
{
    app_wr_request_hdr(out, MSG_CLASS_PLAYER);
    out[PLAYER_MSG_CTRL] = (uint8_t)ctrl;
}
