#include "fw_test_util.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fw_proto.h"
#include "fw_uds.h"

int count_open_fds()
{
    DIR *dir = opendir("/proc/self/fd");
    if (dir == nullptr) {
        return -1;
    }
    int count = 0;
    while (struct dirent *e = readdir(dir)) {
        if (e->d_name[0] != '.') {
            count++;
        }
    }
    closedir(dir);
    return count - 1; // the directory's own descriptor
}

bool contains(const std::string &haystack, const std::string &needle)
{
    return haystack.find(needle) != std::string::npos;
}

static bool is_time_of_day(const std::string &t)
{
    auto two_digits = [&](size_t at, char max_first) {
        return t[at] >= '0' && t[at] <= max_first && isdigit((unsigned char)t[at + 1]);
    };
    return t.size() == 8 && two_digits(0, '2') && t[2] == ':' && two_digits(3, '5') &&
           t[5] == ':' && two_digits(6, '6');
}

bool is_log(const std::string &text,
            const std::vector<std::pair<std::string, std::string>> &lines)
{
    size_t pos = 0;
    for (const auto &[level, message] : lines) {
        const std::string head = "[" + level + "][";
        if (text.compare(pos, head.size(), head) != 0) {
            return false;
        }
        pos += head.size();
        if (!is_time_of_day(text.substr(pos, 8)) || text.compare(pos + 8, 2, "] ") != 0) {
            return false;
        }
        pos += 10;
        const std::string rest = message + "\n";
        if (text.compare(pos, rest.size(), rest) != 0) {
            return false;
        }
        pos += rest.size();
    }
    return pos == text.size();
}

std::string logged_by(const std::string &log, const std::string &message)
{
    size_t at = log.find(message);
    if (at == std::string::npos) {
        return "";
    }
    size_t line = log.rfind('\n', at);
    line = line == std::string::npos ? 0 : line + 1;
    // "[LVL][hh:mm:ss] [function:line] message"
    size_t open = log.find("] [", line);
    size_t colon = open == std::string::npos ? open : log.find(':', open + 3);
    if (colon == std::string::npos || colon > at) {
        return "";
    }
    return log.substr(open + 3, colon - open - 3);
}

int count_of(const std::string &haystack, const std::string &needle)
{
    int n = 0;
    for (size_t pos = haystack.find(needle); pos != std::string::npos;
         pos = haystack.find(needle, pos + needle.size())) {
        n++;
    }
    return n;
}

int raw_connect(const std::string &path)
{
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    struct sockaddr_un addr = {};
    addr.sun_family = AF_UNIX;
    snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    if (connect(fd, (const struct sockaddr *)&addr, sizeof addr) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool write_all(int fd, const std::vector<uint8_t> &bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0) {
            return false;
        }
        done += (size_t)n;
    }
    return true;
}

std::vector<uint8_t> frame_bytes(uint8_t cmd1, uint8_t cmd2, const std::vector<uint8_t> &payload)
{
    std::vector<uint8_t> out(FW_FRAME_HDR_LEN + payload.size());
    int n = fw_frame_encode(cmd1, cmd2, payload.data(), (uint16_t)payload.size(), out.data(),
                            (uint16_t)out.size());
    EXPECT_EQ(n, (int)out.size());
    return out;
}

std::vector<uint8_t> message_bytes(const std::vector<uint8_t> &body)
{
    uint32_t n = (uint32_t)body.size();
    std::vector<uint8_t> out(4 + body.size());
    out[0] = (uint8_t)(n >> 24);
    out[1] = (uint8_t)(n >> 16);
    out[2] = (uint8_t)(n >> 8);
    out[3] = (uint8_t)n;
    std::copy(body.begin(), body.end(), out.begin() + 4);
    return out;
}

std::vector<uint8_t> frame_message(uint8_t cmd1, uint8_t cmd2, const std::vector<uint8_t> &payload)
{
    return message_bytes(frame_bytes(cmd1, cmd2, payload));
}

std::vector<uint8_t> register_payload(uint8_t app_id, const std::string &name)
{
    std::vector<uint8_t> p(1 + name.size());
    p[0] = app_id;
    std::copy(name.begin(), name.end(), p.begin() + 1);
    return p;
}

ReceivedFrame read_frame(int fd, int timeout_ms)
{
    ReceivedFrame r;
    std::vector<uint8_t> buf(FW_MSG_MAX);
    auto frame = std::make_unique<fw_frame_t>();
    r.rc = uds_recv_msg(fd, buf.data(), (uint32_t)buf.size(), timeout_ms);
    if (r.rc <= 0) {
        return r;
    }
    int d = fw_frame_decode(buf.data(), (uint16_t)r.rc, frame.get());
    if (d < 0) {
        r.rc = d;
        return r;
    }
    r.cmd1 = frame->cmd1;
    r.cmd2 = frame->cmd2;
    r.payload.assign(frame->payload, frame->payload + frame->payload_len);
    return r;
}
