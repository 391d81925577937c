// Fonts rendered at run time by FreeType (bitmap mode: 8-bit coverage glyphs).
#include "lvgl.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct _lv_font_class_t {
    const char * name;
};

extern "C" const lv_font_class_t lv_freetype_font_class = {"freetype"};

namespace {

constexpr uint32_t kFirstPrintable = 0x20;
constexpr FT_Fixed kItalicShear = 0x0366A;  // about 12 degrees, 16.16 fixed point

struct Glyph {
    uint16_t adv_w = 0;
    uint16_t box_w = 0;
    uint16_t box_h = 0;
    int16_t ofs_x = 0;
    int16_t ofs_y = 0;
    std::vector<uint8_t> alpha;  // box_w x box_h
};

// One opened face per (file, style), shared by the fonts of every size made from it.
struct SharedFace {
    FT_Face face = nullptr;

    SharedFace() = default;
    SharedFace(const SharedFace &) = delete;
    SharedFace & operator=(const SharedFace &) = delete;
    ~SharedFace()
    {
        if (face != nullptr) FT_Done_Face(face);
    }
};

struct FtFont {
    lv_font_t font{};
    std::shared_ptr<SharedFace> shared;
    FT_Size size = nullptr;  // this font's size object on the shared face
    lv_freetype_font_style_t style = LV_FREETYPE_FONT_STYLE_NORMAL;
    size_t cache_limit = 0;
    std::unordered_map<uint32_t, Glyph> glyphs;  // by code point

