/*
 * The busy overlay: while the Airable service answers WAITING, a dimmed
 * full-screen layer on the root screen shows "Busy . . .", a turning image
 * and a close icon. It lies above every page and takes every press that
 * falls on it; the close icon ends it, as does the answer that ends the
 * request. At most one overlay exists at a time.
 */
#include "ui/ui_assets.h"
#include "ui/ui_colors.h"
#include "ui/ui_data_update.h"
#include "ui/ui_obj_util.h"
#include "user/ui_page/ui_page_main_private.h"

#define OVERLAY_OPA 180
#define CLOSE_OPA 200
#define CLOSE_RADIUS 10

#define BUSY_IMAGE_SIZE 80
#define BUSY_PIVOT (BUSY_IMAGE_SIZE / 2)

/* 1 while the rotation runs. */
static uint8_t g_load_busy_rotating;
static lv_anim_t g_load_busy_anim;

static void load_busy_angle_cb(void *var, int32_t value)
{
    lv_image_set_rotation((lv_obj_t *)var, value);
}

static void busy_obj_show(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *overlay = m->busy_obj = lv_obj_create(ui_run_page.root_screen);
    lv_obj_set_pos(overlay, 0, 0);
    lv_obj_set_size(overlay, MAIN_PAGE_WIDTH, MAIN_PAGE_HEIGHT);
    lv_obj_set_style_bg_color(overlay, lv_color_hex(UI_COLOR_BLACK), 0);
    lv_obj_set_style_bg_opa(overlay, OVERLAY_OPA, 0);
    lv_obj_set_style_border_width(overlay, 0, 0);

    lv_obj_t *label = m->busy_label = lv_label_create(overlay);
    lv_obj_set_pos(label, 143, 337);
    lv_obj_set_size(label, 323, 40);
    lv_obj_set_style_text_font(label, &lv_font_montserrat_24, 0);
    lv_obj_set_style_text_color(label, lv_color_hex(UI_COLOR_WHITE), 0);
    lv_obj_set_style_text_align(label, LV_TEXT_ALIGN_CENTER, 0);
    lv_label_set_long_mode(label, LV_LABEL_LONG_MODE_DOTS);
    lv_label_set_text(label, "Busy . . .");

    lv_obj_t *image = m->busy_image = lv_image_create(overlay);
    lv_obj_set_pos(image, 264, 184);
    lv_obj_set_size(image, BUSY_IMAGE_SIZE, BUSY_IMAGE_SIZE);
    lv_image_set_src(image, &img_ico_load_busy);
    lv_image_set_pivot(image, BUSY_PIVOT, BUSY_PIVOT);

    lv_obj_t *close = m->busy_close = lv_image_create(overlay);
    lv_obj_set_pos(close, 550, 3);
    lv_obj_set_size(close, 50, 50);
    lv_image_set_src(close, &img_ico_deletion);
    lv_obj_set_style_bg_color(close, lv_color_hex(UI_COLOR_CLOSE), 0);
    lv_obj_set_style_bg_opa(close, CLOSE_OPA, 0);
    lv_obj_set_style_radius(close, CLOSE_RADIUS, 0);
    lv_obj_set_style_bg_color(close, lv_color_hex(UI_COLOR_WHITE), LV_STATE_PRESSED);
    lv_obj_set_style_bg_opa(close, CLOSE_OPA, LV_STATE_PRESSED);
    lv_obj_add_flag(close, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_add_event_cb(close, busy_back_event_cb, LV_EVENT_CLICKED, NULL);
}

static void busy_obj_hide(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    if (m->busy_obj) {
        lv_obj_delete(m->busy_obj);
    }
    m->busy_obj = NULL;
    m->busy_close = NULL;
    m->busy_image = NULL;
    m->busy_label = NULL;
}

/* An overlay that is up, spinning or not, is never built a second time: one
 * left without its image would otherwise lie under a new one, with no slot
 * left to remove it by, and swallow every tap. */
void main_start_busy_rotation(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    if (g_load_busy_rotating == 1 || m->busy_obj != NULL) {
        return;
    }
    busy_obj_show();
    if (m->busy_image == NULL) {
        return;
    }
    ui_obj_spin(&g_load_busy_anim, m->busy_image, BUSY_PIVOT, BUSY_PIVOT, load_busy_angle_cb);
    g_load_busy_rotating = 1;
}

void main_stop_busy_rotation(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    if (m->busy_image) {
        ui_obj_spin_stop(m->busy_image, load_busy_angle_cb);
        g_load_busy_rotating = 0;
    }
    if (m->busy_obj) {
        busy_obj_hide();
    }
}

/* The request that raised the overlay goes on; a later WAITING answer to it
 * raises the overlay again. */
void busy_back_event_cb(lv_event_t *e)
{
    if (lv_event_get_code(e) == LV_EVENT_CLICKED) {
        main_stop_busy_rotation();
    }
}

void main_page_busy_reset(void)
{
    g_load_busy_rotating = 0;
}
