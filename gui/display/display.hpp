// The record behind lv_display_t and the display functions the core uses.
#pragma once

#include <memory>
#include <vector>

#include "lvgl.h"
#include "gui/core/obj.hpp"
#include "gui/misc/event.hpp"

struct _lv_display_t {
    int32_t hor_res = 0;
    int32_t ver_res = 0;
    int32_t physical_hor_res = -1;
    int32_t physical_ver_res = -1;
    int32_t offset_x = 0;
    int32_t offset_y = 0;
    int32_t dpi = LV_DPI_DEF;
    lv_display_rotation_t rotation = LV_DISPLAY_ROTATION_0;
    lv_color_format_t color_format = LV_COLOR_FORMAT_NATIVE;
    bool antialiasing = true;

    // Render buffers: raw memory of the driver, described as draw buffers.
    lv_draw_buf_t buf_storage[2]{};
    lv_draw_buf_t * buf_1 = nullptr;
    lv_draw_buf_t * buf_2 = nullptr;
    lv_draw_buf_t * buf_act = nullptr;
    lv_display_render_mode_t render_mode = LV_DISPLAY_RENDER_MODE_PARTIAL;
    lv_display_flush_cb_t flush_cb = nullptr;
    lv_display_flush_wait_cb_t flush_wait_cb = nullptr;
    volatile int flushing = 0;
    volatile int flushing_last = 0;
    bool rendering_in_progress = false;

    // Screens and layers; the display owns them.
    std::vector<gui::core::ObjPtr> screens;
    gui::core::ObjPtr bottom_layer;
    gui::core::ObjPtr top_layer;
    gui::core::ObjPtr sys_layer;
    lv_obj_t * act_scr = nullptr;
    lv_obj_t * prev_scr = nullptr;
    lv_obj_t * scr_to_load = nullptr;
    bool del_prev = false;            // delete prev_scr when the load animation ends
    bool draw_prev_over_act = false;  // "out" animations draw the old screen on top

    lv_theme_t * theme = nullptr;
    lv_timer_t * refr_timer = nullptr;
    gui::EventList events;
    void * user_data = nullptr;
    void * driver_data = nullptr;

    // Areas waiting for a redraw, in display coordinates.
    std::vector<lv_area_t> inv_areas;
    bool inv_full = false;
    int inv_disabled = 0;
    std::vector<lv_area_t> last_frame_areas;  // drawn in the previous frame (direct mode)
    uint32_t last_activity_time = 0;
    bool layout_pending = false;

    // "No draw buffer" goes out once a second at most; refreshes left out since.
    bool no_buf_warned = false;
    uint32_t no_buf_warned_at = 0;
    uint32_t no_buf_left_out = 0;
};

namespace gui::display {

// Adds an area of disp for the next refresh and resumes its refresh timer.
void invalidate_area(lv_display_t * disp, const lv_area_t & area);
// Asks for a refresh without a new area (layout pending, style changed).
void request_refresh(lv_display_t * disp);
// Every display, most recently created first.
const std::vector<std::unique_ptr<lv_display_t>> & all();
// True when obj is a screen or layer of disp (not deleted).
bool owns_screen(const lv_display_t * disp, const lv_obj_t * obj);
// Takes a screen out of its display (the caller destroys it).
gui::core::ObjPtr release_screen(lv_display_t * disp, lv_obj_t * scr);
// Deletes every display (lv_deinit).
void delete_all();

}  // namespace gui::display
