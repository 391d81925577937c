#include "fw_uds.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <unistd.h>

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "fw_internal.h"

#define UDS_LISTEN_BACKLOG 8
#define UDS_CONNECT_RETRY_MS 50u /* between connect attempts */
#define UDS_PREFIX_LEN 4

static char g_socket_path[FW_UDS_PATH_MAX + 1] = FW_UDS_PATH;

void uds_set_socket_path(const char *path)
{
    snprintf(g_socket_path, sizeof g_socket_path, "%s", path != NULL ? path : FW_UDS_PATH);
}

const char *uds_socket_path(void)
{
    return g_socket_path;
}

int uds_socket_create(void)
{
    /* Close-on-exec: the interface starts the services through the shell, and
     * a child holding copies of these sockets would keep a dropped service's
     * connection open. */
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        FW_LOG(FW_LOG_ERR, "socket() failed: %s", strerror(errno));
        return FW_ERR_IO;
    }
    return fd;
}

/* A socket path may come from a command line: logged escaped. */
static const char *shown_path(const char *path, char (&out)[FW_ESCAPE_MAX(FW_UDS_PATH_MAX)])
{
    return fw_escape(path, FW_UDS_PATH_MAX, out, sizeof out);
}

static void build_address(struct sockaddr_un *addr, const char *path)
{
    memset(addr, 0, sizeof *addr);
    addr->sun_family = AF_UNIX;
    snprintf(addr->sun_path, FW_UDS_PATH_MAX + 1, "%s", path);
}

int uds_server_init(const char *path)
{
    int fd = uds_socket_create();
    if (fd < 0) {
        return fd;
    }
    unlink(path); /* a socket file left by an earlier run */

    struct sockaddr_un addr;
    build_address(&addr, path);
    char shown[FW_ESCAPE_MAX(FW_UDS_PATH_MAX)];
    if (bind(fd, (const struct sockaddr *)&addr, sizeof addr) < 0) {
        FW_LOG(FW_LOG_ERR, "bind(%s) failed: %s", shown_path(path, shown), strerror(errno));
        close(fd);
        return FW_ERR_IO;
    }
    if (listen(fd, UDS_LISTEN_BACKLOG) < 0) {
        FW_LOG(FW_LOG_ERR, "listen() failed: %s", strerror(errno));
        close(fd);
        return FW_ERR_IO;
    }
    FW_LOG(FW_LOG_INF, "UDS server listening on %s", shown_path(path, shown));
    return fd;
}

/* Waits until fd is ready for `events` or the deadline (monotonic ms) passes. */
static bool wait_ready(int fd, short events, uint64_t deadline_ms)
{
    for (;;) {
        uint64_t now = fw_monotonic_ms();
        if (now >= deadline_ms) {
            return false;
        }
        struct pollfd pfd = {fd, events, 0};
        int n = poll(&pfd, 1, (int)(deadline_ms - now));
        if (n > 0) {
            return true;
        }
        if (n < 0 && errno != EINTR) {
            return false;
        }
    }
}

static uint64_t ms_left(uint64_t deadline_ms)
{
    uint64_t now = fw_monotonic_ms();
    return deadline_ms > now ? deadline_ms - now : 0;
}

static int set_blocking(int fd, bool blocking)
{
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0) {
        return -1;
    }
    return fcntl(fd, F_SETFL, blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK);
}

/* One connection attempt on a non-blocking socket that never waits past the
 * deadline. 0 when connected, else -1 with errno telling why. */
static int try_connect(int fd, const struct sockaddr_un *addr, uint64_t deadline_ms)
{
    if (connect(fd, (const struct sockaddr *)addr, sizeof *addr) == 0) {
        return 0;
    }
    if (errno != EINPROGRESS) {
        return -1;
    }
    if (!wait_ready(fd, POLLOUT, deadline_ms)) {
        errno = ETIMEDOUT;
        return -1;
    }
    int err = 0;
    socklen_t len = sizeof err;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) < 0) {
        return -1;
    }
    errno = err;
    return err == 0 ? 0 : -1;
}

