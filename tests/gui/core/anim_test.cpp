// Animations and the fade-in screen load on the controlled tick.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gui_fixture.hpp"
#include "lvgl.h"

namespace {

using Anim = test_support::GuiTest;

struct Trace {
    std::vector<std::pair<uint32_t, int32_t>> values;  // (time, value)
    std::vector<std::string> events;
};

Trace * trace = nullptr;

void exec_record(void *, int32_t v)
{
    trace->values.emplace_back(lv_tick_get(), v);
}

void on_completed(lv_anim_t *)
{
    trace->events.push_back("completed@" + std::to_string(lv_tick_get()));
}

void on_deleted(lv_anim_t *)
{
    trace->events.push_back("deleted@" + std::to_string(lv_tick_get()));
}

void on_start(lv_anim_t *)
{
    trace->events.push_back("start@" + std::to_string(lv_tick_get()));
}

lv_anim_t make(void * var, int32_t from, int32_t to, uint32_t duration)
{
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, var);
    lv_anim_set_exec_cb(&a, exec_record);
    lv_anim_set_values(&a, from, to);
    lv_anim_set_duration(&a, duration);
    lv_anim_set_completed_cb(&a, on_completed);
    lv_anim_set_deleted_cb(&a, on_deleted);
    return a;
}

class AnimTrace : public Anim {
protected:
    void SetUp() override
    {
        Anim::SetUp();
        trace = &t;
    }
    void TearDown() override
    {
        Anim::TearDown();
        trace = nullptr;
    }
    Trace t;
    int var = 0;
};

TEST_F(AnimTrace, DelayedLinearTimeline)
{
    run_for(6);
    lv_anim_t a = make(&var, 0, 10, 100);
    lv_anim_set_delay(&a, 50);
    lv_anim_set_start_cb(&a, on_start);
    lv_anim_start(&a);
    run_for(300);
    using V = std::pair<uint32_t, int32_t>;
    EXPECT_EQ(t.values, (std::vector<V>{{6, 0}, {99, 4}, {132, 7}, {165, 10}}));
    EXPECT_EQ(t.events, (std::vector<std::string>{"start@66", "completed@165", "deleted@165"}));
    EXPECT_EQ(lv_anim_count_running(), 0u);
}

TEST_F(AnimTrace, DefaultsOfInit)
{
    lv_anim_t a;
    lv_anim_init(&a);
    EXPECT_EQ(a.duration, 500);
    EXPECT_EQ(a.start_value, 0);
    EXPECT_EQ(a.end_value, 100);
    EXPECT_EQ(a.repeat_cnt, 1u);
    EXPECT_EQ(a.path_cb, lv_anim_path_linear);
    EXPECT_EQ(a.early_apply, 1);
    EXPECT_EQ(a.act_time, 0);
}

TEST_F(AnimTrace, LinearPathRoundsTowardMinusInfinity)
{
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_values(&a, 0, -10);
    a.duration = 100;
    a.act_time = 43;  // 440 / 1024 of the way
    EXPECT_EQ(lv_anim_path_linear(&a), -5);
    a.act_time = 100;
    EXPECT_EQ(lv_anim_path_linear(&a), -10);
    a.act_time = 250;
    EXPECT_EQ(lv_anim_path_linear(&a), -10) << "clamped";
}

int direction_changes(const std::vector<std::pair<uint32_t, int32_t>> & v)
{
    int changes = 0;
    int dir = 0;
    for(size_t i = 1; i < v.size(); i++) {
        int d = v[i].second > v[i - 1].second ? 1 : (v[i].second < v[i - 1].second ? -1 : 0);
        if(d != 0 && dir != 0 && d != dir) changes++;
        if(d != 0) dir = d;
    }
    return changes;
}

TEST_F(AnimTrace, RepeatWithReversePlaysForwardBackTwice)
{
    lv_anim_t a = make(&var, 0, 100, 100);
    lv_anim_set_reverse_duration(&a, 100);
    lv_anim_set_repeat_count(&a, 2);
    lv_anim_start(&a);
    run_for(1000);
    EXPECT_EQ(direction_changes(t.values), 3) << "up, down, up, down";
    EXPECT_EQ(t.values.back().second, 0);
    ASSERT_EQ(t.events.size(), 2u);
    EXPECT_EQ(t.events[0].rfind("completed@", 0), 0u) << "completed once, after the last reverse play";
    // Timer runs every 33 ms: each play ends 32 ms late, and the two turns into
    // reverse play drop that time while the repeat keeps it.
    EXPECT_EQ(t.events[0], "completed@495");
}

