// A straight-alpha RGBA picture that shapes and text are painted onto.
#pragma once

#include "shapes.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace imagegen {

struct Colour {
    float r = 1;
    float g = 1;
    float b = 1;
    float a = 1;
};

// 0xRRGGBB with an optional opacity.
constexpr Colour rgb(uint32_t hex, float alpha = 1)
{
    return {((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f, alpha};
}

constexpr Colour kWhite = rgb(0xFFFFFF);

class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return w_; }
    int height() const { return h_; }

    // Paints `colour` over the picture where the shape is.
    void fill(const Shape & s, Colour colour);
    // Paints a vertical gradient, `top` at y0 to `bottom` at y1.
    void fill_gradient(const Shape & s, Colour top, Colour bottom, float y0, float y1);
    // Makes the picture transparent where the shape is (a knock-out).
    void erase(const Shape & s);
    // Paints text with its inked area centred on `centre`, at `pixel_size`,
    // from a TrueType face; with `knock_out` the text is erased instead.
    void text(const std::string & font_path, const std::string & utf8, Vec2 centre, float pixel_size, Colour colour,
              bool knock_out = false);

    // Four bytes per pixel in memory order blue, green, red, alpha; rows top
    // to bottom, no padding; colour bytes not multiplied by alpha.
    std::vector<uint8_t> bgra() const;

private:
    void blend(int x, int y, Colour c, float coverage);
    std::vector<Colour> px_;
    int w_;
    int h_;
};

}  // namespace imagegen
