// Message box: a centred column with an optional header (title, header
// buttons), a content area and an optional footer of buttons. With no parent
// it sits on a backdrop on the top layer that blocks the input behind it.
#include "widget.hpp"
#include "widget_class.hpp"

namespace gui::widgets {
namespace {

/** Set on boxes whose backdrop was created for them; closing deletes the backdrop. */
constexpr lv_obj_flag_t kAutoParent = LV_OBJ_FLAG_WIDGET_1;

lv_obj_t * part(lv_obj_t * mbox, const lv_obj_class_t * cls)
{
    return mbox ? lv_obj_get_child_by_type(mbox, 0, cls) : nullptr;
}

void column_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    lv_obj_set_flex_flow(obj, LV_FLEX_FLOW_COLUMN);
}

void row_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    lv_obj_set_flex_flow(obj, LV_FLEX_FLOW_ROW);
}

void footer_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    lv_obj_set_flex_flow(obj, LV_FLEX_FLOW_ROW);
    lv_obj_set_flex_align(obj, LV_FLEX_ALIGN_SPACE_EVENLY, LV_FLEX_ALIGN_CENTER, LV_FLEX_ALIGN_CENTER);
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_SCROLLABLE);
}

/** A fixed-height box lets its content take the remaining height and scroll. */
void update_content_grow(lv_obj_t * mbox)
{
    lv_obj_t * content = part(mbox, &lv_msgbox_content_class);
    if (!content) return;
    bool fixed = lv_obj_get_style_height(mbox, LV_PART_MAIN) != LV_SIZE_CONTENT;
    if ((lv_obj_get_style_flex_grow(content, LV_PART_MAIN) != 0) != fixed) lv_obj_set_flex_grow(content, fixed ? 1 : 0);
}

void msgbox_event(const lv_obj_class_t * class_p, lv_event_t * e)
{
    if (!call_base_event(class_p, e)) return;
    lv_obj_t * obj = lv_event_get_current_target_obj(e);
    lv_event_code_t code = lv_event_get_code(e);
    if (code == LV_EVENT_STYLE_CHANGED || code == LV_EVENT_SIZE_CHANGED) update_content_grow(obj);
}

void close_clicked(lv_event_t * e)
{
    lv_obj_t * btn = lv_event_get_current_target_obj(e);
    lv_obj_t * header = lv_obj_get_parent(btn);
    lv_msgbox_close(header ? lv_obj_get_parent(header) : nullptr);
}

/** What closing deletes: the auto-created backdrop (with the box) or the box. */
lv_obj_t * close_target(lv_obj_t * mbox)
{
    if (!mbox || !lv_obj_check_type(mbox, &lv_msgbox_class)) return nullptr;
    return lv_obj_has_flag(mbox, kAutoParent) ? lv_obj_get_parent(mbox) : mbox;
}

lv_obj_t * ensure_header(lv_obj_t * mbox)
{
    lv_obj_t * header = part(mbox, &lv_msgbox_header_class);
    if (header) return header;
    header = create_widget(&lv_msgbox_header_class, mbox);
    if (!header) return nullptr;
    lv_obj_move_to_index(header, 0);
    lv_obj_set_height(header, lv_display_get_dpi(lv_obj_get_display(mbox)) / 3);
    lv_obj_set_flex_align(header, LV_FLEX_ALIGN_START, LV_FLEX_ALIGN_CENTER, LV_FLEX_ALIGN_CENTER);
    lv_obj_remove_flag(header, LV_OBJ_FLAG_SCROLLABLE);
    return header;
}

}  // namespace
}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_msgbox_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_msgbox",
    .constructor = column_constructor,
    .event = msgbox_event,
    .width_def = LV_DPI_DEF * 2,
    .height_def = LV_SIZE_CONTENT,
});

constinit const lv_obj_class_t lv_msgbox_header_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_msgbox_header",
    .constructor = row_constructor,
    .width_def = LV_PCT(100),
    .height_def = LV_DPI_DEF / 3,
});

constinit const lv_obj_class_t lv_msgbox_content_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_msgbox_content",
    .constructor = column_constructor,
    .width_def = LV_PCT(100),
    .height_def = LV_SIZE_CONTENT,
});

constinit const lv_obj_class_t lv_msgbox_footer_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_msgbox_footer",
    .constructor = footer_constructor,
    .width_def = LV_PCT(100),
    .height_def = LV_DPI_DEF / 3,
});

constinit const lv_obj_class_t lv_msgbox_header_button_class = make_widget_class({
    .base = &lv_button_class,
    .name = "lv_msgbox_header_button",
    .width_def = LV_DPI_DEF / 3,
    .height_def = LV_PCT(100),
    .group_def = LV_OBJ_CLASS_GROUP_DEF_TRUE,
});

