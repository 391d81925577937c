// Image widget: a compiled image, an image file or a symbol, with rotation,
// scaling, pivot and inner alignment.
#include "widget.hpp"
#include "widget_class.hpp"
#include "gui/draw/text.hpp"
#include "gui/misc/area.hpp"
#include "gui/image/decoder.hpp"

#include <algorithm>
#include <string>

namespace gui::widgets {
namespace {

constexpr int32_t kFullTurn = 3600;  // 0.1 degree units

struct ImageData : WidgetData {
    const void * src = nullptr;
    std::string src_copy;  // file paths and symbols are kept as our own copy
    lv_image_src_t src_type = LV_IMAGE_SRC_UNKNOWN;
    int32_t w = 0;
    int32_t h = 0;
    int32_t rotation = 0;
    int32_t scale_x = LV_SCALE_NONE;
    int32_t scale_y = LV_SCALE_NONE;
    lv_point_t pivot{LV_PCT(50), LV_PCT(50)};
    lv_point_t offset{0, 0};
    lv_image_align_t align = LV_IMAGE_ALIGN_CENTER;
    bool antialias = true;
    lv_blend_mode_t blend_mode = LV_BLEND_MODE_NORMAL;
    const lv_image_dsc_t * bitmap_mask = nullptr;
};

ImageData * data(const lv_obj_t * obj)
{
    return data_of<ImageData>(obj);
}

/** The alignments that scale the image to the widget size. */
bool fitting_align(lv_image_align_t a)
{
    return a == LV_IMAGE_ALIGN_STRETCH || a == LV_IMAGE_ALIGN_CONTAIN || a == LV_IMAGE_ALIGN_COVER;
}

/** The alignments that own rotation, pivot and scale: the fitting ones and tiling. */
bool owns_transform(lv_image_align_t a)
{
    return fitting_align(a) || a == LV_IMAGE_ALIGN_TILE;
}

lv_point_t pivot_px(const ImageData & d)
{
    auto resolve = [](int32_t v, int32_t size) { return LV_COORD_IS_PCT(v) ? size * LV_COORD_GET_PCT(v) / 100 : v; };
    return {resolve(d.pivot.x, d.w), resolve(d.pivot.y, d.h)};
}

/** Area the image covers after rotation and scale around the pivot, relative to its top-left origin. */
lv_area_t transformed_box(const ImageData & d)
{
    gui::draw::ImageDsc t;
    t.rotation = d.rotation;
    t.scale_x = d.scale_x;
    t.scale_y = d.scale_y;
    t.pivot = pivot_px(d);
    return gui::draw::transformed_image_area(d.w, d.h, t);
}

bool is_transformed(const ImageData & d)
{
    return d.rotation != 0 || d.scale_x != LV_SCALE_NONE || d.scale_y != LV_SCALE_NONE;
}

/** Top-left of the image inside the content area for the inner alignment (contain and cover
 *  centre the scaled image, which is scaled about its top-left pixel). */
lv_point_t image_origin(const lv_area_t & content, const ImageData & d)
{
    int32_t cw = gui::area::width(content), ch = gui::area::height(content);
    int32_t x = 0, y = 0;
    if (d.align == LV_IMAGE_ALIGN_CONTAIN || d.align == LV_IMAGE_ALIGN_COVER) {
        x = (cw - d.w * d.scale_x / LV_SCALE_NONE) / 2;
        y = (ch - d.h * d.scale_y / LV_SCALE_NONE) / 2;
    }
    switch (d.align) {
    case LV_IMAGE_ALIGN_TOP_MID: x = (cw - d.w) / 2; break;
    case LV_IMAGE_ALIGN_TOP_RIGHT: x = cw - d.w; break;
    case LV_IMAGE_ALIGN_BOTTOM_LEFT: y = ch - d.h; break;
    case LV_IMAGE_ALIGN_BOTTOM_MID: x = (cw - d.w) / 2, y = ch - d.h; break;
    case LV_IMAGE_ALIGN_BOTTOM_RIGHT: x = cw - d.w, y = ch - d.h; break;
    case LV_IMAGE_ALIGN_LEFT_MID: y = (ch - d.h) / 2; break;
    case LV_IMAGE_ALIGN_RIGHT_MID: x = cw - d.w, y = (ch - d.h) / 2; break;
    case LV_IMAGE_ALIGN_CENTER: x = (cw - d.w) / 2, y = (ch - d.h) / 2; break;
    default: break;  // top-left, stretch, tile; contain and cover above
    }
    return {content.x1 + x + d.offset.x, content.y1 + y + d.offset.y};
}

/**
 * Stretch, contain, cover and tile: rotation 0, pivot at the top-left pixel,
 * and the scale from the widget size (tile: none). Run again whenever the
 * source, the alignment or the size changes, and by the size getters.
 */
void update_fit(lv_obj_t * obj, ImageData & d)
{
    if (!owns_transform(d.align)) return;
    d.rotation = 0;
    d.pivot = {0, 0};
    if (d.align == LV_IMAGE_ALIGN_TILE) {
        d.scale_x = d.scale_y = LV_SCALE_NONE;
        return;
    }
    if (d.w == 0 || d.h == 0) return;
    int32_t cw = lv_obj_get_content_width(obj), ch = lv_obj_get_content_height(obj);
    int32_t sx = cw * LV_SCALE_NONE / d.w, sy = ch * LV_SCALE_NONE / d.h;
    if (d.align == LV_IMAGE_ALIGN_CONTAIN) sx = sy = std::min(sx, sy);
    if (d.align == LV_IMAGE_ALIGN_COVER) sx = sy = std::max(sx, sy);
    d.scale_x = std::max<int32_t>(1, sx);
    d.scale_y = std::max<int32_t>(1, sy);
}

void changed_transform(lv_obj_t * obj)
{
    lv_obj_update_layout(obj);
    gui::core::refresh_ext_draw_size(obj);
    lv_obj_invalidate(obj);
}

lv_point_t symbol_size(const lv_obj_t * obj, const char * txt)
{
    const lv_font_t * font = lv_obj_get_style_text_font(obj, LV_PART_MAIN);
    if (!font) return {0, 0};
    return gui::draw::text::text_size(txt, font, lv_obj_get_style_text_letter_space(obj, LV_PART_MAIN),
                                      lv_obj_get_style_text_line_space(obj, LV_PART_MAIN), LV_COORD_MAX,
                                      LV_TEXT_FLAG_EXPAND);
}

void clear_src(ImageData & d)
{
    d.src = nullptr;
    d.src_copy.clear();
    d.src_type = LV_IMAGE_SRC_UNKNOWN;
    d.w = d.h = 0;
}

void set_src(lv_obj_t * obj, ImageData & d, const void * src)
{
    lv_obj_invalidate(obj);
    lv_image_src_t type = lv_image_src_get_type(src);
    if (!src || type == LV_IMAGE_SRC_UNKNOWN) {
        clear_src(d);
    } else if (type == LV_IMAGE_SRC_SYMBOL) {
        d.src_copy = static_cast<const char *>(src);
        d.src = d.src_copy.c_str();
        d.src_type = type;
        lv_point_t size = symbol_size(obj, d.src_copy.c_str());
        d.w = size.x, d.h = size.y;
    } else {
        lv_image_header_t header{};
        std::string path = type == LV_IMAGE_SRC_FILE ? std::string(static_cast<const char *>(src)) : std::string();
        const void * probe = type == LV_IMAGE_SRC_FILE ? static_cast<const void *>(path.c_str()) : src;
        bool bad_dsc = type == LV_IMAGE_SRC_VARIABLE && static_cast<const lv_image_dsc_t *>(src)->data == nullptr;
        if (bad_dsc || !gui::image::info(probe, &header)) {
            LV_LOG_WARN("failed to get image info: %s", type == LV_IMAGE_SRC_FILE ? path.c_str() : "(descriptor)");
            clear_src(d);
        } else {
            d.src_copy = std::move(path);
            d.src = type == LV_IMAGE_SRC_FILE ? static_cast<const void *>(d.src_copy.c_str()) : src;
            d.src_type = type;
            d.w = header.w, d.h = header.h;
        }
    }
    update_fit(obj, d);
    lv_obj_refresh_self_size(obj);
    gui::core::refresh_ext_draw_size(obj);
    lv_obj_invalidate(obj);
}

void draw_image_main(lv_obj_t * obj, ImageData & d, lv_event_t * e)
{
    if (!d.src || d.w == 0 || d.h == 0) return;
    gui::draw::Target & t = event_target(e);
    lv_area_t content;
    lv_obj_get_content_coords(obj, &content);

    if (d.src_type == LV_IMAGE_SRC_SYMBOL) {
        gui::draw::LabelDsc ldsc;
        gui::core::init_label_dsc(obj, LV_PART_MAIN, ldsc);
        ldsc.text = static_cast<const char *>(d.src);
        ldsc.flag = LV_TEXT_FLAG_EXPAND;
        lv_point_t o = image_origin(content, d);
        lv_area_t a{o.x, o.y, o.x + d.w - 1, o.y + d.h - 1};
        gui::draw::draw_label(t, a, ldsc);
        return;
    }

    gui::draw::ImageDsc idsc;
    gui::core::init_image_dsc(obj, LV_PART_MAIN, idsc);
    idsc.src = d.src;
    idsc.antialias = d.antialias;
    lv_area_t saved = t.clip;
    if (d.align == LV_IMAGE_ALIGN_TILE) {
        idsc.tiled = true;
        lv_area_t clip;
        if (area::intersect(clip, saved, content)) {
            t.clip = clip;
            lv_area_t first{content.x1 + d.offset.x, content.y1 + d.offset.y, content.x1 + d.offset.x + d.w - 1,
                            content.y1 + d.offset.y + d.h - 1};
            gui::draw::draw_image(t, first, idsc);
        }
        t.clip = saved;
        return;
    }
    idsc.rotation = d.rotation;
    idsc.scale_x = d.scale_x;
    idsc.scale_y = d.scale_y;
    idsc.pivot = pivot_px(d);
    lv_point_t o = image_origin(content, d);
    if (d.align == LV_IMAGE_ALIGN_STRETCH) o = {content.x1 + d.offset.x, content.y1 + d.offset.y};
    lv_area_t a{o.x, o.y, o.x + d.w - 1, o.y + d.h - 1};
    gui::draw::draw_image(t, a, idsc);
}

int32_t ext_draw_size(lv_obj_t * obj, const ImageData & d)
{
    if (!is_transformed(d) || d.src_type == LV_IMAGE_SRC_SYMBOL) return 0;
    lv_area_t content, coords;
    lv_obj_get_content_coords(obj, &content);
    lv_obj_get_coords(obj, &coords);
    lv_point_t o = image_origin(content, d);
    lv_area_t box = transformed_box(d);
    lv_area_move(&box, o.x, o.y);
    int32_t ext = std::max({coords.x1 - box.x1, coords.y1 - box.y1, box.x2 - coords.x2, box.y2 - coords.y2});
    return std::max<int32_t>(0, ext);
}

void hit_test(lv_obj_t * obj, const ImageData & d, lv_event_t * e)
{
    lv_hit_test_info_t * info = lv_event_get_hit_test_info(e);
    lv_area_t area;
    if (is_transformed(d) && lv_obj_get_width(obj) == d.w && lv_obj_get_height(obj) == d.h) {
        lv_area_t coords;
        lv_obj_get_coords(obj, &coords);
        area = transformed_box(d);
        lv_area_move(&area, coords.x1, coords.y1);
    } else {
        lv_obj_get_click_area(obj, &area);
    }
    info->res = gui::area::contains(area, *info->point);
}

void image_constructor(const lv_obj_class_t *, lv_obj_t * obj)
{
    attach_data(obj, std::make_unique<ImageData>());
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_add_flag(obj, LV_OBJ_FLAG_ADV_HITTEST);
}

void image_event(const lv_obj_class_t * class_p, lv_event_t * e)
{
    lv_event_code_t code = lv_event_get_code(e);
    lv_obj_t * obj = lv_event_get_current_target_obj(e);
    if (code == LV_EVENT_HIT_TEST) {
        if (ImageData * d = data(obj)) hit_test(obj, *d, e);
        return;
    }
    if (!call_base_event(class_p, e)) return;
    ImageData * d = data(obj);
    if (!d) return;
    switch (code) {
    case LV_EVENT_STYLE_CHANGED:
        if (d->src_type == LV_IMAGE_SRC_SYMBOL) {
            lv_point_t size = symbol_size(obj, d->src_copy.c_str());
            d->w = size.x, d->h = size.y;
            lv_obj_refresh_self_size(obj);
        }
        gui::core::refresh_ext_draw_size(obj);
        break;
    case LV_EVENT_SIZE_CHANGED:
        if (fitting_align(d->align)) update_fit(obj, *d);
        gui::core::refresh_ext_draw_size(obj);
        break;
    case LV_EVENT_REFR_EXT_DRAW_SIZE: lv_event_set_ext_draw_size(e, ext_draw_size(obj, *d)); break;
    case LV_EVENT_GET_SELF_SIZE: {
        lv_point_t * p = lv_event_get_self_size_info(e);
        p->x = std::max(p->x, d->w);
        p->y = std::max(p->y, d->h);
        break;
    }
    case LV_EVENT_DRAW_MAIN: draw_image_main(obj, *d, e); break;
    default: break;
    }
}

}  // namespace
}  // namespace gui::widgets

