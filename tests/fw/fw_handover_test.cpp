// Frames other threads hand over to the server's owner: the test is the owner
// and polls, helper threads post.
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "server_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// Posts one frame from a thread of its own and gives the result.
int post_from_other_thread(uds_server_t * srv, uint8_t app_id, uint8_t cmd2, const Bytes & payload = {})
{
    int rc = 1;
    std::thread([&] {
        rc = uds_server_post(srv, app_id, app_id, cmd2, payload.data(), (uint16_t)payload.size());
    }).join();
    return rc;
}

// Several threads post at once: each thread's frames come whole and in its
// order, and none is lost, also while the queue is full now and then.
TEST_F(UdsServer, FramesPostedFromSeveralThreadsArriveWholeAndInOrder)
{
    int fd = registered_client(5);
    const int threads = 4, per_thread = 200;
    std::atomic<int> done{0};
    std::vector<std::thread> posters;
    for (uint8_t t = 0; t < threads; t++) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < per_thread; i++) {
                const Bytes payload = {t, (uint8_t)(i >> 8), (uint8_t)i};
                while (uds_server_post(&srv_, 5, 5, 0x30, payload.data(), 3) == FW_ERR_IO) usleep(100);
            }
            done++;
        });
    }
    std::vector<int> next(threads, 0);
    int received = 0;
    // Far beyond what a loaded machine needs.
    for (auto limit = Clock::now() + std::chrono::seconds(60);
         received < threads * per_thread && Clock::now() < limit;) {
        uds_server_poll(&srv_, 1);
        for (ReceivedFrame f = read_frame(fd, 0); f.rc != FW_ERR_TIMEOUT; f = read_frame(fd, 0)) {
            ASSERT_EQ(f.rc, 9) << "after " << received << " frames";
            ASSERT_EQ(f.cmd2, 0x30);
            ASSERT_LT(f.payload[0], threads);
            EXPECT_EQ(f.payload[1] << 8 | f.payload[2], next[f.payload[0]]++);
            received++;
        }
    }
    for (auto & t : posters) t.join();
    EXPECT_EQ(done, threads);
    EXPECT_EQ(received, threads * per_thread);
    EXPECT_EQ(read_frame(fd, 0).rc, FW_ERR_TIMEOUT);
    close_client(fd);
}

// The queue holds FW_HANDOVER_SLOTS frames; more are refused until the
// owner's poll has taken them, which sends them all, oldest first.
TEST_F(UdsServer, FullHandOverQueueRefusesUntilThePollTakesIt)
{
    int fd = registered_client(5);
    for (int i = 0; i < FW_HANDOVER_SLOTS; i++) {
        ASSERT_EQ(post_from_other_thread(&srv_, 5, (uint8_t)i), 0) << i;
    }
    EXPECT_EQ(post_from_other_thread(&srv_, 5, 0x77), FW_ERR_IO);
    EXPECT_EQ(read_frame(fd, 0).rc, FW_ERR_TIMEOUT) << "only the owner writes";

    poll_times(1);
    for (int i = 0; i < FW_HANDOVER_SLOTS; i++) {
        EXPECT_EQ(read_frame(fd, 1000).cmd2, i);
    }
    EXPECT_EQ(read_frame(fd, 0).rc, FW_ERR_TIMEOUT) << "the refused frame was sent";
    EXPECT_EQ(post_from_other_thread(&srv_, 5, 0x78), 0);
    poll_times(1);
    EXPECT_EQ(read_frame(fd, 1000).cmd2, 0x78);
    close_client(fd);
}

// A frame goes to whichever entry holds its id when the poll takes it. One
// whose client left meanwhile is dropped, and the frames behind it still go;
// a client that registers the id later gets nothing of it.
TEST_F(UdsServer, FrameForAClientThatLeftMeanwhileIsDropped)
{
    int leaving = registered_client(5);
    int staying = registered_client(6);
    ASSERT_EQ(post_from_other_thread(&srv_, 5, 0x51), 0);
    ASSERT_EQ(post_from_other_thread(&srv_, 6, 0x61), 0);
    StdoutCapture log;
    close_client(leaving);  // its hang-up is read before the queue is
    EXPECT_EQ(read_frame(staying, 1000).cmd2, 0x61);
    EXPECT_EQ(srv_.client_count, 1);

    EXPECT_EQ(post_from_other_thread(&srv_, 5, 0x52), FW_ERR_NO_CLIENT) << "after it left";
    int later = registered_client(5);
    poll_times(3);
    EXPECT_EQ(read_frame(later, 100).rc, FW_ERR_TIMEOUT);
    EXPECT_EQ(post_from_other_thread(&srv_, 5, 0x53), 0) << "once the id is held again";
    poll_times(1);
    EXPECT_EQ(read_frame(later, 1000).cmd2, 0x53);
    EXPECT_FALSE(contains(log.text(), "send failed")) << "a frame without a client is no failed send";
    close_client(later);
    close_client(staying);
}

