// Now playing for AirPlay and Spotify, fed the records their controllers
// hand over: the text mapping per source, which labels show, the blanking
// of a record without texts, the progress bar and times at the edges of
// u32, and the cover art read one second after a title change: the new
// file on the screen, and a FIFO in its place harmless.
#include <climits>
#include <fstream>
#include <filesystem>
#include <string>

#include "comm/airable_data_exchange.h"
#include "jpeg_fixture.hpp"
#include "main_page_env.hpp"
#include "stuck_fifo.hpp"

namespace main_page_test {
namespace {

using Callback = void (*)(const player_ui_info_t *);

class NowPlaying : public MainPageTest {
protected:
    void SetUp() override
    {
        MainPageTest::SetUp();
        start_ui();
        write_jpeg("artwork.jpg", 64, 64, [](int, int) { return Rgb{255, 0, 0}; });
        write_jpeg("artwork", 64, 64, [](int, int) { return Rgb{0, 0, 255}; });
        take_log();
    }

    // The GUI keeps running while the art waits for its second.
    void wait_ms(uint32_t ms) { run_for(ms, 10); }

    uint32_t page_1_colour() const
    {
        const lv_color_t c = lv_obj_get_style_bg_color(m.page_1, LV_PART_MAIN);
        return lv_color_to_u32(c) & 0xFFFFFF;
    }

    // The strongest channel ('r', 'g' or 'b') of what the screen shows in
    // the art of page 1 (under the control overlay's veil) or page 2.
    char art_on_page(int page)
    {
        lv_obj_scroll_to_x(m.pager, page * MAIN_PAGE_WIDTH, LV_ANIM_OFF);
        const lv_point_t at = page == 1 ? lv_point_t{100, 20} : lv_point_t{60, 140};
        const uint8_t * p = render().px(at.x, at.y);  // B, G, R
        return p[2] > p[1] && p[2] > p[0] ? 'r' : (p[1] > p[0] ? 'g' : 'b');
    }
};

TEST_F(NowPlaying, EachSourceMapsItsTextsAndReadsItsArt)
{
    struct Case {
        const char * name;
        Callback cb;
        const char * title;
        const char * other;
        const char * art;
        uint32_t colour;
    };
    const Case cases[] = {
        {"AirPlay", airplay_ui_event_cb, "One", "Two", "./artwork.jpg", 0xE00000},
        {"Spotify", spotify_ui_event_cb, "Two", "One", "./artwork", 0x0000E0},
    };
    for (const Case & c : cases) {
        SCOPED_TRACE(c.name);
        const player_ui_info_t info = playing_record("One", "Two", "Three");
        c.cb(&info);
        EXPECT_EQ(label_text(m.page_1_title), c.title);
        EXPECT_EQ(label_text(m.page_2_title), c.title);
        EXPECT_EQ(label_text(m.page_1_line_3), c.other);
        EXPECT_EQ(label_text(m.page_2_line_lower), c.other);
        EXPECT_EQ(label_text(m.page_1_line_2), "Three");
        EXPECT_EQ(label_text(m.page_2_line_upper), "Three");
        for (lv_obj_t * shown : {m.page_1_title, m.page_2_title, m.page_1_line_2, m.page_1_line_3, m.page_2_line_upper,
                                 m.page_2_line_lower, m.page_1_text_column}) {
            EXPECT_FALSE(hidden(shown));
        }
        wait_ms(1000);
        EXPECT_STREQ((const char *)lv_image_get_src(m.page_1_artwork), c.art);
        EXPECT_STREQ((const char *)lv_image_get_src(m.page_2_artwork), c.art);
        EXPECT_EQ(page_1_colour(), c.colour);
        EXPECT_EQ(lv_color_to_u32(m.dominant_color) & 0xFFFFFF, c.colour);
        // The next source's first record is a title change again.
        const player_ui_info_t none{};
        c.cb(&none);
    }
}

TEST_F(NowPlaying, TheRecordsLengthsDecideWhichLabelsShow)
{
    struct Case {
        const char * name;
        uint16_t len1, len2, len3;
        bool title, other, third;
    };
    const Case cases[] = {
        {"all", 3, 3, 5, true, true, true},
        {"no title: everything hidden", 0, 3, 5, false, false, false},
        {"no second text", 3, 0, 5, true, false, true},
        {"no third text", 3, 3, 0, true, true, false},
    };
    for (const Case & c : cases) {
        SCOPED_TRACE(c.name);
        player_ui_info_t info = playing_record("One", "Two", "Three");
        info.len1 = c.len1;
        info.len2 = c.len2;
        info.len3 = c.len3;
        airplay_ui_event_cb(&info);
        EXPECT_EQ(label_text(m.page_1_title), "One") << "labels are set whatever shows";
        EXPECT_EQ(!hidden(m.page_1_title), c.title);
        EXPECT_EQ(!hidden(m.page_2_title), c.title);
        EXPECT_EQ(!hidden(m.page_1_text_column), c.title);
        EXPECT_EQ(!hidden(m.page_1_line_3), c.other);
        EXPECT_EQ(!hidden(m.page_2_line_lower), c.other);
        EXPECT_EQ(!hidden(m.page_1_line_2), c.third);
        EXPECT_EQ(!hidden(m.page_2_line_upper), c.third);
    }
}

TEST_F(NowPlaying, ARecordWithoutTextsBlanksTheTextsAndTheLargeArt)
{
    const player_ui_info_t info = playing_record("One", "Two", "Three");
    airplay_ui_event_cb(&info);
    wait_ms(1000);
    lv_label_set_text(m.page_2_format, "2CH|44100Hz|320Kb/s");

    player_ui_info_t stopped{};
    stopped.state = 0;
    airplay_ui_event_cb(&stopped);
    for (lv_obj_t * label :
         {m.page_1_title, m.page_1_line_2, m.page_1_line_3, m.page_2_line_upper, m.page_2_title, m.page_2_line_lower}) {
        EXPECT_EQ(label_text(label), "");
        EXPECT_TRUE(hidden(label));
    }
    EXPECT_TRUE(hidden(m.page_1_text_column));
    EXPECT_EQ(lv_image_get_src(m.page_1_artwork), nullptr);
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_2_artwork), "./artwork.jpg");
    EXPECT_EQ(label_text(m.page_2_position), "01:01");
    EXPECT_EQ(label_text(m.page_2_format), "2CH|44100Hz|320Kb/s");
    EXPECT_EQ(page_1_colour(), 0xE00000u);

