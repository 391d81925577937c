// The integer arithmetic behind scrolling, checked against worked numbers.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "gui/core/scroll_math.hpp"

namespace {

using namespace gui::scroll;

TEST(ScrollMath, ElasticStepRoundsAQuarterToNearest)
{
    const std::pair<int32_t, int32_t> cases[] = {{20, 5}, {-20, -5}, {1, 0}, {2, 1}, {-2, -1}, {5, 1}, {6, 2}, {0, 0}};
    for(auto [delta, expected] : cases) EXPECT_EQ(elastic_step(delta), expected) << delta;
}

TEST(ScrollMath, ThrowSeriesFromThirtyNine)
{
    std::vector<int32_t> steps;
    for(int32_t v = throw_decay(39, 10); v != 0; v = throw_decay(v, 10)) steps.push_back(v);
    EXPECT_EQ(steps, (std::vector<int32_t>{35, 31, 27, 24, 21, 18, 16, 14, 12, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(ScrollMath, SnapPredictionCountsTheReleaseVelocityAndEveryDecayedStep)
{
    const std::pair<int32_t, int32_t> cases[] = {{39, 39 + 253}, {-39, -(39 + 253)}, {-126, -1103}, {-6, -21},
                                                 {1, 1},         {-9, -45},           {0, 0}};
    for(auto [velocity, travel] : cases) EXPECT_EQ(predict_travel(velocity, 10), travel) << velocity;
    EXPECT_EQ(predict_travel(-126, 0), INT32_MIN) << "a throw that never slows has no end";
    EXPECT_EQ(predict_travel(126, 0), INT32_MAX);
    EXPECT_EQ(predict_travel(126, 100), 126);
    EXPECT_EQ(throw_decay(100, 250), 0) << "more than all of it is all of it";
    EXPECT_EQ(predict_travel(50, 50), 50 + 25 + 12 + 6 + 3 + 1);
}

TEST(ScrollMath, SnapLineSidesDecideElasticityAndTheOneStepRange)
{
    struct Case {
        const char * what;
        std::vector<int32_t> offsets;  // snap points from the line, + beyond it
        bool elastic;
        StepRange range;
    };
    const Case cases[] = {
        {"first page on the line", {0, 640, 1280}, true, {-640, INT32_MAX}},
        {"first page 16 px off", {-16, 624, 1264}, false, {-624, 16}},
        {"between pages", {-320, 320}, false, {-320, 320}},
        {"last page on the line", {-1280, -640, 0}, true, {INT32_MIN, 640}},
        {"past the last page", {-700, -60}, true, {INT32_MIN, 60}},
        {"nearest on each side counts", {-900, -30, 45, 800}, false, {-45, 30}},
        {"no snap points", {}, true, {INT32_MIN, INT32_MAX}},
    };
    for(const Case & c : cases) {
        EXPECT_EQ(snap_elastic(c.offsets), c.elastic) << c.what;
        const StepRange r = one_step_range(c.offsets);
        EXPECT_EQ(r.min, c.range.min) << c.what;
        EXPECT_EQ(r.max, c.range.max) << c.what;
    }
}

TEST(ScrollMath, OneStepRangeCutsTheStepThatWouldLeaveIt)
{
    const StepRange r{-640, 100};
    struct Case {
        int32_t applied;
        int32_t step;
        int32_t expected;
    };
    const Case cases[] = {{0, -16, -16}, {-473, -1103, -167}, {-600, -65, -40}, {-640, -5, 0},
                          {90, 20, 10},  {-640, 30, 30},      {0, 0, 0}};
    for(const Case & c : cases) EXPECT_EQ(r.clamp_step(c.applied, c.step), c.expected) << c.applied << " " << c.step;
    const StepRange open;
    EXPECT_EQ(open.clamp_step(INT32_MAX - 5, 10), 5) << "no overflow at the edges";
}

TEST(ScrollMath, ReleaseVelocityWeightsRecentSamples)
{
    VelocityHistory h;
    for(uint32_t t : {1000u, 1033u, 1066u, 1099u}) h.push(0, 20, t);
    int32_t vx;
    int32_t vy;
    h.velocity(vx, vy);
    EXPECT_EQ(vy, 39) << "20 + 13 + 6, the 99 ms old sample counts 0";
    EXPECT_EQ(vx, 0);
    for(uint32_t t : {1132u, 1165u, 1198u}) h.push(0, 0, t);
    h.velocity(vx, vy);
    EXPECT_EQ(vy, 0) << "a finger that rested before lifting throws nothing";
    for(int i = 0; i < 20; i++) h.push(-4, 0, 2000);
    h.velocity(vx, vy);
    EXPECT_EQ(vx, -32) << "only the last 8 samples are kept";
    h.clear();
    h.velocity(vx, vy);
    EXPECT_EQ(vx, 0);
}

TEST(ScrollMath, AnimationDurationFollowsHalfTheDisplayPerSecond)
{
    struct Case {
        int32_t distance;
        int32_t resolution;
        uint32_t ms;
    };
    const Case cases[] = {{64, 640, 200}, {100, 640, 312}, {128, 640, 400}, {640, 640, 400}, {-100, 640, 312},
                          {48, 480, 200}, {72, 480, 300}, {96, 480, 400},  {45, 480, 200},  {0, 480, 200},
                          {58, 480, 241}, {167, 640, 400}, {47, 640, 200},  {43, 480, 200},
                          // Half the resolution is rounded to tens: 135 -> 14, 125 -> 13.
                          {42, 270, 300}, {39, 250, 300}};
    for(const Case & c : cases) EXPECT_EQ(anim_duration(c.distance, c.resolution), c.ms) << c.distance;
}

TEST(ScrollMath, ScrollbarSpan)
{
    struct Case {
        const char * what;
        int32_t before;
        int32_t after;
        BarSpan expected;
    };
    // Track 288 of a 300 px tall object showing 744 px of content.
    const Case cases[] = {
        {"at the top", 0, 444, {0, 116}},
        {"at the end", 444, 0, {172, 116}},
        {"half way", 222, 222, {86, 116}},
        {"pulled past the top", -100, 544, {0, 78}},
        {"pulled far past the top", -1000, 1444, {0, 9}},
        {"pulled far past the end", 1444, -1000, {279, 9}},  // 8 rows past the clamped end
        {"no overflow", 0, -200, {0, 287}},                   // all but the track's last row
    };
    for(const Case & c : cases) {
        const BarSpan s = scrollbar_span(288, 300, c.before, c.after, 8);
        EXPECT_EQ(s.offset, c.expected.offset) << c.what;
        EXPECT_EQ(s.length, c.expected.length) << c.what;
    }
}

}  // namespace
