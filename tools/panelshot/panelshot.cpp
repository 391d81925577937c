// Converts a frame of the virtual panel (an uncompressed 24- or 32-bit BMP,
// as the display driver writes it) into an RGB PNG:
//   panelshot PANEL.bmp OUT.png
#include <cstdio>

#include "panel_image.hpp"

int main(int argc, char ** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: panelshot PANEL.bmp OUT.png\n");
        return 2;
    }
    panel::PanelImage frame;
    if (!panel::read_bmp(argv[1], frame)) {
        std::fprintf(stderr, "panelshot: not an uncompressed 24- or 32-bit BMP: %s\n", argv[1]);
        return 1;
    }
    if (!panel::write_png(argv[2], frame)) {
        std::fprintf(stderr, "panelshot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
