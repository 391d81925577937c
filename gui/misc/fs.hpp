// The drive-letter paths of the library's file system.
#pragma once

#include <string>

namespace gui::fs {

// The operating-system path for `path`: "A:x" and paths without a drive go to
// the stdio drive. False, with a warning, for an unknown drive or a path of
// LV_FS_MAX_PATH_LENGTH bytes or more.
bool resolve_path(const char * path, std::string & out);

}  // namespace gui::fs
