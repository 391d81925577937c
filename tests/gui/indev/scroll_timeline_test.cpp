// Scrolling step by step on a 5 ms clock, with the finger sampled as it
// moves: drag start and damping, throw, spring-back and snapping of a
// centre-snapped pager and of a 20-row list, with the times of their events.
#include <string>
#include <utility>
#include <vector>

#include "indev_env.hpp"

using namespace indev_test;

namespace {

// (ms after set-up, scroll position) of each SCROLL event.
using Track = std::vector<std::pair<uint32_t, int32_t>>;

Track track_of(const Recorder & rec, bool vertical)
{
    Track out;
    for(const Event & e : rec.of(LV_EVENT_SCROLL)) {
        out.emplace_back(e.tick - kSetUpTick, vertical ? e.scroll_y : e.scroll_x);
    }
    return out;
}

// "CODE@ms:position" of the scroll begin/end events, with "+anim" on an
// animated SCROLL_BEGIN and "+indev" on a SCROLL_END that ends a drag.
std::vector<std::string> milestones(const Recorder & rec, bool vertical)
{
    std::vector<std::string> out;
    for(const Event & e : rec.events) {
        if(e.code != LV_EVENT_SCROLL_BEGIN && e.code != LV_EVENT_SCROLL_THROW_BEGIN && e.code != LV_EVENT_SCROLL_END) {
            continue;
        }
        std::string s = std::string(code_name(e.code)) + "@" + std::to_string(e.tick - kSetUpTick) + ":" +
                        std::to_string(vertical ? e.scroll_y : e.scroll_x);
        if(e.code == LV_EVENT_SCROLL_BEGIN && e.param) s += "+anim";
        if(e.code == LV_EVENT_SCROLL_END && e.param) s += "+indev";
        out.push_back(s);
    }
    return out;
}

// The x the pointer had at each read while pressed on `obj`.
class ReadLog {
public:
    explicit ReadLog(lv_obj_t * obj) { lv_obj_add_event_cb(obj, on_pressing, LV_EVENT_PRESSING, this); }
    std::vector<int32_t> xs;
    std::vector<int32_t> ys;

private:
    static void on_pressing(lv_event_t * e)
    {
        auto * self = static_cast<ReadLog *>(lv_event_get_user_data(e));
        lv_point_t p;
        lv_indev_get_point(lv_indev_active(), &p);
        self->xs.push_back(p.x);
        self->ys.push_back(p.y);
    }
};

using PagerTimeline = PagerTest;

TEST_F(PagerTimeline, SwipeStartsDampedOnTheFirstPageThenFollowsTheFingerAndSnapsOnePage)
{
    ReadLog reads(pages[0]);
    play({{600, 240}, {40, 240}, 200, 300});
    run_until(1100);
    EXPECT_EQ(reads.xs, (std::vector<int32_t>{581, 516, 451, 385, 320, 255, 189, 124, 59}));

    const Track track = track_of(rec, false);
    const Track drag = {{245, 16},  {280, 81},  {315, 147}, {350, 212},
                        {385, 277}, {420, 343}, {455, 408}, {490, 473}};
    ASSERT_GT(track.size(), drag.size() + 3);
    EXPECT_EQ(Track(track.begin(), track.begin() + 8), drag)
        << "page 0 sits on the snap line, so the first step is damped: (-65 - 2) / 4";
    EXPECT_EQ(Track(track.begin() + 8, track.begin() + 11), (Track{{560, 497}, {595, 519}, {630, 540}}))
        << "the snap: 167 px ease-out in 400 ms";
    EXPECT_EQ(track.back().second, 640);
    EXPECT_EQ(milestones(rec, false),
              (std::vector<std::string>{"SCROLL_BEGIN@245:0", "SCROLL_THROW_BEGIN@525:473", "SCROLL_BEGIN@525:473+anim",
                                        "SCROLL_END@525:473+indev", "SCROLL_END@945:640"}));
}

TEST_F(PagerTimeline, FlickAndSlowDragEachStartDamped)
{
    struct Case {
        const char * what;
        Stroke stroke;
        std::pair<uint32_t, int32_t> first;
        int32_t at_release;
        int32_t final_x;
    };
    const Case cases[] = {
        {"250 px flick in 80 ms: (-110 - 2) / 4", {{600, 240}, {350, 240}, 200, 80}, {245, 28}, 137, 640},
        {"slow 60 px drag: found at -10 with a -3 step", {{600, 240}, {540, 240}, 200, 600}, {315, 1}, 47, 0},
    };
    for(const Case & c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        play(c.stroke);
        run_until(c.stroke.start + c.stroke.duration + 1000);
        const Track track = track_of(rec, false);
        ASSERT_FALSE(track.empty());
        EXPECT_EQ(track.front(), c.first);
        const auto throw_begin = rec.of(LV_EVENT_SCROLL_THROW_BEGIN);
        ASSERT_EQ(throw_begin.size(), 1u);
        EXPECT_EQ(throw_begin[0].scroll_x, c.at_release);
        EXPECT_EQ(lv_obj_get_scroll_x(pager), c.final_x);
        int32_t furthest = 0;
        for(const auto & [t, x] : track) furthest = std::max(furthest, x);
        EXPECT_LE(furthest, kWidth) << "never past the next page";
    }
}

TEST_F(PagerTimeline, SlowDragSnapsBackWithTheTimesOfItsEvents)
{
    play({{600, 240}, {540, 240}, 200, 600});
    run_until(1200);
    // Released at 805 at 47: the throw of -6 would travel 21 px, page 0 is
    // then nearest (68 px off the line), so the snap goes back 47 px: 200 ms.
    EXPECT_EQ(milestones(rec, false),
              (std::vector<std::string>{"SCROLL_BEGIN@315:0", "SCROLL_THROW_BEGIN@805:47", "SCROLL_BEGIN@805:47+anim",
                                        "SCROLL_END@805:47+indev", "SCROLL_END@1015:0"}));
}

// A full-screen list of 20 rows of 60 px: 720 px to scroll.
class ListTimeline : public InputTest {
protected:
    void SetUp() override
    {
        InputTest::SetUp();
        list = bare(scr, kWidth, kHeight);
        for(int i = 0; i < 20; i++) {
            lv_obj_t * row = bare(list, kWidth, 60);
            lv_obj_set_y(row, 60 * i);
        }
        rec.attach(list, "list");
        lv_obj_update_layout(scr);
    }

