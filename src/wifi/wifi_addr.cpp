/*
 * The addressing phase of the connection worker: the request's static
 * address, or DHCP with up to three attempts; then the interface's addresses
 * are read back into the connection record and the final status is set.
 *
 * The DHCP client runs its handler script as root, so the script is created
 * fresh by this process (never opened through a link or over a file another
 * user put there) in a folder where no other user can swap it afterwards.
 * Before a client runs, the clients that serve the device already (a dhcpcd
 * in the background from an earlier join, one left from before) are
 * stopped; no client of another device is touched.
 */
#include <errno.h>
#include <fcntl.h>
#include <libgen.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "wifi/wifi_scanner_internal.h"

#define DHCP_ATTEMPTS 3
#define AFTER_CLIENT_MS 1000
#define BETWEEN_ATTEMPTS_MS 2000
#define BEFORE_READING_MS 1000
/* A client that does not end at SIGTERM within this is killed. */
#define CLIENT_STOP_MS 1000
#define COMMAND_LEN 512
#define SHORT_COMMAND_LEN 128
#define LINE_LEN 256
#define SCRIPT_MAX 2048
#define SCRIPT_MODE 0755
#define CREATE_MODE 0700

#define SCRIPT_FORMAT                                                                                                  \
    "#!/bin/sh\n"                                                                                                      \
    "# minimal udhcpc handler (written by wifi_scanner_lvgl)\n"                                                        \
    "case \"$1\" in\n"                                                                                                 \
    "bound|renew)\n"                                                                                                   \
    "    [ -n \"$ip\" ] || exit 0\n"                                                                                   \
    "    ip addr replace \"$ip/${mask:-24}\" dev \"$interface\" 2>/dev/null\n"                                         \
    "    ip link set \"$interface\" up 2>/dev/null\n"                                                                  \
    "    if [ -n \"$router\" ]; then\n"                                                                                \
    "        for r in $router; do\n"                                                                                   \
    "            ip route replace default via \"$r\" dev \"$interface\" 2>/dev/null\n"                                 \
    "            break\n"                                                                                              \
    "        done\n"                                                                                                   \
    "    fi\n"                                                                                                         \
    "    : > %s 2>/dev/null\n"                                                                                         \
    "    if [ -n \"$dns\" ]; then\n"                                                                                   \
    "        for d in $dns; do\n"                                                                                      \
    "            echo \"nameserver $d\" >> %s 2>/dev/null\n"                                                           \
    "        done\n"                                                                                                   \
    "    else\n"                                                                                                       \
    "        echo \"nameserver 8.8.8.8\" >> %s 2>/dev/null\n"                                                          \
    "    fi\n"                                                                                                         \
    "    ;;\n"                                                                                                         \
    "deconfig)\n"                                                                                                      \
    "    ip addr flush dev \"$interface\" 2>/dev/null\n"                                                               \
    "    ;;\n"                                                                                                         \
    "esac\n"                                                                                                           \
    "exit 0\n"

static void copy_text(char *dst, size_t cap, const char *src)
{
    snprintf(dst, cap, "%s", src);
}

/* --- Reading the addresses back ------------------------------------------ */

typedef struct {
    char ip[16];
    char netmask[16];
    char gateway[16];
    char dns[16];
} found_addresses_t;

static void store_found(wifi_conn_info_t *info, void *ctx)
{
    const found_addresses_t *found = (const found_addresses_t *)ctx;
    const char *const from[] = {found->ip, found->netmask, found->gateway, found->dns};
    char *const to[] = {info->ip, info->netmask, info->gateway, info->dns};
    for (size_t i = 0; i < 4; i++) {
        if (from[i][0] != '\0') {
            copy_text(to[i], 16, from[i]);
        }
    }
}

typedef void (*line_fn_t)(const char *line, void *ctx);

/* Feeds each output line of the command to parse. */
static void each_line(const char *command, line_fn_t parse, void *ctx)
{
    cmd_pipe_t pipe;
    if (cmd_open(&pipe, command, WIFI_CMD_TIMEOUT_MS) != 0) {
        return;
    }
    char line[LINE_LEN];
    while (wifi_read_line(&pipe, line, sizeof(line))) {
        parse(line, ctx);
    }
    cmd_close(&pipe);
}

typedef struct {
    const char *address;
    bool found;
} address_search_t;

static void match_address(const char *line, void *ctx)
{
    address_search_t *search = (address_search_t *)ctx;
    char ip[16] = "";
    char netmask[16];
    if (wifi_parse_addr_line(line, ip, netmask) && strcmp(ip, search->address) == 0) {
        search->found = true;
    }
}

static void read_address(const char *line, void *ctx)
{
    found_addresses_t *found = (found_addresses_t *)ctx;
    wifi_parse_addr_line(line, found->ip, found->netmask);
}

static void read_gateway(const char *line, void *ctx)
{
    found_addresses_t *found = (found_addresses_t *)ctx;
    wifi_parse_route_line(line, found->gateway);
}

