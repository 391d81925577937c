// Groups and keypads: the focus ring, focus by keys and by pointer, keys
// reaching the focused object.
#include "indev_env.hpp"

using namespace indev_test;

namespace {

using Names = std::vector<std::string>;

class Group : public InputTest {
protected:
    void SetUp() override
    {
        InputTest::SetUp();
        group = lv_group_create();
        lv_indev_set_group(keypad, group);
        for(int i = 0; i < 4; i++) {
            lv_obj_t * obj = bare(scr, 100, 50);
            lv_obj_set_pos(obj, 0, 60 * i);
            objs.push_back(obj);
            rec.attach(obj, names[i]);
        }
        lv_obj_update_layout(scr);
    }

    void add_all()
    {
        for(lv_obj_t * obj : objs) lv_group_add_obj(group, obj);
    }

    int focused_index() const
    {
        lv_obj_t * f = lv_group_get_focused(group);
        for(size_t i = 0; i < objs.size(); i++) {
            if(objs[i] == f) return static_cast<int>(i);
        }
        return -1;
    }

    void press_key(uint32_t k)
    {
        key_down(k);
        key_up();
    }

    static constexpr const char * names[] = {"a", "b", "c", "d"};
    lv_group_t * group = nullptr;
    std::vector<lv_obj_t *> objs;
    Recorder rec;
};

TEST_F(Group, FirstAddedObjectIsFocusedAndTheRingWraps)
{
    add_all();
    EXPECT_EQ(focused_index(), 0);
    EXPECT_EQ(lv_group_get_obj_count(group), 4u);
    EXPECT_EQ(rec.names({LV_EVENT_FOCUSED, LV_EVENT_DEFOCUSED}), (Names{"a:FOCUSED"}));
    std::vector<int> order;
    for(int i = 0; i < 5; i++) {
        lv_group_focus_next(group);
        order.push_back(focused_index());
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 0, 1}));
    lv_group_focus_prev(group);
    lv_group_focus_prev(group);
    EXPECT_EQ(focused_index(), 3);
}

TEST_F(Group, FocusSkipsDisabledAndHiddenAndStopsAtTheEdgesWithoutWrap)
{
    add_all();
    lv_obj_add_state(objs[1], LV_STATE_DISABLED);
    lv_obj_add_flag(objs[2], LV_OBJ_FLAG_HIDDEN);
    lv_group_focus_next(group);
    EXPECT_EQ(focused_index(), 3);

    static int edges = 0;
    edges = 0;
    lv_group_set_wrap(group, false);
    lv_group_set_edge_cb(group, [](lv_group_t *, bool) { edges++; });
    lv_group_focus_next(group);
    EXPECT_EQ(focused_index(), 3);
    EXPECT_EQ(edges, 1);

    lv_group_focus_freeze(group, true);
    lv_group_focus_obj(objs[0]);
    EXPECT_EQ(focused_index(), 3) << "frozen";
}

TEST_F(Group, RemovingOrDeletingTheFocusedObjectFocusesThePreviousOne)
{
    add_all();
    lv_group_focus_obj(objs[2]);
    lv_group_remove_obj(objs[2]);
    EXPECT_EQ(focused_index(), 1);
    EXPECT_FALSE(lv_obj_has_state(objs[2], LV_STATE_FOCUSED));
    EXPECT_EQ(lv_obj_get_group(objs[2]), nullptr);

    lv_obj_delete(objs[1]);
    objs[1] = nullptr;
    EXPECT_EQ(focused_index(), 0);
    lv_obj_delete(objs[0]);
    objs[0] = nullptr;
    EXPECT_EQ(focused_index(), 3) << "wraps to the last member";
    EXPECT_EQ(lv_group_get_obj_count(group), 1u);

    lv_group_t * other = lv_group_create();
    lv_group_add_obj(other, objs[3]);
    EXPECT_EQ(lv_group_get_obj_count(group), 0u) << "an object is in one group only";
    EXPECT_EQ(lv_group_get_focused(group), nullptr);
    EXPECT_EQ(lv_group_get_focused(other), objs[3]);
}

TEST_F(Group, KeypadMovesTheFocusAndMarksItAsKeyFocus)
{
    add_all();
    press_key(LV_KEY_NEXT);
    EXPECT_EQ(focused_index(), 1);
    EXPECT_TRUE(lv_obj_has_state(objs[1], LV_STATE_FOCUS_KEY));
    EXPECT_FALSE(lv_obj_has_state(objs[0], LV_STATE_FOCUSED));
    press_key(LV_KEY_PREV);
    press_key(LV_KEY_PREV);
    EXPECT_EQ(focused_index(), 3);

    // Held NEXT repeats after the long-press time.
    key_down(LV_KEY_NEXT);
    steps(15);  // ~500 ms
    key_up();
    EXPECT_GE(focused_index(), 1) << "moved more than once";
}

TEST_F(Group, EnterEscAndCharactersReachTheFocusedObject)
{
    add_all();
    lv_group_focus_obj(objs[2]);
    rec.clear();
    press_key(LV_KEY_ENTER);
    press_key(LV_KEY_ESC);
    press_key('x');
    EXPECT_EQ(rec.names({LV_EVENT_KEY, LV_EVENT_PRESSED, LV_EVENT_RELEASED, LV_EVENT_SHORT_CLICKED,
                         LV_EVENT_CLICKED, LV_EVENT_CANCEL}),
              (Names{"c:KEY", "c:PRESSED", "c:RELEASED", "c:SHORT_CLICKED", "c:CLICKED", "c:KEY", "c:CANCEL", "c:KEY"}));
    EXPECT_EQ(lv_indev_get_key(keypad), static_cast<uint32_t>('x'));

    rec.clear();
    lv_obj_add_state(objs[2], LV_STATE_DISABLED);
    press_key('y');
    press_key(LV_KEY_ENTER);
    EXPECT_TRUE(rec.names({LV_EVENT_KEY, LV_EVENT_PRESSED, LV_EVENT_CLICKED}).empty()) << "disabled: no keys";
}