    FtFont() = default;
    FtFont(const FtFont &) = delete;
    FtFont & operator=(const FtFont &) = delete;
    ~FtFont();
    FT_Face face() const { return shared->face; }
    // Make this font's size the face's current one before using the face.
    void activate() const { FT_Activate_Size(size); }
};

struct Context {
    FT_Library lib = nullptr;
    uint32_t max_glyphs = LV_FREETYPE_CACHE_FT_GLYPH_CNT;
    std::map<std::pair<std::string, uint32_t>, std::weak_ptr<SharedFace>> faces;  // by (file, style)
    std::unordered_map<const lv_font_t *, std::unique_ptr<FtFont>> fonts;
};

Context & ctx()
{
    static Context c;
    return c;
}

std::shared_ptr<SharedFace> acquire_face(const char * path, uint32_t style)
{
    Context & c = ctx();
    std::weak_ptr<SharedFace> & slot = c.faces[{path, style}];
    if (std::shared_ptr<SharedFace> open = slot.lock()) return open;
    auto shared = std::make_shared<SharedFace>();
    if (FT_New_Face(c.lib, path, 0, &shared->face) != 0) {
        shared->face = nullptr;
        return nullptr;
    }
    slot = shared;
    return shared;
}

// The size goes before the face it belongs to (released with `shared` after this).
FtFont::~FtFont()
{
    if (size != nullptr) FT_Done_Size(size);
}

// The engine data of our fonts; user_data stays free for the application.
FtFont * ft_of(const lv_font_t * font)
{
    return static_cast<FtFont *>(const_cast<void *>(font->dsc));
}

// Render one glyph; false when the face does not have it.
bool render(FtFont & f, uint32_t letter, Glyph & out)
{
    FT_Face face = f.face();
    const FT_UInt index = FT_Get_Char_Index(face, letter);
    if (index == 0) return false;
    f.activate();
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) return false;
    FT_GlyphSlot slot = face->glyph;
    if ((f.style & LV_FREETYPE_FONT_STYLE_BOLD) && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Embolden(&slot->outline, FT_MulFix(face->units_per_EM, face->size->metrics.y_scale) / 24);
    }
    if ((f.style & LV_FREETYPE_FONT_STYLE_ITALIC) && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Matrix shear{0x10000, kItalicShear, 0, 0x10000};
        FT_Outline_Transform(&slot->outline, &shear);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return false;
    const FT_Bitmap & bmp = slot->bitmap;
    out.adv_w = static_cast<uint16_t>(std::max<FT_Pos>(slot->advance.x >> 6, 0));
    out.box_w = static_cast<uint16_t>(bmp.width);
    out.box_h = static_cast<uint16_t>(bmp.rows);
    out.ofs_x = static_cast<int16_t>(slot->bitmap_left);
    out.ofs_y = static_cast<int16_t>(slot->bitmap_top - static_cast<int>(bmp.rows));
    out.alpha.assign(static_cast<size_t>(out.box_w) * out.box_h, 0);
    for (uint32_t y = 0; y < bmp.rows; y++) {
        const uint8_t * src = bmp.buffer + static_cast<ptrdiff_t>(y) * bmp.pitch;
        uint8_t * dst = out.alpha.data() + static_cast<size_t>(y) * out.box_w;
        if (bmp.pixel_mode == FT_PIXEL_MODE_GRAY) {
            std::memcpy(dst, src, out.box_w);
        } else if (bmp.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (uint32_t x = 0; x < bmp.width; x++) dst[x] = (src[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
        }
    }
    return true;
}

const Glyph * glyph(FtFont & f, uint32_t letter)
{
    auto it = f.glyphs.find(letter);
    if (it != f.glyphs.end()) return &it->second;
    Glyph g;
    if (!render(f, letter, g)) return nullptr;
    if (f.glyphs.size() >= f.cache_limit) f.glyphs.clear();
    return &f.glyphs.emplace(letter, std::move(g)).first->second;
}

int32_t kerning(FtFont & f, uint32_t left, uint32_t right)
{
    FT_Face face = f.face();
    if (right == 0 || !FT_HAS_KERNING(face)) return 0;
    FT_Vector k;
    const FT_UInt l = FT_Get_Char_Index(face, left), r = FT_Get_Char_Index(face, right);
    if (l == 0 || r == 0) return 0;
    f.activate();
    if (FT_Get_Kerning(face, l, r, FT_KERNING_DEFAULT, &k) != 0) return 0;
    return static_cast<int32_t>(k.x >> 6);
}

bool get_glyph_dsc(const lv_font_t * font, lv_font_glyph_dsc_t * dsc, uint32_t letter, uint32_t letter_next)
{
    FtFont * f = ft_of(font);
    if (f == nullptr) return false;
    if (letter < kFirstPrintable) {
        // Control characters: empty and without advance.
        dsc->adv_w = 0;
        dsc->box_w = dsc->box_h = 0;
        dsc->format = LV_FONT_GLYPH_FORMAT_A8;
        dsc->gid.index = 0;
        return true;
    }
    const Glyph * g = glyph(*f, letter);
    if (g == nullptr) return false;  // lets a fallback font supply it
    const int32_t adv = g->adv_w + (font->kerning == LV_FONT_KERNING_NORMAL ? kerning(*f, letter, letter_next) : 0);
    dsc->adv_w = static_cast<uint16_t>(std::max(adv, 0));
    dsc->box_w = g->box_w;
    dsc->box_h = g->box_h;
    dsc->ofs_x = g->ofs_x;
    dsc->ofs_y = g->ofs_y;
    dsc->stride = 0;
    dsc->format = LV_FONT_GLYPH_FORMAT_A8;
    dsc->is_placeholder = 0;
    dsc->gid.index = letter;
    return true;
}

const void * get_glyph_bitmap(lv_font_glyph_dsc_t * dsc, lv_draw_buf_t * draw_buf)
{
    if (dsc == nullptr || dsc->resolved_font == nullptr || draw_buf == nullptr || draw_buf->data == nullptr)
        return nullptr;
    FtFont * f = ft_of(dsc->resolved_font);
    if (f == nullptr || dsc->gid.index == 0) return nullptr;
    const Glyph * g = glyph(*f, dsc->gid.index);
    if (g == nullptr || g->box_w == 0 || g->box_h == 0) return nullptr;
    const uint32_t stride = draw_buf->header.stride != 0 ? draw_buf->header.stride : g->box_w;
    if (stride < g->box_w || static_cast<uint64_t>(stride) * g->box_h > draw_buf->data_size) return nullptr;
    for (uint32_t y = 0; y < g->box_h; y++) {
        std::memcpy(draw_buf->data + static_cast<size_t>(y) * stride,
                    g->alpha.data() + static_cast<size_t>(y) * g->box_w, g->box_w);
    }
    draw_buf->header.cf = LV_COLOR_FORMAT_A8;
    draw_buf->header.w = g->box_w;
    draw_buf->header.h = g->box_h;
    draw_buf->header.stride = stride;
    return draw_buf;
}

bool set_size(FT_Face face, uint32_t size)
{
    if (FT_IS_SCALABLE(face)) return FT_Set_Pixel_Sizes(face, 0, size) == 0;
    return face->num_fixed_sizes > 0 && FT_Select_Size(face, 0) == 0;
}

void fill_metrics(FtFont & f)
{
    FT_Face face = f.face();
    const FT_Size_Metrics & m = f.size->metrics;
    lv_font_t & font = f.font;
    font.line_height = static_cast<int32_t>(m.height >> 6);
    font.base_line = static_cast<int32_t>((-m.descender) >> 6);
    if (FT_IS_SCALABLE(face)) {
        font.underline_position = static_cast<int8_t>(FT_MulFix(face->underline_position, m.y_scale) >> 6);
        font.underline_thickness =
            static_cast<int8_t>(std::max<FT_Long>(FT_MulFix(face->underline_thickness, m.y_scale) >> 6, 1));
    } else {
        font.underline_position = 0;
        font.underline_thickness = 1;
    }
}

}  // namespace

extern "C" {

lv_result_t lv_freetype_init(uint32_t max_glyph_cnt)
{
    Context & c = ctx();
    if (c.lib == nullptr && FT_Init_FreeType(&c.lib) != 0) {
        c.lib = nullptr;
        LV_LOG_ERROR("FreeType initialisation failed");
        return LV_RESULT_INVALID;
    }
    c.max_glyphs = std::max<uint32_t>(max_glyph_cnt, 1);
    return LV_RESULT_OK;
}

void lv_freetype_uninit(void)
{
    Context & c = ctx();
    c.fonts.clear();  // releases the sizes and faces before the library
    c.faces.clear();
    if (c.lib != nullptr) FT_Done_FreeType(c.lib);
    c.lib = nullptr;
}

void lv_freetype_init_font_info(lv_font_info_t * font_info)
{
    if (font_info == nullptr) return;
    *font_info = lv_font_info_t{};
    font_info->class_p = &lv_freetype_font_class;
    font_info->render_mode = LV_FREETYPE_FONT_RENDER_MODE_BITMAP;
    font_info->style = LV_FREETYPE_FONT_STYLE_NORMAL;
    font_info->kerning = LV_FONT_KERNING_NONE;
}

lv_font_t * lv_freetype_font_create_with_info(const lv_font_info_t * info)
{
    if (info == nullptr || info->name == nullptr || info->size == 0) {
        LV_LOG_ERROR("invalid font info");
        return nullptr;
    }
    if (info->render_mode != LV_FREETYPE_FONT_RENDER_MODE_BITMAP) {
        LV_LOG_ERROR("outline rendering is not supported: %s", info->name);
        return nullptr;
    }
    Context & c = ctx();
    if (c.lib == nullptr && lv_freetype_init(c.max_glyphs) != LV_RESULT_OK) return nullptr;

    auto f = std::make_unique<FtFont>();
    f->shared = acquire_face(info->name, info->style);
    if (f->shared == nullptr) {
        LV_LOG_ERROR("failed to open font file: %s", info->name);
        return nullptr;
    }
    if (FT_New_Size(f->face(), &f->size) != 0) {
        f->size = nullptr;
        LV_LOG_ERROR("failed to create a size for font: %s", info->name);
        return nullptr;
    }
    f->activate();
    if (!set_size(f->face(), info->size)) {
        LV_LOG_ERROR("failed to set size %u for font: %s", static_cast<unsigned>(info->size), info->name);
        return nullptr;
    }
    f->style = static_cast<lv_freetype_font_style_t>(info->style);
    f->cache_limit = c.max_glyphs;
    fill_metrics(*f);
    f->font.get_glyph_dsc = get_glyph_dsc;
    f->font.get_glyph_bitmap = get_glyph_bitmap;
    f->font.subpx = LV_FONT_SUBPX_NONE;
    f->font.kerning = info->kerning;
    f->font.dsc = f.get();
    lv_font_t * font = &f->font;
    c.fonts.emplace(font, std::move(f));
    return font;
}

lv_font_t * lv_freetype_font_create(const char * pathname, lv_freetype_font_render_mode_t render_mode, uint32_t size,
                                    lv_freetype_font_style_t style)
{
    lv_font_info_t info;
    lv_freetype_init_font_info(&info);
    info.name = pathname;
    info.size = size;
    info.render_mode = render_mode;
    info.style = style;
    return lv_freetype_font_create_with_info(&info);
}

void lv_freetype_font_delete(lv_font_t * font)
{
    if (font == nullptr) return;
    ctx().fonts.erase(font);  // unknown pointers are ignored
}

void lv_freetype_outline_add_event(lv_event_cb_t event_cb, lv_event_code_t filter, void * user_data)
{
    LV_UNUSED(event_cb);
    LV_UNUSED(filter);
    LV_UNUSED(user_data);
    LV_LOG_WARN("outline rendering is not supported");
}

uint32_t lv_freetype_outline_get_scale(const lv_font_t * font)
{
    LV_UNUSED(font);
    return 1;
}

bool lv_freetype_is_outline_font(const lv_font_t * font)
{
    LV_UNUSED(font);
    return false;
}

}  // extern "C"
