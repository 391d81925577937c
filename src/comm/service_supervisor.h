/*
 * The service supervisor: probes, kills and starts the three service
 * programs, "airplay_run", "spotify_run" and "airable_run", which run from
 * the working directory under their program names. It knows nothing of the
 * pages: the main page's source tiles call it and decide what to show.
 *
 * The caller's thread (the GUI thread, for the tiles) is held while a
 * command runs, so every command goes through the command runner with a
 * limit:
 * - a probe, "killall -0 NAME 2>/dev/null", at most a second;
 * - kill_one_app, "pkill -9 -x NAME", "killall -w -9 NAME" (which waits for
 *   the killed processes to end) and then a probe every 20 ms until no
 *   process of the name is left, about two seconds at most in all, whatever
 *   the processes it waits for do;
 * - a start, "./NAME &", returns at once; its limit (two seconds) only cuts
 *   off a shell that hangs, which would take the service along.
 *
 * Results: service_runs is true only when a probe finds the program; a probe
 * that fails or overruns its limit counts as not running, so that the caller
 * starts afresh (and kills whatever is left first). kill_one_app prints
 * "warning: NAME still alive (D-state?)" when a process survives it; the
 * caller goes on all the same. A start's result is not examined: a service
 * that did not start never registers with the framework server.
 *
 * It keeps no state of its own; any thread may call it.
 */
#ifndef SERVICE_SUPERVISOR_H
#define SERVICE_SUPERVISOR_H

#include <stdint.h>

typedef struct service_t {
    const char *name;  /* program name, as probed and killed */
    const char *start; /* start command, run from the working directory */
} service_t;

extern const service_t service_airplay;
extern const service_t service_spotify;
extern const service_t service_airable;

/* True while a process of the service's program runs. */
bool service_runs(const service_t *service);

/* Kills every process of that program name and waits for them to end. */
void kill_one_app(const char *name);

/* kill_one_app for the three services, airplay_run, airable_run and
 * spotify_run in this order: the services never run side by side. */
void service_kill_all(void);

/* Runs the service's start command. */
void service_start(const service_t *service);

#endif /* SERVICE_SUPERVISOR_H */
