// test_isolate COMMAND [ARG...]: runs COMMAND in a PID and a mount namespace
// of its own, with an empty /tmp and /proc mounted for the new PID
// namespace. The tests that start quorvex or the service programs run
// through it (ctest puts it before their commands): they bind
// /tmp/app_fw_uds and its lock, start airplay_run, spotify_run and
// airable_run and kill them by name, and in there those paths and names
// are theirs alone, so a running interface and every other test are out of
// their reach, and they can run side by side.
//
// As root it needs nothing more; elsewhere it makes a user namespace of its
// own (the caller's user and group mapped to themselves). When the
// namespaces cannot be made it fails with status 1 and says why.
//
// test_isolate --keep DIR ... COMMAND [ARG...]: the same, with DIR still
// seen in the private /tmp when it lies below the machine's: its folder
// directly below /tmp is bound into the new one. The build keeps its source
// and build trees so, for a checkout under /tmp.
//
// test_isolate --shared COMMAND [ARG...]: runs COMMAND as it is, on the
// machine's /tmp and processes, after a line on standard error that says
// so (the build chose this where the namespaces are not available; ctest
// then runs those tests one at a time).
//
// test_isolate --probe: status 0 when the namespaces can be made here, else
// 1 with the reason on standard error. The build runs it to choose.
//
// In the namespace a small init (PID 1) starts COMMAND, reaps whatever ends
// up with it (the services a killed interface leaves, for one), and exits
// with COMMAND's status when COMMAND ends (128 + the signal when a signal
// ended it); the kernel then kills everything else still running in the
// namespace. If test_isolate itself is killed (a ctest timeout), its
// helpers and so the namespace die with it.
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char * kName = "test_isolate";
constexpr int kFailed = 1;
constexpr int kSignalBase = 128;

std::string failure(const char * what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

bool write_file(const char * path, const std::string & text)
{
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return ok;
}

// Puts the caller into new PID (for its children) and mount namespaces:
// directly where it may, else inside a user namespace of its own. Empty, or
// why not.
std::string enter_namespaces()
{
    if (unshare(CLONE_NEWPID | CLONE_NEWNS) == 0) {
        return "";
    }
    const std::string direct = failure("unshare");
    const std::string uid = std::to_string(geteuid());
    const std::string gid = std::to_string(getegid());
    if (unshare(CLONE_NEWUSER | CLONE_NEWPID | CLONE_NEWNS) != 0) {
        return direct + "; with a user namespace, " + failure("unshare");
    }
    if (!write_file("/proc/self/setgroups", "deny") || !write_file("/proc/self/uid_map", uid + " " + uid + " 1\n") ||
        !write_file("/proc/self/gid_map", gid + " " + gid + " 1\n")) {
        return failure("mapping the user into its namespace");
    }
    return "";
}

constexpr const char * kTmp = "/tmp/";

// The folder directly below /tmp that holds `path` ("/tmp/a/b" gives
// "/tmp/a"), or empty when the path does not lie below /tmp.
std::string folder_below_tmp(const char * path)
{
    char real[PATH_MAX];
    if (realpath(path, real) == nullptr || std::strncmp(real, kTmp, std::strlen(kTmp)) != 0) {
        return "";
    }
    const char * rest = real + std::strlen(kTmp);
    return std::string(kTmp) + std::string(rest, std::strcspn(rest, "/"));
}

// A copy of the mount tree at each kept folder, taken before /tmp is
// covered, bound in at the same place afterwards.
struct KeptFolder {
    std::string path;
    int tree;
};

std::string keep_folders(const std::vector<std::string> & paths, std::vector<KeptFolder> * kept)
{
    for (const std::string & path : paths) {
        const std::string folder = folder_below_tmp(path.c_str());
        bool seen = folder.empty();
        for (const KeptFolder & k : *kept) {
            seen = seen || k.path == folder;
        }
        if (seen) {
            continue;
        }
        const int tree = open_tree(AT_FDCWD, folder.c_str(), OPEN_TREE_CLONE | OPEN_TREE_CLOEXEC | AT_RECURSIVE);
        if (tree < 0) {
            return failure(("keeping " + folder).c_str());
        }
        kept->push_back({folder, tree});
    }
    return "";
}

std::string bind_kept(const std::vector<KeptFolder> & kept)
{
    for (const KeptFolder & k : kept) {
        if (mkdir(k.path.c_str(), 0700) != 0 ||
            move_mount(k.tree, "", AT_FDCWD, k.path.c_str(), MOVE_MOUNT_F_EMPTY_PATH) != 0) {
            return failure(("binding " + k.path).c_str());
        }
        close(k.tree);
    }
    return "";
}

// In the new namespaces: mounts made here stay here, and /tmp and /proc
// are this namespace's own, with the kept folders in that /tmp. Empty, or
// why not.
std::string mount_own_tmp_and_proc(const std::vector<std::string> & keep)
{
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return failure("making the mounts private");
    }
    std::vector<KeptFolder> kept;
    if (const std::string why = keep_folders(keep, &kept); !why.empty()) {
        return why;
    }
    if (mount("tmpfs", "/tmp", "tmpfs", MS_NOSUID | MS_NODEV, "mode=1777") != 0) {
        return failure("mounting /tmp");
    }
    if (const std::string why = bind_kept(kept); !why.empty()) {
        return why;
    }
    if (mount("proc", "/proc", "proc", MS_NOSUID | MS_NODEV | MS_NOEXEC, nullptr) != 0) {
        return failure("mounting /proc");
    }
    return "";
}

