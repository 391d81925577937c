// Touch gestures and key presses as timelines of native input_event records,
// the format the GUI library's evdev driver reads from a touch FIFO and the
// keypad reader from its device.
#pragma once

#include <linux/input.h>

#include <cstdint>
#include <vector>

namespace touch {

// A press shorter than two reads of the pointer (33 ms apart) could be
// merged with its release and lost, so a tap is held longer. Keys are held
// as long, like a finger on a button.
inline constexpr uint32_t kTapHoldMs = 100;
inline constexpr uint32_t kKeyHoldMs = kTapHoldMs;
inline constexpr uint32_t kMoveStepMs = 10;

// Wait `delay_ms`, then write `events`.
struct Step {
    uint32_t delay_ms;
    std::vector<input_event> events;
};

inline input_event record(uint16_t type, uint16_t code, int32_t value)
{
    input_event ev{};
    ev.type = type;
    ev.code = code;
    ev.value = value;
    return ev;
}

inline std::vector<input_event> at(int32_t x, int32_t y, int touch)
{
    std::vector<input_event> evs = {record(EV_ABS, ABS_X, x), record(EV_ABS, ABS_Y, y)};
    if (touch >= 0) {
        evs.push_back(record(EV_KEY, BTN_TOUCH, touch));
    }
    evs.push_back(record(EV_SYN, SYN_REPORT, 0));
    return evs;
}

// Press at (x, y), hold, release.
inline std::vector<Step> tap(int32_t x, int32_t y, uint32_t hold_ms = kTapHoldMs)
{
    return {{0, at(x, y, 1)}, {hold_ms, at(x, y, 0)}};
}

// Press at (x1, y1), move in a straight line to (x2, y2) over duration_ms
// (one record every kMoveStepMs), release there.
inline std::vector<Step> drag(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t duration_ms)
{
    std::vector<Step> steps = {{0, at(x1, y1, 1)}};
    const uint32_t moves = duration_ms / kMoveStepMs > 0 ? duration_ms / kMoveStepMs : 1;
    for (uint32_t i = 1; i <= moves; i++) {
        const int64_t x = x1 + (static_cast<int64_t>(x2) - x1) * i / moves;
        const int64_t y = y1 + (static_cast<int64_t>(y2) - y1) * i / moves;
        steps.push_back({kMoveStepMs, at(static_cast<int32_t>(x), static_cast<int32_t>(y), -1)});
    }
    steps.push_back({kMoveStepMs, at(x2, y2, 0)});
    return steps;
}

// One key record and its report, as a keyboard sends them.
inline std::vector<input_event> key_event(uint16_t code, int32_t value)
{
    return {record(EV_KEY, code, value), record(EV_SYN, SYN_REPORT, 0)};
}

// Press key `code`, hold, release. Without a hold, press and release go in
// one write, so that the reader finds both in one read.
inline std::vector<Step> key(uint16_t code, uint32_t hold_ms = kKeyHoldMs)
{
    std::vector<input_event> press = key_event(code, 1);
    const std::vector<input_event> release = key_event(code, 0);
    if (hold_ms == 0) {
        press.insert(press.end(), release.begin(), release.end());
        return {{0, press}};
    }
    return {{0, press}, {hold_ms, release}};
}

}  // namespace touch
