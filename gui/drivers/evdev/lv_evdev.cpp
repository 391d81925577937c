// The evdev input driver: real event devices, and FIFOs or plain files that
// deliver native struct input_event records (the stand-in for touch
// hardware: without axis ranges their ABS coordinates are display pixels).

#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "evdev_internal.hpp"
#include "gui/drivers/printable.hpp"
#include "lvgl.h"

namespace {

constexpr size_t kEventSize = sizeof(input_event);
constexpr size_t kReadChunk = 64 * kEventSize;
// Records one read callback takes from the device at most, far more than a
// touch screen reports between two reads. A device that never runs dry
// (a file like /dev/zero, a writer that floods) is read a piece at a time,
// and the GUI timers run in between.
constexpr size_t kReadBudget = 4 * kReadChunk;
// Key transitions reported in a row through continue_reading, which makes
// the library read again at once: a device that floods keys gives the
// timers their turn after this many.
constexpr uint32_t kKeysInARow = 64;

struct EvdevState {
    int fd = -1;
    dev_t dev = 0;
    ino_t ino = 0;
    lv_evdev_type_t type = LV_EVDEV_TYPE_ABS;
    bool swap_axes = false;
    int min_x = 0, min_y = 0, max_x = 0, max_y = 0;
    int32_t raw_x = 0, raw_y = 0;
    lv_indev_state_t state = LV_INDEV_STATE_RELEASED;
    uint32_t key = 0;
    std::vector<uint8_t> pending;  // bytes of a record not yet complete
    uint32_t keys_in_a_row = 0;    // reads that asked to be read again at once
    bool deleting = false;

    ~EvdevState()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

EvdevState * state_of(lv_indev_t * indev)
{
    return static_cast<EvdevState *>(lv_indev_get_driver_data(indev));
}

template <size_t N> bool test_bit(const unsigned long (&bits)[N], unsigned bit)
{
    constexpr unsigned kBitsPerLong = sizeof(unsigned long) * 8;
    return bit / kBitsPerLong < N && (bits[bit / kBitsPerLong] >> (bit % kBitsPerLong)) & 1UL;
}

constexpr size_t longs_for(unsigned bits)
{
    return bits / (sizeof(unsigned long) * 8) + 1;
}

// Device kind from the capabilities; false when it cannot be told.
bool detect_type(int fd, lv_evdev_type_t * out)
{
    unsigned long rel[longs_for(REL_MAX)] = {};
    unsigned long abs[longs_for(ABS_MAX)] = {};
    unsigned long key[longs_for(KEY_MAX)] = {};
    if (ioctl(fd, EVIOCGBIT(EV_REL, sizeof(rel)), rel) < 0) {
        struct stat st {};
        // Not an event device: a FIFO or file of records stands in for touch.
        if (fstat(fd, &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISREG(st.st_mode))) {
            *out = LV_EVDEV_TYPE_ABS;
            return true;
        }
        return false;
    }
    ioctl(fd, EVIOCGBIT(EV_ABS, sizeof(abs)), abs);
    ioctl(fd, EVIOCGBIT(EV_KEY, sizeof(key)), key);
    if (test_bit(rel, REL_X) && test_bit(rel, REL_Y)) {
        *out = LV_EVDEV_TYPE_REL;
    } else if (test_bit(abs, ABS_X) && test_bit(abs, ABS_Y)) {
        *out = LV_EVDEV_TYPE_ABS;
    } else if (std::any_of(std::begin(key), std::end(key), [](unsigned long w) { return w != 0; })) {
        *out = LV_EVDEV_TYPE_KEY;
    } else {
        return false;
    }
    return true;
}

void read_calibration(EvdevState & st)
{
    input_absinfo ax{}, ay{};
    if (ioctl(st.fd, EVIOCGABS(ABS_X), &ax) == 0 && ioctl(st.fd, EVIOCGABS(ABS_Y), &ay) == 0) {
        st.min_x = ax.minimum;
        st.max_x = ax.maximum;
        st.min_y = ay.minimum;
        st.max_y = ay.maximum;
    }
}

uint32_t map_key(uint16_t code)
{
    switch (code) {
    case KEY_UP: return LV_KEY_UP;
    case KEY_DOWN: return LV_KEY_DOWN;
    case KEY_RIGHT: return LV_KEY_RIGHT;
    case KEY_LEFT: return LV_KEY_LEFT;
    case KEY_ESC: return LV_KEY_ESC;
    case KEY_DELETE: return LV_KEY_DEL;
    case KEY_BACKSPACE: return LV_KEY_BACKSPACE;
    case KEY_ENTER: return LV_KEY_ENTER;
    case KEY_NEXT:
    case KEY_TAB: return LV_KEY_NEXT;
    case KEY_PREVIOUS: return LV_KEY_PREV;
    case KEY_HOME: return LV_KEY_HOME;
    case KEY_END: return LV_KEY_END;
    default: return 0;
    }
}

// Applies one record; true when it was a mapped key, which is reported on
// its own read.
bool apply_event(EvdevState & st, const input_event & ev)
{
    switch (ev.type) {
    case EV_REL:
        if (ev.code == REL_X) {
            st.raw_x += ev.value;
        } else if (ev.code == REL_Y) {
            st.raw_y += ev.value;
        }
        return false;
    case EV_ABS:
        if (ev.code == ABS_X || ev.code == ABS_MT_POSITION_X) {
            st.raw_x = ev.value;
        } else if (ev.code == ABS_Y || ev.code == ABS_MT_POSITION_Y) {
            st.raw_y = ev.value;
        } else if (ev.code == ABS_MT_TRACKING_ID) {
            st.state = ev.value == -1 ? LV_INDEV_STATE_RELEASED : LV_INDEV_STATE_PRESSED;
        }
        return false;
    case EV_KEY:
        if (ev.code == BTN_TOUCH || ev.code == BTN_MOUSE) {
            st.state = ev.value != 0 ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
            return false;
        }
        if (const uint32_t key = map_key(ev.code); key != 0 && st.type == LV_EVDEV_TYPE_KEY) {
            st.key = key;
            st.state = ev.value != 0 ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
            return true;
        }
        return false;
    default: return false;
    }
}

int32_t map_axis(int32_t raw, int min, int max, int32_t res, int32_t offset)
{
    int64_t v = raw;
    if (min != max) {
        v = (static_cast<int64_t>(raw) - min) * (res - 1) / (static_cast<int64_t>(max) - min);
    }
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, res - 1)) + offset;
}

