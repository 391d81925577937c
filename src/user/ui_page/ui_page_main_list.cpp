/*
 * List rows of the Airable list (page_3) and the fixed list (page_4), and the
 * Airable events that fill them.
 *
 * A row owns its buffer: the buffer is the row's user data and the user data
 * of its click handlers, and the row frees it when it is deleted, so a list
 * is emptied by deleting its rows and no buffer outlives or is shared by two
 * rows. Browsing (row taps, paging by over-scroll, the Airable events) acts
 * on LV_EVENT_CLICKED, SCROLL_BEGIN and SCROLL_END and on the controller's
 * events; until browsing lands, those change nothing.
 */
#include <stdlib.h>

#include "ui/ui_assets.h"
#include "ui/ui_data_update.h"
#include "user/ui_page/ui_page_main_private.h"

#define ROW_W 592
#define ROW_H 70
#define LABEL_W 429
#define LABEL_H 36
#define ICON_SIZE 64
#define COLOR_WHITE 0xFFFFFF
#define COLOR_PRESSED_TEXT 0x555555
#define OPA_PRESSED_MARKER 100
#define OPA_CHECKED_RECOLOR 100

static const lv_font_t *row_font(void)
{
    return ui_run_page.font_24 ? ui_run_page.font_24 : &lv_font_montserrat_24;
}

static void row_delete_cb(lv_event_t *e)
{
    free(lv_event_get_user_data(e));
}

static lv_obj_t *row_create(lv_obj_t *parent, list_msg_item_t *item)
{
    lv_obj_t *row = lv_obj_create(parent);
    lv_obj_set_pos(row, 24, 88);
    lv_obj_set_size(row, ROW_W, ROW_H);
    lv_obj_set_user_data(row, item);
    lv_obj_add_event_cb(row, row_delete_cb, LV_EVENT_DELETE, item);
    lv_obj_remove_flag(row, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_set_style_bg_opa(row, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(row, 0, 0);
    lv_obj_set_style_bg_image_src(row, &img_ico_player, LV_STATE_CHECKED);
    lv_obj_set_style_bg_image_recolor_opa(row, OPA_CHECKED_RECOLOR, LV_STATE_CHECKED);
    return row;
}

/* The enter icon of a folder, or the hidden play marker of a playable item. */
static lv_obj_t *marker_create(lv_obj_t *row, list_msg_item_t *item, int enter)
{
    lv_obj_t *marker = lv_image_create(row);
    lv_obj_set_pos(marker, 521, 1);
    lv_obj_set_size(marker, 39, 37);
    lv_obj_set_style_image_opa(marker, OPA_PRESSED_MARKER, LV_STATE_PRESSED);
    if (enter) {
        lv_image_set_src(marker, &img_ico_list_enter);
        lv_obj_add_flag(marker, LV_OBJ_FLAG_CLICKABLE);
        lv_obj_add_event_cb(marker, list_msg_item_event_cb, LV_EVENT_CLICKED, item);
    } else {
        lv_obj_add_flag(marker, LV_OBJ_FLAG_HIDDEN);
        if (item->type == LIST_MSG_TYPE_PLAYABLE) {
            lv_image_set_src(marker, &img_ico_play_now_short);
        }
    }
    return marker;
}

static lv_obj_t *box_create(lv_obj_t *row)
{
    lv_obj_t *box = lv_obj_create(row);
    lv_obj_set_pos(box, -16, -12);
    lv_obj_set_size(box, 498, 63);
    lv_obj_remove_flag(box, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_set_style_bg_opa(box, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(box, 0, 0);
    lv_obj_set_style_pad_left(box, 5, 0);
    lv_obj_set_style_pad_top(box, 0, 0);
    lv_obj_set_style_pad_right(box, 0, 0);
    lv_obj_set_style_pad_bottom(box, 0, 0);
    lv_obj_set_layout(box, LV_LAYOUT_FLEX);
    lv_obj_set_flex_flow(box, LV_FLEX_FLOW_ROW);
    return box;
}

static lv_obj_t *icon_create(lv_obj_t *row)
{
    lv_obj_t *icon = lv_image_create(row);
    lv_obj_set_pos(icon, -15, -5);
    lv_obj_set_size(icon, ICON_SIZE, ICON_SIZE);
    lv_image_set_src(icon, &img_ico_list_empty);
    lv_image_set_inner_align(icon, LV_IMAGE_ALIGN_STRETCH);
    lv_obj_set_style_align(icon, LV_ALIGN_LEFT_MID, 0);
    return icon;
}

static lv_obj_t *label_create(lv_obj_t *row, list_msg_item_t *item, int with_icon)
{
    lv_obj_t *label = lv_label_create(row);
    lv_obj_set_pos(label, with_icon ? 59 : -15, 10);
    lv_obj_set_size(label, LABEL_W, LABEL_H);
    lv_label_set_long_mode(label, LV_LABEL_LONG_MODE_DOTS);
    lv_obj_add_flag(label, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_add_event_cb(label, list_msg_item_event_cb, LV_EVENT_CLICKED, item);
    lv_obj_set_style_text_color(label, lv_color_hex(COLOR_WHITE), 0);
    lv_obj_set_style_text_font(label, row_font(), 0);
    lv_obj_set_style_text_color(label, lv_color_hex(COLOR_PRESSED_TEXT), LV_STATE_PRESSED);
    lv_obj_set_style_text_opa(label, LV_OPA_COVER, LV_STATE_PRESSED);
    lv_label_set_text(label, item->name);
    return label;
}

void list_add_item(lv_obj_t *parent, list_msg_item_t *item, int with_icon, int enter)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    m->row_obj = row_create(parent, item);
    m->row_marker = marker_create(m->row_obj, item, enter);
    m->row_box = box_create(m->row_obj);
    m->row_icon = with_icon ? icon_create(m->row_obj) : NULL;
    m->row_label = label_create(m->row_obj, item, with_icon);
}

void add_msg_item(list_msg_item_t *item, int with_icon, int enter)
{
    list_add_item(lv_ui_page_main.list_radio, item, with_icon, enter);
}

void list_msg_item_event_cb(lv_event_t *e)
{
    LV_UNUSED(e);
}

void list_scroll_begin_cb(lv_event_t *e)
{
    LV_UNUSED(e);
}

void list_scroll_end_cb(lv_event_t *e)
{
    LV_UNUSED(e);
}

/* The records the events carry are valid only during the call. */
void airable_ui_event_cb(int event, void *data)
{
    LV_UNUSED(event);
    LV_UNUSED(data);
}
