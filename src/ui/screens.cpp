/*
 * The design screen's mock-up, built slot by slot in creation order.
 *
 * The WiFi page's part is the page's own widget tree and network row (so
 * the two cannot drift apart); the main page's part is a mock-up of its own,
 * with the main page's geometry where the two show the same thing. No event
 * handler is registered: nothing reacts beyond what the widgets do by
 * themselves.
 */
#include "ui/screens.h"

#include "ui/ui_assets.h"
#include "ui/ui_colors.h"
#include "ui/ui_obj_util.h"
#include "user/ui_page/ui_page_wifi_tree.h"

#define SCREEN_W 640
#define SCREEN_H 480
#define OPA_PRESSED_TILE 188
#define OPA_VEIL 200
#define OPA_BUSY 180
#define OPA_CLOSE 200
#define OPA_PRESSED_MARKER 100
#define OPA_CHECKED_RECOLOR 100

#define TILE_COUNT 12
#define TILE_COLUMNS 4
#define TILE_W 134
#define TILE_H 160
#define ICON_SIZE 102
#define CONTROL_COUNT 5
#define CONTROL_SIZE 80
#define CONTROL_STEP 100
#define CONTROL_FIRST_X 4
#define FURTHER_PAGE_NEAR_X 1600
#define FURTHER_PAGE_FAR_X 2400

/* The sample row of the WiFi mock-up shows the middle signal fan. */
#define SAMPLE_ROW_ICON_ID 4

lv_obj_t *objects[UI_OBJECT_SLOTS];

tick_screen_func_t tick_screen_funcs[UI_SCREEN_COUNT] = {tick_screen_main};

/* Refers to every built-in size, so that the build compiles all of them in. */
const ui_font_entry_t fonts[UI_FONT_TABLE_SIZE] = {
    {"font_main", &ui_font_font_main},         {"MONTSERRAT_12", &lv_font_montserrat_12},
    {"MONTSERRAT_14", &lv_font_montserrat_14}, {"MONTSERRAT_16", &lv_font_montserrat_16},
    {"MONTSERRAT_18", &lv_font_montserrat_18}, {"MONTSERRAT_20", &lv_font_montserrat_20},
    {"MONTSERRAT_22", &lv_font_montserrat_22}, {"MONTSERRAT_24", &lv_font_montserrat_24},
    {"MONTSERRAT_26", &lv_font_montserrat_26}, {"MONTSERRAT_28", &lv_font_montserrat_28},
    {"MONTSERRAT_30", &lv_font_montserrat_30}, {"MONTSERRAT_32", &lv_font_montserrat_32},
    {"MONTSERRAT_34", &lv_font_montserrat_34}, {"MONTSERRAT_36", &lv_font_montserrat_36},
    {"MONTSERRAT_38", &lv_font_montserrat_38}, {"MONTSERRAT_40", &lv_font_montserrat_40},
    {"MONTSERRAT_42", &lv_font_montserrat_42}, {"MONTSERRAT_44", &lv_font_montserrat_44},
    {"MONTSERRAT_46", &lv_font_montserrat_46}, {"MONTSERRAT_48", &lv_font_montserrat_48},
};

/* The next free slot while the screen is being built. */
static int next_slot;

static lv_obj_t *keep(lv_obj_t *obj)
{
    if (next_slot < UI_OBJECT_SLOTS) {
        objects[next_slot++] = obj;
    }
    return obj;
}

/* -- small helpers ------------------------------------------------------ */

/* A plain object without frame or background. */
static lv_obj_t *bare(lv_obj_t *parent)
{
    lv_obj_t *obj = lv_obj_create(parent);
    ui_obj_frame_none(obj);
    lv_obj_set_style_bg_opa(obj, LV_OPA_TRANSP, 0);
    return obj;
}

static lv_obj_t *text(lv_obj_t *parent, const lv_font_t *font, const char *content)
{
    lv_obj_t *label = lv_label_create(parent);
    lv_obj_set_style_text_color(label, lv_color_hex(UI_COLOR_WHITE), 0);
    lv_obj_set_style_text_font(label, font, 0);
    lv_label_set_text_static(label, content);
    return label;
}

