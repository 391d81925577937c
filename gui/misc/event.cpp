// Handler lists and the generic event accessors.
#include <algorithm>
#include <atomic>

#include "lvgl.h"
#include "gui/misc/event.hpp"

namespace {

lv_event_t * event_head = nullptr;
std::atomic<uint32_t> last_custom_id{LV_EVENT_LAST};

constexpr uint32_t kFilterMask = ~static_cast<uint32_t>(LV_EVENT_PREPROCESS);

bool filter_matches(uint32_t filter, lv_event_code_t code)
{
    uint32_t f = filter & kFilterMask;
    return f == LV_EVENT_ALL || f == static_cast<uint32_t>(code);
}

}  // namespace

namespace gui {

lv_event_dsc_t * EventList::add(lv_event_cb_t cb, uint32_t filter, void * user_data)
{
    dscs_.push_back(std::make_unique<lv_event_dsc_t>(lv_event_dsc_t{cb, user_data, filter}));
    return dscs_.back().get();
}

uint32_t EventList::count() const
{
    return static_cast<uint32_t>(
        std::count_if(dscs_.begin(), dscs_.end(), [](const auto & d) { return d->cb != nullptr; }));
}

lv_event_dsc_t * EventList::get(uint32_t index) const
{
    for (const auto & d : dscs_) {
        if (d->cb == nullptr) continue;
        if (index == 0) return d.get();
        index--;
    }
    return nullptr;
}

bool EventList::remove(uint32_t index)
{
    return remove_dsc(get(index));
}

bool EventList::remove_dsc(const lv_event_dsc_t * dsc)
{
    if (dsc == nullptr) return false;
    for (auto & d : dscs_) {
        if (d.get() == dsc && d->cb != nullptr) {
            // Marked now, erased once no run is walking the list.
            d->cb = nullptr;
            compact();
            return true;
        }
    }
    return false;
}

uint32_t EventList::remove_cb(lv_event_cb_t cb)
{
    uint32_t n = 0;
    for (auto & d : dscs_) {
        if (d->cb != nullptr && d->cb == cb) {
            d->cb = nullptr;
            n++;
        }
    }
    compact();
    return n;
}

uint32_t EventList::remove_cb_with_user_data(lv_event_cb_t cb, void * user_data)
{
    uint32_t n = 0;
    for (auto & d : dscs_) {
        if (d->cb != nullptr && d->cb == cb && d->user_data == user_data) {
            d->cb = nullptr;
            n++;
        }
    }
    compact();
    return n;
}

void EventList::clear()
{
    for (auto & d : dscs_) d->cb = nullptr;
    compact();
}

void EventList::compact()
{
    if (running_ > 0) return;
    dscs_.erase(std::remove_if(dscs_.begin(), dscs_.end(), [](const auto & d) { return d->cb == nullptr; }),
                dscs_.end());
}

lv_result_t EventList::run(lv_event_t * e, bool preprocess)
{
    running_++;
    // Index walk: handlers added meanwhile run too, removed ones are skipped.
    for (size_t i = 0; i < dscs_.size(); i++) {
        lv_event_dsc_t * d = dscs_[i].get();
        if (d->cb == nullptr) continue;
        bool is_pre = (d->filter & LV_EVENT_PREPROCESS) != 0;
        if (is_pre != preprocess || !filter_matches(d->filter, e->code)) continue;
        e->user_data = d->user_data;
        d->cb(e);
        // A deleted target took this list with it: touch nothing of it any more.
        if (e->deleted) return LV_RESULT_INVALID;
        if (e->stop_processing) break;
    }
    running_--;
    compact();
    return LV_RESULT_OK;
}

lv_result_t send_event_to_list(EventList & list, void * target, lv_event_code_t code, void * param, bool * stopped)
{
    lv_event_t e{};
    e.current_target = target;
    e.original_target = target;
    e.code = code;
    e.param = param;
    event_push(&e);
    lv_result_t res = list.run(&e, true);
    if (res == LV_RESULT_OK && !e.stop_processing) res = list.run(&e, false);
    event_pop(&e);
    if (stopped != nullptr) *stopped = e.stop_processing;
    return res;
}

void event_push(lv_event_t * e)
{
    e->prev = event_head;
    event_head = e;
}

void event_pop(lv_event_t * e)
{
    event_head = e->prev;
}

void event_mark_deleted(const void * target)
{
    for (lv_event_t * e = event_head; e != nullptr; e = e->prev) {
        if (e->current_target == target) e->deleted = 1;
    }
}

}  // namespace gui

