#include "service_supervisor.h"

#include <errno.h>
#include <stdio.h>
#include <time.h>

#include "lib/cmd_runner.h"
#include "service_supervisor_internal.h"

#define COMMAND_LEN 128

/* Kill sequence. pkill matches the program name exactly (-x), not any
 * command line that merely contains it. */
#define KILL_COMMAND "pkill -9 -x"
#define KILL_WAIT_COMMAND "killall -w -9"
#define PROBE_COMMAND "killall -0"
#define PROBE_TRIES 50
#define PROBE_PAUSE_MS 20

/* Limits of one kill_one_app. "killall -w" waits for as long as a killed
 * process lingers (a zombie nobody reaps, a process stuck in the kernel), so
 * it gets a limit of its own and the probes only what is left of the budget.
 * A kill that works takes a few milliseconds of it. */
#define KILL_BUDGET_MS 2000
#define KILL_TIMEOUT_MS 500
#define KILL_WAIT_TIMEOUT_MS 1000
#define PROBE_TIMEOUT_MS 250
/* The probe that decides whether to start a service: time enough for a
 * loaded machine. */
#define RUNS_PROBE_TIMEOUT_MS 1000
/* A start command returns at once ("&"); the limit only cuts off a shell
 * that hangs. Killing the shell at it would take the service along. */
#define START_TIMEOUT_MS 2000

const service_t service_airplay = {"airplay_run", "./airplay_run &"};
const service_t service_spotify = {"spotify_run", "./spotify_run &"};
const service_t service_airable = {"airable_run", "./airable_run &"};

/* Killed in this order before any service is started. */
static const service_t *const all_services[] = {&service_airplay, &service_airable, &service_spotify};

static void real_sleep_ms(uint32_t ms)
{
    struct timespec ts = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

static const service_ops_t real_ops = {cmd_run_timeout, cmd_now_ms, real_sleep_ms};
static const service_ops_t *ops = &real_ops;

void service_set_ops(const service_ops_t *fake)
{
    ops = fake ? fake : &real_ops;
}

/* "TOOL NAME 2>/dev/null": the tool and its options, then the program name. */
static int run_named(const char *tool, const char *name, int32_t timeout_ms)
{
    char command[COMMAND_LEN];
    snprintf(command, sizeof command, "%s %s 2>/dev/null", tool, name);
    return ops->run(command, timeout_ms);
}

/* The probe's exit status: 0 while a process of that name exists. */
static int probe(const char *name, int32_t timeout_ms)
{
    errno = 0;
    return run_named(PROBE_COMMAND, name, timeout_ms);
}

bool service_runs(const service_t *service)
{
    return probe(service->name, RUNS_PROBE_TIMEOUT_MS) == 0;
}

/* While killing: a probe cut off at its limit most likely hangs on that very
 * process, so it counts as one still there. */
static bool still_there(const char *name, int32_t timeout_ms)
{
    const int status = probe(name, timeout_ms);
    return status == 0 || (status == -1 && errno == ETIMEDOUT);
}

static int32_t clamp_timeout(int32_t limit, int64_t left)
{
    if (left <= 0) {
        return 0;
    }
    return left < limit ? (int32_t)left : limit;
}

void kill_one_app(const char *name)
{
    const int64_t deadline = ops->now_ms() + KILL_BUDGET_MS;
    /* The final probe's share is kept back from the steps before it. */
    const int64_t probes_until = deadline - PROBE_TIMEOUT_MS;
    (void)run_named(KILL_COMMAND, name, clamp_timeout(KILL_TIMEOUT_MS, probes_until - ops->now_ms()));
    (void)run_named(KILL_WAIT_COMMAND, name, clamp_timeout(KILL_WAIT_TIMEOUT_MS, probes_until - ops->now_ms()));
    for (int i = 0; i < PROBE_TRIES; i++) {
        const int64_t left = probes_until - ops->now_ms();
        if (left <= 0 || !still_there(name, clamp_timeout(PROBE_TIMEOUT_MS, left))) {
            break;
        }
        ops->sleep_ms(PROBE_PAUSE_MS);
    }
    if (still_there(name, clamp_timeout(PROBE_TIMEOUT_MS, deadline - ops->now_ms()))) {
        printf("warning: %s still alive (D-state?)\n", name);
    }
}

void service_kill_all(void)
{
    for (size_t i = 0; i < sizeof all_services / sizeof all_services[0]; i++) {
        const service_t *service = all_services[i];
        kill_one_app(service->name);
    }
}

void service_start(const service_t *service)
{
    (void)ops->run(service->start, START_TIMEOUT_MS);
}
