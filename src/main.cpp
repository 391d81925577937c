/*
 * quorvex: the front-panel interface. main() brings up the GUI library with
 * the display and pointer backends, starts the UI framework and the
 * communication manager, then hands this thread to the display backend's run
 * loop: from then on it is the GUI thread, and it never comes back.
 *
 * SIGINT is the only orderly stop. The handler only wakes a thread of its
 * own, which ends every command still running, kills the three services and
 * ends the process: printing, running commands and exit() are not
 * async-signal-safe, and the stop must not wait for the GUI thread, which
 * may be busy or blocked.
 *
 * One interface runs at a time: the framework socket and the service
 * processes are shared by name, so a second one refuses to start.
 */
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <semaphore.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>

#include "comm/comm_mgr_lvgl.h"
#include "fw_common.h"
#include "fw_uds.h"
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
#define INSTANCE_LOCK_SUFFIX ".lock"
/* A command-line argument is shown with at most 64 characters, then "...". */
#define SHOWN_ARG_SIZE (64 + sizeof("..."))

/* Window size from the environment or -W / -H: kept, but it changes nothing
 * that is drawn (the screen is fixed at 640 x 480). */
static struct {
    int32_t window_width;
    int32_t window_height;
} settings;

/* Heap copy of the upper-cased -b argument; NULL selects the default backend. */
static char *selected_backend;

/* Posted by the SIGINT handler, awaited by the stop thread. */
static sem_t stop_request;

/* Set once this process has claimed the instance (or found no lock to
 * claim): from then on the services are its own to kill. A Ctrl+C that
 * comes earlier may belong to a second interface, and leaves them. */
static std::atomic<bool> owns_services;

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
    sem_post(&stop_request);
}

/* The stop, on a thread of its own; the message still names the handler,
 * where the stop began. The process ends with _exit after flushing: exit()
 * would run static destructors under the threads that are still running
 * (GUI, heartbeat, watchdogs) and tear the GUI library down while it is in
 * use. */
static void *stop_thread(void *arg)
{
    (void)arg;
    while (sem_wait(&stop_request) != 0) {
    }
    /* Standard output stays ours to the end, so that the stop's message is
     * the last line the GUI thread and the others get out. */
    flockfile(stdout);
    printf(UI_LOG_TAG "\nCtrl+C received, killing all apps...\n", "sigint_handler", __LINE__);
    /* A command in flight (a DHCP client waiting for its lease, a tile's
     * kill sequence) would outlive the process, and one that a tile starts
     * after the kills below would be a service left running: first end
     * them all and refuse new ones. */
    cmd_end_all();
    if (owns_services) {
        for (size_t i = 0; i < sizeof(stop_commands) / sizeof(stop_commands[0]); i++) {
            /* A service that is not running is no reason to stop early. */
            (void)cmd_run(stop_commands[i]);
        }
        comm_mgr_remove_socket_file();
    }
    fflush(NULL);
    _exit(0);
}

static void install_stop(void)
{
    pthread_t thread;
    int err = sem_init(&stop_request, 0, 0) == 0 ? pthread_create(&thread, NULL, stop_thread, NULL) : errno;
    if (err != 0) {
        die("Cannot start the stop thread: %s\n", strerror(err));
    }
    pthread_detach(thread);
    signal(SIGINT, sigint_handler);
}

/* Takes the lock that a running interface holds for its whole life (an
 * flock, which the system releases however the process ends; the
 * descriptor stays open until then). Fails only when another process holds
 * it; a lock file that cannot be made is logged and start-up goes on
 * unguarded. */
static void claim_instance(void)
{
    char path[FW_UDS_PATH_MAX + sizeof(INSTANCE_LOCK_SUFFIX)];
    snprintf(path, sizeof(path), "%s" INSTANCE_LOCK_SUFFIX, uds_socket_path());
    int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        UI_LOG("cannot open %s: %s\n", path, strerror(errno));
    } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            die("quorvex is already running (%s is locked)\n", path);
        }
        UI_LOG("cannot lock %s: %s\n", path, strerror(errno));
        close(fd);
    }
    owns_services = true;
}

/* A command-line argument as a message may show it: escaped and bounded. */
static const char *shown_arg(const char *arg, char (&out)[SHOWN_ARG_SIZE])
{
    return fw_escape(arg, strlen(arg), out, sizeof(out));
}

static int32_t parse_int(const char *text)
{
    return (int32_t)strtol(text, NULL, 10);
}

static void select_backend(char *name)
{
    if (!driver_backends_is_supported(name)) {
        char shown[SHOWN_ARG_SIZE];
        die("error no such backend: %s\n", shown_arg(name, shown));
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
            printf("%d.%d.%d-%s\n", LVGL_VERSION_MAJOR, LVGL_VERSION_MINOR, LVGL_VERSION_PATCH, VERSION_TAG);
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
        default: {
            const char letter[] = {(char)optopt, '\0'};
            char shown[SHOWN_ARG_SIZE];
            print_usage();
            die("Unknown option -%s.\n", shown_arg(letter, shown));
        }
        }
    }
}

int main(int argc, char **argv)
{
    /* Line by line also into a pipe or a file, so that the log is current
     * and a crash loses no finished line. */
    setvbuf(stdout, NULL, _IOLBF, 0);
    install_stop();
    UI_LOG("\n[LVGL pid: %d]\n", (int)getpid());

    selected_backend = NULL;
    driver_backends_register();

    settings.window_width = parse_int(getenv_default(WINDOW_WIDTH_ENV, WINDOW_WIDTH_DEFAULT));
    settings.window_height = parse_int(getenv_default(WINDOW_HEIGHT_ENV, WINDOW_HEIGHT_DEFAULT));
    parse_command_line(argc, argv);
    claim_instance();

    lv_init();

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

    driver_backends_run_loop();
    return 0;
}
