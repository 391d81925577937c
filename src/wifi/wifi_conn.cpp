/*
 * The connection engine: joins a network through wpa_cli on the worker
 * conn_thread, waits for the association by polling the supplicant's status
 * once a second, and keeps the network in the supplicant's configuration.
 * The addressing phase that follows is in wifi_addr.cpp.
 *
 * Values from outside reach the tools in one of two forms only: the network
 * name and the password as one argument of their own (no shell), everything
 * else (interface name, network ids, BSSID, addresses) after a check that it
 * is in a plain form that no shell reads as syntax.
 *
 * A new network's credentials are only known to work once the association
 * completes; older entries of the same name are removed then, not before, so
 * a mistyped password never costs the working entry. Selecting a network
 * disables every other one in the supplicant: every run enables again what
 * was enabled before it, so the kept networks stay joinable by themselves,
 * and a run that fails goes back to the network it left, so a mistyped
 * password never costs the working connection either. Once the supplicant
 * is on that network again, the record holds the earlier connection again,
 * so that it tells the truth; the failure stays the run's result.
 */
#include <pthread.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>

#include "fw/fw_common.h"
#include "wifi/wifi_scanner_internal.h"

#define WORKER_STACK 65536
#define DEFAULT_TIMEOUT 30
#define POLL_MS 1000
#define SUPPLICANT_START_MS 1000
#define SUPPLICANT_KILL_MS 1000
#define SUPPLICANT_RESTART_MS 2000
/* Polls without a handshake that a DISCONNECTED state is tolerated. */
#define DISCONNECTED_GRACE 6
/* Polls after a failed run for the supplicant to be on the network it left
 * again: room for the scan and the handshake of a network it knows. */
#define REJOIN_POLLS 10
#define PASSWORD_MAX 63
#define COMMAND_LEN 512
#define STATUS_LINE_LEN 256
#define LOG_TEXT_LEN 160
/* On the GUI thread: a DHCP client that does not end at SIGTERM within this
 * is killed. */
#define CLIENT_STOP_MS 200

#define CONNECTING_TEXT "Connecting..."

static wifi_conn_info_t conn_info;
static wifi_conn_params_t conn_params;
static int32_t conn_reconnect;
static char conn_saved_net_id[8];
static pthread_mutex_t conn_mutex = PTHREAD_MUTEX_INITIALIZER;
static int32_t conn_running;
/* Set by wifi_scanner_disconnect while a worker runs: the worker stops and
 * writes nothing more. */
static int32_t conn_cancel;
/* Process group of the DHCP client the worker runs, 0 when none. */
static pid_t dhcp_pgid;
/* The copy wifi_scanner_get_conn_info hands out (GUI thread only). */
static wifi_conn_info_t conn_info_copy;
/* The record as it was when the request came, while it was connected (else
 * zeros): the connection a failed run may give back. */
static wifi_conn_info_t conn_earlier;
/* 1 while the record holds the connection a failed run gave back: that run's
 * result is still its failure. */
static int32_t conn_given_back;

/* One run of the worker: its copy of the request and what it has done. */
typedef struct {
    wifi_conn_params_t req;
    char ifname[WIFI_IFNAME_MAX + 1];
    int32_t timeout;
    int32_t reconnect;
    char net_id[WIFI_NET_ID_MAX + 1];
    bool added;      /* the network was added in this run */
    bool associated; /* the supplicant reported COMPLETED */
    /* What the supplicant had before the run: its enabled networks and the
     * one it was connected to (empty when none), and the record then. */
    char enabled[WIFI_MAX_SAVED][WIFI_NET_ID_MAX + 1];
    int32_t enabled_count;
    char previous[WIFI_NET_ID_MAX + 1];
    char previous_ssid[WIFI_SSID_MAX + 1];
    wifi_conn_info_t earlier;
} conn_job_t;

typedef enum { POLL_NEXT, POLL_SUCCESS, POLL_FAILURE, POLL_TIMEOUT } poll_outcome_t;

typedef struct {
    const char *settings[3];
} sec_settings_t;

static void copy_text(char *dst, size_t cap, const char *src)
{
    snprintf(dst, cap, "%s", src);
}

/* A caller's fixed text field that may lack its terminator, cut to len. */
static void copy_field(char *dst, size_t cap, const char *src, size_t len)
{
    snprintf(dst, cap, "%.*s", (int)len, src);
}

static const char *shown(const char *text, char *out)
{
    return fw_escape(text, strlen(text), out, LOG_TEXT_LEN);
}

static void finish_worker(void)
{
    pthread_mutex_lock(&conn_mutex);
    conn_running = 0;
    conn_cancel = 0;
    pthread_mutex_unlock(&conn_mutex);
}

/* --- The worker's access to the record ------------------------------------ */

static int conn_stopped(void)
{
    pthread_mutex_lock(&conn_mutex);
    int stopped = conn_cancel;
    pthread_mutex_unlock(&conn_mutex);
    return stopped;
}

