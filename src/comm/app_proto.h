/*
 * The application message protocol between the interface and the three
 * service processes, shared by the interface's controllers, the service
 * stand-ins and the fuzz targets.
 *
 * An application message is the payload of one framework frame (fw_proto.h)
 * whose cmd1 is the service's application id and whose cmd2 names the
 * message; replies carry the cmd2 of their request. Multi-byte numbers are
 * big-endian ("be"); the few little-endian ones are marked "le".
 *
 * Most messages begin with a three-byte header:
 *   0  u8 dir        MSG_DIR_REQUEST in every message of the interface; the
 *                    interface never reads it in a reply
 *   1  u8 status     0 in requests; in replies a CMD_STATUS_*, any other
 *                    value being an error status
 *   2  u8 msg_class  MSG_CLASS_*; the interface never reads it in a reply
 * The Airable INIT and ID_DATA requests and MENU_INFO have no header; the
 * replies to INIT and ID_DATA have one.
 */
#ifndef APP_PROTO_H
#define APP_PROTO_H

#include <stdint.h>

/* Application ids: cmd1 of a service's traffic and its registration byte. */
#define APP_ID_AIRPLAY 2
#define APP_ID_AIRABLE 5
#define APP_ID_SPOTIFY 6

/* --- the header ------------------------------------------------------------ */

#define MSG_HDR_LEN 3
#define MSG_HDR_DIR 0
#define MSG_HDR_STATUS 1
#define MSG_HDR_CLASS 2

#define MSG_DIR_REQUEST 1
#define MSG_DIR_REPLY 2 /* what the stand-in services write in their replies */

#define CMD_STATUS_WAITING 1 /* the service is working on it */
#define CMD_STATUS_READY 5   /* data ready */
#define CMD_STATUS_OKAY 6    /* command accepted */

#define MSG_CLASS_BROWSE 0x20     /* Airable browse, mode and title requests */
#define MSG_CLASS_LIST_RANGE 0x22 /* Airable list window */
#define MSG_CLASS_PLAYER 0x25     /* player messages, Airable play by id */

/* Writes the header that every request of the interface begins with. */
static inline void app_wr_request_hdr(uint8_t *p, uint8_t msg_class)
{
    p[MSG_HDR_DIR] = MSG_DIR_REQUEST;
    p[MSG_HDR_STATUS] = 0;
    p[MSG_HDR_CLASS] = msg_class;
}

/* --- player message, all three services ------------------------------------ */

/*
 * PLAYER_MSG request, from the interface: the header 01 00 25, then
 *   3  u8 ctrl  MEDIA_CTRL_*
 */
#define PLAYER_MSG 0xF7
#define PLAYER_MSG_LEN 4
#define PLAYER_MSG_CTRL 3

#define MEDIA_CTRL_NEXT 1
#define MEDIA_CTRL_PREVIOUS 2
#define MEDIA_CTRL_PLAY_PAUSE 3
#define MEDIA_CTRL_PLAY_INFO 20 /* play-info query, answered by a play-info reply */

/*
 * PLAYER_MSG play-info reply, from a service: header, ctrl 20, then
 *   4  be32 position_ms
 *   8  be32 duration_ms
 *  12  u8   state        PLAYER_STATE_TRACK: the texts are valid
 *  13  u8   reserved, carried unchanged
 *  14  u8   channels
 *  15  u8   reserved, carried unchanged
 *  16  be32 sample_rate  Hz
 *  20  be32 bit_rate     kb/s
 *  24  be32 len1, 28 be32 len2, 32 be32 len3: the three text lengths
 *  36  be32 len4         length of the data after the texts
 *  40  text 1, text 2, text 3 back to back without terminators, then len4
 *      bytes that nobody reads
 * That is the long form, a 36-byte player header after the first four
 * bytes. The Airable service may also send the short form: no len4, the
 * texts from byte 36.
 */
#define PLAYER_OFF_POSITION 4
#define PLAYER_OFF_DURATION 8
#define PLAYER_OFF_STATE 12
#define PLAYER_OFF_RESERVED1 13
#define PLAYER_OFF_CHANNELS 14
#define PLAYER_OFF_RESERVED2 15
#define PLAYER_OFF_SAMPLE_RATE 16
#define PLAYER_OFF_BIT_RATE 20
#define PLAYER_OFF_LEN1 24
#define PLAYER_OFF_LEN2 28
#define PLAYER_OFF_LEN3 32
#define PLAYER_OFF_LEN4 36
#define PLAYER_INFO_HDR_LONG 36
#define PLAYER_INFO_HDR_SHORT 32
#define PLAYER_STATE_TRACK 1

/* --- Airable, application id 5 --------------------------------------------- */

/*
 * INIT, from the interface, no header:
 *   0  be16 udid length
 *   2  be16 secret length
 *   4  be16 url length, at most AIRABLE_INIT_URL_MAX
 *   6  udid, secret, url back to back without terminators
 * Reply: the header; CMD_STATUS_OKAY acknowledges.
 */
#define APP_CMD2_AIRABLE_INIT 0x00
#define AIRABLE_INIT_HDR_LEN 6
#define AIRABLE_INIT_URL_MAX 1024

/*
 * MAIN_PAGE, from the interface: the header 01 00 20 alone.
 * Reply: the header; WAITING, then READY when the top list can be fetched.
 */
#define APP_CMD2_AIRABLE_MAIN_PAGE 0x02

/*
 * TITLE_DATA (browse a folder by name) and TITLE_PLAY (play by name), from
 * the interface: the header 01 00 20, then
 *   3  be16 n + 2
 *   5  be16 n
 *   7  n title bytes without terminator
 * Replies: the header; TITLE_DATA ends on READY, TITLE_PLAY on OKAY.
 */
