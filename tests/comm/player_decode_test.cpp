// The AirPlay and Spotify controllers: play-info decoding, drops with their
// log lines, and the player messages they send.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "airplay_data_exchange.h"
#include "fake_comm.h"
#include "msg_builder.h"
#include "spotify_data_exchange.h"
#include "stdout_capture.hpp"

namespace {

std::optional<player_ui_info_t> g_seen;
int g_calls;

void record(const player_ui_info_t *info)
{
    g_seen = *info;
    g_calls++;
}

struct Controller {
    const char *name;
    uint8_t app_id;
    const char *tag;
    void (*register_cb)(player_ui_cb_t);
    void (*init)(void);
    uds_msg_cb_t uds_cb;
    int (*media_ctrl)(int);
    int (*check_info)(void);
};

const Controller kControllers[] = {
    {"airplay", 2, "\033[1;34m[Controller Airplay][airplay_uds_cb:", airplay_data_register_ui_cb,
     airplay_data_exchange_init, airplay_uds_cb, airplay_media_ctrl, airplay_play_check_info},
    {"spotify", 6, "\033[1;32m[Controller Spotify][spotify_uds_cb:", spotify_data_register_ui_cb,
     spotify_data_exchange_init, spotify_uds_cb, spotify_media_ctrl, spotify_play_check_info},
};

void PrintTo(const Controller &c, std::ostream *os)
{
    *os << c.name;
}

class PlayerController : public ::testing::TestWithParam<Controller> {
protected:
    void SetUp() override
    {
        g_seen.reset();
        g_calls = 0;
        GetParam().register_cb(record);
        fake_comm::take();
    }

