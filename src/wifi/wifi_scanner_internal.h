/*
 * What the sources of the WiFi module share, and the seams its tests use:
 * the parsers of the tools' output, the command helpers, the file paths and
 * the sleep. Not for other modules.
 */
#ifndef WIFI_SCANNER_INTERNAL_H
#define WIFI_SCANNER_INTERNAL_H

#include <stddef.h>
#include <stdint.h>

#include "lib/cmd_runner.h"
#include "wifi/wifi_scanner_lvgl.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Limits of the commands: none may hold a thread longer. A tool that works
 * answers the GUI thread in milliseconds, so its commands are cut off at
 * WIFI_ANSWER_TIMEOUT_MS; once one was, the next get WIFI_SILENT_TIMEOUT_MS
 * until one answers again, so that a hung tool costs one user action (one
 * or two commands) little more than a second. The workers' commands get
 * WIFI_CMD_TIMEOUT_MS. */
#define WIFI_ANSWER_TIMEOUT_MS 1000
#define WIFI_SILENT_TIMEOUT_MS 250
#define WIFI_CMD_TIMEOUT_MS 15000
#define WIFI_DHCP_TIMEOUT_MS 60000

#define WIFI_IFNAME_MAX 15
#define WIFI_NET_ID_MAX 7
#define WIFI_HIDDEN_SSID "<hidden>"

/* --- Files and time (seams) ---------------------------------------------- */

typedef enum {
    WIFI_PATH_SUPPLICANT_CONF, /* "/etc/wpa_supplicant.conf" */
    WIFI_PATH_RESOLV_CONF,     /* "/etc/resolv.conf" */
    WIFI_PATH_DHCP_SCRIPT,     /* "/tmp/udhcpc.script" */
    WIFI_PATH_COUNT
} wifi_path_id_t;

const char *wifi_path(wifi_path_id_t id);
/* Points one file elsewhere (null: back to its own path). Tests only, while
 * no worker runs; the path must be plain (no shell syntax). */
void wifi_set_path(wifi_path_id_t id, const char *path);

/* Every wait of the workers goes through this. Null restores the real one. */
typedef void (*wifi_sleep_fn_t)(uint32_t ms);
void wifi_set_sleep(wifi_sleep_fn_t fn);
void wifi_sleep_ms(uint32_t ms);

/* --- Commands ------------------------------------------------------------ */

/* First output line of a shell text, trailing CR/LF removed; empty when it
 * cannot be run or prints nothing. The buffer is the calling thread's own and
 * holds the line until that thread's next call. */
char *shell_getline(const char *command);
/* The same for an argument vector, which no shell reads. */
char *argv_getline(const char *const argv[]);
/* 1 when a line (512 bytes at most) of the command's output holds `text`. */
int shell_search(const char *command, const char *text);
/* The same with a limit of its own. */
int shell_search_within(const char *command, const char *text, int32_t limit_ms);
/* 1 when the shell text exits with status 0. */
int shell_succeeds(const char *command);
/* Gives the calling worker thread the workers' command limit. */
void wifi_worker_limits(void);
/* Tests only: the GUI thread's tools count as answering again, as at start. */
void wifi_reset_answers(void);
/* shell_getline of a formatted text (512 bytes at most; a longer one is not
 * run and gives the empty string). */
char *shell_getline_fmt(const char *format, ...) __attribute__((format(printf, 1, 2)));
/* One line of a command's output into line (NUL-terminated, newline kept);
 * the tail of a line longer than size - 1 is read and dropped, so it cannot
 * pose as a line of its own. 0 at the end of the output. */
int wifi_read_line(cmd_pipe_t *pipe, char *line, size_t size);
/* Runs "wpa_cli -i IFNAME list_networks" on the calling thread's command
 * limit and calls `fn` for each network of it (id and SSID by the line
 * rule, and the whole line for its flags) until it answers 0; -1 when the
 * list cannot be read. */
typedef int (*wifi_net_fn_t)(const char *line, const char *id, const char *ssid, void *ctx);
int wifi_each_network(const char *ifname, wifi_net_fn_t fn, void *ctx);

/* The interface name into out; 0, or -1 when it is not a plain name. */
int wifi_if_copy(char out[WIFI_IFNAME_MAX + 1]);

