// Signed-distance shapes for the icon artwork: a shape tells, for a point in
// pixel coordinates (y down), its distance to the outline in pixels, negative
// inside. Painting turns the distance into anti-aliased coverage.
#pragma once

#include <cmath>
#include <functional>
#include <initializer_list>
#include <vector>

namespace imagegen {

struct Vec2 {
    float x = 0;
    float y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b)
{
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b)
{
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float s)
{
    return {a.x * s, a.y * s};
}
inline float dot(Vec2 a, Vec2 b)
{
    return a.x * b.x + a.y * b.y;
}
inline float length(Vec2 a)
{
    return std::sqrt(dot(a, a));
}

using Shape = std::function<float(Vec2)>;

constexpr float kPi = 3.14159265358979f;
inline float radians(float degrees)
{
    return degrees * kPi / 180.0f;
}

Shape circle(Vec2 centre, float radius);
// Axis-aligned box from its corners, corners rounded by `radius`.
Shape rounded_box(Vec2 min, Vec2 max, float radius);
// A line from a to b of the given width with round caps.
Shape segment(Vec2 a, Vec2 b, float width);
// A polyline of round-capped, round-joined segments.
Shape polyline(std::initializer_list<Vec2> points, float width);
// A filled polygon (any winding); `round` rounds its corners outwards.
Shape polygon(std::vector<Vec2> points, float round = 0);
// An arc of a circle of `radius` around `centre`, stroked `width` wide with
// round caps, centred on `direction_deg` (0 = up, clockwise) and spanning
// `span_deg` in all.
Shape arc(Vec2 centre, float radius, float width, float direction_deg, float span_deg);
// A ring (circle outline) of the given stroke width.
Shape ring(Vec2 centre, float radius, float width);

Shape unite(std::initializer_list<Shape> shapes);
Shape subtract(Shape from, Shape cut);
// The outline of a shape, `width` wide, centred on its edge.
Shape outline(Shape s, float width);
// The shape grown (positive) or shrunk (negative) by `by` pixels.
Shape grow(Shape s, float by);
// The shape turned by `degrees` clockwise around `pivot`.
Shape rotate(Shape s, Vec2 pivot, float degrees);
// The shape mirrored left to right about the vertical line x = `axis`.
Shape mirror_x(Shape s, float axis);

}  // namespace imagegen
