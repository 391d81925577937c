/*
 * Readers of the wireless and network tools' output, and the checks that
 * decide whether a value may stand in a command.
 *
 * The tools print text from outside (a network name is whatever an access
 * point sends), so a field is recognised only where the tool puts it: at the
 * start of its line. A name such as "wpa_state=COMPLETED" or one containing
 * "SSID:" cannot pose as a field of its own.
 */
#include <arpa/inet.h>
#include <ctype.h>
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "fw_common.h"
#include "wifi/wifi_scanner_internal.h"

#define LOG_TEXT_MAX 160

/* 2.4 and 5 GHz channel plans, in MHz. */
#define FREQ_CH14 2484
#define FREQ24_FIRST 2412
#define FREQ24_LAST 2472
#define FREQ24_BASE 2407
#define FREQ5_FIRST 5005
#define FREQ5_LAST 5900
#define FREQ5_BASE 5000
#define CHANNEL_SPACING 5
#define CHANNEL14 14

#define IPV4_BITS 32
#define MAC_LEN 17

static bool starts_with(const char *s, const char *prefix)
{
    return strncmp(s, prefix, strlen(prefix)) == 0;
}

static const char *skip_blanks(const char *s)
{
    while (*s == ' ' || *s == '\t') {
        s++;
    }
    return s;
}

/* Copies the text up to the first blank or line end, at most cap - 1 bytes;
 * the length of the word (which may exceed what was copied). */
static size_t copy_word(const char *s, char *out, size_t cap)
{
    s = skip_blanks(s);
    size_t len = 0;
    while (s[len] != '\0' && !isspace((unsigned char)s[len])) {
        if (len + 1 < cap) {
            out[len] = s[len];
        }
        len++;
    }
    out[len < cap ? len : cap - 1] = '\0';
    return len;
}

/* The first integer of s after the characters that cannot start one
 * (a '-' can when allow_minus), clamped to 32 bits; false when none. */
static bool first_int(const char *s, bool allow_minus, int32_t *out)
{
    while (*s != '\0' && !isdigit((unsigned char)*s) && !(allow_minus && *s == '-')) {
        s++;
    }
    char *end = NULL;
    errno = 0;
    long v = strtol(s, &end, 10);
    if (end == s) {
        return false;
    }
    if (v > INT32_MAX) {
        v = INT32_MAX;
    } else if (v < INT32_MIN) {
        v = INT32_MIN;
    }
    *out = (int32_t)v;
    return true;
}

