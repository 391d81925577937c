/*
 * Now playing: the play-info records the AirPlay, Spotify and Airable
 * controllers decode, shown on page_1 (art, title, two lines) and page_2
 * (art, texts, progress bar, times, audio format).
 *
 * At a title change, and at the first record of a service a tile has just
 * started (its art is new whatever its title), the cover art is read one
 * second later, when the service has had time to write the new file. That second is waited on a
 * one-shot GUI timer, not by stopping the GUI thread: drawing, input, the
 * framework poll and the heartbeat feed go on meanwhile. A later title
 * change restarts the wait; a record without texts first carries out a
 * pending reload, so the art and the blanking land in the order they were
 * caused.
 */
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include "comm/app_proto.h"
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"
#include "user/ui_page/ui_page_main_private.h"

#define ART_RELOAD_DELAY_MS 1000
#define TIME_TEXT_LEN 64
#define MS_PER_MINUTE 60000u
#define MS_PER_SECOND 1000u
#define SECONDS_PER_MINUTE 60u
#define FULL_BAR 100
/* The Airable view refreshes the art and the format on every
 * (AIRABLE_ART_EVERY + 2)-th record with texts: the 22nd, 44th and so on. */
#define AIRABLE_ART_EVERY 20

/* How one source maps its record onto the pages. */
typedef struct {
    int32_t app_id;
    bool title_is_text2; /* Spotify: text2 is the title, text1 the other line */
    const char *art_path;
    bool reset_bar_on_title; /* Spotify empties the bar and times at a title change */
} source_view_t;

static const source_view_t airplay_view = {APP_ID_AIRPLAY, false, MAIN_ART_AIRPLAY, false};
static const source_view_t spotify_view = {APP_ID_SPOTIFY, true, MAIN_ART_SPOTIFY, true};
/* Airable reads its art on a count of records, not at a title change. */
static const source_view_t airable_view = {APP_ID_AIRABLE, true, MAIN_ART_SPOTIFY, false};

/* The art reload waiting for its second; timer NULL when none waits. */
static struct {
    lv_timer_t *timer;
    const char *path;
} pending_art;

/* Airable records with texts since the last art refresh. */
static int32_t cnt;

/* Sources whose service a tile has started since their last record with
 * texts, one bit per application id. */
static uint32_t started_afresh;

void main_page_now_playing_reset(void)
{
    pending_art.timer = NULL;
    pending_art.path = NULL;
    cnt = 0;
    started_afresh = 0;
}

static uint32_t source_bit(int32_t app_id)
{
    return app_id >= 0 && app_id < 32 ? 1u << app_id : 0;
}

void main_page_service_started(int32_t app_id)
{
    started_afresh |= source_bit(app_id);
}

/* True once after the source's service was started: the first record with
 * texts of a new service reads its art whatever its title. */
static bool first_record_of_new_service(int32_t app_id)
{
    const uint32_t bit = source_bit(app_id);
    const bool first = (started_afresh & bit) != 0;
    started_afresh &= ~bit;
    return first;
}

/* -- cover art ---------------------------------------------------------- */

/* Reads the art again and tints page_1 with its colour; the colour is
 * logged for AirPlay and Spotify only. */
static void art_reload(const char *path, bool log_colour)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    struct stat st;
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
        return;
    }
    /* The image cache keeps the decoded art under its path, and setting the
     * same path again reuses it: dropped, so that the new file is read. */
    lv_image_cache_drop(path);
    lv_image_set_src(m->page_1_artwork, NULL);
    lv_image_set_src(m->page_1_artwork, path);
    lv_image_set_src(m->page_2_artwork, path);
    const lv_color_t c = get_dominant_color(path);
    m->dominant_color = c;
    if (log_colour) {
        UI_LOG("[PAGE MAIN] dominant color: R=%d G=%d B=%d\n", c.red, c.green, c.blue);
    }
    lv_obj_set_style_bg_color(m->page_1, c, 0);
}

static void art_reload_timer_cb(lv_timer_t *timer)
{
    LV_UNUSED(timer);
    /* A one-shot timer: the library deletes it after this run. */
    pending_art.timer = NULL;
    art_reload(pending_art.path, true);
}