static int conn_edit(conn_edit_fn_t edit, void *ctx)
{
    pthread_mutex_lock(&conn_mutex);
    int stopped = conn_cancel;
    if (!stopped) {
        edit(&conn_info, ctx);
    }
    pthread_mutex_unlock(&conn_mutex);
    return stopped ? -1 : 0;
}

static void write_status(wifi_conn_info_t *info, void *ctx)
{
    copy_text(info->status, sizeof(info->status), (const char *)ctx);
}

static int conn_set_status(const char *status)
{
    return conn_edit(write_status, (char *)status);
}

static int conn_track_client(pid_t pgid)
{
    pthread_mutex_lock(&conn_mutex);
    int stopped = conn_cancel;
    dhcp_pgid = stopped ? 0 : pgid;
    pthread_mutex_unlock(&conn_mutex);
    return stopped ? -1 : 0;
}

static void conn_untrack_client(void)
{
    pthread_mutex_lock(&conn_mutex);
    dhcp_pgid = 0;
    pthread_mutex_unlock(&conn_mutex);
}

static const wifi_conn_record_t record = {conn_stopped, conn_set_status, conn_edit, conn_track_client,
                                          conn_untrack_client};

/* --- Request checks ------------------------------------------------------- */

static void copy_request(wifi_conn_params_t *dst, const wifi_conn_params_t *src)
{
    *dst = *src;
    copy_field(dst->ssid, sizeof(dst->ssid), src->ssid, WIFI_SSID_MAX);
    copy_field(dst->password, sizeof(dst->password), src->password, PASSWORD_MAX);
    copy_field(dst->bssid, sizeof(dst->bssid), src->bssid, sizeof(src->bssid) - 1);
    copy_field(dst->static_ip, sizeof(dst->static_ip), src->static_ip, sizeof(src->static_ip) - 1);
    copy_field(dst->gateway, sizeof(dst->gateway), src->gateway, sizeof(src->gateway) - 1);
    copy_field(dst->netmask, sizeof(dst->netmask), src->netmask, sizeof(src->netmask) - 1);
    copy_field(dst->dns, sizeof(dst->dns), src->dns, sizeof(src->dns) - 1);
}

static bool empty_or(const char *text, int (*valid)(const char *))
{
    return text[0] == '\0' || valid(text);
}

/* The reason a request cannot be carried out safely, or NULL. */
static const char *request_refusal(const wifi_conn_params_t *req)
{
    if (!empty_or(req->bssid, wifi_valid_bssid)) {
        return "Error: invalid BSSID";
    }
    if (!empty_or(req->static_ip, wifi_valid_ipv4) || !empty_or(req->gateway, wifi_valid_ipv4) ||
        !empty_or(req->netmask, wifi_valid_netmask) || !empty_or(req->dns, wifi_valid_ipv4)) {
        return "Error: invalid static IP settings";
    }
    return NULL;
}

static int32_t effective_timeout(int32_t timeout)
{
    return timeout > 0 ? timeout : DEFAULT_TIMEOUT;
}

/* --- Worker helpers ------------------------------------------------------- */

static char *wpa(const conn_job_t *job, const char *command)
{
    return shell_getline_fmt("wpa_cli -i %s %s 2>/dev/null", job->ifname, command);
}

static char *wpa_net(const conn_job_t *job, const char *verb, const char *id)
{
    return shell_getline_fmt("wpa_cli -i %s %s %s 2>/dev/null", job->ifname, verb, id);
}

/* set_network with a value from outside: quoted for wpa_cli, which takes it
 * as text, and handed over as one argument that no shell reads. */
static void set_network_quoted(const conn_job_t *job, const char *field, const char *value)
{
    char quoted[WIFI_SSID_MAX + PASSWORD_MAX];
    snprintf(quoted, sizeof(quoted), "\"%s\"", value);
    const char *const argv[] = {"wpa_cli", "-i", job->ifname, "set_network", job->net_id, field, quoted, NULL};
    argv_getline(argv);
}

static void set_error(const char *log_line, const char *status)
{
    printf("[WiFi-CONN] %s\n", log_line);
    conn_set_status(status);
}

/* Notes the enabled networks and the current one before the run changes
 * them. */
static int remember_network(const char *line, const char *id, const char *ssid, void *ctx)
{
    conn_job_t *job = (conn_job_t *)ctx;
    int flags = wifi_parse_net_flags(line);
    if ((flags & WIFI_NET_CURRENT) != 0) {
        copy_text(job->previous, sizeof(job->previous), id);
        copy_text(job->previous_ssid, sizeof(job->previous_ssid), ssid);
    }
    if ((flags & WIFI_NET_DISABLED) == 0 && job->enabled_count < WIFI_MAX_SAVED) {
        copy_text(job->enabled[job->enabled_count++], sizeof(job->enabled[0]), id);
    }
    return 1;
}

