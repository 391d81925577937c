// The fixed-point sine table and the cubic Bezier curve the animation paths use.
#include <gtest/gtest.h>

#include <cmath>

#include "lvgl.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(Math, SineTableIsRoundedOn32768)
{
    for (int16_t deg = 0; deg <= 90; deg++) {
        const auto expected = static_cast<int32_t>(std::lround(32768.0 * std::sin(deg * kPi / 180.0)));
        EXPECT_EQ(lv_trigo_sin(deg), expected) << deg << " degrees";
    }
    EXPECT_EQ(lv_trigo_sin(26), 14365);
    EXPECT_EQ(lv_trigo_sin(90), 32768);
    EXPECT_EQ(lv_trigo_sin(150), 16384);
    EXPECT_EQ(lv_trigo_sin(270), -32768);
    EXPECT_EQ(lv_trigo_sin(-30), -16384);
    EXPECT_EQ(lv_trigo_cos(0), 32768);
    EXPECT_EQ(lv_trigo_cos(180), -32768);
}

// The ease-out scroll animation of a pager flick from scroll position 28 to
// 640 in 400 ms, read every 35 ms; scroll animations run on the negated
// position, so the values round toward -640. At 105 ms (x 268) Newton's
// method goes t 268 -> 479 -> 442, which misses x by 2, then 441, which
// misses it by 1 and is taken.
TEST(Math, EaseOutTakesTheFirstParameterWithinOneOfX)
{
    EXPECT_EQ(lv_cubic_bezier(268, 0, 0, 593, 1024), 406);
    const int32_t expected[] = {-116, -195, -271, -341, -406, -464, -517, -560, -598, -624, -639, -640};
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_values(&a, -28, -640);
    lv_anim_set_duration(&a, 400);
    for (size_t i = 0; i < std::size(expected); i++) {
        a.act_time = static_cast<int32_t>(35 * (i + 1));
        EXPECT_EQ(lv_anim_path_ease_out(&a), expected[i]) << "at " << a.act_time << " ms";
    }
}

}  // namespace
