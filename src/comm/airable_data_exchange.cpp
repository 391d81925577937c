/*
 * The Airable controller's state records and the helpers that its
 * handshake, request and reply sources share.
 */
#include "airable_data_exchange_internal.h"

#include "airable_data_exchange_private.h"
#include "comm_mgr_lvgl.h"

airable_exchange_t g_ex;
airable_request_t g_main_state;

int airable_send_msg(uint8_t cmd2, const uint8_t *msg, size_t len)
{
    return comm_mgr_send(APP_ID_AIRABLE, APP_ID_AIRABLE, cmd2, msg, (uint16_t)len);
}

void airable_copy_cut(char *dst, size_t cap, const char *src)
{
    snprintf(dst, cap, "%s", src ? src : "");
}
