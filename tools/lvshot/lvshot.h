/**
 * lvshot: saves what a display of the GUI library shows as a PNG file.
 *
 * Works on any display with draw buffers (memory, DRM, partial or direct
 * rendering) through the public API only: it watches the display's flushes
 * and keeps a copy of the screen.
 */
#ifndef LVSHOT_H
#define LVSHOT_H

#include "lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

/** A display that renders into memory only (full-screen buffer), already watched. */
lv_display_t * lvshot_display_create(int32_t hor_res, int32_t ver_res);

/** Starts keeping a copy of what `disp` flushes. 0 on success, -1 on error. */
int lvshot_attach(lv_display_t * disp);

/** Redraws the whole screen of `disp` now and writes it to `path` as an RGB PNG. 0 / -1. */
int lvshot_save(lv_display_t * disp, const char * path);

#ifdef __cplusplus
}
#endif

#endif /* LVSHOT_H */
