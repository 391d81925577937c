// Default-theme styles of the widgets. The default theme (gui/theme) owns the
// plain-object, screen and scrollbar looks and calls in here so that every
// widget class gets its own styles with the same derived sizes and colours.
#pragma once

#include "lvgl.h"

namespace gui::widgets {

/** What the default theme captured at initialisation. */
struct ThemeMetrics {
    int32_t dpi;              // display DPI when the theme was (re)initialised
    int32_t size_class;       // 0 small (<= 320), 1 medium (< 720), 2 large
    lv_color_t primary;
    lv_color_t secondary;
    const lv_font_t * font;   // the theme's normal font
};

/** (Re)build the widget styles in place; objects using them are refreshed by the caller. */
void theme_widgets_init(const ThemeMetrics & m);

/**
 * Add the styles of `obj`'s widget class. Returns false when `obj` is not one
 * of the widget classes (the caller then applies its own base look).
 */
bool theme_widgets_apply(lv_obj_t * obj);

/** The theme's 80 ms transition (valid after theme_widgets_init), for the looks the default theme owns. */
const lv_style_transition_dsc_t * theme_transition_normal();

/** Release the styles (library de-initialisation). */
void theme_widgets_deinit();

} // namespace gui::widgets
