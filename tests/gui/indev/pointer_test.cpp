// Pointer input: which object a press lands on, the events of a press in
// their order, clicks, long presses, press lock, resets and the device API.
#include "indev_env.hpp"

using namespace indev_test;

namespace {

using Names = std::vector<std::string>;

const std::vector<lv_event_code_t> kPressCodes = {
    LV_EVENT_HOVER_OVER,    LV_EVENT_PRESSED,        LV_EVENT_FOCUSED,       LV_EVENT_DEFOCUSED,
    LV_EVENT_PRESS_LOST,    LV_EVENT_SHORT_CLICKED,  LV_EVENT_SINGLE_CLICKED, LV_EVENT_DOUBLE_CLICKED,
    LV_EVENT_LONG_PRESSED,  LV_EVENT_LONG_PRESSED_REPEAT, LV_EVENT_CLICKED,   LV_EVENT_RELEASED,
    LV_EVENT_VALUE_CHANGED, LV_EVENT_SCROLL_BEGIN,   LV_EVENT_SCROLL_END};

class Pointer : public InputTest {
protected:
    void SetUp() override
    {
        InputTest::SetUp();
        back = bare(scr, 200, 200);
        lv_obj_set_pos(back, 100, 100);
        front = bare(scr, 100, 100);
        lv_obj_set_pos(front, 150, 150);
        rec.attach(back, "back");
        rec.attach(front, "front");
        lv_obj_update_layout(scr);
    }

    lv_obj_t * back = nullptr;
    lv_obj_t * front = nullptr;
    Recorder rec;
};

TEST_F(Pointer, TapGivesExactlyOneClickOnTheTopmostObject)
{
    press(160, 160);
    steps(2);
    release();
    EXPECT_EQ(rec.names(kPressCodes), (Names{"front:HOVER_OVER", "front:PRESSED", "front:FOCUSED", "front:RELEASED",
                                             "front:SHORT_CLICKED", "front:SINGLE_CLICKED", "front:CLICKED"}));
    EXPECT_EQ(rec.count(LV_EVENT_PRESSING, front), 3) << "one PRESSING per read while down";
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, back), 0);

    rec.clear();
    tap(110, 110);
    EXPECT_EQ(rec.names(kPressCodes),
              (Names{"back:HOVER_OVER", "back:PRESSED", "front:DEFOCUSED", "back:FOCUSED", "back:RELEASED",
                     "back:SHORT_CLICKED", "back:SINGLE_CLICKED", "back:CLICKED"}));
    EXPECT_EQ(rec.count(LV_EVENT_HOVER_LEAVE, front), 1);
}

TEST_F(Pointer, HitTestSkipsHiddenAndNonClickableAndHonoursTheExtendedArea)
{
    struct Case {
        const char * what;
        void (*setup)(lv_obj_t * back, lv_obj_t * front);
        lv_point_t at;
        bool front_hit;
        bool back_hit;
    };
    const Case cases[] = {
        {"inside the front object", [](lv_obj_t *, lv_obj_t *) {}, {200, 200}, true, false},
        {"hidden front", [](lv_obj_t *, lv_obj_t * f) { lv_obj_add_flag(f, LV_OBJ_FLAG_HIDDEN); }, {200, 200}, false,
         true},
        {"non-clickable front",
         [](lv_obj_t *, lv_obj_t * f) { lv_obj_remove_flag(f, LV_OBJ_FLAG_CLICKABLE); }, {200, 200}, false, true},
        {"extended click area", [](lv_obj_t *, lv_obj_t * f) { lv_obj_set_ext_click_area(f, 10); }, {145, 145}, true,
         false},
        {"just outside the area", [](lv_obj_t *, lv_obj_t *) {}, {149, 149}, false, true},
        {"advanced hit test refuses",
         [](lv_obj_t *, lv_obj_t * f) {
             lv_obj_add_flag(f, LV_OBJ_FLAG_ADV_HITTEST);
             lv_obj_add_event_cb(
                 f, [](lv_event_t * e) { lv_event_get_hit_test_info(e)->res = false; }, LV_EVENT_HIT_TEST, nullptr);
         },
         {200, 200}, false, true},
    };
    for(const Case & c : cases) {
        SCOPED_TRACE(c.what);
        lv_obj_t * b = bare(scr, 200, 200);
        lv_obj_set_pos(b, 100, 100);
        lv_obj_t * f = bare(scr, 100, 100);
        lv_obj_set_pos(f, 150, 150);
        c.setup(b, f);
        lv_obj_update_layout(scr);
        lv_point_t at = c.at;
        lv_obj_t * hit = lv_indev_search_obj(scr, &at);
        EXPECT_EQ(hit == f, c.front_hit);
        EXPECT_EQ(hit == b, c.back_hit);
        lv_obj_delete(f);
        lv_obj_delete(b);
    }
}

