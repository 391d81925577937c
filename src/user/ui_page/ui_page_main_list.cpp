/*
 * List rows of the Airable list (page_3) and the fixed list (page_4), and
 * Airable browsing: the list replies that fill the list, the taps on its
 * rows and paging by over-scroll.
 *
 * A row owns its buffer: the buffer is the row's user data and the user data
 * of its click handlers, and the row frees it when it is deleted, so a list
 * is emptied by deleting its rows and no buffer outlives or is shared by two
 * rows. A handler that empties the list its row lies in must not read the
 * row's buffer afterwards.
 *
 * Each list reply of the service replaces the rows: the rows always show
 * one window, the one the count label reports, also when a request was
 * answered twice. Everything here runs on the GUI thread.
 */
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "comm/airable_data_exchange.h"
#include "fw_common.h"
#include "ui/ui_assets.h"
#include "ui/ui_colors.h"
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"
#include "user/ui_page/ui_page_main_private.h"

#define ROW_W 592
#define ROW_H 70
#define LABEL_W 429
#define LABEL_H 36
#define ICON_SIZE 64
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
    lv_obj_set_style_text_color(label, lv_color_hex(UI_COLOR_WHITE), 0);
    lv_obj_set_style_text_font(label, row_font(), 0);
    lv_obj_set_style_text_color(label, lv_color_hex(UI_COLOR_PRESSED_TEXT), LV_STATE_PRESSED);
    lv_obj_set_style_text_opa(label, LV_OPA_COVER, LV_STATE_PRESSED);
    lv_label_set_text(label, item->name);
    return label;
}

/* Set while the interface itself empties or fills the Airable list. The
 * library reports what that does to the list's scroll position (emptying a
 * scrolled list brings it back to its top, and an empty list lies far past
 * its end), and none of it is a pull. */
static bool own_change;

static bool own_change_begin(void)
{
    const bool outer = own_change;
    own_change = true;
    return outer;
}

static void own_change_end(bool outer)
{
    own_change = outer;
}

void list_add_item(lv_obj_t *parent, list_msg_item_t *item, int with_icon, int enter)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    const bool outer = own_change_begin();
    m->row_obj = row_create(parent, item);
    m->row_marker = marker_create(m->row_obj, item, enter);
    m->row_box = box_create(m->row_obj);
    m->row_icon = with_icon ? icon_create(m->row_obj) : NULL;
    m->row_label = label_create(m->row_obj, item, with_icon);
    own_change_end(outer);
}

void add_msg_item(list_msg_item_t *item, int with_icon, int enter)
{
    list_add_item(lv_ui_page_main.list_radio, item, with_icon, enter);
}

/* -- emptying and markers -------------------------------------------------- */

/* The rows free their buffers as they go. */
static void rows_delete(void)
{
    const bool outer = own_change_begin();
    lv_obj_clean(lv_ui_page_main.list_radio);
    own_change_end(outer);
}

void clean_list_items(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    if (m->list_radio == NULL) {
        return;
    }
    lv_label_set_text(m->page_3_count, "");
    rows_delete();
}

static list_msg_item_t *row_item(lv_obj_t *row)
{
    return (list_msg_item_t *)lv_obj_get_user_data(row);
}

int set_enter_icon_by_title(const char *title, const lv_image_dsc_t *src)
{
    lv_obj_t *list = lv_ui_page_main.list_radio;
    if (title == NULL || list == NULL) {
        return 0;
    }
    const uint32_t rows = lv_obj_get_child_count(list);
    for (uint32_t i = 0; i < rows; i++) {
        lv_obj_t *row = lv_obj_get_child(list, (int32_t)i);
        const list_msg_item_t *item = row_item(row);
        if (item == NULL || strcmp(item->name, title) != 0) {
            continue;
        }
        const uint32_t children = lv_obj_get_child_count(row);
        for (uint32_t c = 0; c < children; c++) {
            lv_obj_t *child = lv_obj_get_child(row, (int32_t)c);
            if (!lv_obj_check_type(child, &lv_image_class)) {
                continue;
            }
            if (src == NULL) {
                lv_obj_add_flag(child, LV_OBJ_FLAG_HIDDEN);
            } else {
                lv_obj_remove_flag(child, LV_OBJ_FLAG_HIDDEN);
                lv_image_set_src(child, src);
            }
            break;
        }
        return 1;
    }
    return 0;
}

