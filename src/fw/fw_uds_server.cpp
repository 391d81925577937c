#include "fw_uds_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <mutex>

#include "fw_internal.h"
#include "fw_proto.h"
#include "fw_uds_server_internal.h"

/* Guards the hand-over queue of every server record and nothing else. One
 * lock for the process: it exists before any record is started, so a post to
 * a record that was never started, or has stopped, is safe too. */
static std::mutex g_handover_lock;

static uds_server_clock_fn_t g_clock = fw_monotonic_ms;

void uds_server_set_clock(uds_server_clock_fn_t clock)
{
    g_clock = clock != NULL ? clock : fw_monotonic_ms;
}

/* Reading, registering and upkeep are the poll's work and log under its
 * name; transport failures log under the transport operation's name, as the
 * blocking transport does. */
static const char *const poll_fn_name = "uds_server_poll";
static const char *const send_fn_name = "uds_send_msg";
static const char *const recv_fn_name = "uds_recv_msg";

static int set_nonblocking(int fd)
{
    int flags = fcntl(fd, F_GETFL, 0);
    return flags < 0 ? -1 : fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

/* Adds fd to the readiness set, level-triggered. */
static int watch_fd(int epoll_fd, int fd, uint32_t events)
{
    struct epoll_event ev = {};
    ev.events = events;
    ev.data.fd = fd;
    return epoll_ctl(epoll_fd, EPOLL_CTL_ADD, fd, &ev);
}

/* Id 0 is held by every unregistered entry and names no client: sending to
 * it would put a frame ahead of some client's acknowledgement. */
static uds_client_entry_t *find_entry(uds_server_t *srv, uint8_t app_id, bool active_only)
{
    if (app_id == 0) {
        return NULL;
    }
    for (int i = 0; i < srv->client_count; i++) {
        uds_client_entry_t *entry = &srv->clients[i];
        if (entry->app_id == app_id && (!active_only || entry->active)) {
            return entry;
        }
    }
    return NULL;
}

/* Tells posters whether a registered entry holds app_id. */
static void set_served(uds_server_t *srv, uint8_t app_id, bool served)
{
    std::lock_guard<std::mutex> hold(g_handover_lock);
    const uint32_t bit = 1u << (app_id % 32);
    if (served) {
        srv->handover.served[app_id / 32] |= bit;
    } else {
        srv->handover.served[app_id / 32] &= ~bit;
    }
}

static bool is_served(const uds_handover_t *queue, uint8_t app_id)
{
    return (queue->served[app_id / 32] >> (app_id % 32)) & 1u;
}

/* The calling thread becomes the owner; posts are taken from now on. */
static void open_handover(uds_server_t *srv, int wake_fd)
{
    std::lock_guard<std::mutex> hold(g_handover_lock);
    srv->handover.wake_fd = wake_fd;
    srv->handover.owner = pthread_self();
    srv->handover.head = 0;
    srv->handover.count = 0;
    srv->handover.open = 1;
}

/* Posts fail from here on; frames still waiting are dropped. */
static void close_handover(uds_server_t *srv)
{
    std::lock_guard<std::mutex> hold(g_handover_lock);
    if (srv->handover.open) {
        close(srv->handover.wake_fd);
    }
    srv->handover.open = 0;
    srv->handover.count = 0;
    srv->handover.wake_fd = -1;
}

int uds_server_start(uds_server_t *srv)
{
    uds_msg_cb_t msg_cb = srv->msg_cb;
    uds_conn_cb_t conn_cb = srv->conn_cb;
    uds_conn_cb_t disconn_cb = srv->disconn_cb;
    uint8_t app_id_limit = srv->app_id_limit;
    {
        /* Posters may look at the record meanwhile; cleared, the queue is closed. */
        std::lock_guard<std::mutex> hold(g_handover_lock);
        memset(srv, 0, sizeof *srv);
        srv->handover.wake_fd = -1;
    }
    srv->msg_cb = msg_cb;
    srv->conn_cb = conn_cb;
    srv->disconn_cb = disconn_cb;
    srv->app_id_limit = app_id_limit;
    srv->listen_fd = -1;
    srv->epoll_fd = -1;
    snprintf(srv->path, sizeof srv->path, "%s", uds_socket_path());

    int fd = uds_server_init(srv->path);
    if (fd < 0) {
        return fd;
    }
    set_nonblocking(fd);
    int ep = epoll_create1(EPOLL_CLOEXEC);
    if (ep < 0) {
        FW_LOG(FW_LOG_ERR, "epoll_create1 failed: %s", strerror(errno));
        close(fd);
        return FW_ERR_IO;
    }
    if (watch_fd(ep, fd, EPOLLIN) < 0) {
        FW_LOG(FW_LOG_ERR, "epoll_ctl failed: %s", strerror(errno));
        close(ep);
        close(fd);
        return FW_ERR_IO;
    }
    int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake < 0 || watch_fd(ep, wake, EPOLLIN) < 0) {
        FW_LOG(FW_LOG_ERR, "hand-over eventfd failed: %s", strerror(errno));
        if (wake >= 0) {
            close(wake);
        }
        close(ep);
        close(fd);
        return FW_ERR_IO;
    }
    struct stat st = {};
    if (stat(srv->path, &st) == 0) {
        srv->path_dev = st.st_dev;
        srv->path_ino = st.st_ino;
    }
    srv->listen_fd = fd;
    srv->epoll_fd = ep;
    open_handover(srv, wake);
    srv->running = 1;
    FW_LOG(FW_LOG_INF, "Server started");
    return 0;
}

