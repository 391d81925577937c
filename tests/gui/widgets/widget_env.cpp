#include "widget_env.hpp"

#include "image_compare.hpp"

#include <cstring>
#include <map>
#include <memory>

namespace widget_test {
namespace {

uint32_t g_now = 0;
lv_point_t g_point{0, 0};
bool g_pressed = false;

uint32_t tick_cb()
{
    return g_now;
}

void read_cb(lv_indev_t *, lv_indev_data_t * data)
{
    data->point = g_point;
    data->state = g_pressed ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
}

void flush_cb(lv_display_t * d, const lv_area_t *, uint8_t *)
{
    lv_display_flush_ready(d);
}

const char * code_name(lv_event_code_t code)
{
    static const std::map<lv_event_code_t, const char *> names = {
        {LV_EVENT_PRESSED, "PRESSED"},     {LV_EVENT_RELEASED, "RELEASED"}, {LV_EVENT_CLICKED, "CLICKED"},
        {LV_EVENT_VALUE_CHANGED, "VALUE_CHANGED"}, {LV_EVENT_READY, "READY"}, {LV_EVENT_CANCEL, "CANCEL"},
        {LV_EVENT_INSERT, "INSERT"},       {LV_EVENT_DELETE, "DELETE"},     {LV_EVENT_KEY, "KEY"},
    };
    auto it = names.find(code);
    return it == names.end() ? nullptr : it->second;
}

void log_cb(lv_event_t * e)
{
    auto * log = static_cast<std::pair<EventLog *, std::string> *>(lv_event_get_user_data(e));
    if (const char * name = code_name(lv_event_get_code(e))) log->first->entries.push_back(log->second + ":" + name);
}

std::vector<std::unique_ptr<std::pair<EventLog *, std::string>>> g_log_tags;

} // namespace

void WidgetTest::SetUp()
{
    g_now = 1000;
    g_pressed = false;
    g_point = {0, 0};
    lv_init();
    lv_tick_set_cb(tick_cb);
    disp = lv_display_create(kWidth, kHeight);
    fb_.assign(static_cast<size_t>(kWidth) * kHeight * 4, 0);
    lv_display_set_buffers(disp, fb_.data(), nullptr, static_cast<uint32_t>(fb_.size()), LV_DISPLAY_RENDER_MODE_DIRECT);
    lv_display_set_flush_cb(disp, flush_cb);
    pointer = lv_indev_create();
    lv_indev_set_type(pointer, LV_INDEV_TYPE_POINTER);
    lv_indev_set_read_cb(pointer, read_cb);
    scr = lv_screen_active();
}

void WidgetTest::TearDown()
{
    lv_deinit();
    g_log_tags.clear();
}

void WidgetTest::advance(uint32_t ms)
{
    for (uint32_t done = 0; done < ms; done += kReadPeriod) {
        g_now += kReadPeriod;
        lv_timer_handler();
    }
}

void WidgetTest::settle()
{
    lv_obj_update_layout(scr);
    lv_timer_handler();
}

void WidgetTest::press(int32_t x, int32_t y)
{
    g_point = {x, y};
    g_pressed = true;
    advance(kReadPeriod);
}

void WidgetTest::move_to(int32_t x, int32_t y)
{
    g_point = {x, y};
    advance(kReadPeriod);
}

void WidgetTest::release()
{
    g_pressed = false;
    advance(kReadPeriod);
}

void WidgetTest::tap(int32_t x, int32_t y)
{
    press(x, y);
    release();
}

void WidgetTest::tap_center(lv_obj_t * obj)
{
    lv_obj_update_layout(obj);
    lv_area_t a = coords(obj);
    tap((a.x1 + a.x2) / 2, (a.y1 + a.y2) / 2);
}

lv_area_t WidgetTest::coords(const lv_obj_t * obj)
{
    lv_area_t a;
    lv_obj_get_coords(obj, &a);
    return a;
}

void WidgetTest::render()
{
    lv_obj_update_layout(scr);
    lv_obj_invalidate(scr);
    lv_refr_now(disp);
}

uint32_t WidgetTest::pixel(int32_t x, int32_t y)
{
    render();
    const uint8_t * p = fb_.data() + (static_cast<size_t>(y) * kWidth + x) * 4;
    return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

::testing::AssertionResult WidgetTest::matches_screen(const std::string & name)
{
    render();
    test_support::Image img = test_support::from_bgra(fb_.data(), kWidth, kHeight, kWidth * 4);
    return test_support::matches_reference(img, std::string(GUI_REF_DIR) + "/widgets/" + name + ".png", GUI_OUT_DIR,
                                           name);
}

void EventLog::attach(lv_obj_t * obj, const char * tag, lv_event_code_t filter)
{
    g_log_tags.push_back(std::make_unique<std::pair<EventLog *, std::string>>(this, tag));
    lv_obj_add_event_cb(obj, log_cb, filter, g_log_tags.back().get());
}

std::string EventLog::joined() const
{
    std::string out;
    for (const auto & e : entries) out += (out.empty() ? "" : " ") + e;
    return out;
}

} // namespace widget_test
