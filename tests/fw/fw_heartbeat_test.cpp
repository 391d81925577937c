// Heartbeat monitor check passes on a simulated clock: one check per
// simulated second, feeds at chosen times.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw_heartbeat_internal.h"
#include "fw_test_util.h"

namespace {

uint64_t g_now_ms;
uint64_t fake_clock()
{
    return g_now_ms;
}

class Heartbeat : public testing::Test {
protected:
    void SetUp() override
    {
        g_now_ms = 1000000;
        timeouts_.clear();
        hb_set_clock(fake_clock);
        hb_monitor_init(&hb_, on_timeout, this);
    }
    void TearDown() override
    {
        hb_monitor_destroy(&hb_);
        hb_set_clock(nullptr);
    }

    // Advances the clock by one check period and runs a check pass.
    void tick()
    {
        g_now_ms += HB_CHECK_PERIOD_US / 1000;
        hb_monitor_check(&hb_);
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; i++) {
            tick();
        }
    }

    static void on_timeout(uint8_t app_id, void * user_data)
    {
        auto * self = static_cast<Heartbeat *>(user_data);
        self->timeouts_.push_back(app_id);
        if (self->on_timeout_extra_) {
            self->on_timeout_extra_(self, app_id);
        }
    }

public:
    hb_monitor_t hb_;
    std::vector<uint8_t> timeouts_;
    void (*on_timeout_extra_)(Heartbeat *, uint8_t) = nullptr;
};

TEST_F(Heartbeat, RegularFeedsKeepASlotAlive)
{
    struct Case {
        int feed_every_s;
        int max_misses;  // warnings over the run
    };
    const Case cases[] = {{5, 0}, {6, 0}, {7, 10}};
    for (const Case & c : cases) {
        StdoutCapture log;
        for (int s = 0; s < 70; s++) {
            if (s % c.feed_every_s == 0) {
                hb_monitor_feed(&hb_, 3);
            }
            tick();
        }
        std::string text = log.text();
        int misses = count_of(text, "App 3 missed heartbeat (1/3)");
        EXPECT_LE(misses, c.max_misses) << "fed every " << c.feed_every_s << " s";
        EXPECT_EQ(count_of(text, "(2/3)"), 0) << "at most one miss per gap";
        EXPECT_TRUE(timeouts_.empty());
        if (c.feed_every_s == 7) {
            EXPECT_GE(misses, 9);
        }
        hb_monitor_remove(&hb_, 3);
    }
}

TEST_F(Heartbeat, SilentSlotWarnsThreeTimesThenTimesOutOnce)
{
    hb_monitor_feed(&hb_, 6);
    StdoutCapture log;
    ticks(6);  // 6000 ms is not yet more than 6000
    EXPECT_EQ(log.text(), "");

    const char * const expected[] = {"App 6 missed heartbeat (1/3)", "App 6 missed heartbeat (2/3)",
                                     "App 6 missed heartbeat (3/3)"};
    for (int i = 0; i < 3; i++) {
        StdoutCapture check;
        tick();
        std::string text = check.text();
        EXPECT_TRUE(contains(text, "[WRN]")) << text;
        EXPECT_TRUE(contains(text, std::string("[hb_thread_fn:")));
        EXPECT_TRUE(contains(text, expected[i])) << text;
        EXPECT_EQ(contains(text, "[ERR]") && contains(text, "App 6 timeout, triggering cleanup\n"), i == 2) << text;
    }
    EXPECT_EQ(timeouts_, std::vector<uint8_t>{6});

    StdoutCapture after;
    ticks(20);
    EXPECT_EQ(after.text(), "") << "a timed-out id is no longer watched";
    EXPECT_EQ(timeouts_.size(), 1u);
}

