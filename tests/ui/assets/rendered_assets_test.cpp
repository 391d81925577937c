// The assets as the GUI library draws them: the contact sheet (every image
// on a dark and a light ground, sample text in every font) against its
// reference under docs/, and the label font's behaviour on screen: password
// bullets 24 pixels apart, uncovered characters drawing nothing.
#include "ui/ui_assets.h"

#include "image_compare.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int32_t kBytesPerPixel = 4;

// A memory display of any size, drawn whole on every refresh.
class MemoryScreen {
public:
    MemoryScreen(int32_t w, int32_t h) : w_(w), h_(h), buf_(static_cast<size_t>(w) * h * kBytesPerPixel) {
        lv_init();
        disp_ = lv_display_create(w, h);
        lv_display_set_buffers(disp_, buf_.data(), nullptr, static_cast<uint32_t>(buf_.size()),
                               LV_DISPLAY_RENDER_MODE_FULL);
        lv_display_set_flush_cb(disp_, [](lv_display_t* d, const lv_area_t*, uint8_t*) { lv_display_flush_ready(d); });
    }
    ~MemoryScreen() { lv_deinit(); }
    MemoryScreen(const MemoryScreen&) = delete;
    MemoryScreen& operator=(const MemoryScreen&) = delete;

    lv_obj_t* screen() const { return lv_display_get_screen_active(disp_); }

    test_support::Image render() {
        lv_obj_invalidate(screen());
        lv_refr_now(disp_);
        return test_support::from_bgra(buf_.data(), w_, h_, w_ * kBytesPerPixel);
    }

private:
    int32_t w_;
    int32_t h_;
    std::vector<uint8_t> buf_;
    lv_display_t* disp_ = nullptr;
};

// A plain rectangle with no theme styling.
lv_obj_t* panel(lv_obj_t* parent, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
    lv_obj_t* p = lv_obj_create(parent);
    lv_obj_remove_style_all(p);
    lv_obj_set_pos(p, x, y);
    lv_obj_set_size(p, w, h);
    lv_obj_set_style_bg_color(p, lv_color_hex(colour), 0);
    lv_obj_set_style_bg_opa(p, LV_OPA_COVER, 0);
    return p;
}

lv_obj_t* label(lv_obj_t* parent, int32_t x, int32_t y, const lv_font_t* font, uint32_t colour, const char* text) {
    lv_obj_t* l = lv_label_create(parent);
    lv_obj_set_pos(l, x, y);
    lv_obj_set_style_text_font(l, font, 0);
    lv_obj_set_style_text_color(l, lv_color_hex(colour), 0);
    lv_label_set_text(l, text);
    return l;
}

const lv_image_dsc_t* const kAllImages[] = {
    &img_ico_airplay, &img_ico_audio_input, &img_ico_audio_output, &img_ico_deezer, &img_ico_eq,
    &img_ico_idagio, &img_ico_information, &img_ico_internet_radio, &img_ico_internet_radio_bar,
    &img_ico_player, &img_ico_podcast, &img_ico_preset, &img_ico_qobuz, &img_ico_recently_played,
    &img_ico_screen, &img_ico_set, &img_ico_spotify, &img_ico_tidal, &img_ico_list_empty, &img_ico_load_busy,
    &img_ico_ctrl_music_pause, &img_ico_ctrl_music_play, &img_ico_airplay_bar, &img_ico_radio_bar,
    &img_ico_spotify_bar, &img_ico_main_page, &img_ico_status_off, &img_ico_status_on,
    &img_ico_ctrl_music_playlist_repeat, &img_ico_ctrl_music_random, &img_ico_ctrl_music_next,
    &img_ico_ctrl_music_previous, &img_ico_wifi_0, &img_ico_wifi_1, &img_ico_wifi_2, &img_ico_wifi_3,
    &img_ico_wifi_4, &img_ico_wifi_5, &img_ico_wifi_lock_0, &img_ico_wifi_lock_1, &img_ico_wifi_lock_2,
    &img_ico_wifi_lock_3, &img_ico_wifi_lock_4, &img_ico_wifi_ok_0, &img_ico_wifi_ok_1, &img_ico_wifi_ok_2,
    &img_ico_wifi_ok_3, &img_ico_wifi_ok_4, &img_ico_wifi_ok_5, &img_ico_favorite_3, &img_ico_mini_busy,
    &img_ico_favorite_1, &img_ico_favorite_2, &img_ico_play_now_short, &img_ico_back, &img_ico_deletion,
    &img_ico_list_enter,
};

