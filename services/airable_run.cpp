// Stand-in for the Airable radio and podcast service (application id 5):
// the INIT and SET_MODE handshakes, browsing a small catalogue of folders,
// stations and episodes by list windows, playing by title or id, and
// play-info replies in both header forms.
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "player.h"
#include "service.h"

namespace {

using svc::Frame;
using svc::Service;

constexpr uint8_t kAppId = 5;
constexpr uint8_t kCmdInit = 0x00;
constexpr uint8_t kCmdMainPage = 0x02;
constexpr uint8_t kCmdTitleData = 0x03;
constexpr uint8_t kCmdTitlePlay = 0x04;
constexpr uint8_t kCmdIdData = 0x06;
constexpr uint8_t kCmdIdPlay = 0x08;
constexpr uint8_t kCmdSetMode = 0x09;
constexpr uint8_t kCmdListData = 0xF0;
constexpr uint8_t kCmdMenuInfo = 0xF8;
constexpr uint8_t kClassListRange = 0x22;

constexpr char kTypePlayable = '0';
constexpr char kTypeFolder = '1';
constexpr uint64_t kRadioRoot = 1;
constexpr uint64_t kPodcastRoot = 2;
constexpr uint8_t kModeRadio = 1;
constexpr uint8_t kModePodcast = 2;

constexpr unsigned kWorkMs = 300;      // WAITING before READY
constexpr unsigned kQuietAfterMs = 600; // duplicates of an answered request are not answered again
constexpr int32_t kFirstWindow = 20;   // a window whose end is not past its start: start .. start + 20
constexpr int32_t kMaxWindow = 50;
constexpr size_t kCutUrlLen = 600;     // url length of the broken item in malformed list replies

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
        folder(kRadioRoot, "Radio", {100, 200, 1001, 1002, 1003});
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
            items_[eid] = {eid, kTypePlayable, name + " #" + std::to_string(i),
                           "https://feed.example.net/" + std::to_string(eid), name, duration_ms, {}};
            children.push_back(eid);
        }
        folder(id, name, children);
    }

    std::map<uint64_t, Item> items_;
};

uint64_t rd_le64(const uint8_t *p)
{
    uint64_t v = 0;
    for (int i = 7; i >= 0; i--)
        v = (v << 8) | p[i];
    return v;
}

void put_le32(std::vector<uint8_t> &out, int32_t v)
{
    for (int i = 0; i < 4; i++)
        out.push_back((uint8_t)((uint32_t)v >> (8 * i)));
}

std::vector<uint8_t> status_reply(uint8_t status, uint8_t msg_class = svc::kClassBrowse)
{
    return {svc::kDirReply, status, msg_class};
}

class AirableHandler : public svc::Handler {
public:
    AirableHandler() : player_({{"Aurora FM", "Live radio", "", 0}}, "./artwork", kFormat) {}

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
        case kCmdInit:
            answer(svc, kCmdInit, init_is_valid(p) ? svc::kStatusOkay : svc::kStatusError);
            break;
        case kCmdSetMode:
            if (p.size() >= 4 && (p[3] == kModeRadio || p[3] == kModePodcast)) {
                mode_ = p[3];
                folder_ = mode_ == kModeRadio ? kRadioRoot : kPodcastRoot;
                answer(svc, kCmdSetMode, svc::kStatusOkay);
            } else {
                answer(svc, kCmdSetMode, svc::kStatusError);
            }
            break;
        case kCmdMainPage:
            browse(svc, kCmdMainPage, "main", catalogue_.find(mode_ == kModeRadio ? kRadioRoot : kPodcastRoot));
            break;
        case kCmdTitleData: {
            std::string title = title_of(p);
            browse(svc, kCmdTitleData, "t:" + title, catalogue_.find_by_name(title, kTypeFolder));
            break;
        }
        case kCmdIdData: {
            const Item *item = p.size() >= 8 ? catalogue_.find(rd_le64(p.data())) : nullptr;
            browse(svc, kCmdIdData, "i:" + std::to_string(item ? item->id : 0),
                   item && item->type == kTypeFolder ? item : nullptr);
            break;
        }
        case kCmdTitlePlay:
            play(svc, kCmdTitlePlay, catalogue_.find_by_name(title_of(p), kTypePlayable));
            break;
        case kCmdIdPlay: {
            const Item *item = p.size() >= 11 ? catalogue_.find(rd_le64(p.data() + 3)) : nullptr;
            play(svc, kCmdIdPlay, item && item->type == kTypePlayable ? item : nullptr);
            break;
        }
        case kCmdListData:
            if (p.size() >= 13)
                send_window(svc, (int32_t)svc::get_be32(p.data() + 5), (int32_t)svc::get_be32(p.data() + 9));
            break;
        case svc::kPlayerMsg:
            player_msg(svc, p);
            break;
        default:
            break;
        }
    }

    void send_flood_frame(Service &svc) override { svc.send(kCmdMainPage, status_reply(svc::kStatusWaiting)); }

