/*
 * The sources, their tiles and the transport buttons. The AirPlay, Spotify,
 * Radio and Podcast tiles choose the active source and make sure its
 * service runs: when the probe finds it not running, all three services are
 * killed and the wanted one is started from the working directory. The
 * Radio and Podcast tiles also put their menu rows into the Airable list and
 * start the Airable handshakes in their mode. The previous, play/pause and
 * next buttons of both now-playing pages send their command to the active
 * source.
 *
 * What differs between the three sources is a row of the source table,
 * which the run hook's polling and the pager's status bar read too; what
 * differs between the four tiles is a row of the tile table.
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

/* Cover-art scale of the play/pause animation (256 is full size). */
#define ART_SCALE_FULL 255
#define ART_SCALE_PAUSED 200
#define ART_SCALE_MS 500

/* Start-up parameters of the Airable service. */
#define AIRABLE_ENDPOINT "https://partner-endpoint.example/radio"
#define AIRABLE_UDID "marlowen"
#define AIRABLE_SECRET "Qm7TxR2vLw9KpZ4nHc8YbD3fJs6GtE1a"

#define APP_ID_LOG "----------------------------->   ui_run_page.app_id   %d  ! \n"

/* -- the sources ---------------------------------------------------------- */

enum { SOURCE_AIRPLAY, SOURCE_SPOTIFY, SOURCE_AIRABLE, SOURCE_COUNT };

static const main_source_t sources[SOURCE_COUNT] = {
    {APP_ID_AIRPLAY, &service_airplay, airplay_media_ctrl, airplay_play_check_info, &img_ico_airplay_bar, true},
    {APP_ID_SPOTIFY, &service_spotify, spotify_media_ctrl, spotify_play_check_info, &img_ico_spotify_bar, true},
    {APP_ID_AIRABLE, &service_airable, airable_media_ctrl, airable_play_check_info, &img_ico_radio_bar, false},
};

const main_source_t *main_source_of(int32_t app_id)
{
    for (size_t i = 0; i < sizeof sources / sizeof sources[0]; i++) {
        const main_source_t *source = &sources[i];
        if (source->app_id == app_id) {
            return source;
        }
    }
    return NULL;
}

/* -- the tiles ------------------------------------------------------------ */

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

/* Flags of a tile. */
#define TILE_MARKS_BAR 0x1   /* the status bar shows the source's mark at the tap */
#define TILE_LOGS_APP_ID 0x2 /* the active source is logged around its change */

/* One source tile. The log lines are NULL where the tile logs nothing. */
typedef struct {
    const char *handler; /* the tap's handler, named in its log lines */
    const main_source_t *source;
    int32_t page;            /* the pager page it scrolls to */
    uint32_t flags;          /* TILE_MARKS_BAR, TILE_LOGS_APP_ID */
    const char *tapped_log;  /* at the tap */
    const char *running_log; /* the service runs: nothing is started */
    const char *launch_log;  /* before the service's start */
    int32_t mode;            /* Airable tiles: the mode they set up, else 0 */
    const char *const *menu; /* and their menu rows */
    size_t menu_count;
} source_tile_t;

static const source_tile_t tile_airplay = {
    "ico_airplay_event_cb",
    &sources[SOURCE_AIRPLAY],
    MAIN_PAGE_PLAYING_1,
    TILE_LOGS_APP_ID,
    "ico_airplay clicked: scroll to page_1\n",
    "ico_airplay: already running, skip\n",
    "ico_airplay: launch airplay_run\n",
    0,
    NULL,
    0,
};
static const source_tile_t tile_spotify = {
    "ico_spotify_event_cb",
    &sources[SOURCE_SPOTIFY],
    MAIN_PAGE_PLAYING_1,
    TILE_MARKS_BAR,
    "ico_spotify clicked: scroll to page_1\n",
    NULL,
    NULL,
    0,
    NULL,
    0,
};
static const source_tile_t tile_radio = {
    "ico_internet_radio_event_cb",
    &sources[SOURCE_AIRABLE],
    MAIN_PAGE_AIRABLE_LIST,
    0,
    NULL,
    "ico_internet_radio: already running, skip\n",
    "ico_internet_radio: launch airable_run\n",
    AIRABLE_MODE_RADIO,
    menu_names_radio,
    sizeof menu_names_radio / sizeof menu_names_radio[0],
};
static const source_tile_t tile_podcast = {
    "ico_podcast_event_cb",
    &sources[SOURCE_AIRABLE],
    MAIN_PAGE_AIRABLE_LIST,
    0,
    NULL,
    NULL,
    NULL,
    AIRABLE_MODE_PODCAST,
    menu_names_podcast,
    sizeof menu_names_podcast / sizeof menu_names_podcast[0],
};

