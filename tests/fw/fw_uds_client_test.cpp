// Client half against a scripted server on a second thread: what it sends,
// what it accepts as an acknowledgement, and its state afterwards.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "fw_proto.h"
#include "fw_test_util.h"
#include "fw_uds.h"
#include "fw_uds_client.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Accepts one connection, records the first message, answers with `reply`
// (raw bytes), then records everything else until the client closes.
class ScriptedServer {
public:
    explicit ScriptedServer(const std::string &path, Bytes reply, bool close_after_reply = false)
    {
        StdoutCapture quiet;
        lfd_ = uds_server_init(path.c_str());
        EXPECT_GE(lfd_, 0);
        thread_ = std::thread([this, reply, close_after_reply] {
            int fd = accept(lfd_, nullptr, nullptr);
            first_ = read_frame(fd, 5000);
            if (!reply.empty()) {
                write_all(fd, reply);
            }
            if (!close_after_reply) {
                for (ReceivedFrame f; (f = read_frame(fd, 5000)).rc >= 0;) {
                    later_.push_back(f);
                }
            }
            close(fd);
        });
    }
    ~ScriptedServer() { join(); }
    void join()
    {
        if (thread_.joinable()) {
            thread_.join();
            uds_close(lfd_, nullptr);
        }
    }
    ReceivedFrame first_;
    std::vector<ReceivedFrame> later_;

private:
    int lfd_ = -1;
    std::thread thread_;
};

class UdsClient : public testing::Test {
protected:
    void SetUp() override
    {
        uds_set_socket_path(dir_.file("fw.sock").c_str());
        fds_ = count_open_fds();
    }
    void TearDown() override
    {
        uds_set_socket_path(nullptr);
        EXPECT_EQ(count_open_fds(), fds_) << "descriptor leaked";
    }
    std::string path() const { return dir_.file("fw.sock"); }

    TempDir dir_;
    int fds_ = 0;
};

Bytes registration(uint8_t app_id, const std::string &name)
{
    Bytes r(name.size() + 2, 0); // id, name, NUL
    r[0] = app_id;
    std::copy(name.begin(), name.end(), r.begin() + 1);
    return r;
}

const Bytes k_ack = frame_message(0, FW_CMD2_REGISTER_ACK, {FW_ACK_ACCEPTED});

TEST_F(UdsClient, RegistersWithIdAndNameCutTo31Bytes)
{
    struct Case {
        std::string name;
        Bytes payload;
    };
    const std::string forty(40, 'q');
    const Case cases[] = {{"airable", register_payload(5, "airable")},
                          {forty, register_payload(5, forty.substr(0, 31))},
                          {"", {5}}};
    for (const Case &c : cases) {
        ScriptedServer server(path(), k_ack);
        uds_client_t client;
        StdoutCapture log;
        ASSERT_EQ(uds_client_start(&client, registration(5, c.name).data()), 0);
        EXPECT_TRUE(contains(log.text(), "Registered as app_id=5\n"));
        EXPECT_EQ(client.registered, 1);
        EXPECT_EQ(client.app_id, 5);
        EXPECT_GE(client.fd, 0);
        uds_client_stop(&client);
        server.join();
        EXPECT_EQ(server.first_.cmd1, FW_CMD1_CTRL);
        EXPECT_EQ(server.first_.cmd2, FW_CMD2_REGISTER);
        EXPECT_EQ(server.first_.payload, c.payload) << "name " << c.name;
    }
}

