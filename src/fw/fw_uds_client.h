/* The client half of the framework, run by a service process: connect,
 * register, exchange frames, unregister before closing.
 *
 * All client operations of a process share one message buffer, so they must
 * not overlap: use the client from one thread at a time. */
#ifndef FW_UDS_CLIENT_H
#define FW_UDS_CLIENT_H

#include <stdint.h>

#include "fw_common.h"

typedef void (*uds_client_msg_cb_t)(uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len);

typedef struct {
    int32_t fd;                 /* connected blocking socket; negative when none */
    uint8_t app_id;             /* application id registered with */
    int32_t registered;         /* 1 once the acknowledgement arrived */
    uds_client_msg_cb_t msg_cb; /* each received frame; may be null */
} uds_client_t;

#define FW_CLIENT_CONNECT_TIMEOUT_MS 5000
#define FW_CLIENT_ACK_TIMEOUT_MS 3000

/* Connects to uds_socket_path() and registers. registration: the application
 * id byte, directly followed by the name as NUL-terminated text (at most 31
 * bytes are sent). Clears the record, msg_cb included. 0, or the failure of
 * the step that failed (FW_ERR_IO / FW_ERR_TIMEOUT connecting, FW_ERR_IO
 * sending, any uds_recv_msg failure waiting, FW_ERR_PROTO when refused). */
int uds_client_start(uds_client_t *client, const uint8_t *registration);

/* Sends FW_CMD2_UNREGISTER when connected, then closes. */
void uds_client_stop(uds_client_t *client);

/* 0, FW_ERR_NOT_REGISTERED, FW_ERR_SIZE or FW_ERR_IO. */
int uds_client_send(uds_client_t *client, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len);

/* Waits up to timeout_ms for one message and hands its frame to msg_cb.
 * 0 (a frame handled or an empty message), FW_ERR_NOT_REGISTERED,
 * FW_ERR_PROTO (not a valid frame) or the failure of uds_recv_msg. A read
 * that fails for any reason but FW_ERR_TIMEOUT closes the connection: the
 * client is then unregistered and must start again. */
int uds_client_recv(uds_client_t *client, int timeout_ms);

#endif /* FW_UDS_CLIENT_H */
