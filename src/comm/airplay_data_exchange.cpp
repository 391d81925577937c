#include "airplay_data_exchange.h"

#include "comm_mgr_lvgl.h"

#define AIRPLAY_NAME "\033[1;34m[Controller Airplay]"
#define AIRPLAY_TAG AIRPLAY_NAME "[%s:%d]\033[0m "

static player_ui_cb_t s_ui_cb;

void airplay_data_register_ui_cb(player_ui_cb_t cb)
{
    s_ui_cb = cb;
}

void airplay_data_exchange_init(void)
{
    comm_mgr_set_app_msg_cb(APP_ID_AIRPLAY, airplay_uds_cb);
}

void airplay_uds_cb(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t len)
{
    (void)app_id; /* the route already chose this controller */
    player_ui_info_t info;
    if (player_msg_decode(AIRPLAY_NAME, __func__, APP_ID_AIRPLAY, cmd1, cmd2, payload, len, &info) && s_ui_cb) {
        s_ui_cb(&info);
    }
}

int media_ctrl(uint8_t app_id, int ctrl)
{
    uint8_t msg[PLAYER_MSG_LEN];
    player_msg_build(msg, ctrl);
    return comm_mgr_send(app_id, app_id, PLAYER_MSG, msg, sizeof(msg));
}

int player_media_ctrl(uint8_t app_id, int ctrl)
{
    return media_ctrl(app_id, ctrl);
}

int media_play_check_info(uint8_t app_id)
{
    return media_ctrl(app_id, MEDIA_CTRL_PLAY_INFO);
}

int airplay_media_ctrl(int ctrl)
{
    return media_ctrl(APP_ID_AIRPLAY, ctrl);
}

int airplay_play_check_info(void)
{
    return media_play_check_info(APP_ID_AIRPLAY);
}
