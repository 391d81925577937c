// Integer arithmetic of scrolling: elastic drag, throw decay and prediction,
// release velocity, animation duration and scrollbar geometry. Pure functions,
// shared by the input devices and the object scroll code.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace gui::scroll {

// A drag or throw step applied while the content is past an end moves a
// quarter of the finger's distance, rounded to nearest.
constexpr int32_t kElasticDivisor = 4;

constexpr int32_t elastic_step(int32_t delta)
{
    const int32_t half = kElasticDivisor / 2;
    return (delta >= 0 ? delta + half : delta - half) / kElasticDivisor;
}

// One throw step: the velocity loses `throw_pct` percent (at most all of
// it), truncated toward 0.
constexpr int32_t throw_decay(int32_t velocity, int32_t throw_pct)
{
    const int64_t keep = 100 - (throw_pct < 0 ? 0 : throw_pct > 100 ? 100 : throw_pct);
    return int32_t(velocity * keep / 100);
}

// Where a snapping throw is taken to end: the release velocity and each
// decayed step after it, until the step reaches 0. A throw that does not
// slow down has no end: the furthest value of that sign.
constexpr int32_t predict_travel(int32_t velocity, int32_t throw_pct)
{
    if (velocity != 0 && throw_decay(velocity, throw_pct) == velocity) return velocity > 0 ? INT32_MAX : INT32_MIN;
    int64_t sum = 0;
    for (int32_t v = velocity; v != 0; v = throw_decay(v, throw_pct)) sum += v;
    return int32_t(sum < INT32_MIN ? INT32_MIN : sum > INT32_MAX ? INT32_MAX : sum);
}

// Animated scrolls run at half the display size per second on that axis
// (rounded to tens of px), clamped to 200..400 ms.
constexpr uint32_t kAnimMinMs = 200;
constexpr uint32_t kAnimMaxMs = 400;

constexpr uint32_t anim_duration(int32_t distance, int32_t resolution)
{
    const int32_t speed_tenths = (resolution / 2 + 5) / 10;  // px per 100 ms
    if (speed_tenths <= 0) return kAnimMinMs;
    const int64_t dist = distance < 0 ? -int64_t(distance) : int64_t(distance);
    const int64_t ms = dist * 100 / speed_tenths;
    if (ms < kAnimMinMs) return kAnimMinMs;
    if (ms > kAnimMaxMs) return kAnimMaxMs;
    return uint32_t(ms);
}

// Movement of the last reads while pressed, with their time stamps. The
// release velocity weights each sample by its age relative to the newest
// one; samples 99 ms older or more count 0. A finger that rested before
// lifting has recent zero samples and so throws nothing.
class VelocityHistory {
public:
    static constexpr int kSamples = 8;
    static constexpr uint32_t kWindowMs = 99;

    void clear()
    {
        count_ = 0;
        next_ = 0;
    }

    void push(int32_t vx, int32_t vy, uint32_t timestamp)
    {
        samples_[next_] = Sample{vx, vy, timestamp};
        next_ = (next_ + 1) % kSamples;
        if (count_ < kSamples) count_++;
    }

    void velocity(int32_t & vx, int32_t & vy) const
    {
        vx = 0;
        vy = 0;
        if (count_ == 0) return;
        const uint32_t newest = samples_[(next_ + kSamples - 1) % kSamples].timestamp;
        for (int i = 0; i < count_; i++) {
            const Sample & s = samples_[i];
            const uint32_t age = newest - s.timestamp;  // wrap-safe ticks
            if (age >= kWindowMs) continue;
            const int32_t weight = 512 - int32_t(512 * age / kWindowMs);
            vx += s.vx * weight / 512;
            vy += s.vy * weight / 512;
        }
    }

private:
    struct Sample {
        int32_t vx = 0;
        int32_t vy = 0;
        uint32_t timestamp = 0;
    };
    std::array<Sample, kSamples> samples_{};
    int count_ = 0;
    int next_ = 0;
};

// Snap points of a snapping axis, given as each snappable child's distance
// from the snap line (positive: beyond it, towards the content's end). A
// child exactly on the line counts for neither side.
//
// The drag is elastic while one side has no snap point left, whichever way
// the finger goes: the first step off the first or last child is damped.
constexpr bool snap_elastic(std::span<const int32_t> offsets)
{
    bool before = false;
    bool after = false;
    for (int32_t d : offsets) {
        before = before || d < 0;
        after = after || d > 0;
    }
    return !(before && after);
}

// Limits on the sum of finger steps a one-step drag may apply (negative
// steps move towards the content's end): as far as the nearest snap point
// on each side. A side without one stays open, as snapping corrects it.
struct StepRange {
    int32_t min = INT32_MIN;
    int32_t max = INT32_MAX;

    // `step` cut so that `applied` + step stays inside the range.
    constexpr int32_t clamp_step(int32_t applied, int32_t step) const
    {
        const int64_t sum = int64_t(applied) + step;
        if (sum < min) return int32_t(int64_t(min) - applied);
        if (sum > max) return int32_t(int64_t(max) - applied);
        return step;
    }
};

constexpr StepRange one_step_range(std::span<const int32_t> offsets)
{
    StepRange r;
    for (int32_t d : offsets) {
        if (d > 0 && -d > r.min) r.min = -d;
        if (d < 0 && -d < r.max) r.max = -d;
    }
    return r;
}

// Where a scrollbar sits inside its track, as an offset from the track start.
struct BarSpan {
    int32_t offset;
    int32_t length;
};

// `visible`: the object's size on the axis; `before`/`after`: content hidden
// before/after it (negative while over-scrolled). The bar is proportional to
// the visible share, at least `min_len`, placed by the share hidden after it.
// Pushed against an end during over-scroll it is cut at the track's end and
// kept min_len + 1 long. With nothing to scroll it covers the track but for
// its last row.
constexpr BarSpan scrollbar_span(int32_t track, int32_t visible, int32_t before, int32_t after, int32_t min_len)
{
    if (track <= 0 || visible <= 0) return BarSpan{0, 0};
    const int32_t hidden = before + after;
    if (hidden <= 0) return BarSpan{0, track - 1};
    int32_t length = int32_t(int64_t(track) * visible / (visible + hidden));
    if (length < min_len) length = min_len;
    if (length > visible) length = visible;
    const int32_t rem = track - length;
    int32_t first = rem - int32_t(int64_t(rem) * after / hidden);
    int32_t last = first + length - 1;
    if (first < 0) {
        first = 0;
        if (last < first + min_len) last = first + min_len;
    }
    if (last > track - 1) {
        last = track - 1;
        if (first > last - min_len) first = last - min_len;
    }
    return BarSpan{first, last - first + 1};
}

}  // namespace gui::scroll
