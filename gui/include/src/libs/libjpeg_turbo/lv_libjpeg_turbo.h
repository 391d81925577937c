/**
 * @file lv_libjpeg_turbo.h
 * JPEG decoder on libjpeg-turbo.
 */
#ifndef LV_LIBJPEG_TURBO_H
#define LV_LIBJPEG_TURBO_H

#ifdef __cplusplus
extern "C" {
#endif

/** Register the JPEG decoder (lv_init does this). */
void lv_libjpeg_turbo_init(void);
void lv_libjpeg_turbo_deinit(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* LV_LIBJPEG_TURBO_H */