static int hex_value(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

static void copy_text(char *dst, size_t cap, const char *src)
{
    snprintf(dst, cap, "%s", src);
}

static void log_ap(int32_t index, const wifi_ap_t *ap, bool with_freq)
{
    char ssid[LOG_TEXT_MAX];
    char bssid[LOG_TEXT_MAX];
    fw_escape(ap->ssid, sizeof(ap->ssid), ssid, sizeof(ssid));
    fw_escape(ap->bssid, sizeof(ap->bssid), bssid, sizeof(bssid));
    const char *kind = ap->encrypted ? "encrypted" : "open";
    if (with_freq) {
        printf("[WiFi] AP[%d]: SSID=\"%s\" BSSID=%s CH=%d SIG=%d ENC=%s (%s)  FREQ=%d\n", (int)index, ssid, bssid,
               (int)ap->channel, (int)ap->signal, ap->enc, kind, (int)ap->freq);
    } else {
        printf("[WiFi] AP[%d]: SSID=\"%s\" BSSID=%s CH=%d SIG=%d ENC=%s (%s)\n", (int)index, ssid, bssid,
               (int)ap->channel, (int)ap->signal, ap->enc, kind);
    }
}

/* Finishes the pending record and stores it behind the others. */
static void store_pending(wifi_scan_parse_t *p, bool long_format)
{
    wifi_ap_t *ap = &p->pending;
    if (ap->ssid[0] == '\0') {
        copy_text(ap->ssid, sizeof(ap->ssid), WIFI_HIDDEN_SSID);
    }
    if (ap->enc[0] == '\0') {
        copy_text(ap->enc, sizeof(ap->enc), "Open");
    }
    log_ap(p->count, ap, long_format);
    p->records[p->count++] = *ap;
    p->has_pending = 0;
}

/* "BSS aa:bb:cc:dd:ee:ff(on wlan0) -- associated": the address alone. */
static void start_record(wifi_scan_parse_t *p, const char *line)
{
    memset(&p->pending, 0, sizeof(p->pending));
    copy_word(line + strlen("BSS "), p->pending.bssid, sizeof(p->pending.bssid));
    char *paren = strchr(p->pending.bssid, '(');
    if (paren != NULL) {
        *paren = '\0';
    }
    p->has_pending = 1;
}

static void read_ssid(wifi_ap_t *ap, const char *text)
{
    char raw[1024];
    copy_text(raw, sizeof(raw), skip_blanks(text));
    size_t len = strlen(raw);
    while (len > 0 && (raw[len - 1] == '\n' || raw[len - 1] == '\r')) {
        raw[--len] = '\0';
    }
    wifi_ssid_unescape(raw, ap->ssid);
}

/* --- iw scan dump -------------------------------------------------------- */

void wifi_scan_parse_init(wifi_scan_parse_t *p, wifi_ap_t *records)
{
    memset(p, 0, sizeof(*p));
    p->records = records;
}

int wifi_scan_parse_line(wifi_scan_parse_t *p, const char *line)
{
    if (p->count >= WIFI_MAX_APS) {
        return 0;
    }
    if (starts_with(line, "BSS ")) {
        if (p->has_pending) {
            store_pending(p, true);
        }
        start_record(p, line);
        return 1;
    }
    if (!p->has_pending) {
        return 1;
    }
    wifi_ap_t *ap = &p->pending;
    const char *field = skip_blanks(line);
    if (starts_with(field, "freq:")) {
        if (first_int(field + strlen("freq:"), false, &ap->freq)) {
            ap->channel = wifi_freq_to_channel(ap->freq);
        }
    } else if (starts_with(field, "signal:")) {
        first_int(field + strlen("signal:"), true, &ap->signal);
    } else if (starts_with(field, "SSID:")) {
        read_ssid(ap, field + strlen("SSID:"));
    } else if (starts_with(field, "RSN:")) {
        ap->encrypted = 1;
        copy_text(ap->enc, sizeof(ap->enc), "WPA2");
    } else if (starts_with(field, "WPA:") && !ap->encrypted) {
        ap->encrypted = 1;
        copy_text(ap->enc, sizeof(ap->enc), "WPA");
    }
    return 1;
}

void wifi_scan_parse_end(wifi_scan_parse_t *p)
{
    if (p->has_pending && p->count < WIFI_MAX_APS) {
        store_pending(p, false);
    }
    p->has_pending = 0;
}

int ap_signal_cmp(const void *a, const void *b)
{
    int32_t sa = ((const wifi_ap_t *)a)->signal;
    int32_t sb = ((const wifi_ap_t *)b)->signal;
    return (sb > sa) - (sb < sa);
}

int32_t wifi_scan_sort_dedup(wifi_ap_t *records, int32_t count)
{
    if (count <= 0) {
        return 0;
    }
    qsort(records, (size_t)count, sizeof(records[0]), ap_signal_cmp);
    int32_t kept = 1;
    for (int32_t i = 1; i < count; i++) {
        bool repeat = false;
        for (int32_t k = 0; k < kept && !repeat; k++) {
            repeat = strcmp(records[k].ssid, records[i].ssid) == 0;
        }
        if (!repeat) {
            records[kept++] = records[i];
        }
    }
    if (kept != count) {
        printf("[WiFi] dedup: %d -> %d unique SSIDs\n", (int)count, (int)kept);
    }
    return kept;
}

int32_t wifi_freq_to_channel(int32_t freq)
{
    if (freq == FREQ_CH14) {
        return CHANNEL14;
    }
    if (freq >= FREQ24_FIRST && freq <= FREQ24_LAST) {
        return (freq - FREQ24_BASE) / CHANNEL_SPACING;
    }
    if (freq >= FREQ5_FIRST && freq <= FREQ5_LAST) {
        return (freq - FREQ5_BASE) / CHANNEL_SPACING;
    }
    return 0;
}

/* How the tools print a name: iw writes a byte as \xNN unless it is
 * printable, not a backslash and not a blank at either end; wpa_cli also
 * writes \\, \", \e, \n, \r and \t. A NUL ends the name: hidden networks
 * often send their name's length in zero bytes. */
void wifi_ssid_unescape(const char *text, char out[WIFI_SSID_MAX + 1])
{
    static const char short_from[] = "\\\"enrt";
    static const char short_to[] = "\\\"\033\n\r\t";
    size_t n = 0;
    for (const char *s = text; *s != '\0' && n < WIFI_SSID_MAX;) {
        const char *shorthand = s[0] == '\\' && s[1] != '\0' ? strchr(short_from, s[1]) : NULL;
        int hi = s[0] == '\\' && s[1] == 'x' ? hex_value(s[2]) : -1;
        int lo = hi >= 0 ? hex_value(s[3]) : -1;
        char byte = *s;
        size_t used = 1;
        if (lo >= 0) {
            byte = (char)(hi * 16 + lo);
            used = 4;
        } else if (shorthand != NULL) {
            byte = short_to[shorthand - short_from];
            used = 2;
        }
        if (byte == '\0') {
            break;
        }
        out[n++] = byte;
        s += used;
    }
    out[n] = '\0';
}

/* --- wpa_cli ------------------------------------------------------------- */

/* "id<TAB>ssid<TAB>bssid<TAB>flags", the name escaped as wpa_cli prints
 * it. An id longer than 7 digits would name another network once cut, so
 * such a line is skipped like one without an id. */
int wifi_parse_net_line(const char *line, char id[WIFI_NET_ID_MAX + 1], char ssid[WIFI_SSID_MAX + 1])
{
    const char *tab = strchr(line, '\t');
    if (tab == NULL) {
        return 0;
    }
    size_t id_len = (size_t)(tab - line);
    if (id_len == 0 || id_len > WIFI_NET_ID_MAX) {
        return 0;
    }
    memcpy(id, line, id_len);
    id[id_len] = '\0';
    if (!wifi_valid_net_id(id)) {
        return 0;
    }
    const char *name = tab + 1;
    char raw[256];
    snprintf(raw, sizeof(raw), "%.*s", (int)strcspn(name, "\t\r\n"), name);
    wifi_ssid_unescape(raw, ssid);
    return 1;
}

/* "[TEMP-DISABLED]" is a network the supplicant keeps enabled. */
int wifi_parse_net_flags(const char *line)
{
    const char *flags = line;
    for (int column = 0; column < 3; column++) {
        flags = strchr(flags, '\t');
        if (flags == NULL) {
            return 0;
        }
        flags++;
    }
    int found = 0;
    if (strstr(flags, "[CURRENT]") != NULL) {
        found |= WIFI_NET_CURRENT;
    }
    if (strstr(flags, "[DISABLED]") != NULL) {
        found |= WIFI_NET_DISABLED;
    }
    return found;
}

void wifi_parse_status_line(const char *line, wifi_status_poll_t *poll)
{
    if (starts_with(line, "wpa_state=")) {
        copy_word(line + strlen("wpa_state="), poll->state, sizeof(poll->state));
        if (starts_with(line, "wpa_state=COMPLETED")) {
            poll->completed = 1;
        }
        if (starts_with(line, "wpa_state=4WAY_HANDSHAKE")) {
            poll->handshake = 1;
        }
    } else if (starts_with(line, "bssid=")) {
        copy_word(line + strlen("bssid="), poll->bssid, sizeof(poll->bssid));
    } else if (starts_with(line, "id=")) {
        /* An id cut to fit would name another network. */
        if (copy_word(line + strlen("id="), poll->id, sizeof(poll->id)) >= sizeof(poll->id)) {
            poll->id[0] = '\0';
        }
    }
}

/* --- ip and the resolver file -------------------------------------------- */

void wifi_prefix_to_mask(int prefix, char out[16])
{
    uint32_t mask = 0;
    if (prefix >= IPV4_BITS) {
        mask = UINT32_MAX;
    } else if (prefix > 0) {
        mask = UINT32_MAX << (IPV4_BITS - prefix);
    }
    snprintf(out, 16, "%u.%u.%u.%u", (unsigned)(mask >> 24), (unsigned)((mask >> 16) & 0xFF),
             (unsigned)((mask >> 8) & 0xFF), (unsigned)(mask & 0xFF));
}

/* "    inet 192.168.1.5/24 brd 192.168.1.255 scope global wlan0" */
int wifi_parse_addr_line(const char *line, char ip[16], char netmask[16])
{
    const char *inet = strstr(line, "inet ");
    if (inet == NULL || strstr(line, "scope global") == NULL) {
        return 0;
    }
    const char *s = inet + strlen("inet ");
    size_t len = strcspn(s, "/ \t\r\n");
    char address[16];
    if (len == 0 || len >= sizeof(address)) {
        return 0;
    }
    memcpy(address, s, len);
    address[len] = '\0';
    if (!wifi_valid_ipv4(address)) {
        return 0;
    }
    copy_text(ip, 16, address);
    int32_t prefix = 0;
    if (s[len] == '/' && isdigit((unsigned char)s[len + 1]) && first_int(s + len + 1, false, &prefix)) {
        wifi_prefix_to_mask(prefix, netmask);
    }
    return 1;
}

/* "default via 192.168.1.1 dev wlan0 proto dhcp" */
int wifi_parse_route_line(const char *line, char gateway[16])
{
    const char *via = strstr(line, "via ");
    char word[16];
    if (via == NULL || copy_word(via + strlen("via "), word, sizeof(word)) >= sizeof(word) || !wifi_valid_ipv4(word)) {
        return 0;
    }
    copy_text(gateway, 16, word);
    return 1;
}

int wifi_parse_resolv_line(const char *line, char dns[16])
{
    char word[16];
    if (!starts_with(line, "nameserver ") ||
        copy_word(line + strlen("nameserver "), word, sizeof(word)) >= sizeof(word) || !wifi_valid_ipv4(word)) {
        return 0;
    }
    copy_text(dns, 16, word);
    return 1;
}

/* --- Plain forms --------------------------------------------------------- */

int wifi_valid_ifname(const char *name)
{
    size_t len = name != NULL ? strlen(name) : 0;
    if (len == 0 || len > WIFI_IFNAME_MAX || name[0] == '-') {
        return 0;
    }
    return strspn(name, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-") == len;
}

int wifi_valid_net_id(const char *id)
{
    size_t len = id != NULL ? strlen(id) : 0;
    return len > 0 && len <= WIFI_NET_ID_MAX && strspn(id, "0123456789") == len;
}

int wifi_valid_bssid(const char *bssid)
{
    if (bssid == NULL || strlen(bssid) != MAC_LEN) {
        return 0;
    }
    for (int i = 0; i < MAC_LEN; i++) {
        bool colon_place = i % 3 == 2;
        if (colon_place ? bssid[i] != ':' : hex_value(bssid[i]) < 0) {
            return 0;
        }
    }
    return 1;
}

int wifi_valid_ipv4(const char *address)
{
    struct in_addr parsed;
    return address != NULL && inet_pton(AF_INET, address, &parsed) == 1;
}

/* A prefix length of 0 to 32, or a dotted mask. */
int wifi_valid_netmask(const char *netmask)
{
    size_t len = netmask != NULL ? strlen(netmask) : 0;
    if (len > 0 && len <= 2 && strspn(netmask, "0123456789") == len) {
        return atoi(netmask) <= IPV4_BITS;
    }
    return wifi_valid_ipv4(netmask);
}
