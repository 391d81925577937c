/**
 * @file lv_symbol_def.h
 * UTF-8 texts of the symbol glyphs in the built-in fonts.
 */
#ifndef LV_SYMBOL_DEF_H
#define LV_SYMBOL_DEF_H

#ifndef LV_SYMBOL_BULLET
#define LV_SYMBOL_BULLET "\xE2\x80\xA2"
#endif
#ifndef LV_SYMBOL_AUDIO
#define LV_SYMBOL_AUDIO "\xEF\x80\x81"
#endif
#ifndef LV_SYMBOL_VIDEO
#define LV_SYMBOL_VIDEO "\xEF\x80\x88"
#endif
#ifndef LV_SYMBOL_LIST
#define LV_SYMBOL_LIST "\xEF\x80\x8B"
#endif
#ifndef LV_SYMBOL_OK
#define LV_SYMBOL_OK "\xEF\x80\x8C"
#endif
#ifndef LV_SYMBOL_CLOSE
#define LV_SYMBOL_CLOSE "\xEF\x80\x8D"
#endif
#ifndef LV_SYMBOL_POWER
#define LV_SYMBOL_POWER "\xEF\x80\x91"
#endif
#ifndef LV_SYMBOL_SETTINGS
#define LV_SYMBOL_SETTINGS "\xEF\x80\x93"
#endif
#ifndef LV_SYMBOL_HOME
#define LV_SYMBOL_HOME "\xEF\x80\x95"
#endif
#ifndef LV_SYMBOL_DOWNLOAD
#define LV_SYMBOL_DOWNLOAD "\xEF\x80\x99"
#endif
#ifndef LV_SYMBOL_DRIVE
#define LV_SYMBOL_DRIVE "\xEF\x80\x9C"
#endif
#ifndef LV_SYMBOL_REFRESH
#define LV_SYMBOL_REFRESH "\xEF\x80\xA1"
#endif
#ifndef LV_SYMBOL_MUTE
#define LV_SYMBOL_MUTE "\xEF\x80\xA6"
#endif
#ifndef LV_SYMBOL_VOLUME_MID
#define LV_SYMBOL_VOLUME_MID "\xEF\x80\xA7"
#endif
#ifndef LV_SYMBOL_VOLUME_MAX
#define LV_SYMBOL_VOLUME_MAX "\xEF\x80\xA8"
#endif
#ifndef LV_SYMBOL_IMAGE
#define LV_SYMBOL_IMAGE "\xEF\x80\xBE"
#endif
#ifndef LV_SYMBOL_TINT
#define LV_SYMBOL_TINT "\xEF\x81\x83"
#endif
#ifndef LV_SYMBOL_PREV
#define LV_SYMBOL_PREV "\xEF\x81\x88"
#endif
#ifndef LV_SYMBOL_PLAY
#define LV_SYMBOL_PLAY "\xEF\x81\x8B"
#endif
#ifndef LV_SYMBOL_PAUSE
#define LV_SYMBOL_PAUSE "\xEF\x81\x8C"
#endif
#ifndef LV_SYMBOL_STOP
#define LV_SYMBOL_STOP "\xEF\x81\x8D"
#endif
#ifndef LV_SYMBOL_NEXT
#define LV_SYMBOL_NEXT "\xEF\x81\x91"
#endif
#ifndef LV_SYMBOL_EJECT
#define LV_SYMBOL_EJECT "\xEF\x81\x92"
#endif
#ifndef LV_SYMBOL_LEFT
#define LV_SYMBOL_LEFT "\xEF\x81\x93"
#endif
#ifndef LV_SYMBOL_RIGHT
#define LV_SYMBOL_RIGHT "\xEF\x81\x94"
#endif
#ifndef LV_SYMBOL_PLUS
#define LV_SYMBOL_PLUS "\xEF\x81\xA7"
#endif
#ifndef LV_SYMBOL_MINUS
#define LV_SYMBOL_MINUS "\xEF\x81\xA8"
#endif
#ifndef LV_SYMBOL_EYE_OPEN
#define LV_SYMBOL_EYE_OPEN "\xEF\x81\xAE"
#endif
#ifndef LV_SYMBOL_EYE_CLOSE
#define LV_SYMBOL_EYE_CLOSE "\xEF\x81\xB0"
#endif
#ifndef LV_SYMBOL_WARNING
#define LV_SYMBOL_WARNING "\xEF\x81\xB1"
#endif
#ifndef LV_SYMBOL_SHUFFLE
#define LV_SYMBOL_SHUFFLE "\xEF\x81\xB4"
#endif
#ifndef LV_SYMBOL_UP
#define LV_SYMBOL_UP "\xEF\x81\xB7"
#endif
#ifndef LV_SYMBOL_DOWN
#define LV_SYMBOL_DOWN "\xEF\x81\xB8"
#endif
#ifndef LV_SYMBOL_LOOP
#define LV_SYMBOL_LOOP "\xEF\x81\xB9"
#endif
#ifndef LV_SYMBOL_DIRECTORY
#define LV_SYMBOL_DIRECTORY "\xEF\x81\xBB"
#endif
#ifndef LV_SYMBOL_UPLOAD
#define LV_SYMBOL_UPLOAD "\xEF\x82\x93"
#endif
#ifndef LV_SYMBOL_CALL
#define LV_SYMBOL_CALL "\xEF\x82\x95"
#endif
#ifndef LV_SYMBOL_CUT
#define LV_SYMBOL_CUT "\xEF\x83\x84"
#endif
#ifndef LV_SYMBOL_COPY
#define LV_SYMBOL_COPY "\xEF\x83\x85"
#endif
#ifndef LV_SYMBOL_SAVE
#define LV_SYMBOL_SAVE "\xEF\x83\x87"
#endif
#ifndef LV_SYMBOL_BARS
#define LV_SYMBOL_BARS "\xEF\x83\x89"
#endif
#ifndef LV_SYMBOL_ENVELOPE
#define LV_SYMBOL_ENVELOPE "\xEF\x83\xA0"
#endif
#ifndef LV_SYMBOL_CHARGE
#define LV_SYMBOL_CHARGE "\xEF\x83\xA7"
#endif
#ifndef LV_SYMBOL_PASTE
#define LV_SYMBOL_PASTE "\xEF\x83\xAA"
#endif
#ifndef LV_SYMBOL_BELL
#define LV_SYMBOL_BELL "\xEF\x83\xB3"
#endif
#ifndef LV_SYMBOL_KEYBOARD
#define LV_SYMBOL_KEYBOARD "\xEF\x84\x9C"
#endif
#ifndef LV_SYMBOL_GPS
#define LV_SYMBOL_GPS "\xEF\x84\xA4"
#endif
#ifndef LV_SYMBOL_FILE
#define LV_SYMBOL_FILE "\xEF\x85\x9B"
#endif
#ifndef LV_SYMBOL_WIFI
#define LV_SYMBOL_WIFI "\xEF\x87\xAB"
#endif
#ifndef LV_SYMBOL_BATTERY_FULL
#define LV_SYMBOL_BATTERY_FULL "\xEF\x89\x80"
#endif
#ifndef LV_SYMBOL_BATTERY_3
#define LV_SYMBOL_BATTERY_3 "\xEF\x89\x81"
#endif
#ifndef LV_SYMBOL_BATTERY_2
#define LV_SYMBOL_BATTERY_2 "\xEF\x89\x82"
#endif
#ifndef LV_SYMBOL_BATTERY_1
#define LV_SYMBOL_BATTERY_1 "\xEF\x89\x83"
#endif
#ifndef LV_SYMBOL_BATTERY_EMPTY
#define LV_SYMBOL_BATTERY_EMPTY "\xEF\x89\x84"
#endif
#ifndef LV_SYMBOL_USB
#define LV_SYMBOL_USB "\xEF\x8A\x87"
#endif
#ifndef LV_SYMBOL_BLUETOOTH
#define LV_SYMBOL_BLUETOOTH "\xEF\x8A\x93"
#endif
#ifndef LV_SYMBOL_TRASH
#define LV_SYMBOL_TRASH "\xEF\x8B\xAD"
#endif
#ifndef LV_SYMBOL_EDIT
#define LV_SYMBOL_EDIT "\xEF\x8C\x84"
#endif
#ifndef LV_SYMBOL_BACKSPACE
#define LV_SYMBOL_BACKSPACE "\xEF\x95\x9A"
#endif
#ifndef LV_SYMBOL_SD_CARD
#define LV_SYMBOL_SD_CARD "\xEF\x9F\x82"
#endif
#ifndef LV_SYMBOL_NEW_LINE
#define LV_SYMBOL_NEW_LINE "\xEF\xA2\xA2"
#endif
/* Not a glyph: in front of an image source it makes the rest show as text. */
#ifndef LV_SYMBOL_DUMMY
#define LV_SYMBOL_DUMMY "\xEF\xA3\xBF"
#endif

#endif /* LV_SYMBOL_DEF_H */
