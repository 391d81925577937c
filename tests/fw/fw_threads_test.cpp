// Transport and log behaviour that needs a second thread.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <atomic>
#include <thread>
#include <vector>

#include "fw_common.h"
#include "fw_internal.h"
#include "fw_test_util.h"
#include "fw_uds.h"
#include "server_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(LogThreads, ConcurrentCallersEachGetWholeLines)
{
    const int threads = 4, lines = 200;
    StdoutCapture log;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; t++) {
        workers.emplace_back([t] {
            for (int i = 0; i < lines; i++) {
                fw_log(FW_LOG_INF, "worker %d line %d", t, i);
            }
        });
    }
    for (auto & w : workers) {
        w.join();
    }
    // Every line is whole, and each worker's lines come in its order.
    std::istringstream in(log.text());
    std::string line;
    int count = 0;
    std::vector<int> next(threads, 0);
    while (std::getline(in, line)) {
        int t = -1, i = -1;
        ASSERT_EQ(sscanf(line.c_str() + line.find(' ') + 1, "worker %d line %d", &t, &i), 2) << line;
        ASSERT_TRUE(t >= 0 && t < threads) << line;
        EXPECT_EQ(i, next[t]++) << line;
        EXPECT_TRUE(is_log(line + "\n", {{"INF", "worker " + std::to_string(t) + " line " + std::to_string(i)}}))
            << line;
        count++;
    }
    EXPECT_EQ(count, threads * lines);
}

// The sending side: a non-blocking socket that takes part of a message and
// drains soon after gets the rest, and the reader sees one whole message.
TEST(TransportThreads, PartialWriteIsFinishedWhenThePeerDrains)
{
    int sv[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, sv), 0);
    fcntl(sv[0], F_SETFL, O_NONBLOCK);
    int small = 4096;
    setsockopt(sv[0], SOL_SOCKET, SO_SNDBUF, &small, sizeof small);

    Bytes data(8000);
    for (size_t i = 0; i < data.size(); i++) {
        data[i] = (uint8_t)i;
    }
    Bytes got(FW_MSG_MAX);
    int received = 0;
    std::thread reader([&] {
        usleep(20 * 1000);
        received = uds_recv_msg(sv[1], got.data(), (uint32_t)got.size(), 2000);
    });
    StdoutCapture log;
    EXPECT_EQ(uds_send_msg(sv[0], data.data(), (uint32_t)data.size()), 0);
    reader.join();
    EXPECT_EQ(log.text(), "");
    ASSERT_EQ(received, 8000);
    EXPECT_EQ(Bytes(got.begin(), got.begin() + 8000), data);
    close(sv[0]);
    close(sv[1]);
}

// The receiving side: a body that arrives in two parts on a non-blocking
// socket is put together.
TEST(TransportThreads, BodyArrivingInPartsIsCompleted)
{
    int sv[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, sv), 0);
    fcntl(sv[1], F_SETFL, O_NONBLOCK);
    Bytes msg = message_bytes(Bytes(300, 0x5C));
    std::thread writer([&] {
        write_all(sv[0], Bytes(msg.begin(), msg.begin() + 2));  // inside the prefix
        usleep(10 * 1000);
        write_all(sv[0], Bytes(msg.begin() + 2, msg.begin() + 100));
        usleep(20 * 1000);
        write_all(sv[0], Bytes(msg.begin() + 100, msg.end()));
    });
    Bytes buf(FW_MSG_MAX);
    EXPECT_EQ(uds_recv_msg(sv[1], buf.data(), (uint32_t)buf.size(), 1000), 300);
    writer.join();
    EXPECT_EQ(Bytes(buf.begin(), buf.begin() + 300), Bytes(300, 0x5C));
    close(sv[0]);
    close(sv[1]);
}

// A listener that accepts nothing: once its backlog is full a blocking
// connect would wait for as long as the listener likes. The limit holds.
TEST(UdsConnect, FullBacklogStillTimesOutInTime)
{
    TempDir dir;
    std::string path = dir.file("full");
    int lfd = socket(AF_UNIX, SOCK_STREAM, 0);
    struct sockaddr_un addr = {};
    addr.sun_family = AF_UNIX;
    snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    ASSERT_EQ(bind(lfd, (const struct sockaddr *)&addr, sizeof addr), 0);
    ASSERT_EQ(listen(lfd, 0), 0);
    std::vector<int> queued;
    for (int i = 0; i < 4; i++) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        connect(fd, (const struct sockaddr *)&addr, sizeof addr);
        queued.push_back(fd);
    }
    std::atomic<int> result{1};
    StdoutCapture quiet;
    std::thread connector([&] { result = uds_client_connect(path.c_str(), 300); });
    // Generous against a loaded machine; a blocking connect never returns.
    for (int waited = 0; result == 1 && waited < 5000; waited += 10) {
        usleep(10 * 1000);
    }
    EXPECT_EQ(result, FW_ERR_TIMEOUT);
    close(lfd);  // also ends a connect that still waits
    connector.join();
    for (int fd : queued) {
        close(fd);
    }
}

// Watchdog-style senders on other threads while the owner polls: the
// hand-over keeps every frame whole on the wire.
TEST_F(UdsServer, SendsFromOtherThreadsDuringPollsKeepFramesWhole)
{
    int fd = registered_client(5);
    const int per_thread = 150;
    std::atomic<int> done{0};
    std::vector<std::thread> senders;
    StdoutCapture quiet;  // a full buffer logs each refused send
    for (uint8_t t = 1; t <= 2; t++) {
        senders.emplace_back([&, t] {
            Bytes payload(1500, t);
            for (int i = 0; i < per_thread; i++) {
                while (uds_server_post(&srv_, 5, 5, t, payload.data(), 1500) != 0) {
                    usleep(200);
                }
            }
            done++;
        });
    }
    std::atomic<int> whole{0};
    std::atomic<bool> reading{true};
    std::thread reader([&] {
        for (int i = 0; i < 2 * per_thread; i++) {
            ReceivedFrame f = read_frame(fd, 5000);
            if (f.rc != 1506 || f.payload != Bytes(1500, f.cmd2)) {
                break;
            }
            whole++;
        }
        reading = false;
    });
    // Polls finish what a full socket left of a message.
    while (done < 2 || reading) {
        uds_server_poll(&srv_, 0);
        usleep(500);
    }
    for (auto & t : senders) {
        t.join();
    }
    reader.join();
    EXPECT_EQ(whole, 2 * per_thread);
    close_client(fd);
}

}  // namespace
