#include "motifs.hpp"

#include <algorithm>

namespace imagegen {

namespace {

// ---- palette ----
constexpr Colour kUnlit = rgb(0xFFFFFF, 0.3f);
constexpr Colour kRed = rgb(0xFF3B30);
constexpr Colour kHeartRed = rgb(0xFF3B5C);
constexpr Colour kGreen = rgb(0x34C759);
constexpr Colour kSwitchOff = rgb(0x8E8E93);
constexpr Colour kPlayingBars = rgb(0x3DD68C);

Colour darker(Colour c, float by)
{
    return {c.r * (1 - by), c.g * (1 - by), c.b * (1 - by), c.a};
}

// ---- home tiles (102 x 102): a rounded square with a soft vertical gradient ----
constexpr float kTile = 102;
constexpr float kTileRadius = 24;
constexpr float kStroke = 6;
constexpr Vec2 kTileCentre{51, 51};

void tile(Canvas & c, uint32_t hex)
{
    const Colour top = rgb(hex);
    c.fill_gradient(rounded_box({0, 0}, {kTile, kTile}, kTileRadius), top, darker(top, 0.22f), 0, kTile);
}

void lettered_tile(Canvas & c, const Art & art, uint32_t hex, const char * letters, float size)
{
    tile(c, hex);
    c.text(art.letter_font, letters, kTileCentre, size, kWhite);
}

// A broadcast mark: a mast with a dot on top and waves to both sides.
Shape broadcast(Vec2 dot, float scale)
{
    const float s = scale;
    return unite({
        circle(dot, 5.5f * s),
        polygon({{dot.x, dot.y + 2 * s}, {dot.x - 9 * s, dot.y + 32 * s}, {dot.x + 9 * s, dot.y + 32 * s}}, 1.5f * s),
        arc(dot, 15 * s, 5.5f * s, 90, 80),
        arc(dot, 15 * s, 5.5f * s, 270, 80),
        arc(dot, 27 * s, 5.5f * s, 90, 80),
        arc(dot, 27 * s, 5.5f * s, 270, 80),
    });
}

// A radio set: body, speaker, tuning lines and an antenna, around `centre`.
Shape radio_set(Vec2 o, float s)
{
    auto at = [&](float x, float y) { return Vec2{o.x + x * s, o.y + y * s}; };
    const float w = 5 * s;
    return unite({
        outline(rounded_box(at(-27, -9), at(27, 25), 8 * s), w),
        ring(at(-12, 8), 8 * s, 4 * s),
        circle(at(-12, 8), 2.5f * s),
        segment(at(6, 2), at(17, 2), 4 * s),
        segment(at(6, 13), at(17, 13), 4 * s),
        segment(at(-17, -11), at(16, -26), 4 * s),
        circle(at(16, -26), 3.5f * s),
    });
}

Shape gear(Vec2 c, float outer, float hole)
{
    Shape teeth = circle(c, outer * 0.74f);
    for (int k = 0; k < 8; ++k) {
        Shape tooth = rounded_box({c.x - outer * 0.2f, c.y - outer}, {c.x + outer * 0.2f, c.y}, outer * 0.08f);
        teeth = unite({teeth, rotate(tooth, c, 45.0f * k)});
    }
    return subtract(teeth, circle(c, hole));
}

// A heart inside the box (x0, y0)-(x1, y1).
Shape heart(float x0, float y0, float x1, float y1)
{
    const float w = x1 - x0;
    const float h = y1 - y0;
    const float r = w * 0.27f;
    const Vec2 left{x0 + r, y0 + r};
    const Vec2 right{x1 - r, y0 + r};
    const Vec2 tip{(x0 + x1) / 2, y1};
    return unite({
        circle(left, r),
        circle(right, r),
        polygon(
            {{x0 + r * 0.13f, y0 + r * 1.45f}, {(x0 + x1) / 2, y0 + r * 0.9f}, {x1 - r * 0.13f, y0 + r * 1.45f}, tip},
            0),
        polygon({{x0 + 0.02f * w, y0 + 0.38f * h}, {x1 - 0.02f * w, y0 + 0.38f * h}, tip}, 0),
    });
}

// ---- the 102 x 102 tiles ----
void draw_airplay(Canvas & c, const Art &)
{
    tile(c, 0x3D7FE0);
    c.fill(broadcast({51, 40}, 1.0f), kWhite);
}

void draw_audio_input(Canvas & c, const Art &)
{
    tile(c, 0xF29A2E);
    c.fill(unite({
               polyline({{28, 54}, {28, 76}, {74, 76}, {74, 54}}, kStroke),
               segment({51, 22}, {51, 62}, kStroke),
               polyline({{38, 49}, {51, 62}, {64, 49}}, kStroke),
           }),
           kWhite);
}

void draw_audio_output(Canvas & c, const Art &)
{
    tile(c, 0x7A5CF0);
    c.fill(unite({ring(kTileCentre, 26, kStroke), circle(kTileCentre, 10)}), kWhite);
}

void draw_eq(Canvas & c, const Art &)
{
    tile(c, 0x3DBE6E);
    const float xs[] = {32, 51, 70};
    const float knobs[] = {60, 38, 54};
    for (int i = 0; i < 3; ++i) {
        c.fill(segment({xs[i], 26}, {xs[i], 76}, 5), rgb(0xFFFFFF, 0.6f));
        c.fill(circle({xs[i], knobs[i]}, 7.5f), kWhite);
    }
}

void draw_information(Canvas & c, const Art &)
{
    tile(c, 0x38A8E8);
    c.fill(unite({circle({51, 29}, 6.5f), segment({51, 45}, {51, 74}, 12)}), kWhite);
}

void draw_internet_radio(Canvas & c, const Art &)
{
    tile(c, 0xF0564E);
    c.fill(radio_set({51, 50}, 1.0f), kWhite);
}

void draw_internet_radio_bar(Canvas & c, const Art &)
{
    tile(c, 0xD94A7A);
    c.fill(radio_set({51, 50}, 1.0f), kWhite);
}

void draw_player(Canvas & c, const Art &)
{
    tile(c, 0xFF8A1F);
    c.fill(polygon({{40, 31}, {40, 71}, {73, 51}}, 3), kWhite);
}

void draw_podcast(Canvas & c, const Art &)
{
    tile(c, 0xA84FD8);
    c.fill(unite({
               rounded_box({41, 20}, {61, 58}, 10),
               arc({51, 47}, 19, 5, 180, 180),
               segment({51, 67}, {51, 78}, 5),
               segment({40, 79}, {62, 79}, 5),
           }),
           kWhite);
}

void draw_preset(Canvas & c, const Art & art)
{
    lettered_tile(c, art, 0x2FB35A, "1", 62);
}

void draw_recently_played(Canvas & c, const Art &)
{
    tile(c, 0xF03A5F);
    c.fill(unite({ring(kTileCentre, 27, kStroke), polyline({{51, 34}, {51, 52}, {63, 60}}, kStroke)}), kWhite);
}

void draw_screen(Canvas & c, const Art &)
{
    tile(c, 0x5452D0);
    c.fill(unite({
               outline(rounded_box({23, 26}, {79, 66}, 6), kStroke),
               segment({51, 69}, {51, 76}, 5),
               segment({37, 78}, {65, 78}, 5),
           }),
           kWhite);
}

void draw_set(Canvas & c, const Art &)
{
    tile(c, 0x7D7D86);
    c.fill(gear(kTileCentre, 29, 10), kWhite);
}

// Outside services: lettered tiles of our own.
void draw_deezer(Canvas & c, const Art & art)
{
    lettered_tile(c, art, 0x8E3BE8, "Dz", 44);
}
void draw_idagio(Canvas & c, const Art & art)
{
    lettered_tile(c, art, 0x262628, "Id", 46);
}
void draw_qobuz(Canvas & c, const Art & art)
{
    lettered_tile(c, art, 0x1668C4, "Qb", 44);
}
void draw_spotify(Canvas & c, const Art & art)
{
    lettered_tile(c, art, 0x23A455, "S", 58);
}
void draw_tidal(Canvas & c, const Art & art)
{
    lettered_tile(c, art, 0x0E1A26, "Td", 44);
}

// ---- larger and transport pieces ----
void draw_list_empty(Canvas & c, const Art &)
{
    c.fill_gradient(rounded_box({0, 0}, {200, 200}, 16), rgb(0x4A4A50), rgb(0x38383D), 0, 200);
    const Vec2 centre{100, 100};
    c.fill(circle(centre, 62), rgb(0x707078));
    for (float r : {30.0f, 40.0f, 50.0f}) c.fill(ring(centre, r, 1.2f), rgb(0x5E5E66));
    c.fill(circle(centre, 20), rgb(0x9A9AA2));
    c.fill(circle(centre, 5), rgb(0x404046));
}

void draw_load_busy(Canvas & c, const Art &)
{
    const Vec2 centre{40, 40};
    for (int k = 0; k < 8; ++k) {
        const float alpha = 0.25f + 0.75f * k / 7.0f;
        c.fill(rotate(segment({40, 9}, {40, 22}, 7), centre, 45.0f * k), rgb(0xFFFFFF, alpha));
    }
}

void draw_ctrl_music_play(Canvas & c, const Art &)
{
    c.fill(circle({32, 32}, 31), kWhite);
    c.erase(polygon({{26, 20}, {26, 44}, {46, 32}}, 2));
}

void draw_ctrl_music_pause(Canvas & c, const Art &)
{
    c.fill(circle({32, 32}, 31), kWhite);
    c.erase(unite({rounded_box({22, 20}, {29, 44}, 2), rounded_box({35, 20}, {42, 44}, 2)}));
}

constexpr Vec2 kBarCentre{24.5f, 24.5f};
constexpr float kBarRadius = 23.5f;

void draw_airplay_bar(Canvas & c, const Art &)
{
    c.fill(circle(kBarCentre, kBarRadius), kWhite);
    c.erase(broadcast({24.5f, 18}, 0.5f));
}

void draw_radio_bar(Canvas & c, const Art &)
{
    c.fill(circle(kBarCentre, kBarRadius), kWhite);
    c.erase(radio_set({24.5f, 24}, 0.52f));
}

void draw_spotify_bar(Canvas & c, const Art & art)
{
    c.fill(circle(kBarCentre, kBarRadius), kWhite);
    c.text(art.letter_font, "S", kBarCentre, 30, kWhite, true);
}

void draw_main_page(Canvas & c, const Art &)
{
    c.fill(unite({
               polyline({{4, 20}, {22.5f, 4}, {41, 20}}, 3.5f),
               polyline({{9, 17}, {9, 37}, {36, 37}, {36, 17}}, 3.5f),
               polyline({{18.5f, 37}, {18.5f, 26}, {26.5f, 26}, {26.5f, 37}}, 3),
           }),
           kWhite);
}

void draw_status(Canvas & c, Colour track, float knob_x)
{
    c.fill(rounded_box({0.5f, 0.5f}, {45.5f, 21.5f}, 10.5f), track);
    c.fill(circle({knob_x, 11}, 8.5f), kWhite);
}
void draw_status_off(Canvas & c, const Art &)
{
    draw_status(c, kSwitchOff, 11);
}
void draw_status_on(Canvas & c, const Art &)
{
    draw_status(c, kGreen, 35);
}

void draw_ctrl_music_playlist_repeat(Canvas & c, const Art &)
{
    const Shape loop = outline(rounded_box({5, 6}, {31, 20}, 6), 3);
    const Shape gaps = unite({rounded_box({20, 1}, {27, 11}, 0), rounded_box({9, 15}, {16, 25}, 0)});
    c.fill(unite({
               subtract(loop, gaps),
               polygon({{28.5f, 6}, {21, 1.5f}, {21, 10.5f}}, 0.5f),
               polygon({{7.5f, 20}, {15, 15.5f}, {15, 24.5f}}, 0.5f),
           }),
           kWhite);
}

void draw_ctrl_music_random(Canvas & c, const Art &)
{
    c.fill(unite({
               polyline({{3, 6}, {10, 6}, {22, 20}, {28, 20}}, 3),
               polyline({{3, 20}, {10, 20}, {22, 6}, {28, 6}}, 3),
               polygon({{34, 6}, {27, 1.5f}, {27, 10.5f}}, 0.5f),
               polygon({{34, 20}, {27, 15.5f}, {27, 24.5f}}, 0.5f),
           }),
           kWhite);
}

Shape skip_next()
{
    return unite({polygon({{4, 7}, {4, 29}, {21, 18}}, 1.5f), rounded_box({23, 6}, {28.5f, 30}, 1.5f)});
}
void draw_ctrl_music_next(Canvas & c, const Art &)
{
    c.fill(skip_next(), kWhite);
}
void draw_ctrl_music_previous(Canvas & c, const Art &)
{
    c.fill(mirror_x(skip_next(), 16), kWhite);
}

// ---- WiFi fans (32 x 32): a dot and three arcs, lit from the dot outwards ----
constexpr Vec2 kFanCentre{16, 27};
constexpr Vec2 kBadge{25, 25};

void fan(Canvas & c, int lit)
{
    const Shape parts[] = {
        circle(kFanCentre, 2.8f),
        arc(kFanCentre, 8.5f, 3.2f, 0, 84),
        arc(kFanCentre, 14.5f, 3.2f, 0, 84),
        arc(kFanCentre, 20.5f, 3.2f, 0, 84),
    };
    for (int i = 0; i < 4; ++i) c.fill(parts[i], i < lit ? kWhite : kUnlit);
}

void cross_badge(Canvas & c)
{
    c.erase(circle(kBadge, 7.2f));
    c.fill(circle(kBadge, 6), kRed);
    c.fill(unite({segment({22.6f, 22.6f}, {27.4f, 27.4f}, 1.8f), segment({27.4f, 22.6f}, {22.6f, 27.4f}, 1.8f)}),
           kWhite);
}

void lock_badge(Canvas & c)
{
    c.erase(grow(rounded_box({19.5f, 19}, {30.5f, 31.5f}, 2), 1.3f));
    c.fill(unite({rounded_box({19.5f, 24}, {30.5f, 31.5f}, 1.5f), arc({25, 24}, 3.3f, 1.8f, 0, 180)}), kWhite);
}

void tick_badge(Canvas & c)
{
    c.erase(circle(kBadge, 7.2f));
    c.fill(circle(kBadge, 6), kGreen);
    c.fill(polyline({{22, 25.2f}, {24.3f, 27.4f}, {28.2f, 22.9f}}, 1.8f), kWhite);
}

// wifi_0 to wifi_5 and wifi_ok_0 to wifi_ok_5: six levels over four parts,
// level 0 unlit and every other level lighting at least the dot (levels 4
// and 5 both light all); wifi_lock_0 to wifi_lock_4: one part per level.
constexpr int six_level_parts(int level)
{
    return (level * 4 + 4) / 5;
}

template <int Level> void draw_wifi(Canvas & c, const Art &)
{
    fan(c, six_level_parts(Level));
    if (Level == 0) cross_badge(c);
}
template <int Level> void draw_wifi_ok(Canvas & c, const Art &)
{
    fan(c, six_level_parts(Level));
    tick_badge(c);
}
template <int Level> void draw_wifi_lock(Canvas & c, const Art &)
{
    fan(c, Level);
    lock_badge(c);
}

// ---- small marks ----
void draw_favorite_3(Canvas & c, const Art &)
{
    c.fill(outline(heart(3, 4, 30, 28.5f), 2.6f), kWhite);
}
void draw_favorite_2(Canvas & c, const Art &)
{
    c.fill(heart(1, 1.5f, 25, 23), kHeartRed);
}

void draw_favorite_1(Canvas & c, const Art &)
{
    c.fill(unite({segment({2.5f, 5}, {17, 5}, 2.5f), segment({2.5f, 11}, {13, 11}, 2.5f),
                  segment({2.5f, 17}, {9, 17}, 2.5f)}),
           kWhite);
    c.fill(heart(12, 10, 26.5f, 23.5f), kHeartRed);
}

void draw_mini_busy(Canvas & c, const Art &)
{
    const Vec2 centre{15, 15};
    for (int k = 0; k < 8; ++k) {
        const float alpha = 0.25f + 0.75f * k / 7.0f;
        c.fill(rotate(circle({15, 4.2f}, 2.6f), centre, 45.0f * k), rgb(0xFFFFFF, alpha));
    }
}

void draw_play_now_short(Canvas & c, const Art &)
{
    const float xs[] = {2, 8, 14, 20};
    const float tops[] = {12, 4, 9, 15};
    for (int i = 0; i < 4; ++i) c.fill(rounded_box({xs[i], tops[i]}, {xs[i] + 4, 23}, 1.5f), kPlayingBars);
}

void draw_back(Canvas & c, const Art &)
{
    c.fill(polyline({{14.5f, 4}, {7.5f, 11}, {14.5f, 18}}, 2.8f), kWhite);
}
void draw_list_enter(Canvas & c, const Art &)
{
    c.fill(polyline({{7.5f, 4}, {13.5f, 10}, {7.5f, 16}}, 2.4f), kWhite);
}

void draw_deletion(Canvas & c, const Art &)
{
    c.fill(unite({segment({5, 5}, {15, 15}, 2.6f), segment({15, 5}, {5, 15}, 2.6f)}), kRed);
}

}  // namespace

const std::vector<Motif> & motifs()
{
    static const std::vector<Motif> all = {
        {"airplay", 102, 102, draw_airplay},
        {"audio_input", 102, 102, draw_audio_input},
        {"audio_output", 102, 102, draw_audio_output},
        {"deezer", 102, 102, draw_deezer},
        {"eq", 102, 102, draw_eq},
        {"idagio", 102, 102, draw_idagio},
        {"information", 102, 102, draw_information},
        {"internet_radio", 102, 102, draw_internet_radio},
        {"internet_radio_bar", 102, 102, draw_internet_radio_bar},
        {"player", 102, 102, draw_player},
        {"podcast", 102, 102, draw_podcast},
        {"preset", 102, 102, draw_preset},
        {"qobuz", 102, 102, draw_qobuz},
        {"recently_played", 102, 102, draw_recently_played},
        {"screen", 102, 102, draw_screen},
        {"set", 102, 102, draw_set},
        {"spotify", 102, 102, draw_spotify},
        {"tidal", 102, 102, draw_tidal},
        {"list_empty", 200, 200, draw_list_empty},
        {"load_busy", 80, 80, draw_load_busy},
        {"ctrl_music_pause", 64, 64, draw_ctrl_music_pause},
        {"ctrl_music_play", 64, 64, draw_ctrl_music_play},
        {"airplay_bar", 49, 49, draw_airplay_bar},
        {"radio_bar", 49, 49, draw_radio_bar},
        {"spotify_bar", 49, 49, draw_spotify_bar},
        {"main_page", 45, 41, draw_main_page},
        {"status_off", 46, 22, draw_status_off},
        {"status_on", 46, 22, draw_status_on},
        {"ctrl_music_playlist_repeat", 36, 26, draw_ctrl_music_playlist_repeat},
        {"ctrl_music_random", 36, 26, draw_ctrl_music_random},
        {"ctrl_music_next", 32, 36, draw_ctrl_music_next},
        {"ctrl_music_previous", 32, 36, draw_ctrl_music_previous},
        {"wifi_0", 32, 32, draw_wifi<0>},
        {"wifi_1", 32, 32, draw_wifi<1>},
        {"wifi_2", 32, 32, draw_wifi<2>},
        {"wifi_3", 32, 32, draw_wifi<3>},
        {"wifi_4", 32, 32, draw_wifi<4>},
        {"wifi_5", 32, 32, draw_wifi<5>},
        {"wifi_lock_0", 32, 32, draw_wifi_lock<0>},
        {"wifi_lock_1", 32, 32, draw_wifi_lock<1>},
        {"wifi_lock_2", 32, 32, draw_wifi_lock<2>},
        {"wifi_lock_3", 32, 32, draw_wifi_lock<3>},
        {"wifi_lock_4", 32, 32, draw_wifi_lock<4>},
        {"wifi_ok_0", 32, 32, draw_wifi_ok<0>},
        {"wifi_ok_1", 32, 32, draw_wifi_ok<1>},
        {"wifi_ok_2", 32, 32, draw_wifi_ok<2>},
        {"wifi_ok_3", 32, 32, draw_wifi_ok<3>},
        {"wifi_ok_4", 32, 32, draw_wifi_ok<4>},
        {"wifi_ok_5", 32, 32, draw_wifi_ok<5>},
        {"favorite_3", 33, 32, draw_favorite_3},
        {"mini_busy", 30, 30, draw_mini_busy},
        {"favorite_1", 27, 24, draw_favorite_1},
        {"favorite_2", 26, 24, draw_favorite_2},
        {"play_now_short", 25, 25, draw_play_now_short},
        {"back", 22, 22, draw_back},
        {"deletion", 20, 20, draw_deletion},
        {"list_enter", 20, 20, draw_list_enter},
    };
    return all;
}

const Motif * find_motif(const std::string & name)
{
    const auto & all = motifs();
    auto it = std::find_if(all.begin(), all.end(), [&](const Motif & m) { return name == m.name; });
    return it == all.end() ? nullptr : &*it;
}

}  // namespace imagegen
