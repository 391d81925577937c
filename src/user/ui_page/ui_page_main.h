/*
 * The main page (page 0): a horizontal pager of six full-screen pages (home
 * grid with clock and date, two now-playing pages, the Airable list, a fixed
 * four-row list, an empty page), with the status bar and the volume panel
 * above it.
 *
 * The widget table lv_ui_page_main is the one place through which the rest
 * of the interface reaches the main page's widgets. The first start builds
 * the whole tree on the root screen and registers the event callbacks and the
 * source controllers; the tree then lives until the process ends. Leaving
 * page 0 only hides the pager. Everything here runs on the GUI thread.
 */
#ifndef UI_PAGE_MAIN_H
#define UI_PAGE_MAIN_H

#include <stdint.h>
#include <time.h>

#include "lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

#define MAIN_PAGE_COUNT 6
#define MAIN_TILE_COUNT 20

/* One tile of the home grid; the icon takes the taps. */
typedef struct main_tile_t {
    lv_obj_t *tile;
    lv_obj_t *label;
    lv_obj_t *icon;
} main_tile_t;

/* Tiles with a callback, by their index in the grid (row by row, 4 a row). */
enum {
    MAIN_TILE_AIRPLAY = 0,
    MAIN_TILE_SPOTIFY = 1,
    MAIN_TILE_RADIO = 2,
    MAIN_TILE_SETTINGS = 4,
    MAIN_TILE_PODCAST = 5,
    MAIN_TILE_VOLUME = 7,
};

typedef struct lv_ui_page_main_t {
    /* Busy overlay; all NULL while no overlay is up. */
    lv_obj_t *busy_obj;
    lv_obj_t *busy_close;
    lv_obj_t *busy_image;
    lv_obj_t *busy_label;

    lv_obj_t *page_root;
    lv_obj_t *pager; /* hidden by the page manager while another page is current */

    /* page_0: home */
    lv_obj_t *page_0;
    lv_obj_t *page_0_header;
    lv_obj_t *label_brand;
    lv_obj_t *label_date;
    lv_obj_t *label_time;
    lv_obj_t *tile_grid;
    main_tile_t tiles[MAIN_TILE_COUNT];

    /* page_1: full-height cover art under its control overlay */
    lv_obj_t *page_1;
    lv_obj_t *page_1_artwork;
    lv_obj_t *group_ctrl_page_1;
    lv_obj_t *page_1_ctrl_column;
    lv_obj_t *page_1_ctrl_row;
    lv_obj_t *page_1_random;
    lv_obj_t *page_1_previous;
    lv_obj_t *page_1_repeat;
    lv_obj_t *page_1_play;
    lv_obj_t *page_1_next;
    lv_obj_t *page_1_text_column;
    lv_obj_t *page_1_title;
    lv_obj_t *page_1_line_2;
    lv_obj_t *page_1_line_3;

    /* page_2: art, texts, progress and times */
    lv_obj_t *page_2;
    lv_obj_t *page_2_art_holder;
    lv_obj_t *page_2_artwork;
    lv_obj_t *page_2_bar;
    lv_obj_t *page_2_position;
    lv_obj_t *page_2_duration;
    lv_obj_t *page_2_format;
    lv_obj_t *page_2_favorite_3;
    lv_obj_t *page_2_favorite_1;
    lv_obj_t *page_2_text_column;
    lv_obj_t *page_2_line_lower;
    lv_obj_t *page_2_title;
    lv_obj_t *page_2_line_upper;
    lv_obj_t *group_ctrl_page_2;
    lv_obj_t *page_2_ctrl_column;
    lv_obj_t *page_2_ctrl_row;
    lv_obj_t *page_2_random;
    lv_obj_t *page_2_previous;
    lv_obj_t *page_2_play;
    lv_obj_t *page_2_next;
    lv_obj_t *page_2_repeat;

    /* page_3: the Airable list */
    lv_obj_t *page_3;
    lv_obj_t *page_3_count;
    lv_obj_t *ico_radio_back;
    lv_obj_t *list_radio;

    /* page_5: empty; page_4: the fixed list */
    lv_obj_t *page_5;
    lv_obj_t *page_4;
    lv_obj_t *list_info;

    int32_t cur_page;          /* pager page in view, 0 .. 5 */
    lv_color_t dominant_color; /* of the last cover art that tinted page_1 */

    /* Status bar above the pager */
    lv_obj_t *status_bar;
    lv_obj_t *ico_page_main;
    lv_obj_t *bar_label;
    lv_obj_t *bar_icon;

    /* The list row built last, in any list; nothing reads these. */
    lv_obj_t *row_obj;
    lv_obj_t *row_marker;
    lv_obj_t *row_box;
    lv_obj_t *row_icon;
    lv_obj_t *row_label;

    /* Volume panel above the status bar */
    lv_obj_t *panel_volume;
    lv_obj_t *panel_volume_icon;
    lv_obj_t *arc_volume;
    lv_obj_t *label_volume;
} lv_ui_page_main_t;

extern lv_ui_page_main_t lv_ui_page_main;

/* Page hooks of entry PAGE_ID_MAIN. start builds and registers on its first
 * call and only shows the pager on later ones; it always gives PAGE_ID_MAIN.
 * run polls the active source (every 10th call) and updates the clock and
 * date (every 50th). destroy only stops the background run. */
int32_t ui_page_main_start(void *arg);
int32_t ui_page_main_run(int32_t arg);
int32_t ui_page_main_destroy(void);

/* Where the clock and date read the wall-clock time: time() unless set.
 * NULL restores time(). Tests set a fixed time here. */
typedef time_t (*ui_page_main_clock_fn_t)(void);
void ui_page_main_set_clock(ui_page_main_clock_fn_t fn);

#ifdef __cplusplus
}
#endif

#endif /* UI_PAGE_MAIN_H */
