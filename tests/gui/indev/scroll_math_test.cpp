// The integer arithmetic behind scrolling, checked against worked numbers.
#include <gtest/gtest.h>

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
    EXPECT_EQ(predict_travel(39, 10), 253);
    EXPECT_EQ(predict_travel(-39, 10), -253);
    EXPECT_EQ(predict_travel(1, 10), 0);
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
                          {48, 480, 200}, {72, 480, 300}, {96, 480, 400},  {45, 480, 200},  {0, 480, 200}};
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
        {"pulled far past the end", 1444, -1000, {280, 8}},
        {"no overflow", 0, -200, {0, 288}},
    };
    for(const Case & c : cases) {
        const BarSpan s = scrollbar_span(288, 300, c.before, c.after, 8);
        EXPECT_EQ(s.offset, c.expected.offset) << c.what;
        EXPECT_EQ(s.length, c.expected.length) << c.what;
    }
}

}  // namespace
