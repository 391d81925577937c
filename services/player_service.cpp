#include "player_service.h"

#include <cstdio>

namespace svc {

namespace {

constexpr AudioFormat kFormat = {2, 44100, 320};

// Replies that break the play-info layout in turn: too short for the
// control byte, another control byte, a cut player header, lengths summing
// past 32 bits, texts running one byte past the end.
std::vector<uint8_t> malformed_reply(Player &player, unsigned turn)
{
    std::vector<uint8_t> msg = player.play_info(InfoForm::long_form);
    switch (turn % 5) {
    case 0:
        msg.resize(3);
        break;
    case 1:
        msg[3] = kCtrlNext;
        break;
    case 2:
        msg.resize(30);
        break;
    case 3:
        for (size_t off = 24; off < 40; off++)
            msg[off] = 0xFF;
        break;
    default:
        msg[27] = (uint8_t)(msg[27] + 1);
        break;
    }
    return msg;
}

class PlayerHandler : public Handler {
public:
    PlayerHandler(const Config &config, std::vector<Track> tracks)
        : player_(std::move(tracks), config.art_path, kFormat)
    {
    }

    void on_frame(Service &svc, const Frame &frame) override
    {
        if (frame.cmd2 != kPlayerMsg || frame.payload.size() < 4)
            return;
        uint8_t code = frame.payload[3];
        if (code != kCtrlPlayInfo) {
            if (player_.control(code))
                printf("%s: now %s\n", svc.config().name, player_.current().title.c_str());
            return;
        }
        svc.send(kPlayerMsg, reply(svc));
    }

    void send_flood_frame(Service &svc) override { svc.send(kPlayerMsg, player_.play_info(InfoForm::long_form)); }

private:
    std::vector<uint8_t> reply(Service &svc)
    {
        switch (svc.scenario()) {
        case Scenario::error:
            return player_.play_info(InfoForm::long_form, kStatusError, false);
        case Scenario::malformed:
            return malformed_reply(player_, turn_++);
        default:
            return player_.play_info(InfoForm::long_form);
        }
    }

    Player player_;
    unsigned turn_ = 0;
};

} // namespace

int run_player_service(const Config &config, std::vector<Track> tracks, int argc, char **argv)
{
    Service svc(config, argc, argv);
    PlayerHandler handler(config, std::move(tracks));
    return svc.run(handler);
}

} // namespace svc
