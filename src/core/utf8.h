#pragma once
#include <cstddef>
#include <string_view>

namespace kelvatron {

// A decoded UTF-8 character: its code point, or nothing when the bytes are no valid sequence.
struct Utf8Char {
    bool valid = false;
    char32_t codePoint = 0;
    std::size_t length = 1;
};

// Strict decoding of the character at pos: overlong forms, surrogates and code points beyond
// U+10FFFF are invalid, and so is a sequence cut short by the end of the text.
Utf8Char decodeUtf8At(std::string_view s, std::size_t pos);

} // namespace kelvatron