static void remember_networks(conn_job_t *job)
{
    wifi_each_network(job->ifname, remember_network, job);
}

/* A network the run removed is not enabled again. */
static void drop_remembered(conn_job_t *job, const char *id)
{
    for (int32_t i = 0; i < job->enabled_count; i++) {
        if (strcmp(job->enabled[i], id) == 0) {
            copy_text(job->enabled[i], sizeof(job->enabled[i]), job->enabled[--job->enabled_count]);
            return;
        }
    }
}

/* Enables again the networks enabled before the run, but `except`. */
static void enable_remembered(const conn_job_t *job, const char *except)
{
    for (int32_t i = 0; i < job->enabled_count; i++) {
        if (strcmp(job->enabled[i], except) != 0) {
            wpa_net(job, "enable_network", job->enabled[i]);
        }
    }
}

/* After a failed run: the network added in it goes, the supplicant returns
 * to the one it was connected to and the networks enabled before are enabled
 * again; then the configuration is saved. */
static void undo_run(const conn_job_t *job)
{
    if (job->added) {
        wpa_net(job, "remove_network", job->net_id);
    }
    if (job->previous[0] != '\0' && strcmp(job->previous, job->net_id) != 0) {
        printf("[WiFi-CONN] back to network %s\n", job->previous);
        wpa_net(job, "select_network", job->previous);
    }
    enable_remembered(job, job->previous);
    if (job->added || job->enabled_count > 0) {
        wpa(job, "save_config");
    }
}

/* A run stopped by wifi_scanner_disconnect leaves no untried network behind
 * in the supplicant. */
static void abandon(const conn_job_t *job)
{
    char text[LOG_TEXT_LEN];
    printf("[WiFi-CONN] stopped: disconnected while connecting to \"%s\"\n", shown(job->req.ssid, text));
    if (job->added && !job->associated) {
        wpa_net(job, "remove_network", job->net_id);
    }
}

/* --- Steps ---------------------------------------------------------------- */

/* Steps 3 to 6: the control tool and a supplicant that answers. */
static bool supplicant_ready(const conn_job_t *job)
{
    if (!shell_search("which wpa_cli 2>/dev/null", "wpa_cli")) {
        set_error("ERROR: wpa_cli not found", "Error: wpa_cli not found");
        return false;
    }
    const char *conf = wifi_path(WIFI_PATH_SUPPLICANT_CONF);
    if (shell_getline("pidof wpa_supplicant 2>/dev/null")[0] == '\0') {
        printf("[WiFi-CONN] wpa_supplicant not running, starting...\n");
        shell_getline_fmt("wpa_supplicant -B -i %s -c %s 2>/dev/null", job->ifname, conf);
        wifi_sleep_ms(SUPPLICANT_START_MS);
    }
    /* A supplicant that is there answers its ping in milliseconds. */
    char ping[COMMAND_LEN];
    snprintf(ping, sizeof(ping), "wpa_cli -i %s ping 2>/dev/null", job->ifname);
    if (shell_search_within(ping, "PONG", WIFI_ANSWER_TIMEOUT_MS)) {
        printf("[WiFi-CONN] wpa_cli -i %s OK\n", job->ifname);
        return true;
    }
    printf("[WiFi-CONN] wpa_cli -i %s not responding, restarting wpa_supplicant...\n", job->ifname);
    shell_getline("killall wpa_supplicant 2>/dev/null");
    wifi_sleep_ms(SUPPLICANT_KILL_MS);
    char test[COMMAND_LEN];
    snprintf(test, sizeof(test), "test -f %s 2>/dev/null", conf);
    if (!shell_succeeds(test)) {
        shell_getline_fmt("echo 'ctrl_interface=/var/run/wpa_supplicant' > %s 2>/dev/null", conf);
        shell_getline_fmt("echo 'update_config=1' >> %s 2>/dev/null", conf);
    }
    shell_getline_fmt("ip link set %s up 2>/dev/null", job->ifname);
    shell_getline_fmt("wpa_supplicant -B -i %s -c %s 2>/dev/null", job->ifname, conf);
    wifi_sleep_ms(SUPPLICANT_RESTART_MS);
    if (!shell_search_within(ping, "PONG", WIFI_ANSWER_TIMEOUT_MS)) {
        set_error("ERROR: wpa_supplicant still not responding", "Error: wpa_supplicant not available");
        return false;
    }
    printf("[WiFi-CONN] wpa_supplicant restarted OK\n");
    return true;
}

/* Step 10: a new network entry. Only a reply of digits is an id ("FAIL" is
 * not). */
static bool add_network(conn_job_t *job)
{
    printf("[WiFi-CONN] step2: add_network\n");
    char reply[16] = "";
    sscanf(wpa(job, "add_network"), "%15s", reply);
    if (!wifi_valid_net_id(reply)) {
        set_error("ERROR: add_network failed", "Error: add_network failed");
        return false;
    }
    copy_text(job->net_id, sizeof(job->net_id), reply);
    job->added = true;
    printf("[WiFi-CONN]   net_id=%s\n", job->net_id);
    return true;
}

