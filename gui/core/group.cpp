// Groups: ordered focus rings for keypad navigation.
#include <algorithm>
#include <memory>

#include "gui/core/group_internal.hpp"
#include "gui/core/obj.hpp"
#include "gui/indev/indev_hooks.hpp"

namespace {

std::vector<std::unique_ptr<lv_group_t>> & all_groups()
{
    static std::vector<std::unique_ptr<lv_group_t>> groups;
    return groups;
}

lv_group_t * default_group = nullptr;

lv_group_t * group_of(const lv_obj_t * obj)
{
    return obj->group;
}

void set_group_of(lv_obj_t * obj, lv_group_t * group)
{
    obj->group = group;
}

bool focusable(const lv_obj_t * obj)
{
    if (lv_obj_has_state(obj, LV_STATE_DISABLED)) return false;
    for (const lv_obj_t * o = obj; o; o = lv_obj_get_parent(o)) {
        if (lv_obj_has_flag(o, LV_OBJ_FLAG_HIDDEN)) return false;
    }
    return true;
}

// Moves the focus from the current object to `next`: DEFOCUSED to the old,
// FOCUSED to the new, then the focus callback.
void change_focus(lv_group_t * group, lv_obj_t * next)
{
    lv_obj_t * old = group->focused;
    if (old == next) return;
    lv_indev_t * indev = gui::input::focus_indev(group);
    group->focused = next;
    if (old && lv_obj_send_event(old, LV_EVENT_DEFOCUSED, indev) != LV_RESULT_OK) return;
    if (group->focused != next) return;  // a handler moved the focus meanwhile
    if (next && lv_obj_send_event(next, LV_EVENT_FOCUSED, indev) != LV_RESULT_OK) return;
    if (group->focus_cb) group->focus_cb(group);
}

// Walks the ring from the focused object (or from the start) in one
// direction to the next object that can take focus.
void focus_step(lv_group_t * group, bool forward, bool wrap)
{
    if (group->frozen || group->objs.empty()) return;
    const auto n = static_cast<std::ptrdiff_t>(group->objs.size());
    const auto it = std::find(group->objs.begin(), group->objs.end(), group->focused);
    std::ptrdiff_t start = it == group->objs.end() ? (forward ? -1 : n) : it - group->objs.begin();
    std::ptrdiff_t i = start;
    for (std::ptrdiff_t tried = 0; tried < n; tried++) {
        i += forward ? 1 : -1;
        if (i < 0 || i >= n) {
            if (!wrap) {
                if (group->edge_cb) group->edge_cb(group, forward);
                return;
            }
            i = forward ? 0 : n - 1;
        }
        lv_obj_t * candidate = group->objs[static_cast<size_t>(i)];
        if (candidate == group->focused) return;
        if (focusable(candidate)) {
            change_focus(group, candidate);
            return;
        }
    }
}

// After the focused object left the ring: focus its neighbour according to
// the refocus policy (the ring is treated as circular for this).
void refocus_after_removal(lv_group_t * group, std::ptrdiff_t removed_index)
{
    group->focused = nullptr;
    if (group->objs.empty()) {
        if (group->focus_cb) group->focus_cb(group);
        return;
    }
    const auto n = static_cast<std::ptrdiff_t>(group->objs.size());
    const bool forward = group->refocus_policy == LV_GROUP_REFOCUS_POLICY_NEXT;
    std::ptrdiff_t i = forward ? removed_index : removed_index - 1;
    for (std::ptrdiff_t tried = 0; tried < n; tried++) {
        i = ((i % n) + n) % n;
        lv_obj_t * candidate = group->objs[static_cast<size_t>(i)];
        if (focusable(candidate)) {
            change_focus(group, candidate);
            return;
        }
        i += forward ? 1 : -1;
    }
}

// Removes `obj` from its group; `notify` sends DEFOCUSED to it when it had
// the focus.
void remove_from_group(lv_obj_t * obj, bool notify)
{
    lv_group_t * group = group_of(obj);
    if (!group) return;
    const auto it = std::find(group->objs.begin(), group->objs.end(), obj);
    set_group_of(obj, nullptr);
    if (it == group->objs.end()) return;
    const std::ptrdiff_t index = it - group->objs.begin();
    group->objs.erase(it);
    if (group->focused != obj) return;
    group->frozen = false;
    if (notify) lv_obj_send_event(obj, LV_EVENT_DEFOCUSED, gui::input::focus_indev(group));
    refocus_after_removal(group, index);
}

}  // namespace

namespace gui::group {

void forget_obj(lv_obj_t * obj)
{
    remove_from_group(obj, false);
}

}  // namespace gui::group

