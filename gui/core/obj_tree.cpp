// The object tree: deletion, re-parenting, ordering and lookups.
#include <algorithm>

#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/display/display.hpp"
#include "gui/indev/indev_hooks.hpp"

namespace {

void async_delete_cb(void * obj)
{
    lv_obj_delete(static_cast<lv_obj_t *>(obj));
}

void destruct(lv_obj_t * obj)
{
    for (const lv_obj_class_t * c = obj->class_p; c != nullptr; c = c->base_class) {
        if (c->destructor_cb != nullptr) c->destructor_cb(c, obj);
    }
}

// Everything of a deletion except freeing: events, children, hooks, destructors.
void delete_core(lv_obj_t * obj)
{
    obj->being_deleted = true;
    lv_obj_send_event(obj, LV_EVENT_DELETE, nullptr);
    obj->events.clear();
    gui::event_mark_deleted(obj);

    // Oldest child first, each one completely before the next.
    while (!obj->children.empty()) {
        lv_obj_t * child = obj->children.front().get();
        delete_core(child);
        obj->children.erase(obj->children.begin());
    }

    gui::input::obj_deleting(obj);
    lv_async_call_cancel(async_delete_cb, obj);
    destruct(obj);
    for (lv_obj_t ** p : obj->null_on_delete) *p = nullptr;
    obj->null_on_delete.clear();
    obj->instance_data.reset();
}

gui::core::ObjPtr take_from_parent(lv_obj_t * obj)
{
    auto & list = obj->parent->children;
    auto it = std::find_if(list.begin(), list.end(), [obj](const auto & c) { return c.get() == obj; });
    gui::core::ObjPtr owned = std::move(*it);
    list.erase(it);
    return owned;
}

int32_t normalised_index(int32_t idx, int32_t count)
{
    return idx < 0 ? count + idx : idx;
}

bool walk(lv_obj_t * obj, lv_obj_tree_walk_cb_t cb, void * user_data)
{
    lv_obj_tree_walk_res_t res = cb(obj, user_data);
    if (res == LV_OBJ_TREE_WALK_END) return false;
    if (res == LV_OBJ_TREE_WALK_SKIP_CHILDREN) return true;
    for (size_t i = 0; i < obj->children.size(); i++) {
        if (!walk(obj->children[i].get(), cb, user_data)) return false;
    }
    return true;
}

bool tree_contains(const lv_obj_t * root, const lv_obj_t * obj)
{
    if (root == obj) return true;
    return std::any_of(root->children.begin(), root->children.end(),
                       [obj](const auto & c) { return tree_contains(c.get(), obj); });
}

}  // namespace

namespace gui::core {

int32_t index_in_parent(const lv_obj_t * obj)
{
    if (obj->parent == nullptr) return -1;
    const auto & list = obj->parent->children;
    for (size_t i = 0; i < list.size(); i++) {
        if (list[i].get() == obj) return static_cast<int32_t>(i);
    }
    return -1;
}

}  // namespace gui::core

extern "C" {

void lv_obj_delete(lv_obj_t * obj)
{
    if (obj == nullptr || obj->being_deleted) return;
    lv_obj_invalidate(obj);
    lv_obj_t * parent = obj->parent;
    lv_display_t * disp = lv_obj_get_display(obj);
    bool was_active = disp != nullptr && disp->act_scr == obj;

    delete_core(obj);

    if (parent != nullptr) {
        gui::core::ObjPtr owned = take_from_parent(obj);
        owned.reset();
        if (!parent->being_deleted) {
            // The next layout pass re-clamps a scroll the content no longer fills.
            lv_obj_mark_layout_as_dirty(parent);
            lv_obj_send_event(parent, LV_EVENT_CHILD_CHANGED, nullptr);
            lv_obj_send_event(parent, LV_EVENT_CHILD_DELETED, nullptr);
        }
        return;
    }
    if (disp == nullptr) return;
    if (disp->prev_scr == obj) disp->prev_scr = nullptr;
    if (disp->scr_to_load == obj) disp->scr_to_load = nullptr;
    if (was_active) {
        disp->act_scr = nullptr;
        LV_LOG_WARN("the active screen was deleted");
    }
    gui::display::release_screen(disp, obj).reset();
}

void lv_obj_clean(lv_obj_t * obj)
{
    if (obj == nullptr) return;
    size_t before = obj->children.size();
    lv_obj_invalidate(obj);
    while (!obj->children.empty()) {
        lv_obj_t * child = obj->children.front().get();
        lv_obj_invalidate(child);
        delete_core(child);
        obj->children.erase(obj->children.begin());
    }
    // Ends the object's own scroll animations and reports the jump to 0;
    // the offsets are then forced to 0 whatever a handler did meanwhile.
    lv_obj_scroll_to(obj, 0, 0, LV_ANIM_OFF);
    if (!lv_obj_is_valid(obj)) return;
    obj->scroll = {0, 0};
    if (obj->children.size() < before) {
        lv_obj_send_event(obj, LV_EVENT_CHILD_CHANGED, nullptr);
        lv_obj_send_event(obj, LV_EVENT_CHILD_DELETED, nullptr);
    }
}

void lv_obj_delete_delayed(lv_obj_t * obj, uint32_t delay_ms)
{
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, obj);
    lv_anim_set_completed_cb(&a, lv_obj_delete_anim_completed_cb);
    lv_anim_set_duration(&a, 1);
    lv_anim_set_delay(&a, delay_ms);
    lv_anim_start(&a);
}

