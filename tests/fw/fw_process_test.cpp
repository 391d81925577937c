// The server in this process with test services in their own processes.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "fw_test_service.h"
#include "fw_uds.h"
#include "fw_uds_server_internal.h"
#include "server_fixture.h"
#include "service_process.h"

namespace {

using Bytes = std::vector<uint8_t>;

class ServiceProcesses : public UdsServer {
protected:
    // Services in their own processes run on the real clock, and so does
    // the server here.
    void SetUp() override
    {
        UdsServer::SetUp();
        uds_server_set_clock(nullptr);
    }

    // Polls the server every 5 ms, as the interface does, until pred holds
    // or about timeout_ms have passed.
    template <typename Pred> bool serve_until(Pred pred, int timeout_ms)
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        while (!pred()) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            uds_server_poll(&srv_, 0);
            usleep(5 * 1000);
        }
        return true;
    }
};

TEST_F(ServiceProcesses, HandshakeFramesBothWaysAndUnregisterBeforeClose)
{
    ServiceProcess service(sock_, 5, "airable", {"echo", "2"});
    ASSERT_TRUE(serve_until([] { return !events.connected.empty(); }, 10000));
    EXPECT_EQ(events.connected, Bytes{5});
    EXPECT_STREQ(uds_server_find_client(&srv_, 5)->name, "airable");

    ASSERT_EQ(uds_server_send(&srv_, 5, 5, 0xF7, Bytes{20}.data(), 1), 0);
    ASSERT_EQ(uds_server_send(&srv_, 5, 5, 0x21, Bytes(3000, 0xAA).data(), 3000), 0);
    ASSERT_TRUE(serve_until([] { return !events.disconnected.empty(); }, 10000));

    // Exit 0 also means the acknowledgement was the first frame it saw.
    EXPECT_EQ(service.wait_exit(5000), 0);
    ASSERT_EQ(events.msgs.size(), 3u);
    EXPECT_EQ(events.msgs[0].cmd2, 0xF7);
    EXPECT_EQ(events.msgs[0].payload, Bytes{20});
    EXPECT_EQ(events.msgs[1].cmd2, 0x21);
    EXPECT_EQ(events.msgs[1].payload, Bytes(3000, 0xAA));
    EXPECT_EQ(events.msgs[2].cmd1, 0);
    EXPECT_EQ(events.msgs[2].cmd2, FW_CMD2_UNREGISTER);
    EXPECT_EQ(events.disconnected, Bytes{5});
}

TEST_F(ServiceProcesses, SixteenServicesAtOnceAndTheSeventeenthLeftPending)
{
    std::vector<std::unique_ptr<ServiceProcess>> services;
    for (int id = 1; id <= FW_MAX_CLIENTS; id++) {
        services.push_back(std::make_unique<ServiceProcess>(sock_, id, "svc" + std::to_string(id),
                                                            std::vector<std::string>{"hold"}));
    }
    ASSERT_TRUE(serve_until([] { return events.connected.size() == FW_MAX_CLIENTS; }, 20000));

    StdoutCapture log;
    ServiceProcess late(sock_, 17, "late", {"hold"});
    // Every service is served while the late one waits; it gives up after
    // its 3 s acknowledgement wait.
    for (uint8_t id = 1; id <= FW_MAX_CLIENTS; id++) {
        ASSERT_EQ(uds_server_send(&srv_, id, id, 0x10, &id, 1), 0);
    }
    ASSERT_TRUE(serve_until([] { return events.msgs.size() == FW_MAX_CLIENTS; }, 10000));
    ASSERT_TRUE(serve_until([&] { return late.poll_exit() >= 0; }, 10000));
    std::string text = log.text();
    EXPECT_EQ(late.poll_exit(), TEST_START_FAILED - FW_ERR_TIMEOUT);
    EXPECT_GE(count_of(text, "Max clients reached"), 2) << "about once a second";
    EXPECT_EQ(srv_.client_count, FW_MAX_CLIENTS);
    for (uint8_t id = 1; id <= FW_MAX_CLIENTS; id++) {
        auto it = std::find_if(events.msgs.begin(), events.msgs.end(),
                               [id](const RecordedMsg &m) { return m.app_id == id; });
        ASSERT_NE(it, events.msgs.end()) << "no echo from " << (int)id;
        EXPECT_EQ(it->payload, Bytes{id});
    }

    uds_server_broadcast(&srv_, 0, TEST_CMD_QUIT, nullptr, 0);
    for (auto &s : services) {
        ASSERT_TRUE(serve_until([&] { return s->poll_exit() >= 0; }, 10000));
        EXPECT_EQ(s->poll_exit(), 0);
    }
    // The late connection is let in once entries free up; its registration
    // was already on the wire when its service gave up, so it may register
    // before its hang-up is seen.
    ASSERT_TRUE(serve_until([&] { return srv_.client_count == 0; }, 5000));
    for (uint8_t id = 1; id <= FW_MAX_CLIENTS; id++) {
        EXPECT_EQ(std::count(events.disconnected.begin(), events.disconnected.end(), id), 1)
            << (int)id;
    }
}

// The client's two limits, seen from outside: a start gives up connecting
// after 5 s and waiting for the acknowledgement after 3 s. Both run at once,
// each in a service process of its own; the bounds below hold on a busy
// machine (the limits are waits, and process start-up is quick).
TEST(ClientLimits, ConnectGivesUpAfterFiveSecondsAndTheAnswerAfterThree)
{
    TempDir dir;
    const std::string silent_listener = dir.file("listener");
    int lfd;
    {
        StdoutCapture quiet;
        lfd = uds_server_init(silent_listener.c_str()); // accepts nothing, answers nothing
    }
    ASSERT_GE(lfd, 0);
    const auto start = std::chrono::steady_clock::now();
    ServiceProcess no_server(dir.file("nobody"), 5, "a", {"hold"});
    ServiceProcess no_answer(silent_listener, 6, "b", {"hold"});
    auto seconds_until_exit = [&](ServiceProcess &p) {
        p.wait_exit(30000);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const double answer_s = seconds_until_exit(no_answer);
    const double connect_s = seconds_until_exit(no_server);
    EXPECT_EQ(no_answer.poll_exit(), TEST_START_FAILED - FW_ERR_TIMEOUT);
    EXPECT_EQ(no_server.poll_exit(), TEST_START_FAILED - FW_ERR_TIMEOUT);
    EXPECT_GE(answer_s, 3.0);
    EXPECT_LT(answer_s, 4.5);
    EXPECT_GE(connect_s, 5.0);
    EXPECT_LT(connect_s, 6.5);
    uds_close(lfd, silent_listener.c_str());
}

} // namespace
