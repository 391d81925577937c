#include "fw_uds_server.h"

#include <fcntl.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

#include "fw_internal.h"
#include "fw_proto.h"

// Serialises every table operation and socket write of the server. Recursive
// so that callbacks running inside a poll can send. A single lock for the
// process: it exists before any server record is started, so sends against a
// record that was never started are safe too.
static std::recursive_mutex g_table_lock;

void uds_server_lock(uds_server_t *)
{
    g_table_lock.lock();
}

void uds_server_unlock(uds_server_t *)
{
    g_table_lock.unlock();
}

static int set_nonblocking(int fd)
{
    int flags = fcntl(fd, F_GETFL, 0);
    return flags < 0 ? -1 : fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

int uds_server_start(uds_server_t *srv)
{
    std::lock_guard<std::recursive_mutex> guard(g_table_lock);
    uds_msg_cb_t msg_cb = srv->msg_cb;
    uds_conn_cb_t conn_cb = srv->conn_cb;
    uds_conn_cb_t disconn_cb = srv->disconn_cb;
    memset(srv, 0, sizeof *srv);
    srv->msg_cb = msg_cb;
    srv->conn_cb = conn_cb;
    srv->disconn_cb = disconn_cb;
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
    struct epoll_event ev = {};
    ev.events = EPOLLIN;
    ev.data.fd = fd;
    if (epoll_ctl(ep, EPOLL_CTL_ADD, fd, &ev) < 0) {
        FW_LOG(FW_LOG_ERR, "epoll_ctl failed: %s", strerror(errno));
        close(ep);
        close(fd);
        return FW_ERR_IO;
    }
    srv->listen_fd = fd;
    srv->epoll_fd = ep;
    srv->running = 1;
    FW_LOG(FW_LOG_INF, "Server started");
    return 0;
}

// The one way an entry leaves the table. The table is compacted before
// disconn_cb runs, so the callback sees no entry with a closed socket.
static void remove_client(uds_server_t *srv, int index)
{
    uds_client_entry_t *entry = &srv->clients[index];
    uint8_t app_id = entry->app_id;
    FW_LOG(FW_LOG_INF, "Client disconnected: app_id=%u", app_id);
    epoll_ctl(srv->epoll_fd, EPOLL_CTL_DEL, entry->fd, nullptr);
    close(entry->fd);
    memmove(&srv->clients[index], &srv->clients[index + 1],
            (size_t)(srv->client_count - index - 1) * sizeof srv->clients[0]);
    srv->client_count--;
    if (app_id != 0 && srv->disconn_cb != nullptr) {
        srv->disconn_cb(app_id);
    }
}

// Encodes and sends one frame to an entry. A send that leaves the stream
// broken deactivates the entry: nothing more is written to it, and the next
// poll removes it.
static int send_to_entry(uds_client_entry_t *entry, uint8_t cmd1, uint8_t cmd2,
                         const uint8_t *payload, uint16_t payload_len)
{
    uint8_t out[FW_MSG_MAX];
    int len = fw_frame_encode(cmd1, cmd2, payload, payload_len, out, sizeof out);
    if (len < 0) {
        return len;
    }
    int broken = 0;
    int rc = uds_send_msg_ex(entry->fd, out, (uint32_t)len, &broken);
    if (broken) {
        entry->active = 0;
    }
    return rc;
}

static void accept_client(uds_server_t *srv)
{
    if (srv->client_count >= FW_MAX_CLIENTS) {
        FW_LOG(FW_LOG_WRN, "Max clients reached");
        return;
    }
    int fd = accept4(srv->listen_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            FW_LOG(FW_LOG_ERR, "accept failed: %s", strerror(errno));
        }
        return;
    }
    struct epoll_event ev = {};
    ev.events = EPOLLIN | EPOLLRDHUP;
    ev.data.fd = fd;
    if (epoll_ctl(srv->epoll_fd, EPOLL_CTL_ADD, fd, &ev) < 0) {
        FW_LOG(FW_LOG_ERR, "epoll_ctl add failed: %s", strerror(errno));
        close(fd);
        return;
    }
    uds_client_entry_t *entry = &srv->clients[srv->client_count++];
    memset(entry, 0, sizeof *entry);
    entry->fd = fd;
    entry->active = 1;
}

