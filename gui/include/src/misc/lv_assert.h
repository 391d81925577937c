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

/* Not NULL, alive (lv_obj_is_valid walks the object trees without touching
 * `obj_p`), then of `obj_class` or a class derived from it. Every widget call
 * checks its object so. Where LV_USE_ASSERT_OBJ is 0 only NULL is checked,
 * and a widget call on an object of another class then does nothing and
 * returns the widget's default, where LVGL 9.4 would take the object for
 * one of its own class. */
#if LV_USE_ASSERT_OBJ
#define LV_ASSERT_OBJ(obj_p, obj_class)                                                                                \
    do {                                                                                                               \
        LV_ASSERT_NULL(obj_p)                                                                                          \
        LV_ASSERT_MSG(lv_obj_is_valid(obj_p), "deleted or unknown object");                                            \
        LV_ASSERT_MSG(lv_obj_has_class(obj_p, obj_class), "object of another class");                                  \
    } while (0)
#else
#define LV_ASSERT_OBJ(obj_p, obj_class) LV_ASSERT_NULL(obj_p)
#endif

#ifdef __cplusplus
}
#endif

#endif /* LV_ASSERT_H */
