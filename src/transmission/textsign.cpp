#include "transmission/textsign.h"

#include "keying/signtable.h"

namespace kelvatron {

namespace {
constexpr unsigned char kCapitalA = 0xC0;  // А
constexpr unsigned char kCapitalYa = 0xDF; // Я
constexpr unsigned char kSmallA = 0xE0;    // а
constexpr unsigned char kHardSignByte = 0xDA; // Ъ has no sign
constexpr int kCaseOffset = kSmallA - kCapitalA;
} // namespace

std::optional<char> textSign(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((c >= '0' && c <= '9') || c == ',' || c == '/' || c == '?') return c;
    if (c == '-') return win1251(" "); // the space entry's sign is the break sign
    if (byte >= kCapitalA) {
        const auto capital =
            static_cast<unsigned char>(byte >= kSmallA ? byte - kCaseOffset : byte);
        if (capital == kHardSignByte || capital > kCapitalYa) return std::nullopt;
        return static_cast<char>(capital);
    }
    return latinPartner(c);
}

} // namespace kelvatron
