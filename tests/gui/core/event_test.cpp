// Event dispatch: filters, order, bubbling, deletion from handlers, the tree.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui_fixture.hpp"
#include "lvgl.h"
#include "src/core/lv_global.h"

namespace {

using Events = test_support::GuiTest;

struct Log {
    std::vector<std::string> lines;
};

struct Tag {
    Log * log;
    const char * name;
};

void record(lv_event_t * e)
{
    auto * tag = static_cast<Tag *>(lv_event_get_user_data(e));
    std::string line = std::string(tag->name) + ":" + lv_event_code_get_name(lv_event_get_code(e));
    tag->log->lines.push_back(line);
}

TEST_F(Events, FiltersPreprocessOrderAndAll)
{
    Log log;
    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    Tag all{&log, "all"};
    Tag clicked{&log, "clicked"};
    Tag pre{&log, "pre"};
    lv_obj_add_event_cb(obj, record, LV_EVENT_ALL, &all);
    lv_obj_add_event_cb(obj, record, LV_EVENT_CLICKED, &clicked);
    lv_obj_add_event_cb(obj, record, static_cast<lv_event_code_t>(LV_EVENT_CLICKED | LV_EVENT_PREPROCESS), &pre);

    lv_obj_send_event(obj, LV_EVENT_CLICKED, nullptr);
    lv_obj_send_event(obj, LV_EVENT_VALUE_CHANGED, nullptr);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"pre:CLICKED", "all:CLICKED", "clicked:CLICKED",
                                                   "all:VALUE_CHANGED"}));

    EXPECT_EQ(lv_obj_get_event_count(obj), 3u);
    EXPECT_EQ(lv_obj_remove_event_cb_with_user_data(obj, record, &all), 1u);
    EXPECT_EQ(lv_obj_remove_event_cb(obj, record), 2u);
    EXPECT_EQ(lv_obj_get_event_count(obj), 0u);
}

struct Targets {
    lv_obj_t * target = nullptr;
    lv_obj_t * current = nullptr;
    void * param = nullptr;
};

void capture(lv_event_t * e)
{
    auto * t = static_cast<Targets *>(lv_event_get_user_data(e));
    t->target = lv_event_get_target_obj(e);
    t->current = lv_event_get_current_target_obj(e);
    t->param = lv_event_get_param(e);
}

TEST_F(Events, BubblingKeepsTheTargetAndSkipsNonBubblingCodes)
{
    lv_obj_t * parent = lv_obj_create(lv_screen_active());
    lv_obj_t * child = lv_obj_create(parent);
    Targets seen;
    lv_obj_add_event_cb(parent, capture, LV_EVENT_ALL, &seen);

    int param = 7;
    lv_obj_send_event(child, LV_EVENT_CLICKED, &param);
    EXPECT_EQ(seen.target, nullptr) << "no bubbling without the flag";

    lv_obj_add_flag(child, LV_OBJ_FLAG_EVENT_BUBBLE);
    lv_obj_send_event(child, LV_EVENT_CLICKED, &param);
    EXPECT_EQ(seen.target, child);
    EXPECT_EQ(seen.current, parent);
    EXPECT_EQ(seen.param, &param);

    seen = {};
    lv_obj_send_event(child, LV_EVENT_STYLE_CHANGED, nullptr);
    lv_obj_send_event(child, LV_EVENT_DELETE, nullptr);
    EXPECT_EQ(seen.target, nullptr);
    lv_obj_delete(parent);  // before `seen` goes out of scope
}

void stop_bubbling(lv_event_t * e)
{
    lv_event_stop_bubbling(e);
}

TEST_F(Events, ChildCreatedReachesEveryAncestorAndStopBubblingWorks)
{
    lv_obj_t * grand = lv_obj_create(lv_screen_active());
    lv_obj_t * parent = lv_obj_create(grand);
    Targets at_grand;
    lv_obj_add_event_cb(grand, capture, LV_EVENT_CHILD_CREATED, &at_grand);
    lv_obj_t * child = lv_obj_create(parent);
    EXPECT_EQ(at_grand.target, parent) << "CHILD_CREATED is sent to the parent and bubbles";
    EXPECT_EQ(at_grand.param, child);

    lv_obj_add_flag(child, LV_OBJ_FLAG_EVENT_BUBBLE);
    lv_obj_add_flag(parent, LV_OBJ_FLAG_EVENT_BUBBLE);
    lv_obj_add_event_cb(parent, stop_bubbling, LV_EVENT_CLICKED, nullptr);
    Targets clicked;
    lv_obj_add_event_cb(grand, capture, LV_EVENT_CLICKED, &clicked);
    lv_obj_send_event(child, LV_EVENT_CLICKED, nullptr);
    EXPECT_EQ(clicked.target, nullptr);
}

