// Framework server driven by raw clients in this process: handshake, table
// upkeep, sends, limits and hostile input.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "fw_uds.h"
#include "server_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST_F(ServerTest, RegistrationIsAcknowledgedFirstThenFramesFlowBothWays)
{
    int fd = connect_client();
    StdoutCapture log;
    ASSERT_TRUE(write_all(fd, frame_message(0, FW_CMD2_REGISTER, register_payload(5, "airable"))));
    ASSERT_TRUE(poll_until([] { return !events.connected.empty(); }));
    EXPECT_TRUE(contains(log.text(), "Client registered: app_id=5 name=airable\n"));
    EXPECT_EQ(events.connected, Bytes{5});

    ReceivedFrame ack = read_frame(fd, 1000);
    EXPECT_EQ(ack.rc, 7);
    EXPECT_EQ(ack.cmd1, FW_CMD1_CTRL);
    EXPECT_EQ(ack.cmd2, FW_CMD2_REGISTER_ACK);
    EXPECT_EQ(ack.payload, Bytes{FW_ACK_ACCEPTED});

    ASSERT_TRUE(write_all(fd, frame_message(5, 0xF7, {1, 2, 3})));
    ASSERT_TRUE(poll_until([] { return !events.msgs.empty(); }));
    ASSERT_EQ(events.msgs.size(), 1u);
    EXPECT_EQ(events.msgs[0].app_id, 5);
    EXPECT_EQ(events.msgs[0].cmd1, 5);
    EXPECT_EQ(events.msgs[0].cmd2, 0xF7);
    EXPECT_EQ(events.msgs[0].payload, (Bytes{1, 2, 3}));

    ASSERT_EQ(uds_server_send(&srv_, 5, 5, 0x20, Bytes{9, 8}.data(), 2), 0);
    ReceivedFrame back = read_frame(fd, 1000);
    EXPECT_EQ(back.cmd1, 5);
    EXPECT_EQ(back.cmd2, 0x20);
    EXPECT_EQ(back.payload, (Bytes{9, 8}));

    // Unregistering is an ordinary frame; the entry goes only on close.
    ASSERT_TRUE(write_all(fd, frame_message(0, FW_CMD2_UNREGISTER)));
    ASSERT_TRUE(poll_until([] { return events.msgs.size() == 2; }));
    EXPECT_EQ(events.msgs[1].cmd1, 0);
    EXPECT_EQ(events.msgs[1].cmd2, FW_CMD2_UNREGISTER);
    EXPECT_EQ(srv_.client_count, 1);
    EXPECT_TRUE(events.disconnected.empty());

    StdoutCapture bye;
    close_client(fd);
    EXPECT_TRUE(contains(bye.text(), "Client disconnected: app_id=5\n"));
    EXPECT_EQ(events.disconnected, Bytes{5});
}

TEST_F(ServerTest, RegistrationNameIsCutTo31Bytes)
{
    struct Case {
        std::string sent, stored;
    };
    const std::string forty(40, 'n');
    const Case cases[] = {{forty, forty.substr(0, 31)}, {std::string(31, 'm'), std::string(31, 'm')}, {"", ""}};
    uint8_t id = 1;
    for (const Case &c : cases) {
        int fd = registered_client(id, c.sent);
        uds_client_entry_t *entry = uds_server_find_client(&srv_, id);
        ASSERT_NE(entry, nullptr);
        EXPECT_STREQ(entry->name, c.stored.c_str());
        close_client(fd);
        id++;
    }
}

TEST_F(ServerTest, RegistrationWithoutAnIdIsRefusedAndLeavesTheEntryUnregistered)
{
    const Bytes payloads[] = {{}, register_payload(0, "zero")};
    for (const Bytes &payload : payloads) {
        int fd = connect_client();
        StdoutCapture log;
        ASSERT_TRUE(write_all(fd, frame_message(0, FW_CMD2_REGISTER, payload)));
        ReceivedFrame answer;
        ASSERT_TRUE(poll_until([&] { return (answer = read_frame(fd, 0)).rc > 0; }));
        std::string text = log.text();
        EXPECT_EQ(answer.cmd2, FW_CMD2_REGISTER_ACK);
        EXPECT_EQ(answer.payload, Bytes{FW_ACK_REFUSED});
        EXPECT_FALSE(contains(text, "Client registered"));
        EXPECT_TRUE(contains(text, "Registration refused: app_id=0\n"));
        EXPECT_TRUE(events.connected.empty());
        EXPECT_EQ(srv_.clients[srv_.client_count - 1].app_id, 0);

        // The same connection may still register properly.
        ASSERT_TRUE(write_all(fd, frame_message(0, FW_CMD2_REGISTER, register_payload(4, "ok"))));
        ASSERT_TRUE(poll_until([] { return !events.connected.empty(); }));
        EXPECT_EQ(read_frame(fd, 1000).payload, Bytes{FW_ACK_ACCEPTED});
        close_client(fd);
        events = {};
    }
}

