// The Airable controller's reply handling: the dispatch by command and
// status, the play-info reply in both header forms, LIST_DATA into the
// ListDataUI list, and MENU_INFO.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "airable_data_exchange_internal.h"
#include "fake_comm.h"
#include "hostile_text.hpp"
#include "lv_fixture.h"
#include "msg_builder.h"
#include "stdout_capture.hpp"
#include "ui/list_data_ui.h"
#include "ui/ui_data_update.h"

namespace {

struct Event {
    int event;
    player_ui_info_t info;
    airable_list_item_t item;
    airable_list_count_t count;
};

std::vector<Event> g_events;

void record(int event, void *data)
{
    Event e{};
    e.event = event;
    if (event == AIRABLE_UI_PLAYER_INFO)
        e.info = *(const player_ui_info_t *)data;
    if (event == AIRABLE_UI_LIST_ITEM)
        e.item = *(const airable_list_item_t *)data;
    if (event == AIRABLE_UI_LIST_DONE)
        e.count = *(const airable_list_count_t *)data;
    g_events.push_back(e);
}

const char kTag[] = "\033[1;33m[Controller Airable][";

// Log lines without their tags.
std::vector<std::string> lines_of(const std::string &log)
{
    std::vector<std::string> out;
    size_t pos = 0;
    while ((pos = log.find(kTag, pos)) != std::string::npos) {
        size_t start = log.find("\033[0m ", pos) + 5;
        size_t next = log.find(kTag, start);
        out.push_back(log.substr(start, next == std::string::npos ? std::string::npos : next - start));
        pos = start;
    }
    return out;
}

class AirableReplies : public LvFixture {
protected:
    void SetUp() override
    {
        LvFixture::SetUp();
        g_events.clear();
        // A handshake acknowledged in an earlier test is not this one's.
        g_ex.init_okay.store(0);
        g_ex.mode_okay.store(0);
        airable_data_register_ui_cb(record);
        fake_comm::take();
        head_ = ListDataUIListInit();
        ui_run_page.list_head = head_;
    }

    void TearDown() override
    {
        get_title_play_okey();
        ListDataUIListClean(head_);
        free(head_);
        ui_run_page.list_head = nullptr;
        LvFixture::TearDown();
    }

    std::string feed(uint8_t cmd2, const Bytes &msg, uint8_t cmd1 = 5)
    {
        StdoutCapture captured;
        airable_uds_cb(5, cmd1, cmd2, msg.data(), (uint16_t)msg.size());
        return captured.text();
    }

    std::vector<ListDataUIData> list() const
    {
        std::vector<ListDataUIData> out;
        for (ListDataUINode *n = head_->next; n != head_; n = n->next)
            out.push_back(n->data);
        return out;
    }