/* Step 11: name, hidden probing and the access point. */
static void set_name(const conn_job_t *job)
{
    char text[LOG_TEXT_LEN];
    printf("[WiFi-CONN] step3: set_network ssid=\"%s\"\n", shown(job->req.ssid, text));
    set_network_quoted(job, "ssid", job->req.ssid);
    if (job->req.hidden != 0) {
        printf("[WiFi-CONN] step3b: scan_ssid=1 (hidden network)\n");
        shell_getline_fmt("wpa_cli -i %s set_network %s scan_ssid 1 2>/dev/null", job->ifname, job->net_id);
    }
    if (job->req.bssid[0] != '\0') {
        printf("[WiFi-CONN] step3c: bssid=%s\n", job->req.bssid);
        shell_getline_fmt("wpa_cli -i %s set_network %s bssid %s 2>/dev/null", job->ifname, job->net_id,
                          job->req.bssid);
    }
}

static sec_settings_t settings_for(int32_t sec)
{
    switch (sec) {
    case WIFI_SEC_OPEN:
        return {{"key_mgmt NONE", NULL, NULL}};
    case WIFI_SEC_WPA:
        return {{"key_mgmt WPA-PSK", "proto WPA", "pairwise TKIP"}};
    case WIFI_SEC_WPA2:
        return {{"key_mgmt WPA-PSK", "proto RSN", "pairwise CCMP"}};
    case WIFI_SEC_WPA3:
        return {{"key_mgmt SAE", "proto RSN", "pairwise CCMP"}};
    case WIFI_SEC_WPA2_WPA3:
        return {{"key_mgmt WPA-PSK SAE", "proto RSN", "pairwise CCMP"}};
    default:
        return {{"key_mgmt WPA-PSK", "proto WPA RSN", "pairwise TKIP CCMP"}};
    }
}

/* "wpa_cli -i IF set_network ID SETTING", its error output left to ours.
 * The log line is "[WiFi-CONN] " + `step` + the command. */
static void set_network_plain(const conn_job_t *job, const char *setting, const char *step)
{
    char command[COMMAND_LEN];
    snprintf(command, sizeof(command), "wpa_cli -i %s set_network %s %s", job->ifname, job->net_id, setting);
    printf("[WiFi-CONN] %s%s\n", step, command);
    shell_getline(command);
}

static void set_wep(const conn_job_t *job)
{
    printf("[WiFi-CONN] step4: WEP key (len=%zu)\n", strlen(job->req.password));
    set_network_plain(job, "auth_alg OPEN", "  ");
    set_network_plain(job, "key_mgmt NONE", "  ");
    set_network_quoted(job, "wep_key0", job->req.password);
    shell_getline_fmt("wpa_cli -i %s set_network %s wep_tx_keyidx 0 2>/dev/null", job->ifname, job->net_id);
}

/* Steps 12 and 13. The password itself is never logged, only its length. */
static void set_security(const conn_job_t *job)
{
    if (job->req.password[0] == '\0') {
        printf("[WiFi-CONN] step4: key_mgmt=NONE (open network)\n");
        shell_getline_fmt("wpa_cli -i %s set_network %s key_mgmt NONE 2>/dev/null", job->ifname, job->net_id);
        return;
    }
    if (job->req.sec == WIFI_SEC_WEP) {
        set_wep(job);
        return;
    }
    static const char *const steps[] = {"step4a: ", "step4b: ", "step4c: "};
    sec_settings_t sec = settings_for(job->req.sec);
    for (size_t i = 0; i < 3 && sec.settings[i] != NULL; i++) {
        set_network_plain(job, sec.settings[i], steps[i]);
    }
    if (job->req.sec == WIFI_SEC_WPA3) {
        printf("[WiFi-CONN] step4e: ieee80211w=2 (PMF required for WPA3)\n");
        shell_getline_fmt("wpa_cli -i %s set_network %s ieee80211w 2 2>/dev/null", job->ifname, job->net_id);
    }
    printf("[WiFi-CONN] step4f: set_network psk=**** (len=%zu)\n", strlen(job->req.password));
    set_network_quoted(job, "psk", job->req.password);
}

/* Steps 10 to 14 for a network not kept yet; false when the run ends. */
static bool configure_new_network(conn_job_t *job)
{
    if (!add_network(job)) {
        return false;
    }
    set_name(job);
    set_security(job);
    if (conn_stopped()) {
        return false;
    }
    printf("[WiFi-CONN] step5: enable_network + select_network\n");
    wpa_net(job, "enable_network", job->net_id);
    wpa_net(job, "select_network", job->net_id);
    printf("[WiFi-CONN] step6: reassociate\n");
    wpa(job, "reassociate");
    return true;
}