void lv_obj_delete_anim_completed_cb(lv_anim_t * a)
{
    lv_obj_delete(static_cast<lv_obj_t *>(a->var));
}

void lv_obj_delete_async(lv_obj_t * obj)
{
    lv_async_call(async_delete_cb, obj);
}

void lv_obj_set_parent(lv_obj_t * obj, lv_obj_t * parent)
{
    if (obj == nullptr || parent == nullptr || obj->parent == nullptr || obj->parent == parent) return;
    lv_obj_t * old_parent = obj->parent;
    lv_obj_invalidate(obj);
    // Keep the position relative to the content origin.
    int32_t x = lv_obj_get_x(obj);
    int32_t y = lv_obj_get_y(obj);
    gui::core::ObjPtr owned = take_from_parent(obj);
    obj->parent = parent;
    parent->children.push_back(std::move(owned));
    lv_obj_move_to(obj, x, y);
    lv_obj_refresh_style(obj, LV_PART_ANY, LV_STYLE_PROP_ANY);
    lv_obj_mark_layout_as_dirty(obj);
    lv_obj_send_event(old_parent, LV_EVENT_CHILD_CHANGED, obj);
    lv_obj_send_event(old_parent, LV_EVENT_CHILD_DELETED, nullptr);
    lv_obj_send_event(parent, LV_EVENT_CHILD_CHANGED, obj);
    lv_obj_send_event(parent, LV_EVENT_CHILD_CREATED, obj);
    lv_obj_invalidate(obj);
}

void lv_obj_swap(lv_obj_t * obj1, lv_obj_t * obj2)
{
    if (obj1 == nullptr || obj2 == nullptr || obj1->parent == nullptr || obj2->parent == nullptr) return;
    lv_obj_t * p1 = obj1->parent;
    lv_obj_t * p2 = obj2->parent;
    int32_t i1 = gui::core::index_in_parent(obj1);
    int32_t i2 = gui::core::index_in_parent(obj2);
    std::swap(p1->children[static_cast<size_t>(i1)], p2->children[static_cast<size_t>(i2)]);
    obj1->parent = p2;
    obj2->parent = p1;
    lv_obj_send_event(p1, LV_EVENT_CHILD_CHANGED, obj2);
    if (p2 != p1) lv_obj_send_event(p2, LV_EVENT_CHILD_CHANGED, obj1);
    lv_obj_invalidate(p1);
    if (p2 != p1) lv_obj_invalidate(p2);
}

void lv_obj_move_to_index(lv_obj_t * obj, int32_t index)
{
    if (obj == nullptr || obj->parent == nullptr) return;
    auto & list = obj->parent->children;
    int32_t count = static_cast<int32_t>(list.size());
    int32_t target = normalised_index(index, count);
    if (target < 0 || target >= count) return;
    int32_t cur = gui::core::index_in_parent(obj);
    if (cur == target) return;
    gui::core::ObjPtr owned = std::move(list[static_cast<size_t>(cur)]);
    list.erase(list.begin() + cur);
    list.insert(list.begin() + target, std::move(owned));
    lv_obj_send_event(obj->parent, LV_EVENT_CHILD_CHANGED, obj);
    lv_obj_invalidate(obj->parent);
}

