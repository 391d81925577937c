/**
 * Finds the configuration file and gives every configuration macro it does
 * not set its default value.
 */
#ifndef LV_CONF_INTERNAL_H
#define LV_CONF_INTERNAL_H

#define LV_OS_NONE 0
#define LV_OS_PTHREAD 1
#define LV_OS_FREERTOS 2
#define LV_OS_CMSIS_RTOS2 3
#define LV_OS_RTTHREAD 4
#define LV_OS_WINDOWS 5
#define LV_OS_MQX 6
#define LV_OS_SDL2 7
#define LV_OS_CUSTOM 255

#define LV_STDLIB_BUILTIN 0
#define LV_STDLIB_CLIB 1
#define LV_STDLIB_MICROPYTHON 2
#define LV_STDLIB_RTTHREAD 3
#define LV_STDLIB_CUSTOM 255

#define LV_LOG_LEVEL_TRACE 0
#define LV_LOG_LEVEL_INFO 1
#define LV_LOG_LEVEL_WARN 2
#define LV_LOG_LEVEL_ERROR 3
#define LV_LOG_LEVEL_USER 4
#define LV_LOG_LEVEL_NONE 5
#define LV_LOG_LEVEL_NUM 5

#define LV_TXT_ENC_UTF8 1
#define LV_TXT_ENC_ASCII 2

#ifndef LV_CONF_SKIP
#if defined(LV_CONF_PATH)
#define LV_CONF_STR_(x) #x
#define LV_CONF_STR(x) LV_CONF_STR_(x)
#include LV_CONF_STR(LV_CONF_PATH)
#elif defined(LV_CONF_INCLUDE_SIMPLE) || defined(__has_include)
#ifndef LV_CONF_INCLUDE_SIMPLE
#define LV_CONF_INCLUDE_SIMPLE
#endif
#include "lv_conf.h"
#else
#include "../../lv_conf.h"
#endif
#endif

#ifndef LV_COLOR_DEPTH
#define LV_COLOR_DEPTH 16
#endif
#if LV_COLOR_DEPTH != 1 && LV_COLOR_DEPTH != 8 && LV_COLOR_DEPTH != 16 && LV_COLOR_DEPTH != 24 && LV_COLOR_DEPTH != 32
#error "LV_COLOR_DEPTH must be 1, 8, 16, 24 or 32"
#endif
#ifndef LV_USE_STDLIB_MALLOC
#define LV_USE_STDLIB_MALLOC LV_STDLIB_BUILTIN
#endif
#ifndef LV_USE_STDLIB_STRING
#define LV_USE_STDLIB_STRING LV_STDLIB_BUILTIN
#endif
#ifndef LV_USE_STDLIB_SPRINTF
#define LV_USE_STDLIB_SPRINTF LV_STDLIB_BUILTIN
#endif
#ifndef LV_MEM_SIZE
#define LV_MEM_SIZE (64 * 1024U)
#endif
#ifndef LV_DEF_REFR_PERIOD
#define LV_DEF_REFR_PERIOD 33
#endif
#ifndef LV_DPI_DEF
#define LV_DPI_DEF 130
#endif
#ifndef LV_USE_OS
#define LV_USE_OS LV_OS_NONE
#endif
#ifndef LV_DRAW_THREAD_STACK_SIZE
#define LV_DRAW_THREAD_STACK_SIZE (8 * 1024)
#endif
#ifndef LV_USE_DRAW_SW
#define LV_USE_DRAW_SW 1
#endif
#ifndef LV_DRAW_BUF_STRIDE_ALIGN
#define LV_DRAW_BUF_STRIDE_ALIGN 1
#endif
#ifndef LV_DRAW_BUF_ALIGN
#define LV_DRAW_BUF_ALIGN 4
#endif

