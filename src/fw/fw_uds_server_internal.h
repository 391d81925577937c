/* Seam of the framework server for tests; not for other modules. */
#ifndef FW_UDS_SERVER_INTERNAL_H
#define FW_UDS_SERVER_INTERNAL_H

#include <stdint.h>

/* Clock of the server's connection limits (monotonic ms); null restores the
 * real one. Tests step it to cross FW_REGISTER_WAIT_MS and the like without
 * waiting. */
typedef uint64_t (*uds_server_clock_fn_t)(void);
void uds_server_set_clock(uds_server_clock_fn_t clock);

#endif /* FW_UDS_SERVER_INTERNAL_H */
