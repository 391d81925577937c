// The communication manager's routing, hooks, client count and start-up
// failure, with raw framework connections written and read by the test on
// the GUI thread (the heartbeat monitor's thread runs beside).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "comm_mgr_lvgl.h"
#include "fw_proto.h"
#include "fw_uds.h"
#include "lvgl.h"
#include "socket_fixture.h"
#include "stdout_capture.hpp"

namespace {

struct Routed {
    int route; // which callback took it
    uint8_t app_id, cmd1, cmd2;
    std::vector<uint8_t> payload;
};

std::vector<Routed> g_routed;
std::vector<uint8_t> g_connects, g_disconnects;

template <int N> void route(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *p, uint16_t len)
{
    g_routed.push_back({N, app_id, cmd1, cmd2, std::vector<uint8_t>(p, p + len)});
}

class CommMgr : public SocketFixture {
protected:
    void SetUp() override
    {
        SocketFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        g_routed.clear();
        g_connects.clear();
        g_disconnects.clear();
        comm_mgr_set_conn_cb([](uint8_t id) { g_connects.push_back(id); });
        comm_mgr_set_disconn_cb([](uint8_t id) { g_disconnects.push_back(id); });
    }

    void TearDown() override
    {
        for (int fd : fds_)
            close(fd);
        if (started_)
            comm_mgr_deinit();
        for (uint8_t id = 0; id < FW_APP_SLOTS; id++)
            comm_mgr_set_app_msg_cb(id, nullptr);
        comm_mgr_set_msg_cb(nullptr);
        comm_mgr_set_conn_cb(nullptr);
        comm_mgr_set_disconn_cb(nullptr);
        SocketFixture::TearDown();
    }

    void start()
    {
        ASSERT_EQ(comm_mgr_init(), 0);
        started_ = true;
    }

    // Runs the poll timer a few times.
    static void pump(int rounds = 20)
    {
        for (int i = 0; i < rounds; i++) {
            lv_timer_handler();
            usleep(1000);
        }
    }

    static void send_frame(int fd, uint8_t cmd1, uint8_t cmd2, std::vector<uint8_t> payload = {})
    {
        uint8_t buf[FW_MSG_MAX];
        int n = fw_frame_encode(cmd1, cmd2, payload.data(), (uint16_t)payload.size(), buf, sizeof(buf));
        ASSERT_GT(n, 0);
        ASSERT_EQ(uds_send_msg(fd, buf, (uint32_t)n), 0);
    }

    // A connection registered as `id`, its acknowledgement read.
    int registered(uint8_t id)
    {
        int fd = uds_client_connect(socket_.c_str(), 1000);
        EXPECT_GE(fd, 0);
        fds_.push_back(fd);
        send_frame(fd, FW_CMD1_CTRL, FW_CMD2_REGISTER, {id, 't'});
        pump();
        uint8_t buf[FW_MSG_MAX];
        EXPECT_EQ(uds_recv_msg(fd, buf, sizeof(buf), 1000), 7); // the 7-byte acknowledgement
        return fd;
    }

