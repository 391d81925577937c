// The evdev driver with FIFOs and files of native input_event records, the
// stand-in for touch hardware.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "gui_fixture.hpp"
#include "lvgl.h"
#include "temp_dir.hpp"
#include "tools/touch/gesture.hpp"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> log_lines;

void log_cb(lv_log_level_t, const char* buf)
{
    log_lines.emplace_back(buf);
}

class EvdevFifo : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        fifo = dir + "/touch";
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        GuiTest::SetUp();
        log_lines.clear();
        lv_log_register_print_cb(log_cb);
    }

    void TearDown() override
    {
        if (writer >= 0) {
            close(writer);
        }
        GuiTest::TearDown();
    }

    lv_indev_t* open_fifo(lv_indev_type_t type = LV_INDEV_TYPE_POINTER)
    {
        lv_indev_t* indev = lv_evdev_create(type, fifo.c_str());
        writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        EXPECT_GE(writer, 0);
        return indev;
    }

    void send(const std::vector<input_event>& evs)
    {
        const size_t bytes = evs.size() * sizeof(input_event);
        ASSERT_EQ(write(writer, evs.data(), bytes), static_cast<ssize_t>(bytes));
    }

    static lv_point_t point_of(lv_indev_t* indev)
    {
        lv_point_t p{-1, -1};
        lv_indev_get_point(indev, &p);
        return p;
    }

    TempDir tmp{"evdev"};
    const std::string& dir = tmp.path();
    std::string fifo;
    int writer = -1;
};

TEST_F(EvdevFifo, TouchRecordsReachThePointer)
{
    lv_indev_t* indev = open_fifo();
    ASSERT_NE(indev, nullptr);
    EXPECT_EQ(lv_indev_get_type(indev), LV_INDEV_TYPE_POINTER);
    EXPECT_EQ(lv_indev_get_display(indev), display());

    send(touch::at(100, 200, 1));
    lv_indev_read(indev);
    EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_PRESSED);
    EXPECT_EQ(point_of(indev).x, 100);
    EXPECT_EQ(point_of(indev).y, 200);

    send(touch::at(150, 210, -1));
    lv_indev_read(indev);
    EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_PRESSED);
    EXPECT_EQ(point_of(indev).x, 150);

    send(touch::at(150, 210, 0));
    lv_indev_read(indev);
    EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_RELEASED);
}

TEST_F(EvdevFifo, TapFromTheTouchToolClicksTheObjectUnderIt)
{
    lv_obj_t* button = lv_obj_create(lv_screen_active());
    lv_obj_set_pos(button, 50, 150);
    lv_obj_set_size(button, 200, 100);
    int clicks = 0;
    lv_obj_add_event_cb(
        button, [](lv_event_t* e) { ++*static_cast<int*>(lv_event_get_user_data(e)); },
        LV_EVENT_CLICKED, &clicks);
    lv_obj_update_layout(lv_screen_active());

    lv_indev_t* indev = open_fifo();
    ASSERT_NE(indev, nullptr);
    for (const touch::Step& step : touch::tap(120, 190)) {
        send(step.events);
        lv_indev_read(indev);
    }
    EXPECT_EQ(clicks, 1);
}

TEST_F(EvdevFifo, DragFromTheTouchToolMovesThePointerAlongItsLine)
{
    lv_indev_t* indev = open_fifo();
    ASSERT_NE(indev, nullptr);
    const std::vector<touch::Step> steps = touch::drag(600, 100, 40, 300, 200);
    ASSERT_EQ(steps.size(), 2u + 200 / touch::kMoveStepMs);
    int32_t last_x = 601;
    for (size_t i = 0; i + 1 < steps.size(); i++) {
        send(steps[i].events);
        lv_indev_read(indev);
        EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_PRESSED);
        const lv_point_t p = point_of(indev);
        EXPECT_LT(p.x, last_x) << "moves left at every step";
        EXPECT_NEAR(p.y, 100 + (p.x - 600) * 200 / -560, 1) << "on the line";
        last_x = p.x;
    }
    EXPECT_EQ(point_of(indev).x, 40);
    EXPECT_EQ(point_of(indev).y, 300);
    send(steps.back().events);
    lv_indev_read(indev);
    EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_RELEASED);
}

