// Backend registry, the DRM display backend on the virtual panel and the
// EVDEV pointer backend with its cursor. Every test starts from an empty
// registry, so they hold in any order.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lib/display_backends/drm.h"
#include "lib/driver_backends.h"
#include "lib/driver_backends_internal.h"
#include "lib/indev_backends/evdev.h"
#include "lib/simulator_util.h"
#include "lvgl.h"
#include "gui_log.hpp"
#include "stdout_capture.hpp"
#include "temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

using test_support::clear_gui_log;
using test_support::gui_logged;

class Backends : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("LV_LINUX_DRM_CARD", (dir + "/panel.bmp").c_str(), 1);
        unsetenv("/dev/input/touchscreen0");
        driver_backends_reset();
        lv_init();
        test_support::record_gui_log();
    }
    void TearDown() override
    {
        lv_evdev_discovery_stop();
        lv_deinit();
    }
    std::string make_fifo(const char* name)
    {
        const std::string path = dir + "/" + name;
        EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
        return path;
    }
    TempDir tmp{"backends"};
    const std::string& dir = tmp.path();
};

TEST_F(Backends, EverythingFailsBeforeRegistration)
{
    EXPECT_EQ(driver_backends_init_backend(nullptr), -1);
    EXPECT_EQ(driver_backends_print_supported(), -1);
    EXPECT_TRUE(gui_logged("Please call driver_backends_register first"));
    char name[] = "drm";
    EXPECT_EQ(driver_backends_is_supported(name), 0);
    EXPECT_STREQ(name, "DRM");
    driver_backends_run_loop();  // returns: nothing selected
    EXPECT_TRUE(gui_logged("No backend has been selected - initialize the backend first"));
}

