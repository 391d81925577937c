#ifndef LV_ASSERT_H
#define LV_ASSERT_H

#include "../lv_conf_internal.h"
#include "lv_log.h"
#include LV_ASSERT_HANDLER_INCLUDE

#ifdef __cplusplus
extern "C" {
#endif

#define LV_ASSERT(expr)                                                                                                \
    do {                                                                                                               \
        if (!(expr)) {                                                                                                 \
            LV_LOG_ERROR("Asserted at expression: %s", #expr);                                                         \
            LV_ASSERT_HANDLER                                                                                          \
        }                                                                                                              \
    } while (0)

#define LV_ASSERT_MSG(expr, msg)                                                                                       \
    do {                                                                                                               \
        if (!(expr)) {                                                                                                 \
            LV_LOG_ERROR("Asserted at expression: %s (%s)", #expr, msg);                                               \
            LV_ASSERT_HANDLER                                                                                          \
        }                                                                                                              \
    } while (0)

#define LV_ASSERT_FORMAT_MSG(expr, format, ...)                                                                        \
    do {                                                                                                               \
        if (!(expr)) {                                                                                                 \
            LV_LOG_ERROR("Asserted at expression: %s " format, #expr, __VA_ARGS__);                                    \
            LV_ASSERT_HANDLER                                                                                          \
        }                                                                                                              \
    } while (0)

#if LV_USE_ASSERT_NULL
#define LV_ASSERT_NULL(p) LV_ASSERT_MSG(p != NULL, "NULL pointer");
#else
#define LV_ASSERT_NULL(p)
#endif

#if LV_USE_ASSERT_MALLOC
#define LV_ASSERT_MALLOC(p) LV_ASSERT_MSG(p != NULL, "Out of memory");
#else
#define LV_ASSERT_MALLOC(p)
#endif

#define LV_ASSERT_MEM_INTEGRITY()

#define LV_ASSERT_OBJ(obj_p, obj_class) LV_ASSERT_NULL(obj_p)

#ifdef __cplusplus
}
#endif

#endif /* LV_ASSERT_H */
