// Every decoder fed with many broken messages, each in a buffer of exactly
// its length so that the sanitizer builds catch any read past its end.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "airable_data_exchange.h"
#include "airplay_data_exchange.h"
#include "fake_comm.h"
#include "lv_fixture.h"
#include "msg_builder.h"
#include "spotify_data_exchange.h"
#include "stdout_capture.hpp"
#include "ui/list_data_ui.h"
#include "ui/ui_data_update.h"

namespace {

int g_records;

// Reads every byte of what it is handed, so that a bad record shows.
void check_info(const player_ui_info_t *info)
{
    EXPECT_LE(strlen(info->text1), 255u);
    EXPECT_LE(strlen(info->text2), 255u);
    EXPECT_LE(strlen(info->text3), 255u);
    g_records++;
}

void check_event(int event, void *data)
{
    if (event == AIRABLE_UI_PLAYER_INFO)
        check_info((const player_ui_info_t *)data);
    if (event == AIRABLE_UI_LIST_ITEM) {
        const airable_list_item_t *item = (const airable_list_item_t *)data;
        EXPECT_LE(strlen(item->name), 255u);
        EXPECT_LE(strlen(item->url), 511u);
    }
}

// A plausible message of one kind, then broken at random: cut, grown,
// bytes overwritten, lengths set to extremes.
Bytes mutated(std::mt19937 &rng, uint8_t cmd2)
{
    Bytes msg;
    if (cmd2 == 0xF7) {
        PlayInfo p;
        p.long_form = rng() % 2;
        p.with_texts(std::string(rng() % 300, 'a'), std::string(rng() % 20, 'b'), "c");
        msg = p.build();
    } else if (cmd2 == 0xF0) {
        msg = {2, 5, 0x22, 0, 0};
        for (unsigned i = 0, n = rng() % 6; i < n; i++)
            put_list_item(msg, 9, i, '0', rng(), std::string(rng() % 40, 'n'), std::string(rng() % 700, 'u'));
    } else {
        msg.resize(rng() % 64);
        for (auto &b : msg)
            b = (uint8_t)rng();
    }
    switch (rng() % 5) {
    case 0:
        msg.resize(rng() % (msg.size() + 1));
        break;
    case 1:
        msg.resize(msg.size() + rng() % 40, (uint8_t)rng());
        break;
    case 2:
        for (int i = 0; i < 4 && !msg.empty(); i++)
            msg[rng() % msg.size()] = (uint8_t)rng();
        break;
    case 3:
        for (size_t off = 24; off + 4 <= msg.size() && off < 40; off += 4)
            if (rng() % 2)
                msg[off] = msg[off + 1] = msg[off + 2] = msg[off + 3] = 0xFF;
        break;
    default:
        break;
    }
    return msg;
}

class CodecRobustness : public LvFixture {};

TEST_F(CodecRobustness, BrokenMessagesAreHandledSafely)
{
    airplay_data_register_ui_cb(check_info);
    spotify_data_register_ui_cb(check_info);
    airable_data_register_ui_cb(check_event);
    ListDataUINode *head = ListDataUIListInit();
    ui_run_page.list_head = head;
    const uint8_t kinds[] = {0x00, 0x02, 0x03, 0x04, 0x06, 0x07, 0x08, 0x09, 0xF0, 0xF7, 0xF8, 0x42};
    std::mt19937 rng(20261210);
    StdoutCapture captured;
    for (int i = 0; i < 30000; i++) {
        uint8_t cmd2 = kinds[rng() % sizeof(kinds)];
        Bytes msg = mutated(rng, cmd2);
        auto exact = std::make_unique<uint8_t[]>(msg.size());
        if (!msg.empty())
            memcpy(exact.get(), msg.data(), msg.size());
        const uint8_t *p = msg.empty() ? nullptr : exact.get();
        airplay_uds_cb(2, 2, cmd2, p, (uint16_t)msg.size());
        spotify_uds_cb(6, 6, cmd2, p, (uint16_t)msg.size());
        airable_uds_cb(5, 5, cmd2, p, (uint16_t)msg.size());
    }
    captured.text();
    EXPECT_GT(g_records, 1000); // some got through the checks and were read whole
    get_title_play_okey();
    ListDataUIListClean(head);
    free(head);
    ui_run_page.list_head = nullptr;
    fake_comm::take();
}

} // namespace
