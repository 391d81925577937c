/*
 * The WiFi page's builders: its widget tree and one network row, for the
 * page itself and for the design screen, which shows the same widgets. They
 * register no handler and start nothing; the page hangs its handlers on
 * what they build.
 */
#ifndef UI_PAGE_WIFI_TREE_H
#define UI_PAGE_WIFI_TREE_H

#include <stdint.h>

#include "lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The page's widgets. `overlay` and everything in it lie on the screen
 * beside `root`, so that the dialog covers the whole page. */
typedef struct lv_ui_page_wifi_t {
    lv_obj_t *root;
    lv_obj_t *busy_icon;
    lv_obj_t *wifi_switch;
    lv_obj_t *back_icon;
    lv_obj_t *my_label;
    lv_obj_t *other_label;
    lv_obj_t *my_panel;
    lv_obj_t *my_list;
    lv_obj_t *other_panel;
    lv_obj_t *other_list;
    lv_obj_t *overlay;
    lv_obj_t *dialog;
    lv_obj_t *show_pwd;
    lv_obj_t *ssid_label;
    lv_obj_t *pwd_ta;
    lv_obj_t *kb_box;
    lv_obj_t *keyboard;
} lv_ui_page_wifi_t;

/* The widgets of one network row. */
typedef struct wifi_row_t {
    lv_obj_t *row;
    lv_obj_t *icon_box;
    lv_obj_t *signal;   /* the image of the row's icon id */
    lv_obj_t *deletion; /* a red cross without an action */
    lv_obj_t *name;     /* the label that takes the taps */
} wifi_row_t;

/* Builds the page's widget tree into `w`: `root` on `screen`, `overlay` on
 * `screen` above it. */
void wifi_page_tree_build(lv_obj_t *screen, lv_ui_page_wifi_t *w);

/* One network row on `parent` (a list, whose layout then places it): the
 * name shown in the label font, the image of `icon_id` (1..5 open network by
 * level, 6..10 secured, 11..16 kept; any other id img_ico_wifi_4), and the
 * deletion cross unless `deletable` is 0. */
void wifi_row_build(lv_obj_t *parent, const char *ssid, int32_t icon_id, int deletable, wifi_row_t *out);

#ifdef __cplusplus
}
#endif

#endif /* UI_PAGE_WIFI_TREE_H */
