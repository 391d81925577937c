// The compiled-in icons: descriptor values, pixel array sizes, the name table,
// and the motif traits the pages rely on (which switch is on, how lit a WiFi
// fan is, which marks are red or green).
#include "ui/ui_assets.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

struct ImageCase {
    const char* name;
    const lv_image_dsc_t* img;
    uint32_t w;
    uint32_t h;
};

const ImageCase kImages[] = {
    {"airplay", &img_ico_airplay, 102, 102},
    {"audio_input", &img_ico_audio_input, 102, 102},
    {"audio_output", &img_ico_audio_output, 102, 102},
    {"deezer", &img_ico_deezer, 102, 102},
    {"eq", &img_ico_eq, 102, 102},
    {"idagio", &img_ico_idagio, 102, 102},
    {"information", &img_ico_information, 102, 102},
    {"internet_radio", &img_ico_internet_radio, 102, 102},
    {"internet_radio_bar", &img_ico_internet_radio_bar, 102, 102},
    {"player", &img_ico_player, 102, 102},
    {"podcast", &img_ico_podcast, 102, 102},
    {"preset", &img_ico_preset, 102, 102},
    {"qobuz", &img_ico_qobuz, 102, 102},
    {"recently_played", &img_ico_recently_played, 102, 102},
    {"screen", &img_ico_screen, 102, 102},
    {"set", &img_ico_set, 102, 102},
    {"spotify", &img_ico_spotify, 102, 102},
    {"tidal", &img_ico_tidal, 102, 102},
    {"list_empty", &img_ico_list_empty, 200, 200},
    {"load_busy", &img_ico_load_busy, 80, 80},
    {"ctrl_music_pause", &img_ico_ctrl_music_pause, 64, 64},
    {"ctrl_music_play", &img_ico_ctrl_music_play, 64, 64},
    {"airplay_bar", &img_ico_airplay_bar, 49, 49},
    {"radio_bar", &img_ico_radio_bar, 49, 49},
    {"spotify_bar", &img_ico_spotify_bar, 49, 49},
    {"main_page", &img_ico_main_page, 45, 41},
    {"status_off", &img_ico_status_off, 46, 22},
    {"status_on", &img_ico_status_on, 46, 22},
    {"ctrl_music_playlist_repeat", &img_ico_ctrl_music_playlist_repeat, 36, 26},
    {"ctrl_music_random", &img_ico_ctrl_music_random, 36, 26},
    {"ctrl_music_next", &img_ico_ctrl_music_next, 32, 36},
    {"ctrl_music_previous", &img_ico_ctrl_music_previous, 32, 36},
    {"wifi_0", &img_ico_wifi_0, 32, 32},
    {"wifi_1", &img_ico_wifi_1, 32, 32},
    {"wifi_2", &img_ico_wifi_2, 32, 32},
    {"wifi_3", &img_ico_wifi_3, 32, 32},
    {"wifi_4", &img_ico_wifi_4, 32, 32},
    {"wifi_5", &img_ico_wifi_5, 32, 32},
    {"wifi_lock_0", &img_ico_wifi_lock_0, 32, 32},
    {"wifi_lock_1", &img_ico_wifi_lock_1, 32, 32},
    {"wifi_lock_2", &img_ico_wifi_lock_2, 32, 32},
    {"wifi_lock_3", &img_ico_wifi_lock_3, 32, 32},
    {"wifi_lock_4", &img_ico_wifi_lock_4, 32, 32},
    {"wifi_ok_0", &img_ico_wifi_ok_0, 32, 32},
    {"wifi_ok_1", &img_ico_wifi_ok_1, 32, 32},
    {"wifi_ok_2", &img_ico_wifi_ok_2, 32, 32},
    {"wifi_ok_3", &img_ico_wifi_ok_3, 32, 32},
    {"wifi_ok_4", &img_ico_wifi_ok_4, 32, 32},
    {"wifi_ok_5", &img_ico_wifi_ok_5, 32, 32},
    {"favorite_3", &img_ico_favorite_3, 33, 32},
    {"mini_busy", &img_ico_mini_busy, 30, 30},
    {"favorite_1", &img_ico_favorite_1, 27, 24},
    {"favorite_2", &img_ico_favorite_2, 26, 24},
    {"play_now_short", &img_ico_play_now_short, 25, 25},
    {"back", &img_ico_back, 22, 22},
    {"deletion", &img_ico_deletion, 20, 20},
    {"list_enter", &img_ico_list_enter, 20, 20},
};

void PrintTo(const ImageCase& c, std::ostream* os) { *os << c.name; }

constexpr size_t kImageCount = 57;
constexpr uint32_t kAllPixelBytes = 1118628;
constexpr uint32_t kBytesPerPixel = 4;

struct Pixel {
    uint8_t b, g, r, a;
};

Pixel pixel(const lv_image_dsc_t* img, uint32_t x, uint32_t y) {
    const uint8_t* p = img->data + y * img->header.stride + x * kBytesPerPixel;
    return {p[0], p[1], p[2], p[3]};
}