TEST_F(ServerTest, AcknowledgementGoesToTheRegisteringConnectionEvenForADuplicateId)
{
    int older = registered_client(6, "first");
    int newer = connect_client();
    ASSERT_TRUE(write_all(newer, frame_message(0, FW_CMD2_REGISTER, register_payload(6, "second"))));
    ASSERT_TRUE(poll_until([] { return events.connected.size() == 2; }));
    EXPECT_EQ(read_frame(newer, 1000).cmd2, FW_CMD2_REGISTER_ACK);
    EXPECT_EQ(read_frame(older, 0).rc, FW_ERR_TIMEOUT) << "the older client got a second ack";

    // Sends by id still reach the first entry holding it.
    ASSERT_EQ(uds_server_send(&srv_, 6, 6, 1, nullptr, 0), 0);
    EXPECT_EQ(read_frame(older, 1000).cmd2, 1);
    EXPECT_EQ(read_frame(newer, 0).rc, FW_ERR_TIMEOUT);
    close_client(older);
    close_client(newer);
}

TEST_F(ServerTest, HeartbeatStampsTheEntryAndReachesTheCallbackOnlyWhenRegistered)
{
    int fd = connect_client();
    ASSERT_TRUE(write_all(fd, frame_message(0, FW_CMD2_HEARTBEAT)));
    ASSERT_TRUE(poll_until([&] { return srv_.clients[0].last_heartbeat != 0; }));
    EXPECT_TRUE(events.msgs.empty());
    close_client(fd);

    fd = registered_client(2);
    srv_.clients[0].hb_missed = 4;
    ASSERT_TRUE(write_all(fd, frame_message(0, FW_CMD2_HEARTBEAT)));
    ASSERT_TRUE(poll_until([] { return !events.msgs.empty(); }));
    EXPECT_EQ(events.msgs[0].app_id, 2);
    EXPECT_EQ(events.msgs[0].cmd1, 0);
    EXPECT_EQ(events.msgs[0].cmd2, FW_CMD2_HEARTBEAT);
    EXPECT_NE(srv_.clients[0].last_heartbeat, 0);
    EXPECT_EQ(srv_.clients[0].hb_missed, 0u);
    close_client(fd);
}

TEST_F(ServerTest, SecondRegistrationIsAnOrdinaryFrame)
{
    int fd = registered_client(2, "airplay");
    ASSERT_TRUE(write_all(fd, frame_message(0, FW_CMD2_REGISTER, register_payload(7, "other"))));
    ASSERT_TRUE(poll_until([] { return !events.msgs.empty(); }));
    EXPECT_EQ(events.msgs[0].app_id, 2);
    EXPECT_EQ(events.msgs[0].cmd2, FW_CMD2_REGISTER);
    EXPECT_EQ(events.connected, Bytes{2});
    EXPECT_EQ(srv_.clients[0].app_id, 2);
    EXPECT_STREQ(srv_.clients[0].name, "airplay");
    EXPECT_EQ(read_frame(fd, 0).rc, FW_ERR_TIMEOUT) << "no second acknowledgement";
    close_client(fd);
}

TEST_F(ServerTest, AtMostOneMessagePerClientAndPoll)
{
    int fd = registered_client(3);
    Bytes burst;
    for (uint8_t i = 0; i < 3; i++) {
        Bytes m = frame_message(3, i);
        burst.insert(burst.end(), m.begin(), m.end());
    }
    ASSERT_TRUE(write_all(fd, burst));
    for (size_t expected = 1; expected <= 3; expected++) {
        uds_server_poll(&srv_, 1000);
        ASSERT_EQ(events.msgs.size(), expected);
        EXPECT_EQ(events.msgs.back().cmd2, expected - 1);
    }
    close_client(fd);
}

TEST_F(ServerTest, FramesSentJustBeforeAHangUpAreReadFirst)
{
    int fd = registered_client(6);
    Bytes burst = frame_message(6, 0x11);
    Bytes bye = frame_message(0, FW_CMD2_UNREGISTER);
    burst.insert(burst.end(), bye.begin(), bye.end());
    ASSERT_TRUE(write_all(fd, burst));
    close(fd);
    ASSERT_TRUE(poll_until([] { return !events.disconnected.empty(); }));
    ASSERT_EQ(events.msgs.size(), 2u);
    EXPECT_EQ(events.msgs[0].cmd2, 0x11);
    EXPECT_EQ(events.msgs[1].cmd2, FW_CMD2_UNREGISTER);
    EXPECT_EQ(srv_.client_count, 0);
}

