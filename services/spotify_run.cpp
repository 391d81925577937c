// Stand-in for the Spotify client service (application id 6).
#include "player_service.h"

int main(int argc, char **argv)
{
    const svc::Config config = {APP_ID_SPOTIFY, "spotify_run", "./artwork"};
    return svc::run_player_service(config,
                                   {
                                       {"Glass Garden", "Miro Vale", "Greenhouse", 201000},
                                       {"Slow Orbit", "Kestrel Park", "Night Shift", 264000},
                                       {"Tin Roof Rain", "Miro Vale", "Greenhouse", 176000},
                                       {"Last Ferry", "Juno Hart", "Crossings", 230000},
                                   },
                                   argc, argv);
}
