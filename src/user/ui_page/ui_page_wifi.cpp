/*
 * The WiFi page (page 1): the kept networks ("我的网络") and the networks of
 * the last scan ("其他网络"), the password dialog with its keyboard, the WiFi
 * switch and the way back to the main page.
 *
 * The page never waits for the WiFi backend: it starts scans and
 * connections, and its run hook polls their "done" flags and fills the lists
 * from the backend's records. Only the switch's commands, the disconnect and
 * the listing of kept networks run on this thread, each with a time limit.
 * Everything here runs on the GUI thread.
 */
#include "user/ui_page/ui_page_wifi.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include "fw_common.h"
#include "lib/cmd_runner.h"
#include "ui/ui_assets.h"
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"
#include "ui/ui_obj_util.h"
#include "user/ui_page/ui_page_wifi_private.h"
#include "wifi/wifi_scanner_lvgl.h"

#define WIFI_IFNAME "wlan0"
/* A hung tool holds the GUI thread this long at most: the switch's tools
 * answer in milliseconds when they work. */
#define SWITCH_CMD_TIMEOUT_MS 1000
#define ADDR_LEN 16
#define LOG_TEXT_LEN 160

lv_ui_page_wifi_t s_lv_ui_page_wifi;

/* Page state: kept across visits for the life of the process. */
static int32_t wifi_scan_triggered; /* a scan was started (never cleared) */
static int32_t wifi_scan_populated; /* the last started scan is in the lists, or WiFi is off */
static int32_t wifi_conn_triggered; /* a connection was started (never cleared) */
static int32_t wifi_conn_handled;   /* the last connection's outcome was shown */
static int32_t wifi_saved_loaded;   /* kept networks listed at the first run */
static lv_anim_t busy_anim;
static uint8_t is_busy_rotating;

/* The password field's input group, made at its first tap on this visit. */
static lv_group_t *pwd_group;

static const char *const switch_on_commands[] = {
    "connmanctl enable wifi 2>/dev/null",
    "ip link set wlan0 up 2>/dev/null",
    "wpa_supplicant -B -i wlan0 -c /etc/wpa_supplicant.conf 2>/dev/null",
};

/* Switching off enables wifi in connman all the same: no disable is run. */
static const char *const switch_off_commands[] = {
    "killall wpa_supplicant 2>/dev/null",
    "connmanctl enable wifi 2>/dev/null",
};

/* Keys of the keyboard that type nothing themselves: the only ones whose
 * text is logged, so that no password reaches the log key by key. */
static const char *const untyped_keys[] = {
    "abc",
    "ABC",
    "1#",
    LV_SYMBOL_OK,
    LV_SYMBOL_CLOSE,
    LV_SYMBOL_KEYBOARD,
    LV_SYMBOL_BACKSPACE,
    LV_SYMBOL_LEFT,
    LV_SYMBOL_RIGHT,
    LV_SYMBOL_NEW_LINE,
    "Enter",
};

static ui_page_t *self_page(void)
{
    return &ui_run_page.page_table[PAGE_ID_WIFI];
}

/* Outside text (a network name) for a log line, escaped. */
static const char *printable(const char *text, char *out, size_t cap)
{
    return fw_escape(text, strlen(text), out, cap);
}

static void run_commands(const char *const *commands, size_t count)
{
    for (size_t i = 0; i < count; i++) {
        /* The result is not looked at: a tool that is missing or fails
         * leaves WiFi as it is, which the next scan shows. */
        errno = 0;
        if (cmd_run_timeout(commands[i], SWITCH_CMD_TIMEOUT_MS) == -1 && errno == ETIMEDOUT) {
            UI_LOG("[WiFi-UI] %.*s did not answer within %d ms\n", (int)strcspn(commands[i], " "), commands[i],
                   SWITCH_CMD_TIMEOUT_MS);
        }
    }
}

/* -- busy icon ------------------------------------------------------------ */

static void angle_anim_cb(void *var, int32_t value)
{
    lv_image_set_rotation((lv_obj_t *)var, value);
}

static void stop_busy_rotation(lv_obj_t *icon)
{
    if (icon == NULL) {
        return;
    }
    ui_obj_spin_stop(icon, angle_anim_cb);
    is_busy_rotating = 0;
}

static void start_busy_rotation(lv_obj_t *icon)
{
    if (icon == NULL) {
        return;
    }
    if (is_busy_rotating) {
        stop_busy_rotation(icon);
    }
    lv_obj_remove_flag(icon, LV_OBJ_FLAG_HIDDEN);
    lv_obj_update_layout(icon);
    ui_obj_spin(&busy_anim, icon, lv_obj_get_width(icon) / 2, lv_obj_get_height(icon) / 2, angle_anim_cb);
    is_busy_rotating = 1;
}

