/*
 * Source tiles and transport buttons. The AirPlay, Spotify, Radio and
 * Podcast tiles choose the active source and make sure its service runs; the
 * previous, play/pause and next buttons of both now-playing pages send their
 * command to the active source. Each handler acts on LV_EVENT_CLICKED only;
 * until the sources land, a click changes nothing.
 */
#include "user/ui_page/ui_page_main_private.h"

void ico_airplay_event_cb(lv_event_t *e)
{
    LV_UNUSED(e);
}

void ico_spotify_event_cb(lv_event_t *e)
{
    LV_UNUSED(e);
}

void ico_internet_radio_event_cb(lv_event_t *e)
{
    LV_UNUSED(e);
}

void ico_podcast_event_cb(lv_event_t *e)
{
    LV_UNUSED(e);
}

void music_pause_event_cb(lv_event_t *e)
{
    LV_UNUSED(e);
}

void music_previous_event_cb(lv_event_t *e)
{
    LV_UNUSED(e);
}

void music_next_event_cb(lv_event_t *e)
{
    LV_UNUSED(e);
}
