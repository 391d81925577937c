#include "font_data.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <ostream>
#include <stdexcept>
#include <type_traits>

namespace fontgen {

namespace {

// With a kern scale of 16 the class values are in 1/16 pixel, as kerning16 gives.
constexpr int kKernScale = 16;
constexpr int kBytesPerLine = 16;

CharMap make_cmap(const std::vector<uint32_t> & cps, uint16_t first_id)
{
    if (cps.empty()) throw std::runtime_error("empty character map");
    CharMap m;
    m.range_start = cps.front();
    m.range_length = cps.back() - cps.front() + 1;
    m.glyph_id_start = first_id;
    m.sparse = m.range_length != cps.size();
    if (m.range_length > UINT16_MAX) throw std::runtime_error("character map range too long");
    if (m.sparse)
        for (uint32_t cp : cps) m.unicode_list.push_back(static_cast<uint16_t>(cp - m.range_start));
    return m;
}

int8_t clamp_kern(int v)
{
    return static_cast<int8_t>(std::clamp(v, -128, 127));
}

void apply_fixed_advance(Glyph & g, int adv16)
{
    const int shift = static_cast<int>(std::lround((adv16 - g.adv16) / 32.0));
    if (g.box_w) g.ofs_x += shift;
    g.adv16 = adv16;
}

template <typename T> void write_array(std::ostream & out, const std::vector<T> & values)
{
    for (size_t i = 0; i < values.size(); ++i) {
        if (i % kBytesPerLine == 0) out << (i ? "\n    " : "    ");
        if constexpr (std::is_same_v<T, uint8_t>) {
            static const char * hex = "0123456789abcdef";
            out << "0x" << hex[values[i] >> 4] << hex[values[i] & 0xF] << ",";
        } else {
            out << static_cast<int>(values[i]) << ",";
        }
        if (i % kBytesPerLine != kBytesPerLine - 1 && i + 1 != values.size()) out << ' ';
    }
    out << "\n";
}

const char * cmap_type(const CharMap & m)
{
    return m.sparse ? "LV_FONT_FMT_TXT_CMAP_SPARSE_TINY" : "LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY";
}

}  // namespace

std::vector<uint8_t> pack_bits(const std::vector<uint8_t> & coverage, int bpp)
{
    std::vector<uint8_t> out((coverage.size() * bpp + 7) / 8, 0);
    size_t bit = 0;
    for (uint8_t v : coverage) {
        const unsigned level = static_cast<unsigned>(v) >> (8 - bpp);
        for (int b = bpp - 1; b >= 0; --b, ++bit)
            if (level >> b & 1u) out[bit / 8] |= static_cast<uint8_t>(0x80u >> (bit % 8));
    }
    return out;
}

ClassKerning make_class_kerning(const std::vector<int8_t> & pairs, size_t n)
{
    ClassKerning k;
    k.left.assign(n, 0);
    k.right.assign(n, 0);
    std::vector<size_t> left_rep;   // a glyph per left class
    std::vector<size_t> right_rep;  // a glyph per right class
    std::map<std::vector<int8_t>, uint8_t> rows;
    std::map<std::vector<int8_t>, uint8_t> cols;
    for (size_t g = 0; g < n; ++g) {
        std::vector<int8_t> row(pairs.begin() + g * n, pairs.begin() + (g + 1) * n);
        std::vector<int8_t> col(n);
        for (size_t o = 0; o < n; ++o) col[o] = pairs[o * n + g];
        const auto zero = [](int8_t v) { return v == 0; };
        if (!std::all_of(row.begin(), row.end(), zero)) {
            auto [it, added] = rows.emplace(row, static_cast<uint8_t>(rows.size() + 1));
            if (added) left_rep.push_back(g);
            k.left[g] = it->second;
        }
        if (!std::all_of(col.begin(), col.end(), zero)) {
            auto [it, added] = cols.emplace(col, static_cast<uint8_t>(cols.size() + 1));
            if (added) right_rep.push_back(g);
            k.right[g] = it->second;
        }
    }
    if (left_rep.size() > UINT8_MAX || right_rep.size() > UINT8_MAX)
        throw std::runtime_error("too many kerning classes");
    k.left_count = static_cast<int>(left_rep.size());
    k.right_count = static_cast<int>(right_rep.size());
    for (size_t l : left_rep)
        for (size_t r : right_rep) k.values.push_back(pairs[l * n + r]);
    return k;
}

FontData build_font(const FontRecipe & recipe, const std::vector<const Typeface *> & faces)
{
    FontData font;
    font.recipe = recipe;
    font.glyphs.emplace_back();  // glyph id 0: no glyph
    std::vector<uint32_t> code_points{0};
    std::vector<const Typeface *> origin{nullptr};
    for (const auto & map : recipe.maps) {
        font.cmaps.push_back(make_cmap(map, static_cast<uint16_t>(font.glyphs.size())));
        for (uint32_t cp : map) {
            auto turned = std::find_if(recipe.turned.begin(), recipe.turned.end(),
                                       [cp](const TurnedGlyph & t) { return t.code_point == cp; });
            const uint32_t drawn = turned == recipe.turned.end() ? cp : turned->drawn_from;
            auto face = std::find_if(faces.begin(), faces.end(), [drawn](const Typeface * f) { return f->has(drawn); });
            if (face == faces.end()) throw std::runtime_error("no typeface has U+" + std::to_string(drawn));
            auto fitted = std::find_if(recipe.fitted.begin(), recipe.fitted.end(),
                                       [cp](const FittedGlyph & f) { return f.code_point == cp; });
            const GlyphBox * box = fitted == recipe.fitted.end() ? nullptr : &fitted->box;
            Glyph g = (*face)->render(drawn, turned != recipe.turned.end(), box);
            const bool fixed = recipe.fixed_adv16 && recipe.has_fixed_advance && recipe.has_fixed_advance(cp);
            if (fixed) apply_fixed_advance(g, recipe.fixed_adv16);
            font.glyphs.push_back(std::move(g));
            code_points.push_back(cp);
            origin.push_back(fixed ? nullptr : *face);
        }
    }
    for (const Typeface * f : faces) font.sources.push_back(f->path());

    const size_t n = font.glyphs.size();
    std::vector<int8_t> pairs(n * n, 0);
    for (size_t l = 1; l < n; ++l)
        for (size_t r = 1; r < n; ++r)
            if (origin[l] && origin[l] == origin[r])
                pairs[l * n + r] = clamp_kern(origin[l]->kerning16(code_points[l], code_points[r]));
    font.kerning = make_class_kerning(pairs, n);

    for (const Glyph & g : font.glyphs) {
        font.glyph_offsets.push_back(static_cast<uint32_t>(font.bitmap.size()));
        const std::vector<uint8_t> packed = pack_bits(g.coverage, recipe.bpp);
        font.bitmap.insert(font.bitmap.end(), packed.begin(), packed.end());
    }
    return font;
}

void write_c_source(std::ostream & out, const FontData & font)
{
    const FontRecipe & s = font.recipe;
    out << "/* " << s.name << ": " << s.bpp << " bpp bitmap font, generated by fontgen from\n";
    for (const std::string & src : font.sources) out << " *   " << src.substr(src.find_last_of('/') + 1) << "\n";
    out << " * Do not edit: the build writes it again. */\n\n";
    out << "#include \"lvgl.h\"\n\n";
    if (s.large_glyph_dsc)
        out << "#if !LV_FONT_FMT_TXT_LARGE\n#error \"" << s.name
            << " needs the large glyph descriptors: set LV_FONT_FMT_TXT_LARGE to 1\"\n#endif\n\n";

    out << "static LV_ATTRIBUTE_LARGE_CONST const uint8_t glyph_bitmap[] = {\n";
    write_array(out, font.bitmap.empty() ? std::vector<uint8_t>{0} : font.bitmap);
    out << "};\n\n";

    out << "static const lv_font_fmt_txt_glyph_dsc_t glyph_dsc[] = {\n";
    for (size_t id = 0; id < font.glyphs.size(); ++id) {
        const Glyph & g = font.glyphs[id];
        out << "    {.bitmap_index = " << font.glyph_offsets[id] << ", .adv_w = " << g.adv16 << ", .box_w = " << g.box_w
            << ", .box_h = " << g.box_h << ", .ofs_x = " << g.ofs_x << ", .ofs_y = " << g.ofs_y << "},\n";
    }
    out << "};\n\n";

    for (size_t i = 0; i < font.cmaps.size(); ++i) {
        if (!font.cmaps[i].sparse) continue;
        out << "static const uint16_t unicode_list_" << i << "[] = {\n";
        write_array(out, font.cmaps[i].unicode_list);
        out << "};\n\n";
    }
    out << "static const lv_font_fmt_txt_cmap_t cmaps[] = {\n";
    for (size_t i = 0; i < font.cmaps.size(); ++i) {
        const CharMap & m = font.cmaps[i];
        out << "    {.range_start = " << m.range_start << ", .range_length = " << m.range_length
            << ", .glyph_id_start = " << m.glyph_id_start
            << ", .unicode_list = " << (m.sparse ? "unicode_list_" + std::to_string(i) : std::string("NULL"))
            << ", .glyph_id_ofs_list = NULL, .list_length = " << m.unicode_list.size() << ", .type = " << cmap_type(m)
            << "},\n";
    }
    out << "};\n\n";

    const ClassKerning & k = font.kerning;
    const bool kerned = k.left_count > 0 && k.right_count > 0;
    if (kerned) {
        out << "static const uint8_t kern_left_class_mapping[] = {\n";
        write_array(out, k.left);
        out << "};\n\nstatic const uint8_t kern_right_class_mapping[] = {\n";
        write_array(out, k.right);
        out << "};\n\nstatic const int8_t kern_class_values[] = {\n";
        write_array(out, k.values);
        out << "};\n\nstatic const lv_font_fmt_txt_kern_classes_t kern_classes = {\n"
            << "    .class_pair_values = kern_class_values,\n"
            << "    .left_class_mapping = kern_left_class_mapping,\n"
            << "    .right_class_mapping = kern_right_class_mapping,\n"
            << "    .left_class_cnt = " << k.left_count << ",\n"
            << "    .right_class_cnt = " << k.right_count << ",\n};\n\n";
    }

    out << "static const lv_font_fmt_txt_dsc_t font_dsc = {\n"
        << "    .glyph_bitmap = glyph_bitmap,\n"
        << "    .glyph_dsc = glyph_dsc,\n"
        << "    .cmaps = cmaps,\n"
        << "    .kern_dsc = " << (kerned ? "&kern_classes" : "NULL") << ",\n"
        << "    .kern_scale = " << kKernScale << ",\n"
        << "    .cmap_num = " << font.cmaps.size() << ",\n"
        << "    .bpp = " << s.bpp << ",\n"
        << "    .kern_classes = " << (kerned ? 1 : 0) << ",\n"
        << "    .bitmap_format = LV_FONT_FMT_TXT_PLAIN,\n"
        << "    .stride = 0,\n};\n\n";

    out << "const lv_font_t " << s.name << " = {\n"
        << "    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,\n"
        << "    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,\n"
        << "    .release_glyph = NULL,\n"
        << "    .line_height = " << s.line_height << ",\n"
        << "    .base_line = " << s.base_line << ",\n"
        << "    .subpx = LV_FONT_SUBPX_NONE,\n"
        << "    .kerning = LV_FONT_KERNING_NORMAL,\n"
        << "    .static_bitmap = 0,\n"
        << "    .underline_position = " << s.underline_position << ",\n"
        << "    .underline_thickness = " << s.underline_thickness << ",\n"
        << "    .dsc = &font_dsc,\n"
        << "    .fallback = NULL,\n"
        << "    .user_data = NULL,\n};\n";
}

}  // namespace fontgen