static void hide_busy_icon(lv_obj_t *icon)
{
    if (icon == NULL) {
        return;
    }
    stop_busy_rotation(icon);
    lv_obj_set_pos(icon, WIFI_BUSY_SCAN_X, WIFI_BUSY_SCAN_Y);
    lv_obj_add_flag(icon, LV_OBJ_FLAG_HIDDEN);
}

static void show_busy_icon(lv_obj_t *icon)
{
    if (icon == NULL) {
        return;
    }
    lv_obj_remove_flag(icon, LV_OBJ_FLAG_HIDDEN);
    start_busy_rotation(icon);
}

static void show_busy_for_connection(void)
{
    lv_obj_set_pos(s_lv_ui_page_wifi.busy_icon, WIFI_BUSY_CONN_X, WIFI_BUSY_CONN_Y);
    show_busy_icon(s_lv_ui_page_wifi.busy_icon);
}

/* -- rows ----------------------------------------------------------------- */

static void list_wifi_event_handler(lv_event_t *e);

static void ssid_copy_free_cb(lv_event_t *e)
{
    free(lv_event_get_user_data(e));
}

/* Appends a row to my_list (selector non-zero) or other_list (0). The row's
 * name label owns a copy of the SSID, which its click acts on. */
static void add_list_item(const char *ssid, int selector, int32_t icon_id)
{
    const size_t len = strlen(ssid);
    char *copy = (char *)malloc(len + 1);
    if (copy == NULL) {
        return;
    }
    memcpy(copy, ssid, len + 1);
    lv_obj_t *list = selector != 0 ? s_lv_ui_page_wifi.my_list : s_lv_ui_page_wifi.other_list;
    wifi_row_t row;
    wifi_row_build(list, copy, icon_id, selector != 0, &row);
    lv_obj_add_event_cb(row.name, list_wifi_event_handler, LV_EVENT_CLICKED, copy);
    lv_obj_add_event_cb(row.name, ssid_copy_free_cb, LV_EVENT_DELETE, copy);
}

/* The icon id of the first access point of the scan named `ssid`, or -1. */
static int32_t scanned_icon_id(const wifi_ap_t *aps, int32_t count, const char *ssid, int connected)
{
    for (int32_t k = 0; k < count; k++) {
        if (strcmp(aps[k].ssid, ssid) == 0) {
            return connected ? wifi_icon_id_connected(aps[k].signal) : wifi_icon_id(&aps[k]);
        }
    }
    return -1;
}

/* -- run hook ------------------------------------------------------------- */

static void load_saved_once(void)
{
    if (wifi_saved_loaded) {
        return;
    }
    wifi_saved_loaded = 1;
    int32_t n = 0;
    const wifi_saved_net_t *nets = wifi_scanner_get_saved_networks(&n);
    UI_LOG("[WiFi-UI] loading %d saved networks\n", (int)n);
    lv_obj_clean(s_lv_ui_page_wifi.my_list);
    for (int32_t i = n - 1; i >= 0; i--) {
        add_list_item(nets[i].ssid, 1, WIFI_ICON_KEPT);
    }
}

static void show_scan_result(void)
{
    if (!wifi_scan_triggered || wifi_scan_populated || !wifi_scanner_is_scan_done()) {
        return;
    }
    wifi_scan_populated = 1;
    lv_obj_clean(s_lv_ui_page_wifi.other_list);

    char text[LOG_TEXT_LEN];
    int32_t m = 0;
    const wifi_ap_t *aps = wifi_scanner_get_ap_list(&m);
    UI_LOG("[WiFi-UI] scan complete: %d APs found\n", (int)m);
    for (int32_t k = 0; k < m; k++) {
        const int32_t icon = wifi_icon_id(&aps[k]);
        UI_LOG("[WiFi-UI] AP[%d]: SSID=\"%s\" SIG=%d ENC=%d -> icon=%d\n", (int)k,
               printable(aps[k].ssid, text, sizeof text), (int)aps[k].signal, (int)aps[k].encrypted, (int)icon);
        add_list_item(aps[k].ssid, 0, icon);
    }

    /* One copy of the record: its name and its state belong together, also
     * while a connection worker is writing it. */
    const wifi_conn_info_t *info = wifi_scanner_get_conn_info();
    int32_t n = 0;
    const wifi_saved_net_t *nets = wifi_scanner_get_saved_networks(&n);
    lv_obj_clean(s_lv_ui_page_wifi.my_list);
    for (int32_t i = n - 1; i >= 0; i--) {
        const int connected = info->connected != 0 && strcmp(nets[i].ssid, info->ssid) == 0;
        const int32_t icon = scanned_icon_id(aps, m, nets[i].ssid, connected);
        add_list_item(nets[i].ssid, 1, icon < 0 ? WIFI_ICON_KEPT : icon);
    }
    UI_LOG("[WiFi-UI] my_networks: %d saved refreshed\n", (int)n);
    hide_busy_icon(s_lv_ui_page_wifi.busy_icon);
}