#ifndef LV_USE_LOG
#define LV_USE_LOG 0
#endif
#if LV_USE_LOG
#ifndef LV_LOG_LEVEL
#define LV_LOG_LEVEL LV_LOG_LEVEL_WARN
#endif
#ifndef LV_LOG_PRINTF
#define LV_LOG_PRINTF 0
#endif
#ifndef LV_LOG_USE_TIMESTAMP
#define LV_LOG_USE_TIMESTAMP 1
#endif
#ifndef LV_LOG_USE_FILE_LINE
#define LV_LOG_USE_FILE_LINE 1
#endif
#ifndef LV_LOG_TRACE_MEM
#define LV_LOG_TRACE_MEM 1
#endif
#ifndef LV_LOG_TRACE_TIMER
#define LV_LOG_TRACE_TIMER 1
#endif
#ifndef LV_LOG_TRACE_INDEV
#define LV_LOG_TRACE_INDEV 1
#endif
#ifndef LV_LOG_TRACE_DISP_REFR
#define LV_LOG_TRACE_DISP_REFR 1
#endif
#ifndef LV_LOG_TRACE_EVENT
#define LV_LOG_TRACE_EVENT 1
#endif
#ifndef LV_LOG_TRACE_OBJ_CREATE
#define LV_LOG_TRACE_OBJ_CREATE 1
#endif
#ifndef LV_LOG_TRACE_LAYOUT
#define LV_LOG_TRACE_LAYOUT 1
#endif
#ifndef LV_LOG_TRACE_ANIM
#define LV_LOG_TRACE_ANIM 1
#endif
#ifndef LV_LOG_TRACE_CACHE
#define LV_LOG_TRACE_CACHE 1
#endif
#else
#undef LV_LOG_LEVEL
#define LV_LOG_LEVEL LV_LOG_LEVEL_NONE
#endif

#ifndef LV_USE_ASSERT_NULL
#define LV_USE_ASSERT_NULL 1
#endif
#ifndef LV_USE_ASSERT_MALLOC
#define LV_USE_ASSERT_MALLOC 1
#endif
#ifndef LV_USE_ASSERT_STYLE
#define LV_USE_ASSERT_STYLE 0
#endif
#ifndef LV_USE_ASSERT_MEM_INTEGRITY
#define LV_USE_ASSERT_MEM_INTEGRITY 0
#endif
#ifndef LV_USE_ASSERT_OBJ
#define LV_USE_ASSERT_OBJ 0
#endif
#ifndef LV_ASSERT_HANDLER_INCLUDE
#define LV_ASSERT_HANDLER_INCLUDE <stdint.h>
#endif
#ifndef LV_ASSERT_HANDLER
#define LV_ASSERT_HANDLER                                                                                              \
    while (1)                                                                                                          \
        ;
#endif

#ifndef LV_BIG_ENDIAN_SYSTEM
#define LV_BIG_ENDIAN_SYSTEM 0
#endif
#ifndef LV_ATTRIBUTE_TICK_INC
#define LV_ATTRIBUTE_TICK_INC
#endif
#ifndef LV_ATTRIBUTE_TIMER_HANDLER
#define LV_ATTRIBUTE_TIMER_HANDLER
#endif
#ifndef LV_ATTRIBUTE_FLUSH_READY
#define LV_ATTRIBUTE_FLUSH_READY
#endif
#ifndef LV_ATTRIBUTE_MEM_ALIGN_SIZE
#define LV_ATTRIBUTE_MEM_ALIGN_SIZE 1
#endif
#ifndef LV_ATTRIBUTE_MEM_ALIGN
#define LV_ATTRIBUTE_MEM_ALIGN
#endif
#ifndef LV_ATTRIBUTE_LARGE_CONST
#define LV_ATTRIBUTE_LARGE_CONST
#endif
#ifndef LV_ATTRIBUTE_LARGE_RAM_ARRAY
#define LV_ATTRIBUTE_LARGE_RAM_ARRAY
#endif
#ifndef LV_ATTRIBUTE_FAST_MEM
#define LV_ATTRIBUTE_FAST_MEM
#endif
#ifndef LV_ATTRIBUTE_EXTERN_DATA
#define LV_ATTRIBUTE_EXTERN_DATA
#endif
#ifndef LV_EXPORT_CONST_INT
#define LV_EXPORT_CONST_INT(int_value) struct _silence_gcc_warning
#endif

