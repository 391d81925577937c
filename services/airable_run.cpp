// Stand-in for the Airable radio and podcast service (application id 5):
// the INIT and SET_MODE handshakes, browsing a small catalogue of folders,
// stations and episodes by list windows, playing by title or id, and
// play-info replies in both header forms.
//
// List windows: items are numbered from 1 (the last one carries the list's
// total), and a window start .. end names the items start to end, both
// included; a start of 0 is read as 1 and an end before the start as the 20
// items from the start.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app_proto.h"
#include "player.h"
#include "service.h"

namespace {

using svc::Frame;
using svc::Service;

constexpr char kTypePlayable = '0';
constexpr char kTypeFolder = '1';
constexpr uint64_t kRadioRoot = 1;
constexpr uint64_t kPodcastRoot = 2;

constexpr unsigned kWorkMs = 1000;      // WAITING before READY, long enough to see the busy overlay
constexpr unsigned kQuietAfterMs = 600; // duplicates of an answered request are not answered again
constexpr int32_t kFirstWindow = 20;    // a window whose end is before its start: start .. start + 19
constexpr int32_t kMaxWindow = 50;
constexpr size_t kCutUrlLen = 600;     // url length of the broken item in malformed list replies
constexpr size_t kCutPlayInfoLen = 20; // a play-info reply cut inside its player header
constexpr size_t kMenuUnread = AIRABLE_MENU_HDR_LEN - AIRABLE_MENU_OFF_NAME_LEN - 4;

constexpr svc::AudioFormat kFormat = {2, 48000, 128};

struct Item {
    uint64_t id;
    char type;
    std::string name;
    std::string url;
    std::string text2;
    uint32_t duration_ms;
    std::vector<uint64_t> children;
};

class Catalogue {
public:
    Catalogue()
    {
        // The main radio list: two folders, then stations, three windows long.
        std::vector<uint64_t> root = {100, 200, 1001, 1002, 1003};
        const char *const tones[] = {"Amber",  "Bright",  "Coastal", "Dawn",    "Echo",   "Falcon",
                                     "Golden", "Harbour", "Indigo",  "Juniper", "Kestrel"};
        const char *const kinds[] = {"FM", "Radio", "Sound", "Waves", "Live"};
        uint64_t id = 5000;
        for (const char *tone : tones) {
            for (const char *kind : kinds) {
                station(++id, std::string(tone) + " " + kind);
                root.push_back(id);
            }
        }
        folder(kRadioRoot, "Radio", root);
        folder(100, "Genres", {110, 120});
        folder(110, "Jazz", {1101, 1102});
        folder(120, "Classical", {1201, 1202});
        station(1001, "Aurora FM");
        station(1002, "Blue Coast Radio");
        station(1003, "City Jazz 24");
        station(1101, "Smooth Jazz Lounge");
        station(1102, "Bebop Nights");
        station(1201, "Baroque Hall");
        station(1202, "Symphony Live");
        std::vector<uint64_t> world;
        for (int i = 1; i <= 45; i++) {
            char name[32];
            snprintf(name, sizeof(name), "World Station %02d", i);
            station(2000 + (uint64_t)i, name);
            world.push_back(2000 + (uint64_t)i);
        }
        folder(200, "Countries", world);

        folder(kPodcastRoot, "Podcasts", {300, 400});
        show(300, "Tech Weekly", 12, 1800000);
        show(400, "History Hour", 5, 3600000);
    }

    const Item *find(uint64_t id) const
    {
        auto it = items_.find(id);
        return it == items_.end() ? nullptr : &it->second;
    }

    const Item *find_by_name(const std::string &name, char type) const
    {
        for (const auto &[id, item] : items_) {
            if (item.name == name && item.type == type)
                return &item;
        }
        return nullptr;
    }

private:
    void folder(uint64_t id, const std::string &name, std::vector<uint64_t> children)
    {
        items_[id] = {id, kTypeFolder, name, "", "", 0, std::move(children)};
    }

