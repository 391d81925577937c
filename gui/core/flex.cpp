// The flex layout: items in tracks along a main axis, with gaps, growing
// items and main, cross and track placement.
#include <algorithm>
#include <vector>

#include "lvgl.h"
#include "gui/core/layout.hpp"
#include "gui/core/obj.hpp"

namespace {

struct Axis {
    bool row;
    int32_t main_size(const lv_obj_t * o) const { return row ? lv_obj_get_width(o) : lv_obj_get_height(o); }
    int32_t cross_size(const lv_obj_t * o) const { return row ? lv_obj_get_height(o) : lv_obj_get_width(o); }
    int32_t margin_main_start(const lv_obj_t * o) const
    {
        return row ? lv_obj_get_style_margin_left(o, LV_PART_MAIN) : lv_obj_get_style_margin_top(o, LV_PART_MAIN);
    }
    int32_t margin_main_end(const lv_obj_t * o) const
    {
        return row ? lv_obj_get_style_margin_right(o, LV_PART_MAIN) : lv_obj_get_style_margin_bottom(o, LV_PART_MAIN);
    }
    int32_t margin_cross_start(const lv_obj_t * o) const
    {
        return row ? lv_obj_get_style_margin_top(o, LV_PART_MAIN) : lv_obj_get_style_margin_left(o, LV_PART_MAIN);
    }
    int32_t margin_cross_end(const lv_obj_t * o) const
    {
        return row ? lv_obj_get_style_margin_bottom(o, LV_PART_MAIN) : lv_obj_get_style_margin_right(o, LV_PART_MAIN);
    }
    int32_t min_main(const lv_obj_t * o) const
    {
        int32_t v = row ? lv_obj_get_style_min_width(o, LV_PART_MAIN) : lv_obj_get_style_min_height(o, LV_PART_MAIN);
        return LV_COORD_IS_SPEC(v) ? 0 : v;
    }
    int32_t max_main(const lv_obj_t * o) const
    {
        int32_t v = row ? lv_obj_get_style_max_width(o, LV_PART_MAIN) : lv_obj_get_style_max_height(o, LV_PART_MAIN);
        return LV_COORD_IS_SPEC(v) ? LV_COORD_MAX : v;
    }
};

struct Track {
    std::vector<lv_obj_t *> items;
    int32_t main_size = 0;  // fixed items with margins, plus the gaps
    int32_t cross_size = 0;
    uint32_t grow_sum = 0;
};

bool takes_part(const lv_obj_t * child)
{
    return !lv_obj_has_flag_any(
        child, static_cast<lv_obj_flag_t>(LV_OBJ_FLAG_HIDDEN | LV_OBJ_FLAG_IGNORE_LAYOUT | LV_OBJ_FLAG_FLOATING));
}

std::vector<lv_obj_t *> items_of(lv_obj_t * cont, bool reverse)
{
    std::vector<lv_obj_t *> items;
    for (auto & c : cont->children) {
        if (takes_part(c.get())) items.push_back(c.get());
    }
    if (reverse) std::reverse(items.begin(), items.end());
    return items;
}

// Lets the item's own width/height apply again after it stopped growing.
void release_layout_size(lv_obj_t * item, const Axis & ax)
{
    bool & owned = ax.row ? item->w_layout : item->h_layout;
    if (!owned) return;
    owned = false;
    lv_obj_refr_size(item);
}

std::vector<Track> form_tracks(const std::vector<lv_obj_t *> & items, const Axis & ax, int32_t avail, int32_t gap,
                               bool wrap)
{
    std::vector<Track> tracks;
    for (lv_obj_t * item : items) {
        uint8_t grow = lv_obj_get_style_flex_grow(item, LV_PART_MAIN);
        if (grow == 0) release_layout_size(item, ax);
        int32_t item_main =
            grow != 0 ? ax.min_main(item) : ax.main_size(item) + ax.margin_main_start(item) + ax.margin_main_end(item);
        bool new_track = tracks.empty();
        if (!new_track && !tracks.back().items.empty()) {
            Track & t = tracks.back();
            bool overflow = wrap && t.main_size + gap + item_main > avail;
            new_track = overflow || lv_obj_has_flag(item, LV_OBJ_FLAG_FLEX_IN_NEW_TRACK);
        }
        if (new_track) tracks.emplace_back();
        Track & t = tracks.back();
        if (!t.items.empty()) t.main_size += gap;
        t.main_size += item_main;
        t.grow_sum += grow;
        t.items.push_back(item);
    }
    return tracks;
}

// Shares the free space of a track among its growing items (in item order,
// rounding leftovers go to later items; min/max violations are fixed and the
// rest redistributed).
void grow_items(Track & t, const Axis & ax, int32_t avail)
{
    struct Grower {
        lv_obj_t * item;
        uint32_t grow;
        int32_t size;
        bool fixed;
    };
    std::vector<Grower> growers;
    int32_t fixed_total = t.main_size;
    for (lv_obj_t * item : t.items) {
        uint8_t g = lv_obj_get_style_flex_grow(item, LV_PART_MAIN);
        if (g == 0) continue;
        growers.push_back({item, g, 0, false});
        fixed_total -= ax.min_main(item);
    }
    for (bool again = true; again;) {
        again = false;
        int32_t free_space = avail - fixed_total;
        uint32_t grow_left = 0;
        for (const auto & g : growers) {
            if (g.fixed) {
                free_space -= g.size;
            } else {
                grow_left += g.grow;
            }
        }
        for (auto & g : growers) {
            if (g.fixed || grow_left == 0) continue;
            int32_t unit = std::max(free_space, 0) / static_cast<int32_t>(grow_left);
            int32_t share = unit * static_cast<int32_t>(g.grow);
            int32_t clamped =
                std::clamp(share, ax.min_main(g.item), std::max(ax.min_main(g.item), ax.max_main(g.item)));
            if (clamped != share) {
                g.size = clamped;
                g.fixed = true;
                again = true;
                break;
            }
            g.size = share;
            free_space -= share;
            grow_left -= g.grow;
        }
        if (again) {
            for (auto & g : growers) {
                if (!g.fixed) g.size = 0;
            }
        }
    }
    for (auto & g : growers) {
        bool & owned = ax.row ? g.item->w_layout : g.item->h_layout;
        owned = true;
        if (ax.row) {
            gui::core::resize(g.item, g.size, lv_obj_get_height(g.item));
        } else {
            gui::core::resize(g.item, lv_obj_get_width(g.item), g.size);
        }
    }
    t.main_size = avail;
}

// Start offset and extra gap for `n` things in `free_space` (may be negative).
void place(lv_flex_align_t align, int32_t free_space, int32_t n, int32_t & start, int32_t & extra)
{
    start = 0;
    extra = 0;
    switch (align) {
    case LV_FLEX_ALIGN_END: start = free_space; break;
    case LV_FLEX_ALIGN_CENTER: start = free_space / 2; break;
    case LV_FLEX_ALIGN_SPACE_BETWEEN:
        if (n > 1) extra = free_space / (n - 1);
        break;
    case LV_FLEX_ALIGN_SPACE_AROUND:
        extra = free_space / n;
        start = extra / 2;
        if (n == 1) start = free_space / 2;
        break;
    case LV_FLEX_ALIGN_SPACE_EVENLY:
        extra = free_space / (n + 1);
        start = extra;
        if (n == 1) start = free_space / 2;
        break;
    default: break;
    }
}

void place_track(const Track & t, const Axis & ax, int32_t avail, int32_t gap, int32_t cross_pos,
                 lv_flex_align_t main_place, lv_flex_align_t cross_place)
{
    int32_t start = 0;
    int32_t extra = 0;
    place(main_place, avail - t.main_size, static_cast<int32_t>(t.items.size()), start, extra);
    int32_t main_pos = start;
    for (lv_obj_t * item : t.items) {
        int32_t ms = ax.margin_main_start(item);
        int32_t me = ax.margin_main_end(item);
        int32_t cs = ax.margin_cross_start(item);
        int32_t ce = ax.margin_cross_end(item);
        int32_t item_cross = ax.cross_size(item);
        int32_t cross_ofs = cs;
        if (cross_place == LV_FLEX_ALIGN_END) {
            cross_ofs = t.cross_size - item_cross - ce;
        } else if (cross_place == LV_FLEX_ALIGN_CENTER) {
            int32_t even = t.cross_size + (t.cross_size & 1);
            cross_ofs = (even - item_cross) / 2 + (cs - ce) / 2;
        }
        int32_t tx = lv_obj_get_style_translate_x(item, LV_PART_MAIN);
        int32_t ty = lv_obj_get_style_translate_y(item, LV_PART_MAIN);
        if (LV_COORD_IS_PCT(tx)) tx = LV_COORD_GET_PCT(tx) * lv_obj_get_width(item) / 100;
        if (LV_COORD_IS_PCT(ty)) ty = LV_COORD_GET_PCT(ty) * lv_obj_get_height(item) / 100;
        int32_t m = main_pos + ms;
        int32_t c = cross_pos + cross_ofs;
        if (ax.row) {
            lv_obj_move_to(item, m + tx, c + ty);
        } else {
            lv_obj_move_to(item, c + tx, m + ty);
        }
        main_pos += ax.main_size(item) + ms + me + gap + extra;
    }
}

}  // namespace

