/*
 * Start-up of the design screen module (see screens.h): creates its screen
 * and loads it with a fade. Nothing calls it in the live interface.
 */
#ifndef UI_UI_H
#define UI_UI_H

#include <stdint.h>

#include "ui/screens.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Index of the loaded screen: -1 until ui_init, then 0. */
extern int16_t currentScreen;

/* Creates the screens and loads screen 0 with a 200 ms fade-in (the screen
 * shown before stays). */
void ui_init(void);
/* Loads the screen of `screen_id` with the same fade. An id the module does
 * not hold, or a screen not created yet, is refused: nothing changes. */
void loadScreen(enum ScreensEnum screen_id);
/* The current screen's per-tick work. */
void ui_tick(void);

#ifdef __cplusplus
}
#endif

#endif /* UI_UI_H */