// Every play starts afresh: start_cb runs again at each repeat and each turn,
// a repeat keeps the time it ran over, a turn into reverse play drops it.
// Times from the start; the animation timer runs 5 ms later and then every
// 35 ms.
TEST_F(AnimTrace, EachRepeatAndTurnStartsThePlayAgain)
{
    using V = std::vector<std::pair<uint32_t, int32_t>>;
    struct {
        const char * what;
        uint32_t duration, reverse, repeats;
        V values;
        std::vector<uint32_t> starts;
    } cases[] = {
        {"three plays",
         100,
         0,
         3,
         V{{0, 0},
           {5, 4},
           {40, 39},
           {75, 75},
           {110, 100},
           {145, 44},
           {180, 79},
           {215, 100},
           {250, 50},
           {285, 84},
           {320, 100}},
         {5, 145, 250}},
        {"there and back twice",
         90,
         90,
         2,
         V{{0, 0},
           {5, 5},
           {40, 44},
           {75, 83},
           {110, 100},
           {145, 61},
           {180, 22},
           {215, 0},
           {250, 55},
           {285, 94},
           {320, 100},
           {355, 61},
           {390, 22},
           {425, 0}},
         {5, 145, 250, 355}},
    };
    run_for(100, 5);
    for (const auto & c : cases) {
        t = Trace{};
        const uint32_t begin = now();
        lv_anim_t a = make(&var, 0, 100, c.duration);
        lv_anim_set_reverse_duration(&a, c.reverse);
        lv_anim_set_repeat_count(&a, c.repeats);
        lv_anim_set_start_cb(&a, on_start);
        lv_anim_start(&a);
        run_for(500, 5);
        V values;
        for (const auto & [time, v] : t.values) values.emplace_back(time - begin, v);
        EXPECT_EQ(values, c.values) << c.what;
        std::vector<std::string> starts;
        for (uint32_t s : c.starts) starts.push_back("start@" + std::to_string(begin + s));
        starts.push_back("completed@" + std::to_string(begin + c.values.back().first));
        starts.push_back("deleted@" + std::to_string(begin + c.values.back().first));
        EXPECT_EQ(t.events, starts) << c.what;
    }
}

// Without early apply a play begins on the first run after its delay: the
// current value is added to the range there (again at each repeat), and an
// animation of the same variable and callback that is running gives way.
TEST_F(AnimTrace, ALateStartAddsTheCurrentValueAndTakesOver)
{
    using V = std::vector<std::pair<uint32_t, int32_t>>;
    run_for(100, 5);
    lv_anim_t old = make(&var, 0, 100, 1000);
    lv_anim_set_completed_cb(&old, nullptr);
    lv_anim_start(&old);
    lv_anim_t a = make(&var, 0, 100, 100);
    lv_anim_set_early_apply(&a, false);
    lv_anim_set_repeat_count(&a, 2);
    lv_anim_set_get_value_cb(&a, [](lv_anim_t *) { return int32_t{10}; });
    lv_anim_start(&a);
    run_for(250, 5);
    EXPECT_EQ(t.values, (V{{100, 0}, {105, 14}, {140, 49}, {175, 85}, {210, 110}, {245, 64}, {280, 99}, {315, 120}}));
    EXPECT_EQ(t.events, (std::vector<std::string>{"deleted@105", "completed@315", "deleted@315"}));
}

// A pause shorter than the timer period still holds the animation: only the
// time after the pause has ended counts.
TEST_F(AnimTrace, AShortPauseCountsOnlyTheTimePastItsEnd)
{
    using V = std::vector<std::pair<uint32_t, int32_t>>;
    run_for(100, 5);
    lv_anim_t a = make(&var, 0, 100, 100);
    lv_anim_pause_for(lv_anim_start(&a), 20);
    run_for(75, 5);
    EXPECT_EQ(t.values, (V{{100, 0}, {140, 19}, {175, 54}})) << "paused at 105, 20 ms counted at 140";

    lv_anim_delete(&var, nullptr);
    t = Trace{};
    lv_anim_t b = make(&var, 0, 100, 100);
    lv_anim_t * running = lv_anim_start(&b);
    lv_anim_pause_for(running, 20);
    advance(40);
    lv_anim_refr_now();
    lv_anim_pause_for(running, 20);
    advance(80);
    lv_anim_refr_now();
    EXPECT_EQ(t.values, (V{{175, 0}, {215, 19}, {295, 79}}));
}

