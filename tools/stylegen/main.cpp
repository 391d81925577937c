// stylegen: generates the GUI library's style property API from its table.
//   stylegen <table> <out_dir>
// writes <out_dir>/lv_style_gen.h, lv_obj_style_gen.h and style_props_gen.cpp.
#include "emit.hpp"
#include "props.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

using Writer = std::function<void(std::ostream &)>;

// Writes next to the target and renames, so a failed run leaves no half file.
void write_file(const fs::path & path, const Writer & write)
{
    const fs::path tmp = path.string() + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("cannot write " + tmp.string());
        write(out);
        if (!out.flush()) throw std::runtime_error("cannot write " + tmp.string());
    }
    fs::rename(tmp, path);
}

void generate(const fs::path & table_path, const fs::path & out_dir)
{
    std::ifstream in(table_path);
    if (!in) throw std::runtime_error("cannot read " + table_path.string());
    std::vector<stylegen::Prop> props;
    try {
        props = stylegen::read_table(in);
    } catch (const std::runtime_error & e) {
        throw std::runtime_error(table_path.string() + ": " + e.what());
    }
    const std::string name = table_path.filename().string();
    fs::create_directories(out_dir);
    write_file(out_dir / "lv_style_gen.h", [&](std::ostream & out) { stylegen::write_style_header(out, props, name); });
    write_file(out_dir / "lv_obj_style_gen.h",
               [&](std::ostream & out) { stylegen::write_obj_style_header(out, props, name); });
    write_file(out_dir / "style_props_gen.cpp", [&](std::ostream & out) { stylegen::write_source(out, props, name); });
}

}  // namespace

int main(int argc, char ** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: stylegen <table> <out_dir>\n");
        return 2;
    }
    try {
        generate(argv[1], argv[2]);
    } catch (const std::exception & e) {
        std::fprintf(stderr, "stylegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
