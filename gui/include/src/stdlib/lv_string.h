#ifndef LV_STRING_H
#define LV_STRING_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

void * lv_memcpy(void * dst, const void * src, size_t len);
void lv_memset(void * dst, uint8_t v, size_t len);
void * lv_memmove(void * dst, const void * src, size_t len);
int lv_memcmp(const void * p1, const void * p2, size_t len);
size_t lv_strlen(const char * str);
char * lv_strncpy(char * dst, const char * src, size_t dest_size);
size_t lv_strlcpy(char * dst, const char * src, size_t dst_size);
int lv_strcmp(const char * s1, const char * s2);
char * lv_strdup(const char * src);

static inline void lv_memzero(void * dst, size_t len)
{
    lv_memset(dst, 0x00, len);
}

static inline bool lv_streq(const char * s1, const char * s2)
{
    return lv_strcmp(s1, s2) == 0;
}

#ifdef __cplusplus
}
#endif

#endif /* LV_STRING_H */
