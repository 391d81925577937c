// Arbitrary byte streams from a client, fed to a server poll loop. The
// server must read the stream one message per poll, never hang or crash, and
// remove the client once it has hung up, leaving the table empty for the
// next input. Registered clients get their frames echoed from inside the
// poll, which exercises sends from callbacks.
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>

#include "fw_uds.h"
#include "fw_uds_server.h"

static uds_server_t g_srv;
static std::string g_dir;

static void echo(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload,
                 uint16_t payload_len)
{
    uds_server_send(&g_srv, app_id, cmd1, cmd2, payload, payload_len);
}

static void cleanup()
{
    uds_server_stop(&g_srv);
    rmdir(g_dir.c_str());
}

static void start_server()
{
    // The log would only slow the loop down.
    if (freopen("/dev/null", "w", stdout) == nullptr) {
        abort();
    }
    char tmpl[] = "/tmp/fwfuzz.XXXXXX";
    if (mkdtemp(tmpl) == nullptr) {
        abort();
    }
    g_dir = tmpl;
    uds_set_socket_path((g_dir + "/s").c_str());
    g_srv.msg_cb = echo;
    if (uds_server_start(&g_srv) != 0) {
        abort();
    }
    atexit(cleanup);
}

static int connect_client()
{
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    struct sockaddr_un addr = {};
    addr.sun_family = AF_UNIX;
    snprintf(addr.sun_path, sizeof addr.sun_path, "%s", uds_socket_path());
    if (connect(fd, (const struct sockaddr *)&addr, sizeof addr) != 0) {
        abort();
    }
    fcntl(fd, F_SETFL, O_NONBLOCK);
    return fd;
}

// Reads and drops what the server sent, so its echoes keep flowing.
static void drain(int fd)
{
    static uint8_t sink[65536];
    while (recv(fd, sink, sizeof sink, MSG_DONTWAIT) > 0) {
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool started = false;
    if (!started) {
        start_server();
        started = true;
    }
    int fd = connect_client();
    uds_server_poll(&g_srv, 0);
    if (g_srv.client_count != 1) {
        abort();
    }

    // Writes as much as the socket takes, polling in between, and hangs up
    // as soon as everything is written, so that every message is read and
    // the client removed without waiting for a message cut short.
    const size_t limit = size + 64; // polls: one message (4 bytes or more) each, plus slack
    size_t done = 0, polls = 0;
    for (;;) {
        ssize_t n = send(fd, data + done, size - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            done += (size_t)n;
        }
        if (done == size || g_srv.client_count == 0) {
            break; // all written, or dropped for a bad message
        }
        uds_server_poll(&g_srv, 0);
        drain(fd);
        if (++polls > limit) {
            abort();
        }
    }
    shutdown(fd, SHUT_WR);
    while (g_srv.client_count > 0) {
        uds_server_poll(&g_srv, 0);
        drain(fd);
        if (++polls > limit) {
            abort(); // the server stopped making progress
        }
    }
    close(fd);
    return 0;
}
