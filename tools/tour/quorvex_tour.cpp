// quorvex_tour OUT_DIR: runs the interface with the service stand-ins on the
// virtual panel, takes it through the tour step by step through its touch
// FIFO, and saves what the panel shows after each step as OUT_DIR/<step>.png,
// with OUT_DIR/README.md that shows them in order with their captions. Stops
// at the first step whose checks fail (status 1).
//
// It binds the fixed framework socket and kills the services by name: run
// it under `flock /tmp/quorvex-e2e.lock` (scripts/tour.sh does).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "interface_run.hpp"
#include "tour_steps.hpp"

namespace fs = std::filesystem;

int main(int argc, char ** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvex_tour OUT_DIR\n");
        return 2;
    }
    const fs::path out = argv[1];
    std::error_code ec;
    fs::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "quorvex_tour: cannot make %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }

    tour::Interface ui({TOUR_QUORVEX, TOUR_SERVICES, TOUR_PLATFORM_BIN, TOUR_FONT, TOUR_BACKGROUND, {}});
    std::string error;
    if (!ui.start(&error)) {
        std::fprintf(stderr, "quorvex_tour: %s\n", error.c_str());
        return 1;
    }
    std::ofstream index(out / "README.md");
    index << "# A tour of the interface\n\n"
          << "What the panel showed after each step of `scripts/tour.sh`: `quorvex` with the\n"
          << "service stand-ins, touched through its touch FIFO as a person would.\n";

    tour::TourState state;
    int status = 0;
    for (const tour::TourStep & step : tour::tour_steps()) {
        const tour::Outcome outcome = step.run(ui, state);
        const std::string picture = std::string(step.name) + ".png";
        const panel::PanelImage panel = ui.panel();
        if (panel.empty() || !panel::write_png((out / picture).string(), panel)) {
            std::fprintf(stderr, "quorvex_tour: cannot save %s\n", picture.c_str());
            status = 1;
            break;
        }
        std::printf("%s: %s\n", step.name, outcome.ok ? "ok" : outcome.why.c_str());
        if (!outcome.ok) {
            status = 1;
            break;
        }
        index << "\n## " << step.name + 3 << "\n\n"
              << step.caption << "\n\n![" << step.name << "](" << picture << ")\n";
    }
    const int stopped = ui.stop();
    if (status == 0 && stopped != 0) {
        std::fprintf(stderr, "quorvex_tour: quorvex exited with %d\n", stopped);
        status = 1;
    }
    if (status != 0) {
        std::fprintf(stderr, "quorvex_tour: the console of the run:\n%s\n", ui.console().c_str());
    }
    return status;
}