    lv_obj_t * list = nullptr;
    Recorder rec;
};

TEST_F(ListTimeline, PullDownAtTheTopIsDampedCoastsAQuarterAndSpringsBack)
{
    ReadLog reads(lv_obj_get_child(list, 1));
    play({{320, 100}, {320, 250}, 200, 300});
    run_until(1100);
    EXPECT_EQ(reads.ys, (std::vector<int32_t>{105, 123, 140, 158, 175, 193, 210, 228, 245}));
    // Release vector 17 + 11 + 4 = 32; 28 -> 7 and 6 -> 2 are damped and
    // stay the velocity; then 58 px back in 241 ms.
    EXPECT_EQ(track_of(rec, true), (Track{{245, -18},
                                          {280, -22},
                                          {315, -27},
                                          {350, -31},
                                          {385, -36},
                                          {420, -40},
                                          {455, -45},
                                          {490, -49},
                                          {525, -56},
                                          {560, -58},
                                          {630, -44},
                                          {665, -32},
                                          {700, -22},
                                          {735, -13},
                                          {770, -6},
                                          {805, -1},
                                          {840, 0}}));
    EXPECT_EQ(milestones(rec, true),
              (std::vector<std::string>{"SCROLL_BEGIN@245:0", "SCROLL_THROW_BEGIN@525:-49", "SCROLL_BEGIN@595:-58+anim",
                                        "SCROLL_END@595:-58+indev", "SCROLL_END@840:0"}));
}

TEST_F(ListTimeline, FlickUpCoastsPastTheEndDampedFromThereAndSpringsBack)
{
    play({{320, 400}, {320, 200}, 200, 100});
    run_until(1100);
    // Release vector -70 - 45 = -115, decaying by 10 % a tick; the step
    // that starts 9 px before the end is whole, the ones after it damped.
    const Track track = track_of(rec, true);
    ASSERT_GT(track.size(), 13u);
    EXPECT_EQ(Track(track.begin(), track.begin() + 13), (Track{{245, 70},
                                          {280, 140},
                                          {315, 243},
                                          {350, 335},
                                          {385, 417},
                                          {420, 490},
                                          {455, 555},
                                          {490, 613},
                                          {525, 665},
                                          {560, 711},
                                          {595, 752},
                                          {630, 761},
                                          {665, 763}}));
    EXPECT_EQ(track.back(), (std::pair<uint32_t, int32_t>{910, 720})) << "43 px back: 200 ms";
    EXPECT_EQ(milestones(rec, true),
              (std::vector<std::string>{"SCROLL_BEGIN@245:0", "SCROLL_THROW_BEGIN@315:140", "SCROLL_BEGIN@700:763+anim",
                                        "SCROLL_END@700:763+indev", "SCROLL_END@910:720"}));
}

// A list that pages like a browser of long catalogues: pulled more than
// 50 px past its end, it is refilled with the next window at the end of the
// drag, while the spring-back has just begun.
TEST_F(ListTimeline, RefilledAtTheEndOfABottomPullItShowsTheNewWindowFromItsTop)
{
    struct Pager {
        lv_indev_t * pointer;
        int32_t bottom_at_end = 0;
        int refills = 0;
    } paging{pointer};
    lv_obj_add_event_cb(
        list,
        [](lv_event_t * e) {
            auto * paging = static_cast<Pager *>(lv_event_get_user_data(e));
            if(lv_event_get_param(e) != paging->pointer) return;
            lv_obj_t * obj = lv_event_get_target_obj(e);
            paging->bottom_at_end = lv_obj_get_scroll_bottom(obj);
            if(paging->bottom_at_end >= -50) return;
            paging->refills++;
            lv_obj_clean(obj);
            for(int i = 0; i < 20; i++) lv_obj_set_y(bare(obj, kWidth, 60), 60 * i);
        },
        LV_EVENT_SCROLL_END, &paging);
    lv_obj_scroll_to_y(list, 720, LV_ANIM_OFF);
    play({{320, 400}, {320, 250}, 200, 300});
    run_until(1200);
    EXPECT_EQ(paging.bottom_at_end, -58) << "as far past the end as the pull at the top";
    EXPECT_EQ(paging.refills, 1);
    EXPECT_EQ(lv_obj_get_scroll_y(list), 0);
    EXPECT_EQ(lv_obj_get_scroll_bottom(list), 720);
    lv_area_t first;
    lv_obj_get_coords(lv_obj_get_child(list, 0), &first);
    EXPECT_EQ(first.y1, 0);
    EXPECT_EQ(lv_anim_count_running(), 0u);
}

}  // namespace
