/*
 * What the main page's sources share among themselves: the event callbacks
 * that the widget tree registers, the now-playing callbacks that the start
 * hook hands to the controllers, and the helpers one concern offers another.
 * Nothing outside src/user/ui_page/ui_page_main*.cpp includes this, but the
 * tests of the page.
 */
#ifndef UI_PAGE_MAIN_PRIVATE_H
#define UI_PAGE_MAIN_PRIVATE_H

#include <stdint.h>

#include "lvgl.h"
#include "comm/airable_data_exchange.h"
#include "comm/player_msg.h"
#include "comm/service_supervisor.h"
#include "user/ui_page/ui_page_main.h"

#define MAIN_PAGE_WIDTH 640
#define MAIN_PAGE_HEIGHT 480

/* The pager's pages that show a source. */
enum { MAIN_PAGE_PLAYING_1 = 1, MAIN_PAGE_PLAYING_2 = 2, MAIN_PAGE_AIRABLE_LIST = 3 };

/* Cover-art files the services write into the working directory. */
#define MAIN_ART_AIRPLAY "./artwork.jpg"
#define MAIN_ART_SPOTIFY "./artwork"

/* Row buffer of a list row: owned by the row it hangs on (257 bytes). */
#define LIST_MSG_NAME_LEN 256
#define LIST_MSG_TYPE_PLAYABLE '0'
typedef struct list_msg_item_t {
    uint8_t type; /* '0' playable item, anything else a folder */
    char name[LIST_MSG_NAME_LEN];
} list_msg_item_t;

/* Widget tree (ui_page_main_tree.cpp): builds every widget of the table on
 * the root screen and registers the event callbacks. */
void main_page_build(void);

/* Start values of the concerns' own state, set when the tree is built. */
void main_page_pager_reset(void);
void main_page_now_playing_reset(void);
void main_page_list_reset(void);
void main_page_busy_reset(void);

/* Chrome (ui_page_main_chrome.cpp): overlays, volume, status bar, home,
 * settings, back. */
void sys_volume_event_cb(lv_event_t *e);
void panel_volume_click_cb(lv_event_t *e);
void volume_set_event_cb(lv_event_t *e);
void page_1_click_event_cb(lv_event_t *e);
void page_2_click_event_cb(lv_event_t *e);
void group_ctrl_page_1_click_cb(lv_event_t *e);
void ico_page_main_event_cb(lv_event_t *e);
void ico_set_event_cb(lv_event_t *e);
void ico_radio_back_event_cb(lv_event_t *e);
/* Status bar: a text shows the label (NULL hides it), an image the source
 * icon (NULL hides it). */
void set_bar_msg(const char *text, const lv_image_dsc_t *icon);
/* Animation exec callback: the object's transform scale (256 = full size). */
void image_scale_anim_cb(void *var, int32_t value);

/* Pager (ui_page_main_pager.cpp). */
void main_page_scroll_event_cb(lv_event_t *e);
/* The page nearest to a horizontal scroll position, half-way going to the
 * higher page, held within 0 .. 5. */
int32_t main_page_index_at(int32_t scroll_x);
/* The pager's page in view. */
lv_obj_t *get_current_page_obj(void);

/* Now playing (ui_page_main_now_playing.cpp). */
void airplay_ui_event_cb(const player_ui_info_t *info);
void spotify_ui_event_cb(const player_ui_info_t *info);
/* The Airable view of a play-info record: Spotify's texts; the art, the
 * colour and the audio format on every 22nd record with texts; in radio
 * mode a full bar and no times. */
void airable_now_playing_show(const player_ui_info_t *info);
/* A tile started the service of that application id afresh: its first
 * record with texts reads the art and colour, whatever its title (for
 * Airable, whatever the count of records). */
void main_page_service_started(int32_t app_id);

/* Cover-art colour (ui_page_main_art_color.cpp): the most populated cell of a
 * 512-cell colour histogram of the JPEG at `path`, decoded at 1/8 size, as
 * the cell's lower bound; black on every failure. */
lv_color_t get_dominant_color(const char *path);

/* Sources, their tiles and the transport (ui_page_main_sources.cpp).
 *
 * A source of the player, one per service: all that the tiles, the
 * transport buttons, the run hook's polling and the status bar do
 * differently for AirPlay, Spotify and Airable. */
typedef struct main_source_t {
    int32_t app_id;
    const service_t *service;   /* its program, started by the tiles */
    int (*control)(int code);   /* next, previous, play/pause */
    int (*query)(void);         /* the play-info query */
    const lv_image_dsc_t *mark; /* the status bar's source icon */
    bool skips;                 /* the previous and next buttons are shown */
} main_source_t;

/* The source of that application id (the run-state record's app_id), or
 * NULL for none. */
const main_source_t *main_source_of(int32_t app_id);

void ico_airplay_event_cb(lv_event_t *e);
void ico_spotify_event_cb(lv_event_t *e);
void ico_internet_radio_event_cb(lv_event_t *e);
void ico_podcast_event_cb(lv_event_t *e);
void music_pause_event_cb(lv_event_t *e);
void music_previous_event_cb(lv_event_t *e);
void music_next_event_cb(lv_event_t *e);

/* Busy overlay (ui_page_main_busy.cpp): start shows it and turns its image,
 * unless one is up; stop takes it away; the close icon runs stop. */
void main_start_busy_rotation(void);
void main_stop_busy_rotation(void);
void busy_back_event_cb(lv_event_t *e);

/* Lists (ui_page_main_list.cpp). A row takes over `item` (it frees it when
 * it is deleted); with_icon and enter are flags. */
void list_add_item(lv_obj_t *parent, list_msg_item_t *item, int with_icon, int enter);
void add_msg_item(list_msg_item_t *item, int with_icon, int enter);
/* Empties the Airable list and its count label. */
void clean_list_items(void);
/* Shows `src` as the marker of the first Airable row reading `title`, or
 * hides it for NULL; 1 when such a row exists. */
int set_enter_icon_by_title(const char *title, const lv_image_dsc_t *src);
void list_msg_item_event_cb(lv_event_t *e);
void list_scroll_begin_cb(lv_event_t *e);
void list_scroll_end_cb(lv_event_t *e);
/* A list reply of the service: its items one by one, then its end. The
 * first item replaces the rows; an end without items empties the list. */
void list_reply_item(const airable_list_item_t *item);
void list_reply_done(const airable_list_count_t *count);

/* Airable UI events (ui_page_main_airable_events.cpp): the callback the
 * start hook registers with the Airable controller. */
void airable_ui_event_cb(int event, void *data);

/* The window of the first list request of a browse. */
#define MAIN_LIST_FIRST_START 0
#define MAIN_LIST_FIRST_END 20

#endif /* UI_PAGE_MAIN_PRIVATE_H */
