/**
 * @file lv_font.h
 * The font descriptor, glyph descriptors and the general font functions.
 */
#ifndef LV_FONT_H
#define LV_FONT_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_area.h"
#include "lv_symbol_def.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_FONT_GLYPH_FORMAT_NONE = 0,
    LV_FONT_GLYPH_FORMAT_A1 = 0x01,
    LV_FONT_GLYPH_FORMAT_A2 = 0x02,
    LV_FONT_GLYPH_FORMAT_A3 = 0x03,
    LV_FONT_GLYPH_FORMAT_A4 = 0x04,
    LV_FONT_GLYPH_FORMAT_A8 = 0x08,
    LV_FONT_GLYPH_FORMAT_IMAGE = 0x19,
    LV_FONT_GLYPH_FORMAT_VECTOR = 0x1A,
    LV_FONT_GLYPH_FORMAT_SVG = 0x1B,
    LV_FONT_GLYPH_FORMAT_CUSTOM = 0xFF,
} lv_font_glyph_format_t;

/** Where and how large a glyph is, filled by a font's `get_glyph_dsc`. */
typedef struct {
    const lv_font_t * resolved_font; /**< font (after fallbacks) that supplied the glyph */
    uint16_t adv_w;                  /**< advance in pixels */
    uint16_t box_w;
    uint16_t box_h;
    int16_t ofs_x;   /**< box left edge relative to the pen */
    int16_t ofs_y;   /**< box bottom edge above the baseline */
    uint16_t stride; /**< bytes per bitmap row; 0: rows packed */
    lv_font_glyph_format_t format;
    uint8_t is_placeholder : 1;
    uint8_t req_raw_bitmap : 1;
    int32_t outline_stroke_width;
    union {
        uint32_t index;
        const void * src;
    } gid;
    lv_cache_entry_t * entry;
} lv_font_glyph_dsc_t;

typedef enum {
    LV_FONT_SUBPX_NONE,
    LV_FONT_SUBPX_HOR,
    LV_FONT_SUBPX_VER,
    LV_FONT_SUBPX_BOTH,
} lv_font_subpx_t;

typedef enum {
    LV_FONT_KERNING_NORMAL,
    LV_FONT_KERNING_NONE,
} lv_font_kerning_t;

struct _lv_font_t {
    bool (*get_glyph_dsc)(const lv_font_t *, lv_font_glyph_dsc_t *, uint32_t letter, uint32_t letter_next);
    const void * (*get_glyph_bitmap)(lv_font_glyph_dsc_t *, lv_draw_buf_t *);
    void (*release_glyph)(const lv_font_t *, lv_font_glyph_dsc_t *);
    int32_t line_height;
    int32_t base_line;
    uint8_t subpx : 2;
    uint8_t kerning : 1;
    uint8_t static_bitmap : 1;
    int8_t underline_position;
    int8_t underline_thickness;
    const void * dsc;
    const lv_font_t * fallback;
    void * user_data;
};

typedef struct {
    const char * name;
    const lv_font_class_t * class_p;
    uint32_t size;
    uint32_t render_mode;
    uint32_t style;
    lv_font_kerning_t kerning;
} lv_font_info_t;

bool lv_font_get_glyph_dsc(const lv_font_t * font, lv_font_glyph_dsc_t * dsc_out, uint32_t letter,
                           uint32_t letter_next);
const void * lv_font_get_glyph_bitmap(lv_font_glyph_dsc_t * g_dsc, lv_draw_buf_t * draw_buf);
const void * lv_font_get_glyph_static_bitmap(lv_font_glyph_dsc_t * g_dsc);
void lv_font_glyph_release_draw_data(lv_font_glyph_dsc_t * g_dsc);
uint16_t lv_font_get_glyph_width(const lv_font_t * font, uint32_t letter, uint32_t letter_next);
int32_t lv_font_get_line_height(const lv_font_t * font);
void lv_font_set_kerning(lv_font_t * font, lv_font_kerning_t kerning);
const lv_font_t * lv_font_get_default(void);
bool lv_font_has_static_bitmap(const lv_font_t * font);
bool lv_font_info_is_equal(const lv_font_info_t * ft_info_1, const lv_font_info_t * ft_info_2);

#define LV_FONT_DECLARE(font_name) LV_ATTRIBUTE_EXTERN_DATA extern const lv_font_t font_name;

#if LV_FONT_MONTSERRAT_12
LV_FONT_DECLARE(lv_font_montserrat_12)
#endif
#if LV_FONT_MONTSERRAT_14
LV_FONT_DECLARE(lv_font_montserrat_14)
#endif
#if LV_FONT_MONTSERRAT_16
LV_FONT_DECLARE(lv_font_montserrat_16)
#endif
#if LV_FONT_MONTSERRAT_18
LV_FONT_DECLARE(lv_font_montserrat_18)
#endif
#if LV_FONT_MONTSERRAT_20
LV_FONT_DECLARE(lv_font_montserrat_20)
#endif
#if LV_FONT_MONTSERRAT_22
LV_FONT_DECLARE(lv_font_montserrat_22)
#endif
#if LV_FONT_MONTSERRAT_24
LV_FONT_DECLARE(lv_font_montserrat_24)
#endif
#if LV_FONT_MONTSERRAT_26
LV_FONT_DECLARE(lv_font_montserrat_26)
#endif
#if LV_FONT_MONTSERRAT_28
LV_FONT_DECLARE(lv_font_montserrat_28)
#endif
#if LV_FONT_MONTSERRAT_30
LV_FONT_DECLARE(lv_font_montserrat_30)
#endif
#if LV_FONT_MONTSERRAT_32
LV_FONT_DECLARE(lv_font_montserrat_32)
#endif
#if LV_FONT_MONTSERRAT_34
LV_FONT_DECLARE(lv_font_montserrat_34)
#endif
#if LV_FONT_MONTSERRAT_36
LV_FONT_DECLARE(lv_font_montserrat_36)
#endif
#if LV_FONT_MONTSERRAT_38
LV_FONT_DECLARE(lv_font_montserrat_38)
#endif
#if LV_FONT_MONTSERRAT_40
LV_FONT_DECLARE(lv_font_montserrat_40)
#endif
#if LV_FONT_MONTSERRAT_42
LV_FONT_DECLARE(lv_font_montserrat_42)
#endif
#if LV_FONT_MONTSERRAT_44
LV_FONT_DECLARE(lv_font_montserrat_44)
#endif
#if LV_FONT_MONTSERRAT_46
LV_FONT_DECLARE(lv_font_montserrat_46)
#endif
#if LV_FONT_MONTSERRAT_48
LV_FONT_DECLARE(lv_font_montserrat_48)
#endif

#ifdef LV_FONT_CUSTOM_DECLARE
LV_FONT_CUSTOM_DECLARE
#endif

#ifdef __cplusplus
} /* extern "C" */
#endif

#include "lv_font_fmt_txt.h"

#endif /* LV_FONT_H */