    ListDataUINode *head_ = nullptr;
};

struct DispatchCase {
    uint8_t cmd2;
    uint8_t status;
    const char *log; // "" = nothing logged
    int event;       // 0 = none
    bool ends_request;
};

const DispatchCase kDispatch[] = {
    {0x00, 6, "init OKAY from backend\n", 0, false},
    {0x00, 2, "init status: 0x02\n", 0, false},
    {0x09, 6, "set_mode OKAY from backend\n", 0, false},
    {0x09, 5, "", 0, false},
    {0x02, 5, "main_page status: Ready\n", AIRABLE_UI_MAIN_READY, false},
    {0x02, 1, "main_page status: Waiting\n", AIRABLE_UI_MAIN_WAITING, false},
    {0x02, 6, "main_page status: 0x06\n", 0, false},
    {0x04, 6, "title_play status: OKAY\n", AIRABLE_UI_PLAY_OK, false},
    {0x04, 1, "title_play status: Waiting\n", AIRABLE_UI_WAITING, false},
    {0x04, 5, "title_play status: 0x05\n", 0, false},
    {0x03, 5, "title_data status: Ready\n", AIRABLE_UI_DATA_READY, false},
    {0x03, 1, "title_data status: Waiting\n", AIRABLE_UI_WAITING, false},
    {0x03, 6, "title_data status: 0x06\n", 0, false},
    {0x06, 5, "id_data status: Ready -> fetch list\n", AIRABLE_UI_DATA_READY, false},
    {0x06, 1, "id_data status: Waiting\n", AIRABLE_UI_WAITING, false},
    {0x06, 2, "id_data status: 0x02, stop retry\n", 0, true},
    {0x07, 5, "id_data status: Ready -> fetch list\n", AIRABLE_UI_DATA_READY, false},
    {0x07, 6, "id_data status: 0x06, stop retry\n", 0, true},
    {0x08, 5, "id_play status: OKAY/Ready\n", AIRABLE_UI_PLAY_OK, false},
    {0x08, 6, "id_play status: OKAY/Ready\n", AIRABLE_UI_PLAY_OK, false},
    {0x08, 1, "id_play status: Waiting\n", AIRABLE_UI_WAITING, false},
    {0x08, 3, "id_play status: 0x03, stop retry\n", 0, true},
    {0x05, 6, "", 0, false}, // MSG_CTRL answers are not handled
    {0x55, 5, "", 0, false},
    {0xF0, 1, "", 0, false}, // a LIST_DATA that is not READY
};

TEST_F(AirableReplies, DispatchesEveryCommandAndStatus)
{
    for (const DispatchCase &c : kDispatch) {
        SCOPED_TRACE(testing::Message() << "cmd2 " << (int)c.cmd2 << " status " << (int)c.status);
        g_events.clear();
        g_ex.init_okay.store(0);
        g_ex.mode_okay.store(0);
        get_id_page_data(42); // a pending request with its timer
        ASSERT_NE(g_main_state.timer, nullptr);
        std::string log = feed(c.cmd2, {2, c.status, 0x20, 0, 0});
        std::vector<std::string> lines = lines_of(log);
        if (*c.log)
            EXPECT_EQ(lines, std::vector<std::string>{c.log});
        else
            EXPECT_EQ(log, "");
        if (c.event) {
            ASSERT_EQ(g_events.size(), 1u);
            EXPECT_EQ(g_events[0].event, c.event);
        } else {
            EXPECT_TRUE(g_events.empty());
        }
        EXPECT_EQ(g_main_state.timer == nullptr, c.ends_request);
        EXPECT_EQ(g_ex.init_okay.load(), c.cmd2 == 0x00 && c.status == 6);
        EXPECT_EQ(g_ex.mode_okay.load(), c.cmd2 == 0x09 && c.status == 6);
    }
}

TEST_F(AirableReplies, IgnoresMessagesShorterThanTheirRow)
{
    struct Short {
        uint8_t cmd2;
        Bytes msg;
    };
    const Short shorts[] = {
        {0x00, {2, 6}},          {0x02, {2, 5}},          {0x06, {}},
        {0xF7, {2, 6, 0x25}},    {0xF8, Bytes(27, 1)},    {0xF0, {2, 5, 0x22, 0}},
    };
    get_main_page_data();
    for (const Short &s : shorts) {
        EXPECT_EQ(feed(s.cmd2, s.msg), "");
        EXPECT_TRUE(g_events.empty());
        EXPECT_EQ(g_ex.init_okay.load(), 0);
    }
    EXPECT_NE(g_main_state.timer, nullptr);
}

TEST_F(AirableReplies, TakesWhateverTheAirableConnectionSends)
{
    feed(0x02, {2, 5, 0x20}, /*cmd1=*/2);
    ASSERT_EQ(g_events.size(), 1u);
    EXPECT_EQ(g_events[0].event, AIRABLE_UI_MAIN_READY);
}

struct PlayCase {
    const char *what;
    Bytes msg;
    bool raised;
    const char *log;
    uint32_t len4;
    std::string text1, text2;
};

PlayInfo short_form(const std::string &a, const std::string &b)
{
    PlayInfo p;
    p.long_form = false;
    return p.with_texts(a, b, "");
}

Bytes long_form_with_trailer()
{
    PlayInfo p;
    p.with_texts("Aurora FM", "Live radio", "");
    p.len4 = 4;
    p.trailing = 4;
    return p.build();
}

Bytes short_of(size_t n)
{
    PlayInfo p;
    p.long_form = false;
    Bytes b = p.build();
    b.resize(n);
    return b;
}

Bytes overflowing(bool long_form)
{
    PlayInfo p;
    p.long_form = long_form;
    p.len1 = 0xFFFFFFFFu;
    p.len2 = 0xFFFFFFFFu;
    return p.build();
}

Bytes short_one_past()
{
    PlayInfo p = short_form("abc", "");
    p.len1 = 4;
    return p.build();
}

Bytes state0_huge()
{
    PlayInfo p;
    p.state = 0;
    p.long_form = false;
    p.len1 = 70000;
    return p.build();
}

const std::string k300(300, 'y');

const PlayCase kPlayCases[] = {
    {"35 bytes are too short", short_of(35), false, "PLAYER_MSG payload too short: 35, drop\n", 0, "", ""},
    {"36 bytes with lengths 0: short form", short_of(36), true, "", 0, "", ""},
    {"short form texts from byte 36", short_form("Aurora FM", "Live radio").build(), true, "", 0, "Aurora FM",
     "Live radio"},
    {"short form, 300-byte text", short_form(k300, "after").build(), true, "", 0, std::string(255, 'y'), "after"},
    {"long form with len4 4 and its trailer", long_form_with_trailer(), true, "", 4, "Aurora FM", "Live radio"},
    {"short form texts one byte past the end", short_one_past(), false,
     "PLAYER_MSG len overflow: need=36 have=35, drop\n", 0, "", ""},
    {"short form overflowing", overflowing(false), false,
     "PLAYER_MSG len overflow: need=8589934622 have=32, drop\n", 0, "", ""},
    {"long form overflowing", overflowing(true), false,
     "PLAYER_MSG len overflow: need=8589934622 have=36, drop\n", 0, "", ""},
    {"state 0 is raised without texts", state0_huge(), true, "", 0, "", ""},
};

TEST_F(AirableReplies, DecodesPlayInfoInBothForms)
{
    for (const PlayCase &c : kPlayCases) {
        SCOPED_TRACE(c.what);
        g_events.clear();
        std::string log = feed(0xF7, c.msg);
        if (*c.log)
            EXPECT_EQ(lines_of(log), std::vector<std::string>{c.log});
        else
            EXPECT_EQ(log, "");
        ASSERT_EQ(g_events.size(), c.raised ? 1u : 0u);
        if (!c.raised)
            continue;
        const player_ui_info_t &r = g_events[0].info;
        EXPECT_EQ(g_events[0].event, AIRABLE_UI_PLAYER_INFO);
        EXPECT_EQ(r.position_ms, 61000u);
        EXPECT_EQ(r.channels, 2);
        EXPECT_EQ(r.reserved1, 0xA1);
        EXPECT_EQ(r.len4, c.len4);
        EXPECT_EQ(r.text1, c.text1);
        EXPECT_EQ(r.text2, c.text2);
        EXPECT_STREQ(r.text3, "");
    }
    // The state 0 record keeps its clamped length.
    EXPECT_EQ(g_events[0].info.len1, 65535);
}

TEST_F(AirableReplies, PlayerMessagesOtherThanPlayInfoAreIgnored)
{
    PlayInfo p;
    p.ctrl = 3;
    EXPECT_EQ(feed(0xF7, p.build()), "");
    EXPECT_TRUE(g_events.empty());
}

Bytes list_header(uint8_t status = 5)
{
    return {2, status, 0x22, 0, 2};
}

TEST_F(AirableReplies, ListReplyRefillsTheList)
{
    ListDataUIData old{};
    snprintf(old.title, sizeof(old.title), "old");
    ListDataUIListPushBack(head_, &old);

    Bytes msg = list_header();
    put_list_item(msg, 45, 20, '1', 0x0000000000000100ull, "Countries", "");
    std::string url600(600, 'u');
    put_list_item(msg, 45, 21, '0', 0x0102030405060708ull, "Aurora FM", url600);
    put_list_item(msg, 45, 22, '0', 7, "Blue Coast Radio", "https://x");
    std::string log = feed(0xF0, msg);

    std::vector<std::string> lines = lines_of(log);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "list_data: dir=0x02 status=0x05 len=" + std::to_string(msg.size()) + "\n");
    EXPECT_EQ(lines[1], "[0020/0045] type=0x31 id=256 name=\"Countries\"\n");
    EXPECT_EQ(lines[2], "[0021/0045] type=0x30 id=72623859790382856 name=\"Aurora FM\"\n");
    EXPECT_EQ(lines[4], "list_data: parsed 3 items\n");