TEST_F(AnimTrace, InfiniteRepeatKeepsRunningUntilDeleted)
{
    lv_anim_t a = make(&var, 0, 10, 50);
    lv_anim_set_repeat_count(&a, LV_ANIM_REPEAT_INFINITE);
    lv_anim_start(&a);
    run_for(5000, 10);
    EXPECT_EQ(lv_anim_count_running(), 1u);
    EXPECT_TRUE(t.events.empty());
    EXPECT_TRUE(lv_anim_delete(&var, nullptr));
    EXPECT_EQ(t.events, (std::vector<std::string>{"deleted@5000"}));
    EXPECT_FALSE(lv_anim_delete(&var, nullptr));
}

void other_exec(void *, int32_t) {}

TEST_F(AnimTrace, DeleteMatchesVarAndCallback)
{
    int other = 0;
    lv_anim_t a1 = make(&var, 0, 10, 100);
    lv_anim_t a2 = make(&other, 0, 10, 100);
    lv_anim_t a3 = make(&var, 0, 10, 100);
    lv_anim_set_exec_cb(&a3, other_exec);
    lv_anim_start(&a1);
    lv_anim_start(&a2);
    lv_anim_start(&a3);
    ASSERT_EQ(lv_anim_count_running(), 3u);
    EXPECT_NE(lv_anim_get(&var, other_exec), nullptr);

    EXPECT_TRUE(lv_anim_delete(&var, exec_record));
    EXPECT_EQ(lv_anim_count_running(), 2u);
    EXPECT_TRUE(lv_anim_delete(nullptr, other_exec));
    EXPECT_EQ(lv_anim_count_running(), 1u);
    EXPECT_TRUE(lv_anim_delete(nullptr, nullptr));
    EXPECT_EQ(lv_anim_count_running(), 0u);
    EXPECT_EQ(t.events.size(), 3u) << "each deleted callback ran, no completed one";
}

TEST_F(AnimTrace, StartingAgainReplacesTheSameVarAndCallback)
{
    lv_anim_t a = make(&var, 0, 10, 100);
    lv_anim_start(&a);
    lv_anim_start(&a);
    EXPECT_EQ(lv_anim_count_running(), 1u);
    EXPECT_EQ(t.events, (std::vector<std::string>{"deleted@0"}));
}

void exec_delete_self(void * var, int32_t v)
{
    exec_record(var, v);
    lv_anim_delete(var, exec_delete_self);
}

TEST_F(AnimTrace, AnAnimationMayDeleteItselfFromItsFirstValue)
{
    lv_anim_t a = make(&var, 5, 10, 100);
    lv_anim_set_exec_cb(&a, exec_delete_self);
    EXPECT_EQ(lv_anim_start(&a), nullptr) << "already gone when the start returns";
    EXPECT_EQ(t.values, (std::vector<std::pair<uint32_t, int32_t>>{{0, 5}}));
    EXPECT_EQ(t.events, (std::vector<std::string>{"deleted@0"}));
    EXPECT_EQ(lv_anim_count_running(), 0u);
    run_for(200);
    EXPECT_EQ(t.values.size(), 1u);
}

struct LoadLog {
    std::vector<std::string> lines;
};

void log_screen_event(lv_event_t * e)
{
    auto * log = static_cast<LoadLog *>(lv_event_get_user_data(e));
    log->lines.push_back(std::string(lv_event_code_get_name(lv_event_get_code(e))) + "@" +
                         std::to_string(lv_tick_get()));
}

