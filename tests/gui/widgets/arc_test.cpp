#include "widget_env.hpp"

#include <vector>

using widget_test::WidgetTest;

namespace {

class Arc : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        arc = lv_arc_create(scr);
        lv_obj_center(arc);
        lv_obj_add_event_cb(arc, record, LV_EVENT_VALUE_CHANGED, this);
        lv_obj_update_layout(arc);
        lv_area_t a = coords(arc);
        center = {(a.x1 + a.x2 + 1) / 2, (a.y1 + a.y2 + 1) / 2};
    }

    static void record(lv_event_t * e)
    {
        auto * self = static_cast<Arc *>(lv_event_get_user_data(e));
        self->values.push_back(lv_arc_get_value(lv_event_get_target_obj(e)));
    }

    lv_obj_t * arc = nullptr;
    lv_point_t center{};
    std::vector<int32_t> values;
};

TEST_F(Arc, DefaultsAndGeometry)
{
    EXPECT_EQ(lv_obj_get_width(arc), 130);
    EXPECT_EQ(lv_obj_get_height(arc), 130);
    EXPECT_EQ(center.x, 320);
    EXPECT_EQ(center.y, 240);
    EXPECT_EQ(lv_arc_get_value(arc), -32768) << "no value until one is set";
    EXPECT_EQ(lv_arc_get_bg_angle_start(arc), 135);
    EXPECT_EQ(lv_arc_get_bg_angle_end(arc), 45);
    EXPECT_EQ(lv_arc_get_angle_end(arc), 270);
    EXPECT_FALSE(lv_obj_has_flag(arc, LV_OBJ_FLAG_SCROLL_CHAIN_HOR));
    EXPECT_FALSE(lv_obj_has_flag(arc, LV_OBJ_FLAG_SCROLLABLE));

    lv_arc_set_range(arc, 10, 20);
    EXPECT_EQ(lv_arc_get_value(arc), 10) << "a range clamps the unset value to the minimum";
    lv_arc_set_value(arc, 99);
    EXPECT_EQ(lv_arc_get_value(arc), 20);
    EXPECT_TRUE(values.empty()) << "setters send no VALUE_CHANGED";
}

TEST_F(Arc, ValueMapsOntoTheBackgroundSpan)
{
    lv_arc_set_value(arc, 50);
    EXPECT_EQ(lv_arc_get_angle_start(arc), 135);
    EXPECT_EQ(lv_arc_get_angle_end(arc), 270);
    lv_arc_set_mode(arc, LV_ARC_MODE_REVERSE);
    EXPECT_EQ(lv_arc_get_angle_start(arc), 270);
    EXPECT_EQ(lv_arc_get_angle_end(arc), 45);
    lv_arc_set_bg_angles(arc, 0, 360);
    lv_arc_set_mode(arc, LV_ARC_MODE_NORMAL);
    lv_arc_set_value(arc, 25);
    EXPECT_EQ(lv_arc_get_angle_end(arc), 90);
}

TEST_F(Arc, DraggingToTheTopMovesTheValueAtTheChangeRate)
{
    lv_arc_set_value(arc, 0);
    press(center.x, center.y - 59);
    for (int i = 0; i < 9; ++i) move_to(center.x, center.y - 59);
    release();
    EXPECT_EQ(values, (std::vector<int32_t>{8, 16, 24, 32, 40, 48, 50}));
    EXPECT_EQ(lv_arc_get_value(arc), 50);
}

TEST_F(Arc, PressesInTheMiddleOrInTheGapChangeNothing)
{
    lv_arc_set_value(arc, 30);
    press(center.x + 20, center.y);
    advance(300);
    release();
    press(center.x, center.y + 59); // bottom: between the two ends
    advance(300);
    release();
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(lv_arc_get_value(arc), 30);
}

TEST_F(Arc, JustPastTheEndSnapsToTheMaximum)
{
    lv_arc_set_value(arc, 95);
    // 55 degrees: 10 degrees past the end at 45 degrees, inside the tolerance.
    press(center.x + 34, center.y + 48);
    advance(300);
    release();
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.back(), 100);
}

