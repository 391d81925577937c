/*
 * What the WiFi page's sources share: the widget table, the builders of the
 * widget tree and of a network row (which the design screen reuses, so they
 * register no handler), the icon rules, and the seams of the page's tests.
 * Nothing outside the WiFi page includes this, but the design screen and
 * the tests.
 */
#ifndef UI_PAGE_WIFI_PRIVATE_H
#define UI_PAGE_WIFI_PRIVATE_H

#include <stdint.h>

#include "lvgl.h"
#include "wifi/wifi_scanner_lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The page's widgets. `overlay` and everything in it lie on the root screen
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

/* All null while the page is not built. */
extern lv_ui_page_wifi_t s_lv_ui_page_wifi;

/* Where the busy icon rests: beside "其他网络" (scans), beside "我的网络"
 * (connections). */
#define WIFI_BUSY_SCAN_X 156
#define WIFI_BUSY_SCAN_Y 182
#define WIFI_BUSY_CONN_X 156
#define WIFI_BUSY_CONN_Y 53

/* Where the dialog stands: closed or opened, and raised above the keyboard. */
#define WIFI_DIALOG_X 81
#define WIFI_DIALOG_Y 155
#define WIFI_DIALOG_RAISED_Y 50

#define WIFI_PASSWORD_FIELD_MAX 128

/* The widgets of one network row. */
typedef struct wifi_row_t {
    lv_obj_t *row;
    lv_obj_t *icon_box;
    lv_obj_t *signal;   /* the image of the row's icon id */
    lv_obj_t *deletion; /* a red cross without an action */
    lv_obj_t *name;     /* the label that takes the taps */
} wifi_row_t;

/* Builds the page's widget tree into `w`: `root` on `screen`, `overlay` on
 * `screen` above it. No handler is registered. */
void wifi_page_tree_build(lv_obj_t *screen, lv_ui_page_wifi_t *w);

/* One network row on `parent` (a list, whose layout then places it): the
 * name shown in the label font, the image of `icon_id`, and the deletion
 * cross unless `deletable` is 0. No handler is registered. */
void wifi_row_build(lv_obj_t *parent, const char *ssid, int32_t icon_id, int deletable, wifi_row_t *out);

/* Icon ids: 1..5 open network by level, 6..10 secured network by level,
 * 11..16 kept network (11: not in the scan; 12..16 the connected one by
 * signal); any other id shows img_ico_wifi_4. */
#define WIFI_ICON_KEPT 11

/* Signal level 1..5 from dBm: -50 and above 5, then one level per 10 dB. */
int32_t wifi_signal_level(int32_t signal);
/* The icon id of a network of the scan: its level, plus 5 when secured. */
int32_t wifi_icon_id(const wifi_ap_t *ap);
/* The icon id of the connected network: 11 + level, or 11 below -90 dBm. */
int32_t wifi_icon_id_connected(int32_t signal);
const lv_image_dsc_t *wifi_icon_image(int32_t icon_id);

/* Tests only, while the page does not stand: the page's state as at process
 * start (no scan or connection awaited, kept networks not yet listed). */
void ui_page_wifi_reset(void);

#ifdef __cplusplus
}
#endif

#endif /* UI_PAGE_WIFI_PRIVATE_H */
