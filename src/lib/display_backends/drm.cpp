#include "lib/display_backends/drm.h"

#include <errno.h>
#include <stdlib.h>
#include <time.h>

#include "lib/simulator_util.h"

#define DRM_CARD_ENV "LV_LINUX_DRM_CARD"
#define DRM_CARD_DEFAULT "/dev/dri/card0"
#define DRM_FIRST_CONNECTED (-1)
#define MS_PER_S 1000u
#define NS_PER_MS 1000000L

int32_t backend_init_drm(backend_t *backend)
{
    LV_ASSERT_NULL(backend);
    backend->handle->display = (display_backend_t *)calloc(1, sizeof(display_backend_t));
    LV_ASSERT_NULL(backend->handle->display);
    backend->handle->display->init_display = init_drm;
    backend->handle->display->run_loop = run_loop_drm;
    backend->name = "DRM";
    backend->type = BACKEND_TYPE_DISPLAY;
    return 0;
}

lv_display_t *init_drm(void)
{
    const char *card = getenv_default(DRM_CARD_ENV, DRM_CARD_DEFAULT);
    lv_display_t *display = lv_linux_drm_create();
    if (display == NULL) {
        return NULL;
    }
    /* A card that cannot be opened leaves a display without output; the
     * interface runs on regardless. */
    lv_linux_drm_set_file(display, card, DRM_FIRST_CONNECTED);
    return display;
}

/* Sleeps the whole period even when a signal interrupts the sleep. */
static void sleep_ms(uint32_t ms)
{
    struct timespec left = {(time_t)(ms / MS_PER_S), (long)(ms % MS_PER_S) * NS_PER_MS};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

void run_loop_drm(void)
{
    for (;;) {
        sleep_ms(lv_timer_handler());
    }
}
