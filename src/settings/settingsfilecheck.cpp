#include "settings/settingsfilecheck.h"

#include <cstdio>

#include "core/utf8.h"

namespace kelvatron {

namespace {

bool isControl(char32_t c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
}

std::string at(const char* what, std::size_t offset, unsigned char byte) {
    char text[96];
    std::snprintf(text, sizeof text, "%s: байт 0x%02X на позиции %zu", what, byte, offset);
    return text;
}

} // namespace

std::optional<std::string> settingsTextDamage(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Utf8Char c = decodeUtf8At(bytes, pos);
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (!c.valid) return at("не текст UTF-8", pos, byte);
        if (isControl(c.codePoint)) return at("двоичные данные", pos, byte);
        pos += c.length;
    }
    return std::nullopt;
}

} // namespace kelvatron