    // The same title again is a change now: its art is read once more.
    take_log();
    airplay_ui_event_cb(&info);
    wait_ms(1000);
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_1_artwork), "./artwork.jpg");
    EXPECT_NE(take_log().find("[PAGE MAIN] dominant color: R=224 G=0 B=0\n"), std::string::npos);
}

// Only state 1 carries texts: any other state blanks them, on every source.
TEST_F(NowPlaying, EveryStateButOneBlanksTheTexts)
{
    const struct {
        const char *name;
        Callback cb;
    } sources[] = {
        {"AirPlay", airplay_ui_event_cb},
        {"Spotify", spotify_ui_event_cb},
        {"Airable", [](const player_ui_info_t *i) { airable_ui_event_cb(AIRABLE_UI_PLAYER_INFO, (void *)i); }},
    };
    for (const auto &source : sources) {
        for (const uint8_t state : {2, 3, 255}) {
            SCOPED_TRACE(std::string(source.name) + " state " + std::to_string(state));
            const player_ui_info_t info = playing_record("One", "Two", "Three");
            source.cb(&info);
            ASSERT_FALSE(hidden(m.page_1_title));
            lv_image_set_src(m.page_1_artwork, "./artwork.jpg");
            player_ui_info_t other = info;
            other.state = state;
            source.cb(&other);
            for (lv_obj_t *label : {m.page_1_title, m.page_1_line_2, m.page_1_line_3, m.page_2_line_upper,
                                    m.page_2_title, m.page_2_line_lower}) {
                EXPECT_EQ(label_text(label), "");
                EXPECT_TRUE(hidden(label));
            }
            EXPECT_TRUE(hidden(m.page_1_text_column));
            EXPECT_EQ(lv_image_get_src(m.page_1_artwork), nullptr);
        }
    }
}

