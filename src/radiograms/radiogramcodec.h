#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "radiograms/radiogramresult.h"

namespace kelvatron {

// The largest radiogram text, in Windows-1251 bytes with CR LF line breaks: the capacity of the
// text window. Larger files are refused rather than shown cut short.
inline constexpr std::size_t kRadiogramMaxBytes = 4 * 1024 * 1024;

// Every CR LF, every other CR and every other LF becomes one CR LF; all other bytes stay.
std::string normalizeLineBreaks(std::string_view bytes);

// What reading makes of a file's bytes: refused when it holds a zero byte or when the text,
// with its line breaks made CR LF, exceeds kRadiogramMaxBytes; otherwise that text. path is the
// file's full path, for the message.
RadiogramResult decodeRadiogram(std::string_view fileBytes, std::string_view path);

// The bytes of a radiogram file for the window's text given as UTF-8 with "\n", "\r\n" or "\r"
// line breaks: Windows-1251 with CR LF. Refused, naming the first offending character and its
// line, when the text holds a character Windows-1251 cannot store or a zero character (which
// would make the file unreadable as text), and refused (TooLarge) when the bytes exceed
// kRadiogramMaxBytes, so that every file saved opens again.
RadiogramResult encodeRadiogram(std::string_view utf8);

} // namespace kelvatron