namespace gui::core {

void flex_update(lv_obj_t * cont, void *)
{
    auto flow = static_cast<uint32_t>(lv_obj_get_style_flex_flow(cont, LV_PART_MAIN));
    Axis ax{(flow & LV_FLEX_COLUMN) == 0};
    bool wrap = (flow & LV_FLEX_WRAP) != 0;
    bool reverse = (flow & LV_FLEX_REVERSE) != 0;
    lv_flex_align_t main_place = lv_obj_get_style_flex_main_place(cont, LV_PART_MAIN);
    lv_flex_align_t cross_place = lv_obj_get_style_flex_cross_place(cont, LV_PART_MAIN);
    lv_flex_align_t track_place = lv_obj_get_style_flex_track_place(cont, LV_PART_MAIN);

    int32_t style_w = lv_obj_get_style_width(cont, LV_PART_MAIN);
    int32_t style_h = lv_obj_get_style_height(cont, LV_PART_MAIN);
    bool main_content = (ax.row ? style_w : style_h) == LV_SIZE_CONTENT;
    bool cross_content = (ax.row ? style_h : style_w) == LV_SIZE_CONTENT;
    if (main_content) wrap = false;
    if (cross_content) track_place = LV_FLEX_ALIGN_START;

    int32_t avail_main = ax.row ? lv_obj_get_content_width(cont) : lv_obj_get_content_height(cont);
    int32_t avail_cross = ax.row ? lv_obj_get_content_height(cont) : lv_obj_get_content_width(cont);
    int32_t pad_row = lv_obj_get_style_pad_row(cont, LV_PART_MAIN);
    int32_t pad_col = lv_obj_get_style_pad_column(cont, LV_PART_MAIN);
    int32_t item_gap = ax.row ? pad_col : pad_row;
    int32_t track_gap = ax.row ? pad_row : pad_col;

    std::vector<Track> tracks = form_tracks(items_of(cont, reverse), ax, avail_main, item_gap, wrap);
    if (tracks.empty()) return;
    for (Track & t : tracks) {
        if (t.grow_sum > 0) grow_items(t, ax, avail_main);
        for (lv_obj_t * item : t.items) {
            int32_t cross = ax.cross_size(item) + ax.margin_cross_start(item) + ax.margin_cross_end(item);
            t.cross_size = std::max(t.cross_size, cross);
        }
    }

    int32_t total_cross = 0;
    for (const Track & t : tracks) total_cross += t.cross_size;
    auto n = static_cast<int32_t>(tracks.size());
    total_cross += track_gap * (n - 1);
    int32_t start = 0;
    int32_t extra = 0;
    place(track_place, avail_cross - total_cross, n, start, extra);

    int32_t cross_pos = start;
    for (const Track & t : tracks) {
        place_track(t, ax, avail_main, item_gap, cross_pos, main_place, cross_place);
        cross_pos += t.cross_size + track_gap + extra;
    }

    if (style_w == LV_SIZE_CONTENT || style_h == LV_SIZE_CONTENT) lv_obj_refr_size(cont);
}

}  // namespace gui::core

extern "C" {

void lv_flex_init(void)
{
    lv_layout_register(gui::core::flex_update, nullptr);
}

void lv_obj_set_flex_flow(lv_obj_t * obj, lv_flex_flow_t flow)
{
    lv_obj_set_style_flex_flow(obj, flow, 0);
    lv_obj_set_style_layout(obj, LV_LAYOUT_FLEX, 0);
}

void lv_obj_set_flex_align(lv_obj_t * obj, lv_flex_align_t main_place, lv_flex_align_t cross_place,
                           lv_flex_align_t track_cross_place)
{
    lv_obj_set_style_flex_main_place(obj, main_place, 0);
    lv_obj_set_style_flex_cross_place(obj, cross_place, 0);
    lv_obj_set_style_flex_track_place(obj, track_cross_place, 0);
    lv_obj_set_style_layout(obj, LV_LAYOUT_FLEX, 0);
}

void lv_obj_set_flex_grow(lv_obj_t * obj, uint8_t grow)
{
    lv_obj_set_style_flex_grow(obj, grow, 0);
    if (obj->parent != nullptr) lv_obj_mark_layout_as_dirty(obj->parent);
}

}  // extern "C"
