// The mixer stand-in as the interface runs it: the command line it must
// take, the level it keeps in its working directory, one log line a call,
// and clear refusals of what it does not take.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lib/cmd_runner.h"
#include "temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines_of(const fs::path &path)
{
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string l; std::getline(in, l);) {
        out.push_back(l);
    }
    return out;
}

class Amixer : public ::testing::Test {
protected:
    void SetUp() override
    {
        old_cwd = fs::current_path();
        fs::current_path(tmp.path());
    }
    void TearDown() override { fs::current_path(old_cwd); }

    // Exit status of the stand-in run through the shell as the interface
    // runs it, its output thrown away.
    static int run(const std::string &args)
    {
        return exit_status(cmd_run((std::string(AMIXER) + " " + args + " >/dev/null 2>&1").c_str()));
    }

    // The same with an argument vector, no shell.
    static int exec(std::vector<std::string> args)
    {
        args.insert(args.begin(), AMIXER);
        std::vector<const char *> argv;
        for (const std::string &a : args) {
            argv.push_back(a.c_str());
        }
        argv.push_back(nullptr);
        return exit_status(cmd_exec(argv.data(), CMD_NO_TIMEOUT));
    }

    static int exit_status(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

    TempDir tmp{"amixer"};
    fs::path old_cwd;
};

TEST_F(Amixer, TheInterfacesCommandSetsTheLevelAndLogsTheCall)
{
    EXPECT_EQ(run("-c 0 sset 'PCM' 40%"), 0);
    EXPECT_EQ(run("-c 0 sset 'PCM' 7%"), 0);
    EXPECT_EQ(lines_of("amixer.state"), std::vector<std::string>{"0 PCM 7"});
    EXPECT_EQ(lines_of("amixer.log"), (std::vector<std::string>{
                                          "amixer -c 0 sset PCM 40% => PCM 40%",
                                          "amixer -c 0 sset PCM 7% => PCM 7%",
                                      }));
}

TEST_F(Amixer, CallsAndTheirOutcomes)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        const char *log;
    };
    const Case cases[] = {
        {{"sget", "PCM"}, 0, "amixer sget PCM => PCM 100%"},
        {{"-c0", "set", "Master", "0"}, 0, "amixer -c0 set Master 0 => Master 0%"},
        {{"get", "Master"}, 0, "amixer get Master => Master 0%"},
        {{"-c", "0", "sset", "PCM", "100%"}, 0, "amixer -c 0 sset PCM 100% => PCM 100%"},
        {{"-c", "1", "sset", "PCM", "5%"}, 1, "amixer -c 1 sset PCM 5% => error: Invalid card number '1'"},
        {{"sset", "PCM", "101%"}, 1, "amixer sset PCM 101% => error: Invalid volume value '101'"},
        {{"sset", "PCM", "-5%"}, 1, "amixer sset PCM -5% => error: Invalid volume value '-5'"},
        {{"sset", "PCM"}, 1, "amixer sset PCM => error: Specify what you want to set..."},
        {{"sset", "A\tB\n", "5"}, 1, "amixer sset A\\x09B\\x0A 5 => error: Specify a full control identifier"},
        {{"mute", "PCM"}, 1, "amixer mute PCM => error: Invalid command!"},
        {{}, 1, "amixer  => error: Invalid command!"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.log);
        EXPECT_EQ(exec(c.args), c.status);
        const std::vector<std::string> log = lines_of("amixer.log");
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back(), c.log);
    }
    EXPECT_EQ(lines_of("amixer.state"), (std::vector<std::string>{"0 Master 0", "0 PCM 100"}));
}

}  // namespace
