#include "key_input.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include "key_input_internal.h"

/* Records are struct input_event as this process's ABI lays it out: 16 bytes
 * for 32-bit programs, 24 for 64-bit ones; the kernel hands each process
 * records of its own layout. */
#define RECORD_SIZE sizeof(struct input_event)

/* One call reads at most this many records, so a device that never runs dry
 * (/dev/zero, a runaway writer) cannot hold the GUI thread. */
#define MAX_RECORDS_PER_CALL 64

/* One read of the device by the GUI library calls back at most this many
 * times in a row; later key events wait for its next read. */
#define MAX_CHAINED_CALLS 32

#define KEY_VALUE_AUTO_REPEAT 2

/* Keys without a mapping reach the GUI library as their code plus this. */
#define EXTENDED_KEY_BASE 256

typedef struct key_map_entry_t {
    uint16_t linux_code;
    uint32_t lv_key;
} key_map_entry_t;

static const key_map_entry_t key_map[] = {
    {KEY_ESC, LV_KEY_ESC},     {KEY_BACKSPACE, LV_KEY_BACKSPACE}, {KEY_TAB, LV_KEY_NEXT},
    {KEY_ENTER, LV_KEY_ENTER}, {KEY_KPENTER, LV_KEY_ENTER},       {KEY_HOME, LV_KEY_HOME},
    {KEY_UP, LV_KEY_PREV},     {KEY_LEFT, LV_KEY_LEFT},           {KEY_RIGHT, LV_KEY_RIGHT},
    {KEY_END, LV_KEY_END},     {KEY_DOWN, LV_KEY_NEXT},           {KEY_DELETE, LV_KEY_DEL},
    {KEY_OK, LV_KEY_ENTER},    {KEY_PREVIOUS, LV_KEY_PREV},
};

typedef enum {
    READ_RECORD, /* a whole record was read */
    READ_NONE,   /* nothing (more) pending */
    READ_FAILED, /* the device is gone */
} read_result_t;

static const char *device_path = KEY_INPUT_DEVICE;

/* Once-only log of the first poll and the first event, for the whole process. */
static bool first_call = true;
static bool first_event = true;

void key_input_set_device_path(const char *path)
{
    device_path = path != NULL ? path : KEY_INPUT_DEVICE;
}

lv_indev_t *key_input_init(lv_display_t *display, lv_group_t *group)
{
    int fd = open(device_path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        LV_LOG_WARN("Cannot open %s: %s", device_path, strerror(errno));
        return NULL;
    }
    LV_LOG_USER("Using keyboard device: %s", device_path);

    key_input_data_t *drv = (key_input_data_t *)lv_malloc_zeroed(sizeof(key_input_data_t));
    if (drv == NULL) {
        LV_LOG_ERROR("Failed to allocate key_input driver data");
        close(fd);
        return NULL;
    }
    drv->fd = fd;
    drv->key = 0;
    drv->state = LV_INDEV_STATE_RELEASED;

    lv_indev_t *indev = lv_indev_create();
    if (indev == NULL) {
        LV_LOG_ERROR("Failed to create LVGL input device");
        lv_free(drv);
        close(fd);
        return NULL;
    }
    lv_indev_set_type(indev, LV_INDEV_TYPE_KEYPAD);
    lv_indev_set_read_cb(indev, key_input_read_cb);
    lv_indev_set_driver_data(indev, drv);
    lv_indev_set_display(indev, display);
    if (group != NULL) {
        lv_indev_set_group(indev, group);
    }
    lv_indev_add_event_cb(indev, key_input_delete_cb, LV_EVENT_DELETE, NULL);
    return indev;
}

static uint32_t map_linux_key(uint16_t code)
{
    uint32_t key = code + EXTENDED_KEY_BASE;
    const char *suffix = " [extended]";
    for (size_t i = 0; i < sizeof(key_map) / sizeof(key_map[0]); i++) {
        if (key_map[i].linux_code == code) {
            key = key_map[i].lv_key;
            suffix = "";
            break;
        }
    }
    LV_LOG_USER("key_input: linux_code=%u → lv_key=%u%s", code, key, suffix);
    return key;
}

