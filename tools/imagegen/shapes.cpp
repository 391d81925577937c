#include "shapes.hpp"

#include <algorithm>

namespace imagegen {

namespace {

float segment_distance(Vec2 p, Vec2 a, Vec2 b)
{
    const Vec2 pa = p - a;
    const Vec2 ba = b - a;
    const float len2 = dot(ba, ba);
    const float h = len2 > 0 ? std::clamp(dot(pa, ba) / len2, 0.0f, 1.0f) : 0.0f;
    return length(pa - ba * h);
}

}  // namespace

Shape circle(Vec2 centre, float radius)
{
    return [=](Vec2 p) { return length(p - centre) - radius; };
}

Shape rounded_box(Vec2 min, Vec2 max, float radius)
{
    const Vec2 centre = (min + max) * 0.5f;
    const Vec2 half = (max - min) * 0.5f;
    return [=](Vec2 p) {
        const Vec2 d{std::fabs(p.x - centre.x) - half.x + radius, std::fabs(p.y - centre.y) - half.y + radius};
        const Vec2 outside{std::max(d.x, 0.0f), std::max(d.y, 0.0f)};
        return length(outside) + std::min(std::max(d.x, d.y), 0.0f) - radius;
    };
}

Shape segment(Vec2 a, Vec2 b, float width)
{
    return [=](Vec2 p) { return segment_distance(p, a, b) - width / 2; };
}

Shape polyline(std::initializer_list<Vec2> points, float width)
{
    std::vector<Vec2> pts(points);
    return [=](Vec2 p) {
        float d = 1e9f;
        for (size_t i = 1; i < pts.size(); ++i) d = std::min(d, segment_distance(p, pts[i - 1], pts[i]));
        return d - width / 2;
    };
}

Shape polygon(std::vector<Vec2> pts, float round)
{
    return [=](Vec2 p) {
        float d = 1e9f;
        bool inside = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            d = std::min(d, segment_distance(p, pts[j], pts[i]));
            const Vec2 a = pts[j];
            const Vec2 b = pts[i];
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return (inside ? -d : d) - round;
    };
}

Shape arc(Vec2 centre, float radius, float width, float direction_deg, float span_deg)
{
    const float dir = radians(direction_deg);
    const float half = radians(span_deg) / 2;
    const Vec2 cap{std::sin(half), std::cos(half)};
    return [=](Vec2 p) {
        // Into the arc's frame: +y along its direction, x across, |x| folded.
        const Vec2 q = p - centre;
        const Vec2 up{std::sin(dir), -std::cos(dir)};
        const Vec2 right{std::cos(dir), std::sin(dir)};
        const Vec2 l{std::fabs(dot(q, right)), dot(q, up)};
        const float d = cap.y * l.x > cap.x * l.y ? length(l - cap * radius) : std::fabs(length(l) - radius);
        return d - width / 2;
    };
}

Shape ring(Vec2 centre, float radius, float width)
{
    return [=](Vec2 p) { return std::fabs(length(p - centre) - radius) - width / 2; };
}

Shape unite(std::initializer_list<Shape> shapes)
{
    std::vector<Shape> all(shapes);
    return [=](Vec2 p) {
        float d = 1e9f;
        for (const Shape & s : all) d = std::min(d, s(p));
        return d;
    };
}

Shape subtract(Shape from, Shape cut)
{
    return [=](Vec2 p) { return std::max(from(p), -cut(p)); };
}

Shape outline(Shape s, float width)
{
    return [=](Vec2 p) { return std::fabs(s(p)) - width / 2; };
}

Shape grow(Shape s, float by)
{
    return [=](Vec2 p) { return s(p) - by; };
}

Shape rotate(Shape s, Vec2 pivot, float degrees)
{
    const float a = radians(-degrees);
    const float c = std::cos(a);
    const float si = std::sin(a);
    return [=](Vec2 p) {
        const Vec2 q = p - pivot;
        return s(Vec2{q.x * c - q.y * si, q.x * si + q.y * c} + pivot);
    };
}

Shape mirror_x(Shape s, float axis)
{
    return [=](Vec2 p) { return s(Vec2{2 * axis - p.x, p.y}); };
}

}  // namespace imagegen