using namespace gui::widgets;

constinit const lv_obj_class_t lv_image_class = make_widget_class({
    .base = &lv_obj_class,
    .name = "lv_image",
    .constructor = image_constructor,
    .event = image_event,
    .width_def = LV_SIZE_CONTENT,
    .height_def = LV_SIZE_CONTENT,
});

extern "C" {

lv_obj_t * lv_image_create(lv_obj_t * parent)
{
    return create_widget(&lv_image_class, parent);
}

void lv_image_set_src(lv_obj_t * obj, const void * src)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    if (ImageData * d = data(obj)) set_src(obj, *d, src);
}

void lv_image_set_offset_x(lv_obj_t * obj, int32_t x)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    if (ImageData * d = data(obj)) {
        d->offset.x = x;
        lv_obj_invalidate(obj);
    }
}

void lv_image_set_offset_y(lv_obj_t * obj, int32_t y)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    if (ImageData * d = data(obj)) {
        d->offset.y = y;
        lv_obj_invalidate(obj);
    }
}

void lv_image_set_rotation(lv_obj_t * obj, int32_t angle)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    if (!d) return;
    if (owns_transform(d->align)) angle = 0;
    angle %= kFullTurn;
    if (angle < 0) angle += kFullTurn;
    if (angle == d->rotation) return;
    lv_obj_invalidate(obj);
    d->rotation = angle;
    changed_transform(obj);
}

