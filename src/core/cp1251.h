#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kelvatron {

// Windows-1251 is the program's single-byte text: every count, index and file byte is one of
// its characters. Source code and the toolkit speak UTF-8; these convert at the boundary,
// through the C library's iconv.

// UTF-8 to Windows-1251. A character that Windows-1251 cannot hold becomes '?'.
std::string toCp1251(std::string_view utf8);

// UTF-8 to Windows-1251, or nothing when some character cannot be held; then
// firstUnencodable (if given) receives the byte offset of that character in the UTF-8 input.
std::optional<std::string> toCp1251Strict(std::string_view utf8,
                                          size_t* firstUnencodable = nullptr);

// Windows-1251 to UTF-8. The one byte the code page leaves unassigned, 0x98, becomes U+0098
// and goes back to 0x98, so any file reads and writes back byte for byte.
std::string fromCp1251(std::string_view cp1251);

} // namespace kelvatron
