/*
 * The memory monitor: a thread that prints, every two seconds, the process's
 * heap figures, its resident size and the memory the system still has
 * available, as one log line on standard output. Nothing starts it at run
 * time; it may be started at any time and touches no state of the interface.
 */
#ifndef MEM_MONITOR_H
#define MEM_MONITOR_H

#ifdef __cplusplus
extern "C" {
#endif

#define MEM_MONITOR_PERIOD_MS 2000

/* Starts the monitor thread, detached. A thread that cannot be created is
 * reported on standard error, and that is all. */
void mem_monitor_start(void);

/* The monitor's thread function. With a NULL argument, as mem_monitor_start
 * runs it, it reports every MEM_MONITOR_PERIOD_MS and never returns. */
void *mem_monitor_thread(void *arg);

#ifdef __cplusplus
}
#endif

#endif /* MEM_MONITOR_H */
