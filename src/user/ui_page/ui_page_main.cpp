/* Main page hooks: first build and registration, re-show, the run hook's
 * play-info polling and the clock and date. */
#include "user/ui_page/ui_page_main.h"

#include <stdio.h>
#include <string.h>

#include "comm/airable_data_exchange.h"
#include "comm/airplay_data_exchange.h"
#include "comm/spotify_data_exchange.h"
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"
#include "user/ui_page/page_status_ctrl.h"
#include "user/ui_page/ui_page_main_private.h"

/* The run hook sends a play-info query on every QUERY_EVERY-th call made
 * while a source is active, and refreshes the clock on every CLOCK_EVERY-th. */
#define QUERY_EVERY 10
#define CLOCK_EVERY 50
#define DATE_TEXT_LEN 64
#define TIME_TEXT_LEN 16
#define TM_YEAR_BASE 1900

lv_ui_page_main_t lv_ui_page_main;

static const char *const weekdays_cn[7] = {
    "星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六",
};

/* Run-hook counters, from the page's start: the tree is built once, at
 * process start. */
static int32_t query_tick;
static int32_t tick_cnt;

static void run_counters_reset(void)
{
    query_tick = 0;
    tick_cnt = 0;
}

static time_t clock_now(void)
{
    return time(NULL);
}

static ui_page_main_clock_fn_t clock_fn = clock_now;

void ui_page_main_set_clock(ui_page_main_clock_fn_t fn)
{
    clock_fn = fn ? fn : clock_now;
}

static void register_controllers(void)
{
    airplay_data_register_ui_cb(airplay_ui_event_cb);
    airplay_data_exchange_init();
    spotify_data_register_ui_cb(spotify_ui_event_cb);
    spotify_data_exchange_init();
    airable_data_register_ui_cb(airable_ui_event_cb);
    airable_data_exchange_init();
}

int32_t ui_page_main_start(void *arg)
{
    LV_UNUSED(arg);
    ui_page_t *self = &ui_run_page.page_table[PAGE_ID_MAIN];
    if (self->status != em_UI_STATUS_IDLE) {
        UI_LOG("em_UI_STATUS_READY  is ok \n");
        lv_obj_remove_flag(ui_run_page.page_main->pager, LV_OBJ_FLAG_HIDDEN);
        self->status = em_UI_STATUS_READY;
        self->father_id = PAGE_ID_MAIN;
        return PAGE_ID_MAIN;
    }

    run_counters_reset();
    main_page_pager_reset();
    main_page_now_playing_reset();
    main_page_list_reset();
    main_page_busy_reset();
    main_page_build();
    register_controllers();

    lv_obj_remove_flag(lv_ui_page_main.pager, LV_OBJ_FLAG_HIDDEN);
    self->status = em_UI_STATUS_READY;
    self->father_id = PAGE_ID_MAIN;
    UI_LOG("em_UI_STATUS_READY  not ok it's started ! \n");
    return PAGE_ID_MAIN;
}

/* Sets a label's text only when it changed: an unchanged clock then costs no
 * redraw of the home page. */
static void label_update(lv_obj_t *label, const char *text)
{
    if (strcmp(lv_label_get_text(label), text) != 0) {
        lv_label_set_text(label, text);
    }
}

static void clock_update(void)
{
    const time_t now = clock_fn();
    struct tm tm;
    if (localtime_r(&now, &tm) == NULL) {
        return;
    }
    char date[DATE_TEXT_LEN];
    snprintf(date, sizeof date, "%s  %d/%d/%d", weekdays_cn[tm.tm_wday], tm.tm_year + TM_YEAR_BASE, tm.tm_mon + 1,
             tm.tm_mday);
    label_update(lv_ui_page_main.label_date, date);
    char clock[TIME_TEXT_LEN];
    snprintf(clock, sizeof clock, "%02d:%02d", tm.tm_hour, tm.tm_min);
    label_update(lv_ui_page_main.label_time, clock);
}

int32_t ui_page_main_run(int32_t arg)
{
    LV_UNUSED(arg);
    const main_source_t *source = main_source_of(ui_run_page.app_id);
    if (source) {
        query_tick++;
        if (query_tick >= QUERY_EVERY) {
            query_tick = 0;
            (void)source->query();
        }
    }
    tick_cnt++;
    if (tick_cnt < CLOCK_EVERY) {
        return 0;
    }
    clock_update();
    tick_cnt = 0;
    return 0;
}

int32_t ui_page_main_destroy(void)
{
    ui_run_page.main_run = 0;
    return PAGE_ID_MAIN;
}