    // Feeds one message as the route would and returns the log it wrote.
    std::string feed(const Bytes &msg, uint8_t cmd2 = 0xF7, int cmd1 = -1)
    {
        const Controller &c = GetParam();
        StdoutCapture captured;
        c.uds_cb(c.app_id, cmd1 < 0 ? c.app_id : (uint8_t)cmd1, cmd2, msg.data(), (uint16_t)msg.size());
        return captured.text();
    }
};

struct DecodeCase {
    const char *what;
    PlayInfo info;
    bool delivered;
    const char *log; // the whole log text after the tag, or "" for none
    const char *text1, *text2, *text3;
    uint16_t len1;
};

PlayInfo texts(const std::string &a, const std::string &b, const std::string &c)
{
    PlayInfo p;
    p.len4 = 0;
    return p.with_texts(a, b, c);
}

PlayInfo huge_state(uint8_t state)
{
    PlayInfo p;
    p.state = state;
    p.len1 = 70000;
    p.len4 = 9;
    return p;
}

PlayInfo wrapping_lengths()
{
    PlayInfo p;
    p.len1 = p.len2 = p.len3 = 0xFFFFFFFFu;
    p.len4 = 40; // the sum wraps to 4 in 32 bits, which would fit
    return p;
}

PlayInfo one_byte_short()
{
    PlayInfo p = texts("abc", "", "");
    p.len1 = 4;
    return p;
}

PlayInfo with_trailer()
{
    PlayInfo p = texts("Song", "Artist", "Album");
    p.len4 = 4;
    p.trailing = 4;
    return p;
}

const std::string k300(300, 'x');
const std::string k255(255, 'x');

const DecodeCase kDecodeCases[] = {
    {"state 0 keeps the lengths and no texts", huge_state(0), true, "", "", "", "", 65535},
    {"40 bytes with all lengths 0", texts("", "", ""), true, "", "", "", "", 0},
    {"three texts", texts("Harbour Lights", "The Quiet Tides", "Evening Songs"), true, "", "Harbour Lights",
     "The Quiet Tides", "Evening Songs", 14},
    {"300-byte text keeps 255, the next starts after 300", texts(k300, "next", "z"), true, "", k255.c_str(),
     "next", "z", 300},
    {"NUL ends a text, the next starts after its length", texts(std::string("ab\0cd", 5), "B", "C"), true, "",
     "ab", "B", "C", 5},
    {"trailing data counted, not read", with_trailer(), true, "", "Song", "Artist", "Album", 4},
    {"state 1 with len1 70000 overflows", huge_state(1), false,
     "PLAYER_MSG len overflow: need=70045 have=36, drop\n", "", "", "", 0},
    {"texts one byte past the end", one_byte_short(), false, "PLAYER_MSG len overflow: need=40 have=39, drop\n", "",
     "", "", 0},
    {"lengths summing past 32 bits never wrap", wrapping_lengths(), false,
     "PLAYER_MSG len overflow: need=12884901961 have=36, drop\n", "", "", "", 0},
};

TEST_P(PlayerController, DecodesPlayInfoReplies)
{
    for (const DecodeCase &c : kDecodeCases) {
        SCOPED_TRACE(c.what);
        g_seen.reset();
        Bytes msg = c.info.build();
        std::string log = feed(msg);
        if (*c.log) {
            EXPECT_EQ(log.substr(0, strlen(GetParam().tag)), GetParam().tag);
            EXPECT_EQ(log.substr(log.find("\033[0m ") + 5), c.log);
        } else {
            EXPECT_EQ(log, "");
        }
        ASSERT_EQ(g_seen.has_value(), c.delivered);
        if (!c.delivered)
            continue;
        const player_ui_info_t &r = *g_seen;
        EXPECT_EQ(r.position_ms, c.info.position);
        EXPECT_EQ(r.duration_ms, c.info.duration);
        EXPECT_EQ(r.state, c.info.state);
        EXPECT_EQ(r.reserved1, c.info.reserved1);
        EXPECT_EQ(r.channels, c.info.channels);
        EXPECT_EQ(r.reserved2, c.info.reserved2);
        EXPECT_EQ(r.sample_rate, c.info.sample_rate);
        EXPECT_EQ(r.bit_rate, c.info.bit_rate);
        EXPECT_EQ(r.len1, c.len1);
        EXPECT_EQ(r.len4, c.info.len4);
        EXPECT_STREQ(r.text1, c.text1);
        EXPECT_STREQ(r.text2, c.text2);
        EXPECT_STREQ(r.text3, c.text3);
    }
}

TEST_P(PlayerController, DropsWhatIsNotAPlayInfoReply)
{
    struct Drop {
        const char *what;
        Bytes msg;
        uint8_t cmd2;
        int cmd1;
        const char *log;
    };
    PlayInfo next_cmd;
    next_cmd.ctrl = 1;
    Bytes cut = PlayInfo().build();
    cut.resize(39);
    uint8_t other = GetParam().app_id == 2 ? 6 : 2;
    const Drop drops[] = {
        {"another command", PlayInfo().build(), 0x10, -1, ""},
        {"another application's cmd1", PlayInfo().build(), 0xF7, other, ""},
        {"framework control frame", PlayInfo().build(), 0xF7, 0, ""},
        {"shorter than the control byte", {1, 0, 0x25}, 0xF7, -1, "PLAYER_MSG len<4, drop\n"},
        {"a transport command", next_cmd.build(), 0xF7, -1, "PLAYER_MSG ctrl=1 != 20, skip\n"},
        {"player header cut short", cut, 0xF7, -1, "PLAYER_MSG payload_len=35 < 36, drop\n"},
    };
    for (const Drop &d : drops) {
        SCOPED_TRACE(d.what);
        std::string log = feed(d.msg, d.cmd2, d.cmd1);
        EXPECT_EQ(g_calls, 0);
        if (*d.log)
            EXPECT_EQ(log.substr(log.find("\033[0m ") + 5), d.log);
        else
            EXPECT_EQ(log, "");
    }
}

TEST_P(PlayerController, DecodesWithoutACallback)
{
    GetParam().register_cb(nullptr);
    EXPECT_EQ(feed(PlayInfo().build()), "");
    EXPECT_EQ(g_calls, 0);
}

TEST_P(PlayerController, SendsPlayerMessagesToItsService)
{
    const Controller &c = GetParam();
    fake_comm::set_result(FW_ERR_NO_CLIENT);
    EXPECT_EQ(c.media_ctrl(MEDIA_CTRL_NEXT), FW_ERR_NO_CLIENT);
    fake_comm::set_result(0);
    EXPECT_EQ(c.media_ctrl(MEDIA_CTRL_PREVIOUS), 0);
    EXPECT_EQ(c.media_ctrl(0x103), 0); // only the low byte goes out
    EXPECT_EQ(c.check_info(), 0);
    auto sent = fake_comm::take();
    ASSERT_EQ(sent.size(), 4u);
    const uint8_t codes[] = {1, 2, 3, 20};
    for (size_t i = 0; i < sent.size(); i++) {
        EXPECT_EQ(sent[i].app_id, c.app_id);
        EXPECT_EQ(sent[i].cmd1, c.app_id);
        EXPECT_EQ(sent[i].cmd2, 0xF7);
        EXPECT_EQ(sent[i].payload, (Bytes{1, 0, 0x25, codes[i]}));
    }
}

TEST_P(PlayerController, InstallsItsRoute)
{
    GetParam().init();
    EXPECT_EQ(fake_comm::route(GetParam().app_id), GetParam().uds_cb);
}

INSTANTIATE_TEST_SUITE_P(Both, PlayerController, ::testing::ValuesIn(kControllers),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PlayerMessages, AnyApplicationId)
{
    fake_comm::take();
    fake_comm::set_result(0);
    EXPECT_EQ(media_ctrl(5, MEDIA_CTRL_PLAY_PAUSE), 0);
    EXPECT_EQ(player_media_ctrl(9, MEDIA_CTRL_NEXT), 0);
    EXPECT_EQ(media_play_check_info(6), 0);
    auto sent = fake_comm::take();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].app_id, 5);
    EXPECT_EQ(sent[0].cmd1, 5);
    EXPECT_EQ(sent[0].payload, (Bytes{1, 0, 0x25, 3}));
    EXPECT_EQ(sent[1].app_id, 9);
    EXPECT_EQ(sent[1].payload, (Bytes{1, 0, 0x25, 1}));
    EXPECT_EQ(sent[2].cmd1, 6);
    EXPECT_EQ(sent[2].payload, (Bytes{1, 0, 0x25, 20}));
}

} // namespace