void lv_image_set_pivot(lv_obj_t * obj, int32_t x, int32_t y)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    if (!d) return;
    if (owns_transform(d->align)) x = y = 0;
    lv_obj_invalidate(obj);
    d->pivot = {x, y};
    changed_transform(obj);
}

void lv_image_set_pivot_x(lv_obj_t * obj, int32_t x)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    if (ImageData * d = data(obj)) lv_image_set_pivot(obj, x, d->pivot.y);
}

void lv_image_set_pivot_y(lv_obj_t * obj, int32_t y)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    if (ImageData * d = data(obj)) lv_image_set_pivot(obj, d->pivot.x, y);
}

static void set_scale(lv_obj_t * obj, int32_t sx, int32_t sy)
{
    ImageData * d = data(obj);
    if (!d || owns_transform(d->align)) return;
    lv_obj_invalidate(obj);
    d->scale_x = std::max<int32_t>(1, sx);
    d->scale_y = std::max<int32_t>(1, sy);
    changed_transform(obj);
}

void lv_image_set_scale(lv_obj_t * obj, uint32_t zoom)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    set_scale(obj, static_cast<int32_t>(zoom), static_cast<int32_t>(zoom));
}

void lv_image_set_scale_x(lv_obj_t * obj, uint32_t zoom)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    if (ImageData * d = data(obj)) set_scale(obj, static_cast<int32_t>(zoom), d->scale_y);
}