    void station(uint64_t id, const std::string &name)
    {
        items_[id] = {id, kTypePlayable, name, "https://stream.example.net/" + std::to_string(id), "Live radio", 0, {}};
    }

    void show(uint64_t id, const std::string &name, int episodes, uint32_t duration_ms)
    {
        std::vector<uint64_t> children;
        for (int i = 1; i <= episodes; i++) {
            uint64_t eid = id * 10 + (uint64_t)i;
            items_[eid] = {eid,
                           kTypePlayable,
                           name + " #" + std::to_string(i),
                           "https://feed.example.net/" + std::to_string(eid),
                           name,
                           duration_ms,
                           {}};
            children.push_back(eid);
        }
        folder(id, name, children);
    }

    std::map<uint64_t, Item> items_;
};

std::vector<uint8_t> status_reply(uint8_t status, uint8_t msg_class = MSG_CLASS_BROWSE)
{
    return {MSG_DIR_REPLY, status, msg_class};
}

class AirableHandler : public svc::Handler {
public:
    // Its play-info texts as the interface reads Airable's: the item's name
    // second (the title), what it is first.
    AirableHandler() : player_({{"Live radio", "Aurora FM", "", 0}}, "./artwork", kFormat)
    {
    }

    void on_registered(Service &svc) override
    {
        (void)svc;
        busy_.clear();
        quiet_until_.clear();
    }

    void on_frame(Service &svc, const Frame &f) override
    {
        const std::vector<uint8_t> &p = f.payload;
        switch (f.cmd2) {
        case APP_CMD2_AIRABLE_INIT:
            answer(svc, APP_CMD2_AIRABLE_INIT, init_is_valid(p) ? CMD_STATUS_OKAY : svc::kStatusError);
            break;
        case APP_CMD2_AIRABLE_SET_MODE:
            set_mode(svc, p);
            break;
        case APP_CMD2_AIRABLE_MAIN_PAGE:
            browse(svc, APP_CMD2_AIRABLE_MAIN_PAGE, "main",
                   catalogue_.find(mode_ == AIRABLE_MODE_RADIO ? kRadioRoot : kPodcastRoot));
            break;
        case APP_CMD2_AIRABLE_TITLE_DATA: {
            std::string title = title_of(p);
            browse(svc, APP_CMD2_AIRABLE_TITLE_DATA, "t:" + title, catalogue_.find_by_name(title, kTypeFolder));
            break;
        }
        case APP_CMD2_AIRABLE_ID_DATA: {
            const Item *item = p.size() >= AIRABLE_ID_LEN ? catalogue_.find(app_rd_le64(p.data())) : nullptr;
            browse(svc, APP_CMD2_AIRABLE_ID_DATA, "i:" + std::to_string(item ? item->id : 0),
                   item && item->type == kTypeFolder ? item : nullptr);
            break;
        }
        case APP_CMD2_AIRABLE_TITLE_PLAY:
            play(svc, APP_CMD2_AIRABLE_TITLE_PLAY, catalogue_.find_by_name(title_of(p), kTypePlayable));
            break;
        case APP_CMD2_AIRABLE_ID_PLAY: {
            const Item *item =
                p.size() >= AIRABLE_ID_PLAY_LEN ? catalogue_.find(app_rd_le64(p.data() + MSG_HDR_LEN)) : nullptr;
            play(svc, APP_CMD2_AIRABLE_ID_PLAY, item && item->type == kTypePlayable ? item : nullptr);
            break;
        }
        case APP_CMD2_AIRABLE_LIST_DATA:
            if (p.size() >= AIRABLE_LIST_REQ_LEN)
                send_window(svc, (int32_t)app_rd_be32(p.data() + AIRABLE_LIST_REQ_OFF_START),
                            (int32_t)app_rd_be32(p.data() + AIRABLE_LIST_REQ_OFF_END));
            break;
        case PLAYER_MSG:
            player_msg(svc, p);
            break;
        default:
            break;
        }
    }