/* The one way an entry leaves the table. The table is compacted before
 * disconn_cb runs, so the callback sees no entry with a closed socket. */
static void remove_client(uds_server_t *srv, int index)
{
    uds_client_entry_t *entry = &srv->clients[index];
    uint8_t app_id = entry->app_id;
    FW_LOG(FW_LOG_INF, "Client disconnected: app_id=%u", app_id);
    epoll_ctl(srv->epoll_fd, EPOLL_CTL_DEL, entry->fd, NULL);
    close(entry->fd);
    memmove(&srv->clients[index], &srv->clients[index + 1],
            (size_t)(srv->client_count - index - 1) * sizeof srv->clients[0]);
    srv->client_count--;
    if (app_id != 0) {
        set_served(srv, app_id, find_entry(srv, app_id, false) != NULL);
    }
    if (app_id != 0 && srv->disconn_cb != NULL) {
        srv->disconn_cb(app_id);
    }
}

static void mark_stalled(uds_client_entry_t *entry, uint64_t now)
{
    if (!entry->tx_stalled) {
        entry->tx_stalled = 1;
        entry->tx_stalled_ms = now;
    }
}

/* A failed write: a full socket leaves the stream in step and the entry
 * waits for its peer to read; any other failure ends the connection, which
 * the next upkeep removes. */
static void write_failed(uds_client_entry_t *entry, int err, uint64_t now)
{
    fw_log_limited(&entry->send_log, now, FW_LOG_ERR, send_fn_name, __LINE__, "send failed: %s", strerror(err));
    if (err == EAGAIN || err == EWOULDBLOCK) {
        mark_stalled(entry, now);
    } else {
        entry->active = 0;
    }
}

/* Writes what it can of bytes without waiting. Returns the count written,
 * or -1 with errno set. */
