/*
 * Source tiles and transport buttons. The AirPlay, Spotify, Radio and
 * Podcast tiles choose the active source and make sure its service runs:
 * when the probe finds it not running, all three services are killed and
 * the wanted one is started from the working directory. The Radio and
 * Podcast tiles also put their menu rows into the Airable list and start the
 * Airable handshakes in their mode. The previous, play/pause and next
 * buttons of both now-playing pages send their command to the active source.
 *
 * The service supervisor runs the probes, kills and starts, on the GUI
 * thread: they hold it while they run, each within its limit.
 */
#include <stdio.h>
#include <stdlib.h>

#include "comm/airable_data_exchange.h"
#include "comm/airplay_data_exchange.h"
#include "comm/service_supervisor.h"
#include "comm/spotify_data_exchange.h"
#include "ui/ui_assets.h"
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"
#include "user/ui_page/ui_page_main_private.h"

#define PAGE_1_X MAIN_PAGE_WIDTH
#define PAGE_3_X (3 * MAIN_PAGE_WIDTH)

/* Cover-art scale of the play/pause animation (256 is full size). */
#define ART_SCALE_FULL 255
#define ART_SCALE_PAUSED 200
#define ART_SCALE_MS 500

/* Start-up parameters of the Airable service. */
#define AIRABLE_ENDPOINT "https://partner-endpoint.example/radio"
#define AIRABLE_UDID "marlowen"
#define AIRABLE_SECRET "Qm7TxR2vLw9KpZ4nHc8YbD3fJs6GtE1a"

/* The menu rows of the Airable tiles; the list recognises them by these
 * exact texts, trailing spaces included. */
static const char *const menu_names_radio[] = {
    "Play History ", "Local Radio ", "Radio List", "Favorite", "Menu Settings",
};
static const char *const menu_names_podcast[] = {
    "Play History ",
    "Podcast",
    "Favorite",
    "Menu Settings",
};

static void start_service(const service_t *s, int32_t app_id)
{
    main_page_service_started(app_id);
    service_start(s);
}

/* -- widgets -------------------------------------------------------------- */

static bool clicked(lv_event_t *e)
{
    return lv_event_get_code(e) == LV_EVENT_CLICKED;
}

static void skip_buttons_show(bool shown)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *const buttons[] = {m->page_1_previous, m->page_1_next, m->page_2_previous, m->page_2_next};
    for (lv_obj_t *b : buttons) {
        if (shown) {
            lv_obj_remove_flag(b, LV_OBJ_FLAG_HIDDEN);
        } else {
            lv_obj_add_flag(b, LV_OBJ_FLAG_HIDDEN);
        }
    }
}

/* The status bar shows the source's mark and no text. */
static void bar_mark(const lv_image_dsc_t *mark)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_label_set_text(m->bar_label, "");
    lv_obj_add_flag(m->bar_label, LV_OBJ_FLAG_HIDDEN);
    lv_image_set_src(m->bar_icon, mark);
    lv_obj_remove_flag(m->bar_icon, LV_OBJ_FLAG_HIDDEN);
}

/* -- AirPlay and Spotify -------------------------------------------------- */

void ico_airplay_event_cb(lv_event_t *e)
{
    if (!clicked(e)) {
        return;
    }
    lv_obj_scroll_to_x(lv_ui_page_main.pager, PAGE_1_X, LV_ANIM_ON);
    UI_LOG("ico_airplay clicked: scroll to page_1\n");
    UI_LOG("----------------------------->   ui_run_page.app_id   %d  ! \n", APP_ID_AIRPLAY);
    ui_run_page.app_id = APP_ID_AIRPLAY;
    UI_LOG("----------------------------->   ui_run_page.app_id   %d  ! \n", (int)ui_run_page.app_id);
    if (service_runs(&service_airplay)) {
        UI_LOG("ico_airplay: already running, skip\n");
        return;
    }
    skip_buttons_show(true);
    service_kill_all();
    UI_LOG("ico_airplay: launch airplay_run\n");
    start_service(&service_airplay, APP_ID_AIRPLAY);
}

void ico_spotify_event_cb(lv_event_t *e)
{
    if (!clicked(e)) {
        return;
    }
    lv_obj_scroll_to_x(lv_ui_page_main.pager, PAGE_1_X, LV_ANIM_ON);
    UI_LOG("ico_spotify clicked: scroll to page_1\n");
    ui_run_page.app_id = APP_ID_SPOTIFY;
    bar_mark(&img_ico_spotify_bar);
    if (service_runs(&service_spotify)) {
        return;
    }
    skip_buttons_show(true);
    service_kill_all();
    start_service(&service_spotify, APP_ID_SPOTIFY);
}

/* -- Radio and Podcast ---------------------------------------------------- */

