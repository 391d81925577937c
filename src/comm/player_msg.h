/*
 * The player message as the three source controllers handle it: the
 * now-playing record a play-info reply becomes, its decoders and the
 * request builder. The wire layout is drawn in app_proto.h.
 */
#ifndef PLAYER_MSG_H
#define PLAYER_MSG_H

#include <stddef.h>
#include <stdint.h>

#include "app_proto.h"

#define PLAYER_TEXT_MAX 255
#define PLAYER_LEN_CLAMP 65535u

typedef struct {
    uint32_t position_ms;
    uint32_t duration_ms;
    uint8_t state;
    uint8_t reserved1;
    uint8_t channels;
    uint8_t reserved2;
    uint32_t sample_rate;
    uint32_t bit_rate;
    uint32_t len4;
    uint16_t len1;
    uint16_t len2;
    uint16_t len3;
    char text1[PLAYER_TEXT_MAX + 1];
    char text2[PLAYER_TEXT_MAX + 1];
    char text3[PLAYER_TEXT_MAX + 1];
} player_ui_info_t;

typedef void (*player_ui_cb_t)(const player_ui_info_t *info);

/*
 * Fills the numeric fields of a play-info reply of at least 36 bytes
 * (offsets 4 to 35; len4 is left to the caller) into a zeroed record and
 * returns the sum of the three full wire text lengths.
 */
uint64_t player_info_fill_header(const uint8_t *msg, player_ui_info_t *info);

/*
 * Copies the three texts, starting at `offset` of `msg`, whose full wire
 * lengths are at offsets 24, 28 and 32. Each text keeps at most 255 bytes and
 * ends at its first NUL; the next text begins after the full wire length.
 * Nothing is read past `len`.
 */
void player_info_copy_texts(const uint8_t *msg, size_t len, size_t offset, player_ui_info_t *info);

/*
 * Decodes a play-info reply in its long form as the AirPlay and Spotify
 * services send it. `own_app` is the only cmd1 accepted; log lines start
 * with `tag` (the controller's coloured name) and `func`. Returns 1 when
 * `info` holds a record for the UI, else 0.
 */
int player_msg_decode(const char *tag, const char *func, uint8_t own_app, uint8_t cmd1, uint8_t cmd2,
                      const uint8_t *payload, uint16_t len, player_ui_info_t *info);

/* Writes the 4-byte player request 01 00 25 `ctrl` into `out`. */
void player_msg_build(uint8_t out[PLAYER_MSG_LEN], int ctrl);

#endif /* PLAYER_MSG_H */