TEST_F(ServerTest, RemovalKeepsTheOthersInOrder)
{
    int a = registered_client(1), b = registered_client(2), c = registered_client(3);
    close_client(a);
    ASSERT_EQ(srv_.client_count, 2);
    EXPECT_EQ(srv_.clients[0].app_id, 2);
    EXPECT_EQ(srv_.clients[1].app_id, 3);
    ASSERT_EQ(uds_server_send(&srv_, 3, 3, 1, nullptr, 0), 0);
    EXPECT_EQ(read_frame(c, 1000).cmd1, 3);

    // Removal by id, as the heartbeat timeout does it: closed and reported.
    StdoutCapture log;
    EXPECT_EQ(uds_server_remove_client(&srv_, 2), 0);
    EXPECT_TRUE(contains(log.text(), "Client disconnected: app_id=2\n"));
    EXPECT_EQ(events.disconnected, (Bytes{1, 2}));
    EXPECT_EQ(read_frame(b, 1000).rc, FW_ERR_IO) << "its socket is closed";
    EXPECT_EQ(uds_server_remove_client(&srv_, 2), FW_ERR_NO_CLIENT);
    EXPECT_EQ(uds_server_send(&srv_, 2, 2, 1, nullptr, 0), FW_ERR_NO_CLIENT);
    close(b);
    close_client(c);
}

TEST_F(ServerTest, SendFailuresWriteNothing)
{
    int unregistered = connect_client();
    int fd = registered_client(5);
    Bytes big(FW_FRAME_PAYLOAD_MAX + 1);
    StdoutCapture log;
    EXPECT_EQ(uds_server_send(&srv_, 9, 9, 1, nullptr, 0), FW_ERR_NO_CLIENT);
    // Id 0 names no client: unregistered connections never get a frame
    // ahead of their acknowledgement.
    EXPECT_EQ(uds_server_send(&srv_, 0, 0, 1, nullptr, 0), FW_ERR_NO_CLIENT);
    EXPECT_EQ(uds_server_find_client(&srv_, 0), nullptr);
    EXPECT_EQ(uds_server_remove_client(&srv_, 0), FW_ERR_NO_CLIENT);
    EXPECT_EQ(uds_server_send(&srv_, 5, 5, 1, big.data(), (uint16_t)big.size()), FW_ERR_SIZE);
    EXPECT_EQ(log.text(), "") << "a failed send is only returned";
    EXPECT_EQ(read_frame(unregistered, 0).rc, FW_ERR_TIMEOUT);
    EXPECT_EQ(read_frame(fd, 0).rc, FW_ERR_TIMEOUT);
    EXPECT_EQ(srv_.client_count, 2);
    close_client(unregistered);
    close_client(fd);
}

TEST_F(ServerTest, BroadcastReachesOnlyRegisteredClients)
{
    int unregistered = connect_client();
    int a = registered_client(2), b = registered_client(6);
    uds_server_broadcast(&srv_, 0, 0x40, Bytes{7}.data(), 1);
    EXPECT_EQ(read_frame(a, 1000).cmd2, 0x40);
    EXPECT_EQ(read_frame(b, 1000).payload, Bytes{7});
    EXPECT_EQ(read_frame(unregistered, 0).rc, FW_ERR_TIMEOUT);
    close_client(unregistered);
    close_client(a);
    close_client(b);
}

TEST_F(ServerTest, DescriptorsAreNotInheritedByChildProcesses)
{
    int fd = registered_client(2);
    for (int server_fd : {srv_.listen_fd, srv_.epoll_fd, srv_.clients[0].fd}) {
        EXPECT_TRUE(fcntl(server_fd, F_GETFD) & FD_CLOEXEC) << server_fd;
    }
    close_client(fd);
}

