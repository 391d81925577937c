/*
 * The WiFi page (page 1). Until the full page lands this is the smallest page
 * that keeps the page framework's contract: built on start, father id taken
 * from the table's first entry, left through its father when the back flag of
 * the run-state record is raised, destroyed back to idle.
 */
#ifndef UI_PAGE_WIFI_H
#define UI_PAGE_WIFI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

int32_t ui_page_wifi_start(void *arg);
int32_t ui_page_wifi_run(int32_t arg);
int32_t ui_page_wifi_destroy(void);

#ifdef __cplusplus
}
#endif

#endif /* UI_PAGE_WIFI_H */
