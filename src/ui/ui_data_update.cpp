#include "ui/ui_data_update.h"

ui_run_page_t ui_run_page;

/* Tick record of the two page timers. */
static struct {
    uint8_t run_flag_50ms : 1;
    int32_t tick_count_10ms;
} s_ui_timer;

void ui_user_init(void)
{
    user_ui_init();
    /* Created after the main page exists, so no hook runs before it. */
    lv_timer_create(update_label_timer_cb, UI_TICK_TIMER_PERIOD_MS, NULL);
    lv_timer_create(update_ui_timer_cb, UI_RUN_TIMER_PERIOD_MS, NULL);
}

void update_label_timer_cb(lv_timer_t *timer)
{
    LV_UNUSED(timer);
    /* A tick that finds the flag still raised is not counted. */
    if (s_ui_timer.run_flag_50ms) {
        return;
    }
    s_ui_timer.tick_count_10ms++;
    if (s_ui_timer.tick_count_10ms >= UI_TICKS_PER_RUN) {
        s_ui_timer.tick_count_10ms = 0;
        s_ui_timer.run_flag_50ms = 1;
    }
}

static bool page_runs(int32_t page_id)
{
    if (page_id < 0 || page_id >= PAGE_ID_COUNT) {
        return false;
    }
    const int32_t status = ui_page_table[page_id].status;
    return status >= UI_STATUS_RUN_MIN && status <= UI_STATUS_RUN_MAX;
}

void update_ui_timer_cb(lv_timer_t *timer)
{
    LV_UNUSED(timer);
    if (!s_ui_timer.run_flag_50ms) {
        return;
    }
    s_ui_timer.run_flag_50ms = 0;
    if (ui_run_page.main_run == UI_MAIN_RUN_ON) {
        ui_page_table[PAGE_ID_MAIN].run(0);
    }
    /* Read after the main page's run: that run may have switched pages. */
    const int32_t page_id = ui_run_page.run_page_id;
    if (page_runs(page_id)) {
        ui_page_table[page_id].run(0);
    }
}

void ui_timer_tick_cnt_fn(lv_timer_t *timer)
{
    update_label_timer_cb(timer);
}

void ui_timer_tick_run_fn(lv_timer_t *timer)
{
    update_ui_timer_cb(timer);
}
