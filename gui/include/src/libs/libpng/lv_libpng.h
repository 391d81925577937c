/**
 * @file lv_libpng.h
 * PNG decoder on libpng.
 */
#ifndef LV_LIBPNG_H
#define LV_LIBPNG_H

#ifdef __cplusplus
extern "C" {
#endif

/** Register the PNG decoder (lv_init does this). */
void lv_libpng_init(void);
void lv_libpng_deinit(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* LV_LIBPNG_H */