static lv_obj_t *image(lv_obj_t *parent, const lv_image_dsc_t *src)
{
    lv_obj_t *img = lv_image_create(parent);
    if (src != NULL) {
        lv_image_set_src(img, src);
    }
    return img;
}

static void flex_column_centre(lv_obj_t *obj)
{
    lv_obj_set_layout(obj, LV_LAYOUT_FLEX);
    lv_obj_set_flex_flow(obj, LV_FLEX_FLOW_COLUMN);
    lv_obj_set_flex_align(obj, LV_FLEX_ALIGN_CENTER, LV_FLEX_ALIGN_CENTER, LV_FLEX_ALIGN_CENTER);
}

/* A full-size page of the pager. */
static lv_obj_t *page(lv_obj_t *pager)
{
    lv_obj_t *p = bare(pager);
    lv_obj_set_size(p, lv_pct(100), lv_pct(100));
    ui_obj_pads_zero(p);
    return p;
}

static lv_obj_t *dark_page(lv_obj_t *pager, int32_t x)
{
    lv_obj_t *p = page(pager);
    lv_obj_set_x(p, x);
    ui_obj_fill(p, UI_COLOR_PAGE, LV_OPA_COVER);
    return p;
}

/* -- the WiFi page ---------------------------------------------------------- */

static void build_wifi(lv_obj_t *screen)
{
    lv_ui_page_wifi_t w;
    wifi_page_tree_build(screen, &w);
    lv_obj_t *const tree[] = {
        w.root,     w.busy_icon,  w.wifi_switch, w.back_icon,  w.my_label, w.other_label,
        w.my_panel, w.my_list,    w.other_panel, w.other_list, w.overlay,  w.dialog,
        w.show_pwd, w.ssid_label, w.pwd_ta,      w.kb_box,     w.keyboard,
    };
    for (size_t i = 0; i < sizeof tree / sizeof tree[0]; i++) {
        lv_obj_t *obj = tree[i];
        keep(obj);
    }
    lv_textarea_set_text(w.pwd_ta, "textarea_wifi");

    wifi_row_t row;
    wifi_row_build(screen, "WiFi name", SAMPLE_ROW_ICON_ID, 1, &row);
    keep(row.row);
    keep(row.icon_box);
    keep(row.signal);
    keep(row.deletion);
    keep(row.name);
}

/* -- the main page: pager and home view -------------------------------------- */

typedef struct {
    const char *caption;
    const lv_image_dsc_t *image;
} tile_def_t;

static const tile_def_t tile_defs[TILE_COUNT] = {
    {"播放器", &img_ico_player},
    {"最近播放", &img_ico_recently_played},
    {"预设", &img_ico_preset},
    {"电台", &img_ico_internet_radio},
    {"音源输入", &img_ico_audio_input},
    {"EQ", &img_ico_eq},
    {"音频输出", &img_ico_audio_output},
    {"屏幕", &img_ico_screen},
    {"信息", &img_ico_information},
    {"airplay", &img_ico_airplay},
    {"设置", &img_ico_set},
    {"播放器", &img_ico_screen},
};

static const int16_t tile_x[TILE_COLUMNS] = {-3, 156, 316, 475};
static const int16_t tile_y[] = {-1, 159, 319};

static lv_obj_t *build_pager(lv_obj_t *screen)
{
    lv_obj_t *main_page = keep(bare(screen));
    ui_obj_place(main_page, 0, 0, lv_pct(100), lv_pct(100));
    ui_obj_pads_zero(main_page);

    lv_obj_t *pager = keep(bare(main_page));
    ui_obj_place(pager, 0, 0, SCREEN_W, SCREEN_H);
    ui_obj_pads_zero(pager);
    ui_obj_pager(pager);
    return main_page;
}

