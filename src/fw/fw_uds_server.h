/* The framework server: listens on the framework socket, accepts up to
 * FW_MAX_CLIENTS services, runs the registration handshake and hands every
 * further frame of a registered client to msg_cb with the sender's id.
 *
 * One thread owns a server: the thread that calls uds_server_start. Poll,
 * send, broadcast, find, remove and stop run on that thread only, and so do
 * the callbacks, inside uds_server_poll (they may send). The table and the
 * sockets are therefore touched by one thread and guarded by nothing.
 *
 * Other threads reach a server through uds_server_post alone: it copies the
 * frame into a bounded hand-over queue and wakes the owner's poll through an
 * eventfd in the readiness set; the poll sends it as uds_server_send would,
 * to whichever entry holds the application id then, or drops it when none
 * does. A frame whose destination's socket is full waits in the queue (the
 * frames behind it with it) until that socket takes it or the connection is
 * dropped. The queue has a lock of its own, held only to copy a frame in or
 * out, to open and to close the queue; no other lock is taken and no
 * callback runs while it is held. Posting is safe at any time, before a
 * start and after a stop too.
 *
 * No peer can hold the caller: every connection has its own receive buffer,
 * where a message that arrives in parts is gathered across polls, and its own
 * write queue for the rest of a message its full socket did not take. A poll
 * reads at most one message per connection. Connections that stall are
 * dropped: one that has not registered FW_REGISTER_WAIT_MS after acceptance,
 * one whose message stays incomplete for FW_PARTIAL_MSG_MS, one whose socket
 * stays full for FW_SEND_STALL_MS. */
#ifndef FW_UDS_SERVER_H
#define FW_UDS_SERVER_H

#include <pthread.h>
#include <sys/types.h>

#include <stdint.h>

#include "fw_common.h"
#include "fw_proto.h"
#include "fw_uds.h"

#define FW_MAX_CLIENTS 16
#define FW_MAX_EVENTS 32
#define FW_NAME_MAX 32  /* name buffer, at most 31 bytes and the NUL */
#define FW_PREFIX_LEN 4 /* the u32 length in front of every message */

#define FW_REGISTER_WAIT_MS 2000 /* a connection must register within this */
#define FW_PARTIAL_MSG_MS 2000   /* a message must arrive whole within this */
#define FW_SEND_STALL_MS 2000    /* a peer may leave its socket full this long */

#define FW_HANDOVER_SLOTS 16 /* frames other threads may have waiting for the owner */

typedef void (*uds_msg_cb_t)(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len);
typedef void (*uds_conn_cb_t)(uint8_t app_id);

/* One connection. */
typedef struct {
    int32_t fd;             /* non-blocking socket */
    uint8_t app_id;         /* 0 until registered */
    char name[FW_NAME_MAX]; /* registration name, NUL-terminated */
    int64_t last_heartbeat; /* wall-clock seconds of the last heartbeat frame, 0 = none */
    uint32_t hb_missed;     /* reset by each heartbeat frame */
    int32_t active;         /* 1 from acceptance; 0 once its connection failed */

    /* Upkeep of the connection, the server's own. */
    uint64_t accepted_ms;       /* when it was accepted */
    uint64_t rx_started_ms;     /* when the first byte of the message being gathered came */
    uint32_t rx_len;            /* bytes of that message gathered, prefix included */
    int32_t tx_stalled;         /* 1 while its socket refuses bytes */
    uint64_t tx_stalled_ms;     /* since when, or since the last bytes it took */
    uint32_t tx_off, tx_len;    /* queued rest of a message: tx_buf[tx_off, tx_len) */
    fw_log_limit_t send_log;    /* failing sends */
    fw_log_limit_t refused_log; /* refused registrations */
    fw_log_limit_t decode_log;  /* messages that are not frames */
    uint8_t rx_buf[FW_PREFIX_LEN + FW_MSG_MAX];
    uint8_t tx_buf[FW_PREFIX_LEN + FW_MSG_MAX];
} uds_client_entry_t;

/* A frame another thread handed over. */
typedef struct {
    uint8_t app_id, cmd1, cmd2;
    uint16_t payload_len;
    uint8_t payload[FW_FRAME_PAYLOAD_MAX];
} uds_handover_frame_t;

