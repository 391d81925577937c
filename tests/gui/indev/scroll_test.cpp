// Scrolling: drag, elasticity, throw, chaining, directions, the snapping
// pager, programmatic and animated scrolls, scrollbars, scroll on focus.
#include <algorithm>

#include "indev_env.hpp"

using namespace indev_test;

namespace {

using Names = std::vector<std::string>;

const std::vector<lv_event_code_t> kScrollCodes = {LV_EVENT_SCROLL_BEGIN, LV_EVENT_SCROLL_THROW_BEGIN,
                                                   LV_EVENT_SCROLL_END, LV_EVENT_CLICKED};

// Scroll values of the recorded SCROLL events.
std::vector<int32_t> scroll_values(const Recorder & rec, bool vertical)
{
    std::vector<int32_t> out;
    for(const Event & e : rec.of(LV_EVENT_SCROLL)) out.push_back(vertical ? e.scroll_y : e.scroll_x);
    return out;
}

std::vector<int32_t> steps_of(const std::vector<int32_t> & values, int32_t from)
{
    std::vector<int32_t> out;
    for(int32_t v : values) {
        out.push_back(v - from);
        from = v;
    }
    return out;
}

// A list 200 x 300 at (0, 0) whose content is `content_h` tall.
class List : public InputTest {
protected:
    void make_list(int32_t content_h)
    {
        list = bare(scr, 200, 300);
        content = bare(list, 200, content_h);
        rec.attach(list, "list");
        rec.attach(content, "content");
        lv_obj_update_layout(scr);
    }

    void SetUp() override
    {
        InputTest::SetUp();
        make_list(2000);
    }

    lv_obj_t * list = nullptr;
    lv_obj_t * content = nullptr;
    Recorder rec;
};

TEST_F(List, ScrollStartsAtTheLimitAndOnlyTheCurrentStepMoves)
{
    lv_obj_remove_flag(list, LV_OBJ_FLAG_SCROLL_MOMENTUM);
    press(100, 200);
    std::vector<int32_t> seen;
    for(int i = 0; i < 4; i++) {
        move_to(100, point.y - 4);
        seen.push_back(lv_obj_get_scroll_y(list));
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 0, 4, 8})) << "a 4 px finger loses the first 8 px";
    release();

    lv_obj_scroll_to_y(list, 0, LV_ANIM_OFF);
    rec.clear();
    press(100, 200);
    move_to(100, 180);
    EXPECT_EQ(lv_obj_get_scroll_y(list), 20) << "a 20 px step moves at once";
    release();
    EXPECT_EQ(rec.names(kScrollCodes), (Names{"list:SCROLL_BEGIN", "list:SCROLL_THROW_BEGIN", "list:SCROLL_END"}));
    EXPECT_EQ(rec.of(LV_EVENT_SCROLL_BEGIN)[0].param, nullptr);
    EXPECT_EQ(rec.of(LV_EVENT_SCROLL_END)[0].param, pointer) << "the drag's end carries the device";
    EXPECT_FALSE(lv_obj_has_state(list, LV_STATE_SCROLLED));
}

TEST_F(List, ThrowDecaysByTenPercentPerTick)
{
    swipe({100, 250}, {0, -20}, 5);
    const std::vector<int32_t> dragged = {20, 40, 60, 80, 100};
    settle();
    const auto values = scroll_values(rec, true);
    ASSERT_GT(values.size(), dragged.size());
    EXPECT_TRUE(std::equal(dragged.begin(), dragged.end(), values.begin()));
    const std::vector<int32_t> throw_steps = steps_of({values.begin() + 5, values.end()}, 100);
    EXPECT_EQ(throw_steps, (std::vector<int32_t>{35, 31, 27, 24, 21, 18, 16, 14, 12, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}))
        << "release velocity 20 + 13 + 6 = 39";
    EXPECT_EQ(lv_obj_get_scroll_y(list), 353);
    EXPECT_EQ(rec.count(LV_EVENT_SCROLL_END), 1);
}