// Reading and registering are the poll's work and log under its name.
static const char *const k_poll_fn = "uds_server_poll";

// Registration of an unregistered entry. Application id 0 means "not
// registered", so a registration without an id, or with id 0, is refused:
// the entry stays unregistered and the client is told so.
static void register_client(uds_server_t *srv, uds_client_entry_t *entry, const fw_frame_t *frame)
{
    uint8_t app_id = frame->payload_len >= 1 ? frame->payload[0] : 0;
    if (app_id == 0) {
        FW_LOG_AS(FW_LOG_WRN, k_poll_fn, "Registration refused: app_id=%u", app_id);
        const uint8_t refused = FW_ACK_REFUSED;
        send_to_entry(entry, FW_CMD1_CTRL, FW_CMD2_REGISTER_ACK, &refused, 1);
        return;
    }
    entry->app_id = app_id;
    if (frame->payload_len >= 2) {
        size_t n = frame->payload_len - 1u;
        if (n > FW_NAME_MAX - 1) {
            n = FW_NAME_MAX - 1;
        }
        memcpy(entry->name, &frame->payload[1], n);
        entry->name[n] = '\0';
    }
    FW_LOG_AS(FW_LOG_INF, k_poll_fn, "Client registered: app_id=%u name=%s", entry->app_id,
              entry->name);
    // Straight to the connection that registered, even when an older entry
    // holds the same id.
    const uint8_t accepted = FW_ACK_ACCEPTED;
    send_to_entry(entry, FW_CMD1_CTRL, FW_CMD2_REGISTER_ACK, &accepted, 1);
    if (srv->conn_cb != nullptr) {
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

// True when the peer has closed and nothing it sent is left unread.
static bool nothing_left_to_read(int fd)
{
    uint8_t byte;
    return recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
}

static void handle_client_event(uds_server_t *srv, int fd, uint32_t events)
{
    int index = find_index_by_fd(srv, fd);
    if (index < 0) {
        return;
    }
    // A client that hangs up right after its last frames (an unregister
    // before closing, say) has those frames read first, one per poll as
    // usual; the entry goes once nothing is left.
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
    uint8_t buf[FW_MSG_MAX];
    int len = uds_recv_msg(fd, buf, sizeof buf, 0);
    if (len == FW_ERR_TIMEOUT || len == 0) {
        return;
    }
    if (len < 0) {
        FW_LOG_AS(FW_LOG_ERR, k_poll_fn, "recv error %d", len);
        remove_client(srv, index);
        return;
    }
    static_assert(FW_MSG_MAX <= UINT16_MAX, "a message length must fit the decoder's input length");
    fw_frame_t frame;
    if (fw_frame_decode(buf, (uint16_t)len, &frame) < 0) {
        FW_LOG_AS(FW_LOG_ERR, k_poll_fn, "Frame decode failed");
        return;
    }
    uds_client_entry_t *entry = &srv->clients[index];
    if (frame.cmd1 == FW_CMD1_CTRL && frame.cmd2 == FW_CMD2_HEARTBEAT) {
        entry->last_heartbeat = (int64_t)time(nullptr);
        entry->hb_missed = 0;
    }
    if (frame.cmd1 == FW_CMD1_CTRL && frame.cmd2 == FW_CMD2_REGISTER && entry->app_id == 0) {
        register_client(srv, entry, &frame);
        return;
    }
    if (entry->app_id != 0 && srv->msg_cb != nullptr) {
        srv->msg_cb(entry->app_id, frame.cmd1, frame.cmd2, frame.payload, frame.payload_len);
    }
}

// Entries whose stream a send broke leave at the next poll.
static void drop_broken_clients(uds_server_t *srv)
{
    for (int i = srv->client_count - 1; i >= 0; i--) {
        if (!srv->clients[i].active) {
            remove_client(srv, i);
        }
    }
}

int uds_server_poll(uds_server_t *srv, int timeout_ms)
{
    std::lock_guard<std::recursive_mutex> guard(g_table_lock);
    drop_broken_clients(srv);
    struct epoll_event events[FW_MAX_EVENTS];
    int n = epoll_wait(srv->epoll_fd, events, FW_MAX_EVENTS, timeout_ms);
    if (n < 0) {
        return errno == EINTR ? 0 : FW_ERR_IO;
    }
    // New connections last: a callback may remove a client whose event is
    // still pending in this batch, and a connection accepted before that
    // event could be given the removed client's descriptor number.
    bool listener_ready = false;
    for (int i = 0; i < n; i++) {
        if (events[i].data.fd == srv->listen_fd) {
            listener_ready = true;
        } else {
            handle_client_event(srv, events[i].data.fd, events[i].events);
        }
    }
    if (listener_ready) {
        accept_client(srv);
    }
    return 0;
}

// Id 0 is held by every unregistered entry and names no client: sending to
// it would put a frame ahead of some client's acknowledgement.
static uds_client_entry_t *find_entry(uds_server_t *srv, uint8_t app_id, bool active_only)
{
    if (app_id == 0) {
        return nullptr;
    }
    for (int i = 0; i < srv->client_count; i++) {
        uds_client_entry_t *entry = &srv->clients[i];
        if (entry->app_id == app_id && (!active_only || entry->active)) {
            return entry;
        }
    }
    return nullptr;
}

int uds_server_send(uds_server_t *srv, uint8_t app_id, uint8_t cmd1, uint8_t cmd2,
                    const uint8_t *payload, uint16_t payload_len)
{
    std::lock_guard<std::recursive_mutex> guard(g_table_lock);
    uds_client_entry_t *entry = find_entry(srv, app_id, true);
    if (entry == nullptr) {
        return FW_ERR_NO_CLIENT;
    }
    return send_to_entry(entry, cmd1, cmd2, payload, payload_len);
}

void uds_server_broadcast(uds_server_t *srv, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload,
                          uint16_t payload_len)
{
    std::lock_guard<std::recursive_mutex> guard(g_table_lock);
    for (int i = 0; i < srv->client_count; i++) {
        uds_client_entry_t *entry = &srv->clients[i];
        if (entry->active && entry->app_id != 0) {
            send_to_entry(entry, cmd1, cmd2, payload, payload_len);
        }
    }
}

uds_client_entry_t *uds_server_find_client(uds_server_t *srv, uint8_t app_id)
{
    std::lock_guard<std::recursive_mutex> guard(g_table_lock);
    return find_entry(srv, app_id, false);
}

int uds_server_remove_client(uds_server_t *srv, uint8_t app_id)
{
    std::lock_guard<std::recursive_mutex> guard(g_table_lock);
    uds_client_entry_t *entry = find_entry(srv, app_id, false);
    if (entry == nullptr) {
        return FW_ERR_NO_CLIENT;
    }
    remove_client(srv, (int)(entry - srv->clients));
    return 0;
}

void uds_server_stop(uds_server_t *srv)
{
    std::lock_guard<std::recursive_mutex> guard(g_table_lock);
    if (!srv->running) {
        return;
    }
    srv->running = 0;
    while (srv->client_count > 0) {
        remove_client(srv, srv->client_count - 1);
    }
    if (srv->epoll_fd >= 0) {
        close(srv->epoll_fd);
    }
    uds_close(srv->listen_fd, srv->path);
    srv->epoll_fd = -1;
    srv->listen_fd = -1;
}
