// What every widget source shares: per-object instance data, drawing
// descriptors filled from an object's resolved part styles, and access to the
// renderer target behind a draw event's layer.
#pragma once

#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/core/obj_draw.hpp"
#include "gui/draw/draw.hpp"

#include <memory>

namespace gui::widgets {

/** Base of every widget's instance record; the object owns it and frees it after the destructors. */
struct WidgetData : gui::core::InstanceData {};

/** A style selector from a part and a state (the enums do not mix in C++). */
constexpr lv_style_selector_t sel(lv_part_t part, lv_state_t state)
{
    return static_cast<lv_style_selector_t>(part) | static_cast<lv_style_selector_t>(state);
}

/** Attach `data` to `obj` (constructors do this). */
void attach_data(lv_obj_t * obj, std::unique_ptr<WidgetData> data);

/**
 * The instance record of type T of `obj`; nullptr for objects of other
 * classes. Every widget call first checks its object (LV_ASSERT_OBJ), so a
 * caller sees nullptr only in builds without the checks, where the call then
 * does nothing and returns the widget's default.
 */
template <class T> T * data_of(const lv_obj_t * obj)
{
    return obj ? dynamic_cast<T *>(obj->instance_data.get()) : nullptr;
}

/** The renderer target of a DRAW_MAIN / DRAW_POST event. */
gui::draw::Target & event_target(lv_event_t * e);

/** Run the base class's handling of `e`; false when the object got deleted meanwhile. */
bool call_base_event(const lv_obj_class_t * class_p, lv_event_t * e);

/** Draw a part's rectangle including a "post" border. */
void draw_part_rect(gui::draw::Target & t, lv_obj_t * obj, lv_part_t part, const lv_area_t & area);

/**
 * Resolve styles as if the object were in `state` (no events, no transitions),
 * e.g. to draw button-matrix items one by one.
 */
class ScopedState {
public:
    ScopedState(lv_obj_t * obj, lv_state_t state);
    ~ScopedState();
    ScopedState(const ScopedState &) = delete;
    ScopedState & operator=(const ScopedState &) = delete;

private:
    lv_obj_t * obj_;
    uint16_t saved_;
};

/** lv_obj_class_create_obj + lv_obj_class_init_obj. */
lv_obj_t * create_widget(const lv_obj_class_t * class_p, lv_obj_t * parent);

}  // namespace gui::widgets