static bool clicked(lv_event_t *e)
{
    return lv_event_get_code(e) == LV_EVENT_CLICKED;
}

static void skip_buttons_show(bool shown)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *const buttons[] = {m->page_1_previous, m->page_1_next, m->page_2_previous, m->page_2_next};
    for (size_t i = 0; i < sizeof buttons / sizeof buttons[0]; i++) {
        lv_obj_t *b = buttons[i];
        if (shown) {
            lv_obj_remove_flag(b, LV_OBJ_FLAG_HIDDEN);
        } else {
            lv_obj_add_flag(b, LV_OBJ_FLAG_HIDDEN);
        }
    }
}

static void active_source_set(const source_tile_t *tile)
{
    const bool logs = (tile->flags & TILE_LOGS_APP_ID) != 0;
    if (logs) {
        UI_LOG_FROM(tile->handler, APP_ID_LOG, (int)tile->source->app_id);
    }
    ui_run_page.app_id = tile->source->app_id;
    if (logs) {
        UI_LOG_FROM(tile->handler, APP_ID_LOG, (int)ui_run_page.app_id);
    }
}

/* True when the tile started its service: it was not running, and all
 * three were killed first. */
static bool service_started(const source_tile_t *tile)
{
    const main_source_t *source = tile->source;
    if (service_runs(source->service)) {
        if (tile->running_log) {
            UI_LOG_FROM(tile->handler, "%s", tile->running_log);
        }
        return false;
    }
    service_kill_all();
    if (tile->launch_log) {
        UI_LOG_FROM(tile->handler, "%s", tile->launch_log);
    }
    main_page_service_started(source->app_id);
    service_start(source->service);
    return true;
}

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

/* The Airable list with the tile's menu, and the handshakes in its mode. */
static void airable_menu_open(const source_tile_t *tile)
{
    set_bar_msg(NULL, tile->source->mark);
    clean_list_items();
    menu_rows_add(tile->menu, tile->menu_count);
    (void)airable_init_data(AIRABLE_ENDPOINT, AIRABLE_UDID, AIRABLE_SECRET);
    (void)airable_set_mode_async(tile->mode);
}

static void tile_clicked(const source_tile_t *tile)
{
    lv_obj_scroll_to_x(lv_ui_page_main.pager, tile->page * MAIN_PAGE_WIDTH, LV_ANIM_ON);
    if (tile->tapped_log) {
        UI_LOG_FROM(tile->handler, "%s", tile->tapped_log);
    }
    active_source_set(tile);
    if (tile->flags & TILE_MARKS_BAR) {
        set_bar_msg(NULL, tile->source->mark);
    }
    /* A service started just now knows no mode yet: it needs the
     * handshakes whatever mode the last one was given. */
    const bool started = service_started(tile);
    const bool new_mode = tile->mode != 0 && ui_run_page.airable_mode != tile->mode;
    if (!started && !new_mode) {
        return;
    }
    skip_buttons_show(tile->source->skips);
    if (tile->mode != 0) {
        airable_menu_open(tile);
    }
}

static void tile_event(lv_event_t *e, const source_tile_t *tile)
{
    if (clicked(e)) {
        tile_clicked(tile);
    }
}

void ico_airplay_event_cb(lv_event_t *e)
{
    tile_event(e, &tile_airplay);
}

void ico_spotify_event_cb(lv_event_t *e)
{
    tile_event(e, &tile_spotify);
}

void ico_internet_radio_event_cb(lv_event_t *e)
{
    tile_event(e, &tile_radio);
}

void ico_podcast_event_cb(lv_event_t *e)
{
    tile_event(e, &tile_podcast);
}

/* -- transport ------------------------------------------------------------ */

/* Sends a transport code to the active source; nothing without one. */
static void send_to_active_source(int code)
{
    const main_source_t *source = main_source_of(ui_run_page.app_id);
    if (source) {
        (void)source->control(code);
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
    const bool was_playing = ui_run_page.is_playing == UI_PLAY_PLAYING;
    const lv_image_dsc_t *icon = was_playing ? &img_ico_ctrl_music_play : &img_ico_ctrl_music_pause;
    lv_image_set_src(m->page_1_play, icon);
    lv_image_set_src(m->page_2_play, icon);
    ui_run_page.is_playing = was_playing ? UI_PLAY_PAUSED : UI_PLAY_PLAYING;
    const int32_t from = was_playing ? ART_SCALE_FULL : ART_SCALE_PAUSED;
    const int32_t to = was_playing ? ART_SCALE_PAUSED : ART_SCALE_FULL;
    art_scale(m->page_1_artwork, from, to);
    art_scale(m->page_2_art_holder, from, to);
}