constinit const lv_obj_class_t lv_msgbox_footer_button_class = make_widget_class({
    .base = &lv_button_class,
    .name = "lv_msgbox_footer_button",
    .width_def = LV_SIZE_CONTENT,
    .height_def = LV_PCT(100),
    .group_def = LV_OBJ_CLASS_GROUP_DEF_TRUE,
});

constinit const lv_obj_class_t lv_msgbox_backdrop_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_msgbox_backdrop",
    .width_def = LV_PCT(100),
    .height_def = LV_PCT(100),
});

extern "C" {

lv_obj_t * lv_msgbox_create(lv_obj_t * parent)
{
    bool auto_parent = parent == nullptr;
    if (auto_parent) {
        parent = create_widget(&lv_msgbox_backdrop_class, lv_layer_top());
        if (!parent) return nullptr;
    }
    lv_obj_t * mbox = create_widget(&lv_msgbox_class, parent);
    if (!mbox) return nullptr;
    if (auto_parent) lv_obj_add_flag(mbox, kAutoParent);
    create_widget(&lv_msgbox_content_class, mbox);
    lv_obj_center(mbox);
    return mbox;
}

lv_obj_t * lv_msgbox_add_title(lv_obj_t * obj, const char * title)
{
    LV_ASSERT_OBJ(obj, &lv_msgbox_class);
    lv_obj_t * header = ensure_header(obj);
    if (!header) return nullptr;
    lv_obj_t * label = lv_obj_get_child_by_type(header, 0, &lv_label_class);
    if (!label) {
        label = lv_label_create(header);
        lv_obj_move_to_index(label, 0);
        lv_obj_set_flex_grow(label, 1);
    }
    lv_label_set_text(label, title ? title : "");
    return label;
}

lv_obj_t * lv_msgbox_add_header_button(lv_obj_t * obj, const void * icon)
{
    LV_ASSERT_OBJ(obj, &lv_msgbox_class);
    if (!part(obj, &lv_msgbox_header_class)) lv_msgbox_add_title(obj, "");
    lv_obj_t * header = part(obj, &lv_msgbox_header_class);
    if (!header) return nullptr;
    lv_obj_t * btn = create_widget(&lv_msgbox_header_button_class, header);
    if (btn && icon) {
        lv_obj_t * img = lv_image_create(btn);
        lv_image_set_src(img, icon);
        lv_obj_center(img);
    }
    return btn;
}

lv_obj_t * lv_msgbox_add_close_button(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_msgbox_class);
    lv_obj_t * btn = lv_msgbox_add_header_button(obj, LV_SYMBOL_CLOSE);
    if (btn) lv_obj_add_event_cb(btn, close_clicked, LV_EVENT_CLICKED, nullptr);
    return btn;
}

lv_obj_t * lv_msgbox_add_text(lv_obj_t * obj, const char * text)
{
    LV_ASSERT_OBJ(obj, &lv_msgbox_class);
    lv_obj_t * content = part(obj, &lv_msgbox_content_class);
    if (!content) return nullptr;
    lv_obj_t * label = lv_label_create(content);
    lv_label_set_text(label, text ? text : "");
    lv_obj_set_width(label, LV_PCT(100));
    return label;
}

lv_obj_t * lv_msgbox_add_footer_button(lv_obj_t * obj, const char * text)
{
    LV_ASSERT_OBJ(obj, &lv_msgbox_class);
    if (!obj || !lv_obj_check_type(obj, &lv_msgbox_class)) return nullptr;
    lv_obj_t * footer = part(obj, &lv_msgbox_footer_class);
    if (!footer) footer = create_widget(&lv_msgbox_footer_class, obj);
    if (!footer) return nullptr;
    lv_obj_t * btn = create_widget(&lv_msgbox_footer_button_class, footer);
    if (btn && text) {
        lv_obj_t * label = lv_label_create(btn);
        lv_label_set_text(label, text);
        lv_obj_center(label);
    }
    return btn;
}

lv_obj_t * lv_msgbox_get_header(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_msgbox_class);
    return part(obj, &lv_msgbox_header_class);
}

lv_obj_t * lv_msgbox_get_footer(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_msgbox_class);
    return part(obj, &lv_msgbox_footer_class);
}

lv_obj_t * lv_msgbox_get_content(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_msgbox_class);
    return part(obj, &lv_msgbox_content_class);
}

lv_obj_t * lv_msgbox_get_title(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_msgbox_class);
    lv_obj_t * header = part(obj, &lv_msgbox_header_class);
    return header ? lv_obj_get_child_by_type(header, 0, &lv_label_class) : nullptr;
}

void lv_msgbox_close(lv_obj_t * mbox)
{
    LV_ASSERT_OBJ(mbox, &lv_msgbox_class);
    if (lv_obj_t * target = close_target(mbox)) lv_obj_delete(target);
}

void lv_msgbox_close_async(lv_obj_t * mbox)
{
    LV_ASSERT_OBJ(mbox, &lv_msgbox_class);
    if (lv_obj_t * target = close_target(mbox)) lv_obj_delete_async(target);
}

}  // extern "C"
