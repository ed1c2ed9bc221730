#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "settings/settingsprops.h"

namespace kelvatron {

// The textual forms of persisted values. They never depend on the user's locale, so a settings
// file reads back the same wherever it was written.

// Shortest general decimal with up to 15 significant digits: 800 -> "800", 0.5 -> "0.5".
std::string floatText(double value);
// Signed decimal: 20 -> "20".
std::string integerText(long long value);
// The text stored for a property of the given kind; a boolean is its ordinal, "0" or "1".
std::string propText(PropKind kind, double value);

// A decimal number with optional sign, fraction and exponent, blanks around it allowed; a comma
// is taken as the decimal separator too. Infinities, NaN and out-of-range values are refused.
std::optional<double> parseFloatText(std::string_view text);
// Why parseFloatText or parseIntegerText refused the text, for the error box.
std::string floatTextError(std::string_view text);
std::string integerTextError(std::string_view text);

// A stored value between quotes for a message, cut to kLongestQuotedValue characters with "…":
// a value of any size makes a message of a few lines.
inline constexpr std::size_t kLongestQuotedValue = 40;
std::string quotedValue(std::string_view text);
// A signed decimal whole number that fits 32 bits, blanks around it allowed.
std::optional<int> parseIntegerText(std::string_view text);

} // namespace kelvatron