lv_obj_t * lv_obj_get_screen(const lv_obj_t * obj)
{
    if (obj == nullptr) return nullptr;
    while (obj->parent != nullptr) obj = obj->parent;
    return const_cast<lv_obj_t *>(obj);
}

lv_display_t * lv_obj_get_display(const lv_obj_t * obj)
{
    const lv_obj_t * scr = lv_obj_get_screen(obj);
    return scr != nullptr ? scr->display : nullptr;
}

lv_obj_t * lv_obj_get_parent(const lv_obj_t * obj)
{
    return obj != nullptr ? obj->parent : nullptr;
}

lv_obj_t * lv_obj_get_child(const lv_obj_t * obj, int32_t idx)
{
    if (obj == nullptr) return nullptr;
    int32_t count = static_cast<int32_t>(obj->children.size());
    int32_t i = normalised_index(idx, count);
    if (i < 0 || i >= count) return nullptr;
    return obj->children[static_cast<size_t>(i)].get();
}

lv_obj_t * lv_obj_get_child_by_type(const lv_obj_t * obj, int32_t idx, const lv_obj_class_t * class_p)
{
    if (obj == nullptr) return nullptr;
    std::vector<lv_obj_t *> of_type;
    for (const auto & c : obj->children) {
        if (c->class_p == class_p) of_type.push_back(c.get());
    }
    int32_t i = normalised_index(idx, static_cast<int32_t>(of_type.size()));
    if (i < 0 || i >= static_cast<int32_t>(of_type.size())) return nullptr;
    return of_type[static_cast<size_t>(i)];
}

lv_obj_t * lv_obj_get_sibling(const lv_obj_t * obj, int32_t idx)
{
    if (obj == nullptr || obj->parent == nullptr) return nullptr;
    return lv_obj_get_child(obj->parent, gui::core::index_in_parent(obj) + idx);
}

lv_obj_t * lv_obj_get_sibling_by_type(const lv_obj_t * obj, int32_t idx, const lv_obj_class_t * class_p)
{
    if (obj == nullptr || obj->parent == nullptr) return nullptr;
    int32_t own = lv_obj_get_index_by_type(obj, class_p);
    if (own < 0) return nullptr;
    return lv_obj_get_child_by_type(obj->parent, own + idx, class_p);
}

uint32_t lv_obj_get_child_count(const lv_obj_t * obj)
{
    return obj != nullptr ? static_cast<uint32_t>(obj->children.size()) : 0;
}

uint32_t lv_obj_get_child_count_by_type(const lv_obj_t * obj, const lv_obj_class_t * class_p)
{
    if (obj == nullptr) return 0;
    return static_cast<uint32_t>(std::count_if(obj->children.begin(), obj->children.end(),
                                               [class_p](const auto & c) { return c->class_p == class_p; }));
}

int32_t lv_obj_get_index(const lv_obj_t * obj)
{
    return obj != nullptr ? gui::core::index_in_parent(obj) : -1;
}

int32_t lv_obj_get_index_by_type(const lv_obj_t * obj, const lv_obj_class_t * class_p)
{
    if (obj == nullptr || obj->parent == nullptr) return -1;
    int32_t i = 0;
    for (const auto & c : obj->parent->children) {
        if (c->class_p != class_p) continue;
        if (c.get() == obj) return i;
        i++;
    }
    return -1;
}

void lv_obj_tree_walk(lv_obj_t * start_obj, lv_obj_tree_walk_cb_t cb, void * user_data)
{
    if (start_obj != nullptr) {
        walk(start_obj, cb, user_data);
        return;
    }
    lv_display_t * disp = lv_display_get_default();
    if (disp == nullptr) return;
    for (size_t i = 0; i < disp->screens.size(); i++) {
        if (!walk(disp->screens[i].get(), cb, user_data)) return;
    }
}

bool lv_obj_is_valid(const lv_obj_t * obj)
{
    if (obj == nullptr) return false;
    for (const auto & d : gui::display::all()) {
        for (const auto & s : d->screens) {
            if (tree_contains(s.get(), obj)) return true;
        }
        for (const lv_obj_t * layer : {d->bottom_layer.get(), d->top_layer.get(), d->sys_layer.get()}) {
            if (layer != nullptr && tree_contains(layer, obj)) return true;
        }
    }
    return false;
}

}  // extern "C"
