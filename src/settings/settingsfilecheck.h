#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kelvatron {

// Why the bytes of a settings file cannot be what the program wrote, for the message at
// start-up: the program writes lines of UTF-8 text, so a control byte (other than tab and line
// breaks) or a byte sequence that is no UTF-8 means the file was damaged. Nothing when the
// bytes are plain text.
std::optional<std::string> settingsTextDamage(std::string_view bytes);

} // namespace kelvatron