bool is_white(Pixel p) { return p.a > 200 && p.r > 230 && p.g > 230 && p.b > 230; }
bool is_red(Pixel p) { return p.a > 200 && p.r > 200 && p.g < 120 && p.b < 120; }
bool is_green(Pixel p) { return p.a > 200 && p.g > 150 && p.r < 110 && p.b < 140; }

template <typename Pred>
int count(const lv_image_dsc_t* img, Pred pred) {
    int n = 0;
    for (uint32_t y = 0; y < img->header.h; ++y)
        for (uint32_t x = 0; x < img->header.w; ++x) n += pred(pixel(img, x, y)) ? 1 : 0;
    return n;
}

// Opaque white pixels: the lit parts of a fan.
int lit(const lv_image_dsc_t* img) { return count(img, is_white); }

class ImageAsset : public ::testing::TestWithParam<ImageCase> {};

TEST_P(ImageAsset, DescriptorIsUnpaddedStraightArgb8888) {
    const ImageCase& c = GetParam();
    const lv_image_header_t& h = c.img->header;
    EXPECT_EQ(h.magic, LV_IMAGE_HEADER_MAGIC);
    EXPECT_EQ(h.cf, LV_COLOR_FORMAT_ARGB8888);
    EXPECT_EQ(h.flags, 0u);
    EXPECT_EQ(h.w, c.w);
    EXPECT_EQ(h.h, c.h);
    EXPECT_EQ(h.stride, kBytesPerPixel * c.w);
    EXPECT_EQ(h.reserved_2, 0u);
    // data_size is the pixel array's own size (sizeof in its source), so this
    // also checks that the array holds exactly stride x height bytes.
    EXPECT_EQ(c.img->data_size, h.stride * h.h);
    EXPECT_NE(c.img->data, nullptr);
    EXPECT_EQ(c.img->reserved, nullptr);
    EXPECT_EQ(c.img->reserved_2, nullptr);
}

TEST_P(ImageAsset, MotifStandsOnATransparentBackground) {
    const lv_image_dsc_t* img = GetParam().img;
    const uint32_t w = img->header.w, h = img->header.h;
    for (auto [x, y] : {std::pair{0u, 0u}, {w - 1, 0u}, {0u, h - 1}, {w - 1, h - 1}})
        EXPECT_EQ(pixel(img, x, y).a, 0) << "corner " << x << "," << y;
    EXPECT_GT(count(img, [](Pixel p) { return p.a >= 64; }), 0) << "no motif";
    EXPECT_EQ(count(img, [](Pixel p) { return p.a == 0 && (p.r || p.g || p.b); }), 0)
        << "transparent pixels carry colour";
}

INSTANTIATE_TEST_SUITE_P(All, ImageAsset, ::testing::ValuesIn(kImages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImageAssets, InventoryHasEveryImageOnceWithThePixelTotal) {
    ASSERT_EQ(std::size(kImages), kImageCount);
    std::set<const lv_image_dsc_t*> seen;
    uint32_t bytes = 0;
    for (const ImageCase& c : kImages) {
        EXPECT_TRUE(seen.insert(c.img).second) << c.name;
        bytes += c.img->data_size;
    }
    EXPECT_EQ(bytes, kAllPixelBytes);
}

TEST(ImageAssets, NameTableListsTheNamedImagesThenEmptyEntries) {
    const std::vector<std::pair<std::string, const lv_image_dsc_t*>> expected = {
        {"ico_audio_input", &img_ico_audio_input},
        {"ico_audio_output", &img_ico_audio_output},
        {"ico_eq", &img_ico_eq},
        {"ico_information", &img_ico_information},
        {"ico_internet radio", &img_ico_internet_radio},
        {"ico_player", &img_ico_player},
        {"ico_preset", &img_ico_preset},
        {"ico_recently_played", &img_ico_recently_played},
        {"ico_screen", &img_ico_screen},
        {"ico_status_on", &img_ico_status_on},
        {"ico_status_off", &img_ico_status_off},
        {"ico_main_page", &img_ico_main_page},
        {"ico_wifi_0", &img_ico_wifi_0},
        {"ico_wifi_1", &img_ico_wifi_1},
        {"ico_wifi_2", &img_ico_wifi_2},
        {"ico_wifi_3", &img_ico_wifi_3},
        {"ico_wifi_4", &img_ico_wifi_4},
        {"ico_wifi_5", &img_ico_wifi_5},
        {"ico_set", &img_ico_set},
        {"ico_wifi_lock_0", &img_ico_wifi_lock_0},
        {"ico_wifi_lock_1", &img_ico_wifi_lock_1},
        {"ico_wifi_lock_2", &img_ico_wifi_lock_2},
        {"ico_wifi_lock_3", &img_ico_wifi_lock_3},
        {"ico_wifi_lock_4", &img_ico_wifi_lock_4},
        {"ico_wifi_ok_0", &img_ico_wifi_ok_0},
        {"ico_wifi_ok_1", &img_ico_wifi_ok_1},
        {"ico_wifi_ok_2", &img_ico_wifi_ok_2},
        {"ico_wifi_ok_3", &img_ico_wifi_ok_3},
        {"ico_wifi_ok_4", &img_ico_wifi_ok_4},
        {"ico_wifi_ok_5", &img_ico_wifi_ok_5},
        {"ico_back", &img_ico_back},
        {"ico_mini_busy", &img_ico_mini_busy},
        {"ico_deletion", &img_ico_deletion},
        {"ico_spotify_bar", &img_ico_spotify_bar},
        {"ico_ctrl_music_random", &img_ico_ctrl_music_random},
        {"ico_ctrl_music_next", &img_ico_ctrl_music_next},
        {"ico_ctrl_music_pause", &img_ico_ctrl_music_pause},
        {"ico_ctrl_music_playlist_repeat", &img_ico_ctrl_music_playlist_repeat},
        {"ico_ctrl_music_previous", &img_ico_ctrl_music_previous},
        {"ico_airplay", &img_ico_airplay},
        {"ico_list_enter", &img_ico_list_enter},
        {"ico_list_empty", &img_ico_list_empty},
        {"ico_internet_radio_bar", &img_ico_internet_radio_bar},
        {"ico_radio_bar", &img_ico_radio_bar},
        {"ico_load_busy", &img_ico_load_busy},
        {"ico_ctrl_music_play", &img_ico_ctrl_music_play},
        {"ico_play_now_short", &img_ico_play_now_short},
        {"ico_airplay_bar", &img_ico_airplay_bar},
    };
    ASSERT_EQ(UI_IMAGE_TABLE_SIZE, 54);
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_NE(images[i].name, nullptr) << i;
        EXPECT_EQ(images[i].name, expected[i].first) << i;
        EXPECT_EQ(images[i].img, expected[i].second) << i;
    }
    for (size_t i = expected.size(); i < UI_IMAGE_TABLE_SIZE; ++i) {
        EXPECT_EQ(images[i].name, nullptr) << i;
        EXPECT_EQ(images[i].img, nullptr) << i;
    }
}