static void select_saved_network(conn_job_t *job, const char *saved_id)
{
    printf("[WiFi-CONN] reconnect: select_network %s (saved)\n", saved_id);
    wpa_net(job, "select_network", saved_id);
    wpa(job, "reassociate");
    copy_text(job->net_id, sizeof(job->net_id), saved_id);
}

/* --- Polling -------------------------------------------------------------- */

typedef struct {
    int32_t t;
    int handshake;
    char last_state[64];
    char state[64]; /* this poll's */
    const char *reason;
} poll_state_t;

static void store_bssid(wifi_conn_info_t *info, void *ctx)
{
    copy_text(info->bssid, sizeof(info->bssid), (const char *)ctx);
}

static void read_status(const conn_job_t *job, wifi_status_poll_t *poll)
{
    memset(poll, 0, sizeof(*poll));
    char command[COMMAND_LEN];
    snprintf(command, sizeof(command), "wpa_cli -i %s status 2>/dev/null", job->ifname);
    cmd_pipe_t pipe;
    if (cmd_open(&pipe, command, WIFI_CMD_TIMEOUT_MS) != 0) {
        return;
    }
    char line[STATUS_LINE_LEN];
    while (wifi_read_line(&pipe, line, sizeof(line))) {
        wifi_parse_status_line(line, poll);
    }
    cmd_close(&pipe);
}

static bool state_is(const char *state, const char *const names[], size_t count)
{
    for (size_t i = 0; i < count; i++) {
        if (strcmp(state, names[i]) == 0) {
            return true;
        }
    }
    return false;
}

static poll_outcome_t judge(const conn_job_t *job, poll_state_t *ps, const wifi_status_poll_t *poll)
{
    static const char *const lost_states[] = {"DISCONNECTED", "SCANNING", "INACTIVE", "INTERFACE_DISABLED"};
    const char *state = ps->state;
    if (strcmp(state, "WRONG_KEY") == 0 || strstr(state, "AUTH_FAILED") != NULL) {
        ps->reason = ps->handshake ? "Wrong password" : "Auth failed";
        return POLL_FAILURE;
    }
    if (ps->handshake && state_is(state, lost_states, sizeof(lost_states) / sizeof(lost_states[0]))) {
        ps->reason = "Wrong password";
        return POLL_FAILURE;
    }
    if (!ps->handshake && ps->t > DISCONNECTED_GRACE && strcmp(state, "DISCONNECTED") == 0) {
        ps->reason = "Auth failed";
        return POLL_FAILURE;
    }
    if (poll->completed) {
        return POLL_SUCCESS;
    }
    return ps->t == job->timeout ? POLL_TIMEOUT : POLL_NEXT;
}

/* One poll: sleep, read the status, log a changed state, keep the BSSID. */
static poll_outcome_t poll_once(const conn_job_t *job, poll_state_t *ps)
{
    ps->t++;
    wifi_sleep_ms(POLL_MS);
    wifi_status_poll_t poll;
    read_status(job, &poll);
    ps->handshake |= poll.handshake;
    copy_text(ps->state, sizeof(ps->state), poll.state);
    if (strcmp(ps->state, ps->last_state) != 0) {
        char text[LOG_TEXT_LEN];
        printf("[WiFi-CONN]   t=%ds wpa_state=%s%s\n", (int)ps->t, shown(ps->state, text),
               ps->handshake ? " (handshake seen)" : "");
        copy_text(ps->last_state, sizeof(ps->last_state), ps->state);
    }
    if (poll.bssid[0] != '\0') {
        conn_edit(store_bssid, poll.bssid);
    }
    return judge(job, ps, &poll);
}

/* Old entries of the same name, now that the new one has proved itself. */
static int remove_if_old(const char *line, const char *id, const char *ssid, void *ctx)
{
    (void)line;
    conn_job_t *job = (conn_job_t *)ctx;
    if (strcmp(ssid, job->req.ssid) == 0 && strcmp(id, job->net_id) != 0) {
        char text[LOG_TEXT_LEN];
        printf("[WiFi-CONN] removing old network %s (\"%s\")\n", id, shown(ssid, text));
        wpa_net(job, "remove_network", id);
        drop_remembered(job, id);
    }
    return 1;
}

static void remove_old_entries(conn_job_t *job)
{
    wifi_each_network(job->ifname, remove_if_old, job);
}

static void on_failure(const conn_job_t *job, const poll_state_t *ps)
{
    char text[LOG_TEXT_LEN];
    printf("[WiFi-CONN] FAIL: %s (wpa_state=%s, handshake=%d)\n", ps->reason, shown(ps->state, text), ps->handshake);
    conn_set_status(ps->reason);
    undo_run(job);
}

static void on_timeout(const conn_job_t *job, const poll_state_t *ps)
{
    char text[LOG_TEXT_LEN];
    printf("[WiFi-CONN] TIMEOUT after %ds, last_state=%s\n", (int)job->timeout, shown(ps->last_state, text));
    if (job->added) {
        printf("[WiFi-CONN] removing failed network %s\n", job->net_id);
    }
    undo_run(job);
    conn_set_status("Connection timeout");
}

