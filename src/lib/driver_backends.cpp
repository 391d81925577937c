#include "lib/driver_backends.h"
#include "lib/driver_backends_internal.h"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "lib/display_backends/drm.h"
#include "lib/indev_backends/evdev.h"

#define BACKEND_SLOTS 3

typedef int32_t (*backend_init_fn_t)(backend_t *backend);

/* Registration order; the first entry is the default backend. */
static const backend_init_fn_t available_backends[] = {
    backend_init_drm,
    backend_init_evdev,
    NULL,
};

static backend_t *backends[BACKEND_SLOTS];
static backend_t *sel_display_backend;

/* The C library allocates here, not the GUI library: registration may run
 * before lv_init. */
void driver_backends_register(void)
{
    if (backends[0] != NULL) {
        return;
    }
    for (size_t i = 0; i < BACKEND_SLOTS && available_backends[i] != NULL; i++) {
        backend_t *backend = (backend_t *)calloc(1, sizeof(backend_t));
        LV_ASSERT_NULL(backend);
        backend->handle = (backend_handle_t *)calloc(1, sizeof(backend_handle_t));
        LV_ASSERT_NULL(backend->handle);
        available_backends[i](backend);
        backends[i] = backend;
    }
}

static backend_t *backend_find(const char *name)
{
    for (size_t i = 0; i < BACKEND_SLOTS && backends[i] != NULL; i++) {
        if (strcmp(backends[i]->name, name) == 0) {
            return backends[i];
        }
    }
    return NULL;
}

void driver_backends_reset(void)
{
    for (size_t i = 0; i < BACKEND_SLOTS && backends[i] != NULL; i++) {
        if (backends[i]->type == BACKEND_TYPE_DISPLAY) {
            free(backends[i]->handle->display);
        } else {
            free(backends[i]->handle->indev);
        }
        free(backends[i]->handle);
        free(backends[i]);
        backends[i] = NULL;
    }
    sel_display_backend = NULL;
}

backend_t *driver_backends_find(const char *name)
{
    return backend_find(name);
}

static int32_t backend_start_display(backend_t *backend)
{
    display_backend_t *dispb = backend->handle->display;
    LV_ASSERT_NULL(dispb->init_display);
    dispb->display = dispb->init_display();
    if (dispb->display == NULL) {
        LV_LOG_ERROR("Failed to init display with %s backend", backend->name);
        return -1;
    }
    sel_display_backend = backend;
    return 0;
}

static int32_t backend_start_indev(backend_t *backend)
{
    if (sel_display_backend == NULL) {
        LV_LOG_ERROR("Failed to init indev backend: %s - display needs to be initialized", backend->name);
        return -1;
    }
    indev_backend_t *indevb = backend->handle->indev;
    lv_display_t *display = sel_display_backend->handle->display->display;
    LV_ASSERT_NULL(indevb->init_indev);
    LV_ASSERT_NULL(display);
    /* Automatic discovery gives no device here; that is not a failure. */
    indevb->init_indev(display);
    return 0;
}

int32_t driver_backends_init_backend(const char *name)
{
    if (backends[0] == NULL) {
        LV_LOG_ERROR("Please call driver_backends_register first");
        return -1;
    }
    backend_t *backend;
    if (name == NULL) {
        backend = backends[0];
        if (backend->type != BACKEND_TYPE_DISPLAY) {
            LV_LOG_ERROR("The default backend: %s is not a display driver backend", backend->name);
            return -1;
        }
    } else {
        backend = backend_find(name);
        if (backend == NULL) {
            LV_LOG_ERROR("No such backend: %s", name);
            return -1;
        }
    }
    if (backend->type == BACKEND_TYPE_DISPLAY) {
        return backend_start_display(backend);
    }
    return backend_start_indev(backend);
}

int32_t driver_backends_print_supported(void)
{
    if (backends[0] == NULL) {
        LV_LOG_ERROR("Please call driver_backends_register first");
        return -1;
    }
    printf("Default backend: %s\n", backends[0]->name);
    printf("Supported backends: ");
    for (size_t i = 0; i < BACKEND_SLOTS && backends[i] != NULL; i++) {
        printf("%s ", backends[i]->name);
    }
    printf("\n");
    return 0;
}

int32_t driver_backends_is_supported(char *name)
{
    for (char *c = name; *c != '\0'; c++) {
        *c = (char)toupper((unsigned char)*c);
    }
    return backend_find(name) != NULL ? 1 : 0;
}

void driver_backends_run_loop(void)
{
    if (sel_display_backend != NULL && sel_display_backend->handle->display != NULL) {
        sel_display_backend->handle->display->run_loop();
        return;
    }
    LV_LOG_ERROR("No backend has been selected - initialize the backend first");
}
