/*
 * UI start-up, the shared run-state record and the two page timers.
 *
 * ui_run_page is the single run-state record, zero at process start and
 * shared on the GUI thread by the page manager, the pages and the source
 * controllers; no lock guards it, so it must never be touched from another
 * thread.
 *
 * Page cadence: every fifth counted tick of the 10 ms timer raises the 50 ms
 * flag; the 2 ms timer consumes it and runs the main page's run hook (while
 * main_run is 2), then the current page's run hook (while its status is 2..4).
 */
#ifndef UI_DATA_UPDATE_H
#define UI_DATA_UPDATE_H

#include <stdint.h>

#include "lvgl.h"
#include "ui/list_data_ui.h"
#include "user/ui_page/page_status_ctrl.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The main page's widget table (defined with the main page). */
typedef struct lv_ui_page_main_t lv_ui_page_main_t;

#define UI_SCREEN_WIDTH 640
#define UI_SCREEN_HEIGHT 480

/* main_run value that keeps the main page's run hook going on every flag. */
#define UI_MAIN_RUN_ON 2

#define UI_FMT_TEXT_LEN 256
#define UI_POS_TEXT_LEN 128
#define UI_DUR_TEXT_LEN 64
#define UI_PLAY_TITLE_LEN 256

/* is_playing: the state the play/pause buttons show. */
#define UI_PLAY_PAUSED 0  /* the play icon */
#define UI_PLAY_PLAYING 1 /* the pause icon */

typedef struct ui_run_flags_t {
    uint8_t list_busy : 1; /* bit 0: an Airable list window is being requested */
    uint8_t : 4;
    uint8_t wifi_back : 1; /* bit 5: the WiFi page's back button was pressed */
    uint8_t : 2;
} ui_run_flags_t;

typedef int32_t (*ui_entry_fn_t)(int32_t page_id);

typedef struct ui_run_page_t {
    char fmt_text[UI_FMT_TEXT_LEN]; /* Airable audio-format label */
    char pos_text[UI_POS_TEXT_LEN]; /* Airable position "%02d:%02d" */
    char dur_text[UI_DUR_TEXT_LEN]; /* Airable duration "%02d:%02d" */
    lv_font_t *font_24;             /* FreeType 24 px; NULL when it failed */
    lv_font_t *font_32;             /* FreeType 32 px; NULL when it failed */
    lv_obj_t *root_screen;          /* parent of every page */
    ListDataUINode *list_head;      /* ListDataUI head; NULL when out of memory */
    ui_page_t *page_table;          /* = ui_page_table */
    lv_ui_page_main_t *page_main;   /* set after the main page's first start */
    ui_run_flags_t flags;
    int32_t main_run;                   /* UI_MAIN_RUN_ON: main page runs in the background */
    int32_t list_total;                 /* items of the current Airable list */
    int32_t list_last;                  /* index of the last item received */
    int32_t list_start;                 /* first index of the window to request */
    int32_t list_end;                   /* last index of that window */
    uint8_t is_playing;                 /* UI_PLAY_PAUSED or UI_PLAY_PLAYING */
    char play_title[UI_PLAY_TITLE_LEN]; /* Airable item last started from the list */
    int32_t app_id;                     /* active source: 2 AirPlay, 5 Airable, 6 Spotify, 0 none */
    int32_t airable_mode;               /* 1 radio, 2 podcast, 0 none */
    int32_t run_page_id;                /* current page */
    ui_entry_fn_t entry_fn;             /* = entry_ui_page */
} ui_run_page_t;

extern ui_run_page_t ui_run_page;

/* Periods of the two page timers, in milliseconds. */
#define UI_TICK_TIMER_PERIOD_MS 10
#define UI_RUN_TIMER_PERIOD_MS 2
/* 10 ms ticks per page-run flag. */
#define UI_TICKS_PER_RUN 5

/* Page framework start-up, then the two page timers. Called once by main. */
void ui_user_init(void);

/* 10 ms timer: counts ticks and raises the 50 ms flag on every fifth. */
void update_label_timer_cb(lv_timer_t *timer);
/* 2 ms timer: consumes the flag and runs the page hooks. */
void update_ui_timer_cb(lv_timer_t *timer);

/* The same two operations under a second name. */
void ui_timer_tick_cnt_fn(lv_timer_t *timer);
void ui_timer_tick_run_fn(lv_timer_t *timer);

#ifdef __cplusplus
}
#endif

#endif /* UI_DATA_UPDATE_H */
