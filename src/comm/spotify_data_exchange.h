/* Spotify controller: play-info replies of the Spotify service into
 * now-playing records, transport commands and play-info queries to it. */
#ifndef SPOTIFY_DATA_EXCHANGE_H
#define SPOTIFY_DATA_EXCHANGE_H

#include <stdint.h>

#include "player_msg.h"

void spotify_data_register_ui_cb(player_ui_cb_t cb);
void spotify_data_exchange_init(void);
void spotify_uds_cb(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t len);
int spotify_media_ctrl(int ctrl);
int spotify_play_check_info(void);

#endif /* SPOTIFY_DATA_EXCHANGE_H */
