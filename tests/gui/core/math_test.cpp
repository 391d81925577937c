// The fixed-point sine table.
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

}  // namespace
