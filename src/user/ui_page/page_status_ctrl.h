/*
 * Page manager: the page table and page switching.
 *
 * Pages change only through entry_ui_page(), which the pages reach through
 * ui_run_page.entry_fn. Leaving the main page only hides its pager (it keeps
 * running in the background); leaving any other page destroys it. Everything
 * here runs on the GUI thread.
 */
#ifndef PAGE_STATUS_CTRL_H
#define PAGE_STATUS_CTRL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    PAGE_ID_MAIN = 0,
    PAGE_ID_WIFI = 1,
    PAGE_ID_COUNT = 2,
};

enum {
    em_UI_STATUS_IDLE = 0,  /* page not built */
    em_UI_STATUS_EXIT = 1,  /* page being torn down */
    em_UI_STATUS_READY = 2, /* page built and shown; its run hook is called */
};

/* A page's run hook is called while its status lies in this range. */
#define UI_STATUS_RUN_MIN 2
#define UI_STATUS_RUN_MAX 4

/* Builds the page (status IDLE) or shows it again, sets its status to READY
 * and gives the id of the page that becomes current. The argument is the
 * address of the page table's first entry, or NULL on the main page's single
 * start at UI start-up. */
typedef int32_t (*ui_page_start_fn_t)(void *arg);
/* The page's periodic work, every 50 ms; the argument is always 0. */
typedef int32_t (*ui_page_run_fn_t)(int32_t arg);
/* Tears the page down and gives its father id. */
typedef int32_t (*ui_page_destroy_fn_t)(void);

typedef struct ui_page_t {
    int32_t father_id; /* page to return to; -1 until the page sets it */
    int32_t page_id;
    int32_t status; /* em_UI_STATUS_* */
    ui_page_start_fn_t start;
    ui_page_run_fn_t run;
    ui_page_destroy_fn_t destroy;
} ui_page_t;

extern ui_page_t ui_page_table[PAGE_ID_COUNT];

/* Root screen, fonts, list head and page table, then the main page's first
 * start. Called once by ui_user_init(). */
void user_ui_init(void);

/* Switch to page_id (PAGE_ID_MAIN or PAGE_ID_WIFI); gives 0, or -1 with
 * nothing changed for an id outside the table. */
int32_t entry_ui_page(int32_t page_id);

#ifdef __cplusplus
}
#endif

#endif /* PAGE_STATUS_CTRL_H */
