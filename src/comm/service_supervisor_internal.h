/*
 * Seam of the service supervisor for tests; not for other modules.
 */
#ifndef SERVICE_SUPERVISOR_INTERNAL_H
#define SERVICE_SUPERVISOR_INTERNAL_H

#include <stdint.h>

#include "service_supervisor.h"

/* How the supervisor runs the shell commands and waits between probes. A
 * command runs with a limit and gives its wait status, or -1 (as
 * cmd_run_timeout). Tests put fakes here; NULL restores the real ones. */
typedef struct service_ops_t {
    int (*run)(const char *command, int32_t timeout_ms);
    int64_t (*now_ms)(void); /* a monotonic clock */
    void (*sleep_ms)(uint32_t ms);
} service_ops_t;
void service_set_ops(const service_ops_t *ops);

#endif /* SERVICE_SUPERVISOR_INTERNAL_H */
