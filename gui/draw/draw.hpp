// Software renderer: the drawing primitives the object core uses to paint
// into 32-bit buffers (bytes B, G, R, A).
#pragma once

#include "lvgl.h"
#include "blend.hpp"
#include "gui/misc/area.hpp"

#include <cstdint>
#include <vector>

namespace gui::draw {

// A rounded rectangle that limits drawing (clip_corner of an ancestor).
struct RoundedClip {
    lv_area_t area;
    int32_t radius;
};

// Where to draw: a pixel buffer, the screen area it covers, and the
// current clip in screen coordinates (inclusive, inside buf_area).
struct Target {
    uint8_t * buf = nullptr;
    int32_t stride = 0;  // bytes per row
    lv_area_t buf_area{};
    lv_area_t clip{};
    std::vector<RoundedClip> masks;
    int32_t hor_res = 0;  // of the display drawn for (0: the buffer's width)
    Dest dest = Dest::Argb8888;

    void push_rounded_clip(const lv_area_t & area, int32_t radius);
    void pop_rounded_clip();
};

// An owned ARGB8888 buffer, used for transformed or layered objects and in tests.
class Layer {
public:
    explicit Layer(const lv_area_t & area);

    Target target();
    const lv_area_t & area() const { return area_; }
    int32_t width() const { return area::width(area_); }
    int32_t height() const { return area::height(area_); }
    int32_t stride() const { return width() * 4; }
    uint8_t * data() { return pixels_.data(); }
    const uint8_t * data() const { return pixels_.data(); }
    // Fill with one colour (alpha included).
    void fill(lv_color32_t c);

private:
    lv_area_t area_;
    std::vector<uint8_t> pixels_;
};

// A rectangle with everything resolved from styles; all opacities are already
// multiplied by the object's effective opacity.
struct RectDsc {
    int32_t radius = 0;

    lv_color_t bg_color{};
    lv_opa_t bg_opa = LV_OPA_TRANSP;

    const void * bg_image_src = nullptr;  // descriptor, file path or symbol text
    lv_opa_t bg_image_opa = LV_OPA_COVER;
    lv_color_t bg_image_recolor{};
    lv_opa_t bg_image_recolor_opa = LV_OPA_TRANSP;
    bool bg_image_tiled = false;
    const lv_font_t * bg_image_symbol_font = nullptr;  // font for symbol sources
    lv_color_t bg_image_symbol_color{};

    lv_color_t border_color{};
    lv_opa_t border_opa = LV_OPA_COVER;
    int32_t border_width = 0;
    int border_side = 0x0F;    // lv_border_side_t bits: bottom 1, top 2, left 4, right 8
    bool border_post = false;  // draw_rect skips the border; the caller draws it later with draw_border

    lv_color_t outline_color{};
    lv_opa_t outline_opa = LV_OPA_COVER;
    int32_t outline_width = 0;
    int32_t outline_pad = 0;

    lv_color_t shadow_color{};
    lv_opa_t shadow_opa = LV_OPA_COVER;
    int32_t shadow_width = 0;
    int32_t shadow_spread = 0;
    int32_t shadow_ofs_x = 0;
    int32_t shadow_ofs_y = 0;
};

constexpr int kBorderSideBottom = 0x01;
constexpr int kBorderSideTop = 0x02;
constexpr int kBorderSideLeft = 0x04;
constexpr int kBorderSideRight = 0x08;

// Shadow, background, background image, border (unless border_post), outline.
void draw_rect(Target & t, const lv_area_t & coords, const RectDsc & dsc);
// Only the border of `dsc` (for border_post).
void draw_border(Target & t, const lv_area_t & coords, const RectDsc & dsc);
// How far a rectangle's drawing can reach outside coords (shadow and outline).
int32_t rect_extra_size(const RectDsc & dsc);

struct ImageDsc {
    const void * src = nullptr;  // lv_image_dsc_t*, file path or symbol text (symbols draw nothing here)
    lv_opa_t opa = LV_OPA_COVER;
    lv_color_t recolor{};
    lv_opa_t recolor_opa = LV_OPA_TRANSP;
    int32_t rotation = 0;   // 0.1 degree, clockwise
    int32_t scale_x = 256;  // 256 = 100 %
    int32_t scale_y = 256;
    lv_point_t pivot{};  // relative to the top-left of coords
    bool antialias = true;
    bool tiled = false;  // repeat the image over clip_area starting at coords
    int32_t radius = 0;  // clip the drawn image to coords with this corner radius
};

// The area a w x h image covers with the rotation, scale and pivot of `dsc`,
// relative to its untransformed top-left corner.
lv_area_t transformed_image_area(int32_t w, int32_t h, const ImageDsc & dsc);

// Draw an image whose untransformed top-left corner is coords.x1/y1 (coords
// has the image's size; for tiled images it is the first tile).
void draw_image(Target & t, const lv_area_t & coords, const ImageDsc & dsc);

// Draw raw ARGB8888 pixels (straight alpha) like draw_image.
struct Pixels {
    const uint8_t * data;
    int32_t w;
    int32_t h;
    int32_t stride;
    bool has_alpha;
};
void draw_pixels(Target & t, const lv_area_t & coords, const Pixels & px, const ImageDsc & dsc);

// Blend a layer (its area is where it sits untransformed) with the transform,
// opacity and recolour of `dsc` (dsc.src is ignored).
void draw_layer(Target & t, const Layer & src, const ImageDsc & dsc);

enum TextDecor : uint8_t {
    kDecorNone = 0,
    kDecorUnderline = 1,
    kDecorStrikethrough = 2,
};

struct LabelDsc {
    const char * text = nullptr;
    const lv_font_t * font = nullptr;
    lv_color_t color{};
    lv_opa_t opa = LV_OPA_COVER;
    int32_t letter_space = 0;
    int32_t line_space = 0;
    lv_text_align_t align = LV_TEXT_ALIGN_AUTO;
    int32_t ofs_x = 0;
    int32_t ofs_y = 0;
    lv_text_flag_t flag = LV_TEXT_FLAG_NONE;
    uint8_t decor = kDecorNone;
};

// Lay the text out inside coords (its width is the wrapping width) and draw it.
void draw_label(Target & t, const lv_area_t & coords, const LabelDsc & dsc);

// Angles in degrees, 0 = 3 o'clock, growing clockwise; the arc is drawn from
// start to end. `width` is the ring thickness inward from `radius`.
struct ArcDsc {
    lv_point_t center{};
    int32_t radius = 0;
    int32_t width = 0;
    int32_t start_angle = 0;
    int32_t end_angle = 360;
    lv_color_t color{};
    lv_opa_t opa = LV_OPA_COVER;
    bool rounded = false;
    const void * img_src = nullptr;  // image painted through the arc's shape instead of colour
};
void draw_arc(Target & t, const ArcDsc & dsc);

struct LineDsc {
    lv_point_t p1{};
    lv_point_t p2{};
    int32_t width = 1;
    lv_color_t color{};
    lv_opa_t opa = LV_OPA_COVER;
    bool round_start = false;
    bool round_end = false;
};
void draw_line(Target & t, const LineDsc & dsc);

}  // namespace gui::draw
