/* The main page's chrome: the volume tile and panel with the mixer, the
 * control overlays of the now-playing pages, the status bar, the home icon,
 * the Settings tile, the back icon of the Airable list and the cover-art
 * scale. */
#include <stdio.h>

#include "lib/cmd_runner.h"
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"
#include "user/ui_page/page_status_ctrl.h"
#include "user/ui_page/ui_page_main_private.h"

/* Sets the simple control 'PCM' of sound card 0 to the arc's per cent. */
#define MIXER_COMMAND "amixer -c 0 sset 'PCM' %d%%"
#define MIXER_COMMAND_LEN 64
/* A mixer that hangs must not hold the GUI thread: one set takes a few
 * milliseconds, so this only cuts off a broken one. */
#define MIXER_TIMEOUT_MS 2000
#define VOLUME_TEXT_LEN 16

static bool clicked(lv_event_t *e)
{
    return lv_event_get_code(e) == LV_EVENT_CLICKED;
}

static void toggle_hidden(lv_obj_t *obj)
{
    if (lv_obj_has_flag(obj, LV_OBJ_FLAG_HIDDEN)) {
        lv_obj_remove_flag(obj, LV_OBJ_FLAG_HIDDEN);
    } else {
        lv_obj_add_flag(obj, LV_OBJ_FLAG_HIDDEN);
    }
}

void sys_volume_event_cb(lv_event_t *e)
{
    if (!clicked(e)) {
        return;
    }
    toggle_hidden(lv_ui_page_main.panel_volume);
    UI_LOG("sys_volume_event_cb clicked:  \n");
}

void panel_volume_click_cb(lv_event_t *e)
{
    /* Taps on the arc (and on the label and icon inside its box) are the
     * arc's; only a tap on the panel itself closes it. */
    if (!clicked(e) || lv_event_get_target(e) != lv_ui_page_main.panel_volume) {
        return;
    }
    lv_obj_add_flag(lv_ui_page_main.panel_volume, LV_OBJ_FLAG_HIDDEN);
    UI_LOG("panel_volume clicked: hide self\n");
}

/* Every value the arc reports while dragged runs one mixer command; the
 * mixer is only written, never read, and its result is not examined. */
void volume_set_event_cb(lv_event_t *e)
{
    if (lv_event_get_code(e) != LV_EVENT_VALUE_CHANGED) {
        return;
    }
    const int32_t volume = lv_arc_get_value((lv_obj_t *)lv_event_get_target(e));
    char command[MIXER_COMMAND_LEN];
    snprintf(command, sizeof command, MIXER_COMMAND, (int)volume);
    (void)cmd_run_timeout(command, MIXER_TIMEOUT_MS);

    char text[VOLUME_TEXT_LEN];
    snprintf(text, sizeof text, "%d", (int)volume);
    lv_label_set_text(lv_ui_page_main.label_volume, text);
    UI_LOG("volume_set_event_cb: volume=%d\n", (int)volume);
}

/* A tap reaches a now-playing page only where no clickable widget of it
 * lies: the veil of its overlay takes none, the buttons and texts do. */
void page_1_click_event_cb(lv_event_t *e)
{
    if (!clicked(e)) {
        return;
    }
    lv_obj_t *overlay = lv_ui_page_main.group_ctrl_page_1;
    if (lv_obj_has_flag(overlay, LV_OBJ_FLAG_HIDDEN)) {
        lv_obj_remove_flag(overlay, LV_OBJ_FLAG_HIDDEN);
        UI_LOG("page_1 clicked: show ctrl panel\n");
    } else {
        lv_obj_add_flag(overlay, LV_OBJ_FLAG_HIDDEN);
        UI_LOG("page_1 clicked: hide ctrl panel\n");
    }
}

void page_2_click_event_cb(lv_event_t *e)
{
    if (!clicked(e)) {
        return;
    }
    lv_obj_t *overlay = lv_ui_page_main.group_ctrl_page_2;
    if (lv_obj_has_flag(overlay, LV_OBJ_FLAG_HIDDEN)) {
        lv_obj_remove_flag(overlay, LV_OBJ_FLAG_HIDDEN);
        UI_LOG("page_2 clicked: show ctrl panel\n");
    } else {
        lv_obj_add_flag(overlay, LV_OBJ_FLAG_HIDDEN);
        UI_LOG("page_2 clicked: hide ctrl panel\n");
    }
}

/* The overlay is not clickable, so the library never hands it a click; a
 * tap on it closes it through page_1_click_event_cb instead. */
void group_ctrl_page_1_click_cb(lv_event_t *e)
{
    if (!clicked(e)) {
        return;
    }
    lv_obj_add_flag((lv_obj_t *)lv_event_get_target(e), LV_OBJ_FLAG_HIDDEN);
    UI_LOG("group_ctrl_page_1 clicked: hide self\n");
}

void set_bar_msg(const char *text, const lv_image_dsc_t *icon)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    if (text) {
        lv_label_set_text(m->bar_label, text);
        lv_obj_remove_flag(m->bar_label, LV_OBJ_FLAG_HIDDEN);
    } else {
        lv_label_set_text(m->bar_label, "");
        lv_obj_add_flag(m->bar_label, LV_OBJ_FLAG_HIDDEN);
    }
    lv_image_set_src(m->bar_icon, icon);
    if (icon) {
        lv_obj_remove_flag(m->bar_icon, LV_OBJ_FLAG_HIDDEN);
    } else {
        lv_obj_add_flag(m->bar_icon, LV_OBJ_FLAG_HIDDEN);
    }
}

/* The pager's scroll handler follows the animation: overlays, status bar
 * and the current page. */
void ico_page_main_event_cb(lv_event_t *e)
{
    if (!clicked(e)) {
        return;
    }
    lv_obj_scroll_to_x(lv_ui_page_main.pager, 0, LV_ANIM_ON);
    UI_LOG("ico_page_main clicked: scroll to page_0\n");
}

void ico_set_event_cb(lv_event_t *e)
{
    if (!clicked(e)) {
        return;
    }
    /* The text ends with a newline and one space. */
    UI_LOG("ico_set_event_cb \n ");
    (void)ui_run_page.entry_fn(PAGE_ID_WIFI);
}

void ico_radio_back_event_cb(lv_event_t *e)
{
    if (!clicked(e)) {
        return;
    }
    UI_LOG("ico_radio_back clicked\n");
}

void image_scale_anim_cb(void *var, int32_t value)
{
    lv_obj_t *obj = (lv_obj_t *)var;
    lv_obj_set_style_transform_scale_x(obj, value, 0);
    lv_obj_set_style_transform_scale_y(obj, value, 0);
}