#define APP_CMD2_AIRABLE_TITLE_DATA 0x03
#define APP_CMD2_AIRABLE_TITLE_PLAY 0x04
#define AIRABLE_TITLE_HDR_LEN 7
#define AIRABLE_TITLE_OFF_LEN 5

/* MSG_CTRL, from the interface: the header 01 00 20 and one code byte. */
#define APP_CMD2_AIRABLE_MSG_CTRL 0x05

/*
 * ID_DATA (browse a folder by id), from the interface, no header:
 *   0  le64 id
 * Reply: the header, cmd2 ID_DATA or ID_DATA_ALT; ends on READY.
 */
#define APP_CMD2_AIRABLE_ID_DATA 0x06
#define APP_CMD2_AIRABLE_ID_DATA_ALT 0x07
#define AIRABLE_ID_LEN 8

/*
 * ID_PLAY (play by id), from the interface: the header 01 00 25, then
 *   3  le64 id
 * Reply: the header; ends on READY or OKAY.
 */
#define APP_CMD2_AIRABLE_ID_PLAY 0x08
#define AIRABLE_ID_PLAY_LEN (MSG_HDR_LEN + AIRABLE_ID_LEN)

/*
 * SET_MODE, from the interface: the header 01 00 20, then
 *   3  u8 mode  AIRABLE_MODE_*
 * Reply: the header; CMD_STATUS_OKAY acknowledges.
 */
#define APP_CMD2_AIRABLE_SET_MODE 0x09
#define AIRABLE_SET_MODE_LEN 4
#define AIRABLE_SET_MODE_OFF_MODE 3

#define AIRABLE_MODE_RADIO 1
#define AIRABLE_MODE_PODCAST 2

/*
 * LIST_DATA request, from the interface: the header 01 00 22, then
 *   3  be16 8, the count of bytes that follow
 *   5  be32 window start
 *   9  be32 window end
 * LIST_DATA reply, from the service: the header (status READY), two bytes
 * that the interface does not read, then from byte 5 the items back to back
 * until the end of the message, each:
 *   0  be32 total   items in the whole list
 *   4  be32 index   this item's place in it
 *   8  u8   type    ASCII: '0' playable, anything else a folder
 *   9  be64 id
 *  17  u8   name length
 *  18  be16 url length
 *  20  name, then url, without terminators
 */
#define APP_CMD2_AIRABLE_LIST_DATA 0xF0
#define AIRABLE_LIST_REQ_LEN 13
#define AIRABLE_LIST_REQ_COUNT 8
#define AIRABLE_LIST_REQ_OFF_START 5
#define AIRABLE_LIST_REQ_OFF_END 9
#define AIRABLE_LIST_FIRST_ITEM 5
#define AIRABLE_ITEM_OFF_TOTAL 0
#define AIRABLE_ITEM_OFF_INDEX 4
#define AIRABLE_ITEM_OFF_TYPE 8
#define AIRABLE_ITEM_OFF_ID 9
#define AIRABLE_ITEM_OFF_NAME_LEN 17
#define AIRABLE_ITEM_OFF_URL_LEN 18
#define AIRABLE_ITEM_HDR_LEN 20

/*
 * MENU_INFO, from the service, no header, the interface only logs it:
 *   0  le32 totality
 *   4  le32 pages
 *   8  le32 page
 *  12  le32 items
 *  16  le32 menu name length
 *  20  8 bytes that nobody reads
 *  28  menu name
 */
#define APP_CMD2_AIRABLE_MENU_INFO 0xF8
#define AIRABLE_MENU_OFF_TOTALITY 0
#define AIRABLE_MENU_OFF_PAGES 4
#define AIRABLE_MENU_OFF_PAGE 8
#define AIRABLE_MENU_OFF_ITEMS 12
#define AIRABLE_MENU_OFF_NAME_LEN 16
#define AIRABLE_MENU_HDR_LEN 28

/* --- byte order -------------------------------------------------------------- */

static inline uint16_t app_rd_be16(const uint8_t *p)
{
    return (uint16_t)((p[0] << 8) | p[1]);
}

static inline uint32_t app_rd_be32(const uint8_t *p)
{
    return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}

static inline uint64_t app_rd_be64(const uint8_t *p)
{
    return ((uint64_t)app_rd_be32(p) << 32) | app_rd_be32(p + 4);
}

static inline uint32_t app_rd_le32(const uint8_t *p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

static inline uint64_t app_rd_le64(const uint8_t *p)
{
    return app_rd_le32(p) | ((uint64_t)app_rd_le32(p + 4) << 32);
}

static inline void app_wr_be16(uint8_t *p, uint16_t v)
{
    p[0] = (uint8_t)(v >> 8);
    p[1] = (uint8_t)v;
}

static inline void app_wr_be32(uint8_t *p, uint32_t v)
{
    app_wr_be16(p, (uint16_t)(v >> 16));
    app_wr_be16(p + 2, (uint16_t)v);
}

static inline void app_wr_be64(uint8_t *p, uint64_t v)
{
    app_wr_be32(p, (uint32_t)(v >> 32));
    app_wr_be32(p + 4, (uint32_t)v);
}

static inline void app_wr_le32(uint8_t *p, uint32_t v)
{
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
    p[2] = (uint8_t)(v >> 16);
    p[3] = (uint8_t)(v >> 24);
}

static inline void app_wr_le64(uint8_t *p, uint64_t v)
{
    app_wr_le32(p, (uint32_t)v);
    app_wr_le32(p + 4, (uint32_t)(v >> 32));
}

#endif /* APP_PROTO_H */
