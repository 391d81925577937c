#ifndef LV_FS_H
#define LV_FS_H

#include "../lv_conf_internal.h"
#include "lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Unlike LVGL 9.4, the stdio drive (LV_FS_STDIO_LETTER, also the default
 * drive) is the only one, with no lv_fs_drv_* functions to add another and
 * no lv_fs_dir_* functions, and it opens regular files only: a FIFO or a
 * device fails at once where fopen would wait on it. */

#define LV_FS_MAX_FN_LENGTH 64
#define LV_FS_MAX_PATH_LENGTH 256

typedef enum {
    LV_FS_RES_OK = 0,
    LV_FS_RES_HW_ERR,
    LV_FS_RES_FS_ERR,
    LV_FS_RES_NOT_EX,
    LV_FS_RES_FULL,
    LV_FS_RES_LOCKED,
    LV_FS_RES_DENIED,
    LV_FS_RES_BUSY,
    LV_FS_RES_TOUT,
    LV_FS_RES_NOT_IMP,
    LV_FS_RES_OUT_OF_MEM,
    LV_FS_RES_INV_PARAM,
    LV_FS_RES_UNKNOWN,
} lv_fs_res_t;

typedef enum {
    LV_FS_MODE_WR = 0x01,
    LV_FS_MODE_RD = 0x02,
} lv_fs_mode_t;

typedef enum {
    LV_FS_SEEK_SET = 0x00,
    LV_FS_SEEK_CUR = 0x01,
    LV_FS_SEEK_END = 0x02,
} lv_fs_whence_t;

/** An open file; callers keep it by value and use the functions below. */
typedef struct {
    void * file_d;
    const void * drv;
} lv_fs_file_t;

lv_fs_res_t lv_fs_open(lv_fs_file_t * file_p, const char * path, lv_fs_mode_t mode);
lv_fs_res_t lv_fs_close(lv_fs_file_t * file_p);
lv_fs_res_t lv_fs_read(lv_fs_file_t * file_p, void * buf, uint32_t btr, uint32_t * br);
lv_fs_res_t lv_fs_write(lv_fs_file_t * file_p, const void * buf, uint32_t btw, uint32_t * bw);
lv_fs_res_t lv_fs_seek(lv_fs_file_t * file_p, uint32_t pos, lv_fs_whence_t whence);
lv_fs_res_t lv_fs_tell(lv_fs_file_t * file_p, uint32_t * pos);
char * lv_fs_get_letters(char * buf);
const char * lv_fs_get_ext(const char * fn);
#if LV_USE_FS_STDIO
void lv_fs_stdio_init(void);
#endif

#ifdef __cplusplus
}
#endif

#endif /* LV_FS_H */