static void mbox_close_cb(lv_event_t *e)
{
    lv_obj_t *mbox = (lv_obj_t *)lv_event_get_user_data(e);
    if (mbox != NULL) {
        lv_msgbox_close(mbox);
    }
}

static void show_conn_failure(const wifi_conn_info_t *info)
{
    UI_LOG("[WiFi-UI] Connection FAILED: %s\n", info->status);
    LV_LOG_USER("WiFi Connect Failed: %s", info->status);
    hide_busy_icon(s_lv_ui_page_wifi.busy_icon);

    lv_obj_t *mbox = lv_msgbox_create(lv_screen_active());
    lv_obj_set_size(mbox, 340, LV_SIZE_CONTENT);
    lv_obj_center(mbox);
    lv_msgbox_add_title(mbox, "Err");
    lv_msgbox_add_text(mbox, info->status);
    lv_obj_t *okey = lv_msgbox_add_footer_button(mbox, "okey");
    lv_obj_add_event_cb(okey, mbox_close_cb, LV_EVENT_CLICKED, mbox);
}

static void show_conn_success(const wifi_conn_info_t *info, const char *ip, const char *gateway, const char *netmask,
                              const char *dns)
{
    char text[LOG_TEXT_LEN];
    UI_LOG("[WiFi-UI] Connection SUCCESS\n");
    UI_LOG("[WiFi-UI]   SSID    : %s\n", printable(info->ssid, text, sizeof text));
    UI_LOG("[WiFi-UI]   IP      : %s\n", ip);
    UI_LOG("[WiFi-UI]   Gateway : %s\n", gateway);
    UI_LOG("[WiFi-UI]   Netmask : %s\n", netmask);
    UI_LOG("[WiFi-UI]   DNS     : %s\n", dns);
    LV_LOG_USER("WiFi Connected! IP: %s", ip);

    int32_t m = 0;
    const wifi_ap_t *aps = wifi_scanner_get_ap_list(&m);
    int32_t icon = WIFI_ICON_KEPT;
    for (int32_t k = 0; k < m; k++) {
        if (strcmp(aps[k].ssid, info->ssid) == 0) {
            icon = wifi_icon_id_connected(aps[k].signal);
            UI_LOG("[WiFi-UI]   Signal  : %d dBm -> icon %d\n", (int)aps[k].signal, (int)icon);
            break;
        }
    }
    lv_obj_clean(s_lv_ui_page_wifi.my_list);
    add_list_item(info->ssid, 1, icon);

    int32_t n = 0;
    const wifi_saved_net_t *nets = wifi_scanner_get_saved_networks(&n);
    for (int32_t i = n - 1; i >= 0; i--) {
        if (strcmp(nets[i].ssid, info->ssid) == 0) {
            continue;
        }
        const int32_t kept = scanned_icon_id(aps, m, nets[i].ssid, 0);
        add_list_item(nets[i].ssid, 1, kept < 0 ? WIFI_ICON_KEPT : kept);
    }
    UI_LOG("[WiFi-UI] my_networks: %d saved loaded\n", (int)n);
    hide_busy_icon(s_lv_ui_page_wifi.busy_icon);
}

static void show_conn_outcome(void)
{
    if (!wifi_conn_triggered || wifi_conn_handled || !wifi_scanner_is_conn_done()) {
        return;
    }
    wifi_conn_handled = 1;
    char ip[ADDR_LEN] = {0};
    char gateway[ADDR_LEN] = {0};
    char netmask[ADDR_LEN] = {0};
    char dns[ADDR_LEN] = {0};
    const int ok = wifi_scanner_get_conn_result(ip, gateway, netmask, dns);
    const wifi_conn_info_t *info = wifi_scanner_get_conn_info();
    if (ok) {
        show_conn_success(info, ip, gateway, netmask, dns);
    } else {
        show_conn_failure(info);
    }
}

