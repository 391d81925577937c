// The default theme's look (light mode): its palette, the rule that sizes
// everything for the display, and the styles each object class gets.
#pragma once

#include "lvgl.h"

namespace gui::theme {

/** What the look is built for. */
struct Metrics {
    int32_t dpi;
    int32_t size_class;  // 0 small (longer side <= 320 px), 1 medium (< 720 px), 2 large
    lv_color_t primary;
    lv_color_t secondary;
    const lv_font_t * font;  // the theme's normal font
};

/** The metrics for `disp` (null: no display, the medium class). */
Metrics metrics_for(lv_display_t * disp, lv_color_t primary, lv_color_t secondary, const lv_font_t * font);

bool same_metrics(const Metrics & a, const Metrics & b);

/** (Re)build the styles in place; objects using them are refreshed by the caller. */
void init_styles(const Metrics & m);

/**
 * The theme's apply callback: adds the styles of `obj`'s class, for a screen,
 * a plain object or one of the widgets the theme styles.
 */
void apply_styles(lv_theme_t * theme, lv_obj_t * obj);

/** Release the styles (library de-initialisation). */
void deinit_styles();

}  // namespace gui::theme
