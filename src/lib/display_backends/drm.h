/* The "DRM" display backend: the GUI library's Linux DRM display on the card
 * named by LV_LINUX_DRM_CARD (default /dev/dri/card0). */
#ifndef DRM_BACKEND_H
#define DRM_BACKEND_H

#include <stdint.h>

#include "lib/driver_backends.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Fills the record as the DRM display backend; gives 0. */
int32_t backend_init_drm(backend_t *backend);

/* Creates the display on the card; NULL when the display cannot be created. */
lv_display_t *init_drm(void);

/* Runs the GUI timers forever, sleeping what each handler call asks for. */
void run_loop_drm(void);

#ifdef __cplusplus
}
#endif

#endif /* DRM_BACKEND_H */
