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

namespace {

constexpr size_t kWorkerStack = 65536;
constexpr uint32_t kScanWaitMs = 5000;
constexpr size_t kScanLineLen = 1024;
constexpr size_t kSearchLineLen = 512;
constexpr size_t kListCmdLen = 128;
constexpr size_t kListLineLen = 256;
constexpr size_t kFormatLen = 512;
constexpr size_t kLogTextLen = 160;

const char *const kDefaultPaths[WIFI_PATH_COUNT] = {
    "/etc/wpa_supplicant.conf",
    "/etc/resolv.conf",
    "/tmp/udhcpc.script",
};
char path_override[WIFI_PATH_COUNT][256];

std::atomic<wifi_sleep_fn_t> sleep_fn{nullptr};

/* Set on the GUI thread, read by both workers. */
std::atomic<const char *> wifi_if{"wlan0"};

wifi_ap_t ap_list[WIFI_MAX_APS];
int32_t ap_count;
pthread_mutex_t ap_mutex = PTHREAD_MUTEX_INITIALIZER;
std::atomic<int32_t> scan_running{0};

/* GUI thread only. */
wifi_ap_t snapshot[WIFI_MAX_APS];
wifi_saved_net_t nets[WIFI_MAX_SAVED];

/* shell_getline's line: one per thread, so the GUI thread and the workers
 * never write into each other's result. */
thread_local char buf[256];

/* Limit of each command: short on the GUI thread, longer on the workers. */
thread_local int32_t cmd_limit_ms = WIFI_GUI_CMD_TIMEOUT_MS;

void real_sleep(uint32_t ms)
{
    struct timespec left = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

void strip_line_end(char *line)
{
    size_t len = strlen(line);
    while (len > 0 && (line[len - 1] == '\n' || line[len - 1] == '\r')) {
        line[--len] = '\0';
    }
}

/* First line of an opened command into buf; the rest of the output is
 * dropped and the command waited for. */
char *first_line(cmd_pipe_t *pipe, int opened)
{
    buf[0] = '\0';
    if (opened != 0) {
        return buf;
    }
    if (cmd_gets(pipe, buf, sizeof(buf)) == NULL) {
        buf[0] = '\0';
    }
    strip_line_end(buf);
    cmd_close(pipe);
    return buf;
}

bool exited_ok(int status)
{
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

/* Copies the kept records to the published list. */
void publish(const wifi_ap_t *records, int32_t count)
{
    pthread_mutex_lock(&ap_mutex);
    memcpy(ap_list, records, sizeof(records[0]) * (size_t)count);
    ap_count = count;
    pthread_mutex_unlock(&ap_mutex);
}

/* Reads iw's scan dump into records; -1 when the dump failed (then nothing
 * is to be published), else the number of records stored. */
int32_t read_scan_dump(const char *ifname, wifi_ap_t *records)
{
    char command[kListCmdLen];
    snprintf(command, sizeof(command), "iw dev %s scan dump 2>/dev/null", ifname);
    cmd_pipe_t pipe;
    if (cmd_open(&pipe, command, cmd_limit_ms) != 0) {
        return -1;
    }
    wifi_scan_parse_t parse;
    wifi_scan_parse_init(&parse, records);
    char line[kScanLineLen];
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

void scan_on(const char *ifname)
{
    printf("[WiFi] scan start on %s\n", ifname);
    char command[256];
    snprintf(command, sizeof(command),
             "iw dev %s scan trigger 2>/dev/null && sleep 5 && iw dev %s scan dump 2>/dev/null", ifname, ifname);
    printf("cmd ---> %s \r\n", command);

    /* The three steps of that text, run one by one: a trigger that fails
     * must not publish an empty list over the last good one. */
    char trigger[kListCmdLen];
    snprintf(trigger, sizeof(trigger), "iw dev %s scan trigger 2>/dev/null", ifname);
    if (!shell_succeeds(trigger)) {
        printf("[WiFi] scan trigger failed, keeping the last list\n");
        return;
    }
    wifi_sleep_ms(kScanWaitMs);

    wifi_ap_t *records = static_cast<wifi_ap_t *>(calloc(WIFI_MAX_APS, sizeof(wifi_ap_t)));
    if (records == NULL) {
        return;
    }
    int32_t stored = read_scan_dump(ifname, records);
    if (stored >= 0) {
        int32_t kept = wifi_scan_sort_dedup(records, stored);
        publish(records, kept);
        printf("[WiFi] scan done: %d APs found (%d unique)\n", (int)stored, (int)kept);
    }
    free(records);
}

void *scan_thread(void *arg)
{
    (void)arg;
    wifi_worker_limits();
    char ifname[WIFI_IFNAME_MAX + 1];
    if (wifi_if_copy(ifname) == 0) {
        scan_on(ifname);
    } else {
        printf("[WiFi] scan refused: the interface name is not a plain name\n");
    }
    scan_running.store(0);
    return NULL;
}

} // namespace

/* --- Seams ---------------------------------------------------------------- */

const char *wifi_path(wifi_path_id_t id)
{
    return path_override[id][0] != '\0' ? path_override[id] : kDefaultPaths[id];
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
    return first_line(&pipe, cmd_open(&pipe, command, cmd_limit_ms));
}

char *argv_getline(const char *const argv[])
{
    cmd_pipe_t pipe;
    return first_line(&pipe, cmd_open_argv(&pipe, argv, cmd_limit_ms));
}

char *shell_getline_fmt(const char *format, ...)
{
    char command[kFormatLen];
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

int shell_search(const char *command, const char *text)
{
    cmd_pipe_t pipe;
    if (cmd_open(&pipe, command, cmd_limit_ms) != 0) {
        return 0;
    }
    int found = 0;
    char line[kSearchLineLen];
    while (cmd_gets(&pipe, line, sizeof(line)) != NULL) {
        found |= strstr(line, text) != NULL;
    }
    cmd_close(&pipe);
    return found;
}

int shell_succeeds(const char *command)
{
    return exited_ok(cmd_run_timeout(command, cmd_limit_ms));
}

void wifi_worker_limits(void)
{
    cmd_limit_ms = WIFI_CMD_TIMEOUT_MS;
}

int wifi_read_line(cmd_pipe_t *pipe, char *line, size_t size)
{
    if (cmd_gets(pipe, line, size) == NULL) {
        return 0;
    }
    size_t len = strlen(line);
    if (len + 1 == size && line[len - 1] != '\n') {
        char tail[kSearchLineLen];
        while (cmd_gets(pipe, tail, sizeof(tail)) != NULL && tail[strlen(tail) - 1] != '\n') {
        }
    }
    return 1;
}

int wifi_open_network_list(cmd_pipe_t *pipe, const char *ifname)
{
    char command[kListCmdLen];
    snprintf(command, sizeof(command), "wpa_cli -i %s list_networks 2>/dev/null", ifname);
    if (cmd_open(pipe, command, cmd_limit_ms) != 0) {
        return -1;
    }
    char header[kListLineLen];
    wifi_read_line(pipe, header, sizeof(header));
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
    int32_t idle = 0;
    if (!scan_running.compare_exchange_strong(idle, 1)) {
        return;
    }
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, kWorkerStack);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    pthread_t tid;
    if (pthread_create(&tid, &attr, scan_thread, NULL) != 0) {
        printf("[WiFi] scan worker could not be started\n");
        scan_running.store(0);
    }
    pthread_attr_destroy(&attr);
}

int wifi_scanner_is_scan_done(void)
{
    return scan_running.load() == 0;
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

const wifi_saved_net_t *wifi_scanner_get_saved_networks(int32_t *count)
{
    memset(nets, 0, sizeof(nets));
    int32_t n = 0;
    char ifname[WIFI_IFNAME_MAX + 1];
    cmd_pipe_t pipe;
    if (wifi_if_copy(ifname) == 0 && wifi_open_network_list(&pipe, ifname) == 0) {
        char line[kListLineLen];
        char id[WIFI_NET_ID_MAX + 1];
        while (n < WIFI_MAX_SAVED && wifi_read_line(&pipe, line, sizeof(line))) {
            if (wifi_parse_net_line(line, id, nets[n].ssid) && nets[n].ssid[0] != '\0') {
                nets[n++].net_id = (int32_t)strtol(id, NULL, 10);
            } else {
                nets[n].ssid[0] = '\0';
            }
        }
        cmd_close(&pipe);
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
    if (wifi_if_copy(ifname) != 0 || wifi_open_network_list(&pipe, ifname) != 0) {
        return 0;
    }
    int32_t removed = 0;
    char line[kListLineLen];
    char id[WIFI_NET_ID_MAX + 1];
    char name[WIFI_SSID_MAX + 1];
    char shown[kLogTextLen];
    while (wifi_read_line(&pipe, line, sizeof(line))) {
        if (!wifi_parse_net_line(line, id, name) || strcmp(name, ssid) != 0) {
            continue;
        }
        removed++;
        printf("[WiFi] forgetting network %s (\"%s\")\n", id, fw_escape(name, sizeof(name), shown, sizeof(shown)));
        shell_getline_fmt("wpa_cli -i %s remove_network %s 2>/dev/null", ifname, id);
    }
    cmd_close(&pipe);
    if (removed == 0) {
        return 0;
    }
    shell_getline_fmt("wpa_cli -i %s save_config 2>/dev/null", ifname);
    printf("[WiFi] forget_network: removed %d entries for \"%s\"\n", (int)removed,
           fw_escape(ssid, strlen(ssid), shown, sizeof(shown)));
    return removed;
}
