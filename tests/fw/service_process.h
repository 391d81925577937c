// Runs the test service as a child process.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ServiceProcess {
public:
    ServiceProcess(const std::string &socket, int app_id, const std::string &name,
                   const std::vector<std::string> &mode);
    ~ServiceProcess();
    ServiceProcess(const ServiceProcess &) = delete;
    ServiceProcess &operator=(const ServiceProcess &) = delete;

    // Exit status once the process has ended, -1 while it runs (non-blocking).
    int poll_exit();
    // Waits for the end; kills the process after timeout_ms. The exit status,
    // or -1 when it had to be killed.
    int wait_exit(int timeout_ms);

private:
    pid_t pid_ = -1;
    int status_ = -1;
};