TEST_F(List, ElasticPullPastTheTopSpringsBack)
{
    press(100, 50);
    std::vector<int32_t> seen;
    for(int i = 0; i < 10; i++) {
        move_to(100, point.y + 20);
        seen.push_back(lv_obj_get_scroll_y(list));
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{-20, -25, -30, -35, -40, -45, -50, -55, -60, -65}));
    release();
    settle();
    EXPECT_EQ(rec.names(kScrollCodes), (Names{"list:SCROLL_BEGIN", "list:SCROLL_THROW_BEGIN", "list:SCROLL_BEGIN",
                                              "list:SCROLL_END", "list:SCROLL_END"}));
    const auto begins = rec.of(LV_EVENT_SCROLL_BEGIN);
    const auto ends = rec.of(LV_EVENT_SCROLL_END);
    EXPECT_NE(begins[1].param, nullptr) << "the spring-back is an animation";
    EXPECT_LT(begins[1].scroll_y, -50);
    EXPECT_EQ(ends[0].param, pointer);
    EXPECT_LT(ends[0].scroll_y, -50);
    EXPECT_EQ(ends[1].param, nullptr);
    EXPECT_EQ(ends[1].scroll_y, 0);
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED), 0);
}

TEST_F(List, ElasticPullPastTheEndReportsNegativeBottom)
{
    lv_obj_scroll_to_y(list, 1700, LV_ANIM_OFF);
    EXPECT_EQ(lv_obj_get_scroll_bottom(list), 0);
    rec.clear();
    int32_t bottom_at_end = 0;
    lv_obj_add_event_cb(
        list,
        [](lv_event_t * e) {
            if(lv_event_get_param(e) == nullptr) return;
            *static_cast<int32_t *>(lv_event_get_user_data(e)) = lv_obj_get_scroll_bottom(lv_event_get_target_obj(e));
        },
        LV_EVENT_SCROLL_END, &bottom_at_end);
    press(100, 250);
    for(int i = 0; i < 10; i++) move_to(100, point.y - 20);
    release();
    settle();
    EXPECT_LT(bottom_at_end, -50);
    EXPECT_EQ(lv_obj_get_scroll_y(list), 1700);
    EXPECT_EQ(lv_obj_get_scroll_bottom(list), 0);
}

TEST_F(List, WithoutElasticityTheContentStopsAtItsEnds)
{
    lv_obj_remove_flag(list, LV_OBJ_FLAG_SCROLL_ELASTIC);
    press(100, 50);
    for(int i = 0; i < 5; i++) move_to(100, point.y + 20);
    EXPECT_EQ(lv_obj_get_scroll_y(list), 0);
    EXPECT_TRUE(lv_obj_has_state(list, LV_STATE_SCROLLED)) << "still taken as a scroll, so no click";
    release();
    settle();
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED), 0);
    EXPECT_EQ(lv_obj_get_scroll_y(list), 0);
}

TEST_F(List, ANewPressStopsAThrowAndIsAnOrdinaryPress)
{
    swipe({100, 250}, {0, -20}, 5);
    step();
    const int32_t stopped_at = lv_obj_get_scroll_y(list);
    tap(100, 150);
    steps(5);
    EXPECT_EQ(lv_obj_get_scroll_y(list), stopped_at);
    EXPECT_EQ(rec.count(LV_EVENT_SCROLL_END, list), 1);
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, content), 1) << "the tap that stops the fling also clicks";
}