int32_t ui_page_wifi_run(int32_t arg)
{
    LV_UNUSED(arg);
    load_saved_once();
    show_scan_result();
    show_conn_outcome();
    if (ui_run_page.flags.wifi_back) {
        ui_page_t *self = self_page();
        UI_LOG("---------------------------------> btn_back info father id %d \n", (int)self->father_id);
        self->status = em_UI_STATUS_READY;
        ui_run_page.flags.wifi_back = 0;
        /* Destroys this page: nothing of it may be touched after the call. */
        ui_run_page.entry_fn(self->father_id);
    }
    return 1;
}

/* -- event handlers ------------------------------------------------------- */

static void list_wifi_event_handler(lv_event_t *e)
{
    lv_ui_page_wifi_t *w = &s_lv_ui_page_wifi;
    hide_busy_icon(w->busy_icon);
    const char *ssid = (const char *)lv_event_get_user_data(e);
    if (ssid == NULL) {
        return;
    }
    char text[LOG_TEXT_LEN];
    UI_LOG("Clicked: %s\n", printable(ssid, text, sizeof text));
    lv_obj_t *label = (lv_obj_t *)lv_event_get_target(e);
    if (lv_obj_get_parent(lv_obj_get_parent(label)) != w->my_list) {
        /* The field keeps what was typed for another network. */
        lv_obj_remove_flag(w->overlay, LV_OBJ_FLAG_HIDDEN);
        lv_label_set_text(w->ssid_label, ssid);
        return;
    }
    UI_LOG("[WiFi-UI] connecting to saved network: %s\n", text);
    wifi_scanner_connect_saved(ssid);
    wifi_conn_handled = 0;
    wifi_conn_triggered = 1;
    show_busy_for_connection();
}

static void close_dialog(void)
{
    lv_ui_page_wifi_t *w = &s_lv_ui_page_wifi;
    lv_obj_set_pos(w->dialog, WIFI_DIALOG_X, WIFI_DIALOG_Y);
    lv_obj_add_flag(w->overlay, LV_OBJ_FLAG_HIDDEN);
    lv_obj_add_flag(w->kb_box, LV_OBJ_FLAG_HIDDEN);
}

static void textarea_wifi_event_handler(lv_event_t *e)
{
    LV_UNUSED(e);
    lv_ui_page_wifi_t *w = &s_lv_ui_page_wifi;
    lv_obj_set_pos(w->dialog, WIFI_DIALOG_X, WIFI_DIALOG_RAISED_Y);
    lv_obj_remove_flag(w->kb_box, LV_OBJ_FLAG_HIDDEN);
    lv_keyboard_set_textarea(w->keyboard, w->pwd_ta);
    /* One group for the field, whatever the number of taps. */
    if (pwd_group == NULL) {
        pwd_group = lv_group_create();
        lv_group_add_obj(pwd_group, w->pwd_ta);
    }
    lv_indev_t *indev = lv_indev_active();
    if (indev != NULL) {
        lv_indev_set_group(indev, pwd_group);
    }
}

static void show_password_event_cb(lv_event_t *e)
{
    LV_UNUSED(e);
    lv_ui_page_wifi_t *w = &s_lv_ui_page_wifi;
    lv_textarea_set_password_mode(w->pwd_ta, !lv_obj_has_state(w->show_pwd, LV_STATE_CHECKED));
}

static void group_wifi_connet_event_cb(lv_event_t *e)
{
    if (lv_event_get_code(e) != LV_EVENT_CLICKED) {
        return;
    }
    LV_LOG_USER("group_wifi_connet 被点击");
    close_dialog();
}

static const char *key_for_log(const char *key)
{
    for (size_t i = 0; i < sizeof untyped_keys / sizeof untyped_keys[0]; i++) {
        if (strcmp(key, untyped_keys[i]) == 0) {
            return key;
        }
    }
    return "*";
}

static void key_board_event_cb(lv_event_t *e)
{
    lv_ui_page_wifi_t *w = &s_lv_ui_page_wifi;
    const lv_event_code_t code = lv_event_get_code(e);
    if (code == LV_EVENT_READY) {
        /* The password is written to no log. */
        wifi_scanner_connect(lv_label_get_text(w->ssid_label), lv_textarea_get_text(w->pwd_ta));
        wifi_conn_triggered = 1;
        wifi_conn_handled = 0;
        show_busy_for_connection();
        close_dialog();
    } else if (code == LV_EVENT_CANCEL) {
        LV_LOG_USER("键盘输入取消");
    } else if (code == LV_EVENT_VALUE_CHANGED && lv_event_get_param(e) != NULL) {
        const uint32_t id = *(const uint32_t *)lv_event_get_param(e);
        const char *key = lv_keyboard_get_button_text(w->keyboard, id);
        if (key != NULL) {
            LV_LOG_USER("按键: %s", key_for_log(key));
        }
    }
}

