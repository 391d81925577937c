// Automatic discovery of input devices: the input-device folder is watched
// with inotify, polled by a GUI timer. A folder that does not exist (yet) is
// not an error: the timer retries the watch quietly and scans the folder
// once it appears.

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "evdev_internal.hpp"
#include "lvgl.h"

namespace {

constexpr const char * kDefaultFolder = "/dev/input";
constexpr const char * kDevicePrefix = "event";
constexpr uint32_t kPollPeriodMs = LV_DEF_REFR_PERIOD;
constexpr uint32_t kWatchMask = IN_CREATE | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
constexpr size_t kEventBufSize = 4096;

struct Discovery {
    std::string folder = kDefaultFolder;
    int inotify_fd = -1;
    int watch = -1;
    lv_timer_t * timer = nullptr;
    lv_evdev_discovery_cb_t cb = nullptr;
    void * user_data = nullptr;
};

Discovery g_discovery;

bool is_device_name(const char * name)
{
    return std::strncmp(name, kDevicePrefix, std::strlen(kDevicePrefix)) == 0;
}

void add_device(const std::string & path)
{
    if (g_discovery.timer == nullptr) {
        return;  // stopped from the callback
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || gui::drivers::evdev_is_open(st.st_dev, st.st_ino)) {
        return;
    }
    lv_indev_t * indev = lv_evdev_create(LV_INDEV_TYPE_NONE, path.c_str());
    if (indev != nullptr && g_discovery.cb != nullptr) {
        g_discovery.cb(indev, gui::drivers::evdev_type_of(indev), g_discovery.user_data);
    }
}

void scan_folder()
{
    DIR * dir = opendir(g_discovery.folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent * entry = readdir(dir)) {
        if (is_device_name(entry->d_name)) {
            add_device(g_discovery.folder + "/" + entry->d_name);
        }
    }
    closedir(dir);
}

// Arms the watch when the folder exists; true once armed (then scans it).
bool arm_watch()
{
    g_discovery.watch = inotify_add_watch(g_discovery.inotify_fd, g_discovery.folder.c_str(), kWatchMask);
    if (g_discovery.watch < 0) {
        return false;
    }
    scan_folder();
    return true;
}

void read_events()
{
    alignas(inotify_event) char buf[kEventBufSize];
    for (;;) {
        const ssize_t n = ::read(g_discovery.inotify_fd, buf, sizeof(buf));
        if (n <= 0) {
            return;
        }
        for (ssize_t off = 0; off < n;) {
            const auto * ev = reinterpret_cast<const inotify_event *>(buf + off);
            off += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
            if (ev->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
                inotify_rm_watch(g_discovery.inotify_fd, g_discovery.watch);
                g_discovery.watch = -1;  // re-armed by the timer when it comes back
            } else if (ev->len > 0 && is_device_name(ev->name)) {
                add_device(g_discovery.folder + "/" + ev->name);
            }
        }
    }
}

void discovery_timer_cb(lv_timer_t *)
{
    if (g_discovery.watch < 0) {
        arm_watch();
        return;
    }
    read_events();
}

}  // namespace

namespace gui::drivers {

void evdev_set_discovery_folder(const std::string & folder)
{
    g_discovery.folder = folder;
}

}  // namespace gui::drivers

extern "C" {

lv_result_t lv_evdev_discovery_start(lv_evdev_discovery_cb_t cb, void * user_data)
{
    if (g_discovery.timer != nullptr) {
        return LV_RESULT_INVALID;
    }
    g_discovery.inotify_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (g_discovery.inotify_fd < 0) {
        LV_LOG_ERROR("inotify_init1 failed: %s", std::strerror(errno));
        return LV_RESULT_INVALID;
    }
    g_discovery.cb = cb;
    g_discovery.user_data = user_data;
    g_discovery.watch = -1;
    g_discovery.timer = lv_timer_create(discovery_timer_cb, kPollPeriodMs, nullptr);
    arm_watch();
    return LV_RESULT_OK;
}

lv_result_t lv_evdev_discovery_stop(void)
{
    if (g_discovery.timer == nullptr) {
        return LV_RESULT_INVALID;
    }
    lv_timer_delete(g_discovery.timer);
    g_discovery.timer = nullptr;
    ::close(g_discovery.inotify_fd);
    g_discovery.inotify_fd = -1;
    g_discovery.watch = -1;
    return LV_RESULT_OK;
}

}  // extern "C"
