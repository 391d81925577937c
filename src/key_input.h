/*
 * key_input: a keypad on the evdev device "/dev/input/event2", fed to the GUI
 * library as a keypad input device. Nothing starts it at run time; call
 * key_input_init once a display exists. Everything here runs on the GUI
 * thread.
 *
 * Every key press reaches the GUI library as a press followed at once by its
 * release, whatever the device reports afterwards: a held key acts once and
 * auto-repeat is ignored. The up and down arrows move the focus (previous,
 * next); keys without a mapping arrive as their Linux code plus 256.
 */
#ifndef KEY_INPUT_H
#define KEY_INPUT_H

#include <linux/input.h>
#include <stdint.h>

#include "lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

#define KEY_INPUT_DEVICE "/dev/input/event2"

/* The keypad device's driver data (lv_malloc_zeroed, lv_free). */
typedef struct key_input_data_t {
    int32_t fd;    /* the open event device, -1 once it has failed */
    uint32_t key;  /* the GUI key last produced */
    int32_t state; /* LV_INDEV_STATE_PRESSED or _RELEASED, as last reported */
    /* The bytes of a record not yet complete: a FIFO or file may deliver
     * part of one. */
    uint8_t partial[sizeof(struct input_event)];
    uint32_t partial_len;
    uint32_t chained; /* calls in a row that asked to be called again */
} key_input_data_t;

/* Opens the device and creates the keypad device bound to `display`, in
 * `group` unless that is NULL; NULL on failure (logged, nothing kept). */
lv_indev_t *key_input_init(lv_display_t *display, lv_group_t *group);

/* The read callback: reports at most one key change per call and asks to be
 * called again while there may be more. */
void key_input_read_cb(lv_indev_t *indev, lv_indev_data_t *data);

/* LV_EVENT_DELETE of the keypad device: closes the device, frees the data. */
void key_input_delete_cb(lv_event_t *event);

#ifdef __cplusplus
}
#endif

#endif /* KEY_INPUT_H */