lv_point_t pointer_point(const EvdevState & st, lv_indev_t * indev)
{
    lv_display_t * disp = lv_indev_get_display(indev);
    const int32_t w = lv_display_get_horizontal_resolution(disp);
    const int32_t h = lv_display_get_vertical_resolution(disp);
    const int32_t ox = lv_display_get_offset_x(disp);
    const int32_t oy = lv_display_get_offset_y(disp);
    const int32_t rx = st.swap_axes ? st.raw_y : st.raw_x;
    const int32_t ry = st.swap_axes ? st.raw_x : st.raw_y;
    return {map_axis(rx, st.min_x, st.max_x, w, ox), map_axis(ry, st.min_y, st.max_y, h, oy)};
}

void delete_async_cb(void * indev)
{
    lv_indev_delete(static_cast<lv_indev_t *>(indev));
}

// Reads what is pending, up to kReadBudget bytes; false when the device is
// gone.
bool drain(EvdevState & st, bool * key_event)
{
    *key_event = false;
    uint8_t chunk[kReadChunk];
    for (size_t budget = kReadBudget;;) {
        // Process complete records left from the previous read first, so
        // that a key transition ends this read with the rest kept.
        size_t used = 0;
        while (st.pending.size() - used >= kEventSize) {
            input_event ev{};
            std::memcpy(&ev, st.pending.data() + used, kEventSize);
            used += kEventSize;
            if (apply_event(st, ev)) {
                st.pending.erase(st.pending.begin(), st.pending.begin() + static_cast<long>(used));
                *key_event = true;
                return true;
            }
        }
        st.pending.erase(st.pending.begin(), st.pending.begin() + static_cast<long>(used));
        if (budget == 0) {
            return true;  // the rest is read by the next callbacks
        }

        const ssize_t n = ::read(st.fd, chunk, std::min(sizeof(chunk), budget));
        if (n > 0) {
            st.pending.insert(st.pending.end(), chunk, chunk + n);
            budget -= static_cast<size_t>(n);
            continue;
        }
        if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) {
            return true;  // nothing more now (a FIFO without writer reads 0)
        }
        if (errno == EINTR) {
            continue;
        }
        LV_LOG_INFO("evdev read failed: %s", std::strerror(errno));
        return false;
    }
}

