// Stream transport: listening, connecting, and the message edge cases.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "fw_internal.h"
#include "fw_test_util.h"
#include "fw_uds.h"
#include "hostile_text.hpp"

namespace {

using Bytes = std::vector<uint8_t>;

struct SocketPair {
    int a = -1, b = -1;
    SocketPair()
    {
        int sv[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, sv), 0);
        a = sv[0];
        b = sv[1];
    }
    ~SocketPair()
    {
        if (a >= 0) close(a);
        if (b >= 0) close(b);
    }
    void close_b()
    {
        close(b);
        b = -1;
    }
};

void set_nonblocking(int fd)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

TEST(UdsListen, BindsAcceptsAndCleansUp)
{
    TempDir dir;
    std::string path = dir.file("s");
    int fds = count_open_fds();
    StdoutCapture log;
    int lfd = uds_server_init(path.c_str());
    ASSERT_GE(lfd, 0);
    EXPECT_TRUE(contains(log.text(), "UDS server listening on " + path + "\n"));
    EXPECT_TRUE(fcntl(lfd, F_GETFD) & FD_CLOEXEC);

    // A second init on the same path replaces the stale socket file.
    int again = uds_server_init(path.c_str());
    EXPECT_GE(again, 0);
    uds_close(again, nullptr);

    uds_close(lfd, path.c_str());
    struct stat st;
    EXPECT_NE(stat(path.c_str(), &st), 0);
    uds_close(-1, nullptr); // nothing to do, no crash
    EXPECT_EQ(count_open_fds(), fds);
}

TEST(UdsListen, BindFailureClosesTheSocket)
{
    int fds = count_open_fds();
    StdoutCapture log;
    EXPECT_EQ(uds_server_init("/nonexistent-dir/fw.sock"), FW_ERR_IO);
    EXPECT_TRUE(contains(log.text(),
                         "bind(/nonexistent-dir/fw.sock) failed: No such file or directory\n"));
    EXPECT_EQ(count_open_fds(), fds);
}

// A socket path can come from a command line: the lines that name it show
// it escaped.
TEST(UdsListen, ThePathIsLoggedEscaped)
{
    TempDir dir;
    const std::string path = dir.file(test_support::kHostileName.c_str());
    const std::string shown = dir.file(test_support::kHostileShown.c_str());
    StdoutCapture log;
    const int lfd = uds_server_init(path.c_str());
    ASSERT_GE(lfd, 0);
    const int cfd = uds_client_connect(path.c_str(), 1000);
    EXPECT_GE(cfd, 0);
    uds_close(cfd, nullptr);
    uds_close(lfd, path.c_str());
    EXPECT_EQ(uds_server_init((path + "/none").c_str()), FW_ERR_IO);
    const std::string text = log.text();
    EXPECT_TRUE(contains(text, "UDS server listening on " + shown + "\n")) << text;
    EXPECT_TRUE(contains(text, "Connected to UDS server " + shown + "\n")) << text;
    EXPECT_TRUE(contains(text, "bind(" + shown + "/none) failed: ")) << text;
    EXPECT_EQ(count_of(text, "\n"), 3) << text;
}

TEST(UdsConnect, TimesOutWhenNobodyListens)
{
    TempDir dir;
    int fds = count_open_fds();
    for (int timeout : {0, 120}) {
        StdoutCapture log;
        EXPECT_EQ(uds_client_connect(dir.file("none").c_str(), timeout), FW_ERR_TIMEOUT);
        std::string text = log.text();
        EXPECT_TRUE(contains(text, "[ERR]")) << text;
        EXPECT_TRUE(contains(text, "Connect timeout after " + std::to_string(timeout) + "ms\n"));
    }
    EXPECT_EQ(count_open_fds(), fds);
}

TEST(UdsConnect, OtherErrorsFailAtOnce)
{
    TempDir dir;
    std::string file = dir.file("plain");
    close(open(file.c_str(), O_CREAT | O_WRONLY, 0600));
    StdoutCapture log;
    // A path through a regular file: ENOTDIR is not worth retrying.
    EXPECT_EQ(uds_client_connect((file + "/sock").c_str(), 60000), FW_ERR_IO);
    EXPECT_TRUE(contains(log.text(), "connect() failed: Not a directory\n"));
}