TEST_F(NowPlaying, TheArtIsReadOneSecondAfterATitleChangeAndOnlyThen)
{
    const player_ui_info_t info = playing_record("One", "Two", "Three");
    lv_label_set_text(m.page_2_format, "old format");
    airplay_ui_event_cb(&info);
    EXPECT_EQ(label_text(m.page_2_format), "") << "emptied at the title change";
    wait_ms(990);
    EXPECT_EQ(lv_image_get_src(m.page_1_artwork), nullptr) << "not before the second is over";
    EXPECT_EQ(take_log().find("dominant color"), std::string::npos);
    wait_ms(20);
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_1_artwork), "./artwork.jpg");
    EXPECT_NE(take_log().find("\033[0m [PAGE MAIN] dominant color: R=224 G=0 B=0\n"), std::string::npos);

    // The same title again: no new wait, no new read.
    airplay_ui_event_cb(&info);
    wait_ms(2000);
    EXPECT_EQ(take_log().find("dominant color"), std::string::npos);
}

// The image cache keeps a decoded art under its path: the file the service
// wrote for the next title must still reach the screen.
TEST_F(NowPlaying, TheNextTitleShowsTheArtWrittenForIt)
{
    const player_ui_info_t first = playing_record("One", "Two", "Three");
    airplay_ui_event_cb(&first);
    wait_ms(1000);
    EXPECT_EQ(art_on_page(1), 'r');
    EXPECT_EQ(art_on_page(2), 'r');

    write_jpeg("artwork.jpg", 64, 64, [](int, int) { return Rgb{0, 0, 255}; });
    const player_ui_info_t next = playing_record("Uno", "Two", "Three");
    airplay_ui_event_cb(&next);
    wait_ms(1000);
    EXPECT_EQ(art_on_page(1), 'b');
    EXPECT_EQ(art_on_page(2), 'b');
}

// A FIFO put at the art's path (a service gone wrong, or a hostile one)
// holds neither drawing nor touch: while the art is in the image cache, and
// on a build without one, where every frame reads the file again.
TEST_F(NowPlaying, AFifoAtTheArtPathHoldsNeitherDrawingNorTouch)
{
    struct Case {
        const char * name;
        uint32_t cache_size;
    };
    const Case cases[] = {{"image cache", LV_CACHE_DEF_SIZE}, {"no image cache", 0}};
    for (const Case & c : cases) {
        SCOPED_TRACE(c.name);
        lv_image_cache_resize(c.cache_size, true);
        write_jpeg("artwork.jpg", 64, 64, [](int, int) { return Rgb{255, 0, 0}; });
        const player_ui_info_t info = playing_record("One", "Two", "Three");
        airplay_ui_event_cb(&info);
        wait_ms(1000);
        ASSERT_EQ(art_on_page(1), 'r');
        const uint32_t colour = page_1_colour();

        std::filesystem::remove("artwork.jpg");
        StuckFifo fifo("artwork.jpg", StuckFifo::Writer::None);
        const bool overlay_was_hidden = hidden(m.group_ctrl_page_1);
        EXPECT_FALSE(fifo.blocks([&] {
            tap(100, 240);
            render();
        })) << "the tap waited on the art";
        EXPECT_NE(hidden(m.group_ctrl_page_1), overlay_was_hidden) << "the tap was taken";

        // The next title finds no art file: art and colour stay.
        const player_ui_info_t next = playing_record("Uno", "Two", "Three");
        EXPECT_FALSE(fifo.blocks([&] {
            airplay_ui_event_cb(&next);
            wait_ms(1100);
        })) << "the next title waited on the art";
        EXPECT_STREQ((const char *)lv_image_get_src(m.page_1_artwork), "./artwork.jpg");
        EXPECT_EQ(page_1_colour(), colour);

        const player_ui_info_t none{};
        airplay_ui_event_cb(&none);
    }
}

TEST_F(NowPlaying, ALaterTitleChangeRestartsTheWait)
{
    const player_ui_info_t first = playing_record("One", "Two", "Three");
    const player_ui_info_t second = playing_record("Uno", "Two", "Three");
    airplay_ui_event_cb(&first);
    wait_ms(600);
    airplay_ui_event_cb(&second);
    wait_ms(600);
    EXPECT_EQ(take_log().find("dominant color"), std::string::npos);
    wait_ms(500);
    const std::string log = take_log();
    EXPECT_NE(log.find("dominant color"), std::string::npos);
    EXPECT_EQ(log.find("dominant color"), log.rfind("dominant color")) << "read once";
}

