/*
 * The WiFi scanner: the interface name, the command helpers the whole module
 * runs its tools through, the scan worker and the supplicant's list of kept
 * networks. The connection half is in wifi_conn.cpp and wifi_addr.cpp.
 */
#include <errno.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>

#include <atomic>

#include "fw_common.h"
#include "wifi/wifi_scanner_internal.h"

#define WORKER_STACK 65536
#define SCAN_WAIT_MS 5000
#define SCAN_LINE_LEN 1024
#define SEARCH_LINE_LEN 512
#define LIST_CMD_LEN 128
#define LIST_LINE_LEN 256
#define FORMAT_LEN 512
#define LOG_TEXT_LEN 160
#define TOOL_NAME_LEN 32

static const char *const default_paths[WIFI_PATH_COUNT] = {
    "/etc/wpa_supplicant.conf",
    "/etc/resolv.conf",
    "/tmp/udhcpc.script",
};
static char path_override[WIFI_PATH_COUNT][256];

static std::atomic<wifi_sleep_fn_t> sleep_fn{NULL};

/* Set on the GUI thread, read by both workers. */
static std::atomic<const char *> wifi_if{"wlan0"};

static wifi_ap_t ap_list[WIFI_MAX_APS];
static int32_t ap_count;
static pthread_mutex_t ap_mutex = PTHREAD_MUTEX_INITIALIZER;
/* Changed (under ap_mutex) when the published list is forgotten: a scan of
 * an older epoch publishes nothing. */
static std::atomic<uint32_t> scan_epoch{0};

static std::atomic<int32_t> scan_running{0};
/* Guard the start and the end of the scan worker: the epoch of its round,
 * and whether another round was asked for while a stale one ran. */
static pthread_mutex_t scan_mutex = PTHREAD_MUTEX_INITIALIZER;
static uint32_t round_epoch;
static bool scan_again;

/* GUI thread only. */
static wifi_ap_t snapshot[WIFI_MAX_APS];
static wifi_saved_net_t nets[WIFI_MAX_SAVED];

/* shell_getline's line: one per thread, so the GUI thread and the workers
 * never write into each other's result. */
static thread_local char buf[256];

/* Set on the workers, whose commands may take longer. */
static thread_local bool on_worker = false;
/* GUI thread only: false once one of its commands was cut off at its limit,
 * until one answers again. */
static bool gui_tools_answer = true;

