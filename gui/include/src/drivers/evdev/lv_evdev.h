/**
 * @file lv_evdev.h
 * Linux evdev input driver with automatic device discovery.
 */
#ifndef LV_EVDEV_H
#define LV_EVDEV_H

#include "../../lv_conf_internal.h"

#if LV_USE_EVDEV

#include <stdbool.h>

#include "../../misc/lv_types.h"
#include "../../indev/lv_indev.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_EVDEV_TYPE_REL, /**< relative pointer (mouse) */
    LV_EVDEV_TYPE_ABS, /**< absolute pointer (touch screen, touch pad) */
    LV_EVDEV_TYPE_KEY, /**< keys (keyboard, keypad, buttons) */
} lv_evdev_type_t;

typedef void (*lv_evdev_discovery_cb_t)(lv_indev_t * indev, lv_evdev_type_t type, void * user_data);

/**
 * Open an event device and create an input device reading it; NULL on failure.
 * Unlike LVGL 9.4, `dev_path` may also name a FIFO or a plain file of struct
 * input_event records, read as a touch screen; without axis ranges its
 * absolute coordinates are display pixels.
 */
lv_indev_t * lv_evdev_create(lv_indev_type_t indev_type, const char * dev_path);

/** The same for an already open descriptor, which is taken over (closed on failure). */
lv_indev_t * lv_evdev_create_fd(lv_indev_type_t indev_type, int fd);

/** Watch the input-device folder and create a device for each existing and new one. */
lv_result_t lv_evdev_discovery_start(lv_evdev_discovery_cb_t cb, void * user_data);

/** Stop watching; safe from the discovery callback. */
lv_result_t lv_evdev_discovery_stop(void);

void lv_evdev_set_swap_axes(lv_indev_t * indev, bool swap_axes);

/** Raw pointer values mapped to the display's edges (applied after the swap). */
void lv_evdev_set_calibration(lv_indev_t * indev, int min_x, int min_y, int max_x, int max_y);

/** Delete the input device and close its file. */
void lv_evdev_delete(lv_indev_t * indev);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /* LV_USE_EVDEV */

#endif /* LV_EVDEV_H */
