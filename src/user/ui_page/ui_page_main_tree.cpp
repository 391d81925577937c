/*
 * The main page's widget tree, built once by the first start.
 *
 * Positions are relative to the parent's content area, so the default
 * theme's padding of plain objects (which most rows keep) shifts children.
 * Sibling order is creation order: it fixes the flex order and the drawing
 * order (a later sibling lies above an earlier one).
 */
#include <stdio.h>
#include <stdlib.h>

#include "ui/ui_assets.h"
#include "ui/ui_colors.h"
#include "ui/ui_data_update.h"
#include "ui/ui_obj_util.h"
#include "user/ui_page/ui_page_main_private.h"

#define BACKGROUND_IMAGE "./background_image_8.png"

#define OPA_PRESSED_TILE 188
#define OPA_PRESSED_BUTTON 100

#define TILE_W 134
#define TILE_H 160
#define ICON_SIZE 102
#define BUTTON_SIZE 80
#define CTRL_OVERLAY_W 642
#define CTRL_COLUMN_H 273
#define CTRL_COLUMN_MAX_W 500
#define INFO_ROWS 4

/* -- small helpers ------------------------------------------------------ */

static void not_scrollable(lv_obj_t *obj)
{
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_SCROLLABLE);
}

static void not_clickable(lv_obj_t *obj)
{
    lv_obj_remove_flag(obj, LV_OBJ_FLAG_CLICKABLE);
}

static void hidden(lv_obj_t *obj)
{
    lv_obj_add_flag(obj, LV_OBJ_FLAG_HIDDEN);
}

static void centred(lv_obj_t *obj)
{
    lv_obj_align(obj, LV_ALIGN_CENTER, 0, 0);
}

static void flex_centre(lv_obj_t *obj, lv_flex_flow_t flow)
{
    lv_obj_set_layout(obj, LV_LAYOUT_FLEX);
    lv_obj_set_flex_flow(obj, flow);
    lv_obj_set_flex_align(obj, LV_FLEX_ALIGN_CENTER, LV_FLEX_ALIGN_CENTER, LV_FLEX_ALIGN_CENTER);
}

static void text_look(lv_obj_t *label, uint32_t color, const lv_font_t *font)
{
    lv_obj_set_style_text_color(label, lv_color_hex(color), 0);
    lv_obj_set_style_text_font(label, font, 0);
}

/* The FreeType fonts are NULL when the font file was missing; the labels
 * then use the built-in font of the same size (Latin text only). */
static const lv_font_t *font_24(void)
{
    return ui_run_page.font_24 ? ui_run_page.font_24 : &lv_font_montserrat_24;
}

static const lv_font_t *font_32(void)
{
    return ui_run_page.font_32 ? ui_run_page.font_32 : &lv_font_montserrat_32;
}

static lv_obj_t *page_create(lv_obj_t *pager)
{
    lv_obj_t *page = lv_obj_create(pager);
    lv_obj_set_size(page, LV_PCT(100), LV_PCT(100));
    ui_obj_pads_zero(page);
    ui_obj_frame_none(page);
    return page;
}

static void page_dark(lv_obj_t *page)
{
    lv_obj_set_style_bg_color(page, lv_color_hex(UI_COLOR_PAGE), 0);
    lv_obj_set_style_bg_opa(page, LV_OPA_COVER, 0);
}

/* -- page root and pager ------------------------------------------------ */

static void build_root(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    m->page_root = lv_obj_create(ui_run_page.root_screen);
    lv_obj_set_pos(m->page_root, 0, 0);
    lv_obj_set_size(m->page_root, LV_PCT(100), LV_PCT(100));
    ui_obj_pads_zero(m->page_root);
    lv_obj_set_style_bg_opa(m->page_root, LV_OPA_TRANSP, 0);
    ui_obj_frame_none(m->page_root);

    lv_obj_t *pager = lv_obj_create(m->page_root);
    m->pager = pager;
    lv_obj_set_pos(pager, 0, 0);
    lv_obj_set_size(pager, MAIN_PAGE_WIDTH, MAIN_PAGE_HEIGHT);
    ui_obj_pads_zero(pager);
    ui_obj_frame_none(pager);
    ui_obj_pager(pager);
    lv_obj_set_style_bg_color(pager, lv_color_hex(UI_COLOR_BLACK), 0);
    lv_obj_set_style_bg_opa(pager, LV_OPA_TRANSP, 0);
}

/* -- page_0: home ------------------------------------------------------- */