struct DeleteCount {
    int after = 0;
};

void delete_target(lv_event_t * e)
{
    lv_obj_delete(lv_event_get_current_target_obj(e));
}

void count_after(lv_event_t * e)
{
    static_cast<DeleteCount *>(lv_event_get_user_data(e))->after++;
}

TEST_F(Events, DeletingTheObjectInItsHandlerStopsProcessing)
{
    lv_obj_t * parent = lv_obj_create(lv_screen_active());
    lv_obj_t * obj = lv_obj_create(parent);
    lv_obj_add_flag(obj, LV_OBJ_FLAG_EVENT_BUBBLE);
    DeleteCount later;
    DeleteCount parent_saw;
    lv_obj_add_event_cb(obj, delete_target, LV_EVENT_CLICKED, nullptr);
    lv_obj_add_event_cb(obj, count_after, LV_EVENT_CLICKED, &later);
    lv_obj_add_event_cb(parent, count_after, LV_EVENT_CLICKED, &parent_saw);

    EXPECT_EQ(lv_obj_send_event(obj, LV_EVENT_CLICKED, nullptr), LV_RESULT_INVALID);
    EXPECT_EQ(later.after, 0);
    EXPECT_EQ(parent_saw.after, 0);
    EXPECT_FALSE(lv_obj_is_valid(obj));
    EXPECT_EQ(lv_obj_get_child_count(parent), 0u);
    EXPECT_EQ(lv_obj_send_event(nullptr, LV_EVENT_CLICKED, nullptr), LV_RESULT_OK);
}

TEST_F(Events, DeleteIsPreOrderAndTheParentHearsOnce)
{
    Log log;
    lv_obj_t * p = lv_obj_create(lv_screen_active());
    lv_obj_t * c1 = lv_obj_create(p);
    lv_obj_t * g = lv_obj_create(c1);
    lv_obj_t * c2 = lv_obj_create(p);
    Tag tp{&log, "P"};
    Tag tc1{&log, "C1"};
    Tag tg{&log, "G"};
    Tag tc2{&log, "C2"};
    Tag scr{&log, "screen"};
    lv_obj_add_event_cb(p, record, LV_EVENT_DELETE, &tp);
    lv_obj_add_event_cb(c1, record, LV_EVENT_DELETE, &tc1);
    lv_obj_add_event_cb(g, record, LV_EVENT_DELETE, &tg);
    lv_obj_add_event_cb(c2, record, LV_EVENT_DELETE, &tc2);
    lv_obj_add_event_cb(lv_screen_active(), record, LV_EVENT_CHILD_DELETED, &scr);
    lv_obj_t * watched = c2;
    lv_obj_null_on_delete(&watched);

    lv_obj_delete(p);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"P:DELETE", "C1:DELETE", "G:DELETE", "C2:DELETE",
                                                   "screen:CHILD_DELETED"}));
    EXPECT_EQ(watched, nullptr);
}

TEST_F(Events, CleanDeletesChildrenOnlyAndAnimationsOfDeletedObjectsStop)
{
    lv_obj_t * list = lv_obj_create(lv_screen_active());
    lv_obj_t * a = lv_obj_create(list);
    lv_obj_create(list);
    lv_anim_t anim;
    lv_anim_init(&anim);
    lv_anim_set_var(&anim, a);
    lv_anim_set_exec_cb(&anim, [](void * obj, int32_t v) { lv_obj_set_x(static_cast<lv_obj_t *>(obj), v); });
    lv_anim_start(&anim);
    ASSERT_EQ(lv_anim_count_running(), 1u);

    lv_obj_clean(list);
    EXPECT_EQ(lv_obj_get_child_count(list), 0u);
    EXPECT_TRUE(lv_obj_is_valid(list));
    EXPECT_EQ(lv_anim_count_running(), 0u);
}

TEST_F(Events, AsyncDeleteHappensOnTheNextTimerRun)
{
    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    lv_obj_delete_async(obj);
    EXPECT_TRUE(lv_obj_is_valid(obj));
    run_for(1);
    EXPECT_FALSE(lv_obj_is_valid(obj));
}

