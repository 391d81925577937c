// A small service process built on the client half, for the cross-process
// tests: fw_test_service SOCKET APP_ID NAME MODE [COUNT]
//
//   echo COUNT  answer COUNT frames with the same frame, then unregister
//   hold        answer every frame with the same frame until told to quit
//               (cmd2 TEST_CMD_QUIT) or until the server closes; sends
//               nothing of its own, so it falls silent for the heartbeat
//
// Exit status: 0 when the session went as described, START_FAILED - result
// when the start failed (for example 105 for FW_ERR_TIMEOUT), 2 on misuse,
// 3 on a failure after the start.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fw_uds.h"
#include "fw_uds_client.h"
#include "fw_test_service.h"

namespace {

uds_client_t g_client;
int g_frames;
bool g_quit;
bool g_send_failed;

void echo(uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len)
{
    if (cmd2 == TEST_CMD_QUIT) {
        g_quit = true;
        return;
    }
    g_frames++;
    if (uds_client_send(&g_client, cmd1, cmd2, payload, payload_len) != 0) {
        g_send_failed = true;
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 5) {
        fprintf(stderr, "usage: %s SOCKET APP_ID NAME echo COUNT | hold\n", argv[0]);
        return 2;
    }
    setvbuf(stdout, nullptr, _IOLBF, 0);
    uds_set_socket_path(argv[1]);
    std::vector<uint8_t> reg(1 + strlen(argv[3]) + 1);
    reg[0] = (uint8_t)atoi(argv[2]);
    memcpy(&reg[1], argv[3], strlen(argv[3]) + 1);
    const bool hold = strcmp(argv[4], "hold") == 0;
    const int count = argc > 5 ? atoi(argv[5]) : 0;

    int rc = uds_client_start(&g_client, reg.data());
    if (rc != 0) {
        return TEST_START_FAILED - rc;
    }
    g_client.msg_cb = echo;
    for (;;) {
        rc = uds_client_recv(&g_client, TEST_SERVICE_WAIT_MS);
        if (g_send_failed || (rc != 0 && rc != FW_ERR_TIMEOUT)) {
            break;
        }
        if (rc == FW_ERR_TIMEOUT && !hold) {
            break;
        }
        if (g_quit || (!hold && g_frames == count)) {
            uds_client_stop(&g_client);
            return 0;
        }
    }
    // The server closing the connection ends a holding service normally.
    bool closed = hold && rc == FW_ERR_IO && !g_send_failed;
    uds_client_stop(&g_client);
    return closed ? 0 : 3;
}