#ifndef LV_USE_FLOAT
#define LV_USE_FLOAT 0
#endif
#ifndef LV_USE_MATRIX
#define LV_USE_MATRIX 0
#endif
#ifndef LV_USE_PRIVATE_API
#define LV_USE_PRIVATE_API 0
#endif
#ifndef LV_ENABLE_GLOBAL_CUSTOM
#define LV_ENABLE_GLOBAL_CUSTOM 0
#endif
#ifndef LV_CACHE_DEF_SIZE
#define LV_CACHE_DEF_SIZE 0
#endif
#ifndef LV_IMAGE_HEADER_CACHE_DEF_CNT
#define LV_IMAGE_HEADER_CACHE_DEF_CNT 0
#endif
#ifndef LV_USE_OBJ_ID
#define LV_USE_OBJ_ID 0
#endif
#ifndef LV_USE_OBJ_NAME
#define LV_USE_OBJ_NAME 0
#endif
#ifndef LV_USE_OBJ_PROPERTY
#define LV_USE_OBJ_PROPERTY 0
#endif
#ifndef LV_USE_OBSERVER
#define LV_USE_OBSERVER 1
#endif
#ifndef LV_USE_GESTURE_RECOGNITION
#define LV_USE_GESTURE_RECOGNITION 0
#endif

#ifndef LV_FONT_MONTSERRAT_8
#define LV_FONT_MONTSERRAT_8 0
#endif
#ifndef LV_FONT_MONTSERRAT_10
#define LV_FONT_MONTSERRAT_10 0
#endif
#ifndef LV_FONT_MONTSERRAT_12
#define LV_FONT_MONTSERRAT_12 0
#endif
#ifndef LV_FONT_MONTSERRAT_14
#define LV_FONT_MONTSERRAT_14 1
#endif
#ifndef LV_FONT_MONTSERRAT_16
#define LV_FONT_MONTSERRAT_16 0
#endif
#ifndef LV_FONT_MONTSERRAT_18
#define LV_FONT_MONTSERRAT_18 0
#endif
#ifndef LV_FONT_MONTSERRAT_20
#define LV_FONT_MONTSERRAT_20 0
#endif
#ifndef LV_FONT_MONTSERRAT_22
#define LV_FONT_MONTSERRAT_22 0
#endif
#ifndef LV_FONT_MONTSERRAT_24
#define LV_FONT_MONTSERRAT_24 0
#endif
#ifndef LV_FONT_MONTSERRAT_26
#define LV_FONT_MONTSERRAT_26 0
#endif
#ifndef LV_FONT_MONTSERRAT_28
#define LV_FONT_MONTSERRAT_28 0
#endif
#ifndef LV_FONT_MONTSERRAT_30
#define LV_FONT_MONTSERRAT_30 0
#endif
#ifndef LV_FONT_MONTSERRAT_32
#define LV_FONT_MONTSERRAT_32 0
#endif
#ifndef LV_FONT_MONTSERRAT_34
#define LV_FONT_MONTSERRAT_34 0
#endif
#ifndef LV_FONT_MONTSERRAT_36
#define LV_FONT_MONTSERRAT_36 0
#endif
#ifndef LV_FONT_MONTSERRAT_38
#define LV_FONT_MONTSERRAT_38 0
#endif
#ifndef LV_FONT_MONTSERRAT_40
#define LV_FONT_MONTSERRAT_40 0
#endif
#ifndef LV_FONT_MONTSERRAT_42
#define LV_FONT_MONTSERRAT_42 0
#endif
#ifndef LV_FONT_MONTSERRAT_44
#define LV_FONT_MONTSERRAT_44 0
#endif
#ifndef LV_FONT_MONTSERRAT_46
#define LV_FONT_MONTSERRAT_46 0
#endif
#ifndef LV_FONT_MONTSERRAT_48
#define LV_FONT_MONTSERRAT_48 0
#endif
#ifndef LV_FONT_MONTSERRAT_28_COMPRESSED
#define LV_FONT_MONTSERRAT_28_COMPRESSED 0
#endif
#ifndef LV_FONT_DEJAVU_16_PERSIAN_HEBREW
#define LV_FONT_DEJAVU_16_PERSIAN_HEBREW 0
#endif
#ifndef LV_FONT_SOURCE_HAN_SANS_SC_14_CJK
#define LV_FONT_SOURCE_HAN_SANS_SC_14_CJK 0
#endif
#ifndef LV_FONT_SOURCE_HAN_SANS_SC_16_CJK
#define LV_FONT_SOURCE_HAN_SANS_SC_16_CJK 0
#endif
#ifndef LV_FONT_UNSCII_8
#define LV_FONT_UNSCII_8 0
#endif
#ifndef LV_FONT_UNSCII_16
#define LV_FONT_UNSCII_16 0
#endif
#ifndef LV_FONT_CUSTOM_DECLARE
#define LV_FONT_CUSTOM_DECLARE
#endif
#ifndef LV_FONT_DEFAULT
#define LV_FONT_DEFAULT &lv_font_montserrat_14
#endif
#ifndef LV_FONT_FMT_TXT_LARGE
#define LV_FONT_FMT_TXT_LARGE 0
#endif
#ifndef LV_USE_FONT_COMPRESSED
#define LV_USE_FONT_COMPRESSED 0
#endif
#ifndef LV_USE_FONT_PLACEHOLDER
#define LV_USE_FONT_PLACEHOLDER 1
#endif
#ifndef LV_TXT_ENC
#define LV_TXT_ENC LV_TXT_ENC_UTF8
#endif
#ifndef LV_USE_BIDI
#define LV_USE_BIDI 0
#endif

