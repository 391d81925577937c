// Checkbox: a tick box (indicator part) followed by a text; a click toggles CHECKED.
#include "widget.hpp"
#include "widget_class.hpp"
#include "gui/draw/text.hpp"

#include <algorithm>
#include <string>

namespace gui::widgets {
namespace {

constexpr const char * kDefaultText = "Check box";

struct CheckboxData : WidgetData {
    std::string text;
    const char * static_text = kDefaultText;
};

CheckboxData * data(const lv_obj_t * obj)
{
    return data_of<CheckboxData>(obj);
}

const char * text_of(const CheckboxData & d)
{
    return d.static_text ? d.static_text : d.text.c_str();
}

lv_point_t text_size(const lv_obj_t * obj, const CheckboxData & d)
{
    const lv_font_t * font = lv_obj_get_style_text_font(obj, LV_PART_MAIN);
    if (!font) return {0, 0};
    return gui::draw::text::text_size(text_of(d), font, lv_obj_get_style_text_letter_space(obj, LV_PART_MAIN),
                                      lv_obj_get_style_text_line_space(obj, LV_PART_MAIN), LV_COORD_MAX,
                                      LV_TEXT_FLAG_NONE);
}

/** The marker square: the main font's line height plus the indicator's padding. */
lv_point_t marker_size(const lv_obj_t * obj)
{
    const lv_font_t * font = lv_obj_get_style_text_font(obj, LV_PART_MAIN);
    int32_t line_h = font ? lv_font_get_line_height(font) : 0;
    return {line_h + lv_obj_get_style_pad_left(obj, LV_PART_INDICATOR) +
                lv_obj_get_style_pad_right(obj, LV_PART_INDICATOR),
            line_h + lv_obj_get_style_pad_top(obj, LV_PART_INDICATOR) +
                lv_obj_get_style_pad_bottom(obj, LV_PART_INDICATOR)};
}

void draw_checkbox(lv_obj_t * obj, const CheckboxData & d, lv_event_t * e)
{
    gui::draw::Target & t = event_target(e);
    lv_area_t content;
    lv_obj_get_content_coords(obj, &content);
    lv_point_t marker = marker_size(obj);
    lv_area_t box{content.x1, content.y1, content.x1 + marker.x - 1, content.y1 + marker.y - 1};

    gui::draw::RectDsc rect;
    gui::core::init_rect_dsc(obj, LV_PART_INDICATOR, rect);
    lv_area_t drawn = gui::core::transformed_box(obj, LV_PART_INDICATOR, box);
    gui::draw::draw_rect(t, drawn, rect);
    if (rect.border_post) gui::draw::draw_border(t, drawn, rect);

    const lv_font_t * font = lv_obj_get_style_text_font(obj, LV_PART_MAIN);
    if (!font) return;
    lv_point_t size = text_size(obj, d);
    // pad_column counts from the marker's last column: pad_column - 1 empty ones between.
    int32_t x = box.x2 + lv_obj_get_style_pad_column(obj, LV_PART_MAIN);
    int32_t y = content.y1 + (marker.y - lv_font_get_line_height(font)) / 2;
    gui::draw::LabelDsc label;
    gui::core::init_label_dsc(obj, LV_PART_MAIN, label);
    label.text = text_of(d);
    lv_area_t area{x, y, x + size.x - 1, y + size.y - 1};
    gui::draw::draw_label(t, area, label);
}

void checkbox_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    attach_data(obj, std::make_unique<CheckboxData>());
    lv_obj_add_flag(obj, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_add_flag(obj, LV_OBJ_FLAG_CHECKABLE);
    lv_obj_add_flag(obj, LV_OBJ_FLAG_SCROLL_ON_FOCUS);
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_SCROLLABLE);
}

void checkbox_event(const lv_obj_class_t * class_p, lv_event_t * e)
{
    if (!call_base_event(class_p, e)) return;
    lv_obj_t * obj = lv_event_get_current_target_obj(e);
    CheckboxData * d = data(obj);
    if (!d) return;
    switch (lv_event_get_code(e)) {
    case LV_EVENT_GET_SELF_SIZE: {
        lv_point_t * p = lv_event_get_self_size_info(e);
        lv_point_t marker = marker_size(obj);
        lv_point_t text = text_size(obj, *d);
        p->x = std::max(p->x, marker.x + lv_obj_get_style_pad_column(obj, LV_PART_MAIN) + text.x);
        p->y = std::max({p->y, marker.y, text.y});
        break;
    }
    case LV_EVENT_REFR_EXT_DRAW_SIZE: {
        gui::draw::RectDsc rect;
        gui::core::init_rect_dsc(obj, LV_PART_INDICATOR, rect);
        int32_t grow = std::max(lv_obj_get_style_transform_width(obj, LV_PART_INDICATOR),
                                lv_obj_get_style_transform_height(obj, LV_PART_INDICATOR));
        lv_event_set_ext_draw_size(e, gui::draw::rect_extra_size(rect) + std::max<int32_t>(0, grow));
        break;
    }
    case LV_EVENT_STYLE_CHANGED:
        lv_obj_refresh_self_size(obj);
        gui::core::refresh_ext_draw_size(obj);
        break;
    case LV_EVENT_DRAW_MAIN: draw_checkbox(obj, *d, e); break;
    default: break;
    }
}

void set_text(lv_obj_t * obj, CheckboxData & d, const char * txt, bool is_static)
{
    if (is_static) {
        d.static_text = txt ? txt : "";
    } else {
        std::string copy(txt ? txt : "");
        d.text = std::move(copy);
        d.static_text = nullptr;
    }
    lv_obj_refresh_self_size(obj);
    lv_obj_invalidate(obj);
}

}  // namespace
}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_checkbox_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_checkbox",
    .constructor = checkbox_constructor,
    .event = checkbox_event,
    .width_def = LV_SIZE_CONTENT,
    .height_def = LV_SIZE_CONTENT,
    .group_def = LV_OBJ_CLASS_GROUP_DEF_TRUE,
});

extern "C" {

lv_obj_t * lv_checkbox_create(lv_obj_t * parent)
{
    return create_widget(&lv_checkbox_class, parent);
}

void lv_checkbox_set_text(lv_obj_t * obj, const char * txt)
{
    LV_ASSERT_OBJ(obj, &lv_checkbox_class);
    if (CheckboxData * d = data(obj)) set_text(obj, *d, txt, false);
}

void lv_checkbox_set_text_static(lv_obj_t * obj, const char * txt)
{
    LV_ASSERT_OBJ(obj, &lv_checkbox_class);
    if (CheckboxData * d = data(obj)) set_text(obj, *d, txt, true);
}

const char * lv_checkbox_get_text(const lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_checkbox_class);
    CheckboxData * d = data(obj);
    return d ? text_of(*d) : "";
}

}  // extern "C"