/* Caption geometries of the tiles. */
typedef enum { CAPTION_A, CAPTION_B, CAPTION_C, CAPTION_D } caption_kind_t;

typedef struct {
    int16_t x;
    int16_t y;
    const char *caption;
    caption_kind_t kind;
    const lv_image_dsc_t *image;
} tile_def_t;

static const tile_def_t tile_defs[MAIN_TILE_COUNT] = {
    {-3, -1, "Airplay", CAPTION_A, &img_ico_airplay},
    {156, -1, "Spotify", CAPTION_B, &img_ico_spotify},
    {316, -1, "电台", CAPTION_B, &img_ico_internet_radio},
    {475, -1, "最近播放", CAPTION_B, &img_ico_recently_played},
    {-3, 159, "设置", CAPTION_A, &img_ico_set},
    {156, 159, "Podcast", CAPTION_B, &img_ico_podcast},
    {316, 159, "EQ", CAPTION_B, &img_ico_eq},
    {475, 159, "Volume", CAPTION_B, &img_ico_preset},
    {-3, 319, "信息", CAPTION_B, &img_ico_information},
    {156, 319, "音源输入", CAPTION_B, &img_ico_audio_input},
    {316, 319, "播放器", CAPTION_C, &img_ico_player},
    {475, 319, "Deezer", CAPTION_D, &img_ico_deezer},
    {-4, 479, "Idagio", CAPTION_B, &img_ico_idagio},
    {155, 479, "Qobuz", CAPTION_B, &img_ico_qobuz},
    {315, 479, "Tidal", CAPTION_C, &img_ico_tidal},
    {474, 479, "播放器", CAPTION_D, &img_ico_screen},
    {-3, 639, "信息", CAPTION_B, &img_ico_information},
    {156, 639, "音源输入", CAPTION_B, &img_ico_audio_input},
    {316, 639, "播放器", CAPTION_C, &img_ico_player},
    {475, 639, "播放器", CAPTION_D, &img_ico_screen},
};

static void caption_place(lv_obj_t *label, caption_kind_t kind)
{
    switch (kind) {
    case CAPTION_A:
        lv_obj_set_pos(label, 0, 97);
        lv_obj_set_size(label, ICON_SIZE, 28);
        lv_obj_set_style_text_align(label, LV_TEXT_ALIGN_CENTER, 0);
        break;
    case CAPTION_B:
        lv_obj_set_pos(label, -2, 97);
        lv_obj_set_size(label, ICON_SIZE, LV_SIZE_CONTENT);
        lv_obj_set_style_text_align(label, LV_TEXT_ALIGN_CENTER, 0);
        break;
    case CAPTION_C:
        lv_obj_set_pos(label, -2, 97);
        lv_obj_set_size(label, ICON_SIZE, 28);
        lv_obj_set_style_text_align(label, LV_TEXT_ALIGN_CENTER, 0);
        break;
    case CAPTION_D:
        lv_obj_set_pos(label, 13, 97);
        lv_obj_set_size(label, LV_SIZE_CONTENT, LV_SIZE_CONTENT);
        break;
    }
}

