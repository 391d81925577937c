#include "lib/cmd_runner.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <atomic>

extern char **environ;

#define SHELL_PATH "/bin/sh"
#define DEV_NULL "/dev/null"
/* Without pidfd support the wait polls the child at this period. */
#define WAIT_POLL_PERIOD_MS 2

/* The record of running commands: a slot holds SLOT_FREE, SLOT_STARTING
 * (taken by a command on its way to posix_spawn), the pid of a running
 * command, which leads its process group, or minus that pid while
 * cmd_end_all kills the group. A slot is freed once its command has ended
 * and before it is reaped, and not while its group is being killed: until
 * the reap the pid cannot be reused, so killpg never reaches a stranger's
 * group. */
#define SLOT_FREE 0
#define SLOT_STARTING (-1)
/* cmd_end_all waits this long, in 1 ms steps, for a command being started. */
#define STARTING_WAIT_MS 1000

static_assert(std::atomic<pid_t>::is_always_lock_free, "the record is read from a signal handler");
static std::atomic<pid_t> running[CMD_RUNNING_MAX];
/* 0, or the thread (its tid) that ended all commands: only it may start more. */
static std::atomic<pid_t> ender;

int64_t cmd_now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (int64_t)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

static int64_t deadline_after(int32_t timeout_ms)
{
    return timeout_ms < 0 ? INT64_MAX : cmd_now_ms() + timeout_ms;
}

/* Milliseconds left until deadline for poll(): -1 for none, at least 0. */
static int poll_timeout(int64_t deadline)
{
    if (deadline == INT64_MAX) {
        return -1;
    }
    int64_t left = deadline - cmd_now_ms();
    if (left <= 0) {
        return 0;
    }
    return left > INT32_MAX ? INT32_MAX : (int)left;
}

typedef struct spawn_io_t {
    int stdout_fd; /* becomes the child's standard output; -1: inherited */
    int quiet;     /* standard input and error on /dev/null */
} spawn_io_t;

/* A slot for a command about to start, or -1 (errno set) when the record is
 * full or the stop refuses new commands. The slot is taken before the stop
 * is looked at, and cmd_end_all sets the stop before it looks at the slots:
 * either the command sees the stop, or the stop sees the command. */
static int slot_take(void)
{
    for (int i = 0; i < CMD_RUNNING_MAX; i++) {
        pid_t expected = SLOT_FREE;
        if (!running[i].compare_exchange_strong(expected, SLOT_STARTING)) {
            continue;
        }
        const pid_t by = ender.load();
        if (by != 0 && by != gettid()) {
            running[i].store(SLOT_FREE);
            errno = ECANCELED;
            return -1;
        }
        return i;
    }
    errno = EAGAIN;
    return -1;
}

static void slot_release(pid_t pid)
{
    for (int i = 0; i < CMD_RUNNING_MAX; i++) {
        pid_t expected = pid;
        while (!running[i].compare_exchange_strong(expected, SLOT_FREE)) {
            if (expected != -pid) {
                break;
            }
            /* cmd_end_all is killing this group: wait until it is done. */
            sched_yield();
            expected = pid;
        }
        if (expected == pid) {
            return;
        }
    }
}

void cmd_end_all(void)
{
    ender.store(gettid());
    for (int i = 0; i < CMD_RUNNING_MAX; i++) {
        pid_t pid = running[i].load();
        for (int waited = 0; pid == SLOT_STARTING && waited < STARTING_WAIT_MS; waited++) {
            const struct timespec step = {0, 1000000L};
            nanosleep(&step, NULL);
            pid = running[i].load();
        }
        if (pid > 0 && running[i].compare_exchange_strong(pid, -pid)) {
            killpg(pid, SIGKILL);
            running[i].store(pid);
        }
    }
}

/* Starts the child in a process group of its own, with the signals the
 * interface handles back at their defaults and nothing blocked. */
static pid_t spawn(const char *const argv[], const spawn_io_t *io, int search_path)
{
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return -1;
    }
    if (posix_spawnattr_init(&attr) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    if (io->stdout_fd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, io->stdout_fd, STDOUT_FILENO);
    }
    if (io->quiet) {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, DEV_NULL, O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, DEV_NULL, O_WRONLY, 0);
    }
    sigset_t defaults;
    sigset_t none;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGTERM);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    pid_t pid = -1;
    char *const *args = (char *const *)argv;
    const int slot = slot_take();
    int rc = errno;
    if (slot >= 0) {
        rc = search_path ? posix_spawnp(&pid, argv[0], &actions, &attr, args, environ)
                         : posix_spawn(&pid, argv[0], &actions, &attr, args, environ);
        running[slot].store(rc == 0 ? pid : SLOT_FREE);
    }
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (slot < 0 || rc != 0) {
        errno = rc;
        return -1;
    }
    return pid;
}

static pid_t spawn_shell(const char *command, const spawn_io_t *io)
{
    const char *const argv[] = {SHELL_PATH, "-c", command, NULL};
    return spawn(argv, io, 0);
}

/* Blocks until the child has ended or the deadline passes. 1 when it has
 * ended (not yet reaped), 0 at the deadline. */
