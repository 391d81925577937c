// A started server on a temporary socket with recording callbacks, and raw
// clients that speak the wire format directly. The server's clock for its
// connection limits stands still unless a test moves it (advance_clock), so
// no connection is dropped for taking its time on a busy machine.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "fw_proto.h"
#include "fw_test_util.h"
#include "fw_uds_server.h"

struct RecordedMsg {
    uint8_t app_id, cmd1, cmd2;
    std::vector<uint8_t> payload;
};

struct ServerEvents {
    std::vector<RecordedMsg> msgs;
    std::vector<uint8_t> connected;
    std::vector<uint8_t> disconnected;
};

class UdsServer : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Polls until pred holds, at most max_polls passes of up to 50 ms each.
    template <typename Pred> bool poll_until(Pred pred, int max_polls = 40)
    {
        for (int i = 0; i < max_polls; i++) {
            if (pred()) {
                return true;
            }
            uds_server_poll(&srv_, 50);
        }
        return pred();
    }
    void poll_times(int n)
    {
        for (int i = 0; i < n; i++) {
            uds_server_poll(&srv_, 0);
        }
    }

    // Moves the server's clock; the next poll judges the connections by it.
    static void advance_clock(uint64_t ms) { now_ms_ += ms; }

    // Connects a raw client and lets the server accept it; -1 on failure.
    int connect_client();
    // A raw client registered as app_id, acknowledgement read.
    int registered_client(uint8_t app_id, const std::string & name = "svc");
    // Closes a raw client and lets the server see the hang-up.
    void close_client(int fd);

public:
    static ServerEvents events;
    static uint64_t clock() { return now_ms_; }

protected:
    TempDir dir_;
    std::string sock_;
    uds_server_t srv_ = {};
    int baseline_fds_ = 0;

private:
    static inline uint64_t now_ms_ = 0;
};

// Reads from a raw client without blocking, polling the server in between
// so that it can finish messages it had to queue, until `count` messages
// are in. The messages, or fewer when they stop coming.
std::vector<ReceivedFrame> read_while_polling(uds_server_t * srv, int fd, size_t count);

// Fills a registered client's socket with 4 KiB frames until a send fails;
// the number of sends that succeeded.
int fill_socket(uds_server_t * srv, uint8_t app_id);
