// Geometry: sizes, percentages, content size, min/max, alignment, flex.
#include <gtest/gtest.h>

#include <vector>

#include "gui_fixture.hpp"
#include "lvgl.h"

namespace {

class Layout : public test_support::GuiTest {
protected:
    // A bare container (no theme look) of the given size with padding `pad`.
    lv_obj_t * bare(lv_obj_t * parent, int32_t w, int32_t h, int32_t pad = 0)
    {
        lv_obj_t * o = lv_obj_create(parent);
        lv_obj_remove_style_all(o);
        lv_obj_set_size(o, w, h);
        lv_obj_set_style_pad_all(o, pad, 0);
        return o;
    }
};

TEST_F(Layout, ThemedPlainObjectAndItsContentArea)
{
    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    EXPECT_EQ(lv_obj_get_width(obj), 0) << "sizes appear with the first layout pass";
    lv_obj_update_layout(obj);
    EXPECT_EQ(lv_obj_get_width(obj), 130);
    EXPECT_EQ(lv_obj_get_height(obj), 130);
    EXPECT_EQ(lv_obj_get_content_width(obj), 94);
    EXPECT_EQ(lv_obj_get_content_height(obj), 94);
    lv_obj_t * child = lv_obj_create(obj);
    lv_obj_set_pos(child, 3, 4);
    lv_obj_update_layout(child);
    lv_area_t c;
    lv_obj_get_coords(child, &c);
    EXPECT_EQ(c.x1, 2 + 16 + 3) << "border + padding + x";
    EXPECT_EQ(c.y1, 2 + 16 + 4);
    EXPECT_EQ(lv_obj_get_x(child), 3);
    EXPECT_EQ(lv_obj_get_y(child), 4);
}

struct SizeCase {
    const char * what;
    int32_t w, min_w, max_w;
    int32_t expected;
};

TEST_F(Layout, WidthWithPercentagesAndLimits)
{
    const SizeCase cases[] = {
        {"plain", 120, 0, LV_COORD_MAX, 120},
        {"percent of the content width", LV_PCT(50), 0, LV_COORD_MAX, 190},
        {"percent min", 20, LV_PCT(10), LV_COORD_MAX, 38},
        {"max wins", 300, 0, 200, 200},
        {"min wins", 20, 50, LV_COORD_MAX, 50},
        {"min above max: min wins", 300, 250, 200, 250},
        {"percent max", 390, 0, LV_PCT(100), 380},
    };
    lv_obj_t * parent = bare(lv_screen_active(), 400, 300, 10);
    for(const auto & c : cases) {
        lv_obj_t * o = bare(parent, c.w, 10);
        lv_obj_set_style_min_width(o, c.min_w, 0);
        lv_obj_set_style_max_width(o, c.max_w, 0);
        lv_obj_update_layout(o);
        EXPECT_EQ(lv_obj_get_width(o), c.expected) << c.what;
        lv_obj_delete(o);
    }
}

TEST_F(Layout, ContentSizeFollowsChildrenAndPadding)
{
    lv_obj_t * box = bare(lv_screen_active(), LV_SIZE_CONTENT, LV_SIZE_CONTENT, 5);
    lv_obj_set_style_border_width(box, 2, 0);
    lv_obj_t * a = bare(box, 50, 20);
    lv_obj_set_pos(a, 10, 0);
    lv_obj_t * b = bare(box, 30, 40);
    lv_obj_set_pos(b, 0, 30);
    lv_obj_set_style_margin_bottom(b, 3, 0);
    lv_obj_update_layout(box);
    EXPECT_EQ(lv_obj_get_width(box), 2 + 5 + 60 + 5 + 2);
    EXPECT_EQ(lv_obj_get_height(box), 2 + 5 + 70 + 3 + 5 + 2);

    lv_obj_add_flag(b, LV_OBJ_FLAG_HIDDEN);
    lv_obj_update_layout(box);
    EXPECT_EQ(lv_obj_get_height(box), 2 + 5 + 20 + 5 + 2) << "hidden children do not count";

    // A centred child counts with its width only while its x is 0.
    lv_obj_t * c = bare(box, 100, 10);
    lv_obj_align(c, LV_ALIGN_CENTER, 0, 0);
    lv_obj_update_layout(box);
    EXPECT_EQ(lv_obj_get_width(box), 2 + 5 + 100 + 5 + 2);
}

TEST_F(Layout, PercentOfAContentSizedParent)
{
    lv_obj_t * box = bare(lv_screen_active(), LV_SIZE_CONTENT, 100, 4);
    lv_obj_t * fixed = bare(box, 80, 10);
    lv_obj_t * pct = bare(box, LV_PCT(50), 10);
    lv_obj_set_style_pad_hor(pct, 3, 0);
    lv_obj_set_x(pct, LV_PCT(50));
    lv_obj_update_layout(box);
    EXPECT_EQ(lv_obj_get_width(pct), 6) << "only its own padding";
    EXPECT_EQ(lv_obj_get_x(pct), 0) << "percentage x of a content-sized parent";
    EXPECT_EQ(lv_obj_get_width(box), 88);
    (void)fixed;
}

// A percentage position has nothing to refer to in a parent sized to its
// content: it is 0 on both axes, and an alignment still applies.
TEST_F(Layout, PercentPositionInAContentSizedParentIsZero)
{
    lv_obj_t * box = bare(lv_screen_active(), LV_SIZE_CONTENT, LV_SIZE_CONTENT, 4);
    bare(box, 80, 60);
    lv_obj_t * placed = bare(box, 10, 10);
    lv_obj_set_pos(placed, LV_PCT(10), LV_PCT(50));
    lv_obj_t * centred = bare(box, 10, 10);
    lv_obj_align(centred, LV_ALIGN_CENTER, LV_PCT(10), LV_PCT(50));
    lv_obj_update_layout(box);
    EXPECT_EQ(lv_obj_get_height(box), 68);
    EXPECT_EQ(lv_obj_get_x(placed), 0);
    EXPECT_EQ(lv_obj_get_y(placed), 0);
    EXPECT_EQ(lv_obj_get_x(centred), 35);
    EXPECT_EQ(lv_obj_get_y(centred), 25);
}

struct AlignCase {
    lv_align_t align;
    int32_t x, y;
};

TEST_F(Layout, AlignmentInsideTheContentArea)
{
    const AlignCase cases[] = {
        {LV_ALIGN_DEFAULT, 0, 0},        {LV_ALIGN_TOP_MID, 75, 0},    {LV_ALIGN_TOP_RIGHT, 150, 0},
        {LV_ALIGN_LEFT_MID, 0, 45},      {LV_ALIGN_CENTER, 75, 45},    {LV_ALIGN_RIGHT_MID, 150, 45},
        {LV_ALIGN_BOTTOM_LEFT, 0, 90},   {LV_ALIGN_BOTTOM_MID, 75, 90}, {LV_ALIGN_BOTTOM_RIGHT, 150, 90},
        {LV_ALIGN_OUT_TOP_LEFT, 0, 0},
    };
    lv_obj_t * parent = bare(lv_screen_active(), 221, 121, 10);  // content 201 x 101
    for(const auto & c : cases) {
        lv_obj_t * o = bare(parent, 51, 11);
        lv_obj_align(o, c.align, 0, 0);
        lv_obj_update_layout(o);
        EXPECT_EQ(lv_obj_get_x(o), c.x) << c.align;
        EXPECT_EQ(lv_obj_get_y(o), c.y) << c.align;
        lv_obj_delete(o);
    }
}

TEST_F(Layout, CenterIsPersistentAndAlignToIsOneTime)
{
    lv_obj_t * parent = bare(lv_screen_active(), 200, 100);
    lv_obj_t * o = bare(parent, 20, 10);
    lv_obj_center(o);
    lv_obj_update_layout(o);
    EXPECT_EQ(lv_obj_get_x(o), 90);
    lv_obj_set_width(parent, 300);
    lv_obj_update_layout(o);
    EXPECT_EQ(lv_obj_get_x(o), 140);

    lv_obj_t * below = bare(parent, 40, 10);
    lv_obj_align_to(below, o, LV_ALIGN_OUT_BOTTOM_MID, 0, 5);
    lv_obj_update_layout(below);
    EXPECT_EQ(lv_obj_get_x(below), 130);
    EXPECT_EQ(lv_obj_get_y(below), 45 + 10 + 5);
    lv_obj_set_x(o, 0);
    lv_obj_update_layout(below);
    EXPECT_EQ(lv_obj_get_x(below), 130) << "align_to does not follow the base";
}

struct FlexCase {
    const char * what;
    lv_flex_flow_t flow;
    lv_flex_align_t main, cross, track;
    std::vector<int32_t> heights;  // item heights (items are 50 wide)
    std::vector<lv_point_t> expected;
};

TEST_F(Layout, FlexPlacementTable)
{
    using P = lv_point_t;
    const auto S = LV_FLEX_ALIGN_START;
    const auto E = LV_FLEX_ALIGN_END;
    const auto C = LV_FLEX_ALIGN_CENTER;
    const FlexCase cases[] = {
        {"start with gaps", LV_FLEX_FLOW_ROW, S, S, S, {30, 30, 30}, {P{0, 0}, P{60, 0}, P{120, 0}}},
        {"end", LV_FLEX_FLOW_ROW, E, S, S, {30, 30, 30}, {P{230, 0}, P{290, 0}, P{350, 0}}},
        {"center", LV_FLEX_FLOW_ROW, C, S, S, {30, 30, 30}, {P{115, 0}, P{175, 0}, P{235, 0}}},
        {"space between", LV_FLEX_FLOW_ROW, LV_FLEX_ALIGN_SPACE_BETWEEN, S, S, {30, 30, 30},
         {P{0, 0}, P{175, 0}, P{350, 0}}},
        {"space around", LV_FLEX_FLOW_ROW, LV_FLEX_ALIGN_SPACE_AROUND, S, S, {30, 30, 30},
         {P{38, 0}, P{174, 0}, P{310, 0}}},
        {"space evenly", LV_FLEX_FLOW_ROW, LV_FLEX_ALIGN_SPACE_EVENLY, S, S, {30, 30, 30},
         {P{57, 0}, P{174, 0}, P{291, 0}}},
        {"single item space between stays at the start", LV_FLEX_FLOW_ROW, LV_FLEX_ALIGN_SPACE_BETWEEN, S, S, {30},
         {P{0, 0}}},
        {"single item space evenly is centred", LV_FLEX_FLOW_ROW, LV_FLEX_ALIGN_SPACE_EVENLY, S, S, {30},
         {P{175, 0}}},
        {"cross center is within the track", LV_FLEX_FLOW_ROW, S, C, S, {30, 50}, {P{0, 10}, P{60, 0}}},
        {"cross end", LV_FLEX_FLOW_ROW, S, E, S, {30, 50}, {P{0, 20}, P{60, 0}}},
        {"track center centres in the container", LV_FLEX_FLOW_ROW, S, C, C, {30, 50}, {P{0, 85}, P{60, 75}}},
        {"reverse row", LV_FLEX_FLOW_ROW_REVERSE, S, S, S, {10, 20}, {P{60, 0}, P{0, 0}}},
        {"column uses the row gap", LV_FLEX_FLOW_COLUMN, S, S, S, {30, 30}, {P{0, 0}, P{0, 50}}},
        {"column center", LV_FLEX_FLOW_COLUMN, C, S, S, {30, 30}, {P{0, 60}, P{0, 110}}},
    };
    for(const auto & c : cases) {
        lv_obj_t * cont = bare(lv_screen_active(), 400, 200);
        lv_obj_set_style_pad_column(cont, 10, 0);
        lv_obj_set_style_pad_row(cont, 20, 0);
        lv_obj_set_flex_flow(cont, c.flow);
        lv_obj_set_flex_align(cont, c.main, c.cross, c.track);
        std::vector<lv_obj_t *> items;
        for(int32_t h : c.heights) items.push_back(bare(cont, 50, h));
        lv_obj_update_layout(cont);
        for(size_t i = 0; i < items.size(); i++) {
            EXPECT_EQ(lv_obj_get_x(items[i]), c.expected[i].x) << c.what << " item " << i;
            EXPECT_EQ(lv_obj_get_y(items[i]), c.expected[i].y) << c.what << " item " << i;
        }
        lv_obj_delete(cont);
    }
}

TEST_F(Layout, FlexWrapNewTrackAndSkippedItems)
{
    lv_obj_t * cont = bare(lv_screen_active(), 400, 300, 5);
    lv_obj_set_style_pad_column(cont, 10, 0);
    lv_obj_set_style_pad_row(cont, 20, 0);
    lv_obj_set_flex_flow(cont, LV_FLEX_FLOW_ROW_WRAP);
    lv_obj_t * a = bare(cont, 150, 30);
    lv_obj_t * hidden = bare(cont, 150, 30);
    lv_obj_add_flag(hidden, LV_OBJ_FLAG_HIDDEN);
    lv_obj_t * b = bare(cont, 150, 40);
    lv_obj_t * c = bare(cont, 150, 30);
    lv_obj_t * d = bare(cont, 20, 30);
    lv_obj_add_flag(d, LV_OBJ_FLAG_FLEX_IN_NEW_TRACK);
    lv_obj_t * floating = bare(cont, 20, 30);
    lv_obj_add_flag(floating, LV_OBJ_FLAG_FLOATING);
    lv_obj_update_layout(cont);
    EXPECT_EQ(lv_obj_get_x(a), 0);
    EXPECT_EQ(lv_obj_get_x(b), 160);
    EXPECT_EQ(lv_obj_get_y(b), 0);
    EXPECT_EQ(lv_obj_get_x(c), 0) << "does not fit: new track";
    EXPECT_EQ(lv_obj_get_y(c), 40 + 20);
    EXPECT_EQ(lv_obj_get_x(d), 0) << "forced new track";
    EXPECT_EQ(lv_obj_get_y(d), 40 + 20 + 30 + 20);
    EXPECT_EQ(lv_obj_get_x(floating), 0);
    EXPECT_EQ(lv_obj_get_y(floating), 0);
}

TEST_F(Layout, FlexGrowSharesTheFreeSpaceInOrder)
{
    lv_obj_t * cont = bare(lv_screen_active(), 402, 50);
    lv_obj_set_flex_flow(cont, LV_FLEX_FLOW_ROW);
    lv_obj_t * fixed = bare(cont, 100, 20);
    lv_obj_t * g1 = bare(cont, 10, 20);
    lv_obj_set_flex_grow(g1, 1);
    lv_obj_t * g2 = bare(cont, 10, 20);
    lv_obj_set_flex_grow(g2, 2);
    lv_obj_update_layout(cont);
    EXPECT_EQ(lv_obj_get_width(g1), 100);
    EXPECT_EQ(lv_obj_get_width(g2), 202) << "the rounding leftover goes to the later item";
    EXPECT_EQ(lv_obj_get_x(g2), 200);

    lv_obj_set_style_max_width(g2, 150, 0);
    lv_obj_update_layout(cont);
    EXPECT_EQ(lv_obj_get_width(g2), 150) << "clamped by max width";
    EXPECT_EQ(lv_obj_get_width(g1), 152) << "the rest goes to the other item";

    lv_obj_set_flex_grow(g1, 0);
    lv_obj_update_layout(cont);
    EXPECT_EQ(lv_obj_get_width(g1), 10) << "its own width again";
    (void)fixed;
}

TEST_F(Layout, ContentSizedFlexContainerShrinksToItems)
{
    lv_obj_t * cont = bare(lv_screen_active(), LV_SIZE_CONTENT, LV_SIZE_CONTENT, 5);
    lv_obj_set_style_pad_column(cont, 10, 0);
    lv_obj_set_flex_flow(cont, LV_FLEX_FLOW_ROW_WRAP);
    for(int i = 0; i < 3; i++) bare(cont, 50, 20 + 10 * i);
    lv_obj_update_layout(cont);
    EXPECT_EQ(lv_obj_get_width(cont), 5 + 170 + 5) << "no wrapping when content-sized";
    EXPECT_EQ(lv_obj_get_height(cont), 5 + 40 + 5);
}

struct SizeChanges {
    int count = 0;
};

void count_size(lv_event_t * e)
{
    static_cast<SizeChanges *>(lv_event_get_user_data(e))->count++;
}

TEST_F(Layout, SizeChangedIsSentOnceTheLayoutRuns)
{
    lv_obj_t * o = bare(lv_screen_active(), 50, 50);
    lv_obj_update_layout(o);
    SizeChanges seen;
    lv_obj_add_event_cb(o, count_size, LV_EVENT_SIZE_CHANGED, &seen);
    lv_obj_set_width(o, 60);
    EXPECT_EQ(seen.count, 0);
    EXPECT_EQ(lv_obj_get_width(o), 50);
    lv_obj_update_layout(o);
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(lv_obj_get_width(o), 60);
    lv_obj_delete(o);
}

}  // namespace
