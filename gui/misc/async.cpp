// Asynchronous calls: one-shot timers with period 0.
#include <memory>
#include <vector>
#include <algorithm>

#include "lvgl.h"
#include "gui/misc/async.hpp"

namespace {

struct AsyncCall {
    lv_async_cb_t cb;
    void * user_data;
    lv_timer_t * timer;
};

std::vector<std::unique_ptr<AsyncCall>> & pending()
{
    static std::vector<std::unique_ptr<AsyncCall>> calls;
    return calls;
}

std::unique_ptr<AsyncCall> take(const AsyncCall * call)
{
    auto & calls = pending();
    auto it = std::find_if(calls.begin(), calls.end(), [call](const auto & p) { return p.get() == call; });
    if (it == calls.end()) return nullptr;
    std::unique_ptr<AsyncCall> owned = std::move(*it);
    calls.erase(it);
    return owned;
}

void async_timer_cb(lv_timer_t * timer)
{
    // Taken out first, so the callback may queue or cancel other calls.
    std::unique_ptr<AsyncCall> call = take(static_cast<AsyncCall *>(lv_timer_get_user_data(timer)));
    if (call != nullptr) call->cb(call->user_data);
}

}  // namespace

namespace gui::async {

void reset()
{
    pending().clear();
}

}  // namespace gui::async

extern "C" {

lv_result_t lv_async_call(lv_async_cb_t async_xcb, void * user_data)
{
    if (async_xcb == nullptr) return LV_RESULT_INVALID;
    auto call = std::make_unique<AsyncCall>(AsyncCall{async_xcb, user_data, nullptr});
    call->timer = lv_timer_create(async_timer_cb, 0, call.get());
    if (call->timer == nullptr) return LV_RESULT_INVALID;
    lv_timer_set_repeat_count(call->timer, 1);
    pending().push_back(std::move(call));
    return LV_RESULT_OK;
}

lv_result_t lv_async_call_cancel(lv_async_cb_t async_xcb, void * user_data)
{
    auto & calls = pending();
    lv_result_t res = LV_RESULT_INVALID;
    for (size_t i = 0; i < calls.size();) {
        if (calls[i]->cb == async_xcb && calls[i]->user_data == user_data) {
            lv_timer_delete(calls[i]->timer);
            calls.erase(calls.begin() + static_cast<std::ptrdiff_t>(i));
            res = LV_RESULT_OK;
        } else {
            i++;
        }
    }
    return res;
}

}  // extern "C"
