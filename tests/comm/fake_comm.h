// Stand-in for the communication manager in controller tests: records every
// frame the controllers send (from any thread) and the routes they install.
#pragma once

#include <cstdint>
#include <vector>

#include "comm_mgr_lvgl.h"

struct SentFrame {
    uint8_t app_id;
    uint8_t cmd1;
    uint8_t cmd2;
    std::vector<uint8_t> payload;
};

namespace fake_comm {

// Frames sent since the last take, oldest first; clears them.
std::vector<SentFrame> take();
// Result that comm_mgr_send gives (FW_ERR_NO_CLIENT unless set).
void set_result(int rc);
uds_msg_cb_t route(uint8_t app_id);

} // namespace fake_comm
