#include "core/utf8.h"

namespace kelvatron {

Utf8Char decodeUtf8At(std::string_view s, std::size_t pos) {
    unsigned char lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) return {true, lead, 1};
    std::size_t extra = (lead >> 5) == 0x6    ? 1
                        : (lead >> 4) == 0xE  ? 2
                        : (lead >> 3) == 0x1E ? 3
                                              : 0;
    if (extra == 0 || pos + extra >= s.size()) return {};
    char32_t cp = lead & (0x3F >> extra);
    for (std::size_t i = 1; i <= extra; ++i) {
        unsigned char c = static_cast<unsigned char>(s[pos + i]);
        if ((c & 0xC0) != 0x80) return {};
        cp = (cp << 6) | (c & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return {};
    return {true, cp, extra + 1};
}

} // namespace kelvatron
