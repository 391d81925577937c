#include "server_fixture.h"

#include <sys/socket.h>

#include "fw_uds_server_internal.h"

ServerEvents UdsServer::events;

static void on_msg(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t * payload, uint16_t payload_len)
{
    UdsServer::events.msgs.push_back({app_id, cmd1, cmd2, {payload, payload + payload_len}});
}

static void on_conn(uint8_t app_id)
{
    UdsServer::events.connected.push_back(app_id);
}

static void on_disconn(uint8_t app_id)
{
    UdsServer::events.disconnected.push_back(app_id);
}

void UdsServer::SetUp()
{
    events = {};
    now_ms_ = 1000000;
    uds_server_set_clock(clock);
    baseline_fds_ = count_open_fds();
    sock_ = dir_.file("fw.sock");
    uds_set_socket_path(sock_.c_str());
    srv_.msg_cb = on_msg;
    srv_.conn_cb = on_conn;
    srv_.disconn_cb = on_disconn;
    StdoutCapture quiet;
    ASSERT_EQ(uds_server_start(&srv_), 0);
}

void UdsServer::TearDown()
{
    {
        StdoutCapture quiet;
        uds_server_stop(&srv_);
    }
    uds_set_socket_path(nullptr);
    uds_server_set_clock(nullptr);
    EXPECT_EQ(count_open_fds(), baseline_fds_) << "descriptor leaked";
}

int UdsServer::connect_client()
{
    int count = srv_.client_count;
    int fd = raw_connect(sock_);
    EXPECT_GE(fd, 0);
    EXPECT_TRUE(poll_until([&] { return srv_.client_count == count + 1; }));
    return fd;
}

int UdsServer::registered_client(uint8_t app_id, const std::string & name)
{
    int fd = connect_client();
    size_t connected = events.connected.size();
    EXPECT_TRUE(write_all(fd, frame_message(FW_CMD1_CTRL, FW_CMD2_REGISTER, register_payload(app_id, name))));
    EXPECT_TRUE(poll_until([&] { return events.connected.size() == connected + 1; }));
    ReceivedFrame ack = read_frame(fd, 1000);
    EXPECT_EQ(ack.rc, 7);
    EXPECT_EQ(ack.cmd2, FW_CMD2_REGISTER_ACK);
    return fd;
}

void UdsServer::close_client(int fd)
{
    int count = srv_.client_count;
    close(fd);
    EXPECT_TRUE(poll_until([&] { return srv_.client_count == count - 1; }));
}

std::vector<ReceivedFrame> read_while_polling(uds_server_t * srv, int fd, size_t count)
{
    std::vector<ReceivedFrame> got;
    std::vector<uint8_t> pending;
    for (int idle = 0; got.size() < count && idle < 200;) {
        uint8_t chunk[16384];
        ssize_t n = recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
            pending.insert(pending.end(), chunk, chunk + n);
            idle = 0;
        } else {
            idle++;
            uds_server_poll(srv, 1);
        }
        while (pending.size() >= 4) {
            uint32_t len =
                (uint32_t)pending[0] << 24 | (uint32_t)pending[1] << 16 | (uint32_t)pending[2] << 8 | pending[3];
            if (pending.size() < 4 + len) {
                break;
            }
            ReceivedFrame f;
            fw_frame_t frame;
            f.rc = (int)len;
            if (fw_frame_decode(pending.data() + 4, (uint16_t)len, &frame) >= 0) {
                f.cmd1 = frame.cmd1;
                f.cmd2 = frame.cmd2;
                f.payload.assign(frame.payload, frame.payload + frame.payload_len);
            }
            got.push_back(f);
            pending.erase(pending.begin(), pending.begin() + 4 + len);
        }
    }
    return got;
}

int fill_socket(uds_server_t * srv, uint8_t app_id)
{
    std::vector<uint8_t> payload(4000, 0x33);
    int sent = 0;
    while (uds_server_send(srv, app_id, app_id, 1, payload.data(), (uint16_t)payload.size()) == 0) {
        if (++sent > 10000) {
            ADD_FAILURE() << "the socket never filled";
            break;
        }
    }
    return sent;
}
