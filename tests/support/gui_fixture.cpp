#include "gui_fixture.hpp"

#include <cstring>

namespace test_support {

namespace {

uint32_t clock_ms = 0;

uint32_t clock_cb()
{
    return clock_ms;
}

constexpr int kBytesPerPixel = 4;

}  // namespace

void GuiTest::SetUp()
{
    lv_init();
    clock_ms = 0;
    lv_tick_set_cb(clock_cb);
    display_ = lv_display_create(kWidth, kHeight);
    ASSERT_NE(display_, nullptr);
    lv_display_set_color_format(display_, LV_COLOR_FORMAT_XRGB8888);
    buffer_.assign(static_cast<size_t>(kWidth) * kHeight * kBytesPerPixel, 0);
    lv_display_set_buffers(display_, buffer_.data(), nullptr, static_cast<uint32_t>(buffer_.size()),
                           LV_DISPLAY_RENDER_MODE_DIRECT);
    lv_display_set_flush_cb(display_, flush_cb);
    lv_display_set_user_data(display_, this);
    screen_ = Image(kWidth, kHeight);
}

void GuiTest::TearDown()
{
    lv_deinit();
    display_ = nullptr;
}

uint32_t GuiTest::now()
{
    return clock_ms;
}

void GuiTest::run_for(uint32_t ms, uint32_t step)
{
    for(uint32_t t = 0; t < ms; t += step) {
        clock_ms += step;
        lv_timer_handler();
    }
}

void GuiTest::advance(uint32_t ms)
{
    clock_ms += ms;
}

void GuiTest::flush_cb(lv_display_t * disp, const lv_area_t * area, uint8_t * px_map)
{
    auto * self = static_cast<GuiTest *>(lv_display_get_user_data(disp));
    const size_t stride = static_cast<size_t>(kWidth) * kBytesPerPixel;
    // Direct mode: px_map is the whole screen; copy the flushed rows of the area.
    for(int32_t y = area->y1; y <= area->y2; y++) {
        size_t ofs = static_cast<size_t>(y) * stride + static_cast<size_t>(area->x1) * kBytesPerPixel;
        size_t len = static_cast<size_t>(area->x2 - area->x1 + 1) * kBytesPerPixel;
        std::memcpy(self->screen_.bgra.data() + ofs, px_map + ofs, len);
    }
    lv_display_flush_ready(disp);
}

const Image & GuiTest::render()
{
    lv_obj_invalidate(lv_display_get_layer_bottom(display_));
    lv_obj_invalidate(lv_display_get_screen_active(display_));
    lv_obj_invalidate(lv_display_get_layer_top(display_));
    lv_refr_now(display_);
    return screen_;
}

const Image & GuiTest::refresh()
{
    lv_refr_now(display_);
    return screen_;
}

::testing::AssertionResult GuiTest::matches_screen(const std::string & area, const std::string & name, int tolerance)
{
    const Image & img = render();
    std::string ref = std::string(GUI_REF_DIR) + "/" + area + "/" + name + ".png";
    return matches_reference(img, ref, std::string(GUI_OUT_DIR) + "/" + area, name, tolerance);
}

}  // namespace test_support
