// Runs the quorvex binary as a child process and collects what it prints.
#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "temp_dir.hpp"

struct RunRequest {
    std::vector<std::string> args;
    std::map<std::string, std::string> env;  // on top of a minimal environment
    std::string cwd;                         // empty: a fresh temporary folder
    std::string sigint_after;                // send SIGINT once stdout holds this text
    std::string sigint_file;                 // ... and this file exists (when not empty)
    int timeout_ms = 30000;                  // killed after this
};

struct RunResult {
    pid_t pid = -1;
    std::string out;
    std::string err;
    int status = -1;        // exit status, or -1 when it did not exit normally
    bool timed_out = false;
};

// One running interface, its output collected while the test waits on it.
class Quorvex {
public:
    explicit Quorvex(const RunRequest& req);
    ~Quorvex();  // kills it if it still runs
    Quorvex(const Quorvex&) = delete;
    Quorvex& operator=(const Quorvex&) = delete;

    // Collects output until standard output holds `text` (true), the
    // process closes its output, or timeout_ms pass.
    bool wait_for(const std::string& text, int timeout_ms);
    // Sends SIGINT (again after a while under ThreadSanitizer, which may
    // drop one) and collects everything until the process has ended.
    RunResult interrupt_and_wait(int timeout_ms);
    // Collects everything until the process has ended by itself.
    RunResult wait(int timeout_ms);

    // Reads what is there, waiting at most wait_ms; false once both
    // outputs are closed.
    bool collect(int wait_ms);

    pid_t pid() const { return result_.pid; }
    const std::string& out() const { return result_.out; }

private:
    RunResult finish(int timeout_ms, bool interrupt);

    RunResult result_;
    int fds_[2] = {-1, -1};
    std::optional<TempDir> own_cwd_;
    std::string cwd_;
    bool reaped_ = false;
};

RunResult run_quorvex(const RunRequest& req);

// True when `text` matches `pattern` exactly, where "@N@" stands for a
// number, "@W@" for a word (name, file name) and "@PID@" for `pid`.
bool matches(const std::string& pattern, const std::string& text, pid_t pid);

// The lines of `text` that contain, in order, a match of each pattern (each
// pattern matched against one whole line); empty when all are found, else
// the first pattern that was not.
std::string missing_in_order(const std::vector<std::string>& patterns, const std::string& text,
                             pid_t pid);
