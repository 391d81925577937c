// The plain object class: creation, flags, states, the base event handling
// (drawing of the main rectangle, extra draw size, layout triggers).
#include <algorithm>

#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/core/obj_draw.hpp"
#include "gui/core/scroll_internal.hpp"
#include "gui/core/style_internal.hpp"
#include "gui/display/display.hpp"
#include "gui/indev/indev_hooks.hpp"
#include "gui/misc/area.hpp"

namespace {

constexpr uint32_t kScreenFlags = LV_OBJ_FLAG_CLICKABLE | LV_OBJ_FLAG_SNAPPABLE | LV_OBJ_FLAG_CLICK_FOCUSABLE |
                                  LV_OBJ_FLAG_SCROLLABLE | LV_OBJ_FLAG_SCROLL_ELASTIC | LV_OBJ_FLAG_SCROLL_MOMENTUM |
                                  LV_OBJ_FLAG_SCROLL_WITH_ARROW;
constexpr uint32_t kChildOnlyFlags = LV_OBJ_FLAG_PRESS_LOCK | LV_OBJ_FLAG_SCROLL_CHAIN | LV_OBJ_FLAG_GESTURE_BUBBLE;
constexpr uint32_t kParentLayoutFlags = LV_OBJ_FLAG_HIDDEN | LV_OBJ_FLAG_IGNORE_LAYOUT | LV_OBJ_FLAG_FLOATING;

void obj_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    obj->flags = kScreenFlags;
    if (obj->parent != nullptr) obj->flags |= kChildOnlyFlags;
}

void obj_destructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    lv_anim_delete(obj, nullptr);
    gui::core::remove_all_styles(obj);
}

void draw_main(lv_obj_t * obj, lv_layer_t * layer)
{
    gui::draw::RectDsc dsc;
    gui::core::init_rect_dsc(obj, LV_PART_MAIN, dsc);
    lv_area_t box = gui::core::transformed_box(obj, LV_PART_MAIN, obj->coords);
    gui::draw::draw_rect(layer->target, box, dsc);
}

void draw_post(lv_obj_t * obj, lv_layer_t * layer)
{
    gui::scroll::draw_scrollbars(obj, layer->target);
    if (!lv_obj_get_style_border_post(obj, LV_PART_MAIN)) return;
    gui::draw::RectDsc dsc;
    gui::core::init_rect_dsc(obj, LV_PART_MAIN, dsc);
    if (dsc.border_width <= 0 || dsc.border_opa <= LV_OPA_MIN) return;
    lv_area_t box = gui::core::transformed_box(obj, LV_PART_MAIN, obj->coords);
    gui::draw::draw_border(layer->target, box, dsc);
}

void cover_check(lv_obj_t * obj, lv_event_t * e)
{
    auto * info = static_cast<lv_cover_check_info_t *>(lv_event_get_param(e));
    if (info->res == LV_COVER_RES_MASKED) return;
    bool covers = lv_obj_get_style_clip_corner(obj, LV_PART_MAIN) == false &&
                  lv_obj_get_style_bg_opa(obj, LV_PART_MAIN) >= LV_OPA_MAX &&
                  lv_obj_get_style_opa(obj, LV_PART_MAIN) >= LV_OPA_MAX &&
                  lv_obj_get_style_bg_grad_dir(obj, LV_PART_MAIN) == LV_GRAD_DIR_NONE &&
                  lv_obj_get_style_blend_mode(obj, LV_PART_MAIN) == LV_BLEND_MODE_NORMAL &&
                  lv_obj_get_style_opa_layered(obj, LV_PART_MAIN) >= LV_OPA_MAX &&
                  lv_obj_get_style_transform_rotation(obj, LV_PART_MAIN) == 0 &&
                  lv_obj_get_style_transform_scale_x(obj, LV_PART_MAIN) == LV_SCALE_NONE &&
                  lv_obj_get_style_transform_scale_y(obj, LV_PART_MAIN) == LV_SCALE_NONE &&
                  lv_obj_get_style_recolor_opa(obj, LV_PART_MAIN) <= LV_OPA_MIN;
    if (!covers) {
        info->res = LV_COVER_RES_NOT_COVER;
        return;
    }
    // The rounded corners must stay outside the area in question.
    lv_area_t box = gui::core::transformed_box(obj, LV_PART_MAIN, obj->coords);
    int32_t r = lv_obj_get_style_radius(obj, LV_PART_MAIN);
    int32_t short_side = std::min(gui::area::width(box), gui::area::height(box));
    r = std::min(r, short_side / 2);
    const lv_area_t * a = info->area;
    const lv_area_t between_left_and_right{box.x1 + r, box.y1, box.x2 - r, box.y2};
    const lv_area_t between_top_and_bottom{box.x1, box.y1 + r, box.x2, box.y2 - r};
    bool inside_straight = gui::area::is_in(*a, between_left_and_right) || gui::area::is_in(*a, between_top_and_bottom);
    if (!inside_straight) info->res = LV_COVER_RES_NOT_COVER;
}

