/*
 * Backend registry: one record per display or input backend, started by
 * name. The first registered backend is the default one. Records are
 * created once by driver_backends_register() and kept for the whole run.
 * Everything here runs on the start-up thread, which becomes the GUI thread.
 */
#ifndef DRIVER_BACKENDS_H
#define DRIVER_BACKENDS_H

#include <stdint.h>

#include "lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    BACKEND_TYPE_DISPLAY = 0,
    BACKEND_TYPE_INDEV = 1,
};

typedef struct display_backend_t {
    lv_display_t *(*init_display)(void); /* creates the display, or NULL */
    void (*run_loop)(void);              /* never returns */
    lv_display_t *display;               /* what init_display gave */
} display_backend_t;

typedef struct indev_backend_t {
    lv_indev_t *(*init_indev)(lv_display_t *display); /* the device, or NULL */
} indev_backend_t;

typedef union backend_handle_t {
    display_backend_t *display;
    indev_backend_t *indev;
} backend_handle_t;

typedef struct backend_t {
    backend_handle_t *handle;
    const char *name; /* upper case */
    int32_t type;     /* BACKEND_TYPE_* */
} backend_t;

/* Builds the registry once; later calls do nothing. Safe before lv_init. */
void driver_backends_register(void);

/* Starts the backend `name` (upper case), or the default one for NULL: 0 / -1. */
int32_t driver_backends_init_backend(const char *name);

/* Prints the default and all registered backend names: 0 / -1. */
int32_t driver_backends_print_supported(void);

/* Upper-cases `name` in place; 1 when a registered backend has that name, else 0. */
int32_t driver_backends_is_supported(char *name);

/* Runs the selected display backend's loop (never returns), or logs and returns. */
void driver_backends_run_loop(void);

#ifdef __cplusplus
}
#endif

#endif /* DRIVER_BACKENDS_H */
