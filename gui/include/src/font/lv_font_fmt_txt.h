/**
 * @file lv_font_fmt_txt.h
 * The compiled bitmap-font format.
 */
#ifndef LV_FONT_FMT_TXT_H
#define LV_FONT_FMT_TXT_H

#include "../lv_conf_internal.h"
#include "lv_font.h"

#ifdef __cplusplus
extern "C" {
#endif

#if LV_FONT_FMT_TXT_LARGE == 0
typedef struct {
    uint32_t bitmap_index : 20; /**< byte offset of the bitmap in `glyph_bitmap` */
    uint32_t adv_w : 12;        /**< advance in 1/16 pixel */
    uint8_t box_w;
    uint8_t box_h;
    int8_t ofs_x;
    int8_t ofs_y; /**< box bottom above the baseline */
} lv_font_fmt_txt_glyph_dsc_t;
#else
typedef struct {
    uint32_t bitmap_index; /**< byte offset of the bitmap in `glyph_bitmap` */
    uint32_t adv_w;        /**< advance in 1/16 pixel */
    uint16_t box_w;
    uint16_t box_h;
    int16_t ofs_x;
    int16_t ofs_y; /**< box bottom above the baseline */
} lv_font_fmt_txt_glyph_dsc_t;
#endif

typedef enum {
    LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL,
    LV_FONT_FMT_TXT_CMAP_SPARSE_FULL,
    LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY,
    LV_FONT_FMT_TXT_CMAP_SPARSE_TINY,
} lv_font_fmt_txt_cmap_type_t;

/** Maps a range of code points to glyph ids. */
typedef struct {
    uint32_t range_start;
    uint16_t range_length;
    uint16_t glyph_id_start;
    const uint16_t * unicode_list;  /**< sparse maps: sorted code points relative to `range_start` */
    const void * glyph_id_ofs_list; /**< full maps: glyph id offsets (uint8_t for FORMAT0, uint16_t for SPARSE) */
    uint16_t list_length;
    lv_font_fmt_txt_cmap_type_t type;
} lv_font_fmt_txt_cmap_t;

/** Kerning by glyph pairs, sorted by left then right id. */
typedef struct {
    const void * glyph_ids; /**< (left, right) pairs: uint8_t when `glyph_ids_size` is 0, uint16_t when 1 */
    const int8_t * values;
    uint32_t pair_cnt : 30;
    uint32_t glyph_ids_size : 2;
} lv_font_fmt_txt_kern_pair_t;

/** Kerning by glyph classes. */
typedef struct {
    const int8_t * class_pair_values;   /**< left_class_cnt x right_class_cnt values, a row per left class */
    const uint8_t * left_class_mapping; /**< class of each glyph id on the left; 0: none */
    const uint8_t * right_class_mapping;
    uint8_t left_class_cnt;
    uint8_t right_class_cnt;
} lv_font_fmt_txt_kern_classes_t;

/* Unlike LVGL 9.4, only plain bitmaps are drawn: a glyph of a compressed font draws nothing. */
typedef enum {
    LV_FONT_FMT_TXT_PLAIN = 0,
    LV_FONT_FMT_TXT_COMPRESSED = 1,
    LV_FONT_FMT_TXT_COMPRESSED_NO_PREFILTER = 2,
} lv_font_fmt_txt_bitmap_format_t;

typedef struct {
    const uint8_t * glyph_bitmap;
    const lv_font_fmt_txt_glyph_dsc_t * glyph_dsc;
    const lv_font_fmt_txt_cmap_t * cmaps;
    const void * kern_dsc; /**< lv_font_fmt_txt_kern_pair_t or lv_font_fmt_txt_kern_classes_t; NULL: none */
    uint16_t kern_scale;   /**< 12.4 fixed point, 16 = 1.0 */
    uint16_t cmap_num : 9;
    uint16_t bpp : 4;
    uint16_t kern_classes : 1;
    uint16_t bitmap_format : 2;
    uint8_t stride; /**< row alignment of bitmaps in bytes; 0: rows packed */
} lv_font_fmt_txt_dsc_t;

typedef struct {
    const lv_font_t * font_p;
    uint32_t size;
} lv_builtin_font_src_t;

bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t * font, lv_font_glyph_dsc_t * dsc_out, uint32_t unicode_letter,
                                   uint32_t unicode_letter_next);
const void * lv_font_get_bitmap_fmt_txt(lv_font_glyph_dsc_t * g_dsc, lv_draw_buf_t * draw_buf);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* LV_FONT_FMT_TXT_H */
