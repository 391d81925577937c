// What the library remembers about image sources between frames: their
// decoded pictures (the image cache, LV_CACHE_DEF_SIZE bytes), and which of
// them failed to be read, so that a source failing at every frame is logged
// once. GUI thread only, like all drawing.
#pragma once

#include "decoder.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace gui::image::cache {

// A source as the cache tells them apart: a file by its path text, image
// data by its address.
using Key = std::variant<std::string, const void *>;
Key key_of(const void * src);

// lv_init: an empty cache of `max_size` bytes. lv_deinit: everything forgotten.
void init(uint32_t max_size);
void deinit();

// The decoded picture of `key`, now the most recently used; null when it is
// not kept or the cache is off.
std::shared_ptr<const DecodedImage> find(const Key & key);
// Keeps `image` under `key`, pushing out the least recently used entries to
// make room. A picture larger than the whole cache is not kept.
void add(const Key & key, std::shared_ptr<const DecodedImage> image);

// True when a failure of `key` has been logged since it last decoded.
bool failure_logged(const Key & key);
void note_failure(const Key & key);
void forget_failure(const Key & key);

}  // namespace gui::image::cache