TEST_F(Pointer, ChildrenOfANonClickableParentAreStillFoundButOnlyInsideItsBox)
{
    lv_obj_remove_flag(back, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_t * child = bare(back, 50, 50);
    lv_obj_set_pos(child, 10, 10);
    lv_obj_set_ext_click_area(back, 20);
    lv_obj_update_layout(scr);
    lv_point_t in_child{115, 115};
    EXPECT_EQ(lv_indev_search_obj(scr, &in_child), child);
    lv_obj_set_pos(child, -30, 10);  // sticks out of its parent on the left
    lv_obj_update_layout(scr);
    lv_point_t outside_parent{80, 115};
    EXPECT_EQ(lv_indev_search_obj(scr, &outside_parent), scr) << "children are searched inside the parent's box only";
}

// A parent that lets its children overflow is searched as far as it draws.
// Its extra draw size is asked for again when the layout changes its size,
// so a handler added after lv_obj_set_size counts, one added after the
// layout pass does not (yet).
TEST_F(Pointer, OverflowingChildrenAreFoundWithinTheParentsExtraDrawSize)
{
    auto fifty = [](lv_event_t * e) { lv_event_set_ext_draw_size(e, 50); };
    struct {
        bool layout_first;
        std::vector<bool> hits;  // at x 390, 420, 449, 451
    } cases[] = {{false, {true, true, true, false}}, {true, {true, false, false, false}}};
    for (const auto & c : cases) {
        lv_obj_t * panel = lv_obj_create(scr);
        lv_obj_set_pos(panel, 100, 100);
        lv_obj_add_flag(panel, LV_OBJ_FLAG_OVERFLOW_VISIBLE);
        lv_obj_remove_flag(panel, LV_OBJ_FLAG_SCROLLABLE);
        lv_obj_set_size(panel, 300, 200);
        if (c.layout_first) lv_obj_update_layout(panel);
        lv_obj_add_event_cb(panel, fifty, LV_EVENT_REFR_EXT_DRAW_SIZE, nullptr);
        lv_obj_t * button = lv_button_create(panel);
        lv_obj_set_pos(button, 250, 20);
        lv_obj_set_size(button, 100, 50);
        lv_obj_update_layout(scr);
        lv_area_t a;
        lv_obj_get_coords(button, &a);
        EXPECT_EQ(a.x1, 368);
        EXPECT_EQ(a.y1, 138);
        const int32_t xs[] = {390, 420, 449, 451};
        for (size_t i = 0; i < 4; ++i) {
            lv_point_t p{xs[i], 150};
            EXPECT_EQ(lv_indev_search_obj(scr, &p) == button, c.hits[i])
                << "x " << xs[i] << (c.layout_first ? ", laid out first" : "");
        }
        lv_obj_delete(panel);
    }
}

TEST_F(Pointer, SmallMovesStillClickButAScrollSuppressesTheClick)
{
    lv_obj_t * list = bare(scr, 200, 200);
    lv_obj_set_pos(list, 400, 0);
    lv_obj_t * item = bare(list, 200, 100);
    lv_obj_t * tail = bare(list, 200, 400);
    lv_obj_set_pos(tail, 0, 100);
    rec.attach(item, "item");
    rec.attach(list, "list");
    lv_obj_update_layout(scr);

    press(450, 50);
    move_to(450, 45);
    move_to(450, 41);  // 9 px in total: below the scroll limit
    release();
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, item), 1);
    EXPECT_EQ(rec.count(LV_EVENT_SCROLL_BEGIN), 0);

    rec.clear();
    press(450, 50);
    move_to(450, 40);
    EXPECT_TRUE(lv_obj_has_state(list, LV_STATE_SCROLLED));
    EXPECT_FALSE(lv_obj_has_state(item, LV_STATE_PRESSED)) << "the press turned into a scroll";
    move_to(450, 30);
    release();
    settle();
    EXPECT_EQ(rec.names(kPressCodes),
              (Names{"item:HOVER_OVER", "item:PRESSED", "list:SCROLL_BEGIN", "item:RELEASED", "list:SCROLL_END"}));
    EXPECT_EQ(rec.count(LV_EVENT_PRESS_LOST), 0);
    // 20 px dragged, then the throw: velocity 10 + 6 = 16 at release, 14 + 12 + ... + 1 = 81 px.
    EXPECT_EQ(lv_obj_get_scroll_y(list), 101);
}

