/*
 * The WiFi backend: scans with iw, keeps and joins networks through the
 * supplicant's control tool wpa_cli, and gives the interface its address by
 * DHCP (or statically).
 *
 * Scans and connections run on detached worker threads (one of each at a
 * time); the WiFi page starts them and polls the "done" queries from its run
 * hook, then reads the results from module-owned records. Nothing here calls
 * into the GUI library. Every other call runs on the caller's thread (the GUI
 * thread) and blocks it for one short wpa_cli command at most: one that does
 * not answer is cut off after a second, and logged.
 *
 * Outside text (a network name from the air, a password from the keyboard)
 * never meets a shell: it reaches wpa_cli as one argument of its own.
 */
#ifndef WIFI_SCANNER_LVGL_H
#define WIFI_SCANNER_LVGL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define WIFI_MAX_APS 128
#define WIFI_MAX_SAVED 32
#define WIFI_SSID_MAX 32

/* One access point as the scan found it. */
typedef struct {
    char ssid[33];     /* "<hidden>" when the scan showed no name */
    char bssid[18];    /* aa:bb:cc:dd:ee:ff */
    int32_t signal;    /* dBm */
    int32_t channel;   /* 0 outside the 2.4 and 5 GHz bands */
    int32_t freq;      /* MHz */
    int32_t encrypted; /* 1 when an RSN or WPA element was seen */
    char enc[16];      /* "WPA2", "WPA" or "Open" */
} wifi_ap_t;

/* One network the supplicant keeps in its configuration. */
typedef struct {
    char ssid[33];
    int32_t net_id;
} wifi_saved_net_t;

/* Security of a connection request; any other value counts as AUTO. Without
 * a password the network is set up as open whatever this says. */
typedef enum {
    WIFI_SEC_AUTO = 0, /* WPA or WPA2 personal, either cipher */
    WIFI_SEC_OPEN = 1,
    WIFI_SEC_WEP = 2,      /* key index 0 */
    WIFI_SEC_WPA = 3,      /* TKIP */
    WIFI_SEC_WPA2 = 4,     /* CCMP */
    WIFI_SEC_WPA3 = 5,     /* SAE, CCMP, management-frame protection required */
    WIFI_SEC_WPA_WPA2 = 6, /* as AUTO */
    WIFI_SEC_WPA2_WPA3 = 7,
} wifi_sec_t;

/* A connection request. */
typedef struct {
    char ssid[33];      /* must not be empty */
    char password[64];  /* empty: open network */
    int32_t sec;        /* wifi_sec_t */
    char bssid[20];     /* access point to lock to (aa:bb:cc:dd:ee:ff); empty: any */
    int32_t hidden;     /* non-zero: probe for the network by name */
    char static_ip[16]; /* dotted IPv4; empty: DHCP */
    char gateway[16];   /* static case; may be empty */
    char netmask[16];   /* prefix length or dotted mask; empty: 24 */
    char dns[16];       /* static case; may be empty */
    int32_t timeout;    /* status polls, one a second; 0 or less: 30 */
} wifi_conn_params_t;

/* The connection record the caller polls. */
typedef struct {
    char ip[16];
    char gateway[16];
    char netmask[16];
    char dns[16];
    char ssid[33];     /* network being joined or joined */
    char bssid[18];    /* access point the supplicant reports */
    char status[128];  /* for the user: "Connecting...", "Connected", a reason */
    int32_t connected; /* 1 once joined with an address (or back on it after a failed join) */
} wifi_conn_info_t;

/* --- Scanning and saved networks ---------------------------------------- */

/* The wireless interface every command names ("wlan0" until set). The module
 * keeps the pointer, so the text must stay valid; a name that is not a plain
 * interface name (letters, digits, '.', '-', '_', at most 15) is refused by
 * the commands that would carry it. */
void wifi_scanner_set_interface(const char *ifname);

/* Starts a scan on its worker unless one runs. It takes at least 5 s. A
 * scan that runs from before wifi_scanner_forget_scans is followed by a new
 * one, and the query below stays 0 until that has ended. */
void wifi_scanner_trigger_scan(void);

/* 1 when no scan runs (the last one has published its list or given up). */
int wifi_scanner_is_scan_done(void);

/* The last published scan, strongest first, one record per SSID; `count`
 * (may be null) receives its length. A scan that failed leaves the previous
 * list. Valid until the next call. */
const wifi_ap_t *wifi_scanner_get_ap_list(int32_t *count);

/* WiFi goes off: the published list is emptied, and no scan started before
 * this call publishes anything, so that after WiFi is on again only a new
 * scan fills the list (and one that fails leaves it empty). */
void wifi_scanner_forget_scans(void);

/* The networks the supplicant keeps, in its order (at most 32); `count` (may
 * be null) receives 0 when wpa_cli cannot be run. Valid until the next call. */
const wifi_saved_net_t *wifi_scanner_get_saved_networks(int32_t *count);

/* Removes every kept network of this name and saves the configuration;
 * returns how many were removed. */
int32_t wifi_scanner_forget_network(const char *ssid);

/* --- Connecting ---------------------------------------------------------- */

/* Joins `ssid` with `password` (null or empty: an open network); the name is
 * cut to 32 bytes, the password to 63. Does nothing for an empty name or
 * while a connection runs. */
void wifi_scanner_connect(const char *ssid, const char *password);

/* The same with every setting of the request. A BSSID, static address,
 * gateway, netmask or DNS server that is not in its plain form is refused:
 * no worker runs and the record's status says why. */
void wifi_scanner_connect_ex(const wifi_conn_params_t *params);

/* Joins a network the supplicant already keeps; does nothing when it is the
 * one connected, is not kept, or a connection runs. */
void wifi_scanner_connect_saved(const char *ssid);

/* Disconnects, and stops the DHCP clients that serve the device. A
 * connection still running is stopped: it reports nothing more, so the
 * record keeps "Disconnected". */
void wifi_scanner_disconnect(void);

/* A copy of the connection record taken now; valid until the next call. */
const wifi_conn_info_t *wifi_scanner_get_conn_info(void);

int32_t wifi_scanner_is_connected(void);

/* 1 when no connection runs. */
int wifi_scanner_is_conn_done(void);

/* When connected with an address: copies address, gateway, netmask and DNS
 * server into the non-null buffers (16 bytes each) and returns 1; else 0.
 * After a failed run it stays 0 even when the record is connected again to
 * the network the run left, until the next connect call (a call for that
 * network is answered by the connection that is up). */
int wifi_scanner_get_conn_result(char *ip, char *gateway, char *netmask, char *dns);

#ifdef __cplusplus
}
#endif

#endif /* WIFI_SCANNER_LVGL_H */
