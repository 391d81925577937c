// Cover art of the stand-in services: a small JPEG whose colours follow the
// track, written atomically (beside, then renamed) into the working directory.
#pragma once

#include <cstdint>

namespace svc {

// Writes a `size` x `size` JPEG to `path`, a diagonal blend of two colours
// picked by `seed`. 0, or -1 when the file cannot be written.
int write_cover_art(const char *path, unsigned seed, int size);

} // namespace svc