// Tells test_isolate why the namespace could not be set up, and ends.
[[noreturn]] void give_up(int report_fd, const std::string & why)
{
    if (write(report_fd, why.data(), why.size()) < 0) {
        // Nobody to tell: the status says it failed.
    }
    _exit(kFailed);
}

int status_of(int wait_status)
{
    if (WIFEXITED(wait_status)) {
        return WEXITSTATUS(wait_status);
    }
    return WIFSIGNALED(wait_status) ? kSignalBase + WTERMSIG(wait_status) : kFailed;
}

// Waits for `pid`, reaping every other child on the way.
int wait_reaping(pid_t pid)
{
    for (;;) {
        int wait_status = 0;
        const pid_t ended = wait(&wait_status);
        if (ended == pid) {
            return wait_status;
        }
        if (ended < 0 && errno != EINTR) {
            return W_EXITCODE(kFailed, 0);
        }
    }
}

// PID 1 of the namespace; argv is null for the probe.
[[noreturn]] void init(int report_fd, char ** argv, const std::vector<std::string> & keep)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (const std::string why = mount_own_tmp_and_proc(keep); !why.empty()) {
        give_up(report_fd, why);
    }
    close(report_fd);
    if (argv == nullptr) {
        _exit(0);
    }
    const pid_t command = fork();
    if (command == 0) {
        execvp(argv[0], argv);
        std::fprintf(stderr, "%s: %s: %s\n", kName, argv[0], std::strerror(errno));
        _exit(127);
    }
    if (command < 0) {
        std::fprintf(stderr, "%s: %s\n", kName, failure("fork").c_str());
        _exit(kFailed);
    }
    const int wait_status = wait_reaping(command);
    if (WIFSIGNALED(wait_status)) {
        std::fprintf(stderr, "%s: %s ended by signal %d (%s)\n", kName, argv[0], WTERMSIG(wait_status),
                     strsignal(WTERMSIG(wait_status)));
    }
    _exit(status_of(wait_status));
}

// Between test_isolate and the namespace: enters the namespaces and starts
// their init, whose status it passes on.
[[noreturn]] void enter_and_start(int report_fd, char ** argv, const std::vector<std::string> & keep)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (const std::string why = enter_namespaces(); !why.empty()) {
        give_up(report_fd, why);
    }
    const pid_t first = fork();
    if (first == 0) {
        init(report_fd, argv, keep);
    }
    if (first < 0) {
        give_up(report_fd, failure("fork"));
    }
    close(report_fd);
    _exit(status_of(wait_reaping(first)));
}

// Runs argv (null: nothing, the probe) in the namespaces. The status, or
// -1 with `why` when the namespaces could not be made.
int run_isolated(char ** argv, const std::vector<std::string> & keep, std::string * why)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        *why = failure("pipe");
        return -1;
    }
    const pid_t helper = fork();
    if (helper == 0) {
        close(fds[0]);
        enter_and_start(fds[1], argv, keep);
    }
    close(fds[1]);
    if (helper < 0) {
        close(fds[0]);
        *why = failure("fork");
        return -1;
    }
    // The helpers close their end once the namespace is set up, and write
    // why before they give up.
    char buf[512];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) != 0) {
        if (n > 0) {
            why->append(buf, static_cast<size_t>(n));
        } else if (errno != EINTR) {
            break;
        }
    }
    close(fds[0]);
    const int status = status_of(wait_reaping(helper));
    return why->empty() ? status : -1;
}

}  // namespace

int main(int argc, char ** argv)
{
    const std::string option = argc > 1 ? argv[1] : "";
    if (option == "--probe") {
        std::string why;
        const int status = run_isolated(nullptr, {}, &why);
        if (status != 0) {
            std::fprintf(stderr, "%s: no private PID and mount namespace here: %s\n", kName, why.c_str());
        }
        return status == 0 ? 0 : kFailed;
    }
    const bool shared = option == "--shared";
    char ** command = argv + (shared ? 2 : 1);
    std::vector<std::string> keep;
    while (!shared && command[0] != nullptr && std::strcmp(command[0], "--keep") == 0 && command[1] != nullptr) {
        keep.push_back(command[1]);
        command += 2;
    }
    if (*command == nullptr) {
        std::fprintf(stderr, "usage: %s [--keep DIR]... COMMAND [ARG...] | %s --shared COMMAND [ARG...] | %s --probe\n",
                     kName, kName, kName);
        return 2;
    }
    if (shared) {
        std::fprintf(stderr,
                     "%s: no private namespaces on this machine: %s runs on the machine's /tmp and processes "
                     "(one such test at a time; it kills the services of an interface running here)\n",
                     kName, command[0]);
        execvp(command[0], command);
        std::fprintf(stderr, "%s: %s: %s\n", kName, command[0], std::strerror(errno));
        return 127;
    }
    std::string why;
    const int status = run_isolated(command, keep, &why);
    if (status < 0) {
        std::fprintf(stderr,
                     "%s: no private PID and mount namespace here (%s); configure the build again "
                     "(-DQUORVEX_TEST_NAMESPACES=AUTO or OFF) to run these tests on the machine's own, one at a "
                     "time\n",
                     kName, why.c_str());
        return kFailed;
    }
    return status;
}
