/* Seams of the heartbeat monitor for tests; not for other modules. */
#ifndef FW_HEARTBEAT_INTERNAL_H
#define FW_HEARTBEAT_INTERNAL_H

#include <stdint.h>

#include "fw_heartbeat.h"

/* Clock of the monitor (monotonic ms); null restores the real one. Tests
 * drive long timelines through it together with hb_monitor_check. */
typedef uint64_t (*hb_clock_fn_t)(void);
void hb_set_clock(hb_clock_fn_t clock);

/* hb_monitor_start without the thread, and its undoing: for tests that run
 * the check passes themselves. */
void hb_monitor_init(hb_monitor_t *hb, hb_timeout_cb_t timeout_cb, void *user_data);
void hb_monitor_destroy(hb_monitor_t *hb);

/* One check pass of the heartbeat thread, timeout callbacks included. */
void hb_monitor_check(hb_monitor_t *hb);

/* With `manual` set, hb_monitor_start starts no thread and hb_monitor_stop
 * waits for none: the test runs the check passes of a monitor that another
 * module starts. Set before that start, cleared after the stop. */
void hb_set_manual_checks(bool manual);

#endif /* FW_HEARTBEAT_INTERNAL_H */