static void read_resolver(char dns[16])
{
    FILE *file = fopen(wifi_path(WIFI_PATH_RESOLV_CONF), "re");
    if (file == NULL) {
        return;
    }
    char line[LINE_LEN];
    while (fgets(line, sizeof(line), file) != NULL && !wifi_parse_resolv_line(line, dns)) {
    }
    fclose(file);
}

static bool interface_has_address(const char *ifname, const char *address)
{
    char command[SHORT_COMMAND_LEN];
    snprintf(command, sizeof(command), "ip addr show %s 2>/dev/null", ifname);
    address_search_t search = {address, false};
    each_line(command, match_address, &search);
    return search.found;
}

/* Reads the interface's address, netmask, gateway and name server into the
 * connection record; fields not found keep their text. */
static void parse_ip_info(const char *ifname, const wifi_conn_record_t *record)
{
    found_addresses_t found = {};
    char command[SHORT_COMMAND_LEN];
    snprintf(command, sizeof(command), "ip addr show %s 2>/dev/null", ifname);
    each_line(command, read_address, &found);
    each_line("ip route show default 2>/dev/null", read_gateway, &found);
    read_resolver(found.dns);
    record->edit(store_found, &found);
}

/* --- Static address -------------------------------------------------------- */

typedef struct {
    const char *ip;
    const char *gateway;
} static_result_t;

static void store_static(wifi_conn_info_t *info, void *ctx)
{
    const static_result_t *result = (const static_result_t *)ctx;
    info->connected = 1;
    copy_text(info->status, sizeof(info->status), "Connected");
    copy_text(info->ip, sizeof(info->ip), result->ip);
    copy_text(info->gateway, sizeof(info->gateway), result->gateway);
}

static void apply_static(const wifi_conn_params_t *req, const char *ifname, const wifi_conn_record_t *record)
{
    printf("[WiFi-CONN] step8: applying static IP...\n");
    record->set_status("Setting static IP...");
    char command[COMMAND_LEN];
    if (req->netmask[0] == '\0') {
        snprintf(command, sizeof(command), "ip addr add %s/24 dev %s 2>/dev/null", req->static_ip, ifname);
    } else {
        snprintf(command, sizeof(command), "ip addr add %s/%s dev %s 2>/dev/null", req->static_ip, req->netmask,
                 ifname);
    }
    printf("[WiFi-CONN]   %s\n", command);
    /* An address the interface holds already counts as set. */
    if (!shell_succeeds(command) && !interface_has_address(ifname, req->static_ip)) {
        printf("[WiFi-CONN] ERROR: the interface did not take the static IP %s\n", req->static_ip);
        record->set_status("Error: static IP failed");
        return;
    }
    shell_getline_fmt("ip link set %s up 2>/dev/null", ifname);
    if (req->gateway[0] != '\0') {
        shell_getline_fmt("ip route replace default via %s dev %s 2>/dev/null", req->gateway, ifname);
    }
    if (req->dns[0] != '\0') {
        const char *resolv = wifi_path(WIFI_PATH_RESOLV_CONF);
        shell_getline_fmt("echo 'nameserver %s' > %s 2>/dev/null; echo 'nameserver %s' >> %s 2>/dev/null", req->dns,
                          resolv, "8.8.8.8", resolv);
    }
    parse_ip_info(ifname, record);
    static_result_t result = {req->static_ip, req->gateway};
    if (record->edit(store_static, &result) == 0) {
        printf("[WiFi-CONN] Static IP: IP=%s GW=%s\n", result.ip, result.gateway);
    }
}

/* --- DHCP ----------------------------------------------------------------- */

/* The script's folder must not let another user rename or replace files in
 * it: owned by root or us, and writable by others only when sticky. */
static bool folder_is_safe(const char *path)
{
    char copy[256];
    copy_text(copy, sizeof(copy), path);
    struct stat folder;
    if (stat(dirname(copy), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
        return false;
    }
    bool owner_ok = folder.st_uid == 0 || folder.st_uid == geteuid();
    bool shared = (folder.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return owner_ok && (!shared || (folder.st_mode & S_ISVTX) != 0);
}

static bool write_all(int fd, const char *data, size_t len)
{
    while (len > 0) {
        ssize_t n = write(fd, data, len);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        len -= (size_t)n;
    }
    return true;
}

/* Whatever stands at the path (a file or link of anyone's) goes; the new
 * file is created, never opened, so no link is followed. */
static bool write_dhcp_script(void)
{
    const char *path = wifi_path(WIFI_PATH_DHCP_SCRIPT);
    char text[SCRIPT_MAX];
    size_t len = wifi_dhcp_script(text, sizeof(text), wifi_path(WIFI_PATH_RESOLV_CONF));
    if (len >= sizeof(text) || !folder_is_safe(path)) {
        return false;
    }
    if (unlink(path) != 0 && errno != ENOENT) {
        return false;
    }
    int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, CREATE_MODE);
    if (fd < 0) {
        return false;
    }
    bool ok = write_all(fd, text, len) && fchmod(fd, SCRIPT_MODE) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok) {
        unlink(path);
    }
    return ok;
}