static ssize_t write_some(int fd, const uint8_t *bytes, size_t len)
{
    ssize_t n;
    do {
        n = send(fd, bytes, len, MSG_NOSIGNAL | MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    return n;
}

/* Sends what a full socket left of the last message. Any bytes taken count
 * as the peer reading, so the stall clock starts again. */
static void flush_queued(uds_client_entry_t *entry, uint64_t now)
{
    ssize_t n = write_some(entry->fd, entry->tx_buf + entry->tx_off, entry->tx_len - entry->tx_off);
    if (n < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            write_failed(entry, errno, now);
        }
        return;
    }
    entry->tx_off += (uint32_t)n;
    entry->tx_stalled_ms = now;
    if (entry->tx_off == entry->tx_len) {
        entry->tx_off = 0;
        entry->tx_len = 0;
        entry->tx_stalled = 0;
    }
}

/* put_frame's result when the socket takes nothing now: the stream stays in
 * step and the stall clock runs. */
#define UDS_BUSY 1

/* Encodes one frame and puts it on the entry's socket without waiting: 0
 * when the message left whole or its rest is queued for the polls to
 * finish; UDS_BUSY when the socket takes nothing now, or the rest of an
 * earlier message is still queued; FW_ERR_IO when the connection failed;
 * FW_ERR_SIZE when the frame does not encode. */
static int put_frame(uds_client_entry_t *entry, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload,
                     uint16_t payload_len, uint64_t now)
{
    uint8_t msg[FW_PREFIX_LEN + FW_MSG_MAX];
    int len = fw_frame_encode(cmd1, cmd2, payload, payload_len, msg + FW_PREFIX_LEN, FW_MSG_MAX);
    if (len < 0) {
        return len;
    }
    if (entry->tx_len > 0) {
        flush_queued(entry, now);
        if (!entry->active) {
            return FW_ERR_IO;
        }
        if (entry->tx_len > 0) {
            return UDS_BUSY;
        }
    }
    fw_put_be32(msg, len);
    const size_t total = FW_PREFIX_LEN + (size_t)len;
    ssize_t n = write_some(entry->fd, msg, total);
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            mark_stalled(entry, now);
            return UDS_BUSY;
        }
        write_failed(entry, errno, now);
        return FW_ERR_IO;
    }
    if ((size_t)n < total) {
        memcpy(entry->tx_buf, msg + n, total - (size_t)n);
        entry->tx_off = 0;
        entry->tx_len = (uint32_t)(total - (size_t)n);
        mark_stalled(entry, now);
        return 0;
    }
    entry->tx_stalled = 0;
    return 0;
}

/* put_frame for a send that cannot wait: a socket that takes nothing now
 * fails it, with the stream in step. */
static int send_to_entry(uds_client_entry_t *entry, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload,
                         uint16_t payload_len)
{
    const uint64_t now = g_clock();
    int rc = put_frame(entry, cmd1, cmd2, payload, payload_len, now);
    if (rc == UDS_BUSY) {
        write_failed(entry, EAGAIN, now);
        return FW_ERR_IO;
    }
    return rc;
}

static void accept_client(uds_server_t *srv, uint64_t now)
{
    if (srv->client_count >= FW_MAX_CLIENTS) {
        FW_LOG_LIMITED(&srv->full_log, now, FW_LOG_WRN, "Max clients reached");
        return;
    }
    int fd = accept4(srv->listen_fd, NULL, NULL, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            FW_LOG(FW_LOG_ERR, "accept failed: %s", strerror(errno));
        }
        return;
    }
    if (watch_fd(srv->epoll_fd, fd, EPOLLIN | EPOLLRDHUP) < 0) {
        FW_LOG(FW_LOG_ERR, "epoll_ctl add failed: %s", strerror(errno));
        close(fd);
        return;
    }
    uds_client_entry_t *entry = &srv->clients[srv->client_count++];
    memset(entry, 0, sizeof *entry);
    entry->fd = fd;
    entry->active = 1;
    entry->accepted_ms = now;
}

/* A live connection other than `entry` that holds app_id. */
static bool id_in_use(const uds_server_t *srv, const uds_client_entry_t *entry, uint8_t app_id)
{
    for (int i = 0; i < srv->client_count; i++) {
        const uds_client_entry_t *other = &srv->clients[i];
        if (other != entry && other->active && other->app_id == app_id) {
            return true;
        }
    }
    return false;
}

static void refuse_registration(uds_client_entry_t *entry, uint8_t app_id, const char *why, uint64_t now)
{
    fw_log_limited(&entry->refused_log, now, FW_LOG_WRN, poll_fn_name, __LINE__, "Registration refused: app_id=%u%s",
                   app_id, why);
    const uint8_t refused = FW_ACK_REFUSED;
    send_to_entry(entry, FW_CMD1_CTRL, FW_CMD2_REGISTER_ACK, &refused, 1);
}