static void real_sleep(uint32_t ms)
{
    struct timespec left = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

static void strip_line_end(char *line)
{
    size_t len = strlen(line);
    while (len > 0 && (line[len - 1] == '\n' || line[len - 1] == '\r')) {
        line[--len] = '\0';
    }
}

/* The limit of the calling thread's next command. */
static int32_t command_limit(void)
{
    if (on_worker) {
        return WIFI_CMD_TIMEOUT_MS;
    }
    return gui_tools_answer ? WIFI_ANSWER_TIMEOUT_MS : WIFI_SILENT_TIMEOUT_MS;
}

/* On the GUI thread: how a command of `tool` ended. The first that is cut
 * off is logged; then the short limit holds until one answers again. */
static void note_answer(const char *tool, bool answered)
{
    if (on_worker) {
        return;
    }
    if (!answered && gui_tools_answer) {
        printf("[WiFi] %s did not answer within %d ms\n", tool, (int)WIFI_ANSWER_TIMEOUT_MS);
    }
    gui_tools_answer = answered;
}

/* The program a shell text runs: its first word, cut to fit. */
static const char *tool_of(const char *command, char *out, size_t cap)
{
    snprintf(out, cap, "%.*s", (int)strcspn(command, " "), command);
    return out;
}

/* cmd_close, noting whether the command answered within its limit. */
static int close_noted(cmd_pipe_t *pipe, const char *tool)
{
    errno = 0;
    int status = cmd_close(pipe);
    note_answer(tool, !(status == -1 && errno == ETIMEDOUT));
    return status;
}

/* First line of an opened command into buf; the rest of the output is
 * dropped and the command waited for. */
static char *first_line(cmd_pipe_t *pipe, int opened, const char *tool)
{
    buf[0] = '\0';
    if (opened != 0) {
        return buf;
    }
    if (cmd_gets(pipe, buf, sizeof(buf)) == NULL) {
        buf[0] = '\0';
    }
    strip_line_end(buf);
    close_noted(pipe, tool);
    return buf;
}

static bool exited_ok(int status)
{
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

/* Copies the kept records to the published list, unless the list was
 * forgotten since the round began; false then. */
static bool publish(const wifi_ap_t *records, int32_t count, uint32_t epoch)
{
    pthread_mutex_lock(&ap_mutex);
    bool current = epoch == scan_epoch.load();
    if (current) {
        memcpy(ap_list, records, sizeof(records[0]) * (size_t)count);
        ap_count = count;
    }
    pthread_mutex_unlock(&ap_mutex);
    return current;
}

/* Reads iw's scan dump into records; -1 when the dump failed (then nothing
 * is to be published), else the number of records stored. */
static int32_t read_scan_dump(const char *ifname, wifi_ap_t *records)
{
    char command[LIST_CMD_LEN];
    snprintf(command, sizeof(command), "iw dev %s scan dump 2>/dev/null", ifname);
    cmd_pipe_t pipe;
    if (cmd_open(&pipe, command, command_limit()) != 0) {
        return -1;
    }
    wifi_scan_parse_t parse;
    wifi_scan_parse_init(&parse, records);
    char line[SCAN_LINE_LEN];
    bool full = false;
    while (!full) {
        if (!wifi_read_line(&pipe, line, sizeof(line))) {
            wifi_scan_parse_end(&parse);
            break;
        }
        full = !wifi_scan_parse_line(&parse, line);
    }
    /* A dump cut short by a full table ends by the closed pipe: not a failure. */
    if (!exited_ok(cmd_close(&pipe)) && !full) {
        printf("[WiFi] scan dump failed, keeping the last list\n");
        return -1;
    }
    return parse.count;
}

static void scan_on(const char *ifname, uint32_t epoch)
{
    printf("[WiFi] scan start on %s\n", ifname);
    char command[256];
    snprintf(command, sizeof(command),
             "iw dev %s scan trigger 2>/dev/null && sleep 5 && iw dev %s scan dump 2>/dev/null", ifname, ifname);
    printf("cmd ---> %s \r\n", command);

    /* The three steps of that text, run one by one: a trigger that fails
     * must not publish an empty list over the last good one. */
    char trigger[LIST_CMD_LEN];
    snprintf(trigger, sizeof(trigger), "iw dev %s scan trigger 2>/dev/null", ifname);
    if (!shell_succeeds(trigger)) {
        printf("[WiFi] scan trigger failed, keeping the last list\n");
        return;
    }
    wifi_sleep_ms(SCAN_WAIT_MS);

    wifi_ap_t *records = (wifi_ap_t *)calloc(WIFI_MAX_APS, sizeof(wifi_ap_t));
    if (records == NULL) {
        return;
    }
    int32_t stored = read_scan_dump(ifname, records);
    if (stored >= 0) {
        int32_t kept = wifi_scan_sort_dedup(records, stored);
        if (publish(records, kept, epoch)) {
            printf("[WiFi] scan done: %d APs found (%d unique)\n", (int)stored, (int)kept);
        } else {
            printf("[WiFi] scan done after WiFi went off: %d APs dropped\n", (int)stored);
        }
    }
    free(records);
}

/* Whether the worker makes another round (with the epoch of now), else
 * it ends: scan_running goes back to 0 under the same lock. */
static bool next_round(uint32_t *epoch)
{
    pthread_mutex_lock(&scan_mutex);
    bool again = scan_again;
    scan_again = false;
    if (again) {
        round_epoch = scan_epoch.load();
        *epoch = round_epoch;
    } else {
        scan_running.store(0);
    }
    pthread_mutex_unlock(&scan_mutex);
    return again;
}

static void *scan_thread(void *arg)
{
    (void)arg;
    wifi_worker_limits();
    pthread_mutex_lock(&scan_mutex);
    uint32_t epoch = round_epoch;
    pthread_mutex_unlock(&scan_mutex);
    do {
        char ifname[WIFI_IFNAME_MAX + 1];
        if (wifi_if_copy(ifname) == 0) {
            scan_on(ifname, epoch);
        } else {
            printf("[WiFi] scan refused: the interface name is not a plain name\n");
        }
    } while (next_round(&epoch));
    return NULL;
}

/* --- Seams ---------------------------------------------------------------- */

const char *wifi_path(wifi_path_id_t id)
{
    return path_override[id][0] != '\0' ? path_override[id] : default_paths[id];
}

void wifi_set_path(wifi_path_id_t id, const char *path)
{
    snprintf(path_override[id], sizeof(path_override[id]), "%s", path != NULL ? path : "");
}

void wifi_set_sleep(wifi_sleep_fn_t fn)
{
    sleep_fn.store(fn);
}

void wifi_sleep_ms(uint32_t ms)
{
    wifi_sleep_fn_t fn = sleep_fn.load();
    if (fn != NULL) {
        fn(ms);
    } else {
        real_sleep(ms);
    }
}

/* --- Commands ------------------------------------------------------------- */

char *shell_getline(const char *command)
{
    cmd_pipe_t pipe;
    char tool[TOOL_NAME_LEN];
    return first_line(&pipe, cmd_open(&pipe, command, command_limit()), tool_of(command, tool, sizeof(tool)));
}

char *argv_getline(const char *const argv[])
{
    cmd_pipe_t pipe;
    return first_line(&pipe, cmd_open_argv(&pipe, argv, command_limit()), argv[0]);
}

char *shell_getline_fmt(const char *format, ...)
{
    char command[FORMAT_LEN];
    va_list args;
    va_start(args, format);
    int len = vsnprintf(command, sizeof(command), format, args);
    va_end(args);
    if (len < 0 || (size_t)len >= sizeof(command)) {
        buf[0] = '\0';
        return buf;
    }
    return shell_getline(command);
}

int shell_search_within(const char *command, const char *text, int32_t limit_ms)
{
    cmd_pipe_t pipe;
    if (cmd_open(&pipe, command, limit_ms) != 0) {
        return 0;
    }
    int found = 0;
    char line[SEARCH_LINE_LEN];
    while (cmd_gets(&pipe, line, sizeof(line)) != NULL) {
        found |= strstr(line, text) != NULL;
    }
    char tool[TOOL_NAME_LEN];
    close_noted(&pipe, tool_of(command, tool, sizeof(tool)));
    return found;
}

int shell_search(const char *command, const char *text)
{
    return shell_search_within(command, text, command_limit());
}

int shell_succeeds(const char *command)
{
    errno = 0;
    int status = cmd_run_timeout(command, command_limit());
    char tool[TOOL_NAME_LEN];
    note_answer(tool_of(command, tool, sizeof(tool)), !(status == -1 && errno == ETIMEDOUT));
    return exited_ok(status);
}

void wifi_worker_limits(void)
{
    on_worker = true;
}

void wifi_reset_answers(void)
{
    gui_tools_answer = true;
}

int wifi_read_line(cmd_pipe_t *pipe, char *line, size_t size)
{
    if (cmd_gets(pipe, line, size) == NULL) {
        return 0;
    }
    size_t len = strlen(line);
    if (len + 1 == size && line[len - 1] != '\n') {
        char tail[SEARCH_LINE_LEN];
        while (cmd_gets(pipe, tail, sizeof(tail)) != NULL && tail[strlen(tail) - 1] != '\n') {
        }
    }
    return 1;
}

/* The list with its header line dropped; -1 when it cannot be run. */
static int open_network_list(cmd_pipe_t *pipe, const char *ifname)
{
    char command[LIST_CMD_LEN];
    snprintf(command, sizeof(command), "wpa_cli -i %s list_networks 2>/dev/null", ifname);
    if (cmd_open(pipe, command, command_limit()) != 0) {
        return -1;
    }
    char header[LIST_LINE_LEN];
    wifi_read_line(pipe, header, sizeof(header));
    return 0;
}

static int close_network_list(cmd_pipe_t *pipe)
{
    return close_noted(pipe, "wpa_cli");
}

int wifi_each_network(const char *ifname, wifi_net_fn_t fn, void *ctx)
{
    cmd_pipe_t pipe;
    if (open_network_list(&pipe, ifname) != 0) {
        return -1;
    }
    char line[LIST_LINE_LEN];
    char id[WIFI_NET_ID_MAX + 1];
    char ssid[WIFI_SSID_MAX + 1];
    bool more = true;
    while (more && wifi_read_line(&pipe, line, sizeof(line))) {
        more = !wifi_parse_net_line(line, id, ssid) || fn(line, id, ssid, ctx) != 0;
    }
    close_network_list(&pipe);
    return 0;
}

int wifi_if_copy(char out[WIFI_IFNAME_MAX + 1])
{
    const char *name = wifi_if.load();
    if (!wifi_valid_ifname(name)) {
        out[0] = '\0';
        return -1;
    }
    snprintf(out, WIFI_IFNAME_MAX + 1, "%s", name);
    return 0;
}

/* --- Scanning ------------------------------------------------------------- */

void wifi_scanner_set_interface(const char *ifname)
{
    wifi_if.store(ifname);
}

void wifi_scanner_trigger_scan(void)
{
    pthread_mutex_lock(&scan_mutex);
    bool running = scan_running.load() != 0;
    if (running) {
        /* A round from before the list was forgotten counts for nothing:
         * another one follows it. */
        scan_again = scan_again || round_epoch != scan_epoch.load();
    } else {
        scan_running.store(1);
        round_epoch = scan_epoch.load();
    }
    pthread_mutex_unlock(&scan_mutex);
    if (running) {
        return;
    }
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, WORKER_STACK);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    pthread_t tid;
    if (pthread_create(&tid, &attr, scan_thread, NULL) != 0) {
        printf("[WiFi] scan worker could not be started\n");
        pthread_mutex_lock(&scan_mutex);
        scan_running.store(0);
        pthread_mutex_unlock(&scan_mutex);
    }
    pthread_attr_destroy(&attr);
}

int wifi_scanner_is_scan_done(void)
{
    return scan_running.load() == 0;
}

void wifi_scanner_forget_scans(void)
{
    pthread_mutex_lock(&ap_mutex);
    scan_epoch.fetch_add(1);
    ap_count = 0;
    pthread_mutex_unlock(&ap_mutex);
}

const wifi_ap_t *wifi_scanner_get_ap_list(int32_t *count)
{
    pthread_mutex_lock(&ap_mutex);
    if (count != NULL) {
        *count = ap_count;
    }
    memcpy(snapshot, ap_list, sizeof(ap_list[0]) * (size_t)ap_count);
    pthread_mutex_unlock(&ap_mutex);
    return snapshot;
}

/* --- Kept networks -------------------------------------------------------- */

/* One kept network into nets; 0 once nets is full. */
static int store_saved(const char *line, const char *id, const char *ssid, void *ctx)
{
    (void)line;
    int32_t *n = (int32_t *)ctx;
    if (ssid[0] != '\0') {
        snprintf(nets[*n].ssid, sizeof(nets[*n].ssid), "%s", ssid);
        nets[(*n)++].net_id = (int32_t)strtol(id, NULL, 10);
    }
    return *n < WIFI_MAX_SAVED;
}

const wifi_saved_net_t *wifi_scanner_get_saved_networks(int32_t *count)
{
    memset(nets, 0, sizeof(nets));
    int32_t n = 0;
    char ifname[WIFI_IFNAME_MAX + 1];
    if (wifi_if_copy(ifname) == 0) {
        wifi_each_network(ifname, store_saved, &n);
    }
    if (count != NULL) {
        *count = n;
    }
    return nets;
}

int32_t wifi_scanner_forget_network(const char *ssid)
{
    if (ssid == NULL || ssid[0] == '\0') {
        return 0;
    }
    char ifname[WIFI_IFNAME_MAX + 1];
    cmd_pipe_t pipe;
    if (wifi_if_copy(ifname) != 0 || open_network_list(&pipe, ifname) != 0) {
        return 0;
    }
    int32_t removed = 0;
    char line[LIST_LINE_LEN];
    char id[WIFI_NET_ID_MAX + 1];
    char name[WIFI_SSID_MAX + 1];
    char shown[LOG_TEXT_LEN];
    while (wifi_read_line(&pipe, line, sizeof(line))) {
        if (!wifi_parse_net_line(line, id, name) || strcmp(name, ssid) != 0) {
            continue;
        }
        removed++;
        printf("[WiFi] forgetting network %s (\"%s\")\n", id, fw_escape(name, sizeof(name), shown, sizeof(shown)));
        shell_getline_fmt("wpa_cli -i %s remove_network %s 2>/dev/null", ifname, id);
    }
    close_network_list(&pipe);
    if (removed == 0) {
        return 0;
    }
    shell_getline_fmt("wpa_cli -i %s save_config 2>/dev/null", ifname);
    printf("[WiFi] forget_network: removed %d entries for \"%s\"\n", (int)removed,
           fw_escape(ssid, strlen(ssid), shown, sizeof(shown)));
    return removed;
}
