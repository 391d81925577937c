// fontgen: renders the compiled bitmap fonts into C sources.
//   fontgen builtin <size> <out.c> <typeface>...   lv_font_montserrat_<size>
//   fontgen main <out.c> <typeface>...             ui_font_font_main
// Each code point comes from the first typeface that has it.
#include "charsets.hpp"
#include "font_data.hpp"
#include "typeface.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: fontgen builtin <size> <out.c> <typeface>...\n"
                         "       fontgen main <out.c> <typeface>...\n");
    return 2;
}

// Writes next to the target and renames, so a failed run leaves no half file.
void generate(const fontgen::FontRecipe & recipe, const std::string & out_path, const std::vector<std::string> & paths)
{
    std::vector<std::unique_ptr<fontgen::Typeface>> faces;
    std::vector<const fontgen::Typeface *> order;
    for (const std::string & p : paths) {
        faces.push_back(std::make_unique<fontgen::Typeface>(p, recipe.pixel_size));
        order.push_back(faces.back().get());
    }
    const fontgen::FontData font = fontgen::build_font(recipe, order);
    const std::string tmp = out_path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("cannot write " + tmp);
        fontgen::write_c_source(out, font);
        if (!out.flush()) throw std::runtime_error("cannot write " + tmp);
    }
    std::filesystem::rename(tmp, out_path);
}

}  // namespace

int main(int argc, char ** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() >= 4 && args[0] == "builtin") {
            const auto recipe = fontgen::builtin_font_recipe(std::stoi(args[1]));
            if (!recipe) throw std::runtime_error("no built-in font of size " + args[1]);
            generate(*recipe, args[2], {args.begin() + 3, args.end()});
            return 0;
        }
        if (args.size() >= 3 && args[0] == "main") {
            generate(fontgen::main_font_recipe(), args[1], {args.begin() + 2, args.end()});
            return 0;
        }
    } catch (const std::exception & e) {
        std::fprintf(stderr, "fontgen: %s\n", e.what());
        return 1;
    }
    return usage();
}