/* -- log ------------------------------------------------------------------------ */

/* Names come from the service: logged escaped. */
#define LOG_TEXT_LEN FW_ESCAPE_MAX(LIST_MSG_NAME_LEN)

static const char *log_text(const char *in, char out[LOG_TEXT_LEN])
{
    return fw_escape(in, LIST_MSG_NAME_LEN, out, LOG_TEXT_LEN);
}

/* -- row taps ------------------------------------------------------------------- */

/* The fixed menu rows of the Radio and Podcast tiles, by their exact texts. */
typedef struct {
    const char *row;
    const char *bar;
    bool opens_list; /* asks the service for its main list */
} menu_entry_t;

static const menu_entry_t menu_entries[] = {
    {"Radio List", "Radio List", true},     {"Podcast", "Podcast", true},    {"Play History ", "Play History", false},
    {"Local Radio ", "Local Radio", false}, {"Favorite", "Favorite", false}, {"Menu Settings", "Menu Settings", false},
};

static bool menu_row_tapped(const char *name)
{
    for (size_t i = 0; i < sizeof menu_entries / sizeof menu_entries[0]; i++) {
        const menu_entry_t *entry = &menu_entries[i];
        if (strcmp(name, entry->row) != 0) {
            continue;
        }
        if (entry->opens_list) {
            clean_list_items();
        }
        set_bar_msg(entry->bar, NULL);
        if (entry->opens_list) {
            (void)get_main_page_data();
        }
        return true;
    }
    return false;
}

static void play_row_tapped(const char *name)
{
    char text[LOG_TEXT_LEN];
    (void)set_enter_icon_by_title(ui_run_page.play_title, NULL);
    snprintf(ui_run_page.play_title, sizeof ui_run_page.play_title, "%s", name);
    UI_LOG("play_title :  %s\n", log_text(ui_run_page.play_title, text));
    (void)set_enter_icon_by_title(ui_run_page.play_title, &img_ico_play_now_short);
    ui_run_page.is_playing = UI_PLAY_PLAYING;
    (void)airable_play_title(name);
}

static const ListDataUIData *list_data_by_title(const char *title)
{
    const ListDataUINode *head = ui_run_page.list_head;
    if (head == NULL) {
        return NULL;
    }
    for (const ListDataUINode *n = head->next; n != head; n = n->next) {
        if (strcmp(n->data.title, title) == 0) {
            return &n->data;
        }
    }
    return NULL;
}

/* A folder's first window is the one the main list starts with. */
static void folder_row_tapped(const char *name)
{
    char text[LOG_TEXT_LEN];
    ui_run_page.list_total = 0;
    ui_run_page.list_last = 0;
    ui_run_page.list_start = MAIN_LIST_FIRST_START;
    ui_run_page.list_end = MAIN_LIST_FIRST_END;
    set_bar_msg(name, NULL);
    UI_LOG("get title :  %s\n", log_text(name, text));
    const ListDataUIData *data = list_data_by_title(name);
    if (data) {
        UI_LOG("found id by title: %s -> id=%llu\n", text, (unsigned long long)data->id_identifier);
        (void)get_id_page_data(data->id_identifier);
    } else {
        UI_LOG("id not found for title: %s, fallback title request\n", text);
        (void)get_title_page_data(name);
    }
    clean_list_items();
}

void list_msg_item_event_cb(lv_event_t *e)
{
    if (lv_event_get_code(e) != LV_EVENT_CLICKED) {
        return;
    }
    const list_msg_item_t *item = (const list_msg_item_t *)lv_event_get_user_data(e);
    if (item == NULL) {
        return;
    }
    /* Emptying the list frees the tapped row's buffer: work on a copy. */
    char name[LIST_MSG_NAME_LEN];
    snprintf(name, sizeof name, "%s", item->name);
    const bool playable = item->type == LIST_MSG_TYPE_PLAYABLE;
    item = NULL;

    char text[LOG_TEXT_LEN];
    UI_LOG("list_msg_item clicked: %s\n", log_text(name, text));
    if (menu_row_tapped(name)) {
        return;
    }
    if (playable) {
        play_row_tapped(name);
    } else {
        folder_row_tapped(name);
    }
}

