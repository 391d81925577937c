/* Pager navigation: while the pager moves, a fast step hides the control
 * overlays and the status bar shows away from the home page; when it comes
 * to rest, the page in view sets the status bar's source icon. */
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"
#include "user/ui_page/ui_page_main_private.h"

/* A step of this many pixels or more between two scroll events is fast. */
#define FAST_STEP 20
/* The status bar shows once the home page is more than 64 px out of view. */
#define STATUS_BAR_FROM_X 577
#define LAST_PAGE (MAIN_PAGE_COUNT - 1)

/* Scroll position at the previous scroll event. */
static int32_t last_x;

void main_page_pager_reset(void)
{
    last_x = 0;
}

int32_t main_page_index_at(int32_t scroll_x)
{
    const int32_t half = MAIN_PAGE_WIDTH / 2;
    if (scroll_x <= -3 * half) {
        return 0;
    }
    if (scroll_x >= LAST_PAGE * MAIN_PAGE_WIDTH + half) {
        return LAST_PAGE;
    }
    return (scroll_x + half) / MAIN_PAGE_WIDTH;
}

lv_obj_t *get_current_page_obj(void)
{
    lv_obj_t *pager = lv_ui_page_main.pager;
    return lv_obj_get_child(pager, main_page_index_at(lv_obj_get_scroll_x(pager)));
}

static void on_scroll(lv_obj_t *pager)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    const int32_t x = lv_obj_get_scroll_x(pager);
    if (x - last_x >= FAST_STEP || last_x - x >= FAST_STEP) {
        lv_obj_add_flag(m->group_ctrl_page_1, LV_OBJ_FLAG_HIDDEN);
        lv_obj_add_flag(m->group_ctrl_page_2, LV_OBJ_FLAG_HIDDEN);
    }
    last_x = x;
    if (x >= STATUS_BAR_FROM_X) {
        lv_obj_remove_flag(m->status_bar, LV_OBJ_FLAG_HIDDEN);
    } else {
        lv_obj_add_flag(m->status_bar, LV_OBJ_FLAG_HIDDEN);
    }
}

/* The status-bar mark of the active source; NULL before any was chosen. */
static const lv_image_dsc_t *source_mark(int32_t app_id)
{
    const main_source_t *source = main_source_of(app_id);
    return source ? source->mark : NULL;
}

/* The status bar's label and source icon for the page that came to rest. */
static void bar_for_page(int32_t page)
{
    switch (page) {
    case MAIN_PAGE_PLAYING_1:
    case MAIN_PAGE_PLAYING_2:
        set_bar_msg(NULL, source_mark(ui_run_page.app_id));
        break;
    case MAIN_PAGE_AIRABLE_LIST:
        set_bar_msg(NULL, source_mark(APP_ID_AIRABLE)); /* whatever the active source */
        break;
    default:
        break;
    }
}

void main_page_scroll_event_cb(lv_event_t *e)
{
    lv_obj_t *pager = (lv_obj_t *)lv_event_get_current_target(e);
    switch (lv_event_get_code(e)) {
    case LV_EVENT_SCROLL:
        on_scroll(pager);
        break;
    case LV_EVENT_SCROLL_END: {
        const int32_t page = main_page_index_at(lv_obj_get_scroll_x(pager));
        lv_ui_page_main.cur_page = page;
        UI_LOG("scroll end, page: %d, scroll_x: %d\n", (int)page, (int)lv_obj_get_scroll_x(pager));
        bar_for_page(page);
        break;
    }
    default:
        break;
    }
}
