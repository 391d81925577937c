/**
 * The fixed build configuration of the GUI library used by quorvex.
 *
 * The stand-in in gui/ implements exactly this configuration; the values are
 * also what a real LVGL 9.4 build for the board has to use (see README).
 */
#ifndef LV_CONF_H
#define LV_CONF_H

/* 32-bit colour: native format XRGB8888 */
#define LV_COLOR_DEPTH 32

/* The C library backs the allocator, string and printf helpers. */
#define LV_USE_STDLIB_MALLOC LV_STDLIB_CLIB
#define LV_USE_STDLIB_STRING LV_STDLIB_CLIB
#define LV_USE_STDLIB_SPRINTF LV_STDLIB_CLIB

#define LV_DEF_REFR_PERIOD 33
#define LV_DPI_DEF 130

/* POSIX threads OS layer (lv_lock / lv_unlock) */
#define LV_USE_OS LV_OS_PTHREAD
#define LV_DRAW_THREAD_STACK_SIZE (32 * 1024)

#define LV_USE_DRAW_SW 1

/* Decoded images are kept, not decoded again for every frame: room for the
 * home page's background (640 x 480 ARGB8888, 1 228 800 bytes) and one cover
 * art of up to 4096 x 4096 pixels (RGB888, 50 331 648 bytes), which together
 * take 51 560 448 bytes. */
#define LV_CACHE_DEF_SIZE (50 * 1024 * 1024)

/* Logging through printf */
#define LV_USE_LOG 1
#define LV_LOG_LEVEL LV_LOG_LEVEL_WARN
#define LV_LOG_PRINTF 1
#define LV_LOG_USE_TIMESTAMP 1
#define LV_LOG_USE_FILE_LINE 1

#define LV_USE_ASSERT_NULL 1
#define LV_USE_ASSERT_MALLOC 1

/* The stand-in's own checks, which the board build need not share. Every
 * widget call checks its object (LV_ASSERT_OBJ: alive and of the widget's
 * class) unless the build defines QUORVEX_GUI_NO_OBJ_CHECKS, as Release and
 * MinSizeRel builds do; RelWithDebInfo, which the suite and the scripts use,
 * checks. A failed assert logs its error line and aborts, where LVGL's
 * default handler loops forever: a test or a run ends at once instead of
 * hanging. */
#ifndef QUORVEX_GUI_NO_OBJ_CHECKS
#define LV_USE_ASSERT_OBJ 1
#endif
#define LV_ASSERT_HANDLER_INCLUDE <stdlib.h>
#define LV_ASSERT_HANDLER abort();

/* Built-in fonts: every even Montserrat size from 12 to 48 */
#define LV_FONT_MONTSERRAT_8 0
#define LV_FONT_MONTSERRAT_10 0
#define LV_FONT_MONTSERRAT_12 1
#define LV_FONT_MONTSERRAT_14 1
#define LV_FONT_MONTSERRAT_16 1
#define LV_FONT_MONTSERRAT_18 1
#define LV_FONT_MONTSERRAT_20 1
#define LV_FONT_MONTSERRAT_22 1
#define LV_FONT_MONTSERRAT_24 1
#define LV_FONT_MONTSERRAT_26 1
#define LV_FONT_MONTSERRAT_28 1
#define LV_FONT_MONTSERRAT_30 1
#define LV_FONT_MONTSERRAT_32 1
#define LV_FONT_MONTSERRAT_34 1
#define LV_FONT_MONTSERRAT_36 1
#define LV_FONT_MONTSERRAT_38 1
#define LV_FONT_MONTSERRAT_40 1
#define LV_FONT_MONTSERRAT_42 1
#define LV_FONT_MONTSERRAT_44 1
#define LV_FONT_MONTSERRAT_46 1
#define LV_FONT_MONTSERRAT_48 1
#define LV_FONT_DEFAULT &lv_font_montserrat_14

/* Large glyph descriptors; a glyph the font lacks draws nothing. */
#define LV_FONT_FMT_TXT_LARGE 1
#define LV_USE_FONT_PLACEHOLDER 0

#define LV_USE_THEME_DEFAULT 1
#define LV_THEME_DEFAULT_DARK 0
#define LV_THEME_DEFAULT_GROW 1
#define LV_THEME_DEFAULT_TRANSITION_TIME 80

#define LV_USE_FLEX 1
#define LV_USE_GRID 0

/* stdio file system as the default drive, paths relative to the working directory */
#define LV_USE_FS_STDIO 1
#define LV_FS_STDIO_LETTER 'A'
#define LV_FS_STDIO_PATH ""
#define LV_FS_STDIO_CACHE_SIZE 0
#define LV_FS_DEFAULT_DRIVER_LETTER 'A'

#define LV_USE_LIBPNG 1
#define LV_USE_LIBJPEG_TURBO 1

#define LV_USE_FREETYPE 1
#define LV_FREETYPE_USE_LVGL_PORT 0
#define LV_FREETYPE_CACHE_FT_GLYPH_CNT 256

#define LV_USE_LINUX_DRM 1
#define LV_LINUX_DRM_USE_EGL 0
#define LV_USE_EVDEV 1

#define LV_BUILD_EXAMPLES 0
#define LV_BUILD_DEMOS 0

#endif /* LV_CONF_H */
