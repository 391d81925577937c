#include "interface_run.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

#include "gesture.hpp"

extern char ** environ;

namespace tour {

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

const char * const kServices[] = {"airplay_run", "spotify_run", "airable_run"};
constexpr const char * kPanel = "panel.bmp";
constexpr const char * kTouch = "touch";
constexpr auto kStopLimit = std::chrono::seconds(15);
constexpr int kPollMs = 20;
// Longer than the touch tool holds a tap, still short of a long press
// (400 ms).
constexpr uint32_t kTapHoldMs = 300;
// A press and a release that one read of the pointer finds together are
// lost, and the GUI thread of a slow build (sanitizers) may not read for
// hundreds of milliseconds (it runs the tiles' kill commands itself). So the
// hold of a tap starts once the interface has read the press, waiting at
// most this long for it.
constexpr auto kPressReadLimit = std::chrono::seconds(10);

// Waits until the reader has taken everything written into the FIFO.
bool drained(int fd)
{
    const auto end = std::chrono::steady_clock::now() + kPressReadLimit;
    int pending = 0;
    while (ioctl(fd, FIONREAD, &pending) == 0 && pending > 0) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(milliseconds(1));
    }
    return true;
}

// Writes the steps in turn; with `hold_from_read`, each step's delay counts
// from the moment the interface has read the step before.
bool write_steps(const std::string & fifo, const std::vector<touch::Step> & steps, bool hold_from_read = false)
{
    // Non-blocking open: a FIFO nobody reads fails at once instead of hanging.
    const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bool ok = true;
    for (const touch::Step & step : steps) {
        if (hold_from_read && !drained(fd)) {
            ok = false;
            break;
        }
        std::this_thread::sleep_for(milliseconds(step.delay_ms));
        const size_t bytes = step.events.size() * sizeof(input_event);
        if (write(fd, step.events.data(), bytes) != (ssize_t)bytes) {
            ok = false;
            break;
        }
    }
    close(fd);
    return ok;
}

// A terminal for the console: glibc buffers a terminal by line, a file or a
// pipe by 4 KB. Raw, so that lines end as printed.
bool open_terminal(int * master, int * slave)
{
    *master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (*master < 0 || grantpt(*master) != 0 || unlockpt(*master) != 0) {
        return false;
    }
    const char * name = ptsname(*master);
    *slave = name ? open(name, O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
    if (*slave < 0) {
        return false;
    }
    struct termios t;
    if (tcgetattr(*slave, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(*slave, TCSANOW, &t);
    }
    return true;
}

bool copy(const fs::path & from, const fs::path & to, std::string * error)
{
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        *error = "cannot copy " + from.string() + ": " + ec.message();
        return false;
    }
    return true;
}

void kill_services()
{
    for (const char * s : kServices) {
        const pid_t pid = fork();
        if (pid == 0) {
            execlp("killall", "killall", "-q", "-9", s, static_cast<char *>(nullptr));
            _exit(127);
        }
        if (pid > 0) {
            waitpid(pid, nullptr, 0);
        }
    }
}

}  // namespace

Interface::Interface(InterfaceFiles files) : files_(std::move(files)) {}

Interface::~Interface()
{
    stop();
    std::error_code ec;
    if (!dir_.empty()) {
        fs::remove_all(dir_, ec);
    }
}