/* -- paging by over-scroll ------------------------------------------------------- */

/* A pull past an end of more than this many pixels asks for a window. */
#define PULL_PAST -50
#define WINDOW_ROWS 20
#define EARLIER_FROM 40

/* The window an over-scroll asks for: the 20 items after the last one
 * received, or for a pull at the top the window that ends 20 before it.
 * False when there is none: the top reached, the last item received, or
 * indexes past the 32-bit range. */
static bool next_window(bool top, int32_t last, int32_t total, int32_t *start, int32_t *end)
{
    if (top) {
        if (last < EARLIER_FROM) {
            return false;
        }
        *start = last - EARLIER_FROM;
        *end = last - WINDOW_ROWS;
        return true;
    }
    if (last >= total || last > INT32_MAX - WINDOW_ROWS) {
        return false;
    }
    *start = last + 1;
    *end = last + WINDOW_ROWS;
    return true;
}

static void list_pulled(lv_event_t *e, bool top)
{
    lv_obj_t *list = lv_ui_page_main.list_radio;
    const int32_t value = top ? lv_obj_get_scroll_y(list) : lv_obj_get_scroll_bottom(list);
    printf("max_scroll [%d]  code [%d]\n", (int)value, (int)lv_event_get_code(e));
    if (own_change || value >= PULL_PAST) {
        return;
    }
    if (top) {
        UI_LOG("list  to  up \n");
    } else {
        UI_LOG("list  to  end \n");
    }
    if (ui_run_page.flags.list_busy) {
        return;
    }
    int32_t start = 0;
    int32_t end = 0;
    if (!next_window(top, ui_run_page.list_last, ui_run_page.list_total, &start, &end)) {
        UI_LOG("没有数据了 别扒拉了 \n");
        return;
    }
    ui_run_page.flags.list_busy = 1;
    ui_run_page.list_start = start;
    ui_run_page.list_end = end;
    clean_list_items();
    (void)get_page_data_ready();
    UI_LOG("list window asked: start=%d end=%d\n", (int)start, (int)end);
}

void list_scroll_begin_cb(lv_event_t *e)
{
    if (lv_event_get_code(e) == LV_EVENT_SCROLL_BEGIN) {
        list_pulled(e, true);
    }
}

void list_scroll_end_cb(lv_event_t *e)
{
    if (lv_event_get_code(e) == LV_EVENT_SCROLL_END) {
        list_pulled(e, false);
    }
}

/* -- list replies ------------------------------------------------------------------ */

/* Set between the first item of a list reply and its end. */
static bool reply_rows;

void main_page_list_reset(void)
{
    own_change = false;
    reply_rows = false;
}

void list_reply_item(const airable_list_item_t *src)
{
    if (!reply_rows) {
        rows_delete();
        reply_rows = true;
    }
    list_msg_item_t *item = (list_msg_item_t *)malloc(sizeof *item);
    if (item == NULL) {
        return;
    }
    item->type = src->type;
    snprintf(item->name, sizeof item->name, "%s", src->name);
    add_msg_item(item, 0, item->type != LIST_MSG_TYPE_PLAYABLE);
}

static int32_t index_value(uint32_t v)
{
    return v > (uint32_t)INT32_MAX ? INT32_MAX : (int32_t)v;
}

void list_reply_done(const airable_list_count_t *count)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    if (!reply_rows) {
        rows_delete(); /* an answer without items */
    }
    reply_rows = false;
    ui_run_page.list_total = index_value(count->total);
    ui_run_page.list_last = index_value(count->index);
    char text[32];
    snprintf(text, sizeof text, "%d/%d", (int)ui_run_page.list_last, (int)ui_run_page.list_total);
    lv_label_set_text(m->page_3_count, text);
    UI_LOG("airable list_data: parsed done %d/%d\n", (int)ui_run_page.list_last, (int)ui_run_page.list_total);
    ui_run_page.flags.list_busy = 0;
}
