// The lines the GUI library logs, recorded for a test to look at.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace test_support {

// Records every line the GUI library logs from now on (call it after
// lv_init) and forgets what was recorded before.
void record_gui_log();
void clear_gui_log();
const std::vector<std::string> &gui_log();
// The recorded lines that contain `text`.
size_t gui_log_count(const std::string &text);
bool gui_logged(const std::string &text);

}  // namespace test_support