TEST_F(EvdevFifo, RecordSplitAcrossWritesIsAppliedOnceComplete)
{
    lv_indev_t* indev = open_fifo();
    const std::vector<input_event> press = touch::at(321, 123, 1);
    const auto* bytes = reinterpret_cast<const uint8_t*>(press.data());
    const size_t total = press.size() * sizeof(input_event);
    const size_t cut = sizeof(input_event) + 5;  // inside the second record
    ASSERT_EQ(write(writer, bytes, cut), static_cast<ssize_t>(cut));
    lv_indev_read(indev);
    EXPECT_EQ(point_of(indev).x, 321);  // first record complete
    EXPECT_NE(point_of(indev).y, 123);
    ASSERT_EQ(write(writer, bytes + cut, total - cut), static_cast<ssize_t>(total - cut));
    lv_indev_read(indev);
    EXPECT_EQ(point_of(indev).y, 123);
    EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_PRESSED);
}

TEST_F(EvdevFifo, CoordinatesAreMappedAndClampedToTheDisplay)
{
    struct Case {
        const char* name;
        bool calibrate;
        bool swap;
        int32_t raw_x, raw_y;
        int32_t x, y;
    };
    const Case cases[] = {
        {"pixels as they come", false, false, 639, 479, 639, 479},
        {"clamped past the edges", false, false, 5000, -20, 639, 0},
        {"calibrated full range", true, false, 4095, 4095, 639, 479},
        {"calibrated middle", true, false, 2048, 1024, 2048 * 639 / 4095, 1024 * 479 / 4095},
        {"swapped axes", false, true, 30, 70, 70, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lv_indev_t* indev = open_fifo();
        ASSERT_NE(indev, nullptr);
        if (c.calibrate) {
            lv_evdev_set_calibration(indev, 0, 0, 4095, 4095);
        }
        lv_evdev_set_swap_axes(indev, c.swap);
        send(touch::at(c.raw_x, c.raw_y, 1));
        lv_indev_read(indev);
        EXPECT_EQ(point_of(indev).x, c.x);
        EXPECT_EQ(point_of(indev).y, c.y);
        lv_evdev_delete(indev);
        close(writer);
        writer = -1;
    }
}

TEST_F(EvdevFifo, KeypadKeysAreTranslated)
{
    struct Case {
        uint16_t code;
        uint32_t key;
    };
    const Case cases[] = {
        {KEY_UP, LV_KEY_UP},       {KEY_DOWN, LV_KEY_DOWN},           {KEY_RIGHT, LV_KEY_RIGHT},
        {KEY_LEFT, LV_KEY_LEFT},   {KEY_ESC, LV_KEY_ESC},             {KEY_DELETE, LV_KEY_DEL},
        {KEY_BACKSPACE, LV_KEY_BACKSPACE}, {KEY_ENTER, LV_KEY_ENTER}, {KEY_TAB, LV_KEY_NEXT},
        {KEY_NEXT, LV_KEY_NEXT},   {KEY_PREVIOUS, LV_KEY_PREV},       {KEY_HOME, LV_KEY_HOME},
        {KEY_END, LV_KEY_END},
    };
    lv_indev_t* indev = open_fifo(LV_INDEV_TYPE_KEYPAD);
    ASSERT_NE(indev, nullptr);
    EXPECT_EQ(lv_indev_get_type(indev), LV_INDEV_TYPE_KEYPAD);
    lv_group_t* group = lv_group_create();
    lv_group_add_obj(group, lv_obj_create(lv_screen_active()));
    lv_indev_set_group(indev, group);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        send({touch::record(EV_KEY, c.code, 1), touch::record(EV_SYN, SYN_REPORT, 0)});
        lv_indev_read(indev);
        EXPECT_EQ(lv_indev_get_key(indev), c.key);
        EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_PRESSED);
        send({touch::record(EV_KEY, c.code, 0), touch::record(EV_SYN, SYN_REPORT, 0)});
        lv_indev_read(indev);
        EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_RELEASED);
    }
    // Letters are not translated: the last key stays.
    send({touch::record(EV_KEY, KEY_A, 1), touch::record(EV_SYN, SYN_REPORT, 0)});
    lv_indev_read(indev);
    EXPECT_EQ(lv_indev_get_key(indev), LV_KEY_END);
}

