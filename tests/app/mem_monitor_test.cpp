// The memory monitor: its line and period on a fake clock with made-up /proc
// files, and its thread running beside a busy GUI thread.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "gui_fixture.hpp"
#include "key_input.h"
#include "key_input_internal.h"
#include "mem_monitor.h"
#include "mem_monitor_internal.h"
#include "stdout_capture.hpp"
#include "temp_dir.hpp"
#include "tools/touch/gesture.hpp"

namespace {

namespace fs = std::filesystem;

constexpr char kHead[] = "\033[1;33m[LVGL_UI][mem_monitor_thread:";

std::string printed(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string printed(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    return text;
}

// What follows the heap figures in a report line ("rss=..."), or "not a
// report" when the line does not begin exactly as a report does.
std::string figures_of(const std::string& line)
{
    int source_line = 0;
    size_t heap_used = 0;
    size_t heap_free = 0;
    if (line.rfind(kHead, 0) != 0 ||
        std::sscanf(line.c_str() + std::strlen(kHead),
                    "%d]\033[0m [MEM] heap_used=%zuKB heap_free=%zuKB", &source_line, &heap_used,
                    &heap_free) != 3) {
        return "not a report";
    }
    const std::string head = printed("%s%d]\033[0m [MEM] heap_used=%zuKB heap_free=%zuKB ", kHead,
                                     source_line, heap_used, heap_free);
    return line.rfind(head, 0) == 0 ? line.substr(head.size()) : "not a report";
}

// Whether `figures` are the resident size and the available memory in kB
// and in MB with two places, as from /proc on a live system.
bool live_figures(const std::string& figures)
{
    long rss = 0;
    long avail = 0;
    double rss_mb = 0;
    if (std::sscanf(figures.c_str(), "rss=%ldKB (%lfMB) sys_avail=%ldKB", &rss, &rss_mb, &avail) != 3) {
        return false;
    }
    return rss > 0 && avail > 0 &&
           figures == printed("rss=%ldKB (%.2fMB) sys_avail=%ldKB (%.2fMB)", rss, rss / 1024.0, avail,
                              avail / 1024.0);
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Output of the monitor in memory, read once the monitor has stopped or
// from its own wait.
class MemoryOut {
public:
    MemoryOut() : file_(open_memstream(&buffer_, &size_)) {}
    ~MemoryOut()
    {
        std::fclose(file_);
        std::free(buffer_);
    }
    FILE* file() const { return file_; }
    std::string text()
    {
        std::fflush(file_);
        return std::string(buffer_, size_);
    }

private:
    char* buffer_ = nullptr;
    size_t size_ = 0;
    FILE* file_;
};

// A wait that returns at once: it notes what was asked and how many lines
// were out by then, and ends the thread after `reports` reports.
struct FakeClock {
    int reports = 0;
    MemoryOut* out = nullptr;
    std::vector<uint32_t> waits;
    std::vector<size_t> lines_before_wait;

    static int wait(void* ctx, uint32_t ms)
    {
        auto* self = static_cast<FakeClock*>(ctx);
        self->waits.push_back(ms);
        self->lines_before_wait.push_back(lines_of(self->out->text()).size());
        return static_cast<int>(self->waits.size()) > self->reports ? -1 : 0;
    }
};

class MemMonitor : public ::testing::Test {
protected:
    // The monitor's output for one report, /proc files made of `status` and
    // `meminfo` (nullptr: the file is missing).
    std::string one_report(const char* status, const char* meminfo)
    {
        const std::string status_path = dir + "/status";
        const std::string meminfo_path = dir + "/meminfo";
        fs::remove(status_path);
        fs::remove(meminfo_path);
        if (status != nullptr) {
            std::ofstream(status_path) << status;
        }
        if (meminfo != nullptr) {
            std::ofstream(meminfo_path) << meminfo;
        }
        MemoryOut out;
        FakeClock clock{1, &out, {}, {}};
        mem_monitor_io_t io{FakeClock::wait, &clock, out.file(), status_path.c_str(), meminfo_path.c_str()};
        EXPECT_EQ(mem_monitor_thread(&io), nullptr);
        return out.text();
    }

    TempDir tmp{"memmon"};
    const std::string dir = tmp.path();
};

TEST_F(MemMonitor, LineCarriesTheHeapTheResidentSizeAndTheAvailableMemory)
{
    const std::string long_line = "Groups:" + std::string(120, ' ') + "VmRSS:  999 kB\n";
    struct Case {
        const char* name;
        const char* status;
        const char* meminfo;
        const char* figures;  // after the heap figures
    };
    const std::string status_long = long_line + "VmRSS:\t    7 kB\n";
    const Case cases[] = {
        {"figures in kB", "Name:\tquorvex\nVmPeak:\t  90000 kB\nVmRSS:\t   51200 kB\n",
         "MemTotal:  2048000 kB\nMemFree:  100 kB\nMemAvailable:    1048576 kB\n",
         "rss=51200KB (50.00MB) sys_avail=1048576KB (1024.00MB)"},
        {"past 2 GiB", "VmRSS: 3145728 kB\n", "MemAvailable: 8388608 kB\n",
         "rss=3145728KB (3072.00MB) sys_avail=8388608KB (8192.00MB)"},
        {"rounded to two places", "VmRSS: 1000 kB\n", "MemAvailable: 1 kB\n",
         "rss=1000KB (0.98MB) sys_avail=1KB (0.00MB)"},
        {"no /proc", nullptr, nullptr, "rss=-1KB (0.00MB) sys_avail=-1KB (0.00MB)"},
        {"no such lines", "Name: x\nVmHWM: 5 kB\n", "MemFree: 5 kB\n",
         "rss=-1KB (0.00MB) sys_avail=-1KB (0.00MB)"},
        {"first line wins", "VmRSS: 11 kB\nVmRSS: 22 kB\n", "MemAvailable: 33 kB\nMemAvailable: 44 kB\n",
         "rss=11KB (0.01MB) sys_avail=33KB (0.03MB)"},
        {"only at the start of a line", "xVmRSS: 5 kB\n", " MemAvailable: 6 kB\n",
         "rss=-1KB (0.00MB) sys_avail=-1KB (0.00MB)"},
        {"not the tail of a long line", status_long.c_str(), "MemAvailable: 0 kB\n",
         "rss=7KB (0.01MB) sys_avail=0KB (0.00MB)"},
        {"no number", "VmRSS: lots\n", "MemAvailable:\n", "rss=-1KB (0.00MB) sys_avail=-1KB (0.00MB)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string out = one_report(c.status, c.meminfo);
        ASSERT_FALSE(out.empty());
        EXPECT_EQ(out.back(), '\n');
        EXPECT_EQ(figures_of(out), std::string(c.figures) + "\n") << out;
    }
}

TEST_F(MemMonitor, ReportsEveryTwoSecondsTheFirstAfterTwo)
{
    MemoryOut out;
    FakeClock clock{3, &out, {}, {}};
    mem_monitor_io_t io{FakeClock::wait, &clock, out.file(), "/proc/self/status", "/proc/meminfo"};
    EXPECT_EQ(mem_monitor_thread(&io), nullptr);
    EXPECT_EQ(clock.waits, (std::vector<uint32_t>{2000, 2000, 2000, 2000}));
    EXPECT_EQ(clock.lines_before_wait, (std::vector<size_t>{0, 1, 2, 3}));
    const std::vector<std::string> lines = lines_of(out.text());
    ASSERT_EQ(lines.size(), 3u);
    for (const std::string& line : lines) {
        EXPECT_TRUE(live_figures(figures_of(line))) << line;
    }
}

// The monitor thread beside a GUI thread that runs its timers, reads keys
// and logs: each report waits for the GUI thread to have moved on, the GUI
// thread runs until the monitor is done, and both write whole lines to
// standard output. ThreadSanitizer watches the pair.
class MemMonitorBesideGui : public test_support::GuiTest {
protected:
    static constexpr int kReports = 5;
    static constexpr auto kDeadline = std::chrono::seconds(60);  // a hang, not a slow machine

    struct Shared {
        std::atomic<int> gui_rounds{0};
        std::atomic<bool> monitor_done{false};
        int reports = 0;  // monitor thread only
        int seen_rounds = 0;
    };

    // Before each report, wait until the GUI thread has done a round more.
    static int wait_for_gui(void* ctx, uint32_t)
    {
        auto* shared = static_cast<Shared*>(ctx);
        if (shared->reports == kReports) {
            return -1;
        }
        const auto deadline = std::chrono::steady_clock::now() + kDeadline;
        while (shared->gui_rounds.load() == shared->seen_rounds) {
            if (std::chrono::steady_clock::now() > deadline) {
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        shared->seen_rounds = shared->gui_rounds.load();
        shared->reports++;
        return 0;
    }

    static void* monitor(void* arg)
    {
        auto* io = static_cast<mem_monitor_io_t*>(arg);
        mem_monitor_thread(io);
        static_cast<Shared*>(io->ctx)->monitor_done.store(true);
        return nullptr;
    }
};

TEST_F(MemMonitorBesideGui, NeitherBlocksNorRacesTheGuiThread)
{
    const TempDir tmp("memmon");
    ASSERT_FALSE(tmp.path().empty());
    const std::string fifo = tmp.file("keypad");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    key_input_set_device_path(fifo.c_str());
    lv_group_t* group = lv_group_create();
    lv_group_add_obj(group, lv_obj_create(lv_screen_active()));
    ASSERT_NE(key_input_init(display(), group), nullptr);
    const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(writer, 0);

    Shared shared;
    mem_monitor_io_t io{wait_for_gui, &shared, nullptr, "/proc/self/status", "/proc/meminfo"};
    StdoutCapture captured;
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, nullptr, monitor, &io), 0);

    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (!shared.monitor_done.load() && std::chrono::steady_clock::now() < deadline) {
        const std::vector<input_event> stroke = touch::key_event(KEY_ESC, 1);
        const size_t bytes = stroke.size() * sizeof(input_event);
        if (write(writer, stroke.data(), bytes) != static_cast<ssize_t>(bytes)) {
            ADD_FAILURE() << "cannot write the keypad FIFO";  // the monitor still ends at its deadline
            break;
        }
        lv_obj_delete(lv_obj_create(lv_screen_active()));  // the heap changes under the monitor
        run_for(LV_DEF_REFR_PERIOD, LV_DEF_REFR_PERIOD);   // reads the key, logs, redraws
        shared.gui_rounds++;
    }
    pthread_join(thread, nullptr);
    const std::string out = captured.text();
    close(writer);
    key_input_set_device_path(nullptr);

    EXPECT_GE(shared.gui_rounds.load(), kReports);
    int reports = 0;
    for (const std::string& line : lines_of(out)) {
        if (line.find("[MEM]") == std::string::npos) {
            continue;
        }
        EXPECT_TRUE(live_figures(figures_of(line))) << "a whole line: " << line;
        reports++;
    }
    EXPECT_EQ(reports, kReports);
}

}  // namespace
