// Memory and string helpers on the C library.
#include <cstdlib>
#include <cstring>
#include <cstdio>

#include "lvgl.h"

namespace {

// lv_malloc(0) hands out this address; lv_free and lv_realloc recognise it.
unsigned char zero_size_block;

bool is_sentinel(const void * p)
{
    return p == &zero_size_block;
}

}  // namespace

extern "C" {

void * lv_malloc(size_t size)
{
    if (size == 0) return &zero_size_block;
    return std::malloc(size);
}

void * lv_malloc_zeroed(size_t size)
{
    if (size == 0) return &zero_size_block;
    return std::calloc(1, size);
}

void * lv_zalloc(size_t size)
{
    return lv_malloc_zeroed(size);
}

void * lv_calloc(size_t num, size_t size)
{
    if (num != 0 && size > SIZE_MAX / num) return nullptr;
    return lv_malloc_zeroed(num * size);
}

void * lv_realloc(void * data_p, size_t new_size)
{
    if (new_size == 0) {
        lv_free(data_p);
        return &zero_size_block;
    }
    if (data_p == nullptr || is_sentinel(data_p)) return std::malloc(new_size);
    return std::realloc(data_p, new_size);
}

void * lv_reallocf(void * data_p, size_t new_size)
{
    void * p = lv_realloc(data_p, new_size);
    if (p == nullptr) lv_free(data_p);
    return p;
}

void lv_free(void * data)
{
    if (data == nullptr || is_sentinel(data)) return;
    std::free(data);
}

void * lv_memcpy(void * dst, const void * src, size_t len)
{
    return std::memcpy(dst, src, len);
}

void lv_memset(void * dst, uint8_t v, size_t len)
{
    std::memset(dst, v, len);
}

void * lv_memmove(void * dst, const void * src, size_t len)
{
    return std::memmove(dst, src, len);
}

int lv_memcmp(const void * p1, const void * p2, size_t len)
{
    return std::memcmp(p1, p2, len);
}

size_t lv_strlen(const char * str)
{
    return std::strlen(str);
}

char * lv_strncpy(char * dst, const char * src, size_t dest_size)
{
    return std::strncpy(dst, src, dest_size);
}

size_t lv_strlcpy(char * dst, const char * src, size_t dst_size)
{
    size_t src_len = std::strlen(src);
    if (dst_size > 0) {
        size_t n = src_len < dst_size - 1 ? src_len : dst_size - 1;
        std::memcpy(dst, src, n);
        dst[n] = '\0';
    }
    return src_len;
}

int lv_strcmp(const char * s1, const char * s2)
{
    return std::strcmp(s1, s2);
}

char * lv_strdup(const char * src)
{
    size_t len = std::strlen(src) + 1;
    auto * dst = static_cast<char *>(lv_malloc(len));
    if (dst != nullptr) std::memcpy(dst, src, len);
    return dst;
}

int lv_snprintf(char * buffer, size_t count, const char * format, ...)
{
    va_list va;
    va_start(va, format);
    int n = std::vsnprintf(buffer, count, format, va);
    va_end(va);
    return n;
}

int lv_vsnprintf(char * buffer, size_t count, const char * format, va_list va)
{
    return std::vsnprintf(buffer, count, format, va);
}

}  // extern "C"