private:
    static bool init_is_valid(const std::vector<uint8_t> &p)
    {
        if (p.size() < 6)
            return false;
        size_t total = 6u + svc::get_be16(&p[0]) + svc::get_be16(&p[2]) + svc::get_be16(&p[4]);
        return total == p.size();
    }

    static std::string title_of(const std::vector<uint8_t> &p)
    {
        if (p.size() < 7)
            return "";
        size_t n = svc::get_be16(&p[5]);
        if (7 + n > p.size())
            return "";
        return std::string(p.begin() + 7, p.begin() + 7 + (long)n);
    }

    void answer(Service &svc, uint8_t cmd2, uint8_t status, uint8_t msg_class = svc::kClassBrowse)
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
        answer(svc, cmd2, svc::kStatusWaiting);
        if (busy_.count(key))
            return;
        busy_.insert(key);
        uint64_t id = target->id;
        svc.after(kWorkMs, [this, &svc, cmd2, key, id] {
            busy_.erase(key);
            quiet_until_[key] = Service::now_ms() + kQuietAfterMs;
            folder_ = id;
            answer(svc, cmd2, svc::kStatusReady);
        });
    }

    void play(Service &svc, uint8_t cmd2, const Item *item)
    {
        if (!item) {
            answer(svc, cmd2, svc::kStatusError, svc::kClassPlayer);
            return;
        }
        if (!playing_ || player_.current().title != item->name) {
            player_.play_single({item->name, item->text2, item->url, item->duration_ms});
            printf("airable_run: playing %s\n", item->name.c_str());
        }
        playing_ = true;
        answer(svc, cmd2, svc::kStatusOkay, svc::kClassPlayer);
    }

    void send_window(Service &svc, int32_t start, int32_t end)
    {
        const Item *folder = catalogue_.find(folder_);
        const std::vector<uint64_t> &ids = folder->children;
        int32_t total = (int32_t)ids.size();
        if (start < 0)
            start = 0;
        if (end <= start)
            end = start + kFirstWindow;
        if (end - start >= kMaxWindow)
            end = start + kMaxWindow - 1;
        if (end >= total)
            end = total - 1;

        bool broken = svc.scenario() == svc::Scenario::malformed;
        std::vector<uint8_t> msg = status_reply(svc::kStatusReady, kClassListRange);
        int32_t count = end >= start ? end - start + 1 : 0;
        svc::put_be16(msg, (uint16_t)count);
        for (int32_t i = start; i <= end; i++) {
            const Item *item = catalogue_.find(ids[(size_t)i]);
            bool cut = broken && i == start + 2;
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
        svc.send(kCmdListData, msg);
        send_menu_info(svc, *folder, total, start, count);
    }

    void send_menu_info(Service &svc, const Item &folder, int32_t total, int32_t start, int32_t count)
    {
        std::vector<uint8_t> msg;
        int32_t pages = (total + kFirstWindow) / (kFirstWindow + 1);
        put_le32(msg, total);
        put_le32(msg, pages);
        put_le32(msg, start / (kFirstWindow + 1) + 1);
        put_le32(msg, count);
        bool broken = svc.scenario() == svc::Scenario::malformed;
        put_le32(msg, broken ? 0x7FFFFFFF : (int32_t)folder.name.size());
        msg.resize(msg.size() + 8, 0);
        svc::put_bytes(msg, folder.name);
        svc.send(kCmdMenuInfo, msg);
    }

    void player_msg(Service &svc, const std::vector<uint8_t> &p)
    {
        if (p.size() < 4)
            return;
        if (p[3] != svc::kCtrlPlayInfo) {
            player_.control(p[3]);
            return;
        }
        if (svc.scenario() == svc::Scenario::malformed) {
            std::vector<uint8_t> cut = player_.play_info(svc::InfoForm::short_form);
            cut.resize(20);
            svc.send(svc::kPlayerMsg, cut);
            return;
        }
        long_next_ = !long_next_;
        svc::InfoForm form = long_next_ ? svc::InfoForm::long_form : svc::InfoForm::short_form;
        svc.send(svc::kPlayerMsg, player_.play_info(form, svc::kStatusOkay, playing_));
    }

    Catalogue catalogue_;
    svc::Player player_;
    bool playing_ = false;
    bool long_next_ = false;
    uint8_t mode_ = kModeRadio;
    uint64_t folder_ = kRadioRoot;
    std::set<std::string> busy_;
    std::map<std::string, uint64_t> quiet_until_;
};

} // namespace

int main(int argc, char **argv)
{
    const svc::Config config = {kAppId, "airable_run", "./artwork"};
    Service svc(config, argc, argv);
    AirableHandler handler;
    return svc.run(handler);
}