// A keypad that floods key transitions cannot keep one read going for
// ever: each read reports a bounded number, the rest come with the next.
TEST_F(EvdevFifo, FloodOfKeysIsTakenABoundedNumberPerRead)
{
    lv_indev_t* indev = open_fifo(LV_INDEV_TYPE_KEYPAD);
    ASSERT_NE(indev, nullptr);
    lv_group_t* group = lv_group_create();
    lv_obj_t* target = lv_obj_create(lv_screen_active());
    lv_group_add_obj(group, target);
    lv_indev_set_group(indev, group);
    static int keys;
    keys = 0;
    lv_obj_add_event_cb(target, [](lv_event_t*) { keys++; }, LV_EVENT_KEY, nullptr);
    std::vector<input_event> flood;
    for (int i = 0; i < 500; i++) {
        flood.push_back(touch::record(EV_KEY, KEY_ENTER, i % 2 == 0 ? 1 : 0));
    }
    send(flood);
    lv_indev_read(indev);
    const int first_read = keys;
    EXPECT_GT(first_read, 0);
    EXPECT_LT(first_read, 250) << "one read took the whole flood";
    for (int reads = 0; reads < 100 && keys < 250; reads++) {
        lv_indev_read(indev);
    }
    EXPECT_EQ(keys, 250) << "every press arrives, over several reads";
}

TEST_F(EvdevFifo, FileOfRecordsIsReadLikeAFifo)
{
    const std::string path = dir + "/records";
    const std::vector<input_event> press = touch::at(12, 34, 1);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(write(fd, press.data(), press.size() * sizeof(input_event)),
              static_cast<ssize_t>(press.size() * sizeof(input_event)));
    close(fd);
    lv_indev_t* indev = lv_evdev_create(LV_INDEV_TYPE_POINTER, path.c_str());
    ASSERT_NE(indev, nullptr);
    lv_indev_read(indev);
    EXPECT_EQ(point_of(indev).x, 12);
    EXPECT_EQ(point_of(indev).y, 34);
    EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_PRESSED);
}

// A device with more records than one read takes (an endless one, such as
// /dev/zero given as the touch screen, would otherwise hold the GUI thread
// for ever) is read a bounded piece per read, in order.
TEST_F(EvdevFifo, EachReadTakesABoundedNumberOfRecords)
{
    const std::string path = dir + "/flood";
    std::vector<input_event> records(20000, touch::record(EV_SYN, SYN_REPORT, 0));
    const std::vector<input_event> press = touch::at(12, 34, 1);
    records.insert(records.end(), press.begin(), press.end());
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    const ssize_t bytes = static_cast<ssize_t>(records.size() * sizeof(input_event));
    ASSERT_EQ(write(fd, records.data(), static_cast<size_t>(bytes)), bytes);
    close(fd);
    lv_indev_t* indev = lv_evdev_create(LV_INDEV_TYPE_POINTER, path.c_str());
    ASSERT_NE(indev, nullptr);

    int reads = 0;
    while (lv_indev_get_state(indev) != LV_INDEV_STATE_PRESSED && reads < 1000) {
        lv_indev_read(indev);
        reads++;
    }
    EXPECT_GT(reads, 10) << "a read took too many records at once";
    EXPECT_LT(reads, 1000) << "the press at the end never came";
    EXPECT_EQ(point_of(indev).x, 12);
    EXPECT_EQ(point_of(indev).y, 34);
}

TEST_F(EvdevFifo, MissingDeviceGivesNullWithAWarning)
{
    EXPECT_EQ(lv_evdev_create(LV_INDEV_TYPE_POINTER, (dir + "/nothing").c_str()), nullptr);
    ASSERT_EQ(log_lines.size(), 1u);
    EXPECT_EQ(log_lines[0].rfind("[Warn]", 0), 0u) << log_lines[0];
    EXPECT_NE(log_lines[0].find("cannot open"), std::string::npos) << log_lines[0];
}

// The path comes from the environment: it is logged escaped, on one line.
TEST_F(EvdevFifo, PathIsLoggedEscaped)
{
    EXPECT_EQ(lv_evdev_create(LV_INDEV_TYPE_POINTER, (dir + "/no\nsuch\x1b[2J").c_str()), nullptr);
    ASSERT_EQ(log_lines.size(), 1u);
    const std::string& line = log_lines[0];
    EXPECT_NE(line.find("/no\\nsuch\\x1B[2J\""), std::string::npos) << line;
    EXPECT_EQ(line.find('\x1b'), std::string::npos) << line;
    EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
}

TEST_F(EvdevFifo, DeletingTheDeviceClosesTheFile)
{
    lv_indev_t* indev = open_fifo();
    ASSERT_NE(indev, nullptr);
    lv_evdev_delete(indev);
    signal(SIGPIPE, SIG_IGN);
    const input_event ev = touch::record(EV_SYN, SYN_REPORT, 0);
    EXPECT_EQ(write(writer, &ev, sizeof ev), -1);
    EXPECT_EQ(errno, EPIPE);
    EXPECT_EQ(lv_indev_get_next(nullptr), nullptr);
}

}  // namespace