    std::vector<int> fds_;
    bool started_ = false;
};

TEST_F(CommMgr, RoutesByApplicationId)
{
    comm_mgr_set_app_msg_cb(2, route<2>); // set before the start, used after it
    comm_mgr_set_app_msg_cb(16, route<16>);
    start();
    int fd = registered(2);
    EXPECT_EQ(g_connects, std::vector<uint8_t>{2});

    send_frame(fd, 2, 0xF7, {1, 2, 3});
    pump();
    send_frame(fd, FW_CMD1_CTRL, FW_CMD2_HEARTBEAT); // feeds, goes no further
    pump();
    send_frame(fd, FW_CMD1_CTRL, FW_CMD2_UNREGISTER); // routed like application frames
    pump();
    ASSERT_EQ(g_routed.size(), 2u);
    EXPECT_EQ(g_routed[0].route, 2);
    EXPECT_EQ(g_routed[0].app_id, 2);
    EXPECT_EQ(g_routed[0].cmd1, 2);
    EXPECT_EQ(g_routed[0].cmd2, 0xF7);
    EXPECT_EQ(g_routed[0].payload, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(g_routed[1].cmd1, 0);
    EXPECT_EQ(g_routed[1].cmd2, FW_CMD2_UNREGISTER);
}

TEST_F(CommMgr, UnroutedIdsGoToTheFallbackOrAreDropped)
{
    comm_mgr_set_app_msg_cb(16, route<16>); // ignored: beyond the table
    comm_mgr_set_app_msg_cb(2, route<2>);
    start();
    int unrouted = registered(3);
    send_frame(unrouted, 3, 0x01, {9});
    pump();
    EXPECT_TRUE(g_routed.empty()); // no fallback: dropped

    comm_mgr_set_msg_cb(route<0>);
    send_frame(unrouted, 3, 0x02, {8});
    pump();
    ASSERT_EQ(g_routed.size(), 1u);
    EXPECT_EQ(g_routed[0].route, 0);
    EXPECT_EQ(g_routed[0].app_id, 3);
    EXPECT_EQ(g_routed[0].payload, std::vector<uint8_t>{8});
}

// The heartbeat monitor watches ids 0 to 15 only; a service with a higher
// id could never be timed out, so its registration is refused and, never
// registered, its connection is dropped like any that does not register.
TEST_F(CommMgr, IdsTheMonitorCannotWatchAreRefused)
{
    start();
    for (uint8_t id : {16, 20, 255}) {
        int fd = uds_client_connect(socket_.c_str(), 1000);
        ASSERT_GE(fd, 0);
        fds_.push_back(fd);
        StdoutCapture captured;
        send_frame(fd, FW_CMD1_CTRL, FW_CMD2_REGISTER, {id, 'h'});
        pump();
        uint8_t buf[FW_MSG_MAX];
        ASSERT_EQ(uds_recv_msg(fd, buf, sizeof(buf), 1000), 7);
        EXPECT_EQ(buf[6], FW_ACK_REFUSED) << (int)id;
        EXPECT_NE(captured.text().find("Registration refused: app_id=" + std::to_string(id) + "\n"),
                  std::string::npos);
    }
    EXPECT_TRUE(g_connects.empty());
    EXPECT_EQ(comm_mgr_get_client_count(), 0);
    registered(15);
    EXPECT_EQ(g_connects, std::vector<uint8_t>{15});
}

TEST_F(CommMgr, SendsReachTheRegisteredService)
{
    start();
    StdoutCapture captured;
    EXPECT_EQ(comm_mgr_send(6, 6, 0xF7, (const uint8_t *)"\x01\x00\x25\x14", 4), FW_ERR_NO_CLIENT);
    EXPECT_EQ(captured.text(), "");

    int fd = registered(6);
    EXPECT_EQ(comm_mgr_send(6, 6, 0xF7, (const uint8_t *)"\x01\x00\x25\x14", 4), 0);
    uint8_t buf[FW_MSG_MAX];
    ASSERT_EQ(uds_recv_msg(fd, buf, sizeof(buf), 1000), 10);
    EXPECT_EQ(std::vector<uint8_t>(buf, buf + 10),
              (std::vector<uint8_t>{0, 10, 0, 4, 6, 0xF7, 1, 0, 0x25, 0x14}));
}

TEST_F(CommMgr, CountsOnlyEntriesInUse)
{
    start();
    registered(2);
    int second = registered(6);
    EXPECT_EQ(comm_mgr_get_client_count(), 2);
    close(second);
    fds_.pop_back();
    pump();
    EXPECT_EQ(comm_mgr_get_client_count(), 1);
    EXPECT_EQ(g_disconnects, std::vector<uint8_t>{6});

    // A connection that has not registered is not counted.
    int fd = uds_client_connect(socket_.c_str(), 1000);
    fds_.push_back(fd);
    pump();
    EXPECT_EQ(comm_mgr_get_client_count(), 1);
}

TEST_F(CommMgr, StartFailureLeavesEverySendFailing)
{
    uds_set_socket_path((dir_ / "missing" / "fw.sock").c_str());
    StdoutCapture captured;
    EXPECT_EQ(comm_mgr_init(), -1);
    std::string log = captured.text();
    EXPECT_NE(log.find("[ERR]"), std::string::npos);
    EXPECT_NE(log.find("[comm_mgr_init:"), std::string::npos);
    EXPECT_NE(log.find("] UDS server start failed\n"), std::string::npos);
    EXPECT_EQ(comm_mgr_send(2, 2, 0xF7, (const uint8_t *)"\x01\x00\x25\x14", 4), FW_ERR_NO_CLIENT);
    EXPECT_EQ(comm_mgr_get_client_count(), 0);
    pump(); // no poll timer runs
}

// A process that ends without comm_mgr_deinit (the interface's stop) takes
// the socket file it created with it, and only that one.
TEST_F(CommMgr, SocketFileIsRemovedOnlyWhileItIsTheServers)
{
    struct stat st;
    comm_mgr_remove_socket_file(); // not started: nothing to remove, no crash
    start();
    ASSERT_EQ(stat(socket_.c_str(), &st), 0);
    comm_mgr_remove_socket_file();
    EXPECT_NE(stat(socket_.c_str(), &st), 0);

    // A file that took its place is someone else's.
    StdoutCapture quiet;
    int other = uds_server_init(socket_.c_str());
    ASSERT_GE(other, 0);
    comm_mgr_remove_socket_file();
    EXPECT_EQ(stat(socket_.c_str(), &st), 0);
    comm_mgr_deinit();
    started_ = false;
    EXPECT_EQ(stat(socket_.c_str(), &st), 0) << "the stop removed another's file";
    uds_close(other, socket_.c_str());
}

TEST_F(CommMgr, StartAndStopAreLogged)
{
    StdoutCapture captured;
    start();
    registered(5);
    comm_mgr_deinit();
    started_ = false;
    std::string log = captured.text();
    EXPECT_NE(log.find("] Communication manager initialized\n"), std::string::npos);
    EXPECT_NE(log.find("[on_connect:"), std::string::npos);
    EXPECT_NE(log.find("] App 5 connected\n"), std::string::npos);
    EXPECT_NE(log.find("] App 5 disconnected\n"), std::string::npos);
    EXPECT_NE(log.find("] Communication manager deinitialized\n"), std::string::npos);
    EXPECT_EQ(g_disconnects, std::vector<uint8_t>{5});
}

} // namespace
