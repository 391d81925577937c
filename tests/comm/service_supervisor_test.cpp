// kill_one_app against real processes, through the real shell tools: copies
// of sleep under names of their own (unique to this test run, so no other
// test's processes are touched), one that ignores SIGTERM, one that has
// become a zombie, and names that contain one another.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "stdout_capture.hpp"
#include "comm/service_supervisor_internal.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Far above the two seconds one kill may take, so that a loaded machine
// cannot break it; a wait without limit would hang until ctest kills it.
constexpr auto kReturnsWithin = std::chrono::seconds(30);

std::string proc_state(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    const size_t close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() ? "" : stat.substr(close + 2, 1);
}

std::string proc_comm(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
    std::string comm;
    std::getline(in, comm);
    return comm;
}

class KillOneApp : public ::testing::Test {
protected:
    void SetUp() override
    {
        service_set_ops(nullptr);
        dir_ = fs::temp_directory_path() / ("quorvex-kill-" + std::to_string(getpid()));
        fs::create_directories(dir_);
        base_ = "qk" + std::to_string(getpid());
    }

    void TearDown() override
    {
        // Each child leads a process group of its own: what it started goes too.
        for (pid_t pid : children_) {
            kill(-pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // Runs a copy of sleep named `name` with `seconds`; SIGTERM ignored when
    // asked. Returns once the program runs under its name.
    pid_t start(const std::string &name, const char *seconds, bool ignore_term = false)
    {
        const fs::path program = dir_ / name;
        if (!fs::exists(program)) {
            fs::copy_file("/usr/bin/sleep", program);
        }
        const pid_t pid = fork();
        if (pid == 0) {
            setpgid(0, 0);
            if (ignore_term) {
                signal(SIGTERM, SIG_IGN);
            }
            execl(program.c_str(), name.c_str(), seconds, static_cast<char *>(nullptr));
            _exit(127);
        }
        EXPECT_GT(pid, 0);
        children_.push_back(pid);
        for (int i = 0; i < 1000 && proc_comm(pid) != name && proc_state(pid) != "Z"; i++) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return pid;
    }

    pid_t start_shell(const std::string &script)
    {
        const pid_t pid = fork();
        if (pid == 0) {
            setpgid(0, 0);
            execl("/bin/sh", "sh", "-c", script.c_str(), static_cast<char *>(nullptr));
            _exit(127);
        }
        children_.push_back(pid);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return pid;
    }

    // kill_one_app while a reaper collects `pid` as init does for a
    // service; returns how the process ended and what was printed.
    int kill_reaped(const std::string &name, pid_t pid, std::string *out)
    {
        int status = 0;
        std::thread reaper([&] { waitpid(pid, &status, 0); });
        StdoutCapture captured;
        kill_one_app(name.c_str());
        *out = captured.text();
        reaper.join();
        children_.erase(std::find(children_.begin(), children_.end(), pid));
        return status;
    }

    fs::path dir_;
    std::string base_;
    std::vector<pid_t> children_;
};

TEST_F(KillOneApp, AProgramThatIgnoresSigtermIsKilled)
{
    const std::string name = base_ + "t";
    const pid_t pid = start(name, "60", true);
    ASSERT_EQ(proc_comm(pid), name);
    std::string out;
    const int status = kill_reaped(name, pid, &out);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(out, "");
}

TEST_F(KillOneApp, OnlyTheProgramOfThatExactNameIsKilled)
{
    const std::string name = base_;
    const pid_t longer = start(name + "x", "60");
    const pid_t mentions = start_shell("sleep 60; : " + name);
    const pid_t target = start(name, "60");
    std::string out;
    const int status = kill_reaped(name, target, &out);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(kill(longer, 0), 0) << "a name that merely begins with it";
    EXPECT_NE(proc_state(longer), "Z");
    EXPECT_EQ(kill(mentions, 0), 0) << "a command line that merely contains it";
    EXPECT_NE(proc_state(mentions), "Z");
}

// A zombie whose parent does not reap it lingers: the kill gives up within
// its budget and says so.
TEST_F(KillOneApp, AZombieEndsTheWaitAtTheBudgetWithAWarning)
{
    const std::string name = base_ + "z";
    const pid_t pid = start(name, "0");
    for (int i = 0; i < 1000 && proc_state(pid) != "Z"; i++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(proc_state(pid), "Z");
    StdoutCapture captured;
    const auto start_time = Clock::now();
    kill_one_app(name.c_str());
    const auto took = Clock::now() - start_time;
    const std::string out = captured.text();
    EXPECT_LT(took, kReturnsWithin);
    EXPECT_EQ(out, "warning: " + name + " still alive (D-state?)\n");
}

TEST_F(KillOneApp, ANameNothingRunsUnderIsQuick)
{
    StdoutCapture captured;
    kill_one_app((base_ + "n").c_str());
    EXPECT_EQ(captured.text(), "");
}

}  // namespace