/* Registration of an unregistered entry. Application id 0 means "not
 * registered", ids from app_id_limit up cannot be served, and an id that a
 * live connection holds stays with it (its traffic and its liveness are
 * that connection's): such registrations are refused, the entry stays
 * unregistered and the client is told so. */
static void register_client(uds_server_t *srv, uds_client_entry_t *entry, const fw_frame_t *frame, uint64_t now)
{
    uint8_t app_id = frame->payload_len >= 1 ? frame->payload[0] : 0;
    if (app_id == 0 || (srv->app_id_limit != 0 && app_id >= srv->app_id_limit)) {
        refuse_registration(entry, app_id, "", now);
        return;
    }
    if (id_in_use(srv, entry, app_id)) {
        refuse_registration(entry, app_id, " (in use)", now);
        return;
    }
    entry->app_id = app_id;
    set_served(srv, app_id, true);
    if (frame->payload_len >= 2) {
        size_t n = frame->payload_len - 1u;
        if (n > FW_NAME_MAX - 1) {
            n = FW_NAME_MAX - 1;
        }
        memcpy(entry->name, &frame->payload[1], n);
        entry->name[n] = '\0';
    }
    char shown[FW_ESCAPE_MAX(FW_NAME_MAX)];
    FW_LOG_AS(FW_LOG_INF, poll_fn_name, "Client registered: app_id=%u name=%s", entry->app_id,
              fw_escape(entry->name, sizeof entry->name, shown, sizeof shown));
    /* Straight to the connection that registered. */
    const uint8_t accepted = FW_ACK_ACCEPTED;
    send_to_entry(entry, FW_CMD1_CTRL, FW_CMD2_REGISTER_ACK, &accepted, 1);
    if (srv->conn_cb != NULL) {
        srv->conn_cb(app_id);
    }
}

static int find_index_by_fd(const uds_server_t *srv, int fd)
{
    for (int i = 0; i < srv->client_count; i++) {
        if (srv->clients[i].fd == fd) {
            return i;
        }
    }
    return -1;
}

/* True when the peer has closed and nothing it sent is left unread. */
static bool nothing_left_to_read(int fd)
{
    uint8_t byte;
    return recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
}

/* Reads at most `want` bytes without waiting. Returns the count, 0 when the
 * peer has closed, or -1 with errno set. */
static ssize_t read_some(int fd, uint8_t *buf, size_t want)
{
    ssize_t n;
    do {
        n = recv(fd, buf, want, MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    return n;
}

/* Gathers the entry's current message with what its socket holds, reading
 * no further than that message. Returns its length N once it is whole (0
 * for an empty message), FW_ERR_TIMEOUT while it is not, or the failure:
 * FW_ERR_IO (error, or the peer closed), FW_ERR_PROTO (the peer closed
 * within a prefix), FW_ERR_SIZE (N above FW_MSG_MAX). */
static int gather_message(uds_client_entry_t *entry, uint64_t now)
{
    if (entry->rx_len < FW_PREFIX_LEN) {
        ssize_t n = read_some(entry->fd, entry->rx_buf + entry->rx_len, FW_PREFIX_LEN - entry->rx_len);
        if (n == 0) {
            return entry->rx_len == 0 ? FW_ERR_IO : FW_ERR_PROTO;
        }
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                return FW_ERR_TIMEOUT;
            }
            FW_LOG_AS(FW_LOG_ERR, recv_fn_name, "recv header failed: %s", strerror(errno));
            return FW_ERR_IO;
        }
        if (entry->rx_len == 0) {
            entry->rx_started_ms = now;
        }
        entry->rx_len += (uint32_t)n;
        if (entry->rx_len < FW_PREFIX_LEN) {
            return FW_ERR_TIMEOUT;
        }
        uint32_t len = fw_get_be32(entry->rx_buf);
        if (len == 0) {
            entry->rx_len = 0;
            return 0;
        }
        if (len > FW_MSG_MAX) {
            FW_LOG_AS(FW_LOG_ERR, recv_fn_name, "Message too big: %u > %u", len, (unsigned)FW_MSG_MAX);
            return FW_ERR_SIZE;
        }
    }
    const uint32_t total = FW_PREFIX_LEN + fw_get_be32(entry->rx_buf);
    ssize_t n = read_some(entry->fd, entry->rx_buf + entry->rx_len, total - entry->rx_len);
    if (n <= 0) {
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return FW_ERR_TIMEOUT;
        }
        int err = n == 0 ? ECONNRESET : errno;
        FW_LOG_AS(FW_LOG_ERR, recv_fn_name, "recv body failed: %s", strerror(err));
        return FW_ERR_IO;
    }
    entry->rx_len += (uint32_t)n;
    if (entry->rx_len < total) {
        return FW_ERR_TIMEOUT;
    }
    entry->rx_len = 0;
    return (int)(total - FW_PREFIX_LEN);
}

