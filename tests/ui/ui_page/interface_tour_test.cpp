// The whole interface end to end: the quorvex binary on the virtual panel
// with the real service stand-ins, which its tiles start and kill, driven
// through its touch FIFO. The steps are those of the tour (tools/tour): the
// AirPlay tile and the transport, the Radio tile and its menu, browsing the
// radio list window by window to both ends, a folder, playing a station, the
// Spotify tile; each checked on the console and on the panel.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "interface_run.hpp"
#include "tour_steps.hpp"

namespace {

// The last lines of the console, for a failure.
std::string tail(const std::string & console)
{
    constexpr size_t kTail = 6000;
    return console.size() > kTail ? console.substr(console.size() - kTail) : console;
}

bool service_runs(const char * name)
{
    const pid_t pid = fork();
    if (pid == 0) {
        execlp("killall", "killall", "-q", "-0", name, static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(InterfaceTour, EachStepShowsOnThePanelAndInTheConsole)
{
    tour::Interface ui({TOUR_QUORVEX, TOUR_SERVICES, TOUR_PLATFORM_BIN, TOUR_FONT, TOUR_BACKGROUND, {}});
    std::string error;
    ASSERT_TRUE(ui.start(&error)) << error;
    tour::TourState state;
    for (const tour::TourStep & step : tour::tour_steps()) {
        const tour::Outcome outcome = step.run(ui, state);
        ASSERT_TRUE(outcome.ok) << step.name << ": " << outcome.why << "\n" << tail(ui.console());
    }
    EXPECT_EQ(ui.stop(), 0) << "Ctrl+C stops it with status 0";
    // Killed processes linger a moment until they are reaped.
    for (const char * name : {"airplay_run", "spotify_run", "airable_run"}) {
        EXPECT_TRUE(tour::Interface::wait_until([&] { return !service_runs(name); }, std::chrono::seconds(10)))
            << name << " outlived the interface";
    }
}

}  // namespace
