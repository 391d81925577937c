// Framework throughput: the frame codec alone, and frames per second through
// the server with 16 registered clients sending as fast as they can while the
// server polls with a 0 ms wait.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
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

void BM_ServerFramesSixteenClients(benchmark::State &state)
{
    char dir[] = "/tmp/fwbench.XXXXXX";
    if (mkdtemp(dir) == nullptr) {
        state.SkipWithError("mkdtemp failed");
        return;
    }
    const std::string path = std::string(dir) + "/s";
    uds_set_socket_path(path.c_str());
    g_srv.msg_cb = count_frame;
    g_srv.conn_cb = count_registration;
    g_registered = 0;
    if (uds_server_start(&g_srv) != 0) {
        state.SkipWithError("server start failed");
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

} // namespace

BENCHMARK_MAIN();
