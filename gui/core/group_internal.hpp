// The record behind lv_group_t: an ordered focus ring of objects.
#pragma once

#include <vector>

#include "lvgl.h"

struct _lv_group_t {
    std::vector<lv_obj_t *> objs;
    lv_obj_t * focused = nullptr;
    lv_group_focus_cb_t focus_cb = nullptr;
    lv_group_edge_cb_t edge_cb = nullptr;
    void * user_data = nullptr;
    lv_group_refocus_policy_t refocus_policy = LV_GROUP_REFOCUS_POLICY_PREV;
    bool frozen = false;
    bool editing = false;
    bool wrap = true;
};

namespace gui::group {

// Takes `obj` out of its group without sending it any event (the object is
// being deleted); the group refocuses as for a removal.
void forget_obj(lv_obj_t * obj);

}  // namespace gui::group
