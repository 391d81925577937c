// The command runner: exit statuses as system() gives them, limits that kill
// the whole command, arguments that never meet a shell, fgets() on a
// command's output, a SIGINT that is not lost while a command runs, and the
// stop's end of every command still running.

#include <gtest/gtest.h>
#include <errno.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "lib/cmd_runner.h"
#include "temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

class CmdRunner : public ::testing::Test {
protected:
    std::string read_all(cmd_pipe_t * pipe)
    {
        std::string out;
        char line[64];
        while (cmd_gets(pipe, line, sizeof(line)) != nullptr) {
            out += line;
        }
        return out;
    }

    TempDir tmp{"cmd"};
    const std::string dir = tmp.path();
};

struct StatusCase {
    const char * command;
    bool exited;
    int code;  // exit code, or the signal when not exited
};

TEST_F(CmdRunner, ShellStatusIsTheWaitStatusAsSystemGivesIt)
{
    const StatusCase cases[] = {
        {"true", true, 0},
        {"exit 3", true, 3},
        {"/nonexistent/program 2>/dev/null", true, 127},
        {"kill -9 $$", false, SIGKILL},
    };
    for (const StatusCase & c : cases) {
        SCOPED_TRACE(c.command);
        int status = cmd_run(c.command);
        ASSERT_NE(status, -1);
        if (c.exited) {
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), c.code);
        } else {
            ASSERT_TRUE(WIFSIGNALED(status));
            EXPECT_EQ(WTERMSIG(status), c.code);
        }
    }
    EXPECT_EQ(cmd_run(nullptr), -1);
}

TEST_F(CmdRunner, LimitKillsTheCommandAndEverythingItStarted)
{
    const std::string marker = dir + "/late";
    const std::string command = "(sleep 0.3; touch " + marker + ") & wait";
    errno = 0;
    EXPECT_EQ(cmd_run_timeout(command.c_str(), 50), -1);
    EXPECT_EQ(errno, ETIMEDOUT);
    // Had the background child survived, the marker would appear at 0.3 s.
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_FALSE(fs::exists(marker));
}

TEST_F(CmdRunner, CommandWithinItsLimitGivesItsStatus)
{
    int status = cmd_run_timeout("exit 4", 10000);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 4);
}

TEST_F(CmdRunner, ArgumentsReachTheProgramWholeAndAreNeverShellSyntax)
{
    const std::string planted = dir + "/planted";
    const std::vector<std::string> hostile = {
        "$(touch " + planted + ")", "`touch " + planted + "`", "a; touch " + planted, "'\"quoted\"'", "line\nbreak", "",
    };
    for (const std::string & value : hostile) {
        SCOPED_TRACE(value);
        const char * const argv[] = {"printf", "[%s]", value.c_str(), nullptr};
        cmd_pipe_t pipe;
        ASSERT_EQ(cmd_open_argv(&pipe, argv, 10000), 0);
        EXPECT_EQ(read_all(&pipe), "[" + value + "]");
        int status = cmd_close(&pipe);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_FALSE(fs::exists(planted));
}

TEST_F(CmdRunner, ExecGivesTheProgramStatusAndRefusesWhatCannotStart)
{
    const char * const fails[] = {"sh", "-c", "exit 7", nullptr};
    int status = cmd_exec(fails, CMD_NO_TIMEOUT);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);

    const char * const missing[] = {"no-such-program-quorvex", nullptr};
    EXPECT_EQ(cmd_exec(missing, CMD_NO_TIMEOUT), -1);
    const char * const empty[] = {nullptr};
    EXPECT_EQ(cmd_exec(empty, CMD_NO_TIMEOUT), -1);

    const char * const slow[] = {"sleep", "5", nullptr};
    errno = 0;
    EXPECT_EQ(cmd_exec(slow, 50), -1);
    EXPECT_EQ(errno, ETIMEDOUT);
}

