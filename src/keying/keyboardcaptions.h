#pragma once
#include <array>
#include <string_view>

namespace kelvatron {

// Captions of the on-screen keyboard's 44 character keys, in UTF-8 and in key order: the digits
// row, the 31 letter keys, the slash.
inline constexpr std::array<const char*, 12> kDigitRowCaptions = {"1", "2", "3", "4", "5", "6",
                                                                  "7", "8", "9", "0", ",", "?"};
inline constexpr std::string_view kLastKeyCaption = "/";
// The keys per row, top to bottom.
inline constexpr std::array<int, 4> kKeyRowLengths = {12, 11, 11, 10};

// The 31 letter keys; the Latin row follows a US keyboard, where the keys of Х, Ж, Э, Б and Ю
// carry punctuation and so stay empty.
// clang-format off
inline constexpr std::array<const char*, 31> kCyrillicCaptions = {
    "Й", "Ц", "У", "К", "Е", "Н", "Г", "Ш", "Щ", "З", "Х",
    "Ф", "Ы", "В", "А", "П", "Р", "О", "Л", "Д", "Ж", "Э",
    "Я", "Ч", "С", "М", "И", "Т", "Ь", "Б", "Ю"};
inline constexpr std::array<const char*, 31> kLatinCaptions = {
    "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "",
    "A", "S", "D", "F", "G", "H", "J", "K", "L", "",  "",
    "Z", "X", "C", "V", "B", "N", "M", "",  ""};
// clang-format on

// The caption character key n (0..43) carries at start-up.
constexpr std::string_view startCaption(int n) {
    if (n < int(kDigitRowCaptions.size())) return kDigitRowCaptions[n];
    n -= int(kDigitRowCaptions.size());
    if (n < int(kCyrillicCaptions.size())) return kCyrillicCaptions[n];
    return kLastKeyCaption;
}

} // namespace kelvatron
