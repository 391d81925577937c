/*
 * Application messages shared by the three source controllers: the message
 * header, the player message (transport commands, play-info query and reply)
 * and the now-playing record a play-info reply becomes.
 */
#ifndef PLAYER_MSG_H
#define PLAYER_MSG_H

#include <stddef.h>
#include <stdint.h>

#define MSG_DIR_REQUEST 1

#define CMD_STATUS_WAITING 1
#define CMD_STATUS_READY 5
#define CMD_STATUS_OKAY 6

#define MSG_CLASS_BROWSE 0x20
#define MSG_CLASS_LIST_RANGE 0x22
#define MSG_CLASS_PLAYER 0x25

#define PLAYER_MSG 0xF7

#define MEDIA_CTRL_NEXT 1
#define MEDIA_CTRL_PREVIOUS 2
#define MEDIA_CTRL_PLAY_PAUSE 3
#define MEDIA_CTRL_PLAY_INFO 20

/* Header bytes and the control byte of a player message. */
#define MSG_HDR_LEN 3
#define PLAYER_MSG_LEN 4
/* Player header after the first four bytes, long form (with len4). */
#define PLAYER_INFO_HDR_LONG 36
/* Short form of the Airable service, ending with len3. */
#define PLAYER_INFO_HDR_SHORT 32
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

/* Big-endian and little-endian field access. */
uint16_t player_rd_be16(const uint8_t *p);
uint32_t player_rd_be32(const uint8_t *p);
uint64_t player_rd_be64(const uint8_t *p);
void player_wr_be16(uint8_t *p, uint16_t v);
void player_wr_be32(uint8_t *p, uint32_t v);

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
 * services send it. `own_app` is the only cmd1 accepted; log lines carry
 * `tag` and `func`. Returns 1 when `info` holds a record for the UI, else 0.
 */
int player_msg_decode(const char *tag, const char *func, uint8_t own_app, uint8_t cmd1, uint8_t cmd2,
                      const uint8_t *payload, uint16_t len, player_ui_info_t *info);

/* Writes the 4-byte player request 01 00 25 `ctrl` into `out`. */
void player_msg_build(uint8_t out[PLAYER_MSG_LEN], int ctrl);

#endif
