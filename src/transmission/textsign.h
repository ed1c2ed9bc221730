#pragma once
#include <array>
#include <optional>

#include "core/cyrillic.h"

namespace kelvatron {

// The sign keyed for one Windows-1251 character of the text window: digits and , / ? as
// themselves, the hyphen as the break sign -...-, Cyrillic letters of either case (but not Ъ and
// not Ё) as the capital, Latin letters as their Cyrillic partner. Nothing for anything else,
// the space and the full stop included: the transmission gives those pauses and Т Ч К itself.
std::optional<char> textSign(char c);

// A full stop is keyed as Т Ч К, set apart by group pauses.
inline constexpr std::array<char, 3> kFullStopSigns = {win1251("Т"), win1251("Ч"), win1251("К")};

} // namespace kelvatron
