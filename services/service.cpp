#include "service.h"

#include <getopt.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "app_proto.h"
#include "fw_proto.h"
#include "fw_uds.h"
#include "fw_uds_client.h"

namespace svc {

namespace {

constexpr unsigned kKeepAliveMs = 2000; // well inside the interface's 6 s silence limit
constexpr int kRecvWaitMs = 50;         // loop period for delayed actions and keep-alive
constexpr unsigned kReconnectPauseMs = 300;
constexpr size_t kGarbageBytes = 64;
constexpr uint32_t kOversizeLen = FW_MSG_MAX + 808;
constexpr int kFloodFrames = 300;

volatile sig_atomic_t g_stop = 0;
uds_client_t g_client;
std::deque<Frame> g_inbox;

void on_signal(int sig)
{
    (void)sig;
    g_stop = 1;
}

// Frames are queued and handled after the receive returns: the client's
// message buffer is shared with sending.
void on_client_msg(uint8_t cmd1, uint8_t cmd2, const uint8_t *payload, uint16_t payload_len)
{
    Frame f;
    f.cmd1 = cmd1;
    f.cmd2 = cmd2;
    f.payload.assign(payload, payload + payload_len);
    g_inbox.push_back(std::move(f));
}

void pause_ms(unsigned ms)
{
    struct timespec ts = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    nanosleep(&ts, nullptr);
}

struct ScenarioName {
    const char *name;
    Scenario scenario;
};

constexpr ScenarioName kScenarios[] = {
    {"normal", Scenario::normal},       {"silent", Scenario::silent},   {"error", Scenario::error},
    {"malformed", Scenario::malformed}, {"garbage", Scenario::garbage}, {"oversize", Scenario::oversize},
    {"wrong-id", Scenario::wrong_id},   {"flood", Scenario::flood},
};

[[noreturn]] void usage(const char *prog)
{
    fprintf(stderr,
            "usage: %s [-s|--scenario normal|silent|error|malformed|garbage|oversize|wrong-id|flood]"
            " [-S|--socket PATH]\n",
            prog);
    exit(1);
}

// The id a wrong-id reply claims: another service's.
uint8_t other_app_id(uint8_t own)
{
    return own == APP_ID_AIRPLAY ? APP_ID_SPOTIFY : APP_ID_AIRPLAY;
}

// Appends the N bytes that `write` makes of v.
template <size_t N, typename T> void append(std::vector<uint8_t> &out, void (*write)(uint8_t *, T), T v)
{
    uint8_t bytes[N];
    write(bytes, v);
    out.insert(out.end(), bytes, bytes + N);
}

} // namespace

void put_u8(std::vector<uint8_t> &out, uint8_t v)
{
    out.push_back(v);
}

void put_be16(std::vector<uint8_t> &out, uint16_t v)
{
    append<2>(out, app_wr_be16, v);
}

void put_be32(std::vector<uint8_t> &out, uint32_t v)
{
    append<4>(out, app_wr_be32, v);
}

void put_be64(std::vector<uint8_t> &out, uint64_t v)
{
    append<8>(out, app_wr_be64, v);
}

void put_le32(std::vector<uint8_t> &out, uint32_t v)
{
    append<4>(out, app_wr_le32, v);
}

void put_bytes(std::vector<uint8_t> &out, const std::string &s)
{
    out.insert(out.end(), s.begin(), s.end());
}

Service::Service(const Config &config, int argc, char **argv) : config_(config)
{
    static const struct option longopts[] = {
        {"scenario", required_argument, nullptr, 's'},
        {"socket", required_argument, nullptr, 'S'},
        {nullptr, 0, nullptr, 0},
    };
    int opt;
    while ((opt = getopt_long(argc, argv, "s:S:", longopts, nullptr)) != -1) {
        if (opt == 'S') {
            uds_set_socket_path(optarg);
            parent_ = (int)getppid();
            continue;
        }
        if (opt != 's')
            usage(config.name);
        bool known = false;
        for (const auto &s : kScenarios) {
            if (strcmp(optarg, s.name) == 0) {
                scenario_ = s.scenario;
                known = true;
            }
        }
        if (!known)
            usage(config.name);
    }
    if (optind < argc)
        usage(config.name);
}

uint64_t Service::now_ms()
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint64_t)ts.tv_sec * 1000u + (uint64_t)ts.tv_nsec / 1000000u;
}

