#ifndef LV_THEME_H
#define LV_THEME_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_color.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*lv_theme_apply_cb_t)(lv_theme_t *, lv_obj_t *);

lv_theme_t * lv_theme_get_from_obj(lv_obj_t * obj);
/** Re-applies the theme to obj (its theme styles are removed first). */
void lv_theme_apply(lv_obj_t * obj);
void lv_theme_set_parent(lv_theme_t * new_theme, lv_theme_t * parent);
void lv_theme_set_apply_cb(lv_theme_t * theme, lv_theme_apply_cb_t apply_cb);
const lv_font_t * lv_theme_get_font_small(lv_obj_t * obj);
const lv_font_t * lv_theme_get_font_normal(lv_obj_t * obj);
const lv_font_t * lv_theme_get_font_large(lv_obj_t * obj);
lv_color_t lv_theme_get_color_primary(lv_obj_t * obj);
lv_color_t lv_theme_get_color_secondary(lv_obj_t * obj);

#ifdef __cplusplus
}
#endif

#endif /* LV_THEME_H */
