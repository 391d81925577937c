#include "stuck_fifo.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

constexpr std::chrono::milliseconds kReleaseEvery{20};

// Opens and closes each end once: a reader waiting in open() gets in and,
// with no writer left, reads the end of the file; a writer waiting in open()
// gets in and meets no reader.
void let_waiters_through(const std::string & path)
{
    for (int mode : {O_WRONLY, O_RDONLY}) {
        const int fd = open(path.c_str(), mode | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) close(fd);
    }
}

}  // namespace

StuckFifo::StuckFifo(std::string path, Writer writer) : path_(std::move(path))
{
    if (mkfifo(path_.c_str(), 0600) != 0) {
        ADD_FAILURE() << "mkfifo " << path_ << ": " << std::strerror(errno);
        return;
    }
    // Read-write never waits for a partner; the FIFO then has a writer.
    if (writer == Writer::Silent) writer_fd_ = open(path_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

StuckFifo::~StuckFifo()
{
    if (writer_fd_ >= 0) close(writer_fd_);
    unlink(path_.c_str());
}

bool StuckFifo::blocks(const std::function<void()> & action, std::chrono::milliseconds bound)
{
    std::mutex mutex;
    std::condition_variable done_cv;
    bool done = false;
    std::atomic<bool> freed{false};
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (done_cv.wait_for(lock, bound, [&] { return done; })) return;
        freed = true;
        if (writer_fd_ >= 0) {
            close(writer_fd_);  // a reader waiting for bytes reads the end
            writer_fd_ = -1;
        }
        while (!done_cv.wait_for(lock, kReleaseEvery, [&] { return done; })) let_waiters_through(path_);
    });
    action();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    done_cv.notify_one();
    watchdog.join();
    return freed;
}
