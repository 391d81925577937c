// The keypad reader through the GUI library's input path: records written
// into a FIFO (the stand-in for the event device) are read by the library's
// read timer and reach the objects of the device's group.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gui_fixture.hpp"
#include "gui_log.hpp"
#include "key_input.h"
#include "key_input_internal.h"
#include "lvgl.h"
#include "temp_dir.hpp"
#include "tools/touch/gesture.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kObjects = 5;
constexpr int kMiddle = 2;  // focused before every case: one step either way stays in range

// What the GUI made of the keys: "key N" for a key sent to the focused
// object, "focus I" when object I got the focus, "click" for a click.
std::vector<std::string> transcript;

using test_support::gui_log;
using test_support::gui_logged;

void record_cb(lv_event_t* e)
{
    const int index = static_cast<int>(reinterpret_cast<intptr_t>(lv_event_get_user_data(e)));
    switch (lv_event_get_code(e)) {
    case LV_EVENT_KEY:
        transcript.push_back("key " + std::to_string(lv_event_get_key(e)));
        break;
    case LV_EVENT_FOCUSED:
        transcript.push_back("focus " + std::to_string(index));
        break;
    case LV_EVENT_CLICKED:
        transcript.push_back("click");
        break;
    default:
        break;
    }
}

std::string key(uint32_t lv_key)
{
    return "key " + std::to_string(lv_key);
}

std::string focus(int index)
{
    return "focus " + std::to_string(index);
}

std::vector<input_event> joined(const std::vector<std::vector<input_event>>& parts)
{
    std::vector<input_event> all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

int open_fd_count()
{
    int n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        n++;
    }
    return n;
}

class KeyInput : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        fifo = dir + "/keypad";
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        key_input_set_device_path(fifo.c_str());
        signal(SIGPIPE, SIG_IGN);
        transcript.clear();
        test_support::record_gui_log();

        group = lv_group_create();
        for (int i = 0; i < kObjects; i++) {
            objects[i] = lv_obj_create(lv_screen_active());
            lv_group_add_obj(group, objects[i]);
            lv_obj_add_event_cb(objects[i], record_cb, LV_EVENT_ALL, reinterpret_cast<void*>(intptr_t{i}));
        }
        focus_middle();
    }

    void TearDown() override
    {
        if (writer >= 0) {
            close(writer);
        }
        key_input_set_device_path(nullptr);
        GuiTest::TearDown();  // deletes the keypad device
    }

    void focus_middle()
    {
        lv_group_focus_obj(objects[kMiddle]);
        transcript.clear();
    }

    // The keypad on the FIFO, with a writer at the other end.
    lv_indev_t* open_keypad()
    {
        lv_indev_t* indev = key_input_init(display(), group);
        writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        EXPECT_GE(writer, 0);
        return indev;
    }

    void send(const std::vector<input_event>& evs)
    {
        send_bytes(evs.data(), evs.size() * sizeof(input_event));
    }

    void send_bytes(const void* bytes, size_t count)
    {
        ASSERT_EQ(write(writer, bytes, count), static_cast<ssize_t>(count));
    }

    // One read of the device by the library's read timer.
    static void poll() { run_for(LV_DEF_REFR_PERIOD, LV_DEF_REFR_PERIOD); }

    TempDir tmp{"keypad"};
    const std::string& dir = tmp.path();
    std::string fifo;
    int writer = -1;
    lv_group_t* group = nullptr;
    lv_obj_t* objects[kObjects] = {};
};

TEST_F(KeyInput, OpensTheDeviceAsAKeypadOfTheDisplayAndGroup)
{
    lv_indev_t* indev = key_input_init(display(), group);
    ASSERT_NE(indev, nullptr);
    EXPECT_EQ(lv_indev_get_type(indev), LV_INDEV_TYPE_KEYPAD);
    EXPECT_EQ(lv_indev_get_display(indev), display());
    EXPECT_EQ(lv_indev_get_group(indev), group);
    EXPECT_EQ(lv_indev_get_read_cb(indev), key_input_read_cb);
    EXPECT_TRUE(gui_logged("Using keyboard device: " + fifo));
    const auto* drv = static_cast<const key_input_data_t*>(lv_indev_get_driver_data(indev));
    ASSERT_NE(drv, nullptr);
    EXPECT_GE(drv->fd, 0);
    EXPECT_EQ(drv->key, 0u);
    EXPECT_EQ(drv->state, 0);

    lv_indev_t* without_group = key_input_init(display(), nullptr);
    ASSERT_NE(without_group, nullptr);
    EXPECT_EQ(lv_indev_get_group(without_group), nullptr);
}