static void art_reload_later(const char *path)
{
    pending_art.path = path;
    if (pending_art.timer) {
        lv_timer_reset(pending_art.timer);
        return;
    }
    pending_art.timer = lv_timer_create(art_reload_timer_cb, ART_RELOAD_DELAY_MS, NULL);
    if (pending_art.timer == NULL) {
        art_reload(path, true);
        return;
    }
    lv_timer_set_repeat_count(pending_art.timer, 1);
}

static void art_reload_now_if_pending(void)
{
    if (pending_art.timer == NULL) {
        return;
    }
    lv_timer_delete(pending_art.timer);
    pending_art.timer = NULL;
    art_reload(pending_art.path, true);
}

/* -- progress ----------------------------------------------------------- */

/* The bar's range is signed 32-bit; a u32 beyond it is held at its top. */
static int32_t bar_value(uint32_t ms)
{
    return ms > (uint32_t)INT32_MAX ? INT32_MAX : (int32_t)ms;
}

/* "%02d:%02d" in unsigned arithmetic: the minutes go on past 59 and never
 * turn negative (a u32 of ms is at most 71582 minutes). */
static void format_time(char *out, size_t size, uint32_t ms)
{
    const unsigned minutes = ms / MS_PER_MINUTE;
    const unsigned seconds = (ms / MS_PER_SECOND) % SECONDS_PER_MINUTE;
    snprintf(out, size, "%02d:%02d", (int)minutes, (int)seconds);
}

/* The bar and the times of a record; the times are written into the
 * caller's buffers, which the labels copy. */
static void progress_show(const player_ui_info_t *info, char *position, size_t position_size, char *duration,
                          size_t duration_size)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    format_time(position, position_size, info->position_ms);
    format_time(duration, duration_size, info->duration_ms);
    /* A duration of 0 (not known) gets a range of its own and an empty bar. */
    const bool known = info->duration_ms > 0;
    lv_bar_set_range(m->page_2_bar, 0, known ? bar_value(info->duration_ms) : 1);
    lv_bar_set_value(m->page_2_bar, known ? bar_value(info->position_ms) : 0, LV_ANIM_ON);
    lv_label_set_text(m->page_2_position, position);
    lv_label_set_text(m->page_2_duration, duration);
}

/* A full bar and no times: a radio station has no length, and a new
 * Spotify title has none until its first record. */
static void progress_full(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_bar_set_range(m->page_2_bar, 0, FULL_BAR);
    lv_bar_set_value(m->page_2_bar, FULL_BAR, LV_ANIM_ON);
    lv_label_set_text(m->page_2_position, "");
    lv_label_set_text(m->page_2_duration, "");
}

/* -- texts -------------------------------------------------------------- */

static void show_if(lv_obj_t *obj, bool shown)
{
    if (shown) {
        lv_obj_remove_flag(obj, LV_OBJ_FLAG_HIDDEN);
    } else {
        lv_obj_add_flag(obj, LV_OBJ_FLAG_HIDDEN);
    }
}

static void texts_blank(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *const labels[] = {m->page_1_title,      m->page_1_line_2, m->page_1_line_3,
                                m->page_2_line_upper, m->page_2_title,  m->page_2_line_lower};
    for (size_t i = 0; i < sizeof labels / sizeof labels[0]; i++) {
        lv_obj_t *label = labels[i];
        lv_label_set_text(label, "");
        lv_obj_add_flag(label, LV_OBJ_FLAG_HIDDEN);
    }
    lv_obj_add_flag(m->page_1_text_column, LV_OBJ_FLAG_HIDDEN);
    lv_image_set_src(m->page_1_artwork, NULL);
}

static void title_changed(const source_view_t *view, const char *title)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_label_set_text(m->page_1_title, title);
    lv_label_set_text(m->page_2_title, title);
    art_reload_later(view->art_path);
    lv_label_set_text(m->page_2_format, "");
    if (view->reset_bar_on_title) {
        progress_full();
    }
}

/* The other text and text3 lines, each pair set only when it changed. */
static void lines_update(const char *other, const char *line)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    if (strcmp(lv_label_get_text(m->page_1_line_3), other) != 0) {
        lv_label_set_text(m->page_1_line_3, other);
        lv_label_set_text(m->page_2_line_lower, other);
    }
    if (strcmp(lv_label_get_text(m->page_1_line_2), line) != 0) {
        lv_label_set_text(m->page_1_line_2, line);
        lv_label_set_text(m->page_2_line_upper, line);
    }
}