TEST_F(List, AThrowStopsWhenItsObjectOrDeviceGoesAway)
{
    enum class Cut { DeleteList, ResetDevice, DeleteDevice };
    const std::pair<const char *, Cut> cases[] = {
        {"the list is deleted", Cut::DeleteList},
        {"the device is reset", Cut::ResetDevice},
        {"the device is deleted", Cut::DeleteDevice},
    };
    for(const auto & [what, cut] : cases) {
        SCOPED_TRACE(what);
        TearDown();
        SetUp();
        swipe({100, 250}, {0, -20}, 5);
        step();
        ASSERT_EQ(lv_indev_get_scroll_obj(pointer), list) << "still throwing";
        switch(cut) {
            case Cut::DeleteList:
                lv_obj_delete(list);
                list = nullptr;
                break;
            case Cut::ResetDevice: lv_indev_reset(pointer, nullptr); break;
            case Cut::DeleteDevice:
                lv_indev_delete(pointer);
                pointer = nullptr;
                break;
        }
        const int32_t stopped_at = list ? lv_obj_get_scroll_y(list) : 0;
        steps(10);
        EXPECT_EQ(lv_anim_count_running(), 0u);
        EXPECT_EQ(lv_indev_get_scroll_obj(pointer), nullptr);
        if(list) {
            EXPECT_EQ(lv_obj_get_scroll_y(list), stopped_at);
        }
    }
}

// A panel scrolled by a finger deletes the child the finger pressed (as the
// main page empties a list under a finger). The device is reset: each of its
// objects gets INDEV_RESET, followed by the device's own handlers with that
// object, the drag ends there, and the emptied panel scrolls back.
TEST_F(List, DeletingThePressedChildOfTheScrolledObjectResetsTheDevice)
{
    struct Log {
        lv_obj_t * panel = nullptr;
        lv_obj_t * child = nullptr;
        std::vector<std::string> lines;
        std::string name(const void * obj) const { return obj == panel ? "panel" : obj == child ? "child" : "?"; }
        std::string state() const { return lv_obj_has_state(panel, LV_STATE_SCROLLED) ? " scrolled" : ""; }
    } log;
    log.panel = bare(scr, 300, 300);
    lv_obj_set_pos(log.panel, 300, 0);
    log.child = bare(log.panel, 400, 200);
    lv_obj_update_layout(scr);
    const std::vector<lv_event_code_t> codes = {LV_EVENT_SCROLL_BEGIN, LV_EVENT_SCROLL, LV_EVENT_SCROLL_END,
                                                LV_EVENT_INDEV_RESET};
    auto on_panel = [](lv_event_t * e) {
        auto * l = static_cast<Log *>(lv_event_get_user_data(e));
        lv_obj_t * panel = lv_event_get_current_target_obj(e);
        l->lines.push_back(std::string("panel:") + code_name(lv_event_get_code(e)) + " " +
                           std::to_string(lv_obj_get_scroll_x(panel)));
        if (lv_event_get_code(e) == LV_EVENT_SCROLL && l->child) {
            lv_obj_delete(l->child);
            l->child = nullptr;
        }
    };
    for (lv_event_code_t c : codes) lv_obj_add_event_cb(log.panel, on_panel, c, &log);
    lv_indev_add_event_cb(
        pointer,
        [](lv_event_t * e) {
            auto * l = static_cast<Log *>(lv_event_get_user_data(e));
            l->lines.push_back("device:INDEV_RESET " + l->name(lv_event_get_param(e)) + l->state());
        },
        LV_EVENT_INDEV_RESET, &log);

    press(500, 100);
    for (int i = 0; i < 4; ++i) move_to(480 - 20 * i, 100);
    release();
    settle();
    EXPECT_EQ(log.lines, (Names{"panel:SCROLL_BEGIN 0", "panel:SCROLL 20", "device:INDEV_RESET child scrolled",
                                "panel:INDEV_RESET 20", "device:INDEV_RESET panel", "panel:SCROLL_BEGIN 20",
                                "panel:SCROLL 0", "panel:SCROLL_END 0"}));
    EXPECT_EQ(lv_indev_get_scroll_obj(pointer), nullptr);
}

