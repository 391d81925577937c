#ifndef LV_IMAGE_CACHE_H
#define LV_IMAGE_CACHE_H

#include "../../lv_conf_internal.h"
#include "../lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/**
 * Decoded images are kept under their source (a file by its path text, image
 * data by its address) up to LV_CACHE_DEF_SIZE bytes, the least recently
 * used going first; 0 keeps nothing. A file changed on disk is read again
 * only after its entry was dropped.
 */

/** Sets the size in bytes (0 disables the cache); with `evict_now` the
 *  entries beyond it go at once, otherwise when the next one is added. */
void lv_image_cache_resize(uint32_t new_size, bool evict_now);

/** Forgets the decoded image of `src`, or every one when `src` is NULL. */
void lv_image_cache_drop(const void * src);

#ifdef __cplusplus
}
#endif

#endif /* LV_IMAGE_CACHE_H */
