// Stand-in for the AirPlay receiver service (application id 2).
#include "player_service.h"

int main(int argc, char **argv)
{
    const svc::Config config = {APP_ID_AIRPLAY, "airplay_run", "./artwork.jpg"};
    return svc::run_player_service(config,
                                   {
                                       {"Harbour Lights", "The Quiet Tides", "Evening Songs", 215000},
                                       {"Northern Road", "Ada Marsh", "Long Way Home", 187000},
                                       {"Paper Moons", "The Quiet Tides", "Evening Songs", 242000},
                                   },
                                   argc, argv);
}
