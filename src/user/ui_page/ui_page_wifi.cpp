#include "user/ui_page/ui_page_wifi.h"

#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"

static lv_obj_t *wifi_screen;

int32_t ui_page_wifi_start(void *arg)
{
    ui_page_t *self = &ui_page_table[PAGE_ID_WIFI];
    const ui_page_t *first = static_cast<const ui_page_t *>(arg);
    if (first != NULL) {
        self->father_id = first->father_id;
    }
    if (self->status == em_UI_STATUS_IDLE) {
        wifi_screen = lv_obj_create(ui_run_page.root_screen);
        lv_obj_set_pos(wifi_screen, 0, 0);
        lv_obj_set_size(wifi_screen, UI_SCREEN_WIDTH, UI_SCREEN_HEIGHT);
    }
    self->status = em_UI_STATUS_READY;
    return PAGE_ID_WIFI;
}

int32_t ui_page_wifi_run(int32_t arg)
{
    LV_UNUSED(arg);
    if (ui_run_page.flags.wifi_back) {
        ui_run_page.flags.wifi_back = 0;
        /* Destroys this page: nothing of it may be touched after the call. */
        ui_run_page.entry_fn(ui_page_table[PAGE_ID_WIFI].father_id);
    }
    return 0;
}

int32_t ui_page_wifi_destroy(void)
{
    ui_page_t *self = &ui_page_table[PAGE_ID_WIFI];
    self->status = em_UI_STATUS_EXIT;
    if (wifi_screen != NULL) {
        lv_obj_delete(wifi_screen);
        wifi_screen = NULL;
    }
    self->status = em_UI_STATUS_IDLE;
    return self->father_id;
}
