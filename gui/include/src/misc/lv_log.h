#ifndef LV_LOG_H
#define LV_LOG_H

#include "../lv_conf_internal.h"
#include "lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifndef LV_FORMAT_ATTRIBUTE
#if defined(__GNUC__) || defined(__clang__)
#define LV_FORMAT_ATTRIBUTE(fmtstr, vararg) __attribute__((format(gnu_printf, fmtstr, vararg)))
#else
#define LV_FORMAT_ATTRIBUTE(fmtstr, vararg)
#endif
#endif

#if LV_USE_LOG

/** Receives one finished, newline-terminated log line. */
typedef void (*lv_log_print_g_cb_t)(lv_log_level_t level, const char * buf);

void lv_log_register_print_cb(lv_log_print_g_cb_t print_cb);

void lv_log(const char * format, ...) LV_FORMAT_ATTRIBUTE(1, 2);

void lv_log_add(lv_log_level_t level, const char * file, int line, const char * func, const char * format, ...)
    LV_FORMAT_ATTRIBUTE(5, 6);

#ifndef LV_LOG_TRACE
#if LV_LOG_LEVEL <= LV_LOG_LEVEL_TRACE
#define LV_LOG_TRACE(...) lv_log_add(LV_LOG_LEVEL_TRACE, __FILE__, __LINE__, __func__, __VA_ARGS__)
#else
#define LV_LOG_TRACE(...)                                                                                              \
    do {                                                                                                               \
    } while (0)
#endif
#endif
#ifndef LV_LOG_INFO
#if LV_LOG_LEVEL <= LV_LOG_LEVEL_INFO
#define LV_LOG_INFO(...) lv_log_add(LV_LOG_LEVEL_INFO, __FILE__, __LINE__, __func__, __VA_ARGS__)
#else
#define LV_LOG_INFO(...)                                                                                               \
    do {                                                                                                               \
    } while (0)
#endif
#endif
#ifndef LV_LOG_WARN
#if LV_LOG_LEVEL <= LV_LOG_LEVEL_WARN
#define LV_LOG_WARN(...) lv_log_add(LV_LOG_LEVEL_WARN, __FILE__, __LINE__, __func__, __VA_ARGS__)
#else
#define LV_LOG_WARN(...)                                                                                               \
    do {                                                                                                               \
    } while (0)
#endif
#endif
#ifndef LV_LOG_ERROR
#if LV_LOG_LEVEL <= LV_LOG_LEVEL_ERROR
#define LV_LOG_ERROR(...) lv_log_add(LV_LOG_LEVEL_ERROR, __FILE__, __LINE__, __func__, __VA_ARGS__)
#else
#define LV_LOG_ERROR(...)                                                                                              \
    do {                                                                                                               \
    } while (0)
#endif
#endif
#ifndef LV_LOG_USER
#if LV_LOG_LEVEL <= LV_LOG_LEVEL_USER
#define LV_LOG_USER(...) lv_log_add(LV_LOG_LEVEL_USER, __FILE__, __LINE__, __func__, __VA_ARGS__)
#else
#define LV_LOG_USER(...)                                                                                               \
    do {                                                                                                               \
    } while (0)
#endif
#endif
#ifndef LV_LOG
#if LV_LOG_LEVEL < LV_LOG_LEVEL_NONE
#define LV_LOG(...) lv_log(__VA_ARGS__)
#else
#define LV_LOG(...)                                                                                                    \
    do {                                                                                                               \
    } while (0)
#endif
#endif

#else /* LV_USE_LOG */

#define lv_log_add(level, file, line, ...)
#define LV_LOG_TRACE(...)                                                                                              \
    do {                                                                                                               \
    } while (0)
#define LV_LOG_INFO(...)                                                                                               \
    do {                                                                                                               \
    } while (0)
#define LV_LOG_WARN(...)                                                                                               \
    do {                                                                                                               \
    } while (0)
#define LV_LOG_ERROR(...)                                                                                              \
    do {                                                                                                               \
    } while (0)
#define LV_LOG_USER(...)                                                                                               \
    do {                                                                                                               \
    } while (0)
#define LV_LOG(...)                                                                                                    \
    do {                                                                                                               \
    } while (0)

#endif /* LV_USE_LOG */

#ifdef __cplusplus
}
#endif

#endif /* LV_LOG_H */