TEST_F(Pointer, CheckableObjectTogglesOnReleaseUnlessTheReleaseScrolled)
{
    lv_obj_add_flag(front, LV_OBJ_FLAG_CHECKABLE);
    tap(160, 160);
    EXPECT_TRUE(lv_obj_has_state(front, LV_STATE_CHECKED));
    EXPECT_EQ(rec.names({LV_EVENT_VALUE_CHANGED, LV_EVENT_RELEASED, LV_EVENT_CLICKED}),
              (Names{"front:VALUE_CHANGED", "front:RELEASED", "front:CLICKED"}))
        << "the class handler toggles before user RELEASED handlers run";
    tap(160, 160);
    EXPECT_FALSE(lv_obj_has_state(front, LV_STATE_CHECKED));

    // A long press and sliding off (press lock) still toggle.
    press(160, 160);
    steps(15);
    move_to(10, 10);
    release();
    EXPECT_TRUE(lv_obj_has_state(front, LV_STATE_CHECKED));
    EXPECT_EQ(rec.count(LV_EVENT_VALUE_CHANGED), 3);

    // A drag on it that scrolls its parent does not.
    lv_obj_t * sw = bare(back, 40, 40);
    lv_obj_add_flag(sw, LV_OBJ_FLAG_CHECKABLE);
    lv_obj_t * tall = bare(back, 100, 600);
    lv_obj_set_pos(tall, 0, 40);
    lv_obj_update_layout(scr);
    press(110, 110);
    move_to(110, 90);
    release();
    EXPECT_GT(lv_obj_get_scroll_y(back), 0);
    EXPECT_FALSE(lv_obj_has_state(sw, LV_STATE_CHECKED));
}

TEST_F(Pointer, LongPressTimingAndRepeats)
{
    press(160, 160);
    const uint32_t t0 = now();
    steps(30);  // about a second
    release();
    const auto lp = rec.of(LV_EVENT_LONG_PRESSED);
    ASSERT_EQ(lp.size(), 1u);
    EXPECT_EQ(lp[0].tick - t0, 429u) << "first read strictly after 400 ms";
    const auto rep = rec.of(LV_EVENT_LONG_PRESSED_REPEAT);
    ASSERT_GE(rep.size(), 2u);
    EXPECT_EQ(rep[0].tick - lp[0].tick, 132u);
    EXPECT_EQ(rep[1].tick - rep[0].tick, 132u);
    EXPECT_EQ(rec.count(LV_EVENT_SHORT_CLICKED), 0);
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, front), 1) << "CLICKED also after a long press";
}