TEST_F(KeyInput, MissingDeviceGivesNullAndKeepsNothing)
{
    const std::string missing = dir + "/event2";
    key_input_set_device_path(missing.c_str());
    const int fds = open_fd_count();
    EXPECT_EQ(key_input_init(display(), group), nullptr);
    EXPECT_EQ(open_fd_count(), fds);
    EXPECT_EQ(lv_indev_get_next(nullptr), nullptr);
    ASSERT_EQ(gui_log().size(), 1u);
    EXPECT_EQ(gui_log()[0].rfind("[Warn]", 0), 0u) << gui_log()[0];
    EXPECT_TRUE(gui_logged("Cannot open " + missing + ": No such file or directory"));
}

TEST_F(KeyInput, KeyMapReachesTheFocusedObject)
{
    struct Case {
        uint16_t code;
        std::vector<std::string> seen;  // what a press and release make of it
        uint32_t lv_key;
        bool extended;
    };
    const Case cases[] = {
        {KEY_ESC, {key(LV_KEY_ESC)}, LV_KEY_ESC, false},
        {KEY_BACKSPACE, {key(LV_KEY_BACKSPACE)}, LV_KEY_BACKSPACE, false},
        {KEY_TAB, {focus(kMiddle + 1)}, LV_KEY_NEXT, false},
        {KEY_ENTER, {key(LV_KEY_ENTER), "click"}, LV_KEY_ENTER, false},
        {KEY_KPENTER, {key(LV_KEY_ENTER), "click"}, LV_KEY_ENTER, false},
        {KEY_HOME, {key(LV_KEY_HOME)}, LV_KEY_HOME, false},
        {KEY_UP, {focus(kMiddle - 1)}, LV_KEY_PREV, false},
        {KEY_LEFT, {key(LV_KEY_LEFT)}, LV_KEY_LEFT, false},
        {KEY_RIGHT, {key(LV_KEY_RIGHT)}, LV_KEY_RIGHT, false},
        {KEY_END, {key(LV_KEY_END)}, LV_KEY_END, false},
        {KEY_DOWN, {focus(kMiddle + 1)}, LV_KEY_NEXT, false},
        {KEY_DELETE, {key(LV_KEY_DEL)}, LV_KEY_DEL, false},
        {KEY_OK, {key(LV_KEY_ENTER), "click"}, LV_KEY_ENTER, false},
        {KEY_PREVIOUS, {focus(kMiddle - 1)}, LV_KEY_PREV, false},
        // Everything else arrives as its code plus 256.
        {0, {key(256)}, 256, true},
        {KEY_A, {key(286)}, 286, true},
        {KEY_NEXT, {key(KEY_NEXT + 256)}, KEY_NEXT + 256, true},
        {KEY_MAX, {key(KEY_MAX + 256)}, KEY_MAX + 256, true},
        {0xffff, {key(0xffff + 256)}, 0xffff + 256, true},
    };
    lv_indev_t* indev = open_keypad();
    ASSERT_NE(indev, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        focus_middle();
        test_support::clear_gui_log();
        send(touch::key_event(c.code, 1));
        poll();
        send(touch::key_event(c.code, 0));
        poll();
        EXPECT_EQ(transcript, c.seen);
        EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_RELEASED);
        const std::string suffix = c.extended ? " [extended]" : "";
        EXPECT_TRUE(gui_logged("map_linux_key: key_input: linux_code=" + std::to_string(c.code) +
                           " → lv_key=" + std::to_string(c.lv_key) + suffix))
            << (gui_log().empty() ? "" : gui_log().back());
        EXPECT_TRUE(gui_logged("key_input: raw evdev code=" + std::to_string(c.code) + " value=1 (PRESS)"));
        EXPECT_TRUE(gui_logged("key_input: raw evdev code=" + std::to_string(c.code) + " value=0 (RELEASE)"));
    }
}