extern "C" {

void * lv_event_get_target(lv_event_t * e)
{
    return e->original_target;
}

void * lv_event_get_current_target(lv_event_t * e)
{
    return e->current_target;
}

lv_event_code_t lv_event_get_code(lv_event_t * e)
{
    return static_cast<lv_event_code_t>(e->code & ~LV_EVENT_PREPROCESS);
}

void * lv_event_get_param(lv_event_t * e)
{
    return e->param;
}

void * lv_event_get_user_data(lv_event_t * e)
{
    return e->user_data;
}

void lv_event_stop_bubbling(lv_event_t * e)
{
    e->stop_bubbling = 1;
}

void lv_event_stop_trickling(lv_event_t * e)
{
    e->stop_trickling = 1;
}

void lv_event_stop_processing(lv_event_t * e)
{
    e->stop_processing = 1;
}

uint32_t lv_event_register_id(void)
{
    return ++last_custom_id;
}

lv_event_cb_t lv_event_dsc_get_cb(lv_event_dsc_t * dsc)
{
    return dsc != nullptr ? dsc->cb : nullptr;
}

void * lv_event_dsc_get_user_data(lv_event_dsc_t * dsc)
{
    return dsc != nullptr ? dsc->user_data : nullptr;
}

const char * lv_event_code_get_name(lv_event_code_t code)
{
    static constexpr const char * kNames[] = {"ALL",
                                              "PRESSED",
                                              "PRESSING",
                                              "PRESS_LOST",
                                              "SHORT_CLICKED",
                                              "SINGLE_CLICKED",
                                              "DOUBLE_CLICKED",
                                              "TRIPLE_CLICKED",
                                              "LONG_PRESSED",
                                              "LONG_PRESSED_REPEAT",
                                              "CLICKED",
                                              "RELEASED",
                                              "SCROLL_BEGIN",
                                              "SCROLL_THROW_BEGIN",
                                              "SCROLL_END",
                                              "SCROLL",
                                              "GESTURE",
                                              "KEY",
                                              "ROTARY",
                                              "FOCUSED",
                                              "DEFOCUSED",
                                              "LEAVE",
                                              "HIT_TEST",
                                              "INDEV_RESET",
                                              "HOVER_OVER",
                                              "HOVER_LEAVE",
                                              "COVER_CHECK",
                                              "REFR_EXT_DRAW_SIZE",
                                              "DRAW_MAIN_BEGIN",
                                              "DRAW_MAIN",
                                              "DRAW_MAIN_END",
                                              "DRAW_POST_BEGIN",
                                              "DRAW_POST",
                                              "DRAW_POST_END",
                                              "DRAW_TASK_ADDED",
                                              "VALUE_CHANGED",
                                              "INSERT",
                                              "REFRESH",
                                              "READY",
                                              "CANCEL",
                                              "CREATE",
                                              "DELETE",
                                              "CHILD_CHANGED",
                                              "CHILD_CREATED",
                                              "CHILD_DELETED",
                                              "SCREEN_UNLOAD_START",
                                              "SCREEN_LOAD_START",
                                              "SCREEN_LOADED",
                                              "SCREEN_UNLOADED",
                                              "SIZE_CHANGED",
                                              "STYLE_CHANGED",
                                              "LAYOUT_CHANGED",
                                              "GET_SELF_SIZE",
                                              "INVALIDATE_AREA",
                                              "RESOLUTION_CHANGED",
                                              "COLOR_FORMAT_CHANGED",
                                              "REFR_REQUEST",
                                              "REFR_START",
                                              "REFR_READY",
                                              "RENDER_START",
                                              "RENDER_READY",
                                              "FLUSH_START",
                                              "FLUSH_FINISH",
                                              "FLUSH_WAIT_START",
                                              "FLUSH_WAIT_FINISH",
                                              "VSYNC",
                                              "VSYNC_REQUEST"};
    static_assert(sizeof(kNames) / sizeof(kNames[0]) == LV_EVENT_LAST);
    uint32_t c = static_cast<uint32_t>(code) & ~static_cast<uint32_t>(LV_EVENT_PREPROCESS);
    return c < LV_EVENT_LAST ? kNames[c] : "CUSTOM";
}

}  // extern "C"