constexpr int32_t kSheetWidth = 1280;
constexpr int32_t kMargin = 16;
constexpr int32_t kGap = 14;

// Lays the images out left to right in rows, the row's images centred on
// its middle line; gives the height used.
int32_t place_images(lv_obj_t* parent) {
    int32_t x = kMargin, y = kMargin;
    std::vector<lv_obj_t*> row;
    int32_t row_h = 0;
    auto finish_row = [&] {
        for (lv_obj_t* img : row) {
            const auto* dsc = static_cast<const lv_image_dsc_t*>(lv_image_get_src(img));
            lv_obj_set_y(img, y + (row_h - static_cast<int32_t>(dsc->header.h)) / 2);
        }
        row.clear();
    };
    for (const lv_image_dsc_t* dsc : kAllImages) {
        const int32_t w = dsc->header.w, h = dsc->header.h;
        if (x + w + kMargin > kSheetWidth) {
            finish_row();
            x = kMargin;
            y += row_h + kGap;
            row_h = 0;
        }
        lv_obj_t* img = lv_image_create(parent);
        lv_image_set_src(img, dsc);
        lv_obj_set_x(img, x);
        row.push_back(img);
        x += w + kGap;
        row_h = std::max(row_h, h);
    }
    finish_row();
    return y + row_h + kMargin;
}

constexpr const char* kSymbolSample = LV_SYMBOL_PLAY LV_SYMBOL_PAUSE LV_SYMBOL_WIFI LV_SYMBOL_OK LV_SYMBOL_CLOSE
    LV_SYMBOL_BACKSPACE LV_SYMBOL_KEYBOARD LV_SYMBOL_NEW_LINE LV_SYMBOL_SETTINGS;

// One line per font, each in its own font; gives the height used.
int32_t place_font_samples(lv_obj_t* parent, int32_t y) {
    y += kMargin;
    for (size_t i = 0; i < UI_FONT_TABLE_SIZE; ++i) {
        const lv_font_t* font = fonts[i].font;
        std::string text = fonts[i].name;
        if (font == &ui_font_font_main)
            text += "  \xE6\x92\xAD\xE6\x94\xBE\xE5\x99\xA8 \xE6\x9C\x80\xE8\xBF\x91\xE6\x92\xAD\xE6\x94\xBE "
                    "\xE9\xA2\x84\xE8\xAE\xBE \xE7\x94\xB5\xE5\x8F\xB0 \xE9\x9F\xB3\xE6\xBA\x90\xE8\xBE\x93\xE5\x85\xA5 "
                    "\xE5\xB1\x8F\xE5\xB9\x95 \xE4\xBF\xA1\xE6\x81\xAF \xE8\xAE\xBE\xE7\xBD\xAE "
                    "\xE6\x88\x91\xE7\x9A\x84\xE7\xBD\x91\xE7\xBB\x9C \xE5\x85\xB6\xE4\xBB\x96\xE7\xBD\x91\xE7\xBB\x9C "
                    "\xE6\x98\x9F\xE6\x9C\x9F\xE5\x9B\x9B 15:00 EQ airplay \xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2";
        else
            text += std::string("  Qv 0123 \xC2\xB0 \xE2\x80\xA2 ") + kSymbolSample;
        label(parent, kMargin, y, font, 0x1A1A1E, text.c_str());
        y += lv_font_get_line_height(font) + 4;
    }
    return y + kMargin;
}

std::string ref_path(const char* name) { return std::string(QUORVEX_SOURCE_DIR "/") + name; }