// A press and its release that the reader finds in one read still make a
// whole key stroke, in order with the keys around them; so does a second key
// pressed before the first is let go.
TEST_F(KeyInput, KeysReadTogetherAreEachDelivered)
{
    struct Case {
        const char* name;
        std::vector<input_event> records;
        std::vector<std::string> seen;
    };
    const Case cases[] = {
        {"press and release", joined({touch::key_event(KEY_ENTER, 1), touch::key_event(KEY_ENTER, 0)}),
         {key(LV_KEY_ENTER), "click"}},
        {"three strokes", joined({touch::key_event(KEY_DOWN, 1), touch::key_event(KEY_DOWN, 0),
                                  touch::key_event(KEY_DOWN, 1), touch::key_event(KEY_DOWN, 0),
                                  touch::key_event(KEY_ESC, 1), touch::key_event(KEY_ESC, 0)}),
         {focus(kMiddle + 1), focus(kMiddle + 2), key(LV_KEY_ESC)}},
        {"second key before the first is let go",
         joined({touch::key_event(KEY_A, 1), touch::key_event(KEY_B, 1), touch::key_event(KEY_A, 0),
                 touch::key_event(KEY_B, 0)}),
         {key(KEY_A + 256), key(KEY_B + 256)}},
    };
    lv_indev_t* indev = open_keypad();
    ASSERT_NE(indev, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        focus_middle();
        send(c.records);
        poll();
        EXPECT_EQ(transcript, c.seen);
        EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_RELEASED);
    }
}

TEST_F(KeyInput, HeldKeyActsOnceAndRepeatsAndOtherRecordsAreIgnored)
{
    lv_indev_t* indev = open_keypad();
    ASSERT_NE(indev, nullptr);
    send(joined({{touch::record(EV_MSC, MSC_SCAN, 0x70028)}, touch::key_event(KEY_ENTER, 1)}));
    poll();
    EXPECT_EQ(transcript, (std::vector<std::string>{key(LV_KEY_ENTER), "click"}));
    EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_RELEASED) << "released by the next call at once";

    transcript.clear();
    for (int i = 0; i < 10; i++) {
        send(touch::key_event(KEY_ENTER, 2));  // auto-repeat while held
        poll();
    }
    send({touch::record(EV_ABS, ABS_X, 10), touch::record(EV_REL, REL_X, 3),
          touch::record(EV_SYN, SYN_REPORT, 0)});
    poll();
    send(touch::key_event(KEY_ENTER, 0));
    poll();
    poll();
    EXPECT_TRUE(transcript.empty()) << transcript.front();
    EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_RELEASED);
}

TEST_F(KeyInput, RecordCutShortIsTakenOnceComplete)
{
    const std::vector<input_event> press = touch::key_event(KEY_ESC, 1);
    const auto* bytes = reinterpret_cast<const uint8_t*>(press.data());
    const size_t total = press.size() * sizeof(input_event);
    const size_t cuts[] = {1, sizeof(input_event) / 2, sizeof(input_event) - 1};
    lv_indev_t* indev = open_keypad();
    ASSERT_NE(indev, nullptr);
    for (size_t cut : cuts) {
        SCOPED_TRACE(cut);
        transcript.clear();
        send_bytes(bytes, cut);
        poll();
        EXPECT_TRUE(transcript.empty());
        send_bytes(bytes + cut, total - cut);
        poll();
        send(touch::key_event(KEY_ESC, 0));
        poll();
        EXPECT_EQ(transcript, (std::vector<std::string>{key(LV_KEY_ESC)})) << "records stay aligned";
    }
}

// A file of recorded events plays once; its end is not a failure.
TEST_F(KeyInput, FileOfRecordedEventsPlaysOnce)
{
    const std::string path = dir + "/recorded";
    const std::vector<input_event> records =
        joined({touch::key(KEY_DOWN, 0)[0].events, touch::key(KEY_ESC, 0)[0].events,
                touch::key(KEY_ENTER, 0)[0].events});
    {
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(records.data()),
                   static_cast<std::streamsize>(records.size() * sizeof(input_event)));
    }
    key_input_set_device_path(path.c_str());
    lv_indev_t* indev = key_input_init(display(), group);
    ASSERT_NE(indev, nullptr);
    for (int i = 0; i < 5; i++) {
        poll();
    }
    EXPECT_EQ(transcript,
              (std::vector<std::string>{focus(kMiddle + 1), key(LV_KEY_ESC), key(LV_KEY_ENTER), "click"}));
    EXPECT_FALSE(gui_logged("device lost"));
    EXPECT_GE(static_cast<const key_input_data_t*>(lv_indev_get_driver_data(indev))->fd, 0);
}

// The writer goes away in the middle of a key press: the press still acts
// once, nothing stays pressed, and the reader goes quiet.
TEST_F(KeyInput, WriterThatDisappearsLeavesNothingPressed)
{
    lv_indev_t* indev = open_keypad();
    ASSERT_NE(indev, nullptr);
    send(touch::key_event(KEY_RIGHT, 1));
    close(writer);
    writer = -1;
    fs::remove(fifo);
    for (int i = 0; i < 5; i++) {
        poll();
    }
    EXPECT_EQ(transcript, (std::vector<std::string>{key(LV_KEY_RIGHT)}));
    EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_RELEASED);
}