#ifndef LV_WIDGETS_HAS_DEFAULT_VALUE
#define LV_WIDGETS_HAS_DEFAULT_VALUE 1
#endif
#ifndef LV_USE_LABEL
#define LV_USE_LABEL 1
#endif
#ifndef LV_USE_IMAGE
#define LV_USE_IMAGE 1
#endif
#ifndef LV_USE_ARC
#define LV_USE_ARC 1
#endif
#ifndef LV_USE_BAR
#define LV_USE_BAR 1
#endif
#ifndef LV_USE_BUTTON
#define LV_USE_BUTTON 1
#endif
#ifndef LV_USE_BUTTONMATRIX
#define LV_USE_BUTTONMATRIX 1
#endif
#ifndef LV_USE_CHECKBOX
#define LV_USE_CHECKBOX 1
#endif
#ifndef LV_USE_KEYBOARD
#define LV_USE_KEYBOARD 1
#endif
#ifndef LV_USE_LIST
#define LV_USE_LIST 1
#endif
#ifndef LV_USE_MSGBOX
#define LV_USE_MSGBOX 1
#endif
#ifndef LV_USE_TEXTAREA
#define LV_USE_TEXTAREA 1
#endif
#ifndef LV_LABEL_TEXT_SELECTION
#define LV_LABEL_TEXT_SELECTION 1
#endif
#ifndef LV_LABEL_LONG_TXT_HINT
#define LV_LABEL_LONG_TXT_HINT 1
#endif
#ifndef LV_TEXTAREA_DEF_PWD_SHOW_TIME
#define LV_TEXTAREA_DEF_PWD_SHOW_TIME 1500
#endif

