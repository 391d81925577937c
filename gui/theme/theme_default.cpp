// The default theme (light): one instance, rebuilt when it is initialised
// again for other metrics; its look is in default_styles.
#include <memory>

#include "lvgl.h"
#include "gui/theme/default_styles.hpp"
#include "gui/theme/theme.hpp"

namespace {

struct DefaultTheme {
    lv_theme_t theme;
    gui::theme::Metrics metrics{};
    bool dark = false;
};

std::unique_ptr<DefaultTheme> instance;

}  // namespace

extern "C" {

lv_theme_t * lv_theme_default_init(lv_display_t * disp, lv_color_t color_primary, lv_color_t color_secondary, bool dark,
                                   const lv_font_t * font)
{
    if (disp == nullptr) disp = lv_display_get_default();
    const gui::theme::Metrics metrics = gui::theme::metrics_for(disp, color_primary, color_secondary, font);
    const bool fresh = instance == nullptr;
    if (!fresh && instance->dark == dark && gui::theme::same_metrics(instance->metrics, metrics))
        return &instance->theme;
    if (fresh) instance = std::make_unique<DefaultTheme>();

    DefaultTheme & t = *instance;
    t.metrics = metrics;
    t.dark = dark;
    t.theme.disp = disp;
    t.theme.color_primary = color_primary;
    t.theme.color_secondary = color_secondary;
    t.theme.font_small = font;
    t.theme.font_normal = font;
    t.theme.font_large = font;
    t.theme.apply_cb = gui::theme::apply_styles;
    gui::theme::init_styles(metrics);
    if (!fresh) lv_obj_report_style_change(nullptr);
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
    if (instance == nullptr) return;
    gui::theme::deinit_styles();
    instance.reset();
}

}  // extern "C"
