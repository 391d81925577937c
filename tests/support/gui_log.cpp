#include "gui_log.hpp"

#include "lvgl.h"

namespace test_support {

namespace {

std::vector<std::string> lines;

void log_cb(lv_log_level_t, const char *buf)
{
    lines.emplace_back(buf);
}

}  // namespace

void record_gui_log()
{
    lines.clear();
    lv_log_register_print_cb(log_cb);
}

void clear_gui_log()
{
    lines.clear();
}

const std::vector<std::string> &gui_log()
{
    return lines;
}

size_t gui_log_count(const std::string &text)
{
    size_t n = 0;
    for (const std::string &l : lines) {
        n += l.find(text) != std::string::npos;
    }
    return n;
}

bool gui_logged(const std::string &text)
{
    return gui_log_count(text) > 0;
}

}  // namespace test_support
