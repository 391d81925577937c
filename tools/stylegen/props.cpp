#include "props.hpp"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <stdexcept>

namespace stylegen {
namespace {

constexpr char kColumnSeparator = '|';
constexpr size_t kColumns = 5;  // the last one, the feature, may be left out
constexpr char kNoFlags[] = "-";
constexpr char kNoAccessors[] = "none";

struct FlagLetter {
    char letter;
    Flag flag;
};

constexpr FlagLetter kFlagLetters[] = {
    {'I', kInheritable},   {'L', kLayoutUpdate}, {'P', kParentLayoutUpdate},
    {'E', kExtDrawUpdate}, {'Y', kLayerUpdate},  {'T', kTransform},
};

std::string trim(const std::string & s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> split_columns(const std::string & line)
{
    std::vector<std::string> columns;
    std::stringstream in(line);
    std::string column;
    while (std::getline(in, column, kColumnSeparator)) columns.push_back(trim(column));
    if (line.back() == kColumnSeparator) columns.emplace_back();
    return columns;
}

bool is_identifier(const std::string & s, bool upper)
{
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
    return std::all_of(s.begin(), s.end(), [upper](char c) {
        const auto u = static_cast<unsigned char>(c);
        return c == '_' || std::isdigit(u) || (upper ? std::isupper(u) : std::islower(u));
    });
}

uint8_t parse_flags(const std::string & letters)
{
    if (letters == kNoFlags) return 0;
    if (letters.empty()) throw std::runtime_error("no flags (write - for none)");
    uint8_t flags = 0;
    for (char c : letters) {
        const auto * f = std::find_if(std::begin(kFlagLetters), std::end(kFlagLetters),
                                      [c](const FlagLetter & l) { return l.letter == c; });
        if (f == std::end(kFlagLetters)) throw std::runtime_error(std::string("unknown flag letter '") + c + "'");
        flags |= f->flag;
    }
    return flags;
}

Prop parse_row(const std::string & line)
{
    std::vector<std::string> c = split_columns(line);
    if (c.size() == kColumns - 1) c.emplace_back();
    if (c.size() != kColumns) {
        throw std::runtime_error(std::to_string(c.size()) + " columns, expected " + std::to_string(kColumns));
    }
    Prop p;
    p.name = c[0];
    p.type = c[1];
    p.default_value = c[2];
    p.flags = parse_flags(c[3]);
    if (!is_identifier(p.name, false)) throw std::runtime_error("bad property name '" + p.name + "'");
    if (p.type.empty()) throw std::runtime_error("no type for " + p.name);
    if (c[4] == kNoAccessors) {
        p.accessors = false;
    } else if (!c[4].empty()) {
        if (!is_identifier(c[4], true)) throw std::runtime_error("bad feature macro '" + c[4] + "'");
        p.feature = c[4];
    }
    return p;
}

}  // namespace

Kind Prop::kind() const
{
    if (type == "lv_color_t") return Kind::Color;
    if (type.back() == '*') return Kind::Pointer;
    return Kind::Number;
}

std::string Prop::id() const
{
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return "LV_STYLE_" + upper;
}

std::vector<Prop> read_table(std::istream & in)
{
    std::vector<Prop> props;
    std::set<std::string> names;
    std::string line;
    for (int number = 1; std::getline(in, line); number++) {
        const std::string content = trim(line.substr(0, line.find('#')));
        if (content.empty()) continue;
        try {
            Prop p = parse_row(content);
            if (!names.insert(p.name).second) throw std::runtime_error(p.name + " listed twice");
            props.push_back(std::move(p));
        } catch (const std::runtime_error & e) {
            throw std::runtime_error("line " + std::to_string(number) + ": " + e.what());
        }
    }
    if (props.empty()) throw std::runtime_error("no properties");
    return props;
}

}  // namespace stylegen