// A device whose reads fail (an unplugged keypad: ENODEV; here a folder,
// which cannot be read) is closed once; the keypad device stays and reads
// nothing more.
TEST_F(KeyInput, DeviceThatFailsIsClosedOnce)
{
    key_input_set_device_path(dir.c_str());
    const int fds = open_fd_count();
    lv_indev_t* indev = key_input_init(display(), group);
    ASSERT_NE(indev, nullptr);
    EXPECT_EQ(open_fd_count(), fds + 1);
    poll();
    poll();
    EXPECT_TRUE(gui_logged("key_input: device lost: Is a directory"));
    EXPECT_EQ(static_cast<const key_input_data_t*>(lv_indev_get_driver_data(indev))->fd, -1);
    EXPECT_EQ(open_fd_count(), fds);
    EXPECT_TRUE(transcript.empty());
    EXPECT_EQ(lv_indev_get_state(indev), LV_INDEV_STATE_RELEASED);
    lv_indev_delete(indev);
    EXPECT_EQ(open_fd_count(), fds);
}

TEST_F(KeyInput, DeletingTheDeviceClosesItsDescriptor)
{
    lv_indev_t* indev = open_keypad();
    ASSERT_NE(indev, nullptr);
    lv_indev_delete(indev);
    EXPECT_EQ(lv_indev_get_next(nullptr), nullptr);
    const input_event ev = touch::record(EV_SYN, SYN_REPORT, 0);
    EXPECT_EQ(write(writer, &ev, sizeof ev), -1) << "no reader left";
    EXPECT_EQ(errno, EPIPE);
}

// A device that never runs dry does not hold the GUI thread: one read takes
// a bounded share, the rest waits for the next reads, nothing is lost.
TEST_F(KeyInput, EndlessDeviceDoesNotHoldTheGuiThread)
{
    key_input_set_device_path("/dev/zero");
    lv_indev_t* zero = key_input_init(display(), group);
    ASSERT_NE(zero, nullptr);
    poll();  // returns: records of type 0 are read a bounded number at a time
    EXPECT_TRUE(transcript.empty());
    lv_indev_delete(zero);

    key_input_set_device_path(fifo.c_str());
    lv_indev_t* indev = open_keypad();
    ASSERT_NE(indev, nullptr);
    constexpr int kStrokes = 200;  // 19 KB at 24 bytes a record: within the FIFO's buffer
    std::vector<input_event> flood;
    for (int i = 0; i < kStrokes; i++) {
        flood = joined({flood, touch::key_event(KEY_ESC, 1), touch::key_event(KEY_ESC, 0)});
    }
    send(flood);
    poll();
    EXPECT_GT(transcript.size(), 0u);
    EXPECT_LT(transcript.size(), static_cast<size_t>(kStrokes)) << "one read took everything";
    for (int i = 0; i < kStrokes && transcript.size() < static_cast<size_t>(kStrokes); i++) {
        poll();
    }
    EXPECT_EQ(transcript, std::vector<std::string>(kStrokes, key(LV_KEY_ESC)));
}

// The touch tool's key presses, as a person would type them from a shell.
TEST_F(KeyInput, TouchToolTypesKeys)
{
    struct Case {
        std::vector<std::string> args;  // after the FIFO
        int status;
        std::vector<std::string> seen;
    };
    const Case cases[] = {
        {{"key", "down", "0"}, 0, {focus(kMiddle + 1)}},
        {{"key", "30", "0"}, 0, {key(286)}},
        {{"key", "esc"}, 0, {key(LV_KEY_ESC)}},
        {{"key", "sideways"}, 2, {}},
        {{"key", "768"}, 2, {}},
        {{"key", "up", "-1"}, 2, {}},
        {{"key"}, 2, {}},
    };
    ASSERT_NE(open_keypad(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[c.args.size() - 1]);
        focus_middle();
        std::vector<std::string> args = {TOUCH_GESTURE_BIN, fifo};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        pid_t pid = -1;
        ASSERT_EQ(posix_spawn(&pid, TOUCH_GESTURE_BIN, nullptr, nullptr, argv.data(), environ), 0);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.status);
        poll();
        poll();
        EXPECT_EQ(transcript, c.seen);
    }
}

}  // namespace