extern "C" {

lv_group_t * lv_group_create(void)
{
    all_groups().push_back(std::make_unique<lv_group_t>());
    return all_groups().back().get();
}

void lv_group_delete(lv_group_t * group)
{
    if (!group) return;
    if (group->focused) lv_obj_send_event(group->focused, LV_EVENT_DEFOCUSED, gui::input::focus_indev(group));
    for (lv_obj_t * obj : group->objs) set_group_of(obj, nullptr);
    group->objs.clear();
    group->focused = nullptr;
    gui::input::group_deleted(group);
    if (default_group == group) default_group = nullptr;
    auto & groups = all_groups();
    groups.erase(std::remove_if(groups.begin(), groups.end(), [group](const auto & g) { return g.get() == group; }),
                 groups.end());
}

void lv_group_set_default(lv_group_t * group)
{
    default_group = group;
}

lv_group_t * lv_group_get_default(void)
{
    return default_group;
}

void lv_group_add_obj(lv_group_t * group, lv_obj_t * obj)
{
    if (!group || !obj) return;
    if (group_of(obj) == group) return;
    if (group_of(obj)) lv_group_remove_obj(obj);
    set_group_of(obj, group);
    group->objs.push_back(obj);
    if (group->objs.size() == 1) change_focus(group, obj);
}

void lv_group_remove_obj(lv_obj_t * obj)
{
    if (!obj) return;
    remove_from_group(obj, true);
}

void lv_group_remove_all_objs(lv_group_t * group)
{
    if (!group) return;
    if (group->focused) {
        lv_obj_t * old = group->focused;
        group->focused = nullptr;
        lv_obj_send_event(old, LV_EVENT_DEFOCUSED, gui::input::focus_indev(group));
    }
    for (lv_obj_t * obj : group->objs) set_group_of(obj, nullptr);
    group->objs.clear();
    group->frozen = false;
}

void lv_group_swap_obj(lv_obj_t * obj1, lv_obj_t * obj2)
{
    if (!obj1 || !obj2) return;
    lv_group_t * g1 = group_of(obj1);
    lv_group_t * g2 = group_of(obj2);
    if (!g1 || !g2) return;
    auto it1 = std::find(g1->objs.begin(), g1->objs.end(), obj1);
    auto it2 = std::find(g2->objs.begin(), g2->objs.end(), obj2);
    std::iter_swap(it1, it2);
    set_group_of(obj1, g2);
    set_group_of(obj2, g1);
    if (g1->focused == obj1)
        g1->focused = obj2;
    else if (g1->focused == obj2 && g1 == g2)
        g1->focused = obj1;
    if (g1 != g2) {
        if (g2->focused == obj2) g2->focused = obj1;
    }
}

void lv_group_focus_obj(lv_obj_t * obj)
{
    if (!obj) return;
    lv_group_t * group = group_of(obj);
    if (!group || group->frozen || group->focused == obj) return;
    group->editing = false;
    change_focus(group, obj);
}

void lv_group_focus_next(lv_group_t * group)
{
    if (group) focus_step(group, true, group->wrap);
}

void lv_group_focus_prev(lv_group_t * group)
{
    if (group) focus_step(group, false, group->wrap);
}

void lv_group_focus_freeze(lv_group_t * group, bool en)
{
    if (group) group->frozen = en;
}

lv_result_t lv_group_send_data(lv_group_t * group, uint32_t c)
{
    if (!group || !group->focused) return LV_RESULT_OK;
    if (lv_obj_has_state(group->focused, LV_STATE_DISABLED)) return LV_RESULT_OK;
    return lv_obj_send_event(group->focused, LV_EVENT_KEY, &c);
}

void lv_group_set_focus_cb(lv_group_t * group, lv_group_focus_cb_t focus_cb)
{
    if (group) group->focus_cb = focus_cb;
}

void lv_group_set_edge_cb(lv_group_t * group, lv_group_edge_cb_t edge_cb)
{
    if (group) group->edge_cb = edge_cb;
}

void lv_group_set_refocus_policy(lv_group_t * group, lv_group_refocus_policy_t policy)
{
    if (group) group->refocus_policy = policy;
}

void lv_group_set_editing(lv_group_t * group, bool edit)
{
    if (!group || group->editing == edit) return;
    group->editing = edit;
    if (group->focused) {
        // FOCUSED again lets the object update its EDITED state.
        lv_obj_send_event(group->focused, LV_EVENT_FOCUSED, gui::input::focus_indev(group));
        lv_obj_invalidate(group->focused);
    }
}

void lv_group_set_wrap(lv_group_t * group, bool en)
{
    if (group) group->wrap = en;
}

lv_obj_t * lv_group_get_focused(const lv_group_t * group)
{
    return group ? group->focused : nullptr;
}

bool lv_group_get_editing(const lv_group_t * group)
{
    return group && group->editing;
}

bool lv_group_get_wrap(lv_group_t * group)
{
    return group && group->wrap;
}

uint32_t lv_group_get_obj_count(lv_group_t * group)
{
    return group ? static_cast<uint32_t>(group->objs.size()) : 0;
}

lv_obj_t * lv_group_get_obj_by_index(lv_group_t * group, uint32_t index)
{
    if (!group || index >= group->objs.size()) return nullptr;
    return group->objs[index];
}

uint32_t lv_group_get_count(void)
{
    return static_cast<uint32_t>(all_groups().size());
}

lv_group_t * lv_group_by_index(uint32_t index)
{
    if (index >= all_groups().size()) return nullptr;
    return all_groups()[index].get();
}

}  // extern "C"