TEST_F(ServerTest, SixteenClientsAreServedAndTheSeventeenthWaits)
{
    std::vector<int> fds;
    for (uint8_t id = 1; id <= FW_MAX_CLIENTS; id++) {
        fds.push_back(registered_client(id));
    }
    int pending = raw_connect(sock_);
    ASSERT_GE(pending, 0) << "the connection waits in the backlog";
    {
        StdoutCapture log;
        poll_times(3);
        EXPECT_EQ(count_of(log.text(), "Max clients reached\n"), 3) << "once per poll call";
    }
    EXPECT_EQ(srv_.client_count, FW_MAX_CLIENTS);
    ASSERT_TRUE(write_all(pending, frame_message(0, FW_CMD2_REGISTER, register_payload(17, "x"))));
    poll_times(2);
    EXPECT_EQ(read_frame(pending, 0).rc, FW_ERR_TIMEOUT);

    // A free entry lets it in, and its waiting registration goes through.
    close(fds[0]);
    ASSERT_TRUE(poll_until([] { return events.connected.size() == FW_MAX_CLIENTS + 1; }));
    EXPECT_EQ(read_frame(pending, 1000).cmd2, FW_CMD2_REGISTER_ACK);
    fds[0] = pending;
    for (int fd : fds) {
        close_client(fd);
    }
}

// A client that stops reading: with its buffer full a send fails at once
// and the stream stays whole.
TEST_F(ServerTest, FullClientBufferFailsTheSendWithoutBreakingTheStream)
{
    int fd = registered_client(2);
    Bytes payload(4000, 0x33);
    int sent = 0;
    StdoutCapture log;
    while (uds_server_send(&srv_, 2, 2, 1, payload.data(), (uint16_t)payload.size()) == 0) {
        ASSERT_LT(++sent, 10000) << "the socket never filled";
    }
    EXPECT_TRUE(contains(log.text(), "send failed: Resource temporarily unavailable\n"));
    EXPECT_EQ(srv_.clients[0].active, 1);
    for (int i = 0; i < sent; i++) {
        ReceivedFrame f = read_frame(fd, 1000);
        ASSERT_EQ(f.rc, 4006) << "message " << i;
        ASSERT_EQ(f.payload, payload);
    }
    EXPECT_EQ(read_frame(fd, 0).rc, FW_ERR_TIMEOUT);
    close_client(fd);
}

// A send that the socket takes only in part and never finishes leaves the
// stream broken: it fails, the entry is written no more and the next poll
// drops it.
TEST_F(ServerTest, UnfinishedPartialSendDropsTheClient)
{
    int fd = registered_client(2);
    int small = 4096;
    ASSERT_EQ(setsockopt(srv_.clients[0].fd, SOL_SOCKET, SO_SNDBUF, &small, sizeof small), 0);
    Bytes payload(FW_FRAME_PAYLOAD_MAX, 0x44);
    StdoutCapture log;
    auto start = std::chrono::steady_clock::now();
    int rc = uds_server_send(&srv_, 2, 2, 1, payload.data(), (uint16_t)payload.size());
    auto blocked = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(rc, FW_ERR_IO);
    EXPECT_LT(blocked, std::chrono::seconds(2)) << "the caller is held only for a bounded wait";
    EXPECT_EQ(srv_.clients[0].active, 0);
    EXPECT_EQ(uds_server_send(&srv_, 2, 2, 1, nullptr, 0), FW_ERR_NO_CLIENT);
    uds_server_poll(&srv_, 0);
    std::string text = log.text();
    EXPECT_TRUE(contains(text, "Partial send: ")) << text;
    EXPECT_TRUE(contains(text, " of 8196\n")) << text;
    EXPECT_TRUE(contains(text, "Client disconnected: app_id=2\n"));
    EXPECT_EQ(srv_.client_count, 0);
    EXPECT_EQ(events.disconnected, Bytes{2});
    close(fd);
}

struct BadInput {
    const char *what;
    Bytes bytes;
    bool removed;        // the server drops the sender
    const char *logged;  // a line the server logs, or ""
    bool close_after;    // the sender hangs up after writing
};

Bytes garbage()
{
    Bytes g(64);
    for (size_t i = 0; i < g.size(); i++) {
        g[i] = (uint8_t)(0xC3 ^ (i * 37));
    }
    return g;
}

Bytes oversized_prefix()
{
    return {0x00, 0x00, 0x20, 0x01, 1, 2, 3}; // 8193
}

Bytes cut_body()
{
    Bytes m = frame_message(2, 1, Bytes(40, 1));
    m.resize(20);
    return m;
}

const BadInput k_bad_inputs[] = {
    {"garbage bytes", garbage(), true, "Message too big: ", false},
    {"length prefix above 8192", oversized_prefix(), true, "Message too big: 8193 > 8192", false},
    {"truncated prefix, left open", {0x00, 0x00}, true, "recv error -4", false},
    {"truncated prefix, then closed", {0x00, 0x00}, true, "Client disconnected: app_id=0", true},
    {"body cut short, left open", cut_body(), true, "recv body failed: Connection timed out", false},
    {"malformed frame", message_bytes({0, 3, 0, 0, 1, 2}), false, "Frame decode failed", false},
    {"frame shorter than its total_len", message_bytes({0, 20, 0, 1, 1, 2, 3}), false,
     "Frame decode failed", false},
    {"empty message", message_bytes({}), false, "", false},
    {"register with a 40-byte name", frame_message(0, 2, register_payload(9, std::string(40, 'x'))),
     false, "name=xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\n", false},
    {"connect and close at once", {}, true, "Client disconnected: app_id=0", true},
};