int32_t ext_draw_size(lv_obj_t * obj)
{
    gui::draw::RectDsc dsc;
    gui::core::init_rect_dsc(obj, LV_PART_MAIN, dsc);
    int32_t s = gui::draw::rect_extra_size(dsc);
    s = std::max(s, lv_obj_get_style_transform_width(obj, LV_PART_MAIN));
    s = std::max(s, lv_obj_get_style_transform_height(obj, LV_PART_MAIN));
    return s;
}

void mark_if_layout_depends(lv_obj_t * obj, bool with_content_size)
{
    bool depends = lv_obj_get_style_layout(obj, LV_PART_MAIN) != LV_LAYOUT_NONE ||
                   lv_obj_get_style_align(obj, LV_PART_MAIN) != LV_ALIGN_DEFAULT;
    if (with_content_size) {
        depends = depends || lv_obj_get_style_width(obj, LV_PART_MAIN) == LV_SIZE_CONTENT ||
                  lv_obj_get_style_height(obj, LV_PART_MAIN) == LV_SIZE_CONTENT;
    }
    if (depends) lv_obj_mark_layout_as_dirty(obj);
}

void obj_event(const lv_obj_class_t *, lv_event_t * e)
{
    gui::input::obj_event(e);
    if (e->deleted) return;
    lv_event_code_t code = lv_event_get_code(e);
    lv_obj_t * obj = lv_event_get_current_target_obj(e);
    switch (code) {
    case LV_EVENT_DRAW_MAIN: draw_main(obj, lv_event_get_layer(e)); break;
    case LV_EVENT_DRAW_POST: draw_post(obj, lv_event_get_layer(e)); break;
    case LV_EVENT_COVER_CHECK: cover_check(obj, e); break;
    case LV_EVENT_REFR_EXT_DRAW_SIZE: {
        auto * s = static_cast<int32_t *>(lv_event_get_param(e));
        *s = std::max(*s, ext_draw_size(obj));
        break;
    }
    case LV_EVENT_SIZE_CHANGED:
        mark_if_layout_depends(obj, false);
        for (auto & child : obj->children) lv_obj_mark_layout_as_dirty(child.get());
        break;
    case LV_EVENT_CHILD_CHANGED: mark_if_layout_depends(obj, true); break;
    case LV_EVENT_STYLE_CHANGED: gui::core::refresh_ext_draw_size(obj); break;
    default: break;
    }
}

}  // namespace

extern "C" const lv_obj_class_t lv_obj_class = {
    nullptr,
    obj_constructor,
    obj_destructor,
    obj_event,
    nullptr,
    "obj",
    LV_DPI_DEF,
    LV_DPI_DEF,
    LV_OBJ_CLASS_EDITABLE_FALSE,
    LV_OBJ_CLASS_GROUP_DEF_FALSE,
    0,
    LV_OBJ_CLASS_THEME_INHERITABLE_TRUE,
};

namespace gui::core {

void refresh_ext_draw_size(lv_obj_t * obj)
{
    int32_t s = 0;
    lv_obj_send_event(obj, LV_EVENT_REFR_EXT_DRAW_SIZE, &s);
    if (s != obj->ext_draw_size) {
        lv_obj_invalidate(obj);
        obj->ext_draw_size = s;
        lv_obj_invalidate(obj);
    }
}

}  // namespace gui::core

