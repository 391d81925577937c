#include "tour_steps.hpp"

#include <cstdio>
#include <thread>

namespace tour {

namespace {

using namespace panel;
using std::chrono::milliseconds;
using namespace std::chrono_literals;

// Generous for a loaded machine (or a sanitizer build): the interface and
// the services answer within milliseconds, a service starts within a second.
constexpr milliseconds kWait = 30s;
constexpr milliseconds kStill = 10s;
constexpr int kPullTries = 8;
// Drags slow enough that even a build that reads the pointer seldom
// (sanitizers) sees the finger on its way.
constexpr unsigned kSwipeMs = 800;
constexpr unsigned kPullMs = 600;

// Screen geometry of the main page (640 x 480).
constexpr int kHomeX = 591, kHomeY = 41;
constexpr int kAirplayX = 77, kAirplayY = 151;
constexpr int kSpotifyX = 237, kSpotifyY = 151;
constexpr int kRadioX = 396, kRadioY = 151;
constexpr int kVeilX = 100, kVeilY = 240;  // page_1 outside its buttons and texts
constexpr int kPreviousX = 229, kPlayX = 319, kNextX = 409, kButtonY = 302;
constexpr Box kTitle = {100, 121, 540, 167};
constexpr Box kPlayButton = {280, 263, 359, 342};
constexpr int kPageX = 40, kPageY = 460;        // page_1's background, left of the art
constexpr int kArtEdgeX = 320, kArtEdgeY = 24;  // in the art at full size, outside it at 78 %
constexpr Box kArtBelowControls = {100, 350, 540, 470};
constexpr int kVeilOpa = 150;
// The Airable list: rows of 70 px from y 88, their labels 26 px down.
constexpr int kListTop = 88, kListBottom = 467, kRowH = 70;
constexpr Box kCount = {420, 31, 520, 50};
constexpr Box kScrollbar = {612, kListTop, 628, kListBottom};
constexpr Box kBusyText = {143, 337, 466, 377};
constexpr int kDimX = 620, kDimY = 470;  // the list page's ground under the busy overlay
// The home page's clock and date in white, first shown 1.25 s after the
// start; the clock's box leaves out the pointer's arrow at the top left.
constexpr Box kClock = {24, 0, 184, 51};
constexpr Box kDate = {185, 10, 419, 37};
constexpr int kTextPixels = 150;

Outcome fail(const std::string & why)
{
    return {false, why};
}

Box row_label(int i)
{
    const int top = kListTop + kRowH * i;
    return {27, top + 26, 455, std::min(top + 61, kListBottom)};
}

Box row_marker(int i)
{
    const int top = kListTop + kRowH * i;
    return {563, top + 17, 601, top + 53};
}

int row_y(int i)
{
    return kListTop + kRowH * i + 40;
}

std::string last_line_with(const std::string & console, const std::string & text, size_t from)
{
    const size_t at = console.rfind(text);
    if (at == std::string::npos || at < from) {
        return "";
    }
    return console.substr(at, console.find('\n', at) - at);
}

// Waits for each text in turn, each after the one before.
Outcome expect_lines(Interface & ui, size_t from, std::initializer_list<const char *> texts)
{
    for (const char * text : texts) {
        if (!ui.wait_for(text, from, kWait)) {
            return fail(std::string("no \"") + text + "\" in the console");
        }
        from = ui.console().find(text, from);
    }
    return {};
}

// Waits until two looks at the panel 150 ms apart show the same picture.
PanelImage still_panel(Interface & ui)
{
    PanelImage last = ui.panel();
    Interface::wait_until(
        [&] {
            std::this_thread::sleep_for(150ms);
            PanelImage now = ui.panel();
            const bool same = !now.empty() && changed_pixels(now, last, {0, 0, now.w - 1, now.h - 1}, 0) == 0;
            last = std::move(now);
            return same;
        },
        kStill);
    return last;
}

bool panel_shows(Interface & ui, const std::function<bool(const PanelImage &)> & check)
{
    return Interface::wait_until(
        [&] {
            const PanelImage p = ui.panel();
            return !p.empty() && check(p);
        },
        kWait);
}

// The list rows that show text, from the top.
int rows_with_text(const PanelImage & p)
{
    int n = 0;
    while (n < 6 && bright_pixels(p, row_label(n)) > 20) {
        n++;
    }
    return n;
}

// The first row of the list's scrollbar, -1 without one.
int scrollbar_top(const PanelImage & p)
{
    const Rgb ground = p.at(kDimX, kDimY);
    for (int y = kScrollbar.y1; y <= kScrollbar.y2; y++) {
        for (int x = kScrollbar.x1; x <= kScrollbar.x2; x++) {
            if (colour_distance(p.at(x, y), ground) > 20) {
                return y;
            }
        }
    }
    return -1;
}

// Takes page_1's tint from the last "dominant color" line after `from`.
Outcome logged_colour(const Interface & ui, size_t from, TourState & st)
{
    const std::string line = last_line_with(ui.console(), "dominant color: R=", from);
    int r = 0, g = 0, b = 0;
    if (line.empty() || std::sscanf(line.c_str(), "dominant color: R=%d G=%d B=%d", &r, &g, &b) != 3) {
        return fail("no colour in the colour line");
    }
    st.page_colour = {(uint8_t)r, (uint8_t)g, (uint8_t)b};
    return {};
}

Rgb under_veil(Rgb c)
{
    const int keep = 255 - kVeilOpa;
    return {(uint8_t)(c.r * keep / 255), (uint8_t)(c.g * keep / 255), (uint8_t)(c.b * keep / 255)};
}

// page_1 with its controls up, tinted with the colour of the art.
Outcome page_1_shows(Interface & ui, Rgb colour)
{
    const Rgb want = under_veil(colour);
    const bool ok = panel_shows(ui, [&](const PanelImage & p) {
        return colour_distance(p.at(kPageX, kPageY), want) <= 4 && bright_pixels(p, kTitle) > 30;
    });
    if (!ok) {
        const Rgb got = ui.panel().at(kPageX, kPageY);
        char why[160];
        std::snprintf(why, sizeof why, "page_1 does not show a title on (%d, %d, %d); its ground is (%d, %d, %d)",
                      want.r, want.g, want.b, got.r, got.g, got.b);
        return fail(why);
    }
    return {};
}

// A new track: the service names it and the art's colour is logged.
Outcome track_changes(Interface & ui, TourState & st, int x)
{
    const size_t from = ui.mark();
    ui.tap(x, kButtonY);
    if (Outcome o = expect_lines(ui, from, {"airplay_run: now ", "dominant color: R="}); !o.ok) {
        return o;
    }
    if (Outcome o = logged_colour(ui, from, st); !o.ok) {
        return o;
    }
    return page_1_shows(ui, st.page_colour);
}

// A tap on page_1 outside its buttons shows its controls over the art.
Outcome show_controls(Interface & ui, const TourState & st)
{
    const size_t from = ui.mark();
    ui.tap(kVeilX, kVeilY);
    if (Outcome o = expect_lines(ui, from, {"page_1 clicked: show ctrl panel"}); !o.ok) {
        return o;
    }
    return page_1_shows(ui, st.page_colour);
}

// The house icon takes the pager back to the home page.
Outcome go_home(Interface & ui)
{
    const size_t from = ui.mark();
    ui.tap(kHomeX, kHomeY);
    return expect_lines(ui, from, {"scroll end, page: 0"});
}

// Pulls the list past an end until it reacts, then waits for `outcome`.
Outcome pull(Interface & ui, TourState & st, bool past_end, const char * outcome)
{
    const size_t from = ui.mark();
    const char * direction = past_end ? "list  to  end " : "list  to  up ";
    st.pulls = 0;
    while (st.pulls < kPullTries && ui.console().find(direction, from) == std::string::npos) {
        if (past_end) {
            ui.drag(320, 440, 320, 120, kPullMs);
        } else {
            ui.drag(320, 120, 320, 440, kPullMs);
        }
        st.pulls++;
        ui.wait_for(direction, from, 1500ms);
    }
    if (Outcome o = expect_lines(ui, from, {direction, outcome}); !o.ok) {
        return o;
    }
    still_panel(ui);
    return {};
}

// A window that fills the list's view, shown from its top.
Outcome window_shown(Interface & ui, const char * what)
{
    constexpr int rows = 5;  // and a sixth cut at the bottom
    const PanelImage p = still_panel(ui);
    if (rows_with_text(p) < rows) {
        return fail(std::string(what) + ": " + std::to_string(rows_with_text(p)) + " rows in view, not " +
                    std::to_string(rows));
    }
    if (bright_pixels(p, kCount, 120) < 10) {
        return fail(std::string(what) + ": no count");
    }
    const int bar = scrollbar_top(p);
    if (bar < 0 || bar > kListTop + 20) {
        return fail(std::string(what) + ": not shown from its top (scrollbar at " + std::to_string(bar) + ")");
    }
    return {};
}

using StepRun = std::function<Outcome(Interface &, TourState &)>;

// A step that pulls the list past an end and sees the window `parsed` names.
StepRun window_step(bool past_end, const char * parsed, const char * what)
{
    return [=](Interface & ui, TourState & st) {
        if (Outcome o = pull(ui, st, past_end, parsed); !o.ok) {
            return o;
        }
        return window_shown(ui, what);
    };
}

// A step that pulls the list past an end where there is nothing more.
StepRun end_step(bool past_end)
{
    return [=](Interface & ui, TourState & st) { return pull(ui, st, past_end, "没有数据了 别扒拉了 "); };
}

// -- the steps -----------------------------------------------------------------

Outcome home(Interface & ui, TourState &)
{
    if (Outcome o = expect_lines(ui, 0, {"ui_user_init done !"}); !o.ok) {
        return o;
    }
    if (!panel_shows(ui, [](const PanelImage & p) { return bright_pixels(p, {0, 80, 639, 479}) > 500; })) {
        return fail("the home page's tiles are not on the panel");
    }
    if (!panel_shows(ui, [](const PanelImage & p) {
            return bright_pixels(p, kClock) > kTextPixels && bright_pixels(p, kDate) > kTextPixels;
        })) {
        return fail("the clock and the date are not on the panel");
    }
    return {};
}

Outcome airplay(Interface & ui, TourState & st)
{
    const size_t from = ui.mark();
    ui.tap(kAirplayX, kAirplayY);
    if (Outcome o =
            expect_lines(ui, from, {"ico_airplay: launch airplay_run", "App 2 connected", "dominant color: R="});
        !o.ok) {
        return o;
    }
    if (Outcome o = expect_lines(ui, from, {"scroll end, page: 1"}); !o.ok) {
        return o;
    }
    if (Outcome o = logged_colour(ui, from, st); !o.ok) {
        return o;
    }
    return show_controls(ui, st);
}

Outcome next(Interface & ui, TourState & st)
{
    return track_changes(ui, st, kNextX);
}

Outcome previous(Interface & ui, TourState & st)
{
    return track_changes(ui, st, kPreviousX);
}

Outcome play_pause(Interface & ui, TourState & st)
{
    st.before = still_panel(ui);
    ui.tap(kPlayX, kButtonY);
    // Once released (a pressed button only darkens) and the art has stopped.
    std::this_thread::sleep_for(200ms);
    if (changed_pixels(still_panel(ui), st.before, kPlayButton) < 100) {
        return fail("the play button kept its icon");
    }
    return {};
}

Outcome play_pause_again(Interface & ui, TourState & st)
{
    Outcome o = play_pause(ui, st);
    if (!o.ok) {
        return o;
    }
    // The art shrinks to 78 % about its centre: page_1's ground shows at
    // what was its top edge.
    if (!panel_shows(ui, [&](const PanelImage & p) {
            return colour_distance(p.at(kArtEdgeX, kArtEdgeY), under_veil(st.page_colour)) <= 4;
        })) {
        return fail("the art did not shrink");
    }
    return {};
}

Outcome radio(Interface & ui, TourState &)
{
    if (Outcome o = go_home(ui); !o.ok) {
        return o;
    }
    const size_t from = ui.mark();
    ui.tap(kRadioX, kRadioY);
    for (auto lines : {std::initializer_list<const char *>{"ico_internet_radio: launch airable_run", "App 5 connected"},
                       {"App 2 disconnected"},
                       {"scroll end, page: 3"},
                       {"init success"},
                       {"set_mode success"}}) {
        if (Outcome o = expect_lines(ui, from, lines); !o.ok) {
            return o;
        }
    }
    const PanelImage p = still_panel(ui);
    if (rows_with_text(p) != 5) {
        return fail("the menu shows " + std::to_string(rows_with_text(p)) + " rows, not 5");
    }
    return {};
}

Outcome busy(Interface & ui, TourState &)
{
    const size_t from = ui.mark();
    ui.tap(150, row_y(2));  // "Radio List"
    if (Outcome o = expect_lines(ui, from, {"list_msg_item clicked: Radio List", "main_page status: Waiting"}); !o.ok) {
        return o;
    }
    // The service works a second before it answers READY, which ends it.
    bool up = false;
    Interface::wait_until(
        [&] {
            const PanelImage p = ui.panel();
            up = !p.empty() && bright_pixels(p, kBusyText) > 50 && colour_distance(p.at(kDimX, kDimY), {}) <= 8;
            return up || ui.console().find("main_page status: Ready", from) != std::string::npos;
        },
        kWait);
    return up ? Outcome{} : fail("no busy overlay on the panel");
}

Outcome radio_list(Interface & ui, TourState &)
{
    if (Outcome o = expect_lines(ui, 0, {"main_page status: Ready", "airable list_data: parsed done 20/60"}); !o.ok) {
        return o;
    }
    return window_shown(ui, "the first window");
}

Outcome folder(Interface & ui, TourState &)
{
    const size_t from = ui.mark();
    ui.tap(150, row_y(0));  // "Genres"
    if (Outcome o = expect_lines(
            ui, from,
            {"found id by title: Genres -> id=100", "id_data status: Ready", "airable list_data: parsed done 2/2"});
        !o.ok) {
        return o;
    }
    const PanelImage p = still_panel(ui);
    return rows_with_text(p) == 2 ? Outcome{} : fail("the folder shows " + std::to_string(rows_with_text(p)) + " rows");
}

Outcome subfolder(Interface & ui, TourState &)
{
    const size_t from = ui.mark();
    ui.tap(150, row_y(0));  // "Jazz"
    if (Outcome o = expect_lines(ui, from, {"found id by title: Jazz -> id=110", "airable list_data: parsed done 2/2"});
        !o.ok) {
        return o;
    }
    return rows_with_text(still_panel(ui)) == 2 ? Outcome{} : fail("Jazz does not show its two stations");
}

Outcome play(Interface & ui, TourState &)
{
    const size_t from = ui.mark();
    const PanelImage before = still_panel(ui);
    ui.tap(150, row_y(0));  // "Smooth Jazz Lounge"
    if (Outcome o = expect_lines(ui, from, {"play_title :  Smooth Jazz Lounge", "airable status: Playback successful"});
        !o.ok) {
        return o;
    }
    if (!panel_shows(ui, [&](const PanelImage & p) { return changed_pixels(p, before, row_marker(0)) > 50; })) {
        return fail("no play marker on the row");
    }
    return {};
}

Outcome airable_now_playing(Interface & ui, TourState &)
{
    size_t from = ui.mark();
    // Each swipe once the pager has come to rest on its page: a swipe that
    // begins while it snaps moves it by what is left of that snap.
    ui.drag(40, 240, 600, 240, kSwipeMs);
    if (Outcome o = expect_lines(ui, from, {"scroll end, page: 2, scroll_x: 1280"}); !o.ok) {
        return o;
    }
    from = ui.mark();
    ui.drag(40, 240, 600, 240, kSwipeMs);
    if (Outcome o = expect_lines(ui, from, {"scroll end, page: 1, scroll_x: 640"}); !o.ok) {
        return o;
    }
    ui.tap(kVeilX, kVeilY);
    if (!panel_shows(ui, [](const PanelImage & p) { return bright_pixels(p, kTitle) > 30; })) {
        return fail("page_1 shows no title");
    }
    // The art of the station comes with the 22nd play-info answer (a query
    // each 250 ms): under the controls, page_1's plain ground turns into it.
    if (!panel_shows(ui, [](const PanelImage & p) {
            const Rgb ground = p.at(kPageX, kPageY);
            int art = 0;
            for (int y = kArtBelowControls.y1; y <= kArtBelowControls.y2; y += 4) {
                for (int x = kArtBelowControls.x1; x <= kArtBelowControls.x2; x += 4) {
                    art += colour_distance(p.at(x, y), ground) > 8;
                }
            }
            return art > 1000;
        })) {
        return fail("the station's art did not come");
    }
    return {};
}

Outcome spotify(Interface & ui, TourState & st)
{
    if (Outcome o = go_home(ui); !o.ok) {
        return o;
    }
    const size_t from = ui.mark();
    ui.tap(kSpotifyX, kSpotifyY);
    for (auto lines : {std::initializer_list<const char *>{"ico_spotify clicked: scroll to page_1", "App 6 connected",
                                                           "dominant color: R="},
                       {"App 5 disconnected"},
                       {"scroll end, page: 1"}}) {
        if (Outcome o = expect_lines(ui, from, lines); !o.ok) {
            return o;
        }
    }
    if (Outcome o = logged_colour(ui, from, st); !o.ok) {
        return o;
    }
    return show_controls(ui, st);
}

}  // namespace

const std::vector<TourStep> & tour_steps()
{
    static const std::vector<TourStep> steps = {
        {"01-home", "The home page: clock, date and the tiles over the background picture.", home},
        {"02-airplay",
         "The AirPlay tile starts the AirPlay service and scrolls to the first now-playing page; a tap on the "
         "page shows its controls over the cover art, on the art's colour.",
         airplay},
        {"03-next", "Next: the service plays its next track, with new art and colour.", next},
        {"04-previous", "Previous: back to the track before.", previous},
        {"05-play-pause", "Play/pause: the button changes its icon.", play_pause},
        {"06-play-pause-again", "Play/pause again: the other icon, and the art shrinks.", play_pause_again},
        {"07-radio",
         "Home, then the Radio tile: the AirPlay service is stopped, the Airable service started, and the "
         "list page shows the radio menu.",
         radio},
        {"08-busy", "\"Radio List\": the busy overlay while the service works on it.", busy},
        {"09-radio-list", "The first window of the radio list, 20 of 60 items: folders and stations.", radio_list},
        {"10-next-window", "Pulled up past its end: the next 20, shown from their top.",
         window_step(true, "airable list_data: parsed done 40/60", "the next window")},
        {"11-last-window", "Once more: the last 20 items.",
         window_step(true, "airable list_data: parsed done 60/60", "the last window")},
        {"12-bottom-end", "Past the last item the list asks for nothing more (\"没有数据了\" in the log).",
         end_step(true)},
        {"13-earlier-window", "Pulled down past its top: an earlier window.",
         window_step(false, "airable list_data: parsed done 40/60", "the earlier window")},
        {"14-first-window", "Once more: the first window again.",
         window_step(false, "airable list_data: parsed done 20/60", "the first window again")},
        {"15-top-end", "Past the first window the list asks for nothing more.", end_step(false)},
        {"16-folder", "A tap on the folder \"Genres\" opens it.", folder},
        {"17-subfolder", "And \"Jazz\" in it: two stations.", subfolder},
        {"18-play", "A tap on a station plays it; its row shows the play marker.", play},
        {"19-now-playing", "Two pages to the right: the station on the first now-playing page, with its art.",
         airable_now_playing},
        {"20-spotify", "Home, then the Spotify tile: the Airable service is stopped and the Spotify service plays.",
         spotify},
    };
    return steps;
}

}  // namespace tour
