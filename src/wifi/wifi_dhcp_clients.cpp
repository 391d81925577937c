/*
 * Stopping the DHCP clients that serve the wireless device, whoever started
 * them: a dhcpcd that forked into the background after its lease (out of
 * reach of the process-group kill that ends a command), a client left from
 * before.
 *
 * No name is handed to a shell or to pidof/killall, which would reach every
 * client of the machine: the clients are found in /proc, as the processes
 * whose executable is the udhcpc or dhcpcd that PATH names (the programs
 * this module runs) and whose command line has a word that names the device.
 * Each is signalled through a pidfd taken before it is checked, so a pid
 * that is reused meanwhile is never signalled.
 */
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include "wifi/wifi_scanner_internal.h"

static const char *const client_names[] = {"udhcpc", "dhcpcd"};
#define CLIENT_COUNT (sizeof(client_names) / sizeof(client_names[0]))
/* Bounds of the search: processes looked at, clients stopped at once, and
 * the command line read of each. */
#define MAX_PROCESSES 65536
#define MAX_FOUND 16
#define CMDLINE_MAX 4096
/* Without pidfds the wait looks at the clients this often. */
#define POLL_PERIOD_MS 10

typedef struct {
    dev_t dev;
    ino_t ino;
} file_id_t;

typedef struct {
    pid_t pid;
    int pidfd; /* -1 on kernels without pidfds */
} found_client_t;

static int64_t now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (int64_t)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

/* The file PATH names for `name`, as the shell would run it. */
static bool find_on_path(const char *name, file_id_t *out)
{
    const char *path = getenv("PATH");
    if (path == NULL) {
        return false;
    }
    while (*path != '\0') {
        size_t len = strcspn(path, ":");
        char candidate[PATH_MAX];
        int n = snprintf(candidate, sizeof(candidate), "%.*s/%s", (int)len, len == 0 ? "." : path, name);
        struct stat st;
        if (n > 0 && (size_t)n < sizeof(candidate) && access(candidate, X_OK) == 0 && stat(candidate, &st) == 0 &&
            S_ISREG(st.st_mode)) {
            *out = {st.st_dev, st.st_ino};
            return true;
        }
        path += len + (path[len] == ':' ? 1 : 0);
    }
    return false;
}

static bool runs_a_client(pid_t pid, const file_id_t *programs, size_t count)
{
    char exe[64];
    snprintf(exe, sizeof(exe), "/proc/%d/exe", (int)pid);
    struct stat st;
    if (stat(exe, &st) != 0) {
        return false; /* ended, a zombie, or not ours to look at */
    }
    for (size_t i = 0; i < count; i++) {
        if (programs[i].dev == st.st_dev && programs[i].ino == st.st_ino) {
            return true;
        }
    }
    return false;
}

/* A word of the command line (arguments are NUL-separated; a client that
 * retitles itself puts blanks between words) names the device: the device
 * itself, or glued to its option. */
static bool names_device(const char *word, size_t len, const char *ifname)
{
    static const char *const glued_forms[] = {"", "-i", "--interface="};
    for (size_t i = 0; i < sizeof glued_forms / sizeof glued_forms[0]; i++) {
        const char *prefix = glued_forms[i];
        size_t plen = strlen(prefix);
        if (len == plen + strlen(ifname) && memcmp(word, prefix, plen) == 0 &&
            memcmp(word + plen, ifname, len - plen) == 0) {
            return true;
        }
    }
    return false;
}

static bool serves_device(pid_t pid, const char *ifname)
{
    char path[64];
    snprintf(path, sizeof(path), "/proc/%d/cmdline", (int)pid);
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    char text[CMDLINE_MAX + 1];
    ssize_t len = read(fd, text, CMDLINE_MAX);
    close(fd);
    if (len <= 0) {
        return false;
    }
    text[len] = '\0';
    for (ssize_t at = 0; at < len;) {
        size_t word = strcspn(text + at, " "); /* ends at a blank or a NUL */
        if (names_device(text + at, word, ifname)) {
            return true;
        }
        at += (ssize_t)word + 1;
    }
    return false;
}

