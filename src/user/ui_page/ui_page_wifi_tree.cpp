/*
 * The WiFi page's widget tree, its network rows and the icon rules.
 *
 * Positions are relative to the parent's content area, so the default
 * theme's padding of plain objects (which the panels and the dialog keep)
 * shifts their children; the lists sit at negative offsets to fill their
 * panels. Sibling order is creation order: the overlay, made after the
 * page root on the same screen, lies above the whole page.
 */
#include "user/ui_page/ui_page_wifi_tree.h"

#include "ui/ui_assets.h"
#include "ui/ui_colors.h"
#include "ui/ui_obj_util.h"
#include "user/ui_page/ui_page_wifi_private.h"

#define OPA_PANEL 40
#define OPA_OVERLAY 200
#define OPA_DIALOG 200
#define OPA_KEYBOARD 100
#define OPA_KEYS 180
#define OPA_BACK_PRESSED 180
#define OPA_ROW_CHECKED 100
#define PANEL_RADIUS 10
#define KEYBOARD_RADIUS 5
#define KEYBOARD_PAD 5

#define LIST_W 590
#define MY_LIST_H 87
#define OTHER_LIST_H 243
#define ICON_BUTTON_W 82
#define ICON_BUTTON_H 56

#define ROW_W 566
#define ROW_H 37
#define ICON_BOX_W 78
#define ICON_BOX_H 37
#define SIGNAL_W 39
#define SIGNAL_H 34
#define DELETION_W 39
#define DELETION_H 37
#define NAME_W 471
#define NAME_H 28

/* Signal thresholds in dBm: a level per 10 dB from -50 down. */
#define LEVEL_TOP_DBM (-50)
#define LEVEL_STEP_DB 10
#define LEVEL_MAX 5
#define CONNECTED_FLOOR_DBM (-90)

/* -- small helpers ------------------------------------------------------ */

static void gaps_zero(lv_obj_t *obj)
{
    lv_obj_set_style_pad_row(obj, 0, 0);
    lv_obj_set_style_pad_column(obj, 0, 0);
    lv_obj_set_style_pad_radial(obj, 0, 0);
}

static void white_text(lv_obj_t *obj)
{
    lv_obj_set_style_text_color(obj, lv_color_hex(UI_COLOR_WHITE), 0);
}

static lv_obj_t *icon_button(lv_obj_t *parent, int32_t x, int32_t y)
{
    lv_obj_t *img = lv_image_create(parent);
    ui_obj_place(img, x, y, ICON_BUTTON_W, ICON_BUTTON_H);
    lv_obj_add_flag(img, LV_OBJ_FLAG_CLICKABLE);
    return img;
}

static lv_obj_t *heading(lv_obj_t *parent, int32_t y, const char *text)
{
    lv_obj_t *label = lv_label_create(parent);
    lv_obj_set_pos(label, 49, y);
    lv_obj_set_size(label, LV_SIZE_CONTENT, LV_SIZE_CONTENT);
    white_text(label);
    lv_obj_set_style_text_font(label, &ui_font_font_main, 0);
    lv_label_set_text_static(label, text);
    return label;
}

/* A rounded, faint panel and the transparent list that fills it. */
static lv_obj_t *list_panel(lv_obj_t *parent, int32_t x, int32_t y, int32_t h)
{
    lv_obj_t *panel = lv_obj_create(parent);
    ui_obj_place(panel, x, y, LIST_W, h);
    lv_obj_remove_flag(panel, LV_OBJ_FLAG_SCROLLABLE);
    ui_obj_fill(panel, UI_COLOR_WIFI_PANEL, OPA_PANEL);
    lv_obj_set_style_border_width(panel, 0, 0);
    lv_obj_set_style_radius(panel, PANEL_RADIUS, 0);
    return panel;
}

