#include "keying/keymapping.h"

#include "keying/signtable.h"

namespace kelvatron {

namespace {

constexpr unsigned char kCyrillicCapitalA = 0xC0; // А; the small letters follow the capitals
constexpr unsigned char kCyrillicSmallA = 0xE0;   // а
constexpr unsigned char kCaseDistance = kCyrillicSmallA - kCyrillicCapitalA;
constexpr char kHardSign = win1251("Ъ");

} // namespace

std::optional<char> mapTypedKey(char key) {
    if (key == ' ' || key == ',' || key == '/' || key == '?') return key;
    if (key >= '0' && key <= '9') return key;
    if (auto partner = latinPartner(key)) return partner;
    const auto byte = static_cast<unsigned char>(key);
    if (byte < kCyrillicCapitalA) return std::nullopt; // Ё and ё lie below the alphabet
    const char capital = static_cast<char>(byte >= kCyrillicSmallA ? byte - kCaseDistance : byte);
    if (capital == kHardSign) return std::nullopt;
    return capital;
}

} // namespace kelvatron
