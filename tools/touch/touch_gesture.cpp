// Writes touch gestures into a touch FIFO (or file) read by the interface's
// pointer device, and key presses into a keypad FIFO:
//   touch_gesture FIFO tap X Y
//   touch_gesture FIFO drag X1 Y1 X2 Y2 [DURATION_MS]
//   touch_gesture FIFO key KEY [HOLD_MS]
// KEY is a Linux key code or the name of one of the keys the keypad reader
// maps (see kKeyNames).

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "gesture.hpp"

namespace {

constexpr uint32_t kDefaultDragMs = 300;

struct KeyName {
    const char * name;
    uint16_t code;
};

constexpr KeyName kKeyNames[] = {
    {"esc", KEY_ESC},     {"backspace", KEY_BACKSPACE}, {"tab", KEY_TAB},
    {"enter", KEY_ENTER}, {"kpenter", KEY_KPENTER},     {"home", KEY_HOME},
    {"up", KEY_UP},       {"left", KEY_LEFT},           {"right", KEY_RIGHT},
    {"end", KEY_END},     {"down", KEY_DOWN},           {"delete", KEY_DELETE},
    {"ok", KEY_OK},       {"previous", KEY_PREVIOUS},
};

void usage()
{
    std::fprintf(stderr,
                 "usage: touch_gesture FIFO tap X Y\n"
                 "       touch_gesture FIFO drag X1 Y1 X2 Y2 [DURATION_MS]\n"
                 "       touch_gesture FIFO key KEY [HOLD_MS]\n"
                 "KEY: a Linux key code (0-%d) or one of:",
                 KEY_MAX);
    for (const KeyName & k : kKeyNames) {
        std::fprintf(stderr, " %s", k.name);
    }
    std::fprintf(stderr, "\n");
}

bool parse_int(const char * text, int32_t * out)
{
    char * end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < INT32_MIN || v > INT32_MAX) {
        return false;
    }
    *out = static_cast<int32_t>(v);
    return true;
}

bool parse_ints(char ** texts, int count, int32_t * out)
{
    for (int i = 0; i < count; i++) {
        if (!parse_int(texts[i], &out[i])) {
            std::fprintf(stderr, "touch_gesture: not a number: %s\n", texts[i]);
            return false;
        }
    }
    return true;
}

bool parse_key(const char * text, uint16_t * code)
{
    for (const KeyName & k : kKeyNames) {
        if (std::strcmp(text, k.name) == 0) {
            *code = k.code;
            return true;
        }
    }
    int32_t v = 0;
    if (!parse_int(text, &v) || v < 0 || v > KEY_MAX) {
        std::fprintf(stderr, "touch_gesture: not a key: %s\n", text);
        return false;
    }
    *code = static_cast<uint16_t>(v);
    return true;
}

bool write_steps(int fd, const std::vector<touch::Step> & steps)
{
    for (const touch::Step & step : steps) {
        std::this_thread::sleep_for(std::chrono::milliseconds(step.delay_ms));
        const size_t bytes = step.events.size() * sizeof(input_event);
        // One write per step: a FIFO keeps writes up to PIPE_BUF whole.
        if (write(fd, step.events.data(), bytes) != static_cast<ssize_t>(bytes)) {
            std::fprintf(stderr, "touch_gesture: write failed: %s\n", std::strerror(errno));
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char ** argv)
{
    if (argc < 3) {
        usage();
        return 2;
    }
    const std::string verb = argv[2];
    std::vector<touch::Step> steps;
    int32_t v[5] = {0, 0, 0, 0, static_cast<int32_t>(kDefaultDragMs)};
    if (verb == "tap" && argc == 5) {
        if (!parse_ints(argv + 3, 2, v)) {
            return 2;
        }
        steps = touch::tap(v[0], v[1]);
    } else if (verb == "drag" && (argc == 7 || argc == 8)) {
        if (!parse_ints(argv + 3, argc - 3, v) || v[4] < 0) {
            return 2;
        }
        steps = touch::drag(v[0], v[1], v[2], v[3], static_cast<uint32_t>(v[4]));
    } else if (verb == "key" && (argc == 4 || argc == 5)) {
        uint16_t code = 0;
        int32_t hold = static_cast<int32_t>(touch::kKeyHoldMs);
        if (!parse_key(argv[3], &code) || (argc == 5 && (!parse_ints(argv + 4, 1, &hold) || hold < 0))) {
            return 2;
        }
        steps = touch::key(code, static_cast<uint32_t>(hold));
    } else {
        usage();
        return 2;
    }
    // Non-blocking open: a FIFO nobody reads fails at once instead of hanging.
    const int fd = open(argv[1], O_WRONLY | O_NONBLOCK | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "touch_gesture: cannot open %s: %s\n", argv[1],
                     errno == ENXIO ? "no reader (is quorvex running?)" : std::strerror(errno));
        return 1;
    }
    // Blocking writes from here on: the reader may be slower than the gesture.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool ok = write_steps(fd, steps);
    close(fd);
    return ok ? 0 : 1;
}
