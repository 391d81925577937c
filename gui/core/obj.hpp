// The record behind lv_obj_t and lv_obj_class_t, and the core's internal
// object functions that input handling, scrolling and the widgets build on.
//
// Coordinates: `coords` is the absolute box on the display (inclusive). A
// child's box already includes its parent's scroll displacement: a
// non-floating child sits at parent content origin + parent->scroll + its
// offset. lv_obj_get_scroll_x(obj) == -obj->scroll.x (scrolling a list down
// makes scroll.y negative).
#pragma once

#include <memory>
#include <vector>

#include "lvgl.h"
#include "gui/misc/event.hpp"

// A class: widgets define one constant record each and chain to their base.
struct _lv_obj_class_t {
    const lv_obj_class_t * base_class;
    // Run base first (constructors) or most derived first (destructors).
    void (*constructor_cb)(const lv_obj_class_t * class_p, lv_obj_t * obj);
    void (*destructor_cb)(const lv_obj_class_t * class_p, lv_obj_t * obj);
    // The class's own event handling; call lv_obj_event_base(class_p, e) first.
    void (*event_cb)(const lv_obj_class_t * class_p, lv_event_t * e);
    void * user_data;
    const char * name;
    int32_t width_def;  // 0: inherit from the base class
    int32_t height_def;
    uint32_t editable : 2;           // lv_obj_class_editable_t
    uint32_t group_def : 2;          // lv_obj_class_group_def_t
    uint32_t instance_size : 16;     // unused here: instance data is attached (see InstanceData)
    uint32_t theme_inheritable : 1;  // lv_obj_class_theme_inheritable_t
};

namespace gui::core {

// Per-object data of a widget class, owned by the object and destroyed with it
// (after the destructors ran).
struct InstanceData {
    virtual ~InstanceData() = default;
};

// A style object owned by one object (local and transition styles).
struct OwnedStyle {
    lv_style_t style{};
    OwnedStyle();
    ~OwnedStyle();
    OwnedStyle(const OwnedStyle &) = delete;
    OwnedStyle & operator=(const OwnedStyle &) = delete;
};

// One style attached to an object. Stored order is precedence order:
// transitions, then local styles, then added styles newest first; the theme's
// styles were added first and so come last.
struct StyleEntry {
    const lv_style_t * style;
    std::unique_ptr<OwnedStyle> owned;  // local and transition styles only
    lv_style_selector_t selector;
    bool is_local = false;
    bool is_trans = false;
    bool is_theme = false;
};

using ObjPtr = std::unique_ptr<lv_obj_t>;

}  // namespace gui::core

struct _lv_obj_t {
    const lv_obj_class_t * class_p = nullptr;
    lv_obj_t * parent = nullptr;
    std::vector<gui::core::ObjPtr> children;  // oldest first = drawn first
    lv_display_t * display = nullptr;         // of a screen or layer (parent == nullptr)

    lv_area_t coords{0, 0, -1, -1};
    uint32_t flags = 0;
    uint16_t state = LV_STATE_DEFAULT;
    void * user_data = nullptr;

    std::vector<gui::core::StyleEntry> styles;
    gui::EventList events;

    // Scrolling (children's displacement, see above) and its settings.
    lv_point_t scroll{0, 0};
    uint8_t scrollbar_mode = LV_SCROLLBAR_MODE_AUTO;
    uint8_t scroll_dir = LV_DIR_ALL;
    uint8_t scroll_snap_x = LV_SCROLL_SNAP_NONE;
    uint8_t scroll_snap_y = LV_SCROLL_SNAP_NONE;
    int32_t ext_click_pad = 0;
    int32_t ext_draw_size = 0;
    lv_group_t * group = nullptr;

    // Layout bookkeeping.
    bool layout_inv = false;  // this object's size/position/children need a pass
    bool w_layout = false;    // width owned by the parent's layout (flex grow)
    bool h_layout = false;
    bool being_deleted = false;

    std::vector<lv_obj_t **> null_on_delete;
    std::unique_ptr<gui::core::InstanceData> instance_data;
};

namespace gui::core {

// ---- classes and events -------------------------------------------------

// True while obj is being deleted (its DELETE event ran or runs).
inline bool is_deleting(const lv_obj_t * obj)
{
    return obj->being_deleted;
}

// ---- tree -----------------------------------------------------------------

// Index of obj in its parent's children (-1 for a screen).
int32_t index_in_parent(const lv_obj_t * obj);

// ---- geometry and layout ------------------------------------------------

// Moves obj's box and all its descendants' boxes by (dx, dy).
void move_tree(lv_obj_t * obj, int32_t dx, int32_t dy);
// The content area (box minus border and padding), absolute.
lv_area_t content_area(const lv_obj_t * obj);
// The transform pivot, relative to obj's top-left corner, percentages resolved.
lv_point_t transform_pivot(const lv_obj_t * obj);

// ---- styles ---------------------------------------------------------------

// Asks obj again how far its drawing reaches outside its box (REFR_EXT_DRAW_SIZE).
void refresh_ext_draw_size(lv_obj_t * obj);

}  // namespace gui::core