void lv_image_set_scale_y(lv_obj_t * obj, uint32_t zoom)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    if (ImageData * d = data(obj)) set_scale(obj, d->scale_x, static_cast<int32_t>(zoom));
}

void lv_image_set_blend_mode(lv_obj_t * obj, lv_blend_mode_t blend_mode)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    if (ImageData * d = data(obj)) {
        d->blend_mode = blend_mode;
        lv_obj_invalidate(obj);
    }
}

void lv_image_set_antialias(lv_obj_t * obj, bool antialias)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    if (ImageData * d = data(obj)) {
        d->antialias = antialias;
        lv_obj_invalidate(obj);
    }
}

void lv_image_set_inner_align(lv_obj_t * obj, lv_image_align_t align)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    if (!d || d->align == align) return;
    lv_obj_invalidate(obj);
    // Leaving a fitting alignment keeps its scale and pivot.
    d->align = align;
    lv_obj_update_layout(obj);
    update_fit(obj, *d);
    changed_transform(obj);
}

void lv_image_set_bitmap_map_src(lv_obj_t * obj, const lv_image_dsc_t * src)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    if (ImageData * d = data(obj)) d->bitmap_mask = src;
}

const void * lv_image_get_src(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->src : nullptr;
}

int32_t lv_image_get_offset_x(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->offset.x : 0;
}

