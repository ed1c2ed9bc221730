#pragma once
#include <optional>

namespace kelvatron {

// The sign a typed character sounds: the space, digits, ",", "/" and "?" as they are; a Latin
// letter of either case as the Cyrillic partner of its capital; a Cyrillic letter of either case
// as its capital. Ъ and Ё have no sign of their own, and control characters, "." and "-" sound
// nothing. The result is always the symbol of a kSignTable record.
std::optional<char> mapTypedKey(char key);

} // namespace kelvatron