/* The hand-over queue. Every field is written under the queue's lock and
 * read under it, but for the owner's look at wake_fd, which only the owner
 * writes (start and stop). */
typedef struct {
    int32_t open;                          /* 1 from start to stop: frames are taken */
    pthread_t owner;                       /* the thread that started the server */
    int32_t wake_fd;                       /* eventfd in the readiness set, counting frames posted */
    uint32_t head;                         /* oldest frame waiting */
    uint32_t count;                        /* frames waiting */
    uint32_t served[(UINT8_MAX + 1) / 32]; /* bit n: a registered entry holds id n */
    uds_handover_frame_t frames[FW_HANDOVER_SLOTS];
} uds_handover_t;

typedef struct {
    int32_t listen_fd;                          /* non-blocking listening socket */
    int32_t epoll_fd;                           /* listening socket and every client socket */
    uds_client_entry_t clients[FW_MAX_CLIENTS]; /* packed, in order of acceptance */
    int32_t client_count;                       /* entries in use */
    int32_t running;                            /* 1 between start and stop */
    uds_msg_cb_t msg_cb;                        /* every frame of a registered client */
    uds_conn_cb_t conn_cb;                      /* after each registration */
    uds_conn_cb_t disconn_cb;                   /* a registered client's entry was removed */
    uint8_t app_id_limit;                       /* ids from this one up are refused; 0 = none */
    char path[FW_UDS_PATH_MAX + 1];             /* socket file the server listens on */
    dev_t path_dev;                             /* that file as bound, to tell it from */
    ino_t path_ino;                             /* a later one at the same path */
    fw_log_limit_t full_log;                    /* "Max clients reached" */
    fw_log_limit_t unregistered_log;            /* connections dropped for not registering */
    int32_t handover_held;                      /* the oldest handed-over frame waits for its socket */
    uds_handover_t handover;                    /* frames from other threads */
} uds_server_t;

/* Starts listening on uds_socket_path(); the calling thread becomes the
 * owner. The caller sets msg_cb, conn_cb, disconn_cb and app_id_limit first;
 * everything else is cleared. 0 or FW_ERR_IO. */
int uds_server_start(uds_server_t *srv);

/* One pass of readiness handling, waiting at most timeout_ms (0: none); a
 * frame handed over ends the wait. Reads at most one message per client,
 * sends the frames handed over, drops the connections that stalled, accepts
 * at most one connection. 0, or FW_ERR_IO when the readiness wait fails. */
int uds_server_poll(uds_server_t *srv, int timeout_ms);

/* Sends one frame to the first active entry holding app_id, without waiting:
 * a message the socket takes only in part is finished by later polls, and
 * while such a rest is queued further sends fail. 0, FW_ERR_SIZE, FW_ERR_IO
 * or FW_ERR_NO_CLIENT. */
int uds_server_send(uds_server_t *srv, uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload,
                    uint16_t payload_len);

/* Any thread. From the owner: uds_server_send. From any other: hands the
 * frame over to the owner's next poll; 0 once it is queued, FW_ERR_SIZE when
 * it cannot be a frame, FW_ERR_NO_CLIENT when no registered client holds
 * app_id or the server does not run, FW_ERR_IO when the queue is full. What
 * the send itself gives is not reported. */
int uds_server_post(uds_server_t *srv, uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload,
                    uint16_t payload_len);

/* Sends one frame to every active registered entry; results are ignored. */
void uds_server_broadcast(uds_server_t *srv, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len);

/* First entry in use holding app_id, active or not; null when none. The
 * entry is valid until the next poll, removal or stop. */
uds_client_entry_t *uds_server_find_client(uds_server_t *srv, uint8_t app_id);

/* Removes the first entry holding app_id exactly as a hang-up does: its
 * socket is closed, the disconnection is logged and reported to disconn_cb.
 * 0, or FW_ERR_NO_CLIENT when no entry holds app_id. */
int uds_server_remove_client(uds_server_t *srv, uint8_t app_id);

/* Removes every client, closes the sockets and deletes the socket file. */
void uds_server_stop(uds_server_t *srv);

/* Deletes the socket file a started server bound, unless another file has
 * taken its place, and nothing else: for a process that ends without
 * stopping the server. Any thread, once the record has been started before
 * the caller could see it. */
void uds_server_remove_socket_file(const uds_server_t *srv);

#endif /* FW_UDS_SERVER_H */
