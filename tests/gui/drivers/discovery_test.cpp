// Automatic discovery of input devices, on a folder of our own.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gui/drivers/evdev/evdev_internal.hpp"
#include "gui_fixture.hpp"
#include "lvgl.h"
#include "temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kPollPeriodMs = 33;

std::vector<std::string> log_lines;
void log_cb(lv_log_level_t, const char* buf)
{
    log_lines.emplace_back(buf);
}

struct Found {
    lv_indev_t* indev;
    lv_evdev_type_t type;
};
std::vector<Found> found;

void discovered(lv_indev_t* indev, lv_evdev_type_t type, void* user_data)
{
    EXPECT_EQ(user_data, &found);
    found.push_back({indev, type});
}

class Discovery : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        folder = dir + "/input";
        gui::drivers::evdev_set_discovery_folder(folder);
        GuiTest::SetUp();
        log_lines.clear();
        found.clear();
        lv_log_register_print_cb(log_cb);
    }

    void TearDown() override
    {
        lv_evdev_discovery_stop();
        GuiTest::TearDown();
        gui::drivers::evdev_set_discovery_folder("/dev/input");
    }

    static void poll_periods(int periods) { run_for(periods * kPollPeriodMs, kPollPeriodMs); }

    void add_fifo(const std::string& name)
    {
        ASSERT_EQ(mkfifo((folder + "/" + name).c_str(), 0600), 0);
    }

    TempDir tmp{"discovery"};
    const std::string& dir = tmp.path();
    std::string folder;
};

TEST_F(Discovery, MissingFolderIsQuietUntilItAppears)
{
    ASSERT_EQ(lv_evdev_discovery_start(discovered, &found), LV_RESULT_OK);
    poll_periods(30);
    EXPECT_LE(log_lines.size(), 1u);
    EXPECT_TRUE(found.empty());

    fs::create_directory(folder);
    add_fifo("event3");
    std::ofstream(folder + "/mouse0") << "not an event device";
    poll_periods(2);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].type, LV_EVDEV_TYPE_ABS);
    EXPECT_EQ(lv_indev_get_type(found[0].indev), LV_INDEV_TYPE_POINTER);

    add_fifo("event4");
    poll_periods(1);
    EXPECT_EQ(found.size(), 2u);
    EXPECT_LE(log_lines.size(), 1u);
}

TEST_F(Discovery, DevicesPresentAtStartAreReportedAtOnceAndNotTwice)
{
    fs::create_directory(folder);
    add_fifo("event0");
    add_fifo("event1");
    ASSERT_EQ(lv_evdev_discovery_start(discovered, &found), LV_RESULT_OK);
    EXPECT_EQ(found.size(), 2u);
    EXPECT_EQ(lv_evdev_discovery_start(discovered, &found), LV_RESULT_INVALID);

    ASSERT_EQ(lv_evdev_discovery_stop(), LV_RESULT_OK);
    EXPECT_EQ(lv_evdev_discovery_stop(), LV_RESULT_INVALID);
    ASSERT_EQ(lv_evdev_discovery_start(discovered, &found), LV_RESULT_OK);
    poll_periods(2);
    EXPECT_EQ(found.size(), 2u) << "already open devices are skipped";
}

TEST_F(Discovery, FolderThatReturnsIsWatchedAgain)
{
    fs::create_directory(folder);
    ASSERT_EQ(lv_evdev_discovery_start(discovered, &found), LV_RESULT_OK);
    fs::remove_all(folder);
    poll_periods(2);
    fs::create_directory(folder);
    add_fifo("event7");
    poll_periods(3);
    EXPECT_EQ(found.size(), 1u);
}

}  // namespace
