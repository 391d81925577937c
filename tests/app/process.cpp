#include "process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cctype>
#include <sstream>

namespace {

constexpr int kPollSliceMs = 20;  // re-check what is awaited this often

// ThreadSanitizer defers asynchronous signals to the next point where it
// looks for them, and now and then drops a SIGINT that reaches the program
// just as its GUI loop starts (never seen without it). Under ThreadSanitizer
// an unanswered SIGINT is therefore sent again; other builds send it once.
#if defined(__SANITIZE_THREAD__)  // gcc
#define UNDER_TSAN 1
#elif defined(__has_feature)  // clang
#if __has_feature(thread_sanitizer)
#define UNDER_TSAN 1
#endif
#endif
#ifdef UNDER_TSAN
constexpr bool kResendSigint = true;
#else
constexpr bool kResendSigint = false;
#endif
constexpr auto kSigintResendAfter = std::chrono::seconds(2);
constexpr const char* kPassedEnv[] = {"ASAN_OPTIONS", "UBSAN_OPTIONS", "TSAN_OPTIONS",
                                      "LSAN_OPTIONS"};

std::vector<std::string> child_env(const RunRequest& req)
{
    std::map<std::string, std::string> env = {{"PATH", "/usr/bin:/bin:/usr/sbin:/sbin"}};
    for (const char* name : kPassedEnv) {
        if (const char* v = getenv(name)) {
            env[name] = v;
        }
    }
    for (const auto& [k, v] : req.env) {
        env[k] = v;
    }
    std::vector<std::string> out;
    for (const auto& [k, v] : env) {
        out.push_back(k + "=" + v);
    }
    return out;
}

std::vector<char*> c_strings(std::vector<std::string>& items)
{
    std::vector<char*> out;
    for (std::string& s : items) {
        out.push_back(s.data());
    }
    out.push_back(nullptr);
    return out;
}

bool is_word_char(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '-';
}

bool is_digit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Matches pattern[p..] against text[t..] to the end of both, trying every
// length for a token (lines are short, so backtracking is cheap).
bool match_from(const std::string& pat, size_t p, const std::string& text, size_t t)
{
    if (p == pat.size()) {
        return t == text.size();
    }
    const auto token = [&](const char* name) { return pat.compare(p, std::strlen(name), name) == 0; };
    bool (*cls)(char) = token("@N@") ? is_digit : token("@W@") ? is_word_char : nullptr;
    if (cls != nullptr) {
        for (size_t end = t; end < text.size() && cls(text[end]); end++) {
            if (match_from(pat, p + 3, text, end + 1)) {
                return true;
            }
        }
        return false;
    }
    return t < text.size() && pat[p] == text[t] && match_from(pat, p + 1, text, t + 1);
}

std::string with_pid(std::string pattern, pid_t pid)
{
    const std::string pid_text = std::to_string(pid);
    for (size_t at = pattern.find("@PID@"); at != std::string::npos;
         at = pattern.find("@PID@", at + pid_text.size())) {
        pattern.replace(at, 5, pid_text);
    }
    return pattern;
}

}  // namespace

Quorvex::Quorvex(const RunRequest& req)
{
    if (req.cwd.empty()) {
        own_cwd_.emplace("app");
    }
    cwd_ = own_cwd_ ? own_cwd_->path() : req.cwd;
    int out_pipe[2], err_pipe[2];
    if (pipe2(out_pipe, O_CLOEXEC) != 0 || pipe2(err_pipe, O_CLOEXEC) != 0) {
        reaped_ = true;
        return;
    }
    std::vector<std::string> argv_s = {QUORVEX_BIN};
    argv_s.insert(argv_s.end(), req.args.begin(), req.args.end());
    std::vector<std::string> env_s = child_env(req);
    std::vector<char*> argv = c_strings(argv_s);
    std::vector<char*> envp = c_strings(env_s);

    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out_pipe[1], STDOUT_FILENO);
        dup2(err_pipe[1], STDERR_FILENO);
        if (chdir(cwd_.c_str()) != 0) {
            _exit(127);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(out_pipe[1]);
    close(err_pipe[1]);
    fds_[0] = out_pipe[0];
    fds_[1] = err_pipe[0];
    result_.pid = pid;
}

