/* The "EVDEV" input backend: the pointer device named by the environment
 * lookup "/dev/input/touchscreen0", or else the GUI library's automatic evdev
 * discovery. Relative pointers (mice) get a cursor image. */
#ifndef EVDEV_BACKEND_H
#define EVDEV_BACKEND_H

#include <stdint.h>

#include "lib/driver_backends.h"

#ifdef __cplusplus
extern "C" {
#endif

extern const lv_image_dsc_t mouse_cursor_icon;

/* Fills the record as the EVDEV input backend; gives 0. */
int32_t backend_init_evdev(backend_t *backend);

/* The pointer device from the environment, or NULL (also when discovery runs). */
lv_indev_t *init_pointer_evdev(lv_display_t *display);

/* Binds each discovered device to the display (user_data); mice get the cursor. */
void discovery_cb(lv_indev_t *indev, lv_evdev_type_t type, void *user_data);

/* Deletes the cursor image (user data) of a pointer device being deleted. */
void indev_deleted_cb(lv_event_t *event);

#ifdef __cplusplus
}
#endif

#endif /* EVDEV_BACKEND_H */