static void menu_rows_add(const char *const *names, size_t count)
{
    for (size_t i = 0; i < count; i++) {
        list_msg_item_t *item = (list_msg_item_t *)malloc(sizeof *item);
        if (item == NULL) {
            continue;
        }
        item->type = 0;
        snprintf(item->name, sizeof item->name, "%s", names[i]);
        add_msg_item(item, 0, 1);
    }
}

typedef struct {
    int32_t mode;
    const char *const *menu;
    size_t menu_count;
    bool logs; /* the Radio tile logs its start and its skip */
} airable_tile_t;

static const airable_tile_t radio_tile = {AIRABLE_MODE_RADIO, menu_names_radio,
                                          sizeof menu_names_radio / sizeof menu_names_radio[0], true};
static const airable_tile_t podcast_tile = {AIRABLE_MODE_PODCAST, menu_names_podcast,
                                            sizeof menu_names_podcast / sizeof menu_names_podcast[0], false};

static void airable_tile_clicked(const airable_tile_t *tile)
{
    lv_obj_scroll_to_x(lv_ui_page_main.pager, PAGE_3_X, LV_ANIM_ON);
    ui_run_page.app_id = APP_ID_AIRABLE;
    bool started = false;
    if (service_runs(&service_airable)) {
        if (tile->logs) {
            UI_LOG("ico_internet_radio: already running, skip\n");
        }
    } else {
        service_kill_all();
        if (tile->logs) {
            UI_LOG("ico_internet_radio: launch airable_run\n");
        }
        start_service(&service_airable, APP_ID_AIRABLE);
        started = true;
    }
    /* A service started just now knows no mode yet: it needs the
     * handshakes whatever mode the last one was given. */
    if (!started && ui_run_page.airable_mode == tile->mode) {
        return;
    }
    skip_buttons_show(false);
    bar_mark(&img_ico_radio_bar);
    clean_list_items();
    menu_rows_add(tile->menu, tile->menu_count);
    (void)airable_init_data(AIRABLE_ENDPOINT, AIRABLE_UDID, AIRABLE_SECRET);
    (void)airable_set_mode_async(tile->mode);
}

void ico_internet_radio_event_cb(lv_event_t *e)
{
    if (clicked(e)) {
        airable_tile_clicked(&radio_tile);
    }
}

void ico_podcast_event_cb(lv_event_t *e)
{
    if (clicked(e)) {
        airable_tile_clicked(&podcast_tile);
    }
}

/* -- transport ------------------------------------------------------------ */

/* Sends a transport code to the active source; nothing without one. */
static void send_to_active_source(int code)
{
    switch (ui_run_page.app_id) {
    case APP_ID_AIRABLE:
        (void)airable_media_ctrl(code);
        break;
    case APP_ID_SPOTIFY:
        (void)spotify_media_ctrl(code);
        break;
    case APP_ID_AIRPLAY:
        (void)airplay_media_ctrl(code);
        break;
    default:
        break;
    }
}

void music_next_event_cb(lv_event_t *e)
{
    if (clicked(e)) {
        send_to_active_source(MEDIA_CTRL_NEXT);
    }
}

void music_previous_event_cb(lv_event_t *e)
{
    if (clicked(e)) {
        send_to_active_source(MEDIA_CTRL_PREVIOUS);
    }
}

/* Scales `obj` about its centre from `from` to `to`; the animation always
 * starts at `from`, whatever scale the object shows now. */
static void art_scale(lv_obj_t *obj, int32_t from, int32_t to)
{
    if (obj == NULL) {
        return;
    }
    lv_obj_set_style_transform_pivot_x(obj, lv_obj_get_width(obj) / 2, 0);
    lv_obj_set_style_transform_pivot_y(obj, lv_obj_get_height(obj) / 2, 0);
    lv_anim_t a;
    lv_anim_init(&a);
    lv_anim_set_var(&a, obj);
    lv_anim_set_exec_cb(&a, image_scale_anim_cb);
    lv_anim_set_values(&a, from, to);
    lv_anim_set_duration(&a, ART_SCALE_MS);
    lv_anim_start(&a);
}

/* The icon and the art follow the taps, whatever the service reports. */
void music_pause_event_cb(lv_event_t *e)
{
    if (!clicked(e)) {
        return;
    }
    send_to_active_source(MEDIA_CTRL_PLAY_PAUSE);
    lv_ui_page_main_t *m = &lv_ui_page_main;
    const bool was_playing = ui_run_page.is_playing == 1;
    const lv_image_dsc_t *icon = was_playing ? &img_ico_ctrl_music_play : &img_ico_ctrl_music_pause;
    lv_image_set_src(m->page_1_play, icon);
    lv_image_set_src(m->page_2_play, icon);
    ui_run_page.is_playing = was_playing ? 0 : 1;
    const int32_t from = was_playing ? ART_SCALE_FULL : ART_SCALE_PAUSED;
    const int32_t to = was_playing ? ART_SCALE_PAUSED : ART_SCALE_FULL;
    art_scale(m->page_1_artwork, from, to);
    art_scale(m->page_2_art_holder, from, to);
}
