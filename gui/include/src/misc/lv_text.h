/**
 * @file lv_text.h
 * Text flags, alignment and measurement.
 */
#ifndef LV_TEXT_H
#define LV_TEXT_H

#include "lv_types.h"
#include "lv_area.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    LV_TEXT_FLAG_NONE = 0x00,
    LV_TEXT_FLAG_EXPAND = 0x01,    /**< never wrap */
    LV_TEXT_FLAG_FIT = 0x02,       /**< max width is already the text's width */
    LV_TEXT_FLAG_BREAK_ALL = 0x04, /**< break anywhere, not only after break characters */
    LV_TEXT_FLAG_RECOLOR = 0x08,   /**< honour inline colour commands */
} lv_text_flag_t;

typedef enum {
    LV_TEXT_ALIGN_AUTO,
    LV_TEXT_ALIGN_LEFT,
    LV_TEXT_ALIGN_CENTER,
    LV_TEXT_ALIGN_RIGHT,
} lv_text_align_t;

/**
 * Width and height `text` needs with `font` and the given spacing, wrapped at `max_width`.
 */
void lv_text_get_size(lv_point_t * size_res, const char * text, const lv_font_t * font, int32_t letter_space,
                      int32_t line_space, int32_t max_width, lv_text_flag_t flag);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* LV_TEXT_H */