TEST_F(List, ChainingPassesTheDragToTheParentAtTheEnd)
{
    // The list inside a taller scrollable panel, scrolled to its end.
    lv_obj_t * panel = bare(scr, 300, 400);
    lv_obj_set_pos(panel, 300, 0);
    lv_obj_set_parent(list, panel);
    lv_obj_t * below = bare(panel, 300, 800);
    lv_obj_set_pos(below, 0, 300);
    rec.attach(panel, "panel");
    lv_obj_update_layout(scr);
    lv_obj_scroll_to_y(list, 1700, LV_ANIM_OFF);
    rec.clear();

    press(400, 200);
    move_to(400, 170);
    EXPECT_EQ(lv_indev_get_scroll_obj(pointer), panel);
    EXPECT_EQ(lv_obj_get_scroll_y(panel), 30);
    release();
    settle();

    lv_obj_scroll_to_y(panel, 0, LV_ANIM_OFF);
    lv_obj_remove_flag(list, LV_OBJ_FLAG_SCROLL_CHAIN_VER);
    press(400, 200);
    move_to(400, 170);
    EXPECT_EQ(lv_indev_get_scroll_obj(pointer), list) << "no chain: the list shows the elastic effect";
    EXPECT_EQ(lv_obj_get_scroll_y(panel), 0);
    EXPECT_LT(lv_obj_get_scroll_bottom(list), 0);
    release();
}

TEST_F(List, DirectionMaskAndAxisLock)
{
    lv_obj_set_width(content, 1000);
    lv_obj_update_layout(scr);
    struct Case {
        const char * what;
        lv_dir_t dir;
        lv_point_t move;
        int32_t scroll_x;
        int32_t scroll_y;
        bool clicked;
    };
    const Case cases[] = {
        {"vertical drag", LV_DIR_ALL, {-5, -20}, 0, 20, false},
        {"horizontal drag", LV_DIR_ALL, {-20, -5}, 20, 0, false},
        {"a tie goes vertical", LV_DIR_ALL, {-15, -15}, 0, 15, false},
        {"vertical drag, horizontal only", LV_DIR_HOR, {0, -20}, 0, 0, true},
        {"up only (content below)", LV_DIR_BOTTOM, {0, -20}, 0, 20, false},
    };
    for(const Case & c : cases) {
        SCOPED_TRACE(c.what);
        lv_obj_scroll_to(list, 0, 0, LV_ANIM_OFF);
        lv_obj_remove_flag(list, LV_OBJ_FLAG_SCROLL_MOMENTUM);
        lv_obj_set_scroll_dir(list, c.dir);
        rec.clear();
        press(100, 150);
        move_to(100 + c.move.x, 150 + c.move.y);
        release();
        settle();
        EXPECT_EQ(lv_obj_get_scroll_x(list), c.scroll_x);
        EXPECT_EQ(lv_obj_get_scroll_y(list), c.scroll_y);
        EXPECT_EQ(rec.count(LV_EVENT_CLICKED, content), c.clicked ? 1 : 0);
    }
}

TEST_F(List, ScrollToWithoutAnimationIsSynchronousAndClamped)
{
    lv_obj_scroll_to_y(list, 100, LV_ANIM_OFF);
    EXPECT_EQ(rec.names({LV_EVENT_SCROLL_BEGIN, LV_EVENT_SCROLL, LV_EVENT_SCROLL_END}),
              (Names{"list:SCROLL_BEGIN", "list:SCROLL", "list:SCROLL_END"}));
    EXPECT_EQ(lv_obj_get_scroll_y(list), 100);
    lv_area_t a;
    lv_obj_get_coords(content, &a);
    EXPECT_EQ(a.y1, -100) << "children move with the scroll";
    EXPECT_EQ(lv_obj_get_y(content), 0) << "their logical position does not";

    rec.clear();
    lv_obj_scroll_to_y(list, 100, LV_ANIM_OFF);
    EXPECT_TRUE(rec.names({LV_EVENT_SCROLL_BEGIN, LV_EVENT_SCROLL, LV_EVENT_SCROLL_END}).empty())
        << "no change, no events";
    lv_obj_scroll_to_y(list, 99999, LV_ANIM_OFF);
    EXPECT_EQ(lv_obj_get_scroll_y(list), 1700);
    lv_obj_scroll_to_y(list, -50, LV_ANIM_OFF);
    EXPECT_EQ(lv_obj_get_scroll_y(list), 0);
    lv_obj_scroll_by(list, 0, 30, LV_ANIM_OFF);
    EXPECT_EQ(lv_obj_get_scroll_y(list), -30) << "scroll_by is not bounded";
    lv_obj_scroll_by_bounded(list, 0, 30, LV_ANIM_OFF);
    EXPECT_EQ(lv_obj_get_scroll_y(list), 0);
}

