// The whole interface as a person runs it: the quorvex binary in a working
// directory of its own with the font, the background picture and the
// service programs, on the virtual panel, touched through its touch FIFO.
// Its console (and that of the services it starts) goes to a terminal, so
// that each line arrives as it is printed, and is kept here.
//
// quorvex binds the fixed framework socket and kills the services by name:
// run one at a time on a machine (flock /tmp/quorvex-e2e.lock).
#pragma once

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "panel_image.hpp"

namespace tour {

struct InterfaceFiles {
    std::string quorvex;       // the binary
    std::string services;      // folder of airplay_run, spotify_run, airable_run
    std::string platform_bin;  // stand-ins of the board's programs, first on PATH
    std::string font;          // any TrueType font with Latin and Chinese glyphs
    std::string background;    // any PNG
    // NAME=VALUE entries on top of this process's environment; a PATH entry
    // comes after platform_bin.
    std::vector<std::string> env;
};

class Interface {
public:
    explicit Interface(InterfaceFiles files);
    ~Interface();
    Interface(const Interface &) = delete;
    Interface & operator=(const Interface &) = delete;

    // Prepares the working directory and starts quorvex. False with a
    // reason in `error`.
    bool start(std::string * error);
    // Ctrl+C, as a person stops it (it kills the services it started); a
    // process that does not end is killed, with the services. The exit
    // status, or -1 when it had to be killed.
    int stop();

    // Everything printed so far, and the length of it (a mark to search from).
    std::string console() const;
    size_t mark() const;
    // Waits until `text` has been printed after `from`.
    bool wait_for(const std::string & text, size_t from, std::chrono::milliseconds limit) const;
    // Waits until `done` holds, looking every 20 ms.
    static bool wait_until(const std::function<bool()> & done, std::chrono::milliseconds limit);

    // Gestures through the touch FIFO; they return once written.
    bool tap(int x, int y);
    bool drag(int x1, int y1, int x2, int y2, unsigned duration_ms);

    // The last frame on the panel (empty before the first).
    panel::PanelImage panel() const;
    const std::string & dir() const { return dir_; }
    bool running() const;

private:
    void read_console();

    InterfaceFiles files_;
    std::string dir_;
    pid_t pid_ = -1;
    int console_fd_ = -1;
    std::thread reader_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex lock_;
    std::string console_;
};

}  // namespace tour
