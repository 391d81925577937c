// A name as a hostile peer, file or tool would give it, for the tests of
// every path that logs text from outside: a line break with a fake log
// prefix, ESC and BEL, a lone 0x9b (an 8-bit CSI), an overlong '/', a
// surrogate, a code point past U+10FFFF, a cut-off character, valid
// Chinese, and the C1 CSI written as UTF-8. 31 bytes, so that it also fits
// a registration name and a network name.
#pragma once

#include <string>

namespace test_support {

inline const std::string kHostileName = "n\n[ERR] x\x1b\x07\x9b\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80\xe4\xb8"
                                        "中文\xc2\x9b";

// The same with every byte written \xNN, as iw prints it and as a word of
// the wireless stand-ins' scenario gives it.
inline const std::string kHostileNameHex = [] {
    std::string out;
    for (unsigned char ch : kHostileName) {
        static const char digits[] = "0123456789abcdef";
        out += "\\x";
        out += digits[ch >> 4];
        out += digits[ch & 0xf];
    }
    return out;
}();

// The same as the log shows it: everything escaped but the Chinese.
inline const std::string kHostileShown = "n\\x0a[ERR] x\\x1b\\x07\\x9b\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80"
                                         "\\xe4\\xb8中文\\xc2\\x9b";

} // namespace test_support
