// Now playing end to end: the interface's page framework and communication
// manager on the real clock, the AirPlay and Spotify stand-in services
// connected over a socket of the test's own, each in the test's working
// directory where it writes its cover art. The main page's run hook asks
// the active source for play info; the pages show what comes back.
#include <cstring>
#include <string>

#include "airplay_data_exchange.h"
#include "service_e2e_env.hpp"
#include "ui/ui_data_update.h"

namespace {

using main_page_e2e::ServiceE2ETest;

std::string text(lv_obj_t *label)
{
    return lv_label_get_text(label);
}

uint32_t rgb(lv_color_t c)
{
    return lv_color_to_u32(c) & 0xFFFFFF;
}

using NowPlayingE2E = ServiceE2ETest;

TEST_F(NowPlayingE2E, ServicesReportTitlesArtAndColour)
{
    spawn(AIRPLAY_RUN, "normal");
    ui_run_page.app_id = APP_ID_AIRPLAY;
    ASSERT_TRUE(run_until([&] { return text(m.page_1_title) == "Harbour Lights"; }));
    EXPECT_EQ(text(m.page_2_title), "Harbour Lights");
    EXPECT_EQ(text(m.page_1_line_3), "The Quiet Tides");
    EXPECT_EQ(text(m.page_2_line_lower), "The Quiet Tides");
    EXPECT_EQ(text(m.page_1_line_2), "Evening Songs");
    EXPECT_EQ(text(m.page_2_duration), "03:35");

    // A second after the title the art is read and page_1 tinted.
    ASSERT_TRUE(run_until([&] { return lv_image_get_src(m.page_1_artwork) != nullptr; }));
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_1_artwork), "./artwork.jpg");
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_2_artwork), "./artwork.jpg");
    const uint32_t first = rgb(m.dominant_color);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(rgb(lv_obj_get_style_bg_color(m.page_1, LV_PART_MAIN)), first);

    // The next track: a new title, new art, another colour.
    ASSERT_EQ(airplay_media_ctrl(MEDIA_CTRL_NEXT), 0);
    ASSERT_TRUE(run_until([&] { return text(m.page_1_title) == "Northern Road"; }));
    ASSERT_TRUE(run_until([&] { return rgb(m.dominant_color) != first; }));
    EXPECT_EQ(rgb(lv_obj_get_style_bg_color(m.page_1, LV_PART_MAIN)), rgb(m.dominant_color));
    const std::string log = log_so_far();
    EXPECT_NE(log.find("[PAGE MAIN] dominant color: R="), log.rfind("[PAGE MAIN] dominant color: R="))
        << "one colour line per title change";

    // Spotify's title is its second text; its art is "./artwork".
    spawn(SPOTIFY_RUN, "normal");
    ui_run_page.app_id = APP_ID_SPOTIFY;
    ASSERT_TRUE(run_until([&] { return text(m.page_1_title) == "Miro Vale"; }));
    EXPECT_EQ(text(m.page_1_line_3), "Glass Garden");
    EXPECT_EQ(text(m.page_1_line_2), "Greenhouse");
    ASSERT_TRUE(run_until([&] {
        const void *src = lv_image_get_src(m.page_2_artwork);
        return src && strcmp((const char *)src, "./artwork") == 0;
    }));
}

TEST_F(NowPlayingE2E, ARecordWithoutTextsBlanksThePages)
{
    spawn(AIRPLAY_RUN, "normal");
    ui_run_page.app_id = APP_ID_AIRPLAY;
    ASSERT_TRUE(run_until([&] { return text(m.page_1_title) == "Harbour Lights"; }));
    ASSERT_TRUE(run_until([&] { return lv_image_get_src(m.page_1_artwork) != nullptr; }));

    // The same service now reports that nothing plays.
    stop_services();
    spawn(AIRPLAY_RUN, "error");
    ASSERT_TRUE(run_until([&] { return text(m.page_1_title).empty(); }));
    for (lv_obj_t *label : {m.page_1_title, m.page_1_line_2, m.page_1_line_3, m.page_2_title, m.page_2_line_upper,
                            m.page_2_line_lower}) {
        EXPECT_EQ(text(label), "");
        EXPECT_TRUE(lv_obj_has_flag(label, LV_OBJ_FLAG_HIDDEN));
    }
    EXPECT_EQ(lv_image_get_src(m.page_1_artwork), nullptr);
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_2_artwork), "./artwork.jpg");
}

}  // namespace
