// The communication manager over real sockets with the stand-in service
// programs, each run in a temporary working directory: routing to the
// controllers, transport commands, the heartbeat timeout of a silent
// service, the Airable handshakes, browsing and playing, and services that
// misbehave on purpose.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "airable_data_exchange_internal.h"
#include "airplay_data_exchange.h"
#include "comm_mgr_lvgl.h"
#include "fw_heartbeat_internal.h"
#include "fw_uds.h"
#include "socket_fixture.h"
#include "spotify_data_exchange.h"
#include "stdout_capture.hpp"
#include "ui/list_data_ui.h"
#include "ui/ui_data_update.h"

extern char ** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

struct Seen {
    std::mutex lock;
    std::vector<std::pair<uint8_t, Clock::time_point>> connects, disconnects;
    std::vector<player_ui_info_t> airplay, spotify, airable_info;
    std::vector<int> airable_events;
    std::vector<std::string> airable_items;

    size_t count(const std::vector<std::pair<uint8_t, Clock::time_point>> & v, uint8_t id)
    {
        std::lock_guard<std::mutex> hold(lock);
        size_t n = 0;
        for (const auto & e : v) n += e.first == id;
        return n;
    }

    size_t events(int event)
    {
        std::lock_guard<std::mutex> hold(lock);
        size_t n = 0;
        for (int e : airable_events) n += e == event;
        return n;
    }
};

Seen * g_seen;

void on_connect(uint8_t id)
{
    std::lock_guard<std::mutex> hold(g_seen->lock);
    g_seen->connects.push_back({id, Clock::now()});
}

void on_disconnect(uint8_t id)
{
    std::lock_guard<std::mutex> hold(g_seen->lock);
    g_seen->disconnects.push_back({id, Clock::now()});
}

void on_airplay(const player_ui_info_t * info)
{
    std::lock_guard<std::mutex> hold(g_seen->lock);
    g_seen->airplay.push_back(*info);
}

void on_spotify(const player_ui_info_t * info)
{
    std::lock_guard<std::mutex> hold(g_seen->lock);
    g_seen->spotify.push_back(*info);
}

// Plays the main page's part: asks for the list window on READY, ends a
// play request on OKAY.
void on_airable(int event, void * data)
{
    {
        std::lock_guard<std::mutex> hold(g_seen->lock);
        g_seen->airable_events.push_back(event);
        if (event == AIRABLE_UI_PLAYER_INFO) g_seen->airable_info.push_back(*(const player_ui_info_t *)data);
        if (event == AIRABLE_UI_LIST_ITEM) g_seen->airable_items.push_back(((const airable_list_item_t *)data)->name);
    }
    switch (event) {
    case AIRABLE_UI_MAIN_READY:
        ui_run_page.list_start = 0;
        ui_run_page.list_end = 20;
        get_page_data_ready();
        break;
    case AIRABLE_UI_DATA_READY: get_page_data_ready(); break;
    case AIRABLE_UI_PLAY_OK: get_title_play_okey(); break;
    default: break;
    }
}

std::vector<ListDataUIData> list_items()
{
    std::vector<ListDataUIData> out;
    ListDataUINode * head = ui_run_page.list_head;
    for (ListDataUINode * n = head->next; n != head; n = n->next) out.push_back(n->data);
    return out;
}

bool is_jpeg(const fs::path & p)
{
    std::ifstream in(p, std::ios::binary);
    unsigned char sig[3] = {0, 0, 0};
    in.read((char *)sig, 3);
    return in && sig[0] == 0xFF && sig[1] == 0xD8 && sig[2] == 0xFF;
}

