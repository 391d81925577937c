#include "indev_env.hpp"

#include <algorithm>
#include <map>

namespace indev_test {
namespace {

uint32_t g_now = 0;

uint32_t tick_cb() { return g_now; }

void flush_cb(lv_display_t * d, const lv_area_t *, uint8_t *) { lv_display_flush_ready(d); }

}  // namespace

const char * code_name(lv_event_code_t code)
{
    static const std::map<lv_event_code_t, const char *> names = {
        {LV_EVENT_PRESSED, "PRESSED"},
        {LV_EVENT_PRESSING, "PRESSING"},
        {LV_EVENT_PRESS_LOST, "PRESS_LOST"},
        {LV_EVENT_SHORT_CLICKED, "SHORT_CLICKED"},
        {LV_EVENT_SINGLE_CLICKED, "SINGLE_CLICKED"},
        {LV_EVENT_DOUBLE_CLICKED, "DOUBLE_CLICKED"},
        {LV_EVENT_TRIPLE_CLICKED, "TRIPLE_CLICKED"},
        {LV_EVENT_LONG_PRESSED, "LONG_PRESSED"},
        {LV_EVENT_LONG_PRESSED_REPEAT, "LONG_PRESSED_REPEAT"},
        {LV_EVENT_CLICKED, "CLICKED"},
        {LV_EVENT_RELEASED, "RELEASED"},
        {LV_EVENT_SCROLL_BEGIN, "SCROLL_BEGIN"},
        {LV_EVENT_SCROLL_THROW_BEGIN, "SCROLL_THROW_BEGIN"},
        {LV_EVENT_SCROLL_END, "SCROLL_END"},
        {LV_EVENT_SCROLL, "SCROLL"},
        {LV_EVENT_GESTURE, "GESTURE"},
        {LV_EVENT_KEY, "KEY"},
        {LV_EVENT_FOCUSED, "FOCUSED"},
        {LV_EVENT_DEFOCUSED, "DEFOCUSED"},
        {LV_EVENT_LEAVE, "LEAVE"},
        {LV_EVENT_HIT_TEST, "HIT_TEST"},
        {LV_EVENT_INDEV_RESET, "INDEV_RESET"},
        {LV_EVENT_HOVER_OVER, "HOVER_OVER"},
        {LV_EVENT_HOVER_LEAVE, "HOVER_LEAVE"},
        {LV_EVENT_VALUE_CHANGED, "VALUE_CHANGED"},
        {LV_EVENT_CANCEL, "CANCEL"},
        {LV_EVENT_CHILD_CHANGED, "CHILD_CHANGED"},
        {LV_EVENT_CHILD_DELETED, "CHILD_DELETED"},
    };
    auto it = names.find(code);
    return it == names.end() ? "?" : it->second;
}

void Recorder::attach(lv_obj_t * obj, const char * name)
{
    names_.emplace_back(obj, name);
    lv_obj_add_event_cb(obj, on_event, LV_EVENT_ALL, this);
}

void Recorder::on_event(lv_event_t * e)
{
    auto * self = static_cast<Recorder *>(lv_event_get_user_data(e));
    lv_obj_t * obj = lv_event_get_current_target_obj(e);
    self->events.push_back({lv_event_get_code(e), obj, lv_event_get_param(e), lv_obj_get_scroll_x(obj),
                            lv_obj_get_scroll_y(obj), g_now});
}

std::string Recorder::name_of(lv_obj_t * obj) const
{
    for(const auto & [o, n] : names_) {
        if(o == obj) return n;
    }
    return "?";
}

std::vector<std::string> Recorder::names(const std::vector<lv_event_code_t> & codes) const
{
    std::vector<std::string> out;
    for(const Event & e : events) {
        if(std::find(codes.begin(), codes.end(), e.code) == codes.end()) continue;
        out.push_back(name_of(e.target) + ":" + code_name(e.code));
    }
    return out;
}

std::vector<Event> Recorder::of(lv_event_code_t code) const
{
    std::vector<Event> out;
    for(const Event & e : events) {
        if(e.code == code) out.push_back(e);
    }
    return out;
}

int Recorder::count(lv_event_code_t code, lv_obj_t * obj) const
{
    return static_cast<int>(std::count_if(events.begin(), events.end(), [&](const Event & e) {
        return e.code == code && (obj == nullptr || e.target == obj);
    }));
}

void InputTest::SetUp()
{
    g_now = kSetUpTick;
    lv_init();
    lv_tick_set_cb(tick_cb);
    disp = lv_display_create(kWidth, kHeight);
    fb_.assign(static_cast<size_t>(kWidth) * kHeight * 4, 0);
    lv_display_set_buffers(disp, fb_.data(), nullptr, static_cast<uint32_t>(fb_.size()),
                           LV_DISPLAY_RENDER_MODE_DIRECT);
    lv_display_set_flush_cb(disp, flush_cb);
    pointer = lv_indev_create();
    lv_indev_set_type(pointer, LV_INDEV_TYPE_POINTER);
    lv_indev_set_read_cb(pointer, pointer_read);
    lv_indev_set_user_data(pointer, this);
    keypad = lv_indev_create();
    lv_indev_set_type(keypad, LV_INDEV_TYPE_KEYPAD);
    lv_indev_set_read_cb(keypad, keypad_read);
    lv_indev_set_user_data(keypad, this);
    scr = lv_screen_active();
    lv_timer_handler();
}

void InputTest::TearDown() { lv_deinit(); }

namespace {

// a + d * num / den rounded to the nearest integer, halves up.
int32_t lerp_round(int32_t a, int32_t d, int64_t num, int64_t den)
{
    const int64_t twice = 2 * int64_t(d) * num + den;
    const int64_t q = twice / (2 * den);
    return a + int32_t(twice % (2 * den) < 0 ? q - 1 : q);
}

}  // namespace

void InputTest::sample_stroke(lv_indev_data_t * data) const
{
    const Stroke & s = *stroke_;
    const uint32_t t = elapsed();
    data->state = t >= s.start && t <= s.start + s.duration ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
    if(t < s.start) {
        data->point = s.from;
        return;
    }
    const uint32_t along = std::min(t - s.start, s.duration);
    data->point = {lerp_round(s.from.x, s.to.x - s.from.x, along, s.duration),
                   lerp_round(s.from.y, s.to.y - s.from.y, along, s.duration)};
}

void InputTest::pointer_read(lv_indev_t * indev, lv_indev_data_t * data)
{
    auto * self = static_cast<InputTest *>(lv_indev_get_user_data(indev));
    if(self->stroke_) {
        self->sample_stroke(data);
        return;
    }
    data->point = self->point;
    data->state = self->pressed ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
}

void InputTest::play(const Stroke & s)
{
    ASSERT_GT(s.duration, 0u);
    stroke_ = s;
}

void InputTest::run_until(uint32_t t)
{
    while(elapsed() < t) {
        g_now += kFineTick;
        lv_timer_handler();
    }
}

void InputTest::keypad_read(lv_indev_t * indev, lv_indev_data_t * data)
{
    auto * self = static_cast<InputTest *>(lv_indev_get_user_data(indev));
    data->key = self->key;
    data->state = self->key_pressed ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
}

uint32_t InputTest::now() { return g_now; }

void InputTest::step()
{
    g_now += kPeriod;
    lv_timer_handler();
}

void InputTest::steps(int n)
{
    for(int i = 0; i < n; i++) step();
}

void InputTest::settle()
{
    for(int i = 0; i < 200 && (lv_anim_count_running() > 0 || lv_indev_get_scroll_obj(pointer)); i++) step();
    step();
}

void InputTest::press(int32_t x, int32_t y)
{
    stroke_.reset();
    point = {x, y};
    pressed = true;
    step();
}

void InputTest::move_to(int32_t x, int32_t y)
{
    stroke_.reset();
    point = {x, y};
    step();
}

void InputTest::release()
{
    pressed = false;
    step();
}

void InputTest::tap(int32_t x, int32_t y)
{
    press(x, y);
    release();
}

void InputTest::swipe(lv_point_t from, lv_point_t delta, int n)
{
    press(from.x, from.y);
    for(int i = 0; i < n; i++) move_to(point.x + delta.x, point.y + delta.y);
    release();
}

void InputTest::key_down(uint32_t k)
{
    key = k;
    key_pressed = true;
    step();
}

void InputTest::key_up()
{
    key_pressed = false;
    step();
}

lv_obj_t * bare(lv_obj_t * parent, int32_t w, int32_t h)
{
    lv_obj_t * obj = lv_obj_create(parent);
    lv_obj_remove_style_all(obj);
    lv_obj_set_size(obj, w, h);
    return obj;
}

void PagerTest::SetUp()
{
    InputTest::SetUp();
    rec = Recorder();
    pages.clear();
    pager = bare(scr, kWidth, kHeight);
    lv_obj_set_scroll_dir(pager, LV_DIR_HOR);
    lv_obj_set_scroll_snap_x(pager, LV_SCROLL_SNAP_CENTER);
    lv_obj_add_flag(pager, LV_OBJ_FLAG_SCROLL_ONE);
    for(int i = 0; i < 6; i++) {
        lv_obj_t * page = bare(pager, kWidth, kHeight);
        lv_obj_set_x(page, kWidth * i);
        pages.push_back(page);
    }
    rec.attach(pager, "pager");
    lv_obj_update_layout(scr);
}

}  // namespace indev_test
