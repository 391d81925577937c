#include "spotify_data_exchange.h"

#include "airplay_data_exchange.h"
#include "comm_mgr_lvgl.h"

#define SPOTIFY_NAME "\033[1;32m[Controller Spotify]"
#define SPOTIFY_TAG SPOTIFY_NAME "[%s:%d]\033[0m "

static player_ui_cb_t s_ui_cb;

void spotify_data_register_ui_cb(player_ui_cb_t cb)
{
    s_ui_cb = cb;
}

void spotify_data_exchange_init(void)
{
    comm_mgr_set_app_msg_cb(APP_ID_SPOTIFY, spotify_uds_cb);
}

void spotify_uds_cb(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t len)
{
    (void)app_id; /* the route already chose this controller */
    player_ui_info_t info;
    if (player_msg_decode(SPOTIFY_NAME, __func__, APP_ID_SPOTIFY, cmd1, cmd2, payload, len, &info) && s_ui_cb) {
        s_ui_cb(&info);
    }
}

int spotify_media_ctrl(int ctrl)
{
    return media_ctrl(APP_ID_SPOTIFY, ctrl);
}

int spotify_play_check_info(void)
{
    return media_play_check_info(APP_ID_SPOTIFY);
}
