/*
 * The one way the interface runs other programs: the mixer, the service
 * starts and kills, the wireless and network tools.
 *
 * Why not system() and popen(): system() ignores SIGINT in the caller while
 * the child runs, so a Ctrl+C that arrives during a command is lost, and
 * neither can bound how long a command may take. Here the caller's signal
 * handling is left alone, every wait can carry a limit, and a command that
 * overruns it is killed together with everything it started (each command
 * runs in a process group of its own).
 *
 * Two ways to name a command:
 * - a shell text, run as "/bin/sh -c TEXT", for fixed command texts;
 * - an argument vector, run without a shell (argv[0] looked up on PATH), for
 *   anything that carries outside input: no byte of an argument is ever read
 *   as shell syntax. Such commands get /dev/null as standard input and
 *   standard error.
 *
 * Results follow system(): the wait status of the child (WIFEXITED and
 * friends apply), or -1 when the command could not be started or was killed
 * at its limit (errno ETIMEDOUT). Every function may be called from any
 * thread; none touches the GUI library.
 *
 * The runner keeps the process groups of the commands now running (at most
 * CMD_RUNNING_MAX at once; one more is refused with errno EAGAIN), so that
 * the stop can end them all: a command must not outlive the interface.
 */
#ifndef CMD_RUNNER_H
#define CMD_RUNNER_H

#include <stddef.h>
#include <stdint.h>
#include <sys/types.h>

#ifdef __cplusplus
extern "C" {
#endif

/* No limit: wait as long as the command runs. */
#define CMD_NO_TIMEOUT (-1)

/* Commands that may run at the same time, over all threads. */
#define CMD_RUNNING_MAX 32

/* CLOCK_MONOTONIC in milliseconds: the clock of every limit here. */
int64_t cmd_now_ms(void);

/* Runs "/bin/sh -c command" and waits for it, as system() does. */
int cmd_run(const char *command);

/* As cmd_run, but a command still running after timeout_ms is killed with
 * its process group; then -1 with errno ETIMEDOUT. */
int cmd_run_timeout(const char *command, int32_t timeout_ms);

/* Runs argv[0] (looked up on PATH) with the NULL-terminated argv, no shell,
 * and waits at most timeout_ms (CMD_NO_TIMEOUT: no limit). */
int cmd_exec(const char *const argv[], int32_t timeout_ms);

/* A running command whose standard output the caller reads, as popen(.., "r")
 * gives it. The deadline covers the whole command: reads stop at it and
 * cmd_close kills what still runs then. */
typedef struct cmd_pipe_t {
    pid_t pid;        /* 0 when nothing runs */
    int fd;           /* read end of the child's standard output */
    int64_t deadline; /* CLOCK_MONOTONIC ms; INT64_MAX for none */
    size_t head;      /* first unread byte of buf */
    size_t len;       /* bytes held in buf */
    char buf[512];
} cmd_pipe_t;

/* Starts "/bin/sh -c command" with its output on a pipe. 0, or -1 when it
 * cannot be started (the record is then left closed). */
int cmd_open(cmd_pipe_t *pipe, const char *command, int32_t timeout_ms);

/* The same for an argument vector, without a shell. */
int cmd_open_argv(cmd_pipe_t *pipe, const char *const argv[], int32_t timeout_ms);

/* fgets() on the command's output: up to size - 1 bytes, through the first
 * newline (kept), NUL-terminated. Returns line, or NULL at the end of the
 * output, at the deadline, or on an error (line is then empty). */
char *cmd_gets(cmd_pipe_t *pipe, char *line, size_t size);

/* Closes the output, waits for the command (killing it at the deadline) and
 * gives its wait status as pclose() does, or -1. The record is closed after. */
int cmd_close(cmd_pipe_t *pipe);

/* For the stop: kills the process group of every command still running
 * and refuses every command that another thread starts from then on (-1,
 * errno ECANCELED); the calling thread may still run its own, the stop's
 * commands. A command that is just being started is waited for (a few
 * milliseconds at most) and ended too. It uses only lock-free atomics,
 * nanosleep and killpg, so a signal handler may call it. */
void cmd_end_all(void);

#ifdef __cplusplus
}
#endif

#endif /* CMD_RUNNER_H */