static void handle_frame(uds_server_t *srv, uds_client_entry_t *entry, const fw_frame_t *frame, uint64_t now)
{
    if (frame->cmd1 == FW_CMD1_CTRL && frame->cmd2 == FW_CMD2_HEARTBEAT) {
        entry->last_heartbeat = (int64_t)time(NULL);
        entry->hb_missed = 0;
    }
    if (frame->cmd1 == FW_CMD1_CTRL && frame->cmd2 == FW_CMD2_REGISTER && entry->app_id == 0) {
        register_client(srv, entry, frame, now);
        return;
    }
    if (entry->app_id != 0 && srv->msg_cb != NULL) {
        srv->msg_cb(entry->app_id, frame->cmd1, frame->cmd2, frame->payload, frame->payload_len);
    }
}

static void handle_client_event(uds_server_t *srv, int fd, uint32_t events, uint64_t now)
{
    int index = find_index_by_fd(srv, fd);
    if (index < 0) {
        return;
    }
    /* A client that hangs up right after its last frames (an unregister
     * before closing, say) has those frames read first, one per poll as
     * usual; the entry goes once nothing is left. */
    if (events & EPOLLERR) {
        remove_client(srv, index);
        return;
    }
    if (events & (EPOLLHUP | EPOLLRDHUP)) {
        if (!(events & EPOLLIN) || nothing_left_to_read(fd)) {
            remove_client(srv, index);
            return;
        }
    }
    if (!(events & EPOLLIN)) {
        return;
    }
    uds_client_entry_t *entry = &srv->clients[index];
    int len = gather_message(entry, now);
    if (len == FW_ERR_TIMEOUT || len == 0) {
        return;
    }
    if (len < 0) {
        FW_LOG_AS(FW_LOG_ERR, poll_fn_name, "recv error %d", len);
        remove_client(srv, index);
        return;
    }
    static_assert(FW_MSG_MAX <= UINT16_MAX, "a message length must fit the decoder's input length");
    fw_frame_t frame;
    if (fw_frame_decode(entry->rx_buf + FW_PREFIX_LEN, (uint16_t)len, &frame) < 0) {
        fw_log_limited(&entry->decode_log, now, FW_LOG_ERR, poll_fn_name, __LINE__, "Frame decode failed");
        return;
    }
    handle_frame(srv, entry, &frame, now);
}

static bool socket_writable(int fd)
{
    struct pollfd pfd = {fd, POLLOUT, 0};
    return poll(&pfd, 1, 0) > 0 && (pfd.revents & POLLOUT);
}

/* Offers queued bytes to the socket, and ends the stall of a socket that
 * has room again, so that time the caller spent away is not held against a
 * peer that kept up. */
static void offer_queued(uds_client_entry_t *entry, uint64_t now)
{
    if (entry->tx_len > 0) {
        flush_queued(entry, now);
    } else if (entry->tx_stalled && socket_writable(entry->fd)) {
        entry->tx_stalled = 0;
    }
}

/* Drops the connections that failed or stalled. Runs after the reads of a
 * poll, so a message that came whole while the caller was away is taken
 * before its connection is judged. */