TEST_F(List, AnimatedScrollReportsEachStepAndEndsOnce)
{
    lv_obj_update_layout(scr);
    const uint32_t t0 = now();
    lv_obj_scroll_to_y(list, 96, LV_ANIM_ON);
    ASSERT_EQ(rec.count(LV_EVENT_SCROLL_BEGIN), 1) << "sent at once";
    EXPECT_NE(rec.of(LV_EVENT_SCROLL_BEGIN)[0].param, nullptr);
    lv_point_t end;
    lv_obj_get_scroll_end(list, &end);
    EXPECT_EQ(end.y, 96);
    EXPECT_TRUE(lv_obj_is_scrolling(list));
    settle();
    const auto scrolls = rec.of(LV_EVENT_SCROLL);
    ASSERT_GE(scrolls.size(), 10u) << "about one per 33 ms tick over 400 ms";
    for(size_t i = 1; i < scrolls.size(); i++) {
        EXPECT_GT(scrolls[i].scroll_y, scrolls[i - 1].scroll_y);
        EXPECT_EQ(scrolls[i].tick - scrolls[i - 1].tick, kPeriod);
    }
    EXPECT_EQ(scrolls.back().scroll_y, 96);
    const auto ends = rec.of(LV_EVENT_SCROLL_END);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].param, nullptr);
    EXPECT_GE(ends[0].tick - t0, 400u) << "96 px vertically takes 400 ms";
    EXPECT_LT(ends[0].tick - t0, 400u + kPeriod);
    EXPECT_FALSE(lv_obj_is_scrolling(list));

    // Replaced before its first tick: only the second one ends.
    rec.clear();
    lv_obj_scroll_to_y(list, 0, LV_ANIM_ON);
    lv_obj_scroll_to_y(list, 48, LV_ANIM_ON);
    settle();
    EXPECT_EQ(rec.count(LV_EVENT_SCROLL_BEGIN), 2);
    EXPECT_EQ(rec.count(LV_EVENT_SCROLL_END), 1);
    EXPECT_EQ(lv_obj_get_scroll_y(list), 48);
}

TEST_F(List, HandlerMayEditTheAnimationInScrollBegin)
{
    lv_obj_add_event_cb(
        list, [](lv_event_t * e) {
            if(lv_anim_t * a = lv_event_get_scroll_anim(e)) lv_anim_set_duration(a, 33);
        },
        LV_EVENT_SCROLL_BEGIN, nullptr);
    lv_obj_scroll_to_y(list, 200, LV_ANIM_ON);
    step();
    step();
    EXPECT_EQ(lv_obj_get_scroll_y(list), 200);
    EXPECT_EQ(rec.count(LV_EVENT_SCROLL_END), 1);
}

