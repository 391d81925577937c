// The drive-letter paths of the library's file system and the one way its
// stdio drive opens a file.
#pragma once

#include "lvgl.h"

#include <cstdio>
#include <memory>
#include <string>

namespace gui::fs {

// The operating-system path for `path`: "A:x" and paths without a drive go to
// the stdio drive. False, with a warning, for an unknown drive or a path of
// LV_FS_MAX_PATH_LENGTH bytes or more.
bool resolve_path(const char * path, std::string & out);

struct FileCloser {
    void operator()(FILE * f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// Opens a regular file of the stdio drive, never waiting: a FIFO, a device
// or a folder under the name is refused (open() on a FIFO waits for the
// other end, and a read from one or from a terminal waits for data).
// Writing creates and empties the file, as fopen's "wb"; both modes keep
// its contents, as "rb+". Null when it cannot be opened.
File open(const char * path, lv_fs_mode_t mode);

}  // namespace gui::fs
