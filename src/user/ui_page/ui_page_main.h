/*
 * The main page (page 0). Until the full page lands this is the smallest page
 * that keeps the page framework's contract: its pager on the root screen,
 * status, id and father id.
 */
#ifndef UI_PAGE_MAIN_H
#define UI_PAGE_MAIN_H

#include <stdint.h>

#include "lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct lv_ui_page_main_t {
    lv_obj_t *pager; /* hidden by the page manager while another page is current */
} lv_ui_page_main_t;

extern lv_ui_page_main_t lv_ui_page_main;

int32_t ui_page_main_start(void *arg);
int32_t ui_page_main_run(int32_t arg);
int32_t ui_page_main_destroy(void);

#ifdef __cplusplus
}
#endif

#endif /* UI_PAGE_MAIN_H */
