// Framework throughput: the frame codec alone, and frames per second through
// the server with 16 registered clients sending as fast as they can while the
// server polls with a 0 ms wait. And the longest poll, which the GUI loop
// waits for, while 16 hostile peers work on the server.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "fw_proto.h"
#include "fw_uds.h"
#include "fw_uds_server.h"

namespace {

void BM_FrameEncodeDecode(benchmark::State &state)
{
    const uint16_t len = (uint16_t)state.range(0);
    std::vector<uint8_t> payload(len, 0x5A);
    std::vector<uint8_t> wire(FW_MSG_MAX);
    auto frame = std::make_unique<fw_frame_t>();
    for (auto _ : state) {
        int n = fw_frame_encode(5, 0xF7, payload.data(), len, wire.data(), FW_MSG_MAX);
        int d = fw_frame_decode(wire.data(), (uint16_t)n, frame.get());
        benchmark::DoNotOptimize(d);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * (int64_t)(FW_FRAME_HDR_LEN + len));
}
BENCHMARK(BM_FrameEncodeDecode)->Arg(0)->Arg(64)->Arg(1024)->Arg(FW_FRAME_PAYLOAD_MAX);

uds_server_t g_srv;
int64_t g_frames;
int g_registered;

void count_frame(uint8_t, uint8_t, uint8_t, const uint8_t *, uint16_t)
{
    g_frames++;
}

void count_registration(uint8_t)
{
    g_registered++;
}

// One service: registers by hand (the client half shares one buffer per
// process, so the sixteen threads use the transport directly), waits for its
// acknowledgement, then sends frames until its connection is closed.
void sender(uint8_t app_id, uint16_t payload_len, std::atomic<bool> *go)
{
    int fd = uds_client_connect(uds_socket_path(), 5000);
    if (fd < 0) {
        return;
    }
    std::vector<uint8_t> buf(FW_MSG_MAX);
    uint8_t reg[] = {app_id, 'b', 'e', 'n', 'c', 'h'};
    int n = fw_frame_encode(0, FW_CMD2_REGISTER, reg, sizeof reg, buf.data(), FW_MSG_MAX);
    if (uds_send_msg(fd, buf.data(), (uint32_t)n) == 0 &&
        uds_recv_msg(fd, buf.data(), FW_MSG_MAX, 5000) > 0) {
        while (!go->load()) {
            usleep(1000);
        }
        std::vector<uint8_t> payload(payload_len, app_id);
        n = fw_frame_encode(app_id, 0xF7, payload.data(), payload_len, buf.data(), FW_MSG_MAX);
        while (uds_send_msg(fd, buf.data(), (uint32_t)n) == 0) {
        }
    }
    uds_close(fd, nullptr);
}

// Starts g_srv, counting frames and registrations, on a socket in a new
// folder `dir` (a mkdtemp template) and gives the socket's path; "" (the
// benchmark skipped) when that fails.
std::string start_counting_server(benchmark::State &state, char *dir)
{
    if (mkdtemp(dir) == nullptr) {
        state.SkipWithError("mkdtemp failed");
        return "";
    }
    const std::string path = std::string(dir) + "/s";
    uds_set_socket_path(path.c_str());
    g_srv.msg_cb = count_frame;
    g_srv.conn_cb = count_registration;
    if (uds_server_start(&g_srv) != 0) {
        state.SkipWithError("server start failed");
        return "";
    }
    return path;
}

void BM_ServerFramesSixteenClients(benchmark::State &state)
{
    char dir[] = "/tmp/fwbench.XXXXXX";
    g_registered = 0;
    if (start_counting_server(state, dir).empty()) {
        return;
    }
    std::atomic<bool> go{false};
    std::vector<std::thread> senders;
    for (uint8_t id = 1; id <= FW_MAX_CLIENTS; id++) {
        senders.emplace_back(sender, id, (uint16_t)state.range(0), &go);
    }
    while (g_registered < FW_MAX_CLIENTS) {
        uds_server_poll(&g_srv, 10);
    }

    g_frames = 0;
    go = true;
    for (auto _ : state) {
        uds_server_poll(&g_srv, 0);
    }
    state.counters["frames_per_s"] = benchmark::Counter((double)g_frames, benchmark::Counter::kIsRate);
    state.counters["frames_per_poll"] =
        benchmark::Counter((double)g_frames / (double)state.iterations());

    uds_server_stop(&g_srv); // closes every connection; the senders fail and end
    for (auto &t : senders) {
        t.join();
    }
    uds_set_socket_path(nullptr);
    rmdir(dir);
}
BENCHMARK(BM_ServerFramesSixteenClients)->Arg(16)->Arg(1024)->UseRealTime()->MinTime(2.0);

// A hostile peer: one that trickles a message a byte at a time and never
// finishes it, or one that registers and then never reads what it is
// sent. Either connects again whenever the server drops it. A trickler
// waits a moment after connecting, so that all sixteen are in the table
// when they start: then every poll finds all of them readable.
struct Hostile {
    using Clock = std::chrono::steady_clock;
    static constexpr auto kFirstByteAfter = std::chrono::milliseconds(300);
    static constexpr auto kByteEvery = std::chrono::milliseconds(50);

