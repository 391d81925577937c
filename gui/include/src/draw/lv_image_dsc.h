/**
 * @file lv_image_dsc.h
 * Image headers, descriptors of compiled-in images and image sources.
 */
#ifndef LV_IMAGE_DSC_H
#define LV_IMAGE_DSC_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_color.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LV_IMAGE_HEADER_MAGIC (0x19)

typedef enum {
    LV_IMAGE_FLAGS_PREMULTIPLIED = 0x0001,
    LV_IMAGE_FLAGS_COMPRESSED = 0x0008,
    LV_IMAGE_FLAGS_ALLOCATED = 0x0010,
    LV_IMAGE_FLAGS_MODIFIABLE = 0x0020,
    LV_IMAGE_FLAGS_CUSTOM_DRAW = 0x0040,
    LV_IMAGE_FLAGS_USER1 = 0x0100,
    LV_IMAGE_FLAGS_USER2 = 0x0200,
    LV_IMAGE_FLAGS_USER3 = 0x0400,
    LV_IMAGE_FLAGS_USER4 = 0x0800,
    LV_IMAGE_FLAGS_USER5 = 0x1000,
    LV_IMAGE_FLAGS_USER6 = 0x2000,
    LV_IMAGE_FLAGS_USER7 = 0x4000,
    LV_IMAGE_FLAGS_USER8 = 0x8000,
    LV_IMAGE_FLAGS_USER_MASK = 0xFF00,
} lv_image_flags_t;

typedef enum {
    LV_IMAGE_COMPRESS_NONE = 0,
    LV_IMAGE_COMPRESS_RLE,
    LV_IMAGE_COMPRESS_LZ4,
} lv_image_compress_t;

/** Twelve bytes in front of every image. */
#if LV_BIG_ENDIAN_SYSTEM
typedef struct {
    uint32_t reserved_2 : 16;
    uint32_t stride : 16;
    uint32_t h : 16;
    uint32_t w : 16;
    uint32_t flags : 16;
    uint32_t cf : 8;
    uint32_t magic : 8;
} lv_image_header_t;
#else
typedef struct {
    uint32_t magic : 8;  /**< LV_IMAGE_HEADER_MAGIC */
    uint32_t cf : 8;     /**< an lv_color_format_t */
    uint32_t flags : 16; /**< lv_image_flags_t bits */
    uint32_t w : 16;
    uint32_t h : 16;
    uint32_t stride : 16; /**< bytes per row; 0: computed from width and format */
    uint32_t reserved_2 : 16;
} lv_image_header_t;
#endif

/** A compiled-in image (pixels or an encoded file in memory). */
struct _lv_image_dsc_t {
    lv_image_header_t header;
    uint32_t data_size;
    const uint8_t * data;
    const void * reserved;
    const void * reserved_2;
};

typedef enum {
    LV_IMAGE_SRC_VARIABLE,
    LV_IMAGE_SRC_FILE,
    LV_IMAGE_SRC_SYMBOL,
    LV_IMAGE_SRC_UNKNOWN,
} lv_image_src_t;

/** Classify an image source by its first byte (NULL: unknown). */
lv_image_src_t lv_image_src_get_type(const void * src);

#define LV_IMAGE_DECLARE(var_name) extern const lv_image_dsc_t var_name

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* LV_IMAGE_DSC_H */
