/* Unix-domain stream transport: listening, connecting with retries, and
 * length-prefixed messages (u32 big-endian length N, then N bytes; N = 0 is
 * an empty message that receivers skip). */
#ifndef FW_UDS_H
#define FW_UDS_H

#include <stdint.h>

#include "fw_common.h"

/* The framework socket of the system. */
#define FW_UDS_PATH "/tmp/app_fw_uds"

/* Longest path that fits a Unix socket address (one byte stays for the NUL). */
#define FW_UDS_PATH_MAX 107

/* A new AF_UNIX stream socket, or FW_ERR_IO. */
int uds_socket_create(void);

/* Listening socket bound to path (any old socket file is unlinked first),
 * left blocking; or FW_ERR_IO. */
int uds_server_init(const char *path);

/* Connects to path, retrying every 50 ms while the socket is missing,
 * refuses or has its backlog full, for up to timeout_ms (0: one attempt);
 * no attempt waits past that limit. A connected blocking descriptor,
 * FW_ERR_IO or FW_ERR_TIMEOUT. */
int uds_client_connect(const char *path, int timeout_ms);

/* Sends one message in a single gathered write. Either the whole message is
 * on the wire (0) or the send failed (FW_ERR_IO). A non-blocking socket that
 * takes only part of it gets a bounded wait to drain; never raises SIGPIPE. */
int uds_send_msg(int fd, const uint8_t *data, uint32_t len);

/* Waits up to timeout_ms (0: only a look) for one message and reads it into
 * buf. Returns N (0 for an empty message), FW_ERR_TIMEOUT (nothing to read),
 * FW_ERR_IO (error or peer closed), FW_ERR_PROTO (prefix cut short) or
 * FW_ERR_SIZE (N above cap; the body stays unread). A body that arrives in
 * part is completed with a bounded wait or the read fails. fd must be below
 * 1024 (select). */
int uds_recv_msg(int fd, uint8_t *buf, uint32_t cap, int timeout_ms);

/* Closes fd when it is 0 or more, then unlinks path when given. */
void uds_close(int fd, const char *path);

/* Socket path used by uds_server_start and uds_client_start: FW_UDS_PATH
 * unless a test points it elsewhere (set before starting; null restores
 * the default). Paths longer than FW_UDS_PATH_MAX are cut. */
void uds_set_socket_path(const char *path);
const char *uds_socket_path(void);

#endif /* FW_UDS_H */
