/*
 * quorvex: the front-panel interface. main() brings up the GUI library with
 * the display and pointer backends, starts the UI framework and the
 * communication manager, then hands this thread to the display backend's run
 * loop: from then on it is the GUI thread, and it never comes back.
 *
 * SIGINT is the only orderly stop. The handler only raises a flag; a GUI
 * timer sees it and, on the GUI thread, kills the three services and exits,
 * because printing, running commands and exit() are not async-signal-safe.
 */
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "comm/comm_mgr_lvgl.h"
#include "lib/cmd_runner.h"
#include "lib/driver_backends.h"
#include "lib/simulator_util.h"
#include "lvgl.h"
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"

#define OPTIONS "b:fmW:H:BVh"
#define WINDOW_WIDTH_ENV "LV_SIM_WINDOW_WIDTH"
#define WINDOW_HEIGHT_ENV "LV_SIM_WINDOW_HEIGHT"
#define WINDOW_WIDTH_DEFAULT "640"
#define WINDOW_HEIGHT_DEFAULT "480"
#define POINTER_BACKEND "EVDEV"
#define VERSION_TAG "dev"
#define STOP_POLL_PERIOD_MS 10

/* Window size from the environment or -W / -H: kept, but it changes nothing
 * that is drawn (the screen is fixed at 640 x 480). */
static struct {
    int32_t window_width;
    int32_t window_height;
} settings;

/* Heap copy of the upper-cased -b argument; NULL selects the default backend. */
static char *selected_backend;

static volatile sig_atomic_t stop_requested;

static const char *const stop_commands[] = {
    "killall -9 airplay_run 2>/dev/null",
    "killall -9 airable_run 2>/dev/null",
    "killall -9 spotify_run 2>/dev/null",
};

__attribute__((format(printf, 1, 2), noreturn)) static void die(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    exit(1);
}

static void print_usage(void)
{
    fputs("\nquorvex [-V] [-B] [-b backend_name] [-W window_width] [-H window_height]\n\n", stdout);
    fputs("-V print LVGL version\n", stdout);
    fputs("-B list supported backends\n", stdout);
}

static void sigint_handler(int signal)
{
    (void)signal;
    stop_requested = 1;
}

/* Runs on the GUI thread once SIGINT has been seen; the message still names
 * the handler, where the stop began. The process ends with _exit after
 * flushing: exit() would run static destructors under the threads that are
 * still running (heartbeat, watchdogs) and tear the GUI library down while it
 * is in use. */
static void stop_all_apps(void)
{
    printf(UI_LOG_TAG "\nCtrl+C received, killing all apps...\n", "sigint_handler", __LINE__);
    fflush(stdout);
    for (size_t i = 0; i < sizeof(stop_commands) / sizeof(stop_commands[0]); i++) {
        /* A service that is not running is no reason to stop early. */
        (void)cmd_run(stop_commands[i]);
    }
    fflush(NULL);
    _exit(0);
}

static void stop_watch_timer_cb(lv_timer_t *timer)
{
    LV_UNUSED(timer);
    if (stop_requested) {
        stop_all_apps();
    }
}

static int32_t parse_int(const char *text)
{
    return static_cast<int32_t>(strtol(text, NULL, 10));
}

static void select_backend(char *name)
{
    if (!driver_backends_is_supported(name)) {
        die("error no such backend: %s\n", name);
    }
    free(selected_backend);
    selected_backend = strdup(name);
}

/* Options are handled one at a time in command-line order; an option that
 * ends the process does so when it is reached. getopt's own diagnostics are
 * off (the leading ':'), so only the messages below reach standard error. */
static void parse_command_line(int argc, char **argv)
{
    opterr = 0;
    int opt;
    while ((opt = getopt(argc, argv, ":" OPTIONS)) != -1) {
        switch (opt) {
        case 'b':
            select_backend(optarg);
            break;
        case 'W':
            settings.window_width = parse_int(optarg);
            break;
        case 'H':
            settings.window_height = parse_int(optarg);
            break;
        case 'B':
            driver_backends_print_supported();
            exit(0);
        case 'V':
            printf("%d.%d.%d-%s\n", LVGL_VERSION_MAJOR, LVGL_VERSION_MINOR, LVGL_VERSION_PATCH,
                   VERSION_TAG);
            exit(0);
        case 'h':
            print_usage();
            exit(0);
        case 'f':
        case 'm':
            break;
        case ':':
            print_usage();
            die("Option -%c requires an argument.\n", optopt);
        default:
            print_usage();
            die("Unknown option -%c.\n", optopt);
        }
    }
}

int main(int argc, char **argv)
{
    signal(SIGINT, sigint_handler);
    UI_LOG("\n[LVGL pid: %d]\n", (int)getpid());

    selected_backend = NULL;
    driver_backends_register();

    settings.window_width = parse_int(getenv_default(WINDOW_WIDTH_ENV, WINDOW_WIDTH_DEFAULT));
    settings.window_height = parse_int(getenv_default(WINDOW_HEIGHT_ENV, WINDOW_HEIGHT_DEFAULT));
    parse_command_line(argc, argv);

    lv_init();
    lv_timer_create(stop_watch_timer_cb, STOP_POLL_PERIOD_MS, NULL);

    if (driver_backends_init_backend(selected_backend) == -1) {
        die("Failed to initialize display backend");
    }
    if (lv_display_get_default() == NULL) {
        lv_display_t *first = lv_display_get_next(NULL);
        if (first != NULL) {
            lv_display_set_default(first);
        }
    }
    if (driver_backends_init_backend(POINTER_BACKEND) == -1) {
        LV_LOG_WARN("Failed to initialize evdev pointer");
    }

    ui_user_init();
    if (comm_mgr_init() < 0) {
        LV_LOG_ERROR("comm_mgr init failed");
    }
    UI_LOG("ui_user_init done ! \n");
    fflush(stdout);

    driver_backends_run_loop();
    return 0;
}
