// The image cache: least recently used first out, sizes counted as the
// library's decoders hold their pictures (RGB888 for JPEG, ARGB8888 for
// PNG), so that a figure for LV_CACHE_DEF_SIZE means the same here as on the
// board. The pictures themselves are shared: one that is evicted or dropped
// while a draw still holds it lives until that draw is done.
#include "cache.hpp"

#include <list>
#include <unordered_map>
#include <unordered_set>

namespace gui::image::cache {
namespace {

// Failures remembered at most; past that the record starts afresh (a source
// then may be logged once more).
constexpr size_t kMaxFailed = 64;

struct Entry {
    Key key;
    std::shared_ptr<const DecodedImage> image;
    uint64_t size;
};

struct State {
    uint64_t max_size = 0;
    uint64_t used = 0;
    std::list<Entry> entries;  // most recently used first
    std::unordered_map<Key, std::list<Entry>::iterator> index;
    std::unordered_set<Key> failed;
};

State g_state;

uint64_t size_of(const DecodedImage & img)
{
    const uint64_t bytes_per_pixel = img.has_alpha ? 4 : 3;
    return static_cast<uint64_t>(img.w) * static_cast<uint64_t>(img.h) * bytes_per_pixel;
}

void erase(std::list<Entry>::iterator it)
{
    g_state.used -= it->size;
    g_state.index.erase(it->key);
    g_state.entries.erase(it);
}

// Evicts the least recently used entries until at most `limit` bytes are held.
void evict_to(uint64_t limit)
{
    while (g_state.used > limit && !g_state.entries.empty()) erase(std::prev(g_state.entries.end()));
}

void remove(const Key & key)
{
    const auto it = g_state.index.find(key);
    if (it != g_state.index.end()) erase(it->second);
}

// A dropped source is read afresh: its next failure is news again.
void drop(const Key & key)
{
    remove(key);
    g_state.failed.erase(key);
}

void drop_all()
{
    g_state.entries.clear();
    g_state.index.clear();
    g_state.failed.clear();
    g_state.used = 0;
}

}  // namespace

Key key_of(const void * src)
{
    if (lv_image_src_get_type(src) == LV_IMAGE_SRC_FILE) return std::string(static_cast<const char *>(src));
    return src;
}

void init(uint32_t max_size)
{
    drop_all();
    g_state.max_size = max_size;
}

void deinit()
{
    init(0);
}

std::shared_ptr<const DecodedImage> find(const Key & key)
{
    if (g_state.max_size == 0) return nullptr;
    const auto it = g_state.index.find(key);
    if (it == g_state.index.end()) return nullptr;
    g_state.entries.splice(g_state.entries.begin(), g_state.entries, it->second);
    return it->second->image;
}

void add(const Key & key, std::shared_ptr<const DecodedImage> image)
{
    remove(key);
    const uint64_t size = size_of(*image);
    if (g_state.max_size == 0 || size > g_state.max_size) return;
    evict_to(g_state.max_size - size);
    g_state.entries.push_front(Entry{key, std::move(image), size});
    g_state.index[key] = g_state.entries.begin();
    g_state.used += size;
}

bool failure_logged(const Key & key)
{
    return g_state.failed.contains(key);
}

void note_failure(const Key & key)
{
    if (g_state.failed.size() >= kMaxFailed) g_state.failed.clear();
    g_state.failed.insert(key);
}

void forget_failure(const Key & key)
{
    g_state.failed.erase(key);
}

}  // namespace gui::image::cache

extern "C" {

void lv_image_cache_resize(uint32_t new_size, bool evict_now)
{
    gui::image::cache::g_state.max_size = new_size;
    if (evict_now) gui::image::cache::evict_to(new_size);
}

void lv_image_cache_drop(const void * src)
{
    if (src == nullptr) {
        gui::image::cache::drop_all();
    } else {
        gui::image::cache::drop(gui::image::cache::key_of(src));
    }
}

}  // extern "C"
