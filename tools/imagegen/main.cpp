// imagegen: draws the interface's icons and writes them as C sources.
//   imagegen source <name> <out.c> <letter typeface>   one image, img_ico_<name>
//   imagegen sheet <out.png> <letter typeface> [zoom]  every image on a dark
//                                                     and a light strip, to look at
//   imagegen background <out.png>                     the home page's background
#include "background.hpp"
#include "canvas.hpp"
#include "image_source.hpp"
#include "motifs.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kMaxZoom = 8;
constexpr int kMaxSide = 200;

int usage()
{
    std::fprintf(stderr, "usage: imagegen source <name> <out.c> <letter typeface>\n"
                         "       imagegen sheet <out.png> <letter typeface> [zoom]\n"
                         "       imagegen background <out.png>\n");
    return 2;
}

imagegen::Canvas render(const imagegen::Motif & m, const imagegen::Art & art)
{
    imagegen::Canvas c(m.width, m.height);
    m.draw(c, art);
    return c;
}

// Writes next to the target and renames, so a failed run leaves no half file.
void write_source(const std::string & name, const std::string & out_path, const imagegen::Art & art)
{
    const imagegen::Motif * m = imagegen::find_motif(name);
    if (!m) throw std::runtime_error("no image named " + name);
    const imagegen::Canvas c = render(*m, art);
    const std::string tmp = out_path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("cannot write " + tmp);
        imagegen::write_image_source(out, std::string("img_ico_") + m->name, c.width(), c.height(), c.bgra());
        if (!out.flush()) throw std::runtime_error("cannot write " + tmp);
    }
    std::filesystem::rename(tmp, out_path);
}

void write_background(const std::string & out_path)
{
    imagegen::Canvas c(imagegen::kBackgroundWidth, imagegen::kBackgroundHeight);
    imagegen::draw_background(c);
    const std::string tmp = out_path + ".tmp";
    imagegen::write_png(tmp, c.width(), c.height(), c.bgra());
    std::filesystem::rename(tmp, out_path);
}

void write_sheet(const std::string & out_path, const imagegen::Art & art, int zoom, int max_side)
{
    std::vector<imagegen::SheetItem> items;
    for (const imagegen::Motif & m : imagegen::motifs()) {
        if (std::max(m.width, m.height) > max_side) continue;
        const imagegen::Canvas c = render(m, art);
        items.push_back({c.width(), c.height(), c.bgra()});
    }
    imagegen::write_sheet_png(out_path, items, zoom);
}

}  // namespace

int main(int argc, char ** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 4 && args[0] == "source") {
            write_source(args[1], args[2], imagegen::Art{args[3]});
            return 0;
        }
        if (args.size() == 2 && args[0] == "background") {
            write_background(args[1]);
            return 0;
        }
        if ((args.size() == 3 || args.size() == 4) && args[0] == "sheet") {
            // Zoomed sheets leave out the images too large to be looked at closer.
            const int zoom = args.size() == 4 ? std::stoi(args[3]) : 1;
            if (zoom < 1 || zoom > kMaxZoom) throw std::runtime_error("zoom must be 1 to " + std::to_string(kMaxZoom));
            write_sheet(args[1], imagegen::Art{args[2]}, zoom, zoom == 1 ? kMaxSide : kMaxSide / zoom);
            return 0;
        }
    } catch (const std::exception & e) {
        std::fprintf(stderr, "imagegen: %s\n", e.what());
        return 1;
    }
    return usage();
}
