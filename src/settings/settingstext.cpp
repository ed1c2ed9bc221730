#include "settings/settingstext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

#include "core/utf8.h"

namespace kelvatron {

namespace {

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Splits off a leading sign; from_chars takes a minus but no plus.
bool takeSign(std::string_view& text) {
    if (text.empty() || (text[0] != '+' && text[0] != '-')) return false;
    const bool negative = text[0] == '-';
    text.remove_prefix(1);
    return negative;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string floatText(double value) {
    char buffer[32];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::string integerText(long long value) {
    return std::to_string(value);
}

std::string propText(PropKind kind, double value) {
    switch (kind) {
    case PropKind::Float:
        return floatText(value);
    case PropKind::Integer:
        return integerText(std::llround(value));
    case PropKind::Boolean:
        return value != 0 ? "1" : "0";
    }
    return {};
}

std::optional<double> parseFloatText(std::string_view text) {
    text = trimmed(text);
    const bool negative = takeSign(text);
    // Digits or a point must come first: this also keeps out "inf" and "nan".
    if (text.empty() || !(isDigit(text[0]) || text[0] == '.' || text[0] == ','))
        return std::nullopt;
    std::string number(text);
    if (auto comma = number.find(',');
        comma != std::string::npos && number.find('.') == std::string::npos)
        number[comma] = '.';
    double value = 0;
    const char* end = number.data() + number.size();
    auto [ptr, ec] = std::from_chars(number.data(), end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::string floatTextError(std::string_view text) {
    return quotedValue(text) + " is not a valid floating point value";
}

std::string integerTextError(std::string_view text) {
    return quotedValue(text) + " is not a valid integer value";
}

std::string quotedValue(std::string_view text) {
    std::size_t end = 0;
    // Whole characters as the decoder reads them (a byte that begins no character counts as
    // one), so that a cut never splits one and the count is the one a reader sees.
    for (std::size_t shown = 0; end < text.size() && shown < kLongestQuotedValue; ++shown)
        end += decodeUtf8At(text, end).length;
    std::string quoted(1, '\'');
    quoted.append(text.substr(0, end)).append(end < text.size() ? "…'" : "'");
    return quoted;
}

std::optional<int> parseIntegerText(std::string_view text) {
    text = trimmed(text);
    const bool negative = takeSign(text);
    if (text.empty() || !isDigit(text[0])) return std::nullopt;
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    if (negative) value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

} // namespace kelvatron
