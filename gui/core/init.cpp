// Starting and stopping the library.
#include "lvgl.h"
#include "src/core/lv_global.h"
#include "gui/core/layout.hpp"
#include "gui/display/display.hpp"
#include "gui/image/cache.hpp"
#include "gui/indev/indev_hooks.hpp"
#include "gui/misc/anim.hpp"
#include "gui/misc/async.hpp"
#include "gui/misc/log.hpp"
#include "gui/misc/tick.hpp"
#include "gui/misc/timer.hpp"

extern "C" {

lv_global_t lv_global;

void lv_init(void)
{
    if (lv_global.inited) {
        LV_LOG_WARN("lv_init: already initialized");
        return;
    }
    lv_global = lv_global_t{};
    gui::log::reset();
    gui::tick::reset();
    gui::timer::reset();
    gui::async::reset();
    gui::anim::init();
    gui::core::layout_init();
    gui::image::cache::init(LV_CACHE_DEF_SIZE);
#if LV_USE_FREETYPE
    lv_freetype_init(LV_FREETYPE_CACHE_FT_GLYPH_CNT);
#endif
    lv_global.inited = true;
}

void lv_deinit(void)
{
    if (!lv_global.inited) {
        LV_LOG_WARN("lv_deinit: not initialized");
        return;
    }
    if (lv_global.deinit_in_progress) return;
    lv_global.deinit_in_progress = true;

    gui::input::delete_all();
    gui::display::delete_all();
#if LV_USE_FREETYPE
    lv_freetype_uninit();
#endif
#if LV_USE_THEME_DEFAULT
    lv_theme_default_deinit();
#endif
    lv_group_set_default(nullptr);
    while (lv_group_get_count() > 0) lv_group_delete(lv_group_by_index(0));
    gui::anim::deinit();
    gui::timer::reset();
    gui::async::reset();
    gui::image::cache::deinit();
    lv_global.inited = false;
    gui::log::reset();
}

bool lv_is_initialized(void)
{
    return lv_global.inited;
}

}  // extern "C"