// The volume arc at its minimum: a finger that slides across the gap past the
// maximum end does not send it to the top. 100 x 100 arc, centre (320,240).
TEST_F(Arc, AFingerCrossingTheGapKeepsTheNearerEnd)
{
    lv_obj_set_size(arc, 100, 100);
    lv_obj_update_layout(arc);
    lv_arc_set_value(arc, 0);
    press(296, 285);    // 17 degrees before the start: the minimum is the nearer end
    move_to(335, 281);  // 25 degrees past the end: beyond the tolerance, ignored
    move_to(342, 279);  // 16 past the end, but a jump of 286 degrees: stays at the minimum
    EXPECT_TRUE(values.empty());
    for (int i = 0; i < 13; ++i) move_to(349, 274);  // 5 past the end, a jump of 275: up at the change rate
    move_to(357, 266);                               // back inside, 10 degrees below the end
    release();
    EXPECT_EQ(values, (std::vector<int32_t>{8, 16, 24, 32, 40, 48, 56, 64, 72, 80, 88, 96, 100, 96}));
}

// 130 x 130: the tolerance beyond the ends is 22 degrees on the read that
// starts the drag (the reduced radius) and 14 on every later read.
TEST_F(Arc, TheWiderEndToleranceHoldsOnlyWhenTheDragStarts)
{
    lv_arc_set_value(arc, 100);
    press(345, 293);                                // 20 degrees past the end: the maximum is the nearer end
    for (int i = 0; i < 3; ++i) move_to(288, 289);  // 12 before the start, 78 degrees on: held at the maximum
    release();
    EXPECT_TRUE(values.empty()) << "the press that started the drag chose the maximum";

    lv_arc_set_value(arc, 50);
    press(320, 181);                                // the top, where the value is
    for (int i = 0; i < 3; ++i) move_to(347, 292);  // 18 degrees past the end
    release();
    EXPECT_TRUE(values.empty()) << "on a later read 18 degrees past the end is out of reach";
}

TEST_F(Arc, ArrowKeysStepTheValue)
{
    lv_arc_set_value(arc, 10);
    for (uint32_t key : {LV_KEY_RIGHT, LV_KEY_UP, LV_KEY_LEFT}) lv_obj_send_event(arc, LV_EVENT_KEY, &key);
    EXPECT_EQ(values, (std::vector<int32_t>{11, 12, 11}));
}

TEST_F(Arc, HitTestIsTheSquarePlusThirteenOrOnlyTheRing)
{
    struct {
        lv_point_t p;
        bool square;
        bool ring;
    } cases[] = {
        {{center.x, center.y}, true, false},           // centre
        {{center.x, center.y - 59}, true, true},       // on the ring at the top
        {{center.x - 65 - 10, center.y}, true, true},  // just outside, inside the extended area
        {{center.x - 65 - 20, center.y}, false, false}, // beyond the extended area
        {{center.x, center.y + 59}, true, false},      // in the gap at the bottom
    };
    for (const auto & c : cases) {
        lv_point_t p = c.p;
        EXPECT_EQ(lv_obj_hit_test(arc, &p), c.square) << p.x << "," << p.y;
    }
    lv_obj_add_flag(arc, LV_OBJ_FLAG_ADV_HITTEST);
    for (const auto & c : cases) {
        lv_point_t p = c.p;
        EXPECT_EQ(lv_obj_hit_test(arc, &p), c.ring) << p.x << "," << p.y;
    }
}

TEST_F(Arc, KnobSitsOnTheIndicatorsMiddleLine)
{
    // r 65 less half the 12 px indicator: 59 px from the centre, 59 * 32768 >> 15
    // at the right angles, 59 * 23170 >> 15 = 41 at 45 degrees.
    struct {
        int32_t end_angle;
        lv_point_t offset;
    } cases[] = {{0, {59, 0}}, {90, {0, 59}}, {45, {41, 41}}, {180, {-59, 0}}};
    lv_obj_t * follower = lv_obj_create(scr);
    lv_obj_set_size(follower, lv_obj_get_width(arc), lv_obj_get_height(arc));
    for (const auto & c : cases) {
        lv_arc_set_angles(arc, 270, c.end_angle);
        lv_arc_align_obj_to_angle(arc, follower, 0);
        lv_obj_update_layout(follower);
        EXPECT_EQ(coords(follower).x1 - coords(arc).x1, c.offset.x) << c.end_angle << " degrees";
        EXPECT_EQ(coords(follower).y1 - coords(arc).y1, c.offset.y) << c.end_angle << " degrees";
    }
}

} // namespace
