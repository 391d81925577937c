#ifndef LV_MEM_H
#define LV_MEM_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Unlike LVGL 9.4, no memory monitor (lv_mem_monitor, lv_mem_monitor_t). */

/** NULL on failure; a size of 0 gives a sentinel that lv_free ignores. */
void * lv_malloc(size_t size);
void * lv_malloc_zeroed(size_t size);
void * lv_zalloc(size_t size);
void * lv_calloc(size_t num, size_t size);
void * lv_realloc(void * data_p, size_t new_size);
void * lv_reallocf(void * data_p, size_t new_size);
void lv_free(void * data);

#ifdef __cplusplus
}
#endif

#endif /* LV_MEM_H */