TEST_F(Backends, NamesAreCheckedUpperCased)
{
    driver_backends_register();
    struct Case {
        const char* in;
        const char* upper;
        int32_t supported;
    };
    const Case cases[] = {
        {"drm", "DRM", 1}, {"DRM", "DRM", 1}, {"Evdev", "EVDEV", 1},
        {"", "", 0},       {"drmx", "DRMX", 0}, {"dr", "DR", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        std::string name = c.in;
        EXPECT_EQ(driver_backends_is_supported(name.data()), c.supported);
        EXPECT_EQ(name, c.upper);
    }
}

TEST_F(Backends, SecondRegistrationChangesNothing)
{
    driver_backends_register();
    driver_backends_register();
    StdoutCapture captured;
    EXPECT_EQ(driver_backends_print_supported(), 0);
    EXPECT_EQ(captured.text(),
              "Default backend: DRM\nSupported backends: DRM EVDEV \n");
}

TEST_F(Backends, PointerBeforeAnyDisplayFails)
{
    driver_backends_register();
    EXPECT_EQ(driver_backends_init_backend("EVDEV"), -1);
    EXPECT_TRUE(gui_logged("Failed to init indev backend: EVDEV - display needs to be initialized"));
}

TEST_F(Backends, DefaultBackendIsTheDrmDisplayOnTheNamedCard)
{
    driver_backends_register();
    ASSERT_EQ(driver_backends_init_backend(nullptr), 0);
    lv_display_t* disp = lv_display_get_default();
    ASSERT_NE(disp, nullptr);
    EXPECT_EQ(lv_display_get_horizontal_resolution(disp), 640);
    lv_refr_now(disp);
    EXPECT_TRUE(fs::exists(dir + "/panel.bmp"));
}

TEST_F(Backends, DisplayThatCannotBeCreatedFailsTheStart)
{
    driver_backends_register();
    backend_t* drm = driver_backends_find("DRM");
    ASSERT_NE(drm, nullptr);
    drm->handle->display->init_display = []() -> lv_display_t* { return nullptr; };
    EXPECT_EQ(driver_backends_init_backend(nullptr), -1);
    EXPECT_TRUE(gui_logged("Failed to init display with DRM backend"));
    // No display was selected: the pointer cannot start, the loop returns.
    EXPECT_EQ(driver_backends_init_backend("EVDEV"), -1);
    driver_backends_run_loop();
    EXPECT_TRUE(gui_logged("No backend has been selected - initialize the backend first"));
}

TEST_F(Backends, PointerFromTheEnvironmentGetsTheCursorUntilDeleted)
{
    driver_backends_register();
    ASSERT_EQ(driver_backends_init_backend("DRM"), 0);
    setenv("/dev/input/touchscreen0", make_fifo("touch").c_str(), 1);
    ASSERT_EQ(driver_backends_init_backend("EVDEV"), 0);
    lv_indev_t* indev = lv_indev_get_next(nullptr);
    ASSERT_NE(indev, nullptr);
    lv_obj_t* cursor = lv_indev_get_cursor(indev);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(lv_image_get_src(cursor), &mouse_cursor_icon);

    bool cursor_deleted = false;
    lv_obj_add_event_cb(
        cursor, [](lv_event_t* e) { *static_cast<bool*>(lv_event_get_user_data(e)) = true; },
        LV_EVENT_DELETE, &cursor_deleted);
    lv_indev_delete(indev);
    EXPECT_TRUE(cursor_deleted);
}

TEST_F(Backends, CursorIsLeftToTheTeardownWhileTheLibraryDeinitialises)
{
    driver_backends_register();
    ASSERT_EQ(driver_backends_init_backend("DRM"), 0);
    setenv("/dev/input/touchscreen0", make_fifo("touch").c_str(), 1);
    ASSERT_EQ(driver_backends_init_backend("EVDEV"), 0);
    ASSERT_NE(lv_indev_get_cursor(lv_indev_get_next(nullptr)), nullptr);
    lv_deinit();  // deletes the device, then the display with the cursor: no double delete
    lv_init();
}

TEST_F(Backends, PointerThatCannotBeOpenedStillStartsTheBackend)
{
    driver_backends_register();
    ASSERT_EQ(driver_backends_init_backend("DRM"), 0);
    setenv("/dev/input/touchscreen0", (dir + "/missing").c_str(), 1);
    EXPECT_EQ(driver_backends_init_backend("EVDEV"), 0);
    EXPECT_TRUE(gui_logged("indev == NULL"));
    EXPECT_EQ(lv_indev_get_next(nullptr), nullptr);
}

TEST_F(Backends, WithoutTheVariableDiscoveryRunsAndOnlyMiceGetTheCursor)
{
    driver_backends_register();
    ASSERT_EQ(driver_backends_init_backend("DRM"), 0);
    EXPECT_EQ(driver_backends_init_backend("EVDEV"), 0);
    EXPECT_TRUE(gui_logged("Using evdev automatic discovery."));

    lv_display_t* disp = lv_display_get_default();
    struct Case {
        lv_evdev_type_t type;
        const char* name;
        bool cursor;
    };
    const Case cases[] = {
        {LV_EVDEV_TYPE_REL, "REL", true},
        {LV_EVDEV_TYPE_ABS, "ABS", false},
        {LV_EVDEV_TYPE_KEY, "KEY", false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lv_indev_t* indev =
            lv_evdev_create(LV_INDEV_TYPE_POINTER, make_fifo(("dev" + std::to_string(n++)).c_str()).c_str());
        ASSERT_NE(indev, nullptr);
        clear_gui_log();
        discovery_cb(indev, c.type, disp);
        EXPECT_TRUE(gui_logged(std::string("new '") + c.name + "' device discovered"));
        EXPECT_EQ(lv_indev_get_display(indev), disp);
        EXPECT_EQ(lv_indev_get_cursor(indev) != nullptr, c.cursor);
    }
}

TEST(CursorIcon, IsA14By20ArrowWithItsTipAtTheTopLeft)
{
    const lv_image_header_t& h = mouse_cursor_icon.header;
    EXPECT_EQ(h.magic, 0x19u);
    EXPECT_EQ(h.cf, LV_COLOR_FORMAT_ARGB8888);
    EXPECT_EQ(h.flags, 0u);
    EXPECT_EQ(h.w, 14u);
    EXPECT_EQ(h.h, 20u);
    EXPECT_EQ(h.stride, 56u);
    EXPECT_EQ(mouse_cursor_icon.data_size, 1120u);
    const uint8_t* px = mouse_cursor_icon.data;
    EXPECT_EQ(px[3], 0xFF) << "tip pixel opaque";
    EXPECT_EQ(px[13 * 4 + 3], 0x00) << "top-right corner transparent";
    const uint8_t* inside = px + 6 * 56 + 2 * 4;  // row 6, column 2: the white body
    EXPECT_EQ(inside[0], 0xFF);
    EXPECT_EQ(inside[3], 0xFF);
}

TEST(Environment, FallbackOnlyWhenUnset)
{
    unsetenv("QUORVEX_TEST_VAR");
    EXPECT_STREQ(getenv_default("QUORVEX_TEST_VAR", "fallback"), "fallback");
    setenv("QUORVEX_TEST_VAR", "", 1);
    EXPECT_STREQ(getenv_default("QUORVEX_TEST_VAR", "fallback"), "");
    setenv("QUORVEX_TEST_VAR", "value", 1);
    EXPECT_STREQ(getenv_default("QUORVEX_TEST_VAR", "fallback"), "value");
}

}  // namespace
