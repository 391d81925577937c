/*
 * The dominant colour of a cover-art JPEG: decoded at one eighth of its size,
 * one row at a time, into a 512-cell histogram (three bits each of red,
 * green and blue); the most populated cell wins, the lowest index on a tie.
 *
 * The file comes from a service and is read as hostile: too short, damaged,
 * cut off while being written, of another format or absurdly large, it gives
 * black or whatever its readable part holds, never a crash or a leak. libjpeg
 * reports fatal errors by a long jump back into get_dominant_color, so the
 * decode keeps no C++ objects and frees its row buffer on that path too.
 */
#include <fcntl.h>
#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <jpeglib.h>

#include "user/ui_page/ui_page_main_private.h"

/* A JPEG needs at least this many bytes to be worth opening. */
#define ART_MIN_BYTES 128
/* Larger pictures are refused before anything is decoded: a cover never is,
 * and the decoder's own buffers grow with the width. */
#define ART_MAX_SIDE 8192
/* Bound of the decoder's own memory (a progressive file keeps all of its
 * coefficients); past it the decode fails like a damaged file. */
#define ART_MAX_DECODER_BYTES (32L * 1024 * 1024)
#define ART_SCALE_DENOM 8
#define RGB_BYTES 3
#define CELL_COUNT 512
#define CELL_BITS 3
#define CHANNEL_SHIFT 5 /* 8 bits down to the cell's 3 */
#define COUNT_MAX 65535
/* Pixels outside this sum of R + G + B (near black, near white) are not
 * counted. */
#define BRIGHTNESS_MIN 60
#define BRIGHTNESS_MAX 700

/* libjpeg's manager, the jump buffer right behind it (my_error_exit finds it
 * through the decompression record's err pointer), and the row buffer so the
 * error path can free it. */
typedef struct {
    struct jpeg_error_mgr pub;
    jmp_buf jump;
    JSAMPLE *volatile row;
} art_error_mgr_t;

static void my_error_exit(j_common_ptr info)
{
    art_error_mgr_t *err = (art_error_mgr_t *)info->err;
    err->pub.output_message(info);
    longjmp(err->jump, 1);
}

static unsigned cell_of(const JSAMPLE *px)
{
    return (unsigned)(px[0] >> CHANNEL_SHIFT) << (2 * CELL_BITS) | (unsigned)(px[1] >> CHANNEL_SHIFT) << CELL_BITS |
           (unsigned)(px[2] >> CHANNEL_SHIFT);
}

static void count_row(uint16_t hist[CELL_COUNT], const JSAMPLE *row, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; x++) {
        const JSAMPLE *px = row + (size_t)x * RGB_BYTES;
        const int sum = px[0] + px[1] + px[2];
        if (sum < BRIGHTNESS_MIN || sum > BRIGHTNESS_MAX) {
            continue;
        }
        uint16_t *n = &hist[cell_of(px)];
        if (*n < COUNT_MAX) {
            (*n)++;
        }
    }
}

static lv_color_t color_of_fullest(const uint16_t hist[CELL_COUNT])
{
    unsigned best = 0;
    for (unsigned cell = 1; cell < CELL_COUNT; cell++) {
        if (hist[cell] > hist[best]) {
            best = cell;
        }
    }
    if (hist[best] == 0) {
        return lv_color_black();
    }
    const unsigned mask = (1u << CELL_BITS) - 1;
    return lv_color_make((uint8_t)(((best >> (2 * CELL_BITS)) & mask) << CHANNEL_SHIFT),
                         (uint8_t)(((best >> CELL_BITS) & mask) << CHANNEL_SHIFT),
                         (uint8_t)((best & mask) << CHANNEL_SHIFT));
}

/* The file for reading when it is a regular file: opened without blocking,
 * so that a FIFO or a device under the art's name cannot hold the GUI
 * thread. NULL otherwise. */
static FILE *art_open(const char *path)
{
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return NULL;
    }
    struct stat st;
    FILE *f = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? fdopen(fd, "rb") : NULL;
    if (f == NULL) {
        close(fd);
    }
    return f;
}

/* 0 when the file holds at least ART_MIN_BYTES, positioned at its start. */
static int art_file_check(FILE *f)
{
    if (fseek(f, 0, SEEK_END) != 0 || ftell(f) < ART_MIN_BYTES) {
        return -1;
    }
    rewind(f);
    return 0;
}

lv_color_t get_dominant_color(const char *path)
{
    FILE *f = art_open(path);
    if (f == NULL) {
        return lv_color_black();
    }
    if (art_file_check(f) != 0) {
        fclose(f);
        return lv_color_black();
    }

    struct jpeg_decompress_struct cinfo;
    art_error_mgr_t err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = my_error_exit;
    err.row = NULL;
    if (setjmp(err.jump)) {
        free(err.row);
        jpeg_destroy_decompress(&cinfo);
        fclose(f);
        return lv_color_black();
    }

    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = ART_MAX_DECODER_BYTES;
    jpeg_stdio_src(&cinfo, f);
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || cinfo.image_width > ART_MAX_SIDE ||
        cinfo.image_height > ART_MAX_SIDE) {
        jpeg_destroy_decompress(&cinfo);
        fclose(f);
        return lv_color_black();
    }
    cinfo.out_color_space = JCS_RGB;
    cinfo.scale_num = 1;
    cinfo.scale_denom = ART_SCALE_DENOM;
    jpeg_calc_output_dimensions(&cinfo);
    jpeg_start_decompress(&cinfo);
    const JDIMENSION width = cinfo.output_width;
    const JDIMENSION height = cinfo.output_height;

    err.row = (JSAMPLE *)malloc((size_t)width * RGB_BYTES);
    if (err.row == NULL) {
        jpeg_abort_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        fclose(f);
        return lv_color_black();
    }
    uint16_t hist[CELL_COUNT];
    memset(hist, 0, sizeof hist);
    for (JDIMENSION y = 0; y < height; y++) {
        JSAMPROW rows[1] = {err.row};
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) {
            break;
        }
        count_row(hist, err.row, width);
    }
    free(err.row);
    err.row = NULL;
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    fclose(f);
    return color_of_fullest(hist);
}
