/**
 * The GUI library's umbrella header: include this one only.
 */
#ifndef LVGL_H
#define LVGL_H

#ifdef __cplusplus
extern "C" {
#endif

#include "lv_version.h"
#include "src/lv_conf_internal.h"

#include "src/misc/lv_types.h"
#include "src/misc/lv_log.h"
#include "src/misc/lv_assert.h"
#include "src/misc/lv_math.h"
#include "src/misc/lv_area.h"
#include "src/misc/lv_color.h"
#include "src/misc/lv_palette.h"
#include "src/misc/lv_timer.h"
#include "src/misc/lv_async.h"
#include "src/misc/lv_anim.h"
#include "src/misc/lv_style.h"
#include "src/misc/lv_event.h"
#include "src/misc/lv_text.h"
#include "src/misc/lv_fs.h"
#include "src/misc/cache/lv_image_cache.h"
#include "src/stdlib/lv_mem.h"
#include "src/stdlib/lv_string.h"
#include "src/stdlib/lv_sprintf.h"
#include "src/osal/lv_os.h"
#include "src/tick/lv_tick.h"
#include "src/lv_init.h"

#include "src/font/lv_font.h"
#include "src/font/lv_symbol_def.h"
#include "src/draw/lv_image_dsc.h"
#include "src/draw/lv_draw_buf.h"

#include "src/core/lv_obj.h"
#include "src/core/lv_group.h"
#include "src/core/lv_refr.h"
#include "src/display/lv_display.h"
#include "src/indev/lv_indev.h"
#include "src/layouts/lv_layout.h"
#include "src/themes/lv_theme.h"
#include "src/themes/default/lv_theme_default.h"

#if __has_include("src/draw/lv_image_decoder.h")
#include "src/draw/lv_image_decoder.h"
#endif
#if __has_include("src/libs/freetype/lv_freetype.h")
#include "src/libs/freetype/lv_freetype.h"
#endif

/* The widgets: label, image, arc, bar, button, button matrix, checkbox,
 * textarea, keyboard, list and message box; unlike LVGL 9.4, no others. */
#if __has_include("src/widgets/label/lv_label.h")
#include "src/widgets/label/lv_label.h"
#endif
#if __has_include("src/widgets/image/lv_image.h")
#include "src/widgets/image/lv_image.h"
#endif
#if __has_include("src/widgets/arc/lv_arc.h")
#include "src/widgets/arc/lv_arc.h"
#endif
#if __has_include("src/widgets/bar/lv_bar.h")
#include "src/widgets/bar/lv_bar.h"
#endif
#if __has_include("src/widgets/button/lv_button.h")
#include "src/widgets/button/lv_button.h"
#endif
#if __has_include("src/widgets/buttonmatrix/lv_buttonmatrix.h")
#include "src/widgets/buttonmatrix/lv_buttonmatrix.h"
#endif
#if __has_include("src/widgets/checkbox/lv_checkbox.h")
#include "src/widgets/checkbox/lv_checkbox.h"
#endif
#if __has_include("src/widgets/textarea/lv_textarea.h")
#include "src/widgets/textarea/lv_textarea.h"
#endif
#if __has_include("src/widgets/keyboard/lv_keyboard.h")
#include "src/widgets/keyboard/lv_keyboard.h"
#endif
#if __has_include("src/widgets/list/lv_list.h")
#include "src/widgets/list/lv_list.h"
#endif
#if __has_include("src/widgets/msgbox/lv_msgbox.h")
#include "src/widgets/msgbox/lv_msgbox.h"
#endif

#if __has_include("src/drivers/display/drm/lv_linux_drm.h")
#include "src/drivers/display/drm/lv_linux_drm.h"
#endif
#if __has_include("src/drivers/evdev/lv_evdev.h")
#include "src/drivers/evdev/lv_evdev.h"
#endif

/** True when x.y.z is not newer than this version and has the same major number. */
#define LV_VERSION_CHECK(x, y, z)                                                                                      \
    ((x) == LVGL_VERSION_MAJOR &&                                                                                      \
     ((y) < LVGL_VERSION_MINOR || ((y) == LVGL_VERSION_MINOR && (z) <= LVGL_VERSION_PATCH)))

static inline int lv_version_major(void)
{
    return LVGL_VERSION_MAJOR;
}
static inline int lv_version_minor(void)
{
    return LVGL_VERSION_MINOR;
}
static inline int lv_version_patch(void)
{
    return LVGL_VERSION_PATCH;
}
static inline const char * lv_version_info(void)
{
    return LVGL_VERSION_INFO;
}

#ifdef __cplusplus
}
#endif

#endif /* LVGL_H */
