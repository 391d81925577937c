#include "user/ui_page/ui_page_main.h"

#include "ui/ui_data_update.h"
#include "user/ui_page/page_status_ctrl.h"

lv_ui_page_main_t lv_ui_page_main;

static void main_page_build(void)
{
    lv_obj_t *pager = lv_obj_create(ui_run_page.root_screen);
    lv_obj_set_pos(pager, 0, 0);
    lv_obj_set_size(pager, UI_SCREEN_WIDTH, UI_SCREEN_HEIGHT);
    lv_obj_set_style_bg_opa(pager, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(pager, 0, 0);
    lv_ui_page_main.pager = pager;
}

int32_t ui_page_main_start(void *arg)
{
    LV_UNUSED(arg);
    ui_page_t *self = &ui_page_table[PAGE_ID_MAIN];
    if (self->status == em_UI_STATUS_IDLE) {
        main_page_build();
        self->father_id = PAGE_ID_MAIN;
    } else {
        lv_obj_remove_flag(lv_ui_page_main.pager, LV_OBJ_FLAG_HIDDEN);
    }
    self->status = em_UI_STATUS_READY;
    return PAGE_ID_MAIN;
}

int32_t ui_page_main_run(int32_t arg)
{
    LV_UNUSED(arg);
    return 0;
}

int32_t ui_page_main_destroy(void)
{
    ui_run_page.main_run = 0;
    return 0;
}