TEST_F(Events, TreeOrderAndLookups)
{
    lv_obj_t * parent = lv_obj_create(lv_screen_active());
    lv_obj_t * a = lv_obj_create(parent);
    lv_obj_t * b = lv_obj_create(parent);
    lv_obj_t * c = lv_obj_create(parent);
    EXPECT_EQ(lv_obj_get_child(parent, 0), a);
    EXPECT_EQ(lv_obj_get_child(parent, -1), c);
    EXPECT_EQ(lv_obj_get_child(parent, 3), nullptr);
    EXPECT_EQ(lv_obj_get_child(parent, -4), nullptr);
    EXPECT_EQ(lv_obj_get_sibling(b, -1), a);
    EXPECT_EQ(lv_obj_get_sibling(b, 1), c);

    lv_obj_move_to_index(a, -1);
    EXPECT_EQ(lv_obj_get_index(a), 2);
    lv_obj_swap(a, b);
    EXPECT_EQ(lv_obj_get_child(parent, 0), a);
    EXPECT_EQ(lv_obj_get_child(parent, 2), b);

    lv_obj_t * other = lv_obj_create(lv_screen_active());
    lv_obj_set_parent(c, other);
    EXPECT_EQ(lv_obj_get_parent(c), other);
    EXPECT_EQ(lv_obj_get_child_count(parent), 2u);
    EXPECT_EQ(lv_obj_get_screen(c), lv_screen_active());
    EXPECT_EQ(lv_obj_get_display(c), display());
    EXPECT_TRUE(lv_obj_check_type(c, &lv_obj_class));
    EXPECT_TRUE(lv_obj_has_class(c, &lv_obj_class));
    EXPECT_FALSE(lv_obj_check_type(nullptr, &lv_obj_class));
}

TEST_F(Events, DefaultFlagsOfScreensAndChildren)
{
    lv_obj_t * scr = lv_screen_active();
    lv_obj_t * child = lv_obj_create(scr);
    const lv_obj_flag_t child_only[] = {LV_OBJ_FLAG_PRESS_LOCK, LV_OBJ_FLAG_SCROLL_CHAIN_HOR,
                                        LV_OBJ_FLAG_SCROLL_CHAIN_VER, LV_OBJ_FLAG_GESTURE_BUBBLE};
    const lv_obj_flag_t both[] = {LV_OBJ_FLAG_CLICKABLE,        LV_OBJ_FLAG_CLICK_FOCUSABLE, LV_OBJ_FLAG_SCROLLABLE,
                                  LV_OBJ_FLAG_SCROLL_ELASTIC,   LV_OBJ_FLAG_SCROLL_MOMENTUM,
                                  LV_OBJ_FLAG_SCROLL_WITH_ARROW, LV_OBJ_FLAG_SNAPPABLE};
    for(lv_obj_flag_t f : both) {
        EXPECT_TRUE(lv_obj_has_flag(scr, f)) << f;
        EXPECT_TRUE(lv_obj_has_flag(child, f)) << f;
    }
    for(lv_obj_flag_t f : child_only) {
        EXPECT_FALSE(lv_obj_has_flag(scr, f)) << f;
        EXPECT_TRUE(lv_obj_has_flag(child, f)) << f;
    }
    EXPECT_FALSE(lv_obj_has_flag_any(child, static_cast<lv_obj_flag_t>(LV_OBJ_FLAG_HIDDEN | LV_OBJ_FLAG_CHECKABLE |
                                                                       LV_OBJ_FLAG_EVENT_BUBBLE)));
    EXPECT_FALSE(lv_obj_has_flag(lv_layer_top(), LV_OBJ_FLAG_CLICKABLE));
    EXPECT_TRUE(lv_obj_has_flag(lv_layer_bottom(), LV_OBJ_FLAG_CLICKABLE));

    lv_obj_add_state(child, static_cast<lv_state_t>(LV_STATE_CHECKED | LV_STATE_PRESSED));
    EXPECT_TRUE(lv_obj_has_state(child, LV_STATE_PRESSED));
    lv_obj_remove_state(child, LV_STATE_PRESSED);
    EXPECT_EQ(lv_obj_get_state(child), LV_STATE_CHECKED);
}

struct DeinitSeen {
    bool in_progress = false;
};

void note_deinit(lv_event_t * e)
{
    static_cast<DeinitSeen *>(lv_event_get_user_data(e))->in_progress = LV_GLOBAL_DEFAULT()->deinit_in_progress;
}

TEST(Deinit, DeleteHandlersSeeTheTeardownAndEveryObjectIsDeleted)
{
    lv_init();
    std::vector<uint8_t> buf(64 * 64 * 4);
    lv_display_t * disp = lv_display_create(64, 64);
    lv_display_set_buffers(disp, buf.data(), nullptr, static_cast<uint32_t>(buf.size()), LV_DISPLAY_RENDER_MODE_DIRECT);
    DeinitSeen seen;
    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    lv_obj_add_event_cb(obj, note_deinit, LV_EVENT_DELETE, &seen);
    EXPECT_FALSE(LV_GLOBAL_DEFAULT()->deinit_in_progress);
    lv_deinit();
    EXPECT_TRUE(seen.in_progress);
    EXPECT_FALSE(lv_is_initialized());
    EXPECT_EQ(lv_display_get_default(), nullptr);
    lv_init();
    EXPECT_FALSE(LV_GLOBAL_DEFAULT()->deinit_in_progress);
    lv_deinit();
}

}  // namespace