/* Hidden labels keep their texts; the record's lengths decide, not the
 * lengths of the copied texts. */
static void texts_show(bool title_len, bool other_len, bool line_len)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    show_if(m->page_1_title, title_len);
    show_if(m->page_2_title, title_len);
    show_if(m->page_1_line_3, title_len && other_len);
    show_if(m->page_2_line_lower, title_len && other_len);
    show_if(m->page_1_line_2, title_len && line_len);
    show_if(m->page_2_line_upper, title_len && line_len);
    show_if(m->page_1_text_column, title_len);
}

static const char *title_of(const source_view_t *view, const player_ui_info_t *info)
{
    return view->title_is_text2 ? info->text2 : info->text1;
}

static const char *other_of(const source_view_t *view, const player_ui_info_t *info)
{
    return view->title_is_text2 ? info->text1 : info->text2;
}

static void texts_show_for(const source_view_t *view, const player_ui_info_t *info)
{
    texts_show((view->title_is_text2 ? info->len2 : info->len1) != 0,
               (view->title_is_text2 ? info->len1 : info->len2) != 0, info->len3 != 0);
}

/* False when there is no record, or one of nothing playing: then the texts
 * are blanked and art still due is read now. */
static bool record_playing(const player_ui_info_t *info)
{
    if (info == NULL) {
        return false;
    }
    if (info->state != PLAYER_STATE_TRACK) {
        art_reload_now_if_pending();
        texts_blank();
        return false;
    }
    return true;
}

static bool title_differs(const char *title)
{
    return strcmp(lv_label_get_text(lv_ui_page_main.page_1_title), title) != 0;
}

static void now_playing_show(const source_view_t *view, const player_ui_info_t *info)
{
    if (!record_playing(info)) {
        return;
    }
    const bool first = first_record_of_new_service(view->app_id);
    if (first || title_differs(title_of(view, info))) {
        title_changed(view, title_of(view, info));
    }
    char position[TIME_TEXT_LEN];
    char duration[TIME_TEXT_LEN];
    progress_show(info, position, sizeof position, duration, sizeof duration);
    lines_update(other_of(view, info), info->text3);
    texts_show_for(view, info);
}

void airplay_ui_event_cb(const player_ui_info_t *info)
{
    now_playing_show(&airplay_view, info);
}

void spotify_ui_event_cb(const player_ui_info_t *info)
{
    now_playing_show(&spotify_view, info);
}

/* -- Airable ------------------------------------------------------------ */

/* The art and its colour, then the audio format, on every 22nd record. */
static void airable_art_and_format(const player_ui_info_t *info)
{
    if (cnt <= AIRABLE_ART_EVERY) {
        cnt++;
        return;
    }
    cnt = 0;
    art_reload(MAIN_ART_SPOTIFY, false);
    snprintf(ui_run_page.fmt_text, sizeof ui_run_page.fmt_text, "%uCH|%uHz|%uKb/s", (unsigned)info->channels,
             (unsigned)info->sample_rate, (unsigned)info->bit_rate);
    lv_label_set_text(lv_ui_page_main.page_2_format, ui_run_page.fmt_text);
}

/* A radio station has no length; a podcast episode shows its times. */
static void airable_progress(const player_ui_info_t *info)
{
    if (ui_run_page.airable_mode == AIRABLE_MODE_RADIO) {
        progress_full();
        return;
    }
    progress_show(info, ui_run_page.pos_text, sizeof ui_run_page.pos_text, ui_run_page.dur_text,
                  sizeof ui_run_page.dur_text);
}

void airable_now_playing_show(const player_ui_info_t *info)
{
    if (!record_playing(info)) {
        return;
    }
    lv_ui_page_main_t *m = &lv_ui_page_main;
    const char *title = title_of(&airable_view, info);
    if (title_differs(title)) {
        lv_label_set_text(m->page_1_title, title);
        lv_label_set_text(m->page_2_title, title);
    }
    if (first_record_of_new_service(airable_view.app_id)) {
        cnt = AIRABLE_ART_EVERY + 1;
    }
    airable_art_and_format(info);
    airable_progress(info);
    lines_update(other_of(&airable_view, info), info->text3);
    texts_show_for(&airable_view, info);
}
