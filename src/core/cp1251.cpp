#include "core/cp1251.h"

#include <array>
#include <iconv.h>
#include <stdexcept>
#include <unordered_map>

namespace kelvatron {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code page as a table of 256 code points, asked of iconv once. A byte without a character
// (0x98) stands for the C1 control of the same number (U+0098), both ways: such a byte in a file
// shows as nothing, keys nothing and is written back as it was.
struct CodePage {
    std::array<char32_t, 256> toUnicode{};
    std::unordered_map<char32_t, unsigned char> fromUnicode;

    CodePage() {
        iconv_t cd = iconv_open("UTF-32LE", "CP1251");
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert from CP1251");
        for (int b = 0; b < 256; ++b) {
            char in = static_cast<char>(b);
            unsigned char out[4] = {};
            char* inp = &in;
            char* outp = reinterpret_cast<char*>(out);
            size_t inLeft = 1, outLeft = 4;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
            char32_t cp = static_cast<char32_t>(b);
            if (r != static_cast<size_t>(-1) && outLeft == 0)
                cp = out[0] | (out[1] << 8) | (out[2] << 16) | (char32_t(out[3]) << 24);
            toUnicode[b] = cp;
            fromUnicode.emplace(cp, static_cast<unsigned char>(b));
        }
        iconv_close(cd);
    }
};

const CodePage& codePage() {
    static const CodePage page;
    return page;
}

// Decodes one UTF-8 sequence at pos; malformed input yields U+FFFD and advances one byte.
char32_t decodeUtf8(std::string_view s, size_t& pos) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char c = byte(pos);
    int extra = c < 0x80           ? 0
                : (c >> 5) == 0x6  ? 1
                : (c >> 4) == 0xE  ? 2
                : (c >> 3) == 0x1E ? 3
                                   : -1;
    if (extra == 0) {
        ++pos;
        return c;
    }
    if (extra < 0) {
        ++pos;
        return kReplacement;
    }
    char32_t cp = c & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        if (pos + i >= s.size() || (byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::optional<std::string> toCp1251Strict(std::string_view utf8, size_t* firstUnencodable) {
    const auto& map = codePage().fromUnicode;
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        size_t start = pos;
        auto it = map.find(decodeUtf8(utf8, pos));
        if (it == map.end()) {
            if (firstUnencodable) *firstUnencodable = start;
            return std::nullopt;
        }
        out += static_cast<char>(it->second);
    }
    return out;
}

std::string toCp1251(std::string_view utf8) {
    const auto& map = codePage().fromUnicode;
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        auto it = map.find(decodeUtf8(utf8, pos));
        out += it == map.end() ? '?' : static_cast<char>(it->second);
    }
    return out;
}

std::string fromCp1251(std::string_view cp1251) {
    const auto& table = codePage().toUnicode;
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char c : cp1251)
        appendUtf8(out, table[static_cast<unsigned char>(c)]);
    return out;
}

} // namespace kelvatron
