#include "fw_uds_client.h"

#include <string.h>

#include "fw_proto.h"
#include "fw_uds.h"

#define CLIENT_NAME_MAX 31

/* Shared by every client operation of the process: each encodes into it and
 * receives into it. */
static uint8_t msg_buf[FW_MSG_MAX];

static void drop_connection(uds_client_t *client)
{
    uds_close(client->fd, NULL);
    client->fd = -1;
    client->registered = 0;
}

/* The answer to a registration is accepted only as a REGISTER_ACK frame
 * whose status byte is 0. */
static bool is_acceptance(int len)
{
    fw_frame_t frame;
    if (len <= 0 || fw_frame_decode(msg_buf, (uint16_t)len, &frame) < 0) {
        return false;
    }
    return frame.cmd1 == FW_CMD1_CTRL && frame.cmd2 == FW_CMD2_REGISTER_ACK && frame.payload_len >= 1 &&
           frame.payload[0] == FW_ACK_ACCEPTED;
}

int uds_client_start(uds_client_t *client, const uint8_t *registration)
{
    memset(client, 0, sizeof *client);
    client->app_id = registration[0];
    client->fd = uds_client_connect(uds_socket_path(), FW_CLIENT_CONNECT_TIMEOUT_MS);
    if (client->fd < 0) {
        return client->fd;
    }

    const char *name = (const char *)registration + 1;
    uint8_t payload[1 + CLIENT_NAME_MAX];
    payload[0] = client->app_id;
    size_t name_len = strnlen(name, CLIENT_NAME_MAX);
    memcpy(payload + 1, name, name_len);
    int len =
        fw_frame_encode(FW_CMD1_CTRL, FW_CMD2_REGISTER, payload, (uint16_t)(1 + name_len), msg_buf, sizeof msg_buf);
    int rc = uds_send_msg(client->fd, msg_buf, (uint32_t)len);
    if (rc < 0) {
        drop_connection(client);
        return rc;
    }

    rc = uds_recv_msg(client->fd, msg_buf, sizeof msg_buf, FW_CLIENT_ACK_TIMEOUT_MS);
    if (rc < 0) {
        drop_connection(client);
        return rc;
    }
    if (!is_acceptance(rc)) {
        FW_LOG(FW_LOG_ERR, "Registration rejected");
        drop_connection(client);
        return FW_ERR_PROTO;
    }
    client->registered = 1;
    FW_LOG(FW_LOG_INF, "Registered as app_id=%u", client->app_id);
    return 0;
}

void uds_client_stop(uds_client_t *client)
{
    if (client->fd < 0) {
        client->registered = 0;
        return;
    }
    int len = fw_frame_encode(FW_CMD1_CTRL, FW_CMD2_UNREGISTER, NULL, 0, msg_buf, sizeof msg_buf);
    uds_send_msg(client->fd, msg_buf, (uint32_t)len);
    drop_connection(client);
}

int uds_client_send(uds_client_t *client, uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len)
{
    if (!client->registered) {
        return FW_ERR_NOT_REGISTERED;
    }
    int len = fw_frame_encode(cmd1, cmd2, payload, payload_len, msg_buf, sizeof msg_buf);
    if (len < 0) {
        return len;
    }
    return uds_send_msg(client->fd, msg_buf, (uint32_t)len);
}

int uds_client_recv(uds_client_t *client, int timeout_ms)
{
    if (!client->registered) {
        return FW_ERR_NOT_REGISTERED;
    }
    int len = uds_recv_msg(client->fd, msg_buf, sizeof msg_buf, timeout_ms);
    if (len < 0 && len != FW_ERR_TIMEOUT) {
        /* A read that could not complete leaves the stream out of step (or
         * the connection gone): nothing after it could be trusted. */
        drop_connection(client);
    }
    if (len <= 0) {
        return len;
    }
    fw_frame_t frame;
    if (fw_frame_decode(msg_buf, (uint16_t)len, &frame) < 0) {
        return FW_ERR_PROTO;
    }
    if (client->msg_cb != NULL) {
        client->msg_cb(frame.cmd1, frame.cmd2, frame.payload, frame.payload_len);
    }
    return 0;
}
