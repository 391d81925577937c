// The framework server: listens on the framework socket, accepts up to
// FW_MAX_CLIENTS services, runs the registration handshake and hands every
// further frame of a registered client to msg_cb with the sender's id.
//
// All work happens inside the calls made to it, on the caller's thread. Every
// operation takes the server's table lock, which is recursive: callbacks run
// inside uds_server_poll with the lock held and may send, and other threads
// (sends, the heartbeat timeout's removal) wait for the poll to finish.
// Callers that need several operations to stay together (find, then remove)
// hold the lock around them with uds_server_lock / uds_server_unlock.
#pragma once

#include <cstdint>

#include "fw_common.h"
#include "fw_uds.h"

#define FW_MAX_CLIENTS 16
#define FW_MAX_EVENTS 32
#define FW_NAME_MAX 32 // name buffer, at most 31 bytes and the NUL

typedef void (*uds_msg_cb_t)(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload,
                             uint16_t payload_len);
typedef void (*uds_conn_cb_t)(uint8_t app_id);

// One connection.
typedef struct {
    int32_t fd;               // non-blocking socket
    uint8_t app_id;           // 0 until registered
    char name[FW_NAME_MAX];   // registration name, NUL-terminated
    int64_t last_heartbeat;   // wall-clock seconds of the last heartbeat frame, 0 = none
    uint32_t hb_missed;       // reset by each heartbeat frame
    int32_t active;           // 1 from acceptance; 0 once a send broke its stream
} uds_client_entry_t;

typedef struct {
    int32_t listen_fd;                          // non-blocking listening socket
    int32_t epoll_fd;                           // listening socket and every client socket
    uds_client_entry_t clients[FW_MAX_CLIENTS]; // packed, in order of acceptance
    int32_t client_count;                       // entries in use
    int32_t running;                            // 1 between start and stop
    uds_msg_cb_t msg_cb;                        // every frame of a registered client
    uds_conn_cb_t conn_cb;                      // after each registration
    uds_conn_cb_t disconn_cb;                   // a registered client's entry was removed
    char path[FW_UDS_PATH_MAX + 1];             // socket file the server listens on
} uds_server_t;

// Starts listening on uds_socket_path(). The caller sets msg_cb, conn_cb and
// disconn_cb first; everything else is cleared. 0 or FW_ERR_IO.
int uds_server_start(uds_server_t *srv);

// One pass of readiness handling, waiting at most timeout_ms (0: none):
// accepts at most one connection, reads at most one message per client.
// 0, or FW_ERR_IO when the readiness wait fails.
int uds_server_poll(uds_server_t *srv, int timeout_ms);

// Sends one frame to the first active entry holding app_id. 0, FW_ERR_SIZE,
// FW_ERR_IO or FW_ERR_NO_CLIENT.
int uds_server_send(uds_server_t *srv, uint8_t app_id, uint8_t cmd1, uint8_t cmd2,
                    const uint8_t *payload, uint16_t payload_len);

// Sends one frame to every active registered entry; results are ignored.
void uds_server_broadcast(uds_server_t *srv, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload,
                          uint16_t payload_len);

// First entry in use holding app_id, active or not; null when none. The
// entry is valid only while the caller holds the lock.
uds_client_entry_t *uds_server_find_client(uds_server_t *srv, uint8_t app_id);

// Removes the first entry holding app_id exactly as a hang-up does: its
// socket is closed, the disconnection is logged and reported to disconn_cb.
// 0, or FW_ERR_NO_CLIENT when no entry holds app_id.
int uds_server_remove_client(uds_server_t *srv, uint8_t app_id);

// Removes every client, closes the sockets and deletes the socket file.
void uds_server_stop(uds_server_t *srv);

// The table lock (recursive; the same thread may take it again).
void uds_server_lock(uds_server_t *srv);
void uds_server_unlock(uds_server_t *srv);