    void send_flood_frame(Service &svc) override
    {
        svc.send(APP_CMD2_AIRABLE_MAIN_PAGE, status_reply(CMD_STATUS_WAITING));
    }

private:
    static bool init_is_valid(const std::vector<uint8_t> &p)
    {
        if (p.size() < AIRABLE_INIT_HDR_LEN)
            return false;
        size_t total = AIRABLE_INIT_HDR_LEN + app_rd_be16(&p[0]) + app_rd_be16(&p[2]) + app_rd_be16(&p[4]);
        return total == p.size();
    }

    static std::string title_of(const std::vector<uint8_t> &p)
    {
        if (p.size() < AIRABLE_TITLE_HDR_LEN)
            return "";
        size_t n = app_rd_be16(&p[AIRABLE_TITLE_OFF_LEN]);
        if (AIRABLE_TITLE_HDR_LEN + n > p.size())
            return "";
        auto title = p.begin() + AIRABLE_TITLE_HDR_LEN;
        return std::string(title, title + (long)n);
    }

    void set_mode(Service &svc, const std::vector<uint8_t> &p)
    {
        uint8_t mode = p.size() >= AIRABLE_SET_MODE_LEN ? p[AIRABLE_SET_MODE_OFF_MODE] : 0;
        if (mode != AIRABLE_MODE_RADIO && mode != AIRABLE_MODE_PODCAST) {
            answer(svc, APP_CMD2_AIRABLE_SET_MODE, svc::kStatusError);
            return;
        }
        mode_ = mode;
        folder_ = mode_ == AIRABLE_MODE_RADIO ? kRadioRoot : kPodcastRoot;
        answer(svc, APP_CMD2_AIRABLE_SET_MODE, CMD_STATUS_OKAY);
    }

    void answer(Service &svc, uint8_t cmd2, uint8_t status, uint8_t msg_class = MSG_CLASS_BROWSE)
    {
        if (svc.scenario() == svc::Scenario::error)
            status = svc::kStatusError;
        svc.send(cmd2, status_reply(status, msg_class));
    }

    // A browse request: WAITING while it works, then READY with the folder
    // as the current list. Resent duplicates get WAITING again while it
    // works and nothing just after READY.
    void browse(Service &svc, uint8_t cmd2, const std::string &key, const Item *target)
    {
        if (!target) {
            answer(svc, cmd2, svc::kStatusError);
            return;
        }
        uint64_t now = Service::now_ms();
        if (quiet_until_.count(key) && quiet_until_[key] > now)
            return;
        answer(svc, cmd2, CMD_STATUS_WAITING);
        if (busy_.count(key))
            return;
        busy_.insert(key);
        uint64_t id = target->id;
        svc.after(kWorkMs, [this, &svc, cmd2, key, id] {
            busy_.erase(key);
            quiet_until_[key] = Service::now_ms() + kQuietAfterMs;
            folder_ = id;
            answer(svc, cmd2, CMD_STATUS_READY);
        });
    }

    void play(Service &svc, uint8_t cmd2, const Item *item)
    {
        if (!item) {
            answer(svc, cmd2, svc::kStatusError, MSG_CLASS_PLAYER);
            return;
        }
        if (!playing_ || player_.current().text2 != item->name) {
            player_.play_single({item->text2, item->name, "", item->duration_ms});
            printf("airable_run: playing %s\n", item->name.c_str());
        }
        playing_ = true;
        answer(svc, cmd2, CMD_STATUS_OKAY, MSG_CLASS_PLAYER);
    }