static bool program_found(const char *name)
{
    char command[SHORT_COMMAND_LEN];
    snprintf(command, sizeof(command), "which %s 2>/dev/null", name);
    return shell_search(command, name) != 0;
}

/* The client command of one attempt, or false when none can be used. */
static bool choose_client(const char *ifname, bool script_ok, char *command, size_t cap)
{
    if (script_ok && program_found("udhcpc")) {
        snprintf(command, cap, "udhcpc -i %s -s %s -t 5 -A 3 -n -q 2>/dev/null", ifname,
                 wifi_path(WIFI_PATH_DHCP_SCRIPT));
        return true;
    }
    if (program_found("dhcpcd")) {
        snprintf(command, cap, "dhcpcd -t 10 -4 %s 2>/dev/null", ifname);
        return true;
    }
    printf("[WiFi-CONN] ERROR: no DHCP client found (udhcpc/dhcpcd)\n");
    return false;
}

/* Runs the client to its end; wifi_scanner_disconnect may stop it meanwhile. */
static void run_dhcp_client(const char *command, const wifi_conn_record_t *record)
{
    cmd_pipe_t pipe;
    if (cmd_open(&pipe, command, WIFI_DHCP_TIMEOUT_MS) != 0) {
        return;
    }
    if (record->track_client(pipe.pid) != 0) {
        killpg(pipe.pid, SIGTERM);
    }
    char line[LINE_LEN];
    while (cmd_gets(&pipe, line, sizeof(line)) != NULL) {
    }
    record->untrack_client();
    cmd_close(&pipe);
}

static bool interface_has_ipv4(const char *ifname)
{
    char command[SHORT_COMMAND_LEN];
    snprintf(command, sizeof(command), "ip -4 addr show dev %s 2>/dev/null", ifname);
    return shell_search(command, "inet ") != 0;
}

static void run_dhcp(const char *ifname, const wifi_conn_record_t *record)
{
    record->set_status("Getting IP...");
    printf("[WiFi-CONN] step8: running DHCP...\n");
    bool script_ok = write_dhcp_script();
    if (!script_ok) {
        printf("[WiFi-CONN] ERROR: DHCP handler script %s not written, udhcpc not used\n",
               wifi_path(WIFI_PATH_DHCP_SCRIPT));
    }
    int stopped = wifi_stop_dhcp_clients(ifname, CLIENT_STOP_MS);
    if (stopped > 0) {
        printf("[WiFi-CONN] stopped %d DHCP client(s) of %s\n", stopped, ifname);
    }
    shell_getline_fmt("ip addr flush dev %s 2>/dev/null", ifname);
    for (int attempt = 1; attempt <= DHCP_ATTEMPTS && !record->stopped(); attempt++) {
        char command[COMMAND_LEN];
        if (!choose_client(ifname, script_ok, command, sizeof(command))) {
            break;
        }
        printf("[WiFi-CONN] DHCP attempt %d/3: %s\n", attempt, command);
        run_dhcp_client(command, record);
        wifi_sleep_ms(AFTER_CLIENT_MS);
        if (interface_has_ipv4(ifname)) {
            printf("[WiFi-CONN] DHCP OK on attempt %d\n", attempt);
            break;
        }
        if (attempt == DHCP_ATTEMPTS) {
            printf("[WiFi-CONN] DHCP failed after 3 attempts\n");
        } else {
            wifi_sleep_ms(BETWEEN_ATTEMPTS_MS);
        }
    }
    if (record->stopped()) {
        return;
    }
    wifi_sleep_ms(BEFORE_READING_MS);
    parse_ip_info(ifname, record);
}

static void store_dhcp_outcome(wifi_conn_info_t *info, void *ctx)
{
    wifi_conn_info_t *seen = (wifi_conn_info_t *)ctx;
    info->connected = info->ip[0] != '\0' ? 1 : 0;
    copy_text(info->status, sizeof(info->status), info->connected ? "Connected" : "Connected (no IP)");
    *seen = *info;
}

size_t wifi_dhcp_script(char *out, size_t cap, const char *resolv_path)
{
    int len = snprintf(out, cap, SCRIPT_FORMAT, resolv_path, resolv_path, resolv_path);
    return len < 0 ? cap : (size_t)len;
}

void wifi_addressing(const wifi_conn_params_t *req, const char *ifname, const wifi_conn_record_t *record)
{
    if (req->static_ip[0] != '\0') {
        apply_static(req, ifname, record);
        return;
    }
    run_dhcp(ifname, record);
    wifi_conn_info_t seen;
    if (record->edit(store_dhcp_outcome, &seen) != 0) {
        return;
    }
    if (seen.connected) {
        printf("[WiFi-CONN] IP=%s GW=%s DNS=%s\n", seen.ip, seen.gateway, seen.dns);
    } else {
        printf("[WiFi-CONN] WARNING: connected but no IP from DHCP\n");
    }
}
