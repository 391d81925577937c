#ifndef LV_INDEV_H
#define LV_INDEV_H

#include "../lv_conf_internal.h"
#include "../misc/lv_types.h"
#include "../misc/lv_area.h"
#include "../misc/lv_event.h"
#include "../misc/lv_timer.h"
#include "../core/lv_group.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Unlike LVGL 9.4, only pointer and keypad devices act: a button or an
 * encoder device is read, and what it reports is dropped. */
typedef enum {
    LV_INDEV_TYPE_NONE,
    LV_INDEV_TYPE_POINTER,
    LV_INDEV_TYPE_KEYPAD,
    LV_INDEV_TYPE_BUTTON,
    LV_INDEV_TYPE_ENCODER,
} lv_indev_type_t;

typedef enum {
    LV_INDEV_STATE_RELEASED = 0,
    LV_INDEV_STATE_PRESSED,
} lv_indev_state_t;

typedef enum {
    LV_INDEV_MODE_NONE = 0,
    LV_INDEV_MODE_TIMER,
    LV_INDEV_MODE_EVENT,
} lv_indev_mode_t;

typedef enum {
    LV_INDEV_GESTURE_NONE = 0,
    LV_INDEV_GESTURE_PINCH,
    LV_INDEV_GESTURE_SWIPE,
    LV_INDEV_GESTURE_ROTATE,
    LV_INDEV_GESTURE_TWO_FINGERS_SWIPE,
    LV_INDEV_GESTURE_SCROLL,
    LV_INDEV_GESTURE_CNT,
} lv_indev_gesture_type_t;

/** What a read callback reports; zero-filled before each call. */
typedef struct {
    lv_indev_gesture_type_t gesture_type[LV_INDEV_GESTURE_CNT];
    void * gesture_data[LV_INDEV_GESTURE_CNT];
    lv_indev_state_t state;
    lv_point_t point;
    uint32_t key;
    uint32_t btn_id;
    int16_t enc_diff;
    uint32_t timestamp;
    bool continue_reading;
} lv_indev_data_t;

typedef void (*lv_indev_read_cb_t)(lv_indev_t * indev, lv_indev_data_t * data);

lv_indev_t * lv_indev_create(void);
void lv_indev_delete(lv_indev_t * indev);
lv_indev_t * lv_indev_get_next(lv_indev_t * indev);
void lv_indev_read(lv_indev_t * indev);
void lv_indev_read_timer_cb(lv_timer_t * timer);
void lv_indev_enable(lv_indev_t * indev, bool enable);
lv_indev_t * lv_indev_active(void);
void lv_indev_set_type(lv_indev_t * indev, lv_indev_type_t indev_type);
void lv_indev_set_read_cb(lv_indev_t * indev, lv_indev_read_cb_t read_cb);
void lv_indev_set_user_data(lv_indev_t * indev, void * user_data);
void lv_indev_set_driver_data(lv_indev_t * indev, void * driver_data);
void lv_indev_set_display(lv_indev_t * indev, struct _lv_display_t * disp);
void lv_indev_set_long_press_time(lv_indev_t * indev, uint16_t long_press_time);
void lv_indev_set_long_press_repeat_time(lv_indev_t * indev, uint16_t long_press_repeat_time);
void lv_indev_set_scroll_limit(lv_indev_t * indev, uint8_t scroll_limit);
void lv_indev_set_scroll_throw(lv_indev_t * indev, uint8_t scroll_throw);
lv_indev_type_t lv_indev_get_type(const lv_indev_t * indev);
lv_indev_read_cb_t lv_indev_get_read_cb(lv_indev_t * indev);
lv_indev_state_t lv_indev_get_state(const lv_indev_t * indev);
lv_group_t * lv_indev_get_group(const lv_indev_t * indev);
lv_display_t * lv_indev_get_display(const lv_indev_t * indev);
void * lv_indev_get_user_data(const lv_indev_t * indev);
void * lv_indev_get_driver_data(const lv_indev_t * indev);
bool lv_indev_get_press_moved(const lv_indev_t * indev);
void lv_indev_reset(lv_indev_t * indev, lv_obj_t * obj);
void lv_indev_stop_processing(lv_indev_t * indev);
void lv_indev_reset_long_press(lv_indev_t * indev);
void lv_indev_set_cursor(lv_indev_t * indev, lv_obj_t * cur_obj);
void lv_indev_set_group(lv_indev_t * indev, lv_group_t * group);
void lv_indev_set_button_points(lv_indev_t * indev, const lv_point_t points[]);
void lv_indev_get_point(const lv_indev_t * indev, lv_point_t * point);
lv_dir_t lv_indev_get_gesture_dir(const lv_indev_t * indev);
uint32_t lv_indev_get_key(const lv_indev_t * indev);
uint8_t lv_indev_get_short_click_streak(const lv_indev_t * indev);
lv_dir_t lv_indev_get_scroll_dir(const lv_indev_t * indev);
lv_obj_t * lv_indev_get_scroll_obj(const lv_indev_t * indev);
void lv_indev_get_vect(const lv_indev_t * indev, lv_point_t * point);
lv_obj_t * lv_indev_get_cursor(lv_indev_t * indev);
void lv_indev_wait_release(lv_indev_t * indev);
lv_obj_t * lv_indev_get_active_obj(void);
lv_timer_t * lv_indev_get_read_timer(lv_indev_t * indev);
void lv_indev_set_mode(lv_indev_t * indev, lv_indev_mode_t mode);
lv_indev_mode_t lv_indev_get_mode(lv_indev_t * indev);
/** Topmost clickable object under point, starting at obj. */
lv_obj_t * lv_indev_search_obj(lv_obj_t * obj, lv_point_t * point);
void lv_indev_add_event_cb(lv_indev_t * indev, lv_event_cb_t event_cb, lv_event_code_t filter, void * user_data);
uint32_t lv_indev_get_event_count(lv_indev_t * indev);
lv_event_dsc_t * lv_indev_get_event_dsc(lv_indev_t * indev, uint32_t index);
bool lv_indev_remove_event(lv_indev_t * indev, uint32_t index);
uint32_t lv_indev_remove_event_cb_with_user_data(lv_indev_t * indev, lv_event_cb_t event_cb, void * user_data);
lv_result_t lv_indev_send_event(lv_indev_t * indev, lv_event_code_t code, void * param);

#ifdef __cplusplus
}
#endif

#endif /* LV_INDEV_H */
