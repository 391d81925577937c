#include "process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <cctype>
#include <sstream>

namespace {

constexpr int kTimeoutMs = 30000;
constexpr int kPollSliceMs = 20;  // re-check the SIGINT condition this often

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

std::string make_temp_dir()
{
    char tmpl[] = "/tmp/quorvex-app-XXXXXX";
    const char* dir = mkdtemp(tmpl);
    return dir != nullptr ? dir : "";
}

void remove_tree(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

RunResult run_quorvex(const RunRequest& req)
{
    RunResult result;
    const std::string cwd = req.cwd.empty() ? make_temp_dir() : req.cwd;
    int out_pipe[2], err_pipe[2];
    if (pipe2(out_pipe, O_CLOEXEC) != 0 || pipe2(err_pipe, O_CLOEXEC) != 0) {
        return result;
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
        if (chdir(cwd.c_str()) != 0) {
            _exit(127);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(out_pipe[1]);
    close(err_pipe[1]);
    result.pid = pid;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    bool sent_sigint = false;
    std::chrono::steady_clock::time_point sigint_at;
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open_fds = 2;
    while (open_fds > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            result.timed_out = true;
            kill(pid, SIGKILL);
            break;
        }
        const int wait_ms = req.sigint_after.empty() ? static_cast<int>(left) : kPollSliceMs;
        if (poll(fds, 2, wait_ms) < 0) {
            continue;
        }
        for (int i = 0; i < 2; i++) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP)) == 0) {
                continue;
            }
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                open_fds--;
            }
        }
        if (!sent_sigint && !req.sigint_after.empty() &&
            result.out.find(req.sigint_after) != std::string::npos &&
            (req.sigint_file.empty() || access(req.sigint_file.c_str(), F_OK) == 0)) {
            kill(pid, SIGINT);
            sent_sigint = true;
            sigint_at = std::chrono::steady_clock::now();
        } else if (kResendSigint && sent_sigint &&
                   std::chrono::steady_clock::now() - sigint_at >= kSigintResendAfter) {
            kill(pid, SIGINT);
            sigint_at = std::chrono::steady_clock::now();
        }
    }
    for (pollfd& f : fds) {
        if (f.fd >= 0) {
            close(f.fd);
        }
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    if (req.cwd.empty()) {
        remove_tree(cwd);
    }
    return result;
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
