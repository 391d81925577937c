/* Seams of the memory monitor for tests; not for other modules. */
#ifndef MEM_MONITOR_INTERNAL_H
#define MEM_MONITOR_INTERNAL_H

#include <stdint.h>
#include <stdio.h>

#include "mem_monitor.h"

#ifdef __cplusplus
extern "C" {
#endif

/* What the monitor waits with, reads and writes to, given to
 * mem_monitor_thread as its argument (NULL: the real clock, /proc and
 * standard output). */
typedef struct mem_monitor_io_t {
    /* Waits `ms` before each report: 0 to report, -1 to end the thread. */
    int (*wait_ms)(void *ctx, uint32_t ms);
    void *ctx;
    FILE *out;                /* NULL: standard output */
    const char *status_path;  /* the process's status, for VmRSS */
    const char *meminfo_path; /* the system's memory, for MemAvailable */
} mem_monitor_io_t;

#ifdef __cplusplus
}
#endif

#endif /* MEM_MONITOR_INTERNAL_H */
