// Small JPEG files made by the tests, for the cover art and its colour.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace main_page_test {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb &) const = default;
};

inline void PrintTo(Rgb c, std::ostream *os)
{
    *os << "(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ")";
}

// Writes a `w` x `h` JPEG of the colours `pixel(x, y)` gives, at the best
// quality (solid areas keep their colour). Fails the test on error.
void write_jpeg(const std::string &path, int w, int h, const std::function<Rgb(int x, int y)> &pixel);
// The same picture stored as CMYK, which the colour decode cannot deliver as RGB.
void write_cmyk_jpeg(const std::string &path, int w, int h);

// The first `bytes` bytes of `from` written to `to`.
void write_prefix(const std::string &from, const std::string &to, size_t bytes);

}  // namespace main_page_test