TEST_F(CmdRunner, GetsReadsAsFgetsDoes)
{
    cmd_pipe_t pipe;
    ASSERT_EQ(cmd_open(&pipe, "printf 'first\\nsecond line that is long\\nlast'", 10000), 0);
    char line[8];
    ASSERT_NE(cmd_gets(&pipe, line, sizeof(line)), nullptr);
    EXPECT_STREQ(line, "first\n");
    ASSERT_NE(cmd_gets(&pipe, line, sizeof(line)), nullptr);
    EXPECT_STREQ(line, "second ");  // size - 1 bytes; the rest comes next
    ASSERT_NE(cmd_gets(&pipe, line, sizeof(line)), nullptr);
    EXPECT_STREQ(line, "line th");
    std::string rest;
    while (cmd_gets(&pipe, line, sizeof(line)) != nullptr) {
        rest += line;
    }
    EXPECT_EQ(rest, "at is long\nlast");
    EXPECT_STREQ(line, "");
    int status = cmd_close(&pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(cmd_close(&pipe), -1);  // already closed
}

TEST_F(CmdRunner, OutputStopsAtTheDeadlineAndCloseKillsTheCommand)
{
    cmd_pipe_t pipe;
    ASSERT_EQ(cmd_open(&pipe, "echo early; sleep 5; echo late", 100), 0);
    char line[32];
    ASSERT_NE(cmd_gets(&pipe, line, sizeof(line)), nullptr);
    EXPECT_STREQ(line, "early\n");
    EXPECT_EQ(cmd_gets(&pipe, line, sizeof(line)), nullptr);
    errno = 0;
    EXPECT_EQ(cmd_close(&pipe), -1);
    EXPECT_EQ(errno, ETIMEDOUT);
}

TEST_F(CmdRunner, ClosingEarlyEndsAWriterThatWouldNeverStop)
{
    cmd_pipe_t pipe;
    ASSERT_EQ(cmd_open(&pipe, "yes", CMD_NO_TIMEOUT), 0);
    char line[8];
    ASSERT_NE(cmd_gets(&pipe, line, sizeof(line)), nullptr);
    EXPECT_STREQ(line, "y\n");
    // The shell reports its child's death by SIGPIPE as 128 + 13.
    int status = cmd_close(&pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGPIPE);
}

TEST_F(CmdRunner, CommandThatCannotStartLeavesTheRecordClosed)
{
    cmd_pipe_t pipe;
    const char * const missing[] = {"no-such-program-quorvex", nullptr};
    EXPECT_EQ(cmd_open_argv(&pipe, missing, 1000), -1);
    char line[8] = "x";
    EXPECT_EQ(cmd_gets(&pipe, line, sizeof(line)), nullptr);
    EXPECT_STREQ(line, "");
    EXPECT_EQ(cmd_close(&pipe), -1);
}

std::atomic<int> sigint_seen;
void count_sigint(int)
{
    sigint_seen.fetch_add(1);
}

// system() ignores SIGINT while its child runs, so a Ctrl+C in that time was
// lost; the runner leaves the caller's handler in place.
TEST_F(CmdRunner, SigintDuringACommandReachesTheCallersHandler)
{
    struct sigaction action = {};
    struct sigaction old = {};
    action.sa_handler = count_sigint;
    ASSERT_EQ(sigaction(SIGINT, &action, &old), 0);
    sigint_seen = 0;
    const pid_t self = getpid();
    std::thread sender([self] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        kill(self, SIGINT);
    });
    int status = cmd_run("sleep 0.5");
    sender.join();
    sigaction(SIGINT, &old, nullptr);
    EXPECT_EQ(sigint_seen.load(), 1);
    // The command is in a group of its own: the signal sent to us is not its.
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(CmdRunner, ThreadsRunCommandsSideBySide)
{
    std::vector<std::thread> threads;
    std::atomic<int> ok{0};
    for (int t = 0; t < 4; t++) {
        threads.emplace_back([&ok, t] {
            for (int i = 0; i < 5; i++) {
                const std::string value = std::to_string(t * 10 + i);
                const char * const argv[] = {"echo", value.c_str(), nullptr};
                cmd_pipe_t pipe;
                if (cmd_open_argv(&pipe, argv, 10000) != 0) {
                    continue;
                }
                char line[16];
                const bool read = cmd_gets(&pipe, line, sizeof(line)) != nullptr;
                if (cmd_close(&pipe) == 0 && read && value + "\n" == line) {
                    ok.fetch_add(1);
                }
            }
        });
    }
    for (std::thread & t : threads) {
        t.join();
    }
    EXPECT_EQ(ok.load(), 20);
}

// The stop's end of all commands, in a child process of its own (it refuses
// commands for good). Gives 0, or the number of the first check that failed
// after printing it.
int end_all_in_flight(const std::string & dir)
{
    constexpr int kCommands = 3;
    const auto fail = [](int n, const char * what) {
        fprintf(stderr, "check %d: %s\n", n, what);
        return n;
    };
    // Each command is a shell with a child in the background; the shell
    // writes its process group once both run.
    std::vector<int> statuses(kCommands + 1, 0);
    std::vector<std::thread> threads;
    for (int i = 0; i < kCommands; i++) {
        threads.emplace_back([&statuses, &dir, i] {
            const std::string command = "sleep 60 & echo $$ > " + dir + "/" + std::to_string(i) + "; wait";
            statuses[i] = cmd_run(command.c_str());
        });
    }
    threads.emplace_back([&statuses, &dir] {
        cmd_pipe_t pipe;
        const std::string command = "echo $$ > " + dir + "/reader; sleep 60 & sleep 60";
        if (cmd_open(&pipe, command.c_str(), CMD_NO_TIMEOUT) == 0) {
            char line[8];
            cmd_gets(&pipe, line, sizeof(line));
            statuses[kCommands] = cmd_close(&pipe);
        }
    });
    const std::vector<std::string> marks = {"0", "1", "2", "reader"};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    const auto all_marked = [&] {
        for (const std::string & m : marks) {
            std::ifstream in(dir + "/" + m);
            pid_t group = 0;
            if (!(in >> group)) {
                return false;
            }
        }
        return true;
    };
    while (!all_marked()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return fail(1, "the commands did not start");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // A "sleep 60" may still be on its way; the end waits for it.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    cmd_end_all();
    for (std::thread & t : threads) {
        t.join();  // each wait returns as soon as its shell is killed
    }
    for (int status : statuses) {
        if (status == -1 || !WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
            return fail(2, "a command was not killed");
        }
    }
    // Their background children went with them: the groups empty out (the
    // killed ones linger only until they are reaped).
    for (const std::string & m : marks) {
        std::ifstream in(dir + "/" + m);
        pid_t group = 0;
        in >> group;
        while (kill(-group, 0) == 0) {
            if (std::chrono::steady_clock::now() >= deadline) {
                return fail(3, "a background child outlived its command");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    // From now on only this thread, the stop's, runs commands.
    int refused = 0;
    int refused_errno = 0;
    std::thread([&] {
        refused = cmd_run("true");
        refused_errno = errno;
    }).join();
    if (refused != -1 || refused_errno != ECANCELED) {
        return fail(4, "another thread still started a command");
    }
    const int own = cmd_run("exit 5");
    if (own == -1 || !WIFEXITED(own) || WEXITSTATUS(own) != 5) {
        return fail(5, "the stop's own command did not run");
    }
    return 0;
}

TEST_F(CmdRunner, EndAllKillsEveryRunningCommandWithItsGroupAndRefusesLaterOnes)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The child leaves by _exit, past the fixture's clean-up: it removes its
    // own folder first.
    EXPECT_EXIT(
        {
            const int code = end_all_in_flight(dir);
            std::filesystem::remove_all(dir);
            _exit(code);
        },
        ::testing::ExitedWithCode(0), "");
}

// More commands at once than the record holds: the one too many is refused
// rather than run out of the stop's reach, and the record fills again once
// they end.
TEST_F(CmdRunner, CommandsBeyondTheRecordAreRefusedUntilOneEnds)
{
    // Each keeps its place until it is closed; closing after the limit
    // kills it at once.
    std::vector<cmd_pipe_t> pipes(CMD_RUNNING_MAX);
    for (cmd_pipe_t & pipe : pipes) {
        ASSERT_EQ(cmd_open(&pipe, "sleep 60", 50), 0);
    }
    errno = 0;
    EXPECT_EQ(cmd_run("true"), -1);
    EXPECT_EQ(errno, EAGAIN);
    for (cmd_pipe_t & pipe : pipes) {
        cmd_close(&pipe);
    }
    const int status = cmd_run("true");
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