/* Completes the record begun in `partial`. An event device only ever gives
 * whole records; a FIFO or a file may stop inside one, and the rest comes
 * with a later call. */
static read_result_t read_record(key_input_data_t *drv, struct input_event *ev)
{
    while (drv->partial_len < RECORD_SIZE) {
        ssize_t n = read(drv->fd, drv->partial + drv->partial_len, RECORD_SIZE - drv->partial_len);
        if (n > 0) {
            drv->partial_len += (uint32_t)n;
        } else if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) {
            return READ_NONE; /* a FIFO without a writer reads 0 */
        } else if (errno != EINTR) {
            return READ_FAILED;
        }
    }
    memcpy(ev, drv->partial, RECORD_SIZE);
    drv->partial_len = 0;
    return READ_RECORD;
}

/* A device that fails to read (unplugged: ENODEV) is closed; the keypad
 * device stays and reports nothing more. */
static void device_failed(key_input_data_t *drv)
{
    LV_LOG_WARN("key_input: device lost: %s", strerror(errno));
    close(drv->fd);
    drv->fd = -1;
    drv->partial_len = 0;
}

/* Reads records up to the next key event and takes it into `key` and
 * `state`: true when one was taken. */
static bool take_key_event(key_input_data_t *drv)
{
    struct input_event ev;
    for (int i = 0; i < MAX_RECORDS_PER_CALL; i++) {
        read_result_t result = read_record(drv, &ev);
        if (result == READ_FAILED) {
            device_failed(drv);
        }
        if (result != READ_RECORD) {
            return false;
        }
        if (first_event) {
            first_event = false;
            LV_LOG_USER("key_input: first event received — type=%u code=%u value=%d", ev.type, ev.code, ev.value);
        }
        if (ev.type != EV_KEY || ev.value == KEY_VALUE_AUTO_REPEAT) {
            continue;
        }
        LV_LOG_USER("key_input: raw evdev code=%u value=%d (%s)", ev.code, ev.value,
                    ev.value != 0 ? "PRESS" : "RELEASE");
        drv->key = map_linux_key(ev.code);
        drv->state = ev.value != 0 ? LV_INDEV_STATE_PRESSED : LV_INDEV_STATE_RELEASED;
        return true;
    }
    return false;
}

void key_input_read_cb(lv_indev_t *indev, lv_indev_data_t *data)
{
    key_input_data_t *drv = (key_input_data_t *)lv_indev_get_driver_data(indev);
    if (drv == NULL || drv->fd < 0) {
        return;
    }
    if (first_call) {
        first_call = false;
        LV_LOG_USER("key_input: read callback is being polled (fd=%d)", drv->fd);
    }

    bool changed;
    if (drv->state == LV_INDEV_STATE_PRESSED) {
        /* The last call reported a press: this one reports its release,
         * before anything the device holds after it. A press and its release
         * read together, or a second key pressed before the first is let go,
         * so reach the GUI library as two whole key strokes, none lost. */
        drv->state = LV_INDEV_STATE_RELEASED;
        changed = true;
    } else {
        changed = take_key_event(drv);
    }
    data->key = drv->key;
    data->state = (lv_indev_state_t)drv->state;
    data->continue_reading = changed && drv->chained < MAX_CHAINED_CALLS;
    drv->chained = data->continue_reading ? drv->chained + 1 : 0;
}

void key_input_delete_cb(lv_event_t *event)
{
    lv_indev_t *indev = (lv_indev_t *)lv_event_get_target(event);
    key_input_data_t *drv = (key_input_data_t *)lv_indev_get_driver_data(indev);
    if (drv == NULL) {
        return;
    }
    if (drv->fd >= 0) {
        close(drv->fd);
    }
    lv_indev_set_driver_data(indev, NULL);
    lv_free(drv);
}