static void build_tile(lv_obj_t *grid, int index)
{
    const tile_def_t *def = &tile_defs[index];
    lv_obj_t *tile = keep(bare(grid));
    ui_obj_place(tile, tile_x[index % TILE_COLUMNS], tile_y[index / TILE_COLUMNS], TILE_W, TILE_H);
    lv_obj_set_scrollbar_mode(tile, LV_SCROLLBAR_MODE_OFF);

    /* A pressed icon darkens. */
    lv_obj_t *icon = keep(image(tile, def->image));
    ui_obj_place(icon, -2, -10, ICON_SIZE, ICON_SIZE);
    lv_obj_add_flag(icon, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_set_style_image_opa(icon, LV_OPA_COVER, LV_STATE_PRESSED);
    lv_obj_set_style_image_recolor(icon, lv_color_hex(UI_COLOR_BLACK), LV_STATE_PRESSED);
    lv_obj_set_style_image_recolor_opa(icon, OPA_PRESSED_TILE, LV_STATE_PRESSED);

    lv_obj_t *caption = keep(text(tile, &ui_font_font_main, def->caption));
    ui_obj_place(caption, -2, 97, ICON_SIZE, LV_SIZE_CONTENT);
    lv_obj_set_style_text_align(caption, LV_TEXT_ALIGN_CENTER, 0);
}

static void build_home(lv_obj_t *pager)
{
    lv_obj_t *home = keep(page(pager));
    lv_obj_add_flag(home, LV_OBJ_FLAG_HIDDEN);
    lv_obj_set_scrollbar_mode(home, LV_SCROLLBAR_MODE_OFF);

    lv_obj_t *header = keep(bare(home));
    ui_obj_place(header, 0, 0, SCREEN_W, 80);
    lv_obj_remove_flag(header, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_set_scrollbar_mode(header, LV_SCROLLBAR_MODE_OFF);

    lv_obj_t *brand = keep(text(header, &lv_font_montserrat_42, "Text"));
    ui_obj_place(brand, 420, -4, 189, 56);
    lv_obj_set_style_text_align(brand, LV_TEXT_ALIGN_RIGHT, 0);

    lv_obj_t *date = keep(text(header, &ui_font_font_main, "星期四  2026/7/15"));
    ui_obj_place(date, 185, 10, 235, 28);
    lv_label_set_long_mode(date, LV_LABEL_LONG_MODE_SCROLL);
    lv_obj_set_style_text_align(date, LV_TEXT_ALIGN_CENTER, 0);

    lv_obj_t *clock = keep(text(header, &lv_font_montserrat_48, "15:00"));
    ui_obj_place(clock, -3, -4, 188, 56);

    lv_obj_t *grid = keep(bare(home));
    ui_obj_place(grid, 0, 80, SCREEN_W, 400);
    lv_obj_set_scrollbar_mode(grid, LV_SCROLLBAR_MODE_OFF);
    lv_obj_set_scroll_dir(grid, LV_DIR_VER);
    for (int i = 0; i < TILE_COUNT; i++) {
        build_tile(grid, i);
    }
}

/* -- the main page: now playing and the further pages ------------------------- */

static void build_now_playing_texts(lv_obj_t *column)
{
    lv_obj_t *texts = keep(bare(column));
    lv_obj_set_size(texts, LV_SIZE_CONTENT, LV_SIZE_CONTENT);
    lv_obj_add_flag(texts, LV_OBJ_FLAG_HIDDEN);
    ui_obj_pads_zero(texts);
    lv_obj_set_style_pad_row(texts, 5, 0);
    flex_column_centre(texts);
    keep(text(texts, &lv_font_montserrat_40, "Music Name"));
    keep(text(texts, &lv_font_montserrat_24, "Music Artist"));
    keep(text(texts, &lv_font_montserrat_24, "music_lyrics"));
}

static void build_now_playing(lv_obj_t *pager)
{
    static const lv_image_dsc_t *const controls[CONTROL_COUNT] = {
        &img_ico_ctrl_music_random, &img_ico_ctrl_music_previous,        &img_ico_ctrl_music_pause,
        &img_ico_ctrl_music_next,   &img_ico_ctrl_music_playlist_repeat,
    };
    lv_obj_t *view = keep(dark_page(pager, 0));
    lv_obj_remove_flag(view, LV_OBJ_FLAG_SCROLLABLE);

    lv_obj_t *art = keep(image(view, NULL));
    ui_obj_place(art, 80, 0, SCREEN_H, SCREEN_H);

    lv_obj_t *veil = keep(bare(view));
    lv_obj_set_size(veil, SCREEN_W + 2, SCREEN_H);
    lv_obj_align(veil, LV_ALIGN_CENTER, 0, 0);
    ui_obj_fill(veil, UI_COLOR_BLACK, OPA_VEIL);
    lv_obj_remove_flag(veil, LV_OBJ_FLAG_SCROLLABLE);

    lv_obj_t *column = keep(bare(veil));
    lv_obj_set_size(column, LV_SIZE_CONTENT, 273);
    lv_obj_align(column, LV_ALIGN_CENTER, 0, 0);
    lv_obj_remove_flag(column, LV_OBJ_FLAG_SCROLLABLE);
    flex_column_centre(column);
    build_now_playing_texts(column);

    lv_obj_t *row = keep(bare(column));
    lv_obj_set_size(row, LV_SIZE_CONTENT, LV_SIZE_CONTENT);
    ui_obj_pads_zero(row);
    lv_obj_remove_flag(row, LV_OBJ_FLAG_SCROLLABLE);
    for (int i = 0; i < CONTROL_COUNT; i++) {
        lv_obj_t *control = keep(image(row, controls[i]));
        ui_obj_place(control, CONTROL_FIRST_X + i * CONTROL_STEP, 0, CONTROL_SIZE, CONTROL_SIZE);
    }
}

static void build_further_pages(lv_obj_t *pager)
{
    lv_obj_t *hidden = keep(dark_page(pager, FURTHER_PAGE_NEAR_X));
    lv_obj_add_flag(hidden, LV_OBJ_FLAG_HIDDEN);

    lv_obj_t *list_page = keep(dark_page(pager, FURTHER_PAGE_NEAR_X));
    lv_obj_t *back = keep(image(list_page, &img_ico_back));
    ui_obj_place(back, 507, 28, 30, 30);
    lv_obj_t *list = keep(lv_list_create(list_page));
    ui_obj_place(list, 10, 88, 620, 380);
    lv_obj_set_style_bg_opa(list, LV_OPA_TRANSP, 0);
    lv_obj_set_style_border_width(list, 0, 0);

    keep(dark_page(pager, FURTHER_PAGE_FAR_X));
    keep(dark_page(pager, FURTHER_PAGE_FAR_X));
}

/* -- the main page: status bar, list row, busy overlay -------------------------- */

static void build_status_bar(lv_obj_t *main_page)
{
    lv_obj_t *bar = keep(bare(main_page));
    ui_obj_place(bar, 0, 14, SCREEN_W, 55);
    lv_obj_remove_flag(bar, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_set_scrollbar_mode(bar, LV_SCROLLBAR_MODE_OFF);

    lv_obj_t *home = keep(image(bar, &img_ico_main_page));
    ui_obj_place(home, 545, -16, 61, 55);

    /* The badge's row itself has no slot. */
    lv_obj_t *badge = bare(bar);
    ui_obj_place(badge, -3, -14, 410, 53);
    ui_obj_pads_zero(badge);
    lv_obj_remove_flag(badge, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_set_layout(badge, LV_LAYOUT_FLEX);
    lv_obj_set_flex_flow(badge, LV_FLEX_FLOW_ROW);
    lv_obj_set_flex_align(badge, LV_FLEX_ALIGN_START, LV_FLEX_ALIGN_CENTER, LV_FLEX_ALIGN_START);
    keep(text(badge, &lv_font_montserrat_14, "Text23345"));
    keep(image(badge, &img_ico_spotify_bar));
}

static void build_list_row(lv_obj_t *screen)
{
    lv_obj_t *row = keep(bare(screen));
    ui_obj_place(row, 24, 88, 592, 70);
    lv_obj_remove_flag(row, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_set_style_bg_image_src(row, &img_ico_player, LV_STATE_CHECKED);
    lv_obj_set_style_bg_image_recolor_opa(row, OPA_CHECKED_RECOLOR, LV_STATE_CHECKED);

    lv_obj_t *enter = keep(image(row, &img_ico_list_enter));
    ui_obj_place(enter, 521, 1, 39, 37);
    lv_obj_add_flag(enter, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_set_style_image_opa(enter, OPA_PRESSED_MARKER, LV_STATE_PRESSED);

    lv_obj_t *box = keep(bare(row));
    ui_obj_place(box, -16, -12, 498, 63);
    ui_obj_pads_zero(box);
    lv_obj_set_style_pad_left(box, 5, 0);
    lv_obj_remove_flag(box, LV_OBJ_FLAG_SCROLLABLE);
    lv_obj_set_layout(box, LV_LAYOUT_FLEX);
    lv_obj_set_flex_flow(box, LV_FLEX_FLOW_ROW);

    lv_obj_t *icon = keep(image(row, &img_ico_list_empty));
    ui_obj_place(icon, -15, -5, 64, 64);
    lv_image_set_inner_align(icon, LV_IMAGE_ALIGN_STRETCH);
    lv_obj_set_style_align(icon, LV_ALIGN_LEFT_MID, 0);
    lv_obj_add_flag(icon, LV_OBJ_FLAG_HIDDEN);

    /* Dots need a text of the label's own. */
    lv_obj_t *name = keep(text(row, &lv_font_montserrat_30, ""));
    lv_label_set_text(name, "list_item");
    ui_obj_place(name, 59, 10, 429, 36);
    lv_label_set_long_mode(name, LV_LABEL_LONG_MODE_DOTS);
    lv_obj_add_flag(name, LV_OBJ_FLAG_CLICKABLE);
    lv_obj_set_style_text_color(name, lv_color_hex(UI_COLOR_PRESSED_TEXT), LV_STATE_PRESSED);
    lv_obj_set_style_text_opa(name, LV_OPA_COVER, LV_STATE_PRESSED);
}

static void build_busy_overlay(lv_obj_t *screen)
{
    lv_obj_t *layer = keep(bare(screen));
    ui_obj_place(layer, 0, 0, SCREEN_W, SCREEN_H);
    ui_obj_pads_zero(layer);
    ui_obj_fill(layer, UI_COLOR_BLACK, OPA_BUSY);
    lv_obj_remove_flag(layer, LV_OBJ_FLAG_SCROLLABLE);

    /* Its text is centred on the screen. */
    lv_obj_t *label = keep(text(layer, &lv_font_montserrat_24, "Busy . . ."));
    ui_obj_place(label, 143, 337, SCREEN_W - 2 * 143, LV_SIZE_CONTENT);
    lv_obj_set_style_text_align(label, LV_TEXT_ALIGN_CENTER, 0);

    lv_obj_t *spinner = keep(image(layer, &img_ico_load_busy));
    ui_obj_place(spinner, 264, 184, 80, 80);
    lv_image_set_pivot(spinner, 40, 40);

    lv_obj_t *close = keep(image(layer, &img_ico_deletion));
    ui_obj_place(close, 550, 3, 50, 50);
    lv_obj_add_flag(close, LV_OBJ_FLAG_CLICKABLE);
    ui_obj_fill(close, UI_COLOR_CLOSE, OPA_CLOSE);
    lv_obj_set_style_radius(close, 10, 0);
    lv_obj_set_style_bg_color(close, lv_color_hex(UI_COLOR_WHITE), LV_STATE_PRESSED);
}

/* -- the screen ------------------------------------------------------------- */

void create_screen_main(void)
{
    next_slot = UI_OBJ_SCREEN;
    lv_obj_t *screen = keep(lv_obj_create(NULL));
    ui_obj_place(screen, 0, 0, SCREEN_W, SCREEN_H);
    lv_obj_set_style_bg_color(screen, lv_color_hex(UI_COLOR_BLACK), 0);

    build_wifi(screen);
    lv_obj_t *main_page = build_pager(screen);
    lv_obj_t *pager = objects[UI_OBJ_PAGER];
    build_home(pager);
    build_now_playing(pager);
    build_further_pages(pager);
    build_status_bar(main_page);
    build_list_row(screen);
    build_busy_overlay(screen);
}

void create_screens(void)
{
    lv_display_t *display = lv_display_get_default();
    lv_theme_t *theme = lv_theme_default_init(display, lv_palette_main(LV_PALETTE_BLUE),
                                              lv_palette_main(LV_PALETTE_RED), false, &lv_font_montserrat_14);
    lv_display_set_theme(display, theme);
    create_screen_main();
}

void tick_screen_main(void)
{
}

void tick_screen(int screen_index)
{
    if (screen_index >= 0 && screen_index < UI_SCREEN_COUNT) {
        tick_screen_funcs[screen_index]();
    }
}

void tick_screen_by_id(enum ScreensEnum screen_id)
{
    const int id = (int)screen_id;
    if (id >= 1 && id <= UI_SCREEN_COUNT) {
        tick_screen(id - 1);
    }
}