bool Interface::start(std::string * error)
{
    char tmpl[] = "/tmp/quorvex-tour-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) {
        *error = std::string("mkdtemp: ") + std::strerror(errno);
        return false;
    }
    dir_ = tmpl;
    const fs::path dir = dir_;
    if (!copy(files_.font, dir / "HarmonyOS_Sans_SC_Medium.ttf", error) ||
        !copy(files_.background, dir / "background_image_8.png", error)) {
        return false;
    }
    for (const char * s : kServices) {
        if (!copy(fs::path(files_.services) / s, dir / s, error)) {
            return false;
        }
    }
    if (mkfifo((dir / kTouch).c_str(), 0644) != 0) {
        *error = std::string("mkfifo: ") + std::strerror(errno);
        return false;
    }
    int slave = -1;
    if (!open_terminal(&console_fd_, &slave)) {
        *error = std::string("no terminal for the console: ") + std::strerror(errno);
        return false;
    }

    std::string path = getenv("PATH") ? getenv("PATH") : "/usr/bin:/bin";
    std::vector<std::string> env;
    for (const std::string & e : files_.env) {
        if (e.starts_with("PATH=")) {
            path = e.substr(5);
        } else {
            env.push_back(e);
        }
    }
    env.push_back("/dev/input/touchscreen0=" + (dir / kTouch).string());
    env.push_back("LV_LINUX_DRM_CARD=" + (dir / kPanel).string());
    env.push_back("PATH=" + files_.platform_bin + ":" + path);
    const size_t own = env.size();
    for (char ** e = environ; *e; ++e) {
        const std::string_view entry = *e;
        const std::string_view name = entry.substr(0, entry.find('=') + 1);
        const bool given =
            std::any_of(env.begin(), env.begin() + own, [&](const std::string & g) { return g.starts_with(name); });
        if (!given) {
            env.emplace_back(entry);
        }
    }
    std::vector<char *> envp;
    for (std::string & e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    std::string program = files_.quorvex;
    char * argv[] = {program.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir_.c_str());
    posix_spawn_file_actions_adddup2(&actions, slave, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, slave, STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(slave);
    if (rc != 0) {
        pid_ = -1;
        *error = "cannot start " + program + ": " + std::strerror(rc);
        return false;
    }
    reader_ = std::thread([this] { read_console(); });
    return true;
}

void Interface::read_console()
{
    char buf[4096];
    while (!stopping_.load()) {
        struct pollfd p = {console_fd_, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) {
            continue;
        }
        const ssize_t n = read(console_fd_, buf, sizeof buf);
        if (n > 0) {
            std::lock_guard<std::mutex> hold(lock_);
            console_.append(buf, (size_t)n);
        } else if (n == 0 || errno != EINTR) {
            // Every writer has gone (EIO): nothing more will come.
            std::this_thread::sleep_for(milliseconds(kPollMs));
        }
    }
}

int Interface::stop()
{
    int result = -1;
    if (pid_ > 0) {
        kill(pid_, SIGINT);
        int status = 0;
        const bool ended = wait_until([&] { return waitpid(pid_, &status, WNOHANG) == pid_; },
                                      std::chrono::duration_cast<milliseconds>(kStopLimit));
        if (ended) {
            result = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        } else {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            kill_services();
        }
        pid_ = -1;
    }
    if (reader_.joinable()) {
        // The last lines the services printed on their way out.
        std::this_thread::sleep_for(milliseconds(200));
        stopping_.store(true);
        reader_.join();
    }
    if (console_fd_ >= 0) {
        close(console_fd_);
        console_fd_ = -1;
    }
    return result;
}

bool Interface::running() const
{
    return pid_ > 0 && kill(pid_, 0) == 0;
}

std::string Interface::console() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return console_;
}

size_t Interface::mark() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return console_.size();
}

bool Interface::wait_for(const std::string & text, size_t from, milliseconds limit) const
{
    return wait_until(
        [&] {
            std::lock_guard<std::mutex> hold(lock_);
            return console_.find(text, from) != std::string::npos;
        },
        limit);
}

bool Interface::wait_until(const std::function<bool()> & done, milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return done();
        }
        std::this_thread::sleep_for(milliseconds(kPollMs));
    }
    return true;
}

bool Interface::tap(int x, int y)
{
    return write_steps((fs::path(dir_) / kTouch).string(), touch::tap(x, y, kTapHoldMs), true);
}

bool Interface::drag(int x1, int y1, int x2, int y2, unsigned duration_ms)
{
    return write_steps((fs::path(dir_) / kTouch).string(), touch::drag(x1, y1, x2, y2, duration_ms));
}

panel::PanelImage Interface::panel() const
{
    panel::PanelImage img;
    // The panel writes each frame beside the file and renames it over it:
    // a read sees a whole frame.
    panel::read_bmp((fs::path(dir_) / kPanel).string(), img);
    return img;
}

}  // namespace tour
