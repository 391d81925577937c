// General font functions: glyph lookup through fallbacks, bitmaps, widths.
#include "lvgl.h"

#include <cstring>

extern "C" {

bool lv_font_get_glyph_dsc(const lv_font_t * font, lv_font_glyph_dsc_t * dsc_out, uint32_t letter, uint32_t letter_next)
{
    if (dsc_out == nullptr) return false;
    std::memset(dsc_out, 0, sizeof(*dsc_out));
    for (const lv_font_t * f = font; f != nullptr; f = f->fallback) {
        if (f->get_glyph_dsc == nullptr) continue;
        const uint32_t next = f->kerning == LV_FONT_KERNING_NONE ? 0 : letter_next;
        if (f->get_glyph_dsc(f, dsc_out, letter, next)) {
            dsc_out->resolved_font = f;
            return true;
        }
        std::memset(dsc_out, 0, sizeof(*dsc_out));
    }
    // The missing-glyph placeholder is off in this build: nothing is drawn.
    return false;
}

const void * lv_font_get_glyph_bitmap(lv_font_glyph_dsc_t * g_dsc, lv_draw_buf_t * draw_buf)
{
    if (g_dsc == nullptr || g_dsc->resolved_font == nullptr) return nullptr;
    const lv_font_t * f = g_dsc->resolved_font;
    if (f->get_glyph_bitmap == nullptr) return nullptr;
    return f->get_glyph_bitmap(g_dsc, draw_buf);
}

const void * lv_font_get_glyph_static_bitmap(lv_font_glyph_dsc_t * g_dsc)
{
    if (g_dsc == nullptr) return nullptr;
    const uint8_t saved = g_dsc->req_raw_bitmap;
    g_dsc->req_raw_bitmap = 1;
    const void * bitmap = lv_font_get_glyph_bitmap(g_dsc, nullptr);
    g_dsc->req_raw_bitmap = saved;
    return bitmap;
}

void lv_font_glyph_release_draw_data(lv_font_glyph_dsc_t * g_dsc)
{
    if (g_dsc == nullptr || g_dsc->resolved_font == nullptr) return;
    const lv_font_t * f = g_dsc->resolved_font;
    if (f->release_glyph != nullptr) f->release_glyph(f, g_dsc);
}

uint16_t lv_font_get_glyph_width(const lv_font_t * font, uint32_t letter, uint32_t letter_next)
{
    lv_font_glyph_dsc_t g;
    if (!lv_font_get_glyph_dsc(font, &g, letter, letter_next)) return 0;
    return g.adv_w;
}

int32_t lv_font_get_line_height(const lv_font_t * font)
{
    return font != nullptr ? font->line_height : 0;
}

void lv_font_set_kerning(lv_font_t * font, lv_font_kerning_t kerning)
{
    if (font != nullptr) font->kerning = kerning;
}

const lv_font_t * lv_font_get_default(void)
{
    return LV_FONT_DEFAULT;
}

bool lv_font_has_static_bitmap(const lv_font_t * font)
{
    return font != nullptr && font->static_bitmap;
}

bool lv_font_info_is_equal(const lv_font_info_t * ft_info_1, const lv_font_info_t * ft_info_2)
{
    if (ft_info_1 == nullptr || ft_info_2 == nullptr) return false;
    const bool names_equal =
        ft_info_1->name == ft_info_2->name || (ft_info_1->name != nullptr && ft_info_2->name != nullptr &&
                                               std::strcmp(ft_info_1->name, ft_info_2->name) == 0);
    return names_equal && ft_info_1->class_p == ft_info_2->class_p && ft_info_1->size == ft_info_2->size &&
           ft_info_1->render_mode == ft_info_2->render_mode && ft_info_1->style == ft_info_2->style &&
           ft_info_1->kerning == ft_info_2->kerning;
}

}  // extern "C"