static void give_back(wifi_conn_info_t *info, void *ctx)
{
    wifi_conn_info_t restored = *(const wifi_conn_info_t *)ctx;
    copy_text(restored.status, sizeof(restored.status), info->status);
    *info = restored;
    conn_given_back = 1;
}

/* After a failed run that left a connection the record held: once the
 * supplicant reports it is on that network again (within a few polls), the
 * record gets the connection back; else it stays disconnected. */
static void await_rejoin(const conn_job_t *job)
{
    if (job->earlier.connected != 1 || job->previous[0] == '\0' || strcmp(job->previous, job->net_id) == 0 ||
        strcmp(job->previous_ssid, job->earlier.ssid) != 0) {
        return;
    }
    char text[LOG_TEXT_LEN];
    for (int32_t t = 1; t <= REJOIN_POLLS; t++) {
        if (conn_stopped()) {
            return;
        }
        wifi_sleep_ms(POLL_MS);
        wifi_status_poll_t poll;
        read_status(job, &poll);
        if (!poll.completed) {
            continue;
        }
        if (strcmp(poll.id, job->previous) != 0) {
            break;
        }
        wifi_conn_info_t back = job->earlier;
        if (poll.bssid[0] != '\0') {
            copy_text(back.bssid, sizeof(back.bssid), poll.bssid);
        }
        if (conn_edit(give_back, &back) == 0) {
            printf("[WiFi-CONN] back on \"%s\" at t=%ds\n", shown(back.ssid, text), (int)t);
        }
        return;
    }
    printf("[WiFi-CONN] not back on \"%s\": disconnected\n", shown(job->earlier.ssid, text));
}

/* Step 15 and what follows; false when the run was stopped. */
static bool poll_association(conn_job_t *job)
{
    printf("[WiFi-CONN] step7: polling wpa_cli status (timeout=%ds)...\n", (int)job->timeout);
    poll_state_t ps = {};
    for (;;) {
        if (conn_stopped()) {
            return false;
        }
        poll_outcome_t outcome = poll_once(job, &ps);
        if (conn_stopped()) {
            return false;
        }
        switch (outcome) {
        case POLL_NEXT:
            continue;
        case POLL_FAILURE:
            on_failure(job, &ps);
            await_rejoin(job);
            return true;
        case POLL_TIMEOUT:
            on_timeout(job, &ps);
            await_rejoin(job);
            return true;
        case POLL_SUCCESS:
            break;
        }
        break;
    }
    job->associated = true;
    printf("[WiFi-CONN] SUCCESS: wpa_state=COMPLETED at t=%ds\n", (int)ps.t);
    if (job->added) {
        remove_old_entries(job);
    }
    enable_remembered(job, job->net_id);
    wpa(job, "save_config");
    printf("[WiFi-CONN] config saved for auto-connect\n");
    if (conn_stopped()) {
        return false;
    }
    wifi_addressing(&job->req, job->ifname, &record);
    return !conn_stopped();
}

static void start_record(wifi_conn_info_t *info, void *ctx)
{
    info->connected = 0;
    copy_text(info->status, sizeof(info->status), CONNECTING_TEXT);
    copy_text(info->ssid, sizeof(info->ssid), (const char *)ctx);
    info->bssid[0] = '\0';
}

/* The run after the request was taken; false when it was stopped. */
static bool run_job(conn_job_t *job, const char *saved_id)
{
    char text[LOG_TEXT_LEN];
    printf("[WiFi-CONN] connecting to SSID=\"%s\" sec=%d hidden=%d timeout=%ds reconnect=%d\n",
           shown(job->req.ssid, text), (int)job->req.sec, (int)job->req.hidden, (int)job->timeout, (int)job->reconnect);
    if (conn_edit(start_record, job->req.ssid) != 0) {
        return false;
    }
    if (wifi_if_copy(job->ifname) != 0) {
        set_error("ERROR: the interface name is not a plain name", "Error: invalid interface name");
        return true;
    }
    if (!supplicant_ready(job) || conn_stopped()) {
        return !conn_stopped();
    }
    remember_networks(job);
    printf("[WiFi-CONN] step1: disconnect any existing\n");
    wpa(job, "disconnect");
    if (conn_stopped()) {
        return false;
    }
    if (job->reconnect && saved_id[0] != '\0') {
        select_saved_network(job, saved_id);
    } else if (!configure_new_network(job)) {
        if (conn_stopped()) {
            return false;
        }
        /* The disconnect above has left the working network. */
        undo_run(job);
        await_rejoin(job);
        return true;
    }
    return poll_association(job);
}