#ifndef LV_USE_THEME_DEFAULT
#define LV_USE_THEME_DEFAULT 1
#endif
#ifndef LV_THEME_DEFAULT_DARK
#define LV_THEME_DEFAULT_DARK 0
#endif
#ifndef LV_THEME_DEFAULT_GROW
#define LV_THEME_DEFAULT_GROW 1
#endif
#ifndef LV_THEME_DEFAULT_TRANSITION_TIME
#define LV_THEME_DEFAULT_TRANSITION_TIME 80
#endif
#ifndef LV_USE_THEME_SIMPLE
#define LV_USE_THEME_SIMPLE 1
#endif
#ifndef LV_USE_THEME_MONO
#define LV_USE_THEME_MONO 1
#endif

#ifndef LV_USE_FLEX
#define LV_USE_FLEX 1
#endif
#ifndef LV_USE_GRID
#define LV_USE_GRID 1
#endif

#ifndef LV_FS_DEFAULT_DRIVER_LETTER
#define LV_FS_DEFAULT_DRIVER_LETTER '\0'
#endif
#ifndef LV_USE_FS_STDIO
#define LV_USE_FS_STDIO 0
#endif
#ifndef LV_FS_STDIO_LETTER
#define LV_FS_STDIO_LETTER '\0'
#endif
#ifndef LV_FS_STDIO_PATH
#define LV_FS_STDIO_PATH ""
#endif
#ifndef LV_FS_STDIO_CACHE_SIZE
#define LV_FS_STDIO_CACHE_SIZE 0
#endif
#ifndef LV_USE_FS_POSIX
#define LV_USE_FS_POSIX 0
#endif
#define LV_FS_IS_VALID_LETTER(l) ((l) == '/' || ((l) >= 'A' && (l) <= 'Z'))

#ifndef LV_USE_LIBPNG
#define LV_USE_LIBPNG 0
#endif
#ifndef LV_USE_LIBJPEG_TURBO
#define LV_USE_LIBJPEG_TURBO 0
#endif
#ifndef LV_USE_LODEPNG
#define LV_USE_LODEPNG 0
#endif
#ifndef LV_USE_TJPGD
#define LV_USE_TJPGD 0
#endif
#ifndef LV_USE_BMP
#define LV_USE_BMP 0
#endif
#ifndef LV_USE_FREETYPE
#define LV_USE_FREETYPE 0
#endif
#if LV_USE_FREETYPE
#ifndef LV_FREETYPE_USE_LVGL_PORT
#define LV_FREETYPE_USE_LVGL_PORT 0
#endif
#ifndef LV_FREETYPE_CACHE_FT_GLYPH_CNT
#define LV_FREETYPE_CACHE_FT_GLYPH_CNT 256
#endif
#if LV_USE_OS != LV_OS_NONE && LV_DRAW_THREAD_STACK_SIZE < (32 * 1024)
#error "LV_DRAW_THREAD_STACK_SIZE must be at least 32 KiB with FreeType and an OS layer"
#endif
#endif

#ifndef LV_USE_LINUX_DRM
#define LV_USE_LINUX_DRM 0
#endif
#ifndef LV_LINUX_DRM_USE_EGL
#define LV_LINUX_DRM_USE_EGL 0
#endif
#if !LV_USE_LINUX_DRM
#undef LV_LINUX_DRM_USE_EGL
#define LV_LINUX_DRM_USE_EGL 0
#endif
#ifndef LV_USE_LINUX_FBDEV
#define LV_USE_LINUX_FBDEV 0
#endif
#ifndef LV_USE_EVDEV
#define LV_USE_EVDEV 0
#endif
#ifndef LV_USE_LIBINPUT
#define LV_USE_LIBINPUT 0
#endif
#ifndef LV_USE_SYSMON
#define LV_USE_SYSMON 0
#endif
#ifndef LV_USE_PERF_MONITOR
#define LV_USE_PERF_MONITOR 0
#endif
#ifndef LV_USE_MEM_MONITOR
#define LV_USE_MEM_MONITOR 0
#endif
#ifndef LV_BUILD_EXAMPLES
#define LV_BUILD_EXAMPLES 1
#endif
#ifndef LV_BUILD_DEMOS
#define LV_BUILD_DEMOS 1
#endif

#endif /* LV_CONF_INTERNAL_H */
