/*
 * The Airable controller's UI events on the main page: the answers to the
 * browse and play requests end or raise the busy overlay and ask for list
 * windows, list replies go to the list, play-info records to the now-playing
 * pages. The controller raises them on the GUI thread while it decodes a
 * reply; the records they carry are valid only during the call.
 */
#include "comm/airable_data_exchange.h"
#include "ui/ui_data_update.h"
#include "ui/ui_log.h"
#include "user/ui_page/ui_page_main_private.h"

/* A WAITING answer raises the overlay only while a request waits for its
 * answer: one that comes late or unasked would leave an overlay that no
 * answer ever takes away. */
static void service_busy(void)
{
    if (airable_request_pending()) {
        main_start_busy_rotation();
    }
}

void airable_ui_event_cb(int event, void *data)
{
    switch (event) {
    case AIRABLE_UI_MAIN_READY:
        ui_run_page.list_start = MAIN_LIST_FIRST_START;
        ui_run_page.list_end = MAIN_LIST_FIRST_END;
        (void)get_page_data_ready();
        main_stop_busy_rotation();
        break;
    case AIRABLE_UI_MAIN_WAITING:
    case AIRABLE_UI_WAITING:
        service_busy();
        break;
    case AIRABLE_UI_DATA_READY:
        (void)get_page_data_ready();
        main_stop_busy_rotation();
        break;
    case AIRABLE_UI_PLAY_OK:
        main_stop_busy_rotation();
        UI_LOG("airable status: Playback successful \n");
        get_title_play_okey();
        break;
    case AIRABLE_UI_PLAYER_INFO:
        if (data) {
            airable_now_playing_show((const player_ui_info_t *)data);
        }
        break;
    case AIRABLE_UI_LIST_ITEM:
        if (data) {
            list_reply_item((const airable_list_item_t *)data);
        }
        break;
    case AIRABLE_UI_LIST_DONE:
        if (data) {
            list_reply_done((const airable_list_count_t *)data);
        }
        break;
    default:
        break;
    }
}
