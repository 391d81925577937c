// Small helpers shared by the fw tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "stdout_capture.hpp"
#include "temp_dir.hpp"

// Descriptors open in this process.
int count_open_fds();


bool contains(const std::string &haystack, const std::string &needle);
// True when text is exactly the log lines "[LEVEL][hh:mm:ss] message\n" of
// the given levels and messages, in order.
bool is_log(const std::string &text,
            const std::vector<std::pair<std::string, std::string>> &lines);
// The function named in the "[function:line] " prefix of the first logged
// line that contains message; "" when there is none.
std::string logged_by(const std::string &log, const std::string &message);
int count_of(const std::string &haystack, const std::string &needle);

// A blocking connection to a listening socket, or -1.
int raw_connect(const std::string &path);
// Writes all bytes (blocking socket), true on success.
bool write_all(int fd, const std::vector<uint8_t> &bytes);

// A stream message: u32 big-endian length, then the frame.
std::vector<uint8_t> frame_bytes(uint8_t cmd1, uint8_t cmd2, const std::vector<uint8_t> &payload);
std::vector<uint8_t> message_bytes(const std::vector<uint8_t> &body);
std::vector<uint8_t> frame_message(uint8_t cmd1, uint8_t cmd2,
                                   const std::vector<uint8_t> &payload = {});
std::vector<uint8_t> register_payload(uint8_t app_id, const std::string &name);

struct ReceivedFrame {
    int rc = 0; // uds_recv_msg result (negative on failure)
    uint8_t cmd1 = 0;
    uint8_t cmd2 = 0;
    std::vector<uint8_t> payload;
};
// Reads one message from fd (waiting up to timeout_ms) and decodes it.
ReceivedFrame read_frame(int fd, int timeout_ms);
