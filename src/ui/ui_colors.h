/* The colours of the interface's screens (0xRRGGBB, for lv_color_hex),
 * each defined here once. */
#ifndef UI_COLORS_H
#define UI_COLORS_H

#define UI_COLOR_BLACK 0x000000
#define UI_COLOR_WHITE 0xFFFFFF
#define UI_COLOR_ROOT 0x11200F         /* the root screen, behind every page */
#define UI_COLOR_PAGE 0x111111         /* the main page's pages */
#define UI_COLOR_PANEL 0x242424        /* the WiFi page, the volume panel */
#define UI_COLOR_TEXT_DIM 0xD1D1D1     /* secondary texts, the progress, the art's shadow */
#define UI_COLOR_PRESSED_TEXT 0x555555 /* a list row's text while pressed */
#define UI_COLOR_CLOSE 0x181818        /* the busy overlay's close icon */
#define UI_COLOR_BAR_TRACK 0x5B5B5B    /* the progress bar's track */
#define UI_COLOR_ARC_KNOB 0x188CFF     /* the volume arc's knob */
#define UI_COLOR_WIFI_PANEL 0x666666   /* the WiFi page's list panels */
#define UI_COLOR_WIFI_DIALOG 0x767676  /* the password dialog */
#define UI_COLOR_WIFI_KEYBOARD 0x587D5F

#endif /* UI_COLORS_H */
