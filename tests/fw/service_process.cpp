#include "service_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

ServiceProcess::ServiceProcess(const std::string &socket, int app_id, const std::string &name,
                               const std::vector<std::string> &mode)
{
    std::vector<std::string> args = {FW_TEST_SERVICE, socket, std::to_string(app_id), name};
    args.insert(args.end(), mode.begin(), mode.end());
    std::vector<char *> argv;
    for (std::string &a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, FW_TEST_SERVICE, nullptr, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
}

ServiceProcess::~ServiceProcess()
{
    if (pid_ > 0 && status_ < 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

int ServiceProcess::poll_exit()
{
    if (status_ >= 0 || pid_ <= 0) {
        return status_;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return status_;
}

int ServiceProcess::wait_exit(int timeout_ms)
{
    for (int waited = 0; waited < timeout_ms && poll_exit() < 0; waited += 10) {
        usleep(10 * 1000);
    }
    return poll_exit();
}