static lv_obj_t *network_list(lv_obj_t *panel, int32_t x, int32_t y, int32_t h)
{
    lv_obj_t *list = lv_list_create(panel);
    ui_obj_place(list, x, y, LIST_W, h);
    lv_obj_add_flag(list, LV_OBJ_FLAG_SCROLL_ON_FOCUS);
    lv_obj_set_scroll_dir(list, LV_DIR_VER);
    lv_obj_set_style_bg_opa(list, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(list, 0, 0);
    return list;
}

/* -- the page ------------------------------------------------------------ */

static void build_root(lv_obj_t *screen, lv_ui_page_wifi_t *w)
{
    lv_obj_t *root = w->root = lv_obj_create(screen);
    ui_obj_place(root, 0, 0, lv_pct(100), lv_pct(100));
    ui_obj_pads_zero(root);
    lv_obj_set_style_border_width(root, 0, 0);
    lv_obj_set_style_radius(root, 0, 0);
    lv_obj_set_scrollbar_mode(root, LV_SCROLLBAR_MODE_OFF);
    ui_obj_fill(root, UI_COLOR_PANEL, LV_OPA_COVER);

    lv_obj_t *busy = w->busy_icon = lv_image_create(root);
    ui_obj_place(busy, WIFI_BUSY_SCAN_X, WIFI_BUSY_SCAN_Y, 30, 30);
    lv_obj_add_flag(busy, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_add_state(busy, LV_STATE_CHECKED);
    lv_image_set_src(busy, &img_ico_mini_busy);

    /* The switch shows its state as a background image, not as a source. */
    lv_obj_t *sw = w->wifi_switch = icon_button(root, 534, 4);
    lv_obj_add_flag(sw, LV_OBJ_FLAG_CHECKABLE);
    lv_obj_set_style_bg_image_src(sw, &img_ico_status_off, 0);
    lv_obj_set_style_bg_image_src(sw, &img_ico_status_on, LV_STATE_CHECKED);

    lv_obj_t *back = w->back_icon = icon_button(root, 0, -1);
    lv_obj_add_state(back, LV_STATE_CHECKED);
    lv_obj_set_style_image_recolor_opa(back, OPA_BACK_PRESSED, LV_STATE_PRESSED);
    lv_image_set_src(back, &img_ico_back);

    w->my_label = heading(root, 55, "我的网络");
    w->other_label = heading(root, 184, "其他网络");

    w->my_panel = list_panel(root, 27, 88, MY_LIST_H);
    w->my_list = network_list(w->my_panel, -17, -16, MY_LIST_H);
    w->other_panel = list_panel(root, 26, 217, OTHER_LIST_H);
    w->other_list = network_list(w->other_panel, -16, -16, OTHER_LIST_H);
}

static void build_dialog(lv_obj_t *screen, lv_ui_page_wifi_t *w)
{
    lv_obj_t *overlay = w->overlay = lv_obj_create(screen);
    ui_obj_place(overlay, 0, -2, 640, 482);
    lv_obj_add_flag(overlay, LV_OBJ_FLAG_HIDDEN);
    ui_obj_pads_zero(overlay);
    lv_obj_set_style_border_width(overlay, 0, 0);
    lv_obj_set_style_radius(overlay, 0, 0);
    ui_obj_fill(overlay, UI_COLOR_BLACK, OPA_OVERLAY);

    lv_obj_t *dialog = w->dialog = lv_obj_create(overlay);
    ui_obj_place(dialog, WIFI_DIALOG_X, WIFI_DIALOG_Y, 478, 171);
    ui_obj_fill(dialog, UI_COLOR_WIFI_DIALOG, OPA_DIALOG);
    lv_obj_set_style_border_width(dialog, 0, 0);

    lv_obj_t *show = w->show_pwd = lv_checkbox_create(dialog);
    lv_obj_set_pos(show, 8, 116);
    lv_obj_set_size(show, LV_SIZE_CONTENT, LV_SIZE_CONTENT);
    white_text(show);
    lv_checkbox_set_text_static(show, "Show Password");

    lv_obj_t *ssid = w->ssid_label = lv_label_create(dialog);
    ui_obj_place(ssid, 8, 2, 420, 27);
    lv_obj_set_style_text_font(ssid, &ui_font_font_main, 0);
    white_text(ssid);
    lv_label_set_text_static(ssid, "labe_ssid");

    lv_obj_t *ta = w->pwd_ta = lv_textarea_create(dialog);
    ui_obj_place(ta, 8, 46, 429, 52);
    lv_textarea_set_max_length(ta, WIFI_PASSWORD_FIELD_MAX);
    lv_textarea_set_one_line(ta, true);
    lv_textarea_set_password_mode(ta, true);
    lv_obj_set_style_text_font(ta, &ui_font_font_main, 0);
    lv_textarea_set_text(ta, "");
}

static void build_keyboard(lv_ui_page_wifi_t *w)
{
    lv_obj_t *box = w->kb_box = lv_obj_create(w->overlay);
    ui_obj_place(box, 6, 237, 629, 237);
    lv_obj_add_flag(box, LV_OBJ_FLAG_HIDDEN);
    lv_obj_remove_flag(box, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_remove_flag(box, LV_OBJ_FLAG_SCROLL_CHAIN_VER);
    lv_obj_set_style_bg_color(box, lv_color_hex(UI_COLOR_BLACK), 0);
    lv_obj_set_layout(box, LV_LAYOUT_FLEX);
    ui_obj_pads_zero(box);
    gaps_zero(box);

    lv_obj_t *kb = w->keyboard = lv_keyboard_create(box);
    ui_obj_place(kb, -18, -18, lv_pct(100), lv_pct(100));
    ui_obj_fill(kb, UI_COLOR_WIFI_KEYBOARD, OPA_KEYBOARD);
    lv_obj_set_style_radius(kb, KEYBOARD_RADIUS, 0);
    lv_obj_set_style_pad_top(kb, KEYBOARD_PAD, 0);
    lv_obj_set_style_pad_bottom(kb, KEYBOARD_PAD, 0);
    lv_obj_set_style_pad_left(kb, KEYBOARD_PAD, 0);
    lv_obj_set_style_pad_right(kb, KEYBOARD_PAD, 0);
    lv_obj_set_style_pad_radial(kb, KEYBOARD_PAD, 0);
    lv_obj_set_style_pad_row(kb, KEYBOARD_PAD, 0);
    lv_obj_set_style_pad_column(kb, KEYBOARD_PAD, 0);
    lv_obj_set_style_bg_color(kb, lv_color_hex(UI_COLOR_WHITE), LV_PART_ITEMS);
    lv_obj_set_style_bg_opa(kb, OPA_KEYS, LV_PART_ITEMS);
}

void wifi_page_tree_build(lv_obj_t *screen, lv_ui_page_wifi_t *w)
{
    build_root(screen, w);
    build_dialog(screen, w);
    build_keyboard(w);
}

/* -- network rows ---------------------------------------------------------- */

void wifi_row_build(lv_obj_t *parent, const char *ssid, int32_t icon_id, int deletable, wifi_row_t *out)
{
    /* Its position only counts outside a list. */
    lv_obj_t *row = out->row = lv_obj_create(parent);
    ui_obj_place(row, 38, 222, ROW_W, ROW_H);
    lv_obj_remove_flag(row, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_remove_flag(row, LV_OBJ_FLAG_CLICKABLE);
    ui_obj_fill(row, UI_COLOR_WHITE, LV_OPA_TRANSP);
    lv_obj_set_style_border_width(row, 0, 0);
    lv_obj_set_style_align(row, LV_ALIGN_DEFAULT, 0);
    lv_obj_set_style_bg_image_src(row, &img_ico_player, LV_STATE_CHECKED);
    lv_obj_set_style_bg_image_recolor_opa(row, OPA_ROW_CHECKED, LV_STATE_CHECKED);

    /* Its two images sit at its right end. */
    lv_obj_t *box = out->icon_box = lv_obj_create(row);
    ui_obj_place(box, 472, -13, ICON_BOX_W, ICON_BOX_H);
    lv_obj_remove_flag(box, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_remove_flag(box, LV_OBJ_FLAG_SCROLL_MOMENTUM);
    lv_obj_set_style_bg_opa(box, LV_OPA_TRANSP, 0);
    lv_obj_set_layout(box, LV_LAYOUT_FLEX);
    lv_obj_set_flex_flow(box, LV_FLEX_FLOW_ROW);
    lv_obj_set_style_flex_main_place(box, LV_FLEX_ALIGN_END, 0);
    ui_obj_pads_zero(box);
    gaps_zero(box);
    lv_obj_set_style_border_width(box, 0, 0);

    lv_obj_t *signal = out->signal = lv_image_create(box);
    lv_obj_set_size(signal, SIGNAL_W, SIGNAL_H);
    lv_image_set_src(signal, wifi_icon_image(icon_id));

    lv_obj_t *deletion = out->deletion = lv_image_create(box);
    lv_obj_set_size(deletion, DELETION_W, DELETION_H);
    lv_image_set_src(deletion, &img_ico_deletion);
    if (!deletable) {
        lv_obj_add_flag(deletion, LV_OBJ_FLAG_HIDDEN);
    }

    lv_obj_t *name = out->name = lv_label_create(row);
    ui_obj_place(name, 1, -8, NAME_W, NAME_H);
    lv_label_set_long_mode(name, LV_LABEL_LONG_MODE_CLIP);
    lv_obj_add_flag(name, LV_OBJ_FLAG_CLICKABLE);
    white_text(name);
    lv_obj_set_style_text_font(name, &ui_font_font_main, 0);
    lv_obj_set_style_text_color(name, lv_color_hex(UI_COLOR_PRESSED_TEXT), LV_STATE_PRESSED);
    lv_obj_set_style_text_opa(name, LV_OPA_COVER, LV_STATE_PRESSED);
    lv_label_set_text(name, ssid);
}

/* -- icon rules ------------------------------------------------------------ */

int32_t wifi_signal_level(int32_t signal)
{
    int32_t level = LEVEL_MAX;
    for (int32_t floor = LEVEL_TOP_DBM; level > 1 && signal < floor; floor -= LEVEL_STEP_DB) {
        level--;
    }
    return level;
}

int32_t wifi_icon_id(const wifi_ap_t *ap)
{
    const int32_t level = wifi_signal_level(ap->signal);
    return ap->encrypted != 0 ? LEVEL_MAX + level : level;
}

int32_t wifi_icon_id_connected(int32_t signal)
{
    return signal < CONNECTED_FLOOR_DBM ? WIFI_ICON_KEPT : WIFI_ICON_KEPT + wifi_signal_level(signal);
}

const lv_image_dsc_t *wifi_icon_image(int32_t icon_id)
{
    static const lv_image_dsc_t *const images_by_id[] = {
        NULL,
        &img_ico_wifi_1,
        &img_ico_wifi_2,
        &img_ico_wifi_3,
        &img_ico_wifi_4,
        &img_ico_wifi_5,
        &img_ico_wifi_lock_0,
        &img_ico_wifi_lock_1,
        &img_ico_wifi_lock_2,
        &img_ico_wifi_lock_3,
        &img_ico_wifi_lock_4,
        &img_ico_wifi_ok_0,
        &img_ico_wifi_ok_1,
        &img_ico_wifi_ok_2,
        &img_ico_wifi_ok_3,
        &img_ico_wifi_ok_4,
        &img_ico_wifi_ok_5,
    };
    const int32_t count = (int32_t)(sizeof images_by_id / sizeof images_by_id[0]);
    if (icon_id < 1 || icon_id >= count) {
        return &img_ico_wifi_4;
    }
    return images_by_id[icon_id];
}