    auto items = list();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_STREQ(items[0].title, "Countries");
    EXPECT_EQ(items[0].type, (uint32_t)'1');
    EXPECT_EQ(items[0].id_identifier, 256u);
    EXPECT_EQ(items[0].total, 45u);
    EXPECT_EQ(items[0].index, 20u);
    EXPECT_EQ(items[1].id_identifier, 0x0102030405060708ull);
    EXPECT_EQ(strlen(items[1].url), 511u);
    EXPECT_STREQ(items[2].title, "Blue Coast Radio"); // read 600 bytes after the url's start
    EXPECT_STREQ(items[2].url, "https://x");
    EXPECT_STREQ(items[2].redirection_url, "");

    ASSERT_EQ(g_events.size(), 4u);
    EXPECT_EQ(g_events[1].event, AIRABLE_UI_LIST_ITEM);
    EXPECT_EQ(g_events[1].item.type, '0');
    EXPECT_EQ(strlen(g_events[1].item.url), 511u);
    EXPECT_EQ(g_events[3].event, AIRABLE_UI_LIST_DONE);
    EXPECT_EQ(g_events[3].count.total, 45u);
    EXPECT_EQ(g_events[3].count.index, 22u);
}

TEST_F(AirableReplies, ListReplyEdgeCases)
{
    struct ListCase {
        const char *what;
        Bytes msg;
        size_t kept; // list length afterwards (one old record before)
        size_t items_raised;
        bool done_raised;
        uint32_t index;
    };
    Bytes cut = list_header();
    put_list_item(cut, 9, 3, '0', 1, "first", "u1");
    put_list_item(cut, 9, 4, '0', 2, "second", "u2", 600); // url runs past the end
    Bytes tail = list_header();
    put_list_item(tail, 9, 3, '0', 1, "first", "u1");
    tail.insert(tail.end(), 19, 0); // less than an item header
    const ListCase cases[] = {
        {"WAITING leaves the list", list_header(1), 1, 0, false, 0},
        {"empty READY empties it", list_header(), 0, 0, true, 0},
        {"an item cut at the end is dropped", cut, 1, 1, true, 3},
        {"a tail shorter than an item header", tail, 1, 1, true, 3},
    };
    for (const ListCase &c : cases) {
        SCOPED_TRACE(c.what);
        ListDataUIListClean(head_);
        ListDataUIData old{};
        ListDataUIListPushBack(head_, &old);
        g_events.clear();
        std::string log = feed(0xF0, c.msg);
        if (!c.done_raised) {
            EXPECT_EQ(log, "");
        }
        EXPECT_EQ(ListDataUIListGetLength(head_), c.kept);
        size_t raised_items = 0;
        for (const Event &e : g_events)
            raised_items += e.event == AIRABLE_UI_LIST_ITEM;
        EXPECT_EQ(raised_items, c.items_raised);
        EXPECT_EQ(!g_events.empty() && g_events.back().event == AIRABLE_UI_LIST_DONE, c.done_raised);
        if (c.done_raised) {
            EXPECT_EQ(g_events.back().count.index, c.index);
            EXPECT_NE(log.find("list_data: parsed " + std::to_string(c.items_raised) + " items\n"),
                      std::string::npos);
        }
    }
}