TEST_F(UdsClient, AnythingButAnAcceptanceFailsTheStart)
{
    struct Case {
        const char *what;
        Bytes reply;
        bool server_closes;
        int expected;
        bool rejected_logged;
    };
    const Case cases[] = {
        {"refusing status", frame_message(0, FW_CMD2_REGISTER_ACK, {FW_ACK_REFUSED}), false,
         FW_ERR_PROTO, true},
        {"ack without status", frame_message(0, FW_CMD2_REGISTER_ACK), false, FW_ERR_PROTO, true},
        {"other frame first", frame_message(5, 0xF7, {1}), false, FW_ERR_PROTO, true},
        {"control frame first", frame_message(0, FW_CMD2_HEARTBEAT, {0}), false, FW_ERR_PROTO, true},
        {"empty message", message_bytes({}), false, FW_ERR_PROTO, true},
        {"not a frame", message_bytes({1, 2, 3}), false, FW_ERR_PROTO, true},
        {"server hangs up", {}, true, FW_ERR_IO, false},
        {"answer too big", {0, 0, 0x20, 0x01}, false, FW_ERR_SIZE, false},
    };
    for (const Case &c : cases) {
        ScriptedServer server(path(), c.reply, c.server_closes);
        uds_client_t client;
        StdoutCapture log;
        EXPECT_EQ(uds_client_start(&client, registration(2, "airplay").data()), c.expected)
            << c.what;
        EXPECT_EQ(contains(log.text(), "Registration rejected\n"), c.rejected_logged) << c.what;
        EXPECT_LT(client.fd, 0) << c.what;
        EXPECT_EQ(client.registered, 0);
        EXPECT_EQ(uds_client_send(&client, 2, 1, nullptr, 0), FW_ERR_NOT_REGISTERED);
        uds_client_stop(&client);
        server.join();
        EXPECT_TRUE(server.later_.empty()) << "nothing is sent after a failed start";
    }
}

uint8_t g_cmd1, g_cmd2;
Bytes g_payload;
int g_calls;
void record(uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t len)
{
    g_cmd1 = cmd1;
    g_cmd2 = cmd2;
    g_payload.assign(payload, payload + len);
    g_calls++;
}

TEST_F(UdsClient, ReceivesFramesIntoTheCallback)
{
    Bytes script = k_ack;
    for (const Bytes &m : {frame_message(6, 0xF7, {20, 1, 2}), message_bytes({}),
                           frame_message(6, 0x01), message_bytes({0, 3, 0, 0, 0, 0})}) {
        script.insert(script.end(), m.begin(), m.end());
    }
    ScriptedServer server(path(), script);
    uds_client_t client;
    StdoutCapture quiet;
    ASSERT_EQ(uds_client_start(&client, registration(6, "spotify").data()), 0);
    g_calls = 0;
    client.msg_cb = record;
    EXPECT_EQ(uds_client_recv(&client, 1000), 0);
    EXPECT_EQ(g_calls, 1);
    EXPECT_EQ(g_cmd1, 6);
    EXPECT_EQ(g_cmd2, 0xF7);
    EXPECT_EQ(g_payload, (Bytes{20, 1, 2}));
    EXPECT_EQ(uds_client_recv(&client, 1000), 0) << "an empty message";
    EXPECT_EQ(g_calls, 1);
    client.msg_cb = nullptr;
    EXPECT_EQ(uds_client_recv(&client, 1000), 0) << "consumed without a callback";
    EXPECT_EQ(uds_client_recv(&client, 1000), FW_ERR_PROTO) << "not a valid frame";
    EXPECT_EQ(uds_client_recv(&client, 0), FW_ERR_TIMEOUT);
    uds_client_stop(&client);
}

