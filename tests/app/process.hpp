// Runs the quorvex binary as a child process and collects what it prints.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

struct RunRequest {
    std::vector<std::string> args;
    std::map<std::string, std::string> env;  // on top of a minimal environment
    std::string cwd;                         // empty: a fresh temporary folder
    std::string sigint_after;                // send SIGINT once stdout holds this text
    std::string sigint_file;                 // ... and this file exists (when not empty)
};

struct RunResult {
    pid_t pid = -1;
    std::string out;
    std::string err;
    int status = -1;        // exit status, or -1 when it did not exit normally
    bool timed_out = false;
};

RunResult run_quorvex(const RunRequest& req);

// A fresh temporary folder, removed by the caller with remove_tree().
std::string make_temp_dir();
void remove_tree(const std::string& path);

// True when `text` matches `pattern` exactly, where "@N@" stands for a
// number, "@W@" for a word (name, file name) and "@PID@" for `pid`.
bool matches(const std::string& pattern, const std::string& text, pid_t pid);

// The lines of `text` that contain, in order, a match of each pattern (each
// pattern matched against one whole line); empty when all are found, else
// the first pattern that was not.
std::string missing_in_order(const std::vector<std::string>& patterns, const std::string& text,
                             pid_t pid);