static int wait_for_exit(pid_t pid, int64_t deadline)
{
    int pidfd = (int)syscall(SYS_pidfd_open, pid, 0);
    if (pidfd >= 0) {
        struct pollfd pfd = {pidfd, POLLIN, 0};
        int rc;
        do {
            rc = poll(&pfd, 1, poll_timeout(deadline));
        } while (rc < 0 && errno == EINTR);
        close(pidfd);
        return rc > 0;
    }
    /* Old kernels: look at the child every few milliseconds. */
    for (;;) {
        siginfo_t info;
        info.si_pid = 0;
        if (waitid(P_PID, (id_t)pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid) {
            return 1;
        }
        if (cmd_now_ms() >= deadline) {
            return 0;
        }
        struct timespec pause = {0, WAIT_POLL_PERIOD_MS * 1000000L};
        nanosleep(&pause, NULL);
    }
}

static int reap(pid_t pid)
{
    int status;
    pid_t rc;
    do {
        rc = waitpid(pid, &status, 0);
    } while (rc < 0 && errno == EINTR);
    return rc == pid ? status : -1;
}

/* Waits for the child; at the deadline kills its process group, reaps it and
 * gives -1 with ETIMEDOUT. */
static int finish(pid_t pid, int64_t deadline)
{
    if (wait_for_exit(pid, deadline)) {
        slot_release(pid);
        return reap(pid);
    }
    killpg(pid, SIGKILL);
    slot_release(pid);
    reap(pid);
    errno = ETIMEDOUT;
    return -1;
}

int cmd_run_timeout(const char *command, int32_t timeout_ms)
{
    if (command == NULL) {
        return -1;
    }
    const spawn_io_t io = {-1, 0};
    pid_t pid = spawn_shell(command, &io);
    if (pid < 0) {
        return -1;
    }
    return finish(pid, deadline_after(timeout_ms));
}

int cmd_run(const char *command)
{
    return cmd_run_timeout(command, CMD_NO_TIMEOUT);
}

int cmd_exec(const char *const argv[], int32_t timeout_ms)
{
    if (argv == NULL || argv[0] == NULL) {
        return -1;
    }
    const spawn_io_t io = {-1, 1};
    pid_t pid = spawn(argv, &io, 1);
    if (pid < 0) {
        return -1;
    }
    return finish(pid, deadline_after(timeout_ms));
}

static void pipe_reset(cmd_pipe_t *pipe)
{
    pipe->pid = 0;
    pipe->fd = -1;
    pipe->deadline = INT64_MAX;
    pipe->head = 0;
    pipe->len = 0;
}

/* Starts the child with its standard output on a new pipe. */
static int pipe_start(cmd_pipe_t *pipe, const char *const argv[], int shell, int32_t timeout_ms)
{
    pipe_reset(pipe);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return -1;
    }
    const spawn_io_t io = {fds[1], !shell};
    pid_t pid = shell ? spawn_shell(argv[0], &io) : spawn(argv, &io, 1);
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return -1;
    }
    pipe->pid = pid;
    pipe->fd = fds[0];
    pipe->deadline = deadline_after(timeout_ms);
    return 0;
}

int cmd_open(cmd_pipe_t *pipe, const char *command, int32_t timeout_ms)
{
    if (pipe == NULL) {
        return -1;
    }
    if (command == NULL) {
        pipe_reset(pipe);
        return -1;
    }
    const char *const argv[] = {command, NULL};
    return pipe_start(pipe, argv, 1, timeout_ms);
}

int cmd_open_argv(cmd_pipe_t *pipe, const char *const argv[], int32_t timeout_ms)
{
    if (pipe == NULL) {
        return -1;
    }
    if (argv == NULL || argv[0] == NULL) {
        pipe_reset(pipe);
        return -1;
    }
    return pipe_start(pipe, argv, 0, timeout_ms);
}

/* Refills buf from the pipe, waiting until the deadline. Bytes read, 0 at
 * the end of the output or the deadline, -1 on an error. */
static ssize_t pipe_fill(cmd_pipe_t *pipe)
{
    pipe->head = 0;
    pipe->len = 0;
    for (;;) {
        struct pollfd pfd = {pipe->fd, POLLIN, 0};
        int rc = poll(&pfd, 1, poll_timeout(pipe->deadline));
        if (rc < 0 && errno == EINTR) {
            continue;
        }
        if (rc <= 0) {
            return rc;
        }
        ssize_t n = read(pipe->fd, pipe->buf, sizeof(pipe->buf));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n > 0) {
            pipe->len = (size_t)n;
        }
        return n;
    }
}

char *cmd_gets(cmd_pipe_t *pipe, char *line, size_t size)
{
    if (line == NULL || size == 0) {
        return NULL;
    }
    line[0] = '\0';
    if (pipe == NULL || pipe->fd < 0 || size < 2) {
        return NULL;
    }
    size_t out = 0;
    while (out + 1 < size) {
        if (pipe->head == pipe->len && pipe_fill(pipe) <= 0) {
            break;
        }
        char c = pipe->buf[pipe->head++];
        line[out++] = c;
        if (c == '\n') {
            break;
        }
    }
    line[out] = '\0';
    return out > 0 ? line : NULL;
}

int cmd_close(cmd_pipe_t *pipe)
{
    if (pipe == NULL || pipe->pid <= 0) {
        return -1;
    }
    /* A child still writing gets SIGPIPE, as with pclose(). */
    close(pipe->fd);
    int status = finish(pipe->pid, pipe->deadline);
    pipe_reset(pipe);
    return status;
}