/* --- Parsing the tools' output ------------------------------------------- */

/* The iw scan dump, fed line by line. */
typedef struct {
    wifi_ap_t *records; /* WIFI_MAX_APS of them */
    int32_t count;
    wifi_ap_t pending;
    int has_pending;
} wifi_scan_parse_t;

void wifi_scan_parse_init(wifi_scan_parse_t *p, wifi_ap_t *records);
/* 0 once no more lines are wanted (the table is full). */
int wifi_scan_parse_line(wifi_scan_parse_t *p, const char *line);
void wifi_scan_parse_end(wifi_scan_parse_t *p);
/* Strongest first, then one record per SSID; returns the kept count. */
int32_t wifi_scan_sort_dedup(wifi_ap_t *records, int32_t count);
int ap_signal_cmp(const void *a, const void *b);
int32_t wifi_freq_to_channel(int32_t freq);
/* A name as iw or wpa_cli print it (escaped) into at most 32 bytes. */
void wifi_ssid_unescape(const char *text, char out[WIFI_SSID_MAX + 1]);

/* One list_networks line: 1 with the id (1 to 7 digits) and the SSID. */
int wifi_parse_net_line(const char *line, char id[WIFI_NET_ID_MAX + 1], char ssid[WIFI_SSID_MAX + 1]);
/* Its flags column: the network is the current one, or is disabled. */
#define WIFI_NET_CURRENT 1
#define WIFI_NET_DISABLED 2
int wifi_parse_net_flags(const char *line);

/* One line of wpa_cli status into the poll's findings. */
typedef struct {
    char state[64];
    char bssid[18];
    char id[WIFI_NET_ID_MAX + 1]; /* the network it is on; empty when none */
    int completed;
    int handshake;
} wifi_status_poll_t;
void wifi_parse_status_line(const char *line, wifi_status_poll_t *poll);

/* One line of "ip addr show": 1 when it gives a global IPv4 address (and the
 * netmask when a prefix length follows it). */
int wifi_parse_addr_line(const char *line, char ip[16], char netmask[16]);
/* One line of "ip route show default": 1 with the gateway. */
int wifi_parse_route_line(const char *line, char gateway[16]);
/* One line of the resolver file: 1 with an IPv4 name server. */
int wifi_parse_resolv_line(const char *line, char dns[16]);
void wifi_prefix_to_mask(int prefix, char out[16]);

/* Plain forms that may stand in a command. */
int wifi_valid_ifname(const char *name);
int wifi_valid_net_id(const char *id);
int wifi_valid_bssid(const char *bssid);
int wifi_valid_ipv4(const char *address);
int wifi_valid_netmask(const char *netmask);

/* --- Connection worker and addressing ------------------------------------ */

/* The connection record as the worker writes it, which the connection
 * worker hands to the addressing phase. Once wifi_scanner_disconnect has
 * stopped the run these write nothing and return -1. */
typedef void (*conn_edit_fn_t)(wifi_conn_info_t *info, void *ctx);
typedef struct {
    int (*stopped)(void);
    int (*set_status)(const char *status);
    int (*edit)(conn_edit_fn_t edit, void *ctx);
    /* The DHCP client's process group, which wifi_scanner_disconnect stops
     * while it runs; -1 when the run is stopped already (the caller stops it
     * then). */
    int (*track_client)(pid_t pgid);
    void (*untrack_client)(void);
} wifi_conn_record_t;

/* Stops the DHCP clients that serve the device, whoever started them: the
 * processes of the udhcpc and dhcpcd that PATH names whose command line
 * names the device. SIGTERM, and SIGKILL to those still running after
 * wait_ms; returns how many were found. */
int wifi_stop_dhcp_clients(const char *ifname, uint32_t wait_ms);

/* The addressing phase after the association: the static address of the
 * request or DHCP; sets the final status in the record. */
void wifi_addressing(const wifi_conn_params_t *req, const char *ifname, const wifi_conn_record_t *record);

/* The DHCP client's handler script for a resolver file; its length. */
size_t wifi_dhcp_script(char *out, size_t cap, const char *resolv_path);

#ifdef __cplusplus
}
#endif

#endif /* WIFI_SCANNER_INTERNAL_H */
