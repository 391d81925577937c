#include "printable.hpp"

#include <cstdio>

namespace gui::drivers {

std::string printable(std::string_view text)
{
    const bool cut = text.size() > kPrintableMax;
    std::string out;
    for (const char ch : text.substr(0, kPrintableMax)) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char hex[5];
                std::snprintf(hex, sizeof(hex), "\\x%02X", c);
                out += hex;
            } else {
                out += ch;
            }
        }
    }
    if (cut) {
        out += "...";
    }
    return out;
}

}  // namespace gui::drivers
