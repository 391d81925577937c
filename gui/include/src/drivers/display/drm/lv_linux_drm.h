/**
 * @file lv_linux_drm.h
 * Linux DRM/KMS display driver.
 */
#ifndef LV_LINUX_DRM_H
#define LV_LINUX_DRM_H

#include "../../../lv_conf_internal.h"

#if LV_USE_LINUX_DRM

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#include <xf86drmMode.h>

#include "../../../misc/lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef drmModeModeInfo lv_linux_drm_mode_t;

typedef size_t (*lv_linux_drm_select_mode_cb_t)(lv_display_t * disp, const lv_linux_drm_mode_t * modes,
                                                size_t mode_count);

/** Install the millisecond tick source and create a DRM display; nothing is opened yet. */
lv_display_t * lv_linux_drm_create(void);

/**
 * Open the card `file` and start output on `connector_id` (-1: the first connected one).
 * Unlike LVGL 9.4, a `file` that is a regular file, or a new name in a writable
 * folder, is a virtual 640 x 480 panel: every frame is written there as a BMP.
 */
void lv_linux_drm_set_file(lv_display_t * disp, const char * file, int64_t connector_id);

/** Path of the first card with a connected output, allocated with lv_malloc; NULL when none. */
char * lv_linux_drm_find_device_path(void);

/** Unlike LVGL 9.4, only logs a warning: the card's preferred mode is used. */
void lv_linux_drm_set_mode_cb(lv_display_t * disp, lv_linux_drm_select_mode_cb_t callback);

int32_t lv_linux_drm_mode_get_horizontal_resolution(const lv_linux_drm_mode_t * mode);
int32_t lv_linux_drm_mode_get_vertical_resolution(const lv_linux_drm_mode_t * mode);
int32_t lv_linux_drm_mode_get_refresh_rate(const lv_linux_drm_mode_t * mode);
bool lv_linux_drm_mode_is_preferred(const lv_linux_drm_mode_t * mode);

#ifdef __cplusplus
} /*extern "C"*/
#endif

#endif /* LV_USE_LINUX_DRM */

#endif /* LV_LINUX_DRM_H */