    void send_window(Service &svc, int32_t start, int32_t end)
    {
        const Item *folder = catalogue_.find(folder_);
        const std::vector<uint64_t> &ids = folder->children;
        const int64_t total = (int64_t)ids.size();
        const int64_t first = start < 1 ? 1 : start;
        int64_t last = end < first ? first + kFirstWindow - 1 : end;
        if (last - first >= kMaxWindow)
            last = first + kMaxWindow - 1;
        if (last > total)
            last = total;

        bool broken = svc.scenario() == svc::Scenario::malformed;
        std::vector<uint8_t> msg = status_reply(CMD_STATUS_READY, MSG_CLASS_LIST_RANGE);
        int32_t count = last >= first ? (int32_t)(last - first + 1) : 0;
        svc::put_be16(msg, (uint16_t)count);
        for (int64_t i = first; i <= last; i++) {
            const Item *item = catalogue_.find(ids[(size_t)(i - 1)]);
            bool cut = broken && i == first + 2;
            svc::put_be32(msg, (uint32_t)total);
            svc::put_be32(msg, (uint32_t)i);
            svc::put_u8(msg, (uint8_t)item->type);
            svc::put_be64(msg, item->id);
            svc::put_u8(msg, (uint8_t)item->name.size());
            svc::put_be16(msg, (uint16_t)(cut ? kCutUrlLen : item->url.size()));
            svc::put_bytes(msg, item->name);
            svc::put_bytes(msg, item->url);
            if (cut)
                break; // the rest of the message is missing
        }
        svc.send(APP_CMD2_AIRABLE_LIST_DATA, msg);
        send_menu_info(svc, *folder, (int32_t)total, (int32_t)std::min<int64_t>(first, INT32_MAX), count);
    }

    void send_menu_info(Service &svc, const Item &folder, int32_t total, int32_t first, int32_t count)
    {
        std::vector<uint8_t> msg;
        int32_t pages = (total + kFirstWindow - 1) / kFirstWindow;
        svc::put_le32(msg, (uint32_t)total);
        svc::put_le32(msg, (uint32_t)pages);
        svc::put_le32(msg, (uint32_t)((first - 1) / kFirstWindow + 1));
        svc::put_le32(msg, (uint32_t)count);
        bool broken = svc.scenario() == svc::Scenario::malformed;
        svc::put_le32(msg, broken ? (uint32_t)INT32_MAX : (uint32_t)folder.name.size());
        msg.resize(msg.size() + kMenuUnread, 0);
        svc::put_bytes(msg, folder.name);
        svc.send(APP_CMD2_AIRABLE_MENU_INFO, msg);
    }

    void player_msg(Service &svc, const std::vector<uint8_t> &p)
    {
        if (p.size() < PLAYER_MSG_LEN)
            return;
        if (p[PLAYER_MSG_CTRL] != MEDIA_CTRL_PLAY_INFO) {
            player_.control(p[PLAYER_MSG_CTRL]);
            return;
        }
        if (svc.scenario() == svc::Scenario::malformed) {
            std::vector<uint8_t> cut = player_.play_info(svc::InfoForm::short_form);
            cut.resize(kCutPlayInfoLen);
            svc.send(PLAYER_MSG, cut);
            return;
        }
        long_next_ = !long_next_;
        svc::InfoForm form = long_next_ ? svc::InfoForm::long_form : svc::InfoForm::short_form;
        svc.send(PLAYER_MSG, player_.play_info(form, CMD_STATUS_OKAY, playing_));
    }

    Catalogue catalogue_;
    svc::Player player_;
    bool playing_ = false;
    bool long_next_ = false;
    uint8_t mode_ = AIRABLE_MODE_RADIO;
    uint64_t folder_ = kRadioRoot;
    std::set<std::string> busy_;
    std::map<std::string, uint64_t> quiet_until_;
};

} // namespace

int main(int argc, char **argv)
{
    const svc::Config config = {APP_ID_AIRABLE, "airable_run", "./artwork"};
    Service svc(config, argc, argv);
    AirableHandler handler;
    return svc.run(handler);
}
