// The interface's icon artwork: one drawing per image.
#pragma once

#include "canvas.hpp"

#include <string>
#include <vector>

namespace imagegen {

// What the drawings need from outside: the typeface of the lettered tiles.
struct Art {
    std::string letter_font;
};

struct Motif {
    const char * name;  // the image's name without the "img_ico_" prefix
    int width;
    int height;
    void (*draw)(Canvas &, const Art &);
};

const std::vector<Motif> & motifs();
const Motif * find_motif(const std::string & name);

}  // namespace imagegen
