/**
 * @file lv_draw_buf.h
 * Draw buffers: pixel memory with an image header.
 */
#ifndef LV_DRAW_BUF_H
#define LV_DRAW_BUF_H

#include "lv_image_dsc.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Same leading layout as lv_image_dsc_t. Unlike LVGL 9.4, only the record: no lv_draw_buf_* functions. */
struct _lv_draw_buf_t {
    lv_image_header_t header;
    uint32_t data_size;
    uint8_t * data;
    void * unaligned_data;
    const lv_draw_buf_handlers_t * handlers;
};

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* LV_DRAW_BUF_H */
