/*
 * Source tiles and transport buttons. The AirPlay, Spotify, Radio and
 * Podcast tiles choose the active source and make sure its service runs:
 * when the probe finds it not running, all three services are killed and
 * the wanted one is started from the working directory. The Radio and
 * Podcast tiles also put their menu rows into the Airable list and start the
 * Airable handshakes in their mode. The previous, play/pause and next
 * buttons of both now-playing pages send their command to the active source.
 *
 * Every shell command runs on the GUI thread and holds it while it runs, so
 * each carries a limit: one kill_one_app holds the thread for about two
 * seconds at most, whatever the processes it waits for do.
 */
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include "comm/airable_data_exchange.h"
#include "comm/airplay_data_exchange.h"
#include "comm/spotify_data_exchange.h"
#include "lib/cmd_runner.h"
#include "ui/ui_assets.h"
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"
#include "user/ui_page/ui_page_main_private.h"

#define COMMAND_LEN 128

/* Kill sequence. pkill matches the program name exactly (-x), not any
 * command line that merely contains it. */
#define KILL_COMMAND "pkill -9 -x %s 2>/dev/null"
#define KILL_WAIT_COMMAND "killall -w -9 %s 2>/dev/null"
#define PROBE_COMMAND "killall -0 %s 2>/dev/null"
#define PROBE_TRIES 50
#define PROBE_PAUSE_MS 20

/* Limits of one kill_one_app. "killall -w" waits for as long as a killed
 * process lingers (a zombie nobody reaps, a process stuck in the kernel), so
 * it gets a limit of its own and the probes only what is left of the budget.
 * A kill that works takes a few milliseconds of it. */
#define KILL_BUDGET_MS 2000
#define KILL_TIMEOUT_MS 500
#define KILL_WAIT_TIMEOUT_MS 1000
#define PROBE_TIMEOUT_MS 250
/* The tile's own probe decides whether to start the service: time enough
 * for a loaded machine. */
#define TILE_PROBE_TIMEOUT_MS 1000
/* A start command returns at once ("&"); the limit only cuts off a shell
 * that hangs. Killing the shell at it would take the service along. */
#define START_TIMEOUT_MS 2000

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

typedef struct {
    const char *name;  /* program name, as probed and killed */
    const char *start; /* start command, run from the working directory */
    int32_t app_id;
} service_t;

static const service_t airplay_service = {"airplay_run", "./airplay_run &", APP_ID_AIRPLAY};
static const service_t spotify_service = {"spotify_run", "./spotify_run &", APP_ID_SPOTIFY};
static const service_t airable_service = {"airable_run", "./airable_run &", APP_ID_AIRABLE};

/* Killed in this order before any service is started. */
static const service_t *const all_services[] = {&airplay_service, &airable_service, &spotify_service};

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

/* -- process control ------------------------------------------------------ */

static int64_t real_now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (int64_t)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

static void real_sleep_ms(uint32_t ms)
{
    struct timespec ts = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

static const main_proc_ops_t real_ops = {cmd_run_timeout, real_now_ms, real_sleep_ms};
static const main_proc_ops_t *proc = &real_ops;

void main_page_set_proc_ops(const main_proc_ops_t *ops)
{
    proc = ops ? ops : &real_ops;
}

static int run_named(const char *format, const char *name, int32_t timeout_ms)
{
    char command[COMMAND_LEN];
    snprintf(command, sizeof command, format, name);
    return proc->run(command, timeout_ms);
}

/* The probe's exit status: 0 while a process of that name exists. */
static int probe(const char *name, int32_t timeout_ms)
{
    errno = 0;
    return run_named(PROBE_COMMAND, name, timeout_ms);
}

/* For a tile: only a probe that says so finds the service. One that fails or
 * overruns its limit leads to a fresh start, which kills whatever is left. */
static bool service_runs(const service_t *s)
{
    return probe(s->name, TILE_PROBE_TIMEOUT_MS) == 0;
}

/* While killing: a probe cut off at its limit most likely hangs on that very
 * process, so it counts as one still there. */
static bool still_there(const char *name, int32_t timeout_ms)
{
    const int status = probe(name, timeout_ms);
    return status == 0 || (status == -1 && errno == ETIMEDOUT);
}

static int32_t clamp_timeout(int32_t limit, int64_t left)
{
    if (left <= 0) {
        return 0;
    }
    return left < limit ? (int32_t)left : limit;
}

void kill_one_app(const char *name)
{
    const int64_t deadline = proc->now_ms() + KILL_BUDGET_MS;
    /* The final probe's share is kept back from the steps before it. */
    const int64_t probes_until = deadline - PROBE_TIMEOUT_MS;
    (void)run_named(KILL_COMMAND, name, clamp_timeout(KILL_TIMEOUT_MS, probes_until - proc->now_ms()));
    (void)run_named(KILL_WAIT_COMMAND, name, clamp_timeout(KILL_WAIT_TIMEOUT_MS, probes_until - proc->now_ms()));
    for (int i = 0; i < PROBE_TRIES; i++) {
        const int64_t left = probes_until - proc->now_ms();
        if (left <= 0 || !still_there(name, clamp_timeout(PROBE_TIMEOUT_MS, left))) {
            break;
        }
        proc->sleep_ms(PROBE_PAUSE_MS);
    }
    if (still_there(name, clamp_timeout(PROBE_TIMEOUT_MS, deadline - proc->now_ms()))) {
        printf("warning: %s still alive (D-state?)\n", name);
    }
}

static void kill_all_services(void)
{
    for (size_t i = 0; i < sizeof all_services / sizeof all_services[0]; i++) {
        kill_one_app(all_services[i]->name);
    }
}

static void start_service(const service_t *s)
{
    main_page_service_started(s->app_id);
    (void)proc->run(s->start, START_TIMEOUT_MS);
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
    if (service_runs(&airplay_service)) {
        UI_LOG("ico_airplay: already running, skip\n");
        return;
    }
    skip_buttons_show(true);
    kill_all_services();
    UI_LOG("ico_airplay: launch airplay_run\n");
    start_service(&airplay_service);
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
    if (service_runs(&spotify_service)) {
        return;
    }
    skip_buttons_show(true);
    kill_all_services();
    start_service(&spotify_service);
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
    if (service_runs(&airable_service)) {
        if (tile->logs) {
            UI_LOG("ico_internet_radio: already running, skip\n");
        }
    } else {
        kill_all_services();
        if (tile->logs) {
            UI_LOG("ico_internet_radio: launch airable_run\n");
        }
        start_service(&airable_service);
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