void read_cb(lv_indev_t * indev, lv_indev_data_t * data)
{
    EvdevState * st = state_of(indev);
    if (st == nullptr || st->deleting) {
        return;
    }
    bool key_event = false;
    if (!drain(*st, &key_event)) {
        st->deleting = true;
        lv_async_call(delete_async_cb, indev);
        return;
    }
    if (st->type == LV_EVDEV_TYPE_KEY) {
        data->key = st->key;
        st->keys_in_a_row = key_event ? st->keys_in_a_row + 1 : 0;
        data->continue_reading = key_event && st->keys_in_a_row < kKeysInARow;
        if (!data->continue_reading) {
            st->keys_in_a_row = 0;
        }
    } else {
        data->point = pointer_point(*st, indev);
    }
    data->state = st->state;
}

void delete_cb(lv_event_t * e)
{
    std::unique_ptr<EvdevState> st(static_cast<EvdevState *>(lv_event_get_user_data(e)));
}

lv_indev_t * create_from_fd(lv_indev_type_t indev_type, int fd)
{
    lv_evdev_type_t kind = LV_EVDEV_TYPE_ABS;
    if (!detect_type(fd, &kind) && indev_type == LV_INDEV_TYPE_NONE) {
        LV_LOG_WARN("cannot tell the kind of the input device");
        ::close(fd);
        return nullptr;
    }
    if (indev_type == LV_INDEV_TYPE_NONE) {
        indev_type = kind == LV_EVDEV_TYPE_KEY ? LV_INDEV_TYPE_KEYPAD : LV_INDEV_TYPE_POINTER;
    } else if (indev_type == LV_INDEV_TYPE_KEYPAD) {
        kind = LV_EVDEV_TYPE_KEY;
    } else if (kind == LV_EVDEV_TYPE_KEY) {
        kind = LV_EVDEV_TYPE_ABS;
    }
    auto st = std::make_unique<EvdevState>();
    st->fd = fd;
    st->type = kind;
    struct stat sb {};
    if (fstat(fd, &sb) == 0) {
        st->dev = sb.st_dev;
        st->ino = sb.st_ino;
    }
    if (indev_type == LV_INDEV_TYPE_POINTER) {
        read_calibration(*st);
    }
    lv_indev_t * indev = lv_indev_create();
    if (indev == nullptr) {
        return nullptr;  // st closes the file
    }
    lv_indev_set_type(indev, indev_type);
    lv_indev_set_read_cb(indev, read_cb);
    lv_indev_set_driver_data(indev, st.get());
    lv_indev_add_event_cb(indev, delete_cb, LV_EVENT_DELETE, st.release());  // freed by delete_cb
    return indev;
}

}  // namespace

namespace gui::drivers {

// Whether an evdev input device already reads this file (same device and inode).
bool evdev_is_open(dev_t dev, ino_t ino)
{
    for (lv_indev_t * i = lv_indev_get_next(nullptr); i != nullptr; i = lv_indev_get_next(i)) {
        if (lv_indev_get_read_cb(i) != read_cb) {
            continue;
        }
        const EvdevState * st = state_of(i);
        if (st != nullptr && st->dev == dev && st->ino == ino) {
            return true;
        }
    }
    return false;
}

lv_evdev_type_t evdev_type_of(lv_indev_t * indev)
{
    return state_of(indev)->type;
}

}  // namespace gui::drivers

extern "C" {

lv_indev_t * lv_evdev_create(lv_indev_type_t indev_type, const char * dev_path)
{
    // Non-blocking from the start: opening a FIFO for reading would otherwise
    // wait for its writer.
    const int fd = ::open(dev_path, O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int err = errno;
        LV_LOG_WARN("cannot open \"%s\": %s", gui::drivers::printable(dev_path).c_str(), std::strerror(err));
        return nullptr;
    }
    return create_from_fd(indev_type, fd);
}

lv_indev_t * lv_evdev_create_fd(lv_indev_type_t indev_type, int fd)
{
    if (fd < 0) {
        return nullptr;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) {
        ::close(fd);
        return nullptr;
    }
    return create_from_fd(indev_type, fd);
}

void lv_evdev_set_swap_axes(lv_indev_t * indev, bool swap_axes)
{
    if (EvdevState * st = state_of(indev); st != nullptr) {
        st->swap_axes = swap_axes;
    }
}

void lv_evdev_set_calibration(lv_indev_t * indev, int min_x, int min_y, int max_x, int max_y)
{
    if (EvdevState * st = state_of(indev); st != nullptr) {
        st->min_x = min_x;
        st->min_y = min_y;
        st->max_x = max_x;
        st->max_y = max_y;
    }
}

void lv_evdev_delete(lv_indev_t * indev)
{
    lv_indev_delete(indev);
}

}  // extern "C"