/* Errors worth another attempt: no socket file yet, a stale file nobody
 * listens on, a listener whose backlog is full, a signal. */
static bool connect_retryable(int err)
{
    return err == ENOENT || err == ECONNREFUSED || err == EAGAIN || err == EINTR || err == ETIMEDOUT;
}

int uds_client_connect(const char *path, int timeout_ms)
{
    int fd = uds_socket_create();
    if (fd < 0) {
        return fd;
    }
    struct sockaddr_un addr;
    build_address(&addr, path);
    /* Non-blocking while connecting: a blocking connect to a listener whose
     * backlog is full would wait for as long as the listener likes. */
    set_blocking(fd, false);
    const uint64_t deadline = fw_monotonic_ms() + (uint64_t)(timeout_ms > 0 ? timeout_ms : 0);

    for (;;) {
        if (try_connect(fd, &addr, deadline) == 0) {
            set_blocking(fd, true);
            char shown[FW_ESCAPE_MAX(FW_UDS_PATH_MAX)];
            FW_LOG(FW_LOG_INF, "Connected to UDS server %s", shown_path(path, shown));
            return fd;
        }
        if (!connect_retryable(errno)) {
            FW_LOG(FW_LOG_ERR, "connect() failed: %s", strerror(errno));
            close(fd);
            return FW_ERR_IO;
        }
        uint64_t left = ms_left(deadline);
        if (left == 0) {
            FW_LOG(FW_LOG_ERR, "Connect timeout after %dms", timeout_ms);
            close(fd);
            return FW_ERR_TIMEOUT;
        }
        uint64_t pause_ms = left < UDS_CONNECT_RETRY_MS ? left : UDS_CONNECT_RETRY_MS;
        const struct timespec pause = {0, (long)pause_ms * 1000000L};
        nanosleep(&pause, NULL);
    }
}

/* Writes what a partial gathered write left over. Returns the total written. */
static size_t finish_write(int fd, struct iovec *iov, size_t written, size_t total)
{
    uint64_t deadline = fw_monotonic_ms() + FW_IO_COMPLETE_WAIT_MS;
    while (written < total && wait_ready(fd, POLLOUT, deadline)) {
        /* Skip what already left: the prefix piece first, then the body. */
        size_t skip = written;
        struct iovec rest[2];
        int count = 0;
        for (int i = 0; i < 2; i++) {
            if (skip >= iov[i].iov_len) {
                skip -= iov[i].iov_len;
                continue;
            }
            rest[count].iov_base = (uint8_t *)iov[i].iov_base + skip;
            rest[count].iov_len = iov[i].iov_len - skip;
            skip = 0;
            count++;
        }
        struct msghdr msg = {};
        msg.msg_iov = rest;
        msg.msg_iovlen = count;
        ssize_t n = sendmsg(fd, &msg, MSG_NOSIGNAL);
        if (n > 0) {
            written += (size_t)n;
        } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            break;
        }
    }
    return written;
}

/* Sends log under the name of the public operation. */
static const char *const send_fn_name = "uds_send_msg";