// A read that cannot complete leaves the stream out of step: the client
// closes the connection rather than read on from the middle of a message.
// A message that is whole but not a frame, or nothing at all, keeps it.
TEST_F(UdsClient, ReadThatCannotCompleteClosesTheConnection)
{
    struct Case {
        const char *what;
        Bytes after_ack;
        int expected;
        bool closed;
    };
    Bytes cut_body = frame_message(6, 0xF7, Bytes(100, 1));
    cut_body.resize(30);
    const Case cases[] = {
        {"body cut short", cut_body, FW_ERR_IO, true},
        {"prefix cut short", {0, 0}, FW_ERR_PROTO, true},
        {"message too big", {0, 0, 0x20, 0x01, 1, 2, 3}, FW_ERR_SIZE, true},
        {"not a frame", message_bytes({1, 2, 3}), FW_ERR_PROTO, false},
        {"nothing", {}, FW_ERR_TIMEOUT, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Bytes script = k_ack;
        script.insert(script.end(), c.after_ack.begin(), c.after_ack.end());
        ScriptedServer server(path(), script);
        uds_client_t client;
        StdoutCapture quiet;
        ASSERT_EQ(uds_client_start(&client, registration(6, "spotify").data()), 0);
        EXPECT_EQ(uds_client_recv(&client, 200), c.expected);
        EXPECT_EQ(client.fd < 0, c.closed);
        EXPECT_EQ(client.registered, c.closed ? 0 : 1);
        if (c.closed) {
            EXPECT_EQ(uds_client_recv(&client, 0), FW_ERR_NOT_REGISTERED);
            EXPECT_EQ(uds_client_send(&client, 6, 1, nullptr, 0), FW_ERR_NOT_REGISTERED);
        }
        uds_client_stop(&client);
        server.join();
    }
}

TEST_F(UdsClient, SendsFramesAndUnregistersBeforeClosing)
{
    ScriptedServer server(path(), k_ack);
    uds_client_t client;
    StdoutCapture quiet;
    ASSERT_EQ(uds_client_start(&client, registration(2, "airplay").data()), 0);
    EXPECT_EQ(uds_client_send(&client, 2, 0xF7, Bytes{3}.data(), 1), 0);
    Bytes big(FW_FRAME_PAYLOAD_MAX + 1);
    EXPECT_EQ(uds_client_send(&client, 2, 0xF7, big.data(), (uint16_t)big.size()), FW_ERR_SIZE);
    uds_client_stop(&client);
    EXPECT_LT(client.fd, 0);
    EXPECT_EQ(client.registered, 0);
    uds_client_stop(&client); // a second stop does nothing more
    EXPECT_EQ(uds_client_send(&client, 2, 1, nullptr, 0), FW_ERR_NOT_REGISTERED);
    EXPECT_EQ(uds_client_recv(&client, 0), FW_ERR_NOT_REGISTERED);
    server.join();

    ASSERT_EQ(server.later_.size(), 2u);
    EXPECT_EQ(server.later_[0].cmd2, 0xF7);
    EXPECT_EQ(server.later_[1].rc, 6);
    EXPECT_EQ(server.later_[1].cmd1, 0);
    EXPECT_EQ(server.later_[1].cmd2, FW_CMD2_UNREGISTER);
}

TEST_F(UdsClient, UnregisterFrameBytesOnTheWire)
{
    // Read the raw bytes, prefix included, rather than through the decoder.
    StdoutCapture quiet;
    int lfd = uds_server_init(path().c_str());
    Bytes raw;
    std::thread peer([&] {
        int fd = accept(lfd, nullptr, nullptr);
        read_frame(fd, 5000); // the registration
        write_all(fd, k_ack);
        uint8_t b[64];
        ssize_t n;
        while ((n = recv(fd, b, sizeof b, 0)) > 0) {
            raw.insert(raw.end(), b, b + n);
        }
        close(fd);
    });
    uds_client_t client;
    ASSERT_EQ(uds_client_start(&client, registration(5, "x").data()), 0);
    uds_client_stop(&client);
    peer.join();
    uds_close(lfd, nullptr);
    EXPECT_EQ(raw, (Bytes{0, 0, 0, 6, 0x00, 0x06, 0x00, 0x00, 0x00, 0x09}));
}

TEST_F(UdsClient, NoServerMeansNoConnection)
{
    uds_client_t client;
    client.registered = 1;
    StdoutCapture quiet;
    // A socket path through a regular file fails at once, without retries.
    std::string file = dir_.file("plain");
    close(open(file.c_str(), O_CREAT | O_WRONLY, 0600));
    uds_set_socket_path((file + "/sock").c_str());
    EXPECT_EQ(uds_client_start(&client, registration(5, "x").data()), FW_ERR_IO);
    EXPECT_LT(client.fd, 0);
    EXPECT_EQ(client.registered, 0);
    uds_client_stop(&client);
    EXPECT_EQ(client.registered, 0);
}

} // namespace