TEST_F(List, ScrollbarGeometry)
{
    lv_obj_t * box = lv_obj_create(scr);  // themed: 4 px bar, 6 px from the edges
    lv_obj_set_size(box, 200, 300);
    lv_obj_set_pos(box, 300, 0);
    lv_obj_set_style_pad_all(box, 0, 0);
    lv_obj_set_style_border_width(box, 0, 0);
    bare(box, 100, 744);
    lv_obj_update_layout(scr);
    lv_area_t hor;
    lv_area_t ver;
    lv_obj_get_scrollbar_area(box, &hor, &ver);
    EXPECT_LE(lv_area_get_width(&hor), 0) << "no horizontal overflow";
    EXPECT_EQ(ver.x1, 490);
    EXPECT_EQ(ver.x2, 493);
    EXPECT_EQ(ver.y1, 6);
    EXPECT_EQ(ver.y2, 121);
    lv_obj_scroll_to_y(box, 444, LV_ANIM_OFF);
    lv_obj_get_scrollbar_area(box, &hor, &ver);
    EXPECT_EQ(ver.y1, 178);
    EXPECT_EQ(ver.y2, 293);
    lv_obj_scroll_by(box, 0, -100, LV_ANIM_OFF);  // over-scrolled past the end
    lv_obj_get_scrollbar_area(box, &hor, &ver);
    EXPECT_EQ(ver.y2, 293) << "stays in the track";
    EXPECT_GE(lv_area_get_height(&ver), LV_DPX(10));
    EXPECT_LT(lv_area_get_height(&ver), 116);
}

TEST_F(List, ScrollbarModes)
{
    struct Case {
        lv_scrollbar_mode_t mode;
        int32_t content_h;
        bool at_rest;
        bool while_dragged;
    };
    const Case cases[] = {
        {LV_SCROLLBAR_MODE_OFF, 2000, false, false},
        {LV_SCROLLBAR_MODE_ON, 100, true, true},
        {LV_SCROLLBAR_MODE_ACTIVE, 2000, false, true},
        {LV_SCROLLBAR_MODE_AUTO, 2000, true, true},
        {LV_SCROLLBAR_MODE_AUTO, 100, false, false},
    };
    for(const Case & c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " content " << c.content_h);
        lv_obj_set_height(content, c.content_h);
        lv_obj_set_scrollbar_mode(list, c.mode);
        lv_obj_update_layout(scr);
        lv_area_t hor;
        lv_area_t ver;
        lv_obj_get_scrollbar_area(list, &hor, &ver);
        EXPECT_EQ(lv_area_get_height(&ver) > 0, c.at_rest);
        press(100, 150);
        move_to(100, 130);
        lv_obj_get_scrollbar_area(list, &hor, &ver);
        EXPECT_EQ(lv_area_get_height(&ver) > 0, c.while_dragged);
        release();
        settle();
        lv_obj_scroll_to_y(list, 0, LV_ANIM_OFF);
    }
}

TEST_F(List, ContentThatShrinksIsScrolledBackAfterLayout)
{
    lv_obj_scroll_to_y(list, 1700, LV_ANIM_OFF);
    lv_obj_set_height(content, 400);
    lv_obj_update_layout(scr);
    EXPECT_EQ(lv_obj_get_scroll_y(list), 100);
    EXPECT_EQ(lv_obj_get_scroll_bottom(list), 0);
}

TEST_F(List, FocusScrollsTheObjectIntoView)
{
    lv_obj_delete(content);
    lv_group_t * g = lv_group_create();
    std::vector<lv_obj_t *> rows;
    for(int i = 0; i < 10; i++) {
        lv_obj_t * row = bare(list, 200, 100);
        lv_obj_set_pos(row, 0, 100 * i);
        lv_obj_add_flag(row, LV_OBJ_FLAG_SCROLL_ON_FOCUS);
        lv_group_add_obj(g, row);
        rows.push_back(row);
    }
    lv_obj_update_layout(scr);
    lv_group_focus_obj(rows[5]);
    settle();
    EXPECT_EQ(lv_obj_get_scroll_y(list), 300) << "bottom edge of row 5 at the bottom of the view";
    lv_group_focus_obj(rows[1]);
    settle();
    EXPECT_EQ(lv_obj_get_scroll_y(list), 100);
    lv_obj_remove_flag(rows[8], LV_OBJ_FLAG_SCROLL_ON_FOCUS);
    lv_group_focus_obj(rows[8]);
    settle();
    EXPECT_EQ(lv_obj_get_scroll_y(list), 100);
}