int Service::send_as(uint8_t cmd1, uint8_t cmd2, const std::vector<uint8_t> &payload)
{
    if (payload.size() > UINT16_MAX)
        return FW_ERR_SIZE;
    int rc = uds_client_send(&g_client, cmd1, cmd2, payload.data(), (uint16_t)payload.size());
    if (rc == 0)
        last_send_ms_ = now_ms();
    return rc;
}

int Service::send(uint8_t cmd2, const std::vector<uint8_t> &payload)
{
    if (scenario_ == Scenario::silent)
        return 0;
    uint8_t cmd1 = scenario_ == Scenario::wrong_id ? other_app_id(config_.app_id) : config_.app_id;
    return send_as(cmd1, cmd2, payload);
}

void Service::after(unsigned delay_ms, std::function<void()> fn)
{
    delayed_.push_back({now_ms() + delay_ms, std::move(fn)});
}

void Service::run_due()
{
    uint64_t now = now_ms();
    std::vector<Delayed> due;
    for (auto it = delayed_.begin(); it != delayed_.end();) {
        if (it->due_ms <= now) {
            due.push_back(std::move(*it));
            it = delayed_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto &d : due)
        d.fn();
}

int Service::write_raw(const std::vector<uint8_t> &bytes)
{
    ssize_t n = write(g_client.fd, bytes.data(), bytes.size());
    return n == (ssize_t)bytes.size() ? 0 : FW_ERR_IO;
}

bool Service::orphaned() const
{
    return parent_ != 0 && (int)getppid() != parent_;
}

bool Service::connect_and_register()
{
    std::vector<uint8_t> reg;
    reg.push_back(config_.app_id);
    reg.insert(reg.end(), config_.name, config_.name + strlen(config_.name) + 1);
    if (uds_client_start(&g_client, reg.data()) != 0)
        return false;
    g_client.msg_cb = on_client_msg;
    last_send_ms_ = now_ms();
    return true;
}

void Service::misbehave_after_register(Handler &handler)
{
    switch (scenario_) {
    case Scenario::garbage: {
        std::vector<uint8_t> junk(kGarbageBytes);
        for (size_t i = 0; i < junk.size(); i++)
            junk[i] = (uint8_t)(0xA5 ^ (i * 37));
        write_raw(junk);
        break;
    }
    case Scenario::oversize: {
        std::vector<uint8_t> big;
        put_be32(big, kOversizeLen);
        big.resize(4 + kOversizeLen, 0x5A);
        write_raw(big);
        break;
    }
    case Scenario::flood:
        for (int i = 0; i < kFloodFrames && !g_stop; i++)
            handler.send_flood_frame(*this);
        break;
    default:
        break;
    }
}

void Service::serve(Handler &handler)
{
    handler.on_registered(*this);
    misbehave_after_register(handler);
    while (!g_stop && !orphaned()) {
        int rc = uds_client_recv(&g_client, kRecvWaitMs);
        if (rc < 0 && rc != FW_ERR_TIMEOUT)
            return; // dropped by the interface, or the stream broke
        while (!g_inbox.empty()) {
            Frame f = std::move(g_inbox.front());
            g_inbox.pop_front();
            handler.on_frame(*this, f);
        }
        run_due();
        if (scenario_ != Scenario::silent && now_ms() - last_send_ms_ >= kKeepAliveMs)
            send_as(FW_CMD1_CTRL, FW_CMD2_HEARTBEAT, {});
    }
}

int Service::run(Handler &handler)
{
    struct sigaction sa;
    memset(&sa, 0, sizeof(sa));
    sa.sa_handler = on_signal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
    setvbuf(stdout, nullptr, _IOLBF, 0);

    while (!g_stop && !orphaned()) {
        if (!connect_and_register()) {
            pause_ms(kReconnectPauseMs);
            continue;
        }
        serve(handler);
        uds_client_stop(&g_client);
        g_inbox.clear();
        delayed_.clear();
        if (!g_stop && !orphaned())
            pause_ms(kReconnectPauseMs);
    }
    return 0;
}

} // namespace svc
