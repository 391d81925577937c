// The server against peers that try to hold it or crowd others out: the
// poll never waits on one of them, and they lose their place to the services
// the table is for.
#include <fcntl.h>
#include <sys/socket.h>

#include <chrono>
#include <string>
#include <vector>

#include "fw_uds.h"
#include "hostile_text.hpp"
#include "server_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// The longest a poll may take with every peer hostile; a poll that waited
// for the rest of even one message would take FW_IO_COMPLETE_WAIT_MS per
// peer, 1.6 s for sixteen.
constexpr auto kLongestPoll = std::chrono::milliseconds(250);

// Sixteen peers each trickle a message one byte at a time and never finish
// it, the way a peer on a slow or hostile link would. Each poll finds them
// all readable with one byte more; none of them may hold it, and a healthy
// service is served throughout.
TEST_F(UdsServer, PeersSendingByteByByteNeverHoldThePoll)
{
    int service = registered_client(2, "healthy");
    std::vector<int> peers;
    for (int i = 0; i < FW_MAX_CLIENTS - 1; i++) {
        peers.push_back(connect_client());
        fcntl(peers.back(), F_SETFL, O_NONBLOCK);
    }
    const Bytes message = frame_message(0, FW_CMD2_REGISTER, register_payload(9, std::string(200, 'x')));
    StdoutCapture quiet;
    Clock::duration longest{};
    size_t served = 0;
    for (size_t byte = 0; byte + 1 < message.size() && byte < 40; byte++) {
        for (int peer : peers) {
            send(peer, &message[byte], 1, MSG_NOSIGNAL); // fails once a peer was dropped
        }
        ASSERT_TRUE(write_all(service, frame_message(2, 0x10, {(uint8_t)byte})));
        const auto start = Clock::now();
        uds_server_poll(&srv_, 0);
        longest = std::max(longest, Clock::now() - start);
        served = events.msgs.size();
    }
    EXPECT_LT(longest, kLongestPoll)
        << std::chrono::duration_cast<std::chrono::milliseconds>(longest).count() << " ms";
    EXPECT_EQ(served, 40u) << "the healthy service lost messages";
    EXPECT_EQ(srv_.client_count, FW_MAX_CLIENTS) << "a slow peer is not dropped before its limit";
    for (const uds_client_entry_t &entry : srv_.clients) {
        if (entry.app_id == 0) {
            EXPECT_EQ(entry.rx_len, 40u) << "every byte is gathered as it comes";
        }
    }
    for (int peer : peers) {
        close(peer);
    }
    close(service);
}

// One poll does bounded work however much every peer has sent: one message
// from each, the rest waits in the sockets for later polls.
TEST_F(UdsServer, OnePollTakesAtMostOneMessageFromEachPeer)
{
    std::vector<int> fds;
    for (uint8_t id = 1; id <= FW_MAX_CLIENTS; id++) {
        fds.push_back(registered_client(id));
    }
    Bytes burst;
    for (int i = 0; i < 20; i++) {
        Bytes m = frame_message(1, (uint8_t)i, Bytes(100, 1));
        burst.insert(burst.end(), m.begin(), m.end());
    }
    for (int fd : fds) {
        ASSERT_TRUE(write_all(fd, burst));
    }
    events.msgs.clear();
    uds_server_poll(&srv_, 1000);
    EXPECT_LE(events.msgs.size(), (size_t)FW_MAX_CLIENTS);
    ASSERT_TRUE(poll_until([] { return events.msgs.size() == 20u * FW_MAX_CLIENTS; }, 400));
    for (int fd : fds) {
        close_client(fd);
    }
}

// Connections that never register fill the table; they are dropped once
// FW_REGISTER_WAIT_MS has passed, and a service waiting in the backlog gets
// in and registers. So do connections refused for an id the server does not
// serve.
TEST_F(UdsServer, ConnectionsThatDoNotRegisterMakeWayForAService)
{
    uds_server_stop(&srv_);
    srv_.app_id_limit = FW_APP_SLOTS;
    {
        StdoutCapture quiet;
        ASSERT_EQ(uds_server_start(&srv_), 0);
    }
    std::vector<int> squatters;
    for (int i = 0; i < FW_MAX_CLIENTS; i++) {
        squatters.push_back(connect_client());
        if (i % 2 == 1) {
            ASSERT_TRUE(write_all(squatters.back(), frame_message(0, FW_CMD2_REGISTER,
                                                                  register_payload(20, "high"))));
        }
    }
    int service = raw_connect(sock_);
    ASSERT_GE(service, 0);
    ASSERT_TRUE(write_all(service, frame_message(0, FW_CMD2_REGISTER, register_payload(2, "airplay"))));
    StdoutCapture log;
    poll_times(20);
    EXPECT_TRUE(events.connected.empty());
    EXPECT_EQ(srv_.client_count, FW_MAX_CLIENTS);

    advance_clock(FW_REGISTER_WAIT_MS - 1);
    poll_times(2);
    EXPECT_EQ(srv_.client_count, FW_MAX_CLIENTS) << "dropped before the limit";
    advance_clock(1);
    ASSERT_TRUE(poll_until([] { return events.connected.size() == 1; }));
    EXPECT_EQ(events.connected, Bytes{2});
    EXPECT_EQ(read_frame(service, 1000).payload, Bytes{FW_ACK_ACCEPTED});
    const std::string text = log.text();
    EXPECT_EQ(count_of(text, "] Client dropped, not registered within 2000 ms\n"), 1)
        << "at most one line a second\n" << text;
    EXPECT_EQ(count_of(text, "Client disconnected: app_id=0\n"), FW_MAX_CLIENTS);
    for (int fd : squatters) {
        close(fd);
    }
    close_client(service);
}

// A name is the peer's text: it is logged with its control characters
// escaped, so it cannot end the line or forge another one.
TEST_F(UdsServer, RegistrationNameCannotForgeALogLine)
{
    struct Case {
        std::string name, shown;
    };
    const Case cases[] = {
        {"evil\n[INF][00:00:00] [x:1] forged", "evil\\x0a[INF][00:00:00] [x:1] forg"},
        {"tab\there\rcr", "tab\\x09here\\x0dcr"},
        {std::string("bell\a\x1b[2Jdel\x7f") + "\\", "bell\\x07\\x1b[2Jdel\\x7f\\x5c"},
        {test_support::kHostileName, test_support::kHostileShown},
    };
    uint8_t id = 1;
    for (const Case &c : cases) {
        StdoutCapture log;
        int fd = registered_client(id, c.name);
        const std::string text = log.text();
        EXPECT_EQ(count_of(text, "\n"), 1) << text;
        EXPECT_TRUE(contains(text, "Client registered: app_id=" + std::to_string(id) +
                                       " name=" + c.shown + "\n"))
            << text;
        close_client(fd);
        id++;
    }
}

} // namespace