// From the owner a post is a send, with the send's result at once; from any
// thread a post fails plainly for an id no client holds and while no server
// runs, and a payload that cannot be a frame is refused before it is queued.
TEST_F(UdsServer, PostFromTheOwnerSendsAtOnceAndFailsPlainlyWithoutAServer)
{
    EXPECT_EQ(uds_server_post(&srv_, 5, 5, 1, nullptr, 0), FW_ERR_NO_CLIENT);
    int fd = registered_client(5);
    ASSERT_EQ(uds_server_post(&srv_, 5, 5, 0x42, Bytes{7}.data(), 1), 0);
    ReceivedFrame f = read_frame(fd, 0);  // no poll in between
    EXPECT_EQ(f.cmd2, 0x42);
    EXPECT_EQ(f.payload, Bytes{7});

    EXPECT_EQ(post_from_other_thread(&srv_, 6, 1), FW_ERR_NO_CLIENT) << "no client holds the id";
    const Bytes too_big(FW_FRAME_PAYLOAD_MAX + 1, 0);
    EXPECT_EQ(post_from_other_thread(&srv_, 5, 1, too_big), FW_ERR_SIZE);
    EXPECT_EQ(uds_server_post(&srv_, 5, 5, 1, too_big.data(), (uint16_t)too_big.size()), FW_ERR_SIZE);
    close_client(fd);

    static uds_server_t never_started;  // zero, as a record is before its start
    EXPECT_EQ(post_from_other_thread(&never_started, 5, 1), FW_ERR_NO_CLIENT);
    EXPECT_EQ(uds_server_post(&never_started, 5, 5, 1, nullptr, 0), FW_ERR_NO_CLIENT);
    {
        StdoutCapture quiet;
        uds_server_stop(&srv_);
    }
    EXPECT_EQ(post_from_other_thread(&srv_, 5, 1), FW_ERR_NO_CLIENT);
    EXPECT_EQ(uds_server_post(&srv_, 5, 5, 1, nullptr, 0), FW_ERR_NO_CLIENT);
}

// A poll that waits is woken by a post: the frame does not wait for the
// poll's time limit (far beyond what a loaded machine needs).
TEST_F(UdsServer, PostEndsTheWaitOfAPoll)
{
    int fd = registered_client(5);
    std::thread poster([&] {
        usleep(20 * 1000);
        uds_server_post(&srv_, 5, 5, 0x10, nullptr, 0);
    });
    const auto start = Clock::now();
    uds_server_poll(&srv_, 60 * 1000);
    const auto waited = Clock::now() - start;
    poster.join();
    EXPECT_LT(waited, std::chrono::seconds(30));
    EXPECT_EQ(read_frame(fd, 0).cmd2, 0x10);
    close_client(fd);
}

// A frame whose client's socket is full waits, the frames behind it with
// it, and goes out whole once the client reads.
TEST_F(UdsServer, HandedOverFrameWaitsForAFullSocket)
{
    int full = registered_client(2);
    int other = registered_client(3);
    StdoutCapture log;
    const int sent = fill_socket(&srv_, 2);
    const std::string filling = log.text();
    StdoutCapture quiet;
    ASSERT_EQ(post_from_other_thread(&srv_, 2, 0x21), 0);
    ASSERT_EQ(post_from_other_thread(&srv_, 3, 0x31), 0);
    poll_times(5);
    EXPECT_EQ(read_frame(other, 0).rc, FW_ERR_TIMEOUT) << "overtook the waiting frame";

    std::vector<ReceivedFrame> got = read_while_polling(&srv_, full, (size_t)sent + 1);
    ASSERT_EQ(got.size(), (size_t)sent + 1);
    EXPECT_EQ(got.back().rc, 6);
    EXPECT_EQ(got.back().cmd2, 0x21);
    EXPECT_EQ(read_frame(other, 1000).cmd2, 0x31);
    EXPECT_EQ(count_of(filling + quiet.text(), "send failed"), 1) << "a waiting frame is no failed send";
    close_client(other);
    close_client(full);
}

// ... and is dropped with its client when the client never reads: the
// stall limit ends the wait, and the frames behind it go on.
TEST_F(UdsServer, HandedOverFrameForAClientThatNeverReadsGoesWithIt)
{
    int full = registered_client(2);
    int other = registered_client(3);
    StdoutCapture quiet;
    fill_socket(&srv_, 2);
    ASSERT_EQ(post_from_other_thread(&srv_, 2, 0x21), 0);
    ASSERT_EQ(post_from_other_thread(&srv_, 3, 0x31), 0);
    poll_times(1);
    advance_clock(FW_SEND_STALL_MS);
    poll_times(2);
    EXPECT_EQ(srv_.client_count, 1);
    EXPECT_EQ(events.disconnected, Bytes{2});
    EXPECT_EQ(read_frame(other, 1000).cmd2, 0x31);
    close(full);
    close_client(other);
}

}  // namespace