class ServerBadInputTest : public ServerTest, public testing::WithParamInterface<BadInput> {};

TEST_P(ServerBadInputTest, DoesNotDisturbOthersOrLeak)
{
    const BadInput &c = GetParam();
    int good = registered_client(2, "good");
    int fds_before = count_open_fds();

    int bad = connect_client();
    StdoutCapture log;
    if (!c.bytes.empty()) {
        ASSERT_TRUE(write_all(bad, c.bytes));
    }
    if (c.close_after) {
        close(bad);
    }
    poll_times(4);
    if (c.removed) {
        EXPECT_TRUE(poll_until([&] { return srv_.client_count == 1; }));
    }
    std::string text = log.text();
    EXPECT_EQ(srv_.client_count, c.removed ? 1 : 2) << text;
    EXPECT_TRUE(contains(text, c.logged)) << text;

    // The registered client is served as before.
    ASSERT_TRUE(write_all(good, frame_message(2, 0x55, {1})));
    ASSERT_TRUE(poll_until([] {
        return !events.msgs.empty() && events.msgs.back().cmd2 == 0x55;
    }));
    ASSERT_EQ(uds_server_send(&srv_, 2, 2, 0x66, nullptr, 0), 0);
    EXPECT_EQ(read_frame(good, 1000).cmd2, 0x66);

    if (!c.close_after) {
        close(bad);
    }
    EXPECT_TRUE(poll_until([&] { return srv_.client_count == 1; }));
    EXPECT_EQ(count_open_fds(), fds_before) << "descriptor leaked";
    EXPECT_EQ(std::count(events.disconnected.begin(), events.disconnected.end(), 2), 0);
    close_client(good);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ServerBadInputTest, testing::ValuesIn(k_bad_inputs),
                         [](const testing::TestParamInfo<BadInput> &info) {
                             std::string name;
                             for (const char *p = info.param.what; *p; p++) {
                                 name += isalnum((unsigned char)*p) ? *p : '_';
                             }
                             return name;
                         });

// Each line names the operation that logs it, not the helper that does it.
TEST_F(ServerTest, LogLinesNameTheirOperation)
{
    StdoutCapture log;
    int fd = registered_client(2);
    ASSERT_TRUE(write_all(fd, message_bytes({0, 3, 0, 0, 1, 2})));
    ASSERT_TRUE(write_all(fd, {0, 0, 0x20, 0x01}));
    ASSERT_TRUE(poll_until([&] { return srv_.client_count == 0; }));
    int other = registered_client(3);
    int small = 4096;
    setsockopt(srv_.clients[0].fd, SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
    Bytes big(FW_FRAME_PAYLOAD_MAX);
    uds_server_send(&srv_, 3, 3, 1, big.data(), (uint16_t)big.size());
    close(other);
    uds_server_send(&srv_, 3, 3, 1, nullptr, 0);
    poll_times(2);
    const std::string text = log.text();

    const std::pair<const char *, const char *> lines[] = {
        {"Client registered: app_id=2", "uds_server_poll"},
        {"Frame decode failed", "uds_server_poll"},
        {"Message too big: 8193 > 8192", "uds_recv_msg"},
        {"recv error -1", "uds_server_poll"},
        {"Client disconnected: app_id=2", "remove_client"},
        {"Partial send: ", "uds_send_msg"},
    };
    for (const auto &[message, function] : lines) {
        EXPECT_EQ(logged_by(text, message), function) << message << "\n" << text;
    }
    close(fd);
}

TEST_F(ServerTest, StopReportsRegisteredClientsLastFirstAndDeletesTheSocket)
{
    int a = registered_client(2), u = connect_client(), b = registered_client(6);
    StdoutCapture log;
    uds_server_stop(&srv_);
    EXPECT_EQ(count_of(log.text(), "Client disconnected: "), 3);
    EXPECT_EQ(events.disconnected, (Bytes{6, 2}));
    struct stat st;
    EXPECT_NE(stat(sock_.c_str(), &st), 0) << "socket file left behind";
    for (int fd : {a, u, b}) {
        EXPECT_EQ(read_frame(fd, 1000).rc, FW_ERR_IO);
        close(fd);
    }
}

} // namespace