TEST_F(Pointer, QuickClicksAtOnePlaceFormStreaks)
{
    for(int i = 0; i < 4; i++) tap(160, 160);
    EXPECT_EQ(rec.names({LV_EVENT_SINGLE_CLICKED, LV_EVENT_DOUBLE_CLICKED, LV_EVENT_TRIPLE_CLICKED}),
              (Names{"front:SINGLE_CLICKED", "front:DOUBLE_CLICKED", "front:TRIPLE_CLICKED", "front:SINGLE_CLICKED"}));
    EXPECT_EQ(lv_indev_get_short_click_streak(pointer), 4);
    steps(15);
    rec.clear();
    tap(160, 160);
    tap(190, 190);  // too far from the previous click
    EXPECT_EQ(rec.names({LV_EVENT_SINGLE_CLICKED, LV_EVENT_DOUBLE_CLICKED}),
              (Names{"front:SINGLE_CLICKED", "front:SINGLE_CLICKED"}));
}

TEST_F(Pointer, WithoutPressLockSlidingOffLosesThePress)
{
    lv_obj_remove_flag(front, LV_OBJ_FLAG_PRESS_LOCK);
    press(160, 160);
    move_to(120, 120);  // onto back; nothing here can scroll
    release();
    EXPECT_EQ(rec.names(kPressCodes), (Names{"front:HOVER_OVER", "front:PRESSED", "front:FOCUSED", "front:PRESS_LOST",
                                             "back:RELEASED"}))
        << "the object entered while down becomes pressed silently and is not clicked";
    EXPECT_FALSE(lv_obj_has_state(front, LV_STATE_PRESSED));
}

TEST_F(Pointer, PressedStateFollowsThePress)
{
    press(160, 160);
    EXPECT_TRUE(lv_obj_has_state(front, LV_STATE_PRESSED));
    EXPECT_FALSE(lv_obj_has_state(back, LV_STATE_PRESSED)) << "ancestors are not pressed";
    release();
    EXPECT_FALSE(lv_obj_has_state(front, LV_STATE_PRESSED));
    EXPECT_TRUE(lv_obj_has_state(front, LV_STATE_FOCUSED));
}

TEST_F(Pointer, DeletingThePressedObjectDropsTheRestOfThePress)
{
    lv_obj_add_event_cb(front, [](lv_event_t * e) { lv_obj_delete(lv_event_get_target_obj(e)); }, LV_EVENT_PRESSED,
                        nullptr);
    rec.attach(scr, "scr");
    press(160, 160);
    steps(3);
    release();
    EXPECT_EQ(rec.count(LV_EVENT_RELEASED), 0);
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED), 0);
    rec.clear();
    tap(110, 110);
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, back), 1) << "the next press starts clean";
}

TEST_F(Pointer, DeletingTheScreenFromAClickHandlerIsSafe)
{
    lv_obj_t * other = lv_obj_create(nullptr);
    lv_obj_add_event_cb(
        front,
        [](lv_event_t * e) {
            lv_screen_load(static_cast<lv_obj_t *>(lv_event_get_user_data(e)));
            lv_obj_delete(lv_obj_get_screen(lv_event_get_target_obj(e)));
        },
        LV_EVENT_CLICKED, other);
    tap(160, 160);
    EXPECT_EQ(lv_screen_active(), other);
    tap(160, 160);
    SUCCEED();
}

TEST_F(Pointer, DisabledObjectsCaptureThePressButGetNoEvents)
{
    lv_obj_add_state(front, LV_STATE_DISABLED);
    tap(160, 160);
    EXPECT_EQ(rec.names(kPressCodes), (Names{"front:FOCUSED"})) << "click focus still happens";
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, back), 0) << "nothing behind it is pressed";
}

