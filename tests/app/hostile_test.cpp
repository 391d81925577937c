// The running interface against a hostile or unlucky environment: a second
// instance, an endless touch device, a socket path it cannot bind, a peer
// that tries to forge log lines. Each runs the real binary on the fixed
// framework socket.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "fw_uds.h"
#include "fw_uds_client.h"
#include "process.hpp"
#include "temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

constexpr int kStartMs = 20000;  // generous: start-up on a busy machine
constexpr const char* kReady = "ui_user_init done !";
constexpr const char* kStopped = "Ctrl+C received, killing all apps...";

bool exists(const std::string& path)
{
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

// A service registered on the interface's socket: 0 when accepted.
int register_service(uds_client_t* client, uint8_t app_id, const std::string& name)
{
    std::vector<uint8_t> reg(1 + name.size() + 1, 0);
    reg[0] = app_id;
    std::copy(name.begin(), name.end(), reg.begin() + 1);
    return uds_client_start(client, reg.data());
}

class Hostile : public ::testing::Test {
protected:
    RunRequest request(const std::string& folder) const
    {
        RunRequest req;
        req.cwd = folder;
        req.env["LV_LINUX_DRM_CARD"] = folder + "/panel.bmp";
        req.timeout_ms = kStartMs;
        return req;
    }

    TempDir tmp{"app"};
    const std::string& dir = tmp.path();
};

// One interface at a time: a second one says so and exits before it
// touches the display or the socket, and leaves the first one's socket and
// services alone.
TEST_F(Hostile, SecondInstanceRefusesToStart)
{
    Quorvex first(request(dir));
    ASSERT_TRUE(first.wait_for(kReady, kStartMs)) << first.out();

    const std::string service = dir + "/airplay_run";
    fs::copy_file("/usr/bin/sleep", service);
    const pid_t service_pid = fork();
    if (service_pid == 0) {
        execl(service.c_str(), "airplay_run", "60", static_cast<char*>(nullptr));
        _exit(127);
    }

    const TempDir other_dir("app");
    const std::string& other = other_dir.path();
    RunRequest req = request(other);
    req.sigint_after = kReady;  // should it get that far, its Ctrl+C would kill the service
    const RunResult second = run_quorvex(req);
    EXPECT_FALSE(second.timed_out);
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.err.find("already running"), std::string::npos) << second.err;
    EXPECT_EQ(second.out.find("UDS server listening"), std::string::npos) << second.out;
    EXPECT_FALSE(exists(other + "/panel.bmp")) << "the second one drew";

    EXPECT_EQ(waitpid(service_pid, nullptr, WNOHANG), 0) << "the first one's service was killed";
    uds_client_t client;
    EXPECT_EQ(register_service(&client, 2, "airplay_run"), 0) << "the first one lost its socket";
    uds_client_stop(&client);

    const RunResult r = first.interrupt_and_wait(kStartMs);
    EXPECT_EQ(r.status, 0);
    kill(service_pid, SIGKILL);
    waitpid(service_pid, nullptr, 0);
}

// Ctrl+C removes the socket file the interface created.
TEST_F(Hostile, CleanStopRemovesItsSocketFile)
{
    Quorvex q(request(dir));
    ASSERT_TRUE(q.wait_for(kReady, kStartMs)) << q.out();
    EXPECT_TRUE(exists(FW_UDS_PATH));
    const RunResult r = q.interrupt_and_wait(kStartMs);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(kStopped), std::string::npos);
    EXPECT_FALSE(exists(FW_UDS_PATH)) << "socket file left behind";
}

// Standard output into a pipe is written line by line: what the interface
// logs while it runs can be read at once, and nothing is lost when it dies.
// A peer's name is its own text: it is shown escaped and cannot start a
// line of its own.
TEST_F(Hostile, LogIsCurrentAndAPeerCannotForgeALine)
{
    Quorvex q(request(dir));
    ASSERT_TRUE(q.wait_for(kReady, kStartMs)) << q.out();
    uds_client_t client;
    ASSERT_EQ(register_service(&client, 6, "x\n[INF][00:00:00] [f:1] forged"), 0);
    EXPECT_TRUE(q.wait_for("Client registered: app_id=6 name=x\\x0a[INF][00:00:00] [f:1] forged\n", 10000))
        << "not seen while it runs:\n" << q.out();
    uds_client_stop(&client);
    kill(q.pid(), SIGKILL);
    const RunResult r = q.wait(kStartMs);
    unlink(FW_UDS_PATH);  // a killed interface leaves its socket file
    EXPECT_EQ(r.out.find("\n[INF][00:00:00] [f:1]"), std::string::npos) << r.out;
}

// A touch device that never runs dry (/dev/zero) is read a piece at a
// time: the GUI loop goes on (a service still gets its registration
// answered from it), and Ctrl+C still stops the interface.
TEST_F(Hostile, EndlessTouchDeviceDoesNotHoldTheInterface)
{
    RunRequest req = request(dir);
    req.env["/dev/input/touchscreen0"] = "/dev/zero";
    Quorvex q(req);
    ASSERT_TRUE(q.wait_for(kReady, kStartMs)) << q.out();
    // Long enough for the pointer to have been read a few times.
    const auto reading = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < reading && q.collect(20)) {
    }
    uds_client_t client;
    EXPECT_EQ(register_service(&client, 2, "airplay_run"), 0) << "the GUI loop stands still";
    uds_client_stop(&client);
    const RunResult r = q.interrupt_and_wait(kStartMs);
    EXPECT_FALSE(r.timed_out) << r.out;
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(kStopped), std::string::npos) << r.out;
}

// The framework socket cannot be bound (a folder sits at its path): the
// interface runs on without the services, and its stop leaves the folder.
TEST_F(Hostile, CommunicationManagerThatCannotStartLeavesTheInterfaceRunning)
{
    struct stat st {};
    if (lstat(FW_UDS_PATH, &st) == 0 && S_ISSOCK(st.st_mode)) {
        unlink(FW_UDS_PATH);  // left by a run that was killed; no interface runs now
    }
    ASSERT_EQ(mkdir(FW_UDS_PATH, 0700), 0);
    RunRequest req = request(dir);
    req.sigint_after = kReady;
    const RunResult r = run_quorvex(req);
    const bool folder_left = exists(FW_UDS_PATH);
    rmdir(FW_UDS_PATH);
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(missing_in_order({"[ERR][@N@:@N@:@N@] [comm_mgr_init:@N@] UDS server start failed",
                                "[Error]\t(@N@.@N@, +@N@)\t main: comm_mgr init failed @W@:@N@",
                                "\033[1;33m[LVGL_UI][main:@N@]\033[0m ui_user_init done ! ",
                                kStopped},
                               r.out, r.pid),
              "")
        << r.out;
    EXPECT_TRUE(folder_left) << "the stop removed what it had not created";
}

}  // namespace