TEST_F(AirableReplies, ListReplyWithoutAListStillRaisesEvents)
{
    ui_run_page.list_head = nullptr;
    Bytes msg = list_header();
    put_list_item(msg, 1, 0, '0', 5, "only", "");
    feed(0xF0, msg);
    ASSERT_EQ(g_events.size(), 2u);
    EXPECT_STREQ(g_events[0].item.name, "only");
    EXPECT_EQ(g_events[1].count.total, 1u);
}

// Names are the service's text: logged escaped, handed on as they came.
TEST_F(AirableReplies, ItemNamesAreLoggedEscaped)
{
    Bytes msg = list_header();
    put_list_item(msg, 1, 1, '0', 9, test_support::kHostileName, "");
    const std::vector<std::string> lines = lines_of(feed(0xF0, msg));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "[0001/0001] type=0x30 id=9 name=\"" + test_support::kHostileShown + "\"\n");
    ASSERT_EQ(g_events.size(), 2u);
    EXPECT_EQ(g_events[0].item.name, test_support::kHostileName);
    ASSERT_EQ(list().size(), 1u);
    EXPECT_EQ(list()[0].title, test_support::kHostileName);
}

TEST_F(AirableReplies, MenuInfoIsOnlyLogged)
{
    auto menu = [](int32_t name_len, const std::string &name) {
        Bytes b;
        put_le32(b, 45);
        put_le32(b, 3);
        put_le32(b, 2);
        put_le32(b, 21);
        put_le32(b, name_len);
        b.insert(b.end(), 8, 0);
        put_str(b, name);
        return b;
    };
    const std::string first = "menu_info: len=";
    const std::string numbers = "  totality=45 page=2/3 items=21\n";
    struct MenuCase {
        Bytes msg;
        std::vector<std::string> lines;
    };
    const MenuCase cases[] = {
        {menu(9, "Countries"), {first + "37\n", numbers, "  menu_name=Countries\n"}},
        {menu((int32_t)test_support::kHostileName.size(), test_support::kHostileName),
         {first + std::to_string(28 + test_support::kHostileName.size()) + "\n", numbers,
          "  menu_name=" + test_support::kHostileShown + "\n"}},
        {menu(2000, std::string(2000, 'm')),
         {first + "2028\n", numbers, "  menu_name=" + std::string(1024, 'm') + "...\n"}},
        {menu(0, "Countries"), {first + "37\n", numbers}},
        {menu(10, "Countries"), {first + "37\n", numbers}},
        {menu(-1, ""), {first + "28\n", numbers}},
        {menu(0x7FFFFFFF, "x"), {first + "29\n", numbers}},
    };
    for (const MenuCase &c : cases) {
        EXPECT_EQ(lines_of(feed(0xF8, c.msg)), c.lines);
    }
    EXPECT_TRUE(g_events.empty());
    EXPECT_TRUE(fake_comm::take().empty());
}

} // namespace