TEST_F(Pointer, DeviceHandlersSeeEventsFirstAndMayStopThem)
{
    struct Log {
        std::vector<std::string> * order;
        lv_indev_t * active_inside = nullptr;
    };
    // Outlives the test body: the handlers also see DELETE at tear-down.
    static std::vector<std::string> order;
    static Log log;
    order.clear();
    log = Log{&order};
    lv_indev_add_event_cb(
        pointer,
        [](lv_event_t * e) {
            auto * l = static_cast<Log *>(lv_event_get_user_data(e));
            l->order->push_back(std::string("dev:") + code_name(lv_event_get_code(e)));
            if(lv_event_get_code(e) == LV_EVENT_CLICKED) lv_indev_stop_processing(lv_indev_active());
        },
        LV_EVENT_ALL, &log);
    lv_obj_add_event_cb(
        front,
        [](lv_event_t * e) {
            auto * l = static_cast<Log *>(lv_event_get_user_data(e));
            const std::string name = code_name(lv_event_get_code(e));
            if(name == "?") return;  // drawing, styles
            l->order->push_back("obj:" + name);
            if(lv_event_get_code(e) == LV_EVENT_PRESSED) l->active_inside = lv_indev_active();
        },
        LV_EVENT_ALL, &log);
    tap(160, 160);
    const std::vector<std::string> expected = {
        "obj:HOVER_OVER",    "dev:PRESSED",        "obj:PRESSED",        "obj:FOCUSED",
        "obj:PRESSING",      "dev:RELEASED",       "obj:RELEASED",       "dev:SHORT_CLICKED",
        "obj:SHORT_CLICKED", "obj:SINGLE_CLICKED", "dev:CLICKED"};
    EXPECT_EQ(order, expected) << "a stopped CLICKED does not reach the object";
    EXPECT_EQ(log.active_inside, pointer);
    EXPECT_EQ(lv_indev_active(), nullptr) << "NULL outside input processing";
}

TEST_F(Pointer, ContinueReadingDrainsSeveralSamplesInOneRun)
{
    struct Script {
        std::vector<lv_indev_data_t> samples;
        size_t next = 0;
    } script;
    auto sample = [](lv_indev_state_t s, int32_t x, int32_t y) {
        lv_indev_data_t d{};
        d.state = s;
        d.point = {x, y};
        d.continue_reading = true;
        return d;
    };
    script.samples = {sample(LV_INDEV_STATE_PRESSED, 160, 160), sample(LV_INDEV_STATE_RELEASED, 160, 160),
                      sample(LV_INDEV_STATE_PRESSED, 120, 120), sample(LV_INDEV_STATE_RELEASED, 120, 120)};
    script.samples.back().continue_reading = false;
    lv_indev_set_user_data(pointer, &script);
    lv_indev_set_read_cb(pointer, [](lv_indev_t * indev, lv_indev_data_t * data) {
        auto * s = static_cast<Script *>(lv_indev_get_user_data(indev));
        if(s->next < s->samples.size()) *data = s->samples[s->next++];
    });
    step();
    EXPECT_EQ(script.next, 4u) << "all buffered samples in one timer run";
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, front), 1);
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, back), 1);
}

TEST_F(Pointer, ReadCallbackStartsWithThePreviousPointAndTheCursorFollows)
{
    lv_obj_t * cursor = bare(scr, 8, 8);
    lv_indev_set_cursor(pointer, cursor);
    EXPECT_EQ(lv_obj_get_parent(cursor), lv_layer_sys());
    EXPECT_FALSE(lv_obj_has_flag(cursor, LV_OBJ_FLAG_CLICKABLE));
    move_to(300, 200);
    lv_obj_update_layout(cursor);
    lv_area_t a;
    lv_obj_get_coords(cursor, &a);
    EXPECT_EQ(a.x1, 300);
    EXPECT_EQ(a.y1, 200);

    lv_point_t seen{-1, -1};
    lv_indev_set_user_data(pointer, &seen);
    lv_indev_set_read_cb(pointer, [](lv_indev_t * indev, lv_indev_data_t * data) {
        *static_cast<lv_point_t *>(lv_indev_get_user_data(indev)) = data->point;
    });
    step();
    EXPECT_EQ(seen.x, 300);
    EXPECT_EQ(seen.y, 200);
    lv_point_t p;
    lv_indev_get_point(pointer, &p);
    EXPECT_EQ(p.x, 300);
    lv_indev_get_point(keypad, &p);
    EXPECT_EQ(p.x, -1) << "not a pointer";
}

TEST_F(Pointer, GestureGoesToTheScreenOnceWhenNothingScrolls)
{
    rec.attach(scr, "scr");
    lv_obj_remove_flag(scr, LV_OBJ_FLAG_SCROLLABLE);
    press(300, 400);
    for(int i = 0; i < 5; i++) move_to(point.x - 15, point.y);
    release();
    EXPECT_EQ(rec.count(LV_EVENT_GESTURE, scr), 1);
    EXPECT_EQ(lv_indev_get_gesture_dir(pointer), LV_DIR_LEFT);
}

}  // namespace

