#ifndef LV_SPRINTF_H
#define LV_SPRINTF_H

#include <stdarg.h>
#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_log.h"

#ifdef __cplusplus
extern "C" {
#endif

int lv_snprintf(char * buffer, size_t count, const char * format, ...) LV_FORMAT_ATTRIBUTE(3, 4);
int lv_vsnprintf(char * buffer, size_t count, const char * format, va_list va);

#ifdef __cplusplus
}
#endif

#endif /* LV_SPRINTF_H */