// A child process that starts listening on `path` after 200 ms and keeps
// the socket for `hold_ms`, so that a connection can wait in its backlog.
pid_t listen_later(const std::string &path, unsigned hold_ms)
{
    pid_t child = fork();
    if (child == 0) {
        usleep(200 * 1000);
        int lfd = uds_server_init(path.c_str());
        usleep(hold_ms * 1000);
        _exit(lfd >= 0 ? 0 : 1);
    }
    return child;
}

TEST(UdsConnect, RetriesUntilTheServerAppears)
{
    TempDir dir;
    std::string path = dir.file("late");
    pid_t child = listen_later(path, 2000);
    ASSERT_GE(child, 0);
    StdoutCapture log;
    int fd = uds_client_connect(path.c_str(), 5000);
    std::string text = log.text();
    EXPECT_GE(fd, 0) << text;
    EXPECT_TRUE(contains(text, "Connected to UDS server " + path + "\n"));
    EXPECT_FALSE(contains(text, "connect() failed"));
    uds_close(fd, nullptr);
    int status = 0;
    waitpid(child, &status, 0);
}

// A socket file whose listener is gone refuses connections
// (ECONNREFUSED): the connect keeps trying, and gets through once a new
// listener has replaced the file.
TEST(UdsConnect, StaleSocketFileIsRetried)
{
    TempDir dir;
    std::string path = dir.file("stale");
    {
        StdoutCapture quiet;
        uds_close(uds_server_init(path.c_str()), nullptr); // the file stays behind
    }
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    {
        StdoutCapture log;
        EXPECT_EQ(uds_client_connect(path.c_str(), 150), FW_ERR_TIMEOUT);
        std::string text = log.text();
        EXPECT_TRUE(contains(text, "Connect timeout after 150ms\n")) << text;
        EXPECT_FALSE(contains(text, "connect() failed")) << text;
    }
    pid_t child = listen_later(path, 500);
    ASSERT_GE(child, 0);
    StdoutCapture log;
    int fd = uds_client_connect(path.c_str(), 5000);
    EXPECT_GE(fd, 0) << log.text();
    uds_close(fd, nullptr);
    int status = 0;
    waitpid(child, &status, 0);
}

TEST(UdsMessage, SizesAtTheLimit)
{
    SocketPair sp;
    Bytes data(FW_MSG_MAX + 1, 0x7E);
    Bytes buf(FW_MSG_MAX + 1);
    ASSERT_EQ(uds_send_msg(sp.a, data.data(), FW_MSG_MAX), 0);
    EXPECT_EQ(uds_recv_msg(sp.b, buf.data(), FW_MSG_MAX, 1000), FW_MSG_MAX);
    EXPECT_EQ(Bytes(buf.begin(), buf.begin() + FW_MSG_MAX), Bytes(data.begin(), data.end() - 1));

    ASSERT_EQ(uds_send_msg(sp.a, data.data(), FW_MSG_MAX + 1), 0);
    StdoutCapture log;
    EXPECT_EQ(uds_recv_msg(sp.b, buf.data(), FW_MSG_MAX, 1000), FW_ERR_SIZE);
    EXPECT_TRUE(contains(log.text(), "Message too big: 8193 > 8192\n"));
}

TEST(UdsMessage, EmptyMessageConsumesOnlyItsPrefix)
{
    SocketPair sp;
    ASSERT_EQ(uds_send_msg(sp.a, nullptr, 0), 0);
    ASSERT_EQ(uds_send_msg(sp.a, Bytes{1, 2, 3}.data(), 3), 0);
    Bytes buf(16);
    EXPECT_EQ(uds_recv_msg(sp.b, buf.data(), 16, 1000), 0);
    EXPECT_EQ(uds_recv_msg(sp.b, buf.data(), 16, 1000), 3);
    EXPECT_EQ(Bytes(buf.begin(), buf.begin() + 3), (Bytes{1, 2, 3}));
}

