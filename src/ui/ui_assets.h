/**
 * The interface's compiled-in assets: the icon images, the label font and
 * their name tables. All are read-only; pages pass the addresses straight to
 * the GUI library.
 */
#ifndef UI_ASSETS_H
#define UI_ASSETS_H

#include "lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Entries of the image name table, the used ones first. */
#define UI_IMAGE_TABLE_SIZE 54
/** Entries of the font name table. */
#define UI_FONT_TABLE_SIZE 20

typedef struct {
    const char *name;
    const lv_image_dsc_t *img;
} ui_image_entry_t;

typedef struct {
    const char *name;
    const lv_font_t *font;
} ui_font_entry_t;

/* Icons: ARGB8888, straight alpha, on a transparent background. */
LV_IMAGE_DECLARE(img_ico_airplay);
LV_IMAGE_DECLARE(img_ico_audio_input);
LV_IMAGE_DECLARE(img_ico_audio_output);
LV_IMAGE_DECLARE(img_ico_deezer);
LV_IMAGE_DECLARE(img_ico_eq);
LV_IMAGE_DECLARE(img_ico_idagio);
LV_IMAGE_DECLARE(img_ico_information);
LV_IMAGE_DECLARE(img_ico_internet_radio);
LV_IMAGE_DECLARE(img_ico_internet_radio_bar);
LV_IMAGE_DECLARE(img_ico_player);
LV_IMAGE_DECLARE(img_ico_podcast);
LV_IMAGE_DECLARE(img_ico_preset);
LV_IMAGE_DECLARE(img_ico_qobuz);
LV_IMAGE_DECLARE(img_ico_recently_played);
LV_IMAGE_DECLARE(img_ico_screen);
LV_IMAGE_DECLARE(img_ico_set);
LV_IMAGE_DECLARE(img_ico_spotify);
LV_IMAGE_DECLARE(img_ico_tidal);
LV_IMAGE_DECLARE(img_ico_list_empty);
LV_IMAGE_DECLARE(img_ico_load_busy);
LV_IMAGE_DECLARE(img_ico_ctrl_music_pause);
LV_IMAGE_DECLARE(img_ico_ctrl_music_play);
LV_IMAGE_DECLARE(img_ico_airplay_bar);
LV_IMAGE_DECLARE(img_ico_radio_bar);
LV_IMAGE_DECLARE(img_ico_spotify_bar);
LV_IMAGE_DECLARE(img_ico_main_page);
LV_IMAGE_DECLARE(img_ico_status_off);
LV_IMAGE_DECLARE(img_ico_status_on);
LV_IMAGE_DECLARE(img_ico_ctrl_music_playlist_repeat);
LV_IMAGE_DECLARE(img_ico_ctrl_music_random);
LV_IMAGE_DECLARE(img_ico_ctrl_music_next);
LV_IMAGE_DECLARE(img_ico_ctrl_music_previous);
LV_IMAGE_DECLARE(img_ico_wifi_0);
LV_IMAGE_DECLARE(img_ico_wifi_1);
LV_IMAGE_DECLARE(img_ico_wifi_2);
LV_IMAGE_DECLARE(img_ico_wifi_3);
LV_IMAGE_DECLARE(img_ico_wifi_4);
LV_IMAGE_DECLARE(img_ico_wifi_5);
LV_IMAGE_DECLARE(img_ico_wifi_lock_0);
LV_IMAGE_DECLARE(img_ico_wifi_lock_1);
LV_IMAGE_DECLARE(img_ico_wifi_lock_2);
LV_IMAGE_DECLARE(img_ico_wifi_lock_3);
LV_IMAGE_DECLARE(img_ico_wifi_lock_4);
LV_IMAGE_DECLARE(img_ico_wifi_ok_0);
LV_IMAGE_DECLARE(img_ico_wifi_ok_1);
LV_IMAGE_DECLARE(img_ico_wifi_ok_2);
LV_IMAGE_DECLARE(img_ico_wifi_ok_3);
LV_IMAGE_DECLARE(img_ico_wifi_ok_4);
LV_IMAGE_DECLARE(img_ico_wifi_ok_5);
LV_IMAGE_DECLARE(img_ico_favorite_3);
LV_IMAGE_DECLARE(img_ico_mini_busy);
LV_IMAGE_DECLARE(img_ico_favorite_1);
LV_IMAGE_DECLARE(img_ico_favorite_2);
LV_IMAGE_DECLARE(img_ico_play_now_short);
LV_IMAGE_DECLARE(img_ico_back);
LV_IMAGE_DECLARE(img_ico_deletion);
LV_IMAGE_DECLARE(img_ico_list_enter);

/* Labels with the fixed Chinese texts, the password bullet and ASCII. */
LV_FONT_DECLARE(ui_font_font_main)

/** Image names ("ico_..."), then empty entries (null name and image). */
extern const ui_image_entry_t images[UI_IMAGE_TABLE_SIZE];
/** "font_main" and the built-in "MONTSERRAT_12" ... "MONTSERRAT_48". */
extern const ui_font_entry_t fonts[UI_FONT_TABLE_SIZE];

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* UI_ASSETS_H */
