// An Airable service that misbehaves, end to end: the page framework and the
// communication manager on the real clock, the Airable stand-in connected
// over a socket of the test's own in one of its scenarios, and a finger on
// the pointer. The Radio tile (its shell commands answered here: the service
// runs) gives the menu; "Radio List" asks for the list. Whatever the service
// does, the page stays usable: an overlay can be closed, the list shows
// what the count says, the home icon brings the home page back.
#include <cstdio>
#include <string>
#include <vector>

#include "airable_data_exchange.h"
#include "comm_mgr_lvgl.h"
#include "service_e2e_env.hpp"
#include "service_supervisor_internal.h"
#include "ui/ui_data_update.h"

namespace {

using main_page_e2e::ServiceE2ETest;
using std::chrono::milliseconds;

// The service runs already (the test started it): the tile kills and starts
// nothing.
int service_running(const char *, int32_t)
{
    return 0;
}

int64_t clock_ms()
{
    const auto since_boot = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<milliseconds>(since_boot).count();
}

void no_sleep(uint32_t) {}

const service_ops_t kRunningShell = {service_running, clock_ms, no_sleep};

struct Finger {
    lv_point_t at{0, 0};
    bool down = false;
    int reads = 0;  // of the present state
} g_finger;

void finger_read(lv_indev_t *, lv_indev_data_t *data)
{
    data->point = g_finger.at;
    data->state = g_finger.down ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
    g_finger.reads++;
}

class AirableMisbehaving : public ServiceE2ETest, public ::testing::WithParamInterface<const char *> {
protected:
    void before_ui() override
    {
        service_set_ops(&kRunningShell);
        lv_indev_t *pointer = lv_indev_create();
        lv_indev_set_type(pointer, LV_INDEV_TYPE_POINTER);
        lv_indev_set_read_cb(pointer, finger_read);
        g_finger = Finger{};
    }

    void TearDown() override
    {
        ServiceE2ETest::TearDown();
        service_set_ops(nullptr);
    }

    void spawn_service(const char *scenario) { spawn(AIRABLE_RUN, scenario); }

    // Held over two reads of the pointer, then lifted for two, however slow
    // the machine runs the GUI.
    static void tap(lv_obj_t *obj)
    {
        lv_obj_update_layout(obj);
        lv_area_t a;
        lv_obj_get_coords(obj, &a);
        g_finger.at = {(a.x1 + a.x2) / 2, (a.y1 + a.y2) / 2};
        for (bool down : {true, false}) {
            g_finger.down = down;
            g_finger.reads = 0;
            run_until([] { return g_finger.reads >= 2; });
        }
    }

    // Closes the overlay until it stays closed: a service may raise it
    // again with every WAITING answer for as long as it sends them.
    bool close_overlay_for_good()
    {
        return run_until([&] {
            if (m.busy_obj != nullptr) {
                tap(m.busy_close);
                return false;
            }
            run_for(milliseconds(500));
            return m.busy_obj == nullptr;
        });
    }

    std::vector<std::string> rows() const
    {
        std::vector<std::string> out;
        for (uint32_t i = 0; i < lv_obj_get_child_count(m.list_radio); i++) {
            const auto *item = (const list_msg_item_t *)lv_obj_get_user_data(lv_obj_get_child(m.list_radio, (int32_t)i));
            out.push_back(item->name);
        }
        return out;
    }

    lv_obj_t *row_label(int i) const { return lv_obj_get_child(lv_obj_get_child(m.list_radio, i), 2); }
};

TEST_P(AirableMisbehaving, ThePageStaysUsable)
{
    spawn_service(GetParam());
    ASSERT_TRUE(run_until([] { return comm_mgr_get_client_count() == 1; }));

    tap(m.tiles[MAIN_TILE_RADIO].icon);
    ASSERT_EQ(rows().size(), 5u);
    ASSERT_TRUE(run_until([&] { return lv_obj_get_scroll_x(m.pager) == 3 * MAIN_PAGE_WIDTH; }));
    tap(row_label(2));  // "Radio List"
    ASSERT_TRUE(rows().empty());
    // What the service does about it: the normal stand-in has answered within
    // a second and a half.
    run_for(milliseconds(3000));

    ASSERT_TRUE(close_overlay_for_good());
    // The rows are the window the count reports, never more or fewer.
    const std::string count = lv_label_get_text(m.page_3_count);
    unsigned last = 0;
    unsigned total = 0;
    if (count.empty()) {
        EXPECT_TRUE(rows().empty());
    } else {
        ASSERT_EQ(std::sscanf(count.c_str(), "%u/%u", &last, &total), 2) << count;
        EXPECT_EQ(rows().size(), last) << count;
    }

    // The home icon takes the pager home: no overlay swallows the tap.
    tap(m.ico_page_main);
    EXPECT_TRUE(run_until([&] { return lv_obj_get_scroll_x(m.pager) == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Scenarios, AirableMisbehaving,
                         ::testing::Values("normal", "silent", "error", "malformed", "flood"),
                         [](const ::testing::TestParamInfo<const char *> &info) { return std::string(info.param); });

// A service that floods WAITING answers while the list is asked for: never
// more than one overlay, and none once the service has answered.
TEST_F(AirableMisbehaving, AFloodOfWaitingAnswersLeavesOneOverlayThatCloses)
{
    spawn_service("flood");
    tap(m.tiles[MAIN_TILE_RADIO].icon);
    run_until([&] { return lv_obj_get_scroll_x(m.pager) == 3 * MAIN_PAGE_WIDTH; });
    // Asked before the service has connected: the request is pending while
    // the burst comes in.
    tap(row_label(2));
    const uint32_t base = lv_obj_get_child_count(ui_run_page.root_screen) - (m.busy_obj ? 1 : 0);
    ASSERT_TRUE(run_until([&] { return m.busy_obj != nullptr || comm_mgr_get_client_count() == 1; }));
    for (int i = 0; i < 5; i++) {
        run_for(milliseconds(100));
        EXPECT_LE(lv_obj_get_child_count(ui_run_page.root_screen), base + 1);
        // Closed, it may come back with the next WAITING of the burst.
        if (m.busy_obj != nullptr) {
            tap(m.busy_close);
            EXPECT_LE(lv_obj_get_child_count(ui_run_page.root_screen), base + 1);
        }
    }
    // The burst over, the service answers: the first window and no overlay.
    EXPECT_TRUE(run_until([&] { return std::string(lv_label_get_text(m.page_3_count)) == "20/60"; }));
    EXPECT_TRUE(run_until([&] { return m.busy_obj == nullptr; }));
    EXPECT_EQ(rows().size(), 20u);
}

}  // namespace