std::string slurp(const fs::path & p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Starts a stand-in service in `dir` on `socket`, its output in
// <name>.log there.
pid_t spawn_service(const fs::path & dir, const std::string & socket, const char * program, const char * scenario)
{
    std::string name = fs::path(program).filename().string();
    std::string log = (dir / (name + ".log")).string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<std::string> args = {name, "-S", socket, "-s", scenario};
    std::vector<char *> argv;
    for (auto & a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stop_services(std::vector<pid_t> & children)
{
    for (pid_t pid : children) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    children.clear();
}

uint64_t real_ms()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint64_t)ts.tv_sec * 1000u + (uint64_t)ts.tv_nsec / 1000000u;
}

// The heartbeat monitor's clock: the real one, ahead by what a test adds,
// so that a test can let the monitor see seconds of silence at once.
std::atomic<uint64_t> g_monitor_ahead_ms{0};
uint64_t monitor_clock()
{
    return real_ms() + g_monitor_ahead_ms;
}

class CommE2E : public SocketFixture {
protected:
    void SetUp() override
    {
        SocketFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        g_seen = new Seen;

        list_head_ = ListDataUIListInit();
        ui_run_page.list_head = list_head_;
        airplay_data_register_ui_cb(on_airplay);
        airplay_data_exchange_init();
        spotify_data_register_ui_cb(on_spotify);
        spotify_data_exchange_init();
        airable_data_register_ui_cb(on_airable);
        airable_data_exchange_init();
        comm_mgr_set_conn_cb(on_connect);
        comm_mgr_set_disconn_cb(on_disconnect);
        g_monitor_ahead_ms = 0;
        hb_set_clock(monitor_clock);  // before the monitor's thread starts
        ASSERT_EQ(comm_mgr_init(), 0);
    }

    void TearDown() override
    {
        stop_services(children_);
        get_title_play_okey();
        comm_mgr_deinit();
        hb_set_clock(nullptr);
        comm_mgr_set_conn_cb(nullptr);
        comm_mgr_set_disconn_cb(nullptr);
        ListDataUIListClean(list_head_);
        free(list_head_);
        ui_run_page.list_head = nullptr;
        delete g_seen;
        g_seen = nullptr;
        SocketFixture::TearDown();
    }

    // Starts a stand-in service in the working directory.
    void spawn(const char * program, const char * scenario)
    {
        pid_t pid = spawn_service(dir_, socket_, program, scenario);
        ASSERT_GT(pid, 0);
        children_.push_back(pid);
    }

    // Runs the GUI loop until `done` holds or `timeout_ms` passed; `every`
    // runs every 100 ms, as the main page's queries would.
    static bool pump(const std::function<bool()> & done, int timeout_ms, const std::function<void()> & every = {})
    {
        auto end = Clock::now() + std::chrono::milliseconds(timeout_ms);
        auto next = Clock::now();
        while (Clock::now() < end) {
            lv_timer_handler();
            if (done()) return true;
            if (every && Clock::now() >= next) {
                every();
                next = Clock::now() + std::chrono::milliseconds(100);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }

    static bool connected(uint8_t id) { return g_seen->count(g_seen->connects, id) > 0; }

    std::vector<pid_t> children_;
    ListDataUINode * list_head_ = nullptr;
};

template <typename T> size_t size_of(const std::vector<T> & v)
{
    std::lock_guard<std::mutex> hold(g_seen->lock);
    return v.size();
}

player_ui_info_t last_of(const std::vector<player_ui_info_t> & v)
{
    std::lock_guard<std::mutex> hold(g_seen->lock);
    return v.back();
}

TEST_F(CommE2E, RegisteredServicesReachTheirControllers)
{
    EXPECT_EQ(airplay_play_check_info(), FW_ERR_NO_CLIENT);
    spawn(AIRPLAY_RUN, "normal");
    spawn(SPOTIFY_RUN, "normal");
    ASSERT_TRUE(pump([] { return connected(2) && connected(6); }, 10000));
    EXPECT_EQ(comm_mgr_get_client_count(), 2);

    auto query = [] {
        airplay_play_check_info();
        spotify_play_check_info();
    };
    ASSERT_TRUE(pump([] { return size_of(g_seen->airplay) > 0 && size_of(g_seen->spotify) > 0; }, 5000, query));
    player_ui_info_t a = last_of(g_seen->airplay);
    EXPECT_EQ(a.state, 1);
    EXPECT_STREQ(a.text1, "Harbour Lights");
    EXPECT_STREQ(a.text2, "The Quiet Tides");
    EXPECT_STREQ(a.text3, "Evening Songs");
    EXPECT_EQ(a.duration_ms, 215000u);
    EXPECT_EQ(a.len4, 4u);
    EXPECT_STREQ(last_of(g_seen->spotify).text1, "Glass Garden");
    ASSERT_TRUE(is_jpeg(dir_ / "artwork.jpg"));
    ASSERT_TRUE(is_jpeg(dir_ / "artwork"));
    std::string first_art = slurp(dir_ / "artwork.jpg");

    // Transport commands change what the service reports.
    EXPECT_EQ(airplay_media_ctrl(MEDIA_CTRL_NEXT), 0);
    ASSERT_TRUE(pump([] { return std::string(last_of(g_seen->airplay).text1) == "Northern Road"; }, 5000, query));
    EXPECT_NE(slurp(dir_ / "artwork.jpg"), first_art);
    EXPECT_EQ(spotify_media_ctrl(MEDIA_CTRL_PREVIOUS), 0);
    ASSERT_TRUE(pump([] { return std::string(last_of(g_seen->spotify).text1) == "Last Ferry"; }, 5000, query));
    EXPECT_EQ(g_seen->count(g_seen->disconnects, 2), 0u);
}

// A service that registers and falls silent is timed out at the third
// one-second check that finds it silent for more than 6 s, and dropped;
// the healthy one beside it stays. The monitor's clock is moved ahead by
// those 6 s instead of waiting for them, so that the test does not hang on
// wall-clock windows a busy machine could miss (the timeline itself is
// pinned down by the monitor's own tests).
TEST_F(CommE2E, SilentServiceIsTimedOutAndDropped)
{
    StdoutCapture captured;
    spawn(AIRPLAY_RUN, "silent");
    spawn(SPOTIFY_RUN, "normal");
    ASSERT_TRUE(pump([] { return connected(2) && connected(6); }, 20000));
    auto query = [] {
        airplay_play_check_info();  // never answered
        spotify_play_check_info();
    };
    g_monitor_ahead_ms += HB_SILENCE_MS;
    const size_t answers_before = size_of(g_seen->spotify);
    ASSERT_TRUE(pump([] { return g_seen->count(g_seen->disconnects, 2) > 0; }, 20000, query));
    // The GUI loop stops here, so the service's reconnection is not taken yet.
    const uint8_t q[4] = {1, 0, 0x25, 20};
    EXPECT_EQ(comm_mgr_send(2, 2, 0xF7, q, 4), FW_ERR_NO_CLIENT);
    EXPECT_EQ(comm_mgr_get_client_count(), 1);
    EXPECT_EQ(g_seen->count(g_seen->disconnects, 6), 0u);
    EXPECT_GT(size_of(g_seen->spotify), answers_before) << "the healthy service was served";
    EXPECT_EQ(size_of(g_seen->airplay), 0u);

    // Its socket was closed: it connects again as a fresh entry.
    ASSERT_TRUE(pump([] { return g_seen->count(g_seen->connects, 2) == 2; }, 10000));
    std::string log = captured.text();
    for (const char * line : {"App 2 missed heartbeat (1/3)\n", "App 2 missed heartbeat (2/3)\n",
                              "App 2 missed heartbeat (3/3)\n", "App 2 timeout, triggering cleanup\n",
                              "Timeout app 2\n", "Client disconnected: app_id=2\n", "App 2 disconnected\n"}) {
        EXPECT_NE(log.find(line), std::string::npos) << line;
    }
    EXPECT_LT(log.find("(1/3)"), log.find("Timeout app 2"));
    EXPECT_EQ(log.find("Timeout app 6"), std::string::npos);
}

TEST_F(CommE2E, AirableBrowseAndPlay)
{
    spawn(AIRABLE_RUN, "normal");
    // Started right after the service, as the Radio tile does: the first
    // sends fail until it has registered, the watchdogs carry on.
    airable_init_data("https://partner.example/radio", "marlowen", "not-in-the-log");
    airable_set_mode_async(AIRABLE_MODE_RADIO);
    ASSERT_TRUE(pump([] { return g_ex.init_in_progress.load() == 0 && g_ex.mode_in_progress.load() == 0; }, 10000));
    EXPECT_EQ(g_ex.init_okay.load(), 1);
    EXPECT_EQ(g_ex.mode_okay.load(), 1);

    get_main_page_data();
    ASSERT_TRUE(pump([] { return g_seen->events(AIRABLE_UI_LIST_DONE) == 1; }, 5000));
    EXPECT_GE(g_seen->events(AIRABLE_UI_MAIN_WAITING), 1u);
    EXPECT_EQ(g_main_state.timer, nullptr);
    // The first window of the main list: items 1 to 20 of 60.
    std::vector<ListDataUIData> root = list_items();
    ASSERT_EQ(root.size(), 20u);
    EXPECT_EQ(root.front().index, 1u);
    EXPECT_EQ(root.back().total, 60u);
    EXPECT_STREQ(root[0].title, "Genres");
    EXPECT_EQ(root[0].type, (uint32_t)'1');
    EXPECT_STREQ(root[2].title, "Aurora FM");
    EXPECT_EQ(root[2].type, (uint32_t)'0');
    EXPECT_STREQ(root[2].url, "https://stream.example.net/1001");

    // Open a folder found by its title, as the main page does.
    uint64_t countries = 0;
    for (const auto & r : root)
        if (std::string(r.title) == "Countries") countries = r.id_identifier;
    ASSERT_EQ(countries, 200u);
    ui_run_page.list_start = 0;
    ui_run_page.list_end = 0;
    get_id_page_data(countries);
    ASSERT_TRUE(pump([] { return g_seen->events(AIRABLE_UI_LIST_DONE) == 2; }, 5000));
    std::vector<ListDataUIData> window = list_items();
    ASSERT_EQ(window.size(), 20u);
    EXPECT_EQ(window.front().index, 1u);
    EXPECT_EQ(window.back().index, 20u);
    EXPECT_EQ(window.back().total, 45u);

    ui_run_page.list_start = 21;
    ui_run_page.list_end = 40;
    EXPECT_EQ(get_page_data_ready(), 0);
    ASSERT_TRUE(pump([] { return g_seen->events(AIRABLE_UI_LIST_DONE) == 3; }, 5000));
    window = list_items();
    ASSERT_EQ(window.size(), 20u);
    EXPECT_EQ(window.front().index, 21u);
    EXPECT_STREQ(window[4].title, "World Station 25");

    // A folder asked for by its title, a station played by its id.
    ui_run_page.list_start = 0;
    ui_run_page.list_end = 0;
    get_title_page_data("Jazz");
    ASSERT_TRUE(pump([] { return g_seen->events(AIRABLE_UI_LIST_DONE) == 4; }, 5000));
    window = list_items();
    ASSERT_EQ(window.size(), 2u);
    EXPECT_STREQ(window[0].title, "Smooth Jazz Lounge");
    airable_play_id(window[0].id_identifier);
    ASSERT_TRUE(pump([] { return g_seen->events(AIRABLE_UI_PLAY_OK) == 1; }, 5000));

    airable_play_title("World Station 25");
    ASSERT_TRUE(pump([] { return g_seen->events(AIRABLE_UI_PLAY_OK) == 2; }, 5000));
    EXPECT_EQ(g_main_state.timer, nullptr);
    ASSERT_TRUE(pump(
        [] {
            std::lock_guard<std::mutex> hold(g_seen->lock);
            return !g_seen->airable_info.empty() && g_seen->airable_info.back().state == 1 &&
                   std::string(g_seen->airable_info.back().text2) == "World Station 25";
        },
        5000, [] { airable_play_check_info(); }));
    EXPECT_TRUE(is_jpeg(dir_ / "artwork"));
}

TEST_F(CommE2E, AirableMalformedRepliesAreDropped)
{
    spawn(AIRABLE_RUN, "malformed");
    spawn(SPOTIFY_RUN, "normal");
    ASSERT_TRUE(pump([] { return connected(5) && connected(6); }, 10000));
    airable_init_data("https://partner.example/radio", "marlowen", "x");
    airable_set_mode_async(AIRABLE_MODE_RADIO);
    ASSERT_TRUE(pump([] { return g_ex.init_in_progress.load() == 0 && g_ex.mode_in_progress.load() == 0; }, 10000));
    get_main_page_data();
    ASSERT_TRUE(pump([] { return g_seen->events(AIRABLE_UI_LIST_DONE) == 1; }, 5000));
    // The third item claims more url than the message holds.
    ASSERT_EQ(list_items().size(), 2u);
    pump([] { return false; }, 1500,
         [] {
             airable_play_check_info();
             spotify_play_check_info();
         });
    EXPECT_EQ(g_seen->events(AIRABLE_UI_PLAYER_INFO), 0u);
    EXPECT_GT(size_of(g_seen->spotify), 5u);
}

struct Misbehaviour {
    const char * name;
    const char *airplay, *spotify, *airable;
};

void PrintTo(const Misbehaviour & m, std::ostream * os)
{
    *os << m.name;
}

class CommBadInput : public CommE2E, public ::testing::WithParamInterface<Misbehaviour> {};

// Each row runs one or two misbehaving services beside healthy ones for a
// few seconds of play-info queries: nothing bad reaches a controller, the
// healthy services are served throughout.
TEST_P(CommBadInput, HealthyServicesAreNotDisturbed)
{
    const Misbehaviour & m = GetParam();
    spawn(AIRPLAY_RUN, m.airplay);
    spawn(SPOTIFY_RUN, m.spotify);
    spawn(AIRABLE_RUN, m.airable);
    auto query = [] {
        airplay_play_check_info();
        spotify_play_check_info();
        airable_play_check_info();
    };
    pump([] { return false; }, 4000, query);
    // A player service in the error scenario reports nothing playing.
    auto check_player = [](const char * scenario, const std::vector<player_ui_info_t> & seen) {
        std::lock_guard<std::mutex> hold(g_seen->lock);
        std::string s = scenario;
        if (s == "normal" || s == "error") {
            EXPECT_GT(seen.size(), 5u) << s;
            for (const auto & info : seen) EXPECT_EQ(info.state, s == "normal" ? 1 : 0);
        } else {
            EXPECT_EQ(seen.size(), 0u) << s;
        }
    };
    check_player(m.airplay, g_seen->airplay);
    check_player(m.spotify, g_seen->spotify);
    EXPECT_GT(g_seen->events(AIRABLE_UI_PLAYER_INFO), 5u);
    if (std::string(m.airable) == "flood") {
        // One frame per client and poll: the burst drains within a few seconds.
        EXPECT_TRUE(pump([] { return g_seen->events(AIRABLE_UI_MAIN_WAITING) >= 300; }, 8000));
    }
    EXPECT_LE(comm_mgr_get_client_count(), 3);
}

const Misbehaviour kMisbehaviours[] = {
    {"garbage", "garbage", "normal", "normal"},
    {"oversize", "oversize", "normal", "normal"},
    {"malformed_and_wrong_id", "malformed", "wrong-id", "normal"},
    {"error_and_flood", "error", "normal", "flood"},
};

INSTANTIATE_TEST_SUITE_P(Services, CommBadInput, ::testing::ValuesIn(kMisbehaviours),
                         [](const auto & info) { return std::string(info.param.name); });

// The stand-ins keep their connections alive on their own: with nothing to
// answer, each still sends a frame well within the 6 s after which the
// interface counts a check as silent.
class ServiceKeepAlive : public SocketFixture {};

TEST_F(ServiceKeepAlive, IdleServicesSendWithinTheSilenceLimit)
{
    struct Seen {
        std::vector<uint64_t> registered, frames;
    };
    static std::map<uint8_t, Seen> seen;
    seen.clear();
    static uds_server_t server;
    server.msg_cb = [](uint8_t id, uint8_t, uint8_t, const uint8_t *, uint16_t) {
        seen[id].frames.push_back(real_ms());
    };
    server.conn_cb = [](uint8_t id) { seen[id].registered.push_back(real_ms()); };
    server.disconn_cb = nullptr;
    StdoutCapture quiet;
    ASSERT_EQ(uds_server_start(&server), 0);
    std::vector<pid_t> children;
    for (const char * program : {AIRPLAY_RUN, SPOTIFY_RUN, AIRABLE_RUN})
        children.push_back(spawn_service(dir_, socket_, program, "normal"));
    const uint64_t give_up = real_ms() + 30000;
    auto two_frames_each = [] {
        for (uint8_t id : {2, 5, 6})
            if (seen[id].frames.size() < 2) return false;
        return true;
    };
    while (!two_frames_each() && real_ms() < give_up) {
        uds_server_poll(&server, 5);
    }
    stop_services(children);
    uds_server_stop(&server);
    for (uint8_t id : {2, 5, 6}) {
        SCOPED_TRACE((int)id);
        const Seen & s = seen[id];
        ASSERT_EQ(s.registered.size(), 1u);
        ASSERT_GE(s.frames.size(), 2u);
        EXPECT_LT(s.frames[0] - s.registered[0], (uint64_t)HB_SILENCE_MS);
        EXPECT_LT(s.frames[1] - s.frames[0], (uint64_t)HB_SILENCE_MS);
    }
}

}  // namespace