static void drop_stalled_clients(uds_server_t *srv, uint64_t now)
{
    for (int i = srv->client_count - 1; i >= 0; i--) {
        if (i >= srv->client_count) {
            continue; /* a disconnection callback removed entries under us */
        }
        uds_client_entry_t *entry = &srv->clients[i];
        if (entry->active) {
            offer_queued(entry, now);
        }
        if (!entry->active) {
            remove_client(srv, i); /* its connection failed; the failure was logged */
        } else if (entry->tx_stalled && now - entry->tx_stalled_ms >= FW_SEND_STALL_MS) {
            FW_LOG_AS(FW_LOG_WRN, poll_fn_name, "Client dropped, not reading for %u ms: app_id=%u",
                      (unsigned)FW_SEND_STALL_MS, entry->app_id);
            remove_client(srv, i);
        } else if (entry->rx_len > 0 && now - entry->rx_started_ms >= FW_PARTIAL_MSG_MS) {
            FW_LOG_AS(FW_LOG_WRN, poll_fn_name, "Client dropped, message incomplete for %u ms: app_id=%u",
                      (unsigned)FW_PARTIAL_MSG_MS, entry->app_id);
            remove_client(srv, i);
        } else if (entry->app_id == 0 && now - entry->accepted_ms >= FW_REGISTER_WAIT_MS) {
            fw_log_limited(&srv->unregistered_log, now, FW_LOG_WRN, poll_fn_name, __LINE__,
                           "Client dropped, not registered within %u ms", (unsigned)FW_REGISTER_WAIT_MS);
            remove_client(srv, i);
        }
    }
}

/* Copies the oldest frame handed over into `frame`; false when none waits. */
static bool peek_handover(uds_server_t *srv, uds_handover_frame_t *frame)
{
    std::lock_guard<std::mutex> hold(g_handover_lock);
    const uds_handover_t *queue = &srv->handover;
    if (queue->count == 0) {
        return false;
    }
    const uds_handover_frame_t *oldest = &queue->frames[queue->head];
    frame->app_id = oldest->app_id;
    frame->cmd1 = oldest->cmd1;
    frame->cmd2 = oldest->cmd2;
    frame->payload_len = oldest->payload_len;
    memcpy(frame->payload, oldest->payload, oldest->payload_len);
    return true;
}

static void pop_handover(uds_server_t *srv)
{
    std::lock_guard<std::mutex> hold(g_handover_lock);
    srv->handover.head = (srv->handover.head + 1) % FW_HANDOVER_SLOTS;
    srv->handover.count--;
}

/* Resets the wake-up before the queue is read: a frame posted from now on
 * wakes the next poll. */
static void take_wake_up(uds_server_t *srv)
{
    std::lock_guard<std::mutex> hold(g_handover_lock);
    uint64_t posted = 0; /* the queue tells more than the count */
    ssize_t n = read(srv->handover.wake_fd, &posted, sizeof posted);
    (void)n;
}

/* Sends the frames handed over, oldest first, at most a queue's worth. One
 * that no active entry holds the id of is dropped. One whose socket takes
 * nothing now waits, and the frames behind it with it, for the next poll. */
static void send_handed_over(uds_server_t *srv, uint64_t now)
{
    uds_handover_frame_t frame;
    srv->handover_held = 0;
    for (int i = 0; i < FW_HANDOVER_SLOTS && peek_handover(srv, &frame); i++) {
        uds_client_entry_t *entry = find_entry(srv, frame.app_id, true);
        if (entry != NULL &&
            put_frame(entry, frame.cmd1, frame.cmd2, frame.payload, frame.payload_len, now) == UDS_BUSY) {
            srv->handover_held = 1;
            return;
        }
        pop_handover(srv);
    }
}

