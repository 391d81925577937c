/*
 * What the WiFi page's sources share: the page's widget table, where the
 * busy icon and the dialog stand, the icon rules, and the seams of the
 * page's tests. The builders are in ui_page_wifi_tree.h. Nothing outside the
 * WiFi page includes this, but its tests and benchmark.
 */
#ifndef UI_PAGE_WIFI_PRIVATE_H
#define UI_PAGE_WIFI_PRIVATE_H

#include <stdint.h>

#include "lvgl.h"
#include "user/ui_page/ui_page_wifi_tree.h"
#include "wifi/wifi_scanner_lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

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
