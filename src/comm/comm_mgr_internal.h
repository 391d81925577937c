/*
 * Seam of the communication manager for tests; not for other modules.
 */
#ifndef COMM_MGR_INTERNAL_H
#define COMM_MGR_INTERNAL_H

#include "fw_heartbeat.h"

/* The manager's heartbeat monitor, for tests that run its check passes
 * themselves (hb_monitor_check, with hb_set_manual_checks). */
hb_monitor_t *comm_mgr_monitor(void);

#endif /* COMM_MGR_INTERNAL_H */
