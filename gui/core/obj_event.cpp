// Sending events to objects: handlers, the class chain, bubbling, trickling.
#include "lvgl.h"
#include "gui/core/obj.hpp"

namespace {

bool never_propagates(lv_event_code_t code)
{
    switch (code) {
    case LV_EVENT_HIT_TEST:
    case LV_EVENT_COVER_CHECK:
    case LV_EVENT_REFR_EXT_DRAW_SIZE:
    case LV_EVENT_DRAW_MAIN_BEGIN:
    case LV_EVENT_DRAW_MAIN:
    case LV_EVENT_DRAW_MAIN_END:
    case LV_EVENT_DRAW_POST_BEGIN:
    case LV_EVENT_DRAW_POST:
    case LV_EVENT_DRAW_POST_END:
    case LV_EVENT_DRAW_TASK_ADDED:
    case LV_EVENT_REFRESH:
    case LV_EVENT_DELETE:
    case LV_EVENT_CHILD_CHANGED:
    case LV_EVENT_SIZE_CHANGED:
    case LV_EVENT_STYLE_CHANGED:
    case LV_EVENT_GET_SELF_SIZE: return true;
    default: return false;
    }
}

bool always_bubbles(lv_event_code_t code)
{
    return code == LV_EVENT_CHILD_CREATED || code == LV_EVENT_CHILD_DELETED;
}

lv_result_t run_on(lv_obj_t * obj, lv_event_t * e)
{
    e->current_target = obj;
    e->stop_processing = 0;
    if (obj->events.run(e, true) != LV_RESULT_OK) return LV_RESULT_INVALID;
    if (e->stop_processing) return LV_RESULT_OK;
    // The class chain: the most derived class's handler calls its bases first.
    const lv_obj_class_t * c = obj->class_p;
    while (c != nullptr && c->event_cb == nullptr) c = c->base_class;
    if (c != nullptr) {
        c->event_cb(c, e);
        if (e->deleted) return LV_RESULT_INVALID;
        if (e->stop_processing) return LV_RESULT_OK;
    }
    return obj->events.run(e, false);
}

lv_result_t trickle(lv_obj_t * obj, lv_event_t * parent_event);

lv_result_t send(lv_obj_t * obj, lv_event_t * e, bool allow_bubble)
{
    gui::event_push(e);
    lv_result_t res = run_on(obj, e);
    gui::event_pop(e);
    if (res != LV_RESULT_OK) return res;

    lv_event_code_t code = e->code;
    if (!never_propagates(code) && lv_obj_has_flag(obj, LV_OBJ_FLAG_EVENT_TRICKLE) && !e->stop_trickling) {
        if (trickle(obj, e) != LV_RESULT_OK) return LV_RESULT_INVALID;
    }
    bool bubble = always_bubbles(code) || (!never_propagates(code) && lv_obj_has_flag(obj, LV_OBJ_FLAG_EVENT_BUBBLE));
    if (allow_bubble && bubble && !e->stop_bubbling && obj->parent != nullptr) {
        return send(obj->parent, e, true);
    }
    return LV_RESULT_OK;
}

lv_result_t trickle(lv_obj_t * obj, lv_event_t * parent_event)
{
    for (size_t i = 0; i < obj->children.size(); i++) {
        lv_obj_t * child = obj->children[i].get();
        lv_event_t e{};
        e.original_target = parent_event->original_target;
        e.code = parent_event->code;
        e.param = parent_event->param;
        if (send(child, &e, false) != LV_RESULT_OK) return LV_RESULT_INVALID;
        if (!lv_obj_is_valid(obj)) return LV_RESULT_INVALID;
    }
    return LV_RESULT_OK;
}

}  // namespace

