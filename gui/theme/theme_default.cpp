// The default theme (light): screen, plain object (card) and scrollbar looks;
// the widget classes get theirs from the widget styles.
#include <algorithm>
#include <memory>

#include "lvgl.h"
#include "gui/theme/theme.hpp"
#include "gui/widgets/theme_widgets.hpp"

namespace {

constexpr int32_t kSmallLimit = 320;
constexpr int32_t kMediumLimit = 720;
constexpr uint32_t kScreenBg = 0xF5F5F5;
constexpr uint32_t kText = 0x212121;
constexpr uint32_t kCard = 0xFFFFFF;
constexpr uint32_t kGrey = 0xE0E0E0;
constexpr uint32_t kScrollbar = 0x9E9E9E;
constexpr int32_t kScreenRotarySensitivity = 8192;

struct Styles {
    lv_style_t screen;
    lv_style_t card;
    lv_style_t scrollbar;
    lv_style_t scrollbar_scrolled;
};

struct DefaultTheme {
    lv_theme_t theme;
    Styles styles;
    int32_t dpi = LV_DPI_DEF;
    int32_t size_class = 1;
    bool dark = false;
};

std::unique_ptr<DefaultTheme> instance;

// A design size for the small/medium/large display classes, scaled to the dpi.
int32_t design(const DefaultTheme & t, int32_t small, int32_t medium, int32_t large)
{
    int32_t v = t.size_class == 0 ? small : (t.size_class == 1 ? medium : large);
    return LV_DPX_CALC(t.dpi, v);
}

void init_styles(DefaultTheme & t)
{
    Styles & s = t.styles;
    int32_t pad_def = design(t, 16, 20, 24);
    int32_t pad_small = design(t, 10, 12, 14);
    int32_t radius = design(t, 8, 8, 12);
    int32_t border = LV_DPX_CALC(t.dpi, 2);
    int32_t scrollbar_w = LV_DPX_CALC(t.dpi, 5);
    int32_t scrollbar_margin = LV_DPX_CALC(t.dpi, 7);

    lv_style_reset(&s.screen);
    lv_style_set_bg_color(&s.screen, lv_color_hex(kScreenBg));
    lv_style_set_bg_opa(&s.screen, LV_OPA_COVER);
    lv_style_set_text_color(&s.screen, lv_color_hex(kText));
    lv_style_set_text_font(&s.screen, t.theme.font_normal);
    lv_style_set_pad_row(&s.screen, pad_small);
    lv_style_set_pad_column(&s.screen, pad_small);
    lv_style_set_rotary_sensitivity(&s.screen, kScreenRotarySensitivity);

    lv_style_reset(&s.card);
    lv_style_set_radius(&s.card, radius);
    lv_style_set_bg_color(&s.card, lv_color_hex(kCard));
    lv_style_set_bg_opa(&s.card, LV_OPA_COVER);
    lv_style_set_border_color(&s.card, lv_color_hex(kGrey));
    lv_style_set_border_width(&s.card, border);
    lv_style_set_border_post(&s.card, true);
    lv_style_set_text_color(&s.card, lv_color_hex(kText));
    lv_style_set_pad_all(&s.card, pad_def);
    lv_style_set_pad_row(&s.card, pad_small);
    lv_style_set_pad_column(&s.card, pad_small);
    lv_style_set_line_color(&s.card, lv_color_hex(kScrollbar));
    lv_style_set_line_width(&s.card, LV_DPX_CALC(t.dpi, 1));

    lv_style_reset(&s.scrollbar);
    lv_style_set_bg_color(&s.scrollbar, lv_color_hex(kScrollbar));
    lv_style_set_bg_opa(&s.scrollbar, LV_OPA_40);
    lv_style_set_radius(&s.scrollbar, LV_RADIUS_CIRCLE);
    lv_style_set_pad_all(&s.scrollbar, scrollbar_margin);
    lv_style_set_width(&s.scrollbar, scrollbar_w);
    lv_style_set_transition(&s.scrollbar, gui::widgets::theme_transition_normal());

    lv_style_reset(&s.scrollbar_scrolled);
    lv_style_set_bg_opa(&s.scrollbar_scrolled, LV_OPA_COVER);
}

void add_scrollbar(DefaultTheme & t, lv_obj_t * obj)
{
    lv_obj_add_style(obj, &t.styles.scrollbar, LV_PART_SCROLLBAR);
    lv_obj_add_style(obj, &t.styles.scrollbar_scrolled, static_cast<uint32_t>(LV_PART_SCROLLBAR) | LV_STATE_SCROLLED);
}

void apply(lv_theme_t *, lv_obj_t * obj)
{
    DefaultTheme & t = *instance;
    if(gui::widgets::theme_widgets_apply(obj)) return;
    if(lv_obj_get_parent(obj) == nullptr) {
        lv_obj_add_style(obj, &t.styles.screen, 0);
        add_scrollbar(t, obj);
        return;
    }
    if(lv_obj_check_type(obj, &lv_obj_class)) {
        lv_obj_add_style(obj, &t.styles.card, 0);
        add_scrollbar(t, obj);
    }
}

int32_t size_class_of(lv_display_t * disp)
{
    int32_t larger = std::max(lv_display_get_horizontal_resolution(disp), lv_display_get_vertical_resolution(disp));
    if(larger <= kSmallLimit) return 0;
    return larger < kMediumLimit ? 1 : 2;
}

}  // namespace

extern "C" {

lv_theme_t * lv_theme_default_init(lv_display_t * disp, lv_color_t color_primary, lv_color_t color_secondary,
                                   bool dark, const lv_font_t * font)
{
    if(disp == nullptr) disp = lv_display_get_default();
    bool fresh = instance == nullptr;
    if(fresh) {
        instance = std::make_unique<DefaultTheme>();
        lv_style_init(&instance->styles.screen);
        lv_style_init(&instance->styles.card);
        lv_style_init(&instance->styles.scrollbar);
        lv_style_init(&instance->styles.scrollbar_scrolled);
    }
    DefaultTheme & t = *instance;
    int32_t dpi = lv_display_get_dpi(disp);
    int32_t size_class = disp != nullptr ? size_class_of(disp) : 1;
    bool same = !fresh && t.dpi == dpi && t.size_class == size_class && t.dark == dark &&
                lv_color_eq(t.theme.color_primary, color_primary) &&
                lv_color_eq(t.theme.color_secondary, color_secondary) && t.theme.font_normal == font;
    if(same) return &t.theme;

    t.dpi = dpi;
    t.size_class = size_class;
    t.dark = dark;
    t.theme.disp = disp;
    t.theme.color_primary = color_primary;
    t.theme.color_secondary = color_secondary;
    t.theme.font_small = font;
    t.theme.font_normal = font;
    t.theme.font_large = font;
    t.theme.apply_cb = apply;
    gui::widgets::theme_widgets_init({dpi, size_class, color_primary, color_secondary, font});
    init_styles(t);
    if(!fresh) lv_obj_report_style_change(nullptr);
    return &t.theme;
}

lv_theme_t * lv_theme_default_get(void)
{
    return instance != nullptr ? &instance->theme : nullptr;
}

bool lv_theme_default_is_inited(void)
{
    return instance != nullptr;
}

void lv_theme_default_deinit(void)
{
    if(instance == nullptr) return;
    gui::widgets::theme_widgets_deinit();
    lv_style_reset(&instance->styles.screen);
    lv_style_reset(&instance->styles.card);
    lv_style_reset(&instance->styles.scrollbar);
    lv_style_reset(&instance->styles.scrollbar_scrolled);
    instance.reset();
}

}  // extern "C"
