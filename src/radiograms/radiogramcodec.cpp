#include "radiograms/radiogramcodec.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "core/cp1251.h"
#include "core/utf8.h"

namespace kelvatron {
namespace {

// The first character that is no valid UTF-8 or is the zero character.
std::size_t firstMalformedOrZero(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        Utf8Char c = decodeUtf8At(utf8, pos);
        if (!c.valid || c.codePoint == 0) return pos;
        pos += c.length;
    }
    return std::string_view::npos;
}

// How the error names the offending character: shown between quotes with its code where it can
// be seen, by its code alone where it cannot (control characters), by its byte where the text
// is no valid UTF-8.
std::string describeCharacter(std::string_view utf8, std::size_t at) {
    Utf8Char c = decodeUtf8At(utf8, at);
    char code[32];
    if (!c.valid) {
        std::snprintf(code, sizeof code, "the byte 0x%02X",
                      static_cast<unsigned>(static_cast<unsigned char>(utf8[at])));
        return code;
    }
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c.codePoint));
    bool control = c.codePoint < 0x20 || (c.codePoint >= 0x7F && c.codePoint < 0xA0);
    if (control) return std::string("the character ") + code;
    return "the character \"" + std::string(utf8.substr(at, c.length)) + "\" (" + code + ")";
}

// The 1-based line of a byte offset; CR LF, a lone CR and a lone LF each end a line.
std::size_t lineOf(std::string_view text, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\r' && i + 1 < offset && text[i + 1] == '\n') ++i;
        if (text[i] == '\r' || text[i] == '\n') ++line;
    }
    return line;
}

RadiogramResult failure(RadiogramError error, std::string message) {
    return {error, std::move(message), {}};
}

// What is saved must open again: a text beyond the window's capacity is refused here rather
// than written as a file that Open would refuse.
RadiogramResult withinCapacity(std::string bytes) {
    if (bytes.size() <= kRadiogramMaxBytes) return {RadiogramError::None, {}, std::move(bytes)};
    return failure(RadiogramError::TooLarge,
                   "Текст не сохранён: в нём " + std::to_string(bytes.size()) +
                       " байт, а открыть можно не больше " + std::to_string(kRadiogramMaxBytes) +
                       ". Сократите текст и сохраните снова.");
}

} // namespace

std::string normalizeLineBreaks(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

RadiogramResult decodeRadiogram(std::string_view fileBytes, std::string_view path) {
    // The text window would show such a file only up to its first zero byte; saving it again
    // would lose the rest without a word, so it is refused as a whole.
    if (fileBytes.find('\0') != std::string_view::npos)
        return failure(RadiogramError::NotText, "The file \"" + std::string(path) +
                                                    "\" is not a text file: it holds a zero byte.");
    if (fileBytes.size() > kRadiogramMaxBytes)
        return failure(RadiogramError::TooLarge, "Text exceeds memo capacity");
    std::string text = normalizeLineBreaks(fileBytes);
    if (text.size() > kRadiogramMaxBytes)
        return failure(RadiogramError::TooLarge, "Text exceeds memo capacity");
    return {RadiogramError::None, {}, std::move(text)};
}

RadiogramResult encodeRadiogram(std::string_view utf8) {
    std::size_t bad = std::string_view::npos;
    std::optional<std::string> bytes = toCp1251Strict(utf8, &bad);
    // A zero character is a byte of Windows-1251, but a file holding it would not open again.
    // Malformed UTF-8 is refused here, so that the code page sees only whole characters.
    bad = std::min(bad, firstMalformedOrZero(utf8));
    if (bad == std::string_view::npos) return withinCapacity(normalizeLineBreaks(*bytes));
    return failure(RadiogramError::Unencodable,
                   "The text cannot be saved: " + describeCharacter(utf8, bad) + " in line " +
                       std::to_string(lineOf(utf8, bad)) +
                       " has no place in the Windows-1251 code page of radiogram files. Remove "
                       "or replace it and save again.");
}

} // namespace kelvatron
