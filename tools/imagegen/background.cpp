#include "background.hpp"

#include <cmath>
#include <vector>

namespace imagegen {

namespace {

constexpr Colour kSkyTop = rgb(0x0B1424);
constexpr Colour kSkyBottom = rgb(0x16303A);
constexpr int kWaveSamples = 64;

// The shape with its edge blurred over `width` pixels.
Shape soften(Shape s, float width)
{
    return [s, width](Vec2 p) { return s(p) / width; };
}

// A band under a sine line across the picture: y = base + amp sin(2π x / period + phase).
Shape wave(float base, float amplitude, float period, float phase)
{
    std::vector<Vec2> pts;
    const float w = static_cast<float>(kBackgroundWidth);
    for (int i = 0; i <= kWaveSamples; ++i) {
        const float x = w * static_cast<float>(i) / kWaveSamples;
        pts.push_back({x, base + amplitude * std::sin(2 * kPi * x / period + phase)});
    }
    pts.push_back({w + 2, static_cast<float>(kBackgroundHeight) + 2});
    pts.push_back({-2, static_cast<float>(kBackgroundHeight) + 2});
    return polygon(pts);
}

struct Glow {
    Vec2 centre;
    float radius;
    uint32_t colour;
    float alpha;
};

// Soft out-of-focus lights, kept faint so that icons and texts stay clear.
constexpr Glow kGlows[] = {
    {{520, 70}, 120, 0x3A6EA5, 0.22f}, {{110, 150}, 90, 0x6B4C9A, 0.16f}, {{330, 250}, 150, 0x2F7F86, 0.12f},
    {{600, 330}, 70, 0x8A5A9E, 0.14f}, {{60, 420}, 110, 0x2E5E8C, 0.15f}, {{420, 420}, 60, 0x4F8FBF, 0.12f},
};

}  // namespace

void draw_background(Canvas & c)
{
    const float w = static_cast<float>(kBackgroundWidth);
    const float h = static_cast<float>(kBackgroundHeight);
    const Shape everything = rounded_box({-1, -1}, {w + 1, h + 1}, 0);
    c.fill_gradient(everything, kSkyTop, kSkyBottom, 0, h);
    for (const Glow & g : kGlows) c.fill(soften(circle(g.centre, g.radius), g.radius * 0.6f), rgb(g.colour, g.alpha));
    c.fill(soften(wave(330, 18, 520, 0.6f), 2), rgb(0x13343F, 0.85f));
    c.fill(soften(wave(380, 14, 410, 2.1f), 2), rgb(0x0F2A33, 0.9f));
    c.fill(soften(wave(430, 10, 300, 4.0f), 2), rgb(0x0A1E26, 0.95f));
}

}  // namespace imagegen
