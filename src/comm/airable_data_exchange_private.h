/*
 * What the sources of the Airable controller share and nothing else sees:
 * the log tag, the send path to the service and the end of a pending
 * request. Their state is in airable_data_exchange_internal.h.
 *
 *   airable_data_exchange.cpp  the state records, the send path
 *   airable_handshake.cpp      INIT and SET_MODE with their watchdog threads
 *   airable_requests.cpp       browse and play requests, the request timer
 *   airable_replies.cpp        registration, the reply dispatch, the decoders
 */
#ifndef AIRABLE_DATA_EXCHANGE_PRIVATE_H
#define AIRABLE_DATA_EXCHANGE_PRIVATE_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#define AIRABLE_TAG "\033[1;33m[Controller Airable][%s:%d]\033[0m "
#define AIRABLE_LOG(fmt, ...) printf(AIRABLE_TAG fmt, __func__, __LINE__, ##__VA_ARGS__)

/* Sends one message to the Airable service: comm_mgr_send(5, 5, cmd2, ...). */
int airable_send_msg(uint8_t cmd2, const uint8_t *msg, size_t len);

/* Copies src cut to cap - 1 characters; NULL copies an empty string. */
void airable_copy_cut(char *dst, size_t cap, const char *src);

/* Deletes the request timer of the pending request, if there is one. */
void airable_end_pending_request(void);

#endif /* AIRABLE_DATA_EXCHANGE_PRIVATE_H */