TEST_F(Anim, FadeInScreenLoadTimeline)
{
    lv_obj_t * old_scr = lv_screen_active();
    lv_obj_t * new_scr = lv_obj_create(nullptr);
    LoadLog log;
    for(lv_event_code_t c : {LV_EVENT_SCREEN_UNLOAD_START, LV_EVENT_SCREEN_UNLOADED, LV_EVENT_DELETE}) {
        lv_obj_add_event_cb(old_scr, log_screen_event, c, &log);
    }
    for(lv_event_code_t c : {LV_EVENT_SCREEN_LOAD_START, LV_EVENT_SCREEN_LOADED}) {
        lv_obj_add_event_cb(new_scr, log_screen_event, c, &log);
    }
    run_for(11);
    lv_screen_load_anim(new_scr, LV_SCREEN_LOAD_ANIM_FADE_IN, 300, 100, true);
    EXPECT_EQ(lv_obj_get_style_opa(new_scr, LV_PART_MAIN), LV_OPA_TRANSP) << "applied at once";
    EXPECT_EQ(lv_screen_active(), old_scr) << "until the delay is over";

    std::vector<int> opas;
    int last = LV_OPA_TRANSP;
    for(int i = 0; i < 450; i++) {
        run_for(1);
        int opa = lv_obj_get_style_opa(new_scr, LV_PART_MAIN);
        if(opa != last) opas.push_back(opa);
        last = opa;
        if(now() == 200) {
            EXPECT_EQ(lv_screen_active(), new_scr);
            EXPECT_EQ(lv_display_get_screen_prev(display()), old_scr) << "both drawn while fading";
        }
    }
    EXPECT_EQ(log.lines, (std::vector<std::string>{"SCREEN_UNLOAD_START@11", "SCREEN_LOAD_START@132",
                                                   "SCREEN_LOADED@429", "SCREEN_UNLOADED@429", "DELETE@429"}));
    ASSERT_GE(opas.size(), 4u);
    EXPECT_EQ(opas[0], 17);
    EXPECT_EQ(opas[1], 45);
    EXPECT_EQ(opas[2], 73);
    EXPECT_EQ(opas[opas.size() - 2], 242);
    EXPECT_EQ(opas.back(), LV_OPA_COVER) << "the local opacity is removed at the end";
    EXPECT_EQ(lv_display_get_screen_prev(display()), nullptr);
    EXPECT_EQ(lv_screen_active(), new_scr);
}

TEST_F(Anim, ImmediateLoadKeepsTheOldScreenUnlessAsked)
{
    lv_obj_t * first = lv_screen_active();
    lv_obj_t * second = lv_obj_create(nullptr);
    lv_screen_load(second);
    EXPECT_EQ(lv_screen_active(), second);
    EXPECT_TRUE(lv_obj_is_valid(first));
    lv_screen_load_anim(first, LV_SCREEN_LOAD_ANIM_NONE, 0, 0, true);
    EXPECT_EQ(lv_screen_active(), first);
    EXPECT_FALSE(lv_obj_is_valid(second));
}

TEST_F(Anim, DeletingAnObjectStopsItsAnimations)
{
    lv_obj_t * obj = lv_obj_create(lv_screen_active());
    lv_obj_fade_in(obj, 200, 0);
    EXPECT_EQ(lv_anim_count_running(), 1u);
    lv_obj_delete(obj);
    EXPECT_EQ(lv_anim_count_running(), 0u);
    run_for(300);
}

}  // namespace

namespace {

TEST_F(Anim, LoadDuringALoadFinishesTheFirstOne)
{
    lv_obj_t * original = lv_screen_active();
    lv_obj_t * first = lv_obj_create(nullptr);
    lv_obj_t * second = lv_obj_create(nullptr);
    lv_screen_load_anim(first, LV_SCREEN_LOAD_ANIM_FADE_IN, 300, 0, true);
    run_for(50);
    EXPECT_EQ(lv_screen_active(), first);
    lv_screen_load_anim(second, LV_SCREEN_LOAD_ANIM_FADE_IN, 300, 0, true);
    EXPECT_FALSE(lv_obj_is_valid(original)) << "the first load completed at once, with its auto-delete";
    EXPECT_EQ(lv_obj_get_style_opa(first, LV_PART_MAIN), LV_OPA_COVER);
    run_for(400);
    EXPECT_EQ(lv_screen_active(), second);
    EXPECT_FALSE(lv_obj_is_valid(first));
    EXPECT_EQ(lv_obj_get_style_opa(second, LV_PART_MAIN), LV_OPA_COVER);
    EXPECT_EQ(lv_display_get_screen_prev(display()), nullptr);
}

TEST_F(Anim, DeletedActiveScreenLeavesNoScreenAndRenderingStillWorks)
{
    lv_obj_t * scr = lv_screen_active();
    lv_obj_delete(scr);
    EXPECT_EQ(lv_screen_active(), nullptr);
    render();
    lv_obj_t * next = lv_obj_create(nullptr);
    lv_screen_load(next);
    EXPECT_EQ(lv_screen_active(), next);
}

}  // namespace
