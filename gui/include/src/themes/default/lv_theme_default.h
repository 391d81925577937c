#ifndef LV_THEME_DEFAULT_H
#define LV_THEME_DEFAULT_H

#include "../../lv_conf_internal.h"
#include "../lv_theme.h"

#ifdef __cplusplus
extern "C" {
#endif

#if LV_USE_THEME_DEFAULT

/** (Re)initialises the shared default theme for disp (NULL: the default display). */
lv_theme_t * lv_theme_default_init(lv_display_t * disp, lv_color_t color_primary, lv_color_t color_secondary, bool dark,
                                   const lv_font_t * font);
lv_theme_t * lv_theme_default_get(void);
bool lv_theme_default_is_inited(void);
void lv_theme_default_deinit(void);

#endif

#ifdef __cplusplus
}
#endif

#endif /* LV_THEME_DEFAULT_H */