    int fd = -1;
    uint8_t app_id = 0;
    bool trickler = true;
    size_t sent = 0;
    Clock::time_point next_byte;
};

bool peer_gone(int fd)
{
    struct pollfd p = {fd, POLLRDHUP, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR));
}

void hostile_connect(Hostile &h, const std::string &path)
{
    h.fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    struct sockaddr_un addr = {};
    addr.sun_family = AF_UNIX;
    snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    if (connect(h.fd, (const struct sockaddr *)&addr, sizeof addr) != 0) {
        close(h.fd); // backlog full: again at the next step
        h.fd = -1;
        return;
    }
    h.sent = 0;
    h.next_byte = Hostile::Clock::now() + Hostile::kFirstByteAfter;
    if (!h.trickler) {
        uint8_t msg[16] = {};
        uint8_t reg[] = {h.app_id, 's'};
        int n = fw_frame_encode(0, FW_CMD2_REGISTER, reg, sizeof reg, msg + 4, sizeof msg - 4);
        msg[3] = (uint8_t)n;
        send(h.fd, msg, 4 + (size_t)n, MSG_NOSIGNAL);
    }
}

void hostile_step(Hostile &h, const std::string &path)
{
    if (h.fd >= 0 && peer_gone(h.fd)) {
        close(h.fd);
        h.fd = -1;
    }
    if (h.fd < 0) {
        hostile_connect(h, path);
        return;
    }
    // A 256-byte message, one byte at a time.
    static const uint8_t message[4 + 256] = {0, 0, 1, 0};
    if (h.trickler && h.sent < sizeof message && Hostile::Clock::now() >= h.next_byte) {
        if (send(h.fd, &message[h.sent], 1, MSG_NOSIGNAL) == 1) {
            h.sent++;
        }
        h.next_byte += Hostile::kByteEvery;
    }
}

// Standard output to /dev/null while it lives: the server logs every
// connection the peers make and lose.
class QuietStdout {
public:
    QuietStdout()
    {
        fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    ~QuietStdout()
    {
        fflush(stdout);
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
    }

private:
    int saved_;
};

// The GUI loop polls the server every 5 ms and sends each registered peer
// a 4 KiB frame every 50 ms, as the interface's requests would; range(0)
// of the sixteen peers trickle bytes, the others register and never read.
// Reports the longest poll and the longest send: the longest the GUI loop
// stands still.
void BM_LongestPauseSixteenHostilePeers(benchmark::State &state)
{
    char dir[] = "/tmp/fwbench.XXXXXX";
    QuietStdout quiet;
    const std::string path = start_counting_server(state, dir);
    if (path.empty()) {
        return;
    }
    std::atomic<bool> stop{false};
    const int tricklers = (int)state.range(0);
    std::thread peers([&] {
        std::vector<Hostile> all(FW_MAX_CLIENTS);
        for (int i = 0; i < FW_MAX_CLIENTS; i++) {
            all[i].trickler = i < tricklers;
            all[i].app_id = (uint8_t)(1 + i);
        }
        while (!stop) {
            for (Hostile &h : all) {
                hostile_step(h, path);
            }
            usleep(1000);
        }
        for (Hostile &h : all) {
            uds_close(h.fd, nullptr);
        }
    });
    using Clock = std::chrono::steady_clock;
    std::vector<uint8_t> query(4000, 0x20);
    Clock::duration longest_poll{}, longest_send{};
    int64_t polls = 0;
    for (auto _ : state) {
        const auto end = Clock::now() + std::chrono::seconds(3);
        for (int tick = 0; Clock::now() < end; tick++) {
            auto start = Clock::now();
            uds_server_poll(&g_srv, 0);
            longest_poll = std::max(longest_poll, Clock::now() - start);
            polls++;
            if (tick % 10 == 0) {
                for (uint8_t id = 1; id <= FW_MAX_CLIENTS; id++) {
                    start = Clock::now();
                    uds_server_send(&g_srv, id, id, 0x20, query.data(), (uint16_t)query.size());
                    longest_send = std::max(longest_send, Clock::now() - start);
                }
            }
            usleep(5000);
        }
    }
    auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    state.counters["longest_poll_ms"] = ms(longest_poll);
    state.counters["longest_send_ms"] = ms(longest_send);
    state.counters["polls"] = (double)polls;
    stop = true;
    peers.join();
    uds_server_stop(&g_srv);
    uds_set_socket_path(nullptr);
    rmdir(dir);
}
BENCHMARK(BM_LongestPauseSixteenHostilePeers)
    ->Arg(FW_MAX_CLIENTS)     // sixteen tricklers
    ->Arg(FW_MAX_CLIENTS / 2) // eight of those and eight that never read
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