int uds_server_poll(uds_server_t *srv, int timeout_ms)
{
    struct epoll_event events[FW_MAX_EVENTS];
    int n = epoll_wait(srv->epoll_fd, events, FW_MAX_EVENTS, timeout_ms);
    if (n < 0) {
        return errno == EINTR ? 0 : FW_ERR_IO;
    }
    const uint64_t now = g_clock();
    /* New connections last: a callback may remove a client whose event is
     * still pending in this batch, and a connection accepted before that
     * event could be given the removed client's descriptor number. */
    bool listener_ready = false;
    bool woken = false;
    for (int i = 0; i < n; i++) {
        if (events[i].data.fd == srv->listen_fd) {
            listener_ready = true;
        } else if (events[i].data.fd == srv->handover.wake_fd) {
            woken = true;
        } else {
            handle_client_event(srv, events[i].data.fd, events[i].events, now);
        }
    }
    if (woken) {
        take_wake_up(srv);
    }
    if (woken || srv->handover_held) {
        send_handed_over(srv, now);
    }
    drop_stalled_clients(srv, now);
    if (listener_ready) {
        accept_client(srv, now);
    }
    return 0;
}

int uds_server_send(uds_server_t *srv, uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload,
                    uint16_t payload_len)
{
    uds_client_entry_t *entry = find_entry(srv, app_id, true);
    if (entry == NULL) {
        return FW_ERR_NO_CLIENT;
    }
    return send_to_entry(entry, cmd1, cmd2, payload, payload_len);
}

int uds_server_post(uds_server_t *srv, uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload,
                    uint16_t payload_len)
{
    if (payload_len > FW_FRAME_PAYLOAD_MAX) {
        return FW_ERR_SIZE;
    }
    std::unique_lock<std::mutex> hold(g_handover_lock);
    uds_handover_t *queue = &srv->handover;
    if (!queue->open) {
        return FW_ERR_NO_CLIENT;
    }
    if (pthread_equal(queue->owner, pthread_self())) {
        hold.unlock();
        return uds_server_send(srv, app_id, cmd1, cmd2, payload, payload_len);
    }
    if (!is_served(queue, app_id)) {
        return FW_ERR_NO_CLIENT;
    }
    if (queue->count == FW_HANDOVER_SLOTS) {
        return FW_ERR_IO;
    }
    uds_handover_frame_t *frame = &queue->frames[(queue->head + queue->count) % FW_HANDOVER_SLOTS];
    frame->app_id = app_id;
    frame->cmd1 = cmd1;
    frame->cmd2 = cmd2;
    frame->payload_len = payload_len;
    if (payload_len > 0) {
        memcpy(frame->payload, payload, payload_len);
    }
    queue->count++;
    /* An eventfd refuses only a count near 2^64, which FW_HANDOVER_SLOTS posts
     * between two polls never reach. */
    const uint64_t one = 1;
    ssize_t n = write(queue->wake_fd, &one, sizeof one);
    (void)n;
    return 0;
}

void uds_server_broadcast(uds_server_t *srv, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len)
{
    for (int i = 0; i < srv->client_count; i++) {
        uds_client_entry_t *entry = &srv->clients[i];
        if (entry->active && entry->app_id != 0) {
            send_to_entry(entry, cmd1, cmd2, payload, payload_len);
        }
    }
}

uds_client_entry_t *uds_server_find_client(uds_server_t *srv, uint8_t app_id)
{
    return find_entry(srv, app_id, false);
}

int uds_server_remove_client(uds_server_t *srv, uint8_t app_id)
{
    uds_client_entry_t *entry = find_entry(srv, app_id, false);
    if (entry == NULL) {
        return FW_ERR_NO_CLIENT;
    }
    remove_client(srv, (int)(entry - srv->clients));
    return 0;
}

void uds_server_stop(uds_server_t *srv)
{
    if (!srv->running) {
        return;
    }
    srv->running = 0;
    close_handover(srv);
    while (srv->client_count > 0) {
        remove_client(srv, srv->client_count - 1);
    }
    if (srv->epoll_fd >= 0) {
        close(srv->epoll_fd);
    }
    uds_close(srv->listen_fd, NULL);
    uds_server_remove_socket_file(srv);
    srv->epoll_fd = -1;
    srv->listen_fd = -1;
}

void uds_server_remove_socket_file(const uds_server_t *srv)
{
    struct stat st = {};
    if (srv->path[0] != '\0' && stat(srv->path, &st) == 0 && st.st_dev == srv->path_dev && st.st_ino == srv->path_ino) {
        unlink(srv->path);
    }
}