static bool is_client_of(pid_t pid, const char *ifname, const file_id_t *programs, size_t count)
{
    return runs_a_client(pid, programs, count) && serves_device(pid, ifname);
}

static int open_pidfd(pid_t pid)
{
#ifdef SYS_pidfd_open
    return (int)syscall(SYS_pidfd_open, pid, 0);
#else
    (void)pid;
    return -1;
#endif
}

static int send_signal(const found_client_t *client, int sig)
{
#ifdef SYS_pidfd_send_signal
    if (client->pidfd >= 0) {
        return (int)syscall(SYS_pidfd_send_signal, client->pidfd, sig, NULL, 0);
    }
#endif
    return kill(client->pid, sig);
}

static bool has_ended(const found_client_t *client)
{
    if (client->pidfd >= 0) {
        struct pollfd pfd = {client->pidfd, POLLIN, 0};
        return poll(&pfd, 1, 0) > 0;
    }
    return kill(client->pid, 0) != 0 && errno == ESRCH;
}

/* The clients of the device; each checked again once its pidfd is taken. */
static size_t find_clients(const char *ifname, const file_id_t *programs, size_t count, found_client_t *found)
{
    DIR *proc = opendir("/proc");
    if (proc == NULL) {
        return 0;
    }
    size_t n = 0;
    const pid_t self = getpid();
    struct dirent *entry;
    for (int seen = 0; n < MAX_FOUND && seen < MAX_PROCESSES && (entry = readdir(proc)) != NULL; seen++) {
        char *end;
        long pid = strtol(entry->d_name, &end, 10);
        if (*end != '\0' || pid <= 0 || pid > INT_MAX || pid == self) {
            continue;
        }
        if (!is_client_of((pid_t)pid, ifname, programs, count)) {
            continue;
        }
        found_client_t client = {(pid_t)pid, open_pidfd((pid_t)pid)};
        if (is_client_of(client.pid, ifname, programs, count)) {
            found[n++] = client;
        } else if (client.pidfd >= 0) {
            close(client.pidfd);
        }
    }
    closedir(proc);
    return n;
}

/* Waits until every client has ended or wait_ms has passed. */
static void wait_for_clients(const found_client_t *found, size_t n, uint32_t wait_ms)
{
    const int64_t deadline = now_ms() + wait_ms;
    for (;;) {
        bool all = true;
        for (size_t i = 0; i < n && all; i++) {
            all = has_ended(&found[i]);
        }
        if (all || now_ms() >= deadline) {
            return;
        }
        struct timespec pause = {0, POLL_PERIOD_MS * 1000000L};
        nanosleep(&pause, NULL);
    }
}

int wifi_stop_dhcp_clients(const char *ifname, uint32_t wait_ms)
{
    if (!wifi_valid_ifname(ifname)) {
        return 0;
    }
    file_id_t programs[CLIENT_COUNT];
    size_t count = 0;
    for (size_t i = 0; i < sizeof client_names / sizeof client_names[0]; i++) {
        const char *name = client_names[i];
        count += find_on_path(name, &programs[count]) ? 1 : 0;
    }
    if (count == 0) {
        return 0;
    }
    found_client_t found[MAX_FOUND];
    size_t n = find_clients(ifname, programs, count, found);
    for (size_t i = 0; i < n; i++) {
        send_signal(&found[i], SIGTERM);
    }
    wait_for_clients(found, n, wait_ms);
    for (size_t i = 0; i < n; i++) {
        if (!has_ended(&found[i])) {
            send_signal(&found[i], SIGKILL);
        }
        if (found[i].pidfd >= 0) {
            close(found[i].pidfd);
        }
    }
    return (int)n;
}
