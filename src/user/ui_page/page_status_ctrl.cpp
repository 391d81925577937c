#include "user/ui_page/page_status_ctrl.h"

#include "ui/ui_colors.h"
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"
#include "user/ui_page/ui_page_main.h"
#include "user/ui_page/ui_page_wifi.h"

#define UI_FONT_FILE "HarmonyOS_Sans_SC_Medium.ttf"
#define UI_FONT_SIZE_SMALL 24
#define UI_FONT_SIZE_LARGE 32
#define UI_NO_FATHER (-1)

ui_page_t ui_page_table[PAGE_ID_COUNT] = {
    {UI_NO_FATHER, PAGE_ID_MAIN, em_UI_STATUS_IDLE, ui_page_main_start, ui_page_main_run, ui_page_main_destroy},
    {UI_NO_FATHER, PAGE_ID_WIFI, em_UI_STATUS_IDLE, ui_page_wifi_start, ui_page_wifi_run, ui_page_wifi_destroy},
};

static lv_obj_t *root_screen_create(void)
{
    lv_obj_t *screen = lv_obj_create(NULL);
    lv_obj_set_pos(screen, 0, 0);
    lv_obj_set_size(screen, UI_SCREEN_WIDTH, UI_SCREEN_HEIGHT);
    lv_obj_set_style_bg_color(screen, lv_color_hex(UI_COLOR_ROOT), 0);
    lv_obj_set_style_bg_opa(screen, LV_OPA_COVER, 0);
    lv_obj_update_layout(screen);
    lv_screen_load(screen);
    return screen;
}

static lv_font_t *font_create(uint32_t size)
{
    lv_font_t *font =
        lv_freetype_font_create(UI_FONT_FILE, LV_FREETYPE_FONT_RENDER_MODE_BITMAP, size, LV_FREETYPE_FONT_STYLE_NORMAL);
    if (font == NULL) {
        LV_LOG_ERROR("freetype font create failed.");
    }
    return font;
}

void user_ui_init(void)
{
    ui_run_page.run_page_id = PAGE_ID_MAIN;
    ui_run_page.root_screen = root_screen_create();
    UI_LOG("user_ui_init    ok!\n");

    ui_run_page.list_head = ListDataUIListInit();
    ui_run_page.font_24 = font_create(UI_FONT_SIZE_SMALL);
    ui_run_page.font_32 = font_create(UI_FONT_SIZE_LARGE);
    ui_run_page.page_table = ui_page_table;
    ui_run_page.entry_fn = entry_ui_page;

    ui_page_table[PAGE_ID_MAIN].start(NULL);
    ui_run_page.page_main = &lv_ui_page_main;
    ui_run_page.main_run = UI_MAIN_RUN_ON;
}

int32_t entry_ui_page(int32_t page_id)
{
    /* A page id outside the table would index past it: refused, and the
     * current page stays. */
    if (page_id < 0 || page_id >= PAGE_ID_COUNT) {
        LV_LOG_ERROR("no page %d", (int)page_id);
        return -1;
    }
    const int32_t current = ui_run_page.run_page_id;
    if (current == PAGE_ID_MAIN) {
        lv_obj_add_flag(ui_run_page.page_main->pager, LV_OBJ_FLAG_HIDDEN);
    } else {
        ui_page_table[current].destroy();
    }
    const int32_t next = ui_page_table[page_id].start(ui_page_table);
    ui_run_page.run_page_id = next;
    UI_LOG("****    run_page_id_status    ****[%d] \n", (int)next);
    return 0;
}
