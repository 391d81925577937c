// Now playing for Airable: the records of the play-info replies as event 6
// hands them over. The texts as Spotify maps them; the art, its colour and
// the audio format on every 22nd record with texts; the bar and times by
// mode.
#include <filesystem>
#include <string>

#include "airable_fixture.hpp"
#include "jpeg_fixture.hpp"
#include "ui/ui_data_update.h"

namespace main_page_test {
namespace {

// A playing record with the audio format the service reports.
player_ui_info_t record(const char *t1, const char *t2, const char *t3)
{
    player_ui_info_t info = playing_record(t1, t2, t3);
    info.channels = 2;
    info.sample_rate = 48000;
    info.bit_rate = 128;
    return info;
}

class AirableNowPlaying : public AirablePageTest {
protected:
    void SetUp() override
    {
        AirablePageTest::SetUp();
        write_jpeg("artwork", 64, 64, [](int, int) { return Rgb{0, 0, 255}; });
        ui_run_page.airable_mode = AIRABLE_MODE_RADIO;
    }

    static void show(const player_ui_info_t &info) { airable_ui_event_cb(AIRABLE_UI_PLAYER_INFO, (void *)&info); }

    // `n` records with texts.
    static void show_times(int n, const player_ui_info_t &info)
    {
        for (int i = 0; i < n; i++) {
            show(info);
        }
    }

    const char *art() const { return (const char *)lv_image_get_src(m.page_1_artwork); }
};

TEST_F(AirableNowPlaying, TextsAsSpotifyMapsThem)
{
    show(record("Live radio", "Aurora FM", "Morning show"));
    EXPECT_EQ(label_text(m.page_1_title), "Aurora FM");
    EXPECT_EQ(label_text(m.page_2_title), "Aurora FM");
    EXPECT_EQ(label_text(m.page_1_line_3), "Live radio");
    EXPECT_EQ(label_text(m.page_2_line_lower), "Live radio");
    EXPECT_EQ(label_text(m.page_1_line_2), "Morning show");
    EXPECT_EQ(label_text(m.page_2_line_upper), "Morning show");
    for (lv_obj_t *shown : {m.page_1_title, m.page_2_title, m.page_1_line_2, m.page_1_line_3, m.page_2_line_upper,
                            m.page_2_line_lower, m.page_1_text_column}) {
        EXPECT_FALSE(hidden(shown));
    }
    EXPECT_EQ(art(), nullptr) << "a title change alone reads no art";
}

TEST_F(AirableNowPlaying, TheArtColourAndFormatComeWithEvery22ndRecord)
{
    const player_ui_info_t info = record("Live radio", "Aurora FM", "");
    show_times(21, info);
    EXPECT_EQ(art(), nullptr);
    EXPECT_EQ(label_text(m.page_2_format), "");
    show(info);
    EXPECT_STREQ(art(), "./artwork");
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_2_artwork), "./artwork");
    EXPECT_EQ(lv_color_to_u32(lv_obj_get_style_bg_color(m.page_1, LV_PART_MAIN)) & 0xFFFFFF, 0x0000E0u);
    EXPECT_EQ(lv_color_to_u32(m.dominant_color) & 0xFFFFFF, 0x0000E0u);
    EXPECT_EQ(label_text(m.page_2_format), "2CH|48000Hz|128Kb/s");
    EXPECT_STREQ(ui_run_page.fmt_text, "2CH|48000Hz|128Kb/s");
    EXPECT_EQ(take_log().find("dominant color"), std::string::npos) << "no colour line for Airable";

    // The next refresh 22 records later; records without texts do not count.
    player_ui_info_t louder = info;
    louder.bit_rate = 320;
    player_ui_info_t none{};
    show(none);
    show_times(21, louder);
    EXPECT_EQ(label_text(m.page_2_format), "2CH|48000Hz|128Kb/s");
    show(louder);
    EXPECT_EQ(label_text(m.page_2_format), "2CH|48000Hz|320Kb/s");
}

TEST_F(AirableNowPlaying, AMissingArtFileStillRefreshesTheFormat)
{
    std::filesystem::remove("artwork");
    lv_obj_set_style_bg_color(m.page_1, lv_color_hex(0x123456), 0);
    show_times(22, record("Live radio", "Aurora FM", ""));
    EXPECT_EQ(art(), nullptr);
    EXPECT_EQ(lv_color_to_u32(lv_obj_get_style_bg_color(m.page_1, LV_PART_MAIN)) & 0xFFFFFF, 0x123456u);
    EXPECT_EQ(label_text(m.page_2_format), "2CH|48000Hz|128Kb/s");
}

TEST_F(AirableNowPlaying, RadioShowsAFullBarAndNoTimesPodcastItsProgress)
{
    player_ui_info_t info = record("Tech Weekly", "Tech Weekly #3", "");
    show(info);
    EXPECT_EQ(label_text(m.page_2_position), "");
    EXPECT_EQ(label_text(m.page_2_duration), "");
    EXPECT_EQ(lv_bar_get_max_value(m.page_2_bar), 100);
    run_for(1000, 10);
    EXPECT_EQ(lv_bar_get_value(m.page_2_bar), 100);

    ui_run_page.airable_mode = AIRABLE_MODE_PODCAST;
    info.position_ms = 3599999;
    info.duration_ms = 6000000;
    show(info);
    EXPECT_EQ(label_text(m.page_2_position), "59:59");
    EXPECT_EQ(label_text(m.page_2_duration), "100:00");
    EXPECT_STREQ(ui_run_page.pos_text, "59:59");
    EXPECT_STREQ(ui_run_page.dur_text, "100:00");
    EXPECT_EQ(lv_bar_get_max_value(m.page_2_bar), 6000000);
    run_for(1000, 10);
    EXPECT_EQ(lv_bar_get_value(m.page_2_bar), 3599999);
}

TEST_F(AirableNowPlaying, ARecordWithoutTextsBlanksTheTextsButKeepsTheRest)
{
    show_times(22, record("Live radio", "Aurora FM", "Morning show"));
    ASSERT_STREQ(art(), "./artwork");
    player_ui_info_t stopped{};
    show(stopped);
    for (lv_obj_t *label : {m.page_1_title, m.page_1_line_2, m.page_1_line_3, m.page_2_title, m.page_2_line_upper,
                            m.page_2_line_lower}) {
        EXPECT_EQ(label_text(label), "");
        EXPECT_TRUE(hidden(label));
    }
    EXPECT_TRUE(hidden(m.page_1_text_column));
    EXPECT_EQ(art(), nullptr);
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_2_artwork), "./artwork");
    EXPECT_EQ(label_text(m.page_2_format), "2CH|48000Hz|128Kb/s");
}

TEST_F(AirableNowPlaying, WithoutTheTitleLengthEveryTextIsHidden)
{
    player_ui_info_t info = record("Live radio", "Aurora FM", "Morning show");
    info.len2 = 0;
    show(info);
    EXPECT_EQ(label_text(m.page_1_title), "Aurora FM") << "the labels are set whatever shows";
    for (lv_obj_t *label : {m.page_1_title, m.page_1_line_2, m.page_1_line_3, m.page_2_title, m.page_2_line_upper,
                            m.page_2_line_lower, m.page_1_text_column}) {
        EXPECT_TRUE(hidden(label));
    }
    info = record("", "Aurora FM", "");
    show(info);
    EXPECT_FALSE(hidden(m.page_1_title));
    EXPECT_TRUE(hidden(m.page_1_line_3));
    EXPECT_TRUE(hidden(m.page_1_line_2));
}

}  // namespace
}  // namespace main_page_test
