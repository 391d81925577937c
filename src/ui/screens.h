/*
 * The design screen: one screen holding a mock-up of both pages (the WiFi
 * page with a sample network row, the main page's pager, status bar, a list
 * row and the busy overlay), every widget of it kept in the numbered slots
 * of `objects`. The live interface never creates it: its pages build their
 * own trees. Everything here runs on the GUI thread.
 */
#ifndef UI_SCREENS_H
#define UI_SCREENS_H

#include <stdint.h>

#include "lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

#define UI_OBJECT_SLOTS 100
#define UI_SCREEN_COUNT 1

/* Screen ids: 1 is the only screen (index 0). */
enum ScreensEnum {
    SCREEN_ID_MAIN = 1,
};

/* Where the blocks of the mock-up begin in `objects` (creation order). */
enum {
    UI_OBJ_SCREEN = 0,
    UI_OBJ_WIFI_ROOT = 1,      /* the WiFi page's tree, as the page builds it */
    UI_OBJ_WIFI_OVERLAY = 11,  /* its dialog layer (hidden) */
    UI_OBJ_WIFI_PASSWORD = 15, /* holds "textarea_wifi" */
    UI_OBJ_WIFI_KB_BOX = 16,
    UI_OBJ_WIFI_ROW = 18, /* a sample network row on the screen */
    UI_OBJ_MAIN = 23,     /* the main page's container */
    UI_OBJ_PAGER = 24,
    UI_OBJ_HOME = 25, /* hidden */
    UI_OBJ_TILE_GRID = 30,
    UI_OBJ_NOW_PLAYING = 67,
    UI_OBJ_NOW_PLAYING_TEXTS = 71, /* hidden */
    UI_OBJ_FURTHER_PAGES = 81,     /* four pages; the first hidden */
    UI_OBJ_LIST_PAGE = 82,
    UI_OBJ_STATUS_BAR = 87,
    UI_OBJ_LIST_ROW = 91, /* a list-row template on the screen */
    UI_OBJ_BUSY = 96,     /* the busy overlay on the screen */
};

/* Slot 0 the screen, 1..99 its widgets; all null until create_screen_main. */
extern lv_obj_t *objects[UI_OBJECT_SLOTS];

typedef void (*tick_screen_func_t)(void);
/* The per-tick work of each screen, by index. */
extern tick_screen_func_t tick_screen_funcs[UI_SCREEN_COUNT];

/* The default theme (blue and red, light, Montserrat 14) on the default
 * display, then the screen. */
void create_screens(void);
void create_screen_main(void);

/* The screen has no per-tick work. */
void tick_screen_main(void);
/* Runs the tick function of a screen index / id the table holds; any other
 * does nothing. */
void tick_screen(int screen_index);
void tick_screen_by_id(enum ScreensEnum screen_id);

#ifdef __cplusplus
}
#endif

#endif /* UI_SCREENS_H */
