// A FIFO where a file is expected, and a watchdog that frees whoever gets
// stuck on it: a reader or writer waiting in open() for the other end, or a
// reader waiting in read() for bytes a silent writer never sends. Tests use it to show that the GUI
// thread never waits on such a file, without hanging when it does.
#pragma once

#include <chrono>
#include <functional>
#include <string>

class StuckFifo {
public:
    enum class Writer {
        None,    // nobody writes: open() for reading waits
        Silent,  // a writer holds it open and sends nothing: read() waits
    };

    // Makes the FIFO at `path` (which must not exist); a failure fails the test.
    StuckFifo(std::string path, Writer writer);
    ~StuckFifo();
    StuckFifo(const StuckFifo &) = delete;
    StuckFifo & operator=(const StuckFifo &) = delete;

    // Runs `action` on this thread. Whoever is still stuck on the FIFO after
    // `bound` is freed (the silent writer goes, and both ends are opened and
    // closed again and again until `action` returns). True when that was needed.
    bool blocks(const std::function<void()> & action, std::chrono::milliseconds bound = std::chrono::seconds(5));

private:
    std::string path_;
    int writer_fd_ = -1;
};
