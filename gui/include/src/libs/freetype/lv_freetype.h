/**
 * @file lv_freetype.h
 * Fonts rendered at run time from TrueType/OpenType files with FreeType.
 */
#ifndef LV_FREETYPE_H
#define LV_FREETYPE_H

#include "../../lv_conf_internal.h"
#include "../../misc/lv_types.h"
#include "../../font/lv_font.h"
#include "../../misc/lv_event.h"

#if LV_USE_FREETYPE

#ifdef __cplusplus
extern "C" {
#endif

#define FT_FONT_STYLE_NORMAL LV_FREETYPE_FONT_STYLE_NORMAL
#define FT_FONT_STYLE_ITALIC LV_FREETYPE_FONT_STYLE_ITALIC
#define FT_FONT_STYLE_BOLD LV_FREETYPE_FONT_STYLE_BOLD

typedef enum {
    LV_FREETYPE_FONT_STYLE_NORMAL = 0,
    LV_FREETYPE_FONT_STYLE_ITALIC = 1 << 0,
    LV_FREETYPE_FONT_STYLE_BOLD = 1 << 1,
} lv_freetype_font_style_t;

typedef lv_freetype_font_style_t LV_FT_FONT_STYLE;

/* Unlike LVGL 9.4, bitmap mode only: a font asked for in outline mode is not
 * created (NULL, logged), lv_freetype_outline_add_event only logs, no font is
 * an outline font and the outline scale is 1. */
typedef enum {
    LV_FREETYPE_FONT_RENDER_MODE_BITMAP = 0,
    LV_FREETYPE_FONT_RENDER_MODE_OUTLINE = 1,
} lv_freetype_font_render_mode_t;

typedef void * lv_freetype_outline_t;

typedef enum {
    LV_FREETYPE_OUTLINE_END,
    LV_FREETYPE_OUTLINE_MOVE_TO,
    LV_FREETYPE_OUTLINE_LINE_TO,
    LV_FREETYPE_OUTLINE_CUBIC_TO,
    LV_FREETYPE_OUTLINE_CONIC_TO,
    LV_FREETYPE_OUTLINE_BORDER_START,
} lv_freetype_outline_type_t;

typedef const char lv_freetype_font_src_t;

#define LV_FREETYPE_F26DOT6_TO_INT(x) ((x) >> 6)
#define LV_FREETYPE_F26DOT6_TO_FLOAT(x) ((float)(x) / 64)

LV_ATTRIBUTE_EXTERN_DATA extern const lv_font_class_t lv_freetype_font_class;

/** Initialise FreeType; `max_glyph_cnt` sizes the glyph caches (lv_init does this). */
lv_result_t lv_freetype_init(uint32_t max_glyph_cnt);
void lv_freetype_uninit(void);

/**
 * Open a font file (a plain path, relative to the working folder) at `size` pixels.
 * @return the font, or NULL (logged) when the file is missing or unreadable
 */
lv_font_t * lv_freetype_font_create(const char * pathname, lv_freetype_font_render_mode_t render_mode, uint32_t size,
                                    lv_freetype_font_style_t style);
lv_font_t * lv_freetype_font_create_with_info(const lv_font_info_t * font_info);
void lv_freetype_init_font_info(lv_font_info_t * font_info);
void lv_freetype_font_delete(lv_font_t * font);

void lv_freetype_outline_add_event(lv_event_cb_t event_cb, lv_event_code_t filter, void * user_data);
uint32_t lv_freetype_outline_get_scale(const lv_font_t * font);
bool lv_freetype_is_outline_font(const lv_font_t * font);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* LV_USE_FREETYPE */

#endif /* LV_FREETYPE_H */