TEST_F(List, TappingAnItemOfACentreSnappingListAnimatesItToTheCentre)
{
    lv_obj_delete(content);
    lv_obj_set_scroll_snap_y(list, LV_SCROLL_SNAP_CENTER);
    std::vector<lv_obj_t *> rows;
    for(int i = 0; i < 10; i++) {
        lv_obj_t * row = bare(list, 200, 60);
        lv_obj_set_pos(row, 0, 60 * i);
        lv_obj_add_flag(row, LV_OBJ_FLAG_SCROLL_ON_FOCUS);
        rows.push_back(row);
    }
    lv_obj_update_layout(scr);
    tap(100, 250);  // row 4 (240..299)
    settle();
    lv_area_t a;
    lv_obj_get_coords(rows[4], &a);
    EXPECT_EQ((a.y1 + a.y2 + 1) / 2, 150) << "centred in the 300 px list";
    EXPECT_EQ(lv_obj_get_scroll_y(list), 120);
}

TEST_F(List, CleanEndsTheScrollAnimationAndReportsTheJumpToTheTop)
{
    struct Case {
        const char * what;
        int ticks;  // of the animation from 100 to 300 before the clean
        bool anim_ended;
    };
    const Case cases[] = {
        {"mid-way: the animation reports its end where it stopped", 3, true},
        {"before its first tick: it ends silently", 0, false},
    };
    const std::vector<lv_event_code_t> codes = {LV_EVENT_SCROLL_BEGIN, LV_EVENT_SCROLL, LV_EVENT_SCROLL_END,
                                                LV_EVENT_CHILD_CHANGED, LV_EVENT_CHILD_DELETED};
    for(const Case & c : cases) {
        SCOPED_TRACE(c.what);
        lv_obj_clean(list);
        content = bare(list, 200, 2000);
        lv_obj_scroll_to_y(list, 100, LV_ANIM_OFF);
        lv_obj_scroll_to_y(list, 300, LV_ANIM_ON);
        steps(c.ticks);
        const int32_t at = lv_obj_get_scroll_y(list);
        rec.clear();
        lv_obj_clean(list);
        std::vector<std::string> seen;
        for(const Event & e : rec.events) {
            if(std::find(codes.begin(), codes.end(), e.code) != codes.end()) {
                seen.push_back(std::string(code_name(e.code)) + ":" + std::to_string(e.scroll_y));
            }
        }
        const std::string from = std::to_string(at);
        Names expected = {"SCROLL_BEGIN:" + from, "SCROLL:0", "SCROLL_END:0", "CHILD_CHANGED:0", "CHILD_DELETED:0"};
        if(c.anim_ended) expected.insert(expected.begin(), "SCROLL_END:" + from);
        EXPECT_EQ(seen, expected);
        settle();
        EXPECT_EQ(lv_obj_get_scroll_y(list), 0) << "the animation does not go on";
        EXPECT_EQ(rec.count(LV_EVENT_SCROLL), 1);
    }
}

TEST(ScrollSnap, UpdateSnapAlignsTheNearestChild)
{
    struct Case {
        lv_scroll_snap_t snap;
        int32_t expected_x;
    };
    const Case cases[] = {
        {LV_SCROLL_SNAP_NONE, 130},
        {LV_SCROLL_SNAP_START, 100},
        {LV_SCROLL_SNAP_END, 120},
        {LV_SCROLL_SNAP_CENTER, 110},
    };
    for(const Case & c : cases) {
        SCOPED_TRACE(testing::Message() << "snap " << c.snap);
        lv_init();
        lv_display_create(kWidth, kHeight);
        lv_obj_t * row = bare(lv_screen_active(), 300, 100);
        lv_obj_set_style_pad_hor(row, 10, 0);
        for(int i = 0; i < 6; i++) {
            lv_obj_t * cell = bare(row, 100, 100);
            lv_obj_set_x(cell, 100 * i);
        }
        lv_obj_set_scroll_snap_x(row, c.snap);
        lv_obj_update_layout(row);
        lv_obj_scroll_to_x(row, 130, LV_ANIM_OFF);
        lv_obj_update_snap(row, LV_ANIM_OFF);
        EXPECT_EQ(lv_obj_get_scroll_x(row), c.expected_x);
        lv_deinit();
    }
}