int uds_send_msg(int fd, const uint8_t *data, uint32_t len)
{
    uint8_t prefix[UDS_PREFIX_LEN];
    fw_put_be32(prefix, len);
    struct iovec iov[2] = {{prefix, sizeof prefix}, {(void *)data, len}};
    struct msghdr msg = {};
    msg.msg_iov = iov;
    msg.msg_iovlen = 2;
    const size_t total = sizeof prefix + (size_t)len;

    /* Prefix and frame in one system call; MSG_NOSIGNAL keeps a closed peer
     * from raising SIGPIPE. */
    ssize_t n;
    do {
        n = sendmsg(fd, &msg, MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        int err = errno;
        FW_LOG_AS(FW_LOG_ERR, send_fn_name, "send failed: %s", strerror(err));
        return FW_ERR_IO;
    }
    if ((size_t)n == total) {
        return 0;
    }
    size_t written = finish_write(fd, iov, (size_t)n, total);
    if (written == total) {
        return 0;
    }
    FW_LOG_AS(FW_LOG_WRN, send_fn_name, "Partial send: %zd of %u", (ssize_t)written, (unsigned)total);
    return FW_ERR_IO;
}

/* Receives exactly len bytes, waiting a bounded time for a part still in
 * flight. Returns the bytes received; when fewer than len, *err tells why
 * (ECONNRESET: the peer closed, ETIMEDOUT: the rest did not come, else the
 * failed call's error). */
static size_t recv_full(int fd, uint8_t *buf, size_t len, int *err)
{
    size_t got = 0;
    uint64_t deadline = 0;
    *err = 0;
    while (got < len) {
        ssize_t n = recv(fd, buf + got, len - got, MSG_WAITALL | MSG_DONTWAIT);
        if (n > 0) {
            got += (size_t)n;
            continue;
        }
        if (n == 0) {
            *err = ECONNRESET;
            break;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            *err = errno;
            break;
        }
        if (deadline == 0) {
            deadline = fw_monotonic_ms() + FW_IO_COMPLETE_WAIT_MS;
        }
        if (!wait_ready(fd, POLLIN, deadline)) {
            *err = ETIMEDOUT;
            break;
        }
    }
    return got;
}

/* Waits until fd is readable. 1 readable, 0 timed out, -1 failed. */
static int wait_readable(int fd, int timeout_ms)
{
    if (fd < 0 || fd >= FD_SETSIZE) {
        errno = EBADF;
        return -1;
    }
    uint64_t deadline = fw_monotonic_ms() + (uint64_t)(timeout_ms > 0 ? timeout_ms : 0);
    for (;;) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd, &set);
        uint64_t now = fw_monotonic_ms();
        uint64_t left = deadline > now ? deadline - now : 0;
        struct timeval tv = {(time_t)(left / 1000u), (suseconds_t)(left % 1000u) * 1000};
        int n = select(fd + 1, &set, NULL, NULL, &tv);
        if (n >= 0) {
            return n > 0 ? 1 : 0;
        }
        if (errno != EINTR) {
            return -1;
        }
    }
}

int uds_recv_msg(int fd, uint8_t *buf, uint32_t cap, int timeout_ms)
{
    int ready = wait_readable(fd, timeout_ms);
    if (ready < 0) {
        FW_LOG(FW_LOG_ERR, "select() failed: %s", strerror(errno));
        return FW_ERR_IO;
    }
    if (ready == 0) {
        return FW_ERR_TIMEOUT;
    }

    /* The first read tells a closed peer (0) and a failure apart from a
     * prefix; a prefix cut short gets the bounded wait for its rest. */
    uint8_t prefix[UDS_PREFIX_LEN];
    ssize_t n;
    do {
        n = recv(fd, prefix, sizeof prefix, MSG_WAITALL | MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    if (n == 0) {
        return FW_ERR_IO;
    }
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return FW_ERR_TIMEOUT; /* the readiness went away before the read */
        }
        FW_LOG(FW_LOG_ERR, "recv header failed: %s", strerror(errno));
        return FW_ERR_IO;
    }
    int err = 0;
    size_t got = (size_t)n;
    if (got < sizeof prefix) {
        got += recv_full(fd, prefix + got, sizeof prefix - got, &err);
    }
    if (got < sizeof prefix) {
        return FW_ERR_PROTO;
    }

    uint32_t len = fw_get_be32(prefix);
    if (len == 0) {
        return 0;
    }
    if (len > cap) {
        FW_LOG(FW_LOG_ERR, "Message too big: %u > %u", len, cap);
        return FW_ERR_SIZE;
    }
    if (recv_full(fd, buf, len, &err) < len) {
        FW_LOG(FW_LOG_ERR, "recv body failed: %s", strerror(err));
        return FW_ERR_IO;
    }
    return (int)len;
}

void uds_close(int fd, const char *path)
{
    if (fd >= 0) {
        close(fd);
    }
    if (path != NULL) {
        unlink(path);
    }
}
