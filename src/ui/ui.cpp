#include "ui/ui.h"

#define SCREEN_FADE_MS 200

int16_t currentScreen = -1;

static void load_index(int16_t index)
{
    currentScreen = index;
    lv_screen_load_anim(objects[index], LV_SCREEN_LOAD_ANIM_FADE_IN, SCREEN_FADE_MS, 0, false);
}

void ui_init(void)
{
    create_screens();
    load_index(0);
}

void loadScreen(enum ScreensEnum screen_id)
{
    const int32_t id = (int32_t)screen_id;
    /* Screen id n is index n - 1, which is slot n - 1 of the table. */
    if (id < 1 || id > UI_SCREEN_COUNT || objects[id - 1] == NULL) {
        LV_LOG_WARN("no screen with id %d", (int)id);
        return;
    }
    load_index((int16_t)(id - 1));
}

void ui_tick(void)
{
    tick_screen(currentScreen);
}
