// The log: one line per message, to the registered callback or to printf.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "lvgl.h"
#include "gui/misc/log.hpp"

namespace {

constexpr size_t kMessageMax = 256;
constexpr size_t kLineMax = 512;
constexpr const char * kLevelNames[] = {"Trace", "Info", "Warn", "Error", "User"};

lv_log_print_g_cb_t print_cb = nullptr;
uint32_t last_log_time = 0;

const char * base_name(const char * path)
{
    const char * name = path;
    for (const char * p = path; *p != '\0'; p++) {
        if (*p == '/' || *p == '\\') name = p + 1;
    }
    return name;
}

void emit(lv_log_level_t level, const char * line)
{
    if (print_cb != nullptr) {
        print_cb(level, line);
        return;
    }
#if LV_LOG_PRINTF
    std::fputs(line, stdout);
    std::fflush(stdout);
#endif
}

}  // namespace

namespace gui::log {

void reset()
{
    print_cb = nullptr;
    last_log_time = 0;
}

}  // namespace gui::log

extern "C" {

void lv_log_register_print_cb(lv_log_print_g_cb_t cb)
{
    print_cb = cb;
}

void lv_log_add(lv_log_level_t level, const char * file, int line, const char * func, const char * format, ...)
{
    if (level < 0 || level >= LV_LOG_LEVEL_NUM || level < LV_LOG_LEVEL) return;

    char msg[kMessageMax];
    va_list va;
    va_start(va, format);
    std::vsnprintf(msg, sizeof(msg), format, va);
    va_end(va);

    char out[kLineMax];
    int n = std::snprintf(out, sizeof(out), "[%s]", kLevelNames[level]);
#if LV_LOG_USE_TIMESTAMP
    uint32_t now = lv_tick_get();
    uint32_t since = now - last_log_time;
    last_log_time = now;
    n += std::snprintf(out + n, sizeof(out) - static_cast<size_t>(n), "\t(%u.%03u, +%u)\t",
                       static_cast<unsigned>(now / 1000), static_cast<unsigned>(now % 1000),
                       static_cast<unsigned>(since));
#endif
    if (n < static_cast<int>(sizeof(out))) {
        n += std::snprintf(out + n, sizeof(out) - static_cast<size_t>(n), " %s: %s", func, msg);
    }
#if LV_LOG_USE_FILE_LINE
    if (n < static_cast<int>(sizeof(out))) {
        n += std::snprintf(out + n, sizeof(out) - static_cast<size_t>(n), " %s:%d", base_name(file), line);
    }
#else
    (void)file;
    (void)line;
#endif
    // Keep room for the newline even when the text was cut.
    size_t len = n < static_cast<int>(sizeof(out)) - 1 ? static_cast<size_t>(n) : sizeof(out) - 2;
    out[len] = '\n';
    out[len + 1] = '\0';
    emit(level, out);
}

void lv_log(const char * format, ...)
{
    char msg[kLineMax];
    va_list va;
    va_start(va, format);
    std::vsnprintf(msg, sizeof(msg), format, va);
    va_end(va);
    emit(LV_LOG_LEVEL_USER, msg);
}

}  // extern "C"
