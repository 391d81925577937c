#include "player_service.h"

#include <cstdio>

namespace svc {

namespace {

constexpr AudioFormat kFormat = {2, 44100, 320};
constexpr size_t kCutHeaderLen = 30; // inside the player header

// Replies that break the play-info layout in turn: too short for the
// control byte, another control byte, a cut player header, lengths summing
// past 32 bits, texts running one byte past the end.
std::vector<uint8_t> malformed_reply(Player &player, unsigned turn)
{
    std::vector<uint8_t> msg = player.play_info(InfoForm::long_form);
    switch (turn % 5) {
    case 0:
        msg.resize(PLAYER_MSG_CTRL);
        break;
    case 1:
        msg[PLAYER_MSG_CTRL] = MEDIA_CTRL_NEXT;
        break;
    case 2:
        msg.resize(kCutHeaderLen);
        break;
    case 3:
        for (size_t off = PLAYER_OFF_LEN1; off <= PLAYER_OFF_LEN4; off += 4)
            app_wr_be32(&msg[off], UINT32_MAX);
        break;
    default:
        app_wr_be32(&msg[PLAYER_OFF_LEN1], app_rd_be32(&msg[PLAYER_OFF_LEN1]) + 1);
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
        if (frame.cmd2 != PLAYER_MSG || frame.payload.size() < PLAYER_MSG_LEN)
            return;
        uint8_t code = frame.payload[PLAYER_MSG_CTRL];
        if (code != MEDIA_CTRL_PLAY_INFO) {
            if (player_.control(code))
                printf("%s: now %s\n", svc.config().name, player_.current().title.c_str());
            return;
        }
        svc.send(PLAYER_MSG, reply(svc));
    }

    void send_flood_frame(Service &svc) override
    {
        svc.send(PLAYER_MSG, player_.play_info(InfoForm::long_form));
    }

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
