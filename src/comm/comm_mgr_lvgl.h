/*
 * Communication manager: owns the framework server and the heartbeat
 * monitor, polls the server from a 5 ms GUI timer, watches every registered
 * service, routes each incoming frame by the sender's application id and
 * sends the controllers' messages. Services register with ids 1 to 15, the
 * ids the monitor watches; the server refuses others.
 *
 * Threads: the GUI thread, which calls comm_mgr_init, owns the server (see
 * fw_uds_server.h). The poll timer, every route and hook, and every removal
 * run on it; its sends are written at once. The Airable watchdog threads'
 * sends are handed over to its next poll. The heartbeat thread only notes a
 * timed-out id; the next poll timer drops that service, unless the id was
 * heard from since. The monitor's lock is the only lock taken here, and
 * nothing else is held with it.
 */
#ifndef COMM_MGR_LVGL_H
#define COMM_MGR_LVGL_H

#include <stdint.h>

#include "app_proto.h"
#include "fw_uds_server.h"

/* Poll period of the framework server, in milliseconds. */
#define COMM_MGR_POLL_PERIOD_MS 5

/* Starts the server, the monitor and the poll timer; routes and hooks set
 * before are kept. 0, or -1 after undoing what had been started. */
int comm_mgr_init(void);
void comm_mgr_deinit(void);

/* Deletes the framework socket file that comm_mgr_init created, for a
 * process that ends without comm_mgr_deinit; nothing when the server does
 * not listen. Any thread, also while the GUI thread is busy: takes no lock. */
void comm_mgr_remove_socket_file(void);

/* Frames the payload and sends it to the service registered as app_id:
 * 0, FW_ERR_SIZE, FW_ERR_IO, or FW_ERR_NO_CLIENT when it is not connected
 * (also before comm_mgr_init). Any thread: from another than the GUI thread
 * the frame is handed over to the next poll, and 0 means it was queued for
 * a service registered then (FW_ERR_IO: the queue is full). */
int comm_mgr_send(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len);

/* Route of application id 0 to 15; larger ids are ignored. */
void comm_mgr_set_app_msg_cb(uint8_t app_id, uds_msg_cb_t cb);
/* Fallback route and the connection hooks. */
void comm_mgr_set_msg_cb(uds_msg_cb_t cb);
void comm_mgr_set_conn_cb(uds_conn_cb_t cb);
void comm_mgr_set_disconn_cb(uds_conn_cb_t cb);

/* Entries in use that are registered and active. GUI thread. */
int comm_mgr_get_client_count(void);

#endif /* COMM_MGR_LVGL_H */
