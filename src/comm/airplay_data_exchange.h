/* AirPlay controller: play-info replies of the AirPlay service into
 * now-playing records, transport commands and play-info queries to it. */
#ifndef AIRPLAY_DATA_EXCHANGE_H
#define AIRPLAY_DATA_EXCHANGE_H

#include <stdint.h>

#include "player_msg.h"

void airplay_data_register_ui_cb(player_ui_cb_t cb);
void airplay_data_exchange_init(void);
void airplay_uds_cb(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t len);
int airplay_media_ctrl(int ctrl);
int airplay_play_check_info(void);

/* The same messages for any application id. */
int media_ctrl(uint8_t app_id, int ctrl);
int player_media_ctrl(uint8_t app_id, int ctrl);
int media_play_check_info(uint8_t app_id);

#endif /* AIRPLAY_DATA_EXCHANGE_H */