TEST_F(Heartbeat, TimeoutComesBetweenEightAndNineSecondsAfterTheLastFeed)
{
    // Feeds at every phase within a check period.
    for (uint64_t phase = 0; phase < 1000; phase += 125) {
        timeouts_.clear();
        uint64_t fed_at = g_now_ms + phase;
        g_now_ms = fed_at;
        hb_monitor_feed(&hb_, 1);
        g_now_ms = fed_at - phase;  // back to the check grid
        StdoutCapture quiet;
        while (timeouts_.empty()) {
            tick();
        }
        uint64_t silent = g_now_ms - fed_at;
        EXPECT_GT(silent, 8000u) << "phase " << phase;
        EXPECT_LE(silent, 9000u) << "phase " << phase;
    }
}

TEST_F(Heartbeat, TimeoutCallbackMayFeedOrRemoveTheId)
{
    on_timeout_extra_ = [](Heartbeat * self, uint8_t id) {
        hb_monitor_remove(&self->hb_, id);
        hb_monitor_feed(&self->hb_, id);  // watched again from now
    };
    hb_monitor_feed(&hb_, 2);
    StdoutCapture quiet;
    ticks(9);
    ASSERT_EQ(timeouts_, std::vector<uint8_t>{2});
    ticks(9);
    EXPECT_EQ(timeouts_, (std::vector<uint8_t>{2, 2})) << "the monitor kept checking";
}

// A slot is watched from a feed until a remove or its timeout; an id above
// 15 never is.
TEST_F(Heartbeat, WatchedFromAFeedUntilARemoveOrATimeout)
{
    EXPECT_EQ(hb_monitor_watching(&hb_, 4), 0);
    hb_monitor_feed(&hb_, 4);
    EXPECT_EQ(hb_monitor_watching(&hb_, 4), 1);
    hb_monitor_remove(&hb_, 4);
    EXPECT_EQ(hb_monitor_watching(&hb_, 4), 0);

    hb_monitor_feed(&hb_, 4);
    StdoutCapture quiet;
    ticks(8);
    EXPECT_EQ(hb_monitor_watching(&hb_, 4), 1) << "two misses leave it watched";
    tick();
    ASSERT_EQ(timeouts_, std::vector<uint8_t>{4});
    EXPECT_EQ(hb_monitor_watching(&hb_, 4), 0);

    hb_monitor_feed(&hb_, 200);
    EXPECT_EQ(hb_monitor_watching(&hb_, 200), 0);
}

TEST_F(Heartbeat, IdsAboveFifteenAreIgnored)
{
    StdoutCapture log;
    for (int id : {16, 200, 255}) {
        hb_monitor_feed(&hb_, (uint8_t)id);
    }
    hb_monitor_remove(&hb_, 16);
    ticks(12);
    EXPECT_EQ(log.text(), "");
    EXPECT_TRUE(timeouts_.empty());
}

TEST_F(Heartbeat, RemoveStopsWarningsAndALaterFeedStartsAfresh)
{
    hb_monitor_feed(&hb_, 4);
    StdoutCapture log;
    ticks(8);  // misses 1 and 2
    hb_monitor_remove(&hb_, 4);
    ticks(5);
    hb_monitor_feed(&hb_, 4);
    ticks(7);  // a fresh watch: one miss
    std::string text = log.text();
    EXPECT_EQ(count_of(text, "App 4 missed heartbeat (1/3)"), 2) << text;
    EXPECT_EQ(count_of(text, "App 4 missed heartbeat (2/3)"), 1) << text;
    EXPECT_EQ(count_of(text, "(3/3)"), 0) << text;
    EXPECT_TRUE(timeouts_.empty());
}

TEST_F(Heartbeat, SlotsSilentTogetherAreReportedInAscendingOrder)
{
    for (uint8_t id : {9, 0, 15, 3}) {
        hb_monitor_feed(&hb_, id);
    }
    StdoutCapture log;
    ticks(9);
    std::string text = log.text();
    EXPECT_EQ(timeouts_, (std::vector<uint8_t>{0, 3, 9, 15}));
    EXPECT_LT(text.find("App 0 timeout"), text.find("App 3 timeout"));
    EXPECT_LT(text.find("App 9 timeout"), text.find("App 15 timeout"));
}

}  // namespace
