// Integer arithmetic of scrolling: elastic drag, throw decay and prediction,
// release velocity, animation duration and scrollbar geometry. Pure functions,
// shared by the input devices and the object scroll code.
#pragma once

#include <array>
#include <cstdint>

namespace gui::scroll {

// A drag or throw step applied while the content is past an end moves a
// quarter of the finger's distance, rounded to nearest.
constexpr int32_t kElasticDivisor = 4;

constexpr int32_t elastic_step(int32_t delta)
{
    const int32_t half = kElasticDivisor / 2;
    return (delta >= 0 ? delta + half : delta - half) / kElasticDivisor;
}

// One throw step: the velocity loses `throw_pct` percent, truncated toward 0.
constexpr int32_t throw_decay(int32_t velocity, int32_t throw_pct)
{
    return velocity * (100 - throw_pct) / 100;
}

// Distance a throw starting at `velocity` travels until its step reaches 0.
constexpr int32_t predict_travel(int32_t velocity, int32_t throw_pct)
{
    int32_t sum = 0;
    for(int32_t v = throw_decay(velocity, throw_pct); v != 0; v = throw_decay(v, throw_pct)) sum += v;
    return sum;
}

// Animated scrolls run at half the display size per second on that axis,
// clamped to 200..400 ms.
constexpr uint32_t kAnimMinMs = 200;
constexpr uint32_t kAnimMaxMs = 400;

constexpr uint32_t anim_duration(int32_t distance, int32_t resolution)
{
    const int32_t speed_tenths = resolution / 2 / 10;  // px per 100 ms
    if(speed_tenths <= 0) return kAnimMinMs;
    const int64_t dist = distance < 0 ? -int64_t(distance) : int64_t(distance);
    const int64_t ms = dist * 100 / speed_tenths;
    if(ms < kAnimMinMs) return kAnimMinMs;
    if(ms > kAnimMaxMs) return kAnimMaxMs;
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

    void clear() { count_ = 0; next_ = 0; }

    void push(int32_t vx, int32_t vy, uint32_t timestamp)
    {
        samples_[next_] = Sample{vx, vy, timestamp};
        next_ = (next_ + 1) % kSamples;
        if(count_ < kSamples) count_++;
    }

    void velocity(int32_t & vx, int32_t & vy) const
    {
        vx = 0;
        vy = 0;
        if(count_ == 0) return;
        const uint32_t newest = samples_[(next_ + kSamples - 1) % kSamples].timestamp;
        for(int i = 0; i < count_; i++) {
            const Sample & s = samples_[i];
            const uint32_t age = newest - s.timestamp;  // wrap-safe ticks
            if(age >= kWindowMs) continue;
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

// Where a scrollbar sits inside its track, as an offset from the track start.
struct BarSpan {
    int32_t offset;
    int32_t length;
};

// `visible`: the object's size on the axis; `before`/`after`: content hidden
// before/after it (negative while over-scrolled). The bar is proportional to
// the visible share, at least `min_len`, and stays inside the track: pushed
// against an end during over-scroll it gets shorter there.
constexpr BarSpan scrollbar_span(int32_t track, int32_t visible, int32_t before, int32_t after, int32_t min_len)
{
    if(track <= 0 || visible <= 0) return BarSpan{0, 0};
    const int32_t min_length = min_len < track ? min_len : track;
    const int32_t sum = visible + before + after;
    const int32_t content = sum > visible ? sum : visible;
    int32_t length = int32_t(int64_t(track) * visible / content);
    if(length < min_length) length = min_length;
    const int32_t free_space = track - length;
    const int32_t hidden = content - visible;
    int32_t offset = hidden > 0 ? free_space - int32_t(int64_t(free_space) * after / hidden) : 0;
    if(offset < 0) {
        length += offset;
        offset = 0;
    }
    if(offset + length > track) length = track - offset;
    if(length < min_length) length = min_length;
    if(offset + length > track) offset = track - length;
    return BarSpan{offset, length};
}

}  // namespace gui::scroll
