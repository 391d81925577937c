// Framework server driven by raw clients in this process: handshake, table
// upkeep, sends, limits and hostile input.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include "fw_uds.h"
#include "server_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST_F(UdsServer, RegistrationIsAcknowledgedFirstThenFramesFlowBothWays)
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

TEST_F(UdsServer, RegistrationNameIsCutTo31Bytes)
{
    struct Case {
        std::string sent, stored;
    };
    const std::string forty(40, 'n');
    const Case cases[] = {{forty, forty.substr(0, 31)}, {std::string(31, 'm'), std::string(31, 'm')}, {"", ""}};
    uint8_t id = 1;
    for (const Case & c : cases) {
        int fd = registered_client(id, c.sent);
        uds_client_entry_t * entry = uds_server_find_client(&srv_, id);
        ASSERT_NE(entry, nullptr);
        EXPECT_STREQ(entry->name, c.stored.c_str());
        close_client(fd);
        id++;
    }
}

TEST_F(UdsServer, RegistrationWithoutAnIdIsRefusedAndLeavesTheEntryUnregistered)
{
    const Bytes payloads[] = {{}, register_payload(0, "zero")};
    for (const Bytes & payload : payloads) {
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

// An id stays with the live connection that holds it: its traffic and its
// liveness are that connection's, so a second claim is refused until the
// holder is gone.
TEST_F(UdsServer, DuplicateIdIsRefusedWhileItsHolderLives)
{
    int older = registered_client(6, "first");
    int newer = connect_client();
    StdoutCapture log;
    ASSERT_TRUE(write_all(newer, frame_message(0, FW_CMD2_REGISTER, register_payload(6, "second"))));
    ReceivedFrame answer;
    ASSERT_TRUE(poll_until([&] { return (answer = read_frame(newer, 0)).rc > 0; }));
    std::string text = log.text();
    EXPECT_EQ(answer.cmd2, FW_CMD2_REGISTER_ACK);
    EXPECT_EQ(answer.payload, Bytes{FW_ACK_REFUSED});
    EXPECT_EQ(count_of(text, "Registration refused: app_id=6 (in use)\n"), 1) << text;
    EXPECT_FALSE(contains(text, "Client registered"));
    EXPECT_EQ(events.connected, Bytes{6});
    EXPECT_EQ(read_frame(older, 0).rc, FW_ERR_TIMEOUT) << "the holder got a frame";

    // Sends by id reach the holder only.
    ASSERT_EQ(uds_server_send(&srv_, 6, 6, 1, nullptr, 0), 0);
    EXPECT_EQ(read_frame(older, 1000).cmd2, 1);
    EXPECT_EQ(read_frame(newer, 0).rc, FW_ERR_TIMEOUT);

    // Once the holder is gone the id is free again.
    close_client(older);
    ASSERT_TRUE(write_all(newer, frame_message(0, FW_CMD2_REGISTER, register_payload(6, "second"))));
    ASSERT_TRUE(poll_until([] { return events.connected.size() == 2; }));
    EXPECT_EQ(read_frame(newer, 1000).payload, Bytes{FW_ACK_ACCEPTED});
    EXPECT_STREQ(uds_server_find_client(&srv_, 6)->name, "second");
    close_client(newer);
}

TEST_F(UdsServer, IdsFromTheLimitUpAreRefused)
{
    uds_server_stop(&srv_);
    srv_.app_id_limit = 16;
    {
        StdoutCapture quiet;
        ASSERT_EQ(uds_server_start(&srv_), 0);
    }
    EXPECT_EQ(srv_.app_id_limit, 16) << "kept by the start";
    for (uint8_t id : {16, 20, 255}) {
        int fd = connect_client();
        StdoutCapture log;
        ASSERT_TRUE(write_all(fd, frame_message(0, FW_CMD2_REGISTER, register_payload(id, "high"))));
        ReceivedFrame answer;
        ASSERT_TRUE(poll_until([&] { return (answer = read_frame(fd, 0)).rc > 0; }));
        EXPECT_EQ(answer.payload, Bytes{FW_ACK_REFUSED}) << (int)id;
        EXPECT_TRUE(contains(log.text(), "Registration refused: app_id=" + std::to_string(id) + "\n"));
        close_client(fd);
    }
    EXPECT_TRUE(events.connected.empty());
    close_client(registered_client(15));
    EXPECT_EQ(events.connected, Bytes{15});
}

TEST_F(UdsServer, HeartbeatStampsTheEntryAndReachesTheCallbackOnlyWhenRegistered)
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

TEST_F(UdsServer, SecondRegistrationIsAnOrdinaryFrame)
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

TEST_F(UdsServer, AtMostOneMessagePerClientAndPoll)
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

TEST_F(UdsServer, FramesSentJustBeforeAHangUpAreReadFirst)
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

TEST_F(UdsServer, RemovalKeepsTheOthersInOrder)
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

TEST_F(UdsServer, SendFailuresWriteNothing)
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

TEST_F(UdsServer, BroadcastReachesOnlyRegisteredClients)
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

TEST_F(UdsServer, DescriptorsAreNotInheritedByChildProcesses)
{
    int fd = registered_client(2);
    for (int server_fd : {srv_.listen_fd, srv_.epoll_fd, srv_.clients[0].fd}) {
        EXPECT_TRUE(fcntl(server_fd, F_GETFD) & FD_CLOEXEC) << server_fd;
    }
    close_client(fd);
}

TEST_F(UdsServer, SixteenClientsAreServedAndTheSeventeenthWaits)
{
    std::vector<int> fds;
    for (uint8_t id = 1; id <= FW_MAX_CLIENTS; id++) {
        fds.push_back(registered_client(id));
    }
    int pending = raw_connect(sock_);
    ASSERT_GE(pending, 0) << "the connection waits in the backlog";
    {
        // At most once a second, then with the count of polls left out.
        StdoutCapture log;
        poll_times(3);
        advance_clock(FW_LOG_LIMIT_PERIOD_MS - 1);
        poll_times(1);
        advance_clock(1);
        poll_times(1);
        const std::string text = log.text();
        EXPECT_EQ(count_of(text, "Max clients reached"), 2) << text;
        EXPECT_TRUE(contains(text, "] Max clients reached\n")) << text;
        EXPECT_TRUE(contains(text, "] Max clients reached (repeated 3 times)\n")) << text;
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

// A client that stops reading: once its buffer is full a send fails at
// once, the last message the socket took only in part is finished later,
// and the stream stays whole.
TEST_F(UdsServer, FullClientBufferFailsTheSendWithoutBreakingTheStream)
{
    int fd = registered_client(2);
    StdoutCapture log;
    int sent = fill_socket(&srv_, 2);
    EXPECT_TRUE(contains(log.text(), "send failed: Resource temporarily unavailable\n"));
    EXPECT_EQ(srv_.clients[0].active, 1);
    std::vector<ReceivedFrame> got = read_while_polling(&srv_, fd, (size_t)sent);
    ASSERT_EQ(got.size(), (size_t)sent);
    for (const ReceivedFrame & f : got) {
        ASSERT_EQ(f.rc, 4006);
        ASSERT_EQ(f.payload, Bytes(4000, 0x33));
    }
    EXPECT_EQ(read_frame(fd, 0).rc, FW_ERR_TIMEOUT);
    ASSERT_EQ(uds_server_send(&srv_, 2, 2, 7, nullptr, 0), 0) << "the socket takes sends again";
    EXPECT_EQ(read_frame(fd, 1000).cmd2, 7);
    close_client(fd);
}

// A peer that never reads fills its socket. Its failing sends are logged at
// most once a second, with a count, and once its socket has stayed full
// for FW_SEND_STALL_MS it is dropped with one line.
TEST_F(UdsServer, PeerThatStopsReadingIsDroppedAfterTheStallLimit)
{
    int fd = registered_client(2);
    StdoutCapture log;
    fill_socket(&srv_, 2);
    for (int i = 0; i < 50; i++) {
        EXPECT_EQ(uds_server_send(&srv_, 2, 2, 1, nullptr, 0), FW_ERR_IO);
    }
    advance_clock(FW_LOG_LIMIT_PERIOD_MS);
    EXPECT_EQ(uds_server_send(&srv_, 2, 2, 1, nullptr, 0), FW_ERR_IO);
    advance_clock(FW_SEND_STALL_MS - FW_LOG_LIMIT_PERIOD_MS - 1);
    poll_times(3);
    EXPECT_EQ(srv_.client_count, 1) << "dropped before the limit";
    advance_clock(1);
    poll_times(1);
    const std::string text = log.text();
    EXPECT_EQ(srv_.client_count, 0);
    EXPECT_EQ(events.disconnected, Bytes{2});
    EXPECT_EQ(count_of(text, "send failed: "), 2) << text;
    EXPECT_TRUE(contains(text, "] send failed: Resource temporarily unavailable (repeated 50 times)\n")) << text;
    EXPECT_EQ(count_of(text, "] Client dropped, not reading for 2000 ms: app_id=2\n"), 1) << text;
    close(fd);
}

// A peer that reads, however slowly, keeps its connection: the stall clock
// starts again whenever its socket takes bytes.
TEST_F(UdsServer, SlowReaderIsNotDropped)
{
    int fd = registered_client(2);
    StdoutCapture quiet;
    for (int round = 0; round < 5; round++) {
        int sent = fill_socket(&srv_, 2);
        advance_clock(FW_SEND_STALL_MS - 1);
        poll_times(1);
        ASSERT_EQ(read_while_polling(&srv_, fd, (size_t)sent).size(), (size_t)sent);
        poll_times(1);
    }
    advance_clock(FW_SEND_STALL_MS);
    poll_times(1);
    EXPECT_EQ(srv_.client_count, 1);
    EXPECT_TRUE(events.disconnected.empty());
    close_client(fd);
}

// A message the socket takes only in part leaves the rest queued: the send
// returns at once, later polls finish the message, and sends meanwhile fail
// rather than cut into it.
TEST_F(UdsServer, PartialSendIsFinishedByLaterPolls)
{
    int fd = registered_client(2);
    int small = 4096;
    ASSERT_EQ(setsockopt(srv_.clients[0].fd, SOL_SOCKET, SO_SNDBUF, &small, sizeof small), 0);
    Bytes payload(FW_FRAME_PAYLOAD_MAX, 0x44);
    StdoutCapture log;
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(uds_server_send(&srv_, 2, 2, 1, payload.data(), (uint16_t)payload.size()), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << "the caller was held";
    ASSERT_GT(srv_.clients[0].tx_len, 0u) << "the socket took it whole";
    EXPECT_EQ(uds_server_send(&srv_, 2, 2, 9, nullptr, 0), FW_ERR_IO);

    std::vector<ReceivedFrame> got = read_while_polling(&srv_, fd, 1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].rc, FW_MSG_MAX);
    EXPECT_EQ(got[0].payload, payload);
    EXPECT_EQ(srv_.clients[0].tx_len, 0u);
    ASSERT_EQ(uds_server_send(&srv_, 2, 2, 9, nullptr, 0), 0);
    EXPECT_EQ(read_frame(fd, 1000).cmd2, 9);
    EXPECT_TRUE(contains(log.text(), "send failed: Resource temporarily unavailable\n"));
    EXPECT_TRUE(events.disconnected.empty());
    close_client(fd);
}

struct BadInput {
    const char * what;
    Bytes bytes;
    bool removed;         // the server drops the sender
    const char * logged;  // a line the server logs, or ""
    bool close_after;     // the sender hangs up after writing
    uint64_t wait_ms;     // time the server is given before the check
};

// Shown by name in test listings (the default prints the record's bytes).
void PrintTo(const BadInput & in, std::ostream * os)
{
    *os << in.what;
}

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
    return {0x00, 0x00, 0x20, 0x01, 1, 2, 3};  // 8193
}

Bytes cut_body()
{
    Bytes m = frame_message(2, 1, Bytes(40, 1));
    m.resize(20);
    return m;
}

const BadInput k_bad_inputs[] = {
    {"garbage bytes", garbage(), true, "Message too big: ", false, 0},
    {"length prefix above 8192", oversized_prefix(), true, "Message too big: 8193 > 8192", false, 0},
    {"truncated prefix, left open",
     {0x00, 0x00},
     true,
     "Client dropped, message incomplete for 2000 ms: app_id=0",
     false,
     FW_PARTIAL_MSG_MS},
    {"truncated prefix, then closed", {0x00, 0x00}, true, "Client disconnected: app_id=0", true, 0},
    {"body cut short, left open", cut_body(), true, "Client dropped, message incomplete for 2000 ms: app_id=0", false,
     FW_PARTIAL_MSG_MS},
    {"malformed frame", message_bytes({0, 3, 0, 0, 1, 2}), false, "Frame decode failed", false, 0},
    {"frame shorter than its total_len", message_bytes({0, 20, 0, 1, 1, 2, 3}), false, "Frame decode failed", false, 0},
    {"empty message", message_bytes({}), false, "", false, 0},
    {"register with a 40-byte name", frame_message(0, 2, register_payload(9, std::string(40, 'x'))), false,
     "name=xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\n", false, 0},
    {"connect and close at once", {}, true, "Client disconnected: app_id=0", true, 0},
    {"silence without registering",
     {},
     true,
     "Client dropped, not registered within 2000 ms",
     false,
     FW_REGISTER_WAIT_MS},
};

class ServerBadInput : public UdsServer, public testing::WithParamInterface<BadInput> {};

TEST_P(ServerBadInput, DoesNotDisturbOthersOrLeak)
{
    const BadInput & c = GetParam();
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
    advance_clock(c.wait_ms);
    if (c.removed) {
        EXPECT_TRUE(poll_until([&] { return srv_.client_count == 1; }));
    }
    std::string text = log.text();
    EXPECT_EQ(srv_.client_count, c.removed ? 1 : 2) << text;
    EXPECT_TRUE(contains(text, c.logged)) << text;

    // The registered client is served as before.
    ASSERT_TRUE(write_all(good, frame_message(2, 0x55, {1})));
    ASSERT_TRUE(poll_until([] { return !events.msgs.empty() && events.msgs.back().cmd2 == 0x55; }));
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

INSTANTIATE_TEST_SUITE_P(Inputs, ServerBadInput, testing::ValuesIn(k_bad_inputs),
                         [](const testing::TestParamInfo<BadInput> & info) {
                             std::string name;
                             for (const char * p = info.param.what; *p; p++) {
                                 name += isalnum((unsigned char)*p) ? *p : '_';
                             }
                             return name;
                         });

// Each line names the operation that logs it, not the helper that does it.
TEST_F(UdsServer, LogLinesNameTheirOperation)
{
    StdoutCapture log;
    int fd = registered_client(2);
    ASSERT_TRUE(write_all(fd, message_bytes({0, 3, 0, 0, 1, 2})));
    ASSERT_TRUE(write_all(fd, {0, 0, 0x20, 0x01}));
    ASSERT_TRUE(poll_until([&] { return srv_.client_count == 0; }));
    int other = registered_client(3);
    close(other);
    uds_server_send(&srv_, 3, 3, 1, nullptr, 0);
    uds_server_send(&srv_, 3, 3, 1, nullptr, 0);
    poll_times(2);
    int twin = connect_client();
    int idle = connect_client();
    int holder = registered_client(4);
    write_all(twin, frame_message(0, FW_CMD2_REGISTER, register_payload(4, "twin")));
    write_all(twin, {0, 0});
    poll_times(2);
    advance_clock(FW_REGISTER_WAIT_MS);
    poll_times(2);
    const std::string text = log.text();

    const std::pair<const char *, const char *> lines[] = {
        {"Client registered: app_id=2", "uds_server_poll"},
        {"Frame decode failed", "uds_server_poll"},
        {"Message too big: 8193 > 8192", "uds_recv_msg"},
        {"recv error -1", "uds_server_poll"},
        {"Client disconnected: app_id=2", "remove_client"},
        {"send failed: ", "uds_send_msg"},
        {"Registration refused: app_id=4 (in use)", "uds_server_poll"},
        {"Client dropped, message incomplete", "uds_server_poll"},
        {"Client dropped, not registered", "uds_server_poll"},
    };
    for (const auto & [message, function] : lines) {
        EXPECT_EQ(logged_by(text, message), function) << message << "\n" << text;
    }
    for (int c : {fd, twin, idle, holder}) {
        close(c);
    }
}

// A start that cannot bind its socket fails and leaves nothing open: the
// record answers every operation as a server without clients would.
TEST(ServerStart, FailureLeavesNothingOpen)
{
    TempDir dir;
    int fds = count_open_fds();
    uds_set_socket_path(dir.file("missing/fw.sock").c_str());
    auto server = std::make_unique<uds_server_t>();  // large: off the stack
    uds_server_t & srv = *server;
    StdoutCapture log;
    EXPECT_EQ(uds_server_start(&srv), FW_ERR_IO);
    std::string text = log.text();
    uds_set_socket_path(nullptr);
    EXPECT_TRUE(contains(text, "bind(" + dir.file("missing/fw.sock") + ") failed: ")) << text;
    EXPECT_FALSE(contains(text, "Server started")) << text;
    EXPECT_EQ(srv.running, 0);
    EXPECT_EQ(srv.listen_fd, -1);
    EXPECT_EQ(srv.epoll_fd, -1);
    EXPECT_EQ(count_open_fds(), fds);
    EXPECT_EQ(uds_server_poll(&srv, 0), FW_ERR_IO);
    EXPECT_EQ(uds_server_send(&srv, 2, 2, 1, nullptr, 0), FW_ERR_NO_CLIENT);
    uds_server_stop(&srv);  // nothing to stop, no crash
}

TEST_F(UdsServer, StopReportsRegisteredClientsLastFirstAndDeletesTheSocket)
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

}  // namespace
