// Event handler lists and the records behind lv_event_t / lv_event_dsc_t,
// shared by objects, displays and input devices.
#pragma once

#include <memory>
#include <vector>

#include "lvgl.h"

struct _lv_event_dsc_t {
    lv_event_cb_t cb;
    void * user_data;
    uint32_t filter;
};

struct _lv_event_t {
    void * current_target;
    void * original_target;
    lv_event_code_t code;
    void * user_data;
    void * param;
    lv_event_t * prev;
    uint8_t deleted : 1;
    uint8_t stop_processing : 1;
    uint8_t stop_bubbling : 1;
    uint8_t stop_trickling : 1;
};

namespace gui {

// The handlers registered on one object, display or input device, in
// registration order. Handlers may be added or removed while the list runs.
class EventList {
public:
    lv_event_dsc_t * add(lv_event_cb_t cb, uint32_t filter, void * user_data);
    uint32_t count() const;
    lv_event_dsc_t * get(uint32_t index) const;
    bool remove(uint32_t index);
    bool remove_dsc(const lv_event_dsc_t * dsc);
    uint32_t remove_cb(lv_event_cb_t cb);
    uint32_t remove_cb_with_user_data(lv_event_cb_t cb, void * user_data);
    void clear();

    // Runs the handlers that match e->code, either those registered with
    // LV_EVENT_PREPROCESS (preprocess = true) or the others. Stops early when
    // a handler asks to stop processing or the target got deleted; returns
    // LV_RESULT_INVALID in the latter case.
    lv_result_t run(lv_event_t * e, bool preprocess);

private:
    void compact();

    std::vector<std::unique_ptr<lv_event_dsc_t>> dscs_;
    int running_ = 0;
};

// Builds an event for `target` (display or input device: target and current
// target are the same), runs the preprocess handlers then the others.
// `stopped`, when given, tells whether a handler called lv_event_stop_processing.
lv_result_t send_event_to_list(EventList & list, void * target, lv_event_code_t code, void * param,
                               bool * stopped = nullptr);

// Events being processed form a stack; deleting a target marks every event
// still running for it, so senders can stop touching it.
void event_push(lv_event_t * e);
void event_pop(lv_event_t * e);
void event_mark_deleted(const void * target);

}  // namespace gui