namespace {

TEST_F(Pointer, DevicesThatCannotReadIgnoreInput)
{
    struct Case {
        const char * what;
        void (*block)(lv_indev_t * indev);
        void (*unblock)(lv_indev_t * indev);
    };
    const Case cases[] = {
        {"disabled", [](lv_indev_t * i) { lv_indev_enable(i, false); }, [](lv_indev_t * i) { lv_indev_enable(i, true); }},
        {"event mode", [](lv_indev_t * i) { lv_indev_set_mode(i, LV_INDEV_MODE_EVENT); },
         [](lv_indev_t * i) { lv_indev_set_mode(i, LV_INDEV_MODE_TIMER); }},
        {"no display", [](lv_indev_t * i) { lv_indev_set_display(i, nullptr); },
         [](lv_indev_t * i) { lv_indev_set_display(i, lv_display_get_default()); }},
    };
    for(const Case & c : cases) {
        SCOPED_TRACE(c.what);
        rec.clear();
        c.block(pointer);
        tap(160, 160);
        EXPECT_EQ(rec.count(LV_EVENT_PRESSED), 0);
        c.unblock(pointer);
        tap(160, 160);
        EXPECT_EQ(rec.count(LV_EVENT_CLICKED, front), 1);
    }

    // In event mode the application reads when it wants to.
    rec.clear();
    lv_indev_set_mode(pointer, LV_INDEV_MODE_EVENT);
    point = {160, 160};
    pressed = true;
    lv_indev_read(pointer);
    pressed = false;
    lv_indev_read(pointer);
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, front), 1);
}

TEST_F(Pointer, InputWaitsWhileAScreenFadesIn)
{
    lv_obj_t * next = lv_obj_create(nullptr);
    lv_screen_load_anim(next, LV_SCREEN_LOAD_ANIM_FADE_IN, 300, 0, false);
    step();
    tap(160, 160);
    EXPECT_EQ(rec.count(LV_EVENT_PRESSED), 0);
    steps(12);
    EXPECT_EQ(lv_screen_active(), next);
    rec.attach(next, "next");
    tap(160, 160);
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED, next), 1);
}

}  // namespace

namespace {

TEST_F(Pointer, TransformedObjectsAreHitWhereTheyAreDrawn)
{
    lv_obj_add_flag(back, LV_OBJ_FLAG_HIDDEN);
    lv_obj_add_flag(front, LV_OBJ_FLAG_HIDDEN);
    lv_obj_t * grown = bare(scr, 100, 100);
    lv_obj_set_pos(grown, 100, 100);
    lv_obj_set_style_transform_scale(grown, 512, 0);
    lv_obj_set_style_transform_pivot_x(grown, 50, 0);
    lv_obj_set_style_transform_pivot_y(grown, 50, 0);
    lv_obj_t * turned = bare(scr, 200, 20);
    lv_obj_set_pos(turned, 300, 100);
    lv_obj_set_style_transform_rotation(turned, 900, 0);
    lv_obj_set_style_transform_pivot_x(turned, 100, 0);
    lv_obj_set_style_transform_pivot_y(turned, 10, 0);
    lv_obj_update_layout(scr);
    struct Case {
        lv_point_t at;
        lv_obj_t * expected;
    };
    const Case cases[] = {
        {{60, 60}, grown},    // outside its box, inside the doubled one
        {{150, 150}, grown},  // the centre stays
        {{40, 40}, scr},      // outside the doubled box
        {{400, 50}, turned},  // the left end turned to the top
        {{350, 110}, scr},    // where the unturned bar would be
    };
    for(const Case & c : cases) {
        lv_point_t at = c.at;
        EXPECT_EQ(lv_indev_search_obj(scr, &at), c.expected) << c.at.x << "," << c.at.y;
    }
}

}  // namespace