TEST(RenderedAssets, ContactSheetShowsEveryImageAndFont) {
    // The height is known only after layout: lay out once to measure.
    int32_t images_h = 0;
    {
        MemoryScreen probe(kSheetWidth, 8);
        images_h = place_images(lv_obj_create(probe.screen()));
    }
    int32_t text_h = 0;
    for (size_t i = 0; i < UI_FONT_TABLE_SIZE; ++i) text_h += lv_font_get_line_height(fonts[i].font) + 4;
    text_h += 2 * kMargin;
    const int32_t height = 2 * images_h + text_h;

    MemoryScreen sheet(kSheetWidth, height);
    lv_obj_t* dark = panel(sheet.screen(), 0, 0, kSheetWidth, images_h, 0x202226);
    lv_obj_t* light = panel(sheet.screen(), 0, images_h, kSheetWidth, images_h, 0xE4E4E8);
    lv_obj_t* text = panel(sheet.screen(), 0, 2 * images_h, kSheetWidth, text_h, 0xFFFFFF);
    place_images(dark);
    place_images(light);
    place_font_samples(text, 0);
    EXPECT_TRUE(test_support::matches_reference(sheet.render(), ref_path("docs/assets_contact_sheet.png"),
                                                QUORVEX_TEST_OUT_DIR, "assets_contact_sheet"));
}

// Columns of `img` in the row band [y0, y1) that hold any ink darker than
// the white ground.
std::vector<int> inked_columns(const test_support::Image& img, int y0, int y1) {
    std::vector<int> cols;
    for (int x = 0; x < img.w; ++x)
        for (int y = y0; y < y1; ++y)
            if (img.px(x, y)[1] < 200) {
                cols.push_back(x);
                break;
            }
    return cols;
}

// Left edges of the separate inked runs.
std::vector<int> run_starts(const std::vector<int>& cols) {
    std::vector<int> starts;
    for (size_t i = 0; i < cols.size(); ++i)
        if (i == 0 || cols[i] != cols[i - 1] + 1) starts.push_back(cols[i]);
    return starts;
}

constexpr int32_t kLineHeight = 28;

TEST(RenderedAssets, PasswordBulletsStand24PixelsApart) {
    MemoryScreen s(320, 60);
    panel(s.screen(), 0, 0, 320, 60, 0xFFFFFF);
    label(s.screen(), 10, 10, &ui_font_font_main, 0x000000, "\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2");
    const std::vector<int> starts = run_starts(inked_columns(s.render(), 10, 10 + kLineHeight));
    ASSERT_EQ(starts.size(), 5u);
    for (size_t i = 1; i < starts.size(); ++i) EXPECT_EQ(starts[i] - starts[i - 1], 24) << i;
}

TEST(RenderedAssets, UncoveredCharactersDrawNothing) {
    // "我的网络" with characters the font lacks mixed in ("é", "Ω", an emoji)
    // draws exactly as the covered characters alone.
    const char* covered = "\xE6\x88\x91\xE7\x9A\x84\xE7\xBD\x91\xE7\xBB\x9C";
    const char* mixed = "\xE6\x88\x91\xC3\xA9\xE7\x9A\x84\xCE\xA9\xE7\xBD\x91\xF0\x9F\x98\x80\xE7\xBB\x9C";
    test_support::Image shots[2];
    for (int i = 0; i < 2; ++i) {
        MemoryScreen s(200, 50);
        panel(s.screen(), 0, 0, 200, 50, 0xFFFFFF);
        label(s.screen(), 8, 8, &ui_font_font_main, 0x000000, i == 0 ? covered : mixed);
        shots[i] = s.render();
    }
    const test_support::Difference d = test_support::compare(shots[0], shots[1], 0);
    EXPECT_FALSE(d.size_mismatch);
    EXPECT_EQ(d.pixels_over, 0u);
    const std::vector<int> ink = inked_columns(shots[1], 8, 8 + kLineHeight);
    ASSERT_FALSE(ink.empty());
    EXPECT_GT(ink.back() - ink.front(), 3 * 24) << "all four characters drawn";
    EXPECT_LT(ink.back() - ink.front(), 4 * 24);
}

}  // namespace