static void *conn_thread(void *arg)
{
    (void)arg;
    wifi_worker_limits();
    conn_job_t job = {};
    char saved_id[WIFI_NET_ID_MAX + 1];
    pthread_mutex_lock(&conn_mutex);
    job.req = conn_params;
    job.timeout = effective_timeout(conn_params.timeout);
    job.reconnect = conn_reconnect;
    job.earlier = conn_earlier;
    copy_text(saved_id, sizeof(saved_id), conn_saved_net_id);
    conn_reconnect = 0;
    conn_saved_net_id[0] = '\0';
    pthread_mutex_unlock(&conn_mutex);

    if (!run_job(&job, saved_id)) {
        abandon(&job);
    }
    finish_worker();
    return NULL;
}

/* Starts conn_thread unless one runs. */
static void start_worker(const char *ssid, size_t password_len, int32_t sec)
{
    pthread_mutex_lock(&conn_mutex);
    bool busy = conn_running != 0;
    conn_running = 1;
    pthread_mutex_unlock(&conn_mutex);
    if (busy) {
        return;
    }
    char text[LOG_TEXT_LEN];
    printf("[WiFi-CONN] trigger_connect: SSID=\"%s\" pwd_len=%zu sec=%d\n", shown(ssid, text), password_len, (int)sec);
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, WORKER_STACK);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    pthread_t tid;
    if (pthread_create(&tid, &attr, conn_thread, NULL) != 0) {
        printf("[WiFi-CONN] ERROR: connection worker could not be started\n");
        pthread_mutex_lock(&conn_mutex);
        conn_running = 0;
        copy_text(conn_info.status, sizeof(conn_info.status), "Error: connection could not be started");
        pthread_mutex_unlock(&conn_mutex);
    }
    pthread_attr_destroy(&attr);
}

static bool worker_running(void)
{
    pthread_mutex_lock(&conn_mutex);
    bool running = conn_running != 0;
    pthread_mutex_unlock(&conn_mutex);
    return running;
}

/* A new record for a request: its name and first status. */
static void reset_record(const char *ssid, const char *status)
{
    conn_earlier = conn_info.connected == 1 ? conn_info : wifi_conn_info_t{};
    conn_given_back = 0;
    memset(&conn_info, 0, sizeof(conn_info));
    copy_text(conn_info.ssid, sizeof(conn_info.ssid), ssid);
    copy_text(conn_info.status, sizeof(conn_info.status), status);
    conn_cancel = 0;
}

/* The id of the first kept network of this name; false when there is none
 * or the list cannot be read. */
typedef struct {
    const char *ssid;
    char *id;
    bool found;
} saved_search_t;

static int match_saved(const char *line, const char *id, const char *ssid, void *ctx)
{
    (void)line;
    saved_search_t *search = (saved_search_t *)ctx;
    search->found = strcmp(ssid, search->ssid) == 0;
    if (search->found) {
        copy_text(search->id, WIFI_NET_ID_MAX + 1, id);
    }
    return !search->found;
}

static bool find_saved_id(const char *ssid, char id[WIFI_NET_ID_MAX + 1])
{
    char ifname[WIFI_IFNAME_MAX + 1];
    saved_search_t search = {ssid, id, false};
    return wifi_if_copy(ifname) == 0 && wifi_each_network(ifname, match_saved, &search) == 0 && search.found;
}

/* --- Interface ------------------------------------------------------------ */

void wifi_scanner_connect(const char *ssid, const char *password)
{
    if (ssid == NULL || ssid[0] == '\0') {
        return;
    }
    wifi_conn_params_t req;
    memset(&req, 0, sizeof(req));
    copy_field(req.ssid, sizeof(req.ssid), ssid, WIFI_SSID_MAX);
    bool open = password == NULL || password[0] == '\0';
    if (!open) {
        copy_field(req.password, sizeof(req.password), password, PASSWORD_MAX);
    }
    req.sec = open ? WIFI_SEC_OPEN : WIFI_SEC_AUTO;
    req.timeout = DEFAULT_TIMEOUT;
    wifi_scanner_connect_ex(&req);
}

void wifi_scanner_connect_ex(const wifi_conn_params_t *params)
{
    if (params == NULL || params->ssid[0] == '\0' || worker_running()) {
        return;
    }
    wifi_conn_params_t req;
    copy_request(&req, params);
    const char *refusal = request_refusal(&req);
    pthread_mutex_lock(&conn_mutex);
    conn_params = req;
    conn_reconnect = 0;
    conn_saved_net_id[0] = '\0';
    reset_record(req.ssid, refusal != NULL ? refusal : CONNECTING_TEXT);
    pthread_mutex_unlock(&conn_mutex);

    /* A refused BSSID or address may hold anything: it is logged escaped. */
    char text[LOG_TEXT_LEN];
    char bssid[FW_ESCAPE_MAX(sizeof(req.bssid))];
    char static_ip[FW_ESCAPE_MAX(sizeof(req.static_ip))];
    fw_escape(req.bssid, sizeof(req.bssid), bssid, sizeof(bssid));
    fw_escape(req.static_ip, sizeof(req.static_ip), static_ip, sizeof(static_ip));
    printf("[WiFi-CONN] connect_ex: SSID=\"%s\" sec=%d hidden=%d bssid=%s static_ip=%s timeout=%d\n",
           shown(req.ssid, text), (int)req.sec, (int)req.hidden, bssid[0] != '\0' ? bssid : "(any)",
           static_ip[0] != '\0' ? static_ip : "(DHCP)", (int)effective_timeout(req.timeout));
    if (refusal != NULL) {
        printf("[WiFi-CONN] connect_ex: refused: %s\n", refusal);
        return;
    }
    start_worker(req.ssid, strlen(req.password), req.sec);
}