TEST_F(NowPlaying, ARecordWithoutTextsWithinTheSecondReadsTheArtFirst)
{
    const player_ui_info_t info = playing_record("One", "Two", "Three");
    airplay_ui_event_cb(&info);
    wait_ms(300);
    player_ui_info_t stopped{};
    airplay_ui_event_cb(&stopped);
    EXPECT_NE(take_log().find("dominant color"), std::string::npos);
    EXPECT_EQ(lv_image_get_src(m.page_1_artwork), nullptr);
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_2_artwork), "./artwork.jpg");
    wait_ms(2000);
    EXPECT_EQ(lv_image_get_src(m.page_1_artwork), nullptr) << "nothing is left waiting";
}

TEST_F(NowPlaying, MissingArtChangesNeitherTheImagesNorTheColour)
{
    std::remove("artwork.jpg");
    std::ofstream("artwork.jpg", std::ios::trunc).close();  // empty: as missing
    const uint32_t before = page_1_colour();
    const player_ui_info_t info = playing_record("One", "Two", "Three");
    airplay_ui_event_cb(&info);
    wait_ms(1100);
    EXPECT_EQ(lv_image_get_src(m.page_1_artwork), nullptr);
    EXPECT_EQ(lv_image_get_src(m.page_2_artwork), nullptr);
    EXPECT_EQ(page_1_colour(), before);
    EXPECT_EQ(take_log().find("dominant color"), std::string::npos);
}

// A service that writes its art in place (ours rename a finished file over
// it) can leave it cut off when the second is over: both images and the
// colour take what can be read, and drawing it does no harm.
TEST_F(NowPlaying, ACutOffArtFileIsShownAsFarAsItGoes)
{
    write_jpeg("whole.jpg", 240, 240, [](int, int) { return Rgb{0, 0, 255}; });
    write_prefix("whole.jpg", "artwork.jpg", (size_t)std::filesystem::file_size("whole.jpg") * 3 / 4);
    const player_ui_info_t info = playing_record("One", "Two", "Three");
    airplay_ui_event_cb(&info);
    wait_ms(1000);
    EXPECT_STREQ((const char *)lv_image_get_src(m.page_1_artwork), "./artwork.jpg");
    EXPECT_EQ(page_1_colour(), 0x0000E0u);
    for (int page : {1, 2}) {
        lv_obj_scroll_to_x(m.pager, page * MAIN_PAGE_WIDTH, LV_ANIM_OFF);
        render();
    }
}

TEST_F(NowPlaying, TimesAndBarCoverTheWholeRangeOfTheRecord)
{
    struct Case {
        uint32_t position;
        uint32_t duration;
        const char * position_text;
        const char * duration_text;
        int32_t max;
        int32_t value;
    };
    const Case cases[] = {
        {59999, 3725000, "00:59", "62:05", 3725000, 59999},
        {6000000, 6000000, "100:00", "100:00", 6000000, 6000000},
        {0, 0, "00:00", "00:00", 1, 0},  // duration not known: an empty bar
        {5000, 0, "00:05", "00:00", 1, 0},
        {UINT32_MAX, UINT32_MAX, "71582:47", "71582:47", INT32_MAX, INT32_MAX},
        {3000000000u, 4000000000u, "50000:00", "66666:40", INT32_MAX, INT32_MAX},
        {120000, 60000, "02:00", "01:00", 60000, 60000},
    };
    for (const Case & c : cases) {
        SCOPED_TRACE(c.position_text);
        player_ui_info_t info = playing_record("One", "Two", "Three");
        info.position_ms = c.position;
        info.duration_ms = c.duration;
        spotify_ui_event_cb(&info);
        EXPECT_EQ(label_text(m.page_2_position), c.position_text);
        EXPECT_EQ(label_text(m.page_2_duration), c.duration_text);
        EXPECT_EQ(lv_bar_get_min_value(m.page_2_bar), 0);
        EXPECT_EQ(lv_bar_get_max_value(m.page_2_bar), c.max);
        EXPECT_EQ(lv_bar_get_value(m.page_2_bar), c.value);
    }
}

}  // namespace
}  // namespace main_page_test