static void ico_wifi_enable_event_cb(lv_event_t *e)
{
    lv_ui_page_wifi_t *w = &s_lv_ui_page_wifi;
    lv_obj_t *sw = (lv_obj_t *)lv_event_get_target(e);
    if (lv_obj_has_state(sw, LV_STATE_CHECKED)) {
        LV_LOG_USER("WiFi 开启");
        run_commands(switch_on_commands, sizeof switch_on_commands / sizeof switch_on_commands[0]);
        wifi_scan_triggered = 1;
        wifi_scan_populated = 0;
        wifi_scanner_trigger_scan();
        show_busy_icon(w->busy_icon);
    } else {
        LV_LOG_USER("WiFi 关闭");
        wifi_scanner_disconnect();
        /* Nothing found before WiFi went off may come back: no scan is
         * awaited now, and the next one starts from an empty list. */
        wifi_scanner_forget_scans();
        wifi_scan_populated = 1;
        run_commands(switch_off_commands, sizeof switch_off_commands / sizeof switch_off_commands[0]);
        lv_obj_clean(w->my_list);
        lv_obj_clean(w->other_list);
        hide_busy_icon(w->busy_icon);
    }
}

static void ico_wifi_back_event_cb(lv_event_t *e)
{
    LV_UNUSED(e);
    LV_LOG_USER("返回按钮被点击");
    /* The page is left at the next run, not inside this handler. */
    ui_run_page.flags.wifi_back = 1;
}

static void register_handlers(const lv_ui_page_wifi_t *w)
{
    lv_obj_add_event_cb(w->wifi_switch, ico_wifi_enable_event_cb, LV_EVENT_VALUE_CHANGED, NULL);
    lv_obj_add_event_cb(w->back_icon, ico_wifi_back_event_cb, LV_EVENT_CLICKED, NULL);
    lv_obj_add_event_cb(w->overlay, group_wifi_connet_event_cb, LV_EVENT_CLICKED, NULL);
    lv_obj_add_event_cb(w->show_pwd, show_password_event_cb, LV_EVENT_VALUE_CHANGED, NULL);
    lv_obj_add_event_cb(w->pwd_ta, textarea_wifi_event_handler, LV_EVENT_CLICKED, NULL);
    lv_obj_add_event_cb(w->keyboard, key_board_event_cb, LV_EVENT_ALL, NULL);
}

/* -- start and destroy ---------------------------------------------------- */

int32_t ui_page_wifi_start(void *arg)
{
    const int32_t father_id = arg != NULL ? *(const int32_t *)arg : 0;
    UI_LOG("ui_page father ID %d\n", (int)father_id);
    ui_page_t *self = self_page();
    if (self->status == em_UI_STATUS_IDLE) {
        lv_ui_page_wifi_t *w = &s_lv_ui_page_wifi;
        wifi_page_tree_build(ui_run_page.root_screen, w);
        register_handlers(w);
        wifi_scanner_set_interface(WIFI_IFNAME);
        wifi_scanner_trigger_scan();
        wifi_scan_triggered = 1;
        wifi_scan_populated = 0;
        start_busy_rotation(w->busy_icon);
    }
    self->status = em_UI_STATUS_READY;
    self->father_id = father_id;
    return PAGE_ID_WIFI;
}

int32_t ui_page_wifi_destroy(void)
{
    ui_page_t *self = self_page();
    if (self->status != em_UI_STATUS_READY) {
        return 0;
    }
    self->status = em_UI_STATUS_EXIT;
    lv_ui_page_wifi_t *w = &s_lv_ui_page_wifi;
    lv_obj_delete(w->root);
    lv_obj_delete(w->overlay);
    memset(w, 0, sizeof *w);
    if (pwd_group != NULL) {
        lv_group_delete(pwd_group);
        pwd_group = NULL;
    }
    self->status = em_UI_STATUS_IDLE;
    return self->father_id;
}

void ui_page_wifi_reset(void)
{
    wifi_scan_triggered = 0;
    wifi_scan_populated = 0;
    wifi_conn_triggered = 0;
    wifi_conn_handled = 0;
    wifi_saved_loaded = 0;
    is_busy_rotating = 0;
    pwd_group = NULL;
    memset(&s_lv_ui_page_wifi, 0, sizeof s_lv_ui_page_wifi);
}