void wifi_scanner_connect_saved(const char *ssid)
{
    if (ssid == NULL || ssid[0] == '\0' || worker_running()) {
        return;
    }
    char text[LOG_TEXT_LEN];
    pthread_mutex_lock(&conn_mutex);
    bool current = conn_info.connected == 1 && strcmp(conn_info.ssid, ssid) == 0;
    if (current) {
        /* The connection that is up answers this request. */
        conn_given_back = 0;
    }
    pthread_mutex_unlock(&conn_mutex);
    if (current) {
        printf("[WiFi-CONN] connect_saved: already connected to \"%s\", skip\n", shown(ssid, text));
        return;
    }
    char id[WIFI_NET_ID_MAX + 1];
    if (!find_saved_id(ssid, id)) {
        printf("[WiFi-CONN] connect_saved: \"%s\" not found in saved networks\n", shown(ssid, text));
        return;
    }
    printf("[WiFi-CONN] connect_saved: SSID=\"%s\" net_id=%s (select existing)\n", shown(ssid, text), id);
    pthread_mutex_lock(&conn_mutex);
    copy_text(conn_saved_net_id, sizeof(conn_saved_net_id), id);
    memset(&conn_params, 0, sizeof(conn_params));
    copy_field(conn_params.ssid, sizeof(conn_params.ssid), ssid, WIFI_SSID_MAX);
    conn_params.timeout = DEFAULT_TIMEOUT;
    conn_reconnect = 1;
    reset_record(conn_params.ssid, CONNECTING_TEXT);
    pthread_mutex_unlock(&conn_mutex);
    start_worker(ssid, 0, WIFI_SEC_AUTO);
}

void wifi_scanner_disconnect(void)
{
    printf("[WiFi-CONN] disconnect\n");
    /* First stop a running worker, so that it starts nothing more. */
    pthread_mutex_lock(&conn_mutex);
    if (conn_running != 0) {
        conn_cancel = 1;
    }
    if (dhcp_pgid > 0) {
        killpg(dhcp_pgid, SIGTERM);
    }
    pthread_mutex_unlock(&conn_mutex);

    char ifname[WIFI_IFNAME_MAX + 1];
    if (wifi_if_copy(ifname) == 0) {
        shell_getline_fmt("wpa_cli -i %s disconnect 2>/dev/null", ifname);
        /* A dhcpcd forks into the background after its lease: the process
         * group stopped above does not hold it. */
        wifi_stop_dhcp_clients(ifname, CLIENT_STOP_MS);
    }
    pthread_mutex_lock(&conn_mutex);
    conn_info.connected = 0;
    conn_info.ip[0] = '\0';
    conn_info.gateway[0] = '\0';
    conn_info.ssid[0] = '\0';
    conn_info.bssid[0] = '\0';
    copy_text(conn_info.status, sizeof(conn_info.status), "Disconnected");
    pthread_mutex_unlock(&conn_mutex);
}

const wifi_conn_info_t *wifi_scanner_get_conn_info(void)
{
    pthread_mutex_lock(&conn_mutex);
    conn_info_copy = conn_info;
    pthread_mutex_unlock(&conn_mutex);
    return &conn_info_copy;
}

int32_t wifi_scanner_is_connected(void)
{
    pthread_mutex_lock(&conn_mutex);
    int32_t connected = conn_info.connected;
    pthread_mutex_unlock(&conn_mutex);
    return connected;
}

int wifi_scanner_is_conn_done(void)
{
    return worker_running() ? 0 : 1;
}

int wifi_scanner_get_conn_result(char *ip, char *gateway, char *netmask, char *dns)
{
    pthread_mutex_lock(&conn_mutex);
    int ok = conn_info.connected == 1 && conn_info.ip[0] != '\0' && conn_given_back == 0;
    if (ok) {
        char *const out[] = {ip, gateway, netmask, dns};
        const char *const in[] = {conn_info.ip, conn_info.gateway, conn_info.netmask, conn_info.dns};
        for (size_t i = 0; i < 4; i++) {
            if (out[i] != NULL) {
                copy_field(out[i], 16, in[i], 15);
            }
        }
    }
    pthread_mutex_unlock(&conn_mutex);
    return ok;
}