Quorvex::~Quorvex()
{
    if (!reaped_) {
        kill(result_.pid, SIGKILL);
        for (int& fd : fds_) {
            if (fd >= 0) {
                close(fd);
            }
        }
        waitpid(result_.pid, nullptr, 0);
    }
}

bool Quorvex::collect(int wait_ms)
{
    pollfd fds[2] = {{fds_[0], POLLIN, 0}, {fds_[1], POLLIN, 0}};
    std::string* sinks[2] = {&result_.out, &result_.err};
    if (fds_[0] < 0 && fds_[1] < 0) {
        return false;
    }
    if (poll(fds, 2, wait_ms) < 0) {
        return true;
    }
    for (int i = 0; i < 2; i++) {
        if (fds_[i] < 0 || (fds[i].revents & (POLLIN | POLLHUP)) == 0) {
            continue;
        }
        char buf[4096];
        const ssize_t n = read(fds_[i], buf, sizeof buf);
        if (n > 0) {
            sinks[i]->append(buf, static_cast<size_t>(n));
        } else {
            close(fds_[i]);
            fds_[i] = -1;
        }
    }
    return fds_[0] >= 0 || fds_[1] >= 0;
}

bool Quorvex::wait_for(const std::string& text, int timeout_ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (result_.out.find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= deadline || !collect(kPollSliceMs)) {
            return result_.out.find(text) != std::string::npos;
        }
    }
    return true;
}

RunResult Quorvex::finish(int timeout_ms, bool interrupt)
{
    if (reaped_) {
        return result_;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    auto sigint_at = std::chrono::steady_clock::now();
    if (interrupt) {
        kill(result_.pid, SIGINT);
    }
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            result_.timed_out = true;
            kill(result_.pid, SIGKILL);
            break;
        }
        if (interrupt && kResendSigint && now - sigint_at >= kSigintResendAfter) {
            kill(result_.pid, SIGINT);
            sigint_at = now;
        }
        if (!collect(kPollSliceMs)) {
            break;
        }
    }
    for (int& fd : fds_) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
    int wstatus = 0;
    waitpid(result_.pid, &wstatus, 0);
    reaped_ = true;
    result_.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    return result_;
}

RunResult Quorvex::interrupt_and_wait(int timeout_ms)
{
    return finish(timeout_ms, true);
}

RunResult Quorvex::wait(int timeout_ms)
{
    return finish(timeout_ms, false);
}

RunResult run_quorvex(const RunRequest& req)
{
    Quorvex q(req);
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(req.timeout_ms);
    const auto left = [&] {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            deadline - std::chrono::steady_clock::now())
                            .count();
        return static_cast<int>(std::max<int64_t>(ms, 1));
    };
    while (!req.sigint_after.empty()) {
        if (q.out().find(req.sigint_after) != std::string::npos &&
            (req.sigint_file.empty() || access(req.sigint_file.c_str(), F_OK) == 0)) {
            return q.interrupt_and_wait(left());
        }
        if (std::chrono::steady_clock::now() >= deadline || !q.collect(kPollSliceMs)) {
            break;
        }
    }
    return q.wait(left());
}

bool matches(const std::string& pattern, const std::string& text, pid_t pid)
{
    return match_from(with_pid(pattern, pid), 0, text, 0);
}

std::string missing_in_order(const std::vector<std::string>& patterns, const std::string& text,
                             pid_t pid)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    size_t at = 0;
    for (const std::string& p : patterns) {
        const std::string pat = with_pid(p, pid);
        while (at < lines.size() && !match_from(pat, 0, lines[at], 0)) {
            at++;
        }
        if (at == lines.size()) {
            return p;
        }
        at++;
    }
    return "";
}
