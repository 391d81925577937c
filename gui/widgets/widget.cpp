// Shared plumbing of the widget sources on top of the object core.
#include "widget.hpp"

#include <utility>

namespace gui::widgets {

void attach_data(lv_obj_t * obj, std::unique_ptr<WidgetData> data)
{
    obj->instance_data = std::move(data);
}

gui::draw::Target & event_target(lv_event_t * e)
{
    return lv_event_get_layer(e)->target;
}

bool call_base_event(const lv_obj_class_t * class_p, lv_event_t * e)
{
    return lv_obj_event_base(class_p, e) == LV_RESULT_OK;
}

void draw_part_rect(gui::draw::Target & t, lv_obj_t * obj, lv_part_t part, const lv_area_t & area)
{
    gui::draw::RectDsc dsc;
    gui::core::init_rect_dsc(obj, part, dsc);
    gui::draw::draw_rect(t, area, dsc);
    if (dsc.border_post) gui::draw::draw_border(t, area, dsc);
}

ScopedState::ScopedState(lv_obj_t * obj, lv_state_t state) : obj_(obj), saved_(obj->state)
{
    obj_->state = static_cast<uint16_t>(state);
}

ScopedState::~ScopedState()
{
    obj_->state = saved_;
}

lv_obj_t * create_widget(const lv_obj_class_t * class_p, lv_obj_t * parent)
{
    lv_obj_t * obj = lv_obj_class_create_obj(class_p, parent);
    if (obj) lv_obj_class_init_obj(obj);
    return obj;
}

}  // namespace gui::widgets
