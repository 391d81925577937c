// The home page's background picture: a calm dark scene the tiles and the
// white header texts stand on, drawn from shapes (no file of outside origin).
#pragma once

#include "canvas.hpp"

namespace imagegen {

constexpr int kBackgroundWidth = 640;
constexpr int kBackgroundHeight = 480;

// Paints the picture over the whole canvas, opaque.
void draw_background(Canvas & c);

}  // namespace imagegen