using Pager = PagerTest;

TEST_F(Pager, SwipeSnapsToTheNextPageWithTheEventSequence)
{
    swipe({400, 240}, {-40, 0}, 3);
    EXPECT_EQ(rec.names(kScrollCodes), (Names{"pager:SCROLL_BEGIN", "pager:SCROLL_THROW_BEGIN", "pager:SCROLL_BEGIN",
                                              "pager:SCROLL_END"}))
        << "the drag ends in the release read; the snap animation has begun";
    const auto begins = rec.of(LV_EVENT_SCROLL_BEGIN);
    EXPECT_EQ(begins[0].param, nullptr);
    EXPECT_NE(begins[1].param, nullptr);
    EXPECT_EQ(begins[1].scroll_x, 90) << "the first 40 px step off page 0 is damped to 10";
    EXPECT_EQ(rec.of(LV_EVENT_SCROLL_END)[0].param, pointer);
    EXPECT_FALSE(lv_obj_has_state(pager, LV_STATE_SCROLLED)) << "SCROLLED ends with the drag";
    EXPECT_TRUE(lv_obj_is_scrolling(pager));

    rec.clear();
    settle();
    const auto scrolls = rec.of(LV_EVENT_SCROLL);
    ASSERT_GE(scrolls.size(), 10u) << "each tick of the 400 ms animation is reported";
    for(size_t i = 1; i < scrolls.size(); i++) EXPECT_GT(scrolls[i].scroll_x, scrolls[i - 1].scroll_x);
    EXPECT_EQ(scrolls.back().scroll_x, 640);
    ASSERT_EQ(rec.count(LV_EVENT_SCROLL_END), 1);
    EXPECT_EQ(rec.of(LV_EVENT_SCROLL_END)[0].param, nullptr);
    EXPECT_EQ(lv_obj_get_scroll_x(pager), 640);
}

TEST_F(Pager, NeverMoreThanOnePagePerGesture)
{
    struct Case {
        const char * what;
        lv_point_t delta;
        int steps;
        int expected_page;
    };
    const Case cases[] = {
        {"a fast long fling", {-120, 0}, 5, 1},
        {"a slow short drag", {-12, 0}, 2, 0},
        {"half a page slowly", {-20, 0}, 18, 1},
        {"backwards at the first page", {60, 0}, 4, 0},
    };
    for(const Case & c : cases) {
        SCOPED_TRACE(c.what);
        lv_obj_scroll_to_x(pager, 0, LV_ANIM_OFF);
        int max_seen = 0;
        press(c.delta.x < 0 ? 620 : 20, 240);
        for(int i = 0; i < c.steps; i++) {
            move_to(point.x + c.delta.x, 240);
            max_seen = std::max(max_seen, lv_obj_get_scroll_x(pager));
        }
        release();
        settle();
        max_seen = std::max(max_seen, lv_obj_get_scroll_x(pager));
        EXPECT_LE(max_seen, 640);
        EXPECT_EQ(lv_obj_get_scroll_x(pager), c.expected_page * kWidth);
    }
}

TEST_F(Pager, SuccessiveSwipesWalkThePagesAndStopAtTheLast)
{
    for(int i = 0; i < 7; i++) {
        swipe({500, 240}, {-100, 0}, 4);
        settle();
    }
    EXPECT_EQ(page(), 5);
    swipe({100, 240}, {100, 0}, 4);
    settle();
    EXPECT_EQ(page(), 4);
}

TEST_F(Pager, TapOnAPageClicksItWithoutMovingThePager)
{
    rec.attach(pages[0], "page0");
    tap(300, 200);
    settle();
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, pages[0]), 1);
    EXPECT_EQ(lv_obj_get_scroll_x(pager), 0);
    EXPECT_EQ(rec.count(LV_EVENT_SCROLL), 0);
}

}  // namespace
