// The whole interface on the virtual panel, as the run script starts it, in
// a working directory of its own:
//   - time from process start to the first frame on the panel (the complete
//     home page: the whole tree is built before the first refresh);
//   - CPU use of the idle interface over a window (60 s by default) with the
//     three stand-in services started and connected;
//   - peak resident memory of the interface at the end;
//   - for comparison, what the same wake-ups cost alone on this machine: a
//     thread that only sleeps 2 ms at a time, as the GUI loop does between
//     runs of the 2 ms page timer.
//
//   interface_bench [IDLE_SECONDS]
//
// It runs quorvex and the services on the fixed framework socket and stops
// them at the end (SIGINT for the interface, which kills the services by
// name): run it alone, under `flock /tmp/quorvex-e2e.lock`.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kDefaultIdleSeconds = 60;
constexpr int kFirstFrameLimitMs = 10000;
constexpr int kServicesSettleSeconds = 3;
constexpr int kBareWakeupSeconds = 20;
constexpr const char *kPanel = "panel.bmp";
const char *const kServices[] = {"airplay_run", "spotify_run", "airable_run"};

pid_t spawn(const std::vector<std::string> &args, const fs::path &cwd, const std::vector<std::string> &env,
            const fs::path &log)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char *> argv;
    for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &e : env) envp.push_back(const_cast<char *>(e.c_str()));
    for (char **e = environ; *e; ++e) envp.push_back(*e);
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(rc));
    return pid;
}

// Waits until the virtual panel has written its first frame (it writes each
// frame beside the panel file and renames it over it).
double ms_to_first_frame(int inotify_fd, Clock::time_point start)
{
    char buf[4096] __attribute__((aligned(alignof(inotify_event))));
    while (true) {
        const int left = kFirstFrameLimitMs - (int)std::chrono::duration_cast<std::chrono::milliseconds>(
                                                  Clock::now() - start).count();
        if (left <= 0) throw std::runtime_error("no frame on the panel");
        pollfd p{inotify_fd, POLLIN, 0};
        if (poll(&p, 1, left) <= 0) continue;
        const ssize_t n = read(inotify_fd, buf, sizeof buf);
        for (ssize_t off = 0; off < n;) {
            const auto *ev = reinterpret_cast<const inotify_event *>(buf + off);
            if (ev->len > 0 && std::strcmp(ev->name, kPanel) == 0) {
                return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            }
            off += (ssize_t)(sizeof(inotify_event) + ev->len);
        }
    }
}

struct CpuTicks {
    long long user = 0;
    long long system = 0;
};

// User and system CPU time of a process, in clock ticks.
CpuTicks cpu_ticks(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    // Fields after the command name, which ends with the last ')'.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    CpuTicks t;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14) t.user = std::stoll(field);
        if (i == 15) {
            t.system = std::stoll(field);
            break;
        }
    }
    return t;
}

double percent(long long ticks, double seconds)
{
    return 100.0 * (double)ticks / (double)sysconf(_SC_CLK_TCK) / seconds;
}

// Per cent of one core a thread spends sleeping 2 ms at a time for `seconds`.
double bare_wakeups_percent(int seconds)
{
    constexpr long kSleepNs = 2000000;
    double cpu_seconds = 0;
    std::thread sleeper([&] {
        const timespec nap{0, kSleepNs};
        const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
        while (Clock::now() < end) nanosleep(&nap, nullptr);
        timespec used{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
        cpu_seconds = (double)used.tv_sec + (double)used.tv_nsec / 1e9;
    });
    sleeper.join();
    return 100.0 * cpu_seconds / seconds;
}

std::string status_field(pid_t pid, const std::string &name)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(name + ":", 0) == 0) {
            const size_t v = line.find_first_not_of(" \t", name.size() + 1);
            return line.substr(v);
        }
    }
    return "?";
}

}  // namespace

int main(int argc, char **argv)
{
    const int idle_seconds = argc > 1 ? std::atoi(argv[1]) : kDefaultIdleSeconds;
    if (idle_seconds <= 0) {
        std::fprintf(stderr, "usage: interface_bench [IDLE_SECONDS]\n");
        return 2;
    }
    char tmpl[] = "/tmp/quorvex-bench-XXXXXX";
    if (!mkdtemp(tmpl)) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path dir = tmpl;
    pid_t ui = 0;
    std::vector<pid_t> services;
    int rc = 0;
    try {
        fs::copy_file(BENCH_FONT, dir / "HarmonyOS_Sans_SC_Medium.ttf");
        fs::copy_file(BENCH_BACKGROUND, dir / "background_image_8.png");
        for (const char *s : kServices) fs::copy_file(fs::path(BENCH_SERVICE_DIR) / s, dir / s);
        if (mkfifo((dir / "touch").c_str(), 0644) != 0) throw std::runtime_error("mkfifo failed");

        const int watch = inotify_init1(IN_CLOEXEC);
        if (watch < 0 || inotify_add_watch(watch, dir.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE) < 0) {
            throw std::runtime_error("inotify failed");
        }
        const std::vector<std::string> env = {
            "/dev/input/touchscreen0=" + (dir / "touch").string(),
            "LV_LINUX_DRM_CARD=" + (dir / kPanel).string(),
            std::string("PATH=") + BENCH_PLATFORM_BIN + ":" + (getenv("PATH") ? getenv("PATH") : ""),
        };
        const Clock::time_point start = Clock::now();
        ui = spawn({BENCH_QUORVEX}, dir, env, dir / "quorvex.log");
        const double first_frame = ms_to_first_frame(watch, start);
        close(watch);
        std::printf("first frame on the panel: %.1f ms after the process start\n", first_frame);

        for (const char *s : kServices) services.push_back(spawn({(dir / s).string()}, dir, {}, dir / "services.log"));
        std::this_thread::sleep_for(std::chrono::seconds(kServicesSettleSeconds));

        const CpuTicks before = cpu_ticks(ui);
        const Clock::time_point idle_start = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(idle_seconds));
        const CpuTicks after = cpu_ticks(ui);
        const double seconds = std::chrono::duration<double>(Clock::now() - idle_start).count();
        const double user = percent(after.user - before.user, seconds);
        const double system = percent(after.system - before.system, seconds);
        std::printf("idle CPU over %.0f s with the services connected: %.2f %% of one core (user %.2f, system %.2f)\n",
                    seconds, user + system, user, system);
        std::printf("peak resident memory: %s (now %s)\n", status_field(ui, "VmHWM").c_str(),
                    status_field(ui, "VmRSS").c_str());
        std::printf("the same wake-ups alone (a thread sleeping 2 ms at a time): %.2f %% of one core\n",
                    bare_wakeups_percent(std::min(idle_seconds, kBareWakeupSeconds)));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "interface_bench: %s\n", e.what());
        rc = 1;
    }
    if (ui > 0) {
        kill(ui, SIGINT);
        waitpid(ui, nullptr, 0);
    }
    for (pid_t s : services) {
        kill(s, SIGKILL);
        waitpid(s, nullptr, 0);
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return rc;
}
