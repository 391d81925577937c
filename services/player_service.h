// The AirPlay and Spotify stand-ins: answer play-info queries from a small
// rotating playlist and follow the transport commands.
#pragma once

#include <vector>

#include "player.h"
#include "service.h"

namespace svc {

int run_player_service(const Config &config, std::vector<Track> tracks, int argc, char **argv);

} // namespace svc