static void build_tile(lv_obj_t *grid, main_tile_t *t, const tile_def_t *def)
{
    t->tile = lv_obj_create(grid);
    lv_obj_set_pos(t->tile, def->x, def->y);
    lv_obj_set_size(t->tile, TILE_W, TILE_H);
    lv_obj_set_scrollbar_mode(t->tile, LV_SCROLLBAR_MODE_OFF);
    lv_obj_set_style_bg_opa(t->tile, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(t->tile, 0, 0);

    t->label = lv_label_create(t->tile);
    text_look(t->label, UI_COLOR_WHITE, &ui_font_font_main);
    lv_label_set_text_static(t->label, def->caption);
    caption_place(t->label, def->kind);

    /* A pressed icon darkens. */
    t->icon = lv_image_create(t->tile);
    lv_image_set_src(t->icon, def->image);
    lv_obj_set_pos(t->icon, -2, -10);
    lv_obj_set_size(t->icon, ICON_SIZE, ICON_SIZE);
    lv_obj_add_flag(t->icon, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_set_style_image_opa(t->icon, LV_OPA_COVER, LV_STATE_PRESSED);
    lv_obj_set_style_image_recolor(t->icon, lv_color_hex(UI_COLOR_BLACK), LV_STATE_PRESSED);
    lv_obj_set_style_image_recolor_opa(t->icon, OPA_PRESSED_TILE, LV_STATE_PRESSED);
}

static void build_page_0(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *page = m->page_0 = page_create(m->pager);
    lv_obj_set_style_bg_opa(page, LV_OPA_TRANSP, 0);
    lv_obj_set_scrollbar_mode(page, LV_SCROLLBAR_MODE_OFF);

    lv_obj_t *header = m->page_0_header = lv_obj_create(page);
    lv_obj_set_pos(header, 0, 0);
    lv_obj_set_size(header, MAIN_PAGE_WIDTH, 80);
    not_scrollable(header);
    lv_obj_set_scrollbar_mode(header, LV_SCROLLBAR_MODE_OFF);
    lv_obj_set_style_bg_opa(header, LV_OPA_TRANSP, 0);
    ui_obj_frame_none(header);

    m->label_brand = lv_label_create(header);
    lv_obj_set_pos(m->label_brand, 420, -4);
    lv_obj_set_size(m->label_brand, 189, 56);
    text_look(m->label_brand, UI_COLOR_WHITE, &lv_font_montserrat_42);
    lv_obj_set_style_text_align(m->label_brand, LV_TEXT_ALIGN_RIGHT, 0);
    lv_label_set_text_static(m->label_brand, "Kiv");

    m->label_date = lv_label_create(header);
    lv_obj_set_pos(m->label_date, 185, 10);
    lv_obj_set_size(m->label_date, 235, 28);
    lv_label_set_long_mode(m->label_date, LV_LABEL_LONG_MODE_SCROLL);
    lv_obj_set_style_text_align(m->label_date, LV_TEXT_ALIGN_CENTER, 0);
    text_look(m->label_date, UI_COLOR_WHITE, font_24());
    lv_obj_set_style_text_letter_space(m->label_date, 0, 0);
    lv_label_set_text_static(m->label_date, " ");

    m->label_time = lv_label_create(header);
    lv_obj_set_pos(m->label_time, -3, -4);
    lv_obj_set_size(m->label_time, 188, 56);
    text_look(m->label_time, UI_COLOR_WHITE, &lv_font_montserrat_48);
    lv_obj_set_style_text_align(m->label_time, LV_TEXT_ALIGN_LEFT, 0);
    lv_label_set_text_static(m->label_time, " ");

    lv_obj_t *grid = m->tile_grid = lv_obj_create(page);
    lv_obj_set_pos(grid, 0, 80);
    lv_obj_set_size(grid, MAIN_PAGE_WIDTH, 400);
    lv_obj_set_scrollbar_mode(grid, LV_SCROLLBAR_MODE_OFF);
    lv_obj_set_scroll_dir(grid, LV_DIR_VER);
    ui_obj_frame_none(grid);
    lv_obj_set_style_bg_opa(grid, LV_OPA_TRANSP, 0);
    for (int i = 0; i < MAIN_TILE_COUNT; i++) {
        build_tile(grid, &m->tiles[i], &tile_defs[i]);
    }
}

/* -- now-playing pages -------------------------------------------------- */

/* The five transport buttons of a control row: shuffle, previous, play,
 * next, repeat; only play is shown at start. */
static lv_obj_t *image_button(lv_obj_t *row, const lv_image_dsc_t *src, bool shown)
{
    lv_obj_t *b = lv_image_create(row);
    lv_image_set_src(b, src);
    lv_obj_set_size(b, BUTTON_SIZE, BUTTON_SIZE);
    not_scrollable(b);
    lv_obj_add_flag(b, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_set_style_image_recolor(b, lv_color_hex(UI_COLOR_BLACK), LV_STATE_PRESSED);
    lv_obj_set_style_image_recolor_opa(b, OPA_PRESSED_BUTTON, LV_STATE_PRESSED);
    if (!shown) {
        hidden(b);
    }
    return b;
}

typedef struct {
    lv_obj_t **random;
    lv_obj_t **previous;
    lv_obj_t **play;
    lv_obj_t **next;
    lv_obj_t **repeat;
} ctrl_buttons_t;

static void build_ctrl_buttons(lv_obj_t *row, const ctrl_buttons_t *b)
{
    *b->random = image_button(row, &img_ico_ctrl_music_random, false);
    *b->previous = image_button(row, &img_ico_ctrl_music_previous, false);
    *b->play = image_button(row, &img_ico_ctrl_music_play, true);
    *b->next = image_button(row, &img_ico_ctrl_music_next, false);
    *b->repeat = image_button(row, &img_ico_ctrl_music_playlist_repeat, false);
}

/* The veil over a now-playing page; it takes no clicks, so a tap on it
 * reaches the page. */
static lv_obj_t *ctrl_overlay(lv_obj_t *page, lv_opa_t veil)
{
    lv_obj_t *o = lv_obj_create(page);
    centred(o);
    lv_obj_set_size(o, CTRL_OVERLAY_W, MAIN_PAGE_HEIGHT);
    not_clickable(o);
    not_scrollable(o);
    lv_obj_set_style_bg_color(o, lv_color_hex(UI_COLOR_BLACK), 0);
    lv_obj_set_style_bg_opa(o, veil, 0);
    ui_obj_frame_none(o);
    return o;
}

static lv_obj_t *ctrl_column(lv_obj_t *overlay)
{
    lv_obj_t *c = lv_obj_create(overlay);
    centred(c);
    lv_obj_set_size(c, LV_SIZE_CONTENT, CTRL_COLUMN_H);
    lv_obj_set_style_max_width(c, CTRL_COLUMN_MAX_W, 0);
    not_clickable(c);
    not_scrollable(c);
    lv_obj_set_style_bg_color(c, lv_color_hex(UI_COLOR_BLACK), 0);
    lv_obj_set_style_bg_opa(c, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(c, 0, 0);
    flex_centre(c, LV_FLEX_FLOW_COLUMN);
    return c;
}

static lv_obj_t *ctrl_row(lv_obj_t *column)
{
    lv_obj_t *r = lv_obj_create(column);
    lv_obj_set_size(r, LV_SIZE_CONTENT, LV_SIZE_CONTENT);
    not_scrollable(r);
    lv_obj_set_style_bg_color(r, lv_color_hex(UI_COLOR_WHITE), 0);
    lv_obj_set_style_bg_opa(r, LV_OPA_TRANSP, 0);
    ui_obj_frame_none(r);
    lv_obj_set_layout(r, LV_LAYOUT_FLEX);
    lv_obj_set_flex_flow(r, LV_FLEX_FLOW_ROW);
    return r;
}

static lv_obj_t *artwork_image(lv_obj_t *parent, int32_t size)
{
    lv_obj_t *img = lv_image_create(parent);
    lv_obj_set_size(img, size, size);
    lv_image_set_pivot(img, 0, 0);
    lv_image_set_scale(img, 255);
    lv_image_set_inner_align(img, LV_IMAGE_ALIGN_STRETCH);
    return img;
}

static lv_obj_t *page_1_text(lv_obj_t *column, int32_t height, const lv_font_t *font)
{
    lv_obj_t *l = lv_label_create(column);
    lv_obj_set_size(l, LV_SIZE_CONTENT, height);
    lv_obj_set_style_max_width(l, 484, 0);
    lv_label_set_long_mode(l, LV_LABEL_LONG_MODE_SCROLL_CIRCULAR);
    hidden(l);
    lv_obj_add_flag(l, LV_OBJ_FLAG_CLICKABLE);
    text_look(l, UI_COLOR_WHITE, font);
    lv_obj_set_style_text_opa(l, LV_OPA_COVER, 0);
    lv_obj_set_style_text_align(l, LV_TEXT_ALIGN_CENTER, 0);
    lv_label_set_text_static(l, "");
    return l;
}

static void build_page_1(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *page = m->page_1 = page_create(m->pager);
    page_dark(page);
    not_scrollable(page);
    lv_obj_add_flag(page, LV_OBJ_FLAG_CLICKABLE);

    m->page_1_artwork = artwork_image(page, MAIN_PAGE_HEIGHT);
    lv_obj_set_pos(m->page_1_artwork, 80, 0);

    m->group_ctrl_page_1 = ctrl_overlay(page, 150);
    m->page_1_ctrl_column = ctrl_column(m->group_ctrl_page_1);

    lv_obj_t *texts = m->page_1_text_column = lv_obj_create(m->page_1_ctrl_column);
    lv_obj_set_size(texts, LV_SIZE_CONTENT, 116);
    lv_obj_set_style_max_width(texts, 450, 0);
    not_scrollable(texts);
    lv_obj_set_style_bg_color(texts, lv_color_hex(UI_COLOR_WHITE), 0);
    lv_obj_set_style_bg_opa(texts, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(texts, 0, 0);
    ui_obj_pads_zero(texts);
    lv_obj_set_style_pad_radial(texts, 0, 0);
    lv_obj_set_style_pad_row(texts, 5, 0);
    lv_obj_set_style_pad_column(texts, 0, 0);
    flex_centre(texts, LV_FLEX_FLOW_COLUMN);
    m->page_1_title = page_1_text(texts, 47, font_32());
    m->page_1_line_2 = page_1_text(texts, 28, font_24());
    m->page_1_line_3 = page_1_text(texts, 28, font_24());

    m->page_1_ctrl_row = ctrl_row(m->page_1_ctrl_column);
    const ctrl_buttons_t buttons = {&m->page_1_random, &m->page_1_previous, &m->page_1_play, &m->page_1_next,
                                    &m->page_1_repeat};
    build_ctrl_buttons(m->page_1_ctrl_row, &buttons);
}

static lv_obj_t *dim_label(lv_obj_t *parent, int32_t x, int32_t y, int32_t w, int32_t h, const lv_font_t *font,
                           lv_text_align_t align)
{
    lv_obj_t *l = lv_label_create(parent);
    lv_obj_set_pos(l, x, y);
    lv_obj_set_size(l, w, h);
    text_look(l, UI_COLOR_TEXT_DIM, font);
    lv_obj_set_style_text_align(l, align, 0);
    lv_label_set_text_static(l, "");
    return l;
}

static lv_obj_t *favorite_icon(lv_obj_t *page, int32_t x, const lv_image_dsc_t *src)
{
    lv_obj_t *img = lv_image_create(page);
    lv_obj_set_pos(img, x, 426);
    lv_obj_set_size(img, 40, 40);
    lv_image_set_src(img, src);
    lv_obj_add_flag(img, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_set_style_image_opa(img, LV_OPA_COVER, LV_STATE_PRESSED);
    lv_obj_set_style_image_recolor(img, lv_color_hex(UI_COLOR_BLACK), LV_STATE_PRESSED);
    lv_obj_set_style_image_recolor_opa(img, OPA_PRESSED_TILE, LV_STATE_PRESSED);
    return img;
}

static lv_obj_t *page_2_text(lv_obj_t *column, int32_t max_height, lv_label_long_mode_t mode, uint32_t color,
                             const lv_font_t *font)
{
    lv_obj_t *l = lv_label_create(column);
    lv_obj_set_size(l, 287, LV_SIZE_CONTENT);
    lv_obj_set_style_max_height(l, max_height, 0);
    lv_label_set_long_mode(l, mode);
    text_look(l, color, font);
    return l;
}

static void build_page_2_art(lv_ui_page_main_t *m, lv_obj_t *page)
{
    lv_obj_t *holder = m->page_2_art_holder = lv_obj_create(page);
    lv_obj_set_pos(holder, 23, 103);
    lv_obj_set_size(holder, 280, 280);
    ui_obj_pads_zero(holder);
    lv_obj_set_style_bg_opa(holder, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(holder, 0, 0);
    not_clickable(holder);
    not_scrollable(holder);
    lv_obj_set_style_radius(holder, 12, 0);
    lv_obj_set_style_clip_corner(holder, true, 0);
    lv_obj_set_style_shadow_width(holder, 25, 0);
    lv_obj_set_style_shadow_color(holder, lv_color_hex(UI_COLOR_TEXT_DIM), 0);

    lv_obj_t *art = m->page_2_artwork = artwork_image(holder, 280);
    lv_obj_set_pos(art, 0, 0);
    lv_obj_remove_flag(art, LV_OBJ_FLAG_ADV_HITTEST);
    not_scrollable(art);
    lv_obj_set_style_shadow_width(art, 20, 0);
    lv_obj_set_style_shadow_color(art, lv_color_hex(UI_COLOR_TEXT_DIM), 0);
    lv_obj_set_style_shadow_opa(art, LV_OPA_COVER, 0);
}

static void build_page_2(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *page = m->page_2 = page_create(m->pager);
    page_dark(page);
    not_scrollable(page);
    lv_obj_set_scrollbar_mode(page, LV_SCROLLBAR_MODE_OFF);

    build_page_2_art(m, page);

    lv_obj_t *bar = m->page_2_bar = lv_bar_create(page);
    lv_obj_set_pos(bar, 22, 411);
    lv_obj_set_size(bar, 594, 4);
    lv_bar_set_value(bar, 25, LV_ANIM_OFF);
    lv_obj_set_style_bg_color(bar, lv_color_hex(UI_COLOR_BAR_TRACK), 0);
    lv_obj_set_style_bg_opa(bar, 51, 0);
    lv_obj_set_style_bg_color(bar, lv_color_hex(UI_COLOR_TEXT_DIM), LV_PART_INDICATOR);
    lv_obj_set_style_bg_opa(bar, LV_OPA_COVER, LV_PART_INDICATOR);

    m->page_2_position = dim_label(page, 23, 434, 76, 24, &lv_font_montserrat_20, LV_TEXT_ALIGN_LEFT);
    m->page_2_duration = dim_label(page, 540, 434, 76, 24, &lv_font_montserrat_20, LV_TEXT_ALIGN_RIGHT);
    m->page_2_format = dim_label(page, 172, 430, 356, 32, font_24(), LV_TEXT_ALIGN_CENTER);
    m->page_2_favorite_3 = favorite_icon(page, 120, &img_ico_favorite_3);
    m->page_2_favorite_1 = favorite_icon(page, 80, &img_ico_favorite_1);

    lv_obj_t *texts = m->page_2_text_column = lv_obj_create(page);
    lv_obj_set_pos(texts, 314, 103);
    lv_obj_set_size(texts, 300, 280);
    ui_obj_pads_zero(texts);
    lv_obj_set_style_bg_opa(texts, LV_OPA_TRANSP, 0);
    ui_obj_frame_none(texts);
    not_clickable(texts);
    not_scrollable(texts);
    lv_obj_set_layout(texts, LV_LAYOUT_FLEX);
    lv_obj_set_flex_flow(texts, LV_FLEX_FLOW_COLUMN);
    lv_obj_set_style_flex_main_place(texts, LV_FLEX_ALIGN_START, 0);
    lv_obj_set_style_pad_row(texts, 5, 0);
    lv_obj_set_style_pad_column(texts, 0, 0);
    m->page_2_line_upper = page_2_text(texts, 32, LV_LABEL_LONG_MODE_SCROLL_CIRCULAR, UI_COLOR_TEXT_DIM, font_24());
    lv_label_set_text_static(m->page_2_line_upper, "");
    m->page_2_title = page_2_text(texts, 220, LV_LABEL_LONG_MODE_DOTS, UI_COLOR_WHITE, font_32());
    lv_label_set_text(m->page_2_title, "");
    m->page_2_line_lower = page_2_text(texts, 32, LV_LABEL_LONG_MODE_SCROLL_CIRCULAR, UI_COLOR_TEXT_DIM, font_24());
    lv_label_set_text_static(m->page_2_line_lower, "");

    m->group_ctrl_page_2 = ctrl_overlay(page, 200);
    hidden(m->group_ctrl_page_2);
    lv_obj_set_scrollbar_mode(m->group_ctrl_page_2, LV_SCROLLBAR_MODE_OFF);
    m->page_2_ctrl_column = ctrl_column(m->group_ctrl_page_2);
    lv_obj_set_scrollbar_mode(m->page_2_ctrl_column, LV_SCROLLBAR_MODE_OFF);
    m->page_2_ctrl_row = ctrl_row(m->page_2_ctrl_column);
    lv_obj_set_scrollbar_mode(m->page_2_ctrl_row, LV_SCROLLBAR_MODE_OFF);
    const ctrl_buttons_t buttons = {&m->page_2_random, &m->page_2_previous, &m->page_2_play, &m->page_2_next,
                                    &m->page_2_repeat};
    build_ctrl_buttons(m->page_2_ctrl_row, &buttons);
}

/* -- list pages --------------------------------------------------------- */

static void build_page_3(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *page = m->page_3 = page_create(m->pager);
    page_dark(page);

    lv_obj_t *count = m->page_3_count = lv_label_create(page);
    lv_obj_set_pos(count, 420, 31);
    lv_obj_set_size(count, LV_SIZE_CONTENT, 20);
    lv_obj_set_style_max_width(count, 100, 0);
    text_look(count, UI_COLOR_TEXT_DIM, &lv_font_montserrat_18);
    lv_obj_set_style_text_align(count, LV_TEXT_ALIGN_LEFT, 0);
    lv_label_set_text_static(count, "");

    lv_obj_t *back = m->ico_radio_back = lv_image_create(page);
    lv_obj_set_pos(back, 515, 22);
    lv_obj_set_size(back, 40, 40);
    lv_image_set_src(back, &img_ico_back);
    lv_obj_add_flag(back, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_set_style_image_opa(back, 100, LV_STATE_PRESSED);
    lv_obj_add_event_cb(back, ico_radio_back_event_cb, LV_EVENT_CLICKED, NULL);

    lv_obj_t *list = m->list_radio = lv_list_create(page);
    lv_obj_set_pos(list, 10, 88);
    lv_obj_set_size(list, 620, 380);
    lv_obj_set_scroll_dir(list, LV_DIR_VER);
    lv_obj_set_style_bg_color(list, lv_color_hex(UI_COLOR_WHITE), 0);
    lv_obj_set_style_bg_opa(list, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(list, 0, 0);
}

static void build_page_4(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *page = m->page_4 = page_create(m->pager);
    page_dark(page);
    lv_obj_remove_flag(page, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_remove_flag(page, LV_OBJ_FLAG_SCROLL_ELASTIC);
    lv_obj_remove_flag(page, LV_OBJ_FLAG_SCROLL_MOMENTUM);
    lv_obj_set_scrollbar_mode(page, LV_SCROLLBAR_MODE_OFF);

    lv_obj_t *list = m->list_info = lv_list_create(page);
    lv_obj_set_pos(list, 10, 83);
    lv_obj_set_size(list, 620, 383);
    not_scrollable(list);
    lv_obj_set_style_border_width(list, 0, 0);
    lv_obj_set_style_bg_opa(list, LV_OPA_TRANSP, 0);
    for (int i = 0; i < INFO_ROWS; i++) {
        list_msg_item_t *item = (list_msg_item_t *)malloc(sizeof *item);
        if (item == NULL) {
            continue;
        }
        item->type = LIST_MSG_TYPE_PLAYABLE;
        snprintf(item->name, sizeof item->name, "%s", "信息");
        list_add_item(list, item, 0, 1);
    }
}

static void build_page_5(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    m->page_5 = page_create(m->pager);
    page_dark(m->page_5);
}

/* -- status bar and volume panel ---------------------------------------- */

static void build_status_bar(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *bar = m->status_bar = lv_obj_create(m->page_root);
    lv_obj_set_pos(bar, 0, 14);
    lv_obj_set_size(bar, MAIN_PAGE_WIDTH, 55);
    hidden(bar);
    not_clickable(bar);
    not_scrollable(bar);
    lv_obj_set_scrollbar_mode(bar, LV_SCROLLBAR_MODE_OFF);
    lv_obj_set_style_bg_opa(bar, LV_OPA_TRANSP, 0);
    ui_obj_frame_none(bar);

    lv_obj_t *home = m->ico_page_main = lv_image_create(bar);
    lv_obj_set_pos(home, 545, -16);
    lv_obj_set_size(home, 61, 55);
    lv_image_set_src(home, &img_ico_main_page);
    lv_obj_add_flag(home, LV_OBJ_FLAG_CLICKABLE);

    lv_obj_t *row = lv_obj_create(bar);
    lv_obj_set_pos(row, -3, -14);
    lv_obj_set_size(row, 410, 53);
    not_scrollable(row);
    lv_obj_set_style_bg_opa(row, LV_OPA_TRANSP, 0);
    ui_obj_frame_none(row);
    ui_obj_pads_zero(row);
    lv_obj_set_style_pad_radial(row, 0, 0);
    lv_obj_set_style_pad_row(row, 0, 0);
    lv_obj_set_style_pad_column(row, 0, 0);
    lv_obj_set_style_align(row, LV_ALIGN_DEFAULT, 0);
    lv_obj_set_layout(row, LV_LAYOUT_FLEX);
    lv_obj_set_flex_flow(row, LV_FLEX_FLOW_ROW);
    lv_obj_set_flex_align(row, LV_FLEX_ALIGN_START, LV_FLEX_ALIGN_CENTER, LV_FLEX_ALIGN_START);

    m->bar_icon = lv_image_create(row);
    lv_obj_set_size(m->bar_icon, LV_SIZE_CONTENT, LV_SIZE_CONTENT);
    lv_image_set_src(m->bar_icon, &img_ico_spotify_bar);

    lv_obj_t *label = m->bar_label = lv_label_create(row);
    lv_obj_set_size(label, 354, 40);
    lv_label_set_long_mode(label, LV_LABEL_LONG_MODE_SCROLL_CIRCULAR);
    hidden(label);
    text_look(label, UI_COLOR_WHITE, font_32());
    lv_obj_set_style_text_opa(label, LV_OPA_COVER, 0);
    lv_obj_set_style_pad_right(label, 5, 0);
    lv_label_set_text_static(label, "");
}

static void build_volume_panel(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_t *panel = m->panel_volume = lv_obj_create(m->page_root);
    lv_obj_set_pos(panel, 10, 84);
    lv_obj_set_size(panel, 620, 384);
    hidden(panel);
    lv_obj_remove_flag(panel, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_remove_flag(panel, LV_OBJ_FLAG_SCROLL_ELASTIC);
    lv_obj_add_flag(panel, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_set_style_bg_color(panel, lv_color_hex(UI_COLOR_PANEL), 0);
    lv_obj_set_style_bg_opa(panel, 100, 0);
    lv_obj_set_style_border_width(panel, 0, 0);

    m->panel_volume_icon = lv_image_create(panel);
    lv_obj_set_pos(m->panel_volume_icon, 273, 283);
    lv_obj_set_size(m->panel_volume_icon, LV_SIZE_CONTENT, LV_SIZE_CONTENT);
    lv_image_set_src(m->panel_volume_icon, &img_ico_wifi_ok_5);

    /* The background arc runs clockwise from 120° to 60°: its opening is at
     * the bottom, where the icon sits. */
    lv_obj_t *arc = m->arc_volume = lv_arc_create(panel);
    lv_obj_set_pos(arc, 158, 48);
    lv_obj_set_size(arc, 262, 267);
    lv_arc_set_value(arc, 25);
    lv_arc_set_bg_start_angle(arc, 120);
    lv_arc_set_bg_end_angle(arc, 60);
    lv_obj_set_style_align(arc, LV_ALIGN_DEFAULT, 0);
    lv_obj_set_style_bg_opa(arc, LV_OPA_TRANSP, LV_PART_MAIN);
    lv_obj_set_style_bg_opa(arc, LV_OPA_TRANSP, LV_PART_INDICATOR);
    lv_obj_set_style_bg_color(arc, lv_color_hex(UI_COLOR_ARC_KNOB), LV_PART_KNOB);
    lv_obj_set_style_bg_opa(arc, LV_OPA_COVER, LV_PART_KNOB);

    /* In the middle of the arc; it shows the value the arc last reported. */
    lv_obj_t *label = m->label_volume = lv_label_create(panel);
    lv_obj_align(label, LV_ALIGN_LEFT_MID, 252, 4);
    lv_obj_set_size(label, 73, 40);
    lv_label_set_long_mode(label, LV_LABEL_LONG_MODE_SCROLL_CIRCULAR);
    text_look(label, UI_COLOR_WHITE, &lv_font_montserrat_36);
    lv_obj_set_style_text_opa(label, LV_OPA_COVER, 0);
    lv_obj_set_style_pad_right(label, 5, 0);
    lv_obj_set_style_text_align(label, LV_TEXT_ALIGN_CENTER, 0);
    lv_label_set_text_static(label, "100");
}

/* -- event callbacks ---------------------------------------------------- */

static void register_callbacks(void)
{
    lv_ui_page_main_t *m = &lv_ui_page_main;
    lv_obj_add_event_cb(m->pager, main_page_scroll_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->tiles[MAIN_TILE_SETTINGS].icon, ico_set_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->page_1, page_1_click_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->page_2, page_2_click_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->group_ctrl_page_1, group_ctrl_page_1_click_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->ico_page_main, ico_page_main_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->tiles[MAIN_TILE_AIRPLAY].icon, ico_airplay_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->tiles[MAIN_TILE_RADIO].icon, ico_internet_radio_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->tiles[MAIN_TILE_PODCAST].icon, ico_podcast_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->tiles[MAIN_TILE_SPOTIFY].icon, ico_spotify_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->list_radio, list_scroll_begin_cb, LV_EVENT_SCROLL_BEGIN, NULL);
    lv_obj_add_event_cb(m->list_radio, list_scroll_end_cb, LV_EVENT_SCROLL_END, NULL);
    lv_obj_add_event_cb(m->page_1_play, music_pause_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->page_2_play, music_pause_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->page_1_previous, music_previous_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->page_2_previous, music_previous_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->page_1_next, music_next_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->page_2_next, music_next_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->tiles[MAIN_TILE_VOLUME].icon, sys_volume_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->arc_volume, volume_set_event_cb, LV_EVENT_ALL, NULL);
    lv_obj_add_event_cb(m->panel_volume, panel_volume_click_cb, LV_EVENT_ALL, NULL);
}

void main_page_build(void)
{
    build_root();
    build_page_0();
    build_page_1();
    build_page_2();
    build_page_3();
    build_page_4();
    build_page_5();
    build_status_bar();
    build_volume_panel();

    lv_obj_set_style_bg_image_src(lv_ui_page_main.page_0, BACKGROUND_IMAGE, 0);
    register_callbacks();
    lv_ui_page_main.cur_page = 0;
}
