#include "fake_comm.h"

#include <mutex>

namespace {

std::mutex g_lock;
std::vector<SentFrame> g_sent;
int g_result = FW_ERR_NO_CLIENT;
uds_msg_cb_t g_routes[FW_APP_SLOTS];

} // namespace

int comm_mgr_send(uint8_t app_id, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len)
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_sent.push_back({app_id, cmd1, cmd2, std::vector<uint8_t>(payload, payload + payload_len)});
    return g_result;
}

void comm_mgr_set_app_msg_cb(uint8_t app_id, uds_msg_cb_t cb)
{
    if (app_id < FW_APP_SLOTS)
        g_routes[app_id] = cb;
}

namespace fake_comm {

std::vector<SentFrame> take()
{
    std::lock_guard<std::mutex> hold(g_lock);
    std::vector<SentFrame> out;
    out.swap(g_sent);
    return out;
}

void set_result(int rc)
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_result = rc;
}

uds_msg_cb_t route(uint8_t app_id)
{
    return g_routes[app_id];
}

} // namespace fake_comm
