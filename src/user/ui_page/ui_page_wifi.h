/*
 * The WiFi page (page 1), opened by the main page's Settings tile: the kept
 * and the scanned networks, the password dialog, the WiFi switch and the
 * back icon. Its hooks are entry 1 of the page table; the page manager calls
 * them on the GUI thread.
 */
#ifndef UI_PAGE_WIFI_H
#define UI_PAGE_WIFI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Builds the page the first time (and starts a scan), else only shows it;
 * the father id is the first int32 at `arg` (the page table's first entry).
 * Gives PAGE_ID_WIFI. */
int32_t ui_page_wifi_start(void *arg);
/* Every 50 ms: kept networks once per process, a finished scan into both
 * lists, a finished connection's outcome, the back request. Gives 1. */
int32_t ui_page_wifi_run(int32_t arg);
/* Deletes the page and gives its father id; 0 (deleting nothing) when the
 * page is not ready. */
int32_t ui_page_wifi_destroy(void);

#ifdef __cplusplus
}
#endif

#endif /* UI_PAGE_WIFI_H */
