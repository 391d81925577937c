/*
 * Now playing for AirPlay and Spotify: the play-info records their
 * controllers decode, shown on page_1 (art, title, two lines) and page_2
 * (art, texts, progress bar, times).
 *
 * At a title change the cover art is read one second later, when the
 * service has had time to write the new file. That second is waited on a
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

#include "ui/ui_log.h"
#include "user/ui_page/ui_page_main_private.h"

#define ART_RELOAD_DELAY_MS 1000
#define TIME_TEXT_LEN 64
#define MS_PER_MINUTE 60000u
#define MS_PER_SECOND 1000u
#define SECONDS_PER_MINUTE 60u
#define SPOTIFY_RESET_RANGE 100

/* How one source maps its record onto the pages. */
typedef struct {
    bool title_is_text2;      /* Spotify: text2 is the title, text1 the other line */
    const char *art_path;
    bool reset_bar_on_title;  /* Spotify empties the bar and times at a title change */
} source_view_t;

static const source_view_t airplay_view = {false, MAIN_ART_AIRPLAY, false};
static const source_view_t spotify_view = {true, MAIN_ART_SPOTIFY, true};

/* The art reload waiting for its second; timer NULL when none waits. */
static struct {
    lv_timer_t *timer;
    const char *path;
} pending_art;

void main_page_now_playing_reset(void)
{
    pending_art.timer = NULL;
    pending_art.path = NULL;
}

/* -- cover art ---------------------------------------------------------- */

static void art_reload(const char *path)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    struct stat st;
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
        return;
    }
    /* Cleared first, so the same path is read again. */
    lv_image_set_src(m->page_1_artwork, NULL);
    lv_image_set_src(m->page_1_artwork, path);
    lv_image_set_src(m->page_2_artwork, path);
    const lv_color_t c = get_dominant_color(path);
    m->dominant_color = c;
    UI_LOG("[PAGE MAIN] dominant color: R=%d G=%d B=%d\n", c.red, c.green, c.blue);
    lv_obj_set_style_bg_color(m->page_1, c, 0);
}

static void art_reload_timer_cb(lv_timer_t *timer)
{
    LV_UNUSED(timer);
    /* A one-shot timer: the library deletes it after this run. */
    pending_art.timer = NULL;
    art_reload(pending_art.path);
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
        art_reload(path);
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
    art_reload(pending_art.path);
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

static void progress_show(const player_ui_info_t *info)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    char position[TIME_TEXT_LEN];
    char duration[TIME_TEXT_LEN];
    format_time(position, sizeof position, info->position_ms);
    format_time(duration, sizeof duration, info->duration_ms);
    /* A duration of 0 (not known) gets a range of its own and an empty bar. */
    const bool known = info->duration_ms > 0;
    lv_bar_set_range(m->page_2_bar, 0, known ? bar_value(info->duration_ms) : 1);
    lv_bar_set_value(m->page_2_bar, known ? bar_value(info->position_ms) : 0, LV_ANIM_ON);
    lv_label_set_text(m->page_2_position, position);
    lv_label_set_text(m->page_2_duration, duration);
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
    for (lv_obj_t *label : labels) {
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
        lv_bar_set_range(m->page_2_bar, 0, SPOTIFY_RESET_RANGE);
        lv_bar_set_value(m->page_2_bar, SPOTIFY_RESET_RANGE, LV_ANIM_ON);
        lv_label_set_text(m->page_2_position, "");
        lv_label_set_text(m->page_2_duration, "");
    }
}

static void now_playing_show(const source_view_t *view, const player_ui_info_t *info)
{
    if (info == NULL) {
        return;
    }
    if (info->state != 1) {
        art_reload_now_if_pending();
        texts_blank();
        return;
    }
    lv_ui_page_main_t *m = &lv_ui_page_main;
    const char *title = view->title_is_text2 ? info->text2 : info->text1;
    const char *other = view->title_is_text2 ? info->text1 : info->text2;
    const bool title_len = (view->title_is_text2 ? info->len2 : info->len1) != 0;
    const bool other_len = (view->title_is_text2 ? info->len1 : info->len2) != 0;
    const bool line_len = info->len3 != 0;

    if (strcmp(lv_label_get_text(m->page_1_title), title) != 0) {
        title_changed(view, title);
    }
    progress_show(info);
    if (strcmp(lv_label_get_text(m->page_1_line_3), other) != 0) {
        lv_label_set_text(m->page_1_line_3, other);
        lv_label_set_text(m->page_2_line_lower, other);
    }
    if (strcmp(lv_label_get_text(m->page_1_line_2), info->text3) != 0) {
        lv_label_set_text(m->page_1_line_2, info->text3);
        lv_label_set_text(m->page_2_line_upper, info->text3);
    }

    /* Hidden labels keep their texts; the record's lengths decide, not the
     * lengths of the copied texts. */
    show_if(m->page_1_title, title_len);
    show_if(m->page_2_title, title_len);
    show_if(m->page_1_line_3, title_len && other_len);
    show_if(m->page_2_line_lower, title_len && other_len);
    show_if(m->page_1_line_2, title_len && line_len);
    show_if(m->page_2_line_upper, title_len && line_len);
    show_if(m->page_1_text_column, title_len);
}

void airplay_ui_event_cb(const player_ui_info_t *info)
{
    now_playing_show(&airplay_view, info);
}

void spotify_ui_event_cb(const player_ui_info_t *info)
{
    now_playing_show(&spotify_view, info);
}
