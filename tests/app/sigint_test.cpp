// SIGINT stops the interface: the message, the three kill commands in order
// (seen through a killall wrapper first on PATH), exit status 0, and stand-in
// service processes killed.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "process.hpp"
#include "temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

const char* const kServices[] = {"airplay_run", "spotify_run", "airable_run"};
const std::string kMessage =
    "\033[1;33m[LVGL_UI][sigint_handler:@N@]\033[0m \nCtrl+C received, killing all apps...\n";
const std::string kCommands =
    "-9 airplay_run\n"
    "-9 airable_run\n"
    "-9 spotify_run\n";

class SigintStop : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(dir + "/bin");
        std::ofstream wrapper(dir + "/bin/killall");
        wrapper << "#!/bin/sh\n"
                << "echo \"$*\" >> '" << dir << "/killall.log'\n"
                << "exec /usr/bin/killall \"$@\"\n";
        wrapper.close();
        fs::permissions(dir + "/bin/killall", fs::perms::owner_all);
    }

    void TearDown() override
    {
        for (pid_t pid : services) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    // Copies of sleep under the service names, started from the folder.
    void start_services()
    {
        for (const char* name : kServices) {
            const std::string path = dir + "/" + name;
            fs::copy_file("/usr/bin/sleep", path);
            const pid_t pid = fork();
            if (pid == 0) {
                execl(path.c_str(), name, "60", static_cast<char*>(nullptr));
                _exit(127);
            }
            ASSERT_GT(pid, 0);
            services.push_back(pid);
        }
    }

    RunResult stop_interface()
    {
        RunRequest req;
        req.cwd = dir;
        req.env["LV_LINUX_DRM_CARD"] = dir + "/panel.bmp";
        req.env["PATH"] = dir + "/bin:/usr/bin:/bin";
        req.sigint_after = "ui_user_init done !";
        return run_quorvex(req);
    }

    std::string killall_log() const
    {
        std::ifstream in(dir + "/killall.log");
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    TempDir tmp{"app"};
    const std::string& dir = tmp.path();
    std::vector<pid_t> services;
};

TEST_F(SigintStop, WithoutServicesRunsTheThreeCommandsAndExitsZero)
{
    const RunResult r = stop_interface();
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const size_t at = r.out.find("\033[1;33m[LVGL_UI][sigint_handler:");
    ASSERT_NE(at, std::string::npos) << r.out;
    EXPECT_TRUE(matches(kMessage, r.out.substr(at), r.pid)) << r.out.substr(at);
    EXPECT_EQ(killall_log(), kCommands);
}

TEST_F(SigintStop, KillsRunningServices)
{
    start_services();
    const RunResult r = stop_interface();
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(killall_log(), kCommands);
    for (size_t i = 0; i < services.size(); i++) {
        SCOPED_TRACE(kServices[i]);
        int status = 0;
        ASSERT_EQ(waitpid(services[i], &status, 0), services[i]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
    services.clear();
}

}  // namespace