// What the reader gets from what the peer left on the socket; the same on a
// blocking and a non-blocking socket, and never a hang.
TEST(UdsMessage, ReceiveResults)
{
    struct Case {
        const char *what;
        Bytes bytes;
        bool peer_closes;
        int expected;
        const char *logged; // "" = nothing logged
    };
    const Case cases[] = {
        {"nothing sent", {}, false, FW_ERR_TIMEOUT, ""},
        {"peer closed", {}, true, FW_ERR_IO, ""},
        {"prefix cut short, closed", {0, 0, 0}, true, FW_ERR_PROTO, ""},
        {"prefix cut short, open", {0, 0}, false, FW_ERR_PROTO, ""},
        {"body cut short, closed", {0, 0, 0, 9, 1, 2}, true, FW_ERR_IO,
         "recv body failed: Connection reset by peer\n"},
        {"body cut short, open", {0, 0, 0, 9, 1, 2}, false, FW_ERR_IO,
         "recv body failed: Connection timed out\n"},
        {"whole message", {0, 0, 0, 2, 1, 2}, false, 2, ""},
    };
    for (bool nonblocking : {false, true}) {
        for (const Case &c : cases) {
            SocketPair sp;
            if (nonblocking) {
                set_nonblocking(sp.b);
            }
            if (!c.bytes.empty()) {
                ASSERT_TRUE(write_all(sp.a, c.bytes));
            }
            if (c.peer_closes) {
                close(sp.a);
                sp.a = -1;
            }
            Bytes buf(64);
            StdoutCapture log;
            EXPECT_EQ(uds_recv_msg(sp.b, buf.data(), 64, 50), c.expected)
                << c.what << (nonblocking ? " (non-blocking)" : "");
            std::string text = log.text();
            if (*c.logged) {
                EXPECT_TRUE(contains(text, c.logged)) << c.what << ": " << text;
            } else {
                EXPECT_EQ(text, "") << c.what;
            }
        }
    }
}

TEST(UdsMessage, DescriptorBeyondTheSelectSetFailsCleanly)
{
    struct rlimit lim;
    getrlimit(RLIMIT_NOFILE, &lim);
    const int high = FD_SETSIZE + 100;
    if (lim.rlim_max <= (rlim_t)high) {
        GTEST_SKIP() << "descriptor limit too low";
    }
    struct rlimit raised = lim;
    raised.rlim_cur = high + 1;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &raised), 0);
    SocketPair sp;
    ASSERT_EQ(dup2(sp.b, high), high);
    Bytes buf(16);
    StdoutCapture log;
    EXPECT_EQ(uds_recv_msg(high, buf.data(), 16, 0), FW_ERR_IO);
    EXPECT_TRUE(contains(log.text(), "select() failed: Bad file descriptor\n"));
    close(high);
    setrlimit(RLIMIT_NOFILE, &lim);
}

TEST(UdsSend, ToAPeerThatExitedFailsAndTheProcessLives)
{
    TempDir dir;
    std::string path = dir.file("s");
    int lfd = uds_server_init(path.c_str());
    ASSERT_GE(lfd, 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int fd = uds_client_connect(path.c_str(), 1000);
        _exit(fd >= 0 ? 0 : 1);
    }
    int peer = accept(lfd, nullptr, nullptr);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);

    StdoutCapture log;
    int rc = 0;
    // The first write after the peer's exit may still be taken; the next fails.
    for (int i = 0; i < 2 && rc == 0; i++) {
        rc = uds_send_msg(peer, Bytes{1}.data(), 1);
    }
    EXPECT_EQ(rc, FW_ERR_IO);
    std::string text = log.text();
    EXPECT_TRUE(contains(text, "send failed: Broken pipe\n") ||
                contains(text, "send failed: Connection reset by peer\n"))
        << text;
    EXPECT_EQ(logged_by(text, "send failed"), "uds_send_msg");
    close(peer);
    uds_close(lfd, path.c_str());
}

TEST(UdsSend, PartialWriteThatNeverDrainsFails)
{
    SocketPair sp;
    set_nonblocking(sp.a);
    int small = 4096;
    ASSERT_EQ(setsockopt(sp.a, SOL_SOCKET, SO_SNDBUF, &small, sizeof small), 0);
    Bytes data(8192, 0x11);
    StdoutCapture log;
    EXPECT_EQ(uds_send_msg(sp.a, data.data(), (uint32_t)data.size()), FW_ERR_IO);
    EXPECT_TRUE(contains(log.text(), "Partial send: "));

    // A full buffer that takes nothing fails too.
    StdoutCapture again;
    EXPECT_EQ(uds_send_msg(sp.a, data.data(), 16), FW_ERR_IO);
    EXPECT_TRUE(contains(again.text(), "send failed: Resource temporarily unavailable\n"));
}

} // namespace