int32_t lv_image_get_offset_y(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->offset.y : 0;
}

int32_t lv_image_get_rotation(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->rotation : 0;
}

void lv_image_get_pivot(lv_obj_t * obj, lv_point_t * pivot)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    if (pivot) *pivot = d ? pivot_px(*d) : lv_point_t{0, 0};
}

int32_t lv_image_get_scale(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->scale_x : LV_SCALE_NONE;
}

int32_t lv_image_get_scale_x(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->scale_x : LV_SCALE_NONE;
}

int32_t lv_image_get_scale_y(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->scale_y : LV_SCALE_NONE;
}

int32_t lv_image_get_src_width(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    if (!d) return 0;
    update_fit(obj, *d);
    return d->w;
}

int32_t lv_image_get_src_height(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    if (!d) return 0;
    update_fit(obj, *d);
    return d->h;
}

int32_t lv_image_get_transformed_width(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    if (!d) return 0;
    update_fit(obj, *d);
    lv_area_t box = transformed_box(*d);
    return gui::area::width(box);
}

int32_t lv_image_get_transformed_height(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    if (!d) return 0;
    update_fit(obj, *d);
    lv_area_t box = transformed_box(*d);
    return gui::area::height(box);
}

lv_blend_mode_t lv_image_get_blend_mode(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->blend_mode : LV_BLEND_MODE_NORMAL;
}

bool lv_image_get_antialias(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->antialias : true;
}

lv_image_align_t lv_image_get_inner_align(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->align : LV_IMAGE_ALIGN_CENTER;
}

const lv_image_dsc_t * lv_image_get_bitmap_map_src(lv_obj_t * obj)
{
    LV_ASSERT_OBJ(obj, &lv_image_class);
    ImageData * d = data(obj);
    return d ? d->bitmap_mask : nullptr;
}

}  // extern "C"