extern "C" {

lv_obj_t * lv_obj_create(lv_obj_t * parent)
{
    lv_obj_t * obj = lv_obj_class_create_obj(&lv_obj_class, parent);
    if (obj != nullptr) lv_obj_class_init_obj(obj);
    return obj;
}

void lv_obj_add_flag(lv_obj_t * obj, lv_obj_flag_t f)
{
    lv_obj_set_flag(obj, f, true);
}

void lv_obj_remove_flag(lv_obj_t * obj, lv_obj_flag_t f)
{
    lv_obj_set_flag(obj, f, false);
}

void lv_obj_set_flag(lv_obj_t * obj, lv_obj_flag_t f, bool v)
{
    if (obj == nullptr) return;
    uint32_t before = obj->flags;
    uint32_t after = v ? (before | static_cast<uint32_t>(f)) : (before & ~static_cast<uint32_t>(f));
    if (after == before) return;
    bool hidden_changed = ((before ^ after) & LV_OBJ_FLAG_HIDDEN) != 0;
    if (hidden_changed) lv_obj_invalidate(obj);
    obj->flags = after;
    if (hidden_changed) lv_obj_invalidate(obj);
    if (((before ^ after) & kParentLayoutFlags) != 0 && obj->parent != nullptr) {
        lv_obj_mark_layout_as_dirty(obj->parent);
        lv_obj_send_event(obj->parent, LV_EVENT_CHILD_CHANGED, obj);
    }
    if (((before ^ after) & LV_OBJ_FLAG_SCROLLABLE) != 0) lv_obj_invalidate(obj);
}

bool lv_obj_has_flag(const lv_obj_t * obj, lv_obj_flag_t f)
{
    return obj != nullptr && (obj->flags & static_cast<uint32_t>(f)) == static_cast<uint32_t>(f);
}

bool lv_obj_has_flag_any(const lv_obj_t * obj, lv_obj_flag_t f)
{
    return obj != nullptr && (obj->flags & static_cast<uint32_t>(f)) != 0;
}

void lv_obj_add_state(lv_obj_t * obj, lv_state_t state)
{
    lv_obj_set_state(obj, state, true);
}

void lv_obj_remove_state(lv_obj_t * obj, lv_state_t state)
{
    lv_obj_set_state(obj, state, false);
}

void lv_obj_set_state(lv_obj_t * obj, lv_state_t state, bool v)
{
    if (obj == nullptr) return;
    uint16_t before = obj->state;
    uint16_t after = v ? static_cast<uint16_t>(before | state) : static_cast<uint16_t>(before & ~state);
    if (after != before) gui::core::change_state(obj, after);
    if (lv_obj_has_flag(obj, LV_OBJ_FLAG_STATE_TRICKLE)) {
        for (size_t i = 0; i < obj->children.size(); i++) lv_obj_set_state(obj->children[i].get(), state, v);
    }
}

lv_state_t lv_obj_get_state(const lv_obj_t * obj)
{
    return static_cast<lv_state_t>(obj->state);
}

bool lv_obj_has_state(const lv_obj_t * obj, lv_state_t state)
{
    return (obj->state & state) != 0;
}

void lv_obj_set_user_data(lv_obj_t * obj, void * user_data)
{
    obj->user_data = user_data;
}

void * lv_obj_get_user_data(lv_obj_t * obj)
{
    return obj->user_data;
}

lv_group_t * lv_obj_get_group(const lv_obj_t * obj)
{
    return obj != nullptr ? obj->group : nullptr;
}

bool lv_obj_check_type(const lv_obj_t * obj, const lv_obj_class_t * class_p)
{
    return obj != nullptr && obj->class_p == class_p;
}

bool lv_obj_has_class(const lv_obj_t * obj, const lv_obj_class_t * class_p)
{
    if (obj == nullptr) return false;
    for (const lv_obj_class_t * c = obj->class_p; c != nullptr; c = c->base_class) {
        if (c == class_p) return true;
    }
    return false;
}

const lv_obj_class_t * lv_obj_get_class(const lv_obj_t * obj)
{
    return obj->class_p;
}

void lv_obj_null_on_delete(lv_obj_t ** obj_ptr)
{
    if (obj_ptr != nullptr && *obj_ptr != nullptr) (*obj_ptr)->null_on_delete.push_back(obj_ptr);
}

bool lv_obj_is_editable(lv_obj_t * obj)
{
    for (const lv_obj_class_t * c = obj->class_p; c != nullptr; c = c->base_class) {
        if (c->editable != LV_OBJ_CLASS_EDITABLE_INHERIT) return c->editable == LV_OBJ_CLASS_EDITABLE_TRUE;
    }
    return false;
}

bool lv_obj_is_group_def(lv_obj_t * obj)
{
    for (const lv_obj_class_t * c = obj->class_p; c != nullptr; c = c->base_class) {
        if (c->group_def != LV_OBJ_CLASS_GROUP_DEF_INHERIT) return c->group_def == LV_OBJ_CLASS_GROUP_DEF_TRUE;
    }
    return false;
}

}  // extern "C"