TEST_F(Group, KeyCodesArriveIntact)
{
    add_all();
    static std::vector<uint32_t> keys;
    keys.clear();
    lv_obj_add_event_cb(objs[0], [](lv_event_t * e) { keys.push_back(lv_event_get_key(e)); }, LV_EVENT_KEY, nullptr);
    for(uint32_t k : {uint32_t('a'), uint32_t(LV_KEY_BACKSPACE), uint32_t(LV_KEY_LEFT), uint32_t(0x00A4C3)}) press_key(k);
    EXPECT_EQ(keys, (std::vector<uint32_t>{'a', LV_KEY_BACKSPACE, LV_KEY_LEFT, 0x00A4C3}));
}

TEST_F(Group, LongEnterSendsLongPressAndNoShortClick)
{
    add_all();
    rec.clear();
    key_down(LV_KEY_ENTER);
    steps(20);
    key_up();
    EXPECT_EQ(rec.count(LV_EVENT_LONG_PRESSED), 1);
    EXPECT_GE(rec.count(LV_EVENT_LONG_PRESSED_REPEAT), 1);
    EXPECT_EQ(rec.count(LV_EVENT_SHORT_CLICKED), 0);
    EXPECT_EQ(rec.count(LV_EVENT_CLICKED), 1);
}

TEST_F(Group, CheckableObjectsFollowArrowsAndEnter)
{
    add_all();
    lv_obj_add_flag(objs[0], LV_OBJ_FLAG_CHECKABLE);
    struct Case {
        uint32_t key;
        bool checked;
    };
    const Case cases[] = {{LV_KEY_RIGHT, true}, {LV_KEY_UP, true}, {LV_KEY_LEFT, false},
                          {LV_KEY_ENTER, true}, {LV_KEY_DOWN, false}, {LV_KEY_ENTER, true}};
    for(const Case & c : cases) {
        press_key(c.key);
        EXPECT_EQ(lv_obj_has_state(objs[0], LV_STATE_CHECKED), c.checked) << "key " << c.key;
    }
    EXPECT_EQ(rec.count(LV_EVENT_VALUE_CHANGED, objs[0]), 6);
}

TEST_F(Group, KeypadWithoutGroupDoesNothing)
{
    add_all();
    lv_indev_set_group(keypad, nullptr);
    rec.clear();
    press_key(LV_KEY_NEXT);
    press_key(LV_KEY_ENTER);
    EXPECT_EQ(focused_index(), 0);
    EXPECT_TRUE(rec.names({LV_EVENT_KEY, LV_EVENT_PRESSED, LV_EVENT_FOCUSED}).empty());
}

TEST_F(Group, TappingMovesTheGroupFocusWithoutKeyFocus)
{
    add_all();
    press_key(LV_KEY_NEXT);
    rec.clear();
    tap(50, 140);  // objs[2]
    EXPECT_EQ(focused_index(), 2);
    EXPECT_EQ(rec.names({LV_EVENT_FOCUSED, LV_EVENT_DEFOCUSED}), (Names{"b:DEFOCUSED", "c:FOCUSED"}));
    EXPECT_TRUE(lv_obj_has_state(objs[2], LV_STATE_FOCUSED));
    EXPECT_FALSE(lv_obj_has_state(objs[2], LV_STATE_FOCUS_KEY)) << "focused by a pointer";

    // Tapping an object outside the group: the group member only "leaves".
    lv_obj_t * outside = bare(scr, 100, 50);
    lv_obj_set_pos(outside, 300, 0);
    rec.attach(outside, "out");
    lv_obj_update_layout(scr);
    rec.clear();
    tap(350, 20);
    EXPECT_EQ(rec.names({LV_EVENT_FOCUSED, LV_EVENT_DEFOCUSED, LV_EVENT_LEAVE}), (Names{"c:LEAVE", "out:FOCUSED"}));
    EXPECT_EQ(focused_index(), 2) << "the group keeps its focus";
}

TEST_F(Group, FocusEventsNameTheDeviceBehindThem)
{
    // The device being processed, else the device attached to the group.
    add_all();
    lv_indev_t * seen = nullptr;
    lv_obj_add_event_cb(
        objs[2], [](lv_event_t * e) { *static_cast<lv_indev_t **>(lv_event_get_user_data(e)) = lv_event_get_indev(e); },
        LV_EVENT_FOCUSED, &seen);
    lv_group_focus_obj(objs[2]);
    EXPECT_EQ(seen, keypad) << "focused by the application";
    lv_group_focus_obj(objs[0]);
    seen = nullptr;
    tap(50, 140);
    EXPECT_EQ(seen, pointer) << "focused by a tap";
}

TEST_F(Group, DefaultGroupAndRegistry)
{
    EXPECT_EQ(lv_group_get_default(), nullptr);
    lv_group_set_default(group);
    EXPECT_EQ(lv_group_get_default(), group);
    lv_group_t * second = lv_group_create();
    EXPECT_EQ(lv_group_get_count(), 2u);
    EXPECT_EQ(lv_group_by_index(1), second);
    add_all();
    lv_group_delete(group);
    EXPECT_EQ(lv_group_get_default(), nullptr);
    EXPECT_EQ(lv_obj_get_group(objs[0]), nullptr);
    EXPECT_EQ(lv_indev_get_group(keypad), nullptr);
    EXPECT_FALSE(lv_obj_has_state(objs[0], LV_STATE_FOCUSED));
    group = nullptr;
}

}  // namespace