TEST(ImageAssets, SwitchKnobSitsLeftWhenOffAndRightWhenOn) {
    for (auto [img, on] : {std::pair{&img_ico_status_off, false}, {&img_ico_status_on, true}}) {
        const Pixel left = pixel(img, 11, 11);
        const Pixel right = pixel(img, 35, 11);
        EXPECT_TRUE(is_white(on ? right : left)) << (on ? "on" : "off");
        EXPECT_FALSE(is_white(on ? left : right)) << (on ? "on" : "off");
        EXPECT_EQ(is_green(on ? left : right), on) << (on ? "on" : "off");
    }
}

TEST(ImageAssets, WifiFansLightUpFromTheDotOutwards) {
    const std::vector<std::vector<const lv_image_dsc_t*>> families = {
        {&img_ico_wifi_0, &img_ico_wifi_1, &img_ico_wifi_2, &img_ico_wifi_3, &img_ico_wifi_4, &img_ico_wifi_5},
        {&img_ico_wifi_lock_0, &img_ico_wifi_lock_1, &img_ico_wifi_lock_2, &img_ico_wifi_lock_3,
         &img_ico_wifi_lock_4},
        {&img_ico_wifi_ok_0, &img_ico_wifi_ok_1, &img_ico_wifi_ok_2, &img_ico_wifi_ok_3, &img_ico_wifi_ok_4,
         &img_ico_wifi_ok_5},
    };
    // The fan's dot is at (16, 27); the big arc's apex near (16, 6).
    const auto dot_lit = [](const lv_image_dsc_t* img) { return is_white(pixel(img, 16, 27)); };
    const auto outer_lit = [](const lv_image_dsc_t* img) { return is_white(pixel(img, 16, 6)); };
    for (const auto& family : families) {
        EXPECT_FALSE(dot_lit(family[0]));
        EXPECT_FALSE(outer_lit(family[0]));
        EXPECT_TRUE(dot_lit(family[1])) << "the lowest signal still shows";
        EXPECT_FALSE(outer_lit(family[1]));
        EXPECT_TRUE(outer_lit(family.back()));
        // Four parts: each of the first four levels above 0 lights one more.
        for (size_t i = 2; i <= 4; ++i) EXPECT_GT(lit(family[i]), lit(family[i - 1])) << i;
        for (size_t i = 5; i < family.size(); ++i) EXPECT_GE(lit(family[i]), lit(family[i - 1])) << i;
    }
}

TEST(ImageAssets, WarningMarksAreRedAndConfirmationsGreen) {
    for (const lv_image_dsc_t* img : {&img_ico_wifi_0, &img_ico_deletion, &img_ico_favorite_2})
        EXPECT_GT(count(img, is_red), 20);
    for (const lv_image_dsc_t* img : {&img_ico_wifi_ok_0, &img_ico_wifi_ok_5, &img_ico_status_on})
        EXPECT_GT(count(img, is_green), 20);
    for (const lv_image_dsc_t* img : {&img_ico_wifi_1, &img_ico_wifi_lock_4, &img_ico_status_off})
        EXPECT_EQ(count(img, is_green) + count(img, is_red), 0);
}

}  // namespace
