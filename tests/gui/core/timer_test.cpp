// Timers and the tick, driven by a controlled clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lvgl.h"

namespace {

uint32_t fake_now = 0;

uint32_t fake_tick()
{
    return fake_now;
}

class Timers : public ::testing::Test {
protected:
    void SetUp() override
    {
        lv_init();
        fake_now = 0;
        lv_tick_set_cb(fake_tick);
        // The animation timer is paused while no animation runs.
    }
    void TearDown() override { lv_deinit(); }

    static void advance(uint32_t ms) { fake_now += ms; }
};

struct Calls {
    std::vector<uint32_t> at;
};

void record(lv_timer_t * t)
{
    static_cast<Calls *>(lv_timer_get_user_data(t))->at.push_back(fake_now);
}

void delete_self(lv_timer_t * t)
{
    record(t);
    lv_timer_delete(t);
}

TEST_F(Timers, RunsAfterItsPeriodAndDriftsWhenLate)
{
    Calls calls;
    lv_timer_create(record, 100, &calls);
    for(uint32_t step : {50u, 49u, 1u, 150u, 10u, 40u}) {
        advance(step);
        lv_timer_handler();
    }
    // Due at 100; late at 250 it runs once, and the next period counts from 250.
    EXPECT_EQ(calls.at, (std::vector<uint32_t>{100, 250}));
    advance(50);
    lv_timer_handler();
    EXPECT_EQ(calls.at.back(), 350u);
}

TEST_F(Timers, HandlerReturnsTimeUntilNextTimer)
{
    Calls calls;
    lv_timer_t * t = lv_timer_create(record, 40, &calls);
    advance(15);
    EXPECT_EQ(lv_timer_handler(), 25u);
    lv_timer_pause(t);
    EXPECT_EQ(lv_timer_handler(), LV_NO_TIMER_READY);
    EXPECT_TRUE(lv_timer_get_paused(t));
    lv_timer_resume(t);
    advance(30);
    EXPECT_EQ(lv_timer_handler(), 40u);
    EXPECT_EQ(calls.at.size(), 1u);
}

TEST_F(Timers, RepeatCountDeletesOrPauses)
{
    Calls once;
    Calls twice;
    lv_timer_t * t1 = lv_timer_create(record, 10, &once);
    lv_timer_set_repeat_count(t1, 1);
    lv_timer_t * t2 = lv_timer_create(record, 10, &twice);
    lv_timer_set_repeat_count(t2, 2);
    lv_timer_set_auto_delete(t2, false);
    for(int i = 0; i < 5; i++) {
        advance(10);
        lv_timer_handler();
    }
    EXPECT_EQ(once.at.size(), 1u);
    EXPECT_EQ(twice.at.size(), 2u);
    // t1 is gone, t2 is kept but paused.
    bool t1_listed = false;
    bool t2_listed = false;
    for(lv_timer_t * t = lv_timer_get_next(nullptr); t != nullptr; t = lv_timer_get_next(t)) {
        t1_listed = t1_listed || t == t1;
        t2_listed = t2_listed || t == t2;
    }
    EXPECT_FALSE(t1_listed);
    EXPECT_TRUE(t2_listed);
    EXPECT_TRUE(lv_timer_get_paused(t2));
}

TEST_F(Timers, TimerMayDeleteItselfAndOthersStillRun)
{
    Calls self;
    Calls other;
    lv_timer_create(record, 10, &other);
    lv_timer_create(delete_self, 10, &self);
    for(int i = 0; i < 3; i++) {
        advance(10);
        lv_timer_handler();
    }
    EXPECT_EQ(self.at, (std::vector<uint32_t>{10}));
    EXPECT_EQ(other.at, (std::vector<uint32_t>{10, 20, 30}));
}

TEST_F(Timers, ReadyResetPeriodAndUserData)
{
    Calls a;
    Calls b;
    lv_timer_t * t = lv_timer_create(record, 1000, &a);
    lv_timer_ready(t);
    lv_timer_handler();
    EXPECT_EQ(a.at.size(), 1u);

    lv_timer_set_user_data(t, &b);
    lv_timer_set_period(t, 20);
    advance(15);
    lv_timer_reset(t);
    advance(15);
    lv_timer_handler();
    EXPECT_TRUE(b.at.empty());
    advance(5);
    lv_timer_handler();
    EXPECT_EQ(b.at, (std::vector<uint32_t>{35}));
}

TEST_F(Timers, DisabledOrReentrantHandlerReturnsOne)
{
    Calls calls;
    lv_timer_create(record, 0, &calls);
    lv_timer_enable(false);
    EXPECT_EQ(lv_timer_handler(), 1u);
    EXPECT_TRUE(calls.at.empty());
    lv_timer_enable(true);

    static uint32_t inner = 0;
    lv_timer_create([](lv_timer_t *) { inner = lv_timer_handler(); }, 0, nullptr);
    lv_timer_handler();
    EXPECT_EQ(inner, 1u);
}

void async_record(void * p)
{
    static_cast<Calls *>(p)->at.push_back(fake_now);
}

TEST_F(Timers, AsyncCallRunsOnceAndCanBeCancelled)
{
    Calls kept;
    Calls cancelled;
    ASSERT_EQ(lv_async_call(async_record, &kept), LV_RESULT_OK);
    ASSERT_EQ(lv_async_call(async_record, &cancelled), LV_RESULT_OK);
    EXPECT_EQ(lv_async_call_cancel(async_record, &cancelled), LV_RESULT_OK);
    lv_timer_handler();
    lv_timer_handler();
    EXPECT_EQ(kept.at.size(), 1u);
    EXPECT_TRUE(cancelled.at.empty());
    EXPECT_EQ(lv_async_call_cancel(async_record, &kept), LV_RESULT_INVALID);
}

TEST(Tick, CounterWrapsAndElapsedIsWrapSafe)
{
    lv_init();
    lv_tick_inc(0xFFFFFFF0u);
    uint32_t before = lv_tick_get();
    lv_tick_inc(0x20);
    EXPECT_EQ(lv_tick_get(), 0x10u);
    EXPECT_EQ(lv_tick_elaps(before), 0x20u);
    EXPECT_EQ(lv_tick_diff(5, 0xFFFFFFFBu), 10u);
    lv_deinit();
}

}  // namespace

namespace {

int warnings = 0;

void count_tick_warning(lv_log_level_t, const char * line)
{
    if(std::string(line).find("It seems lv_tick_inc() is not called.") != std::string::npos) warnings++;
}

TEST(Tick, StandingTickIsReportedEveryHundredHandlerCalls)
{
    lv_init();
    warnings = 0;
    lv_log_register_print_cb(count_tick_warning);
    for(int i = 0; i < 250; i++) lv_timer_handler();
    EXPECT_EQ(warnings, 2);
    lv_tick_inc(1);
    for(int i = 0; i < 250; i++) lv_timer_handler();
    EXPECT_EQ(warnings, 2);
    lv_deinit();
}

}  // namespace