extern "C" {

// Preprocess handlers, the class chain (base first), the other handlers, then
// bubbling/trickling; LV_RESULT_INVALID when obj was deleted meanwhile.
lv_result_t lv_obj_send_event(lv_obj_t * obj, lv_event_code_t event_code, void * param)
{
    if (obj == nullptr) return LV_RESULT_OK;
    lv_event_t e{};
    e.original_target = obj;
    e.current_target = obj;
    e.code = event_code;
    e.param = param;
    return send(obj, &e, true);
}

lv_event_dsc_t * lv_obj_add_event_cb(lv_obj_t * obj, lv_event_cb_t event_cb, lv_event_code_t filter, void * user_data)
{
    if (obj == nullptr || event_cb == nullptr) return nullptr;
    return obj->events.add(event_cb, static_cast<uint32_t>(filter), user_data);
}

uint32_t lv_obj_get_event_count(lv_obj_t * obj)
{
    return obj->events.count();
}

lv_event_dsc_t * lv_obj_get_event_dsc(lv_obj_t * obj, uint32_t index)
{
    return obj->events.get(index);
}

bool lv_obj_remove_event(lv_obj_t * obj, uint32_t index)
{
    return obj->events.remove(index);
}

bool lv_obj_remove_event_dsc(lv_obj_t * obj, lv_event_dsc_t * dsc)
{
    return obj->events.remove_dsc(dsc);
}

uint32_t lv_obj_remove_event_cb(lv_obj_t * obj, lv_event_cb_t event_cb)
{
    return obj->events.remove_cb(event_cb);
}

uint32_t lv_obj_remove_event_cb_with_user_data(lv_obj_t * obj, lv_event_cb_t event_cb, void * user_data)
{
    return obj->events.remove_cb_with_user_data(event_cb, user_data);
}

lv_obj_t * lv_event_get_current_target_obj(lv_event_t * e)
{
    return static_cast<lv_obj_t *>(e->current_target);
}

lv_obj_t * lv_event_get_target_obj(lv_event_t * e)
{
    return static_cast<lv_obj_t *>(e->original_target);
}

lv_indev_t * lv_event_get_indev(lv_event_t * e)
{
    switch (e->code) {
    case LV_EVENT_PRESSED:
    case LV_EVENT_PRESSING:
    case LV_EVENT_PRESS_LOST:
    case LV_EVENT_SHORT_CLICKED:
    case LV_EVENT_SINGLE_CLICKED:
    case LV_EVENT_DOUBLE_CLICKED:
    case LV_EVENT_TRIPLE_CLICKED:
    case LV_EVENT_LONG_PRESSED:
    case LV_EVENT_LONG_PRESSED_REPEAT:
    case LV_EVENT_CLICKED:
    case LV_EVENT_RELEASED:
    case LV_EVENT_SCROLL_BEGIN:
    case LV_EVENT_SCROLL_END:
    case LV_EVENT_SCROLL:
    case LV_EVENT_GESTURE:
    case LV_EVENT_KEY:
    case LV_EVENT_FOCUSED:
    case LV_EVENT_DEFOCUSED:
    case LV_EVENT_LEAVE:
    case LV_EVENT_HOVER_OVER:
    case LV_EVENT_HOVER_LEAVE: return static_cast<lv_indev_t *>(e->param);
    default: LV_LOG_WARN("Not an input event"); return nullptr;
    }
}

lv_layer_t * lv_event_get_layer(lv_event_t * e)
{
    switch (e->code) {
    case LV_EVENT_DRAW_MAIN_BEGIN:
    case LV_EVENT_DRAW_MAIN:
    case LV_EVENT_DRAW_MAIN_END:
    case LV_EVENT_DRAW_POST_BEGIN:
    case LV_EVENT_DRAW_POST:
    case LV_EVENT_DRAW_POST_END: return static_cast<lv_layer_t *>(e->param);
    default: return nullptr;
    }
}

const lv_area_t * lv_event_get_old_size(lv_event_t * e)
{
    return e->code == LV_EVENT_SIZE_CHANGED ? static_cast<const lv_area_t *>(e->param) : nullptr;
}

uint32_t lv_event_get_key(lv_event_t * e)
{
    if (e->code != LV_EVENT_KEY || e->param == nullptr) return 0;
    return *static_cast<uint32_t *>(e->param);
}

int32_t lv_event_get_rotary_diff(lv_event_t * e)
{
    if (e->code != LV_EVENT_ROTARY || e->param == nullptr) return 0;
    return *static_cast<int32_t *>(e->param);
}

lv_anim_t * lv_event_get_scroll_anim(lv_event_t * e)
{
    return e->code == LV_EVENT_SCROLL_BEGIN ? static_cast<lv_anim_t *>(e->param) : nullptr;
}

void lv_event_set_ext_draw_size(lv_event_t * e, int32_t size)
{
    if (e->code != LV_EVENT_REFR_EXT_DRAW_SIZE) return;
    auto * cur = static_cast<int32_t *>(e->param);
    if (size > *cur) *cur = size;
}

lv_point_t * lv_event_get_self_size_info(lv_event_t * e)
{
    return e->code == LV_EVENT_GET_SELF_SIZE ? static_cast<lv_point_t *>(e->param) : nullptr;
}

lv_hit_test_info_t * lv_event_get_hit_test_info(lv_event_t * e)
{
    return e->code == LV_EVENT_HIT_TEST ? static_cast<lv_hit_test_info_t *>(e->param) : nullptr;
}

const lv_area_t * lv_event_get_cover_area(lv_event_t * e)
{
    if (e->code != LV_EVENT_COVER_CHECK) return nullptr;
    return static_cast<lv_cover_check_info_t *>(e->param)->area;
}

void lv_event_set_cover_res(lv_event_t * e, lv_cover_res_t res)
{
    if (e->code != LV_EVENT_COVER_CHECK) return;
    auto * info = static_cast<lv_cover_check_info_t *>(e->param);
    if (res == LV_COVER_RES_MASKED || (res == LV_COVER_RES_NOT_COVER && info->res == LV_COVER_RES_COVER)) {
        info->res = res;
    }
}

lv_draw_task_t * lv_event_get_draw_task(lv_event_t * e)
{
    return e->code == LV_EVENT_DRAW_TASK_ADDED ? static_cast<lv_draw_task_t *>(e->param) : nullptr;
}

lv_area_t * lv_event_get_invalidated_area(lv_event_t * e)
{
    return e->code == LV_EVENT_INVALIDATE_AREA ? static_cast<lv_area_t *>(e->param) : nullptr;
}

}  // extern "C"
